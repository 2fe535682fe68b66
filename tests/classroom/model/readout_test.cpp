// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's motion seen from P and the Doppler readouts, checked against independent routes.
#include "classroom/model/readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "tests/classroom/model/readout_input.h"
#include "tests/support/sky.h"

namespace {

using namespace sky;

constexpr double kRateTol = 1e-5;  // m/s, finite differences and rounding
constexpr double kZeroTol = 1e-9;  // m/s, shares that vanish up to rounding

struct SkyCase {
  const char* name;
  double lat, lon, g;
  bool turning;
  Vec3 moonPos, moonVel;
};

void PrintTo(const SkyCase& k, std::ostream* os) {
  *os << k.name;
}

class SkyTest : public testing::TestWithParam<SkyCase> {};

TEST_P(SkyTest, RangeRateDistanceAndDirectionAgreeWithIndependentRoutes) {
  const SkyCase& k = GetParam();
  const Station s = StationAt(k.lat, k.lon);
  const Readout r = ComputeReadout(MakeInput(s, k.moonPos, k.moonVel, k.g, k.turning));
  const double omega = k.turning ? kOmega : 0;

  // Range rate: the P-to-Moon distance a moment before and after, the Moon moving on and the
  // Earth turning under it; km/s times 1000 gives m/s.
  const auto distance = [&](double t) {
    const Vec3 moon = Add(k.moonPos, Scale(k.moonVel, t / 1000));
    return Len(VecSub(TurnEarth(k.g + omega * t, moon), s.pos));
  };
  const double dt = 1;
  EXPECT_NEAR(r.vFin, (distance(dt) - distance(-dt)) / (2 * dt) * 1000, kRateTol);

  // The same as the Moon's velocity relative to the turning Earth along the sight line:
  // v - ω×p in equatorial axes, then turned into Earth-fixed ones.
  const Vec3 los = VecSub(TurnEarth(k.g, k.moonPos), s.pos);
  const Vec3 u = Scale(los, 1 / Len(los));
  const Vec3 spin{omega * 1000 * k.moonPos.y, -omega * 1000 * k.moonPos.x, 0};
  EXPECT_NEAR(r.vFin, Dot(u, TurnEarth(k.g, Add(k.moonVel, spin))), kRateTol);

  EXPECT_NEAR(r.PL, Len(r.lineOfSight), 1e-8);
  EXPECT_NEAR(r.PL, Len(los), 1e-8);
  EXPECT_NEAR(r.El, std::asin(Dot(u, s.zenith)) / kDeg, 1e-9);
  double az = std::atan2(Dot(u, s.east), Dot(u, s.north)) / kDeg;
  if (az <= 0) az += 360;
  EXPECT_NEAR(r.Az, az, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    States, SkyTest,
    testing::Values(
        SkyCase{"NorthernPerigee", 49.2, 0, 0, true, {357395.5, 0, 0}, {0, 957.356, 524.789}},
        SkyCase{"SouthernTurned",
                -33.9,
                151.2,
                1.3,
                true,
                {-120000, 300000, 150000},
                {-900, -350, 200}},
        SkyCase{"HeldEarth", 10, 250, 0, false, {200000, -250000, -120000}, {700, 600, -300}},
        SkyCase{"MoonLow", 60, 30, 4.0, true, {50000, -370000, 90000}, {1000, 100, -450}}),
    [](const auto& info) { return std::string(info.param.name); });

class StationOnMoonLineTest : public testing::TestWithParam<SkyCase> {};

// P between the Earth's centre and the Moon: P has no east or north component across the
// sight line, and u̇ is perpendicular to u, so no share but the Moon's own motion remains.
TEST_P(StationOnMoonLineTest, StationSharesVanish) {
  const SkyCase& k = GetParam();
  const Station s = StationAt(k.lat, k.lon);
  const double dist = 380000;
  const Vec3 moonPos = TurnEarth(-k.g, Scale(s.zenith, dist));
  const Readout r = ComputeReadout(MakeInput(s, moonPos, k.moonVel, k.g, k.turning));
  EXPECT_NEAR(r.vAD, 0, kZeroTol);
  EXPECT_NEAR(r.vDc, 0, kZeroTol);
  EXPECT_NEAR(r.stationSightRate, 0, kZeroTol);
  EXPECT_NEAR(r.vRot, 0, kZeroTol);
  EXPECT_NEAR(r.PL, dist - kEarthR, 1e-8);
}

INSTANTIATE_TEST_SUITE_P(
    States, StationOnMoonLineTest,
    testing::Values(SkyCase{"Held", 49.2, 0, 0, false, {}, {0, 957.356, 524.789}},
                    SkyCase{"Turning", -20, 75, 2.2, true, {}, {-400, 800, 300}}),
    [](const auto& info) { return std::string(info.param.name); });

class RotationShareTest : public testing::TestWithParam<SkyCase> {};

// The station term u̇·P is vAD - vDc plus what the Earth's rotation adds. Held, that share is
// zero although vAD is not; turning at sidereal angle 0 it is what the rotation velocity
// w = ω×p of the Moon alone does to u: u̇ = (w - (u·w)u) / r, taken against P.
TEST_P(RotationShareTest, IsTheStationTermLessTheMoonsOwnMotion) {
  const SkyCase& k = GetParam();
  const Station s = StationAt(k.lat, k.lon);
  const Readout held = ComputeReadout(MakeInput(s, k.moonPos, k.moonVel, 0, false));
  EXPECT_GT(std::fabs(held.vAD), 1.0);
  EXPECT_NEAR(held.vRot, 0, kZeroTol);

  const Readout turning = ComputeReadout(MakeInput(s, k.moonPos, k.moonVel, 0, true));
  const Vec3 los = VecSub(k.moonPos, s.pos);
  const double dist = Len(los);
  const Vec3 u = Scale(los, 1 / dist);
  const Vec3 w{kOmega * 1000 * k.moonPos.y, -kOmega * 1000 * k.moonPos.x, 0};
  const Vec3 uDot = Scale(VecSub(w, Scale(u, Dot(u, w))), 1 / dist);
  EXPECT_GT(std::fabs(turning.vAD), 1.0);
  EXPECT_NEAR(turning.vRot, Dot(uDot, s.pos), kZeroTol);
  EXPECT_NEAR(turning.Rot, kDopplerFactor * Dot(uDot, s.pos), 1e-7);
}

INSTANTIATE_TEST_SUITE_P(
    States, RotationShareTest,
    testing::Values(
        SkyCase{"Paris", 48.85, 357.65, 0, false, {100000, 340000, 140000}, {-950, 250, 180}},
        SkyCase{"Sydney", -33.9, 151.2, 0, false, {-120000, 300000, 150000}, {-900, -350, 200}},
        SkyCase{"Quito", -0.2, 78.5, 0, false, {250000, -250000, -60000}, {700, 700, -400}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
