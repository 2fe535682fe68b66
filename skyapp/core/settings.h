// SPDX-License-Identifier: GPL-3.0-or-later
// The settings a user keeps between runs, checked as they are read back: a value that is
// missing, corrupt or out of range gives the default, whatever stored it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sky/eop.h"
#include "sky/station.h"

namespace skyapp {

// The bands offered, in MHz; 10368 is the default.
inline constexpr double kBandsMhz[] = {50, 144, 432, 1296, 2304, 3400, 5760, 10368, 24048, 47088};
inline constexpr double kDefaultBandMhz = 10368;
// A custom frequency's limits (MHz): above zero, and no higher than 1 THz.
inline constexpr double kMinBandMhz = 0.001;
inline constexpr double kMaxBandMhz = 1e6;

// The station of a new user, as in the classroom window: 49.2° N on the prime meridian.
[[nodiscard]] sky::Station DefaultStation() noexcept;

// A station as stored: its locator when it came from one (which then wins), else its
// latitude and longitude (degrees) with a height (m; missing or bad is 0). Nothing when no
// valid station can be made of them; `locator` is the stored locator used, else empty.
[[nodiscard]] std::optional<sky::Station> StoredStation(std::string_view locatorText,
                                                        std::string_view latitudeText,
                                                        std::string_view longitudeText,
                                                        std::string_view heightText,
                                                        std::string& locator);

// A band as stored (MHz), or the default when it is not a number within the limits.
[[nodiscard]] double StoredBandMhz(std::string_view text);
[[nodiscard]] bool ValidBandMhz(double mhz) noexcept;

// The Earth orientation data read from a file, as stored: its name on the first line, then
// one day a line (MJD, UT1 − TAI in s, x and y in rad, UT1's and the pole's errors), every
// value read back exactly. Not the file: the values alone, a third of its size.
[[nodiscard]] std::string EopToStored(const sky::EopTable& table);
// Nothing unless every line holds six numbers and the days follow each other.
[[nodiscard]] std::optional<sky::EopTable> EopFromStored(std::string_view text);

// A number written to be read back exactly, in as few of 15 to 17 significant digits as do
// (what was typed stays as typed), C notation.
[[nodiscard]] std::string NumberToStore(double value);

}  // namespace skyapp
