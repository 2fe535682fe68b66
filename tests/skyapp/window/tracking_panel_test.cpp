// SPDX-License-Identifier: GPL-3.0-or-later
// The window's tracking panel with Hamlib's dummy radio (model 1, no daemon): Start
// connects and shows the frequencies set and read back, Stop ends it, a model Hamlib does
// not know is a message, and the settings come back in the next run.
#include "skyapp/window/tracking_panel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "skyapp/window/station_input.h"

namespace skyapp {
namespace {

// Runs the event loop until `done` or `ms` have passed; returns `done()`.
template <typename Done>
bool WaitFor(Done done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QTest::qWait(50);
  return done();
}

TEST(TrackingPanel, StartStopMessagesAndRememberedSettings) {
  QTemporaryDir dir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
  StationInput station("Station", "station", false), dx("DX", "dx", true);
  station.enterLocator("JN18eu");
  {
    TrackingPanel panel(&station, &dx);
    EXPECT_FALSE(panel.Start());
    EXPECT_TRUE(panel.statusText().contains("model"));
    panel.rigModelBox()->setValue(1);
    ASSERT_TRUE(panel.Start());
    // Own echo on 10368.1 MHz: the receiver within 33 kHz of it (the largest self echo
    // shift at 10 GHz, from the equator), the transmitter on it.
    ASSERT_TRUE(WaitFor([&] { return panel.statusText().contains("Radio connected. RX "); }, 4000))
        << panel.statusText().toStdString();
    const QRegularExpressionMatch rx =
        QRegularExpression("RX ([0-9.]+) MHz").match(panel.statusText());
    ASSERT_TRUE(rx.hasMatch());
    EXPECT_NEAR(rx.captured(1).toDouble(), 10368.1, 0.033);
    EXPECT_TRUE(panel.statusText().contains("TX 10368.100000 MHz"));
    panel.startButton()->click();
    EXPECT_TRUE(WaitFor([&] { return !panel.tracking(); }, 3000));
    EXPECT_EQ(panel.statusText(), "Stopped.");

    // A model Hamlib does not know ends the tracking with its reason.
    panel.rigModelBox()->setValue(999'999);
    panel.skedBox()->setValue(1296.05);
    panel.modeBox()->setCurrentIndex(panel.modeBox()->findText("On the Moon"));
    ASSERT_TRUE(panel.Start());
    EXPECT_TRUE(WaitFor([&] { return !panel.tracking(); }, 3000));
    EXPECT_TRUE(panel.statusText().contains("no radio model 999999"));
  }
  TrackingPanel again(&station, &dx);
  EXPECT_EQ(again.rigModelBox()->value(), 999'999);
  EXPECT_EQ(again.skedBox()->value(), 1296.05);
  EXPECT_EQ(again.modeBox()->currentText(), "On the Moon");
}

}  // namespace
}  // namespace skyapp

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName("Vornak");
  QCoreApplication::setApplicationName("vornak-sky");
  return RUN_ALL_TESTS();
}
