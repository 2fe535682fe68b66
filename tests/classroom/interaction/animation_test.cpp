// SPDX-License-Identifier: GPL-3.0-or-later
// The animation switch and the tick: clock, readouts, the Earth and the Moon moved together.
#include <gtest/gtest.h>

#include <ostream>

#include "classroom/model/orbit.h"
#include "tests/classroom/interaction/started_window.h"

namespace {

class Animation : public StartedWindow {
 protected:
  // Switches on through the button, then keeps the timer from ticking by itself, so that
  // each tick of these tests is one call made here.
  void SwitchOn() const {
    f->Option4(1).SetValue(true);
    f->Timer1().SetEnabled(false);
  }
  void Tick(int n = 1) const {
    for (int i = 0; i < n; ++i) f->Timer1().onTimer();
  }
};

TEST_F(Animation, SwitchOnAndOffInTheirOrder) {
  Option2_Click(1);
  f->Option4(1).SetValue(true);
  EXPECT_DOUBLE_EQ(animStep, 0.2);
  EXPECT_TRUE(f->HScroll1(0).Enabled());
  EXPECT_TRUE(f->HScroll1(0).HasFocus());
  EXPECT_TRUE(f->Timer1().Enabled());
  EXPECT_EQ(f->Timer1().Interval(), 20);
  EXPECT_TRUE(f->Timer1().Ticking());

  f->HScroll1(0).SetValue(20000);
  f->Option4(0).SetValue(true);
  EXPECT_FALSE(f->Timer1().Ticking());
  EXPECT_EQ(f->HScroll1(0).Value(), 0);
  EXPECT_DOUBLE_EQ(animStep, 0.2);
  EXPECT_FALSE(f->HScroll1(0).Enabled());
  EXPECT_TRUE(f->HScroll1(2).HasFocus());
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(f->Option2(i).Value());  // GotFocus unmarked them
}

TEST_F(Animation, FirstTickStartsFromTheClockNotTheSliders) {
  f->HScroll1(1).SetValue(5000);
  f->HScroll1(2).SetValue(7000);
  const double base = coupledMoonBase;
  ASSERT_TRUE(f->Option3(0).Value());  // uncoupled: the tick couples all the same
  SwitchOn();
  ShowEarthFixed();
  Tick();
  // 0.2° of Earth rotation and 0.2 / 27.55455 = 0.00726° of Moon motion.
  EXPECT_EQ(f->Label3().Caption(), " 0.200° ");
  EXPECT_EQ(f->Label4().Caption(), " 0.007° ");
  EXPECT_NEAR(SiderealDegrees(), 0.2, 1e-9);
  EXPECT_NEAR(trueAnomaly / kDeg, 0.2 / 27.55455, 1e-9);
  EXPECT_NE(EarthRotRate, MatZero());
  EXPECT_FALSE(EarthFixedShown());  // mode 1
  // Only the readouts follow; the thumbs and the coupling base stay.
  EXPECT_EQ(f->HScroll1(1).Value(), 5000);
  EXPECT_EQ(f->HScroll1(2).Value(), 7000);
  EXPECT_EQ(coupledMoonBase, base);
}

TEST_F(Animation, OffAndOnContinuesTheClockAtSlowestSpeed) {
  SwitchOn();
  Tick(3);
  f->HScroll1(0).SetValue(32767);
  Tick();
  EXPECT_EQ(f->Label3().Caption(), " 20.800° ");  // 3 × 0.2 + 20.2
  f->Option4(0).SetValue(true);
  // Switching off leaves the last angles; 20.8 / 27.55455 = 0.7549°.
  EXPECT_EQ(f->Label3().Caption(), " 20.800° ");
  EXPECT_EQ(f->Label4().Caption(), " 0.755° ");
  EXPECT_NEAR(SiderealDegrees(), 20.8, 1e-9);
  SwitchOn();
  Tick();
  EXPECT_EQ(f->Label3().Caption(), " 21.000° ");
  EXPECT_NEAR(f->animClock, 21.0, 1e-9);
}

TEST_F(Animation, FullSpeedStepsTwentyPointTwoDegrees) {
  SwitchOn();
  f->HScroll1(0).SetValue(32767);
  Tick();
  // 20.2 / 27.55455 = 0.73309°.
  EXPECT_EQ(f->Label3().Caption(), " 20.200° ");
  EXPECT_EQ(f->Label4().Caption(), " 0.733° ");
  Tick();
  EXPECT_EQ(f->Label3().Caption(), " 40.400° ");
  EXPECT_EQ(f->Label4().Caption(), " 1.466° ");
}

struct WrapCase {
  const char* name;
  double clockAfter;  // degrees, one 0.2 step past the clock set
  const char* earth;
  const char* moon;
};
void PrintTo(const WrapCase& c, std::ostream* os) {
  *os << c.name;
}

class MoonWrap : public Animation, public ::testing::WithParamInterface<WrapCase> {};

TEST_P(MoonWrap, MoonTurnsOnceIn9919Point638Degrees) {
  const WrapCase& c = GetParam();
  SwitchOn();
  f->animClock = c.clockAfter - 0.2;
  Tick();
  EXPECT_EQ(f->Label3().Caption(), c.earth);
  EXPECT_EQ(f->Label4().Caption(), c.moon);
  // The orbit angle stays within one turn: just under it, or just past perigee.
  const double moonDeg = c.clockAfter / 27.55455 - 360;
  EXPECT_NEAR(trueAnomaly / kDeg, moonDeg < 0 ? moonDeg + 360 : moonDeg, 1e-6);
}

// 360 × 27.55455 = 9919.638 degrees of clock make one turn of the Moon; 27 Earth turns are
// 9720 degrees.
INSTANTIATE_TEST_SUITE_P(AroundOneTurn, MoonWrap,
                         ::testing::Values(WrapCase{"Before", 9919.538, " 199.538° ", " 359.996° "},
                                           WrapCase{"After", 9919.738, " 199.738° ", " 0.004° "}),
                         [](const ::testing::TestParamInfo<WrapCase>& i) {
                           return std::string(i.param.name);
                         });

}  // namespace
