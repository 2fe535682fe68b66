// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's Keplerian orbit: Newton's method on Kepler's equation, and the half-angle
// relation from the true anomaly.
#include "classroom/model/orbit.h"

#include <cmath>

#include "geometry/angles.h"

namespace {

// Newton stops after the first step that began with a residual of at most this (rad),
// or after the step with index kLastStep (11 steps in all).
constexpr double kKeplerTolerance = 0.0001;
constexpr int kLastStep = 10;

// The velocity terms shared by both solvers, from sin E, cos E and D = 1 - e·cos E.
void SetVelocities(double s, double c, double D) {
  radialSpeed = s * kRadialSpeedScale / D;
  orbitVelX = s * -kOrbitSpeed / D;
  orbitVelY = c * kOrbitSpeed * std::sqrt(kOneMinusESquared) / D;
  orbitVel = {orbitVelX, orbitVelY, 0};
}

}  // namespace

void OrbitFromMeanAnomaly(double M) {
  double E = M;
  double D = 1 - kEccentricity * std::cos(M);
  double F = M - kEccentricity * std::sin(M);  // left side of Kepler's equation at E
  double delta = 1;                            // forces the first pass
  int i = 0;
  double c = 0;
  double s = 0;
  // The test sees the residual measured at the start of the pass just made, so the step
  // taken from a small residual is still applied before the loop ends.
  while (std::abs(delta) > kKeplerTolerance) {
    if (i > kLastStep) break;
    delta = F - M;
    i = i + 1;
    E = E - delta / D;
    // Only the sine and cosine see E reduced to one turn; E itself keeps counting turns.
    const double T = (E / kTurn - std::floor(E / kTurn)) * kTurn;
    c = std::cos(T);
    s = std::sin(T);
    D = 1 - kEccentricity * c;
    F = E - kEccentricity * s;
  }
  orbitX = (c - kEccentricity) * kSemiMajorAxis;
  orbitY = s * kSemiMajorAxis * std::sqrt(kOneMinusESquared);
  trueAnomaly = AngleOf(orbitX, orbitY);
  orbitPos = {orbitX, orbitY, 0};
  SetVelocities(s, c, D);
}

void OrbitFromTrueAnomaly(double nu) {
  // tan(E/2) = sqrt((1 - e)/(1 + e))·tan(nu/2), taken through AngleOf so that the quadrant
  // is kept. AngleOf gives (0, 2 pi], so E lies in (0, 4 pi]; nu = 0 gives E a hair above
  // 4 pi, which is still perigee.
  const double E =
      2 * AngleOf(std::cos(nu / 2), std::sqrt(kOneMinusE / kOnePlusE) * std::sin(nu / 2));
  const double s = std::sin(E);
  const double c = std::cos(E);
  const double ux = c - kEccentricity;  // position in units of a
  const double uy = std::sqrt(kOneMinusESquared) * s;
  // Recomputed from E rather than copied from nu: nu = 0 is kept as a tiny positive angle.
  trueAnomaly = AngleOf(ux, uy);
  const double D = 1 - kEccentricity * c;
  orbitX = ux * kSemiMajorAxis;
  orbitY = uy * kSemiMajorAxis;
  orbitPos = {orbitX, orbitY, 0};
  SetVelocities(s, c, D);
}
