// SPDX-License-Identifier: GPL-3.0-or-later
// The tracking loop's tick, and the clocks it runs on.
#include "skyapp/track/session.h"

#include <chrono>
#include <thread>

namespace skyapp::track {
namespace {

std::int64_t WallMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// How long a wait sleeps at most before it looks at the stop flag again (ms): short
// enough that Ctrl-C ends the program at once, long enough to cost nothing.
constexpr std::int64_t kStopPollMs = 50;

}  // namespace

sky::UtcInstant WallClock::Now() {
  return {WallMs()};
}

void WallClock::WaitUntil(sky::UtcInstant t, const std::atomic<bool>& stop) {
  for (std::int64_t left = t.ms - WallMs(); left > 0 && !stop.load(); left = t.ms - WallMs()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(left, kStopPollMs)));
  }
}

SimulatedClock::SimulatedClock(sky::UtcInstant start, double rate)
    : nowMs_(start.ms), rate_(rate), wallStartMs_(WallMs()), startMs_(start.ms) {}

sky::UtcInstant SimulatedClock::Now() {
  if (rate_ > 0) {
    return {startMs_ +
            static_cast<std::int64_t>(static_cast<double>(WallMs() - wallStartMs_) * rate_)};
  }
  return {nowMs_.load()};
}

void SimulatedClock::WaitUntil(sky::UtcInstant t, const std::atomic<bool>& stop) {
  if (rate_ <= 0) {
    nowMs_ = std::max(nowMs_.load(), t.ms);
    return;
  }
  while (!stop.load()) {
    const std::int64_t left = t.ms - Now().ms;
    if (left <= 0) return;
    const auto wallLeft = static_cast<std::int64_t>(static_cast<double>(left) / rate_) + 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(wallLeft, kStopPollMs)));
  }
}

TrackSession::TrackSession(const TrackSettings& settings, Clock& clock, RigLink* rig,
                           RotatorLink* rot)
    : settings_(settings),
      site_(sky::SiteOf(settings.station)),
      dxSite_(settings.dx ? std::optional<sky::Site>(sky::SiteOf(*settings.dx)) : std::nullopt),
      clock_(clock),
      rig_(rig),
      rot_(rot) {
  status_.rigUsed = rig_ != nullptr;
  status_.rotUsed = rot_ != nullptr;
}

TrackSession::~TrackSession() {
  // The radio is left where it is: closing sends nothing.
  if (status_.rigConnected) rig_->Close();
  if (status_.rotConnected) rot_->Close();
}

bool TrackSession::OpenAll(std::string& why) {
  if (rig_ && !status_.rigConnected) {
    const LinkResult r = rig_->Open();
    if (!r.ok()) {
      why = r.why;
      return false;
    }
    status_.rigConnected = true;
  }
  if (rot_ && !status_.rotConnected) {
    const LinkResult r = rot_->Open();
    if (!r.ok()) {
      why = r.why;
      return false;
    }
    status_.rotConnected = true;
  }
  return true;
}

const TrackStatus& TrackSession::Tick() {
  const sky::UtcInstant now = clock_.Now();
  const sky::UtcInstant second{now.ms - now.ms % sky::kMsPerSecond};
  status_.figures = FiguresAt(second, site_, dxSite_, settings_.skedHz, settings_.eop.get());
  status_.planned = PlanFrequencies(settings_.mode, settings_.skedHz, status_.figures);
  status_.rigErrorNow = status_.rotErrorNow = false;
  if (rig_) TickRig();
  if (rot_) TickRotator();
  return status_;
}

bool TrackSession::Fresh() {
  return clock_.Now().ms - status_.figures.utc.ms < kFreshMs;
}

void TrackSession::LoseRig(const std::string& why) {
  rig_->Close();
  status_.rigConnected = false;
  status_.rigError = why;
  status_.rigErrorNow = true;
  status_.rxRead.reset();
  status_.txRead.reset();
  status_.transmitting = false;
  rigRetryAt_ = sky::UtcInstant{clock_.Now().ms + kRetryMs};
}

void TrackSession::LoseRotator(const std::string& why) {
  rot_->Close();
  status_.rotConnected = false;
  status_.rotError = why;
  status_.rotErrorNow = true;
  status_.rotRead.reset();
  rotRetryAt_ = sky::UtcInstant{clock_.Now().ms + kRetryMs};
}

void TrackSession::TickRig() {
  TrackStatus& st = status_;
  if (!st.rigConnected) {
    if (rigRetryAt_ && clock_.Now() < *rigRetryAt_) return;
    const LinkResult r = rig_->Open();
    if (!r.ok()) {
      LoseRig(r.why);
      return;
    }
    // A new connection gets the split and both frequencies again.
    st.rigConnected = true;
    rigSent_ = {};
    rigRetryAt_.reset();
  }

  RigReading reading;
  if (const LinkResult r = rig_->Read(reading); r.kind == LinkResult::kLost) {
    LoseRig(r.why);
    return;
  } else if (!r.ok()) {
    st.rigErrorNow = true;
    st.rigError = r.why;
  }
  const RxTx target = RadioTargets(st.planned, settings_.lo, settings_.rigStepHz);
  const RigCommands c = DecideRig(target, rigSent_, reading, settings_.retuneInTx);
  st.txHeld = c.txHeld;

  bool sent = false;
  // Each command is sent only while its figures are fresh, and recorded only once taken.
  const auto send = [&](auto&& command) {
    if (!Fresh()) {
      st.rigErrorNow = true;
      st.rigError = "a command was left unsent: its figures were over a second old";
      return false;
    }
    const LinkResult r = command();
    if (r.kind == LinkResult::kLost) {
      LoseRig(r.why);
      return false;
    }
    if (!r.ok()) {
      st.rigErrorNow = true;
      st.rigError = r.why;
      return true;
    }
    sent = true;
    return true;
  };
  if (c.rxHz && !send([&] {
        const LinkResult r = rig_->SetRx(*c.rxHz);
        if (r.ok()) rigSent_.rxHz = c.rxHz;
        return r;
      })) {
    return;
  }
  if (c.split && !send([&] {
        const LinkResult r = rig_->SetSplit(*c.split);
        if (r.ok()) rigSent_.split = c.split;
        return r;
      })) {
    return;
  }
  if (c.txHz && !send([&] {
        const LinkResult r = rig_->SetTx(*c.txHz);
        if (r.ok()) rigSent_.txHz = c.txHz;
        return r;
      })) {
    return;
  }

  if (rigSent_.rxHz) {
    const double rx = BandFromRadioHz(*rigSent_.rxHz, settings_.lo);
    const bool split = rigSent_.split.value_or(false) && rigSent_.txHz;
    st.rigSet = RxTx{rx, split ? BandFromRadioHz(*rigSent_.txHz, settings_.lo) : rx};
  }
  if (sent) {
    reading = {};
    if (const LinkResult r = rig_->Read(reading); r.kind == LinkResult::kLost) {
      LoseRig(r.why);
      return;
    }
  }
  st.transmitting = reading.transmitting;
  const auto band = [&](const std::optional<double>& hz) {
    return hz ? std::optional<double>(BandFromRadioHz(*hz, settings_.lo)) : std::nullopt;
  };
  st.rxRead = band(reading.rxHz);
  st.txRead = reading.split.value_or(false) ? band(reading.txHz) : st.rxRead;
}

void TrackSession::TickRotator() {
  TrackStatus& st = status_;
  if (!st.rotConnected) {
    if (rotRetryAt_ && clock_.Now() < *rotRetryAt_) return;
    const LinkResult r = rot_->Open();
    if (!r.ok()) {
      LoseRotator(r.why);
      return;
    }
    st.rotConnected = true;
    dishSent_.pointed.reset();
    rotRetryAt_.reset();
  }

  AzEl position;
  if (const LinkResult r = rot_->Read(position); r.kind == LinkResult::kLost) {
    LoseRotator(r.why);
    return;
  } else if (r.ok()) {
    st.rotRead = position;
  } else {
    st.rotRead.reset();
    st.rotErrorNow = true;
    st.rotError = r.why;
  }

  const AzEl moon{st.figures.azimuthDeg, st.figures.elevationDeg};
  const DishAction action = DecideDish(moon, dishSent_, settings_.dish);
  if (action == DishAction::kNone) return;
  if (!Fresh()) {
    st.rotErrorNow = true;
    st.rotError = "a command was left unsent: its figures were over a second old";
    return;
  }
  const RotatorRange range = rot_->Range();
  const AzEl want = action == DishAction::kPark ? *settings_.dish.park : moon;
  const AzEl to = ForRotator(want, st.rotRead ? st.rotRead->azimuthDeg : want.azimuthDeg,
                             range.minAzDeg, range.maxAzDeg, range.minElDeg, range.maxElDeg);
  const LinkResult r = rot_->Point(to);
  if (r.kind == LinkResult::kLost) {
    LoseRotator(r.why);
    return;
  }
  if (!r.ok()) {
    st.rotErrorNow = true;
    st.rotError = r.why;
    return;
  }
  st.rotPointed = to;
  if (action == DishAction::kPark) {
    dishSent_.parked = true;
    dishSent_.pointed.reset();
  } else {
    dishSent_.parked = false;
    dishSent_.pointed = moon;
  }
  st.parked = dishSent_.parked;
}

}  // namespace skyapp::track
