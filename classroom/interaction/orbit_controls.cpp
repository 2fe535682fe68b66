// SPDX-License-Identifier: GPL-3.0-or-later
// The sidereal-angle, Moon-position, node-line and speed sliders, and their preset buttons.
//
// A slider position v of elements 1 to 3 stands for the angle v × kTurn / 32767.
// In coupled mode (Option3(1)) the Earth turns 27.55455 times for each turn of the Moon:
// moving either of the two sliders moves the other's thumb from code. syncingSliders keeps
// that partner's nested Change to a plain refresh, so the coupling is applied once.
#include "classroom/interaction/orbit_controls.h"

#include "classroom/form/form1.h"
#include "classroom/interaction/animation.h"
#include "classroom/interaction/slider_scale.h"
#include "classroom/model/earth.h"
#include "classroom/model/orbit.h"
#include "classroom/view/model_setters.h"
#include "classroom/view/refresh_view.h"
#include "geometry/angles.h"
#include "toolkit/application.h"

double coupledMoonBase = 0;

namespace {

bool Coupled(const Form1& f) {
  // Read at every use: the user may switch the coupling between two slider moves.
  return f.Option3(1).Value();
}

// Moves the partner slider's thumb to the angle a from code, its nested Change only
// refreshing, then refreshes once more for the coupled move itself.
void MovePartner(Form1& f, toolkit::HScrollBar& partner, double a) {
  f.syncingSliders = true;
  partner.SetValue(SliderPosition(a));
  f.syncingSliders = false;
  RefreshView(RefreshMode::Coupled);
}

void SiderealChanged(Form1& f, int v) {
  const double theta = v * kTurn / kSliderFullTurn;
  f.Label3().SetCaption(AngleReadout(theta / kRadiansPerDegree));
  SetSiderealAngle(theta);
  if (!Coupled(f)) {
    RefreshView(RefreshMode::EarthTurning);
    return;
  }
  // The Moon advances one turn for 27.55455 turns of the Earth, counted from where the
  // Moon-position slider last left it.
  const double m = FloatMod(theta / kEarthTurnsPerMoonTurn + coupledMoonBase, kTurn);
  MoveMoon(m, 0);
  MovePartner(f, f.HScroll1(2), m);
}

void MoonPositionChanged(Form1& f, int v) {
  const double alpha = v * kTurn / kSliderFullTurn;
  MoveMoon(alpha, 1);
  // The readout and the base are the angle the orbit model returns, which lies in
  // (0, 2 pi]: position 0 gives a tiny positive angle, 32767 one just under a full turn.
  f.Label4().SetCaption(AngleReadout(trueAnomaly / kRadiansPerDegree));
  coupledMoonBase = trueAnomaly;
  if (!Coupled(f)) {
    RefreshView(RefreshMode::EarthFixed);
    return;
  }
  // The Earth's angle follows from the Moon's alone; SetSiderealAngle gives the Earth its
  // rotation rate again after MoveMoon held it.
  const double s = FloatMod(alpha * kEarthTurnsPerMoonTurn, kTurn);
  SetSiderealAngle(s);
  MovePartner(f, f.HScroll1(1), s);
}

void NodeLineChanged(Form1& f, int v) {
  const double phi = v * kTurn / kSliderFullTurn;
  f.Label1(0).SetCaption(AngleReadout(phi / kRadiansPerDegree));
  SetNodeLine(phi);
  // The node line does not hold the Earth: a rotation rate set earlier still enters the
  // velocities, only its two readouts give way to the notice.
  RefreshView(RefreshMode::EarthFixed);
}

// A preset puts its slider at a quarter of 32768 positions while a full turn is 32767, so the
// model's angle lies a hair past the preset (8192 is 90.00275°); the slider's own readout of
// that angle is then replaced by the preset's round figure.
void Preset(toolkit::OptionButton& button, toolkit::HScrollBar& slider, toolkit::Label& readout,
            int index) {
  button.SetValue(true);
  slider.SetValue(index * 32768 / 4);
  readout.SetCaption(AngleReadout(index * 360.0 / 4));
}

}  // namespace

void HScroll1_Change(int index) {
  // Pending events run first, a timer tick or another slider's move included; the slider's
  // position is read only afterwards.
  toolkit::DoEvents();
  if (toolkit::Quitting()) return;  // Quit ran inside DoEvents: the program has ended
  Form1& f = form1();
  if (f.syncingSliders) {
    RefreshView(RefreshMode::Plain);
    return;
  }
  switch (index) {
    case 0:
      // Degrees of Earth rotation per animation tick, 0.2 at the left end, 20.2 at the right.
      animStep = (static_cast<double>(f.HScroll1(0).Value()) / kSliderFullTurn) * 20 + 0.2;
      RefreshView(RefreshMode::Plain);
      break;
    case 1:
      SiderealChanged(f, f.HScroll1(1).Value());
      break;
    case 2:
      MoonPositionChanged(f, f.HScroll1(2).Value());
      break;
    case 3:
      NodeLineChanged(f, f.HScroll1(3).Value());
      break;
    default:
      RefreshView(RefreshMode::Plain);
      break;
  }
}

void HScroll1_Scroll(int index) {
  HScroll1_Change(index);
}

void HScroll1_GotFocus(int index) {
  Form1& f = form1();
  if (index == 2) {
    for (int i = 0; i < 4; ++i) f.Option2(i).SetValue(false);
  } else if (index == 3) {
    for (int i = 0; i < 4; ++i) f.Option1(i).SetValue(false);
  }
}

void Option1_Click(int index) {
  Form1& f = form1();
  Preset(f.Option1(index), f.HScroll1(3), f.Label1(0), index);
}

void Option2_Click(int index) {
  Form1& f = form1();
  Preset(f.Option2(index), f.HScroll1(2), f.Label4(), index);
}
