// SPDX-License-Identifier: GPL-3.0-or-later
// The window, frames, labels, sliders, option buttons, timer and menu item the program is made of.
//
// Every size and position is in twips relative to the client area of the container, as the
// window description gives them. Events are plain callbacks, raised synchronously on the
// user-interface thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/color.h"

namespace toolkit {

struct NativeHandle;  // the widget behind a control; known only to the toolkit's sources

// Anything that holds controls in its client area: the window and its frames.
class Container {
 public:
  Container(const Container&) = delete;
  Container& operator=(const Container&) = delete;
  virtual ~Container();

  [[nodiscard]] NativeHandle& client() const { return *client_; }

 protected:
  Container();
  std::unique_ptr<NativeHandle> client_;
};

class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  // Outer geometry in twips, relative to the container's client area.
  [[nodiscard]] int Left() const;
  [[nodiscard]] int Top() const;
  [[nodiscard]] int Width() const;
  [[nodiscard]] int Height() const;

  [[nodiscard]] bool Enabled() const;
  void SetEnabled(bool enabled);
  [[nodiscard]] bool Visible() const;

  void SetToolTipText(const std::string& text);
  [[nodiscard]] std::string ToolTipText() const;
  // For assistive technology. Labels keep their caption as their accessible name, so they
  // only ever get a description.
  void SetAccessibleName(const std::string& name);
  void SetAccessibleDescription(const std::string& text);

  [[nodiscard]] NativeHandle& native() const { return *native_; }

 protected:
  Control();
  std::unique_ptr<NativeHandle> native_;
};

// Focus moves between the focusable controls in this order with Tab.
void SetTabOrder(const std::vector<Control*>& ordered);

struct Font {
  std::string name;  // "Tahoma" falls back to a bold sans face when it is not installed
  double points = 8.25;
  bool bold = true;
};

class Frame : public Control, public Container {
 public:
  Frame(Container& parent, const std::string& caption, int left, int top, int width, int height,
        const Font& font);
  ~Frame() override;
  [[nodiscard]] std::string Caption() const;
};

enum class Alignment { Left = 0, Right = 1, Center = 2 };

struct LabelStyle {
  bool autoSize = false;  // the label's size follows its caption
  bool border = false;    // single-line border
  bool opaque = false;    // paints BackColor; otherwise the container's background
  Color backColor = kWhite;
  Color foreColor = kBlack;
  Alignment alignment = Alignment::Left;
  Font font;
};

// A text. An auto-sized label grows or shrinks with its caption and keeps, of its design
// rectangle, the edge its alignment names: the left edge, the right edge or the centre.
class Label : public Control {
 public:
  Label(Container& parent, const std::string& caption, int left, int top, int width, int height,
        const LabelStyle& style);
  ~Label() override;

  void SetCaption(const std::string& caption);
  [[nodiscard]] const std::string& Caption() const { return caption_; }
  [[nodiscard]] Alignment GetAlignment() const { return style_.alignment; }
  [[nodiscard]] const LabelStyle& Style() const { return style_; }
  // The rectangle the label was designed with, in twips.
  [[nodiscard]] int DesignLeft() const { return designLeft_; }
  [[nodiscard]] int DesignTop() const { return designTop_; }
  [[nodiscard]] int DesignWidth() const { return designWidth_; }
  [[nodiscard]] int DesignHeight() const { return designHeight_; }

 private:
  void Fit();
  std::string caption_;
  LabelStyle style_;
  int designLeft_, designTop_, designWidth_, designHeight_;
};

// A horizontal slider with a 16-bit position. Change is raised at once when code sets a new
// Value, and when the user moves it by an arrow, a click in the track, a key, or the end of a
// thumb drag; never when the value stays the same. During a drag each move raises Scroll
// only, and Value reads the thumb's position.
class HScrollBar : public Control {
 public:
  HScrollBar(Container& parent, int left, int top, int width, int height, int min, int max,
             int largeChange, int value);
  ~HScrollBar() override;

  [[nodiscard]] int Value() const;
  void SetValue(int value);  // clamped into Min..Max
  [[nodiscard]] int Min() const;
  [[nodiscard]] int Max() const;
  [[nodiscard]] int SmallChange() const;
  [[nodiscard]] int LargeChange() const;

  // Gives the slider the keyboard focus; raises GotFocus once, synchronously.
  void SetFocus();
  [[nodiscard]] bool HasFocus() const;

  std::string Tag;

  std::function<void()> onChange;
  std::function<void()> onScroll;
  std::function<void()> onGotFocus;
  // Raised by the toolkit itself; not for the program's own use.
  void RaiseChange();
  void RaiseScroll();
  void RaiseGotFocus();
};

// One of a group of mutually exclusive buttons inside a frame.
class OptionButton : public Control {
 public:
  // A graphical button looks like a push button that stays down while it is selected;
  // otherwise it is a round option button with its caption on the right.
  OptionButton(Frame& parent, const std::string& caption, int left, int top, int width, int height,
               const Font& font, bool selected, bool graphical = false);
  ~OptionButton() override;

  [[nodiscard]] bool Value() const;
  // true selects the button, clears the others of its frame and raises Click when it was
  // not selected already; false clears it, even when that leaves the frame with no selected
  // button, and raises nothing.
  void SetValue(bool selected);
  [[nodiscard]] std::string Caption() const;

  std::function<void()> onClick;
  void RaiseClick();
};

// Ticks every Interval milliseconds while it is enabled and the interval is above 0.
class Timer {
 public:
  Timer(bool enabled, int intervalMs);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void SetEnabled(bool enabled);
  void SetInterval(int ms);
  [[nodiscard]] bool Enabled() const { return enabled_; }
  [[nodiscard]] int Interval() const { return interval_; }
  [[nodiscard]] bool Ticking() const;

  std::function<void()> onTimer;

  struct Impl;

 private:
  void Update();
  bool enabled_;
  int interval_;
  std::unique_ptr<Impl> impl_;
};

// A top-level item of the window's menu bar.
class MenuItem {
 public:
  explicit MenuItem(std::string caption) : caption_(std::move(caption)) {}
  [[nodiscard]] const std::string& Caption() const { return caption_; }
  std::function<void()> onClick;
  void RaiseClick() {
    if (onClick) onClick();
  }

 private:
  std::string caption_;
};

// The program's one window: a menu bar above a client area of fixed size.
class Window : public Container {
 public:
  Window(const std::string& title, int clientWidth, int clientHeight);
  ~Window() override;

  MenuItem& AddMenuItem(const std::string& caption);
  [[nodiscard]] const std::vector<std::unique_ptr<MenuItem>>& MenuItems() const { return menu_; }

  // Outer size and position in twips.
  [[nodiscard]] int Width() const;
  [[nodiscard]] int Height() const;
  [[nodiscard]] int Top() const;
  [[nodiscard]] int Left() const;
  void SetTop(int twips);
  void SetLeft(int twips);
  [[nodiscard]] int ClientWidth() const;
  [[nodiscard]] int ClientHeight() const;
  [[nodiscard]] std::string Title() const;

  void SetVisible(bool visible);
  [[nodiscard]] bool Visible() const;
  // Hides and closes the window for good.
  void Unload();

  [[nodiscard]] NativeHandle& window() const { return *window_; }

 private:
  std::unique_ptr<NativeHandle> window_;
  std::vector<std::unique_ptr<MenuItem>> menu_;
};

}  // namespace toolkit
