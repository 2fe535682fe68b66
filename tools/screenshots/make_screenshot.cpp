// SPDX-License-Identifier: GPL-3.0-or-later
// Saves a PNG of the window as the program starts, to the path given as the only argument.
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "classroom/app/startup.h"
#include "classroom/form/form1.h"
#include "toolkit/application.h"
#include "toolkit/qt/native.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_screenshot <file.png>\n", stderr);
    return 2;
  }
  // The picture must not depend on a screen: draw offscreen unless told otherwise.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const char* path = argv[1];
  int qtArgc = 1;
  toolkit::Application app(qtArgc, argv);
  StartProgram();
  const QImage shot = toolkit::NativeWindow(form1())->grab().toImage();
  DestroyForm1();
  if (!shot.save(QString::fromLocal8Bit(path), "PNG")) {
    std::fprintf(stderr, "make_screenshot: cannot write %s\n", path);
    return 1;
  }
  return 0;
}
