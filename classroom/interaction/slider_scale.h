// SPDX-License-Identifier: GPL-3.0-or-later
// Slider positions and angles: the scale shared by the orbit and sidereal-angle sliders.
#pragma once

#include <cmath>
#include <string>

#include "classroom/model/constants.h"
#include "format/format.h"
#include "geometry/angles.h"

// Position 32767 (not 32768) is a full turn kTurn, so both ends of a slider point the same way.
inline constexpr int kSliderFullTurn = 32767;

// The slider position of an angle a (rad) in one turn: a / turn × 32767, rounded to the
// nearest position with ties to even (the default rounding mode).
[[nodiscard]] inline int SliderPosition(double a) {
  return static_cast<int>(std::nearbyint(a / kTurn * kSliderFullTurn));
}

// The readout of an angle: a blank, the degrees with three decimals and the degree sign,
// a blank.
[[nodiscard]] inline std::string AngleReadout(double degrees) {
  return " " + toolkit::Format(degrees, "0.000°") + " ";
}
