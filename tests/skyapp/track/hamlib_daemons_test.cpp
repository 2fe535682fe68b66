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
#include <string>
#include <thread>
#include <vector>

#include "sky/sight.h"
#include "skyapp/track/hamlib_link.h"
#include "skyapp/track/session.h"

extern char** environ;

namespace skyapp::track {
namespace {

constexpr sky::UtcInstant kStart{1'796'824'800'000};  // 2026-12-09T14:00:00Z
constexpr double kSkedHz = 10368.1e6;

// A port no one listens on now, from the kernel's choice for an unbound socket.
int FreePort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  close(s);
  return ntohs(a.sin_port);
}

bool Listening(int port) {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  const bool up = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  close(s);
  return up;
}

// rigctld or rotctld on 127.0.0.1:port, from start to stop, ended by its pid.
class Daemon {
 public:
  Daemon(std::vector<std::string> args, int port) : args_(std::move(args)), port_(port) { Start(); }
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
    ASSERT_EQ(posix_spawnp(&pid_, argv[0], &quiet, nullptr, argv.data(), environ), 0) << a[0];
    posix_spawn_file_actions_destroy(&quiet);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!Listening(port_) && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(Listening(port_)) << a[0] << " is not listening";
  }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 100 && waitpid(pid_, &status, WNOHANG) == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (waitpid(pid_, &status, WNOHANG) == 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
    }
    pid_ = 0;
  }
  [[nodiscard]] std::string Port() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  std::vector<std::string> args_;
  int port_;
  pid_t pid_ = 0;
};

// The test's own view of the radio, beside the one tracking holds.
struct Radio {
  explicit Radio(const std::string& port) {
    rig = rig_init(2);
    rig_set_conf(rig, rig_token_lookup(rig, "rig_pathname"), port.c_str());
    EXPECT_EQ(rig_open(rig), RIG_OK);
    rig_set_cache_timeout_ms(rig, HAMLIB_CACHE_ALL, 0);
  }
  ~Radio() {
    rig_close(rig);
    rig_cleanup(rig);
  }
  double Rx() {
    freq_t f = 0;
    EXPECT_EQ(rig_get_freq(rig, RIG_VFO_CURR, &f), RIG_OK);
    return f;
  }
  // The transmit VFO's frequency when in split, the receive one's otherwise.
  double Tx() {
    split_t split = RIG_SPLIT_OFF;
    vfo_t txVfo = RIG_VFO_NONE;
    EXPECT_EQ(rig_get_split_vfo(rig, RIG_VFO_CURR, &split, &txVfo), RIG_OK);
    if (split != RIG_SPLIT_ON) return Rx();
    freq_t f = 0;
    EXPECT_EQ(rig_get_split_freq(rig, RIG_VFO_CURR, &f), RIG_OK);
    return f;
  }
  RIG* rig;
};

sky::Station At(double latDeg, double lonDeg) {
  sky::Station s;
  std::string why;
  EXPECT_TRUE(sky::StationFromDegrees(latDeg, lonDeg, 0, s, why));
  return s;
}

// The table's figures at t: its self_doppler_hz and dx_doppler_hz columns. One leg of the
// echo is taken as half the round trip, the range rate held over the 2.5 s.
RxTx TableFigures(Mode mode, const TrackSettings& s, sky::UtcInstant t) {
  const sky::MoonAndEarth state = sky::MoonAndEarthAt(t);
  const double v = sky::SightFrom(state, sky::SiteOf(s.station)).rangeRateMs;
  const double self = sky::SelfShiftHz(s.skedHz, v);
  switch (mode) {
    case Mode::kOwnEcho:
      return {s.skedHz + self, s.skedHz};
    case Mode::kMoon:
      return {s.skedHz + self / 2, s.skedHz - self / 2};
    case Mode::kDx: {
      const double vDx = sky::SightFrom(state, sky::SiteOf(*s.dx)).rangeRateMs;
      const double dx = sky::DxShiftHz(s.skedHz, v, vDx);
      return {s.skedHz + dx, s.skedHz - dx};
    }
    case Mode::kNone:
      break;
  }
  return {s.skedHz, s.skedHz};
}

// Ticks `n` seconds on `clock`, a clock that jumps from second to second.
const TrackStatus& Ticks(TrackSession& session, Clock& clock, int n) {
  std::atomic<bool> stop{false};
  for (int i = 1; i < n; ++i) {
    session.Tick();
    clock.WaitUntil({clock.Now().ms + sky::kMsPerSecond}, stop);
  }
  return session.Tick();
}

// Hamlib's trace would fill the test's output.
class HamlibDaemons : public testing::Test {
 protected:
  void SetUp() override { SetHamlibTrace(false); }
};

struct ModeRow {
  Mode mode;
  double stepHz;
  std::optional<Transverter> lo;
};

TEST_F(HamlibDaemons, EachModeLandsOnTheTablesFigures) {
  Daemon rigctld({"rigctld", "-m", "1"}, FreePort());
  Radio radio(rigctld.Port());
  const ModeRow rows[] = {{Mode::kOwnEcho, 1, std::nullopt},
                          {Mode::kMoon, 10, Transverter{10224e6, false}},
                          {Mode::kDx, 1, Transverter{10512e6, true}},
                          {Mode::kNone, 1, std::nullopt}};
  int minute = 0;
  for (const ModeRow& row : rows) {
    TrackSettings s;
    s.station = At(48.85, 2.35);
    if (row.mode == Mode::kDx) s.dx = At(40.5, -74.5);
    s.skedHz = kSkedHz;
    s.mode = row.mode;
    s.rigStepHz = row.stepHz;
    s.lo = row.lo;
    SimulatedClock clock({kStart.ms + 60'000 * minute++}, 0);
    HamlibRig link({2, rigctld.Port(), 0});
    TrackSession session(s, clock, &link, nullptr);
    std::string why;
    ASSERT_TRUE(session.OpenAll(why)) << why;
    const TrackStatus& st = Ticks(session, clock, 4);

    const RxTx want = TableFigures(row.mode, s, st.figures.utc);
    const double rx = BandFromRadioHz(radio.Rx(), row.lo);
    const double tx = BandFromRadioHz(radio.Tx(), row.lo);
    SCOPED_TRACE(static_cast<int>(row.mode));
    EXPECT_NEAR(rx, want.rxHz, row.stepHz);
    EXPECT_NEAR(tx, want.txHz, row.stepHz);
    EXPECT_EQ(st.rxRead, rx);
    EXPECT_EQ(st.txRead, tx);
  }
}

TEST_F(HamlibDaemons, TransmitFrequencyStaysWhileTheRadioTransmits) {
  Daemon rigctld({"rigctld", "-m", "1", "-P", "RIG"}, FreePort());
  Radio radio(rigctld.Port());
  TrackSettings s;
  s.station = At(48.85, 2.35);
  s.skedHz = kSkedHz;
  s.mode = Mode::kMoon;
  SimulatedClock clock(kStart, 0);
  HamlibRig link({2, rigctld.Port(), 0});
  TrackSession session(s, clock, &link, nullptr);
  std::string why;
  ASSERT_TRUE(session.OpenAll(why)) << why;
  session.Tick();
  const double txBefore = radio.Tx();

  // Ten minutes later the uplink shift has moved by tens of hertz; the receiver follows,
  // the transmitter waits for the end of the transmission.
  ASSERT_EQ(rig_set_ptt(radio.rig, RIG_VFO_CURR, RIG_PTT_ON), RIG_OK);
  std::atomic<bool> stop{false};
  clock.WaitUntil({kStart.ms + 600'000}, stop);
  const TrackStatus& st = session.Tick();
  const RxTx want = TableFigures(Mode::kMoon, s, st.figures.utc);
  EXPECT_GT(std::fabs(want.txHz - txBefore), 10);
  EXPECT_EQ(radio.Tx(), txBefore);
  EXPECT_NEAR(radio.Rx(), want.rxHz, 1);
  EXPECT_TRUE(st.transmitting && st.txHeld);

  ASSERT_EQ(rig_set_ptt(radio.rig, RIG_VFO_CURR, RIG_PTT_OFF), RIG_OK);
  session.Tick();
  EXPECT_NEAR(radio.Tx(), want.txHz, 1);
}

TEST_F(HamlibDaemons, TrackingResumesAfterRigctldIsRestarted) {
  Daemon rigctld({"rigctld", "-m", "1"}, FreePort());
  TrackSettings s;
  s.station = At(48.85, 2.35);
  s.skedHz = kSkedHz;
  SimulatedClock clock(kStart, 0);
  HamlibRig link({2, rigctld.Port(), 0});
  TrackSession session(s, clock, &link, nullptr);
  std::string why;
  ASSERT_TRUE(session.OpenAll(why)) << why;
  session.Tick();

  rigctld.Stop();
  EXPECT_FALSE(Ticks(session, clock, 2).rigConnected);
  // The dummy radio starts again on its own default frequency.
  rigctld.Start();
  const TrackStatus& st = Ticks(session, clock, 6);
  ASSERT_TRUE(st.rigConnected) << st.rigError;
  Radio radio(rigctld.Port());
  const RxTx want = TableFigures(Mode::kOwnEcho, s, st.figures.utc);
  EXPECT_NEAR(radio.Rx(), want.rxHz, 1);
  EXPECT_NEAR(radio.Tx(), want.txHz, 1);
}

TEST_F(HamlibDaemons, DishFollowsTheMoonAndParks) {
  Daemon rotctld({"rotctld", "-m", "1"}, FreePort());
  ROT* rot = rot_init(2);
  rot_set_conf(rot, rot_token_lookup(rot, "rot_pathname"), rotctld.Port().c_str());
  ASSERT_EQ(rot_open(rot), RIG_OK);
  // The dummy turns at a few degrees a second: wait for it, at most 10 s.
  const auto reach = [&](double azDeg, double elDeg, double withinDeg) {
    azimuth_t az = 0;
    elevation_t el = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < until) {
      EXPECT_EQ(rot_get_position(rot, &az, &el), RIG_OK);
      const double dAz = std::remainder(az - azDeg, 360.0);
      if (std::fabs(dAz) <= withinDeg && std::fabs(el - elDeg) <= withinDeg) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ADD_FAILURE() << "at " << az << ", " << el << " instead of " << azDeg << ", " << elDeg;
    return false;
  };

  // 60° S at 2026-12-19T20:00Z: the Moon crosses the meridian low in the north.
  TrackSettings s;
  s.station = At(-60, 0);
  s.dish = {1, 0, AzEl{20, 5}};
  const sky::UtcInstant transit{1'797'710'400'000};
  {
    SimulatedClock clock(transit, 0);
    HamlibRotator link({2, rotctld.Port(), 0});
    TrackSession session(s, clock, nullptr, &link);
    std::string why;
    ASSERT_TRUE(session.OpenAll(why)) << why;
    const TrackStatus& st = Ticks(session, clock, 2);
    const sky::Sight moon =
        sky::SightFrom(sky::MoonAndEarthAt(st.figures.utc), sky::SiteOf(s.station));
    reach(moon.azimuthDeg, moon.elevationDeg, s.dish.stepDeg);
  }
  {
    // Below the lowest elevation asked for, the dish goes to its park position.
    s.dish.minElevationDeg = 30;
    SimulatedClock clock(transit, 0);
    HamlibRotator link({2, rotctld.Port(), 0});
    TrackSession session(s, clock, nullptr, &link);
    std::string why;
    ASSERT_TRUE(session.OpenAll(why)) << why;
    EXPECT_TRUE(Ticks(session, clock, 2).parked);
    reach(20, 5, 0.5);
  }
  rot_close(rot);
  rot_cleanup(rot);
}

}  // namespace
}  // namespace skyapp::track
