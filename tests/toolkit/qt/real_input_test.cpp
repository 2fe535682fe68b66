// SPDX-License-Identifier: GPL-3.0-or-later
// Real mouse, keyboard and timer events on the started window, and events that meet inside
// a handler's DoEvents.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "classroom/model/orbit.h"
#include "format/format.h"
#include "tests/classroom/interaction/started_window.h"
#include "toolkit/application.h"
#include "toolkit/qt/native.h"

namespace {

using toolkit::NativeWidget;

QScrollBar* Bar(const toolkit::HScrollBar& s) {
  return static_cast<QScrollBar*>(NativeWidget(s));
}

// The thumb's rectangle, as the style lays it out and hit-tests it.
QRect Thumb(QScrollBar* bar) {
  QStyleOptionSlider opt;
  opt.initFrom(bar);
  opt.subControls = QStyle::SC_All;
  opt.orientation = Qt::Horizontal;
  opt.state |= QStyle::State_Horizontal;
  opt.minimum = bar->minimum();
  opt.maximum = bar->maximum();
  opt.sliderPosition = bar->sliderPosition();
  opt.sliderValue = bar->value();
  opt.singleStep = bar->singleStep();
  opt.pageStep = bar->pageStep();
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
}

// The readout of slider position p of a full-turn slider: p × 360 / 32767 degrees.
std::string AngleText(int p) {
  return " " + toolkit::Format(p * 360.0 / 32767, "0.000°") + " ";
}

void PressKey(QWidget* w, Qt::Key key) {
  QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

class RealInput : public StartedWindow {
 protected:
  void SetUp() override {
    StartedWindow::SetUp();
    QWidget* window = NativeWidget(f->HScroll1(0))->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }
  // Lets the timer's next tick fall due without running it; the one after is far away.
  void LetTickFallDue() const {
    f->Timer1().SetInterval(200);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
};

TEST_F(RealInput, DraggingTheMoonThumbUpdatesAsItGoes) {
  QScrollBar* bar = Bar(f->HScroll1(2));
  const QPoint start = Thumb(bar).center();
  QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, start);
  EXPECT_FALSE(f->Option2(0).Value());  // taking the slider unmarked its preset
  int last = f->HScroll1(2).Value();
  for (int dx : {40, 80, 120}) {
    QTest::mouseMove(bar, start + QPoint(dx, 0));
    const int p = f->HScroll1(2).Value();
    EXPECT_GT(p, last);
    EXPECT_EQ(f->Label4().Caption(), AngleText(p));
    EXPECT_TRUE(EarthFixedShown());
    last = p;
  }
  QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, start + QPoint(120, 0));
  EXPECT_EQ(f->HScroll1(2).Value(), last);
  EXPECT_EQ(f->Label4().Caption(), AngleText(last));
}

TEST_F(RealInput, ClickingAPresetMovesItsSlider) {
  QTest::mouseClick(NativeWidget(f->Option2(2)), Qt::LeftButton);
  EXPECT_TRUE(f->Option2(2).Value());
  EXPECT_FALSE(f->Option2(0).Value());
  EXPECT_EQ(f->HScroll1(2).Value(), 16384);
  EXPECT_EQ(f->Label4().Caption(), " 180.000° ");
}

TEST_F(RealInput, KeysStepTheNodeLine) {
  QWidget* bar = NativeWidget(f->HScroll1(3));
  QTest::keyClick(bar, Qt::Key_Right);
  EXPECT_EQ(f->HScroll1(3).Value(), 1);
  EXPECT_EQ(f->Label1(0).Caption(), " 0.011° ");  // 360 / 32767
  EXPECT_TRUE(EarthFixedShown());
  QTest::keyClick(bar, Qt::Key_End);
  EXPECT_EQ(f->Label1(0).Caption(), " 360.000° ");
}

TEST_F(RealInput, CouplingTakesEffectAtTheNextMove) {
  const std::string before = f->Label2(3).Caption() + f->Label3().Caption() + f->Label4().Caption();
  ForgetRefreshes();
  QTest::mouseClick(NativeWidget(f->Option3(1)), Qt::LeftButton);
  ASSERT_TRUE(f->Option3(1).Value());
  EXPECT_EQ(Refreshes(), 0);
  EXPECT_EQ(f->Label2(3).Caption() + f->Label3().Caption() + f->Label4().Caption(), before);
  QTest::keyClick(NativeWidget(f->HScroll1(1)), Qt::Key_End);
  EXPECT_EQ(f->HScroll1(2).Value(), 1189);
}

TEST_F(RealInput, AnimationRunsOnRealTicks) {
  QTest::mouseClick(NativeWidget(f->Option4(1)), Qt::LeftButton);
  ASSERT_TRUE(f->Timer1().Ticking());
  QTest::qWait(300);
  const double ticks = f->animClock / 0.2;
  EXPECT_GE(ticks, 3);  // 15 fall due; a loaded machine may run fewer
  EXPECT_NEAR(ticks, std::round(ticks), 1e-6);
  EXPECT_EQ(f->Label3().Caption(), " " + toolkit::Format(f->animClock, "0.000°") + " ");
  QTest::mouseClick(NativeWidget(f->Option4(0)), Qt::LeftButton);
  const double stopped = f->animClock;
  QTest::qWait(100);
  EXPECT_EQ(f->animClock, stopped);
  EXPECT_FALSE(f->HScroll1(0).Enabled());
}

TEST_F(RealInput, TickDueWhenASliderMovesRunsFirst) {
  f->Option4(1).SetValue(true);
  LetTickFallDue();
  f->HScroll1(2).SetValue(8192);
  // The tick ran inside the slider's DoEvents and wrote its readouts ...
  EXPECT_DOUBLE_EQ(f->animClock, 0.2);
  EXPECT_EQ(f->Label3().Caption(), " 0.200° ");
  // ... then the slider's own work: Moon at 8192 × 360 / 32767 = 90.00275°, Earth held.
  EXPECT_EQ(f->Label4().Caption(), " 90.003° ");
  EXPECT_NEAR(trueAnomaly / kDeg, 90.00275, 1e-5);
  EXPECT_EQ(EarthRotRate, MatZero());
  EXPECT_TRUE(EarthFixedShown());
  EXPECT_FALSE(f->syncingSliders);
}

TEST_F(RealInput, QueuedCoupledKeyAndDueTickEndWithTheSlidersWork) {
  f->Option3(1).SetValue(true);
  f->Option4(1).SetValue(true);
  LetTickFallDue();
  PressKey(NativeWidget(f->HScroll1(2)), Qt::Key_End);
  toolkit::DoEvents();
  // Whichever of the two the loop takes first, the slider's handler runs the tick in its own
  // DoEvents at the latest, so its work comes last: a full Moon turn is 27.55455 Earth turns,
  // the Earth at 0.55455 turn = 199.638°, its thumb at 0.55455 × 32767 = 18170.94.
  EXPECT_DOUBLE_EQ(f->animClock, 0.2);
  EXPECT_EQ(f->Label4().Caption(), " 360.000° ");
  EXPECT_NEAR(SiderealDegrees(), 199.638, 1e-6);
  EXPECT_EQ(f->HScroll1(1).Value(), 18171);
  EXPECT_EQ(f->Label3().Caption(), " 0.200° ");  // the coupled move leaves the tick's text
  EXPECT_FALSE(EarthFixedShown());
  EXPECT_FALSE(f->syncingSliders);
}

}  // namespace
