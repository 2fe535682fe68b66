// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal numbers in C notation.
#include "sky/number.h"

#include <cmath>
#include <locale>
#include <sstream>
#include <string>

namespace sky {

bool ReadDecimal(std::string_view text, double& value) {
  // The stream would take a plus, spaces, "inf" or hexadecimal from some libraries: the
  // characters are checked first, the stream then converts with correct rounding.
  bool digit = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '-') {
      if (i != 0 && text[i - 1] != 'e' && text[i - 1] != 'E') return false;
    } else if (c == '+') {
      if (i == 0 || (text[i - 1] != 'e' && text[i - 1] != 'E')) return false;
    } else if (c != '.' && c != 'e' && c != 'E') {
      return false;
    }
  }
  if (!digit) return false;
  std::istringstream in{std::string(text)};
  in.imbue(std::locale::classic());
  double v = 0;
  in >> v;
  if (in.fail() || in.peek() != std::char_traits<char>::eof() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

}  // namespace sky
