// SPDX-License-Identifier: GPL-3.0-or-later
// The station sliders: readouts, P on the Earth, its horizon frame, and the Earth held still.
#include <gtest/gtest.h>

#include <ostream>

#include "classroom/model/station.h"
#include "tests/classroom/interaction/started_window.h"

namespace {

constexpr double kKmTol = 1e-9;
constexpr double kUnitTol = 1e-12;

// A position differing from pos, so that setting pos afterwards raises a Change.
void MoveAwayFrom(toolkit::HScrollBar& s, int pos) {
  if (s.Value() == pos) s.SetValue(pos == 1 ? 2 : 1);
}

double Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Row(const Mat3& m, int i) {
  return {m(i, 0), m(i, 1), m(i, 2)};
}

// P on a sphere of radius r, with the longitude angle counted clockwise seen from the north.
Vec3 Surface(double latDeg, double lonDeg, double r) {
  const double phi = latDeg * kDeg;
  const double lambda = lonDeg * kDeg;
  return {r * std::cos(phi) * std::cos(lambda), -r * std::cos(phi) * std::sin(lambda),
          r * std::sin(phi)};
}

void ExpectNear(const Vec3& a, const Vec3& b, double tol) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
}

struct LatitudeCase {
  const char* name;
  int position;
  const char* text;
};
void PrintTo(const LatitudeCase& c, std::ostream* os) {
  *os << c.name;
}

class Latitude : public StartedWindow, public ::testing::WithParamInterface<LatitudeCase> {};

TEST_P(Latitude, ReadoutPositionAndHorizonFrame) {
  const LatitudeCase& c = GetParam();
  MoveAwayFrom(f->HScroll2(0), c.position);
  f->HScroll2(0).SetValue(c.position);
  EXPECT_EQ(f->Label9(0).Caption(), c.text);

  // 16384 positions are a quarter turn; the longitude stays 0.
  const double lat = c.position * 90.0 / 16384;
  ExpectNear(stationPos, Surface(lat, 0, 6378.1363), kKmTol);
  ExpectNear(stationPosScaled, Surface(lat, 0, 95672.0445), 1e-8);

  // Zenith is P's own direction; north the way P goes as the latitude grows (a central
  // difference); east the way the Earth's turning about +z carries it, z × P, at longitude 0
  // the +y axis.
  const double h = 1e-4;  // degrees
  const Vec3 up = Surface(lat + h, 0, 1);
  const Vec3 down = Surface(lat - h, 0, 1);
  const Vec3 north{(up.x - down.x) / (2 * h * kDeg), (up.y - down.y) / (2 * h * kDeg),
                   (up.z - down.z) / (2 * h * kDeg)};
  ExpectNear(Row(stationFrame, 0), north, 1e-8);
  ExpectNear(Row(stationFrame, 1), Vec3{0, 1, 0}, kUnitTol);
  ExpectNear(Row(stationFrame, 2), Surface(lat, 0, 1), kUnitTol);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      EXPECT_NEAR(Dot(Row(stationFrame, i), Row(stationFrame, j)), i == j ? 1 : 0, kUnitTol);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Range, Latitude,
                         ::testing::Values(LatitudeCase{"Equator", 0, " 0.0° N "},
                                           LatitudeCase{"SouthEnd", -16383, " 90.0° S "},
                                           LatitudeCase{"NorthEnd", 16384, " 90.0° N "},
                                           LatitudeCase{"StartUp", 8957, " 49.2° N "},
                                           LatitudeCase{"South", -8957, " 49.2° S "},
                                           LatitudeCase{"JustSouth", -1, " 0.0° S "}),
                         [](const ::testing::TestParamInfo<LatitudeCase>& i) {
                           return std::string(i.param.name);
                         });

struct LongitudeCase {
  const char* name;
  int position;
  const char* text;
};
void PrintTo(const LongitudeCase& c, std::ostream* os) {
  *os << c.name;
}

class Longitude : public StartedWindow, public ::testing::WithParamInterface<LongitudeCase> {};

TEST_P(Longitude, ReadoutAndPosition) {
  const LongitudeCase& c = GetParam();
  MoveAwayFrom(f->HScroll2(1), c.position);
  f->HScroll2(1).SetValue(c.position);
  EXPECT_EQ(f->Label9(1).Caption(), c.text);
  // Start-up left the latitude at 8957 / 16384 × 90°.
  ExpectNear(stationPos, Surface(8957 * 90.0 / 16384, c.position * 360.0 / 32767, 6378.1363),
             kKmTol);
  // East is the direction z × P of the ground's motion as the Earth turns.
  const Vec3 p = Surface(8957 * 90.0 / 16384, c.position * 360.0 / 32767, 1);
  const double rho = std::hypot(p.x, p.y);
  ExpectNear(Row(stationFrame, 1), Vec3{-p.y / rho, p.x / rho, 0}, kUnitTol);
}

INSTANTIATE_TEST_SUITE_P(
    Range, Longitude,
    ::testing::Values(LongitudeCase{"Zero", 0, " 0.0° "},
                      // 90.0027°: the second coordinate is -6378.1363 km × cos φ.
                      LongitudeCase{"QuarterOf32768", 8192, " 90.0° "},
                      LongitudeCase{"Half", 16384, " 180.0° "},
                      // One full turn: P stands where it stands at 0.
                      LongitudeCase{"FullTurn", 32767, " 360.0° "}),
    [](const ::testing::TestParamInfo<LongitudeCase>& i) { return std::string(i.param.name); });

using StationControls = StartedWindow;

TEST_F(StationControls, StationChangeStopsAndResetsTheTurningEarth) {
  f->HScroll1(1).SetValue(6000);
  ASSERT_FALSE(EarthFixedShown());
  ASSERT_NE(EarthRotRate, MatZero());
  const std::string sidereal = f->Label3().Caption();
  f->HScroll2(1).SetValue(3000);
  EXPECT_TRUE(EarthFixedShown());
  EXPECT_EQ(EarthRot, MatIdentity());
  EXPECT_EQ(EarthRotRate, MatZero());
  EXPECT_EQ(f->HScroll1(1).Value(), 6000);
  EXPECT_EQ(f->Label3().Caption(), sidereal);
}

TEST_F(StationControls, TagOneUpdatesTheStationWithoutRefreshing) {
  ForgetRefreshes();
  f->HScroll2(0).Tag = "1";
  f->HScroll2(0).SetValue(-16383);
  EXPECT_EQ(Refreshes(), 0);
  EXPECT_FALSE(EarthFixedShown());  // still the start-up readouts
  EXPECT_EQ(f->Label9(0).Caption(), " 90.0° S ");
  EXPECT_LT(stationPos.z, -6378);
  f->HScroll2(1).SetValue(100);  // the tag of the latitude slider governs both
  EXPECT_EQ(Refreshes(), 0);
  f->HScroll2(0).Tag = "";
  f->HScroll2(0).SetValue(0);
  EXPECT_EQ(Refreshes(), 1);
  EXPECT_TRUE(EarthFixedShown());
}

// The Moon rising due east of a station on the equator, as a teacher sets it up: the
// latitude slider to 0, then the sidereal slider to 24576. The Earth carries P east at
// 465.10 m/s, almost straight at the Moon, so the rotation share is close to that whole
// speed; P runs toward the Moon, so the echo is raised by about 32 kHz, while the rotation
// share, the station's speed along the line of sight, reads with a plus sign.
TEST_F(StationControls, MoonRisingDueEastOfAnEquatorialStation) {
  f->HScroll2(0).SetValue(0);
  f->HScroll1(1).SetValue(24576);
  EXPECT_EQ(f->Label5(0).Caption(), " El= -1.014° ");
  EXPECT_EQ(f->Label2(1).Caption(), " vAD= -17.393 m/s ");
  EXPECT_EQ(f->Label2(3).Caption(), " vRot= +465.197 m/s ");
  EXPECT_EQ(f->Label2(4).Caption(), " vFin= -447.946 m/s ");
  EXPECT_EQ(f->Label2(6).Caption(), " AD: +1203 Hz ");
  EXPECT_EQ(f->Label2(8).Caption(), " Rot: -32177 Hz ");
  EXPECT_EQ(f->Label2(9).Caption(), " Final: +30983 Hz ");
}

}  // namespace
