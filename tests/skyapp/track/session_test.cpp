// SPDX-License-Identifier: GPL-3.0-or-later
// The tracking loop with a radio that records what it is sent: reconnection every 5 s
// with everything sent again, and no command from figures over a second old.
#include "skyapp/track/session.h"

#include <gtest/gtest.h>

#include <vector>

namespace skyapp::track {
namespace {

constexpr sky::UtcInstant kStart{1'796'824'800'000};  // 2026-12-09T14:00:00Z

// A clock moved by hand: waits jump, and the radio can make an exchange take time.
class HandClock final : public Clock {
 public:
  sky::UtcInstant Now() override { return now; }
  void WaitUntil(sky::UtcInstant t, const std::atomic<bool>&) override { now = t; }
  sky::UtcInstant now = kStart;
};

class RecordingRig final : public RigLink {
 public:
  explicit RecordingRig(HandClock& clock) : clock_(clock) {}
  LinkResult Open() override {
    opens.push_back((clock_.now.ms - kStart.ms) / 1000);
    return Up();
  }
  void Close() override {}
  LinkResult Read(RigReading& r) override {
    clock_.now.ms += readTakesMs;
    r = reading;
    return Up();
  }
  LinkResult SetRx(double hz) override { return Record('R', hz); }
  LinkResult SetSplit(bool on) override { return Record('S', on); }
  LinkResult SetTx(double hz) override { return Record('T', hz); }

  bool down = false;
  std::int64_t readTakesMs = 0;
  RigReading reading;
  std::vector<std::int64_t> opens;  // seconds after the start
  std::string sent;                 // one letter per command

 private:
  LinkResult Up() const { return down ? LinkResult{LinkResult::kLost, "gone"} : LinkResult{}; }
  LinkResult Record(char what, double value) {
    sent += what;
    if (what == 'R') reading.rxHz = value;
    if (what == 'T') reading.txHz = value;
    if (what == 'S') reading.split = value != 0;
    return Up();
  }
  HandClock& clock_;
};

TrackSettings Paris() {
  TrackSettings s;
  std::string why;
  EXPECT_TRUE(sky::StationFromLocator("JN18eu", 0, s.station, why));
  s.skedHz = 10368.1e6;
  return s;
}

void TickAt(TrackSession& session, HandClock& clock, int second) {
  clock.now.ms = kStart.ms + second * 1000;
  session.Tick();
}

TEST(TrackSession, RetriesEveryFiveSecondsAndSendsEverythingAgain) {
  HandClock clock;
  RecordingRig rig(clock);
  TrackSession session(Paris(), clock, &rig, nullptr);
  std::string why;
  ASSERT_TRUE(session.OpenAll(why));
  TickAt(session, clock, 0);
  EXPECT_EQ(rig.sent, "RST");

  // Lost at 3 s: attempts at 8 s and 13 s, none between; back at 13 s, everything again.
  rig.down = true;
  for (int s = 3; s <= 12; ++s) TickAt(session, clock, s);
  EXPECT_FALSE(session.status().rigConnected);
  EXPECT_EQ(rig.opens, (std::vector<std::int64_t>{0, 8}));
  rig.down = false;
  rig.sent.clear();
  TickAt(session, clock, 13);
  EXPECT_EQ(rig.opens, (std::vector<std::int64_t>{0, 8, 13}));
  EXPECT_TRUE(session.status().rigConnected);
  EXPECT_EQ(rig.sent, "RST");
}

TEST(TrackSession, NothingSentFromFiguresOverASecondOld) {
  HandClock clock;
  RecordingRig rig(clock);
  TrackSession session(Paris(), clock, &rig, nullptr);
  std::string why;
  ASSERT_TRUE(session.OpenAll(why));
  rig.readTakesMs = 1000;
  TickAt(session, clock, 0);
  EXPECT_EQ(rig.sent, "");
  EXPECT_FALSE(session.status().rigError.empty());
  rig.readTakesMs = 999;
  TickAt(session, clock, 5);
  EXPECT_EQ(rig.sent, "RST");
}

}  // namespace
}  // namespace skyapp::track
