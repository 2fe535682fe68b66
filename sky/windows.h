// SPDX-License-Identifier: GPL-3.0-or-later
// When the Moon stands at or above a chosen elevation for one station, and for two at once:
// the mutual windows in which a sked can be kept.
#pragma once

#include <vector>

#include "sky/sight.h"
#include "sky/station.h"
#include "sky/time.h"

namespace sky {

// From `from` to `to`, both included.
struct Interval {
  UtcInstant from;
  UtcInstant to;
  bool operator==(const Interval&) const = default;
};

// The intervals between `from` and `to` in which the Moon's centre is at or above
// `minElevationDeg` (geometric elevation) for the station, each end to the second.
[[nodiscard]] std::vector<Interval> AboveElevation(const Site& site, UtcInstant from, UtcInstant to,
                                                   double minElevationDeg,
                                                   const SkyModel& model = {});

// What is left of [from, to] outside every interval of both lists (each sorted, its
// intervals disjoint): the times when neither list holds, as the mutual windows are left
// by the times when either station has the Moon below its horizon.
[[nodiscard]] std::vector<Interval> OutsideBoth(const std::vector<Interval>& a,
                                                const std::vector<Interval>& b, UtcInstant from,
                                                UtcInstant to);

// The intervals in which both stations see the Moon at or above `minElevationDeg`.
[[nodiscard]] std::vector<Interval> MutualWindows(const Site& a, const Site& b, UtcInstant from,
                                                  UtcInstant to, double minElevationDeg,
                                                  const SkyModel& model = {});

}  // namespace sky
