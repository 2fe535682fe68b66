// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's passes: horizon crossings, highest points, cut passes and grazing ones.
#include "sky/passes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "sky/sight.h"

namespace sky {
namespace {

std::vector<Pass> PassesOf(double latDeg, double lonDeg, std::int64_t from, std::int64_t to) {
  Station s;
  std::string why;
  EXPECT_TRUE(StationFromDegrees(latDeg, lonDeg, 0, s, why));
  std::vector<Pass> out;
  ForEachPass(SiteOf(s), UtcInstant{from}, UtcInstant{to}, [&](const Pass& p) {
    out.push_back(p);
    return true;
  });
  return out;
}

Sight SightAt(double latDeg, double lonDeg, UtcInstant t) {
  return SightFrom(MoonAndEarthAt(t, false),
                   SiteOf(Station{latDeg * M_PI / 180, lonDeg * M_PI / 180, 0}));
}

constexpr std::int64_t kDec2026 = 1'796'083'200'000;  // 2026-12-01T00:00:00Z

TEST(Passes, RiseAndSetAreOnTheHorizonAndTheTopIsHighest) {
  // At mid-latitudes the Moon rises once per lunar day, 24.8 h: 9 to 11 passes in ten days.
  for (const double lat : {49.2, -33.9, 0.0}) {
    const std::vector<Pass> passes = PassesOf(lat, 2.35, kDec2026, kDec2026 + 10 * kMsPerDay);
    ASSERT_GE(passes.size(), 9u) << lat;
    ASSERT_LE(passes.size(), 11u) << lat;
    for (const Pass& p : passes) {
      for (const auto& end : {p.rise, p.set}) {
        if (!end) continue;
        // Rounded to the nearest second: within half a second's motion of the horizon.
        const Sight s = SightAt(lat, 2.35, *end);
        EXPECT_LE(std::fabs(s.elevationDeg), std::fabs(s.elevationRateDegPerS) * 0.5 + 1e-9)
            << FormatUtc(*end);
        EXPECT_EQ(end->ms % 1000, 0);
      }
      if (p.rise && p.set) {
        EXPECT_LT(*p.rise, p.highest);
        EXPECT_LT(p.highest, *p.set);
        for (const std::int64_t d : {-60'000, 60'000}) {
          EXPECT_LE(SightAt(lat, 2.35, UtcInstant{p.highest.ms + d}).elevationDeg,
                    p.highestElevationDeg);
        }
      }
    }
    for (std::size_t i = 1; i < passes.size(); ++i) {
      ASSERT_TRUE(passes[i - 1].set && passes[i].rise);
      EXPECT_LT(*passes[i - 1].set, *passes[i].rise);
    }
  }
}

TEST(Passes, APassCutByTheIntervalHasThatEndEmpty) {
  const std::vector<Pass> whole = PassesOf(49.2, 0, kDec2026, kDec2026 + 2 * kMsPerDay);
  ASSERT_GE(whole.size(), 2u);
  const Pass& p = whole[1];  // the first may be cut by the start
  ASSERT_TRUE(p.rise && p.set);
  // Starting between rise and set: no rise; ending there too: no set.
  const std::int64_t mid = p.rise->ms + (p.set->ms - p.rise->ms) / 3;
  const std::vector<Pass> cut = PassesOf(49.2, 0, mid, mid + 60'000);
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_FALSE(cut[0].rise);
  EXPECT_FALSE(cut[0].set);
  EXPECT_GE(cut[0].highest.ms, mid);
  EXPECT_LE(cut[0].highest.ms, mid + 60'000);
}

TEST(Passes, NoneIsMissedNearThePole) {
  // Near the pole the Moon grazes the horizon for weeks: every hour's sample that sees it
  // above 0.1° must lie inside a reported pass.
  const double lat = 89.5;
  const std::vector<Pass> passes = PassesOf(lat, 10, kDec2026, kDec2026 + 30 * kMsPerDay);
  for (std::int64_t t = kDec2026; t <= kDec2026 + 30 * kMsPerDay; t += 3'600'000) {
    if (SightAt(lat, 10, UtcInstant{t}).elevationDeg <= kLowestPassDeg) continue;
    bool inside = false;
    for (const Pass& p : passes) {
      inside |= (!p.rise || p.rise->ms <= t) && (!p.set || t <= p.set->ms);
    }
    EXPECT_TRUE(inside) << FormatUtc(UtcInstant{t});
  }
}

}  // namespace
}  // namespace sky
