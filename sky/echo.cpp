// SPDX-License-Identifier: GPL-3.0-or-later
// The light-time legs of the echo, solved by fixed-point iteration on a short motion model.
#include "sky/echo.h"

#include <erfam.h>

#include <cmath>

namespace sky {

const double kMoonSpinRadPerS = ERFA_D2PI / (27.321661 * ERFA_DAYSEC);

namespace {

constexpr double kMetresPerKm = 1000;
// The iteration stops when its correction is below this (s). Each pass multiplies the error
// by about v/c (3e-6), so from the first guess (off by 1e-5 s) three passes do.
constexpr double kLightTimeToleranceS = 1e-12;
constexpr int kMostIterations = 8;
// The Doppler rate: a central difference of the shift over ±0.5 s. Its error is a 24th of
// the shift's third derivative (below 1e-8 Hz/s³ at 10 GHz), times the step squared.
constexpr double kRateHalfStepS = 0.5;

// The Moon near t (τ seconds from t, |τ| < 3 s): position, velocity and acceleration at t.
// The jerk (its acceleration, 2.7e-3 m/s², turning at 2.7e-6 rad/s: 7e-9 m/s³) left out
// moves it by under 3e-8 m and 4e-8 m/s over 3 s: 3e-6 Hz at 10 GHz.
struct MoonPath {
  Vec3 p0, v0, a0;  // GCRS: m, m/s, m/s²
  [[nodiscard]] Vec3 At(double tau) const {
    return VecAdd(p0, VecAdd(VecScale(tau, v0), VecScale(0.5 * tau * tau, a0)));
  }
  [[nodiscard]] Vec3 VelocityAt(double tau) const { return VecAdd(v0, VecScale(tau, a0)); }
};

// A station near t, turned exactly about the Earth's axis k at the Earth's rate: the part
// of its position along k stays, the part across it turns. The precession-nutation's own
// motion (1e-12 rad/s) is left out: 2e-5 m over 3 s.
struct StationPath {
  Vec3 along, across, turned;  // k(k·p), p − k(k·p), k × p; GCRS, m
  Vec3 axis;
  [[nodiscard]] Vec3 At(double tau) const {
    const double angle = kEarthRotationRadPerS * tau;
    return VecAdd(along,
                  VecAdd(VecScale(std::cos(angle), across), VecScale(std::sin(angle), turned)));
  }
  [[nodiscard]] Vec3 VelocityAt(double tau) const {
    return VecScale(kEarthRotationRadPerS, VecCross(axis, At(tau)));
  }
};

StationPath PathOf(const MoonAndEarth& state, const Site& site) {
  const Vec3 p = VecScale(kMetresPerKm,
                          MatMulVec(MatTranspose(state.celestialToTerrestrial), site.positionKm));
  const Vec3& k = state.spinAxis;
  StationPath s;
  s.axis = k;
  s.along = VecScale(VecDot(k, p), k);
  s.across = VecSub(p, s.along);
  s.turned = VecCross(k, p);
  return s;
}

// One leg between a station and the Moon: its epochs (s from t) and its range rate (m/s).
struct Leg {
  double moonTau = 0;
  double stationTau = 0;
  double rangeRateMs = 0;
};

// The leg's range rate per second of its station's end. With n the unit vector from the
// station to the Moon, a = n·v_moon and b = n·v_station: a downlink received at the station
// has dt_moon/dt_received = (1 + b/c)/(1 + a/c), an uplink sent from it
// dt_moon/dt_sent = (1 − b/c)/(1 − a/c).
void RangeRate(const MoonPath& moon, const StationPath& station, bool received, Leg& leg) {
  const Vec3 d = VecSub(moon.At(leg.moonTau), station.At(leg.stationTau));
  const Vec3 n = VecScale(1 / VecLength(d), d);
  const double a = VecDot(n, moon.VelocityAt(leg.moonTau));
  const double b = VecDot(n, station.VelocityAt(leg.stationTau));
  leg.rangeRateMs = (a - b) / (received ? 1 + a / kSpeedOfLightMs : 1 - a / kSpeedOfLightMs);
}

// The leg whose station end is at `stationTau`: the Moon's epoch is earlier for a signal
// the station receives then, later for one it sends.
Leg FromStation(const MoonPath& moon, const StationPath& station, double stationTau,
                bool received) {
  const double sign = received ? -1 : 1;
  const Vec3 p = station.At(stationTau);
  Leg leg;
  leg.stationTau = stationTau;
  leg.moonTau = stationTau;
  for (int i = 0; i < kMostIterations; ++i) {
    const double next =
        stationTau + sign * VecLength(VecSub(moon.At(leg.moonTau), p)) / kSpeedOfLightMs;
    const bool done = std::fabs(next - leg.moonTau) < kLightTimeToleranceS;
    leg.moonTau = next;
    if (done) break;
  }
  RangeRate(moon, station, received, leg);
  return leg;
}

// The leg whose Moon end is at `moonTau`: the station's epoch is later when it receives,
// earlier when it sends.
Leg FromMoon(const MoonPath& moon, const StationPath& station, double moonTau, bool received) {
  const double sign = received ? 1 : -1;
  const Vec3 m = moon.At(moonTau);
  Leg leg;
  leg.moonTau = moonTau;
  leg.stationTau = moonTau;
  for (int i = 0; i < kMostIterations; ++i) {
    const double next =
        moonTau + sign * VecLength(VecSub(m, station.At(leg.stationTau))) / kSpeedOfLightMs;
    const bool done = std::fabs(next - leg.stationTau) < kLightTimeToleranceS;
    leg.stationTau = next;
    if (done) break;
  }
  RangeRate(moon, station, received, leg);
  return leg;
}

// f·((1 − ρ̇_down/c)/(1 + ρ̇_up/c) − 1), written so that nothing near 1 is subtracted.
double TwoLegShiftHz(double bandHz, double upMs, double downMs) {
  return -bandHz * (upMs + downMs) / (kSpeedOfLightMs + upMs);
}

}  // namespace

EchoShifts EchoShiftsAt(const MoonAndEarth& state, const Site& site, const Site* dx,
                        double bandHz) noexcept {
  const MoonPath moon{VecScale(kMetresPerKm, state.moonPositionKm), state.moonVelocityMs,
                      state.moonAccelerationMs2};
  const StationPath here = PathOf(state, site);
  // The self echo received at τ: its downlink, then the uplink that reached the Moon when
  // the downlink left it.
  const auto self = [&](double tau, Leg& down, Leg& up) {
    down = FromStation(moon, here, tau, true);
    up = FromMoon(moon, here, down.moonTau, false);
    return TwoLegShiftHz(bandHz, up.rangeRateMs, down.rangeRateMs);
  };
  EchoShifts e;
  Leg down, up, ignoredDown, ignoredUp;
  e.selfHz = self(0, down, up);
  e.roundTripS = -up.stationTau;
  e.selfRateHzPerMin = (self(kRateHalfStepS, ignoredDown, ignoredUp) -
                        self(-kRateHalfStepS, ignoredDown, ignoredUp)) /
                       (2 * kRateHalfStepS) * 60;
  const Leg sent = FromStation(moon, here, 0, false);
  e.uplinkHz = TwoLegShiftHz(bandHz, sent.rangeRateMs, 0);
  e.downlinkHz = -bandHz * down.rangeRateMs / kSpeedOfLightMs;
  if (dx) {
    const StationPath there = PathOf(state, *dx);
    const Leg dxUp = FromMoon(moon, there, down.moonTau, false);
    e.dxHz = TwoLegShiftHz(bandHz, dxUp.rangeRateMs, down.rangeRateMs);
    const Leg dxDown = FromMoon(moon, there, sent.moonTau, true);
    e.toDxHz = TwoLegShiftHz(bandHz, sent.rangeRateMs, dxDown.rangeRateMs);
  }
  return e;
}

double SpreadHz(const MoonAndEarth& state, const Site& site, double bandHz) noexcept {
  const StationPath here = PathOf(state, site);
  const Vec3 d = VecSub(VecScale(kMetresPerKm, state.moonPositionKm), here.At(0));
  const double range = VecLength(d);
  const Vec3 u = VecScale(1 / range, d);
  const Vec3 w = VecSub(state.moonVelocityMs, here.VelocityAt(0));
  const Vec3 uDot = VecScale(1 / range, VecSub(w, VecScale(VecDot(u, w), u)));
  const double ra = kMoonPoleRaDeg * ERFA_DD2R, dec = kMoonPoleDecDeg * ERFA_DD2R;
  const Vec3 pole{std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
  const Vec3 apparent = VecSub(VecScale(kMoonSpinRadPerS, pole), VecCross(u, uDot));
  const Vec3 across = VecSub(apparent, VecScale(VecDot(apparent, u), u));
  return 4 * bandHz * kMoonRadiusKm * kMetresPerKm * VecLength(across) / kSpeedOfLightMs;
}

DopplerFigures DopplerAt(UtcInstant t, const Station& station, const std::optional<Station>& dx,
                         double bandHz, const SkyModel& model) noexcept {
  const MoonAndEarth state = MoonAndEarthAt(t, true, model);
  const Site site = SiteOf(station);
  std::optional<Site> dxSite;
  if (dx) dxSite = SiteOf(*dx);
  const Sight s = SightFrom(state, site);
  const EchoShifts e = EchoShiftsAt(state, site, dxSite ? &*dxSite : nullptr, bandHz);
  DopplerFigures f;
  f.selfHz = e.selfHz;
  f.uplinkHz = e.uplinkHz;
  f.downlinkHz = e.downlinkHz;
  f.dxHz = e.dxHz;
  f.toDxHz = e.toDxHz;
  f.elevationDeg = s.elevationDeg;
  f.azimuthDeg = s.azimuthDeg;
  f.moonTheory = state.moonTheory;
  return f;
}

}  // namespace sky
