// SPDX-License-Identifier: GPL-3.0-or-later
// The figures tracking needs at one instant: where the Moon stands and the shifts of each
// leg of the echo path, from one function the rest of tracking calls.
#pragma once

#include <optional>

#include "sky/echo.h"
#include "sky/eop.h"
#include "sky/station.h"
#include "sky/time.h"

namespace skyapp::track {

// Everything the frequency plan and the dish need for one instant: the sky core's figures
// (the Moon's geometric direction above the station's horizon, azimuth from north through
// east; the shifts in Hz at the sked frequency, each with the sign of the frequency change it
// causes: the station's own echo of a signal sent at utc, the uplink as it reaches the Moon,
// the downlink heard at utc, the DX station's signal heard here and ours as it hears it) and
// the instant they are for.
struct Figures : sky::DopplerFigures {
  sky::UtcInstant utc;
};

// The figures for a station (and a DX station, whose two shifts stay 0 without one) at
// `utc`, for a sked frequency of `skedHz`, with the Earth's orientation from `eop` (none:
// UT1 = UTC, no polar motion).
//
// Every other part of tracking reaches the sky core only through this function: the light-time
// path's shifts (sky::DopplerAt: each leg solved at its own epochs, the Moon from Swiss
// Ephemeris) and the geometric direction of the Moon at `utc`.
[[nodiscard]] Figures FiguresAt(sky::UtcInstant utc, const sky::Site& site,
                                const std::optional<sky::Site>& dx, double skedHz,
                                const sky::EopTable* eop = nullptr);

}  // namespace skyapp::track
