// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of the real Moon's geometry and Doppler shift, as CSV or as a table a person reads.
#include "skyapp/table.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>

#include <erfam.h>

#include "sky/budget.h"
#include "sky/echo.h"
#include "sky/passes.h"
#include "sky/sight.h"
#include "sky/windows.h"
#include "skyapp/core/readouts.h"

namespace skyapp {
namespace {

// Widths of the aligned table: the widest value a column can take, or its title.
constexpr int kUtcWidth = 24;
constexpr int kValueWidth = 13;

// Output with its first failure kept, so that one check after each row tells whether to
// stop, and why.
class Writer {
 public:
  explicit Writer(std::FILE* out) : out_(out) {}
  void Put(const char* text) {
    if (!failed_ && std::fputs(text, out_) == EOF) Fail();
  }
  void Flush() {
    if (!failed_ && std::fflush(out_) == EOF) Fail();
  }
  [[nodiscard]] bool Failed() const { return failed_; }
  [[nodiscard]] int Error() const { return error_; }

 private:
  void Fail() {
    failed_ = true;
    error_ = errno;
  }
  std::FILE* out_;
  bool failed_ = false;
  int error_ = 0;
};

void PutText(Writer& w, bool csv, const std::string& text, int width, bool first) {
  char buf[96];
  if (csv) {
    std::snprintf(buf, sizeof buf, "%s%s", first ? "" : ",", text.c_str());
  } else {
    std::snprintf(buf, sizeof buf, "%s%-*s", first ? "" : " ", width, text.c_str());
  }
  w.Put(buf);
}

void PutTitleCell(Writer& w, bool csv, Figure f) {
  char buf[64];
  if (csv) {
    std::snprintf(buf, sizeof buf, ",%s", FormatOf(f).csvName);
  } else {
    std::snprintf(buf, sizeof buf, " %*s", kValueWidth, FormatOf(f).title);
  }
  w.Put(buf);
}

void PutFigure(Writer& w, bool csv, Figure f, double value) {
  const std::string text = CellText(f, value);
  char buf[64];
  if (csv) {
    std::snprintf(buf, sizeof buf, ",%s", text.c_str());
  } else {
    std::snprintf(buf, sizeof buf, " %*s", kValueWidth, text.c_str());
  }
  w.Put(buf);
}

// Where the figures come from, once for the whole run: the Moon used (eraMoon98 when the
// Swiss Ephemeris files cannot be read, said on stderr) and the Earth orientation data.
struct Models {
  sky::SkyModel sky;
  std::string moonName;
};

Models ModelsFor(const TableOptions& o, std::FILE* err) {
  Models m;
  m.sky.moon = o.moon;
  m.sky.eop = o.eop ? &*o.eop : nullptr;
  std::string why;
  if (o.moon == sky::MoonTheory::kSwissEphemeris && !sky::SwissEphemerisReadable(&why)) {
    std::fprintf(err, "vornak-sky: %s\n", why.c_str());
    m.sky.moon = sky::MoonTheory::kMeeus;
    m.moonName = std::string(sky::MoonTheoryName(sky::MoonTheory::kMeeus)) +
                 ", the Swiss Ephemeris files missing";
  } else {
    m.moonName = sky::MoonTheoryName(o.moon);
  }
  return m;
}

void PutTitle(Writer& w, const TableOptions& o, const Models& m, bool rows) {
  const sky::Station& s = o.station;
  char place[64];
  std::snprintf(place, sizeof place, "%.4f %s, %.4f %s", std::fabs(s.latitudeRad) * ERFA_DR2D,
                s.latitudeRad < 0 ? "S" : "N", std::fabs(s.longitudeRad) * ERFA_DR2D,
                s.longitudeRad < 0 ? "W" : "E");
  const std::string where = o.locator.empty() ? std::string(place) + " (" + sky::LocatorOf(s) + ")"
                                              : o.locator + " (" + place + ")";
  const std::string earth = o.eop ? "UT1 and polar motion from " + o.eop->path
                                  : std::string("UT1 = UTC, no polar motion");
  char buf[1024];
  std::snprintf(buf, sizeof buf,
                "# The Moon from %s, height %.0f m, at %.6g MHz; times in UTC; Moon: %s; %s\n",
                where.c_str(), s.heightM, o.bandHz / 1e6, m.moonName.c_str(), earth.c_str());
  w.Put(buf);
  if (rows) {
    w.Put(
        "# El to Rate: geometric, at the instant; Shift, Hz/min and Up, Down (and DX): along "
        "the light-time path of a signal received (Up: sent) at the instant\n");
  }
}

int Finish(Writer& w, std::FILE* err) {
  w.Flush();
  if (!w.Failed() || w.Error() == EPIPE) return 0;
  std::fprintf(err, "vornak-sky: writing the table failed: %s\n", std::strerror(w.Error()));
  return 1;
}

int WritePasses(const TableOptions& o, const Models& m, Writer& w, std::FILE* err) {
  const bool csv = o.csv;
  if (csv) {
    w.Put("rise_utc,highest_utc,highest_elevation_deg,set_utc\n");
  } else {
    PutTitle(w, o, m, false);
    char buf[160];
    std::snprintf(buf, sizeof buf, "%-*s %-*s %*s %s\n", kUtcWidth, "Rise", kUtcWidth, "Highest",
                  kValueWidth, "Top El deg", "Set");
    w.Put(buf);
  }
  const auto when = [&](const std::optional<sky::UtcInstant>& t) {
    return t ? sky::FormatUtc(*t) : std::string(csv ? "" : "(before start)");
  };
  sky::ForEachPass(
      sky::SiteOf(o.station), o.from, o.to,
      [&](const sky::Pass& p) {
        PutText(w, csv, when(p.rise), kUtcWidth, true);
        PutText(w, csv, sky::FormatUtc(p.highest), kUtcWidth, false);
        PutFigure(w, csv, Figure::kElevationDeg, p.highestElevationDeg);
        PutText(w, csv, p.set ? sky::FormatUtc(*p.set) : std::string(csv ? "" : "(after end)"), 0,
                false);
        w.Put("\n");
        return !w.Failed();
      },
      0, m.sky);
  return Finish(w, err);
}

// "2h 05m 10s" for the aligned table.
std::string Duration(std::int64_t ms) {
  const std::int64_t s = (ms + sky::kMsPerSecond / 2) / sky::kMsPerSecond;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lldh %02lldm %02llds", static_cast<long long>(s / 3600),
                static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  return buf;
}

int WriteWindows(const TableOptions& o, const Models& m, Writer& w, std::FILE* err) {
  const bool csv = o.csv;
  if (csv) {
    w.Put("start_utc,end_utc,duration_s,elevation_deg,dx_elevation_deg,dx_doppler_hz\n");
  } else {
    PutTitle(w, o, m, false);
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "# Both stations see the Moon at or above %g deg; elevations and the DX "
                  "shift at the middle of each window\n",
                  o.minElevationDeg);
    w.Put(buf);
    std::snprintf(buf, sizeof buf, "%-*s %-*s %-11s %*s %*s %*s\n", kUtcWidth, "Start", kUtcWidth,
                  "End", "Duration", kValueWidth, "El deg", kValueWidth, "DX El deg", kValueWidth,
                  "DX Shift Hz");
    w.Put(buf);
  }
  const sky::Site site = sky::SiteOf(o.station), dx = sky::SiteOf(*o.dx);
  for (const sky::Interval& i :
       sky::MutualWindows(site, dx, o.from, o.to, o.minElevationDeg, m.sky)) {
    if (w.Failed()) break;
    const sky::UtcInstant middle{i.from.ms + (i.to.ms - i.from.ms) / 2};
    const sky::MoonAndEarth state = sky::MoonAndEarthAt(middle, true, m.sky);
    const sky::EchoShifts e = sky::EchoShiftsAt(state, site, &dx, o.bandHz);
    PutText(w, csv, sky::FormatUtc(i.from), kUtcWidth, true);
    PutText(w, csv, sky::FormatUtc(i.to), kUtcWidth, false);
    if (csv) {
      PutText(w, csv, std::to_string((i.to.ms - i.from.ms) / sky::kMsPerSecond), 0, false);
    } else {
      PutText(w, csv, Duration(i.to.ms - i.from.ms), 11, false);
    }
    PutFigure(w, csv, Figure::kElevationDeg, sky::SightFrom(state, site).elevationDeg);
    PutFigure(w, csv, Figure::kDxElevationDeg, sky::SightFrom(state, dx).elevationDeg);
    PutFigure(w, csv, Figure::kDxHz, e.dxHz);
    w.Put("\n");
  }
  return Finish(w, err);
}

}  // namespace

int WriteTable(const TableOptions& o, std::FILE* out, std::FILE* err) {
  Writer w(out);
  const Models m = ModelsFor(o, err);
  if (o.passes) return WritePasses(o, m, w, err);
  if (o.windows) return WriteWindows(o, m, w, err);

  const bool csv = o.csv;
  if (!csv) PutTitle(w, o, m, true);
  PutText(w, csv, csv ? "utc" : "UTC", kUtcWidth, true);
  for (const Figure f : kTableColumns) PutTitleCell(w, csv, f);
  if (o.dx) {
    for (const Figure f : kTableDxColumns) PutTitleCell(w, csv, f);
  }
  w.Put("\n");

  const sky::Site site = sky::SiteOf(o.station);
  const std::optional<sky::Site> dxSite =
      o.dx ? std::optional<sky::Site>(sky::SiteOf(*o.dx)) : std::nullopt;
  for (sky::UtcInstant t = o.from; t <= o.to && !w.Failed(); t.ms += o.stepMs) {
    const sky::MoonAndEarth state = sky::MoonAndEarthAt(t, true, m.sky);
    const Figures figures = FiguresAt(state, site, dxSite ? &*dxSite : nullptr, o.bandHz, o.where);
    PutText(w, csv, sky::FormatUtc(t), kUtcWidth, true);
    for (const Figure f : kTableColumns) PutFigure(w, csv, f, figures[f]);
    if (dxSite) {
      for (const Figure f : kTableDxColumns) PutFigure(w, csv, f, figures[f]);
    }
    w.Put("\n");
  }
  return Finish(w, err);
}

}  // namespace skyapp
