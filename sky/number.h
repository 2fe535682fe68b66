// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal numbers in C notation, read alike by every standard library the program is built
// with (Debian's emscripten has no floating-point from_chars) and whatever the locale.
#pragma once

#include <string_view>

namespace sky {

// The whole of `text` as a finite number: an optional minus, digits with an optional point,
// an optional exponent. No spaces, no plus, no hexadecimal, no inf or nan; false otherwise,
// and for a number beyond the range of a double.
[[nodiscard]] bool ReadDecimal(std::string_view text, double& value);

}  // namespace sky
