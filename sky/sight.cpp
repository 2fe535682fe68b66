// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's state from ERFA and its view from a station.
#include "sky/sight.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace sky {

const double kSpeedOfLightMs = ERFA_CMPS;
const double kEarthRotationRadPerS = ERFA_D2PI * 1.00273781191135448 / ERFA_DAYSEC;

namespace {

constexpr double kMetresPerKm = 1000;
// Step of the forward difference that gives the Moon's acceleration (s). Its error is half
// the step times the jerk (the acceleration, 2.7e-3 m/s², turning at the Moon's mean motion,
// 2.7e-6 rad/s): 4e-9 m/s², or 2e-5 Hz per minute at 10 GHz; the rounding of the series'
// velocity (1e-12 m/s) over one second is smaller still. One more evaluation of the series,
// not two, for a central difference whose gain nothing here would show.
constexpr double kAccelerationStepS = 1;

}  // namespace

MoonAndEarth MoonAndEarthAt(UtcInstant t, bool withAcceleration, const SkyModel& model) noexcept {
  TimeScales ts = TimeScalesAt(t);
  MoonAndEarth s;
  s.t = t;
  if (model.eop) {
    s.earth = EarthOrientationAt(*model.eop, t, ts.taiMinusUtcS);
    ts.ut1b += s.earth.ut1MinusUtcS / ERFA_DAYSEC;
  }
  const MoonState moon = GeocentricMoon(model.moon, ts.tt1, ts.tt2);
  s.moonTheory = moon.theory;
  s.moonPositionKm = moon.positionKm;
  s.moonVelocityMs = moon.velocityMs;
  if (withAcceleration) {
    const MoonState after =
        GeocentricMoon(moon.theory, ts.tt1, ts.tt2 + kAccelerationStepS / ERFA_DAYSEC);
    s.moonAccelerationMs2 =
        VecScale(1 / kAccelerationStepS, VecSub(after.velocityMs, s.moonVelocityMs));
  }
  // GCRS to CIRS by the IAU 2000B precession-nutation (ERFA states 1 mas over 1995-2050;
  // 3.2 mas from the full IAU 2006/2000A model by 2100, at a tenth of its cost), then the
  // Earth rotation angle about the CIP, then polar motion (up to about 0.6″, 18 m at the
  // surface) when the EOP data cover t; without them the ITRS is taken as the TIRS.
  double c2i[3][3], rpom[3][3];
  eraC2i00b(ts.tt1, ts.tt2, c2i);
  if (s.earth.covered) {
    eraPom00(s.earth.xpRad, s.earth.ypRad, eraSp00(ts.tt1, ts.tt2), rpom);
  } else {
    eraIr(rpom);
  }
  eraC2tcio(c2i, eraEra00(ts.ut1a, ts.ut1b), rpom, s.celestialToTerrestrial.m);
  // The CIP's GCRS coordinates are the third row of C2I, which maps them to the pole of the
  // CIRS.
  s.spinAxis = {c2i[2][0], c2i[2][1], c2i[2][2]};
  return s;
}

Sight SightFrom(const MoonAndEarth& state, const Site& site) noexcept {
  const Mat3& toItrs = state.celestialToTerrestrial;
  const Mat3 toGcrs = MatTranspose(toItrs);
  // The Earth turns about the CIP, which polar motion moves off the ITRS' z axis.
  const Vec3 omega = VecScale(kEarthRotationRadPerS, MatMulVec(toItrs, state.spinAxis));

  // The station in the GCRS: the Earth's rotation carries it at ω × r, and accelerates it
  // toward the axis at ω × (ω × r). The precession's own rate (1e-12 rad/s) is left out.
  const Vec3 stationItrsM = VecScale(kMetresPerKm, site.positionKm);
  const Vec3 stationVelItrs = VecCross(omega, stationItrsM);
  const Vec3 stationPosKm = MatMulVec(toGcrs, site.positionKm);
  const Vec3 stationVel = MatMulVec(toGcrs, stationVelItrs);
  const Vec3 stationAcc = MatMulVec(toGcrs, VecCross(omega, stationVelItrs));

  const Vec3 d = VecSub(state.moonPositionKm, stationPosKm);  // km
  const double range = VecLength(d);
  const Vec3 u = VecScale(1 / range, d);
  const Vec3 rHat = VecScale(1 / VecLength(state.moonPositionKm), state.moonPositionKm);
  const Vec3 w = VecSub(state.moonVelocityMs, stationVel);  // m/s

  Sight s;
  s.rangeKm = range;
  s.echoDelayS = 2 * range * kMetresPerKm / kSpeedOfLightMs;
  s.radialMs = VecDot(rHat, state.moonVelocityMs);
  s.parallaxMs = VecDot(VecSub(u, rHat), state.moonVelocityMs);
  s.rotationMs = -VecDot(u, stationVel);
  s.rangeRateMs = VecDot(u, w);
  // d²|d|/dt² = u·a + (|w|² − v²)/|d|: the relative acceleration along the line of sight,
  // plus the turning of the line of sight itself.
  const Vec3 a = VecSub(state.moonAccelerationMs2, stationAcc);
  s.rangeAccelerationMs2 =
      VecDot(u, a) + (VecDot(w, w) - s.rangeRateMs * s.rangeRateMs) / (range * kMetresPerKm);

  // Direction in the local horizon, from the line of sight in the Earth-fixed frame.
  const Vec3 uItrs = MatMulVec(toItrs, u);
  const double up = VecDot(uItrs, site.up);
  const double east = VecDot(uItrs, site.east);
  const double north = VecDot(uItrs, site.north);
  const double horizontal = std::hypot(east, north);
  s.elevationDeg = std::atan2(up, horizontal) * ERFA_DR2D;
  double az = std::atan2(east, north) * ERFA_DR2D;
  if (az < 0) az += 360;
  s.azimuthDeg = az;
  // The elevation's rate, from the line of sight's motion seen in the turning frame:
  // d(u_itrs)/dt = (ḋ − u·(u·ḋ))/|d| with ḋ = M·w − ω × d_itrs.
  const Vec3 dItrsM = VecScale(range * kMetresPerKm, uItrs);
  const Vec3 dDot = VecSub(MatMulVec(toItrs, w), VecCross(omega, dItrsM));
  const double upRate = (VecDot(dDot, site.up) - up * VecDot(uItrs, dDot)) / (range * kMetresPerKm);
  s.elevationRateDegPerS = horizontal > 0 ? upRate / horizontal * ERFA_DR2D : 0;
  return s;
}

double SelfShiftHz(double bandHz, double rangeRateMs) noexcept {
  return -2 * bandHz * rangeRateMs / kSpeedOfLightMs;
}

}  // namespace sky
