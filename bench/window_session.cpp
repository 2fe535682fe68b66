// Timing support: the window built in-process, as the program builds it.
#include "bench/window_session.h"

#include <sys/resource.h>

#include <ctime>

#include "app/form/form1.h"
#include "app/startup.h"
#include "interaction/events.h"

void StartWindow() {
  CreateForm1();
  ConnectEvents(form1());
  form1().Quit().onClick = Quit_Click;
  Form1_Load();
}

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
