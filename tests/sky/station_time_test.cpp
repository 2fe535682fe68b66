// SPDX-License-Identifier: GPL-3.0-or-later
// Maidenhead locators, station checks, UTC text and the time scales.
#include <gtest/gtest.h>

#include <cmath>

#include "sky/station.h"
#include "sky/time.h"

namespace sky {
namespace {

constexpr double kDegTol = 1e-9;

TEST(Locator, CentresOfKnownCellsAndBack) {
  // JN18eu: field J,N = 0° E, 40° N; square 1,8 = +2°, +8°; subsquare e,u = +4×5', +20×2.5';
  // the centre adds half a subsquare: 2° + 22.5' = 2.375° E, 48° + 51.25' = 48.854167° N.
  // JN18eu47: +4×30" and +7×15", then half of 30" by 15": 2.370833° E, 48.864583° N.
  // FN20: -80° + 4° + 1° = -75° (75° W), 40° + 0° + 0.5° = 40.5° N, on the corner of
  // subsquares l and m, so it maps back to m. RR99xx: 89° + 57.5' + 1.25' = 89.979167° N.
  struct Row {
    const char* locator;
    double latDeg, lonDeg;
    const char* back;
  };
  const Row rows[] = {{"JN18eu", 48.854166666667, 2.375, "JN18eu"},
                      {"jn18EU", 48.854166666667, 2.375, "JN18eu"},
                      {"JN18eu47", 48.864583333333, 2.370833333333, "JN18eu"},
                      {"FN20", 40.5, -75, "FN20mm"},
                      {"rr99xx", 89.979166666667, 179.958333333333, "RR99xx"},
                      {"AA00aa", -89.979166666667, -179.958333333333, "AA00aa"}};
  for (const Row& r : rows) {
    Station s;
    std::string why;
    ASSERT_TRUE(StationFromLocator(r.locator, 12, s, why)) << r.locator << ": " << why;
    EXPECT_NEAR(s.latitudeRad * 180 / M_PI, r.latDeg, kDegTol) << r.locator;
    EXPECT_NEAR(s.longitudeRad * 180 / M_PI, r.lonDeg, kDegTol) << r.locator;
    EXPECT_EQ(s.heightM, 12);
    EXPECT_EQ(LocatorOf(s), r.back);
  }
  Station edge;
  std::string why;
  ASSERT_TRUE(StationFromDegrees(90, 180, 0, edge, why));
  EXPECT_EQ(LocatorOf(edge), "RR99xx");  // the grid's outer edges stay in its last cell
}

TEST(Locator, MalformedOnesAreRefusedWithAReason) {
  for (const char* bad : {"", "JN1", "JN18e", "JN18eu4", "SN18", "JS18", "J118", "JNx8", "JN18yu",
                          "JN18e1", "JN18euAB", "JN18eu4x", "JN18 eu"}) {
    Station s;
    std::string why;
    EXPECT_FALSE(StationFromLocator(bad, 0, s, why)) << bad;
    EXPECT_NE(why.find(bad), std::string::npos) << why;
  }
}

TEST(Station, CoordinatesOutOfRangeAreRefused) {
  Station s;
  std::string why;
  EXPECT_TRUE(StationFromDegrees(-90, -180, -1000, s, why));
  EXPECT_TRUE(StationFromDegrees(90, 180, 20000, s, why));
  for (const auto& [lat, lon, h, word] : {std::tuple{90.001, 0.0, 0.0, "latitude"},
                                          {-91.0, 0.0, 0.0, "latitude"},
                                          {NAN, 0.0, 0.0, "latitude"},
                                          {0.0, 180.5, 0.0, "longitude"},
                                          {0.0, -INFINITY, 0.0, "longitude"},
                                          {0.0, 0.0, 1e6, "height"}}) {
    EXPECT_FALSE(StationFromDegrees(lat, lon, h, s, why));
    EXPECT_NE(why.find(word), std::string::npos) << why;
  }
}

TEST(Utc, TextFormsAndImpossibleDates) {
  // 2026-12-09 is day 20,796 after 1970-01-01 (56 years, 14 of them leap, then 342 days).
  constexpr std::int64_t kDay = 20'796 * kMsPerDay;
  const std::pair<const char*, std::int64_t> good[] = {
      {"2026-12-09T21:30Z", kDay + 77'400'000},
      {"2026-12-09T21:30:00Z", kDay + 77'400'000},
      {"2026-12-09t21:30:07.25z", kDay + 77'407'250},
      {"1969-12-31T23:59:59.999Z", -1},
      {"2000-02-29T00:00Z", 951'782'400'000}};
  for (const auto& [text, ms] : good) {
    UtcInstant t;
    std::string why;
    ASSERT_TRUE(ParseUtc(text, t, why)) << text << ": " << why;
    EXPECT_EQ(t.ms, ms) << text;
  }
  EXPECT_EQ(FormatUtc(UtcInstant{kDay + 77'407'250}), "2026-12-09T21:30:07.250Z");
  EXPECT_EQ(FormatUtc(UtcInstant{-1}), "1969-12-31T23:59:59.999Z");
  EXPECT_EQ(FormatUtc(kFirstAcceptedInstant), "1950-01-01T00:00:00Z");
  EXPECT_EQ(FormatUtc(kLastAcceptedInstant), "2100-12-31T23:59:59Z");

  for (const char* bad : {"2026-12-09T21:30", "2026-12-09 21:30Z", "2026-13-09T21:30Z",
                          "2026-02-29T00:00Z", "2100-02-29T00:00Z", "2026-12-09T24:00Z",
                          "2026-12-09T21:60Z", "2026-12-09T21:30:60Z", "2026-12-09T21:30:00.1234Z",
                          "2026-12-09T21:30:00.Z", "2026-12-09T21:30ZZ", "26-12-09T21:30Z", ""}) {
    UtcInstant t;
    std::string why;
    EXPECT_FALSE(ParseUtc(bad, t, why)) << bad;
    EXPECT_FALSE(why.empty());
  }
}

TEST(Utc, TerrestrialTimeFollowsTheLeapSeconds) {
  // TT − UTC = ΔAT + 32.184 s: 37 leap seconds since 2017, 10 in 1972, none before 1960.
  const auto ttMinusUtc = [](std::int64_t ms) {
    const TimeScales ts = TimeScalesAt(UtcInstant{ms});
    return ((ts.tt1 - ts.ut1a) + (ts.tt2 - ts.ut1b)) * 86400;
  };
  EXPECT_NEAR(ttMinusUtc(1'796'811'111'000), 69.184, 1e-6);
  EXPECT_NEAR(ttMinusUtc(63'072'000'000), 42.184, 1e-6);
  EXPECT_NEAR(ttMinusUtc(kFirstAcceptedInstant.ms), 32.184, 1e-6);
  EXPECT_NEAR(ttMinusUtc(kLastAcceptedInstant.ms), 69.184, 1e-6);  // past the table: its last
}

}  // namespace
}  // namespace sky
