// SPDX-License-Identifier: GPL-3.0-or-later
// The stored settings checked as they are read back.
#include "skyapp/core/settings.h"

#include <cmath>
#include <cstdio>

#include "skyapp/core/station_text.h"

namespace skyapp {

sky::Station DefaultStation() noexcept {
  return {49.2 * M_PI / 180, 0, 0};
}

std::optional<sky::Station> StoredStation(std::string_view locatorText,
                                          std::string_view latitudeText,
                                          std::string_view longitudeText,
                                          std::string_view heightText, std::string& locator) {
  const double h = ParseNumber(heightText).value_or(0);
  sky::Station st;
  std::string why;
  const std::string loc = Trimmed(locatorText);
  if (!loc.empty() && sky::StationFromLocator(loc, h, st, why)) {
    locator = loc;
    return st;
  }
  locator.clear();
  const std::optional<double> lat = ParseNumber(latitudeText);
  const std::optional<double> lon = ParseNumber(longitudeText);
  if (lat && lon && sky::StationFromDegrees(*lat, *lon, h, st, why)) return st;
  return std::nullopt;
}

bool ValidBandMhz(double mhz) noexcept {
  return std::isfinite(mhz) && mhz >= kMinBandMhz && mhz <= kMaxBandMhz;
}

double StoredBandMhz(std::string_view text) {
  const std::optional<double> mhz = ParseNumber(text);
  return mhz && ValidBandMhz(*mhz) ? *mhz : kDefaultBandMhz;
}

std::string NumberToStore(double value) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", value);
  return buf;
}

}  // namespace skyapp
