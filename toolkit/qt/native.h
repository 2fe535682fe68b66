// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt widgets behind the toolkit's controls.
//
// Private to the toolkit's sources, and open to the tests that drive widgets with real mouse
// and keyboard input. The program's own layers never include it.
#pragma once

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include "toolkit/controls.h"
#include "toolkit/picture.h"

class QButtonGroup;

namespace toolkit {

struct NativeHandle {
  QPointer<QWidget> widget;
  QButtonGroup* group = nullptr;  // a frame's exclusive option buttons
};

struct Picture::Impl {
  QImage image;
};

// The widget behind a handle, as the kind of widget its control made.
template <class W>
[[nodiscard]] W* WidgetAs(const NativeHandle& h) {
  return static_cast<W*>(h.widget.data());
}

[[nodiscard]] QWidget* NativeWidget(const Control& control);
[[nodiscard]] QWidget* NativeClient(const Container& container);
[[nodiscard]] QWidget* NativeWindow(const Window& window);

// Whether the widget's logical pixels are whole device pixels. Under a fractional scale a
// repainted rectangle spills into the device pixels around it, so a widget that repaints
// only part of itself repaints all of it there.
[[nodiscard]] inline bool WholeDevicePixels(const QWidget& widget) {
  const qreal ratio = widget.devicePixelRatioF();
  return ratio == static_cast<qreal>(static_cast<int>(ratio));
}

[[nodiscard]] QImage ImageOf(const Picture& picture);
[[nodiscard]] Picture PictureFrom(const QImage& image);

// A font of the window description: "Tahoma" is the metric-compatible face that Debian's
// fonts-wine ships, loaded by the application, its bold the regular face emboldened; other
// names and a missing Tahoma fall back to a sans face. Sizes in points become pixels at 96 dpi.
[[nodiscard]] QFont MakeFont(const std::string& name, double points, bool bold);

[[nodiscard]] QColor ToQColor(Color c);

// A rectangle of the window description, in twips, as logical pixels.
[[nodiscard]] QRect PixelRect(int left, int top, int width, int height);

[[nodiscard]] inline QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace toolkit
