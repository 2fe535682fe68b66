// SPDX-License-Identifier: GPL-3.0-or-later
// What the window and the page share: numbers read as C notation whatever the locale, the
// station's checks with their messages, stored settings that fall back to the defaults, the
// readouts' texts, and the day's playback and description.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <locale>
#include <string>
#include <vector>

#include "sky/time.h"
#include "skyapp/core/day_plot.h"
#include "skyapp/core/readout_text.h"
#include "skyapp/core/readouts.h"
#include "skyapp/core/settings.h"
#include "skyapp/core/station_text.h"

namespace skyapp {
namespace {

TEST(SharedCore, NumbersAreReadAsCNotationWhateverTheLocale) {
  // A locale with a decimal comma, where one is installed: a stream that followed it would
  // read "1.5" as 1.
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "C"}) {
    if (std::setlocale(LC_ALL, name) == nullptr) continue;
    try {
      std::locale::global(std::locale(name));
    } catch (const std::runtime_error&) {
      continue;
    }
    EXPECT_EQ(ParseNumber(" 1.5 "), 1.5) << name;
    EXPECT_EQ(ParseNumber("1,5"), 1.5) << name;  // a decimal comma typed
    EXPECT_EQ(ParseNumber("-2e3"), -2000) << name;
    EXPECT_EQ(ParseNumber("+.25"), 0.25) << name;
    for (const char* bad :
         {"", " ", "-", "1.2.3", "151.21e", "0x10", "inf", "nan", "1e400", "12 m", "1,5,0"}) {
      EXPECT_FALSE(ParseNumber(bad).has_value()) << name << " '" << bad << "'";
    }
  }
  std::locale::global(std::locale::classic());
  std::setlocale(LC_ALL, "C");
}

TEST(SharedCore, EachBadStationTextIsNamedAtItsFieldAndAGoodOneFillsTheOtherForm) {
  struct Bad {
    const char *lat, *lon, *h;
    StationField field;
    const char* start;
  };
  const Bad bad[] = {{"x", "0", "", StationField::kLatitude, "Latitude: type a number"},
                     {"90.5", "0", "", StationField::kLatitude, "Latitude"},
                     {"0", "", "", StationField::kLongitude, "Longitude: type a number"},
                     {"0", "180.01", "", StationField::kLongitude, "Longitude"},
                     {"0", "0", "tall", StationField::kHeight, "Height: type a number"}};
  for (const Bad& b : bad) {
    const StationCheck c = CheckCoordinateTexts(b.lat, b.lon, b.h, false);
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.bad, b.field) << b.lat << " " << b.lon << " " << b.h;
    EXPECT_TRUE(c.message.starts_with(b.start)) << c.message;
    EXPECT_TRUE(c.message.ends_with(".")) << c.message;
  }
  // 40.5° N 75° W: field F (105° east of the antimeridian / 20), square 2, subsquare m
  // (1° / 5'); N (130.5° / 10), 0, m (0.5° / 2.5').
  const StationCheck fn = CheckCoordinateTexts("40.5", "-75", "", false);
  ASSERT_TRUE(fn.ok && fn.station);
  EXPECT_EQ(fn.locator, "FN20mm");
  const StationCheck loc = CheckLocatorText("fn20", "", false);
  // The centre of the square FN20, 40° to 41° N and 76° to 74° W.
  ASSERT_TRUE(loc.ok && loc.station);
  EXPECT_EQ(loc.latitude, "40.5000");
  EXPECT_EQ(loc.longitude, "-75.0000");
  const StationCheck badLocator = CheckLocatorText("JN18ez", "", false);
  EXPECT_EQ(badLocator.bad, StationField::kLocator);
  EXPECT_NE(badLocator.message.find("JN18ez"), std::string::npos) << badLocator.message;
  EXPECT_EQ(CheckLocatorText("JN18", "x", false).bad, StationField::kHeight);
  // Blank: refused for the station, no station for the optional DX.
  EXPECT_FALSE(CheckLocatorText(" ", "", false).ok);
  const StationCheck none = CheckCoordinateTexts("", "", "", true);
  EXPECT_TRUE(none.ok && !none.station);
}

TEST(SharedCore, StoredValuesThatAreCorruptOrOutOfRangeGiveTheDefaults) {
  std::string loc;
  EXPECT_FALSE(StoredStation("", "91", "0", "0", loc));
  EXPECT_FALSE(StoredStation("ZZ99", "abc", "0", "", loc));
  EXPECT_FALSE(StoredStation("", "", "", "", loc));
  // A stored locator wins over the coordinates; a bad height is 0.
  const auto s = StoredStation("JN18eu", "-10", "20", "high", loc);
  ASSERT_TRUE(s);
  EXPECT_EQ(loc, "JN18eu");
  EXPECT_EQ(s->heightM, 0);
  EXPECT_GT(s->latitudeRad, 48 * M_PI / 180);
  for (const char* bad : {"", "abc", "0", "-144", "nan", "inf", "1e7", "1296 MHz"}) {
    EXPECT_EQ(StoredBandMhz(bad), kDefaultBandMhz) << bad;
  }
  EXPECT_EQ(StoredBandMhz("1296"), 1296);
  // EOP values stored read back exactly; any corruption gives none.
  sky::EopTable eop{
      "finals2000A.daily",
      {{61000, -36.9, 1e-6, 2e-6, 1e-5, 3e-9}, {61001, -36.91, 1.1e-6, 2.1e-6, 1e-5, 3e-9}}};
  const auto back = EopFromStored(EopToStored(eop));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->path, eop.path);
  ASSERT_EQ(back->days.size(), 2u);
  EXPECT_EQ(back->days[1].ut1MinusTaiS, -36.91);
  EXPECT_EQ(back->days[1].xpRad, 1.1e-6);
  std::swap(eop.days[0], eop.days[1]);  // days out of order
  for (const std::string& bad :
       {EopToStored(eop), std::string("x\n61000 1 2 3 4"), std::string("x\n61000 1 2 3 4 5 6"),
        std::string("\n"), std::string()}) {
    EXPECT_FALSE(EopFromStored(bad)) << bad;
  }
  // What is stored reads back to the same double.
  const double lat = 49.2 * M_PI / 180 * 180 / M_PI;
  EXPECT_EQ(ParseNumber(NumberToStore(lat)), lat);
  // A band typed is stored, linked and shown back as typed.
  EXPECT_EQ(NumberToStore(2320.1), "2320.1");
  EXPECT_EQ(NumberToStore(0.1 + 0.2), "0.30000000000000004");  // not 0.3: that is another double
}

TEST(SharedCore, ReadoutsPrintTheTablesNumberWithItsUnit) {
  Figures f;
  f.values[static_cast<std::size_t>(Figure::kAzimuthDeg)] = 359.9996;  // rounds to 360.000
  f.values[static_cast<std::size_t>(Figure::kSelfHz)] = -0.04;         // rounds to -0.0
  f.values[static_cast<std::size_t>(Figure::kEchoDelayS)] = 2.5;
  EXPECT_EQ(ReadoutText(f, Figure::kAzimuthDeg), "0.000°");
  EXPECT_EQ(ReadoutText(f, Figure::kSelfHz), "0.0 Hz");
  EXPECT_EQ(ReadoutText(f, Figure::kEchoDelayS), "2.500000 s");
  EXPECT_EQ(ReadoutText(f, Figure::kDxHz), "-");  // no DX station
  EXPECT_EQ(ReadoutText(f, Figure::kDxElevationDeg), "no DX station");
  EXPECT_EQ(CellText(Figure::kAzimuthDeg, 359.9996), "0.000");
}

// The digits are written without the C library where the rounding is plain; they must be the
// library's own to the last character: against printf's exact rounding of the double, over
// every magnitude the readouts reach, the halves the double holds exactly (ties to even), and
// values a hair either side of a half.
TEST(SharedCore, FixedDecimalsAreThoseTheCLibraryPrints) {
  const auto printed = [](double v, int d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", d, Unsigned0(v, d));
    return std::string(buf);
  };
  std::vector<double> values = {0,     0.5,         1.5,      2.5,   0.125,    2.675,
                                -2.5,  -0.125,      999999.5, 1e9,   3e12,     -0.0004,
                                -0.04, 403844.8195, 1.0005,   0.045, 359.9995, 12345678.9};
  std::uint64_t x = 88172645463325252ULL;  // xorshift64: every magnitude from 1e-4 to 1e10
  for (int i = 0; i < 20000; ++i) {
    x ^= x << 13, x ^= x >> 7, x ^= x << 17;
    const double unit = static_cast<double>(x >> 11) / 9007199254740992.0;
    values.push_back((i % 2 ? -1 : 1) * std::pow(10.0, -4 + 14 * unit));
  }
  for (const double v : std::vector<double>(values)) {
    values.push_back(std::nextafter(v, 1e300));
    values.push_back(std::nextafter(v, -1e300));
  }
  for (const double v : values) {
    for (int d = 0; d <= 6; ++d) {
      // Each value also a hair either side of a half of its last decimal.
      const double half = (std::floor(v * std::pow(10.0, d)) + 0.5) / std::pow(10.0, d);
      for (const double w : {v, half, std::nextafter(half, 1e300), std::nextafter(half, -1e300)}) {
        ASSERT_EQ(Fixed(w, d), printed(w, d)) << std::hexfloat << w << " with " << d;
      }
    }
  }
  EXPECT_EQ(Fixed(std::nan(""), 2), printed(std::nan(""), 2));
}

TEST(SharedCore, PlaybackStaysWithinTheDayAndTheDescriptionNamesItsExtremes) {
  sky::UtcInstant day;
  std::string why;
  ASSERT_TRUE(sky::ParseUtc("2026-12-09T00:00:00Z", day, why));
  // 10 min per second, 40 ms a step: 24 s of the sky a step.
  EXPECT_EQ(NextPlayStep({day.ms + 3'600'000}, 1).next.ms, day.ms + 3'624'000);
  const PlayStep last = NextPlayStep({day.ms + sky::kMsPerDay - 10'000}, 2);
  EXPECT_EQ(last.next.ms, day.ms + sky::kMsPerDay - 1000);
  EXPECT_TRUE(last.last);
  EXPECT_EQ(PlayStart(last.next), day);
  EXPECT_EQ(ShownInstant(true, {}, day.ms + 1999).ms, day.ms + 1000);
  EXPECT_EQ(ShownInstant(false, {sky::kLastAcceptedInstant.ms + 5}, 0), sky::kLastAcceptedInstant);

  sky::DayCurves c;
  c.start = day;
  c.selfHz.assign(sky::DayCurves::kPoints, 0);
  c.selfHz[90] = -1500.04;   // 01:30
  c.selfHz[1200] = 2000.06;  // 20:00
  c.belowHorizon = {{day, {day.ms + 5 * 3'600'000}},
                    {{day.ms + 22 * 3'600'000}, {day.ms + sky::kMsPerDay}}};
  const std::string text = DescribeDay(c);
  EXPECT_NE(text.find("-1500.0 Hz at 01:30"), std::string::npos) << text;
  EXPECT_NE(text.find("2000.1 Hz at 20:00"), std::string::npos) << text;
  EXPECT_NE(text.find("00:00 to 05:00 and 22:00 to 24:00"), std::string::npos) << text;
  const auto outline = ShadeOutline(c.belowHorizon, day, -1, 1);
  ASSERT_EQ(outline.size(), 10u);
  EXPECT_EQ(outline[2].hz, 1);
  EXPECT_EQ(outline.back().ms, static_cast<double>(day.ms + sky::kMsPerDay));
}

}  // namespace
}  // namespace skyapp
