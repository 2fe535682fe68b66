// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing surfaces: user-unit mapping, the layers Cls restores, text extents and the journal.
#include <gtest/gtest.h>

#include "toolkit/controls.h"
#include "toolkit/picture_box.h"
#include "toolkit/twips.h"

namespace {

using toolkit::Color;
using toolkit::PictureBox;
using toolkit::RGB;

constexpr Color kNavy = RGB(0, 0, 64);
constexpr Color kWhite = RGB(255, 255, 255);

// A window with one surface of 200 × 100 logical pixels inside a 2-pixel border.
struct SurfaceFixture : testing::Test {
  toolkit::Window window{"test", 6000, 4000};
  PictureBox box{window, 0,     0, toolkit::PixelsToTwips(204), toolkit::PixelsToTwips(104),
                 kNavy,  kWhite};
  int CountColor(const toolkit::Picture& p, Color c) const {
    int n = 0;
    for (int y = 0; y < p.PixelHeight(); ++y)
      for (int x = 0; x < p.PixelWidth(); ++x) n += p.PixelAt(x, y) == c;
    return n;
  }
};

TEST(ScaleFrame, MapsCornersAndCentre) {
  // Scale (-410000, 410000)-(410000, -410000) on 525 × 509 pixels: y points up.
  const toolkit::ScaleFrame f{-410000, 410000, 820000, -820000};
  EXPECT_DOUBLE_EQ(toolkit::UserToPixelX(f, 525, -410000), 0);
  EXPECT_DOUBLE_EQ(toolkit::UserToPixelX(f, 525, 410000), 525);
  EXPECT_DOUBLE_EQ(toolkit::UserToPixelX(f, 525, 0), 262.5);
  EXPECT_DOUBLE_EQ(toolkit::UserToPixelY(f, 509, 410000), 0);
  EXPECT_DOUBLE_EQ(toolkit::UserToPixelY(f, 509, -410000), 509);
  // Kilometres per pixel differ slightly across and down on a surface that is not square.
  EXPECT_DOUBLE_EQ(toolkit::UnitsPerPixelX(f, 525), 820000.0 / 525);
  EXPECT_DOUBLE_EQ(toolkit::UnitsPerPixelY(f, 509), -820000.0 / 509);
}

TEST_F(SurfaceFixture, ScaleWidthIsTheInteriorInTwipsUntilScaled) {
  EXPECT_FLOAT_EQ(box.ScaleWidth(), 200 * 15);
  EXPECT_FLOAT_EQ(box.ScaleHeight(), 100 * 15);
  box.Scale(-100, 50, 100, -50);
  EXPECT_FLOAT_EQ(box.ScaleWidth(), 200);
  EXPECT_FLOAT_EQ(box.ScaleHeight(), -100);
}

TEST_F(SurfaceFixture, TextExtentIsSignedLikeTheAxis) {
  box.SetFontName("tahoma");
  box.SetFontSize(12);
  const float downHeight = box.TextHeight("T");
  EXPECT_GT(downHeight, 0);
  box.Scale(-100, 50, 100, -50);  // one unit a pixel, y up
  EXPECT_LT(box.TextHeight("T"), 0);
  EXPECT_NEAR(box.TextHeight("T"), -downHeight / 15, 1e-4);
  EXPECT_GT(box.TextWidth("Apogee"), box.TextWidth("T"));
}

TEST_F(SurfaceFixture, ClsRestoresThePictureOrTheBackColor) {
  box.Scale(-100, 50, 100, -50);
  box.Cls();
  EXPECT_EQ(CountColor(box.Image(), kNavy), 200 * 100);
  box.Circle(0, 0, 20, kWhite);
  EXPECT_LT(CountColor(box.Image(), kNavy), 200 * 100);
  box.Cls();
  EXPECT_EQ(CountColor(box.Image(), kNavy), 200 * 100);
  EXPECT_FLOAT_EQ(box.CurrentX(), 0);
  EXPECT_FLOAT_EQ(box.CurrentY(), 0);

  box.Line(-100, 0, 100, 0, kWhite);
  const toolkit::Picture withLine = box.Image();
  box.SetPicture(withLine);
  box.Circle(0, 0, 20, RGB(255, 255, 0));
  box.Cls();
  EXPECT_TRUE(box.Image().SamePixels(withLine));
}

// The sequence that fixes a figure as a surface's background: afterwards the surface shows
// the figure, drawing is persistent and Cls brings back exactly the figure.
TEST_F(SurfaceFixture, FixingAFigureAsBackground) {
  box.Scale(-100, 50, 100, -50);
  box.SetAutoRedraw(true);
  box.SetPicture(toolkit::Picture());
  box.Cls();
  box.Circle(0, 0, 30, RGB(255, 255, 0));
  box.Line(-100, 0, 100, 0, RGB(128, 128, 0));
  box.SetAutoRedraw(false);
  const toolkit::Picture figure = box.Image();
  box.Cls();
  box.SetPicture(figure);
  box.SetAutoRedraw(false);
  box.Cls();
  box.SetAutoRedraw(true);
  EXPECT_TRUE(box.AutoRedraw());
  EXPECT_TRUE(box.Image().SamePixels(figure));
  box.Circle(50, 0, 10, kWhite);
  EXPECT_FALSE(box.Image().SamePixels(figure));
  box.Cls();
  EXPECT_TRUE(box.Image().SamePixels(figure));
}

TEST_F(SurfaceFixture, DottedLinesLeaveGaps) {
  box.Scale(0, 0, 200, 100);
  box.Cls();
  box.SetDrawStyle(toolkit::DrawStyle::Dot);
  box.Line(0, 50.5f, 200, 50.5f, kWhite);
  const int dotted = CountColor(box.Image(), kNavy);
  box.Cls();
  box.SetDrawStyle(toolkit::DrawStyle::Solid);
  box.Line(0, 50.5f, 200, 50.5f, kWhite);
  EXPECT_LT(CountColor(box.Image(), kNavy), dotted);
}

TEST_F(SurfaceFixture, PrintPutsTheTopLeftAtTheCurrentPointThenMovesDown) {
  box.Scale(0, 0, 200, 100);  // pixels, y down
  box.Cls();
  box.SetFontName("tahoma");
  box.SetFontSize(12);
  box.SetCurrentX(100);
  box.SetCurrentY(40);
  box.Print("T");
  EXPECT_FLOAT_EQ(box.CurrentX(), 0);
  EXPECT_NEAR(box.CurrentY(), 40 + box.TextHeight("T"), 1e-4);
  // Ink only right of and below the point.
  const toolkit::Picture p = box.Image();
  bool inkLeftOrAbove = false;
  bool ink = false;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (p.PixelAt(x, y) == kNavy) continue;
      ink = true;
      if (x < 99 || y < 39) inkLeftOrAbove = true;
    }
  }
  EXPECT_TRUE(ink);
  EXPECT_FALSE(inkLeftOrAbove);
}

TEST_F(SurfaceFixture, CircleRadiusIsMeasuredAlongX) {
  // Two units a pixel across, one down: a radius of 40 units is 20 pixels, drawn round.
  box.Scale(-200, 50, 200, -50);
  box.Cls();
  box.Circle(0, 0, 40, kWhite);
  const toolkit::Picture p = box.Image();
  auto inkInColumn = [&](int x) {
    for (int y = 0; y < 100; ++y)
      if (p.PixelAt(x, y) != kNavy) return true;
    return false;
  };
  auto inkInRow = [&](int y) {
    for (int x = 0; x < 200; ++x)
      if (p.PixelAt(x, y) != kNavy) return true;
    return false;
  };
  EXPECT_TRUE(inkInColumn(100 + 19));
  EXPECT_FALSE(inkInColumn(100 + 23));
  EXPECT_TRUE(inkInRow(50 + 19));
  EXPECT_FALSE(inkInRow(50 + 23));
}

TEST_F(SurfaceFixture, JournalRecordsCallsAsHandedOver) {
  box.Scale(-100, 50, 100, -50);
  box.StartJournal();
  box.Cls();
  box.PSet(1.5f, 2.5f, kWhite);
  box.LineTo(3, 4, RGB(0, 200, 200));
  box.SetDrawStyle(toolkit::DrawStyle::Dot);
  box.LineRel(5, 6, 7, 8, kWhite);
  box.SetDrawStyle(toolkit::DrawStyle::Solid);
  box.Circle(27604.5f, 0, 95672.0445f, RGB(255, 255, 0));
  box.SetCurrentX(-10);
  box.SetCurrentY(20);
  box.Print("A");
  const auto& j = box.Journal();
  ASSERT_EQ(j.size(), 6u);
  EXPECT_EQ(j[0].op, toolkit::DrawOp::Cls);
  EXPECT_EQ(j[1], (toolkit::DrawCall{
                      toolkit::DrawOp::PSet, {1.5f, 2.5f}, kWhite, toolkit::DrawStyle::Solid, ""}));
  EXPECT_EQ(j[2],
            (toolkit::DrawCall{
                toolkit::DrawOp::LineTo, {3, 4}, RGB(0, 200, 200), toolkit::DrawStyle::Solid, ""}));
  EXPECT_EQ(j[3],
            (toolkit::DrawCall{
                toolkit::DrawOp::LineRel, {5, 6, 7, 8}, kWhite, toolkit::DrawStyle::Dot, ""}));
  // 95672.0445 reaches the surface in single precision.
  EXPECT_EQ(j[4].args[2], 95672.046875f);
  EXPECT_EQ(j[5], (toolkit::DrawCall{
                      toolkit::DrawOp::Print, {-10, 20}, kWhite, toolkit::DrawStyle::Solid, "A"}));
  box.StopJournal();
  box.PSet(0, 0, kWhite);
  EXPECT_EQ(box.Journal().size(), 6u);
}

}  // namespace
