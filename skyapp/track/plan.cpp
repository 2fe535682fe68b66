// SPDX-License-Identifier: GPL-3.0-or-later
// The frequency plan, the transverter, the radio's step and the decisions of one tick.
#include "skyapp/track/plan.h"

#include <algorithm>
#include <cmath>

namespace skyapp::track {
namespace {

// A read-back frequency counts as the one sent when they agree to better than this (Hz):
// radios report whole hertz, and the transverter's conversion and Hamlib's doubles add no
// more than a rounding error of 1e-6 Hz at 10 GHz.
constexpr double kSameFrequencyHz = 0.5;

bool Differs(const std::optional<double>& read, double sent) {
  return read && std::fabs(*read - sent) >= kSameFrequencyHz;
}

// The difference b − a of two azimuths, taken the short way round (deg, [-180, 180]).
double AzimuthDifferenceDeg(double a, double b) {
  double d = std::fmod(b - a, 360.0);
  if (d > 180) d -= 360;
  if (d < -180) d += 360;
  return d;
}

}  // namespace

RxTx PlanFrequencies(Mode mode, double skedHz, const Figures& fig) noexcept {
  switch (mode) {
    case Mode::kOwnEcho:
      return {skedHz + fig.selfHz, skedHz};
    case Mode::kMoon:
      // Sent low by the uplink shift, the signal reaches the Moon on f; what leaves the
      // Moon on f arrives raised by the downlink shift.
      return {skedHz + fig.downlinkHz, skedHz - fig.uplinkHz};
    case Mode::kDx:
      return {skedHz + fig.dxHz, skedHz - fig.toDxHz};
    case Mode::kNone:
      break;
  }
  return {skedHz, skedHz};
}

double RadioFromBandHz(double bandHz, const std::optional<Transverter>& lo) noexcept {
  if (!lo) return bandHz;
  return lo->highSide ? lo->loHz - bandHz : bandHz - lo->loHz;
}

double BandFromRadioHz(double radioHz, const std::optional<Transverter>& lo) noexcept {
  if (!lo) return radioHz;
  return lo->highSide ? lo->loHz - radioHz : lo->loHz + radioHz;
}

double RoundToStepHz(double hz, double stepHz) noexcept {
  return std::round(hz / stepHz) * stepHz;
}

RxTx RadioTargets(const RxTx& band, const std::optional<Transverter>& lo, double stepHz) noexcept {
  return {RoundToStepHz(RadioFromBandHz(band.rxHz, lo), stepHz),
          RoundToStepHz(RadioFromBandHz(band.txHz, lo), stepHz)};
}

RigCommands DecideRig(const RxTx& target, const RigSent& sent, const RigReading& reading,
                      bool retuneInTx) noexcept {
  RigCommands c;
  const bool wantSplit = target.txHz != target.rxHz;
  const bool splitIsOn = reading.split ? *reading.split : sent.split.value_or(false);
  const bool txFree = !reading.transmitting || retuneInTx;

  const bool rxDue = !sent.rxHz || *sent.rxHz != target.rxHz || Differs(reading.rxHz, *sent.rxHz);
  const bool splitDue =
      !sent.split || *sent.split != wantSplit || (reading.split && *reading.split != wantSplit);
  const bool txDue = wantSplit && (splitDue || !sent.txHz || *sent.txHz != target.txHz ||
                                   Differs(reading.txHz, *sent.txHz));

  // Without the split the receive VFO is also the one that transmits.
  if (rxDue && (txFree || splitIsOn)) c.rxHz = target.rxHz;
  if (!txFree) {
    c.txHeld = splitDue || txDue || (rxDue && !splitIsOn);
    return c;
  }
  if (splitDue) c.split = wantSplit;
  if (txDue) c.txHz = target.txHz;
  return c;
}

DishAction DecideDish(const AzEl& moon, const DishSent& sent,
                      const DishSettings& settings) noexcept {
  if (moon.elevationDeg < settings.minElevationDeg) {
    return settings.park && !sent.parked ? DishAction::kPark : DishAction::kNone;
  }
  if (!sent.pointed) return DishAction::kPoint;
  const double dAz = std::fabs(AzimuthDifferenceDeg(sent.pointed->azimuthDeg, moon.azimuthDeg));
  const double dEl = std::fabs(moon.elevationDeg - sent.pointed->elevationDeg);
  return std::max(dAz, dEl) >= settings.stepDeg ? DishAction::kPoint : DishAction::kNone;
}

AzEl ForRotator(const AzEl& want, double currentAzDeg, double minAzDeg, double maxAzDeg,
                double minElDeg, double maxElDeg) noexcept {
  AzEl out{want.azimuthDeg, std::clamp(want.elevationDeg, minElDeg, maxElDeg)};
  // The candidates are the azimuth and its neighbours a whole turn either side.
  double best = 0;
  double bestDistance = -1;
  const double base = want.azimuthDeg - 360 * std::floor((want.azimuthDeg - minAzDeg) / 360);
  for (double az = base; az <= maxAzDeg; az += 360) {
    const double distance = std::fabs(az - currentAzDeg);
    if (bestDistance < 0 || distance < bestDistance) {
      best = az;
      bestDistance = distance;
    }
  }
  if (bestDistance >= 0) {
    out.azimuthDeg = best;
  } else {
    // A range narrower than a turn that leaves this azimuth out: the nearer end.
    const double toMin = std::fabs(AzimuthDifferenceDeg(want.azimuthDeg, minAzDeg));
    const double toMax = std::fabs(AzimuthDifferenceDeg(want.azimuthDeg, maxAzDeg));
    out.azimuthDeg = toMin <= toMax ? minAzDeg : maxAzDeg;
  }
  return out;
}

}  // namespace skyapp::track
