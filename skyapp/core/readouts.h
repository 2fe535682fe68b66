// SPDX-License-Identifier: GPL-3.0-or-later
// The figures at one instant and their texts: the one source of the table's cells and of the
// window's and the page's readouts, so that what each shows for an instant is the same.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "sky/budget.h"
#include "sky/echo.h"
#include "sky/sight.h"

namespace skyapp {

// Every figure shown at an instant. The geometric ones (elevation to range rate) are at the
// instant; the shifts are along the light-time path of a signal received (uplink: sent) then.
enum class Figure : std::size_t {
  kElevationDeg,
  kAzimuthDeg,
  kRangeKm,
  kEchoDelayS,
  kRadialMs,
  kParallaxMs,
  kRotationMs,
  kRangeRateMs,
  kSelfHz,
  kDriftHzPerMin,
  kUplinkHz,
  kDownlinkHz,
  kSpreadHz,
  kBudgetHz,
  kDxElevationDeg,
  kDxAzimuthDeg,
  kDxRangeRateMs,
  kDxHz,
  kToDxHz,
  // The readouts' own: each share of the range rate as a shift, −2·f·v/c, and the budget
  // term by term.
  kRadialHz,
  kParallaxHz,
  kRotationHz,
  kBudgetEphemerisHz,
  kBudgetEarthHz,
  kBudgetStationHz,
  kBudgetTroposphereHz,
  kCount
};
inline constexpr std::size_t kFigureCount = static_cast<std::size_t>(Figure::kCount);

struct FigureFormat {
  const char* csvName;  // the table's CSV header
  const char* title;    // the aligned table's header, with the unit
  int decimals;         // digits after the point, in the table and in the readouts
  const char* unit;     // as a readout writes it after the number
};
[[nodiscard]] const FigureFormat& FormatOf(Figure f) noexcept;

// The table's columns, in order: always, and with a DX station.
inline constexpr Figure kTableColumns[] = {
    Figure::kElevationDeg, Figure::kAzimuthDeg,    Figure::kRangeKm,    Figure::kEchoDelayS,
    Figure::kRadialMs,     Figure::kParallaxMs,    Figure::kRotationMs, Figure::kRangeRateMs,
    Figure::kSelfHz,       Figure::kDriftHzPerMin, Figure::kUplinkHz,   Figure::kDownlinkHz,
    Figure::kSpreadHz,     Figure::kBudgetHz};
inline constexpr Figure kTableDxColumns[] = {Figure::kDxElevationDeg, Figure::kDxAzimuthDeg,
                                             Figure::kDxRangeRateMs, Figure::kDxHz,
                                             Figure::kToDxHz};

struct Figures {
  std::array<double, kFigureCount> values{};
  bool withDx = false;
  [[nodiscard]] double operator[](Figure f) const { return values[static_cast<std::size_t>(f)]; }
};

// The figures from `site` (and `dx`, when given) for the Moon and Earth of one instant, at the
// carrier `bandHz` (Hz); `where` is how far the station typed may be from the real one.
[[nodiscard]] Figures FiguresAt(const sky::MoonAndEarth& state, const sky::Site& site,
                                const sky::Site* dx, double bandHz,
                                const sky::StationUncertainty& where);

// A figure as the table prints it: its decimals, never "-0", an azimuth of 360.000 as 0.000.
[[nodiscard]] std::string CellText(Figure f, double value);
// A figure as a readout shows it: the table's number and the unit ("12.345°", "-1234.5 Hz");
// a DX figure without a DX station is "-", the DX elevation then "no DX station".
[[nodiscard]] std::string ReadoutText(const Figures& figures, Figure f);
// Whether the Moon stands above the station's horizon, in words.
[[nodiscard]] std::string HorizonText(double elevationDeg);

}  // namespace skyapp
