// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon in the equatorial frame: the start-up state, and the declination along the orbit.
#include "classroom/model/moon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <string>

#include "classroom/model/earth.h"
#include "classroom/model/orbit.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTilt = 28.73 * kPi / 180;

// The model's part of start-up: Moon at perigee, node line at angle 0.
TEST(MoonState, StartUpIsPerigeeOnTheEquatorMovingNorth) {
  SetOrbitTilt();
  OrbitFromMeanAnomaly(0);
  SetNodeRotation(0);
  MoonStateFromOrbit();
  EXPECT_NEAR(moonPos.x, 357395.5, 1e-6);
  // Exactly on the equator, so that the readout takes the zero section, not "+0.000".
  EXPECT_EQ(moonPos.y, 0);
  EXPECT_EQ(moonPos.z, 0);
  EXPECT_EQ(MoonDeclinationDegrees(), 0);
  // The perigee speed 1091.757 m/s tilted by 28.73 degrees: times cos and sin of the tilt.
  EXPECT_NEAR(moonVel.x, 0, 1e-9);
  EXPECT_NEAR(moonVel.y, 957.356, 5e-4);
  EXPECT_NEAR(moonVel.z, 524.789, 5e-4);
}

struct SkyCase {
  const char* name;
  double node;  // node-line angle theta
  double nu;    // true anomaly
};

void PrintTo(const SkyCase& c, std::ostream* os) {
  *os << c.name;
}

class DeclinationTest : public testing::TestWithParam<SkyCase> {};

INSTANTIATE_TEST_SUITE_P(
    Sky, DeclinationTest,
    testing::Values(SkyCase{"Quadrature", 0, kPi / 2}, SkyCase{"ThreeQuarters", 0, 3 * kPi / 2},
                    SkyCase{"DescendingNode", 0, kPi}, SkyCase{"NodeOnY", kPi / 2, kPi / 2},
                    SkyCase{"NodeOnYDescending", kPi / 2, 3 * kPi / 2}, SkyCase{"Skewed", 1.0, 2.2},
                    SkyCase{"SkewedNode", 2.5, 2.5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(DeclinationTest, FollowsTheArgumentOfLatitude) {
  const SkyCase& c = GetParam();
  SetOrbitTilt();
  SetNodeRotation(c.node);
  OrbitFromTrueAnomaly(c.nu);
  MoonStateFromOrbit();
  // Spherical trigonometry: sin(declination) = sin(tilt)·sin(u), u = nu - theta the angle
  // from the ascending node. Rotations keep the distance and the speed.
  const double u = c.nu - c.node;
  const double r = std::hypot(moonPos.x, moonPos.y, moonPos.z);
  EXPECT_NEAR(moonPos.z / r, std::sin(kTilt) * std::sin(u), 1e-12);
  EXPECT_NEAR(r, std::hypot(orbitX, orbitY), 1e-6);
  EXPECT_NEAR(std::hypot(moonVel.x, moonVel.y, moonVel.z), std::hypot(orbitVelX, orbitVelY), 1e-9);
  const double declination = MoonDeclinationDegrees();
  if (std::abs(std::sin(u)) > 0.999) {
    // The full tilt, to the three decimals the readout shows.
    EXPECT_NEAR(declination, std::sin(u) > 0 ? 28.73 : -28.73, 5e-4);
  } else if (std::abs(std::sin(u)) < 1e-9) {
    // On the node line: north-bound at the ascending node "A", south-bound at "D".
    EXPECT_LT(std::abs(declination), 5e-4);
    EXPECT_EQ(moonVel.z > 0, std::cos(u) > 0);
  }
}

}  // namespace
