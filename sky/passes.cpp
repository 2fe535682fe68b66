// SPDX-License-Identifier: GPL-3.0-or-later
// Rise, culmination and set of the Moon by sampling and bisection.
#include "sky/passes.h"

#include <algorithm>

#include "sky/sight.h"

namespace sky {
namespace {

// Sampling interval (ms). The elevation has its turning points hours apart (its rhythm is
// the 24.8 h lunar day), so one sample interval holds at most one turning point.
constexpr std::int64_t kSampleMs = 10 * 60 * kMsPerSecond;

struct Sample {
  UtcInstant t;
  double elevationDeg;
  double rateDegPerS;
};

Sample SampleAt(const Site& site, UtcInstant t, double aboveDeg, const SkyModel& model) {
  const Sight s = SightFrom(MoonAndEarthAt(t, false, model), site);
  return {t, s.elevationDeg - aboveDeg, s.elevationRateDegPerS};
}

// Bisects [a, b] down to a millisecond for the sign change of `f`, which holds
// f(a) <= 0 < f(b) or f(a) > 0 >= f(b); returns the instant nearest the change, rounded
// to the whole second.
template <typename F>
UtcInstant Bisect(UtcInstant a, UtcInstant b, F f) {
  const bool risingAtA = f(a) <= 0;
  while (b.ms - a.ms > 1) {
    const UtcInstant mid{a.ms + (b.ms - a.ms) / 2};
    if ((f(mid) <= 0) == risingAtA) {
      a = mid;
    } else {
      b = mid;
    }
  }
  // Floor division, so that instants before 1970 round the same way.
  const std::int64_t halfUp = a.ms + kMsPerSecond / 2;
  std::int64_t seconds = halfUp / kMsPerSecond;
  if (halfUp % kMsPerSecond < 0) --seconds;
  return {seconds * kMsPerSecond};
}

}  // namespace

void ForEachPass(const Site& site, UtcInstant from, UtcInstant to,
                 const std::function<bool(const Pass&)>& onPass, double aboveDeg,
                 const SkyModel& model) {
  // Elevations are counted from `aboveDeg` inside, and given back from the horizon.
  const auto sampleAt = [&](UtcInstant t) { return SampleAt(site, t, aboveDeg, model); };
  const auto elevation = [&](UtcInstant t) { return sampleAt(t).elevationDeg; };
  const auto rate = [&](UtcInstant t) { return sampleAt(t).rateDegPerS; };
  const auto report = [&](Pass p) {
    p.highestElevationDeg += aboveDeg;
    return onPass(p);
  };

  Sample first = sampleAt(from);
  std::optional<Pass> open;
  if (first.elevationDeg > 0) {
    open = Pass{std::nullopt, from, first.elevationDeg, std::nullopt};
  }
  const auto note = [&](UtcInstant t, double el) {
    if (open && el > open->highestElevationDeg) {
      open->highest = t;
      open->highestElevationDeg = el;
    }
  };
  bool wanted = true;
  const auto close = [&](std::optional<UtcInstant> set) {
    open->set = set;
    if (!open->rise || !set || open->highestElevationDeg >= kLowestPassDeg) {
      wanted = report(*open);
    }
    open.reset();
  };
  // Walks a stretch on which the elevation is monotonic: at most one horizon crossing.
  const auto walkMonotonic = [&](const Sample& a, const Sample& b) {
    if (a.elevationDeg <= 0 && b.elevationDeg > 0) {
      open = Pass{Bisect(a.t, b.t, elevation), b.t, b.elevationDeg, std::nullopt};
    } else if (a.elevationDeg > 0 && b.elevationDeg <= 0) {
      close(Bisect(a.t, b.t, elevation));
    } else {
      note(b.t, b.elevationDeg);
    }
  };

  Sample a = first;
  while (a.t < to && wanted) {
    const Sample b = sampleAt(UtcInstant{std::min(a.t.ms + kSampleMs, to.ms)});
    if (a.rateDegPerS > 0 && b.rateDegPerS < 0) {
      // A highest point inside: split there so that each half is monotonic.
      const UtcInstant top = Bisect(a.t, b.t, rate);
      const Sample m = sampleAt(std::clamp(top, a.t, b.t));
      walkMonotonic(a, m);
      note(m.t, m.elevationDeg);
      walkMonotonic(m, b);
    } else if (a.rateDegPerS < 0 && b.rateDegPerS > 0) {
      const UtcInstant bottom = Bisect(a.t, b.t, rate);
      const Sample m = sampleAt(std::clamp(bottom, a.t, b.t));
      walkMonotonic(a, m);
      walkMonotonic(m, b);
    } else {
      walkMonotonic(a, b);
    }
    a = b;
  }
  if (open && wanted) close(std::nullopt);
}

}  // namespace sky
