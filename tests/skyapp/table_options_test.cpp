// SPDX-License-Identifier: GPL-3.0-or-later
// The table's command line: what it accepts, and each class of bad input refused with a
// message that names the bad value.
#include "skyapp/table_options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace skyapp {
namespace {

constexpr sky::UtcInstant kNow{1'796'851'800'123};  // 2026-12-09T21:30:00.123Z

std::vector<std::string_view> Split(const std::string& line, std::vector<std::string>& store) {
  std::istringstream in(line);
  for (std::string word; in >> word;) store.push_back(word);
  return {store.begin(), store.end()};
}

TEST(TableOptions, AcceptsTheDocumentedForms) {
  std::vector<std::string> store;
  ParsedCommandLine p;
  std::string why;
  ASSERT_TRUE(ParseCommandLine(Split("--table --locator jn18eu --height=120 --band 1296 --dx "
                                     "FN20 --from 2026-12-09T00:00Z --to 2026-12-10T00:00Z "
                                     "--step 10s --csv",
                                     store),
                               kNow, p, why))
      << why;
  EXPECT_EQ(p.request, Request::kTable);
  EXPECT_EQ(p.table.locator, "jn18eu");
  EXPECT_EQ(p.table.station.heightM, 120);
  EXPECT_EQ(p.table.bandHz, 1296e6);
  EXPECT_TRUE(p.table.dx && p.table.csv && !p.table.passes);
  EXPECT_EQ(p.table.to.ms - p.table.from.ms, sky::kMsPerDay);
  EXPECT_EQ(p.table.stepMs, 10'000);
  // The budget's station term: half the locator's cell (5′ by 2.5′: 4.63 km by 2.31 km
  // at 48.85° N, halved), or one unit of the last decimal typed; 50 m of height unless given.
  EXPECT_NEAR(p.table.where.northM, 1852.0 * 2.5 / 2, 10);
  EXPECT_EQ(p.table.where.upM, 1);
  store.clear();
  ASSERT_TRUE(
      ParseCommandLine(Split("--table --lat 48.85 --lon 2.3 --moon meeus", store), kNow, p, why));
  EXPECT_NEAR(p.table.where.northM, 1111, 5);
  EXPECT_NEAR(p.table.where.eastM, 0.1 * 111'320 * std::cos(48.85 * M_PI / 180), 100);
  EXPECT_EQ(p.table.where.upM, 50);
  EXPECT_EQ(p.table.moon, sky::MoonTheory::kMeeus);

  // Without --at the instant is now, truncated to the second; the band defaults to 10 GHz.
  store.clear();
  ASSERT_TRUE(ParseCommandLine(Split("--table --lat -33.9 --lon +151.2", store), kNow, p, why));
  EXPECT_EQ(p.table.from.ms, 1'796'851'800'000);
  EXPECT_EQ(p.table.to, p.table.from);
  EXPECT_EQ(p.table.bandHz, 10368e6);
  EXPECT_NEAR(p.table.station.latitudeRad, -33.9 * M_PI / 180, 1e-15);

  store.clear();
  ASSERT_TRUE(ParseCommandLine(Split("--locator JN18 --help", store), kNow, p, why));
  EXPECT_EQ(p.request, Request::kHelp);
  store.clear();
  ASSERT_TRUE(ParseCommandLine({}, kNow, p, why));
  EXPECT_EQ(p.request, Request::kWindow);
}

TEST(TableOptions, RefusesEachClassOfBadInputNamingTheValue) {
  const std::string station = " --locator JN18eu";
  const std::string from = " --from 2026-12-09T00:00Z --to 2026-12-10T00:00Z";
  struct Row {
    std::string args;
    const char* named;  // what the message must name
  };
  const Row rows[] = {
      {"--table --frobnicate" + station, "--frobnicate"},
      {"--table --locator", "--locator"},
      {"--table --lat --lon 3", "--lat"},
      {"--table --band 1296 --band 432" + station, "--band"},
      {"--table --csv --csv" + station, "--csv"},
      {"--table --at 2026-12-09T00:00Z" + from + station, "--at"},
      {"--table --lat 1 --lon 2" + station, "--locator"},
      {"--table --passes --at 2026-12-09T00:00Z" + station, "--passes"},
      {"--table --passes --step 1m" + from + station, "--passes"},
      {"--table --passes --dx FN20" + from + station, "--passes"},
      {"--table --passes" + station, "--passes"},
      {"--table", "station"},
      {"--table --lat 1", "--lon"},
      {"--table --lat 90.5 --lon 0", "90.5"},
      {"--table --lat 0 --lon -180.01", "-180.01"},
      {"--table --lat nan --lon 0", "nan"},
      {"--table --lat 0 --lon inf", "inf"},
      {"--table --lat 0 --lon 12e", "12e"},
      {"--table --lat 0 --lon 1 --height 1e9", "1e9"},
      {"--table --dx FN20 --dx-height 99999" + station, "--dx-height \"99999\""},
      {"--table --locator JN18e", "JN18e"},
      {"--table --dx ZZ00" + station, "ZZ00"},
      {"--table --dx-height 10" + station, "--dx-height"},
      {"--table --at 2026-02-30T00:00Z" + station, "2026-02-30T00:00Z"},
      {"--table --at 2026-12-09T21:30" + station, "2026-12-09T21:30"},
      {"--table --at 1949-12-31T23:59:59Z" + station, "1949-12-31T23:59:59Z"},
      {"--table --from 2026-12-09T00:00Z --to 2101-01-01T00:00Z" + station, "2101"},
      {"--table --band 0" + station, "0"},
      {"--table --band -144" + station, "-144"},
      {"--table --step 0m" + from + station, "0m"},
      {"--table --step 5d" + from + station, "5d"},
      {"--table --step 10s" + station, "--step"},
      {"--table --from 2026-12-10T00:00Z --to 2026-12-09T00:00Z" + station, "2026-12-10"},
      {"--table --from 2026-12-10T00:00Z" + station, "--to"},
      {"--locator JN18", "--table"},
      {"--at 2026-12-09T25:00Z", "2026-12-09T25:00Z"},
      {"--table --moon elp2000" + station, "elp2000"},
      {"--table --moon" + station, "--moon"},
      {"--table --eop /no/such/finals2000A.all" + station, "/no/such/finals2000A.all"},
      {"--table --windows" + from + station, "--dx"},
      {"--table --windows --dx FN20 --step 1m" + from + station, "--windows"},
      {"--table --windows --dx FN20" + station, "--from"},
      {"--table --windows --passes --dx FN20" + from + station, "--windows"},
      {"--table --min-el 5" + from + station, "--min-el"},
      {"--table --windows --dx FN20 --min-el 90" + from + station, "90"},
      {"--table --windows --dx FN20 --min-el -1" + from + station, "-1"},
      {"--table --windows --dx FN20 --min-el low" + from + station, "low"},
  };
  for (const Row& r : rows) {
    std::vector<std::string> store;
    ParsedCommandLine p;
    std::string why;
    EXPECT_FALSE(ParseCommandLine(Split(r.args, store), kNow, p, why)) << r.args;
    EXPECT_NE(why.find(r.named), std::string::npos) << r.args << " -> " << why;
    EXPECT_EQ(why.find('\n'), std::string::npos) << why;
  }
}

}  // namespace
}  // namespace skyapp
