// SPDX-License-Identifier: GPL-3.0-or-later
// Updating by tiles and changed glyphs shows exactly what drawing and repainting everything
// whole shows: the same ticks and control moves run through both ways, and after each step
// the three surfaces' images and the window as the X server holds it are compared pixel for
// pixel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <functional>
#include <vector>

#include "classroom/interaction/animation.h"
#include "tests/support/started_form.h"
#include "toolkit/application.h"
#include "toolkit/picture_box.h"
#include "toolkit/qt/backend.h"
#include "toolkit/qt/native.h"

namespace {

struct Shot {
  QImage surfaces[3];
  QImage screen;
};

// Ticks at a large step, so that the Moon and the sight lines cross many tiles, between
// moves of every slider, a preset, the coupling and the speed.
std::vector<std::function<void(Form1&)>> Steps() {
  std::vector<std::function<void(Form1&)>> steps;
  const auto ticks = [&steps](int n, double step) {
    for (int i = 0; i < n; ++i) {
      steps.push_back([step](Form1&) {
        animStep = step;
        Timer1_Timer();
      });
    }
  };
  ticks(12, 7.3);
  steps.push_back([](Form1& f) { f.HScroll1(3).SetValue(9000); });
  ticks(6, 19.9);
  steps.push_back([](Form1& f) { f.HScroll1(2).SetValue(21000); });
  steps.push_back([](Form1& f) { f.HScroll2(0).SetValue(-12000); });
  steps.push_back([](Form1& f) { f.Option1(2).SetValue(true); });
  steps.push_back([](Form1& f) { f.HScroll2(1).SetValue(7000); });
  steps.push_back([](Form1& f) {
    f.Option3(1).SetValue(true);
    f.HScroll1(1).SetValue(30000);
  });
  ticks(8, 0.2);
  steps.push_back([](Form1& f) { f.HScroll1(2).SetValue(400); });
  ticks(6, 13.7);
  // A caption the pair layout cannot place, one it can, and the first again: both ways of
  // laying a caption out meet on the screen.
  for (const char* caption : {" \u03c9 = 1.000 ", " 47.000\u00b0 ", " \u03c9 = 1.000 "}) {
    steps.push_back([caption](Form1& f) { f.Label3().SetCaption(caption); });
  }
  return steps;
}

std::vector<Shot> RunSteps(bool drawnWhole) {
  toolkit::SetWholeUpdates(drawnWhole);
  animStep = 0;
  Form1& f = StartForm();
  QWidget* window = toolkit::NativeWindow(f);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
  std::vector<Shot> shots;
  for (const auto& step : Steps()) {
    step(f);
    // Let the window paint and flush; the grab is a round trip to the server, which has
    // handled every earlier request by then.
    for (int i = 0; i < 3; ++i) QTest::qWait(5);
    Shot shot;
    const toolkit::PictureBox* surfaces[3] = {&f.Picture1(), &f.Picture2(), &f.Picture3()};
    for (int i = 0; i < 3; ++i) shot.surfaces[i] = toolkit::ImageOf(surfaces[i]->Image());
    const QPoint at = window->mapToGlobal(QPoint(0, 0));
    shot.screen = window->screen()
                      ->grabWindow(0, at.x(), at.y(), window->width(), window->height())
                      .toImage();
    shots.push_back(shot);
  }
  DestroyForm1();
  toolkit::SetWholeUpdates(false);
  return shots;
}

TEST(SamePixels, TilesAndWholeUpdatesShowTheSameAfterEveryStep) {
  ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run under a virtual X server";
  const std::vector<Shot> whole = RunSteps(true);
  const std::vector<Shot> tiles = RunSteps(false);
  ASSERT_EQ(whole.size(), tiles.size());
  for (std::size_t s = 0; s < whole.size(); ++s) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_TRUE(whole[s].surfaces[i] == tiles[s].surfaces[i])
          << "step " << s << ", surface " << i;
    }
    EXPECT_FALSE(whole[s].screen.isNull());
    EXPECT_TRUE(whole[s].screen == tiles[s].screen) << "step " << s << ", screen";
  }
  // The steps moved the scene: consecutive screens differ.
  EXPECT_FALSE(whole.front().screen == whole.back().screen);
}

}  // namespace
