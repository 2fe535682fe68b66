// SPDX-License-Identifier: GPL-3.0-or-later
// Test support: the window as the program starts it.
#include "tests/support/started_form.h"

#include "classroom/app/startup.h"

Form1& CreateWiredForm() {
  if (Form1Exists()) DestroyForm1();
  CreateWiredForm1();
  return form1();
}

Form1& StartForm() {
  if (Form1Exists()) DestroyForm1();
  StartProgram();
  return form1();
}
