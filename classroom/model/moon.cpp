// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's position and velocity in the equatorial frame, and its declination.
#include "classroom/model/moon.h"

#include <cmath>

#include "geometry/angles.h"

void SetOrbitTilt() {
  cosTilt = std::cos(kOrbitTilt);
  sinTilt = std::sin(kOrbitTilt);
  TiltRot = Mat3{};
  TiltRot(0, 0) = 1;
  TiltRot(1, 1) = cosTilt;
  TiltRot(1, 2) = -sinTilt;
  TiltRot(2, 1) = sinTilt;
  TiltRot(2, 2) = cosTilt;
}

void MoonStateFromOrbit() {
  // Turn the orbit plane into the node frame, tilt it about the line of nodes (the node
  // frame's x axis), and turn back: the Moon rises through the equator at the node in
  // direction (cos θ, sin θ, 0).
  const Mat3 Nt = MatTranspose(NodeRot);
  moonPos = MatMulVec(Nt, MatMulVec(TiltRot, MatMulVec(NodeRot, orbitPos)));
  moonVel = MatMulVec(Nt, MatMulVec(TiltRot, MatMulVec(NodeRot, orbitVel)));
}

double MoonDeclinationDegrees() {
  return ElevationOf(moonPos.x, moonPos.y, moonPos.z) / kRadiansPerDegree;
}
