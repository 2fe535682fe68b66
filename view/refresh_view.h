// RefreshView: the one routine that turns the model's state into everything that changes on screen.
#pragma once

#include "model/readout.h"

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

// Redraws the moving parts of the three views and rewrites every velocity and shift
// readout. Reads the model and writes only to the window; keeps nothing between calls.
void RefreshView(RefreshMode mode);
// Rewrites the twelve velocity and shift readouts from the model, leaving the views as they
// are, and returns the readout they show. RefreshView ends with it.
Readout RewriteReadouts(RefreshMode mode);
