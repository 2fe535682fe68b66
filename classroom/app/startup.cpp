// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up sequence: from a freshly built window to the first full update of the views.
#include "classroom/app/startup.h"

#include <cmath>

#include "classroom/form/form1.h"
#include "classroom/interaction/events.h"
#include "classroom/model/earth.h"
#include "classroom/model/moon.h"
#include "classroom/view/model_setters.h"
#include "classroom/view/refresh_view.h"
#include "classroom/view/static_figures.h"
#include "format/format.h"
#include "toolkit/application.h"

void Form1_Load() {
  Form1& f = form1();

  // A window larger than the screen gets a negative position and overlaps every edge by the
  // same amount. Positions are whole twips, rounded to the nearest, ties to even.
  f.SetTop(static_cast<int>(std::nearbyint((toolkit::ScreenHeight() - f.Height()) / 2.0)));
  f.SetLeft(static_cast<int>(std::nearbyint((toolkit::ScreenWidth() - f.Width()) / 2.0)));

  // Every drawing below goes to the visible window.
  f.SetVisible(true);

  DrawStaticFigures();

  // The orbit plane is inclined to the equator by 28.73°.
  SetOrbitTilt();

  // Longitude 0: the station stands on the Earth-fixed x-z plane.
  stationCosLon = 1;
  stationSinLon = 0;

  // Latitude 49.2° N through the slider, whose handler computes the station's position and
  // horizon frame. The tag holds the handler back from refreshing the view, which cannot be
  // drawn before the Moon has a state; 49.2 / 90 × 16384 = 8956.59 lands on position 8957.
  toolkit::HScrollBar& latitude = f.HScroll2(0);
  latitude.Tag = "1";
  latitude.SetValue(static_cast<int>(std::nearbyint(49.2 / 90 * 16384)));
  latitude.Tag = "";
  // Quit may have run inside the station handler's DoEvents: the program has ended.
  if (toolkit::Quitting()) return;

  f.Label9(0).SetCaption(" " + toolkit::Format(49.2, "0.0\u00b0") + " N ");
  f.Label9(1).SetCaption(" " + toolkit::Format(0, "0.0\u00b0") + " ");
  f.Label1(0).SetCaption(" 0.000\u00b0 ");
  f.Label3().SetCaption(" 0.000\u00b0 ");
  f.Label4().SetCaption(" 0.000\u00b0 ");

  EarthRot = MatIdentity();
  // The Moon at perigee, then the node line at 0, which also gives the Moon its first
  // position and velocity in space.
  InitMoonOrbit(0);
  SetNodeLine(0);
  RefreshView(RefreshMode::EarthTurning);
}

void CreateWiredForm1() {
  CreateForm1();
  ConnectEvents(form1());
  form1().Quit().onClick = Quit_Click;
}

void StartProgram() {
  CreateWiredForm1();
  Form1_Load();
}

void Quit_Click() {
  form1().Unload();
  toolkit::Quit(0);
}
