// SPDX-License-Identifier: GPL-3.0-or-later
// The application on a page: no event loop of its own, DoEvents that cannot drain the
// browser's queue, and Quit that ends the program inside a tab that stays open.
#include "toolkit/application.h"

#include <algorithm>
#include <vector>

#include "toolkit/twips.h"
#include "toolkit/web/page.h"

namespace toolkit {

namespace {
bool quitting = false;
std::vector<void (*)()> endHooks;
}  // namespace

struct Application::Impl {};

// The page has loaded its fonts before the program starts; there is nothing else to set up.
Application::Application(int&, char**) : impl_(std::make_unique<Impl>()) {
  quitting = false;
}

Application::~Application() {
  const std::vector<void (*)()> hooks = std::move(endHooks);
  endHooks.clear();
  for (auto fn : hooks) fn();
}

void AtApplicationEnd(void (*fn)()) {
  if (std::find(endHooks.begin(), endHooks.end(), fn) == endHooks.end()) endHooks.push_back(fn);
}

// The browser runs the event loop: the program returns from its entry point, and every later
// event reaches it from the page.
int Application::Run() {
  return 0;
}

// The program ends, the tab stays: the page stops every timer, disables every control and
// says that the program has ended.
void Quit(int) {
  if (quitting) return;
  quitting = true;
  vk_ended();
}

bool Quitting() {
  return quitting;
}

// A page cannot run its pending events from inside a handler: they run after it returns.
void DoEvents() {}

int DoEventsDepth() {
  return 0;
}

int ScreenWidth() {
  return PixelsToTwips(vk_screen_width());
}

int ScreenHeight() {
  return PixelsToTwips(vk_screen_height());
}

}  // namespace toolkit
