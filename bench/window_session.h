// Timing support: the window built in-process, as the program builds it.
#pragma once

// Creates Form1, wires its events and runs its Load sequence.
void StartWindow();
// Peak resident memory of this process so far, in megabytes.
double PeakResidentMegabytes();
// CPU time used by this process so far, in seconds.
double ProcessCpuSeconds();
