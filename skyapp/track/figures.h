// SPDX-License-Identifier: GPL-3.0-or-later
// The figures tracking needs at one instant: where the Moon stands and the shifts of each
// leg of the echo path, from one function the rest of tracking calls.
#pragma once

#include <optional>

#include "sky/station.h"
#include "sky/time.h"

namespace skyapp::track {

// Everything the frequency plan and the dish need for one instant. The shifts are in Hz
// at the sked frequency, each with the sign of the frequency change it causes.
struct Figures {
  sky::UtcInstant utc;      // the instant they are for
  double elevationDeg = 0;  // the Moon's, geometric, above the station's horizon
  double azimuthDeg = 0;    // from north through east, [0, 360)
  double selfHz = 0;        // the station's own echo of a signal sent at utc
  double uplinkHz = 0;      // a signal sent at utc, as it reaches the Moon
  double downlinkHz = 0;    // a signal heard at utc, against what left the Moon
  double dxHz = 0;          // a signal the DX station sends on f, heard here at utc
  double toDxHz = 0;        // a signal sent here at utc, as the DX station hears it
};

// The figures for a station (and a DX station, whose two shifts stay 0 without one) at
// `utc`, for a sked frequency of `skedHz`.
//
// Every other part of tracking reaches the sky core only through this function: the light-time
// path's shifts (sky::DopplerAt: each leg solved at its own epochs, the Moon from Swiss
// Ephemeris, UT1 taken as UTC) and the geometric direction of the Moon at `utc`.
[[nodiscard]] Figures FiguresAt(sky::UtcInstant utc, const sky::Site& site,
                                const std::optional<sky::Site>& dx, double skedHz);

}  // namespace skyapp::track
