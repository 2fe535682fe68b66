// SPDX-License-Identifier: GPL-3.0-or-later
// The antialiased line rasterizer: where its ink falls and how much of it there is.
#include "toolkit/qt/smooth_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using toolkit::DrawSmoothLine;

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kWhite = 0xFFFFFFu;

struct Canvas {
  Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, kBlack) {}
  toolkit::PixelBuffer Buffer() { return {pixels.data(), width, height, width}; }
  // Coverage of a pixel, 0 to 1, read from a white line on black.
  double Ink(int x, int y) const {
    return (pixels[static_cast<size_t>(y) * width + x] & 0xFF) / 255.0;
  }
  double ColumnInk(int x) const {
    double sum = 0;
    for (int y = 0; y < height; ++y) sum += Ink(x, y);
    return sum;
  }
  double TotalInk() const {
    double sum = 0;
    for (int x = 0; x < width; ++x) sum += ColumnInk(x);
    return sum;
  }
  int width, height;
  std::vector<std::uint32_t> pixels;
};

// A coverage reaches the pixel as a whole 1/256 step, and the blend rounds down.
constexpr double kInkStep = 2.0 / 255;

TEST(SmoothLine, AHorizontalLineThroughPixelCentresFillsOneRow) {
  Canvas c(20, 10);
  DrawSmoothLine(c.Buffer(), 2.5, 4.5, 17.5, 4.5, kWhite);
  for (int x = 3; x <= 16; ++x) {
    EXPECT_NEAR(c.Ink(x, 4), 1, kInkStep) << x;
    EXPECT_EQ(c.Ink(x, 3), 0) << x;
    EXPECT_EQ(c.Ink(x, 5), 0) << x;
  }
  EXPECT_EQ(c.ColumnInk(0), 0);
  EXPECT_EQ(c.ColumnInk(19), 0);
}

TEST(SmoothLine, BetweenTwoRowsTheInkIsSharedByDistance) {
  Canvas c(20, 10);
  // A quarter of the way from row 4's centre to row 5's.
  DrawSmoothLine(c.Buffer(), 2.5, 4.75, 17.5, 4.75, kWhite);
  for (int x = 4; x <= 15; ++x) {
    EXPECT_NEAR(c.Ink(x, 4), 0.75, kInkStep);
    EXPECT_NEAR(c.Ink(x, 5), 0.25, kInkStep);
  }
}

TEST(SmoothLine, EachColumnOfAShallowLineHoldsOnePixelOfInk) {
  Canvas c(64, 64);
  DrawSmoothLine(c.Buffer(), 3.2, 10.7, 60.1, 41.3, kWhite);
  for (int x = 5; x <= 58; ++x) EXPECT_NEAR(c.ColumnInk(x), 1, 2 * kInkStep) << x;
  // The ink lies on the line: at column x the weighted row is the line's height there.
  for (int x = 5; x <= 58; x += 7) {
    double weighted = 0;
    for (int y = 0; y < 64; ++y) weighted += c.Ink(x, y) * (y + 0.5);
    const double yLine = 10.7 + (41.3 - 10.7) * ((x + 0.5) - 3.2) / (60.1 - 3.2);
    EXPECT_NEAR(weighted / c.ColumnInk(x), yLine, 0.02) << x;
  }
}

TEST(SmoothLine, ASteepLineIsTheTransposeOfAShallowOne) {
  Canvas shallow(40, 40);
  Canvas steep(40, 40);
  DrawSmoothLine(shallow.Buffer(), 2.3, 5.6, 37.9, 20.2, kWhite);
  DrawSmoothLine(steep.Buffer(), 5.6, 2.3, 20.2, 37.9, kWhite);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) EXPECT_EQ(shallow.Ink(x, y), steep.Ink(y, x));
}

TEST(SmoothLine, ALongLineIsClippedToTheBuffer) {
  // A line reaching 10^5 pixels past both edges draws what its visible part draws.
  Canvas longLine(50, 30);
  Canvas visible(50, 30);
  const double slope = 0.3;
  auto y = [&](double x) { return 12.4 + slope * (x - 25); };
  DrawSmoothLine(longLine.Buffer(), -1e5, y(-1e5), 1e5, y(1e5), kWhite);
  DrawSmoothLine(visible.Buffer(), -3, y(-3), 53, y(53), kWhite);
  for (int x = 1; x < 49; ++x) EXPECT_NEAR(longLine.ColumnInk(x), 1, 2 * kInkStep) << x;
  for (int yy = 0; yy < 30; ++yy)
    for (int x = 1; x < 49; ++x) EXPECT_NEAR(longLine.Ink(x, yy), visible.Ink(x, yy), kInkStep);
}

TEST(SmoothLine, NothingIsDrawnOutsideOrForNonFiniteEnds) {
  Canvas c(20, 20);
  DrawSmoothLine(c.Buffer(), -50, -5, 70, -3, kWhite);  // above the buffer
  DrawSmoothLine(c.Buffer(), 25, 0, 30, 20, kWhite);    // right of it
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  DrawSmoothLine(c.Buffer(), nan, 5, 10, 5, kWhite);
  DrawSmoothLine(c.Buffer(), 0, 5, inf, 5, kWhite);
  EXPECT_EQ(c.TotalInk(), 0);
}

TEST(SmoothLine, BlendsTheColourOverWhatIsThere) {
  Canvas c(10, 10);
  for (auto& p : c.pixels) p = 0xFF204060u;
  DrawSmoothLine(c.Buffer(), 0.5, 5.0, 9.5, 5.0, 0xFF0000u);  // red, half on rows 4 and 5
  const std::uint32_t p = c.pixels[4 * 10 + 5];
  EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), (0x20 + 0xFF) / 2, 1);
  EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), 0x40 / 2, 1);
  EXPECT_NEAR(static_cast<int>(p & 0xFF), 0x60 / 2, 1);
  EXPECT_EQ(p >> 24, 0xFFu);
}

}  // namespace
