// SPDX-License-Identifier: GPL-3.0-or-later
// Shared set-up of the handler tests: the started window and what it lets a test observe.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "classroom/form/form1.h"
#include "classroom/interaction/animation.h"
#include "classroom/interaction/orbit_controls.h"
#include "classroom/model/earth.h"
#include "tests/support/started_form.h"

inline const std::string kEarthFixed = " Terre fixe! ";
inline constexpr double kDeg = std::numbers::pi / 180;

class StartedWindow : public StartedFormTest {
 protected:
  void SetUp() override {
    // The handlers' own state as the program starts, whatever an earlier test in this
    // process left.
    coupledMoonBase = 0;
    animStep = 0;
    StartedFormTest::SetUp();
    f->Picture2().StartJournal();
  }

  // Every update clears Picture2 exactly once before drawing its view, so the clears in its
  // journal count the updates.
  [[nodiscard]] int Refreshes() const {
    int n = 0;
    for (const toolkit::DrawCall& c : f->Picture2().Journal())
      n += c.op == toolkit::DrawOp::Cls ? 1 : 0;
    return n;
  }
  void ForgetRefreshes() const { f->Picture2().ClearJournal(); }
  // Mode 2 shows the notice in place of the rotation readout; every other mode the number.
  [[nodiscard]] bool EarthFixedShown() const { return f->Label2(3).Caption() == kEarthFixed; }
  // Puts the view in the state a later update must visibly change: the notice shown.
  void ShowEarthFixed() const {
    f->HScroll1(3).SetValue(f->HScroll1(3).Value() == 100 ? 200 : 100);
    ASSERT_TRUE(EarthFixedShown());
  }
};

// The Greenwich sidereal angle the Earth stands at, from EarthRot's first row (cos g, sin g).
[[nodiscard]] inline double SiderealDegrees() {
  const double g = std::atan2(EarthRot(0, 1), EarthRot(0, 0)) / kDeg;
  return g < 0 ? g + 360 : g;
}
