// SPDX-License-Identifier: GPL-3.0-or-later
// The figures at one instant and their texts.
#include "skyapp/core/readouts.h"

#include "skyapp/core/readout_text.h"

namespace skyapp {
namespace {

constexpr FigureFormat kFormats[] = {
    {"elevation_deg", "El deg", 3, "°"},
    {"azimuth_deg", "Az deg", 3, "°"},
    {"range_km", "Range km", 3, " km"},
    {"echo_delay_s", "Delay s", 6, " s"},
    {"radial_ms", "Radial m/s", 3, " m/s"},
    {"parallax_ms", "Parallax m/s", 3, " m/s"},
    {"rotation_ms", "Rotation m/s", 3, " m/s"},
    {"range_rate_ms", "Rate m/s", 3, " m/s"},
    {"self_doppler_hz", "Shift Hz", 1, " Hz"},
    {"doppler_rate_hz_per_min", "Hz/min", 2, " Hz/min"},
    {"uplink_doppler_hz", "Up Hz", 1, " Hz"},
    {"downlink_doppler_hz", "Down Hz", 1, " Hz"},
    {"spread_hz", "Spread Hz", 1, " Hz"},
    {"budget_hz", "Budget Hz", 1, " Hz"},
    {"dx_elevation_deg", "DX El deg", 3, "°"},
    {"dx_azimuth_deg", "DX Az deg", 3, "°"},
    {"dx_range_rate_ms", "DX Rate m/s", 3, " m/s"},
    {"dx_doppler_hz", "DX Shift Hz", 1, " Hz"},
    {"to_dx_doppler_hz", "To DX Hz", 1, " Hz"},
    {"radial_hz", "Radial Hz", 1, " Hz"},
    {"parallax_hz", "Parallax Hz", 1, " Hz"},
    {"rotation_hz", "Rotation Hz", 1, " Hz"},
    // The ephemeris term is a few millihertz: a tenth of a hertz would show nothing of it.
    {"budget_ephemeris_hz", "Ephemeris Hz", 3, " Hz"},
    {"budget_earth_hz", "Earth Hz", 2, " Hz"},
    {"budget_station_hz", "Station Hz", 2, " Hz"},
    {"budget_troposphere_hz", "Troposphere Hz", 2, " Hz"},
};
static_assert(std::size(kFormats) == kFigureCount);

bool IsDx(Figure f) {
  return f >= Figure::kDxElevationDeg && f <= Figure::kToDxHz;
}

}  // namespace

const FigureFormat& FormatOf(Figure f) noexcept {
  return kFormats[static_cast<std::size_t>(f)];
}

Figures FiguresAt(const sky::MoonAndEarth& state, const sky::Site& site, const sky::Site* dx,
                  double bandHz, const sky::StationUncertainty& where) {
  const sky::Sight s = sky::SightFrom(state, site);
  const sky::EchoShifts e = sky::EchoShiftsAt(state, site, dx, bandHz);
  const sky::Budget b = sky::BudgetAt(state, site, s, e, where, bandHz);
  const double hzPerMs = sky::SelfShiftHz(bandHz, 1);
  Figures out;
  out.withDx = dx != nullptr;
  const auto set = [&](Figure f, double v) { out.values[static_cast<std::size_t>(f)] = v; };
  set(Figure::kElevationDeg, s.elevationDeg);
  set(Figure::kAzimuthDeg, s.azimuthDeg);
  set(Figure::kRangeKm, s.rangeKm);
  set(Figure::kEchoDelayS, s.echoDelayS);
  set(Figure::kRadialMs, s.radialMs);
  set(Figure::kParallaxMs, s.parallaxMs);
  set(Figure::kRotationMs, s.rotationMs);
  set(Figure::kRangeRateMs, s.rangeRateMs);
  set(Figure::kSelfHz, e.selfHz);
  set(Figure::kDriftHzPerMin, e.selfRateHzPerMin);
  set(Figure::kUplinkHz, e.uplinkHz);
  set(Figure::kDownlinkHz, e.downlinkHz);
  set(Figure::kSpreadHz, sky::SpreadHz(state, site, bandHz));
  set(Figure::kBudgetHz, b.totalHz);
  set(Figure::kRadialHz, hzPerMs * s.radialMs);
  set(Figure::kParallaxHz, hzPerMs * s.parallaxMs);
  set(Figure::kRotationHz, hzPerMs * s.rotationMs);
  set(Figure::kBudgetEphemerisHz, b.ephemerisHz);
  set(Figure::kBudgetEarthHz, b.earthOrientationHz);
  set(Figure::kBudgetStationHz, b.stationHz);
  set(Figure::kBudgetTroposphereHz, b.troposphereHz);
  if (dx) {
    const sky::Sight d = sky::SightFrom(state, *dx);
    set(Figure::kDxElevationDeg, d.elevationDeg);
    set(Figure::kDxAzimuthDeg, d.azimuthDeg);
    set(Figure::kDxRangeRateMs, d.rangeRateMs);
    set(Figure::kDxHz, e.dxHz);
    set(Figure::kToDxHz, e.toDxHz);
  }
  return out;
}

std::string CellText(Figure f, double value) {
  if (f == Figure::kAzimuthDeg || f == Figure::kDxAzimuthDeg) value = AzimuthAsPrinted(value);
  return Fixed(value, FormatOf(f).decimals);
}

std::string ReadoutText(const Figures& figures, Figure f) {
  if (IsDx(f) && !figures.withDx) return f == Figure::kDxElevationDeg ? "no DX station" : "-";
  return CellText(f, figures[f]) + FormatOf(f).unit;
}

std::string HorizonText(double elevationDeg) {
  return elevationDeg < 0 ? "Moon below the horizon" : "Moon above the horizon";
}

}  // namespace skyapp
