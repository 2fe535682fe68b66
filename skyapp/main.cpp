// SPDX-License-Identifier: GPL-3.0-or-later
// vornak-sky: the Doppler shift of Moon echoes for the real Moon, as a table or a window.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "skyapp/table.h"
#include "skyapp/table_options.h"
#include "skyapp/track/run.h"
#include "skyapp/window/sky_window.h"

int main(int argc, char** argv) {
  // A reader that stops early (`| head`) closes the pipe: the write then fails with EPIPE,
  // which ends the table quietly, instead of the signal ending the process.
  std::signal(SIGPIPE, SIG_IGN);

  std::vector<std::string_view> args(argv + 1, argv + argc);
  const auto now =
      std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
  const sky::UtcInstant nowUtc{now.time_since_epoch().count()};
  std::string why;
  if (std::find(args.begin(), args.end(), "--track") != args.end()) {
    skyapp::track::TrackOptions track;
    if (!skyapp::track::ParseTrackCommandLine(args, nowUtc, track, why)) {
      std::fprintf(stderr, "vornak-sky: %s\n", why.c_str());
      return 2;
    }
    if (!track.help) return skyapp::track::RunTrack(track, stdout, stderr);
    args.assign({"--help"});
  }
  skyapp::ParsedCommandLine parsed;
  if (!skyapp::ParseCommandLine(args, nowUtc, parsed, why)) {
    std::fprintf(stderr, "vornak-sky: %s\n", why.c_str());
    return 2;
  }
  switch (parsed.request) {
    case skyapp::Request::kHelp:
      std::fputs((skyapp::UsageText() + skyapp::track::TrackUsageText()).c_str(), stdout);
      return std::fflush(stdout) == 0 ? 0 : 1;
    case skyapp::Request::kVersion:
      std::printf("vornak-sky %s\n", VORNAK_VERSION);
      return std::fflush(stdout) == 0 ? 0 : 1;
    case skyapp::Request::kTable:
      return skyapp::WriteTable(parsed.table, stdout, stderr);
    case skyapp::Request::kWindow:
      break;
  }
  // Without a display Qt would abort with a message of its own; say plainly why.
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
      !std::getenv("QT_QPA_PLATFORM")) {
    std::fputs(
        "vornak-sky needs a desktop session for its window: no DISPLAY or "
        "WAYLAND_DISPLAY is set (vornak-sky --table needs none).\n",
        stderr);
    return 1;
  }
  return skyapp::RunSkyWindow(argc, argv, parsed.windowAt);
}
