// Slider positions and angles: the scale shared by the orbit and sidereal-angle sliders.
#pragma once

#include <cmath>
#include <string>

#include "app/toolkit/format.h"
#include "geometry/angles.h"

// One turn as the sliders count it. Position 32767 (not 32768) is a full turn, so both ends
// of a slider point the same way.
inline constexpr double kSliderTurn = 6.28318530717958;
inline constexpr int kSliderFullTurn = 32767;
// Radians per degree: every readout shows degrees = radians / kRadPerDeg.
inline constexpr double kRadPerDeg = kRadiansPerDegree;
// Turns of the Earth for one turn of the Moon on its orbit (the anomalistic month in
// sidereal days), the ratio that couples the sidereal angle to the Moon.
inline constexpr double kEarthTurnsPerMoonTurn = 27.55455;

// The slider position of an angle a (rad) in one turn: a / turn × 32767, rounded to the
// nearest position with ties to even (the default rounding mode).
[[nodiscard]] inline int SliderPosition(double a) {
  return static_cast<int>(std::nearbyint(a / kSliderTurn * kSliderFullTurn));
}

// The readout of an angle: a blank, the degrees with three decimals and the degree sign,
// a blank.
[[nodiscard]] inline std::string AngleReadout(double degrees) {
  return " " + toolkit::Format(degrees, "0.000°") + " ";
}
