// The Moon's position and velocity in the Earth-centred, non-rotating equatorial frame.
//
// Equatorial frame: z along the Earth's axis toward the north pole, x along the orbit-plane
// x axis before the orbit is tilted; the frame does not turn with the Earth.
#pragma once

#include "geometry/mat3.h"
#include "geometry/vec3.h"

// The tilt of the orbit plane to the equator, 28.73° stored in radians.
inline constexpr double kOrbitTilt = 0.5014330940979704;

extern double cosTilt;  // cos kOrbitTilt, set by start-up
extern double sinTilt;  // sin kOrbitTilt, set by start-up
extern Mat3 TiltRot;    // rotation about x by the tilt; filled once by start-up
extern Vec3 moonPos;    // km, written by UpdateMoonState
extern Vec3 moonVel;    // m/s, written by UpdateMoonState

// Recomputes moonPos and moonVel from the orbit-plane state, NodeRot and TiltRot, and
// rewrites the declination readout Label1(1).
void UpdateMoonState();
// Puts the Moon at true anomaly nu. holdEarth = 1 first zeroes EarthRotRate, so that the
// Earth's rotation adds no velocity until the sidereal angle is set again.
void MoveMoon(double nu, int holdEarth);
