// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of `vornak-sky --table`: what to compute, checked in full before any row.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sky/station.h"
#include "sky/time.h"

namespace skyapp {

struct TableOptions {
  sky::Station station;
  std::string locator;  // as given, or empty when the station was given by its coordinates
  std::optional<sky::Station> dx;
  double bandHz = 10368e6;
  sky::UtcInstant from;
  sky::UtcInstant to;  // equal to `from` for a single instant
  std::int64_t stepMs = 60'000;
  bool csv = false;
  bool passes = false;
};

enum class Request { kTable, kWindow, kHelp, kVersion };

struct ParsedCommandLine {
  Request request = Request::kWindow;
  TableOptions table;
  std::optional<sky::UtcInstant> windowAt;  // the window's instant; live when empty
};

// Reads the arguments (without the program's name). `now` is the instant `--at` defaults
// to. On bad input returns false with one line in `why` that names the bad value and
// what is expected.
[[nodiscard]] bool ParseCommandLine(const std::vector<std::string_view>& args, sky::UtcInstant now,
                                    ParsedCommandLine& out, std::string& why);

// The text `--help` prints.
[[nodiscard]] std::string UsageText();

}  // namespace skyapp
