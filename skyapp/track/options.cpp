// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing and checking the tracking command line.
#include "skyapp/track/options.h"

#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <utility>

#include "skyapp/table_options.h"

namespace skyapp::track {
namespace {

// The station options and the EOP file, checked by the table's own rules so that both say
// the same.
const char* const kStation[] = {"--locator", "--lat",    "--lon",       "--height", "--dx",
                                "--dx-lat",  "--dx-lon", "--dx-height", "--eop"};
const char* const kValued[] = {"--sked-mhz",  "--mode",     "--rig",       "--rig-port",
                               "--rig-speed", "--rig-step", "--lo-mhz",    "--lo-side",
                               "--rot",       "--rot-port", "--rot-speed", "--rot-step",
                               "--min-el",    "--park",     "--from",      "--to"};
const char* const kFlags[] = {"--track", "--dry-run", "--retune-in-tx", "--verbose", "--help"};

// Far above any amateur band and any transverter's oscillator (MHz).
constexpr double kHighestMhz = 1e6;
// The coarsest radio step accepted (Hz): a channel's width, far above any tuning step.
constexpr double kHighestStepHz = 1e6;
constexpr int kHighestModel = 1'000'000;
constexpr int kHighestBaud = 10'000'000;

template <std::size_t N>
bool In(const char* const (&names)[N], std::string_view name) {
  for (const char* n : names) {
    if (name == n) return true;
  }
  return false;
}

std::string Quoted(std::string_view s) {
  return "\"" + std::string(s) + "\"";
}

bool ParseNumber(std::string_view text, double& value) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

bool ParseWhole(std::string_view text, int& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

const char* ModeName(Mode mode) {
  switch (mode) {
    case Mode::kOwnEcho:
      return "own-echo";
    case Mode::kMoon:
      return "moon";
    case Mode::kDx:
      return "dx";
    case Mode::kNone:
      break;
  }
  return "none";
}

std::optional<Mode> ModeFromName(std::string_view name) {
  for (Mode m : {Mode::kOwnEcho, Mode::kMoon, Mode::kDx, Mode::kNone}) {
    if (name == ModeName(m)) return m;
  }
  return std::nullopt;
}

bool ParseTrackCommandLine(const std::vector<std::string_view>& args, sky::UtcInstant now,
                           TrackOptions& out, std::string& why) {
  out = TrackOptions{};
  OptionValues given;
  const auto isFlag = [](std::string_view n) { return In(kFlags, n); };
  const auto isValued = [](std::string_view n) { return In(kStation, n) || In(kValued, n); };
  if (!GatherOptions(args, isFlag, isValued, " for --track", given, why)) return false;
  // The station's options go to the table's parser, which checks them as it checks its own.
  std::vector<std::string_view> stationArgs{"--table"};
  for (const auto& [name, value] : given) {
    if (!In(kStation, name)) continue;
    stationArgs.push_back(name);
    stationArgs.push_back(value);
  }
  const auto has = [&](std::string_view n) { return given.count(n) != 0; };
  if (has("--help")) {
    out.help = true;
    return true;
  }
  TrackSettings& s = out.settings;

  ParsedCommandLine table;
  if (!ParseCommandLine(stationArgs, now, table, why)) return false;
  s.station = table.table.station;
  s.dx = table.table.dx;
  if (table.table.eop) s.eop = std::make_shared<const sky::EopTable>(std::move(*table.table.eop));

  const auto number = [&](std::string_view n, double& v, double lo, double hi,
                          const char* expected) {
    if (!ParseNumber(given[n], v)) {
      why = std::string(n) + " " + Quoted(given[n]) + " is not a number";
      return false;
    }
    if (!(v >= lo && v <= hi)) {
      why = std::string(n) + " " + Quoted(given[n]) + ": expected " + expected;
      return false;
    }
    return true;
  };
  const auto positive = [&](std::string_view n, double& v, double hi, const char* expected) {
    if (!number(n, v, 0, hi, expected)) return false;
    if (v > 0) return true;
    why = std::string(n) + " " + Quoted(given[n]) + ": expected " + expected;
    return false;
  };
  const auto whole = [&](std::string_view n, int& v, int hi, const char* expected) {
    if (ParseWhole(given[n], v) && v >= 1 && v <= hi) return true;
    why = std::string(n) + " " + Quoted(given[n]) + ": expected " + expected;
    return false;
  };

  if (!has("--sked-mhz")) {
    why = "--track needs the sked frequency: --sked-mhz MHZ";
    return false;
  }
  double skedMhz = 0;
  if (!positive("--sked-mhz", skedMhz, kHighestMhz,
                "a frequency in MHz above 0 and at most 1000000")) {
    return false;
  }
  s.skedHz = skedMhz * 1e6;

  if (has("--mode")) {
    const std::optional<Mode> m = ModeFromName(given["--mode"]);
    if (!m) {
      why = "--mode " + Quoted(given["--mode"]) + ": expected own-echo, moon, dx or none";
      return false;
    }
    s.mode = *m;
  }
  if (s.mode == Mode::kDx && !s.dx) {
    why = "--mode dx needs a DX station: --dx LOC, or --dx-lat DEG --dx-lon DEG";
    return false;
  }
  if (s.mode != Mode::kDx && s.dx) {
    why = std::string("a DX station goes with --mode dx, not --mode ") + ModeName(s.mode);
    return false;
  }

  if (has("--rig-step") &&
      !positive("--rig-step", s.rigStepHz, kHighestStepHz,
                "the radio's tuning step in Hz, above 0 and at most 1000000")) {
    return false;
  }
  if (has("--lo-side") && !has("--lo-mhz")) {
    why = "--lo-side goes with --lo-mhz";
    return false;
  }
  if (has("--lo-mhz")) {
    double loMhz = 0;
    if (!positive("--lo-mhz", loMhz, kHighestMhz,
                  "the transverter's oscillator in MHz, above 0 and at most 1000000")) {
      return false;
    }
    Transverter lo{loMhz * 1e6, false};
    if (has("--lo-side")) {
      if (given["--lo-side"] != "low" && given["--lo-side"] != "high") {
        why = "--lo-side " + Quoted(given["--lo-side"]) + ": expected low or high";
        return false;
      }
      lo.highSide = given["--lo-side"] == "high";
    }
    if (!(RadioFromBandHz(s.skedHz, lo) > 0)) {
      why = "--lo-mhz " + Quoted(given["--lo-mhz"]) +
            (lo.highSide ? ": on the high side the oscillator must be above the sked frequency"
                         : ": on the low side the oscillator must be below the sked frequency");
      return false;
    }
    s.lo = lo;
  }
  s.retuneInTx = has("--retune-in-tx");

  // The radio and the rotator share their rules.
  const auto device = [&](const std::string& key, std::optional<DeviceConfig>& d) {
    const std::string model = "--" + key, port = model + "-port", speed = model + "-speed";
    if (!has(model)) {
      for (const std::string& n : {port, speed}) {
        if (has(n)) {
          why = n + " needs " + model + " MODEL";
          return false;
        }
      }
      return true;
    }
    DeviceConfig c;
    if (!whole(model, c.model, kHighestModel,
               "a Hamlib model number (rigctl --list, rotctl --list)")) {
      return false;
    }
    if (has(port)) c.port = given[port];
    if (has(speed) && !whole(speed, c.speedBaud, kHighestBaud, "a serial speed in baud")) {
      return false;
    }
    d = c;
    return true;
  };
  if (!device("rig", out.rig) || !device("rot", out.rot)) return false;
  if (!out.rig && (has("--rig-step") || s.retuneInTx)) {
    why = std::string(has("--rig-step") ? "--rig-step" : "--retune-in-tx") + " needs --rig MODEL";
    return false;
  }

  if (has("--rot-step") &&
      !positive("--rot-step", s.dish.stepDeg, 90, "degrees above 0 and at most 90")) {
    return false;
  }
  if (has("--min-el") &&
      !number("--min-el", s.dish.minElevationDeg, -90, 90, "degrees from -90 to 90")) {
    return false;
  }
  if (has("--park")) {
    const std::string_view text = given["--park"];
    const std::size_t comma = text.find(',');
    double az = 0, el = 0;
    if (comma == text.npos || !ParseNumber(text.substr(0, comma), az) ||
        !ParseNumber(text.substr(comma + 1), el) || !(az >= 0 && az <= 360) ||
        !(el >= -90 && el <= 90)) {
      why = "--park " + Quoted(text) +
            ": expected AZ,EL in degrees, azimuth 0 to 360 and elevation -90 to 90, like 180,0";
      return false;
    }
    s.dish.park = AzEl{az, el};
  }
  out.dryRun = has("--dry-run");
  out.verbose = has("--verbose");
  if (!out.dryRun && !out.rig && !out.rot) {
    why = "nothing to track: give --rig MODEL and/or --rot MODEL (or --dry-run)";
    return false;
  }
  if (has("--from") != has("--to")) {
    why = has("--from") ? "--from needs --to too" : "--to needs --from too";
    return false;
  }
  if (has("--from")) {
    if (!out.dryRun) {
      why = "--from and --to go with --dry-run: tracking a radio runs on the clock";
      return false;
    }
    const auto instant = [&](const char* n, std::optional<sky::UtcInstant>& v) {
      sky::UtcInstant t;
      std::string reason;
      if (!sky::ParseUtc(given[n], t, reason)) {
        why = std::string(n) + " " + Quoted(given[n]) + ": " + reason;
        return false;
      }
      if (!sky::IsAccepted(t)) {
        why = std::string(n) + " " + Quoted(given[n]) +
              ": the Moon is computed from 1950-01-01T00:00:00Z to 2100-12-31T23:59:59Z";
        return false;
      }
      v = t;
      return true;
    };
    if (!instant("--from", out.from) || !instant("--to", out.to)) return false;
    if (*out.from > *out.to) {
      why = "--from " + Quoted(given["--from"]) + " is after --to " + Quoted(given["--to"]);
      return false;
    }
  }
  return true;
}

std::string TrackUsageText() {
  return R"(
Tracking: vornak-sky --track STATION --sked-mhz MHZ [--mode MODE] [RADIO] [ROTATOR] [...]

Tracking keeps a radio on frequency and a dish on the Moon through Hamlib, once a second,
until Ctrl-C or SIGTERM (status 0), with one status line a second; a radio or rotator that
cannot be opened is status 2. The station options and --eop are the table's.
  --sked-mhz MHZ           the sked frequency f, in MHz (band side)
  --mode MODE              own-echo: transmit f, receive this station's echo (default)
                           moon: transmit so that f reaches the Moon, receive what
                                 leaves it on f
                           dx: transmit so that the DX station hears f, receive the DX
                               station's f (needs --dx)
                           none: transmit and receive on f
Radio (a Hamlib model, as rigctl -m; 2 reaches rigctld at host:port):
  --rig MODEL --rig-port PORT [--rig-speed BAUD]
  --rig-step HZ            the radio's tuning step (default 1)
  --retune-in-tx           retune the transmit VFO while transmitting (default: hold it)
  --lo-mhz MHZ             a transverter's oscillator: the radio tunes the IF
  --lo-side low|high       low: band = LO + radio (default); high: band = LO - radio
Rotator (a Hamlib model, as rotctl -m; 2 reaches rotctld):
  --rot MODEL --rot-port PORT [--rot-speed BAUD]
  --rot-step DEG           turn when the Moon has moved this far on either axis (default 1)
  --min-el DEG             follow the Moon at or above this elevation (default 0)
  --park AZ,EL             where to turn once the Moon is below it
Other:
  --dry-run                print each command with its UTC and send none; with
                           --from UTC --to UTC, over that interval at once
  --verbose                show Hamlib's own trace on stderr
)";
}

}  // namespace skyapp::track
