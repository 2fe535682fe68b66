// SPDX-License-Identifier: GPL-3.0-or-later
// The day's Doppler curves and horizon intervals.
#include "sky/day.h"

#include "sky/echo.h"
#include "sky/passes.h"
#include "sky/sight.h"

namespace sky {

std::vector<Interval> BelowHorizon(const Site& site, UtcInstant from, UtcInstant to,
                                   const SkyModel& model) {
  std::vector<Interval> below;
  UtcInstant downSince = from;
  bool down = true;
  ForEachPass(
      site, from, to,
      [&](const Pass& p) {
        if (p.rise && *p.rise > downSince) below.push_back({downSince, *p.rise});
        down = p.set.has_value();
        if (p.set) downSince = *p.set;
        return true;
      },
      0, model);
  if (down && downSince < to) below.push_back({downSince, to});
  return below;
}

DayCurves ComputeDay(UtcInstant day, const Site& site, const std::optional<Site>& dx, double bandHz,
                     const SkyModel& model) {
  DayCurves c;
  c.start = StartOfDay(day);
  const auto reserve = [](std::vector<double>& v) { v.reserve(DayCurves::kPoints); };
  for (auto* v : {&c.selfHz, &c.radialHz, &c.parallaxHz, &c.rotationHz}) reserve(*v);
  if (dx) reserve(c.dxHz);
  // Each share shifts the echo by the same factor as the whole range rate.
  const double hzPerMs = SelfShiftHz(bandHz, 1);
  for (int minute = 0; minute < DayCurves::kPoints; ++minute) {
    // The light time needs the Moon's acceleration.
    const MoonAndEarth state =
        MoonAndEarthAt(UtcInstant{c.start.ms + minute * 60 * kMsPerSecond}, true, model);
    const Sight s = SightFrom(state, site);
    const EchoShifts e = EchoShiftsAt(state, site, dx ? &*dx : nullptr, bandHz);
    c.selfHz.push_back(e.selfHz);
    c.radialHz.push_back(hzPerMs * s.radialMs);
    c.parallaxHz.push_back(hzPerMs * s.parallaxMs);
    c.rotationHz.push_back(hzPerMs * s.rotationMs);
    if (dx) c.dxHz.push_back(e.dxHz);
  }
  const UtcInstant end{c.start.ms + kMsPerDay};
  c.belowHorizon = BelowHorizon(site, c.start, end, model);
  if (dx) {
    c.dxBelowHorizon = BelowHorizon(*dx, c.start, end, model);
    c.mutualWindows = OutsideBoth(c.belowHorizon, c.dxBelowHorizon, c.start, end);
  }
  return c;
}

}  // namespace sky
