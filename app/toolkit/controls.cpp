// The controls of the window over Qt Widgets, with the event semantics the program relies on.
#include "app/toolkit/controls.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStaticText>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "app/toolkit/application.h"
#include "app/toolkit/fp_traps.h"
#include "app/toolkit/native.h"
#include "app/toolkit/twips.h"

namespace toolkit {

namespace {

QRect PixelRect(int left, int top, int width, int height) {
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Raises a slider's GotFocus when the user moves the focus to it (a click, Tab or a
// shortcut); not when the window is merely re-activated, and not for SetFocus, which raises
// it itself.
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

// A label that lays its caption out once, when the caption changes, and paints that layout:
// the readouts change 50 times a second while the animation runs, and shaping each text
// again at every paint costs more than the rest of the label's work.
class CaptionLabel : public QLabel {
 public:
  explicit CaptionLabel(QWidget* parent) : QLabel(parent) {
    laid_.setTextFormat(Qt::PlainText);
    laid_.setPerformanceHint(QStaticText::AggressiveCaching);
  }

  void SetCaption(const QString& text) {
    laid_.setText(text);
    laid_.prepare(QTransform(), font());
    setText(text);  // kept for assistive technology, which reads the caption from here
  }

  [[nodiscard]] QSizeF CaptionSize() const { return laid_.size(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    drawFrame(&p);
    const QRectF area = contentsRect();
    const QSizeF size = laid_.size();
    double x = area.left();
    if (alignment() & Qt::AlignRight) x = area.right() + 1 - size.width();
    if (alignment() & Qt::AlignHCenter) x = area.left() + (area.width() - size.width()) / 2;
    const double y = area.top() + (area.height() - size.height()) / 2;
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawStaticText(QPointF(x, y), laid_);
  }

 private:
  QStaticText laid_;
};

}  // namespace

QWidget* NativeWidget(const Control& control) {
  return control.native().widget;
}
QWidget* NativeClient(const Container& container) {
  return container.client().widget;
}
QWidget* NativeWindow(const Window& window) {
  return window.window().widget;
}

// ---- Container and Control ---------------------------------------------------------------

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
  const ToolkitFpScope fp;
  return PixelsToTwips(native_->widget->x());
}
int Control::Top() const {
  const ToolkitFpScope fp;
  return PixelsToTwips(native_->widget->y());
}
int Control::Width() const {
  const ToolkitFpScope fp;
  return PixelsToTwips(native_->widget->width());
}
int Control::Height() const {
  const ToolkitFpScope fp;
  return PixelsToTwips(native_->widget->height());
}

bool Control::Enabled() const {
  const ToolkitFpScope fp;
  return native_->widget->isEnabled();
}
void Control::SetEnabled(bool enabled) {
  const ToolkitFpScope fp;
  native_->widget->setEnabled(enabled);
}
bool Control::Visible() const {
  const ToolkitFpScope fp;
  return native_->widget->isVisible();
}

void Control::SetToolTipText(const std::string& text) {
  const ToolkitFpScope fp;
  native_->widget->setToolTip(Q(text));
}
std::string Control::ToolTipText() const {
  const ToolkitFpScope fp;
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

// ---- Frame -------------------------------------------------------------------------------

Frame::Frame(Container& parent, const std::string& caption, int left, int top, int width,
             int height, const Font& font) {
  const ToolkitFpScope fp;
  auto* box = new QGroupBox(Q(caption), NativeClient(parent));
  box->setFont(MakeFont(font.name, font.points, font.bold));
  box->setGeometry(PixelRect(left, top, width, height));
  native_->widget = box;
  client_->widget = box;  // children are placed from the frame's top-left corner
  client_->group = new QButtonGroup(box);
  client_->group->setExclusive(true);
}

Frame::~Frame() = default;

std::string Frame::Caption() const {
  const ToolkitFpScope fp;
  return static_cast<QGroupBox*>(native_->widget.data())->title().toStdString();
}

// ---- Label -------------------------------------------------------------------------------

Label::Label(Container& parent, const std::string& caption, int left, int top, int width,
             int height, const LabelStyle& style)
    : style_(style),
      designLeft_(left),
      designTop_(top),
      designWidth_(width),
      designHeight_(height) {
  const ToolkitFpScope fp;
  auto* label = new CaptionLabel(NativeClient(parent));
  label->setFont(MakeFont(style.font.name, style.font.points, style.font.bold));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(false);
  Qt::Alignment align = Qt::AlignVCenter;
  switch (style.alignment) {
    case Alignment::Left:
      align |= Qt::AlignLeft;
      break;
    case Alignment::Right:
      align |= Qt::AlignRight;
      break;
    case Alignment::Center:
      align |= Qt::AlignHCenter;
      break;
  }
  label->setAlignment(align);
  if (style.border) {
    label->setFrameShape(QFrame::Box);
    label->setLineWidth(1);
  }
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, ToQColor(style.foreColor));
  if (style.opaque) {
    palette.setColor(QPalette::Window, ToQColor(style.backColor));
    label->setAutoFillBackground(true);
  }
  label->setPalette(palette);
  label->setGeometry(PixelRect(left, top, width, height));
  native_->widget = label;
  SetCaption(caption);
}

Label::~Label() = default;

void Label::SetCaption(const std::string& caption) {
  const ToolkitFpScope fp;
  if (caption == caption_ && !caption_.empty()) return;
  caption_ = caption;
  static_cast<CaptionLabel*>(native_->widget.data())->SetCaption(Q(caption_));
  if (style_.autoSize) Fit();
}

// The label takes the size of its text plus its border and keeps the design edge its
// alignment names, so that a right-aligned readout grows to the left and a centred one
// grows on both sides.
void Label::Fit() {
  auto* label = static_cast<CaptionLabel*>(native_->widget.data());
  const QFontMetrics metrics(label->font());
  const int frame = label->frameWidth();
  const int width = static_cast<int>(std::ceil(label->CaptionSize().width())) + 2 * frame + 2;
  const int height = metrics.height() + 2 * frame;
  const QRect design = PixelRect(designLeft_, designTop_, designWidth_, designHeight_);
  int x = design.left();
  switch (style_.alignment) {
    case Alignment::Left:
      x = design.left();
      break;
    case Alignment::Right:
      x = design.left() + design.width() - width;
      break;
    case Alignment::Center:
      x = design.left() + (design.width() - width) / 2;
      break;
  }
  label->setGeometry(x, design.top(), width, height);
}

// ---- HScrollBar --------------------------------------------------------------------------

HScrollBar::HScrollBar(Container& parent, int left, int top, int width, int height, int min,
                       int max, int largeChange, int value) {
  const ToolkitFpScope fp;
  auto* bar = new QScrollBar(Qt::Horizontal, NativeClient(parent));
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

namespace {
QScrollBar* Bar(const NativeHandle& h) {
  return static_cast<QScrollBar*>(h.widget.data());
}
}  // namespace

int HScrollBar::Value() const {
  const ToolkitFpScope fp;
  return Bar(*native_)->sliderPosition();
}

void HScrollBar::SetValue(int value) {
  const ToolkitFpScope fp;
  QScrollBar* bar = Bar(*native_);
  bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
}

int HScrollBar::Min() const {
  const ToolkitFpScope fp;
  return Bar(*native_)->minimum();
}
int HScrollBar::Max() const {
  const ToolkitFpScope fp;
  return Bar(*native_)->maximum();
}
int HScrollBar::SmallChange() const {
  const ToolkitFpScope fp;
  return Bar(*native_)->singleStep();
}
int HScrollBar::LargeChange() const {
  const ToolkitFpScope fp;
  return Bar(*native_)->pageStep();
}

void HScrollBar::SetFocus() {
  const ToolkitFpScope fp;
  QWidget* bar = native_->widget;
  if (bar->window()->focusWidget() == bar && bar->hasFocus()) return;
  bar->setFocus(Qt::OtherFocusReason);
  RaiseGotFocus();
}

bool HScrollBar::HasFocus() const {
  const ToolkitFpScope fp;
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

// ---- OptionButton ------------------------------------------------------------------------

OptionButton::OptionButton(Frame& parent, const std::string& caption, int left, int top, int width,
                           int height, const Font& font, bool selected, bool graphical) {
  const ToolkitFpScope fp;
  QAbstractButton* button = nullptr;
  if (graphical) {
    auto* push = new QPushButton(Q(caption), NativeClient(parent));
    push->setCheckable(true);
    button = push;
  } else {
    button = new QRadioButton(Q(caption), NativeClient(parent));
  }
  button->setFont(MakeFont(font.name, font.points, font.bold));
  button->setGeometry(PixelRect(left, top, width, height));
  button->setChecked(selected);
  button->setFocusPolicy(Qt::StrongFocus);
  parent.client().group->addButton(button);
  native_->widget = button;
  QObject::connect(button, &QAbstractButton::toggled, button, [this](bool checked) {
    if (checked) RaiseClick();
  });
}

OptionButton::~OptionButton() = default;

namespace {
QAbstractButton* Button(const NativeHandle& h) {
  return static_cast<QAbstractButton*>(h.widget.data());
}
}  // namespace

bool OptionButton::Value() const {
  const ToolkitFpScope fp;
  return Button(*native_)->isChecked();
}

void OptionButton::SetValue(bool selected) {
  const ToolkitFpScope fp;
  QAbstractButton* button = Button(*native_);
  if (selected) {
    button->setChecked(true);
    return;
  }
  if (!button->isChecked()) return;
  // An exclusive group refuses to lose its last checked button; a frame may be left with
  // none selected, so the group lets go for the moment of the change.
  QButtonGroup* group = button->group();
  if (group != nullptr) group->setExclusive(false);
  {
    const QSignalBlocker quiet(button);
    button->setChecked(false);
  }
  if (group != nullptr) group->setExclusive(true);
}

std::string OptionButton::Caption() const {
  const ToolkitFpScope fp;
  return Button(*native_)->text().toStdString();
}

void OptionButton::RaiseClick() {
  const ProgramFpScope program;
  if (onClick && !Quitting()) onClick();
}

// ---- Timer -------------------------------------------------------------------------------

struct Timer::Impl {
  QTimer timer;
};

Timer::Timer(bool enabled, int intervalMs)
    : enabled_(enabled), interval_(intervalMs), impl_(std::make_unique<Impl>()) {
  const ToolkitFpScope fp;
  impl_->timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&impl_->timer, &QTimer::timeout, &impl_->timer, [this] {
    const ProgramFpScope program;
    if (onTimer && !Quitting()) onTimer();
  });
  Update();
}

Timer::~Timer() {
  const ToolkitFpScope fp;
  impl_->timer.stop();
}

void Timer::SetEnabled(bool enabled) {
  const ToolkitFpScope fp;
  enabled_ = enabled;
  Update();
}

void Timer::SetInterval(int ms) {
  const ToolkitFpScope fp;
  interval_ = ms;
  Update();
}

bool Timer::Ticking() const {
  const ToolkitFpScope fp;
  return impl_->timer.isActive();
}

void Timer::Update() {
  if (enabled_ && interval_ > 0) {
    if (!impl_->timer.isActive() || impl_->timer.interval() != interval_) {
      impl_->timer.start(interval_);
    }
  } else {
    impl_->timer.stop();
  }
}

// ---- Window ------------------------------------------------------------------------------

Window::Window(const std::string& title, int clientWidth, int clientHeight)
    : window_(std::make_unique<NativeHandle>()) {
  const ToolkitFpScope fp;
  auto* main = new QMainWindow();
  main->setWindowTitle(Q(title));
  auto* client = new QWidget(main);
  client->setFixedSize(TwipsToPixels(clientWidth), TwipsToPixels(clientHeight));
  main->setCentralWidget(client);
  main->menuBar()->setNativeMenuBar(false);
  main->setAttribute(Qt::WA_DeleteOnClose, false);
  window_->widget = main;
  client_->widget = client;
  // The layout does not follow resizing: the window keeps the size of its contents.
  main->layout()->setSizeConstraint(QLayout::SetFixedSize);
  main->adjustSize();
}

Window::~Window() {
  const ToolkitFpScope fp;
  menu_.clear();
  delete window_->widget.data();
}

MenuItem& Window::AddMenuItem(const std::string& caption) {
  const ToolkitFpScope fp;
  auto* main = static_cast<QMainWindow*>(window_->widget.data());
  menu_.push_back(std::make_unique<MenuItem>(caption));
  MenuItem* item = menu_.back().get();
  QAction* action = main->menuBar()->addAction(Q(caption));
  QObject::connect(action, &QAction::triggered, main, [item] {
    const ProgramFpScope program;
    if (!Quitting()) item->RaiseClick();
  });
  main->adjustSize();
  return *item;
}

int Window::Width() const {
  const ToolkitFpScope fp;
  return PixelsToTwips(window_->widget->frameGeometry().width());
}
int Window::Height() const {
  const ToolkitFpScope fp;
  return PixelsToTwips(window_->widget->frameGeometry().height());
}
int Window::Top() const {
  const ToolkitFpScope fp;
  return PixelsToTwips(window_->widget->frameGeometry().y());
}
int Window::Left() const {
  const ToolkitFpScope fp;
  return PixelsToTwips(window_->widget->frameGeometry().x());
}

void Window::SetTop(int twips) {
  const ToolkitFpScope fp;
  QWidget* w = window_->widget;
  w->move(w->frameGeometry().x(), TwipsToPixels(twips));
}

void Window::SetLeft(int twips) {
  const ToolkitFpScope fp;
  QWidget* w = window_->widget;
  w->move(TwipsToPixels(twips), w->frameGeometry().y());
}

int Window::ClientWidth() const {
  const ToolkitFpScope fp;
  return PixelsToTwips(client_->widget->width());
}
int Window::ClientHeight() const {
  const ToolkitFpScope fp;
  return PixelsToTwips(client_->widget->height());
}
std::string Window::Title() const {
  const ToolkitFpScope fp;
  return window_->widget->windowTitle().toStdString();
}

void Window::SetVisible(bool visible) {
  const ToolkitFpScope fp;
  window_->widget->setVisible(visible);
}
bool Window::Visible() const {
  const ToolkitFpScope fp;
  return window_->widget->isVisible();
}

void Window::Unload() {
  const ToolkitFpScope fp;
  window_->widget->hide();
  window_->widget->close();
}

}  // namespace toolkit
