// SPDX-License-Identifier: GPL-3.0-or-later
// Timing support: the process's peak memory and CPU time.
#pragma once

// Peak resident memory of this process so far, in megabytes.
double PeakResidentMegabytes();
// CPU time used by this process so far, in seconds.
double ProcessCpuSeconds();
