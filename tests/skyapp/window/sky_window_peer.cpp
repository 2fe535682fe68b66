// SPDX-License-Identifier: GPL-3.0-or-later
// The vornak-sky window offscreen, given what the page tests type: each line of stdin is
// "station|dx FIELD TEXT" (FIELD locator, latitude, longitude or height; TEXT to the line's
// end), typed into a fresh window's field and confirmed with Enter; it prints one line of
// JSON, the message the window shows (empty when none) and whether the elevation changed.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <iostream>
#include <string>

#include "skyapp/window/sky_window.h"
#include "skyapp/window/station_input.h"

namespace {

std::string Json(const QString& s) {
  std::string out = "\"";
  for (const char c : s.toStdString()) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir settings;  // the defaults, whatever the user of the machine keeps
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  sky::UtcInstant at;
  std::string why;
  if (!sky::ParseUtc("2026-12-09T21:30Z", at, why)) return 1;
  for (std::string line; std::getline(std::cin, line);) {
    const std::size_t a = line.find(' '), b = line.find(' ', a + 1);
    if (a == line.npos || b == line.npos) return 1;
    const std::string which = line.substr(0, a), field = line.substr(a + 1, b - a - 1);
    skyapp::SkyWindow w(at);
    skyapp::StationInput* input = which == "dx" ? w.dxInput() : w.stationInput();
    QLineEdit* f = field == "locator"     ? input->locatorField()
                   : field == "latitude"  ? input->latitudeField()
                   : field == "longitude" ? input->longitudeField()
                                          : input->heightField();
    const QString before = w.findChild<QLabel*>("elevation")->text();
    f->setFocus();
    f->selectAll();
    QTest::keyClick(f, Qt::Key_Backspace);
    QTest::keyClicks(f, QString::fromStdString(line.substr(b + 1)));
    QTest::keyClick(f, Qt::Key_Return);
    const auto* error = w.findChild<QLabel*>(QString::fromStdString(which) + "Error");
    const QString message = error && !error->isHidden() ? error->text() : QString();
    std::cout << "{\"message\":" << Json(message) << ",\"changed\":"
              << (w.findChild<QLabel*>("elevation")->text() != before ? "true" : "false") << "}"
              << std::endl;
  }
  return 0;
}
