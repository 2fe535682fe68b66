// SPDX-License-Identifier: GPL-3.0-or-later
// Vornak on a page: the same start-up as the desktop's, then the browser runs the events.
#include <string>

#include "classroom/app/startup.h"
#include "classroom/form/form1.h"
#include "toolkit/application.h"
#include "toolkit/web/web.h"

namespace {

// Every control's element carries its name as the window knows it, with its index for an
// element of a control array: the page's contract with assistive technology and with tests.
void NameControls(const Form1& f) {
  using toolkit::web::NameControl;
  const auto indexed = [](const char* array, int i) {
    return std::string(array) + "(" + std::to_string(i) + ")";
  };
  for (int i = 0; i < 5; ++i) NameControl(f.Frame1(i), indexed("Frame1", i));
  NameControl(f.Frame2(), "Frame2");
  NameControl(f.Frame3(), "Frame3");
  for (int i = 0; i < 2; ++i) {
    NameControl(f.Label1(i), indexed("Label1", i));
    NameControl(f.Label5(i), indexed("Label5", i));
    NameControl(f.Label9(i), indexed("Label9", i));
    NameControl(f.HScroll2(i), indexed("HScroll2", i));
    NameControl(f.Option3(i), indexed("Option3", i));
    NameControl(f.Option4(i), indexed("Option4", i));
  }
  for (int i = 0; i < 11; ++i) NameControl(f.Label2(i), indexed("Label2", i));
  for (int i = 0; i < 4; ++i) {
    NameControl(f.HScroll1(i), indexed("HScroll1", i));
    NameControl(f.Option1(i), indexed("Option1", i));
    NameControl(f.Option2(i), indexed("Option2", i));
  }
  NameControl(f.Label3(), "Label3");
  NameControl(f.Label4(), "Label4");
  NameControl(f.Label6(), "Label6");
  NameControl(f.Label7(), "Label7");
  NameControl(f.Picture1(), "Picture1");
  NameControl(f.Picture2(), "Picture2");
  NameControl(f.Picture3(), "Picture3");
  toolkit::web::NameMenuItem(f, 0, "Quit");
}

}  // namespace

int main(int argc, char** argv) {
  // The application lives as long as the page: the entry point returns to the browser, which
  // raises every later event.
  auto* app = new toolkit::Application(argc, argv);
  CreateWiredForm1();
  NameControls(form1());
  Form1_Load();
  toolkit::web::PageReady();
  return app->Run();
}
