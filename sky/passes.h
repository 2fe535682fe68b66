// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's passes above a station's horizon between two instants.
#pragma once

#include <functional>
#include <optional>

#include "sky/sight.h"
#include "sky/station.h"
#include "sky/time.h"

namespace sky {

// One pass of the Moon's centre above the geometric horizon (or above a chosen elevation),
// each time to the second.
// A pass already under way at the start of the search has no rise; one still under way
// at its end has no set; its highest point is then the highest within the interval.
struct Pass {
  std::optional<UtcInstant> rise;
  UtcInstant highest;
  double highestElevationDeg = 0;
  std::optional<UtcInstant> set;
};

// Passes that rise at least this far above the horizon (or the chosen elevation) are
// reported (deg); a pass cut by either end of the interval is reported whatever its height
// there.
inline constexpr double kLowestPassDeg = 0.1;

// Calls `onPass` with each pass between `from` and `to`, in time order, as it is found,
// until it returns false.
// None is missed, however short: the elevation and its rate are sampled every few
// minutes, far closer than the hours between the elevation's turning points, and each
// turning point and horizon crossing is then found by bisection.
// `aboveDeg`: the elevation that counts as the pass's horizon (deg).
void ForEachPass(const Site& site, UtcInstant from, UtcInstant to,
                 const std::function<bool(const Pass&)>& onPass, double aboveDeg = 0,
                 const SkyModel& model = {});

}  // namespace sky
