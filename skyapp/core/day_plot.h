// SPDX-License-Identifier: GPL-3.0-or-later
// The day's plot as plain data: the range of its curves, the outlines of its shaded
// intervals, and the steps of its playback, for the window's chart and the page's alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sky/day.h"
#include "sky/time.h"

namespace skyapp {

// The shift axis' span (Hz): every curve and zero, with a margin of 5 % (at least 1 Hz).
struct ShiftRange {
  double lowHz = -1, highHz = 1;
};
[[nodiscard]] ShiftRange CurvesRange(const sky::DayCurves& curves);

// A point of the plot: UTC in ms since 1970, a shift in Hz.
struct PlotPoint {
  double ms = 0, hz = 0;
};
// The upper edge of a shade over `intervals`: at `topHz` over each, at `bottomHz` between
// them, from the day's start to its end (the lower edge lies at `bottomHz` throughout).
[[nodiscard]] std::vector<PlotPoint> ShadeOutline(const std::vector<sky::Interval>& intervals,
                                                  sky::UtcInstant dayStart, double bottomHz,
                                                  double topHz);

// Playback: simulated seconds per real second, and the interval between its steps (ms).
inline constexpr int kPlaySpeeds[] = {60, 600, 3600};
inline constexpr int kPlayTickMs = 40;
struct PlayStep {
  sky::UtcInstant next;
  bool last = false;  // the day's last second is reached: playback stops there
};
// The step after `shown` at speed `speedIndex` of kPlaySpeeds: it stays within the day.
[[nodiscard]] PlayStep NextPlayStep(sky::UtcInstant shown, std::size_t speedIndex);
// Where playback starts from `shown`: there, or the day's start from its last second.
[[nodiscard]] sky::UtcInstant PlayStart(sky::UtcInstant shown);

// The instant shown: the clock's second when live, else the one chosen; within the years the
// Moon's figures are trusted for.
[[nodiscard]] sky::UtcInstant ShownInstant(bool live, sky::UtcInstant chosen, std::int64_t nowMs);

// The plot in words, for those who cannot see it: the echo's lowest and highest shift over
// the day with their times, and the day's rises and sets of the Moon.
[[nodiscard]] std::string DescribeDay(const sky::DayCurves& curves);

}  // namespace skyapp
