// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of `vornak-sky --table`: what to compute, checked in full before any row.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sky/budget.h"
#include "sky/eop.h"
#include "sky/moon.h"
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
  bool windows = false;        // mutual windows with the DX station
  double minElevationDeg = 0;  // of both stations, for the windows
  sky::MoonTheory moon = sky::MoonTheory::kSwissEphemeris;
  std::optional<sky::EopTable> eop;  // read from --eop; none: UT1 = UTC, no polar motion
  sky::StationUncertainty where;     // how far the station given may be off, for the budget
};

enum class Request { kTable, kWindow, kHelp, kVersion };

struct ParsedCommandLine {
  Request request = Request::kWindow;
  TableOptions table;
  std::optional<sky::UtcInstant> windowAt;  // the window's instant; live when empty
};

// The options of a command line by name, each given at most once: a flag with an empty
// value, a valued option (`--name value` or `--name=value`) with its value. `-h` stands for
// `--help`. `context` follows "unknown option" in the message (" for --track", or nothing).
// On a bad line returns false, with one line in `why` naming what is wrong.
using OptionValues = std::map<std::string_view, std::string_view>;
[[nodiscard]] bool GatherOptions(const std::vector<std::string_view>& args,
                                 bool (*isFlag)(std::string_view),
                                 bool (*isValued)(std::string_view), std::string_view context,
                                 OptionValues& given, std::string& why);

// Reads the arguments (without the program's name). `now` is the instant `--at` defaults
// to. On bad input returns false with one line in `why` that names the bad value and
// what is expected.
[[nodiscard]] bool ParseCommandLine(const std::vector<std::string_view>& args, sky::UtcInstant now,
                                    ParsedCommandLine& out, std::string& why);

// The text `--help` prints.
[[nodiscard]] std::string UsageText();

}  // namespace skyapp
