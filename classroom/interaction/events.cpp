// SPDX-License-Identifier: GPL-3.0-or-later
// Wiring of the window's control events to their handlers.
#include "classroom/interaction/events.h"

#include "classroom/interaction/animation.h"
#include "classroom/interaction/orbit_controls.h"
#include "classroom/interaction/station_controls.h"

void ConnectEvents(Form1& f) {
  for (int i = 0; i < 4; ++i) {
    toolkit::HScrollBar& slider = f.HScroll1(i);
    slider.onChange = [i] { HScroll1_Change(i); };
    slider.onScroll = [i] { HScroll1_Scroll(i); };
    slider.onGotFocus = [i] { HScroll1_GotFocus(i); };
    f.Option1(i).onClick = [i] { Option1_Click(i); };
    f.Option2(i).onClick = [i] { Option2_Click(i); };
  }
  for (int i = 0; i < 2; ++i) {
    toolkit::HScrollBar& slider = f.HScroll2(i);
    slider.onChange = [i] { HScroll2_Change(i); };
    slider.onScroll = [i] { HScroll2_Scroll(i); };
    f.Option4(i).onClick = [i] { Option4_Click(i); };
  }
  // The coupling buttons Option3 need no handler: the sliders read their selection when
  // they move.
  f.Timer1().onTimer = [] { Timer1_Timer(); };
}
