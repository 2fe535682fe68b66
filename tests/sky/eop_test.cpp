// SPDX-License-Identifier: GPL-3.0-or-later
// IERS Bulletin A files: the fixed columns read, days interpolated across a leap second,
// rows without values skipped, bad fields named with their line, and UT1 turning the Earth.
#include "sky/eop.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "sky/sight.h"

namespace sky {
namespace {

// Three days of finals2000A around the leap second at the end of 2016 (values as IERS
// printed them), and a day of the future without values.
constexpr const char* kRows =
    "161230 57752.00 I  0.067935 0.000024  0.268941 0.000028  I-0.4068093 0.0000094  1.1086 "
    "0.0071  I   -91.271     0.219    -9.453     0.300\n"
    "161231 57753.00 I  0.066404 0.000024  0.269896 0.000030  I-0.4079337 0.0000093  1.1486 "
    "0.0069  I   -91.436     0.219    -9.442     0.300\n"
    "17 1 1 57754.00 I  0.064950 0.000024  0.270923 0.000030  I 0.5908784 0.0000085  1.1781 "
    "0.0062  I   -91.498     0.219    -9.471     0.300\n"
    "17 1 2 57755.00\n";

constexpr std::int64_t kMsOfMjd57753 = (57753 - 40587) * kMsPerDay;  // 2016-12-31T00:00Z

TEST(Eop, InterpolatesUt1AcrossTheLeapSecondAndStopsAtTheLastValues) {
  const std::string path = testing::TempDir() + "finals2000A.test";
  std::ofstream(path) << kRows;
  EopTable table;
  std::string why;
  ASSERT_TRUE(ReadEopFile(path, table, why)) << why;
  ASSERT_EQ(table.days.size(), 3u);  // the day without values skipped
  // At noon on 2016-12-31, TAI − UTC = 36 s: UT1 − UTC halfway between −0.4079337 and
  // 0.5908784 − 1 (UT1 − TAI is what runs on smoothly), = −0.40852765 s.
  const EarthOrientation noon = EarthOrientationAt(table, {kMsOfMjd57753 + kMsPerDay / 2}, 36);
  ASSERT_TRUE(noon.covered);
  EXPECT_NEAR(noon.ut1MinusUtcS, -0.40852765, 1e-9);
  EXPECT_NEAR(noon.xpRad / ERFA_DAS2R, (0.066404 + 0.064950) / 2, 1e-9);
  EXPECT_NEAR(noon.ypRad / ERFA_DAS2R, (0.269896 + 0.270923) / 2, 1e-9);
  EXPECT_NEAR(noon.ut1ErrorS, 0.0000093, 1e-12);
  // On 2017-01-01 at 0h, TAI − UTC = 37 s: the tabulated value itself.
  EXPECT_NEAR(EarthOrientationAt(table, {kMsOfMjd57753 + kMsPerDay}, 37).ut1MinusUtcS, 0.5908784,
              1e-9);
  EXPECT_FALSE(EarthOrientationAt(table, {kMsOfMjd57753 + kMsPerDay + 1}, 37).covered);
  EXPECT_FALSE(EarthOrientationAt(table, {kMsOfMjd57753 - kMsPerDay - 1}, 36).covered);
}

TEST(Eop, Ut1TurnsTheEarthByItsRate) {
  // With UT1 − UTC = δ the Earth has turned ω·δ further: the Moon's longitude in the
  // Earth-fixed frame is ω·δ less (δ = −0.408 s: 6.1″ more), polar motion aside (0.27″).
  EopTable table;
  std::string why;
  ASSERT_TRUE(ParseEop(kRows, "finals", table, why)) << why;
  const UtcInstant t{kMsOfMjd57753 + kMsPerDay / 2};
  SkyModel model;
  model.eop = &table;
  const MoonAndEarth with = MoonAndEarthAt(t, false, model), without = MoonAndEarthAt(t, false);
  ASSERT_TRUE(with.earth.covered);
  const auto longitude = [](const MoonAndEarth& s) {
    const Vec3 m = MatMulVec(s.celestialToTerrestrial, s.moonPositionKm);
    return std::atan2(m.y, m.x);
  };
  EXPECT_NEAR(longitude(with) - longitude(without),
              -kEarthRotationRadPerS * with.earth.ut1MinusUtcS, 0.5 * ERFA_DAS2R);
}

TEST(Eop, Ut1CountsWholeDaysOfSecondsOnALeapSecondsDay) {
  // 1987-12-31 ended in a leap second. At 18:00 UTC, UT1 (= UTC + δ) is 0.75 of the day
  // plus δ: ERFA's quasi-Julian UTC would read 64,800 s of an 86,401 s day instead.
  const TimeScales ts = TimeScalesAt({(47160 - 40587) * kMsPerDay + 18 * 3'600'000}, 0.25);
  EXPECT_NEAR(ts.ut1a - ERFA_DJM0, 47160, 1e-9);
  EXPECT_NEAR(ts.ut1b * ERFA_DAYSEC, 64'800.25, 1e-6);
  EXPECT_EQ(ts.taiMinusUtcS, 23);
}

TEST(Eop, BadFilesAreNamedWithTheirLine) {
  EopTable table;
  std::string why;
  std::string rows = kRows;
  rows[1 * 0 + 62] = 'x';  // inside the first row's UT1-UTC field (columns 59-68)
  EXPECT_FALSE(ParseEop(rows, "finals", table, why));
  EXPECT_EQ(why.rfind("finals:1: columns 59-68 (UT1-UTC)", 0), 0u) << why;
  EXPECT_FALSE(ParseEop("not a file of Bulletin A\n", "f", table, why));
  EXPECT_EQ(why.rfind("f:1:", 0), 0u) << why;
  EXPECT_FALSE(ParseEop("", "empty", table, why));
  EXPECT_NE(why.find("no row"), std::string::npos) << why;
  EXPECT_FALSE(ReadEopFile(testing::TempDir() + "no-such-finals", table, why));
  EXPECT_NE(why.find("no-such-finals"), std::string::npos) << why;
}

}  // namespace
}  // namespace sky
