// SPDX-License-Identifier: GPL-3.0-or-later
// RefreshView: the one routine that turns the model's state into everything that changes on screen.
#pragma once

#include "classroom/model/readout.h"
#include "classroom/view/refresh_mode.h"

// Redraws the moving parts of the three views and rewrites every velocity and shift
// readout. Reads the model and writes only to the window; keeps nothing between calls.
void RefreshView(RefreshMode mode);
// Rewrites the twelve velocity and shift readouts from the model, leaving the views as they
// are, and returns the readout they show. RefreshView ends with it.
Readout RewriteReadouts(RefreshMode mode);
