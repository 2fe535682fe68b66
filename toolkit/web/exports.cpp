// SPDX-License-Identifier: GPL-3.0-or-later
// What the page calls: every event of the window enters the program here, as plain C calls
// (page.js, beside this file, makes them). The page only says what the user did; the
// toolkit decides what each control does with it, as the desktop's widgets do.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/picture_box.h"
#include "toolkit/web/page.h"

namespace {

using toolkit::HScrollBar;
using toolkit::NativeHandle;
using toolkit::OptionButton;

// The actions of a slider's parts and keys, as page.js names them.
enum ScrollAction {
  kSmallDown = 1,  // left arrow button, Left and Down keys
  kSmallUp = 2,    // right arrow button, Right and Up keys
  kPageDown = 3,   // the trough left of the thumb, Page Down
  kPageUp = 4,     // the trough right of the thumb, Page Up
  kToMin = 5,      // Home
  kToMax = 6,      // End
};

// A control the user can act on: it exists, it is enabled and the program has not ended.
template <class C>
C* Live(C* control) {
  if (control == nullptr || toolkit::Quitting() || !control->Enabled()) return nullptr;
  return control;
}

// The option of the same frame nearest in the direction of an arrow key, by the centres of
// their rectangles, as the desktop's buttons choose: first those level with the focused one
// along the arrow's axis, by distance; then any other, by squared distance.
OptionButton* Neighbour(const OptionButton& from, int dx, int dy) {
  const NativeHandle& f = from.native();
  const int gx = f.left + f.width / 2;
  const int gy = f.top + f.height / 2;
  OptionButton* best = nullptr;
  long bestScore = -1;
  for (OptionButton* o : f.frame->options) {
    const NativeHandle& b = o->native();
    if (o == &from || !b.enabled) continue;
    const int px = b.left + b.width / 2;
    const int py = b.top + b.height / 2;
    long score;
    if (dy != 0 && b.left < f.left + f.width - 1 && f.left < b.left + b.width - 1) {
      score = (static_cast<long>(std::abs(py - gy)) << 16) + std::abs(px - gx);
    } else if (dx != 0 && b.top < f.top + f.height - 1 && f.top < b.top + b.height - 1) {
      score = (static_cast<long>(std::abs(px - gx)) << 16) + std::abs(py - gy);
    } else {
      score = (1L << 30) + static_cast<long>(py - gy) * (py - gy) +
              static_cast<long>(px - gx) * (px - gx);
    }
    if (score > bestScore && best != nullptr) continue;
    const bool ahead =
        (dx < 0 && px < gx) || (dx > 0 && px > gx) || (dy < 0 && py < gy) || (dy > 0 && py > gy);
    if (ahead) {
      best = o;
      bestScore = score;
    }
  }
  return best;
}

std::string journalText;  // the last journal written out, until the next call

}  // namespace

extern "C" {

// A part of a slider was pressed (or pressed again while held), or a key pressed on it.
EMSCRIPTEN_KEEPALIVE void vk_scroll_action(int id, int action) {
  HScrollBar* bar = Live(toolkit::ScrollBarById(id));
  if (bar == nullptr) return;
  const int v = bar->Value();
  switch (action) {
    case kSmallDown:
      bar->SetValue(v - bar->SmallChange());
      break;
    case kSmallUp:
      bar->SetValue(v + bar->SmallChange());
      break;
    case kPageDown:
      bar->SetValue(v - bar->LargeChange());
      break;
    case kPageUp:
      bar->SetValue(v + bar->LargeChange());
      break;
    case kToMin:
      bar->SetValue(bar->Min());
      break;
    case kToMax:
      bar->SetValue(bar->Max());
      break;
    default:
      break;
  }
}

// The thumb is dragged to `position`: Scroll, and Value reads the thumb's place.
EMSCRIPTEN_KEEPALIVE void vk_scroll_drag(int id, int position) {
  HScrollBar* bar = Live(toolkit::ScrollBarById(id));
  if (bar == nullptr) return;
  NativeHandle& h = bar->native();
  const int p = std::clamp(position, h.min, h.max);
  h.dragging = true;
  if (p == h.position) return;
  h.position = p;
  vk_scroll_value(h.id, p);
  bar->RaiseScroll();
}

// The thumb is let go: its place becomes the value, with one Change if it moved.
EMSCRIPTEN_KEEPALIVE void vk_scroll_release(int id) {
  HScrollBar* bar = toolkit::ScrollBarById(id);
  if (bar == nullptr) return;
  NativeHandle& h = bar->native();
  if (!h.dragging) return;
  h.dragging = false;
  if (Live(bar) != nullptr) bar->SetValue(h.position);
}

// A value set through the slider's range input, as assistive technology sets it: the slider
// takes the focus first, then the value, as the desktop's accessible slider does.
EMSCRIPTEN_KEEPALIVE void vk_scroll_set(int id, int value) {
  HScrollBar* bar = Live(toolkit::ScrollBarById(id));
  if (bar == nullptr) return;
  bar->SetFocus();
  if (Live(bar) != nullptr) bar->SetValue(value);
}

// The page gave the slider the keyboard focus.
EMSCRIPTEN_KEEPALIVE void vk_scroll_focused(int id) {
  HScrollBar* bar = Live(toolkit::ScrollBarById(id));
  if (bar == nullptr || toolkit::FocusFromCode(id)) return;
  bar->RaiseGotFocus();
}

// A click on an option, anywhere on it: it becomes the frame's one selected button, with a
// Click when it was not selected already.
EMSCRIPTEN_KEEPALIVE void vk_option_click(int id) {
  OptionButton* option = Live(toolkit::OptionById(id));
  if (option == nullptr) return;
  option->SetValue(true);
}

// An arrow key on a focused option: the focus moves to the neighbouring option of the frame,
// which becomes selected when the one left was.
EMSCRIPTEN_KEEPALIVE int vk_option_arrow(int id, int dx, int dy) {
  OptionButton* option = Live(toolkit::OptionById(id));
  if (option == nullptr) return 0;
  OptionButton* next = Neighbour(*option, dx, dy);
  if (next == nullptr) return 0;
  if (option->Value()) next->SetValue(true);
  return next->native().id;
}

// A tick fell due.
EMSCRIPTEN_KEEPALIVE void vk_timer_tick(int id) {
  toolkit::Timer* timer = toolkit::TimerById(id);
  if (timer != nullptr) toolkit::RaiseTimer(*timer);
}

// A top-level item of the menu bar was chosen.
EMSCRIPTEN_KEEPALIVE void vk_menu_click(int windowId, int index) {
  toolkit::Window* window = toolkit::WindowById(windowId);
  if (window == nullptr || toolkit::Quitting()) return;
  const auto& items = window->MenuItems();
  if (index >= 0 && index < static_cast<int>(items.size())) items[index]->RaiseClick();
}

// For tests from outside: every Cls restores its whole surface, or only the tiles drawn on.
EMSCRIPTEN_KEEPALIVE void vk_whole_updates(int whole) {
  toolkit::SetWholeUpdates(whole != 0);
}

// For tests from outside: a surface's journal of drawing calls starts afresh, or is written
// out as JSON, one object a call with the arguments exactly as they were handed over.
EMSCRIPTEN_KEEPALIVE void vk_journal_start(int id) {
  toolkit::PictureBox* surface = toolkit::SurfaceById(id);
  if (surface == nullptr) return;
  surface->ClearJournal();
  surface->StartJournal();
}

EMSCRIPTEN_KEEPALIVE const char* vk_journal(int id) {
  journalText = "{\"calls\":[";
  const toolkit::PictureBox* surface = toolkit::SurfaceById(id);
  if (surface != nullptr) {
    const char* separator = "";
    for (const toolkit::DrawCall& call : surface->Journal()) {
      char head[96];
      std::snprintf(head, sizeof head, "%s{\"op\":\"%s\",\"color\":%u,\"style\":%d,\"args\":[",
                    separator, toolkit::DrawOpName(call.op), static_cast<unsigned>(call.color),
                    static_cast<int>(call.drawStyle));
      journalText += head;
      for (std::size_t i = 0; i < call.args.size(); ++i) {
        char number[32];
        // Nine significant digits give back every float exactly.
        std::snprintf(number, sizeof number, "%s%.9g", i == 0 ? "" : ",",
                      static_cast<double>(call.args[i]));
        journalText += number;
      }
      journalText += "],\"text\":\"";
      for (const char c : call.text) {
        if (c == '"' || c == '\\') journalText += '\\';
        journalText += c;
      }
      journalText += "\"}";
      separator = ",";
    }
  }
  journalText += "]";
  if (surface != nullptr) {
    // A pixel in user units, for the tolerance of positions taken from text metrics.
    const NativeHandle& h = surface->native();
    char pixel[80];
    std::snprintf(pixel, sizeof pixel, ",\"pixel\":[%.9g,%.9g]",
                  toolkit::UnitsPerPixelX(surface->UserFrame(), h.width - 4),
                  toolkit::UnitsPerPixelY(surface->UserFrame(), h.height - 4));
    journalText += pixel;
  }
  journalText += "}";
  return journalText.c_str();
}

}  // extern "C"
