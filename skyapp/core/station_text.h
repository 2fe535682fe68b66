// SPDX-License-Identifier: GPL-3.0-or-later
// A station typed as text, a Maidenhead locator or latitude, longitude and height: checked
// with the messages the window and the page show, and the other form's text to fill in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sky/budget.h"
#include "sky/station.h"

namespace skyapp {

// A finite number in C notation whatever the locale, spaces around it allowed, a decimal
// comma taken as a point; nothing for any other text.
[[nodiscard]] std::optional<double> ParseNumber(std::string_view text);
[[nodiscard]] std::string Trimmed(std::string_view text);
// An angle (rad) as the fields show it: degrees with four decimals.
[[nodiscard]] std::string DegreesText(double rad);

enum class StationField { kNone, kLocator, kLatitude, kLongitude, kHeight };

// What checking the typed text found.
struct StationCheck {
  bool ok = false;
  // The station typed; empty for an optional station left blank.
  std::optional<sky::Station> station;
  // When refused: the field at fault and why, one sentence.
  StationField bad = StationField::kNone;
  std::string message;
  // When accepted, the texts the other form's fields take (a blank optional station clears
  // every field).
  std::string locator, latitude, longitude, height;
};

// The locator field was typed (or the height under a locator): the station at the centre of
// its smallest cell.
[[nodiscard]] StationCheck CheckLocatorText(std::string_view locator, std::string_view height,
                                            bool optional);
// The coordinate fields were typed: degrees north and east, metres above WGS84 (an empty
// height is 0).
[[nodiscard]] StationCheck CheckCoordinateTexts(std::string_view latitude,
                                                std::string_view longitude, std::string_view height,
                                                bool optional);

// How far the station typed may be from the real one: a locator's cell (when `locator`, the
// text typed, is not empty), or the last decimals of the coordinates' texts; the height's
// last decimal, or 50 m when it is empty or 0 (a station without a height is shown at 0).
[[nodiscard]] sky::StationUncertainty UncertaintyOfTexts(std::string_view locator,
                                                         std::string_view latitude,
                                                         std::string_view longitude,
                                                         std::string_view height,
                                                         const sky::Station& station);

}  // namespace skyapp
