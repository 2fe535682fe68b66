// SPDX-License-Identifier: GPL-3.0-or-later
// Vornak: the Doppler shift of 10 GHz Earth-Moon-Earth echoes, in one interactive window.
#include <cstdio>

#include "classroom/app/startup.h"
#include "classroom/form/form1.h"
#include "toolkit/application.h"
#include "toolkit/qt/backend.h"

int main(int argc, char** argv) {
  // Without a display the toolkit would abort with a message of its own; say plainly why.
  if (!toolkit::DisplayAvailable()) {
    std::fputs("vornak needs a desktop session: no DISPLAY or WAYLAND_DISPLAY is set.\n", stderr);
    return 1;
  }
  toolkit::Application app(argc, argv);
  StartProgram();
  const int status = app.Run();
  // The window's widgets must go before the application object that owns the toolkit.
  DestroyForm1();
  return status;
}
