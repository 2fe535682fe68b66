// SPDX-License-Identifier: GPL-3.0-or-later
// A captured image of a drawing surface: the background layer its Cls restores.
#pragma once

#include <memory>

#include "toolkit/color.h"

namespace toolkit {

// A picture is a value: copies share the pixels, which never change once captured.
// A default-constructed picture is "nothing".
class Picture {
 public:
  Picture();
  ~Picture();
  Picture(const Picture&);
  Picture& operator=(const Picture&);

  [[nodiscard]] bool IsNothing() const noexcept;
  // Size in device pixels (twice the logical size at a device pixel ratio of 2).
  [[nodiscard]] int PixelWidth() const noexcept;
  [[nodiscard]] int PixelHeight() const noexcept;
  // Colour of one device pixel; 0 outside the picture or for nothing.
  [[nodiscard]] Color PixelAt(int x, int y) const;
  // True when both are nothing, or both have the same size and the same pixels.
  [[nodiscard]] bool SamePixels(const Picture& other) const;

  struct Impl;
  explicit Picture(std::shared_ptr<const Impl> impl);
  [[nodiscard]] const Impl* impl() const noexcept { return impl_.get(); }

 private:
  std::shared_ptr<const Impl> impl_;
};

}  // namespace toolkit
