// SPDX-License-Identifier: GPL-3.0-or-later
// The Earth's orientation parameters from IERS Bulletin A: UT1 − UTC and polar motion.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sky/time.h"

namespace sky {

// One day of IERS's finals2000A file, at 0h UTC.
struct EopDay {
  double mjd = 0;           // Modified Julian Date (UTC)
  double ut1MinusTaiS = 0;  // UT1 − TAI (s): continuous across leap seconds, so interpolable
  double xpRad = 0;         // the pole's coordinates (rad), Bulletin A
  double ypRad = 0;
  double ut1ErrorS = 0;     // the file's stated error of UT1 − UTC (s)
  double poleErrorRad = 0;  // the larger of its stated errors of x and y (rad)
};

struct EopTable {
  std::string path;          // as given
  std::vector<EopDay> days;  // MJD strictly increasing
};

// Reads the fixed columns of `finals2000A.all` or `finals2000A.daily` (IERS Bulletin A,
// published at https://datacenter.iers.org/ and https://maia.usno.navy.mil/ser7/):
// columns 8-15 the MJD, 19-27 and 38-46 the pole's x and y (″) with their errors in 28-36
// and 47-55, 59-68 UT1 − UTC (s) with its error in 69-78. Rows whose values are blank (the
// days past the predictions) are skipped; a field holding anything but a number is an
// error. On failure returns false with `why` in one line: "FILE:LINE: what is wrong".
[[nodiscard]] bool ParseEop(std::string_view text, const std::string& name, EopTable& out,
                            std::string& why);
// The same from a file; one that cannot be read is an error naming it.
[[nodiscard]] bool ReadEopFile(const std::string& path, EopTable& out, std::string& why);

// The Earth's orientation at an instant.
struct EarthOrientation {
  bool covered = false;     // inside the file's days; else UT1 = UTC and no polar motion
  double ut1MinusUtcS = 0;  // s
  double xpRad = 0, ypRad = 0;
  double ut1ErrorS = 0;  // the file's error where it states one, else 1 ms (s)
  double poleErrorRad = 0;
};

// Linear between the two days around t (UTC). `taiMinusUtcS` is TAI − UTC at t.
[[nodiscard]] EarthOrientation EarthOrientationAt(const EopTable& table, UtcInstant t,
                                                  double taiMinusUtcS) noexcept;

}  // namespace sky
