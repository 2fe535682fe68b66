// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as the table and the window print them: fixed decimals, never "-0".
#pragma once

#include <string>

namespace skyapp {

// `value`, or +0 where it would print as -0 with `decimals` digits after the point.
[[nodiscard]] double Unsigned0(double value, int decimals);

// `value` with `decimals` digits after the point; a value that rounds to zero prints as 0.
[[nodiscard]] std::string Fixed(double value, int decimals);

// An azimuth in [0, 360) with three decimals: one that would print as 360.000 is 0.000.
[[nodiscard]] double AzimuthAsPrinted(double deg);

}  // namespace skyapp
