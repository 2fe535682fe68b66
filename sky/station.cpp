// SPDX-License-Identifier: GPL-3.0-or-later
// WGS84 stations and Maidenhead locators.
#include "sky/station.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace sky {

bool StationFromDegrees(double latitudeDeg, double longitudeDeg, double heightM, Station& out,
                        std::string& why) {
  char buf[160];
  if (!(latitudeDeg >= -90 && latitudeDeg <= 90)) {
    std::snprintf(buf, sizeof buf, "latitude %g is not a number of degrees from -90 to 90",
                  latitudeDeg);
    why = buf;
    return false;
  }
  if (!(longitudeDeg >= -180 && longitudeDeg <= 180)) {
    std::snprintf(buf, sizeof buf, "longitude %g is not a number of degrees from -180 to 180",
                  longitudeDeg);
    why = buf;
    return false;
  }
  if (!(heightM >= kLowestHeightM && heightM <= kHighestHeightM)) {
    std::snprintf(buf, sizeof buf, "height %g is not a number of metres from %g to %g", heightM,
                  kLowestHeightM, kHighestHeightM);
    why = buf;
    return false;
  }
  out = {latitudeDeg * ERFA_DD2R, longitudeDeg * ERFA_DD2R, heightM};
  return true;
}

bool StationFromLocator(std::string_view locator, double heightM, Station& out, std::string& why) {
  const std::string shown(locator);
  const auto fail = [&](const char* reason) {
    why = "locator \"" + shown + "\": " + reason;
    return false;
  };
  const std::size_t n = locator.size();
  if (n != 4 && n != 6 && n != 8) return fail("expected 4, 6 or 8 characters, like JN18 or JN18eu");
  // Each pair narrows the cell: a field of 20° by 10° (letters A-R), a square of 2° by 1°
  // (digits), a subsquare of 5' by 2.5' (letters A-X), an extended square of 30" by 15"
  // (digits). Longitude counts from 180° W, latitude from 90° S.
  double lon = -180, lat = -90, lonCell = 360, latCell = 180;
  for (std::size_t pair = 0; pair < n / 2; ++pair) {
    const char a = static_cast<char>(std::toupper(static_cast<unsigned char>(locator[2 * pair])));
    const char b =
        static_cast<char>(std::toupper(static_cast<unsigned char>(locator[2 * pair + 1])));
    int divisions = 0, i = 0, j = 0;
    if (pair % 2 == 1) {
      divisions = 10;
      if (!std::isdigit(static_cast<unsigned char>(a)) ||
          !std::isdigit(static_cast<unsigned char>(b))) {
        return fail(pair == 1 ? "characters 3 and 4 must be digits"
                              : "characters 7 and 8 must be digits");
      }
      i = a - '0';
      j = b - '0';
    } else {
      divisions = pair == 0 ? 18 : 24;
      const char last = pair == 0 ? 'R' : 'X';
      if (a < 'A' || a > last || b < 'A' || b > last) {
        return fail(pair == 0 ? "characters 1 and 2 must be letters A to R"
                              : "characters 5 and 6 must be letters A to X");
      }
      i = a - 'A';
      j = b - 'A';
    }
    lonCell /= divisions;
    latCell /= divisions;
    lon += i * lonCell;
    lat += j * latCell;
  }
  return StationFromDegrees(lat + latCell / 2, lon + lonCell / 2, heightM, out, why);
}

std::string LocatorOf(const Station& s) {
  // Shift into [0, 360) and [0, 180), keeping the east and north edges inside the grid.
  double lon = std::fmin(s.longitudeRad * ERFA_DR2D + 180, 360 - 1e-9);
  double lat = std::fmin(s.latitudeRad * ERFA_DR2D + 90, 180 - 1e-9);
  lon = std::fmax(lon, 0);
  lat = std::fmax(lat, 0);
  std::string out(6, ' ');
  const int lonField = static_cast<int>(lon / 20), latField = static_cast<int>(lat / 10);
  lon -= lonField * 20;
  lat -= latField * 10;
  const int lonSquare = static_cast<int>(lon / 2), latSquare = static_cast<int>(lat);
  lon -= lonSquare * 2;
  lat -= latSquare;
  const int lonSub = std::min(23, static_cast<int>(lon * 12)),
            latSub = std::min(23, static_cast<int>(lat * 24));
  out[0] = static_cast<char>('A' + lonField);
  out[1] = static_cast<char>('A' + latField);
  out[2] = static_cast<char>('0' + lonSquare);
  out[3] = static_cast<char>('0' + latSquare);
  out[4] = static_cast<char>('a' + lonSub);
  out[5] = static_cast<char>('a' + latSub);
  return out;
}

Site SiteOf(const Station& s) noexcept {
  Site site;
  site.station = s;
  double xyz[3] = {0, 0, 0};
  eraGd2gc(ERFA_WGS84, s.longitudeRad, s.latitudeRad, s.heightM, xyz);
  site.positionKm = {xyz[0] / 1000, xyz[1] / 1000, xyz[2] / 1000};
  const double sp = std::sin(s.latitudeRad), cp = std::cos(s.latitudeRad);
  const double sl = std::sin(s.longitudeRad), cl = std::cos(s.longitudeRad);
  site.up = {cp * cl, cp * sl, sp};
  site.east = {-sl, cl, 0};
  site.north = {-sp * cl, -sp * sl, cp};
  return site;
}

}  // namespace sky
