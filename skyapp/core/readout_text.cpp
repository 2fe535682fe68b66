// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed-point text for readouts and table cells.
#include "skyapp/core/readout_text.h"

#include <cmath>
#include <cstdio>

namespace skyapp {

double Unsigned0(double value, int decimals) {
  return std::fabs(value) < 0.5 * std::pow(10.0, -decimals) ? 0 : value;
}

std::string Fixed(double value, int decimals) {
  value = Unsigned0(value, decimals);
  // The C library rounds the double's exact value to the nearest of its last decimal, and a
  // table of a day (150,000 cells) or a page's readouts spend most of their time there. Scaled
  // to a count of that last decimal, a value below 1e9 is within 1.2e-7 of its exact scaled
  // value; unless that lies within 1e-6 of a half, its nearest whole count is the one the
  // library prints, and the digits are written from it. The rest goes to the library.
  static constexpr double kPow10[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  if (decimals >= 0 && decimals <= 9) {
    const double scaled = std::fabs(value) * kPow10[decimals];
    const double whole = std::floor(scaled);
    if (scaled < 1e9 && std::fabs(scaled - whole - 0.5) > 1e-6) {
      auto count = static_cast<long long>(whole) + (scaled - whole > 0.5 ? 1 : 0);
      char digits[24];
      int n = 0;
      // Least significant first, at least one digit before the point.
      do {
        digits[n++] = static_cast<char>('0' + count % 10);
        count /= 10;
      } while (count > 0 || n <= decimals);
      std::string out;
      out.reserve(static_cast<std::size_t>(n) + 2);
      if (std::signbit(value)) out += '-';
      for (int i = n - 1; i >= 0; --i) {
        out += digits[i];
        if (i == decimals && decimals > 0) out += '.';
      }
      return out;
    }
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return buf;
}

double AzimuthAsPrinted(double deg) {
  return std::round(deg * 1000) >= 360'000 ? 0 : deg;
}

}  // namespace skyapp
