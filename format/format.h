// SPDX-License-Identifier: GPL-3.0-or-later
// Pattern formatting of numbers for every readout of the window.
#pragma once

#include <string>
#include <string_view>

namespace toolkit {

// Formats value with a pattern of one to three sections separated by ';' (positive;
// negative; zero). The section is chosen by the sign of the value before rounding. In a
// section '0' is a digit place: the integer part gets at least as many digits as there are
// '0's before the decimal point, and the value is rounded to as many decimals as there are
// '0's after it, half away from zero on the decimal number the value reads as with 15
// significant digits. A negative section writes the magnitude; a one-section pattern
// writes '-' before a negative value. Every other character is copied as it stands.
// Negative zero is zero. A value that is not finite (NaN or infinite) cannot be shown as a
// number: its digits are replaced by "---" in the zero section, so no garbage reaches the
// screen.
[[nodiscard]] std::string Format(double value, std::string_view pattern);

}  // namespace toolkit
