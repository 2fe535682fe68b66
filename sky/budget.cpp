// SPDX-License-Identifier: GPL-3.0-or-later
// The error budget's terms: each from the geometry at the instant, the ephemeris' from a
// measurement.
#include "sky/budget.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace sky {

const double kSwissEphemerisRangeRateErrorMs = 0.2e-3;
const double kMeeusRangeRateErrorMs = 0.172;

namespace {

constexpr double kMetresPerKm = 1000;
// The elevation below which the troposphere's term is taken at this one (deg): 1/sin el
// grows without bound at the horizon, where the real mapping stays near 30.
constexpr double kLowestTroposphereElevationDeg = 1;
// The year when leap seconds are to end, and how fast UT1 may then drift from UTC (s/year).
constexpr double kLeapSecondsEndMs = 2'051'222'400'000;  // 2035-01-01T00:00:00Z
constexpr double kDriftSPerYear = 1;
constexpr double kMsPerYear = 365.25 * 86'400'000;

// Metres along the meridian per degree of latitude, and along the parallel per degree of
// longitude, at the station (WGS84 radii of curvature).
void MetresPerDegree(const Station& s, double& north, double& east) {
  double a = 0, f = 0;
  eraEform(ERFA_WGS84, &a, &f);
  const double e2 = f * (2 - f), sp = std::sin(s.latitudeRad);
  const double w = std::sqrt(1 - e2 * sp * sp);
  north = a * (1 - e2) / (w * w * w) * ERFA_DD2R;
  east = a / w * std::cos(s.latitudeRad) * ERFA_DD2R;
}

}  // namespace

StationUncertainty LocatorUncertainty(std::size_t locatorLength, const Station& station,
                                      std::optional<double> heightStepM) noexcept {
  // The cell's size in degrees: 2° by 1° for 4 characters, 5′ by 2.5′ for 6, 30″ by 15″
  // for 8.
  const double lonCellDeg = locatorLength >= 8 ? 2.0 / 240 : locatorLength >= 6 ? 2.0 / 24 : 2.0;
  const double latCellDeg = lonCellDeg / 2;
  double north = 0, east = 0;
  MetresPerDegree(station, north, east);
  return {north * latCellDeg / 2, east * lonCellDeg / 2, heightStepM.value_or(kUnstatedHeightM)};
}

StationUncertainty TypedUncertainty(double latitudeStepDeg, double longitudeStepDeg,
                                    std::optional<double> heightStepM,
                                    const Station& station) noexcept {
  double north = 0, east = 0;
  MetresPerDegree(station, north, east);
  return {north * latitudeStepDeg, east * longitudeStepDeg, heightStepM.value_or(kUnstatedHeightM)};
}

double LastDecimalStep(std::string_view number) noexcept {
  const std::size_t exp = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, exp);
  const std::size_t point = mantissa.find('.');
  const int decimals = point == mantissa.npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
  int exponent = 0;
  if (exp != number.npos) exponent = std::atoi(std::string(number.substr(exp + 1)).c_str());
  return std::pow(10.0, exponent - decimals);
}

double Ut1UncertaintyWithoutDataS(UtcInstant t) noexcept {
  const double after = static_cast<double>(t.ms) - kLeapSecondsEndMs;
  return 0.9 + (after > 0 ? kDriftSPerYear * after / kMsPerYear : 0);
}

Budget BudgetAt(const MoonAndEarth& state, const Site& site, const Sight& sight,
                const EchoShifts& shifts, const StationUncertainty& where, double bandHz) noexcept {
  Budget b;
  const double perMs = 2 * bandHz / kSpeedOfLightMs;  // Hz per m/s of range rate, both legs
  b.ephemerisHz =
      perMs * (state.moonTheory == MoonTheory::kSwissEphemeris ? kSwissEphemerisRangeRateErrorMs
                                                               : kMeeusRangeRateErrorMs);

  // The range rate's gradient in the station's position (1/s), GCRS: with u the line of
  // sight, r its length, w the relative velocity and Ω the Earth's spin,
  // ∂(u·w)/∂p = −(w − u(u·w))/r − u × Ω. The light time changes it by 1e-5 of itself.
  const Mat3 toGcrs = MatTranspose(state.celestialToTerrestrial);
  const Vec3 p = VecScale(kMetresPerKm, MatMulVec(toGcrs, site.positionKm));
  const Vec3 omega = VecScale(kEarthRotationRadPerS, state.spinAxis);
  const Vec3 d = VecSub(VecScale(kMetresPerKm, state.moonPositionKm), p);
  const double r = VecLength(d);
  const Vec3 u = VecScale(1 / r, d);
  const Vec3 w = VecSub(state.moonVelocityMs, VecCross(omega, p));
  const Vec3 across = VecSub(w, VecScale(VecDot(u, w), u));
  const Vec3 gradient = VecSub(VecScale(-1 / r, across), VecCross(u, omega));
  const double gNorth = std::fabs(VecDot(gradient, MatMulVec(toGcrs, site.north)));
  const double gEast = std::fabs(VecDot(gradient, MatMulVec(toGcrs, site.east)));
  const double gUp = std::fabs(VecDot(gradient, MatMulVec(toGcrs, site.up)));
  // A linear change is largest at the cell's corner that agrees with each sign.
  b.stationHz = perMs * (gNorth * where.northM + gEast * where.eastM + gUp * where.upM);

  b.eopCovered = state.earth.covered;
  b.ut1UncertaintyS = b.eopCovered ? state.earth.ut1ErrorS : Ut1UncertaintyWithoutDataS(state.t);
  const double poleRad = b.eopCovered ? state.earth.poleErrorRad : kPoleWithoutDataRad;
  // The pole's error moves the station across the Earth's axis by that angle times its
  // distance from the centre.
  const double poleShiftM = poleRad * VecLength(p);
  b.earthOrientationHz = std::fabs(shifts.selfRateHzPerMin / 60) * b.ut1UncertaintyS +
                         perMs * std::hypot(gNorth, gEast) * poleShiftM;

  // The delay on each leg is 2.3 m / sin el; its rate d/dt = −2.3·cos el / sin² el · ėl.
  const double el = std::fmax(sight.elevationDeg, kLowestTroposphereElevationDeg) * ERFA_DD2R;
  const double sinEl = std::sin(el);
  const double delayRateMs = kZenithDelayM * std::cos(el) / (sinEl * sinEl) *
                             std::fabs(sight.elevationRateDegPerS) * ERFA_DD2R;
  b.troposphereHz = perMs * delayRateMs;  // both legs: twice the one-way rate, f/c each

  b.totalHz = b.ephemerisHz + b.earthOrientationHz + b.stationHz + b.troposphereHz;
  return b;
}

}  // namespace sky
