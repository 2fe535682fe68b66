// SPDX-License-Identifier: GPL-3.0-or-later
// Tracking through Hamlib's network models against the real rigctld and rotctld, each
// driving Hamlib's dummy device on a free loopback port: the frequencies and the dish
// position read back by a connection of the test's own, against the table's figures.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <hamlib/rig.h>
#include <hamlib/rotator.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "sky/sight.h"
#include "skyapp/track/hamlib_link.h"

extern char** environ;

namespace skyapp::track {
namespace {

using std::chrono::steady_clock;
constexpr sky::UtcInstant kStart{1'796'824'800'000};  // 2026-12-09T14:00:00Z

// Connects to 127.0.0.1:port (port 0: binds instead, and returns the port the kernel chose).
int Loopback(int port) {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{AF_INET, htons(static_cast<std::uint16_t>(port)), {htonl(INADDR_LOOPBACK)}, {}};
  socklen_t len = sizeof a;
  int result = port;
  if (port == 0) {
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    result = ntohs(a.sin_port);
  } else if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    result = 0;
  }
  close(s);
  return result;
}

// rigctld or rotctld on a free loopback port, listening once started, ended by its pid.
class Daemon {
 public:
  explicit Daemon(std::vector<std::string> args) : args_(std::move(args)) { Start(); }
  ~Daemon() { Stop(); }
  void Start() {
    std::vector<std::string> a = args_;
    a.insert(a.end(), {"-T", "127.0.0.1", "-t", std::to_string(port_)});
    std::vector<char*> argv;
    for (std::string& s : a) argv.push_back(s.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    ASSERT_EQ(posix_spawnp(&pid_, argv[0], &quiet, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&quiet);
    int status = 0;
    for (auto until = steady_clock::now() + std::chrono::seconds(5);
         !Loopback(port_) && steady_clock::now() < until;) {
      ASSERT_EQ(waitpid(pid_, &status, WNOHANG), 0) << a[0] << " ended at its start";
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(Loopback(port_)) << a[0] << " is not listening";
  }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 100 && waitpid(pid_, &status, WNOHANG) == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (waitpid(pid_, &status, WNOHANG) == 0 && kill(pid_, SIGKILL) == 0) waitpid(pid_, &status, 0);
    pid_ = 0;
  }
  [[nodiscard]] std::string Port() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  std::vector<std::string> args_;
  int port_ = Loopback(0);
  pid_t pid_ = 0;
};

sky::Station At(double latDeg, double lonDeg) {
  sky::Station s;
  std::string why;
  EXPECT_TRUE(sky::StationFromDegrees(latDeg, lonDeg, 0, s, why));
  return s;
}

// Ticks `n` seconds on a clock that jumps from second to second.
const TrackStatus& Ticks(TrackSession& session, Clock& clock, int n) {
  std::atomic<bool> stop{false};
  for (int i = 1; i < n; ++i) {
    session.Tick();
    clock.WaitUntil({clock.Now().ms + sky::kMsPerSecond}, stop);
  }
  return session.Tick();
}

// The radio behind `rigctld -m 1 -P RIG`, its PTT set through it, and the test's own view.
class Rigctld : public testing::Test {
 protected:
  void SetUp() override {
    SetHamlibTrace(false);
    s.station = At(48.85, 2.35);
    s.skedHz = 10368.1e6;
    rig = rig_init(2);
    rig_set_conf(rig, rig_token_lookup(rig, "rig_pathname"), daemon.Port().c_str());
    ASSERT_EQ(rig_open(rig), RIG_OK);
    rig_set_cache_timeout_ms(rig, HAMLIB_CACHE_ALL, 0);
  }
  void TearDown() override {
    rig_close(rig);
    rig_cleanup(rig);
  }
  double Rx() {
    freq_t f = 0;
    EXPECT_EQ(rig_get_freq(rig, RIG_VFO_CURR, &f), RIG_OK);
    return BandFromRadioHz(f, s.lo);
  }
  // The transmit VFO's frequency when in split, the receive one's otherwise.
  double Tx() {
    split_t split = RIG_SPLIT_OFF;
    vfo_t txVfo = RIG_VFO_NONE;
    freq_t f = 0;
    EXPECT_EQ(rig_get_split_vfo(rig, RIG_VFO_CURR, &split, &txVfo), RIG_OK);
    if (split != RIG_SPLIT_ON) return Rx();
    EXPECT_EQ(rig_get_split_freq(rig, RIG_VFO_CURR, &f), RIG_OK);
    return BandFromRadioHz(f, s.lo);
  }
  // The table's figures at t (its self_doppler_hz and dx_doppler_hz); one leg of the echo
  // taken as half the round trip.
  RxTx Table(sky::UtcInstant t) const {
    const sky::MoonAndEarth state = sky::MoonAndEarthAt(t);
    const double v = sky::SightFrom(state, sky::SiteOf(s.station)).rangeRateMs;
    const double self = sky::SelfShiftHz(s.skedHz, v), f = s.skedHz;
    if (s.mode == Mode::kOwnEcho) return {f + self, f};
    if (s.mode == Mode::kMoon) return {f + self / 2, f - self / 2};
    if (s.mode == Mode::kNone) return {f, f};
    const double dx = sky::DxShiftHz(f, v, sky::SightFrom(state, sky::SiteOf(*s.dx)).rangeRateMs);
    return {f + dx, f - dx};
  }

  Daemon daemon{{"rigctld", "-m", "1", "-P", "RIG"}};
  TrackSettings s;
  RIG* rig = nullptr;
};

TEST_F(Rigctld, EachModeLandsOnTheTablesFigures) {
  struct Row {
    Mode mode;
    double stepHz;
    std::optional<Transverter> lo;
  };
  const Row rows[] = {{Mode::kOwnEcho, 1, std::nullopt},
                      {Mode::kMoon, 10, Transverter{10224e6, false}},
                      {Mode::kDx, 1, Transverter{10512e6, true}},
                      {Mode::kNone, 1, std::nullopt}};
  int minute = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.mode));
    s.mode = row.mode;
    s.rigStepHz = row.stepHz;
    s.lo = row.lo;
    s.dx = row.mode == Mode::kDx ? std::optional(At(40.5, -74.5)) : std::nullopt;
    SimulatedClock clock({kStart.ms + 60'000 * minute++}, 0);
    HamlibRig link({2, daemon.Port(), 0});
    TrackSession session(s, clock, &link, nullptr);
    std::string why;
    ASSERT_TRUE(session.OpenAll(why)) << why;
    const TrackStatus& st = Ticks(session, clock, 4);
    const RxTx want = Table(st.figures.utc);
    EXPECT_NEAR(Rx(), want.rxHz, row.stepHz);
    EXPECT_NEAR(Tx(), want.txHz, row.stepHz);
    EXPECT_EQ(st.rxRead, Rx());
    EXPECT_EQ(st.txRead, Tx());
  }
}

TEST_F(Rigctld, TransmitFrequencyStaysWhileTheRadioTransmits) {
  s.mode = Mode::kMoon;
  SimulatedClock clock(kStart, 0);
  HamlibRig link({2, daemon.Port(), 0});
  TrackSession session(s, clock, &link, nullptr);
  std::string why;
  ASSERT_TRUE(session.OpenAll(why)) << why;
  session.Tick();
  const double txBefore = Tx();

  // Ten minutes on, the uplink shift has moved by tens of hertz: the receiver follows, the
  // transmitter waits for the end of the transmission.
  ASSERT_EQ(rig_set_ptt(rig, RIG_VFO_CURR, RIG_PTT_ON), RIG_OK);
  std::atomic<bool> stop{false};
  clock.WaitUntil({kStart.ms + 600'000}, stop);
  const TrackStatus& st = session.Tick();
  const RxTx want = Table(st.figures.utc);
  EXPECT_GT(std::fabs(want.txHz - txBefore), 10);
  EXPECT_EQ(Tx(), txBefore);
  EXPECT_NEAR(Rx(), want.rxHz, 1);
  EXPECT_TRUE(st.transmitting && st.txHeld);
  ASSERT_EQ(rig_set_ptt(rig, RIG_VFO_CURR, RIG_PTT_OFF), RIG_OK);
  session.Tick();
  EXPECT_NEAR(Tx(), want.txHz, 1);
}

TEST_F(Rigctld, TrackingResumesAfterRigctldIsRestarted) {
  SimulatedClock clock(kStart, 0);
  HamlibRig link({2, daemon.Port(), 0});
  TrackSession session(s, clock, &link, nullptr);
  std::string why;
  ASSERT_TRUE(session.OpenAll(why)) << why;
  session.Tick();
  TearDown();
  daemon.Stop();
  EXPECT_FALSE(Ticks(session, clock, 2).rigConnected);
  // The dummy radio starts again on its own default frequency; within the 5 s of a retry
  // tracking has found it and set it again.
  daemon.Start();
  const TrackStatus& st = Ticks(session, clock, 6);
  ASSERT_TRUE(st.rigConnected) << st.rigError;
  SetUp();
  const RxTx want = Table(st.figures.utc);
  EXPECT_NEAR(Rx(), want.rxHz, 1);
  EXPECT_NEAR(Tx(), want.txHz, 1);
}

TEST(Rotctld, DishFollowsTheMoonAndParks) {
  SetHamlibTrace(false);
  Daemon daemon({"rotctld", "-m", "1"});
  ROT* rot = rot_init(2);
  rot_set_conf(rot, rot_token_lookup(rot, "rot_pathname"), daemon.Port().c_str());
  ASSERT_EQ(rot_open(rot), RIG_OK);
  // The dummy turns at a few degrees a second: wait for it, at most 10 s.
  const auto reach = [&](double azDeg, double elDeg, double withinDeg) {
    azimuth_t az = 0;
    elevation_t el = 0;
    for (auto until = steady_clock::now() + std::chrono::seconds(10);
         steady_clock::now() < until;) {
      EXPECT_EQ(rot_get_position(rot, &az, &el), RIG_OK);
      if (std::fabs(std::remainder(az - azDeg, 360.0)) <= withinDeg &&
          std::fabs(el - elDeg) <= withinDeg) {
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ADD_FAILURE() << "at " << az << ", " << el << " instead of " << azDeg << ", " << elDeg;
  };
  // 60° S at 2026-12-19T20:00Z: the Moon crosses the meridian low in the north. Then, below
  // a lowest elevation set above it, the dish goes to its park position.
  TrackSettings s;
  s.station = At(-60, 0);
  s.dish = {1, 0, AzEl{20, 5}};
  for (const double minEl : {0, 30}) {
    s.dish.minElevationDeg = minEl;
    SimulatedClock clock({1'797'710'400'000}, 0);
    HamlibRotator link({2, daemon.Port(), 0});
    TrackSession session(s, clock, nullptr, &link);
    std::string why;
    ASSERT_TRUE(session.OpenAll(why)) << why;
    const TrackStatus& st = Ticks(session, clock, 2);
    const sky::Sight moon =
        sky::SightFrom(sky::MoonAndEarthAt(st.figures.utc), sky::SiteOf(s.station));
    if (minEl == 0) reach(moon.azimuthDeg, moon.elevationDeg, s.dish.stepDeg);
    if (minEl == 30) reach(20, 5, 0.5);
    EXPECT_EQ(st.parked, minEl == 30);
  }
  rot_close(rot);
  rot_cleanup(rot);
}

}  // namespace
}  // namespace skyapp::track
