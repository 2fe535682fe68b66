// SPDX-License-Identifier: GPL-3.0-or-later
// An antialiased one-pixel line drawn straight into 32-bit pixels (Xiaolin Wu's algorithm).
#include "toolkit/qt/smooth_line.h"

#include <cmath>
#include <utility>

namespace toolkit {

namespace {

// Liang-Barsky: shortens the segment to the part inside [xmin, xmax] × [ymin, ymax]; false
// when nothing of it is inside.
bool Clip(double& x0, double& y0, double& x1, double& y1, double xmin, double ymin, double xmax,
          double ymax) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  double t0 = 0;
  double t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;  // parallel to this edge and outside it
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  const double sx = x0;
  const double sy = y0;
  x0 = sx + t0 * dx;
  y0 = sy + t0 * dy;
  x1 = sx + t1 * dx;
  y1 = sy + t1 * dy;
  return true;
}

double FractionalPart(double v) {
  return v - std::floor(v);
}

class Plotter {
 public:
  Plotter(const PixelBuffer& buffer, std::uint32_t rgb, bool steep)
      : b_(buffer), r_((rgb >> 16) & 0xFF), g_((rgb >> 8) & 0xFF), bl_(rgb & 0xFF), steep_(steep) {}

  // Blends the colour into pixel (x, y) (swapped back when the line is steep) by coverage.
  void Plot(int x, int y, double coverage) const {
    if (steep_) std::swap(x, y);
    if (x < 0 || y < 0 || x >= b_.width || y >= b_.height) return;
    const int a = static_cast<int>(coverage * 256 + 0.5);
    if (a <= 0) return;
    std::uint32_t& px = b_.bits[static_cast<long>(y) * b_.stride + x];
    const int dr = (px >> 16) & 0xFF;
    const int dg = (px >> 8) & 0xFF;
    const int db = px & 0xFF;
    const int nr = dr + (((r_ - dr) * a) >> 8);
    const int ng = dg + (((g_ - dg) * a) >> 8);
    const int nb = db + (((bl_ - db) * a) >> 8);
    px = 0xFF000000u | (static_cast<std::uint32_t>(nr) << 16) |
         (static_cast<std::uint32_t>(ng) << 8) | static_cast<std::uint32_t>(nb);
  }

 private:
  const PixelBuffer& b_;
  int r_, g_, bl_;
  bool steep_;
};

}  // namespace

void DrawSmoothLine(const PixelBuffer& buffer, double x0, double y0, double x1, double y1,
                    std::uint32_t rgb) {
  if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) {
    return;
  }
  // Pixel centres lie at half-integers; the algorithm works on integer centres.
  x0 -= 0.5;
  y0 -= 0.5;
  x1 -= 0.5;
  y1 -= 0.5;
  // A margin of one pixel keeps the clipped ends' partial pixels.
  if (!Clip(x0, y0, x1, y1, -1.0, -1.0, buffer.width, buffer.height)) return;

  const bool steep = std::abs(y1 - y0) > std::abs(x1 - x0);
  if (steep) {
    std::swap(x0, y0);
    std::swap(x1, y1);
  }
  if (x0 > x1) {
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  const Plotter plot(buffer, rgb, steep);
  const double dx = x1 - x0;
  const double gradient = dx == 0 ? 1.0 : (y1 - y0) / dx;

  // First end: the pixel column nearest x0, weighted by how much of it the line spans.
  const double xEnd0 = std::round(x0);
  const double yEnd0 = y0 + gradient * (xEnd0 - x0);
  const double xGap0 = 1 - FractionalPart(x0 + 0.5);
  const int xPixel0 = static_cast<int>(xEnd0);
  const int yPixel0 = static_cast<int>(std::floor(yEnd0));
  plot.Plot(xPixel0, yPixel0, (1 - FractionalPart(yEnd0)) * xGap0);
  plot.Plot(xPixel0, yPixel0 + 1, FractionalPart(yEnd0) * xGap0);

  // Second end.
  const double xEnd1 = std::round(x1);
  const double yEnd1 = y1 + gradient * (xEnd1 - x1);
  const double xGap1 = FractionalPart(x1 + 0.5);
  const int xPixel1 = static_cast<int>(xEnd1);
  const int yPixel1 = static_cast<int>(std::floor(yEnd1));
  if (xPixel1 != xPixel0) {
    plot.Plot(xPixel1, yPixel1, (1 - FractionalPart(yEnd1)) * xGap1);
    plot.Plot(xPixel1, yPixel1 + 1, FractionalPart(yEnd1) * xGap1);
  }

  // The columns between: two pixels each, shared by the line's distance from their centres.
  double y = yEnd0 + gradient;
  for (int x = xPixel0 + 1; x < xPixel1; ++x) {
    const int yPixel = static_cast<int>(std::floor(y));
    const double f = y - yPixel;
    plot.Plot(x, yPixel, 1 - f);
    plot.Plot(x, yPixel + 1, f);
    y += gradient;
  }
}

}  // namespace toolkit
