// SPDX-License-Identifier: GPL-3.0-or-later
// Saves a PNG of the vornak-sky window, drawn offscreen, to the path given as the only
// argument: Paris (JN18eu) with a DX station in New Jersey (FN20), 10368 MHz, on the
// afternoon of 2026-12-09, when both see the Moon, with settings of its own so that no user's are
// read or written.
#include <QApplication>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "skyapp/window/sky_window.h"
#include "skyapp/window/station_input.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_sky_screenshot <file.png>\n", stderr);
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QCoreApplication::setOrganizationName("Vornak");
  QCoreApplication::setApplicationName("vornak-sky");

  skyapp::SkyWindow w(sky::UtcInstant{1'796'826'600'000});  // 2026-12-09T14:30:00Z
  w.stationInput()->enterLocator("JN18eu");
  w.dxInput()->enterLocator("FN20");
  w.resize(1280, 800);
  w.show();
  QApplication::processEvents();
  if (!w.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "make_sky_screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
