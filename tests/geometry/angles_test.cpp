// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the polar and elevation angles, their time rates, vector norms and the scalar helpers.
#include "geometry/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <string>

#include "geometry/vec3.h"

namespace {

using std::numbers::pi;

// The turn constants of the polar angle, as the readouts rely on them.
constexpr double kQuarterTurn = 1.5707963267949;
constexpr double kHalfTurn = 3.14159265358979;
constexpr double kThreeQuarterTurns = 4.71238898038469;
constexpr double kFullTurn = 6.28318530717959;

// Angles computed by one arctangent and one addition: a few units of the last place of 2 pi.
constexpr double kAngleTol = 1e-14;
// The literal turn constants differ from the exact multiples of pi by up to 4e-15.
constexpr double kTurnConstantTol = 5e-15;
// Central differences with a step of 1e-6 of the distance from the axis: relative error of the
// rate (against the natural rate scale |v| / rho) well below this.
constexpr double kRateRelTol = 1e-6;
constexpr double kStepFraction = 1e-6;
// A reduction into [0, m) with m = 360 loses a few units of the last place of 360.
constexpr double kModTol = 1e-12;

double Length(const Vec3& v) {
  return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}
Vec3 Along(const Vec3& p, const Vec3& v, double dt) {
  return {p.x + v.x * dt, p.y + v.y * dt, p.z + v.z * dt};
}

// ---------------------------------------------------------------------------------------------
// AngleOf

struct AngleCase {
  const char* name;
  double x, y;
  double expected;
  double tol;
};

// Test listings show the row name instead of the bytes of the row.
void PrintTo(const AngleCase& c, std::ostream* os) {
  *os << c.name;
}

class AngleOfTable : public testing::TestWithParam<AngleCase> {};

TEST_P(AngleOfTable, GivesPolarAngleInHalfOpenTurn) {
  const AngleCase& c = GetParam();
  EXPECT_NEAR(AngleOf(c.x, c.y), c.expected, c.tol);
}

INSTANTIATE_TEST_SUITE_P(
    Axes, AngleOfTable,
    testing::Values(
        // On the axes the constants come back exactly as written.
        AngleCase{"PositiveX", 1, 0, kFullTurn, 0},
        AngleCase{"PositiveXNegativeZeroY", 1, -0.0, kFullTurn, 0},
        AngleCase{"Origin", 0, 0, kQuarterTurn, 0}, AngleCase{"PositiveY", 0, 3, kQuarterTurn, 0},
        AngleCase{"PositiveYNegativeZeroX", -0.0, 3, kQuarterTurn, 0},
        AngleCase{"NegativeY", 0, -2, kThreeQuarterTurns, 0},
        AngleCase{"NegativeX", -1, 0, kHalfTurn, 0},
        AngleCase{"NegativeXNegativeZeroY", -1, -0.0, kHalfTurn, 0},
        // Off the axes: the four quadrants.
        AngleCase{"FirstQuadrant", 1, 1, pi / 4, kAngleTol},
        AngleCase{"SecondQuadrant", -1, 1, 3 * pi / 4, kAngleTol + kTurnConstantTol},
        AngleCase{"ThirdQuadrant", -1, -1, 5 * pi / 4, kAngleTol + kTurnConstantTol},
        AngleCase{"FourthQuadrant", 1, -1, kFullTurn - pi / 4, kAngleTol},
        // Large and small coordinates only matter through their ratio.
        AngleCase{"FarAway", -3.8e5, -3.8e5 * std::sqrt(3.0), 4 * pi / 3,
                  kAngleTol + kTurnConstantTol},
        AngleCase{"JustBelowPositiveX", 1, -1e-12, kFullTurn - 1e-12, kAngleTol}),
    [](const testing::TestParamInfo<AngleCase>& info) { return std::string(info.param.name); });

// A sweep around the circle against the standard two-argument arctangent, shifted into (0, 2 pi].
TEST(AngleOf, AgreesWithAtan2AllAroundTheCircle) {
  constexpr int kSteps = 719;  // not a divisor of the quadrants: no point lands on an axis
  for (int i = 1; i <= kSteps; ++i) {
    const double t = 2 * pi * i / (kSteps + 1) + 1e-3;
    const double x = 3.8e5 * std::cos(t);
    const double y = 3.8e5 * std::sin(t);
    double reference = std::atan2(y, x);
    if (reference <= 0) reference += 2 * pi;
    const double angle = AngleOf(x, y);
    EXPECT_GT(angle, 0) << "t = " << t;
    EXPECT_LE(angle, kFullTurn) << "t = " << t;
    EXPECT_NEAR(angle, reference, kAngleTol + kTurnConstantTol) << "t = " << t;
  }
}

// ---------------------------------------------------------------------------------------------
// ElevationOf

struct ElevationCase {
  const char* name;
  double x, y, z;
  double expected;
};

void PrintTo(const ElevationCase& c, std::ostream* os) {
  *os << c.name;
}

class ElevationOfTable : public testing::TestWithParam<ElevationCase> {};

TEST_P(ElevationOfTable, GivesAngleAboveThePlane) {
  const ElevationCase& c = GetParam();
  EXPECT_NEAR(ElevationOf(c.x, c.y, c.z), c.expected, kAngleTol);
}

INSTANTIATE_TEST_SUITE_P(
    Points, ElevationOfTable,
    testing::Values(
        ElevationCase{"AbovePole", 0, 0, 5, pi / 2}, ElevationCase{"BelowPole", 0, 0, -5, -pi / 2},
        ElevationCase{"Origin", 0, 0, 0, 0}, ElevationCase{"FortyFiveUp", 3, 4, 5, pi / 4},
        ElevationCase{"FortyFiveDown", 3, 4, -5, -pi / 4}, ElevationCase{"InThePlane", -2, 7, 0, 0},
        ElevationCase{"ThirtyUp", 0, -std::sqrt(3.0), 1, pi / 6},
        ElevationCase{"NearlyAbovePole", 1e-3, 0, 4e5, pi / 2 - 2.5e-9},
        ElevationCase{"FarAndLow", 3.8e5, 0, -1, -1 / 3.8e5}),
    [](const testing::TestParamInfo<ElevationCase>& info) { return std::string(info.param.name); });

// On the axis the quarter turn comes from the arctangent at full precision, not from the
// 14-digit constant of the polar angle.
TEST(ElevationOf, PoleIsTheFullPrecisionQuarterTurn) {
  EXPECT_DOUBLE_EQ(ElevationOf(0, 0, 1e-300), pi / 2);
  EXPECT_DOUBLE_EQ(ElevationOf(0, 0, -7e8), -pi / 2);
  EXPECT_NE(ElevationOf(0, 0, 5), kQuarterTurn);
}

TEST(ElevationOf, AgreesWithAtan2OverElevations) {
  for (int i = -89; i <= 89; ++i) {
    const double e = i * pi / 180;
    const double x = 2e3 * std::cos(e) * 0.6;
    const double y = 2e3 * std::cos(e) * -0.8;
    const double z = 2e3 * std::sin(e);
    EXPECT_NEAR(ElevationOf(x, y, z), std::atan2(z, std::hypot(x, y)), kAngleTol) << i;
  }
}

// ---------------------------------------------------------------------------------------------
// AngleOfRate and ElevationRate against central differences along p + v·dt

struct RateCase {
  const char* name;
  Vec3 p;
  Vec3 v;
};

void PrintTo(const RateCase& c, std::ostream* os) {
  *os << c.name;
}

class RateTable : public testing::TestWithParam<RateCase> {
 protected:
  // Step and tolerance scale with the distance from the z axis, where the angles turn fastest.
  double Rho() const { return std::hypot(GetParam().p.x, GetParam().p.y); }
  double Step() const { return kStepFraction * Rho() / Length(GetParam().v); }
  double Tol() const { return kRateRelTol * Length(GetParam().v) / Rho(); }
};

TEST_P(RateTable, AngleOfRateMatchesCentralDifference) {
  const RateCase& c = GetParam();
  const double dt = Step();
  const Vec3 ahead = Along(c.p, c.v, dt);
  const Vec3 behind = Along(c.p, c.v, -dt);
  double change = AngleOf(ahead.x, ahead.y) - AngleOf(behind.x, behind.y);
  // Crossing the positive x axis the angle jumps by a full turn.
  if (change > pi) change -= kFullTurn;
  if (change < -pi) change += kFullTurn;
  EXPECT_NEAR(AngleOfRate(c.p, c.v), change / (2 * dt), Tol());
}

TEST_P(RateTable, ElevationRateMatchesCentralDifference) {
  const RateCase& c = GetParam();
  const double dt = Step();
  const Vec3 ahead = Along(c.p, c.v, dt);
  const Vec3 behind = Along(c.p, c.v, -dt);
  const double change =
      ElevationOf(ahead.x, ahead.y, ahead.z) - ElevationOf(behind.x, behind.y, behind.z);
  EXPECT_NEAR(ElevationRate(c.p, c.v), change / (2 * dt), Tol());
}

INSTANTIATE_TEST_SUITE_P(
    Motions, RateTable,
    testing::Values(
        // Moon-like distances in km with velocities in m/s.
        RateCase{"MoonAboveEquator", {3.0e5, -1.2e5, 4.0e4}, {500, 800, -300}},
        RateCase{"MoonSecondQuadrant", {-2.5e5, 2.9e5, -1.1e5}, {-700, -400, 150}},
        RateCase{"MoonThirdQuadrant", {-3.1e5, -1.9e5, 9.0e4}, {300, -900, 60}},
        RateCase{"AcrossPositiveXAxis", {3.8e5, 0, 1.0e4}, {0, 1000, 0}},
        RateCase{"InThePlaneClimbing", {-1.0e5, -3.0e5, 0}, {10, 20, 1000}},
        RateCase{"NearThePole", {300, 200, 4.0e5}, {-800, 600, 50}},
        // Station-sized vector turning with the Earth.
        RateCase{"StationTurning", {4166.0, 0.0, 4828.0}, {0, 303.8, 0}},
        // Motion along the vector itself changes neither angle.
        RateCase{"PurelyRadial", {1.0e5, 2.0e5, -2.0e5}, {100, 200, -200}}),
    [](const testing::TestParamInfo<RateCase>& info) { return std::string(info.param.name); });

TEST(AngleOfRate, IgnoresTheZComponents) {
  const Vec3 p{3.0e5, -1.2e5, 4.0e4};
  const Vec3 v{500, 800, -300};
  EXPECT_EQ(AngleOfRate(p, v), AngleOfRate({p.x, p.y, -7.0e5}, {v.x, v.y, 9999}));
}

// ---------------------------------------------------------------------------------------------
// VecNorms, VecSub, Hypot, FloatMod

TEST(VecNorms, FillsTheOutputsInOrderRhoRRho2R2) {
  double rho = 0, r = 0, rho2 = 0, r2 = 0;
  VecNorms({3, -4, 12}, rho, r, rho2, r2);
  EXPECT_EQ(rho, 5);
  EXPECT_EQ(r, 13);
  EXPECT_EQ(rho2, 25);
  EXPECT_EQ(r2, 169);
}

TEST(VecSub, SubtractsComponentByComponent) {
  constexpr Vec3 d = VecSub({384400, -2, 0.5}, {6378, 3, 0.5});
  static_assert(d.x == 378022 && d.y == -5 && d.z == 0);
  EXPECT_EQ(d, (Vec3{378022, -5, 0}));
}

TEST(Hypot, IsTheLengthOfTheLeg) {
  EXPECT_EQ(Hypot(3, 4), 5);
  EXPECT_EQ(Hypot(-5, 12), 13);
  EXPECT_EQ(Hypot(0, -7), 7);
  EXPECT_EQ(Hypot(0, 0), 0);
}

struct ModCase {
  const char* name;
  double x, m;
  double expected;
};

void PrintTo(const ModCase& c, std::ostream* os) {
  *os << c.name;
}

class FloatModTable : public testing::TestWithParam<ModCase> {};

TEST_P(FloatModTable, ReducesIntoTheRangeOfM) {
  const ModCase& c = GetParam();
  EXPECT_NEAR(FloatMod(c.x, c.m), c.expected, kModTol);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FloatModTable,
    testing::Values(ModCase{"NegativeWrapsUp", -30, 360, 330},
                    ModCase{"TwoTurnsAndFive", 725, 360, 5},
                    ModCase{"NegativeTwoTurns", -725, 360, 355},
                    ModCase{"InsideUnchanged", 50.25, 360, 50.25}, ModCase{"Zero", 0, 360, 0},
                    ModCase{"ExactlyOneTurn", 360, 360, 0},
                    ModCase{"ExactlyMinusOneTurn", -360, 360, 0},
                    ModCase{"RadianTurn", 7, 6.28318530717958, 7 - 6.28318530717958},
                    // A floored quotient: a negative m gives results in (m, 0].
                    ModCase{"NegativeModulus", 3, -2, -1}),
    [](const testing::TestParamInfo<ModCase>& info) { return std::string(info.param.name); });

// The reduction works on the fraction of turns, (q - floor(q))·m, not x - floor(q)·m: worked
// by hand for 725 / 360, q rounds to 2.01388888888888883954, q - 2 is exact, and times 360
// rounds to 4.999999999999982236431605997495353221893310546875, where the other form would
// give exactly 5. The readouts depend on this last bit.
TEST(FloatMod, WorksOnTheFractionOfTurns) {
  EXPECT_EQ(FloatMod(725, 360), 4.999999999999982236431605997495353221893310546875);
}

}  // namespace
