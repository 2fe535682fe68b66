// SPDX-License-Identifier: GPL-3.0-or-later
// The animation: its on/off switch and the timer tick that turns the Earth and moves the Moon.
#pragma once

// degrees of Earth rotation per tick, 0.2 to 20.2. Written by Option4_Click (switching on)
// and by HScroll1_Change (index 0, the speed slider).
extern double animStep;

// The switch: 0 "Animation OFF", 1 "Animation ON".
void Option4_Click(int index);
// One step of the animation: AdvanceAnimation, then the views and readouts redrawn.
void Timer1_Timer();
// Advances Form1's animClock, shows it in the two angle readouts and sets the Earth's and the
// Moon's angles from it, 27.55455 Earth turns for each Moon turn.
void AdvanceAnimation();
