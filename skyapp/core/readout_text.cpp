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
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, Unsigned0(value, decimals));
  return buf;
}

double AzimuthAsPrinted(double deg) {
  return std::round(deg * 1000) >= 360'000 ? 0 : deg;
}

}  // namespace skyapp
