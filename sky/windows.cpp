// SPDX-License-Identifier: GPL-3.0-or-later
// Mutual windows: each station's passes above the elevation, intersected.
#include "sky/windows.h"

#include <algorithm>

#include "sky/passes.h"

namespace sky {

std::vector<Interval> AboveElevation(const Site& site, UtcInstant from, UtcInstant to,
                                     double minElevationDeg, const SkyModel& model) {
  std::vector<Interval> above;
  ForEachPass(
      site, from, to,
      [&](const Pass& p) {
        above.push_back({p.rise.value_or(from), p.set.value_or(to)});
        return true;
      },
      minElevationDeg, model);
  return above;
}

std::vector<Interval> MutualWindows(const Site& a, const Site& b, UtcInstant from, UtcInstant to,
                                    double minElevationDeg, const SkyModel& model) {
  const std::vector<Interval> x = AboveElevation(a, from, to, minElevationDeg, model);
  const std::vector<Interval> y = AboveElevation(b, from, to, minElevationDeg, model);
  // Both lists are sorted and their intervals disjoint: one merge-like walk.
  std::vector<Interval> both;
  std::size_t i = 0, j = 0;
  while (i < x.size() && j < y.size()) {
    const UtcInstant start = std::max(x[i].from, y[j].from);
    const UtcInstant end = std::min(x[i].to, y[j].to);
    if (start < end) both.push_back({start, end});
    if (x[i].to < y[j].to) {
      ++i;
    } else {
      ++j;
    }
  }
  return both;
}

std::vector<Interval> OutsideBoth(const std::vector<Interval>& a, const std::vector<Interval>& b,
                                  UtcInstant from, UtcInstant to) {
  std::vector<Interval> all(a);
  all.insert(all.end(), b.begin(), b.end());
  std::sort(all.begin(), all.end(),
            [](const Interval& x, const Interval& y) { return x.from < y.from; });
  std::vector<Interval> outside;
  UtcInstant free = from;  // nothing covers [free, the next interval's start)
  for (const Interval& i : all) {
    if (i.from > free) outside.push_back({free, std::min(i.from, to)});
    free = std::max(free, i.to);
  }
  if (free < to) outside.push_back({free, to});
  return outside;
}

}  // namespace sky
