// SPDX-License-Identifier: GPL-3.0-or-later
// Colours as the window toolkit stores them: 0x00BBGGRR.
#pragma once

#include <cstdint>

namespace toolkit {

using Color = std::uint32_t;

[[nodiscard]] constexpr Color RGB(int r, int g, int b) noexcept {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

[[nodiscard]] constexpr int RedOf(Color c) noexcept {
  return static_cast<int>(c & 0xFF);
}
[[nodiscard]] constexpr int GreenOf(Color c) noexcept {
  return static_cast<int>((c >> 8) & 0xFF);
}
[[nodiscard]] constexpr int BlueOf(Color c) noexcept {
  return static_cast<int>((c >> 16) & 0xFF);
}

// The colours the program draws and paints with, each written once.
inline constexpr Color kBlack = RGB(0, 0, 0);
inline constexpr Color kWhite = RGB(255, 255, 255);
inline constexpr Color kGrey = RGB(150, 150, 150);
inline constexpr Color kRed = RGB(255, 0, 0);
inline constexpr Color kBlue = RGB(0, 0, 255);
inline constexpr Color kDarkBlue = RGB(0, 0, 64);
inline constexpr Color kYellow = RGB(255, 255, 0);
inline constexpr Color kOlive = RGB(128, 128, 0);
inline constexpr Color kCyan = RGB(0, 255, 255);
inline constexpr Color kTeal = RGB(0, 200, 200);

static_assert(RGB(0, 0, 255) == 0xFF0000);
static_assert(RGB(255, 0, 0) == 255);

}  // namespace toolkit
