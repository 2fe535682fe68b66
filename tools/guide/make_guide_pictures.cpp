// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the teacher's guide's pictures, offscreen, each in the state its lesson sets:
// docs/guide/<state>.png. With --print it prints each state's captions instead.
#include <QApplication>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "classroom/app/startup.h"
#include "classroom/form/form1.h"
#include "skyapp/window/sky_window.h"
#include "skyapp/window/station_input.h"
#include "toolkit/application.h"
#include "toolkit/qt/native.h"
#include "tools/guide/lesson_states.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_guide_pictures <folder> | --print\n", stderr);
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const bool print = std::strcmp(argv[1], "--print") == 0;
  const QString folder = QString::fromLocal8Bit(argv[1]);
  int qtArgc = 1;
  toolkit::Application app(qtArgc, argv);
  for (const guide::ClassroomState& s : guide::ClassroomStates()) {
    StartProgram();
    guide::Set(form1(), s);
    QApplication::processEvents();
    if (print) {
      std::printf("%s:", s.name.c_str());
      for (const std::string& q : guide::ClassroomQuotes(form1())) std::printf(" [%s]", q.c_str());
      std::puts("");
    } else if (s.picture) {
      const QImage shot = toolkit::NativeWindow(form1())->grab().toImage();
      if (!shot.save(folder + "/" + QString::fromStdString(s.name) + ".png", "PNG")) {
        std::fprintf(stderr, "make_guide_pictures: cannot write in %s\n", argv[1]);
        return 1;
      }
    }
    DestroyForm1();
  }
  // The real-Moon lesson: the school's station, the Moon at its highest.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QCoreApplication::setOrganizationName("Vornak");
  QCoreApplication::setApplicationName("vornak-sky");
  skyapp::SkyWindow sky(guide::kSkyLessonInstants[1]);
  sky.stationInput()->enterLocator(guide::kSchoolLocator);
  if (print) {
    for (const sky::UtcInstant t : guide::kSkyLessonInstants) {
      sky.setChosenInstant(t);
      std::printf("%s:", sky::FormatUtc(t).c_str());
      for (const std::string& q : guide::SkyReadouts(sky)) std::printf(" [%s]", q.c_str());
      std::puts("");
    }
    for (const std::string& q : guide::SkyPassTimes()) std::printf(" [%s]", q.c_str());
    std::puts("");
    return 0;
  }
  sky.setChosenInstant(guide::kSkyLessonInstants[1]);
  sky.resize(1280, 800);
  sky.show();
  QApplication::processEvents();
  if (!sky.grab().save(folder + "/6-real-moon.png", "PNG")) {
    std::fprintf(stderr, "make_guide_pictures: cannot write in %s\n", argv[1]);
    return 1;
  }
  return 0;
}
