// SPDX-License-Identifier: GPL-3.0-or-later
// The animation: its on/off switch and the timer tick that turns the Earth and moves the Moon.
//
// The clock animClock (Form1, degrees) is the accumulated Earth rotation. It only grows, so
// switching off and on again continues the motion where it stopped. The Moon's orbit angle
// is the clock divided by 27.55455, whatever the coupling option says.
#include "classroom/interaction/animation.h"

#include <string>

#include "classroom/form/form1.h"
#include "classroom/interaction/slider_scale.h"
#include "classroom/model/earth.h"
#include "classroom/view/model_setters.h"
#include "classroom/view/refresh_view.h"
#include "format/format.h"
#include "geometry/angles.h"

double animStep = 0;

namespace {

constexpr double kSlowestStep = 0.2;  // degrees per tick with the speed slider at the left
constexpr int kTickMs = 20;

}  // namespace

void Option4_Click(int index) {
  Form1& f = form1();
  if (index == 0) {
    f.Timer1().SetEnabled(false);
    // Back at the left end the speed slider's Change sets the slowest step again.
    f.HScroll1(0).SetValue(0);
    f.HScroll1(0).SetEnabled(false);
    f.HScroll1(2).SetFocus();
  } else if (index == 1) {
    animStep = kSlowestStep;
    f.HScroll1(0).SetEnabled(true);
    f.HScroll1(0).SetFocus();
    f.Timer1().SetEnabled(true);
    // The timer is created enabled with interval 0: only now does it start ticking.
    f.Timer1().SetInterval(kTickMs);
  }
}

void Timer1_Timer() {
  AdvanceAnimation();
  RefreshView(RefreshMode::EarthTurning);
}

void AdvanceAnimation() {
  Form1& f = form1();
  f.animClock = f.animClock + animStep;
  const double s = FloatMod(f.animClock, 360);
  const double m = FloatMod(f.animClock / kEarthTurnsPerMoonTurn, 360);
  // Only the readouts follow the motion; the thumbs of the sidereal and Moon sliders stay.
  f.Label3().SetCaption(" " + toolkit::Format(s, "0.000° "));
  f.Label4().SetCaption(" " + toolkit::Format(m, "0.000° "));
  SetSiderealAngle(s * kRadiansPerDegree);
  MoveMoon(m * kRadiansPerDegree, 0);
}
