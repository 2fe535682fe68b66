// SPDX-License-Identifier: GPL-3.0-or-later
// A long animation: 50,000 ticks with the memory watched, and the clock checked at the end.
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>

#include "classroom/form/form1.h"
#include "classroom/interaction/animation.h"
#include "classroom/interaction/orbit_controls.h"
#include "classroom/model/earth.h"
#include "classroom/model/orbit.h"
#include "tests/support/started_form.h"
#include "toolkit/application.h"

namespace {

constexpr int kTicks = 50000;
constexpr int kSettleTicks = 1000;  // caches and pools fill during the first ticks
constexpr long kAllowedGrowth = 2L * 1024 * 1024;
constexpr int kPaintEvery = 50;  // the window repaints now and then, as it would on screen
constexpr int kSpeed = 12345;    // a speed slider position between its ends
constexpr double kDeg = 0.017453292519943278;

// Resident set size of this process, in bytes.
long ResidentBytes() {
  long pages = 0;
  long resident = 0;
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return -1;
  const int read = std::fscanf(statm, "%ld %ld", &pages, &resident);
  std::fclose(statm);
  return read == 2 ? resident * sysconf(_SC_PAGESIZE) : -1;
}

// The number a readout shows: " 123.457° " gives 123.457.
double ShownDegrees(const std::string& caption) {
  return std::strtod(caption.c_str(), nullptr);
}

// Angle between two directions given in degrees, in [0, 180].
double AngleApart(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return std::min(d, 360.0 - d);
}

TEST(AnimationSoak, FiftyThousandTicksKeepTheMemoryAndTheClock) {
  coupledMoonBase = 0;
  animStep = 0;
  Form1& f = StartForm();
  f.Option4(1).SetValue(true);
  f.HScroll1(0).SetValue(kSpeed);
  // The speed slider's scale: (v / 32767) × 20 + 0.2 degrees of Earth rotation per tick.
  const double step = (kSpeed / 32767.0) * 20 + 0.2;
  ASSERT_DOUBLE_EQ(animStep, step);
  // Every tick is one made here; the running timer's own ticks reach nothing.
  const std::function<void()> tick = f.Timer1().onTimer;
  f.Timer1().onTimer = nullptr;

  long settled = 0;
  for (int n = 1; n <= kTicks; ++n) {
    tick();
    if (n % kPaintEvery == 0) toolkit::DoEvents();
    if (n == kSettleTicks) settled = ResidentBytes();
  }
  const long grown = ResidentBytes() - settled;
  ASSERT_GT(settled, 0);
  std::cout << "resident " << settled / 1024 << " KiB after " << kSettleTicks << " ticks, grown by "
            << grown / 1024 << " KiB over the next " << kTicks - kSettleTicks << std::endl;
  EXPECT_LE(grown, kAllowedGrowth) << "resident memory grew by " << grown << " bytes";

  // The program sums the clock tick by tick; the closed form n × step differs from that sum
  // by at most half an ulp of the clock per addition (and one more for the product): with a
  // clock near 386,750°, whose ulp is 2^-34, that is 50,001 × 2^-35 ≈ 1.5e-6 degrees, far
  // below the last decimal shown. So the closed form is compared, with half a unit of that
  // decimal for the rounding of the readout plus this bound.
  const double clock = kTicks * step;
  const double summed = (kTicks + 1) * (std::nextafter(clock, INFINITY) - clock) / 2;
  EXPECT_NEAR(f.animClock, clock, summed);
  const double earth = std::fmod(clock, 360);
  const double moon = std::fmod(clock / 27.55455, 360);
  const double shown = 0.0005 + summed + 1e-9;
  EXPECT_LE(AngleApart(ShownDegrees(f.Label3().Caption()), earth), shown)
      << f.Label3().Caption() << " for " << earth << "°";
  EXPECT_LE(AngleApart(ShownDegrees(f.Label4().Caption()), moon), shown)
      << f.Label4().Caption() << " for " << moon << "°";
  // The model stands where the readouts say: the Earth turned by the sidereal angle, the Moon
  // at that orbit angle.
  const double sidereal = std::atan2(EarthRot(0, 1), EarthRot(0, 0)) / kDeg;
  EXPECT_LE(AngleApart(sidereal, earth), summed + 1e-9);
  EXPECT_LE(AngleApart(trueAnomaly / kDeg, moon), summed + 1e-9);
  EXPECT_NE(EarthRotRate, MatZero());
  DestroyForm1();
}

}  // namespace
