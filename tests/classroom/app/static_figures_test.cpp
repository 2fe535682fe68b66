// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed figures: their drawing calls, their coordinate systems and what they leave behind.
#include "classroom/view/static_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "classroom/form/form1.h"
#include "classroom/model/earth.h"
#include "classroom/view/model_setters.h"
#include "tests/support/started_form.h"
#include "toolkit/color.h"
#include "toolkit/picture.h"
#include "toolkit/picture_box.h"

namespace {

using toolkit::Color;
using toolkit::DrawCall;
using toolkit::DrawOp;
using toolkit::DrawOpName;
using toolkit::RGB;

const Color kYellow = RGB(255, 255, 0);
const Color kOlive = RGB(128, 128, 0);
const Color kCyan = RGB(0, 255, 255);
const Color kTeal = RGB(0, 200, 200);
const Color kWhite = RGB(255, 255, 255);

// The drawn Earth: the equatorial radius 6378.1363 km enlarged 15 times, at the focus of the
// orbit ellipse, a·e = 385000 × 0.0717 = 27604.5 km right of its centre. In single precision
// 95672.0445 is 95672.046875 and 191344.089 is 191344.09375.
constexpr float kEarthX = 27604.5f;
constexpr float kEarthRadius = 95672.046875f;
constexpr float kEarthDiameter = 191344.09375f;
static_assert(static_cast<float>(15 * 6378.1363) == kEarthRadius);
static_assert(static_cast<float>(2 * 95672.0445) == kEarthDiameter);

// Float coordinates near 400000 km carry about 0.03 km of rounding, a relative 1e-7.
constexpr double kKmTolerance = 0.05;
constexpr double kRelative = 1e-7;

std::vector<DrawOp> Ops(const std::vector<DrawCall>& journal) {
  std::vector<DrawOp> ops;
  for (const DrawCall& c : journal) ops.push_back(c.op);
  return ops;
}

void ExpectCall(const DrawCall& c, DrawOp op, const std::vector<double>& args, Color color) {
  EXPECT_EQ(c.op, op);
  ASSERT_EQ(c.args.size(), args.size()) << DrawOpName(op);
  for (size_t i = 0; i < args.size(); ++i) {
    EXPECT_NEAR(c.args[i], args[i], kKmTolerance) << DrawOpName(op) << " argument " << i;
  }
  EXPECT_EQ(c.color, color) << DrawOpName(op);
  EXPECT_EQ(c.drawStyle, toolkit::DrawStyle::Solid) << DrawOpName(op);
}

void ExpectPrint(const DrawCall& c, const std::string& text, double x, double y) {
  ExpectCall(c, DrawOp::Print, {x, y}, kWhite);  // text is drawn in the surfaces' white ForeColor
  EXPECT_EQ(c.text, text);
}

// The figures drawn on a fresh window, each surface's journal recording them.
class FigureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form1& f = CreateWiredForm();
    f.SetVisible(true);
    w1 = f.Picture1().ScaleWidth();
    h1 = f.Picture1().ScaleHeight();
    w2 = f.Picture2().ScaleWidth();
    h2 = f.Picture2().ScaleHeight();
    w3 = f.Picture3().ScaleWidth();
    h3 = f.Picture3().ScaleHeight();
    for (toolkit::PictureBox* p : {&f.Picture1(), &f.Picture2(), &f.Picture3()}) {
      p->StartJournal();
    }
    DrawStaticFigures();
  }
  void TearDown() override { DestroyForm1(); }

  static const std::vector<DrawCall>& Journal(const toolkit::PictureBox& p) { return p.Journal(); }

  // Interior sizes in twips, read before the figures changed the units.
  double w1 = 0, h1 = 0, w2 = 0, h2 = 0, w3 = 0, h3 = 0;
};

// Each figure: clear, draw, then the two clearings that install it as the background.
TEST_F(FigureTest, EachFigureIsDrawnBetweenClearings) {
  std::vector<DrawOp> orbit = {DrawOp::Cls,  DrawOp::Circle, DrawOp::Line,
                               DrawOp::Line, DrawOp::Line,   DrawOp::PSet};
  orbit.insert(orbit.end(), 360, DrawOp::LineTo);
  orbit.insert(orbit.end(), {DrawOp::Print, DrawOp::Print, DrawOp::Cls, DrawOp::Cls});
  EXPECT_EQ(Ops(Journal(form1().Picture1())), orbit);

  const std::vector<DrawOp> equator = {DrawOp::Cls,   DrawOp::Circle, DrawOp::Line,
                                       DrawOp::Line,  DrawOp::Line,   DrawOp::Print,
                                       DrawOp::Print, DrawOp::Cls,    DrawOp::Cls};
  EXPECT_EQ(Ops(Journal(form1().Picture3())), equator);

  const std::vector<DrawOp> bessel = {DrawOp::Cls,   DrawOp::Circle, DrawOp::Line,  DrawOp::Line,
                                      DrawOp::Line,  DrawOp::Line,   DrawOp::Print, DrawOp::Print,
                                      DrawOp::Print, DrawOp::Print,  DrawOp::Print, DrawOp::Cls,
                                      DrawOp::Cls};
  EXPECT_EQ(Ops(Journal(form1().Picture2())), bessel);
}

// Picture1 spans ±410000 km on both axes, y up.
TEST_F(FigureTest, OrbitViewHasItsScaleEarthAndAxes) {
  const toolkit::ScaleFrame& s = form1().Picture1().UserFrame();
  EXPECT_EQ(s.left, -410000);
  EXPECT_EQ(s.top, 410000);
  EXPECT_EQ(s.width, 820000);
  EXPECT_EQ(s.height, -820000);

  const auto& j = Journal(form1().Picture1());
  ASSERT_GE(j.size(), 5u);
  EXPECT_EQ(j[1].args, (std::vector<float>{kEarthX, 0, kEarthRadius}));
  EXPECT_EQ(j[1].color, kYellow);
  ExpectCall(j[2], DrawOp::Line, {kEarthX, -kEarthRadius, kEarthX, kEarthRadius}, kOlive);
  ExpectCall(j[3], DrawOp::Line, {-410000, 0, 410000, 0}, kOlive);
  ExpectCall(j[4], DrawOp::Line, {0, -410000, 0, 410000}, kOlive);
}

// The orbit: 361 points one degree of eccentric anomaly apart on the ellipse of semi-axes
// a = 385000 km and b = a·sqrt(1 - e²), e = 0.0717, starting and ending at perigee.
TEST_F(FigureTest, OrbitPolylineIsTheClosedEllipse) {
  const auto& j = Journal(form1().Picture1());
  ASSERT_EQ(j.size(), 370u);
  const double a = 385000;
  const double b = a * std::sqrt(1 - 0.0717 * 0.0717);
  const double pi = std::acos(-1.0);

  ExpectCall(j[5], DrawOp::PSet, {385000, 0}, kCyan);
  for (int d = 1; d <= 360; ++d) {
    const DrawCall& c = j[5 + d];
    ASSERT_EQ(c.op, DrawOp::LineTo);
    EXPECT_EQ(c.color, kTeal);
    const double x = c.args[0] / a;
    const double y = c.args[1] / b;
    EXPECT_NEAR(x * x + y * y, 1, 1e-6) << "point " << d;
    double deg = std::atan2(y, x) * 180 / pi;
    if (deg < 0) deg += 360;
    if (d == 360 && deg > 180) deg -= 360;  // back at perigee: 0 or a hair below
    EXPECT_NEAR(deg, d % 360, 1e-4) << "point " << d;
  }
  // The last point closes the curve on the first.
  EXPECT_EQ(j[365].args[0], 385000);
  EXPECT_NEAR(j[365].args[1], 0, 1e-3);
}

TEST_F(FigureTest, OrbitViewLabelsApogeeAndEarth) {
  const auto& j = Journal(form1().Picture1());
  ASSERT_EQ(j.size(), 370u);
  ExpectPrint(j[366], "Apogee", -400000, 0);
  ExpectPrint(j[367], "T", 10000, 0);
}

// Picture3 keeps Picture1's horizontal span of 820000 km, from -205000 km, with the same km
// per twip vertically.
TEST_F(FigureTest, EquatorViewHasEqualUnitsOnBothAxes) {
  const toolkit::ScaleFrame& s = form1().Picture3().UserFrame();
  const double Y3 = 410000 * h3 / w3;
  EXPECT_EQ(s.left, -205000);
  EXPECT_EQ(s.width, 820000);
  EXPECT_NEAR(s.top, Y3, kKmTolerance);
  EXPECT_NEAR(s.height, -2 * Y3, kKmTolerance);
  EXPECT_NEAR(s.width / w3, -s.height / h3, kRelative * s.width / w3);

  const auto& j = Journal(form1().Picture3());
  ASSERT_EQ(j.size(), 9u);
  EXPECT_EQ(j[1].args, (std::vector<float>{kEarthX, 0, kEarthRadius}));
  EXPECT_EQ(j[1].color, kYellow);
  // Two drawn Earth radii above and below the centre.
  ExpectCall(j[2], DrawOp::Line, {kEarthX, -kEarthDiameter, kEarthX, kEarthDiameter}, kOlive);
  ExpectCall(j[3], DrawOp::Line, {-205000, 0, 615000, 0}, kOlive);
  ExpectCall(j[4], DrawOp::Line, {0, -Y3, 0, Y3}, kOlive);
  ExpectPrint(j[5], "Equator", -200000, 0);
  ExpectPrint(j[6], "T", 10000, 0);
}

// Picture2 has the same km per twip as Picture1 on both axes.
TEST_F(FigureTest, BesselViewMatchesTheOrbitViewScale) {
  const toolkit::ScaleFrame& s = form1().Picture2().UserFrame();
  const double kmPerTwip = 820000 / w1;
  EXPECT_NEAR(s.width / w2, kmPerTwip, kRelative * kmPerTwip);
  EXPECT_NEAR(-s.height / h2, kmPerTwip, kRelative * kmPerTwip);
  // Its horizontal centre: C = 205000·k + 20000 with k = w2 / w1.
  const double C = 205000 * (w2 / w1) + 20000;
  EXPECT_NEAR(s.left + s.width / 2, C, kKmTolerance);
  EXPECT_NEAR(s.top + s.height / 2, 0, kKmTolerance);
}

TEST_F(FigureTest, BesselViewAxesAndTexts) {
  Form1& f = form1();
  const BesselView v = BesselViewFrame(w1, w2, h2);
  const double C = v.C, R = v.R, Y2 = v.Y2;
  const auto& j = Journal(f.Picture2());
  ASSERT_EQ(j.size(), 13u);
  EXPECT_EQ(j[1].args, (std::vector<float>{kEarthX, 0, kEarthRadius}));
  EXPECT_EQ(j[1].color, kYellow);
  ExpectCall(j[2], DrawOp::Line, {kEarthX, -Y2, kEarthX, Y2}, kWhite);
  // The horizontal axis: olive from the left edge to the Earth, white on to the right edge.
  ExpectCall(j[3], DrawOp::Line, {C - R, 0, kEarthX, 0}, kOlive);
  ExpectCall(j[4], DrawOp::Line, {kEarthX, 0, C + R, 0}, kWhite);
  ExpectCall(j[5], DrawOp::Line, {0, -Y2, 0, Y2}, kOlive);

  // The font stays Tahoma 12 after the figure, so the measures are those it was placed with.
  const double th = f.Picture2().TextHeight("Bessel's Frame ");
  const double tw = f.Picture2().TextWidth("Bessel's Frame ");
  ASSERT_LT(th, 0);  // y points up
  ASSERT_GT(tw, 0);
  // The title ends 50000 km short of the right edge, its top 50000 km under the axis.
  ExpectPrint(j[6], "Bessel's Frame ", C + R - tw - 50000, -50000);
  ExpectPrint(j[7], "T", 10000, 0);
  ExpectPrint(j[8], "z", C + R - 20000, -1.2 * th);
  ExpectPrint(j[9], "y", 37000, C - 1.8 * th);
  ExpectPrint(j[10], "y'", 37000, th / 3 - C);
  // "z" stands above the axis near the right edge, "y" high and "y'" low near the Earth.
  EXPECT_GT(j[8].args[1], 0);
  EXPECT_GT(j[9].args[1], 0);
  EXPECT_LT(j[10].args[1], 0);
}

// What each surface shows after the figures is its captured picture, installed as the
// layer Cls restores.
TEST_F(FigureTest, FiguresBecomeTheBackgrounds) {
  Form1& f = form1();
  EXPECT_TRUE(f.Picture1().Picture().SamePixels(backgroundPicture));
  EXPECT_TRUE(f.Picture3().Picture().SamePixels(f.picture3Background));
  EXPECT_TRUE(f.Picture2().Picture().SamePixels(f.picture2Background));
  EXPECT_TRUE(f.Picture1().Image().SamePixels(backgroundPicture));
  for (const toolkit::PictureBox* p : {&f.Picture1(), &f.Picture2(), &f.Picture3()}) {
    EXPECT_TRUE(p->AutoRedraw());
  }
}

// The pictures hold the Earth where the scales put it: the point of the drawn circle at 45°
// is yellow (blended with the background by anti-aliasing) within a pixel.
bool YellowNear(const toolkit::Picture& pic, double px, double py) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const Color c = pic.PixelAt(static_cast<int>(px) + dx, static_cast<int>(py) + dy);
      if (toolkit::RedOf(c) > 90 && toolkit::GreenOf(c) > 90 && toolkit::BlueOf(c) < 70 &&
          std::abs(toolkit::RedOf(c) - toolkit::GreenOf(c)) < 30) {
        return true;
      }
    }
  }
  return false;
}

TEST_F(FigureTest, PicturesShowTheEarthAtItsPlace) {
  Form1& f = form1();
  const double ex = 27604.5 + 95672.0445 / std::sqrt(2.0);
  const double ey = 95672.0445 / std::sqrt(2.0);
  struct Row {
    const char* name;
    const toolkit::Picture* picture;
    double left, right, top;  // the user frame expected from the sizes read in twips
  };
  const double Y3 = 410000 * h3 / w3;
  const BesselView v = BesselViewFrame(w1, w2, h2);
  const Row rows[] = {{"Picture1", &backgroundPicture, -410000, 410000, 410000},
                      {"Picture3", &f.picture3Background, -205000, 615000, Y3},
                      {"Picture2", &f.picture2Background, v.C - v.R, v.C + v.R, v.Y2}};
  for (const Row& r : rows) {
    const toolkit::Picture& pic = *r.picture;
    ASSERT_FALSE(pic.IsNothing()) << r.name;
    const double px = (ex - r.left) / (r.right - r.left) * pic.PixelWidth();
    const double py = (r.top - ey) / (2 * r.top) * pic.PixelHeight();
    EXPECT_TRUE(YellowNear(pic, px, py)) << r.name << " at " << px << "," << py;
    // The middle of the drawn Earth is empty: just the background colour.
    const double cx = (ex - 0.5 * 95672.0445 - r.left) / (r.right - r.left) * pic.PixelWidth();
    const double cy = (r.top + 0.5 * 95672.0445) / (2 * r.top) * pic.PixelHeight();
    EXPECT_FALSE(YellowNear(pic, cx, cy)) << r.name;
  }
}

// The scale of Picture2 in the abstract: with k = w2 / w1, R = 410000·k, C = 205000·k + 20000.
TEST(BesselViewFrameTest, AsWideAsTheOrbitViewSpansMinus185000To635000) {
  const BesselView v = BesselViewFrame(7875, 7875, 4515);
  EXPECT_DOUBLE_EQ(v.C, 225000);
  EXPECT_DOUBLE_EQ(v.C - v.R, -185000);
  EXPECT_DOUBLE_EQ(v.C + v.R, 635000);
  EXPECT_DOUBLE_EQ(v.Y2, 4515.0 / 7875.0 * 410000);
}

// The "y" labels are placed from C, so they move with the relative widths: half as wide
// puts the centre at 102500 + 20000.
TEST(BesselViewFrameTest, CentreMovesWithTheWidthRatio) {
  EXPECT_DOUBLE_EQ(BesselViewFrame(8000, 4000, 3000).C, 122500);
  EXPECT_DOUBLE_EQ(BesselViewFrame(8000, 16000, 3000).C, 430000);
}

}  // namespace
