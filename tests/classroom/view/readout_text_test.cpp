// SPDX-License-Identifier: GPL-3.0-or-later
// The readout texts of computed readouts: what a reader sees for a known state of the Moon.
#include "classroom/view/readout_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/classroom/model/readout_input.h"

namespace {

using namespace sky;

TEST(ReadoutTest, MoonDueNorthShowsAFullTurnOfAzimuth) {
  // From 30° south the Moon over the equator stands due north: no east component at all.
  const Station s = StationAt(-30, 0);
  const Readout r = ComputeReadout(MakeInput(s, {357395.5, 0, 0}, {0, 957.356, 524.789}, 0, false));
  EXPECT_EQ(ReadoutCaptions(r, RefreshMode::EarthTurning)[1], " Az= 360.000° ");
}

struct RangeRateCase {
  const char* name;
  double speed;  // m/s, the Moon receding straight from P
  const char* vFin;
  const char* final;
};

void PrintTo(const RangeRateCase& k, std::ostream* os) {
  *os << k.name;
}

class RangeRateTest : public testing::TestWithParam<RangeRateCase> {};

// P, the Earth's centre and the Moon on one line, the Earth held and the Moon moving along
// that line: the range rate is the Moon's speed, and the shift is -69.167851 Hz per m/s.
TEST_P(RangeRateTest, ShiftIsTheTwoWayFactorTimesTheRangeRate) {
  const RangeRateCase& k = GetParam();
  const Readout r =
      ComputeReadout(MakeInput(StationAt(0, 0), {384400, 0, 0}, {k.speed, 0, 0}, 0, false));
  const auto captions = ReadoutCaptions(r, RefreshMode::EarthTurning);
  EXPECT_EQ(captions[7], k.vFin);
  EXPECT_EQ(captions[11], k.final);
}

INSTANTIATE_TEST_SUITE_P(
    Speeds, RangeRateTest,
    testing::Values(RangeRateCase{"Receding", 1, " vFin= +1.000 m/s ", " Final: -69 Hz "},
                    RangeRateCase{"Approaching", -1, " vFin= -1.000 m/s ", " Final: +69 Hz "},
                    // 500.25 · -69.167851 = -34601.21746275 Hz.
                    RangeRateCase{"Fast", 500.25, " vFin= +500.250 m/s ", " Final: -34601 Hz "},
                    RangeRateCase{"Still", 0, " vFin= 0.000 m/s ", " Final: 0 Hz "}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
