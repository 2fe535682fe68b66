// Wiring of the window's control events to their handlers.
#pragma once

#include "app/form/form1.h"

// Sets every handled control event of f to its handler with the control's index. The menu
// item Quit is left to start-up.
void ConnectEvents(Form1& f);
