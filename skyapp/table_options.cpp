// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing and checking the table's command line.
#include "skyapp/table_options.h"

#include <cmath>
#include <map>

#include "sky/number.h"

namespace skyapp {
namespace {

// Options that take a value, and the flags that take none.
const char* const kValued[] = {
    "--locator", "--lat", "--lon",  "--height", "--dx",   "--dx-lat", "--dx-lon", "--dx-height",
    "--band",    "--at",  "--from", "--to",     "--step", "--moon",   "--eop",    "--min-el"};
const char* const kFlags[] = {"--table", "--csv", "--passes", "--windows", "--help", "--version"};

// The highest carrier accepted (MHz): far above any amateur band, low enough that every
// shift still prints as a plain number.
constexpr double kHighestBandMhz = 1e6;

bool IsValued(std::string_view name) {
  for (const char* v : kValued) {
    if (name == v) return true;
  }
  return false;
}

bool IsFlag(std::string_view name) {
  for (const char* f : kFlags) {
    if (name == f) return true;
  }
  return false;
}

std::string Quoted(std::string_view s) {
  return "\"" + std::string(s) + "\"";
}

// A finite decimal number, optionally signed; no spaces, no hexadecimal, no nan or inf.
bool ParseNumber(std::string_view text, double& value) {
  std::string_view digits = text;
  if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
  return sky::ReadDecimal(digits, value);
}

// `DUR`: a whole number followed by s, m or h, at most a century.
bool ParseStep(std::string_view text, std::int64_t& ms) {
  if (text.size() < 2 || text.size() > 12) return false;
  const char unit = text.back();
  const std::int64_t scale = unit == 's'   ? 1000
                             : unit == 'm' ? 60'000
                             : unit == 'h' ? 3'600'000
                                           : 0;
  if (scale == 0) return false;
  std::int64_t n = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
  }
  ms = n * scale;
  return true;
}

}  // namespace

bool GatherOptions(const std::vector<std::string_view>& args, bool (*isFlag)(std::string_view),
                   bool (*isValued)(std::string_view), std::string_view context,
                   OptionValues& given, std::string& why) {
  given.clear();
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view name = args[i] == "-h" ? "--help" : args[i];
    std::optional<std::string_view> inlineValue;
    if (const std::size_t eq = name.find('='); name.starts_with("--") && eq != name.npos) {
      inlineValue = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    const bool flag = isFlag(name) && !inlineValue;
    if (!flag && !isValued(name)) {
      why = "unknown option " + Quoted(args[i]) + std::string(context) + " (see vornak-sky --help)";
      return false;
    }
    if (given.count(name)) {
      why = std::string(name) + " is given twice";
      return false;
    }
    if (flag) {
      given[name] = "";
      continue;
    }
    if (inlineValue) {
      given[name] = *inlineValue;
    } else if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
      given[name] = args[++i];
    }
    if (given[name].empty()) {
      why = std::string(name) + " needs a value";
      return false;
    }
  }
  return true;
}

bool ParseCommandLine(const std::vector<std::string_view>& args, sky::UtcInstant now,
                      ParsedCommandLine& out, std::string& why) {
  out = ParsedCommandLine{};
  OptionValues given;
  if (!GatherOptions(args, IsFlag, IsValued, "", given, why)) return false;
  const auto has = [&](std::string_view n) { return given.count(n) != 0; };

  if (has("--help")) {
    out.request = Request::kHelp;
    return true;
  }
  if (has("--version")) {
    out.request = Request::kVersion;
    return true;
  }
  if (!has("--table")) {
    // The window takes one option: the instant to open on.
    if (given.size() > (has("--at") ? 1u : 0u)) {
      why =
          "options other than --at, --help and --version go with --table (see vornak-sky "
          "--help)";
      return false;
    }
    out.request = Request::kWindow;
    if (has("--at")) {
      sky::UtcInstant at;
      std::string reason;
      if (!sky::ParseUtc(given["--at"], at, reason) || !sky::IsAccepted(at)) {
        why = "--at " + Quoted(given["--at"]) + ": " +
              (reason.empty() ? "the Moon is computed from 1950-01-01T00:00:00Z to "
                                "2100-12-31T23:59:59Z"
                              : reason);
        return false;
      }
      out.windowAt = at;
    }
    return true;
  }
  out.request = Request::kTable;
  TableOptions& t = out.table;

  const auto number = [&](std::string_view n, double& v) {
    if (ParseNumber(given[n], v)) return true;
    why = std::string(n) + " " + Quoted(given[n]) + " is not a number";
    return false;
  };

  // The station and the DX station share their rules.
  const auto station = [&](bool dx, sky::Station& s, std::string& name) {
    const std::string loc = dx ? "--dx" : "--locator";
    const std::string lat = dx ? "--dx-lat" : "--lat";
    const std::string lon = dx ? "--dx-lon" : "--lon";
    const std::string height = dx ? "--dx-height" : "--height";
    double h = 0;
    if (has(height) && !number(height, h)) return false;
    if (!(h >= sky::kLowestHeightM && h <= sky::kHighestHeightM)) {
      why = height + " " + Quoted(given[height]) + ": expected a height from -1000 to 20000 m";
      return false;
    }
    if (has(loc)) {
      if (has(lat) || has(lon)) {
        why = loc + " and " + lat + "/" + lon + " both give the station: use one of them";
        return false;
      }
      if (!sky::StationFromLocator(given[loc], h, s, why)) {
        why = loc + ": " + why;
        return false;
      }
      name = given[loc];
      return true;
    }
    if (has(lat) != has(lon)) {
      why = has(lat) ? lat + " needs " + lon + " too" : lon + " needs " + lat + " too";
      return false;
    }
    double la = 0, lo = 0;
    if (!number(lat, la) || !number(lon, lo)) return false;
    if (!(la >= -90 && la <= 90)) {
      why = lat + " " + Quoted(given[lat]) + ": expected a latitude from -90 to 90 degrees";
      return false;
    }
    if (!(lo >= -180 && lo <= 180)) {
      why = lon + " " + Quoted(given[lon]) + ": expected a longitude from -180 to 180 degrees";
      return false;
    }
    if (!sky::StationFromDegrees(la, lo, h, s, why)) return false;
    name.clear();
    return true;
  };
  // The budget's station term: the locator's cell, or the last decimals typed; the height's
  // last decimal, or 50 m when none is given.
  const auto uncertainty = [&](const sky::Station& s) {
    const std::optional<double> heightStep =
        has("--height") ? std::optional<double>(sky::LastDecimalStep(given["--height"]))
                        : std::nullopt;
    if (has("--locator")) {
      return sky::LocatorUncertainty(given["--locator"].size(), s, heightStep);
    }
    return sky::TypedUncertainty(sky::LastDecimalStep(given["--lat"]),
                                 sky::LastDecimalStep(given["--lon"]), heightStep, s);
  };

  if (!has("--locator") && !has("--lat") && !has("--lon")) {
    why = "no station: give --locator LOC, or --lat DEG --lon DEG";
    return false;
  }
  if (!station(false, t.station, t.locator)) return false;
  t.where = uncertainty(t.station);
  if (has("--dx") || has("--dx-lat") || has("--dx-lon")) {
    sky::Station dx;
    std::string unused;
    if (!station(true, dx, unused)) return false;
    t.dx = dx;
  } else if (has("--dx-height")) {
    why = "--dx-height needs a DX station (--dx LOC, or --dx-lat DEG --dx-lon DEG)";
    return false;
  }

  if (has("--band")) {
    double mhz = 0;
    if (!number("--band", mhz)) return false;
    if (!(mhz > 0 && mhz <= kHighestBandMhz)) {
      why = "--band " + Quoted(given["--band"]) +
            ": expected a frequency in MHz above 0 and at most 1000000";
      return false;
    }
    t.bandHz = mhz * 1e6;
  }

  const auto instant = [&](std::string_view n, sky::UtcInstant& v) {
    std::string reason;
    if (!sky::ParseUtc(given[n], v, reason)) {
      why = std::string(n) + " " + Quoted(given[n]) + ": " + reason;
      return false;
    }
    if (!sky::IsAccepted(v)) {
      why = std::string(n) + " " + Quoted(given[n]) +
            ": the Moon is computed from 1950-01-01T00:00:00Z to 2100-12-31T23:59:59Z";
      return false;
    }
    return true;
  };

  if (has("--at") && (has("--from") || has("--to"))) {
    why = "--at gives one instant, --from and --to an interval: use one of them";
    return false;
  }
  if (has("--from") != has("--to")) {
    why = has("--from") ? "--from needs --to too" : "--to needs --from too";
    return false;
  }
  t.csv = has("--csv");
  t.passes = has("--passes");
  t.windows = has("--windows");
  if (has("--moon")) {
    if (given["--moon"] == "meeus") {
      t.moon = sky::MoonTheory::kMeeus;
    } else if (given["--moon"] == "swiss") {
      t.moon = sky::MoonTheory::kSwissEphemeris;
    } else {
      why = "--moon " + Quoted(given["--moon"]) +
            ": expected swiss (Swiss Ephemeris, the default) or meeus (ERFA's eraMoon98)";
      return false;
    }
  }
  if (t.passes && t.windows) {
    why = "--passes and --windows are two different lists: give one of them";
    return false;
  }
  if (has("--min-el")) {
    if (!t.windows) {
      why = "--min-el goes with --windows";
      return false;
    }
    if (!number("--min-el", t.minElevationDeg)) return false;
    if (!(t.minElevationDeg >= 0 && t.minElevationDeg < 90)) {
      why = "--min-el " + Quoted(given["--min-el"]) +
            ": expected an elevation in degrees from 0 up to (not including) 90";
      return false;
    }
  }
  if (t.windows) {
    if (has("--at") || has("--step") || !t.dx) {
      why =
          "--windows lists the mutual windows with a DX station between --from and --to: it "
          "needs --dx (or --dx-lat and --dx-lon) and takes no --at or --step";
      return false;
    }
    if (!has("--from")) {
      why = "--windows needs --from and --to";
      return false;
    }
  }
  if (t.passes) {
    if (has("--at") || has("--step") || t.dx) {
      why =
          "--passes lists the passes between --from and --to: it takes no --at, --step or DX "
          "station";
      return false;
    }
    if (!has("--from")) {
      why = "--passes needs --from and --to";
      return false;
    }
  }
  if (has("--step") && !has("--from")) {
    why = "--step goes with --from and --to";
    return false;
  }
  if (has("--from")) {
    if (!instant("--from", t.from) || !instant("--to", t.to)) return false;
    if (t.from > t.to) {
      why = "--from " + Quoted(given["--from"]) + " is after --to " + Quoted(given["--to"]);
      return false;
    }
  } else if (has("--at")) {
    if (!instant("--at", t.from)) return false;
    t.to = t.from;
  } else {
    t.from = t.to = {now.ms - now.ms % sky::kMsPerSecond};
    if (!sky::IsAccepted(t.from)) {
      why = "the clock's time " + sky::FormatUtc(t.from) +
            " is outside the years the Moon is computed for (1950 to 2100): give --at";
      return false;
    }
  }
  if (has("--step")) {
    if (!ParseStep(given["--step"], t.stepMs) || t.stepMs <= 0) {
      why = "--step " + Quoted(given["--step"]) +
            ": expected a whole number above 0 followed by s, m or h, like 10s, 1m or 2h";
      return false;
    }
  }
  // Read last, so that a mistake elsewhere is reported without reading a large file first.
  if (has("--eop")) {
    sky::EopTable table;
    if (!sky::ReadEopFile(std::string(given["--eop"]), table, why)) {
      why = "--eop " + why;
      return false;
    }
    t.eop = std::move(table);
  }
  return true;
}

std::string UsageText() {
  return R"(Usage: vornak-sky [--at UTC]        open the window (the day's Doppler plot)
       vornak-sky --table STATION [OPTIONS]

The real Moon seen from a station: elevation, azimuth, range, echo delay, the range rate
and its radial, parallax and rotation shares (all geometric, at the instant), and the
Doppler shifts on the echo's light-time path: the self echo received at the instant, its
rate, a signal sent then as it arrives at the Moon (uplink), one leaving the Moon as it is
received then (downlink), the echo's spread and how far its shift can be off (budget).

Station (required with --table):
  --locator LOC            Maidenhead locator of 4, 6 or 8 characters (JN18, JN18eu)
  --lat DEG --lon DEG      geodetic latitude and longitude, north and east positive
  --height M               height above the WGS84 ellipsoid in metres (default 0)
DX station (optional): its elevation, azimuth and range rate, its signal as heard here
(dx) and this station's signal as it hears it (to_dx)
  --dx LOC | --dx-lat DEG --dx-lon DEG [--dx-height M]
Band and time (UTC, like 2026-12-09T21:30Z or 2026-12-09T21:30:00.250Z):
  --band MHZ               carrier frequency in MHz (default 10368)
  --at UTC                 one instant (default: now, to the second)
  --from UTC --to UTC      rows from FROM, every STEP, up to TO
  --step DUR               10s, 5m, 1h... (default 1m)
Output:
  --csv                    comma-separated values with a header row
  --passes                 with --from and --to: the Moon's rises, highest points and sets
  --windows                with a DX station, --from and --to: the intervals in which both
                           stations see the Moon
  --min-el DEG             with --windows: the lowest elevation of both (default 0)
Models:
  --moon swiss|meeus       the Moon from Swiss Ephemeris (default) or ERFA's eraMoon98
  --eop FILE               UT1-UTC and polar motion from IERS's finals2000A file
  --help (-h), --version
)";
}

}  // namespace skyapp
