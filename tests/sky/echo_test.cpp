// SPDX-License-Identifier: GPL-3.0-or-later
// The echo's light-time legs against second routes: the round trip's rate, the signal a DX
// station hears from us, the spread from the IAU rotation model, and mutual windows.
#include "sky/echo.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>

#include "sky/day.h"
#include "sky/windows.h"

namespace sky {
namespace {

constexpr double kBandHz = 10368e6;
constexpr double kC = 299'792'458.0;  // m/s
struct Place {
  const char* name;
  double latDeg, lonDeg, heightM;
};
constexpr Place kPlaces[] = {{"equator", 0, 0, 0},
                             {"paris", 48.85, 2.35, 35},
                             {"new_jersey", 40.5, -75, 100},
                             {"andes", -22.95, -67.78, 5000}};
// 1965-03-15T06:00Z (UTC's rubber seconds), 2026-12-09T14:00Z, 2060-03-14T12:42:03Z.
constexpr std::int64_t kInstants[] = {-151'437'600'000, 1'796'824'800'000, 2'846'448'123'000};

Site SiteAt(const Place& p) {
  return SiteOf(Station{p.latDeg * ERFA_DD2R, p.lonDeg * ERFA_DD2R, p.heightM});
}

EchoShifts ShiftsAt(std::int64_t ms, const Site& site, const Site* dx = nullptr) {
  return EchoShiftsAt(MoonAndEarthAt(UtcInstant{ms}), site, dx, kBandHz);
}

TEST(Echo, SelfShiftAndItsRateAreTheRoundTripsRates) {
  // A signal sent at t − τ(t) and received at t comes back at f·(1 − dτ/dt): a central
  // difference of τ over ±0.5 s, each τ solved afresh from its own ephemeris call, gives
  // the shift to 2e-3 Hz (the ephemeris' own rounding, 2e-12 s in τ per second).
  constexpr double kShiftTolHz = 0.01;
  constexpr double kRateTolHzPerMin = 0.02;  // ±5 s differences of the shift
  for (const Place& p : kPlaces) {
    const Site site = SiteAt(p);
    for (const std::int64_t t : kInstants) {
      SCOPED_TRACE(std::string(p.name) + " at " + FormatUtc(UtcInstant{t}));
      const EchoShifts e = ShiftsAt(t, site);
      const double dTauDt = ShiftsAt(t + 500, site).roundTripS - ShiftsAt(t - 500, site).roundTripS;
      EXPECT_NEAR(e.selfHz, -kBandHz * dTauDt, kShiftTolHz);
      EXPECT_NEAR(e.selfRateHzPerMin,
                  (ShiftsAt(t + 5000, site).selfHz - ShiftsAt(t - 5000, site).selfHz) / 10 * 60,
                  kRateTolHzPerMin);
      // The uplink and downlink are each about half the echo, to 1e-3 of the echo (the
      // station moves 2.5 s between them); the light time differs from 2·range/c by the
      // range rate times the time of flight.
      EXPECT_NEAR(e.uplinkHz + e.downlinkHz, e.selfHz, 2e-3 * std::fabs(e.selfHz) + 0.5);
      EXPECT_NEAR(e.roundTripS, SightFrom(MoonAndEarthAt(UtcInstant{t}), site).echoDelayS, 1e-5);
    }
  }
}

TEST(Echo, WhatWeSendIsWhatTheDxStationHears) {
  // Our signal sent at t reaches the DX station at t + (r_us + r_dx)/c (the light time moves
  // that by microseconds): there, its own dx shift (we being its DX station) must be our
  // to_dx shift. With ourselves as the DX station it is our echo, heard at t + τ.
  constexpr double kTolHz = 0.01;  // the arrival rounded to the millisecond: 2 Hz/s × 0.5 ms
  const Site paris = SiteAt(kPlaces[1]), nj = SiteAt(kPlaces[2]);
  for (const std::int64_t t : kInstants) {
    const MoonAndEarth state = MoonAndEarthAt(UtcInstant{t});
    const double flightS =
        (SightFrom(state, paris).rangeKm + SightFrom(state, nj).rangeKm) * 1000 / kC;
    const EchoShifts sent = EchoShiftsAt(state, paris, &nj, kBandHz);
    const std::int64_t arrival = t + std::llround(flightS * 1000);
    EXPECT_NEAR(ShiftsAt(arrival, nj, &paris).dxHz, sent.toDxHz, kTolHz);
    const EchoShifts self = EchoShiftsAt(state, paris, &paris, kBandHz);
    EXPECT_NEAR(self.dxHz, self.selfHz, 1e-9);
    EXPECT_NEAR(ShiftsAt(t + std::llround(self.roundTripS * 1000), paris).selfHz, self.toDxHz,
                kTolHz);
  }
}

// The Moon-fixed frame of the IAU model: pole (α0, δ0) = (269.9949°, 66.5392°), prime
// meridian W = 38.3213° + 13.17635815° d, d days of TT since J2000; a direction in the GCRS
// seen in that frame: R3(W)·R1(90° − δ0)·R3(90° + α0).
Vec3 InMoonFrame(const Vec3& v, UtcInstant t) {
  const TimeScales ts = TimeScalesAt(t);
  const double d = (ts.tt1 - ERFA_DJ00) + ts.tt2;
  double r[3][3];
  eraIr(r);
  eraRz((90 + 269.9949) * ERFA_DD2R, r);
  eraRx((90 - 66.5392) * ERFA_DD2R, r);
  eraRz((38.3213 + 13.17635815 * d) * ERFA_DD2R, r);
  double in[3] = {v.x, v.y, v.z}, out[3];
  eraRxp(r, in, out);
  return {out[0], out[1], out[2]};
}

TEST(Echo, SpreadIsTheSubStationPointsSpeedOverTheMoon) {
  // The point under the station (the Moon's surface point on the line to the station) runs
  // over the surface at R·|dn/dt|, n its direction in the Moon-fixed frame: the limbs then
  // move ±R·|dn/dt| along the line of sight, 4·f·R·|dn/dt|/c from limb to limb. A central
  // difference over ±10 s; the station's position in the GCRS from the Earth's orientation.
  const auto underStation = [](const Site& site, std::int64_t ms) {
    const MoonAndEarth s = MoonAndEarthAt(UtcInstant{ms});
    const Vec3 station = MatMulVec(MatTranspose(s.celestialToTerrestrial), site.positionKm);
    const Vec3 n = VecSub(station, s.moonPositionKm);
    return InMoonFrame(VecScale(1 / VecLength(n), n), UtcInstant{ms});
  };
  for (const Place& p : kPlaces) {
    const Site site = SiteAt(p);
    for (const std::int64_t t : kInstants) {
      const double rateRadPerS =
          VecLength(VecSub(underStation(site, t + 10'000), underStation(site, t - 10'000))) / 20;
      const double expected = 4 * kBandHz * 1737.4e3 * rateRadPerS / kC;
      EXPECT_NEAR(SpreadHz(MoonAndEarthAt(UtcInstant{t}), site, kBandHz), expected, 1e-4 * expected)
          << p.name;
      // A few hertz to a few hundred at 10 GHz: the Earth's turn (465 m/s at most, over
      // 356,000 km) and the libration in longitude (the orbit's eccentricity) at most.
      EXPECT_LT(expected, 600);
    }
  }
}

TEST(Windows, BothStationsSeeTheMoonInsideAndOneDoesNotJustOutside) {
  const Site paris = SiteAt(kPlaces[1]), nj = SiteAt(kPlaces[2]);
  const std::int64_t from = 1'796'774'400'000;  // 2026-12-09T00:00Z, ten days
  const std::int64_t to = from + 10 * kMsPerDay;
  for (const double minEl : {0.0, 10.0}) {
    const std::vector<Interval> w =
        MutualWindows(paris, nj, UtcInstant{from}, UtcInstant{to}, minEl);
    // One a lunar day (24.8 h) at most; Paris and New Jersey share the Moon most days.
    EXPECT_GE(w.size(), 5u) << minEl;
    EXPECT_LE(w.size(), 10u) << minEl;
    const auto el = [](const Site& s, std::int64_t ms) {
      return SightFrom(MoonAndEarthAt(UtcInstant{ms}, false), s).elevationDeg;
    };
    // At the horizon, the same as what the two stations' times below it leave.
    if (minEl == 0) {
      EXPECT_EQ(w, OutsideBoth(BelowHorizon(paris, UtcInstant{from}, UtcInstant{to}),
                               BelowHorizon(nj, UtcInstant{from}, UtcInstant{to}), UtcInstant{from},
                               UtcInstant{to}));
    }
    for (const Interval& i : w) {
      SCOPED_TRACE(FormatUtc(i.from) + " to " + FormatUtc(i.to));
      for (const std::int64_t ms : {i.from.ms + 2000, (i.from.ms + i.to.ms) / 2, i.to.ms - 2000}) {
        EXPECT_GE(el(paris, ms), minEl);
        EXPECT_GE(el(nj, ms), minEl);
      }
      // Each end is one station's rise or set, to the second, or an end of the search.
      if (i.from.ms > from) {
        EXPECT_LT(std::fmin(el(paris, i.from.ms - 2000), el(nj, i.from.ms - 2000)), minEl);
      }
      if (i.to.ms < to) {
        EXPECT_LT(std::fmin(el(paris, i.to.ms + 2000), el(nj, i.to.ms + 2000)), minEl);
      }
    }
  }
}

}  // namespace
}  // namespace sky
