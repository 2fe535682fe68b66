// Test support: the window as the program starts it.
#include "tests/support/started_form.h"

#include "app/startup.h"
#include "interaction/events.h"

Form1& CreateWiredForm() {
  if (Form1Exists()) DestroyForm1();
  CreateForm1();
  ConnectEvents(form1());
  return form1();
}

Form1& StartForm() {
  Form1& f = CreateWiredForm();
  Form1_Load();
  return f;
}
