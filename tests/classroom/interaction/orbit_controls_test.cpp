// SPDX-License-Identifier: GPL-3.0-or-later
// The orbit, sidereal-angle and speed sliders, their presets and the coupling of Earth and Moon.
#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>

#include <QCoreApplication>
#include <QTimer>

#include "classroom/model/orbit.h"
#include "tests/classroom/interaction/started_window.h"
#include "toolkit/application.h"

namespace {

constexpr double kTurn = 2 * std::numbers::pi;
constexpr double kAngleTol = 1e-9;  // rad: the orbit solver's round trip is far better

// Which slider a case moves (HScroll1 or HScroll2 and the index), and whether coupling is on.
struct ModeCase {
  const char* name;
  int array;
  int index;
  bool coupled;
  bool earthFixedNotice;  // mode 2
  int refreshes;          // a coupled move refreshes once more, from the partner's Change
};
void PrintTo(const ModeCase& c, std::ostream* os) {
  *os << c.name;
}

class SliderMode : public StartedWindow, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(SliderMode, PassesItsModeAndLeavesTheGuardDown) {
  const ModeCase& c = GetParam();
  f->Option3(c.coupled ? 1 : 0).SetValue(true);
  // Start from the opposite display, so that the mode passed is what changes it.
  if (c.earthFixedNotice) {
    f->HScroll1(1).SetValue(5);
    ASSERT_FALSE(EarthFixedShown());
  } else {
    ShowEarthFixed();
  }
  ForgetRefreshes();
  toolkit::HScrollBar& s = c.array == 1 ? f->HScroll1(c.index) : f->HScroll2(c.index);
  s.SetValue(s.Value() == 3000 ? 3001 : 3000);
  EXPECT_EQ(EarthFixedShown(), c.earthFixedNotice);
  EXPECT_EQ(Refreshes(), c.refreshes);
  EXPECT_FALSE(f->syncingSliders);
}

INSTANTIATE_TEST_SUITE_P(EachSlider, SliderMode,
                         ::testing::Values(ModeCase{"Speed", 1, 0, false, false, 1},
                                           ModeCase{"SiderealUncoupled", 1, 1, false, false, 1},
                                           ModeCase{"SiderealCoupled", 1, 1, true, false, 2},
                                           ModeCase{"MoonUncoupled", 1, 2, false, true, 1},
                                           ModeCase{"MoonCoupled", 1, 2, true, false, 2},
                                           ModeCase{"NodeLine", 1, 3, true, true, 1},
                                           ModeCase{"Latitude", 2, 0, false, true, 1},
                                           ModeCase{"Longitude", 2, 1, true, true, 1}),
                         [](const ::testing::TestParamInfo<ModeCase>& i) {
                           return std::string(i.param.name);
                         });

using OrbitControls = StartedWindow;

TEST_F(OrbitControls, CoupledMoonAtHalfTurnTurnsTheEarth) {
  f->Option3(1).SetValue(true);
  f->HScroll1(2).SetValue(16384);
  // 16384 / 32767 of a turn times 27.55455 is 13.7776954 turns: the Earth stands at
  // 0.7776954 × 360 = 279.970° and its slider at 0.7776954 × 32767 = 25482.75, so 25483.
  EXPECT_NEAR(SiderealDegrees(), 279.97037, 1e-5);
  EXPECT_EQ(f->HScroll1(1).Value(), 25483);
  EXPECT_EQ(f->Label3().Caption(), " 0.000° ");  // only the partner's thumb moves
  EXPECT_EQ(f->Label4().Caption(), " 180.005° ");
  EXPECT_NEAR(coupledMoonBase, 16384 * kTurn / 32767, kAngleTol);
  EXPECT_NE(EarthRotRate, MatZero());  // the Earth turns again after MoveMoon held it
}

TEST_F(OrbitControls, CoupledSiderealFullTurnMovesTheMoonOneMonthStep) {
  f->Option3(1).SetValue(true);
  f->HScroll1(1).SetValue(32767);
  // One Earth turn is 1 / 27.55455 of the Moon's: 13.065°, position 32767 / 27.55455 = 1189.17.
  EXPECT_NEAR(trueAnomaly / kDeg, 13.064993, 1e-5);
  EXPECT_EQ(f->HScroll1(2).Value(), 1189);
  EXPECT_EQ(f->Label3().Caption(), " 360.000° ");
  EXPECT_EQ(f->Label4().Caption(), " 0.000° ");
  EXPECT_NEAR(EarthRotRate(0, 1), kEarthRate, 1e-12);  // MoveMoon kept the Earth turning
}

TEST_F(OrbitControls, CoupledMoonWrapsPastTheEndOfTheOrbit) {
  f->Option3(1).SetValue(true);
  f->HScroll1(2).SetValue(32767);
  ASSERT_GT(coupledMoonBase, kTurn - 1e-9);
  // Half an Earth turn adds 180° / 27.55455 = 6.5327° to a base just under a full turn: the
  // Moon goes on from perigee, its thumb from the left end at 16384 / 27.55455 = 594.6.
  f->HScroll1(1).SetValue(16384);
  EXPECT_NEAR(trueAnomaly / kDeg, 6.5326958, 1e-5);
  EXPECT_EQ(f->HScroll1(2).Value(), 595);
  // A second move counts from the same base: a quarter turn gives 8192 / 27.55455 = 297.3.
  f->HScroll1(1).SetValue(8192);
  EXPECT_EQ(f->HScroll1(2).Value(), 297);
  EXPECT_GT(coupledMoonBase, kTurn - 1e-9);
}

TEST_F(OrbitControls, MoonReadoutAtBothEndsOfTheSlider) {
  f->HScroll1(2).SetValue(32767);
  EXPECT_EQ(f->Label4().Caption(), " 360.000° ");
  EXPECT_GT(coupledMoonBase, kTurn - 1e-9);
  EXPECT_LE(coupledMoonBase, kTurn);
  EXPECT_EQ(EarthRotRate, MatZero());
  f->HScroll1(2).SetValue(0);
  EXPECT_EQ(f->Label4().Caption(), " 0.000° ");
  EXPECT_GT(coupledMoonBase, 0);
  EXPECT_LT(coupledMoonBase, 1e-9);
}

TEST_F(OrbitControls, NodeLineShowsNoticeButKeepsTheEarthTurning) {
  f->HScroll1(1).SetValue(4000);
  const Mat3 rate = EarthRotRate;
  ASSERT_NE(rate, MatZero());
  f->HScroll1(3).SetValue(8000);
  EXPECT_TRUE(EarthFixedShown());
  EXPECT_EQ(EarthRotRate, rate);
  // The view still adds the Earth's rotation: the same scene with the Earth held gives
  // another final range rate.
  const std::string turning = f->Label2(4).Caption();
  EarthRotRate = MatZero();
  HScroll1_Change(3);
  EXPECT_NE(f->Label2(4).Caption(), turning);
}

TEST_F(OrbitControls, SpeedRunsFromSlowestToFastest) {
  f->HScroll1(0).SetValue(32767);
  EXPECT_DOUBLE_EQ(animStep, 20.2);
  f->HScroll1(0).SetValue(16384);
  EXPECT_NEAR(animStep, 16384.0 / 32767 * 20 + 0.2, 1e-12);
  f->HScroll1(0).SetValue(0);
  EXPECT_DOUBLE_EQ(animStep, 0.2);
}

struct PresetCase {
  const char* name;
  int group;  // 1 node line, 2 Moon position
  int index;
  int position;
  const char* text;
  double modelDegrees;  // position × 360 / 32767: a hair past the preset
};
void PrintTo(const PresetCase& c, std::ostream* os) {
  *os << c.name;
}

class Preset : public StartedWindow, public ::testing::WithParamInterface<PresetCase> {};

TEST_P(Preset, PutsSliderAtQuarterOf32768AndWritesRoundText) {
  const PresetCase& c = GetParam();
  toolkit::HScrollBar& slider = f->HScroll1(c.group == 1 ? 3 : 2);
  slider.SetValue(1000);  // so that every preset, 0° included, moves the slider
  if (c.group == 1) {
    Option1_Click(c.index);
  } else {
    Option2_Click(c.index);
  }
  EXPECT_EQ(slider.Value(), c.position);
  EXPECT_EQ((c.group == 1 ? f->Label1(0) : f->Label4()).Caption(), c.text);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ((c.group == 1 ? f->Option1(i) : f->Option2(i)).Value(), i == c.index);
  }
  // The model takes the slider's angle, not the preset's: NodeRot's first row is
  // (cos θ, sin θ, 0).
  double model = trueAnomaly / kDeg;
  if (c.group == 1) {
    model = std::atan2(NodeRot(0, 1), NodeRot(0, 0)) / kDeg;
    if (model < 0) model += 360;
  }
  EXPECT_NEAR(model, c.modelDegrees, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(
    Quarters, Preset,
    ::testing::Values(PresetCase{"Node0", 1, 0, 0, " 0.000° ", 0},
                      PresetCase{"Moon0", 2, 0, 0, " 0.000° ", 0},
                      PresetCase{"Node90", 1, 1, 8192, " 90.000° ", 90.00275},
                      PresetCase{"Node180", 1, 2, 16384, " 180.000° ", 180.00549},
                      PresetCase{"Node270", 1, 3, 24576, " 270.000° ", 270.00824},
                      PresetCase{"Moon90", 2, 1, 8192, " 90.000° ", 90.00275},
                      PresetCase{"Moon180", 2, 2, 16384, " 180.000° ", 180.00549},
                      PresetCase{"Moon270", 2, 3, 24576, " 270.000° ", 270.00824}),
    [](const ::testing::TestParamInfo<PresetCase>& i) { return std::string(i.param.name); });

TEST_F(OrbitControls, PresetAlreadyInPlaceRaisesNoChange) {
  Option1_Click(2);
  f->Label1(0).SetCaption("x");
  ForgetRefreshes();
  Option1_Click(2);
  EXPECT_EQ(Refreshes(), 0);
  EXPECT_EQ(f->Label1(0).Caption(), " 180.000° ");
}

TEST_F(OrbitControls, TakingASliderUnmarksOnlyItsOwnPresets) {
  Option1_Click(1);
  Option2_Click(3);
  f->HScroll1(1).SetFocus();  // the sidereal slider has no presets
  EXPECT_TRUE(f->Option1(1).Value());
  EXPECT_TRUE(f->Option2(3).Value());
  f->HScroll1(2).SetFocus();
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(f->Option2(i).Value());
  EXPECT_TRUE(f->Option1(1).Value());
  f->HScroll1(3).SetFocus();
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(f->Option1(i).Value());
}

TEST_F(OrbitControls, GuardReducesANestedChangeToAPlainRefresh) {
  ShowEarthFixed();
  const std::string node = f->Label1(0).Caption();
  const Mat3 nodeRot = NodeRot;
  ForgetRefreshes();
  f->syncingSliders = true;
  f->HScroll1(3).SetValue(20000);
  f->syncingSliders = false;
  EXPECT_EQ(Refreshes(), 1);
  EXPECT_FALSE(EarthFixedShown());  // mode 0
  EXPECT_EQ(f->Label1(0).Caption(), node);
  EXPECT_EQ(NodeRot, nodeRot);
}

TEST_F(OrbitControls, QuitInsidePendingEventsEndsTheHandler) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        QTimer::singleShot(0, [] { toolkit::Quit(0); });
        f->HScroll1(3).SetValue(100);
        std::_Exit(f->Label1(0).Caption() == " 0.000° " ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
