// SPDX-License-Identifier: GPL-3.0-or-later
// Captured images of the drawing surfaces.
#include "toolkit/picture.h"

#include "toolkit/qt/native.h"

namespace toolkit {

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;
Picture::Picture(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}

bool Picture::IsNothing() const noexcept {
  return !impl_ || impl_->image.isNull();
}

int Picture::PixelWidth() const noexcept {
  return IsNothing() ? 0 : impl_->image.width();
}

int Picture::PixelHeight() const noexcept {
  return IsNothing() ? 0 : impl_->image.height();
}

Color Picture::PixelAt(int x, int y) const {
  if (IsNothing() || !impl_->image.valid(x, y)) return 0;
  const QRgb p = impl_->image.pixel(x, y);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

bool Picture::SamePixels(const Picture& other) const {
  if (IsNothing() || other.IsNothing()) return IsNothing() == other.IsNothing();
  const QImage a = impl_->image.convertToFormat(QImage::Format_RGB32);
  const QImage b = other.impl_->image.convertToFormat(QImage::Format_RGB32);
  return a == b;
}

QImage ImageOf(const Picture& picture) {
  return picture.IsNothing() ? QImage() : picture.impl()->image;
}

Picture PictureFrom(const QImage& image) {
  auto impl = std::make_shared<Picture::Impl>();
  impl->image = image;
  return Picture(std::move(impl));
}

}  // namespace toolkit
