// The Earth's rotation matrices, and what the orbit view receives from the model's drawing.
#include "model/earth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "model/orbit.h"
#include "tests/model/model_window.h"

namespace {

constexpr double kOmega = 7.292115855306615e-5;  // rad/s, the Earth's sidereal rate
constexpr float kFloatKm = 0.05f;                // single-precision coordinates near 6e5 km
constexpr toolkit::Color kWhite = toolkit::RGB(255, 255, 255);
constexpr toolkit::Color kCyan = toolkit::RGB(0, 255, 255);
constexpr toolkit::Color kBlue = toolkit::RGB(0, 0, 255);

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

std::vector<toolkit::DrawCall> Journal(toolkit::PictureBox& p, auto draw) {
  p.StartJournal();
  draw();
  std::vector<toolkit::DrawCall> calls = p.Journal();
  p.StopJournal();
  return calls;
}

TEST(OrbitDrawing, InitMoonOrbitDrawsTheMoonAtPerigeeAndTheLineFromTheEarth) {
  toolkit::PictureBox& p = MakeOrbitView().Picture1();
  const auto calls = Journal(p, [] { InitMoonOrbit(0); });
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].op, "Cls");
  // Perigee is a(1 - e) from the Earth, which stands a·e right of the centre: x = a.
  EXPECT_EQ(calls[1],
            (toolkit::DrawCall{
                "Circle", {385000, 0, 26049.009765625f}, kWhite, toolkit::kDrawSolid, ""}));
  EXPECT_EQ(calls[2],
            (toolkit::DrawCall{"Line", {27604.5f, 0, 385000, 0}, kWhite, toolkit::kDrawSolid, ""}));
}

struct NodeLineCase {
  const char* name;
  double theta;
  float cyanX, cyanY, blueX, blueY, markX, markY;  // "D" mirrors "A" through the centre
};

void PrintTo(const NodeLineCase& c, std::ostream* os) {
  *os << c.name;
}

class NodeLineTest : public testing::TestWithParam<NodeLineCase> {};

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
  toolkit::PictureBox& p = MakeOrbitView().Picture1();
  const auto calls = Journal(p, [&] { SetNodeLine(c.theta); });
  ASSERT_EQ(calls.size(), 4u);
  const toolkit::DrawCall& cyan = calls[0];
  const toolkit::DrawCall& blue = calls[1];
  EXPECT_EQ(cyan.op, "Line");
  EXPECT_EQ(cyan.color, kCyan);
  EXPECT_EQ(blue.color, kBlue);
  for (const toolkit::DrawCall* line : {&cyan, &blue}) {
    EXPECT_EQ(line->drawStyle, toolkit::kDrawDot);
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
    EXPECT_EQ(call.op, "Print");
    EXPECT_EQ(call.text, text);
    EXPECT_EQ(call.drawStyle, toolkit::kDrawSolid);
    EXPECT_NEAR(call.args[0], sign * c.markX, kFloatKm);
    EXPECT_NEAR(call.args[1], sign * c.markY + h, kFloatKm);
  }
}

TEST(NodeLineLayer, RepeatedCallsLeaveOneNodeLine) {
  toolkit::PictureBox& first = MakeOrbitView().Picture1();
  SetNodeLine(0.4);
  const toolkit::Picture earlier = first.Picture();
  SetNodeLine(2.1);
  const toolkit::Picture twice = first.Picture();
  // Cls restores the node line layer under the moving parts.
  first.Circle(0, 0, 50000, kWhite);
  first.Cls();
  EXPECT_TRUE(first.Image().SamePixels(twice));

  toolkit::PictureBox& fresh = MakeOrbitView().Picture1();
  EXPECT_FALSE(fresh.Picture().SamePixels(twice));  // the line did reach the layer
  SetNodeLine(2.1);
  EXPECT_TRUE(fresh.Picture().SamePixels(twice));
  EXPECT_TRUE(nodeLinePicture.SamePixels(twice));
  EXPECT_FALSE(earlier.SamePixels(twice));
}

}  // namespace
