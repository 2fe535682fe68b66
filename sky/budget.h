// SPDX-License-Identifier: GPL-3.0-or-later
// How far the self echo's shift can be off at one instant, term by term.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "sky/echo.h"

namespace sky {

// The worst difference of a station's range rate to the Moon (m/s) from an independent
// JPL route, for each Moon. Swiss Ephemeris: 0.195 mm/s, measured by tools/accuracy/jpl
// against JPL DE405 read by casacore 3.5 (Debian's casacore-data-jpl-de405) with ERFA's
// IAU 2006/2000A Earth, over 6,000 random stations, heights and instants 1960-2059 (its
// geocentric velocity differs by 0.18 mm/s at most, its position by 29 m), rounded up.
// Meeus: ERFA's stated worst velocity error of eraMoon98 over 1950-2100 (156 mm/s measured
// the same way).
extern const double kSwissEphemerisRangeRateErrorMs;
extern const double kMeeusRangeRateErrorMs;

// How far the station given may lie from the real one (m), each a half-width: north, east
// and up.
struct StationUncertainty {
  double northM = 0, eastM = 0, upM = 0;
};

// The height's uncertainty when none is given (m): a station typed at sea level may be on
// a hill.
inline constexpr double kUnstatedHeightM = 50;

// A locator's cell: half its height and width at the station's latitude. `heightStepM`:
// the height's last decimal, or none when no height was given.
[[nodiscard]] StationUncertainty LocatorUncertainty(std::size_t locatorLength,
                                                    const Station& station,
                                                    std::optional<double> heightStepM) noexcept;
// Typed coordinates: one step of their last decimals (degrees, m).
[[nodiscard]] StationUncertainty TypedUncertainty(double latitudeStepDeg, double longitudeStepDeg,
                                                  std::optional<double> heightStepM,
                                                  const Station& station) noexcept;
// One unit of a decimal number's last digit: "52.37" gives 0.01, "35" 1, "1e3" 1.
[[nodiscard]] double LastDecimalStep(std::string_view number) noexcept;

// UT1's uncertainty without EOP data (s): |UT1 − UTC| is kept under 0.9 s while leap
// seconds last, until 2035 (CGPM 2022, Resolution 4); after that it may grow by up to a
// second a year.
[[nodiscard]] double Ut1UncertaintyWithoutDataS(UtcInstant t) noexcept;
// Polar motion's reach without EOP data (rad): the pole wanders up to about 0.6″.
inline constexpr double kPoleWithoutDataRad = 0.6 / 206264.80624709636;

// The troposphere's zenith delay one way (m), which nothing here models.
inline constexpr double kZenithDelayM = 2.3;

// The terms (Hz, each not negative) and their sum.
struct Budget {
  double ephemerisHz = 0;  // the Moon's velocity error, both legs: 2·f·δv/c
  // UT1 (the shift's rate times UT1's uncertainty) and polar motion (the shift's change
  // over the station's move by the pole's uncertainty)
  double earthOrientationHz = 0;
  double stationHz = 0;      // over the station's uncertainty
  double troposphereHz = 0;  // the rate of the unmodelled delay, 2.3 m/sin el, both legs
  double totalHz = 0;
  bool eopCovered = false;  // UT1 − UTC and polar motion came from EOP data
  double ut1UncertaintyS = 0;
};

// The budget of the self echo's shift at carrier f (Hz), from the instant's state, the
// station's sight and light-time shifts.
[[nodiscard]] Budget BudgetAt(const MoonAndEarth& state, const Site& site, const Sight& sight,
                              const EchoShifts& shifts, const StationUncertainty& where,
                              double bandHz) noexcept;

}  // namespace sky
