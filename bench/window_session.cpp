// SPDX-License-Identifier: GPL-3.0-or-later
// Timing support: the process's peak memory and CPU time.
#include "bench/window_session.h"

#include <sys/resource.h>

#include <ctime>

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes
}

double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}
