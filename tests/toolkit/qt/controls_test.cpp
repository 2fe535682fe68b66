// SPDX-License-Identifier: GPL-3.0-or-later
// Controls: the event semantics the handlers rely on, driven through code and real input.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/qt/native.h"
#include "toolkit/twips.h"

namespace {

using toolkit::HScrollBar;

struct WindowFixture : testing::Test {
  toolkit::Window window{"test", 9000, 6000};
  void Show() {
    window.SetVisible(true);
    QApplication::setActiveWindow(toolkit::NativeWindow(window));
    QApplication::processEvents();
  }
};

struct SliderFixture : WindowFixture {
  HScrollBar bar{window, 120, 480, 7935, 270, 0, 32767, 100, 0};
  int changes = 0;
  int scrolls = 0;
  int gotFocus = 0;
  std::vector<int> scrollValues;
  void SetUp() override {
    bar.onChange = [this] { ++changes; };
    bar.onScroll = [this] {
      ++scrolls;
      scrollValues.push_back(bar.Value());
    };
    bar.onGotFocus = [this] { ++gotFocus; };
  }
  QScrollBar* Native() { return static_cast<QScrollBar*>(toolkit::NativeWidget(bar)); }
  QRect Thumb() {
    QStyleOptionSlider option;
    option.initFrom(Native());
    option.orientation = Qt::Horizontal;
    option.minimum = Native()->minimum();
    option.maximum = Native()->maximum();
    option.sliderPosition = Native()->sliderPosition();
    option.sliderValue = Native()->value();
    option.singleStep = Native()->singleStep();
    option.pageStep = Native()->pageStep();
    option.upsideDown = false;
    option.state |= QStyle::State_Horizontal;
    return Native()->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                             QStyle::SC_ScrollBarSlider, Native());
  }
};

TEST_F(SliderFixture, ChangeIsRaisedInsideTheSetterAndOnlyForANewValue) {
  int seenInside = -1;
  bar.onChange = [&] {
    ++changes;
    seenInside = bar.Value();
  };
  bar.SetValue(1234);
  EXPECT_EQ(changes, 1);  // already raised when SetValue returns
  EXPECT_EQ(seenInside, 1234);
  bar.SetValue(1234);
  EXPECT_EQ(changes, 1);
  bar.SetValue(40000);  // clamped into the range
  EXPECT_EQ(bar.Value(), 32767);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(scrolls, 0);
}

TEST_F(SliderFixture, ADragScrollsAtEachMoveAndChangesOnceAtTheRelease) {
  Show();
  QScrollBar* native = Native();
  const QRect thumb = Thumb();
  ASSERT_TRUE(thumb.isValid());
  // The thumb stays small whatever the page step.
  EXPECT_LE(thumb.width(), 2 * native->height());
  const QPoint start = thumb.center();
  QTest::mousePress(native, Qt::LeftButton, Qt::NoModifier, start);
  for (int dx = 20; dx <= 100; dx += 20) {
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(dx, 0)),
                     native->mapToGlobal(QPointF(start + QPoint(dx, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(native, &move);
  }
  EXPECT_EQ(scrolls, 5);
  EXPECT_EQ(changes, 0);
  ASSERT_EQ(scrollValues.size(), 5u);
  for (size_t i = 1; i < scrollValues.size(); ++i) EXPECT_GT(scrollValues[i], scrollValues[i - 1]);
  QTest::mouseRelease(native, Qt::LeftButton, Qt::NoModifier, start + QPoint(100, 0));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(bar.Value(), scrollValues.back());
}

TEST_F(SliderFixture, KeysAndTrackClicksChangeTheValue) {
  Show();
  bar.SetValue(1000);
  changes = 0;
  bar.SetFocus();
  QTest::keyClick(Native(), Qt::Key_Right);
  EXPECT_EQ(bar.Value(), 1001);
  QTest::keyClick(Native(), Qt::Key_Up);
  EXPECT_EQ(bar.Value(), 1002);
  QTest::keyClick(Native(), Qt::Key_Left);
  EXPECT_EQ(bar.Value(), 1001);
  QTest::keyClick(Native(), Qt::Key_PageUp);
  EXPECT_EQ(bar.Value(), 1101);
  QTest::keyClick(Native(), Qt::Key_PageDown);
  EXPECT_EQ(bar.Value(), 1001);
  EXPECT_EQ(changes, 5);
  // A click in the track right of the thumb moves it toward the click.
  const QRect thumb = Thumb();
  QTest::mouseClick(Native(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(Native()->width() - 40, thumb.center().y()));
  EXPECT_GT(bar.Value(), 1001);
  EXPECT_EQ(changes, 6);
  EXPECT_EQ(scrolls, 0);
}

TEST_F(SliderFixture, SetFocusRaisesGotFocusOnce) {
  HScrollBar other(window, 120, 1000, 7935, 270, 0, 32767, 100, 0);
  Show();
  other.SetFocus();
  EXPECT_EQ(gotFocus, 0);
  bar.SetFocus();
  QApplication::processEvents();
  EXPECT_EQ(gotFocus, 1);
  bar.SetFocus();  // it has the focus already
  QApplication::processEvents();
  EXPECT_EQ(gotFocus, 1);
}

TEST_F(SliderFixture, TabMovesTheFocusAndRaisesGotFocus) {
  HScrollBar other(window, 120, 1000, 7935, 270, 0, 32767, 100, 0);
  toolkit::SetTabOrder({&other, &bar});
  Show();
  other.SetFocus();
  EXPECT_EQ(gotFocus, 0);
  QTest::keyClick(toolkit::NativeWidget(other), Qt::Key_Tab);
  EXPECT_TRUE(bar.HasFocus());
  EXPECT_EQ(gotFocus, 1);
}

struct OptionFixture : WindowFixture {
  toolkit::Frame frame{window, "Presets", 0, 0, 7000, 1300, {"Tahoma", 15.75, true}};
  toolkit::OptionButton a{frame, "0°", 315, 840, 735, 405, {"Tahoma", 14.25, true}, true};
  toolkit::OptionButton b{frame, "90°", 2145, 855, 855, 405, {"Tahoma", 14.25, true}, false};
  int clicksA = 0;
  int clicksB = 0;
  void SetUp() override {
    a.onClick = [this] { ++clicksA; };
    b.onClick = [this] { ++clicksB; };
  }
};

TEST_F(OptionFixture, ClickOnlyWhenAButtonBecomesSelected) {
  EXPECT_TRUE(a.Value());
  b.SetValue(true);
  EXPECT_EQ(clicksB, 1);
  EXPECT_FALSE(a.Value());
  b.SetValue(true);
  EXPECT_EQ(clicksB, 1);
  Show();
  QTest::mouseClick(toolkit::NativeWidget(a), Qt::LeftButton, Qt::NoModifier, QPoint(8, 12));
  EXPECT_TRUE(a.Value());
  EXPECT_EQ(clicksA, 1);
  QTest::mouseClick(toolkit::NativeWidget(a), Qt::LeftButton, Qt::NoModifier, QPoint(8, 12));
  EXPECT_EQ(clicksA, 1);
}

TEST_F(OptionFixture, ClearingLeavesNoButtonSelectedAndRaisesNothing) {
  a.SetValue(false);
  b.SetValue(false);
  EXPECT_FALSE(a.Value());
  EXPECT_FALSE(b.Value());
  EXPECT_EQ(clicksA + clicksB, 0);
  // The group is still exclusive afterwards.
  a.SetValue(true);
  b.SetValue(true);
  EXPECT_FALSE(a.Value());
  EXPECT_TRUE(b.Value());
}

struct LabelCase {
  const char* name;
  toolkit::Alignment alignment;
};

class LabelAnchoring : public WindowFixture, public testing::WithParamInterface<LabelCase> {};

// A value label grows and shrinks with its caption and keeps the design edge its alignment
// names.
TEST_P(LabelAnchoring, KeepsTheEdgeItsAlignmentNames) {
  toolkit::LabelStyle style;
  style.autoSize = true;
  style.border = true;
  style.opaque = true;
  style.alignment = GetParam().alignment;
  style.font = {"Tahoma", 15.75, true};
  toolkit::Label label(window, "Label2", 3000, 315, 1125, 435, style);
  const int designRight = 3000 + 1125;
  const int designCentre = 3000 + 1125 / 2;
  for (const char* caption : {" vFin= +1234.567 m/s ", "x", " Final: -12345 Hz "}) {
    label.SetCaption(caption);
    EXPECT_EQ(label.Caption(), caption);
    EXPECT_EQ(label.Top(), 315);
    switch (GetParam().alignment) {
      case toolkit::Alignment::Left:
        EXPECT_EQ(label.Left(), 3000);
        break;
      case toolkit::Alignment::Right:
        EXPECT_NEAR(label.Left() + label.Width(), designRight, 15);
        break;
      case toolkit::Alignment::Center:
        EXPECT_NEAR(label.Left() + label.Width() / 2, designCentre, 15);
        break;
    }
  }
  label.SetCaption(" vFin= +1234.567 m/s ");
  const int wide = label.Width();
  label.SetCaption("x");
  EXPECT_LT(label.Width(), wide);
  // The caption stays the label's accessible name.
  EXPECT_EQ(toolkit::NativeWidget(label)->accessibleName(), QString());
}

INSTANTIATE_TEST_SUITE_P(Alignments, LabelAnchoring,
                         testing::Values(LabelCase{"Left", toolkit::Alignment::Left},
                                         LabelCase{"Right", toolkit::Alignment::Right},
                                         LabelCase{"Center", toolkit::Alignment::Center}),
                         [](const auto& info) { return std::string(info.param.name); });

// A label repaints every new caption, also one it had before with another between, whether
// the text engine or the pair layout laid them out.
TEST_F(WindowFixture, ALabelRepaintsEachNewCaption) {
  toolkit::Label label(window, "", 300, 300, 3000, 435, toolkit::LabelStyle{});
  Show();
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      paints += e->type() == QEvent::Paint;
      return false;
    }
  } counter;
  toolkit::NativeWidget(label)->installEventFilter(&counter);
  for (const char* caption : {"\u03c9 = 1", "w = 1", "\u03c9 = 1"}) {
    counter.paints = 0;
    label.SetCaption(caption);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0) << caption;
  }
}

TEST(DoEvents, NestingIsBounded) {
  int deepest = 0;
  int calls = 0;
  std::function<void()> nest = [&] {
    ++calls;
    deepest = std::max(deepest, toolkit::DoEventsDepth());
    if (calls < 100) QMetaObject::invokeMethod(qApp, nest, Qt::QueuedConnection);
    toolkit::DoEvents();
  };
  QMetaObject::invokeMethod(qApp, nest, Qt::QueuedConnection);
  toolkit::DoEvents();
  EXPECT_EQ(deepest, toolkit::kMaxDoEventsDepth);
  EXPECT_EQ(toolkit::DoEventsDepth(), 0);
  QApplication::processEvents();
}

TEST(DoEvents, RunsPendingEventsBeforeItReturns) {
  bool ran = false;
  QMetaObject::invokeMethod(
      qApp, [&] { ran = true; }, Qt::QueuedConnection);
  toolkit::DoEvents();
  EXPECT_TRUE(ran);
}

TEST(Timer, TicksOnlyWhileEnabledWithAnInterval) {
  toolkit::Timer timer(true, 0);
  int ticks = 0;
  timer.onTimer = [&] { ++ticks; };
  EXPECT_FALSE(timer.Ticking());
  timer.SetInterval(20);
  EXPECT_TRUE(timer.Ticking());
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 150) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  EXPECT_GE(ticks, 4);
  timer.SetEnabled(false);
  const int stopped = ticks;
  clock.restart();
  while (clock.elapsed() < 60) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  EXPECT_EQ(ticks, stopped);
}

TEST(Window, ClientAreaHasTheDescribedSizeUnderTheMenuBar) {
  toolkit::Window window("Vornak", 19080, 13710);
  window.AddMenuItem("Quit");
  EXPECT_EQ(window.ClientWidth(), 19080);
  EXPECT_EQ(window.ClientHeight(), 13710);
  EXPECT_EQ(window.Width(), 19080);
  EXPECT_GT(window.Height(), 13710);
}

}  // namespace
