// SPDX-License-Identifier: GPL-3.0-or-later
// The tracking loop with a radio that records what it is sent and can be slow to answer:
// no command goes out from figures over a second old.
#include "skyapp/track/session.h"

#include <gtest/gtest.h>

namespace skyapp::track {
namespace {

// A clock moved by hand, and a radio whose every reading takes `readTakesMs` of it.
class HandClock final : public Clock {
 public:
  sky::UtcInstant Now() override { return now; }
  void WaitUntil(sky::UtcInstant t, const std::atomic<bool>&) override { now = t; }
  sky::UtcInstant now{1'796'824'800'000};  // 2026-12-09T14:00:00Z
};

class SlowRig final : public RigLink {
 public:
  explicit SlowRig(HandClock& clock) : clock_(clock) {}
  LinkResult Open() override { return {}; }
  void Close() override {}
  LinkResult Read(RigReading& r) override {
    clock_.now.ms += readTakesMs;
    r = {};
    return {};
  }
  LinkResult SetRx(double) override { return Sent('R'); }
  LinkResult SetSplit(bool) override { return Sent('S'); }
  LinkResult SetTx(double) override { return Sent('T'); }
  std::int64_t readTakesMs = 0;
  std::string sent;  // one letter per command

 private:
  LinkResult Sent(char what) {
    sent += what;
    return {};
  }
  HandClock& clock_;
};

TEST(TrackSession, NothingSentFromFiguresOverASecondOld) {
  TrackSettings s;
  std::string why;
  ASSERT_TRUE(sky::StationFromLocator("JN18eu", 0, s.station, why));
  HandClock clock;
  SlowRig rig(clock);
  TrackSession session(s, clock, &rig, nullptr);
  ASSERT_TRUE(session.OpenAll(why));
  rig.readTakesMs = 1000;
  session.Tick();
  EXPECT_EQ(rig.sent, "");
  EXPECT_FALSE(session.status().rigError.empty());
  rig.readTakesMs = 999;
  clock.now.ms += 4000;
  session.Tick();
  EXPECT_EQ(rig.sent, "RST");
}

}  // namespace
}  // namespace skyapp::track
