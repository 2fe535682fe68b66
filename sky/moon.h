// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's geocentric state: Swiss Ephemeris (JPL-grade) or ERFA's lunar series.
#pragma once

#include <string>

#include "geometry/vec3.h"

namespace sky {

// Which Moon the figures come from.
enum class MoonTheory {
  // Swiss Ephemeris with its files semo_18.se1 and sepl_18.se1 (Debian's swe-basic-data):
  // JPL's DE431 compressed, within 30 m and 0.2 mm/s of JPL's DE405 over 1960-2059.
  kSwissEphemeris,
  // ERFA's eraMoon98, Meeus' truncation of ELP-2000/82: worst 31.7 km and 172 mm/s over
  // 1950-2100, kept for comparison.
  kMeeus,
};

// "Swiss Ephemeris (JPL DE431)" or "ERFA eraMoon98 (Meeus)", as the title and the window say.
[[nodiscard]] const char* MoonTheoryName(MoonTheory theory) noexcept;

// Whether the Swiss Ephemeris files can be read, checked once per process at three
// instants across the accepted years (1950, 2026, 2100). Swiss Ephemeris reads them from
// the directory named by the environment variable SE_EPHE_PATH when it is set, else from
// the one its Debian package installs them in. Without them Swiss Ephemeris would quietly
// use an analytic theory of about 1″ (Moshier's); that is never taken here: `why` says, in
// one line, which file is missing, and the Moon then comes from eraMoon98.
[[nodiscard]] bool SwissEphemerisReadable(std::string* why = nullptr);

// The Moon's geocentric, geometric position (km) and velocity (m/s per TT second) in the
// GCRS (the ICRS axes), at TT given as a two-part Julian date.
struct MoonState {
  Vec3 positionKm;
  Vec3 velocityMs;
  MoonTheory theory = MoonTheory::kSwissEphemeris;  // the one actually used
};

// `wanted` when it can be had: Swiss Ephemeris falls back to eraMoon98 (and says so in
// `theory`) when its files cannot be read. Swiss Ephemeris keeps its files and caches per
// thread, so threads may call this at the same time; each frees its own when it ends.
[[nodiscard]] MoonState GeocentricMoon(MoonTheory wanted, double tt1, double tt2) noexcept;

}  // namespace sky
