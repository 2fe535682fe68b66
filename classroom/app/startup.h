// SPDX-License-Identifier: GPL-3.0-or-later
// The window's Load sequence, run once when the program starts, and the Quit menu command.
#pragma once

// Creates Form1 and wires every event of its controls to its handler, the menu's Quit included.
void CreateWiredForm1();
// The program as it starts: CreateWiredForm1, then Form1_Load. The entry point, the tests and
// the benchmarks all start the window through it.
void StartProgram();
// Centres and shows the window, draws the fixed figures, puts the station at 49.2° N, 0° and
// makes the first full update of the model, the readouts and the views.
void Form1_Load();
// Unloads the window and ends the program at once; nothing is saved.
void Quit_Click();
