// SPDX-License-Identifier: GPL-3.0-or-later
// The readouts as the window shows them: the twelve captions and the distance texts.
#include "classroom/view/readout_text.h"

#include "format/format.h"

namespace {

// Signed three decimals, and exactly zero without a sign.
constexpr const char* kSpeedPattern = "+0.000;-0.000;0.000";
// Signed whole hertz followed by " Hz ".
constexpr const char* kShiftPattern = "+0 Hz ;-0 Hz ;0 Hz ";

}  // namespace

std::array<std::string, 12> ReadoutCaptions(const Readout& r, RefreshMode mode) {
  using toolkit::Format;
  const bool earthFixed = mode == RefreshMode::EarthFixed;
  return {
      " El= " + Format(r.El, kSpeedPattern) + "° ",
      " Az= " + Format(r.Az, "0.000° "),
      " vRad= " + Format(r.vRad, kSpeedPattern) + " m/s ",
      " vTan= " + Format(r.vTan, "0.000") + " m/s ",
      " vAD= " + Format(r.vAD, kSpeedPattern) + " m/s ",
      " vDc= " + Format(r.vDc, kSpeedPattern) + " m/s ",
      earthFixed ? std::string(earthFixedNotice)
                 : " vRot= " + Format(r.vRot, kSpeedPattern) + " m/s ",
      " vFin= " + Format(r.vFin, kSpeedPattern) + " m/s ",
      " AD: " + Format(r.AD, kShiftPattern),
      " Dc: " + Format(r.Dc, kShiftPattern),
      earthFixed ? std::string(earthFixedNotice) : " Rot: " + Format(r.Rot, kShiftPattern),
      " Final: " + Format(r.Final, kShiftPattern),
  };
}

std::array<std::string, 3> DistanceTexts(const Readout& r) {
  using toolkit::Format;
  return {
      "Pz = " + Format(r.Pz, "0.000 km"),
      "Lz = " + Format(r.Lz, "0.000 km"),
      "PL = " + Format(r.PL, "0.000 km"),
  };
}
