// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/tile_marks.h"

#include <cmath>
#include <utility>

namespace toolkit {

namespace {

// Liang-Barsky: shortens the segment p-q to the part inside the box; false if none is.
bool ClipToBox(double& px, double& py, double& qx, double& qy, double x0, double y0, double x1,
               double y1) {
  double t0 = 0;
  double t1 = 1;
  const double dx = qx - px;
  const double dy = qy - py;
  const double edges[4][2] = {{-dx, px - x0}, {dx, x1 - px}, {-dy, py - y0}, {dy, y1 - py}};
  for (const auto& [pe, qe] : edges) {
    if (pe == 0) {
      if (qe < 0) return false;
      continue;
    }
    const double t = qe / pe;
    if (pe < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  qx = px + dx * t1;
  qy = py + dy * t1;
  px += dx * t0;
  py += dy * t0;
  return true;
}

}  // namespace

void TileMarks::Reset(int widthPx, int heightPx) {
  width_ = std::max(0, widthPx);
  height_ = std::max(0, heightPx);
  cols_ = (width_ + kTile - 1) / kTile;
  rows_ = (height_ + kTile - 1) / kTile;
  drawn_.assign(static_cast<std::size_t>(cols_) * rows_, 0);
  drawnRows_.assign(static_cast<std::size_t>(rows_), Span());
  changedRows_.assign(static_cast<std::size_t>(rows_), Span());
}

void TileMarks::MarkBox(double x0, double y0, double x1, double y1) {
  // NaN fails every comparison: such a box marks nothing.
  if (!(x1 >= 0 && y1 >= 0 && x0 < width_ && y0 < height_)) return;
  // Clamped first: a text or circle far off the surface must not overflow the conversion.
  const auto col = [this](double x) {
    return static_cast<int>(std::clamp(x, 0.0, width_ - 1.0)) / kTile;
  };
  const auto row = [this](double y) {
    return static_cast<int>(std::clamp(y, 0.0, height_ - 1.0)) / kTile;
  };
  const int c0 = col(x0);
  const int c1 = col(x1);
  const int r0 = row(y0);
  const int r1 = row(y1);
  for (int r = r0; r <= r1; ++r) {
    std::fill_n(drawn_.begin() + static_cast<std::ptrdiff_t>(r) * cols_ + c0, c1 - c0 + 1, 1);
    drawnRows_[static_cast<std::size_t>(r)].Add(c0, c1 + 1);
    changedRows_[static_cast<std::size_t>(r)].Add(c0, c1 + 1);
  }
}

void TileMarks::MarkSegment(double ax, double ay, double bx, double by, double margin) {
  const double m = margin;
  if (!ClipToBox(ax, ay, bx, by, -m, -m, width_ + m, height_ + m)) return;
  if (ay > by) {
    std::swap(ax, bx);
    std::swap(ay, by);
  }
  // Band by band of tile rows, the tiles between the segment's leftmost and rightmost point
  // in the band, widened by the margin.
  const double dy = by - ay;
  const int r0 = std::max(0, static_cast<int>(std::floor((ay - m) / kTile)));
  const int r1 = std::min(rows_ - 1, static_cast<int>(std::floor((by + m) / kTile)));
  for (int r = r0; r <= r1; ++r) {
    const double top = std::max(ay, r * kTile - m);
    const double bottom = std::min(by, (r + 1) * kTile + m);
    double x0 = ax;
    double x1 = bx;
    if (dy > 0) {
      x0 = ax + (bx - ax) * std::clamp((top - ay) / dy, 0.0, 1.0);
      x1 = ax + (bx - ax) * std::clamp((bottom - ay) / dy, 0.0, 1.0);
    }
    if (x0 > x1) std::swap(x0, x1);
    MarkBox(x0 - m, r * kTile, x1 + m, r * kTile + kTile - 1);
  }
}

void TileMarks::MarkCircle(double cx, double cy, double r, double margin) {
  const double outer = r + margin;
  if (r < 2 * kTile) {
    MarkBox(cx - outer, cy - outer, cx + outer, cy + outer);
    return;
  }
  // Band by band of tile rows, the ring between the radii r - margin and r + margin: where it
  // crosses the band, the stroke lies between the inner and the outer circle's chords.
  const double inner = std::max(0.0, r - margin);
  const int r0 = std::max(0, static_cast<int>(std::floor((cy - outer) / kTile)));
  const int r1 = std::min(rows_ - 1, static_cast<int>(std::floor((cy + outer) / kTile)));
  for (int row = r0; row <= r1; ++row) {
    const double top = row * kTile;
    const double bottom = top + kTile;
    const double nearest = cy < top ? top - cy : (cy > bottom ? cy - bottom : 0);
    const double farthest = std::max(std::abs(top - cy), std::abs(bottom - cy));
    if (nearest > outer) continue;
    const double xOuter = std::sqrt(outer * outer - nearest * nearest);
    const double xInner = farthest < inner ? std::sqrt(inner * inner - farthest * farthest) : 0;
    if (xInner > 0) {
      MarkBox(cx - xOuter, top, cx - xInner, bottom - 1);
      MarkBox(cx + xInner, top, cx + xOuter, bottom - 1);
    } else {
      MarkBox(cx - xOuter, top, cx + xOuter, bottom - 1);
    }
  }
}

}  // namespace toolkit
