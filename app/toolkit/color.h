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

static_assert(RGB(0, 0, 255) == 0xFF0000);
static_assert(RGB(255, 0, 0) == 255);

}  // namespace toolkit
