// SPDX-License-Identifier: GPL-3.0-or-later
// A station on the WGS84 ellipsoid, from latitude and longitude or a Maidenhead locator.
#pragma once

#include <string>
#include <string_view>

#include "geometry/vec3.h"

namespace sky {

// Geodetic coordinates on WGS84: latitude (rad, north positive, [-pi/2, pi/2]),
// longitude (rad, east positive, [-pi, pi]) and height above the ellipsoid (m).
struct Station {
  double latitudeRad = 0;
  double longitudeRad = 0;
  double heightM = 0;
};

// Heights accepted for a station (m): from the shore of the Dead Sea to an aircraft's.
inline constexpr double kLowestHeightM = -1000;
inline constexpr double kHighestHeightM = 20000;

// Checks latitude (degrees, [-90, 90]), longitude (degrees, [-180, 180]) and height (m);
// on failure returns false and says in `why` which value is wrong and what is expected.
[[nodiscard]] bool StationFromDegrees(double latitudeDeg, double longitudeDeg, double heightM,
                                      Station& out, std::string& why);

// A Maidenhead locator of 4, 6 or 8 characters, either case (JN18, JN18eu, JN18eu47),
// taken at the centre of the smallest cell it names, at the given height (m).
[[nodiscard]] bool StationFromLocator(std::string_view locator, double heightM, Station& out,
                                      std::string& why);

// The 6-character locator of the cell that holds the station, like `JN18eu`.
[[nodiscard]] std::string LocatorOf(const Station& s);

// What the station's place gives once, whatever the instant: its position in the
// Earth-fixed frame (ITRS, km) and its local horizon's unit vectors there (the geodetic
// vertical, east and north; at a pole, "north" is the limit along the station's
// meridian, so that azimuth stays continuous as the pole is approached).
struct Site {
  Station station;
  Vec3 positionKm;
  Vec3 up, east, north;
};

[[nodiscard]] Site SiteOf(const Station& s) noexcept;

}  // namespace sky
