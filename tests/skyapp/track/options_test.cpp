// SPDX-License-Identifier: GPL-3.0-or-later
// The tracking command line: the documented forms, and each class of bad input refused
// with a message that names the bad value.
#include "skyapp/track/options.h"

#include <gtest/gtest.h>

#include <sstream>

namespace skyapp::track {
namespace {

constexpr sky::UtcInstant kNow{1'796'851'800'123};

bool Parse(const std::string& line, TrackOptions& o, std::string& why) {
  std::vector<std::string> store;
  std::istringstream in(line);
  for (std::string word; in >> word;) store.push_back(word);
  return ParseTrackCommandLine({store.begin(), store.end()}, kNow, o, why);
}

TEST(TrackOptions, AcceptsTheDocumentedForms) {
  TrackOptions o;
  std::string why;
  ASSERT_TRUE(
      Parse("--track --locator JN18eu --sked-mhz 10368.1 --mode dx --dx FN20 --rig 2 "
            "--rig-port localhost:4532 --rig-step 10 --lo-mhz 10512 --lo-side high "
            "--retune-in-tx --rot 2 --rot-port=localhost:4533 --rot-step 0.5 "
            "--min-el 3 --park 180,0",
            o, why))
      << why;
  EXPECT_TRUE(o.settings.mode == Mode::kDx && o.settings.dx && o.settings.retuneInTx);
  EXPECT_EQ(o.settings.skedHz, 10368.1e6);
  EXPECT_TRUE(o.rig->model == 2 && o.rig->port == "localhost:4532" && o.settings.rigStepHz == 10);
  EXPECT_EQ(o.rot->port, "localhost:4533");
  EXPECT_TRUE(o.settings.lo && o.settings.lo->highSide && o.settings.lo->loHz == 10512e6);
  EXPECT_EQ(o.settings.dish.park, (AzEl{180, 0}));
}

TEST(TrackOptions, RefusesEachClassOfBadInputNamingTheValue) {
  const std::string base = "--track --locator JN18eu --sked-mhz 10368.1 --rig 2";
  struct Row {
    std::string args;
    const char* named;
  };
  const Row rows[] = {
      {"--track --locator JN18eu --rig 2", "--sked-mhz"},
      {"--track --locator JN18eu --sked-mhz 10368", "--rig"},
      {base + " --mode bounce", "bounce"},
      {base + " --mode dx", "--dx"},
      {base + " --dx FN20", "--mode"},
      {base + " --rig-step 0", "--rig-step"},
      {base + " --lo-mhz 10400", "low side"},
      {base + " --rot-port /dev/ttyUSB1", "--rot"},
      {base + " --rig-speed 9600.5", "9600.5"},
      {base + " --park 180", "180"},
      {base + " --from 2026-12-09T14:00Z --to 2026-12-09T14:01Z", "--dry-run"},
      {base + " --sked-mhz 432", "twice"},
  };
  for (const Row& row : rows) {
    TrackOptions o;
    std::string why;
    EXPECT_FALSE(Parse(row.args, o, why)) << row.args;
    EXPECT_NE(why.find(row.named), std::string::npos) << row.args << " -> " << why;
    EXPECT_EQ(why.find('\n'), std::string::npos) << why;
  }
}

}  // namespace
}  // namespace skyapp::track
