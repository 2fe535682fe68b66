// SPDX-License-Identifier: GPL-3.0-or-later
// HScrollBar: the slider, with Change, Scroll and GotFocus as the program relies on them.
#include "toolkit/controls.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFocusEvent>
#include <QScrollBar>
#include <algorithm>

#include "toolkit/application.h"
#include "toolkit/fp_traps.h"
#include "toolkit/qt/native.h"

namespace toolkit {

namespace {

// Raises a slider's GotFocus when the user moves the focus to it (a click, Tab or a
// shortcut); not when the window is merely re-activated or a popup closes, and not for
// SetFocus, which raises it itself (assistive technology goes through SetFocus too).
class FocusWatcher : public QObject {
 public:
  explicit FocusWatcher(HScrollBar* bar) : QObject(nullptr), bar_(bar) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
          reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) {
        bar_->RaiseGotFocus();
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  HScrollBar* bar_;
};

// The widget of a toolkit slider, which knows its control so that assistive technology can
// reach the control's own focus path.
class SliderWidget : public QScrollBar {
 public:
  SliderWidget(HScrollBar* owner, QWidget* parent)
      : QScrollBar(Qt::Horizontal, parent), owner_(owner) {}
  [[nodiscard]] HScrollBar* Owner() const { return owner_; }

 private:
  HScrollBar* owner_;
};

// What a screen reader or switch access sees of a slider. Qt's own interface moves the focus
// with no reason a handler can tell from a re-activation, and sets a value without any
// focus; a user working the slider this way must get what the mouse gives: GotFocus first,
// then the Change.
class AccessibleSlider : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit AccessibleSlider(SliderWidget* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  [[nodiscard]] QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return QString::number(Bar()->value());
    return QAccessibleWidget::text(t);
  }

  [[nodiscard]] QVariant currentValue() const override { return Bar()->value(); }
  [[nodiscard]] QVariant maximumValue() const override { return Bar()->maximum(); }
  [[nodiscard]] QVariant minimumValue() const override { return Bar()->minimum(); }
  [[nodiscard]] QVariant minimumStepSize() const override { return Bar()->singleStep(); }
  void setCurrentValue(const QVariant& value) override {
    if (!Bar()->isEnabled()) return;
    Bar()->Owner()->SetFocus();
    Bar()->Owner()->SetValue(value.toInt());
  }

  void doAction(const QString& action) override {
    if (action == setFocusAction()) {
      if (Bar()->isEnabled()) Bar()->Owner()->SetFocus();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  [[nodiscard]] SliderWidget* Bar() const { return static_cast<SliderWidget*>(widget()); }
};

QAccessibleInterface* SliderAccessibleFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("QScrollBar")) return nullptr;
  auto* bar = dynamic_cast<SliderWidget*>(object);
  return bar != nullptr ? new AccessibleSlider(bar) : nullptr;
}

}  // namespace

HScrollBar::HScrollBar(Container& parent, int left, int top, int width, int height, int min,
                       int max, int largeChange, int value) {
  const ToolkitFpScope fp;
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(SliderAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
  auto* bar = new SliderWidget(this, NativeClient(parent));
  bar->setGeometry(PixelRect(left, top, width, height));
  bar->setRange(min, max);
  bar->setSingleStep(1);
  bar->setPageStep(largeChange);
  bar->setValue(value);
  // While the thumb is dragged the value stays put and each move is a Scroll; the new value
  // arrives as one Change when the thumb is released.
  bar->setTracking(false);
  // A scroll bar inverts its arrow keys by default; here right and up raise the value.
  bar->setInvertedControls(false);
  // Click, Tab and the mouse wheel all give the slider the focus first, so that GotFocus
  // comes before any change the wheel makes.
  bar->setFocusPolicy(Qt::WheelFocus);
  bar->setContextMenuPolicy(Qt::NoContextMenu);
  native_->widget = bar;
  QObject::connect(bar, &QScrollBar::valueChanged, bar, [this](int) { RaiseChange(); });
  QObject::connect(bar, &QScrollBar::sliderMoved, bar, [this](int) { RaiseScroll(); });
  auto* watcher = new FocusWatcher(this);
  watcher->setParent(bar);
  bar->installEventFilter(watcher);
}

HScrollBar::~HScrollBar() = default;

int HScrollBar::Value() const {
  return WidgetAs<QScrollBar>(*native_)->sliderPosition();
}

void HScrollBar::SetValue(int value) {
  const ToolkitFpScope fp;
  QScrollBar* bar = WidgetAs<QScrollBar>(*native_);
  bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
}

int HScrollBar::Min() const {
  return WidgetAs<QScrollBar>(*native_)->minimum();
}
int HScrollBar::Max() const {
  return WidgetAs<QScrollBar>(*native_)->maximum();
}
int HScrollBar::SmallChange() const {
  return WidgetAs<QScrollBar>(*native_)->singleStep();
}
int HScrollBar::LargeChange() const {
  return WidgetAs<QScrollBar>(*native_)->pageStep();
}

void HScrollBar::SetFocus() {
  const ToolkitFpScope fp;
  QWidget* bar = native_->widget;
  if (bar->window()->focusWidget() == bar && bar->hasFocus()) return;
  bar->setFocus(Qt::OtherFocusReason);
  RaiseGotFocus();
}

bool HScrollBar::HasFocus() const {
  QWidget* bar = native_->widget;
  return bar->window()->focusWidget() == bar;
}

void HScrollBar::RaiseChange() {
  const ProgramFpScope program;
  if (onChange && !Quitting()) onChange();
}

void HScrollBar::RaiseScroll() {
  const ProgramFpScope program;
  if (onScroll && !Quitting()) onScroll();
}

void HScrollBar::RaiseGotFocus() {
  const ProgramFpScope program;
  if (onGotFocus && !Quitting()) onGotFocus();
}

}  // namespace toolkit
