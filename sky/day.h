// SPDX-License-Identifier: GPL-3.0-or-later
// A day of the echo's Doppler shift at whole minutes, and when the Moon is below the horizon.
#pragma once

#include <optional>
#include <vector>

#include "sky/sight.h"
#include "sky/station.h"
#include "sky/time.h"
#include "sky/windows.h"

namespace sky {

// The times between `from` and `to` when the Moon's centre is below the station's
// geometric horizon: what the passes (ForEachPass) leave uncovered.
[[nodiscard]] std::vector<Interval> BelowHorizon(const Site& site, UtcInstant from, UtcInstant to,
                                                 const SkyModel& model = {});

// The shifts (Hz) over one UTC day, at 00:00, 00:01, ... 24:00.
struct DayCurves {
  static constexpr int kPoints = 1441;
  UtcInstant start;              // midnight UTC
  std::vector<double> selfHz;    // the self echo's shift on its light-time path
  std::vector<double> radialHz;  // the instantaneous range rate's shares, −2·f·v/c each
  std::vector<double> parallaxHz;
  std::vector<double> rotationHz;
  std::vector<double> dxHz;  // a DX station's signal received here; empty without one
  std::vector<Interval> belowHorizon;
  std::vector<Interval> dxBelowHorizon;
  std::vector<Interval> mutualWindows;  // both stations see the Moon; empty without DX
};

// The curves of the day that holds `day`, for a carrier of `bandHz`.
[[nodiscard]] DayCurves ComputeDay(UtcInstant day, const Site& site, const std::optional<Site>& dx,
                                   double bandHz, const SkyModel& model = {});

}  // namespace sky
