// SPDX-License-Identifier: GPL-3.0-or-later
// RefreshView on the started window: the captions, and every drawing call of the three views.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "classroom/form/form1.h"
#include "classroom/model/earth.h"
#include "classroom/model/moon.h"
#include "classroom/model/station.h"
#include "classroom/view/refresh_view.h"
#include "classroom/view/scene.h"
#include "tests/support/sky.h"
#include "tests/support/started_form.h"

namespace {

using toolkit::DrawCall;
using toolkit::DrawOp;
using toolkit::DrawOpName;
using toolkit::PictureBox;

using namespace sky;

constexpr double fo = 27604.5;       // km, the Earth's centre right of the ellipse's centre
constexpr double RE15 = 95672.0445;  // km, the Earth drawn 15 times enlarged
constexpr double kKmTol = 0.1;       // km; coordinates reach the surfaces in single precision
constexpr toolkit::Color kWhite = toolkit::RGB(255, 255, 255), kGrey = toolkit::RGB(150, 150, 150),
                         kRed = toolkit::RGB(255, 0, 0);

// A value written with `decimals` places and a sign, as the readouts show it; the value must
// not lie so near a rounding edge that the last digit is in doubt.
std::string Signed(double v, int decimals) {
  const double scaled = std::fabs(v) * std::pow(10, decimals);
  EXPECT_GT(std::fabs(scaled - std::floor(scaled) - 0.5), 1e-6) << v;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%+.*f", decimals, v);
  return buf;
}

// Puts the model in a chosen state: the Moon, the Earth at sidereal angle g (turning), and
// P at a latitude and longitude on the true and the drawn Earth.
void SetState(Vec3 moon, Vec3 vel, double g, double latDeg, double lonDeg) {
  moonPos = moon;
  moonVel = vel;
  SetSiderealAngle(g);
  const Station s = StationAt(latDeg, lonDeg);
  stationPos = s.pos;
  stationPosScaled = Scale(s.zenith, RE15);
  stationFrame = Rows(s.north, s.east, s.zenith);
}

void ExpectCall(const DrawCall& call, DrawOp op, std::vector<double> args, toolkit::Color color) {
  EXPECT_EQ(call.op, op);
  EXPECT_EQ(call.color, color) << DrawOpName(op);
  ASSERT_EQ(call.args.size(), args.size()) << DrawOpName(op);
  for (std::size_t i = 0; i < args.size(); ++i)
    EXPECT_NEAR(call.args[i], args[i], kKmTol) << DrawOpName(op);
}
void ExpectPrint(const DrawCall& call, const char* text, double x, double y) {
  EXPECT_EQ(call.op, DrawOp::Print);
  EXPECT_EQ(call.text, text);
  ASSERT_EQ(call.args.size(), 2u);
  EXPECT_NEAR(call.args[0], x, kKmTol) << text;
  EXPECT_NEAR(call.args[1], y, kKmTol) << text;
}
// The station's X: four segments from its centre, in this order.
void ExpectCross(const std::vector<DrawCall>& j, std::size_t at, double x, double y) {
  const double s = 9019.96035546;
  const double ends[4][2] = {{s, s}, {s, -s}, {-s, s}, {-s, -s}};
  for (int i = 0; i < 4; ++i)
    ExpectCall(j.at(at + i), DrawOp::LineRel, {x + fo, y, ends[i][0], ends[i][1]}, kWhite);
}

// Labels are measured on Picture1 at 14 points, whichever view they go to.
std::pair<double, double> LabelSize(const char* text) {
  PictureBox& p1 = form1().Picture1();
  p1.SetFontSize(14);
  return {p1.TextWidth(text), p1.TextHeight(text)};
}

// The drawn sight line from the drawn P to the Moon, by its polar angle and elevation, and
// the view coordinates (east, north, along the sight line) of a point.
struct Sight {
  double alpha, eps;
  Vec3 east, north, along;
  Vec3 View(Vec3 p) const { return {Dot(east, p), Dot(north, p), Dot(along, p)}; }
};
Sight DrawnSight(Vec3 moonFixed) {
  const Vec3 s = VecSub(moonFixed, stationPosScaled);
  const double alpha = std::atan2(s.y, s.x), eps = std::atan2(s.z, std::hypot(s.x, s.y));
  const double ca = std::cos(alpha), sa = std::sin(alpha), ce = std::cos(eps), se = std::sin(eps);
  return {alpha, eps, {-sa, ca, 0}, {-ca * se, -sa * se, ce}, {ca * ce, sa * ce, se}};
}

class ViewTest : public StartedFormTest {
 protected:
  // Runs one update with every surface journaling from a clean start.
  void Refresh(RefreshMode mode) {
    for (PictureBox* p : Pictures()) {
      p->ClearJournal();
      p->StartJournal();
    }
    RefreshView(mode);
  }
  static std::vector<PictureBox*> Pictures() {
    return {&form1().Picture1(), &form1().Picture2(), &form1().Picture3()};
  }
};

TEST_F(ViewTest, StartUpCaptionsFollowFromTheStartingState) {
  // Moon at perigee on the unturned orbit, P at 8957/16384 of 90° north on the meridian 0,
  // the Earth held: all from the starting figures, computed here by a separate route.
  const double vPerigee = 1016.0931709672512 * std::sqrt(0.99485911) / 0.9283;
  const double tilt = 0.5014330940979704;
  const Vec3 moon{385000 * 0.9283, 0, 0};
  const Vec3 vel{0, vPerigee * std::cos(tilt), vPerigee * std::sin(tilt)};
  const double f = 8957.0 / 16384 * 90 * kDeg;
  const Vec3 P{6378.1363 * std::cos(f), 0, 6378.1363 * std::sin(f)};
  const Vec3 north{-std::sin(f), 0, std::cos(f)}, zenith{std::cos(f), 0, std::sin(f)};
  const Vec3 los = VecSub(moon, P);
  const double dist = Len(los);
  const Vec3 u = Scale(los, 1 / dist);
  // The north of the sight line, and the rate of its elevation above the equator.
  const Vec3 up{0, 0, 1};
  const Vec3 sightNorth = Scale(VecSub(up, Scale(u, u.z)), 1 / std::sqrt(1 - u.z * u.z));
  const double rho = std::hypot(los.x, los.y);
  const double rhoRate = (los.x * vel.x + los.y * vel.y) / rho;
  const double decRate = (rho * vel.z - los.z * rhoRate) / (dist * dist);
  const double vDc = -Dot(sightNorth, P) * decRate;
  const double vFin = Dot(u, vel);
  const double el = std::asin(Dot(u, zenith)) / kDeg;
  // The Moon stands in P's meridian plane, due south: azimuth 180°.
  EXPECT_LT(Dot(u, north), 0);

  const Form1& w = form1();
  EXPECT_EQ(w.Label5(0).Caption(), " El= " + Signed(el, 3) + "° ");
  EXPECT_EQ(w.Label5(1).Caption(), " Az= 180.000° ");
  EXPECT_EQ(w.Label2(0).Caption(), " vRad= 0.000 m/s ");
  EXPECT_EQ(w.Label2(5).Caption(), " vTan= " + Signed(vPerigee, 3).substr(1) + " m/s ");
  EXPECT_EQ(w.Label2(1).Caption(), " vAD= 0.000 m/s ");
  EXPECT_EQ(w.Label2(2).Caption(), " vDc= " + Signed(vDc, 3) + " m/s ");
  EXPECT_EQ(w.Label2(3).Caption(), " vRot= 0.000 m/s ");
  EXPECT_EQ(w.Label2(4).Caption(), " vFin= " + Signed(vFin, 3) + " m/s ");
  EXPECT_EQ(w.Label2(6).Caption(), " AD: 0 Hz ");
  EXPECT_EQ(w.Label2(7).Caption(), " Dc: " + Signed(-69.167851 * vDc, 0) + " Hz ");
  EXPECT_EQ(w.Label2(8).Caption(), " Rot: 0 Hz ");
  EXPECT_EQ(w.Label2(9).Caption(), " Final: " + Signed(-69.167851 * vFin, 0) + " Hz ");
}

class ModeTest : public ViewTest, public testing::WithParamInterface<RefreshMode> {};

TEST_P(ModeTest, OnlyTheEarthFixedModeShowsTheNotice) {
  Refresh(GetParam());
  const bool fixed = GetParam() == RefreshMode::EarthFixed;
  const std::string vRot = form1().Label2(3).Caption(), rot = form1().Label2(8).Caption();
  EXPECT_EQ(vRot == " Terre fixe! ", fixed);
  EXPECT_EQ(rot == " Terre fixe! ", fixed);
  if (!fixed) {
    EXPECT_EQ(vRot, " vRot= 0.000 m/s ");
    EXPECT_EQ(rot, " Rot: 0 Hz ");
  }
  EXPECT_EQ(form1().Label2(4).Caption().substr(0, 7), " vFin= ");
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeTest,
                         testing::Values(RefreshMode::Plain, RefreshMode::EarthTurning,
                                         RefreshMode::EarthFixed, RefreshMode::Coupled));

struct SceneCase {
  const char* name;
  Vec3 moon;
  double g, lat, lon;
  bool behind;  // the drawn P behind the plane across the sight line through the Earth
};

void PrintTo(const SceneCase& k, std::ostream* os) {
  *os << k.name;
}

class SceneTest : public ViewTest, public testing::WithParamInterface<SceneCase> {};

TEST_P(SceneTest, EveryViewDrawsItsCallsInOrder) {
  const SceneCase& k = GetParam();
  SetState(k.moon, {300, -800, 400}, k.g, k.lat, k.lon);
  Refresh(RefreshMode::EarthTurning);
  const Vec3 moonFixed = TurnEarth(k.g, k.moon);
  const Sight sv = DrawnSight(moonFixed);
  const Vec3 L = sv.View(moonFixed), P = sv.View(stationPosScaled);
  // The Moon lies on the sight line from P: same east and north, further along it.
  EXPECT_NEAR(L.x, P.x, 1e-6);
  EXPECT_NEAR(L.y, P.y, 1e-6);
  // The grey sight line starts at P when P is behind the plane through the Earth's centre
  // across the sight line, and at that plane otherwise.
  EXPECT_EQ(P.z < 0, k.behind);
  const double rear = k.behind ? P.z : 0;
  const double ca = std::cos(sv.alpha), sa = std::sin(sv.alpha);
  const double ce = std::cos(sv.eps), se = std::sin(sv.eps);
  const auto [wL, hL] = LabelSize("L");
  const auto [wP, hP] = LabelSize("P");
  const double reach = 616000;

  // Picture2: horizontal along the sight line, vertical north.
  const auto& j2 = form1().Picture2().Journal();
  ASSERT_EQ(j2.size(), 16u);
  EXPECT_EQ(j2[0].op, DrawOp::Cls);
  ExpectCall(j2[1], DrawOp::Circle, {L.z + fo, L.y, 26049.01}, kWhite);
  ExpectCall(j2[2], DrawOp::Circle, {L.z + fo, L.y, 1736.6007}, kWhite);
  ExpectPrint(j2[3], "L", wL * -0.4 + L.z + fo, L.y - hL * 1.7);
  ExpectCross(j2, 4, P.z, P.y);
  ExpectPrint(j2[8], "P", -wP + P.z + fo, P.y - hP * 1.2);
  ExpectCall(j2[9], DrawOp::Line, {rear + fo, L.y, L.z + fo, L.y}, kGrey);
  ExpectCall(j2[10], DrawOp::Line, {L.z + fo, 0, L.z + fo, L.y}, kGrey);
  // The polar axis seen in this plane: along-sight part se, north part ce.
  ExpectCall(j2[11], DrawOp::Line,
             {-2 * se * RE15 + fo, -2 * ce * RE15, 2 * se * RE15 + fo, 2 * ce * RE15}, kRed);
  ExpectCall(j2[12], DrawOp::Line, {ce * RE15 + fo, -se * RE15, -ce * RE15 + fo, se * RE15}, kRed);
  EXPECT_TRUE(form1().Picture2().FontTransparent());
  // Then the distances along the true sight line from the Earth's centre, in verdana.
  const Vec3 los = VecSub(moonFixed, stationPos);
  const Vec3 u = Scale(los, 1 / Len(los));
  const double distances[3] = {Dot(u, stationPos), Dot(u, moonFixed), Len(los)};
  const char* names[3] = {"Pz = ", "Lz = ", "PL = "};
  for (int i = 0; i < 3; ++i) {
    const std::string& text = j2[13 + i].text;
    double value = 0;
    ASSERT_EQ(text.rfind(names[i], 0), 0u) << text;
    ASSERT_EQ(std::sscanf(text.c_str() + 5, "%lf", &value), 1) << text;
    EXPECT_EQ(text.substr(text.size() - 3), " km");
    EXPECT_NEAR(value, distances[i], 0.0005);
    ExpectPrint(j2[13 + i], text.c_str(), 200000, -110000 - 40000 * i);
  }
  EXPECT_EQ(form1().Picture2().FontName(), "verdana");

  // Picture3: the sight line's meridian plane; across the polar axis toward the sight line's
  // polar angle, and up the polar axis.
  const auto meridian = [&](Vec3 fixed) {
    return std::pair{ca * fixed.x + sa * fixed.y + fo, fixed.z};
  };
  const auto fromView = [&](Vec3 v) {
    return Add(Add(Scale(sv.east, v.x), Scale(sv.north, v.y)), Scale(sv.along, v.z));
  };
  const auto [mx, mz] = meridian(moonFixed);
  const auto [qx, qz] = meridian(stationPosScaled);
  const auto [k1x, k1z] = meridian(fromView({L.x, L.y, rear}));
  const auto [k2x, k2z] = meridian(fromView({L.x, 0, L.z}));
  const auto& j3 = form1().Picture3().Journal();
  ASSERT_EQ(j3.size(), 16u);
  EXPECT_EQ(j3[0].op, DrawOp::Cls);
  ExpectCall(j3[1], DrawOp::Circle, {mx, mz, 26049.01}, kWhite);
  ExpectCall(j3[2], DrawOp::Circle, {mx, mz, 1736.6007}, kWhite);
  ExpectPrint(j3[3], "L", wL * 2.2 + mx, mz - hL * 0.5);
  ExpectCross(j3, 4, qx - fo, qz);
  ExpectPrint(j3[8], "P", wP + qx, qz - hP * 1.3);
  ExpectCall(j3[9], DrawOp::Line, {fo, 0, reach * ce + fo, reach * se}, kWhite);
  ExpectCall(j3[10], DrawOp::Line, {-reach * se + fo, reach * ce, reach * se + fo, -reach * ce},
             kWhite);
  ExpectCall(j3[11], DrawOp::Line, {mx, mz, k1x, k1z}, kGrey);
  ExpectCall(j3[12], DrawOp::Line, {mx, mz, k2x, k2z}, kGrey);
  PictureBox& p3 = form1().Picture3();
  const double h3 = p3.TextHeight("z");
  EXPECT_LT(h3, 0);  // y points up
  ExpectPrint(j3[13], "z", 555000, 555000 * se - 1.2 * h3);
  ExpectPrint(j3[14], "y", -225000 * std::tan(sv.eps) + 40000, 235000);
  ExpectPrint(j3[15], "y'", 225000 * std::tan(sv.eps) + 40000, -195000);

  // Picture1: the plane of the sight line and east, laid into the equator at the sight
  // line's polar angle.
  const auto laid = [&](Vec3 v) {
    return std::pair{v.z * ca - v.x * sa + fo, v.z * sa + v.x * ca};
  };
  const auto [ax, ay] = laid(L);
  const auto [bx, by] = laid(P);
  const auto [c1x, c1y] = laid({L.x, L.y, rear});
  const auto [c3x, c3y] = laid({0, L.y, L.z});
  const auto& j1 = form1().Picture1().Journal();
  ASSERT_EQ(j1.size(), 16u);
  EXPECT_EQ(j1[0].op, DrawOp::Cls);
  ExpectCall(j1[1], DrawOp::Circle, {ax, ay, 26049.01}, kWhite);
  ExpectCall(j1[2], DrawOp::Circle, {ax, ay, 1736.6007}, kWhite);
  ExpectPrint(j1[3], "L", wL * -1.4 + ax, ay - hL * 1.7);
  ExpectCross(j1, 4, bx - fo, by);
  ExpectPrint(j1[8], "P", wP + bx, by - hP * 1.2);
  ExpectCall(j1[9], DrawOp::Line, {fo, 0, reach * ca + fo, reach * sa}, kWhite);
  ExpectCall(j1[10], DrawOp::Line, {-reach * sa + fo, reach * ca, reach * sa + fo, -reach * ca},
             kWhite);
  ExpectCall(j1[11], DrawOp::Circle, {ca * se * RE15 + fo, sa * se * RE15, 6378.1363}, kWhite);
  ExpectCall(j1[12], DrawOp::Line, {ax, ay, c1x, c1y}, kGrey);
  ExpectCall(j1[13], DrawOp::Line, {ax, ay, c3x, c3y}, kGrey);
  PictureBox& p1 = form1().Picture1();
  p1.SetFontSize(12);
  const double h1 = std::fabs(p1.TextHeight("x'"));
  ExpectPrint(j1[14], "x", ca * h1 / 1.2 - 350000 * sa + fo, -sa * h1 / 1.2 + 350000 * ca);
  ExpectPrint(j1[15], "x'", fo + 350000 * sa - ca * h1, -sa * h1 / 1.6 - 350000 * ca);
}

INSTANTIATE_TEST_SUITE_P(
    States, SceneTest,
    testing::Values(SceneCase{"StationFacingMoon", {300000, 150000, 120000}, 0.4, 35, 330, false},
                    SceneCase{"StationBehind", {-250000, 260000, -90000}, 2.0, -40, 200, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ViewTest, SightLineInTheEquatorShowsTheAxisUpright) {
  // P on the equator and the Moon in the equatorial plane: the drawn sight line has no
  // elevation, so the polar axis stands vertical and the pole falls on the Earth's centre.
  SetState({300000, -200000, 0}, {500, 500, 0}, 0.9, 0, 40);
  Refresh(RefreshMode::EarthTurning);
  const auto& j2 = form1().Picture2().Journal();
  ExpectCall(j2.at(11), DrawOp::Line, {fo, -191344.089, fo, 191344.089}, kRed);
  ExpectCall(j2.at(12), DrawOp::Line, {fo + RE15, 0, fo - RE15, 0}, kRed);
  ExpectCall(form1().Picture1().Journal().at(11), DrawOp::Circle, {fo, 0, 6378.1363}, kWhite);
}

TEST_F(ViewTest, LabelAndCrossOnAnUnknownViewDrawNothing) {
  for (PictureBox* p : Pictures()) {
    p->SetFontSize(9);
    p->SetFontTransparent(false);
    p->ClearJournal();
    p->StartJournal();
  }
  DrawLabel(4, 1000, 2000, 1, 1, "L");
  DrawCross(0, 1000, 2000, kWhite);
  for (PictureBox* p : Pictures()) {
    EXPECT_EQ(p->FontSize(), 14);
    EXPECT_FALSE(p->FontTransparent());
    EXPECT_TRUE(p->Journal().empty());
  }
}

}  // namespace
