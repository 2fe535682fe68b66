// SPDX-License-Identifier: GPL-3.0-or-later
// The Earth's rotation matrices and the node rotation.
#include "classroom/model/earth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kOmega = 7.292115855306615e-5;  // rad/s, the Earth's sidereal rate

TEST(SiderealAngle, ZeroIsTheIdentityTurningEastward) {
  SetSiderealAngle(0);
  EXPECT_EQ(EarthRot, MatIdentity());
  Mat3 rate;
  rate(0, 1) = 0.07292115855306615;
  rate(1, 0) = -0.07292115855306615;
  EXPECT_EQ(EarthRotRate, rate);
  // A point fixed in space on the equator drifts westward in Earth-fixed axes at the
  // equatorial speed 6378.1363 km × 7.292e-5 rad/s = 465.10 m/s.
  const Vec3 v = MatMulVec(EarthRotRate, Vec3{6378.1363, 0, 0});
  EXPECT_NEAR(v.y, -465.10, 5e-3);
}

class SiderealRateTest : public testing::TestWithParam<double> {};

INSTANTIATE_TEST_SUITE_P(Angles, SiderealRateTest, testing::Values(0.4, 1.9, 3.3, 5.8));

TEST_P(SiderealRateTest, RateIsTheTimeDerivativeOfTheRotation) {
  const double g = GetParam();
  const double dt = 1;  // s: the Earth turns 7.3e-5 rad
  SetSiderealAngle(g + kOmega * dt);
  const Mat3 ahead = EarthRot;
  SetSiderealAngle(g - kOmega * dt);
  const Mat3 behind = EarthRot;
  EarthRot = MatZero();  // as before start-up: the setter alone must give a whole rotation
  SetSiderealAngle(g);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      EXPECT_NEAR(EarthRotRate(i, j), 1000 * (ahead(i, j) - behind(i, j)) / (2 * dt), 1e-9);
      double dot = 0;  // rows orthonormal
      for (int k = 0; k < 3; ++k) dot += EarthRot(i, k) * EarthRot(j, k);
      EXPECT_NEAR(dot, i == j ? 1 : 0, 1e-15);
    }
  }
}

// The node rotation takes the ascending node's direction (cos θ, sin θ, 0) to the x axis and
// leaves the polar axis alone.
TEST(NodeRotation, TurnsTheAscendingNodeOntoX) {
  for (const double theta : {0.0, 0.9, std::numbers::pi / 2, 4.4}) {
    SetNodeRotation(theta);
    const Vec3 node = MatMulVec(NodeRot, Vec3{std::cos(theta), std::sin(theta), 0});
    EXPECT_NEAR(node.x, 1, 1e-15);
    EXPECT_NEAR(node.y, 0, 1e-15);
    EXPECT_EQ(MatMulVec(NodeRot, Vec3{0, 0, 1}), (Vec3{0, 0, 1}));
  }
}

// Holding keeps the Earth's angle and removes its rate; stopping also turns it back to zero.
TEST(EarthHold, HoldKeepsTheAngleAndStopReturnsToZero) {
  SetSiderealAngle(0.7);
  const Mat3 turned = EarthRot;
  HoldEarth();
  EXPECT_EQ(EarthRot, turned);
  EXPECT_EQ(EarthRotRate, MatZero());
  SetSiderealAngle(0.7);
  StopEarth();
  EXPECT_EQ(EarthRot, MatIdentity());
  EXPECT_EQ(EarthRotRate, MatZero());
}

}  // namespace
