// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's motion seen from the station P and the Doppler shift of the echo: the readouts.
//
// A plain function from the model state to a value, with no window access, so that every
// velocity and shift can be checked (and timed) without a window. Positions in km,
// velocities in m/s, angle rates in mrad/s (m/s divided by km), angles in degrees.
#pragma once

#include "classroom/model/constants.h"
#include "geometry/mat3.h"
#include "geometry/vec3.h"

// The model state the readouts are computed from.
struct ReadoutInput {
  Vec3 moonPos;        // km, Earth-centred, non-rotating equatorial axes
  Vec3 moonVel;        // m/s, same axes
  Mat3 EarthRot;       // equatorial to Earth-fixed components
  Mat3 EarthRotRate;   // time derivative of EarthRot, times 1000; zero while the Earth is held
  Vec3 stationPos;     // km, P on the true Earth, Earth-fixed axes
  Mat3 stationFrame;   // rows north, east, zenith of P, Earth-fixed axes
  double radialSpeed;  // m/s, rate of change of the Earth-Moon distance
  double orbitVelX;    // m/s, the Moon's velocity in its orbit plane
  double orbitVelY;    // m/s
};

// Everything one update shows, with the intermediate quantities it is built from.
struct Readout {
  Vec3 moonFixed;           // km, the Moon in Earth-fixed axes
  Vec3 moonVelFixed;        // m/s, the Moon's velocity relative to the turning Earth
  Vec3 lineOfSight;         // km, from P to the Moon, Earth-fixed axes
  double El;                // degrees, elevation of the Moon seen from P
  double Az;                // degrees, azimuth from north through east, in (0, 360]
  double sightAngleRate;    // mrad/s, rate of the line of sight's polar angle
  double sightElevRate;     // mrad/s, rate of its elevation above the equator
  double raRate;            // mrad/s, polar-angle rate of the Moon's offset, non-rotating
  double decRate;           // mrad/s, elevation rate of the same offset
  double Pz;                // km, P along the line of sight from the Earth's centre
  double Lz;                // km, the Moon along the line of sight from the Earth's centre
  double PL;                // km, distance from P to the Moon
  double moonSightRate;     // m/s, rate of the Moon's distance along the turning sight line
  double stationSightRate;  // m/s, rate of P's distance along the turning sight line
  double vRad;              // m/s, rate of the Earth-Moon distance
  double vTan;              // m/s, speed along the orbit
  double vAD;               // m/s, range-rate share of the Moon's right-ascension motion
  double vDc;               // m/s, minus the share of its declination motion
  double vRot;              // m/s, share of the Earth's rotation
  double vFin;              // m/s, range rate of the Moon seen from P
  double AD;                // Hz, shift of vAD
  double Dc;                // Hz, shift of vDc
  double Rot;               // Hz, shift of the rotation share
  double Final;             // Hz, shift of the echo
};

// Gathers the model's module state into a ReadoutInput.
[[nodiscard]] ReadoutInput CurrentReadoutInput();

// The readouts of one update. Allocates nothing and touches nothing but its argument.
[[nodiscard]] Readout ComputeReadout(const ReadoutInput& in) noexcept;
