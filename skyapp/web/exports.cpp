// SPDX-License-Identifier: GPL-3.0-or-later
// The one boundary between the page and the C++ of vornak-sky: plain C entry points that take
// what the user typed as text and give back every text the page shows, as JSON. The page's
// script holds no physics and formats no readout; it lays out what these return.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "sky/day.h"
#include "sky/eop.h"
#include "sky/moon.h"
#include "sky/station.h"
#include "sky/time.h"
#include "skyapp/core/day_plot.h"
#include "skyapp/core/readouts.h"
#include "skyapp/core/settings.h"
#include "skyapp/core/station_text.h"
#include "skyapp/table.h"
#include "skyapp/table_options.h"

namespace {

// A station as the page holds it: the texts typed (the budget reads their decimals), and
// the station they make.
struct Typed {
  std::string locator, latitude, longitude, height;
  bool fromLocator = false;
  std::optional<sky::Station> station;
};

// The page's state, written only by the entry points below.
Typed station{"", "49.2", "0", "", false, skyapp::DefaultStation()};
Typed dx;
double bandHz = skyapp::kDefaultBandMhz * 1e6;
std::string bandText = skyapp::NumberToStore(skyapp::kDefaultBandMhz);  // MHz, read back exactly
std::optional<sky::EopTable> eop;
sky::MoonTheory moon = sky::MoonTheory::kSwissEphemeris;
std::string reply;  // what the last call returned, alive until the next

class Json {
 public:
  Json() {
    out_.reserve(1024);
    out_ += '{';
  }
  Json& Key(const char* k) {
    out_ += first_ ? "" : ",";
    first_ = false;
    out_ += '"';
    out_ += k;
    out_ += "\":";
    return *this;
  }
  Json& Str(const std::string& s) {
    out_ += '"';
    // Most texts have nothing to escape: appended whole.
    if (std::none_of(s.begin(), s.end(), [](char c) {
          return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
        })) {
      out_ += s;
      out_ += '"';
      return *this;
    }
    for (const char c : s) {
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
      } else if (static_cast<unsigned char>(c) < 0x20) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        out_ += buf;
      } else {
        out_ += c;
      }
    }
    out_ += '"';
    return *this;
  }
  Json& Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    out_ += buf;
    return *this;
  }
  Json& Bool(bool b) {
    out_ += b ? "true" : "false";
    return *this;
  }
  Json& Raw(const std::string& s) {
    out_ += s;
    return *this;
  }
  const char* Done() {
    out_ += '}';
    reply.swap(out_);
    return reply.c_str();
  }

 private:
  std::string out_;
  bool first_ = true;
};

std::string Array(const std::vector<double>& v) {
  std::string s = "[";
  char buf[32];
  for (std::size_t i = 0; i < v.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%s%.10g", i ? "," : "", v[i]);
    s += buf;
  }
  return s + "]";
}

std::string Intervals(const std::vector<sky::Interval>& list) {
  std::string s = "[";
  for (std::size_t i = 0; i < list.size(); ++i) {
    s += (i ? ",[" : "[") + std::to_string(list[i].from.ms) + "," + std::to_string(list[i].to.ms) +
         "]";
  }
  return s + "]";
}

const char* FieldName(skyapp::StationField f) {
  switch (f) {
    case skyapp::StationField::kLocator:
      return "locator";
    case skyapp::StationField::kLatitude:
      return "latitude";
    case skyapp::StationField::kLongitude:
      return "longitude";
    case skyapp::StationField::kHeight:
      return "height";
    default:
      return "";
  }
}

sky::SkyModel Model() {
  return {moon, eop ? &*eop : nullptr};
}

sky::StationUncertainty Where(const Typed& t) {
  return skyapp::UncertaintyOfTexts(t.fromLocator ? t.locator : "", t.latitude, t.longitude,
                                    t.height, *t.station);
}

// The table's options for the station, DX station, band and EOP data shown, made as the
// command line makes them, so that the page's table is the one vornak-sky prints.
bool TableFor(sky::UtcInstant from, sky::UtcInstant to, skyapp::TableOptions& o, std::string& why) {
  std::vector<std::string> args = {"--table", "--csv"};
  const auto add = [&](const Typed& t, const char* loc, const char* lat, const char* lon,
                       const char* h) {
    if (t.fromLocator) {
      args.insert(args.end(), {loc, skyapp::Trimmed(t.locator)});
    } else {
      args.insert(args.end(),
                  {lat, skyapp::Trimmed(t.latitude), lon, skyapp::Trimmed(t.longitude)});
    }
    // A height of 0 is the one the window fills in for none: not given.
    const std::string height = skyapp::Trimmed(t.height);
    if (!height.empty() && t.station->heightM != 0) args.insert(args.end(), {h, height});
  };
  add(station, "--locator", "--lat", "--lon", "--height");
  if (dx.station) add(dx, "--dx", "--dx-lat", "--dx-lon", "--dx-height");
  args.insert(args.end(),
              {"--band", bandText, "--from", sky::FormatUtc(from), "--to", sky::FormatUtc(to),
               "--step", "1m", "--moon", moon == sky::MoonTheory::kMeeus ? "meeus" : "swiss"});
  const std::vector<std::string_view> views(args.begin(), args.end());
  skyapp::ParsedCommandLine parsed;
  if (!skyapp::ParseCommandLine(views, from, parsed, why)) return false;
  o = std::move(parsed.table);
  o.eop = eop;
  return true;
}

// What the page says of the Earth orientation data it uses.
std::string EopText() {
  if (!eop) return "No EOP data: UT1 = UTC, no polar motion";
  return "UT1 and polar motion from " + eop->path + " (" + std::to_string(eop->days.size()) +
         " days)";
}

// The table vornak-sky --table prints for `o`, as text.
std::string TableText(const skyapp::TableOptions& o) {
  char* buf = nullptr;
  std::size_t size = 0;
  FILE* out = open_memstream(&buf, &size);
  (void)skyapp::WriteTable(o, out, stderr);
  std::fclose(out);
  std::string text(buf, size);
  std::free(buf);
  return text;
}

}  // namespace

extern "C" {

// The station (which 0) or the DX station (1) typed: in the locator field (fromLocator) or
// in the coordinates. Accepted, it becomes the one shown; refused, nothing changes and the
// reply names the field and why.
EMSCRIPTEN_KEEPALIVE const char* vs_set_station(int which, int fromLocator, const char* locator,
                                                const char* latitude, const char* longitude,
                                                const char* height) {
  const bool optional = which == 1;
  const skyapp::StationCheck c =
      fromLocator ? skyapp::CheckLocatorText(locator, height, optional)
                  : skyapp::CheckCoordinateTexts(latitude, longitude, height, optional);
  Json j;
  j.Key("ok").Bool(c.ok).Key("field").Str(FieldName(c.bad)).Key("message").Str(c.message);
  if (!c.ok) return j.Done();
  Typed& t = which == 1 ? dx : station;
  t.station = c.station;
  t.fromLocator = fromLocator && c.station;
  t.locator = c.station ? c.locator : "";
  t.latitude = c.station ? c.latitude : "";
  t.longitude = c.station ? c.longitude : "";
  t.height = c.station ? c.height : "";
  j.Key("station").Bool(c.station.has_value()).Key("fromLocator").Bool(t.fromLocator);
  j.Key("locator").Str(t.locator);
  j.Key("latitude").Str(t.latitude).Key("longitude").Str(t.longitude).Key("height").Str(t.height);
  return j.Done();
}

// A band in MHz; one outside 0.001 to 1,000,000 MHz is refused with a message.
EMSCRIPTEN_KEEPALIVE const char* vs_set_band(const char* mhzText) {
  const std::optional<double> mhz = skyapp::ParseNumber(mhzText);
  Json j;
  if (!mhz || !skyapp::ValidBandMhz(*mhz)) {
    return j.Key("ok")
        .Bool(false)
        .Key("message")
        .Str("Frequency: type a number of MHz from 0.001 to 1000000.")
        .Done();
  }
  bandHz = *mhz * 1e6;
  bandText = skyapp::NumberToStore(*mhz);
  return j.Key("ok").Bool(true).Key("mhz").Str(skyapp::NumberToStore(*mhz)).Done();
}

EMSCRIPTEN_KEEPALIVE const char* vs_set_moon(int meeus) {
  moon = meeus ? sky::MoonTheory::kMeeus : sky::MoonTheory::kSwissEphemeris;
  return Json().Key("ok").Bool(true).Done();
}

// IERS Bulletin A text, as read from the file the user chose: taken, or refused with the
// file's line at fault; an empty text drops the data.
EMSCRIPTEN_KEEPALIVE const char* vs_set_eop(const char* name, const char* text) {
  Json j;
  if (!*text) {
    eop.reset();
    return j.Key("ok").Bool(true).Key("text").Str(EopText()).Done();
  }
  sky::EopTable table;
  std::string why;
  if (!sky::ParseEop(text, name, table, why)) {
    return j.Key("ok").Bool(false).Key("message").Str("Refused: " + why).Done();
  }
  eop = std::move(table);
  return j.Key("ok")
      .Bool(true)
      .Key("text")
      .Str("UT1 and polar motion from " + eop->path + " (" + std::to_string(eop->days.size()) +
           " days)")
      .Done();
}

// The EOP data taken, as the page's storage keeps them (empty without), and the same read
// back: taken, or refused when corrupt, and then none.
EMSCRIPTEN_KEEPALIVE const char* vs_eop_stored() {
  reply = eop ? skyapp::EopToStored(*eop) : std::string();
  return reply.c_str();
}
EMSCRIPTEN_KEEPALIVE const char* vs_set_eop_stored(const char* text) {
  eop = skyapp::EopFromStored(text);
  return Json().Key("ok").Bool(eop.has_value()).Key("text").Str(EopText()).Done();
}

// A UTC date and time typed, like 2026-12-09T14:30Z: its instant (ms since 1970), or why not.
EMSCRIPTEN_KEEPALIVE const char* vs_parse_utc(const char* text) {
  sky::UtcInstant t;
  std::string why;
  Json j;
  if (!sky::ParseUtc(skyapp::Trimmed(text), t, why)) {
    return j.Key("ok").Bool(false).Key("message").Str(why).Done();
  }
  return j.Key("ok").Bool(true).Key("ms").Num(static_cast<double>(t.ms)).Done();
}

// The instant shown: live on the clock (`nowMs`) or the chosen one, with its texts.
EMSCRIPTEN_KEEPALIVE const char* vs_shown(int live, double chosenMs, double nowMs) {
  const sky::UtcInstant t = skyapp::ShownInstant(live != 0, {static_cast<std::int64_t>(chosenMs)},
                                                 static_cast<std::int64_t>(nowMs));
  const sky::UtcInstant day = sky::StartOfDay(t);
  Json j;
  j.Key("ms").Num(static_cast<double>(t.ms)).Key("utc").Str(sky::FormatUtc(t));
  j.Key("dayMs").Num(static_cast<double>(day.ms)).Key("day").Str(sky::FormatUtc(day).substr(0, 10));
  return j.Key("secondOfDay").Num(static_cast<double>((t.ms - day.ms) / 1000)).Done();
}

// Playback from `shownMs` at speed `speed` (0: 1 min, 1: 10 min, 2: 1 h per second): where it
// starts (`start`), or its next step and whether it is the day's last.
EMSCRIPTEN_KEEPALIVE const char* vs_play(double shownMs, int speed, int start) {
  const sky::UtcInstant t{static_cast<std::int64_t>(shownMs)};
  Json j;
  if (start) return j.Key("ms").Num(static_cast<double>(skyapp::PlayStart(t).ms)).Done();
  const skyapp::PlayStep step = skyapp::NextPlayStep(t, static_cast<std::size_t>(speed));
  return j.Key("ms").Num(static_cast<double>(step.next.ms)).Key("last").Bool(step.last).Done();
}

// Every readout at `ms` (UTC, ms since 1970), as the desktop window writes it.
EMSCRIPTEN_KEEPALIVE const char* vs_readouts(double ms) {
  const sky::MoonAndEarth state =
      sky::MoonAndEarthAt({static_cast<std::int64_t>(ms)}, true, Model());
  const sky::Site site = sky::SiteOf(*station.station);
  std::optional<sky::Site> dxSite;
  if (dx.station) dxSite = sky::SiteOf(*dx.station);
  const skyapp::Figures f =
      skyapp::FiguresAt(state, site, dxSite ? &*dxSite : nullptr, bandHz, Where(station));
  Json j;
  for (std::size_t i = 0; i < skyapp::kFigureCount; ++i) {
    const auto figure = static_cast<skyapp::Figure>(i);
    j.Key(skyapp::FormatOf(figure).csvName).Str(skyapp::ReadoutText(f, figure));
  }
  j.Key("horizon").Str(skyapp::HorizonText(f[skyapp::Figure::kElevationDeg]));
  std::string why;
  std::string used = std::string("Moon used: ") + sky::MoonTheoryName(state.moonTheory);
  if (moon == sky::MoonTheory::kSwissEphemeris && !sky::SwissEphemerisReadable(&why)) {
    used += " - " + why;
  }
  return j.Key("moonUsed").Str(used).Done();
}

// The day of `ms`: its curves at whole minutes (Hz), its shaded intervals (ms), the shift
// axis' span, the plot in words and the day's passes and windows as the table prints them.
EMSCRIPTEN_KEEPALIVE const char* vs_day(double ms) {
  const sky::UtcInstant t{static_cast<std::int64_t>(ms)};
  std::optional<sky::Site> dxSite;
  if (dx.station) dxSite = sky::SiteOf(*dx.station);
  const sky::DayCurves c =
      sky::ComputeDay(t, sky::SiteOf(*station.station), dxSite, bandHz, Model());
  const skyapp::ShiftRange range = skyapp::CurvesRange(c);
  Json j;
  j.Key("start").Num(static_cast<double>(c.start.ms));
  j.Key("self").Raw(Array(c.selfHz)).Key("radial").Raw(Array(c.radialHz));
  j.Key("parallax").Raw(Array(c.parallaxHz)).Key("rotation").Raw(Array(c.rotationHz));
  j.Key("dx").Raw(Array(c.dxHz));
  j.Key("below").Raw(Intervals(c.belowHorizon)).Key("dxBelow").Raw(Intervals(c.dxBelowHorizon));
  j.Key("mutual").Raw(Intervals(c.mutualWindows));
  j.Key("low").Num(range.lowHz).Key("high").Num(range.highHz);
  j.Key("description").Str(skyapp::DescribeDay(c));
  // The passes and windows of the day, in the table's aligned text.
  std::string passes, why;
  skyapp::TableOptions o;
  const sky::UtcInstant end{c.start.ms + sky::kMsPerDay};
  for (const bool windows : {false, true}) {
    if (windows && !dx.station) break;
    if (!TableFor(c.start, end, o, why)) break;
    o.csv = false;
    o.passes = !windows;
    o.windows = windows;
    passes += TableText(o);
  }
  return j.Key("passes").Str(passes).Done();
}

// The day of `dayMs` from 00:00 to 24:00 at one-minute steps, as vornak-sky --table --csv
// prints it for the same station, DX station, band and EOP data.
EMSCRIPTEN_KEEPALIVE const char* vs_csv(double dayMs) {
  const sky::UtcInstant day = sky::StartOfDay({static_cast<std::int64_t>(dayMs)});
  skyapp::TableOptions o;
  std::string why;
  if (!TableFor(day, {day.ms + sky::kMsPerDay}, o, why)) {
    reply = "error: " + why;
    return reply.c_str();
  }
  reply = TableText(o);
  return reply.c_str();
}

// A station as the page's storage or a link holds it, checked as the desktop checks its
// settings: accepted (and shown), or refused, and then the default stays.
EMSCRIPTEN_KEEPALIVE const char* vs_stored_station(int which, const char* locator,
                                                   const char* latitude, const char* longitude,
                                                   const char* height) {
  // A locator that is not valid leaves the coordinates to try, as the desktop reads its own.
  if (!skyapp::Trimmed(locator).empty()) {
    const char* r = vs_set_station(which, 1, locator, latitude, longitude, height);
    if (reply.starts_with("{\"ok\":true") || skyapp::Trimmed(latitude).empty()) return r;
  }
  return vs_set_station(which, 0, locator, latitude, longitude, height);
}

}  // extern "C"
