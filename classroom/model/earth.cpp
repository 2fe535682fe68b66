// SPDX-License-Identifier: GPL-3.0-or-later
// The Earth's rotation by the sidereal angle, and the rotation of the line of nodes.
#include "classroom/model/earth.h"

#include <cmath>

void SetSiderealAngle(double g) {
  // Only these elements change; the rest stay zero (and (2,2) of EarthRot one) for the
  // whole run, so the matrices are exactly the rotation and its derivative.
  const double c = std::cos(g);
  const double s = std::sin(g);
  EarthRot(0, 1) = s;
  EarthRot(1, 0) = -s;
  EarthRot(0, 0) = c;
  EarthRot(1, 1) = c;
  EarthRot(2, 2) = 1;
  EarthRotRate(0, 0) = s * (-kEarthRate);
  EarthRotRate(0, 1) = c * kEarthRate;
  EarthRotRate(1, 0) = c * (-kEarthRate);
  EarthRotRate(1, 1) = s * (-kEarthRate);
}

void HoldEarth() {
  EarthRotRate = MatZero();
}

void StopEarth() {
  EarthRot = MatIdentity();
  EarthRotRate = MatZero();
}

void SetNodeRotation(double theta) {
  const double c = std::cos(theta);
  const double s = std::sin(theta);
  NodeRot(0, 0) = c;
  NodeRot(0, 1) = s;
  NodeRot(1, 0) = -s;
  NodeRot(1, 1) = c;
  NodeRot(2, 2) = 1;
}
