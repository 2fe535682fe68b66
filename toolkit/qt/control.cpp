// SPDX-License-Identifier: GPL-3.0-or-later
// Containers and controls: the widget behind each, its geometry in twips, its names.
#include "toolkit/controls.h"

#include <QWidget>

#include "toolkit/fp_traps.h"
#include "toolkit/qt/native.h"
#include "toolkit/twips.h"

namespace toolkit {

QRect PixelRect(int left, int top, int width, int height) {
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

QWidget* NativeWidget(const Control& control) {
  return control.native().widget;
}
QWidget* NativeClient(const Container& container) {
  return container.client().widget;
}
QWidget* NativeWindow(const Window& window) {
  return window.window().widget;
}

Container::Container() : client_(std::make_unique<NativeHandle>()) {}
Container::~Container() = default;

Control::Control() : native_(std::make_unique<NativeHandle>()) {}

Control::~Control() {
  const ToolkitFpScope fp;
  // The container may already have deleted the widget with itself; QPointer knows.
  if (native_->widget == nullptr) return;
  // No event may reach the control while its widget goes: the handlers the widget's own
  // connections call are members of a control already half destroyed.
  native_->widget->disconnect(native_->widget.data());
  delete native_->widget.data();
}

int Control::Left() const {
  return PixelsToTwips(native_->widget->x());
}
int Control::Top() const {
  return PixelsToTwips(native_->widget->y());
}
int Control::Width() const {
  return PixelsToTwips(native_->widget->width());
}
int Control::Height() const {
  return PixelsToTwips(native_->widget->height());
}

bool Control::Enabled() const {
  return native_->widget->isEnabled();
}
void Control::SetEnabled(bool enabled) {
  const ToolkitFpScope fp;
  native_->widget->setEnabled(enabled);
}
bool Control::Visible() const {
  return native_->widget->isVisible();
}

void Control::SetToolTipText(const std::string& text) {
  const ToolkitFpScope fp;
  native_->widget->setToolTip(Q(text));
}
std::string Control::ToolTipText() const {
  return native_->widget->toolTip().toStdString();
}

void Control::SetAccessibleName(const std::string& name) {
  const ToolkitFpScope fp;
  native_->widget->setAccessibleName(Q(name));
}

void Control::SetAccessibleDescription(const std::string& text) {
  const ToolkitFpScope fp;
  native_->widget->setAccessibleDescription(Q(text));
}

void SetTabOrder(const std::vector<Control*>& ordered) {
  const ToolkitFpScope fp;
  QWidget* previous = nullptr;
  for (Control* c : ordered) {
    QWidget* w = NativeWidget(*c);
    if (w->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

}  // namespace toolkit
