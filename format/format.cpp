// SPDX-License-Identifier: GPL-3.0-or-later
// Pattern formatting of numbers: sections by sign, digit places, decimal rounding.
#include "format/format.h"

#include <cmath>
#include <cstddef>
#include <ios>
#include <locale>
#include <sstream>
#include <string>
#include <string_view>

namespace toolkit {
namespace {

// The digit places of one section: the run that starts at the first '0' (or at a '.' right
// before one) and goes on over '0's and at most one '.'. Everything outside it is literal.
struct NumberField {
  bool found = false;
  std::size_t begin = 0;
  std::size_t end = 0;
  int integerDigits = 0;  // '0's before the decimal point: the least number of integer digits
  int decimals = 0;       // '0's after it: the number of decimals written
  bool hasPoint = false;
};

NumberField FindNumberField(std::string_view section) {
  NumberField field;
  std::size_t i = 0;
  while (i < section.size()) {
    if (section[i] == '0') break;
    if (section[i] == '.' && i + 1 < section.size() && section[i + 1] == '0') break;
    ++i;
  }
  if (i == section.size()) return field;
  field.found = true;
  field.begin = i;
  for (; i < section.size(); ++i) {
    if (section[i] == '0') {
      if (field.hasPoint) {
        ++field.decimals;
      } else {
        ++field.integerDigits;
      }
    } else if (section[i] == '.' && !field.hasPoint) {
      field.hasPoint = true;
    } else {
      break;
    }
  }
  field.end = i;
  return field;
}

// The digits of magnitude (finite, >= 0) rounded to `decimals` places, as a whole number of
// units of 10^-decimals without leading zeros ("" for zero). The value is first read as the
// decimal number of 15 significant digits it prints as, and that decimal is rounded half away
// from zero: a readout of 2.0005 shows 2.001 although the nearest double lies a hair below,
// as a person reading the 15-digit value would round it. The stream is imbued with the
// classic locale, so the decimal point never turns into a comma whatever the user's locale;
// its conversion is exact (the C library's %e), so every build of the program, native or
// WebAssembly, reads the same 15 digits.
std::string ScaledDigits(double magnitude, int decimals) {
  std::string digits;
  if (magnitude == 0) return digits;

  constexpr int kSignificant = 15;
  std::ostringstream stream;
  stream.imbue(std::locale::classic());
  stream << std::scientific;
  stream.precision(kSignificant - 1);
  stream << magnitude;
  const std::string text = stream.str();

  // text reads d.dddddddddddddde±XX: collect the 15 digits, then the exponent.
  char significand[kSignificant];
  int count = 0;
  std::size_t c = 0;
  for (; c < text.size() && text[c] != 'e'; ++c) {
    if (text[c] >= '0' && text[c] <= '9' && count < kSignificant) significand[count++] = text[c];
  }
  if (count == 0) return digits;
  int exponent = 0;
  if (c < text.size()) {
    ++c;
    const bool negativeExponent = c < text.size() && text[c] == '-';
    if (c < text.size() && (text[c] == '-' || text[c] == '+')) ++c;
    for (; c < text.size(); ++c) exponent = exponent * 10 + (text[c] - '0');
    if (negativeExponent) exponent = -exponent;
  }

  // Significand digit i weighs 10^(exponent - i); those weighing at least 10^-decimals are
  // kept, and the first one dropped decides the rounding.
  const long kept = static_cast<long>(exponent) + decimals + 1;
  if (kept <= 0) {
    if (kept == 0 && significand[0] >= '5') digits = "1";
    return digits;
  }
  if (kept >= count) {
    digits.assign(significand, static_cast<std::size_t>(count));
    digits.append(static_cast<std::size_t>(kept - count), '0');
    return digits;
  }
  digits.assign(significand, static_cast<std::size_t>(kept));
  if (significand[kept] >= '5') {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
    } else {
      ++digits[i - 1];
    }
  }
  return digits;
}

// Writes section with its number field filled from magnitude, '-' before the first digit
// place when minus is set.
std::string FillSection(std::string_view section, double magnitude, bool minus) {
  const NumberField field = FindNumberField(section);
  if (!field.found) return std::string(section);

  std::string digits = ScaledDigits(magnitude, field.decimals);
  const std::size_t decimals = static_cast<std::size_t>(field.decimals);
  if (digits.size() < decimals) digits.insert(0, decimals - digits.size(), '0');
  const std::size_t integerLength = digits.size() - decimals;
  const std::size_t integerDigits = static_cast<std::size_t>(field.integerDigits);
  const std::size_t integerPad = integerLength < integerDigits ? integerDigits - integerLength : 0;

  std::string out;
  out.reserve(section.size() + digits.size() + integerPad + 2);
  out.append(section.substr(0, field.begin));
  if (minus) out.push_back('-');
  out.append(integerPad, '0');
  out.append(digits, 0, integerLength);
  if (field.hasPoint) out.push_back('.');
  out.append(digits, integerLength, decimals);
  out.append(section.substr(field.end));
  return out;
}

// A value that has no digits to show: its number field becomes "---".
std::string DashSection(std::string_view section) {
  const NumberField field = FindNumberField(section);
  if (!field.found) return std::string(section);
  std::string out;
  out.reserve(section.size() + 3);
  out.append(section.substr(0, field.begin));
  out.append("---");
  out.append(section.substr(field.end));
  return out;
}

}  // namespace

std::string Format(double value, std::string_view pattern) {
  // Up to three sections: positive; negative; zero. Further sections are ignored. A missing or
  // empty negative or zero section falls back to the first, as a one-section pattern would.
  std::string_view sections[3];
  int sectionCount = 0;
  std::string_view rest = pattern;
  while (sectionCount < 3) {
    const std::size_t semicolon = rest.find(';');
    sections[sectionCount++] = rest.substr(0, semicolon);
    if (semicolon == std::string_view::npos) break;
    rest.remove_prefix(semicolon + 1);
  }
  const bool hasNegative = sectionCount >= 2 && !sections[1].empty();
  const bool hasZero = sectionCount >= 3 && !sections[2].empty();

  if (!std::isfinite(value)) return DashSection(hasZero ? sections[2] : sections[0]);
  // The sign of the value itself picks the section, before any rounding: 0.0001 stays in the
  // positive section even where it shows as zero. Negative zero compares equal to zero.
  if (value > 0) return FillSection(sections[0], value, false);
  if (value < 0) {
    if (hasNegative) return FillSection(sections[1], -value, false);
    return FillSection(sections[0], -value, true);
  }
  return FillSection(hasZero ? sections[2] : sections[0], 0.0, false);
}

}  // namespace toolkit
