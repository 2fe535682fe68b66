// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon seen from a station at one instant: direction, range and range rate with its
// three shares, and the echo's Doppler shift.
#pragma once

#include "geometry/mat3.h"
#include "geometry/vec3.h"
#include "sky/eop.h"
#include "sky/moon.h"
#include "sky/station.h"
#include "sky/time.h"

namespace sky {

// Speed of light (m/s), from ERFA's header.
extern const double kSpeedOfLightMs;
// The Earth's rotation rate (rad per UT1 second): 1.00273781191135448 turns per UT1 day,
// the rate of the Earth rotation angle (IAU 2000, as in eraEra00).
extern const double kEarthRotationRadPerS;

// Where the Moon and the Earth's orientation come from.
struct SkyModel {
  MoonTheory moon = MoonTheory::kSwissEphemeris;
  const EopTable* eop = nullptr;  // UT1 − UTC and polar motion; none: UT1 = UTC, no polar motion
};

// What is common to every station at one instant: the Moon's geocentric state and the
// Earth's orientation.
struct MoonAndEarth {
  UtcInstant t;
  MoonTheory moonTheory = MoonTheory::kSwissEphemeris;  // the one used
  Vec3 moonPositionKm;                                  // GCRS, km, geocentric and geometric
  Vec3 moonVelocityMs;                                  // GCRS, m/s
  Vec3 moonAccelerationMs2;     // GCRS, m/s², the time derivative of the ephemeris' velocity
  Mat3 celestialToTerrestrial;  // GCRS to ITRS: W·R3(ERA)·C2I(2000B), W from the EOP data
  Vec3 spinAxis;                // the Earth's rotation axis (the CIP), unit vector, GCRS
  EarthOrientation earth;       // UT1 − UTC and polar motion used, and whether data covered t
};

// The state at t. With `withAcceleration` false the Moon's acceleration is left zero
// (it costs one more evaluation of the ephemeris and only the Doppler rate and the light
// time need it).
[[nodiscard]] MoonAndEarth MoonAndEarthAt(UtcInstant t, bool withAcceleration = true,
                                          const SkyModel& model = {}) noexcept;

// The Moon seen from one station. Geometric and instantaneous: no refraction, no light
// time (the echo's legs, each at its own epochs, are in sky/echo.h). Angles above the plane normal
// to the geodetic vertical; azimuth from north through east.
struct Sight {
  double elevationDeg = 0;  // [-90, 90]
  double azimuthDeg = 0;    // [0, 360)
  double elevationRateDegPerS = 0;
  double rangeKm = 0;     // station to the Moon's centre
  double echoDelayS = 0;  // 2·range / c
  // The range rate v = u·(vMoon − vStation) (m/s, positive when the Moon recedes), u the
  // unit vector from the station to the Moon, r̂ the one from the Earth's centre, and its
  // three shares, which add up to it:
  double radialMs = 0;    // r̂·vMoon: the Moon's own motion toward or away from the Earth
  double parallaxMs = 0;  // (u − r̂)·vMoon: its motion across the sky, seen off the centre
  double rotationMs = 0;  // −u·vStation: the Earth's rotation carrying the station
  double rangeRateMs = 0;
  double rangeAccelerationMs2 = 0;  // dv/dt (needs the Moon's acceleration)
};

[[nodiscard]] Sight SightFrom(const MoonAndEarth& state, const Site& site) noexcept;

// The shift of a self echo at carrier f (Hz) to first order in v/c and without the light
// time: −2·f·v/c, v a range rate or one of its shares (m/s). The echo's own shifts, on its
// light-time path, are EchoShiftsAt's (sky/echo.h).
[[nodiscard]] double SelfShiftHz(double bandHz, double rangeRateMs) noexcept;

}  // namespace sky
