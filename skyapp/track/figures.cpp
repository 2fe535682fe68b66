// SPDX-License-Identifier: GPL-3.0-or-later
// The tracking figures from the sky core's instantaneous geometry.
#include "skyapp/track/figures.h"

#include "sky/sight.h"

namespace skyapp::track {

Figures FiguresAt(sky::UtcInstant utc, const sky::Site& site, const std::optional<sky::Site>& dx,
                  double skedHz) {
  // No Doppler rate is needed, so the Moon's acceleration (one more series) is skipped.
  const sky::MoonAndEarth state = sky::MoonAndEarthAt(utc, false);
  const sky::Sight s = sky::SightFrom(state, site);
  Figures f;
  f.utc = utc;
  f.elevationDeg = s.elevationDeg;
  f.azimuthDeg = s.azimuthDeg;
  f.selfHz = sky::SelfShiftHz(skedHz, s.rangeRateMs);
  // One leg is half the round trip when the range rate is taken as constant over it.
  f.uplinkHz = f.selfHz / 2;
  f.downlinkHz = f.selfHz / 2;
  if (dx) {
    const sky::Sight d = sky::SightFrom(state, *dx);
    f.dxHz = sky::DxShiftHz(skedHz, s.rangeRateMs, d.rangeRateMs);
    f.toDxHz = f.dxHz;
  }
  return f;
}

}  // namespace skyapp::track
