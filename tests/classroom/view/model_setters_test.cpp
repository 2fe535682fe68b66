// SPDX-License-Identifier: GPL-3.0-or-later
// The setters that draw or write a caption, on the started window: the first Moon on the orbit
// view, the node line in Picture1's background layer, and the declination readout.
#include "classroom/view/model_setters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "classroom/model/earth.h"
#include "classroom/model/orbit.h"
#include "tests/support/started_form.h"
#include "toolkit/color.h"
#include "toolkit/picture_box.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr float kFloatKm = 0.05f;  // single-precision coordinates near 6e5 km
constexpr toolkit::Color kWhite = toolkit::RGB(255, 255, 255);
constexpr toolkit::Color kCyan = toolkit::RGB(0, 255, 255);
constexpr toolkit::Color kBlue = toolkit::RGB(0, 0, 255);

using SettersTest = StartedFormTest;

std::vector<toolkit::DrawCall> Journal(toolkit::PictureBox& p, auto draw) {
  p.StartJournal();
  draw();
  std::vector<toolkit::DrawCall> calls = p.Journal();
  p.StopJournal();
  return calls;
}

TEST_F(SettersTest, InitMoonOrbitDrawsTheMoonAtPerigeeAndTheLineFromTheEarth) {
  toolkit::PictureBox& p = StartForm().Picture1();
  const auto calls = Journal(p, [] { InitMoonOrbit(0); });
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].op, toolkit::DrawOp::Cls);
  // Perigee is a(1 - e) from the Earth, which stands a·e right of the centre: x = a.
  EXPECT_EQ(calls[1], (toolkit::DrawCall{toolkit::DrawOp::Circle,
                                         {385000, 0, 26049.009765625f},
                                         kWhite,
                                         toolkit::DrawStyle::Solid,
                                         ""}));
  EXPECT_EQ(
      calls[2],
      (toolkit::DrawCall{
          toolkit::DrawOp::Line, {27604.5f, 0, 385000, 0}, kWhite, toolkit::DrawStyle::Solid, ""}));
}

struct NodeLineCase {
  const char* name;
  double theta;
  float cyanX, cyanY, blueX, blueY, markX, markY;  // "D" mirrors "A" through the centre
};

void PrintTo(const NodeLineCase& c, std::ostream* os) {
  *os << c.name;
}

class NodeLineTest : public SettersTest, public testing::WithParamInterface<NodeLineCase> {};

// Each half reaches 385000 × 1.6 = 616000 km from the Earth at (27604.5, 0); the marks
// stand at 616000 / 1.8 = 342222.2 km from the ellipse's centre.
INSTANTIATE_TEST_SUITE_P(Angles, NodeLineTest,
                         testing::Values(NodeLineCase{"Zero", 0, 643604.5f, 0, -588395.5f, 0,
                                                      342222.2f, 0},
                                         NodeLineCase{"QuarterTurn", std::numbers::pi / 2, 27604.5f,
                                                      616000, 27604.5f, -616000, 0, 342222.2f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(NodeLineTest, DrawsDottedHalvesAndRaisedMarks) {
  const NodeLineCase& c = GetParam();
  toolkit::PictureBox& p = StartForm().Picture1();
  const auto calls = Journal(p, [&] { SetNodeLine(c.theta); });
  ASSERT_EQ(calls.size(), 4u);
  const toolkit::DrawCall& cyan = calls[0];
  const toolkit::DrawCall& blue = calls[1];
  EXPECT_EQ(cyan.op, toolkit::DrawOp::Line);
  EXPECT_EQ(cyan.color, kCyan);
  EXPECT_EQ(blue.color, kBlue);
  for (const toolkit::DrawCall* line : {&cyan, &blue}) {
    EXPECT_EQ(line->drawStyle, toolkit::DrawStyle::Dot);
    EXPECT_EQ(line->args[0], 27604.5f);
    EXPECT_EQ(line->args[1], 0.0f);
  }
  EXPECT_NEAR(cyan.args[2], c.cyanX, kFloatKm);
  EXPECT_NEAR(cyan.args[3], c.cyanY, kFloatKm);
  EXPECT_NEAR(blue.args[2], c.blueX, kFloatKm);
  EXPECT_NEAR(blue.args[3], c.blueY, kFloatKm);

  // Both marks are raised by 1.8 times the width of "A" in the marks' font.
  const double h = p.TextWidth("A") * 1.8;
  EXPECT_GT(h, 0);
  EXPECT_EQ(p.FontName(), "tahoma");
  EXPECT_EQ(p.FontSize(), 12);
  for (const auto& [call, text, sign] :
       {std::tuple{calls[2], "A", 1.0f}, std::tuple{calls[3], "D", -1.0f}}) {
    EXPECT_EQ(call.op, toolkit::DrawOp::Print);
    EXPECT_EQ(call.text, text);
    EXPECT_EQ(call.drawStyle, toolkit::DrawStyle::Solid);
    EXPECT_NEAR(call.args[0], sign * c.markX, kFloatKm);
    EXPECT_NEAR(call.args[1], sign * c.markY + h, kFloatKm);
  }
}

TEST_F(SettersTest, RepeatedCallsLeaveOneNodeLine) {
  toolkit::PictureBox& first = StartForm().Picture1();
  SetNodeLine(0.4);
  const toolkit::Picture earlier = first.Picture();
  SetNodeLine(2.1);
  const toolkit::Picture twice = first.Picture();
  // Cls restores the node line layer under the moving parts.
  first.Circle(0, 0, 50000, kWhite);
  first.Cls();
  EXPECT_TRUE(first.Image().SamePixels(twice));

  toolkit::PictureBox& fresh = StartForm().Picture1();
  EXPECT_FALSE(fresh.Picture().SamePixels(twice));  // the line did reach the layer
  SetNodeLine(2.1);
  EXPECT_TRUE(fresh.Picture().SamePixels(twice));
  EXPECT_TRUE(nodeLinePicture.SamePixels(twice));
  EXPECT_FALSE(earlier.SamePixels(twice));
}

// Start-up leaves the Moon at perigee exactly on the equator: the zero section, no sign.
TEST_F(SettersTest, StartUpDeclinationIsUnsignedZero) {
  EXPECT_EQ(StartForm().Label1(1).Caption(), " 0.000° ");
}

// With the node line at 0 the declination is the tilt times sin(nu): the full tilt a quarter
// turn after the node, north then south.
TEST_F(SettersTest, DeclinationReadoutReachesTheTilt) {
  Form1& f = StartForm();
  MoveMoon(kPi / 2, 1);
  EXPECT_EQ(f.Label1(1).Caption(), " +28.730° ");
  MoveMoon(3 * kPi / 2, 1);
  EXPECT_EQ(f.Label1(1).Caption(), " -28.730° ");
  MoveMoon(kPi, 1);
  const std::string node = f.Label1(1).Caption();
  EXPECT_TRUE(node == " +0.000° " || node == " -0.000° " || node == " 0.000° ") << node;
}

TEST_F(SettersTest, OnlyHoldEarthOneZeroesTheRotationRate) {
  StartForm();
  SetSiderealAngle(0.7);
  const Mat3 rate = EarthRotRate;
  MoveMoon(2.0, 0);
  EXPECT_EQ(EarthRotRate, rate);
  MoveMoon(2.0, 2);  // only 1 holds the Earth
  EXPECT_EQ(EarthRotRate, rate);
  MoveMoon(2.0, 1);
  EXPECT_EQ(EarthRotRate, MatZero());
  EXPECT_NEAR(trueAnomaly, 2.0, 1e-12);
}

}  // namespace
