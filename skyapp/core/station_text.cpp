// SPDX-License-Identifier: GPL-3.0-or-later
// The station's texts checked on the sky core's locator and WGS84 rules.
#include "skyapp/core/station_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "sky/number.h"

namespace skyapp {

std::string Trimmed(std::string_view text) {
  const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string s = Trimmed(text);
  for (char& c : s) {
    if (c == ',') c = '.';
  }
  std::string_view digits = s;
  if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
  double v = 0;
  if (!sky::ReadDecimal(digits, v)) return std::nullopt;
  return v;
}

std::string DegreesText(double rad) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", rad * 180 / M_PI);
  return buf;
}

namespace {

// The height typed: 0 when the field is empty, nothing when it is not a number (m).
std::optional<double> HeightOf(std::string_view text) {
  return Trimmed(text).empty() ? std::optional<double>(0) : ParseNumber(text);
}

StationCheck Refused(StationField bad, std::string message) {
  StationCheck c;
  c.bad = bad;
  c.message = std::move(message);
  return c;
}

StationCheck NoStation() {
  StationCheck c;
  c.ok = true;
  return c;
}

}  // namespace

StationCheck CheckLocatorText(std::string_view locatorText, std::string_view height,
                              bool optional) {
  const std::string text = Trimmed(locatorText);
  if (text.empty()) {
    if (!optional) {
      return Refused(StationField::kLocator, "Type a locator, or a latitude and longitude.");
    }
    return NoStation();
  }
  const std::optional<double> h = HeightOf(height);
  sky::Station s;
  std::string why;
  if (!sky::StationFromLocator(text, h.value_or(0), s, why)) {
    return Refused(StationField::kLocator, why);
  }
  if (!h) return Refused(StationField::kHeight, "Height: type a number of metres.");
  StationCheck c;
  c.ok = true;
  c.station = s;
  c.locator = text;
  c.latitude = DegreesText(s.latitudeRad);
  c.longitude = DegreesText(s.longitudeRad);
  c.height = std::string(height);
  return c;
}

StationCheck CheckCoordinateTexts(std::string_view latitude, std::string_view longitude,
                                  std::string_view height, bool optional) {
  if (optional && Trimmed(latitude).empty() && Trimmed(longitude).empty() &&
      Trimmed(height).empty()) {
    return NoStation();
  }
  const std::optional<double> lat = ParseNumber(latitude);
  const std::optional<double> lon = ParseNumber(longitude);
  const std::optional<double> h = HeightOf(height);
  if (!lat) {
    return Refused(StationField::kLatitude, "Latitude: type a number of degrees from -90 to 90.");
  }
  if (!lon) {
    return Refused(StationField::kLongitude,
                   "Longitude: type a number of degrees from -180 to 180.");
  }
  if (!h) return Refused(StationField::kHeight, "Height: type a number of metres.");
  sky::Station s;
  std::string why;
  if (!sky::StationFromDegrees(*lat, *lon, *h, s, why)) {
    const StationField bad = why.starts_with("latitude")    ? StationField::kLatitude
                             : why.starts_with("longitude") ? StationField::kLongitude
                                                            : StationField::kHeight;
    why[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(why[0])));
    return Refused(bad, why + ".");
  }
  StationCheck c;
  c.ok = true;
  c.station = s;
  c.locator = sky::LocatorOf(s);
  c.latitude = std::string(latitude);
  c.longitude = std::string(longitude);
  c.height = std::string(height);
  return c;
}

sky::StationUncertainty UncertaintyOfTexts(std::string_view locator, std::string_view latitude,
                                           std::string_view longitude, std::string_view height,
                                           const sky::Station& station) {
  const std::string h = Trimmed(height);
  const std::optional<double> heightStep = h.empty() || station.heightM == 0
                                               ? std::nullopt
                                               : std::optional<double>(sky::LastDecimalStep(h));
  const std::string loc = Trimmed(locator);
  if (!loc.empty()) return sky::LocatorUncertainty(loc.size(), station, heightStep);
  return sky::TypedUncertainty(sky::LastDecimalStep(Trimmed(latitude)),
                               sky::LastDecimalStep(Trimmed(longitude)), heightStep, station);
}

}  // namespace skyapp
