// SPDX-License-Identifier: GPL-3.0-or-later
// The tracking figures from the sky core's light-time shifts.
#include "skyapp/track/figures.h"

#include "sky/echo.h"

namespace skyapp::track {

Figures FiguresAt(sky::UtcInstant utc, const sky::Site& site, const std::optional<sky::Site>& dx,
                  double skedHz) {
  std::optional<sky::Station> dxStation;
  if (dx) dxStation = dx->station;
  const sky::DopplerFigures d = sky::DopplerAt(utc, site.station, dxStation, skedHz);
  Figures f;
  f.utc = utc;
  f.elevationDeg = d.elevationDeg;
  f.azimuthDeg = d.azimuthDeg;
  f.selfHz = d.selfHz;
  f.uplinkHz = d.uplinkHz;
  f.downlinkHz = d.downlinkHz;
  f.dxHz = d.dxHz;
  f.toDxHz = d.toDxHz;
  return f;
}

}  // namespace skyapp::track
