// SPDX-License-Identifier: GPL-3.0-or-later
// Twips, the layout unit of the window description: 1/1440 inch, 15 to a logical pixel at 96 dpi.
#pragma once

namespace toolkit {

inline constexpr int kTwipsPerPixel = 15;

[[nodiscard]] constexpr int TwipsToPixels(int twips) noexcept {
  // Rounded to the nearest pixel, halves away from zero, so that -75 twips is -5 pixels.
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

[[nodiscard]] constexpr int PixelsToTwips(int pixels) noexcept {
  return pixels * kTwipsPerPixel;
}

// Font sizes are given in points; at 96 dpi a point is 4/3 of a pixel, whatever the
// screen or an image reports as its resolution.
[[nodiscard]] constexpr double PointsToPixels(double points) noexcept {
  return points * 4.0 / 3.0;
}

static_assert(TwipsToPixels(19080) == 1272);
static_assert(TwipsToPixels(-75) == -5);

}  // namespace toolkit
