// SPDX-License-Identifier: GPL-3.0-or-later
// The sidereal-angle, Moon-position, node-line and speed sliders, and their preset buttons.
#pragma once

// rad; the Moon's orbit angle (trueAnomaly) as it stood after the last change of the
// Moon-position slider. In coupled mode the sidereal-angle slider places the Moon relative
// to it. Written by HScroll1_Change (index 2) only.
extern double coupledMoonBase;

// Slider HScroll1(index) moved: 0 speed, 1 sidereal angle, 2 Moon position, 3 node line.
void HScroll1_Change(int index);
// A drag of the thumb updates the view as it goes: the same work as a change.
void HScroll1_Scroll(int index);
// Taking the Moon-position or node-line slider unmarks that slider's preset buttons.
void HScroll1_GotFocus(int index);
// Presets 0°, 90°, 180°, 270° of the node-line slider (Option1) and the Moon-position
// slider (Option2).
void Option1_Click(int index);
void Option2_Click(int index);
