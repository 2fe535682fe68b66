// Test support: the window as the program starts it, made afresh for each test.
#pragma once

#include "app/form/form1.h"

// Creates Form1, wires its events and runs its Load sequence, as the program does at start.
// Destroys any window an earlier test left.
Form1& StartForm();
// Creates Form1 and wires its events without running Load.
Form1& CreateWiredForm();
