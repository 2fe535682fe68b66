// SPDX-License-Identifier: GPL-3.0-or-later
// Which parts of a drawing surface have been drawn on since its background was last restored.
//
// An update of a view moves a few thousand pixels of a surface of about 190,000. A surface
// marks the square tiles (8 by 8 device pixels) that each stroke, point, circle and text may
// have touched, so that restoring the background copies back those tiles only: the image
// equals a full restore all the same, since nothing outside the marked tiles ever differs
// from the background. Every size here is in device pixels of the surface's image.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace toolkit {

class TileMarks {
 public:
  static constexpr int kTile = 8;

  // A columns' span of one tile row: [first, end).
  struct Span {
    int first = std::numeric_limits<int>::max();
    int end = 0;
    void Add(int f, int e) {
      first = std::min(first, f);
      end = std::max(end, e);
    }
    [[nodiscard]] bool Empty() const { return end <= first; }
  };

  // An image of that size, nothing marked.
  void Reset(int widthPx, int heightPx);

  // The tiles the rectangle [x0, x1] by [y0, y1] touches.
  void MarkBox(double x0, double y0, double x1, double y1);
  // The tiles a stroke from a to b may touch, `margin` pixels on either side of its centre
  // line; the part outside the image is cut off first (axes run far beyond a surface).
  void MarkSegment(double ax, double ay, double bx, double by, double margin);
  // The tiles a circle's outline of radius r may touch, `margin` pixels on either side.
  void MarkCircle(double cx, double cy, double r, double margin);

  // Calls restore(x0, y0, x1, y1) for each run of marked tiles of a row, x1 and y1 one past
  // the run's last pixel and within the image, and leaves nothing marked. Each run restored
  // counts as changed (see TakeChanged).
  template <class Restore>
  void TakeRuns(Restore&& restore) {
    for (int ty = 0; ty < rows_; ++ty) {
      std::uint8_t* drawn = &drawn_[static_cast<std::size_t>(ty) * cols_];
      const Span span = std::exchange(drawnRows_[static_cast<std::size_t>(ty)], Span());
      for (int tx = span.first; tx < span.end;) {
        if (drawn[tx] == 0) {
          ++tx;
          continue;
        }
        const int first = tx;
        while (tx < span.end && drawn[tx] != 0) drawn[tx++] = 0;
        changedRows_[static_cast<std::size_t>(ty)].Add(first, tx);
        restore(first * kTile, ty * kTile, std::min(tx * kTile, width_),
                std::min((ty + 1) * kTile, height_));
      }
    }
  }

  // Of tile row `row`, the columns marked or restored since the last call for that row; the
  // record of the row starts again.
  Span TakeChanged(int row) {
    return std::exchange(changedRows_[static_cast<std::size_t>(row)], Span());
  }

  [[nodiscard]] int Rows() const { return rows_; }

 private:
  int width_ = 0;
  int height_ = 0;
  int cols_ = 0;
  int rows_ = 0;
  std::vector<std::uint8_t> drawn_;  // row by row
  std::vector<Span> drawnRows_;      // of each row, where its marked tiles lie
  std::vector<Span> changedRows_;
};

}  // namespace toolkit
