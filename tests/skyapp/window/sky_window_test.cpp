// SPDX-License-Identifier: GPL-3.0-or-later
// The real Moon's window, offscreen: station input, readouts against the table command,
// the day's plot and its shading against the passes, and the settings kept between runs.
#include "skyapp/window/sky_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>

#include "skyapp/table.h"
#include "skyapp/window/echo_panel.h"
#include "skyapp/window/station_input.h"

namespace skyapp {
namespace {

constexpr sky::UtcInstant kAt{1'796'851'800'000};  // 2026-12-09T21:30:00Z

// Every test starts from an empty settings folder of its own.
class SkyWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
  }
  QString SettingsFile() const { return dir_.path() + "/Vornak/vornak-sky.conf"; }
  QTemporaryDir dir_;
};

QString Readout(const SkyWindow& w, const char* name) {
  const auto* l = w.findChild<QLabel*>(name);
  return l ? l->text() : QString("(no readout %1)").arg(name);
}

// The number a readout starts with, as text: "-12.345 m/s" gives "-12.345".
std::string Number(const SkyWindow& w, const char* name) {
  return Readout(w, name).section(' ', 0, 0).remove(QChar(0x00b0)).toStdString();
}

// Types into a field with key events, then Enter, as a user does.
void Type(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Return);
}

// What the table command writes for these options.
std::string TableText(const TableOptions& o) {
  char* buf = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buf, &size);
  EXPECT_EQ(WriteTable(o, out, stderr), 0);
  std::fclose(out);
  std::string text(buf, size);
  std::free(buf);
  return text;
}

// The table command's CSV for the same station, band and instant, column by name.
std::map<std::string, std::string> TableRow(const TableOptions& o) {
  std::istringstream text(TableText(o));
  std::string header, row;
  std::getline(text, header);
  std::getline(text, row);
  std::map<std::string, std::string> cells;
  std::istringstream h(header), r(row);
  for (std::string name, value; std::getline(h, name, ',') && std::getline(r, value, ',');) {
    cells[name] = value;
  }
  return cells;
}

const char* const kStationReadouts[] = {"elevation", "azimuth",    "range",
                                        "delay",     "parallaxMs", "rotationMs",
                                        "rangeRate", "echoShift",  "drift"};

// Every button a screen reader can reach says what it does, the line edits' clear buttons
// (tool buttons without text, hidden while their field is empty) included.
TEST_F(SkyWindowTest, EveryButtonHasAnAccessibleName) {
  SkyWindow w(kAt);
  w.show();
  int buttons = 0;
  for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
    if (!b->isVisibleTo(&w) && !qobject_cast<QLineEdit*>(b->parent())) continue;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
        << b->metaObject()->className() << " " << b->objectName().toStdString();
    ++buttons;
  }
  EXPECT_GE(buttons, 8);
}

TEST_F(SkyWindowTest, InvalidLocatorIsMarkedAndChangesNothingAValidOneMovesTheReadouts) {
  SkyWindow w(kAt);
  const QString before = Readout(w, "elevation") + Readout(w, "rangeRate");
  const sky::DayCurves curvesBefore = w.curves();
  for (const QString bad : {"JN1", "ZZ18", "JN18ez", "JN18eu4"}) {
    Type(w.stationInput()->locatorField(), bad);
    const auto* error = w.findChild<QLabel*>("stationError");
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->isHidden()) << bad.toStdString();
    EXPECT_TRUE(error->text().contains(bad)) << error->text().toStdString();
    EXPECT_NE(w.stationInput()->locatorField()->palette().color(QPalette::Base),
              QPalette().color(QPalette::Base));
    EXPECT_EQ(Readout(w, "elevation") + Readout(w, "rangeRate"), before);
    EXPECT_EQ(w.curves().selfHz, curvesBefore.selfHz);
  }
  std::map<std::string, QString> old;
  for (const char* r : kStationReadouts) old[r] = Readout(w, r);
  const QString radial = Readout(w, "radialMs");
  Type(w.stationInput()->locatorField(), "fn20");
  EXPECT_TRUE(w.findChild<QLabel*>("stationError")->isHidden());
  EXPECT_EQ(w.stationInput()->latitudeField()->text(), "40.5000");  // the other form follows
  EXPECT_EQ(w.stationInput()->longitudeField()->text(), "-75.0000");
  for (const char* r : kStationReadouts) EXPECT_NE(Readout(w, r), old[r]) << r;
  // The radial share is the Moon's motion seen from the Earth's centre: the same anywhere.
  EXPECT_EQ(Readout(w, "radialMs"), radial);
  EXPECT_NE(w.curves().selfHz, curvesBefore.selfHz);

  // Coordinates typed: the locator follows; half-typed ones are marked, not computed.
  Type(w.stationInput()->latitudeField(), "-33.87");
  Type(w.stationInput()->longitudeField(), "151.21");
  EXPECT_EQ(w.stationInput()->locatorField()->text(), "QF56od");
  const QString sydney = Readout(w, "elevation");
  Type(w.stationInput()->longitudeField(), "151.21e");
  EXPECT_FALSE(w.findChild<QLabel*>("stationError")->isHidden());
  EXPECT_EQ(Readout(w, "elevation"), sydney);
}

TEST_F(SkyWindowTest, ReadoutsAndPlotEqualTheTableCommand) {
  SkyWindow w(kAt);
  Type(w.stationInput()->locatorField(), "JN18eu");
  Type(w.dxInput()->locatorField(), "FN20");
  w.findChild<QComboBox*>("band")->setCurrentIndex(3);  // 1296 MHz
  ASSERT_EQ(w.bandHz(), 1296e6);

  TableOptions o;
  std::string why;
  ASSERT_TRUE(sky::StationFromLocator("JN18eu", 0, o.station, why));
  o.dx.emplace();
  ASSERT_TRUE(sky::StationFromLocator("FN20", 0, *o.dx, why));
  o.bandHz = 1296e6;
  o.csv = true;
  o.from = o.to = kAt;
  // A locator typed without a height: its cell, and 50 m up or down.
  o.where = sky::LocatorUncertainty(6, o.station, std::nullopt);
  auto row = TableRow(o);
  const std::pair<const char*, const char*> same[] = {{"elevation", "elevation_deg"},
                                                      {"azimuth", "azimuth_deg"},
                                                      {"range", "range_km"},
                                                      {"delay", "echo_delay_s"},
                                                      {"radialMs", "radial_ms"},
                                                      {"parallaxMs", "parallax_ms"},
                                                      {"rotationMs", "rotation_ms"},
                                                      {"rangeRate", "range_rate_ms"},
                                                      {"echoShift", "self_doppler_hz"},
                                                      {"drift", "doppler_rate_hz_per_min"},
                                                      {"dxElevation", "dx_elevation_deg"},
                                                      {"dxShift", "dx_doppler_hz"},
                                                      {"uplinkShift", "uplink_doppler_hz"},
                                                      {"downlinkShift", "downlink_doppler_hz"},
                                                      {"toDxShift", "to_dx_doppler_hz"},
                                                      {"spread", "spread_hz"},
                                                      {"budget", "budget_hz"}};
  for (const auto& [readout, column] : same) {
    EXPECT_EQ(Number(w, readout), row[column]) << readout;
  }

  // Four curves and the DX curve at every whole minute; at the shown minute (21:30, the
  // 1,290th) each equals its readout's shift.
  const sky::DayCurves& c = w.curves();
  const auto* shares = w.chart();
  int lines = 0;
  for (QAbstractSeries* s : shares->series()) {
    auto* line = qobject_cast<QLineSeries*>(s);
    if (!line) continue;
    EXPECT_EQ(line->count(), sky::DayCurves::kPoints) << line->name().toStdString();
    ++lines;
  }
  EXPECT_EQ(lines, 5);
  const int minute = 21 * 60 + 30;
  const auto hz = [](double v) { return std::to_string(std::lround(v * 10)); };
  const auto readHz = [&](const char* n) {
    return std::to_string(std::lround(std::stod(Number(w, n)) * 10));
  };
  EXPECT_EQ(hz(c.selfHz[minute]), readHz("echoShift"));
  EXPECT_EQ(hz(c.radialHz[minute]), readHz("radialHz"));
  EXPECT_EQ(hz(c.parallaxHz[minute]), readHz("parallaxHz"));
  EXPECT_EQ(hz(c.rotationHz[minute]), readHz("rotationHz"));
  EXPECT_EQ(hz(c.dxHz[minute]), readHz("dxShift"));

  // Without the DX station: four curves.
  Type(w.dxInput()->locatorField(), "");
  EXPECT_TRUE(w.curves().dxHz.empty());
}

TEST_F(SkyWindowTest, ShadingCoversExactlyTheTimesBetweenThePasses) {
  SkyWindow w(kAt);
  Type(w.stationInput()->locatorField(), "JN18eu");
  TableOptions o;
  std::string why;
  ASSERT_TRUE(sky::StationFromLocator("JN18eu", 0, o.station, why));
  o.csv = true;
  o.passes = true;
  o.from = sky::StartOfDay(kAt);
  o.to = {o.from.ms + sky::kMsPerDay};
  std::istringstream passes(TableText(o));
  // Between passes the Moon is down: from the day's start (or the last set) to each rise.
  std::vector<std::pair<std::string, std::string>> expected;
  std::string line, downSince = sky::FormatUtc(o.from);
  std::getline(passes, line);
  bool down = true;
  while (std::getline(passes, line)) {
    std::istringstream cells(line);
    std::string rise, top, el, set;
    std::getline(cells, rise, ',');
    std::getline(cells, top, ',');
    std::getline(cells, el, ',');
    std::getline(cells, set, ',');
    if (!rise.empty()) expected.emplace_back(downSince, rise);
    down = !set.empty();
    downSince = set;
  }
  if (down) expected.emplace_back(downSince, sky::FormatUtc(o.to));
  ASSERT_FALSE(expected.empty());

  std::vector<std::pair<std::string, std::string>> shaded;
  for (const sky::Interval& i : w.curves().belowHorizon) {
    shaded.emplace_back(sky::FormatUtc(i.from), sky::FormatUtc(i.to));
  }
  EXPECT_EQ(shaded, expected);
  // And the shade drawn rises exactly at those instants.
  QAreaSeries* shade = nullptr;
  for (QAbstractSeries* s : w.chart()->series()) {
    if (s->name() == "Moon below your horizon") shade = qobject_cast<QAreaSeries*>(s);
  }
  ASSERT_TRUE(shade);
  const QList<QPointF> upper = shade->upperSeries()->points();
  ASSERT_EQ(upper.size(), static_cast<qsizetype>(2 + 4 * expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(sky::FormatUtc({static_cast<std::int64_t>(upper[1 + 4 * i].x())}), expected[i].first);
    EXPECT_EQ(sky::FormatUtc({static_cast<std::int64_t>(upper[3 + 4 * i].x())}),
              expected[i].second);
  }
}

TEST_F(SkyWindowTest, EopFilesAreRefusedWithTheirLineAndTheMoonChoiceIsKept) {
  const QString good = dir_.path() + "/finals2000A.daily", bad = dir_.path() + "/bad.daily";
  const char* row =
      "26 1 1 61041.00 I  0.103750 0.000091  0.290513 0.000091  I 0.0750558 0.0000147\n";
  {
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(row);
    QFile g(bad);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write(row);
    g.write("26 1 2 61042.00 I  0.10262O 0.000091\n");  // a letter O in PM-x
  }
  {
    SkyWindow w(kAt);
    ASSERT_TRUE(w.modelBox()->setEopFile(good));
    QString why;
    EXPECT_FALSE(w.modelBox()->setEopFile(bad, &why));
    EXPECT_TRUE(why.contains("bad.daily:2: columns 19-27")) << why.toStdString();
    EXPECT_EQ(w.modelBox()->eopFile(), good);
    EXPECT_FALSE(w.findChild<QLabel*>("eopError")->isHidden());
    w.findChild<QComboBox*>("moonTheory")->setCurrentIndex(1);
    EXPECT_TRUE(Readout(w, "moonUsed").contains("eraMoon98"));
    w.close();
  }
  SkyWindow w(kAt);
  EXPECT_EQ(w.modelBox()->eopFile(), good);
  EXPECT_EQ(w.modelBox()->model().moon, sky::MoonTheory::kMeeus);
}

TEST_F(SkyWindowTest, SettingsAreKeptAndBadOnesGiveTheDefaults) {
  {
    SkyWindow w(kAt);
    Type(w.stationInput()->locatorField(), "QF56od");
    Type(w.dxInput()->locatorField(), "JN18");
    w.findChild<QComboBox*>("band")->setCurrentIndex(1);
    w.close();
  }
  {
    SkyWindow w(kAt);
    EXPECT_EQ(w.stationInput()->locatorField()->text(), "QF56od");
    EXPECT_EQ(w.dxInput()->locatorField()->text(), "JN18");
    EXPECT_EQ(w.bandHz(), 144e6);
  }
  const auto expectDefaults = [&](const char* what) {
    SkyWindow w(kAt);
    ASSERT_TRUE(w.stationInput()->station()) << what;
    EXPECT_NEAR(w.stationInput()->station()->latitudeRad * 180 / M_PI, 49.2, 1e-12) << what;
    EXPECT_EQ(w.stationInput()->station()->longitudeRad, 0) << what;
    EXPECT_FALSE(w.dxInput()->station()) << what;
    EXPECT_EQ(w.bandHz(), 10368e6) << what;
  };
  const auto write = [&](const QByteArray& content) {
    QFile f(SettingsFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
  };
  write("\x00\xff\xfe[[[garbage\n=\n\x01");
  expectDefaults("corrupt file");
  write(
      "[station]\nlatitude=123\nlongitude=0\n[dx]\nlocator=ZZ99\n[band]\nmhz=-5\n"
      "[window]\ngeometry=@ByteArray(nonsense)\n");
  expectDefaults("values out of range");
  QFile::remove(SettingsFile());
  QDir().mkpath(SettingsFile());  // a folder where the file should be: unreadable
  expectDefaults("unreadable file");
}

}  // namespace
}  // namespace skyapp

int main(int argc, char** argv) {
  // Widget tests never need a screen; a developer's DISPLAY must not change their results.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName("Vornak");
  QCoreApplication::setApplicationName("vornak-sky");
  return RUN_ALL_TESTS();
}
