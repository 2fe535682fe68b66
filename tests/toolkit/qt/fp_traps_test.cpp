// SPDX-License-Identifier: GPL-3.0-or-later
// Floating-point traps: on in the program's own code, off inside the toolkit and Qt.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cfenv>
#include <cmath>
#include <csignal>
#include <cstdlib>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QObject>
#include <QScrollBar>
#include <QTest>

#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/fp_traps.h"
#include "toolkit/qt/native.h"

namespace {

constexpr int kTraps = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// Divides one by zero at run time; the compiler cannot fold it away.
double OneOverZero() {
  volatile double zero = 0;
  return 1 / zero;
}

class FpTraps : public ::testing::Test {
 protected:
  void TearDown() override {
    toolkit::SetProgramTraps(0);
    std::feclearexcept(FE_ALL_EXCEPT);
  }
};

TEST_F(FpTraps, OffByDefaultAndThenTheScopesLeaveTheEnvironmentAlone) {
  ASSERT_EQ(toolkit::programTraps, 0);
  // A trap enabled by other means is not the toolkit's to change.
  feenableexcept(FE_DIVBYZERO);
  {
    const toolkit::ToolkitFpScope qt;
    EXPECT_EQ(fegetexcept(), FE_DIVBYZERO);
  }
  {
    const toolkit::ProgramFpScope program;
    EXPECT_EQ(fegetexcept(), FE_DIVBYZERO);
  }
  fedisableexcept(FE_ALL_EXCEPT);
}

TEST_F(FpTraps, SettingTheProgramsTrapsAppliesThemAtOnce) {
  toolkit::SetProgramTraps(kTraps);
  EXPECT_EQ(fegetexcept(), kTraps);
  toolkit::SetProgramTraps(FE_OVERFLOW);
  EXPECT_EQ(fegetexcept(), FE_OVERFLOW);
  toolkit::SetProgramTraps(0);
  EXPECT_EQ(fegetexcept(), 0);
}

TEST_F(FpTraps, ScopesNestAsTheToolkitAndTheProgramCallEachOther) {
  toolkit::SetProgramTraps(kTraps);
  {
    const toolkit::ToolkitFpScope qt;  // the program calls the toolkit
    EXPECT_EQ(fegetexcept(), 0);
    {
      const toolkit::ProgramFpScope handler;  // which raises an event into the program
      EXPECT_EQ(fegetexcept(), kTraps);
      {
        const toolkit::ToolkitFpScope nested;  // whose handler calls the toolkit again
        EXPECT_EQ(fegetexcept(), 0);
      }
      EXPECT_EQ(fegetexcept(), kTraps);
    }
    EXPECT_EQ(fegetexcept(), 0);
  }
  EXPECT_EQ(fegetexcept(), kTraps);
}

TEST_F(FpTraps, ADivisionByZeroInsideTheToolkitIsQuietAndLeavesNoFlag) {
  toolkit::SetProgramTraps(kTraps);
  {
    const toolkit::ToolkitFpScope qt;
    EXPECT_TRUE(std::isinf(OneOverZero()));
    EXPECT_NE(std::fetestexcept(FE_DIVBYZERO), 0);
  }
  // The flag is cleared before the trap is armed again, so nothing fires later on a stale one.
  EXPECT_EQ(std::fetestexcept(FE_DIVBYZERO), 0);
  EXPECT_EQ(fegetexcept(), kTraps);
}

// A trap in the death-test child reports itself and ends it with a code of its own (the
// sanitizers would otherwise catch the signal and exit their way).
void ExitOnTrap(int) {
  static const char kText[] = "trapped\n";
  (void)!write(STDERR_FILENO, kText, sizeof kText - 1);
  _exit(3);
}

void ArmAndDivide(int traps) {
  std::signal(SIGFPE, ExitOnTrap);
  toolkit::SetProgramTraps(traps);
  const double x = OneOverZero();
  std::exit(std::isinf(x) ? 0 : 1);
}

TEST_F(FpTraps, ADivisionByZeroInTheProgramsCodeTrapsThere) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(ArmAndDivide(kTraps), testing::ExitedWithCode(3), "trapped");
  EXPECT_EXIT(ArmAndDivide(0), testing::ExitedWithCode(0), "");
}

// Each event the toolkit raises runs the program's handler with the traps on, whether the
// program's own call started it (traps off inside the toolkit, on again for the handler) or
// Qt did (input, a timer, a menu), while Qt's own code between the two runs untrapped.
class FpTrapsInControls : public FpTraps {
 protected:
  void SetUp() override { toolkit::SetProgramTraps(kTraps); }
  // Qt's own work, as the event loop does it untrapped.
  template <class F>
  static void InQt(F&& work) {
    const toolkit::ToolkitFpScope qt;
    work();
  }

  toolkit::Window window{"traps", 9000, 6000};
  toolkit::Frame frame{window, "frame", 120, 120, 6000, 3000, {}};
  toolkit::OptionButton first{frame, "a", 100, 300, 1500, 400, {}, true};
  toolkit::OptionButton second{frame, "b", 2000, 300, 1500, 400, {}, false};
  toolkit::HScrollBar bar{window, 120, 4000, 7935, 270, 0, 32767, 100, 0};
  int program = -1;  // the traps the program's handler ran with
  int qt = -1;       // the traps Qt's own code ran with
};

TEST_F(FpTrapsInControls, ASliderMovedFromCode) {
  bar.onChange = [this] { program = fegetexcept(); };
  QObject::connect(static_cast<QScrollBar*>(toolkit::NativeWidget(bar)), &QScrollBar::valueChanged,
                   [this](int) { qt = fegetexcept(); });
  bar.SetValue(1234);
  EXPECT_EQ(qt, 0);
  EXPECT_EQ(program, kTraps);
  EXPECT_EQ(fegetexcept(), kTraps);  // back in the program's code
}

TEST_F(FpTrapsInControls, ASliderMovedByAKeyAndByADrag) {
  int scrolled = -1;
  bar.onChange = [this] { program = fegetexcept(); };
  bar.onScroll = [&] { scrolled = fegetexcept(); };
  auto* native = static_cast<QScrollBar*>(toolkit::NativeWidget(bar));
  InQt([&] { QTest::keyClick(native, Qt::Key_Right); });
  EXPECT_EQ(program, kTraps);
  InQt([&] {
    native->setSliderDown(true);
    native->setSliderPosition(500);
    native->setSliderDown(false);
  });
  EXPECT_EQ(scrolled, kTraps);
}

TEST_F(FpTrapsInControls, AnOptionButtonSelectedFromCode) {
  second.onClick = [this] { program = fegetexcept(); };
  QObject::connect(static_cast<QAbstractButton*>(toolkit::NativeWidget(second)),
                   &QAbstractButton::toggled, [this](bool) { qt = fegetexcept(); });
  second.SetValue(true);
  EXPECT_EQ(qt, 0);
  EXPECT_EQ(program, kTraps);
  EXPECT_EQ(fegetexcept(), kTraps);
}

TEST_F(FpTrapsInControls, TheFocusGivenByCodeAndByTheUser) {
  bar.onGotFocus = [this] { program = fegetexcept(); };
  bar.SetFocus();
  EXPECT_EQ(program, kTraps);
  program = -1;
  window.SetVisible(true);
  InQt([&] {
    QApplication::setActiveWindow(toolkit::NativeWindow(window));
    toolkit::NativeWidget(first)->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    toolkit::NativeWidget(bar)->setFocus(Qt::TabFocusReason);
  });
  EXPECT_EQ(program, kTraps);
}

TEST_F(FpTrapsInControls, ATimerTickAndAMenuClick) {
  toolkit::Timer timer{true, 0};
  int ticked = -1;
  timer.onTimer = [&] {
    ticked = fegetexcept();
    timer.SetEnabled(false);
  };
  timer.SetInterval(1);
  for (int i = 0; i < 200 && ticked == -1; ++i) InQt([] { QTest::qWait(5); });
  EXPECT_EQ(ticked, kTraps);

  toolkit::MenuItem& item = window.AddMenuItem("Quit");
  item.onClick = [this] { program = fegetexcept(); };
  InQt([&] {
    auto* main = static_cast<QMainWindow*>(toolkit::NativeWindow(window));
    main->menuBar()->actions().first()->trigger();
  });
  EXPECT_EQ(program, kTraps);
}

}  // namespace
