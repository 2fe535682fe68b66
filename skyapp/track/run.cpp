// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line tracking loop, its status lines, and the dry run's printed commands.
#include "skyapp/track/run.h"

#include <atomic>
#include <csignal>
#include <memory>

#include "skyapp/track/hamlib_link.h"

namespace skyapp::track {
namespace {

// Set by SIGINT and SIGTERM; the loop ends at its next look, within a wait's poll.
std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void RequestStop(int) {
  stopRequested = true;
}

std::string Mhz(double hz) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6f", hz / 1e6);
  return buf;
}

std::string Degrees(const AzEl& p) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "Az %.2f El %.2f", p.azimuthDeg, p.elevationDeg);
  return buf;
}

// The start of each printed command: its UTC, to the second the figures are for.
std::string Stamp(Clock& clock) {
  const sky::UtcInstant t = clock.Now();
  return sky::FormatUtc({t.ms - t.ms % sky::kMsPerSecond});
}

// A radio that takes every command and prints it: the radio's frequency and, with a
// transverter, the band's.
class PrintedRig final : public RigLink {
 public:
  PrintedRig(std::FILE* out, Clock& clock, std::optional<Transverter> lo)
      : out_(out), clock_(clock), lo_(lo) {}
  LinkResult Open() override { return {}; }
  void Close() override {}
  LinkResult Read(RigReading& r) override {
    r = {};
    return {};
  }
  LinkResult SetRx(double hz) override { return Put("receive", hz); }
  LinkResult SetSplit(bool on) override {
    std::fprintf(out_, "%s radio split %s\n", Stamp(clock_).c_str(), on ? "on" : "off");
    return {};
  }
  LinkResult SetTx(double hz) override { return Put("transmit", hz); }

 private:
  LinkResult Put(const char* what, double hz) {
    std::string line = Stamp(clock_) + " radio " + what + " " + Mhz(hz) + " MHz";
    if (lo_) line += " (band " + Mhz(BandFromRadioHz(hz, lo_)) + " MHz)";
    std::fprintf(out_, "%s\n", line.c_str());
    return {};
  }
  std::FILE* out_;
  Clock& clock_;
  std::optional<Transverter> lo_;
};

class PrintedRotator final : public RotatorLink {
 public:
  PrintedRotator(std::FILE* out, Clock& clock) : out_(out), clock_(clock) {}
  LinkResult Open() override { return {}; }
  void Close() override {}
  // A rotator that turns all the way round in azimuth, from the horizon to the zenith.
  RotatorRange Range() const override { return {0, 360, 0, 90}; }
  LinkResult Read(AzEl&) override { return {LinkResult::kRefused, "no position in a dry run"}; }
  LinkResult Point(const AzEl& to) override {
    std::fprintf(out_, "%s rotator %s\n", Stamp(clock_).c_str(), Degrees(to).c_str());
    return {};
  }

 private:
  std::FILE* out_;
  Clock& clock_;
};

}  // namespace

std::string StatusLine(const TrackStatus& st) {
  const Figures& f = st.figures;
  char head[96];
  std::snprintf(head, sizeof head, "%s Moon El %.2f Az %.2f", sky::FormatUtc(f.utc).c_str(),
                f.elevationDeg, f.azimuthDeg);
  std::string line = head;
  const auto pair = [](const std::optional<double>& set, const std::optional<double>& read) {
    return (set ? Mhz(*set) : std::string("-")) + " read " + (read ? Mhz(*read) : std::string("-"));
  };
  if (st.rigUsed) {
    if (st.rigConnected) {
      const std::optional<double> rxSet =
          st.rigSet ? std::optional<double>(st.rigSet->rxHz) : std::nullopt;
      const std::optional<double> txSet =
          st.rigSet ? std::optional<double>(st.rigSet->txHz) : std::nullopt;
      line += " | RX " + pair(rxSet, st.rxRead) + " | TX " + pair(txSet, st.txRead);
      if (st.transmitting) line += st.txHeld ? " (transmitting: TX held)" : " (transmitting)";
      if (st.rigErrorNow) line += " (" + st.rigError + ")";
    } else {
      line += " | radio not connected, retrying every 5 s: " + st.rigError;
    }
  }
  if (st.rotUsed) {
    if (st.rotConnected) {
      line += " | rotator " + (st.rotRead ? Degrees(*st.rotRead) : std::string("-"));
      if (st.parked) line += " (parked)";
      if (st.rotErrorNow) line += " (" + st.rotError + ")";
    } else {
      line += " | rotator not connected, retrying every 5 s: " + st.rotError;
    }
  }
  return line;
}

int RunTrack(const TrackOptions& o, std::FILE* out, std::FILE* err) {
  SetHamlibTrace(o.verbose);
  std::unique_ptr<Clock> clock;
  if (o.from) {
    clock = std::make_unique<SimulatedClock>(*o.from, 0);
  } else {
    clock = std::make_unique<WallClock>();
  }
  std::unique_ptr<RigLink> rig;
  std::unique_ptr<RotatorLink> rot;
  if (o.dryRun) {
    // Without a device named, a dry run shows both.
    const bool both = !o.rig && !o.rot;
    if (o.rig || both) rig = std::make_unique<PrintedRig>(out, *clock, o.settings.lo);
    if (o.rot || both) rot = std::make_unique<PrintedRotator>(out, *clock);
  } else {
    if (o.rig) rig = std::make_unique<HamlibRig>(*o.rig);
    if (o.rot) rot = std::make_unique<HamlibRotator>(*o.rot);
  }

  // Ctrl-C or SIGTERM, even while the devices are being opened, ends the run with status 0
  // at the loop's next look.
  stopRequested = false;
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  TrackSession session(o.settings, *clock, rig.get(), rot.get());
  std::string why;
  if (!session.OpenAll(why)) {
    std::fprintf(err, "vornak-sky: %s\n", why.c_str());
    return 2;
  }

  session.Run(stopRequested, [&](const TrackStatus& st) {
    if (!o.dryRun) std::fprintf(out, "%s\n", StatusLine(st).c_str());
    std::fflush(out);
    if (o.to && clock->Now() >= *o.to) stopRequested = true;
  });
  return 0;
}

}  // namespace skyapp::track
