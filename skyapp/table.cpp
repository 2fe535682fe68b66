// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of the real Moon's geometry and Doppler shift, as CSV or as a table a person reads.
#include "skyapp/table.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>

#include <erfam.h>

#include "sky/passes.h"
#include "sky/sight.h"
#include "skyapp/readout_text.h"

namespace skyapp {
namespace {

struct Column {
  const char* csvName;
  const char* title;  // the aligned table's header, with the unit
  int decimals;
};

constexpr Column kColumns[] = {
    {"elevation_deg", "El deg", 3},     {"azimuth_deg", "Az deg", 3},
    {"range_km", "Range km", 3},        {"echo_delay_s", "Delay s", 6},
    {"radial_ms", "Radial m/s", 3},     {"parallax_ms", "Parallax m/s", 3},
    {"rotation_ms", "Rotation m/s", 3}, {"range_rate_ms", "Rate m/s", 3},
    {"self_doppler_hz", "Shift Hz", 1}, {"doppler_rate_hz_per_min", "Hz/min", 2},
};
constexpr Column kDxColumns[] = {
    {"dx_elevation_deg", "DX El deg", 3},
    {"dx_azimuth_deg", "DX Az deg", 3},
    {"dx_range_rate_ms", "DX Rate m/s", 3},
    {"dx_doppler_hz", "DX Shift Hz", 1},
};
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

void PutCell(Writer& w, bool csv, double value, int decimals) {
  value = Unsigned0(value, decimals);
  char buf[64];
  if (csv) {
    std::snprintf(buf, sizeof buf, ",%.*f", decimals, value);
  } else {
    std::snprintf(buf, sizeof buf, " %*.*f", kValueWidth, decimals, value);
  }
  w.Put(buf);
}

void PutText(Writer& w, bool csv, const std::string& text, int width, bool first) {
  char buf[96];
  if (csv) {
    std::snprintf(buf, sizeof buf, "%s%s", first ? "" : ",", text.c_str());
  } else {
    std::snprintf(buf, sizeof buf, "%s%-*s", first ? "" : " ", width, text.c_str());
  }
  w.Put(buf);
}

void PutTitleCell(Writer& w, bool csv, const Column& c) {
  char buf[64];
  if (csv) {
    std::snprintf(buf, sizeof buf, ",%s", c.csvName);
  } else {
    std::snprintf(buf, sizeof buf, " %*s", kValueWidth, c.title);
  }
  w.Put(buf);
}

void PutTitle(Writer& w, const TableOptions& o) {
  const sky::Station& s = o.station;
  char place[64];
  std::snprintf(place, sizeof place, "%.4f %s, %.4f %s", std::fabs(s.latitudeRad) * ERFA_DR2D,
                s.latitudeRad < 0 ? "S" : "N", std::fabs(s.longitudeRad) * ERFA_DR2D,
                s.longitudeRad < 0 ? "W" : "E");
  const std::string where = o.locator.empty() ? std::string(place) + " (" + sky::LocatorOf(s) + ")"
                                              : o.locator + " (" + place + ")";
  char buf[256];
  std::snprintf(buf, sizeof buf, "# The Moon from %s, height %.0f m, at %.6g MHz; times in UTC\n",
                where.c_str(), s.heightM, o.bandHz / 1e6);
  w.Put(buf);
}

int Finish(Writer& w, std::FILE* err) {
  w.Flush();
  if (!w.Failed() || w.Error() == EPIPE) return 0;
  std::fprintf(err, "vornak-sky: writing the table failed: %s\n", std::strerror(w.Error()));
  return 1;
}

int WritePasses(const TableOptions& o, Writer& w, std::FILE* err) {
  const bool csv = o.csv;
  if (csv) {
    w.Put("rise_utc,highest_utc,highest_elevation_deg,set_utc\n");
  } else {
    PutTitle(w, o);
    char buf[160];
    std::snprintf(buf, sizeof buf, "%-*s %-*s %*s %s\n", kUtcWidth, "Rise", kUtcWidth, "Highest",
                  kValueWidth, "Top El deg", "Set");
    w.Put(buf);
  }
  const auto when = [&](const std::optional<sky::UtcInstant>& t) {
    return t ? sky::FormatUtc(*t) : std::string(csv ? "" : "(before start)");
  };
  sky::ForEachPass(sky::SiteOf(o.station), o.from, o.to, [&](const sky::Pass& p) {
    PutText(w, csv, when(p.rise), kUtcWidth, true);
    PutText(w, csv, sky::FormatUtc(p.highest), kUtcWidth, false);
    PutCell(w, csv, p.highestElevationDeg, 3);
    PutText(w, csv, p.set ? sky::FormatUtc(*p.set) : std::string(csv ? "" : "(after end)"), 0,
            false);
    w.Put("\n");
    return !w.Failed();
  });
  return Finish(w, err);
}

}  // namespace

int WriteTable(const TableOptions& o, std::FILE* out, std::FILE* err) {
  Writer w(out);
  if (o.passes) return WritePasses(o, w, err);

  const bool csv = o.csv;
  if (!csv) PutTitle(w, o);
  PutText(w, csv, csv ? "utc" : "UTC", kUtcWidth, true);
  for (const Column& c : kColumns) PutTitleCell(w, csv, c);
  if (o.dx) {
    for (const Column& c : kDxColumns) PutTitleCell(w, csv, c);
  }
  w.Put("\n");

  const sky::Site site = sky::SiteOf(o.station);
  const std::optional<sky::Site> dxSite =
      o.dx ? std::optional<sky::Site>(sky::SiteOf(*o.dx)) : std::nullopt;
  for (sky::UtcInstant t = o.from; t <= o.to && !w.Failed(); t.ms += o.stepMs) {
    const sky::MoonAndEarth state = sky::MoonAndEarthAt(t);
    const sky::Sight s = sky::SightFrom(state, site);
    PutText(w, csv, sky::FormatUtc(t), kUtcWidth, true);
    const double values[] = {s.elevationDeg,
                             AzimuthAsPrinted(s.azimuthDeg),
                             s.rangeKm,
                             s.echoDelayS,
                             s.radialMs,
                             s.parallaxMs,
                             s.rotationMs,
                             s.rangeRateMs,
                             sky::SelfShiftHz(o.bandHz, s.rangeRateMs),
                             sky::SelfShiftRateHzPerMin(o.bandHz, s.rangeAccelerationMs2)};
    for (std::size_t i = 0; i < std::size(values); ++i) {
      PutCell(w, csv, values[i], kColumns[i].decimals);
    }
    if (dxSite) {
      const sky::Sight d = sky::SightFrom(state, *dxSite);
      const double dxValues[] = {d.elevationDeg, AzimuthAsPrinted(d.azimuthDeg), d.rangeRateMs,
                                 sky::DxShiftHz(o.bandHz, s.rangeRateMs, d.rangeRateMs)};
      for (std::size_t i = 0; i < std::size(dxValues); ++i) {
        PutCell(w, csv, dxValues[i], kDxColumns[i].decimals);
      }
    }
    w.Put("\n");
  }
  return Finish(w, err);
}

}  // namespace skyapp
