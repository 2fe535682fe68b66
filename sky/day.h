// SPDX-License-Identifier: GPL-3.0-or-later
// A day of the echo's Doppler shift at whole minutes, and when the Moon is below the horizon.
#pragma once

#include <optional>
#include <vector>

#include "sky/station.h"
#include "sky/time.h"

namespace sky {

// From `from` to `to`, both included.
struct Interval {
  UtcInstant from;
  UtcInstant to;
  bool operator==(const Interval&) const = default;
};

// The times between `from` and `to` when the Moon's centre is below the station's
// geometric horizon: what the passes (ForEachPass) leave uncovered.
[[nodiscard]] std::vector<Interval> BelowHorizon(const Site& site, UtcInstant from, UtcInstant to);

// The shifts (Hz) over one UTC day, at 00:00, 00:01, ... 24:00.
struct DayCurves {
  static constexpr int kPoints = 1441;
  UtcInstant start;              // midnight UTC
  std::vector<double> selfHz;    // the self echo's shift, −2·f·v/c
  std::vector<double> radialHz;  // its radial, parallax and rotation shares
  std::vector<double> parallaxHz;
  std::vector<double> rotationHz;
  std::vector<double> dxHz;  // a DX station's signal, −f·(v + vDx)/c; empty without one
  std::vector<Interval> belowHorizon;
  std::vector<Interval> dxBelowHorizon;
};

// The curves of the day that holds `day`, for a carrier of `bandHz`.
[[nodiscard]] DayCurves ComputeDay(UtcInstant day, const Site& site, const std::optional<Site>& dx,
                                   double bandHz);

}  // namespace sky
