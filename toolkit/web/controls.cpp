// SPDX-License-Identifier: GPL-3.0-or-later
// The page's controls: frames, labels, sliders, option buttons, the timer and the window.
#include "toolkit/controls.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_map>

#include "toolkit/application.h"
#include "toolkit/twips.h"
#include "toolkit/web/page.h"
#include "toolkit/web/web.h"

namespace toolkit {

namespace {

int nextId = 1;
std::unordered_map<int, HScrollBar*> scrollBars;  // by page id, while each exists
std::unordered_map<int, OptionButton*> options;
int focusingFromCode = 0;  // the slider SetFocus is focusing, whose GotFocus it raises itself

int Px(int twips) {
  return TwipsToPixels(twips);
}

// Font sizes in points become whole pixels at 96 dpi, as on the desktop.
int FontPx(double points) {
  return std::max(1, static_cast<int>(std::lround(PointsToPixels(points))));
}

void Place(NativeHandle& h, const Container& parent, int left, int top, int width, int height) {
  h.left = ClientLeft(parent) + Px(left);
  h.top = ClientTop(parent) + Px(top);
  h.width = Px(width);
  h.height = Px(height);
}

}  // namespace

NativeHandle::NativeHandle() : id(nextId++) {}

int ClientLeft(const Container& c) {
  return c.client().left;
}
int ClientTop(const Container& c) {
  return c.client().top;
}

HScrollBar* ScrollBarById(int id) {
  const auto it = scrollBars.find(id);
  return it == scrollBars.end() ? nullptr : it->second;
}

OptionButton* OptionById(int id) {
  const auto it = options.find(id);
  return it == options.end() ? nullptr : it->second;
}

Container::Container() : client_(std::make_unique<NativeHandle>()) {}
Container::~Container() = default;

Control::Control() : native_(std::make_unique<NativeHandle>()) {}
Control::~Control() = default;

int Control::Left() const {
  return PixelsToTwips(native_->left);
}
int Control::Top() const {
  return PixelsToTwips(native_->top);
}
int Control::Width() const {
  // An auto-sized label is as wide as the page lays its caption out; asked only when read,
  // so that writing a caption never makes the page lay itself out at once.
  return PixelsToTwips(native_->autoSized ? vk_width_of(native_->id) : native_->width);
}
int Control::Height() const {
  return PixelsToTwips(native_->height);
}

bool Control::Enabled() const {
  return native_->enabled;
}
void Control::SetEnabled(bool enabled) {
  native_->enabled = enabled;
  vk_enable(native_->id, enabled ? 1 : 0);
}
bool Control::Visible() const {
  return true;
}

void Control::SetToolTipText(const std::string& text) {
  native_->toolTip = text;
  vk_tooltip(native_->id, text.c_str());
}
std::string Control::ToolTipText() const {
  return native_->toolTip;
}

void Control::SetAccessibleName(const std::string& name) {
  vk_accessible_name(native_->id, name.c_str());
}

void Control::SetAccessibleDescription(const std::string& text) {
  vk_accessible_description(native_->id, text.c_str());
}

// The page lists its controls in this order, so that Tab walks them as the desktop does.
void SetTabOrder(const std::vector<Control*>& ordered) {
  std::vector<int> ids;
  ids.reserve(ordered.size());
  for (const Control* c : ordered) ids.push_back(c->native().id);
  vk_tab_order(ids.data(), static_cast<int>(ids.size()));
}

Frame::Frame(Container& parent, const std::string& caption, int left, int top, int width,
             int height, const Font& font) {
  Place(*native_, parent, left, top, width, height);
  // Children are placed from the frame's top-left corner.
  client_->left = native_->left;
  client_->top = native_->top;
  client_->id = native_->id;
  vk_frame(native_->id, caption.c_str(), native_->left, native_->top, native_->width,
           native_->height, FontPx(font.points));
  native_->text = caption;
}

Frame::~Frame() = default;

std::string Frame::Caption() const {
  return native_->text;
}

Label::Label(Container& parent, const std::string& caption, int left, int top, int width,
             int height, const LabelStyle& style)
    : style_(style),
      designLeft_(left),
      designTop_(top),
      designWidth_(width),
      designHeight_(height) {
  Place(*native_, parent, left, top, width, height);
  native_->autoSized = style.autoSize;
  caption_ = caption;
  vk_label(native_->id, caption.c_str(), native_->left, native_->top, native_->width,
           native_->height, style.autoSize ? 1 : 0, style.border ? 1 : 0, style.opaque ? 1 : 0,
           style.backColor, style.foreColor, static_cast<int>(style.alignment),
           FontPx(style.font.points), style.font.bold ? 1 : 0);
}

Label::~Label() = default;

// The caption is written into the page at once, in the same task as the event that changed
// it; an auto-sized label takes the size of its text there, keeping the edge its alignment
// names (the page's layout does it).
void Label::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  vk_label_caption(native_->id, caption_.c_str());
}

HScrollBar::HScrollBar(Container& parent, int left, int top, int width, int height, int min,
                       int max, int largeChange, int value) {
  NativeHandle& h = *native_;
  Place(h, parent, left, top, width, height);
  h.min = min;
  h.max = max;
  h.largeChange = largeChange;
  h.value = std::clamp(value, min, max);
  h.position = h.value;
  scrollBars[h.id] = this;
  vk_scroll(h.id, h.left, h.top, h.width, h.height, min, max, h.value);
}

HScrollBar::~HScrollBar() {
  scrollBars.erase(native_->id);
}

int HScrollBar::Value() const {
  return native_->position;
}

void HScrollBar::SetValue(int value) {
  NativeHandle& h = *native_;
  const int v = std::clamp(value, h.min, h.max);
  h.position = v;
  if (v == h.value) return;
  h.value = v;
  vk_scroll_value(h.id, v);
  RaiseChange();
}

int HScrollBar::Min() const {
  return native_->min;
}
int HScrollBar::Max() const {
  return native_->max;
}
int HScrollBar::SmallChange() const {
  return native_->smallChange;
}
int HScrollBar::LargeChange() const {
  return native_->largeChange;
}

void HScrollBar::SetFocus() {
  if (HasFocus()) return;
  focusingFromCode = native_->id;
  vk_focus(native_->id);
  focusingFromCode = 0;
  RaiseGotFocus();
}

bool HScrollBar::HasFocus() const {
  return vk_has_focus(native_->id) != 0;
}

void HScrollBar::RaiseChange() {
  if (onChange && !Quitting()) onChange();
}

void HScrollBar::RaiseScroll() {
  if (onScroll && !Quitting()) onScroll();
}

void HScrollBar::RaiseGotFocus() {
  if (onGotFocus && !Quitting()) onGotFocus();
}

// The page reports a focus it gave the slider (a pointer, Tab, assistive technology); one
// that SetFocus gives raises GotFocus from SetFocus itself.
bool FocusFromCode(int id) {
  return focusingFromCode == id;
}

OptionButton::OptionButton(Frame& parent, const std::string& caption, int left, int top, int width,
                           int height, const Font& font, bool selected, bool graphical) {
  NativeHandle& h = *native_;
  Place(h, parent, left, top, width, height);
  h.checked = selected;
  h.frame = &parent.client();
  h.frame->options.push_back(this);
  options[h.id] = this;
  h.text = caption;
  vk_option(h.id, h.frame->id, caption.c_str(), h.left, h.top, h.width, h.height,
            FontPx(font.points), selected ? 1 : 0, graphical ? 1 : 0);
}

OptionButton::~OptionButton() {
  options.erase(native_->id);
  auto& group = native_->frame->options;
  group.erase(std::remove(group.begin(), group.end(), this), group.end());
}

bool OptionButton::Value() const {
  return native_->checked;
}

void OptionButton::SetValue(bool selected) {
  NativeHandle& h = *native_;
  if (!selected) {
    if (!h.checked) return;
    h.checked = false;
    vk_option_checked(h.id, 0);
    return;
  }
  if (h.checked) return;
  for (OptionButton* other : h.frame->options) {
    if (other != this && other->native_->checked) {
      other->native_->checked = false;
      vk_option_checked(other->native_->id, 0);
    }
  }
  h.checked = true;
  vk_option_checked(h.id, 1);
  RaiseClick();
}

std::string OptionButton::Caption() const {
  return native_->text;
}

void OptionButton::RaiseClick() {
  if (onClick && !Quitting()) onClick();
}

struct Timer::Impl {
  NativeHandle handle;
  bool ticking = false;
  int intervalMs = 0;
};

namespace {
std::unordered_map<int, Timer*> timers;
std::unordered_map<int, Window*> windows;
std::unordered_map<int, PictureBox*> surfaces;
}  // namespace

Window* WindowById(int id) {
  const auto it = windows.find(id);
  return it == windows.end() ? nullptr : it->second;
}

PictureBox* SurfaceById(int id) {
  const auto it = surfaces.find(id);
  return it == surfaces.end() ? nullptr : it->second;
}

void RegisterSurface(int id, PictureBox* surface) {
  if (surface != nullptr) {
    surfaces[id] = surface;
  } else {
    surfaces.erase(id);
  }
}

Timer* TimerById(int id) {
  const auto it = timers.find(id);
  return it == timers.end() ? nullptr : it->second;
}

Timer::Timer(bool enabled, int intervalMs)
    : enabled_(enabled), interval_(intervalMs), impl_(std::make_unique<Impl>()) {
  timers[impl_->handle.id] = this;
  Update();
}

Timer::~Timer() {
  timers.erase(impl_->handle.id);
  vk_timer(impl_->handle.id, 0);
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Update();
}

void Timer::SetInterval(int ms) {
  interval_ = ms;
  Update();
}

bool Timer::Ticking() const {
  return impl_->ticking;
}

// Ticks fall due every Interval milliseconds of the page's clock from the moment the timer
// starts; a new interval starts the count again, as the desktop's timer restarts.
void Timer::Update() {
  const bool tick = enabled_ && interval_ > 0 && !Quitting();
  if (tick == impl_->ticking && (!tick || interval_ == impl_->intervalMs)) return;
  impl_->ticking = tick;
  impl_->intervalMs = tick ? interval_ : 0;
  vk_timer(impl_->handle.id, impl_->intervalMs);
}

void RaiseTimer(Timer& timer) {
  if (timer.Ticking() && timer.onTimer && !Quitting()) timer.onTimer();
}

Window::Window(const std::string& title, int clientWidth, int clientHeight)
    : window_(std::make_unique<NativeHandle>()) {
  client_->width = Px(clientWidth);
  client_->height = Px(clientHeight);
  window_->width = client_->width;
  window_->height = client_->height;
  window_->text = title;
  windows[client_->id] = this;
  vk_window(client_->id, client_->width, client_->height, title.c_str());
}

Window::~Window() {
  windows.erase(client_->id);
}

MenuItem& Window::AddMenuItem(const std::string& caption) {
  menu_.push_back(std::make_unique<MenuItem>(caption));
  vk_menu_item(client_->id, static_cast<int>(menu_.size()) - 1, caption.c_str());
  return *menu_.back();
}

// The page has no window frame: the outer size is the client area.
int Window::Width() const {
  return PixelsToTwips(window_->width);
}
int Window::Height() const {
  return PixelsToTwips(window_->height);
}
int Window::Top() const {
  return PixelsToTwips(window_->top);
}
int Window::Left() const {
  return PixelsToTwips(window_->left);
}
// A page is placed by the browser; the position is kept for the program to read back.
void Window::SetTop(int twips) {
  window_->top = TwipsToPixels(twips);
}
void Window::SetLeft(int twips) {
  window_->left = TwipsToPixels(twips);
}
int Window::ClientWidth() const {
  return PixelsToTwips(client_->width);
}
int Window::ClientHeight() const {
  return PixelsToTwips(client_->height);
}
std::string Window::Title() const {
  return window_->text;
}

void Window::SetVisible(bool visible) {
  window_->enabled = visible;
}
bool Window::Visible() const {
  return window_->enabled;
}

// A page cannot close its own tab: the window stays in view, its controls disabled by Quit.
void Window::Unload() {
  window_->enabled = false;
}

namespace web {

void NameControl(const Control& control, const std::string& name) {
  vk_name(control.native().id, name.c_str());
}

void NameMenuItem(const Window& window, int index, const std::string& name) {
  vk_menu_name(window.client().id, index, name.c_str());
}

void PageReady() {
  vk_ready();
}

}  // namespace web

}  // namespace toolkit
