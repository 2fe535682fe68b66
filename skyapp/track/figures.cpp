// SPDX-License-Identifier: GPL-3.0-or-later
// The tracking figures from the sky core's light-time shifts.
#include "skyapp/track/figures.h"

namespace skyapp::track {

Figures FiguresAt(sky::UtcInstant utc, const sky::Site& site, const std::optional<sky::Site>& dx,
                  double skedHz, const sky::EopTable* eop) {
  std::optional<sky::Station> dxStation;
  if (dx) dxStation = dx->station;
  const sky::SkyModel model{sky::MoonTheory::kSwissEphemeris, eop};
  return Figures{sky::DopplerAt(utc, site.station, dxStation, skedHz, model), utc};
}

}  // namespace skyapp::track
