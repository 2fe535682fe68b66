// SPDX-License-Identifier: GPL-3.0-or-later
// The application object, the event loop and the screen.
#pragma once

#include <memory>

namespace toolkit {

// Creates the toolkit's application object; exactly one exists while the program runs.
// Loads the bundled fonts and fixes the widget style, so that every run looks the same.
class Application {
 public:
  Application(int& argc, char** argv);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Runs the event loop until Quit; returns the exit status.
  int Run();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// Runs fn when the application object ends, before the toolkit goes: the window's widgets
// must not outlive it. Each function is registered once however often it is passed.
void AtApplicationEnd(void (*fn)());

// Ends the program: the event loop returns code, and no further events are handled.
void Quit(int code);
[[nodiscard]] bool Quitting();

// Runs every pending event before it returns, so that a handler reads what input queued
// meanwhile (the desktop backend). Nested calls deeper than kMaxDoEventsDepth return at once,
// so that a burst of input cannot overflow the stack. A backend whose event loop cannot be
// entered from inside a handler (a browser page) returns at once and runs nothing, not even
// a due timer tick; the events that arrived meanwhile then run after the handler returns.
inline constexpr int kMaxDoEventsDepth = 8;
void DoEvents();
[[nodiscard]] int DoEventsDepth();

// The size of the primary screen in twips.
[[nodiscard]] int ScreenWidth();
[[nodiscard]] int ScreenHeight();

}  // namespace toolkit
