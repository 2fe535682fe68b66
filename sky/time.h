// SPDX-License-Identifier: GPL-3.0-or-later
// Instants in UTC, their text form, and the time scales the Moon and the Earth need.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sky {

// An instant in UTC, in milliseconds since 1970-01-01T00:00:00Z, every day counted as
// 86,400 s: a leap second (23:59:60) has no number of its own, as in POSIX time.
struct UtcInstant {
  std::int64_t ms = 0;
  auto operator<=>(const UtcInstant&) const = default;
};

inline constexpr std::int64_t kMsPerSecond = 1000;
inline constexpr std::int64_t kMsPerDay = 86'400'000;

// The instants the Moon's series is trusted for: 1950-01-01T00:00:00Z to
// 2100-12-31T23:59:59Z, both included.
inline constexpr UtcInstant kFirstAcceptedInstant{-631'152'000'000};
inline constexpr UtcInstant kLastAcceptedInstant{4'133'980'799'000};

[[nodiscard]] constexpr bool IsAccepted(UtcInstant t) noexcept {
  return t >= kFirstAcceptedInstant && t <= kLastAcceptedInstant;
}

// Reads `2026-12-09T21:30Z`, `2026-12-09T21:30:00Z` or `2026-12-09T21:30:00.250Z` (a
// fraction of up to three digits; the Z is required). On failure returns false and says in
// `why` what is wrong. The accepted years are not checked here.
[[nodiscard]] bool ParseUtc(std::string_view text, UtcInstant& out, std::string& why);

// `2026-12-09T21:30:00Z`, or `2026-12-09T21:30:00.250Z` when there is a fraction.
[[nodiscard]] std::string FormatUtc(UtcInstant t);

// Midnight UTC at the start of the day that holds t.
[[nodiscard]] UtcInstant StartOfDay(UtcInstant t) noexcept;

// The time scales at one instant, each a two-part Julian date as ERFA takes them:
// TT drives the Moon's series and the precession-nutation; UT1 the Earth rotation angle.
struct TimeScales {
  double tt1 = 0, tt2 = 0;    // TT, days
  double ut1a = 0, ut1b = 0;  // UT1, days
  double taiMinusUtcS = 0;    // ΔAT (s)
};

// TT = UTC + ΔAT + 32.184 s, ΔAT from ERFA's table of leap seconds (0 before 1960, when
// UTC did not exist: the instant then stands for UT, and TT is off by the few seconds of
// the real ΔT of those years). UT1 = UTC + `ut1MinusUtcS` (0 without Earth orientation
// data: |UT1 − UTC| < 0.9 s).
[[nodiscard]] TimeScales TimeScalesAt(UtcInstant t, double ut1MinusUtcS = 0) noexcept;

}  // namespace sky
