// SPDX-License-Identifier: GPL-3.0-or-later
// What only the Qt Widgets backend means: how its updates reach the screen, and whether a
// window can be shown at all.
#pragma once

namespace toolkit {

// How an update reaches the screen. By default a surface's Cls restores only the tiles drawn
// on since the last one and the window repaints only the tiles that changed; a label lays its
// new caption out from the letter pairs it has seen and repaints only where its glyphs
// changed. Whole updates restore and repaint every surface whole and lay out and repaint
// every new caption whole: the first way, kept for the benchmark and for the test that shows
// both ways put the same pixels on the screen. Off by default.
void SetWholeUpdates(bool on);
[[nodiscard]] bool WholeUpdates();

// True when a window can be shown: a display, a Wayland session, or a platform chosen
// explicitly through QT_QPA_PLATFORM.
[[nodiscard]] bool DisplayAvailable();

}  // namespace toolkit
