// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the number formatting every readout goes through.
#include "format/format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <ostream>
#include <string>

namespace {

constexpr const char* kSigned = "+0.000;-0.000;0.000";
constexpr const char* kHertz = "+0 Hz ;-0 Hz ;0 Hz ";
constexpr const char* kPlain = "0.000";
constexpr const char* kDegrees = "0.000\u00b0";
constexpr const char* kDegreesBlank = "0.000\u00b0 ";
constexpr const char* kTenthDegrees = "0.0\u00b0";
constexpr const char* kKilometres = "0.000 km";

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct FormatCase {
  const char* name;
  double value;
  const char* pattern;
  const char* expected;
};

// Test listings show the row name instead of the bytes of the row.
void PrintTo(const FormatCase& c, std::ostream* os) {
  *os << c.name;
}

class FormatTable : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, WritesExpectedText) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(toolkit::Format(c.value, c.pattern), c.expected)
      << "value " << c.value << " pattern \"" << c.pattern << "\"";
}

std::string CaseName(const testing::TestParamInfo<FormatCase>& info) {
  return info.param.name;
}

// Ordinary readouts of every pattern the window uses.
INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatTable,
    testing::Values(FormatCase{"SignedPositive", 12.3456, kSigned, "+12.346"},
                    FormatCase{"SignedNegative", -12.3456, kSigned, "-12.346"},
                    FormatCase{"SignedZero", 0.0, kSigned, "0.000"},
                    FormatCase{"HertzPositive", 34601.4, kHertz, "+34601 Hz "},
                    FormatCase{"HertzZero", 0.0, kHertz, "0 Hz "},
                    FormatCase{"PlainNegative", -1.25, kPlain, "-1.250"},
                    FormatCase{"PlainBelowOne", 0.5, kPlain, "0.500"},
                    // 49.2 degrees, the station's latitude at start-up.
                    FormatCase{"DegreesLatitude", 49.2, kDegrees, "49.200\u00b0"},
                    // The full-turn constant of the polar angle, 6.28318530717959 rad, is a hair
                    // above 2 pi and reads 360.000 degrees, not 0.000.
                    FormatCase{"DegreesFullTurn", 6.28318530717959 / 0.017453292519943278, kDegrees,
                               "360.000\u00b0"},
                    FormatCase{"DegreesNegative", -23.4567, kDegrees, "-23.457\u00b0"},
                    FormatCase{"DegreesTrailingBlank", 5.0, kDegreesBlank, "5.000\u00b0 "},
                    FormatCase{"TenthDegrees", 28.74, kTenthDegrees, "28.7\u00b0"},
                    FormatCase{"Kilometres", 384400.0, kKilometres, "384400.000 km"},
                    FormatCase{"KilometresRounded", 356999.99949, kKilometres, "356999.999 km"}),
    CaseName);

// The section follows the sign of the value itself, before rounding; negative zero is zero.
INSTANTIATE_TEST_SUITE_P(
    SectionBySign, FormatTable,
    testing::Values(FormatCase{"TinyPositiveStaysPositive", 0.0001, kSigned, "+0.000"},
                    FormatCase{"TinyNegativeStaysNegative", -0.0001, kSigned, "-0.000"},
                    FormatCase{"ExactZero", 0.0, kSigned, "0.000"},
                    FormatCase{"NegativeZeroIsZero", -0.0, kSigned, "0.000"},
                    FormatCase{"HertzTinyPositive", 0.4, kHertz, "+0 Hz "},
                    FormatCase{"HertzNegativeZero", -0.0, kHertz, "0 Hz "},
                    FormatCase{"OneSectionTinyNegative", -0.0001, kPlain, "-0.000"},
                    FormatCase{"OneSectionNegativeZero", -0.0, kPlain, "0.000"},
                    FormatCase{"OneSectionDegreesNegativeZero", -0.0, kDegrees, "0.000\u00b0"},
                    // With two sections zero has none of its own and takes the first.
                    FormatCase{"TwoSectionsZero", 0.0, "+0.0;-0.0", "+0.0"},
                    FormatCase{"TwoSectionsNegative", -2.0, "+0.0;(0.0)", "(2.0)"},
                    // An empty negative section behaves like a one-section pattern.
                    FormatCase{"EmptyNegativeSection", -2.0, "0.0;;zero", "-2.0"},
                    FormatCase{"ZeroSectionText", 0.0, "0.0;;zero", "zero"}),
    CaseName);

// Rounding is half away from zero on the 15-significant-digit decimal the value reads as.
INSTANTIATE_TEST_SUITE_P(Rounding, FormatTable,
                         testing::Values(
                             // The double nearest 2.0005 is 2.000499999999999900524...; read with
                             // 15 digits it is 2.00050000000000, a tie, which goes up.
                             FormatCase{"DecimalTieGoesUp", 2.0005, kPlain, "2.001"},
                             FormatCase{"DecimalTieGoesUpNearOne", 1.0005, kPlain, "1.001"},
                             FormatCase{"NegativeTieGoesAway", -2.0005, kPlain, "-2.001"},
                             // 15 digits that are really below the half stay below.
                             FormatCase{"BelowTieStaysDown", 1.00049999999999, kPlain, "1.000"},
                             // Exact binary ties go away from zero, not to the even neighbour.
                             FormatCase{"BinaryTieTenths", 0.25, kTenthDegrees, "0.3\u00b0"},
                             FormatCase{"HertzHalfUp", 0.5, kHertz, "+1 Hz "},
                             FormatCase{"HertzEvenHalfUp", 2.5, kHertz, "+3 Hz "},
                             FormatCase{"HertzNegativeHalfAway", -2.5, kHertz, "-3 Hz "},
                             // A whole number of hertz: the Doppler shift of 500.25 m/s of range
                             // rate at -69.167851 Hz per m/s is -34601.217... Hz.
                             FormatCase{"WholeHertz", -34601.21746275, kHertz, "-34601 Hz "},
                             FormatCase{"WholeHertzHalf", 34601.5, kHertz, "+34602 Hz "}),
                         CaseName);

// Rounding that carries into a new integer digit.
INSTANTIATE_TEST_SUITE_P(
    Carry, FormatTable,
    testing::Values(FormatCase{"SignedCarryToTen", 9.9996, kSigned, "+10.000"},
                    FormatCase{"SignedNegativeCarryToTen", -9.9996, kSigned, "-10.000"},
                    FormatCase{"CarryToHundred", 99.9995, kPlain, "100.000"},
                    // 0.95 is stored as 0.94999999999999995559; 15 digits read 0.95.
                    FormatCase{"TenthsCarryToOne", 0.95, kTenthDegrees, "1.0\u00b0"},
                    FormatCase{"TenthsCarryToThousand", 999.95, kTenthDegrees, "1000.0\u00b0"},
                    FormatCase{"DegreesCarryToFullTurn", 359.9996, kDegrees, "360.000\u00b0"},
                    FormatCase{"HertzCarry", 99999.5, kHertz, "+100000 Hz "},
                    FormatCase{"CarryFromBelowFirstPlace", 0.0005, kPlain, "0.001"},
                    FormatCase{"NoCarryJustBelow", 0.00049999, kPlain, "0.000"}),
    CaseName);

// Digit places beyond the patterns the window uses: the general rule.
INSTANTIATE_TEST_SUITE_P(
    DigitPlaces, FormatTable,
    testing::Values(FormatCase{"LeadingZeroPlaces", 5.25, "00.0", "05.3"},
                    FormatCase{"MoreDigitsThanPlaces", 12345.0, "00.0", "12345.0"},
                    FormatCase{"NoIntegerPlace", 0.5, ".000", ".500"},
                    FormatCase{"WholeNumber", 7.0, "0", "7"},
                    FormatCase{"LiteralTextAround", 3.0, "v= 0.0 m/s", "v= 3.0 m/s"},
                    FormatCase{"MinusAfterLeadingText", -3.0, "v= 0.0 m/s", "v= -3.0 m/s"},
                    FormatCase{"NoDigitPlaces", 3.0, "none", "none"}),
    CaseName);

// Non-finite values have no digits: the zero section (or the only one) shows "---".
INSTANTIATE_TEST_SUITE_P(
    NotFinite, FormatTable,
    testing::Values(FormatCase{"SignedNaN", kNaN, kSigned, "---"},
                    FormatCase{"SignedInfinity", kInf, kSigned, "---"},
                    FormatCase{"SignedMinusInfinity", -kInf, kSigned, "---"},
                    FormatCase{"HertzNaN", kNaN, kHertz, "--- Hz "},
                    FormatCase{"HertzMinusInfinity", -kInf, kHertz, "--- Hz "},
                    FormatCase{"PlainNaN", kNaN, kPlain, "---"},
                    FormatCase{"DegreesNaN", kNaN, kDegrees, "---\u00b0"},
                    FormatCase{"DegreesBlankInfinity", kInf, kDegreesBlank, "---\u00b0 "},
                    FormatCase{"TenthDegreesMinusInfinity", -kInf, kTenthDegrees, "---\u00b0"},
                    FormatCase{"KilometresNaN", kNaN, kKilometres, "--- km"}),
    CaseName);

// Very large and very small magnitudes.
INSTANTIATE_TEST_SUITE_P(
    Magnitudes, FormatTable,
    testing::Values(FormatCase{"LargePowerOfTen", 1e20, kPlain, "100000000000000000000.000"},
                    // Only 15 significant digits are read: the rest are zeros.
                    FormatCase{"LargeFifteenDigits", 123456789012345678.0, "0",
                               "123456789012346000"},
                    FormatCase{"LargeNegativeHertz", -1e15, kHertz, "-1000000000000000 Hz "},
                    FormatCase{"TinyPositive", 1e-300, kSigned, "+0.000"},
                    FormatCase{"SmallestSubnormal", std::numeric_limits<double>::denorm_min(),
                               kSigned, "+0.000"},
                    FormatCase{"TinyNegativeOneSection", -1e-300, kPlain, "-0.000"}),
    CaseName);

// The largest double, 1.7976931348623157e308, reads 1.79769313486232e308 with 15 digits:
// those digits and 294 zeros, 309 in all.
TEST(Format, LargestDoubleKeepsFifteenDigits) {
  const std::string expected = "179769313486232" + std::string(294, '0');
  EXPECT_EQ(toolkit::Format(std::numeric_limits<double>::max(), "0"), expected);
  EXPECT_EQ(toolkit::Format(-std::numeric_limits<double>::max(), kHertz), "-" + expected + " Hz ");
}

// The degree sign is two bytes of UTF-8 and must come out exactly as it went in.
TEST(Format, CopiesMultiByteCharactersByteForByte) {
  const std::string text = toolkit::Format(12.5, "0.000\xC2\xB0");
  ASSERT_EQ(text.size(), 8u);
  EXPECT_EQ(text, std::string("12.500\xC2\xB0"));
}

// A C locale with a decimal comma must not turn the decimal point into a comma.
TEST(Format, IgnoresTheCLocale) {
  const char* const commaLocales[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"};
  const char* chosen = nullptr;
  for (const char* name : commaLocales) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const std::string text = toolkit::Format(2.5, kPlain);
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(text, "2.500") << "under " << chosen;
}

}  // namespace
