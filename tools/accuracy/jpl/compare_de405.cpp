// SPDX-License-Identifier: GPL-3.0-or-later
// Compares vornak-sky's Moon and echo with an independent route: JPL DE405 through
// casacore's MeasJPL for the Moon, ERFA's full IAU 2006/2000A Earth orientation (eraC2t06a)
// for the station, and the echo's round trip solved here from those alone. Not part of the
// build: tools/accuracy/jpl/run.sh compiles it against the built sky library.
//
// Usage: compare_de405 [CASES [SEED]]   (default 400 cases, seed 2026)
// Prints the worst difference of each figure, with the case where it happened, and exits
// 1 when one exceeds its bound.
#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>

#include "de405.h"
#include "sky/echo.h"
#include "sky/moon.h"
#include "sky/sight.h"

namespace {

constexpr double kC = 299'792'458.0;
constexpr double kBandHz = 10368e6;

struct V {
  double x, y, z;
};
V Sub(V a, V b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V Scale(double s, V a) {
  return {s * a.x, s * a.y, s * a.z};
}
double Dot(V a, V b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Len(V a) {
  return std::sqrt(Dot(a, a));
}
V Cross(V a, V b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
V Mul(const double m[3][3], V v) {
  return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
          m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
          m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}
V MulT(const double m[3][3], V v) {
  return {m[0][0] * v.x + m[1][0] * v.y + m[2][0] * v.z,
          m[0][1] * v.x + m[1][1] * v.y + m[2][1] * v.z,
          m[0][2] * v.x + m[1][2] * v.y + m[2][2] * v.z};
}

// An instant as TAI in two parts (days), so that a microsecond's change is kept to 1e-11 s
// and offsets in seconds are uniform across leap seconds.
struct Instant {
  double tai1, tai2;
};
Instant Later(Instant t, double seconds) {
  return {t.tai1, t.tai2 + seconds / ERFA_DAYSEC};
}

// A UTC instant of vornak-sky (ms since 1970, days of 86,400 s) read through its civil date
// and time, as ERFA's quasi-Julian date has it on a day that ends in a leap second.
Instant FromUnixMs(std::int64_t ms) {
  const std::time_t s = static_cast<std::time_t>(std::floor(ms / 1000.0));
  std::tm c{};
  gmtime_r(&s, &c);
  double utc1 = 0, utc2 = 0;
  eraDtf2d("UTC", c.tm_year + 1900, c.tm_mon + 1, c.tm_mday, c.tm_hour, c.tm_min,
           c.tm_sec + (ms - s * 1000.0) / 1000, &utc1, &utc2);
  Instant t{};
  eraUtctai(utc1, utc2, &t.tai1, &t.tai2);
  return t;
}

// The time scales of an instant as ERFA has them, each in two parts; UT1 = UTC, as
// vornak-sky has it without EOP data.
struct Times {
  double ut11, ut12, tt1, tt2, tdb1, tdb2;
};
Times TimesAt(Instant when) {
  Times t{};
  double utc1, utc2;
  eraTaiutc(when.tai1, when.tai2, &utc1, &utc2);
  eraUtcut1(utc1, utc2, 0, &t.ut11, &t.ut12);  // ERFA's own reading of a leap second's day
  eraTaitt(when.tai1, when.tai2, &t.tt1, &t.tt2);
  // TDB − TT at the geocentre: under 2 ms.
  const double ut = std::fmod(t.ut11 - 0.5 + t.ut12, 1.0);
  const double dtr = eraDtdb(t.tt1, t.tt2, ut < 0 ? ut + 1 : ut, 0, 0, 0);
  eraTttdb(t.tt1, t.tt2, dtr, &t.tdb1, &t.tdb2);
  return t;
}

double emratFactor = 0;  // DE405's MOON − EARTH over the geocentric Moon: 1 + 1/(1 + EMRAT)

// The geocentric Moon from DE405 (m, m/s) at an instant.
void MoonDe405(Instant when, V& pos, V& vel) {
  const Times t = TimesAt(when);
  double moon[6], earth[6];
  if (!De405MoonAndEarth(t.tdb1 - ERFA_DJM0, t.tdb2, moon, earth)) {
    std::fprintf(stderr, "compare_de405: DE405 has no data for JD %.3f\n", when.tai1 + when.tai2);
    std::exit(2);
  }
  const double au = ERFA_DAU;
  pos = Scale(au / emratFactor, {moon[0] - earth[0], moon[1] - earth[1], moon[2] - earth[2]});
  vel = Scale(au / ERFA_DAYSEC / emratFactor,
              {moon[3] - earth[3], moon[4] - earth[4], moon[5] - earth[5]});
}

// GCRS to ITRS by the full IAU 2006/2000A model, no polar motion, UT1 = UTC.
void C2t(Instant when, double r[3][3]) {
  const Times t = TimesAt(when);
  eraC2t06a(t.tt1, t.tt2, t.ut11, t.ut12, 0, 0, r);
}

V StationGcrs(V itrs, Instant when) {
  double r[3][3];
  C2t(when, r);
  return MulT(r, itrs);
}

// The round trip of an echo received at `when`, solved from DE405 and the station's
// position at each epoch (s): the reflection at t − ρ_down/c, the sending at that less
// ρ_up/c, each range between the two ends at their own epochs.
double RoundTrip(V itrs, Instant when) {
  const V received = StationGcrs(itrs, when);
  V m, v;
  double down = 0, up = 0;  // s
  for (int i = 0; i < 4; ++i) {
    MoonDe405(Later(when, -down), m, v);
    down = Len(Sub(m, received)) / kC;
  }
  MoonDe405(Later(when, -down), m, v);
  for (int i = 0; i < 4; ++i) up = Len(Sub(m, StationGcrs(itrs, Later(when, -down - up)))) / kC;
  return down + up;
}

struct Worst {
  const char* what;
  const char* unit;
  double bound;
  double value = 0;
  std::string where;
  void See(double diff, const std::string& at) {
    if (std::fabs(diff) > std::fabs(value)) {
      value = diff;
      where = at;
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int cases = argc > 1 ? std::atoi(argv[1]) : 400;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 2026;
  double emrat = 0;
  if (!De405Emrat(emrat)) {
    std::fprintf(stderr, "compare_de405: cannot read DE405's EMRAT (casacore-data-jpl-de405?)\n");
    return 2;
  }
  emratFactor = 1 + 1 / (1 + emrat);
  std::string why;
  if (!sky::SwissEphemerisReadable(&why)) {
    std::fprintf(stderr, "compare_de405: %s\n", why.c_str());
    return 2;
  }

  Worst moonPos{"geocentric Moon position (Swiss Ephemeris)", "m", 100};
  Worst moonVel{"geocentric Moon velocity (Swiss Ephemeris)", "mm/s", 1};
  Worst meeusPos{"geocentric Moon position (eraMoon98)", "km", 1e9};
  Worst meeusVel{"geocentric Moon velocity (eraMoon98)", "mm/s", 1e9};
  Worst el{"elevation", "deg", 0.001}, az{"azimuth (below 89.5 deg elevation)", "deg", 0.001};
  Worst range{"range", "km", 0.1}, rate{"range rate", "mm/s", 2};
  Worst shift{"echo shift at 10368 MHz, light time", "Hz", 0.2};

  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  // 1960-01-02 to 2059-12-31, UTC.
  const double first = -315'532'800'000.0, last = 2'840'140'800'000.0;
  for (int i = 0; i < cases; ++i) {
    const std::int64_t ms = static_cast<std::int64_t>(first + unit(rng) * (last - first));
    const double latDeg = std::asin(2 * unit(rng) - 1) * ERFA_DR2D;
    const double lonDeg = 360 * unit(rng) - 180;
    const double heightM = 4000 * unit(rng);
    char at[160];
    std::snprintf(at, sizeof at, "%s at %.4f, %.4f, %.0f m", sky::FormatUtc({ms}).c_str(), latDeg,
                  lonDeg, heightM);
    const Instant mjd = FromUnixMs(ms);

    // The Moon alone.
    V m, v;
    MoonDe405(mjd, m, v);
    const sky::TimeScales ts = sky::TimeScalesAt({ms});
    for (const sky::MoonTheory theory :
         {sky::MoonTheory::kSwissEphemeris, sky::MoonTheory::kMeeus}) {
      const sky::MoonState ours = sky::GeocentricMoon(theory, ts.tt1, ts.tt2);
      const double dp =
          Len(Sub({ours.positionKm.x * 1e3, ours.positionKm.y * 1e3, ours.positionKm.z * 1e3}, m));
      const double dv = Len(Sub({ours.velocityMs.x, ours.velocityMs.y, ours.velocityMs.z}, v));
      if (theory == sky::MoonTheory::kSwissEphemeris) {
        moonPos.See(dp, at);
        moonVel.See(dv * 1e3, at);
      } else {
        meeusPos.See(dp / 1e3, at);
        meeusVel.See(dv * 1e3, at);
      }
    }

    // The station and what it sees, the reference's own way: the ITRS position on WGS84,
    // its GCRS velocity by a central difference of the full model's rotation.
    double xyz[3];
    eraGd2gc(ERFA_WGS84, lonDeg * ERFA_DD2R, latDeg * ERFA_DD2R, heightM, xyz);
    const V itrs{xyz[0], xyz[1], xyz[2]};
    eraGd2gc(ERFA_WGS84, lonDeg * ERFA_DD2R, latDeg * ERFA_DD2R, heightM + 1, xyz);
    const V up = Sub({xyz[0], xyz[1], xyz[2]}, itrs);
    V east = Cross({0, 0, 1}, up);
    east = Len(east) > 0 ? Scale(1 / Len(east), east)
                         : V{-std::sin(lonDeg * ERFA_DD2R), std::cos(lonDeg * ERFA_DD2R), 0};
    const V north = Cross(up, east);
    const V p = StationGcrs(itrs, mjd);
    const V pv = Sub(StationGcrs(itrs, Later(mjd, 0.5)), StationGcrs(itrs, Later(mjd, -0.5)));
    const V d = Sub(m, p);
    const double r = Len(d);
    const double rr = Dot(Scale(1 / r, d), Sub(v, pv));
    double c2t[3][3];
    C2t(mjd, c2t);
    const V dItrs = Mul(c2t, Scale(1 / r, d));
    const double refEl = std::asin(Dot(dItrs, up)) * ERFA_DR2D;
    double refAz = std::atan2(Dot(dItrs, east), Dot(dItrs, north)) * ERFA_DR2D;
    const double refShift =
        -kBandHz * (RoundTrip(itrs, Later(mjd, 0.5)) - RoundTrip(itrs, Later(mjd, -0.5)));

    sky::Station st;
    if (!sky::StationFromDegrees(latDeg, lonDeg, heightM, st, why)) return 2;
    const sky::Site site = sky::SiteOf(st);
    const sky::MoonAndEarth state = sky::MoonAndEarthAt({ms});
    const sky::Sight s = sky::SightFrom(state, site);
    el.See(s.elevationDeg - refEl, at);
    if (refEl < 89.5) az.See(std::remainder(s.azimuthDeg - refAz, 360), at);
    range.See(s.rangeKm - r / 1e3, at);
    rate.See((s.rangeRateMs - rr) * 1e3, at);
    shift.See(sky::EchoShiftsAt(state, site, nullptr, kBandHz).selfHz - refShift, at);
  }

  std::printf(
      "vornak-sky against JPL DE405 (casacore MeasJPL) and ERFA's IAU 2006/2000A, %d "
      "random stations, heights and instants 1960-2059 (seed %u):\n",
      cases, seed);
  bool met = true;
  for (const Worst* w :
       {&moonPos, &moonVel, &meeusPos, &meeusVel, &el, &az, &range, &rate, &shift}) {
    const bool ok = std::fabs(w->value) <= w->bound;
    met = met && ok;
    std::printf("  %-46s worst %+.6g %s (bound %g) %s  [%s]\n", w->what, w->value, w->unit,
                w->bound, ok ? "ok" : "EXCEEDED", w->where.c_str());
  }
  return met ? 0 : 1;
}
