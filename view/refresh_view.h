// RefreshView: the one routine that turns the model's state into everything that changes on screen.
#pragma once

// Redraws the moving parts of the three views and rewrites every velocity and shift
// readout. Mode 2 holds the Earth fixed: the two rotation readouts show " Terre fixe! ".
// Reads the model and writes only to the window; keeps nothing between calls.
void RefreshView(int mode);
