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

#include "sky/echo.h"
#include "skyapp/track/hamlib_link.h"

extern char** environ;

namespace skyapp::track {
namespace {

using std::chrono::steady_clock;
constexpr sky::UtcInstant kStart{1'796'824'800'000};  // 2026-12-09T14:00:00Z

// A loopback port no one listens on now, from the kernel's choice.
int FreePort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  socklen_t len = sizeof a;
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  close(s);
  return ntohs(a.sin_port);
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
    // Ready once a Hamlib client of its own kind is served: listening comes a little
    // before that.
    for (auto until = steady_clock::now() + std::chrono::seconds(5);
         !Answers() && steady_clock::now() < until;) {
      ASSERT_EQ(waitpid(pid_, nullptr, WNOHANG), 0) << a[0] << " ended at its start";
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(Answers()) << a[0] << " does not answer";
  }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int waits = 0;
    while (waitpid(pid_, nullptr, WNOHANG) == 0 && ++waits < 100) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (waits == 100 && kill(pid_, SIGKILL) == 0) waitpid(pid_, nullptr, 0);
    pid_ = 0;
  }
  [[nodiscard]] const char* Port() const { return port_text_.c_str(); }

 private:
  bool Answers() const {
    bool ok = false;
    if (args_[0] == "rigctld") {
      RIG* r = rig_init(2);
      rig_set_conf(r, rig_token_lookup(r, "rig_pathname"), Port());
      if ((ok = rig_open(r) == RIG_OK)) rig_close(r);
      rig_cleanup(r);
    } else {
      ROT* r = rot_init(2);
      rot_set_conf(r, rot_token_lookup(r, "rot_pathname"), Port());
      if ((ok = rot_open(r) == RIG_OK)) rot_close(r);
      rot_cleanup(r);
    }
    return ok;
  }
  std::vector<std::string> args_;
  int port_ = FreePort();
  std::string port_text_ = "127.0.0.1:" + std::to_string(port_);
  pid_t pid_ = 0;
};

// A station at a latitude and longitude (deg), on the ellipsoid.
sky::Station At(double latDeg, double lonDeg) {
  return {latDeg * M_PI / 180, lonDeg * M_PI / 180, 0};
}

// A session on a clock that jumps from second to second, with its links opened.
struct Tracking {
  Tracking(const TrackSettings& s, sky::UtcInstant start, const char* rigPort,
           const char* rotPort = nullptr)
      : clock(start, 0),
        session(s, clock, rigPort ? &rig.emplace(DeviceConfig{2, rigPort, 0}) : nullptr,
                rotPort ? &rot.emplace(DeviceConfig{2, rotPort, 0}) : nullptr) {
    std::string why;
    EXPECT_TRUE(session.OpenAll(why)) << why;
  }
  const TrackStatus& Ticks(int n) {
    std::atomic<bool> stop{false};
    for (int i = 1; i < n; ++i) {
      session.Tick();
      clock.WaitUntil({clock.Now().ms + sky::kMsPerSecond}, stop);
    }
    return session.Tick();
  }
  SimulatedClock clock;
  std::optional<HamlibRig> rig;
  std::optional<HamlibRotator> rot;
  TrackSession session;
};

// The radio behind `rigctld -m 1 -P RIG`, its PTT set through it, and the test's own view.
class Rigctld : public testing::Test {
 protected:
  void SetUp() override {
    SetHamlibTrace(false);
    s.station = At(48.85, 2.35);
    s.skedHz = 10368.1e6;
    rig = rig_init(2);
    rig_set_conf(rig, rig_token_lookup(rig, "rig_pathname"), daemon.Port());
    ASSERT_TRUE(opened = rig_open(rig) == RIG_OK);
    rig_set_cache_timeout_ms(rig, HAMLIB_CACHE_ALL, 0);
  }
  void TearDown() override {
    if (opened) rig_close(rig);
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
  // The table's figures at t: the columns self_doppler_hz, uplink_doppler_hz,
  // downlink_doppler_hz, dx_doppler_hz and to_dx_doppler_hz of that second's row.
  RxTx Table(sky::UtcInstant t) const {
    const sky::DopplerFigures d = sky::DopplerAt(t, s.station, s.dx, s.skedHz);
    const double f = s.skedHz;
    if (s.mode == Mode::kOwnEcho) return {f + d.selfHz, f};
    if (s.mode == Mode::kMoon) return {f + d.downlinkHz, f - d.uplinkHz};
    if (s.mode == Mode::kNone) return {f, f};
    return {f + d.dxHz, f - d.toDxHz};
  }

  Daemon daemon{{"rigctld", "-m", "1", "-P", "RIG"}};
  TrackSettings s;
  RIG* rig = nullptr;
  bool opened = false;
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
    Tracking t(s, {kStart.ms + 60'000 * minute++}, daemon.Port());
    const TrackStatus& st = t.Ticks(4);
    const RxTx want = Table(st.figures.utc);
    EXPECT_NEAR(Rx(), want.rxHz, row.stepHz);
    EXPECT_NEAR(Tx(), want.txHz, row.stepHz);
    EXPECT_TRUE(st.rxRead == Rx() && st.txRead == Tx());
  }
}

TEST_F(Rigctld, TransmitFrequencyStaysWhileTheRadioTransmits) {
  s.mode = Mode::kMoon;
  Tracking t(s, kStart, daemon.Port());
  t.session.Tick();
  const double txBefore = Tx();

  // Ten minutes on, the uplink shift has moved by tens of hertz: the receiver follows, the
  // transmitter waits for the end of the transmission.
  ASSERT_EQ(rig_set_ptt(rig, RIG_VFO_CURR, RIG_PTT_ON), RIG_OK);
  t.clock.WaitUntil({kStart.ms + 600'000}, std::atomic<bool>{false});
  const TrackStatus& st = t.session.Tick();
  const RxTx want = Table(st.figures.utc);
  EXPECT_GT(std::fabs(want.txHz - txBefore), 10);
  EXPECT_EQ(Tx(), txBefore);
  EXPECT_NEAR(Rx(), want.rxHz, 1);
  EXPECT_TRUE(st.transmitting && st.txHeld);
  ASSERT_EQ(rig_set_ptt(rig, RIG_VFO_CURR, RIG_PTT_OFF), RIG_OK);
  t.session.Tick();
  EXPECT_NEAR(Tx(), want.txHz, 1);
}

TEST_F(Rigctld, TrackingResumesAfterRigctldIsRestarted) {
  Tracking t(s, kStart, daemon.Port());
  t.session.Tick();
  TearDown();
  daemon.Stop();
  EXPECT_FALSE(t.Ticks(1).rigConnected);
  // Lost at the start: the next attempt is 5 s later, however soon rigctld is back; the
  // dummy radio starts again on its own default frequency, and is set again.
  daemon.Start();
  EXPECT_FALSE(t.Ticks(5).rigConnected);
  const TrackStatus& st = t.Ticks(2);
  ASSERT_TRUE(st.rigConnected) << st.rigError;
  SetUp();
  const RxTx want = Table(st.figures.utc);
  EXPECT_NEAR(Rx(), want.rxHz, 1);
  EXPECT_NEAR(Tx(), want.txHz, 1);
}

TEST(Rotctld, DishFollowsTheMoon) {
  SetHamlibTrace(false);
  Daemon daemon({"rotctld", "-m", "1"});
  // 60° S at 2026-12-19T20:00Z: the Moon crosses the meridian low in the north, a few
  // seconds' turn for the dummy rotator from its start at 0°, 0°.
  TrackSettings s;
  s.station = At(-60, 0);
  Tracking t(s, {1'797'710'400'000}, nullptr, daemon.Port());
  const TrackStatus& st = t.Ticks(2);
  const sky::Sight moon =
      sky::SightFrom(sky::MoonAndEarthAt(st.figures.utc), sky::SiteOf(s.station));
  ROT* rot = rot_init(2);
  rot_set_conf(rot, rot_token_lookup(rot, "rot_pathname"), daemon.Port());
  ASSERT_EQ(rot_open(rot), RIG_OK);
  azimuth_t az = 0;
  elevation_t el = 0;
  const auto within = [&] {
    EXPECT_EQ(rot_get_position(rot, &az, &el), RIG_OK);
    return std::fabs(std::remainder(az - moon.azimuthDeg, 360.0)) <= s.dish.stepDeg &&
           std::fabs(el - moon.elevationDeg) <= s.dish.stepDeg;
  };
  for (auto until = steady_clock::now() + std::chrono::seconds(10);
       !within() && steady_clock::now() < until;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_TRUE(within()) << az << ", " << el << " for the Moon's " << moon.azimuthDeg << ", "
                        << moon.elevationDeg;
  rot_close(rot);
  rot_cleanup(rot);
}

}  // namespace
}  // namespace skyapp::track
