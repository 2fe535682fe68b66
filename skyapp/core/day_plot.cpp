// SPDX-License-Identifier: GPL-3.0-or-later
// The day's plot as plain data.
#include "skyapp/core/day_plot.h"

#include <algorithm>

#include "skyapp/core/readout_text.h"

namespace skyapp {

ShiftRange CurvesRange(const sky::DayCurves& c) {
  double lo = 0, hi = 0;
  for (const std::vector<double>* v :
       {&c.selfHz, &c.radialHz, &c.parallaxHz, &c.rotationHz, &c.dxHz}) {
    for (const double hz : *v) {
      lo = std::min(lo, hz);
      hi = std::max(hi, hz);
    }
  }
  const double margin = std::max(1.0, 0.05 * (hi - lo));
  return {lo - margin, hi + margin};
}

std::vector<PlotPoint> ShadeOutline(const std::vector<sky::Interval>& intervals,
                                    sky::UtcInstant dayStart, double bottomHz, double topHz) {
  std::vector<PlotPoint> upper;
  upper.reserve(intervals.size() * 4 + 2);
  const double start = static_cast<double>(dayStart.ms);
  upper.push_back({start, bottomHz});
  for (const sky::Interval& i : intervals) {
    const double a = static_cast<double>(i.from.ms), b = static_cast<double>(i.to.ms);
    upper.push_back({a, bottomHz});
    upper.push_back({a, topHz});
    upper.push_back({b, topHz});
    upper.push_back({b, bottomHz});
  }
  upper.push_back({start + static_cast<double>(sky::kMsPerDay), bottomHz});
  return upper;
}

PlayStep NextPlayStep(sky::UtcInstant shown, std::size_t speedIndex) {
  const std::int64_t step =
      static_cast<std::int64_t>(kPlaySpeeds[std::min(speedIndex, std::size(kPlaySpeeds) - 1)]) *
      kPlayTickMs;
  const std::int64_t last = sky::StartOfDay(shown).ms + sky::kMsPerDay - sky::kMsPerSecond;
  const std::int64_t next = std::min(shown.ms + step, last);
  return {{next}, next >= last};
}

sky::UtcInstant PlayStart(sky::UtcInstant shown) {
  const sky::UtcInstant day = sky::StartOfDay(shown);
  return shown.ms - day.ms >= sky::kMsPerDay - sky::kMsPerSecond ? day : shown;
}

sky::UtcInstant ShownInstant(bool live, sky::UtcInstant chosen, std::int64_t nowMs) {
  const sky::UtcInstant t = live ? sky::UtcInstant{nowMs - nowMs % sky::kMsPerSecond} : chosen;
  return std::clamp(t, sky::kFirstAcceptedInstant, sky::kLastAcceptedInstant);
}

namespace {

// "14:30" of an instant.
std::string Clock(sky::UtcInstant t) {
  return sky::FormatUtc(t).substr(11, 5);
}

std::string Intervals(const std::vector<sky::Interval>& list) {
  std::string out;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) out += i + 1 == list.size() ? " and " : ", ";
    out += Clock(list[i].from) + " to " +
           (list[i].to.ms % sky::kMsPerDay == 0 ? std::string("24:00") : Clock(list[i].to));
  }
  return out;
}

}  // namespace

std::string DescribeDay(const sky::DayCurves& c) {
  if (c.selfHz.empty()) return {};
  const auto [lo, hi] = std::minmax_element(c.selfHz.begin(), c.selfHz.end());
  const auto at = [&](auto it) { return Clock({c.start.ms + (it - c.selfHz.begin()) * 60'000}); };
  std::string out = "The echo's shift on " + sky::FormatUtc(c.start).substr(0, 10) + " runs from " +
                    Fixed(*lo, 1) + " Hz at " + at(lo) + " UTC to " + Fixed(*hi, 1) + " Hz at " +
                    at(hi) + " UTC.";
  out += c.belowHorizon.empty()
             ? " The Moon stays above your horizon all day."
             : " The Moon is below your horizon from " + Intervals(c.belowHorizon) + ".";
  if (!c.dxHz.empty()) {
    out += c.mutualWindows.empty()
               ? " The two stations never see the Moon together."
               : " Both stations see the Moon from " + Intervals(c.mutualWindows) + ".";
  }
  return out;
}

}  // namespace skyapp
