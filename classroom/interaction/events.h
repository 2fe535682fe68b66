// SPDX-License-Identifier: GPL-3.0-or-later
// Wiring of the window's control events to their handlers.
#pragma once

#include "classroom/form/form1.h"

// Sets every handled control event of f to its handler with the control's index. The menu
// item Quit is wired by the program's entry point, to the start-up module's Quit_Click.
void ConnectEvents(Form1& f);
