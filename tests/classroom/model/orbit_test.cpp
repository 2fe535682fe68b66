// SPDX-License-Identifier: GPL-3.0-or-later
// The Keplerian orbit: perigee, apogee and quadrature states, Kepler's equation, round trips.
#include "classroom/model/orbit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <string>

#include "geometry/angles.h"

namespace {

constexpr double kA = 385000;               // semi-major axis, km
constexpr double kE = 0.0717;               // eccentricity
constexpr double kAN = 1016.0931709672512;  // a·n, m/s
constexpr double kKm = 1e-6;                // km: rounding of positions
constexpr double kSpeed = 5e-4;             // m/s: the three decimals the figures are given with
constexpr double kPi = std::numbers::pi;

struct OrbitCase {
  const char* name;
  bool fromMean;  // solve from the mean anomaly instead of the true anomaly
  double anomaly;
  double x, y, radial, vx, vy, trueAnomaly;
};

void PrintTo(const OrbitCase& c, std::ostream* os) {
  *os << c.name;
}

class OrbitStateTest : public testing::TestWithParam<OrbitCase> {};

// Hand values: perigee a(1 - e) with speed a·n·sqrt((1 + e)/(1 - e)); apogee a(1 + e) with
// a·n·sqrt((1 - e)/(1 + e)); at nu = pi/2 the semi-latus rectum a(1 - e²), the radial speed
// a·e·n / sqrt(1 - e²) at its largest and the speed components a·n·(-1, e) / sqrt(1 - e²).
// The positive x axis reads as a full turn, 6.28318530717959.
INSTANTIATE_TEST_SUITE_P(Orbit, OrbitStateTest,
                         testing::Values(OrbitCase{"PerigeeFromMean", true, 0, 357395.5, 0, 0, 0,
                                                   1091.757, 6.28318530717959},
                                         OrbitCase{"Apogee", false, kPi, -412604.5, 0, 0, 0,
                                                   -945.673, 3.14159265358979},
                                         OrbitCase{"Quadrature", false, kPi / 2, 0, 383020.757,
                                                   73.042, -1018.715, 73.042, kPi / 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(OrbitStateTest, MatchesTheEllipse) {
  const OrbitCase& c = GetParam();
  c.fromMean ? OrbitFromMeanAnomaly(c.anomaly) : OrbitFromTrueAnomaly(c.anomaly);
  EXPECT_NEAR(orbitX, c.x, 5e-4);
  EXPECT_NEAR(orbitY, c.y, 5e-4);
  EXPECT_NEAR(radialSpeed, c.radial, kSpeed);
  EXPECT_NEAR(orbitVelX, c.vx, kSpeed);
  EXPECT_NEAR(orbitVelY, c.vy, kSpeed);
  EXPECT_NEAR(trueAnomaly, c.trueAnomaly, 1e-13);
  EXPECT_EQ(orbitPos, (Vec3{orbitX, orbitY, 0}));
  EXPECT_EQ(orbitVel, (Vec3{orbitVelX, orbitVelY, 0}));
}

TEST(OrbitEnds, FirstAndLastSliderPositionsStayInsideTheTurn) {
  // nu = 0: E = 2·6.28318530717959, 7.0e-15 above 4 pi, so the stored angle is about
  // 7.0e-15·sqrt(1 - e²)/(1 - e) = 7.5e-15, positive and shown as 0.000 degrees.
  OrbitFromTrueAnomaly(0);
  EXPECT_GT(trueAnomaly, 0);
  EXPECT_LT(trueAnomaly, 2e-14);
  EXPECT_NEAR(orbitX, kA * (1 - kE), kKm);
  // nu = 6.28318530717958: E lies 1.24e-14 under 2 pi, the angle 1.34e-14 under the full
  // turn 6.28318530717959 (itself 3.5e-15 above 2 pi): just under 2 pi, shown as 360.000.
  OrbitFromTrueAnomaly(6.28318530717958);
  EXPECT_LT(trueAnomaly, 2 * kPi);
  EXPECT_GT(trueAnomaly, 2 * kPi - 1e-13);
  // Shown with three decimals, that is 360.000 degrees, not 0.000.
  EXPECT_GE(trueAnomaly / kRadiansPerDegree, 359.9995);
}

class KeplerTest : public testing::TestWithParam<double> {};

INSTANTIATE_TEST_SUITE_P(SeveralTurns, KeplerTest,
                         testing::Values(0.3, 1.0, 2.5, 3.1, 4.0, 7.0, 12.0, 19.5, -2.0));

TEST_P(KeplerTest, SolvesKeplersEquationAndMatchesTheTrueAnomalyRoute) {
  const double M = GetParam();
  OrbitFromMeanAnomaly(M);
  // Recover E from the position: x = a(cos E - e), y = a·sqrt(1 - e²)·sin E.
  const double E = std::atan2(orbitY / (kA * std::sqrt(1 - kE * kE)), orbitX / kA + kE);
  const double residual = std::remainder(E - kE * std::sin(E) - M, 2 * kPi);
  EXPECT_LT(std::abs(residual), 1e-8);
  // Together these two fix the velocity. Angular momentum per unit mass is the same everywhere on
  // the orbit: a·n·a·sqrt(1 - e²).
  EXPECT_NEAR(orbitX * orbitVelY - orbitY * orbitVelX, kAN * kA * std::sqrt(1 - kE * kE), 1e-3);
  // The radial speed is the velocity's component along the radius.
  EXPECT_NEAR(radialSpeed, (orbitX * orbitVelX + orbitY * orbitVelY) / std::hypot(orbitX, orbitY),
              1e-9);

  const Vec3 pos = orbitPos;
  const Vec3 vel = orbitVel;
  OrbitFromTrueAnomaly(trueAnomaly);
  EXPECT_NEAR(orbitPos.x, pos.x, kKm);
  EXPECT_NEAR(orbitPos.y, pos.y, kKm);
  EXPECT_NEAR(orbitVel.x, vel.x, 1e-9);
  EXPECT_NEAR(orbitVel.y, vel.y, 1e-9);
}

}  // namespace
