// SPDX-License-Identifier: GPL-3.0-or-later
// The echo's path with the light time: each leg between a station and the Moon solved at
// its own epochs, the Doppler shifts an operator tunes by, and the echo's spread.
#pragma once

#include <optional>

#include "sky/sight.h"

namespace sky {

// The Doppler shifts (Hz) at carrier f, each for a signal received or sent at t (UTC), the
// Moon's reflection at the epoch the light time gives. A leg's range rate ρ̇ is the rate
// of its length per second of its station's end, so that 1 − ρ̇/c is dt_moon/dt_received
// for a downlink and 1 + ρ̇/c is dt_moon/dt_sent for an uplink.
struct EchoShifts {
  // The self echo received at t: f·((1 − ρ̇_down/c)/(1 + ρ̇_up/c) − 1), which is −f·dτ/dt,
  // τ its round-trip time.
  double selfHz = 0;
  double selfRateHzPerMin = 0;  // its time derivative at t
  double roundTripS = 0;        // τ of the echo received at t
  // A signal sent at t, as it arrives at the Moon: f·(1/(1 + ρ̇_up/c) − 1), to first order
  // −f·ρ̇_up/c. A station that wants f on the Moon sends f − uplinkHz.
  double uplinkHz = 0;
  // A signal leaving the Moon, as it is received at t: −f·ρ̇_down/c. The signal that left the
  // Moon at f is heard at f + downlinkHz.
  double downlinkHz = 0;
  // With a DX station: its signal received here at t (its uplink, this station's downlink),
  // and this station's signal sent at t as the DX station receives it. Zero without one.
  double dxHz = 0;
  double toDxHz = 0;
};

[[nodiscard]] EchoShifts EchoShiftsAt(const MoonAndEarth& state, const Site& site, const Site* dx,
                                      double bandHz) noexcept;

// The self echo's limb-to-limb Doppler spread at carrier f (Hz) at t: 4·f·R·|ω⊥|/c, with
// ω = ω_spin − u × u̇ the Moon's apparent rotation seen along the line of sight u (the
// spin, 2π per 27.321661 days about the IAU pole at RA 269.9949°, Dec 66.5392°, less the
// turning of the line of sight; GCRS) and ω⊥ its part across u; R = 1737.4 km.
[[nodiscard]] double SpreadHz(const MoonAndEarth& state, const Site& site, double bandHz) noexcept;

// The Moon's mean radius (km) and its spin about the IAU pole (rad/s), from the IAU
// Working Group on Cartographic Coordinates and Rotational Elements (2009): W advances
// 13.17635815° a day, one turn in 27.321661 days.
inline constexpr double kMoonRadiusKm = 1737.4;
extern const double kMoonSpinRadPerS;
// The IAU lunar pole's constant terms (deg, ICRF).
inline constexpr double kMoonPoleRaDeg = 269.9949;
inline constexpr double kMoonPoleDecDeg = 66.5392;

// What a tracker needs at one instant (UTC) for a station, an optional DX station and a
// carrier (Hz): the light-time shifts and where the antenna points (geometric elevation and
// azimuth at t, degrees).
struct DopplerFigures {
  double selfHz = 0, uplinkHz = 0, downlinkHz = 0, dxHz = 0, toDxHz = 0;
  double elevationDeg = 0, azimuthDeg = 0;
  MoonTheory moonTheory = MoonTheory::kSwissEphemeris;  // the Moon actually used
};

[[nodiscard]] DopplerFigures DopplerAt(UtcInstant t, const Station& station,
                                       const std::optional<Station>& dx, double bandHz,
                                       const SkyModel& model = {}) noexcept;

}  // namespace sky
