// SPDX-License-Identifier: GPL-3.0-or-later
// The stored settings checked as they are read back.
#include "skyapp/core/settings.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "sky/number.h"

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
  // 17 digits read back to any double, but print a band typed as 2320.1 MHz as
  // 2320.0999999999999; the first of 15, 16 and 17 that reads back is kept.
  char buf[40];
  for (int digits = 15; digits <= 17; ++digits) {
    std::snprintf(buf, sizeof buf, "%.*g", digits, value);
    double back = 0;
    if (sky::ReadDecimal(buf, back) && back == value) break;
  }
  return buf;
}

std::string EopToStored(const sky::EopTable& table) {
  std::string out = table.path + "\n";
  for (const sky::EopDay& d : table.days) {
    for (const double v : {d.mjd, d.ut1MinusTaiS, d.xpRad, d.ypRad, d.ut1ErrorS, d.poleErrorRad}) {
      out += NumberToStore(v);
      out += ' ';
    }
    out.back() = '\n';
  }
  return out;
}

std::optional<sky::EopTable> EopFromStored(std::string_view text) {
  sky::EopTable t;
  const std::size_t first = text.find('\n');
  if (first == text.npos || first == 0) return std::nullopt;
  t.path = std::string(text.substr(0, first));
  text.remove_prefix(first + 1);
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text.remove_prefix(nl == text.npos ? text.size() : nl + 1);
    double v[6];
    for (double& x : v) {
      const std::size_t space = line.find(' ');
      if (!sky::ReadDecimal(line.substr(0, space), x)) return std::nullopt;
      line.remove_prefix(space == line.npos ? line.size() : space + 1);
    }
    if (!line.empty() || (!t.days.empty() && v[0] <= t.days.back().mjd)) return std::nullopt;
    t.days.push_back({v[0], v[1], v[2], v[3], v[4], v[5]});
  }
  if (t.days.empty()) return std::nullopt;
  return t;
}

}  // namespace skyapp
