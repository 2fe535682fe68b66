// SPDX-License-Identifier: GPL-3.0-or-later
// The real Moon seen from stations: derivatives against finite differences, the shares'
// sum and bounds, the zero of the parallax share, the Doppler factor and a year's range.
#include "sky/sight.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>

namespace sky {
namespace {

struct Place {
  const char* name;
  double latDeg, lonDeg, heightM;
};
constexpr Place kPlaces[] = {{"equator", 0, 0, 0},
                             {"paris", 48.85, 2.35, 35},
                             {"sydney", -33.87, 151.21, 60},
                             {"andes", -22.95, -67.78, 5000},
                             {"near_north_pole", 89.5, -40, 0},
                             {"south_pole", -90, 0, 2835}};
// Instants spread over the accepted years, some with a fraction of a second.
constexpr std::int64_t kInstants[] = {-631'152'000'000, 0, 1'765'321'800'000, 1'796'811'111'250,
                                      4'133'980'799'000};

Site SiteAt(const Place& p) {
  Station s;
  std::string why;
  EXPECT_TRUE(StationFromDegrees(p.latDeg, p.lonDeg, p.heightM, s, why)) << why;
  return SiteOf(s);
}

Sight At(const Site& site, std::int64_t ms) {
  return SightFrom(MoonAndEarthAt(UtcInstant{ms}), site);
}

TEST(Sight, RatesEqualFiniteDifferencesAndSharesAddUp) {
  // Central differences over ±0.5 s: their error is a 24th of the third derivative, far
  // below these tolerances. The range rate may differ by the precession's neglected rate
  // (station velocity ω × r, 1e-5 m/s).
  constexpr double kRangeRateTol = 1e-3;      // m/s
  constexpr double kAccelerationTol = 1e-6;   // m/s², 0.004 Hz/min at 10 GHz
  constexpr double kElevationRateTol = 1e-7;  // deg/s
  for (const Place& p : kPlaces) {
    const Site site = SiteAt(p);
    for (const std::int64_t t : kInstants) {
      SCOPED_TRACE(std::string(p.name) + " at " + FormatUtc(UtcInstant{t}));
      const Sight s = At(site, t), before = At(site, t - 500), after = At(site, t + 500);
      EXPECT_NEAR(s.rangeRateMs, (after.rangeKm - before.rangeKm) * 1000, kRangeRateTol);
      EXPECT_NEAR(s.rangeAccelerationMs2, after.rangeRateMs - before.rangeRateMs, kAccelerationTol);
      if (std::fabs(s.elevationDeg) < 85) {
        EXPECT_NEAR(s.elevationRateDegPerS, after.elevationDeg - before.elevationDeg,
                    kElevationRateTol);
      }
      EXPECT_NEAR(s.radialMs + s.parallaxMs + s.rotationMs, s.rangeRateMs, 1e-9);
      EXPECT_NEAR(s.echoDelayS, 2 * s.rangeKm * 1000 / 299'792'458.0, 1e-12);
      EXPECT_GE(s.azimuthDeg, 0);
      EXPECT_LT(s.azimuthDeg, 360);
    }
  }
}

TEST(Sight, RotationShareNeverExceedsTheStationsSpeed) {
  // ω·a = 7.2921159e-5 rad/s × 6378137 m = 465.10 m/s on the equator at sea level.
  EXPECT_NEAR(kEarthRotationRadPerS * 6'378'137.0, 465.10, 0.005);
  for (const Place& p : kPlaces) {
    const Site site = SiteAt(p);
    const double speed =
        kEarthRotationRadPerS * std::hypot(site.positionKm.x, site.positionKm.y) * 1000;
    double largest = 0;
    for (std::int64_t t = 1'765'238'400'000; t < 1'765'238'400'000 + 2 * kMsPerDay; t += 600'000) {
      largest = std::fmax(largest, std::fabs(At(site, t).rotationMs));
    }
    EXPECT_LE(largest, speed + 1e-9) << p.name;
    // Over two days the Moon crosses the horizon, where most of that speed lies along the
    // line of sight: cos(declination) of it at least, the declination being under 29°.
    if (std::fabs(p.latDeg) < 60) {
      EXPECT_GT(largest, 0.85 * speed) << p.name;
    }
  }
}

TEST(Sight, ParallaxShareVanishesUnderTheMoon) {
  // Where the line from the Earth's centre to the Moon meets the ellipsoid, the station
  // sees the Moon along r̂ itself, so (u − r̂)·vMoon = 0.
  for (const std::int64_t t : kInstants) {
    const MoonAndEarth state = MoonAndEarthAt(UtcInstant{t});
    const Vec3 moon = VecScale(1000, MatMulVec(state.celestialToTerrestrial, state.moonPositionKm));
    // The line meets the ellipsoid x²/a² + y²/a² + z²/b² = 1 at k·moon.
    double a = 0, f = 0;
    ASSERT_EQ(eraEform(ERFA_WGS84, &a, &f), 0);
    const double b = a * (1 - f);
    const double k =
        1 / std::sqrt((moon.x * moon.x + moon.y * moon.y) / (a * a) + moon.z * moon.z / (b * b));
    double xyz[3] = {k * moon.x, k * moon.y, k * moon.z}, lon = 0, lat = 0, h = 0;
    ASSERT_EQ(eraGc2gd(ERFA_WGS84, xyz, &lon, &lat, &h), 0);
    ASSERT_NEAR(h, 0, 1e-6);
    const Sight s = SightFrom(state, SiteOf(Station{lat, lon, 0}));
    EXPECT_NEAR(s.parallaxMs, 0, 1e-6);
    EXPECT_GT(s.elevationDeg, 89.7);  // the geodetic and geocentric verticals differ < 0.2°
  }
}

TEST(Sight, DopplerFactors) {
  // 2 × 10368e6 Hz / 299792458 m/s = 69.167851 Hz per m/s, the echo lowered as v > 0.
  constexpr double kFactor = 69.167851;
  EXPECT_NEAR(SelfShiftHz(10368e6, 1), -kFactor, 1e-6);
}

TEST(Sight, AYearOfTheMoonStaysInItsKnownRanges) {
  // The Moon's distance runs between about 356,400 and 406,700 km; its radial speed, from
  // the orbit's eccentricity (0.055 × 1.02 km/s) and the Sun's perturbations, stays under
  // 80 m/s.
  const Site centreLike = SiteOf(Station{0, 0, 0});
  for (std::int64_t t = 1'767'225'600'000; t < 1'767'225'600'000 + 365 * kMsPerDay;
       t += 3'600'000) {
    const MoonAndEarth state = MoonAndEarthAt(UtcInstant{t}, false);
    const double r = VecLength(state.moonPositionKm);
    ASSERT_GT(r, 356'000);
    ASSERT_LT(r, 407'000);
    ASSERT_LT(std::fabs(SightFrom(state, centreLike).radialMs), 80);
  }
}

}  // namespace
}  // namespace sky
