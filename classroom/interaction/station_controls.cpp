// SPDX-License-Identifier: GPL-3.0-or-later
// The station sliders: latitude and longitude of P, their readouts, and the station's place.
#include "classroom/interaction/station_controls.h"

#include <cmath>
#include <string>

#include "classroom/form/form1.h"
#include "classroom/interaction/slider_scale.h"
#include "classroom/model/earth.h"
#include "classroom/model/station.h"
#include "classroom/view/refresh_view.h"
#include "format/format.h"
#include "toolkit/application.h"

namespace {

// Latitude position 16384 is the north pole, half of the half turn.
constexpr double kLatitudeQuarter = 16384;
constexpr double kLatitudeQuarterTurn = kHalfTurn / 2;

// The hemisphere letter: the character code round(80.5 - 2.5·h) with h the sign of the
// latitude, the equator counting as north: 78 "N" or 83 "S".
char HemisphereLetter(double phi) {
  const double h = phi == 0 ? 1.0 : (phi > 0 ? 1.0 : -1.0);
  return static_cast<char>(std::nearbyint(80.5 - 2.5 * h));
}

void LatitudeChanged(Form1& f, int v) {
  const double phi = (v / kLatitudeQuarter) * kLatitudeQuarterTurn;
  f.Label9(0).SetCaption(" " + toolkit::Format(std::fabs(phi) / kRadiansPerDegree, "0.0°") + " " +
                         HemisphereLetter(phi) + " ");
  SetStationLatitude(phi);
}

void LongitudeChanged(Form1& f, int v) {
  const double lambda = (v / static_cast<double>(kSliderFullTurn)) * kTurn;
  f.Label9(1).SetCaption(" " + toolkit::Format(lambda / kRadiansPerDegree, "0.0°") + " ");
  SetStationLongitude(lambda);
}

}  // namespace

void HScroll2_Change(int index) {
  // Pending events run first (an animation tick among them); the position is read after.
  toolkit::DoEvents();
  if (toolkit::Quitting()) return;  // Quit ran inside DoEvents: the program has ended
  Form1& f = form1();
  if (index == 0) {
    LatitudeChanged(f, f.HScroll2(0).Value());
  } else if (index == 1) {
    LongitudeChanged(f, f.HScroll2(1).Value());
  }

  // The Earth goes back to sidereal angle zero and stands still until the sidereal angle is
  // set again; the sidereal slider and its readout keep what they show.
  StopEarth();
  PlaceStation();

  // Start-up places the station with the tag set, before the model is complete.
  if (f.HScroll2(0).Tag != "1") RefreshView(RefreshMode::EarthFixed);
}

void HScroll2_Scroll(int index) {
  HScroll2_Change(index);
}
