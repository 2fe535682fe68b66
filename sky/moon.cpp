// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon from Swiss Ephemeris' files or from ERFA's series, never from a silent fallback.
#include "sky/moon.h"

#include <erfa.h>
#include <erfam.h>
#include <swephexp.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace sky {
namespace {

// Geocentric (the default centre), geometric (true position: no light time), without
// aberration or light deflection, in the ICRS axes of J2000 without precession or frame
// bias (SEFLG_ICRS: DE431's own frame, the ICRS), equatorial, Cartesian, with velocity.
constexpr int kSweFlags = SEFLG_SWIEPH | SEFLG_J2000 | SEFLG_ICRS | SEFLG_TRUEPOS | SEFLG_NOABERR |
                          SEFLG_NOGDEFL | SEFLG_EQUATORIAL | SEFLG_XYZ | SEFLG_SPEED;

// Swiss Ephemeris' astronomical unit is the IAU 2012 one, the same as ERFA's (m).
constexpr double kKmPerAu = ERFA_DAU / 1000;
constexpr double kMsPerAuPerDay = ERFA_DAU / ERFA_DAYSEC;

// Written once, by the first caller of SwissEphemerisReadable (under std::call_once).
bool sweReadable = false;
std::string sweWhy;
std::once_flag sweChecked;

// Swiss Ephemeris keeps its state (the ephemeris path, open files, caches) per thread, as
// Debian builds it. Each thread that computes the Moon therefore sets the path once, and
// closes its files and frees its buffers when it ends.
struct SweThreadState {
  SweThreadState() { swe_set_ephe_path(VORNAK_SWE_EPHE_DIR); }
  ~SweThreadState() { swe_close(); }
  SweThreadState(const SweThreadState&) = delete;
  SweThreadState& operator=(const SweThreadState&) = delete;
};

void EnterSweThread() {
  thread_local SweThreadState state;
}

// One evaluation; false when Swiss Ephemeris did not use its files (it then reports the
// Moshier flag instead of SEFLG_SWIEPH, and an error text naming the missing file).
bool SweMoon(double tt, double x[6], char err[AS_MAXCH]) {
  EnterSweThread();
  err[0] = '\0';
  const int got = swe_calc(tt, SE_MOON, kSweFlags, x, err);
  return got >= 0 && (got & SEFLG_SWIEPH) != 0;
}

void CheckFiles() {
  // Swiss Ephemeris prefers SE_EPHE_PATH over the directory SweMoon gives it.
  // 1950-01-01, 2026-12-09 and 2100-12-31, TT.
  constexpr double kProbes[] = {2433282.5, 2461383.5, 2488433.5};
  char err[AS_MAXCH];
  double x[6];
  for (const double tt : kProbes) {
    if (SweMoon(tt, x, err)) continue;
    // Its message names the file, in quotes, and the path searched.
    std::string file = "semo_18.se1 or sepl_18.se1";
    if (const char* open = std::strchr(err, '\'')) {
      if (const char* close = std::strchr(open + 1, '\'')) file.assign(open + 1, close);
    }
    const char* env = std::getenv("SE_EPHE_PATH");
    sweWhy = "the Swiss Ephemeris file " + file + " cannot be read in " +
             (env && *env ? std::string(env) : std::string(VORNAK_SWE_EPHE_DIR)) +
             " (Debian package swe-basic-data): the Moon comes from eraMoon98 instead, "
             "up to 12 Hz off at 10 GHz";
    return;
  }
  sweReadable = true;
}

MoonState Meeus(double tt1, double tt2) {
  double pv[2][3];
  eraMoon98(tt1, tt2, pv);
  return {{pv[0][0] * kKmPerAu, pv[0][1] * kKmPerAu, pv[0][2] * kKmPerAu},
          {pv[1][0] * kMsPerAuPerDay, pv[1][1] * kMsPerAuPerDay, pv[1][2] * kMsPerAuPerDay},
          MoonTheory::kMeeus};
}

}  // namespace

const char* MoonTheoryName(MoonTheory theory) noexcept {
  return theory == MoonTheory::kSwissEphemeris ? "Swiss Ephemeris (JPL DE431)"
                                               : "ERFA eraMoon98 (Meeus)";
}

bool SwissEphemerisReadable(std::string* why) {
  std::call_once(sweChecked, CheckFiles);
  if (why) *why = sweWhy;
  return sweReadable;
}

MoonState GeocentricMoon(MoonTheory wanted, double tt1, double tt2) noexcept {
  if (wanted == MoonTheory::kSwissEphemeris && SwissEphemerisReadable()) {
    // Swiss Ephemeris takes one double, which holds a Julian date to 4.7e-10 d (40 µs), in
    // which the Moon moves 4 cm. The rest of the two-part date is made up along the
    // velocity: the change of velocity over 20 µs is 5e-8 m/s.
    const double tt = tt1 + tt2;
    const double restS = ((tt1 - tt) + tt2) * ERFA_DAYSEC;
    double x[6];
    char err[AS_MAXCH];
    if (SweMoon(tt, x, err)) {
      const Vec3 velocityMs{x[3] * kMsPerAuPerDay, x[4] * kMsPerAuPerDay, x[5] * kMsPerAuPerDay};
      const Vec3 positionKm{x[0] * kKmPerAu, x[1] * kKmPerAu, x[2] * kKmPerAu};
      return {VecAdd(positionKm, VecScale(restS / 1000, velocityMs)), velocityMs,
              MoonTheory::kSwissEphemeris};
    }
  }
  return Meeus(tt1, tt2);
}

}  // namespace sky
