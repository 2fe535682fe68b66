// SPDX-License-Identifier: GPL-3.0-or-later
// An antialiased one-pixel line drawn straight into 32-bit pixels (Xiaolin Wu's algorithm).
//
// The drawing surfaces draw most of their strokes with it: the raster engine's own antialiased
// line costs about ten times as much for the long axes and sight lines redrawn 50 times a
// second. Plain C++, so that it can be checked without a window.
#pragma once

#include <cstdint>

namespace toolkit {

// width × height pixels of 0xAARRGGBB, rows stride pixels apart.
struct PixelBuffer {
  std::uint32_t* bits;
  int width;
  int height;
  int stride;
};

// Draws the segment (x0, y0)-(x1, y1), in pixel units with pixel (i, j) covering
// [i, i + 1) × [j, j + 1), in the colour rgb (0xRRGGBB), blending each touched pixel by the
// share of it the line covers. Clipped to the buffer; a segment with a non-finite end draws
// nothing.
void DrawSmoothLine(const PixelBuffer& buffer, double x0, double y0, double x1, double y1,
                    std::uint32_t rgb);

}  // namespace toolkit
