// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of `vornak-sky --track`: the station, the sked, the mode, the radio and
// the rotator, checked in full before anything is opened.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sky/time.h"
#include "skyapp/track/session.h"

namespace skyapp::track {

struct TrackOptions {
  TrackSettings settings;
  std::optional<DeviceConfig> rig;
  std::optional<DeviceConfig> rot;
  bool dryRun = false;
  bool verbose = false;
  // A dry run over an interval, on a clock that jumps from second to second; empty: live.
  std::optional<sky::UtcInstant> from;
  std::optional<sky::UtcInstant> to;
  bool help = false;
};

// Reads the arguments (without the program's name; one of them is --track). `now` is
// only used to check the station options with the table's rules. On bad input returns
// false with one line in `why` that names the bad value and what is expected.
[[nodiscard]] bool ParseTrackCommandLine(const std::vector<std::string_view>& args,
                                         sky::UtcInstant now, TrackOptions& out, std::string& why);

// The part of `--help` that describes tracking.
[[nodiscard]] std::string TrackUsageText();

// The mode's name on the command line and in the window: own-echo, moon, dx, none.
[[nodiscard]] const char* ModeName(Mode mode);
[[nodiscard]] std::optional<Mode> ModeFromName(std::string_view name);

}  // namespace skyapp::track
