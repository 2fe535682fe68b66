// SPDX-License-Identifier: GPL-3.0-or-later
// Bulletin A's fixed columns read, and the days interpolated.
#include "sky/eop.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "sky/number.h"

namespace sky {
namespace {

// MJD of 1970-01-01, the origin of UtcInstant.
constexpr double kMjdOfUnixEpoch = 40587;
// When a row states no error of UT1 − UTC (s).
constexpr double kUnstatedUt1ErrorS = 1e-3;

struct Field {
  int first, last;  // columns, counted from 1 as IERS's description counts them
  const char* what;
};
constexpr Field kMjd{8, 15, "MJD"};
constexpr Field kXp{19, 27, "PM-x"}, kXpErr{28, 36, "error in PM-x"};
constexpr Field kYp{38, 46, "PM-y"}, kYpErr{47, 55, "error in PM-y"};
constexpr Field kUt1{59, 68, "UT1-UTC"}, kUt1Err{69, 78, "error in UT1-UTC"};

// The field's text without its blanks: empty when the line ends before it or it is blank.
std::string_view Cut(std::string_view line, const Field& f) {
  if (static_cast<int>(line.size()) < f.first) return {};
  std::string_view s = line.substr(f.first - 1, f.last - f.first + 1);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

}  // namespace

bool ParseEop(std::string_view text, const std::string& name, EopTable& out, std::string& why) {
  EopTable table;
  table.path = name;
  int lineNo = 0;
  std::string problem;
  const auto fail = [&](const std::string& what) {
    why = name + ":" + std::to_string(lineNo) + ": " + what;
    return false;
  };
  // A blank field gives NaN; one that is not a number stops the reading.
  const auto number = [&](std::string_view line, const Field& f, double& v) {
    const std::string_view s = Cut(line, f);
    v = NAN;
    if (s.empty()) return true;
    if (ReadDecimal(s, v)) return true;
    problem = "columns " + std::to_string(f.first) + "-" + std::to_string(f.last) + " (" + f.what +
              ") hold \"" + std::string(s) + "\", not a number";
    return false;
  };
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    const std::string_view line = text.substr(0, nl);
    text.remove_prefix(nl == text.npos ? text.size() : nl + 1);
    ++lineNo;
    if (line.find_first_not_of(" \t\r") == line.npos) continue;
    double mjd, xp, xpErr, yp, ypErr, ut1, ut1Err;
    if (!number(line, kMjd, mjd) || !number(line, kXp, xp) || !number(line, kXpErr, xpErr) ||
        !number(line, kYp, yp) || !number(line, kYpErr, ypErr) || !number(line, kUt1, ut1) ||
        !number(line, kUt1Err, ut1Err)) {
      return fail(problem);
    }
    if (std::isnan(mjd)) return fail("no MJD in columns 8-15: not a finals2000A row");
    if (std::isnan(xp) || std::isnan(yp) || std::isnan(ut1)) continue;
    if (!table.days.empty() && mjd <= table.days.back().mjd) {
      return fail("the MJD does not follow the row before it");
    }
    if (std::fabs(ut1) > 1 || std::fabs(xp) > 2 || std::fabs(yp) > 2) {
      return fail("UT1-UTC or the pole's coordinates are out of any plausible range");
    }
    // TAI − UTC at that day's 0h UTC, from ERFA's table of leap seconds.
    int y = 0, m = 0, d = 0;
    double fd = 0, dat = 0;
    if (eraJd2cal(ERFA_DJM0, mjd, &y, &m, &d, &fd) != 0 || eraDat(y, m, d, fd, &dat) < 0) {
      return fail("the MJD is not a date ERFA knows");
    }
    EopDay day;
    day.mjd = mjd;
    day.ut1MinusTaiS = ut1 - dat;
    day.xpRad = xp * ERFA_DAS2R;
    day.ypRad = yp * ERFA_DAS2R;
    day.ut1ErrorS = std::isnan(ut1Err) ? kUnstatedUt1ErrorS : ut1Err;
    day.poleErrorRad =
        std::fmax(std::isnan(xpErr) ? 0 : xpErr, std::isnan(ypErr) ? 0 : ypErr) * ERFA_DAS2R;
    table.days.push_back(day);
  }
  if (table.days.empty()) {
    why = name + ": no row with UT1-UTC and polar motion (is it a finals2000A file?)";
    return false;
  }
  out = std::move(table);
  return true;
}

bool ReadEopFile(const std::string& path, EopTable& out, std::string& why) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = path + ": cannot be read";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    why = path + ": cannot be read";
    return false;
  }
  return ParseEop(text.str(), path, out, why);
}

EarthOrientation EarthOrientationAt(const EopTable& table, UtcInstant t,
                                    double taiMinusUtcS) noexcept {
  EarthOrientation e;
  const double mjd = kMjdOfUnixEpoch + static_cast<double>(t.ms) / kMsPerDay;
  const auto& days = table.days;
  if (days.empty() || mjd < days.front().mjd || mjd > days.back().mjd) return e;
  auto after = std::upper_bound(days.begin(), days.end(), mjd,
                                [](double m, const EopDay& d) { return m < d.mjd; });
  if (after == days.end()) --after;  // t on the last day itself
  const EopDay& b = *after;
  const EopDay& a = after == days.begin() ? b : *(after - 1);
  const double w = b.mjd > a.mjd ? (mjd - a.mjd) / (b.mjd - a.mjd) : 0;
  const auto lerp = [w](double x, double y) { return x + w * (y - x); };
  e.covered = true;
  e.ut1MinusUtcS = lerp(a.ut1MinusTaiS, b.ut1MinusTaiS) + taiMinusUtcS;
  e.xpRad = lerp(a.xpRad, b.xpRad);
  e.ypRad = lerp(a.ypRad, b.ypRad);
  e.ut1ErrorS = std::fmax(a.ut1ErrorS, b.ut1ErrorS);
  e.poleErrorRad = std::fmax(a.poleErrorRad, b.poleErrorRad);
  return e;
}

}  // namespace sky
