// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the matrix products, the transpose and the line-of-sight frame rotation and its rate.
#include "geometry/mat3.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>

#include "geometry/angles.h"
#include "geometry/vec3.h"

namespace {

using std::numbers::pi;

// Products of unit sines and cosines with lengths: a few units of the last place of the length.
constexpr double kRoundingRelTol = 1e-13;
// Central differences of the rotation with a step of 1e-6 of the fastest turn.
constexpr double kRateRelTol = 1e-7;
constexpr double kStepAngle = 1e-6;

Mat3 Rows(double a00, double a01, double a02, double a10, double a11, double a12, double a20,
          double a21, double a22) {
  Mat3 m;
  m(0, 0) = a00;
  m(0, 1) = a01;
  m(0, 2) = a02;
  m(1, 0) = a10;
  m(1, 1) = a11;
  m(1, 2) = a12;
  m(2, 0) = a20;
  m(2, 1) = a21;
  m(2, 2) = a22;
  return m;
}

double Length(const Vec3& v) {
  return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}
double Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

// ---------------------------------------------------------------------------------------------
// Products, transpose and identity

TEST(MatTranspose, SwapsRowsAndColumns) {
  const Mat3 m = Rows(1, 2, 3, 4, 5, 6, 7, 8, 9);
  EXPECT_EQ(MatTranspose(m), Rows(1, 4, 7, 2, 5, 8, 3, 6, 9));
  EXPECT_EQ(MatTranspose(MatTranspose(m)), m);
}

TEST(MatMulVec, ComponentIIsRowIDotV) {
  // Rows (1,2,3), (4,5,6), (7,8,9) times (1,-1,2): 1-2+6, 4-5+12, 7-8+18. The transposed
  // product would give (11, 13, 15).
  EXPECT_EQ(MatMulVec(Rows(1, 2, 3, 4, 5, 6, 7, 8, 9), {1, -1, 2}), (Vec3{5, 11, 17}));
}

TEST(MatMulVecSum, AddsBothProducts) {
  // A·u as above, plus the cyclic permutation with rows (0,1,0), (0,0,1), (1,0,0) applied to
  // (10, 20, 30), which gives (20, 30, 10).
  const Vec3 sum = MatMulVecSum(Rows(1, 2, 3, 4, 5, 6, 7, 8, 9), {1, -1, 2},
                                Rows(0, 1, 0, 0, 0, 1, 1, 0, 0), {10, 20, 30});
  EXPECT_EQ(sum, (Vec3{25, 41, 27}));
}

TEST(MatIdentity, LeavesVectorsAlone) {
  const Vec3 v{384400, -6378.137, 1e-9};
  EXPECT_EQ(MatMulVec(MatIdentity(), v), v);
  EXPECT_EQ(MatIdentity(), Rows(1, 0, 0, 0, 1, 0, 0, 0, 1));
}

// ---------------------------------------------------------------------------------------------
// RotZX as a frame rotation

TEST(RotZX, PlaneRotationAboutZFollowsTheFrameConvention) {
  // The frame turned by t about z: rows (cos t, sin t, 0), (-sin t, cos t, 0), (0, 0, 1). A
  // vector at polar angle t in the outer frame lies along the new x axis.
  const double t = 0.7;
  const Mat3 turn = RotZX(std::sin(t), std::cos(t), 0, 1);
  EXPECT_EQ(turn, Rows(std::cos(t), std::sin(t), 0, -std::sin(t), std::cos(t), 0, 0, 0, 1));
  const Vec3 along = MatMulVec(turn, {2 * std::cos(t), 2 * std::sin(t), 5});
  EXPECT_NEAR(along.x, 2, 2 * kRoundingRelTol);
  EXPECT_NEAR(along.y, 0, 2 * kRoundingRelTol);
  EXPECT_EQ(along.z, 5);
}

TEST(RotZX, TiltAboutTheNewXAxis) {
  // t = 0 and f a tilt about x: the old z axis appears at (0, sin f, cos f) in the new frame.
  const double f = 0.5014330940979704;
  const Vec3 pole = MatMulVec(RotZX(0, 1, std::sin(f), std::cos(f)), {0, 0, 1});
  EXPECT_EQ(pole.x, 0);
  EXPECT_EQ(pole.y, std::sin(f));
  EXPECT_EQ(pole.z, std::cos(f));
}

TEST(RotZX, IsOrthonormalAndItsTransposeTurnsBack) {
  const double t = 2.1, f = -0.4;
  const Mat3 rot = RotZX(std::sin(t), std::cos(t), std::sin(f), std::cos(f));
  const Vec3 v{3.0e5, -1.2e5, 4.0e4};
  const Vec3 back = MatMulVec(MatTranspose(rot), MatMulVec(rot, v));
  const double tol = kRoundingRelTol * Length(v);
  EXPECT_NEAR(back.x, v.x, tol);
  EXPECT_NEAR(back.y, v.y, tol);
  EXPECT_NEAR(back.z, v.z, tol);
  EXPECT_NEAR(Length(MatMulVec(rot, v)), Length(v), tol);
}

// ---------------------------------------------------------------------------------------------
// The line-of-sight frame of a direction and its rate

struct SightCase {
  const char* name;
  Vec3 p;  // direction of sight, km
  Vec3 v;  // its velocity, m/s
};

// Test listings show the row name instead of the bytes of the row.
void PrintTo(const SightCase& c, std::ostream* os) {
  *os << c.name;
}

class SightFrame : public testing::TestWithParam<SightCase> {
 protected:
  // Azimuth alpha and elevation epsilon of p give a = cos alpha, b = -sin alpha, c = cos
  // epsilon, d = sin epsilon: the rows are then east, north and outward along p.
  void SetUp() override {
    const Vec3& p = GetParam().p;
    const Vec3& v = GetParam().v;
    const double alpha = AngleOf(p.x, p.y);
    const double epsilon = ElevationOf(p.x, p.y, p.z);
    a = std::cos(alpha);
    b = -std::sin(alpha);
    c = std::cos(epsilon);
    d = std::sin(epsilon);
    alphaRate = AngleOfRate(p, v);
    epsilonRate = ElevationRate(p, v);
  }
  double a = 0, b = 0, c = 0, d = 0, alphaRate = 0, epsilonRate = 0;
};

TEST_P(SightFrame, TurnsTheDirectionOntoTheThirdAxis) {
  const Vec3& p = GetParam().p;
  const Vec3 inFrame = MatMulVec(RotZX(a, b, c, d), p);
  const double tol = kRoundingRelTol * Length(p);
  EXPECT_NEAR(inFrame.x, 0, tol);
  EXPECT_NEAR(inFrame.y, 0, tol);
  EXPECT_NEAR(inFrame.z, Length(p), tol);
}

TEST_P(SightFrame, ProductRuleGivesOnlyTheRangeRate) {
  // d/dt (R·p) = Ṙ·p + R·ṗ = (0, 0, d|p|/dt), and d|p|/dt = p·v / |p|.
  const Vec3& p = GetParam().p;
  const Vec3& v = GetParam().v;
  const Mat3 rot = RotZX(a, b, c, d);
  const Mat3 rotRate = RotZXRate(a, b, alphaRate, c, d, epsilonRate);
  const Vec3 rate = MatMulVecSum(rotRate, p, rot, v);
  // The cancellation is between terms of size |v|·|p| / rho.
  const double tol = kRoundingRelTol * Length(v) * Length(p) / std::hypot(p.x, p.y);
  EXPECT_NEAR(rate.x, 0, tol);
  EXPECT_NEAR(rate.y, 0, tol);
  EXPECT_NEAR(rate.z, Dot(p, v) / Length(p), tol);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, SightFrame,
    testing::Values(SightCase{"MoonHigh", {2.0e5, 1.0e5, 3.0e5}, {-600, 700, 100}},
                    SightCase{"MoonLowInTheWest", {-3.5e5, -1.0e4, 2.0e4}, {200, -950, 30}},
                    SightCase{"BelowTheHorizon", {1.0e5, -3.0e5, -1.5e5}, {900, 100, -400}},
                    SightCase{"DueNorth", {3.8e5, 0, 5.0e4}, {0, 1000, -20}},
                    SightCase{"NearZenith", {500, -400, 3.9e5}, {700, 300, 80}},
                    SightCase{"Receding", {1.0e5, 2.0e5, 2.0e5}, {100, 200, 200}}),
    [](const testing::TestParamInfo<SightCase>& info) { return std::string(info.param.name); });

struct FrameRateCase {
  const char* name;
  double t, tRate;  // a = sin t, b = cos t
  double g, gRate;  // c = cos g, d = sin g, so that ċ = -d·ġ and ḋ = c·ġ
};

void PrintTo(const FrameRateCase& c, std::ostream* os) {
  *os << c.name;
}

class RotZXRateTable : public testing::TestWithParam<FrameRateCase> {};

// The rate against RotZX of the sines and cosines advanced and set back by a small time step.
TEST_P(RotZXRateTable, MatchesCentralDifferenceOfRotZX) {
  const FrameRateCase& k = GetParam();
  const double fastest = std::max(std::abs(k.tRate), std::abs(k.gRate));
  const double dt = kStepAngle / fastest;
  const auto at = [&k](double time) {
    const double t = k.t + k.tRate * time;
    const double g = k.g + k.gRate * time;
    return RotZX(std::sin(t), std::cos(t), std::cos(g), std::sin(g));
  };
  const Mat3 ahead = at(dt);
  const Mat3 behind = at(-dt);
  const Mat3 rate =
      RotZXRate(std::sin(k.t), std::cos(k.t), k.tRate, std::cos(k.g), std::sin(k.g), k.gRate);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      EXPECT_NEAR(rate(i, j), (ahead(i, j) - behind(i, j)) / (2 * dt), kRateRelTol * fastest)
          << "element (" << i << ", " << j << ")";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Turns, RotZXRateTable,
    testing::Values(FrameRateCase{"BothTurning", 0.8, 2.5e-3, 0.3, -1.1e-3},
                    FrameRateCase{"OnlyAzimuth", 4.0, -7.3e-5, -0.9, 0},
                    FrameRateCase{"OnlyElevation", 2.7, 0, 1.2, 4.4e-4},
                    FrameRateCase{"NearTheZenith", 5.5, 0.9, pi / 2 - 1e-3, 3e-3},
                    FrameRateCase{"FastTurns", -1.3, 11.0, 0.0, -6.0}),
    [](const testing::TestParamInfo<FrameRateCase>& info) { return std::string(info.param.name); });

}  // namespace
