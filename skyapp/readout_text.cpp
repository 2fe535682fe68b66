// Fixed-point text for readouts and table cells.
#include "skyapp/readout_text.h"

#include <cmath>
#include <cstdio>

namespace skyapp {

std::string Fixed(double value, int decimals) {
  if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return buf;
}

double AzimuthAsPrinted(double deg) {
  return std::round(deg * 1000) >= 360'000 ? 0 : deg;
}

}  // namespace skyapp
