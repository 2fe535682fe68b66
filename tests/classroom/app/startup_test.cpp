// SPDX-License-Identifier: GPL-3.0-or-later
// The window after its Load sequence: readouts, controls, model constants and backgrounds.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "classroom/app/startup.h"
#include "classroom/form/form1.h"
#include "classroom/model/earth.h"
#include "classroom/model/moon.h"
#include "classroom/model/station.h"
#include "classroom/view/model_setters.h"
#include "geometry/mat3.h"
#include "tests/support/started_form.h"
#include "toolkit/application.h"
#include "toolkit/color.h"
#include "toolkit/picture.h"
#include "toolkit/picture_box.h"
#include "toolkit/twips.h"

namespace {

using StartedTest = StartedFormTest;

// 49.2 / 90 × 16384 = 8956.59, the nearest position is 8957; the readout shows the latitude
// asked for, 49.2° N, with a blank before, between and after.
TEST_F(StartedTest, StationStandsAt49Point2NorthOnTheZeroMeridian) {
  EXPECT_EQ(f->HScroll2(0).Value(), 8957);
  EXPECT_EQ(f->HScroll2(0).Tag, "");
  EXPECT_EQ(f->Label9(0).Caption(), " 49.2\u00b0 N ");
  EXPECT_EQ(f->HScroll2(1).Value(), 0);
  EXPECT_EQ(f->Label9(1).Caption(), " 0.0\u00b0 ");

  // Position 8957 is 8957 / 16384 × 90° = 49.2023°.
  const double lat = 8957.0 / 16384.0 * 90.0 * std::acos(-1.0) / 180.0;
  EXPECT_NEAR(stationCosLat, std::cos(lat), 1e-15);
  EXPECT_NEAR(stationSinLat, std::sin(lat), 1e-15);
  EXPECT_EQ(stationCosLon, 1.0);
  EXPECT_EQ(stationSinLon, 0.0);
  // Longitude 0: the station lies in the Earth-fixed x-z plane, on the true Earth's surface.
  EXPECT_EQ(stationPos.y, 0.0);
  EXPECT_NEAR(std::hypot(stationPos.x, stationPos.z), kEarthRadius, 1e-9);
}

TEST_F(StartedTest, AngleReadoutsShowZero) {
  EXPECT_EQ(f->Label1(0).Caption(), " 0.000\u00b0 ");
  EXPECT_EQ(f->Label3().Caption(), " 0.000\u00b0 ");
  EXPECT_EQ(f->Label4().Caption(), " 0.000\u00b0 ");
}

// Every value label has been written by start-up or by the first full update.
TEST_F(StartedTest, NoValueLabelShowsItsPlaceholder) {
  Form1& w = *f;
  struct Row {
    const toolkit::Label* label;
    const char* placeholder;
  };
  std::vector<Row> rows;
  for (int i = 0; i < 10; ++i) rows.push_back({&w.Label2(i), "Label2"});
  for (int i = 0; i < 2; ++i) {
    rows.push_back({&w.Label1(i), "Label1"});
    rows.push_back({&w.Label5(i), "Label5"});
    rows.push_back({&w.Label9(i), "Label9"});
  }
  rows.push_back({&w.Label3(), "Label3"});
  rows.push_back({&w.Label4(), "Label4"});
  for (const Row& r : rows) {
    EXPECT_NE(r.label->Caption(), r.placeholder);
    EXPECT_FALSE(r.label->Caption().empty()) << r.placeholder;
  }
  EXPECT_EQ(w.Label2(10).Caption(), " Doppler 10 GHz: ");
}

// The first update is a normal one (mode 1): with the Earth held still by the station
// change, the rotation share of the range rate cancels exactly and shows unsigned.
TEST_F(StartedTest, FirstUpdateShowsTheRotationReadoutsAtZero) {
  EXPECT_EQ(f->Label2(3).Caption(), " vRot= 0.000 m/s ");
  EXPECT_EQ(f->Label2(8).Caption(), " Rot: 0 Hz ");
}

TEST_F(StartedTest, ControlsStandAsTheWindowWasBuilt) {
  Form1& w = *f;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(w.Option1(i).Value(), i == 0) << "Option1(" << i << ")";
    EXPECT_EQ(w.Option2(i).Value(), i == 0) << "Option2(" << i << ")";
    EXPECT_EQ(w.HScroll1(i).Value(), 0) << "HScroll1(" << i << ")";
  }
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(w.Option3(i).Value(), i == 0) << "Option3(" << i << ")";
    EXPECT_EQ(w.Option4(i).Value(), i == 0) << "Option4(" << i << ")";
  }
  EXPECT_FALSE(w.HScroll1(0).Enabled());
  EXPECT_TRUE(w.Timer1().Enabled());
  EXPECT_EQ(w.Timer1().Interval(), 0);
  EXPECT_FALSE(w.Timer1().Ticking());
  EXPECT_FALSE(w.syncingSliders);
}

// The orbit plane is tilted 28.73° about the x axis; the Earth stands at sidereal angle 0.
TEST_F(StartedTest, ModelConstantsAreSet) {
  EXPECT_DOUBLE_EQ(cosTilt, 0.8768945990445056);
  EXPECT_DOUBLE_EQ(sinTilt, 0.4806827042515424);
  Mat3 tilt;
  tilt(0, 0) = 1;
  tilt(1, 1) = cosTilt;
  tilt(1, 2) = -sinTilt;
  tilt(2, 1) = sinTilt;
  tilt(2, 2) = cosTilt;
  EXPECT_EQ(TiltRot, tilt);
  EXPECT_EQ(EarthRot, MatIdentity());
  // The station change at start-up holds the Earth still.
  EXPECT_EQ(EarthRotRate, MatZero());
}

// After start-up every Cls brings back exactly the fixed figure: on Picture1 with the node
// line, on the two others the figure captured at start-up.
TEST_F(StartedTest, ClsRestoresEachFixedFigure) {
  Form1& w = *f;
  ASSERT_FALSE(nodeLinePicture.IsNothing());
  ASSERT_FALSE(w.picture3Background.IsNothing());
  ASSERT_FALSE(w.picture2Background.IsNothing());

  w.Picture1().Cls();
  EXPECT_TRUE(w.Picture1().Image().SamePixels(nodeLinePicture));
  w.Picture3().Cls();
  EXPECT_TRUE(w.Picture3().Image().SamePixels(w.picture3Background));
  w.Picture2().Cls();
  EXPECT_TRUE(w.Picture2().Image().SamePixels(w.picture2Background));

  // The node line lies over Picture1's fixed figure, not in it.
  EXPECT_FALSE(nodeLinePicture.SamePixels(backgroundPicture));
}

// The station handler runs during start-up but must not refresh the view, which has no Moon
// yet: Picture2 is cleared three times by its fixed figure and once by the one full update.
TEST(StartUpTest, RefreshesTheViewsOnce) {
  Form1& w = CreateWiredForm();
  w.Picture2().StartJournal();
  Form1_Load();
  int clears = 0;
  for (const toolkit::DrawCall& c : w.Picture2().Journal()) clears += c.op == toolkit::DrawOp::Cls;
  EXPECT_EQ(clears, 3 + 1);
  DestroyForm1();
}

}  // namespace
