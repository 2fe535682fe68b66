// SPDX-License-Identifier: GPL-3.0-or-later
// `vornak-sky --track`: tracking from the command line, with its status lines, or a dry
// run that prints the commands instead of sending them.
#pragma once

#include <cstdio>

#include "skyapp/track/options.h"

namespace skyapp::track {

// Runs until SIGINT or SIGTERM (or the end of a dry run's interval). Returns 0 then, and 2
// with one line on `err` when the radio or the rotator cannot be opened at the start.
[[nodiscard]] int RunTrack(const TrackOptions& options, std::FILE* out, std::FILE* err);

// The status line of one tick: UTC, the Moon's elevation and azimuth, the receive and
// transmit frequencies set and read back (MHz), the rotator's position, and what is wrong.
[[nodiscard]] std::string StatusLine(const TrackStatus& status);

}  // namespace skyapp::track
