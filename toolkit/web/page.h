// SPDX-License-Identifier: GPL-3.0-or-later
// The page behind the web backend's controls: the handles, and the page's functions the
// backend calls (written in library.js, beside this file).
//
// Private to the web backend's sources. Every size crossing this boundary is in CSS pixels of
// the window at 96 dpi (twips / 15), the unit the desktop lays the window out in; the page
// scales the whole window to its viewport.
#pragma once

#include <string>
#include <vector>

#include "toolkit/controls.h"

namespace toolkit {

class HScrollBar;
class OptionButton;
class PictureBox;

// One element of the page. Each handle has the id the page knows its element by; the state
// the desktop keeps in its widgets lives here.
struct NativeHandle {
  NativeHandle();
  int id;
  bool enabled = true;
  std::string toolTip;
  std::string text;  // a frame's or an option's caption, the window's title
  // A rectangle in window pixels, from the client area's top-left corner: the page lays every
  // control out in one flat list, so that its order is the window's tab order.
  int left = 0, top = 0, width = 0, height = 0;
  bool autoSized = false;  // a label whose width follows its caption
  // A slider: its range, steps, the value the program sees, and the thumb's position (they
  // differ only while the thumb is dragged).
  int min = 0, max = 0, smallChange = 1, largeChange = 1, value = 0, position = 0;
  bool dragging = false;
  // An option button, and a frame's option buttons in the order they were made.
  bool checked = false;
  std::vector<OptionButton*> options;
  NativeHandle* frame = nullptr;
};

// Where the client area of a container starts, in window pixels.
[[nodiscard]] int ClientLeft(const Container& c);
[[nodiscard]] int ClientTop(const Container& c);

// The page's ids of the controls the page raises events on, for the exported entry points.
[[nodiscard]] HScrollBar* ScrollBarById(int id);
[[nodiscard]] OptionButton* OptionById(int id);
[[nodiscard]] Timer* TimerById(int id);
[[nodiscard]] Window* WindowById(int id);
[[nodiscard]] PictureBox* SurfaceById(int id);
// Each surface registers itself while it exists.
void RegisterSurface(int id, PictureBox* surface);

// True while SetFocus itself is focusing slider `id`: the page's focus event then raises
// nothing, since SetFocus raises GotFocus once, synchronously.
[[nodiscard]] bool FocusFromCode(int id);
// A tick that fell due on the page.
void RaiseTimer(Timer& timer);

// Every Cls restores its whole surface (for the proof that restoring the drawn tiles only
// shows the same pixels).
void SetWholeUpdates(bool whole);

}  // namespace toolkit

// The page's functions (library.js). Strings are UTF-8; colours 0x00BBGGRR.
extern "C" {
void vk_window(int id, int width, int height, const char* title);
void vk_menu_item(int windowId, int index, const char* caption);
void vk_frame(int id, const char* caption, int left, int top, int width, int height, int fontPx);
void vk_label(int id, const char* caption, int left, int top, int width, int height, int autoSize,
              int border, int opaque, unsigned backColor, unsigned foreColor, int alignment,
              int fontPx, int bold);
void vk_label_caption(int id, const char* caption);
[[nodiscard]] int vk_width_of(int id);
void vk_scroll(int id, int left, int top, int width, int height, int min, int max, int value);
void vk_scroll_value(int id, int position);
void vk_option(int id, int frameId, const char* caption, int left, int top, int width, int height,
               int fontPx, int checked, int graphical);
void vk_option_checked(int id, int checked);
void vk_enable(int id, int enabled);
void vk_focus(int id);
[[nodiscard]] int vk_has_focus(int id);
void vk_tooltip(int id, const char* text);
void vk_accessible_name(int id, const char* text);
void vk_accessible_description(int id, const char* text);
void vk_tab_order(const int* ids, int count);
void vk_name(int id, const char* name);
void vk_surface(int id, int left, int top, int width, int height, int interiorWidth,
                int interiorHeight, unsigned backColor);
void vk_clear(int id, int picture);
// Copies back `count` rectangles of the background (a picture, or the back colour for 0), each
// four ints x0, y0, x1, y1 in device pixels, x1 and y1 one past the last.
void vk_restore(int id, int picture, const int* runs, int count);
[[nodiscard]] double vk_pixel_ratio(int id);
void vk_segment(int id, double x1, double y1, double x2, double y2, unsigned color, int dotted);
void vk_point(int id, double x, double y, unsigned color);
void vk_circle(int id, double x, double y, double r, unsigned color, int dotted);
void vk_font(int id, int tahoma, int px);
void vk_text(int id, double x, double y, const char* text, unsigned color, int opaque,
             unsigned backColor);
[[nodiscard]] double vk_text_width(int id, const char* text);
[[nodiscard]] double vk_text_height(int id);
[[nodiscard]] int vk_capture(int id);
void vk_picture_free(int picture);
[[nodiscard]] int vk_picture_width(int picture);
[[nodiscard]] int vk_picture_height(int picture);
[[nodiscard]] unsigned vk_picture_pixel(int picture, int x, int y);
[[nodiscard]] int vk_same_pixels(int a, int b);
void vk_timer(int id, int intervalMs);
void vk_ended();
void vk_ready();
void vk_menu_name(int windowId, int index, const char* name);
[[nodiscard]] int vk_screen_width();
[[nodiscard]] int vk_screen_height();
}
