// SPDX-License-Identifier: GPL-3.0-or-later
// RefreshMode: what a handler has just done to the model, as RefreshView and the readouts read it.
#pragma once

// What a caller of RefreshView has just done to the model. Only the Earth-fixed notice depends
// on it; the numbers are part of each handler's contract.
enum class RefreshMode {
  // Nothing that moves the Earth: the speed slider, and a slider's nested Change while its
  // partner is moved from code.
  Plain = 0,
  // The Earth turns: start-up, the animation tick, the sidereal-angle slider uncoupled.
  EarthTurning = 1,
  // The Earth is shown held: the Moon slider uncoupled, the node-line and station sliders.
  // The two Earth-rotation readouts show " Terre fixe! ".
  EarthFixed = 2,
  // Either coupled slider, which moves the Moon and the Earth together.
  Coupled = 3,
};
