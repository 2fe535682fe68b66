// SPDX-License-Identifier: GPL-3.0-or-later
// The tracking loop: once a second, the figures, the radio's and the rotator's commands,
// reconnection after a loss, and a status of what was set and read back. The clock and
// the links to the radio and the rotator are given to it, so that a test can run faster
// than the wall clock and a dry run can print instead of sending.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "sky/eop.h"
#include "sky/station.h"
#include "sky/time.h"
#include "skyapp/track/figures.h"
#include "skyapp/track/plan.h"

namespace skyapp::track {

// The time source of tracking (UTC).
class Clock {
 public:
  virtual ~Clock() = default;
  [[nodiscard]] virtual sky::UtcInstant Now() = 0;
  // Returns at `t`, or earlier once `stop` is set.
  virtual void WaitUntil(sky::UtcInstant t, const std::atomic<bool>& stop) = 0;
};

// The system's clock.
class WallClock final : public Clock {
 public:
  sky::UtcInstant Now() override;
  void WaitUntil(sky::UtcInstant t, const std::atomic<bool>& stop) override;
};

// A clock that starts at `start` and runs `rate` times faster than the wall clock; with
// rate 0 it jumps to each instant waited for at once.
class SimulatedClock final : public Clock {
 public:
  SimulatedClock(sky::UtcInstant start, double rate);
  sky::UtcInstant Now() override;
  void WaitUntil(sky::UtcInstant t, const std::atomic<bool>& stop) override;

 private:
  std::atomic<std::int64_t> nowMs_;
  double rate_;
  std::int64_t wallStartMs_;
  std::int64_t startMs_;
};

// The outcome of one exchange with a radio or a rotator: done; refused (the device is
// still there, the command was not taken); or lost (the link is gone: reconnect).
struct LinkResult {
  enum Kind { kOk, kRefused, kLost } kind = kOk;
  std::string why;  // one line, in words, when not kOk
  [[nodiscard]] bool ok() const { return kind == kOk; }
};

// A radio: frequencies in Hz at the radio, the transmit one through its split.
class RigLink {
 public:
  virtual ~RigLink() = default;
  virtual LinkResult Open() = 0;
  virtual void Close() = 0;
  virtual LinkResult Read(RigReading& out) = 0;
  virtual LinkResult SetRx(double hz) = 0;
  virtual LinkResult SetSplit(bool on) = 0;
  virtual LinkResult SetTx(double hz) = 0;
};

// The range a rotator accepts (deg).
struct RotatorRange {
  double minAzDeg = 0, maxAzDeg = 360, minElDeg = 0, maxElDeg = 90;
};

class RotatorLink {
 public:
  virtual ~RotatorLink() = default;
  virtual LinkResult Open() = 0;
  virtual void Close() = 0;
  [[nodiscard]] virtual RotatorRange Range() const = 0;
  virtual LinkResult Read(AzEl& out) = 0;
  virtual LinkResult Point(const AzEl& to) = 0;
};

// A device as Hamlib's tools name it: model number, port (a serial device, or host:port
// for the network models; empty for the model's default) and serial speed (0: the
// model's default).
struct DeviceConfig {
  int model = 0;
  std::string port;
  int speedBaud = 0;
};

struct TrackSettings {
  sky::Station station;
  std::optional<sky::Station> dx;
  double skedHz = 10368e6;
  Mode mode = Mode::kOwnEcho;
  double rigStepHz = 1;
  std::optional<Transverter> lo;
  bool retuneInTx = false;
  DishSettings dish;
  // UT1 - UTC and polar motion (IERS finals2000A); none: UT1 = UTC, no polar motion. Shared,
  // since a session keeps its own copy of the settings and a table may hold 20,000 days.
  std::shared_ptr<const sky::EopTable> eop;
};

// What one tick did and saw. Frequencies at the band (Hz), converted from the radio's.
struct TrackStatus {
  Figures figures;
  RxTx planned;  // the plan before rounding

  bool rigUsed = false;
  bool rigConnected = false;
  std::optional<RxTx> rigSet;    // the last frequencies sent, rounded
  std::optional<double> rxRead;  // as read back after this tick's commands
  std::optional<double> txRead;  // the transmit VFO's, or the receive one's without split
  bool transmitting = false;
  bool txHeld = false;
  std::string rigError;      // the last error, kept until the next one
  bool rigErrorNow = false;  // rigError is this tick's

  bool rotUsed = false;
  bool rotConnected = false;
  std::optional<AzEl> rotPointed;  // the last position sent
  std::optional<AzEl> rotRead;
  bool parked = false;
  std::string rotError;
  bool rotErrorNow = false;
};

// Seconds between attempts to reach a radio or rotator that was lost or not reachable.
inline constexpr std::int64_t kRetryMs = 5000;
// A command is not sent from figures older than this (ms).
inline constexpr std::int64_t kFreshMs = 1000;

class TrackSession {
 public:
  // Either link may be null: that device is not tracked. The links and the clock must
  // outlive the session.
  TrackSession(const TrackSettings& settings, Clock& clock, RigLink* rig, RotatorLink* rot);
  ~TrackSession();
  TrackSession(const TrackSession&) = delete;
  TrackSession& operator=(const TrackSession&) = delete;

  // Opens each link once; false with `why` (naming the device) when one cannot be opened.
  [[nodiscard]] bool OpenAll(std::string& why);

  // One tick for the whole second that holds the clock's time: figures, commands, read-back.
  const TrackStatus& Tick();

  // Ticks at each whole second until `stop` is set, calling `onTick` after each.
  template <typename OnTick>
  void Run(const std::atomic<bool>& stop, OnTick&& onTick) {
    // The first tick waits for a whole second too, so that each tick's figures are for the
    // instant it starts at.
    if (const sky::UtcInstant now = clock_.Now(); now.ms % sky::kMsPerSecond != 0) {
      clock_.WaitUntil({now.ms - now.ms % sky::kMsPerSecond + sky::kMsPerSecond}, stop);
    }
    while (!stop.load()) {
      onTick(Tick());
      const sky::UtcInstant now = clock_.Now();
      clock_.WaitUntil({now.ms - now.ms % sky::kMsPerSecond + sky::kMsPerSecond}, stop);
    }
  }

  [[nodiscard]] const TrackStatus& status() const { return status_; }

 private:
  void TickRig();
  void TickRotator();
  bool Fresh();
  void LoseRig(const std::string& why);
  void LoseRotator(const std::string& why);

  TrackSettings settings_;
  sky::Site site_;
  std::optional<sky::Site> dxSite_;
  Clock& clock_;
  RigLink* rig_;
  RotatorLink* rot_;

  TrackStatus status_;
  RigSent rigSent_;
  std::optional<sky::UtcInstant> rigRetryAt_;  // when lost: the next attempt
  DishSent dishSent_;
  std::optional<sky::UtcInstant> rotRetryAt_;
};

}  // namespace skyapp::track
