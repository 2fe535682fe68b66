// SPDX-License-Identifier: GPL-3.0-or-later
// Civil dates and ERFA's time scales for UTC instants.
#include "sky/time.h"

#include <erfa.h>
#include <erfam.h>

#include <cstdio>

namespace sky {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil-day algorithm).
constexpr std::int64_t DaysFromCivil(std::int64_t y, int m, int d) noexcept {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct Civil {
  std::int64_t year;
  int month, day;
};

constexpr Civil CivilFromDays(std::int64_t z) noexcept {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (m <= 2), m, d};
}

static_assert(DaysFromCivil(1970, 1, 1) == 0);
static_assert(DaysFromCivil(1950, 1, 1) * kMsPerDay == kFirstAcceptedInstant.ms);
static_assert((DaysFromCivil(2101, 1, 1) * kMsPerDay - 1000) == kLastAcceptedInstant.ms);

constexpr bool IsLeapYear(std::int64_t y) noexcept {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

constexpr int DaysInMonth(std::int64_t y, int m) noexcept {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Reads exactly `width` decimal digits at text[pos].
bool Digits(std::string_view text, std::size_t pos, std::size_t width, int& value) {
  if (pos + width > text.size()) return false;
  value = 0;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

bool ParseUtc(std::string_view text, UtcInstant& out, std::string& why) {
  const char* const kForm = "expected a UTC time like 2026-12-09T21:30Z or 2026-12-09T21:30:00Z";
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
  if (!Digits(text, 0, 4, year) || text.size() < 17 || text[4] != '-' ||
      !Digits(text, 5, 2, month) || text[7] != '-' || !Digits(text, 8, 2, day) ||
      (text[10] != 'T' && text[10] != 't') || !Digits(text, 11, 2, hour) || text[13] != ':' ||
      !Digits(text, 14, 2, minute)) {
    why = kForm;
    return false;
  }
  std::size_t pos = 16;
  if (text[pos] == ':') {
    if (!Digits(text, pos + 1, 2, second)) {
      why = kForm;
      return false;
    }
    pos += 3;
    if (pos < text.size() && text[pos] == '.') {
      ++pos;
      std::size_t n = 0;
      while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (++n > 3) {
          why = "a fraction of a second has at most three digits (milliseconds)";
          return false;
        }
        ms = ms * 10 + (text[pos++] - '0');
      }
      if (n == 0) {
        why = kForm;
        return false;
      }
      for (; n < 3; ++n) ms *= 10;
    }
  }
  if (pos >= text.size() || (text[pos] != 'Z' && text[pos] != 'z')) {
    why = "the time must end in Z (UTC), like 2026-12-09T21:30Z";
    return false;
  }
  if (pos + 1 != text.size()) {
    why = kForm;
    return false;
  }
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    why = "no such date";
    return false;
  }
  if (hour > 23 || minute > 59 || second > 59) {
    why = "no such time of day (hours 00-23, minutes and seconds 00-59)";
    return false;
  }
  out.ms = DaysFromCivil(year, month, day) * kMsPerDay +
           ((hour * 60 + minute) * 60 + second) * kMsPerSecond + ms;
  return true;
}

UtcInstant StartOfDay(UtcInstant t) noexcept {
  const std::int64_t days = t.ms >= 0 ? t.ms / kMsPerDay : -((-t.ms - 1) / kMsPerDay) - 1;
  return {days * kMsPerDay};
}

std::string FormatUtc(UtcInstant t) {
  const UtcInstant midnight = StartOfDay(t);
  const Civil c = CivilFromDays(midnight.ms / kMsPerDay);
  const std::int64_t inDay = t.ms - midnight.ms;
  const int s = static_cast<int>(inDay / kMsPerSecond);
  const int ms = static_cast<int>(inDay % kMsPerSecond);
  char buf[40];
  if (ms == 0) {
    std::snprintf(buf, sizeof buf, "%04lld-%02d-%02dT%02d:%02d:%02dZ",
                  static_cast<long long>(c.year), c.month, c.day, s / 3600, s / 60 % 60, s % 60);
  } else {
    std::snprintf(buf, sizeof buf, "%04lld-%02d-%02dT%02d:%02d:%02d.%03dZ",
                  static_cast<long long>(c.year), c.month, c.day, s / 3600, s / 60 % 60, s % 60,
                  ms);
  }
  return buf;
}

TimeScales TimeScalesAt(UtcInstant t, double ut1MinusUtcS) noexcept {
  const UtcInstant midnight = StartOfDay(t);
  const Civil c = CivilFromDays(midnight.ms / kMsPerDay);
  const std::int64_t inDay = t.ms - midnight.ms;
  const int minuteOfDay = static_cast<int>(inDay / 60'000);
  const double seconds = static_cast<double>(inDay % 60'000) / kMsPerSecond;
  // ERFA's UTC quasi-Julian date: on a day that ends in a leap second the fraction of the
  // day counts 86,401 s, which eraDtf2d and eraUtctai agree on.
  double utc1 = 0, utc2 = 0;
  eraDtf2d("UTC", static_cast<int>(c.year), c.month, c.day, minuteOfDay / 60, minuteOfDay % 60,
           seconds, &utc1, &utc2);
  double tai1 = utc1, tai2 = utc2;
  // Status +1 ("dubious year": before 1960, or past ERFA's table of leap seconds) still
  // gives the ΔAT wanted here: 0 before 1960 and the last tabulated value after the table.
  // The dates given here are valid, so no negative status arises.
  eraUtctai(utc1, utc2, &tai1, &tai2);
  TimeScales ts;
  eraTaitt(tai1, tai2, &ts.tt1, &ts.tt2);
  // ΔAT at this instant: 23:59:60 has no UtcInstant, so every instant of a day that ends in
  // a leap second still has the day's ΔAT.
  double dat = 0;
  (void)eraDat(static_cast<int>(c.year), c.month, c.day, static_cast<double>(inDay) / kMsPerDay,
               &dat);
  ts.taiMinusUtcS = dat;
  // UT1 = UTC + (UT1 − UTC), counted in days of 86,400 s: not ERFA's quasi-Julian UTC, whose
  // fraction counts 86,401 s on a leap second's day and would turn the Earth up to a
  // second late there.
  ts.ut1a = utc1;
  ts.ut1b = (static_cast<double>(inDay) / kMsPerSecond + ut1MinusUtcS) / ERFA_DAYSEC;
  return ts;
}

}  // namespace sky
