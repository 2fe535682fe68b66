// SPDX-License-Identifier: GPL-3.0-or-later
// What tracking sends and when: the frequency plan of each mode, the transverter's
// conversion, the rounding to the radio's step, and the decisions to retune and to turn
// the dish. Pure functions of their arguments: no clock, no radio.
#pragma once

#include <optional>

#include "skyapp/track/figures.h"

namespace skyapp::track {

// The ways operators share the Doppler correction, each defined by what arrives where,
// with f the sked frequency.
enum class Mode {
  kOwnEcho,  // transmit f, receive where this station's own echo of f arrives now
  kMoon,     // transmit so that f reaches the Moon, receive what leaves the Moon on f
  kDx,       // transmit so that the DX station hears f, receive the DX station's f
  kNone,     // both on f
};

// A pair of frequencies (Hz): what the station receives and transmits on.
struct RxTx {
  double rxHz = 0;
  double txHz = 0;
  bool operator==(const RxTx&) const = default;
};

// The band frequencies (Hz) for a sked on `skedHz` at the instant of `fig`.
[[nodiscard]] RxTx PlanFrequencies(Mode mode, double skedHz, const Figures& fig) noexcept;

// A transverter: the band is reached by mixing the radio's frequency with a local
// oscillator. On the low side the band is LO + radio; on the high side LO − radio, so a
// shift at the band is reversed at the radio.
struct Transverter {
  double loHz = 0;
  bool highSide = false;
};

// Band to radio and back (Hz); without a transverter both are the identity.
[[nodiscard]] double RadioFromBandHz(double bandHz, const std::optional<Transverter>& lo) noexcept;
[[nodiscard]] double BandFromRadioHz(double radioHz, const std::optional<Transverter>& lo) noexcept;

// The multiple of `stepHz` nearest to `hz` (half-way rounds away from zero).
[[nodiscard]] double RoundToStepHz(double hz, double stepHz) noexcept;

// The frequencies to set on the radio (Hz at the radio, rounded to its step).
[[nodiscard]] RxTx RadioTargets(const RxTx& band, const std::optional<Transverter>& lo,
                                double stepHz) noexcept;

// What this program last sent to the radio since it (re)connected (radio Hz); empty until
// sent, so that a fresh connection gets the split and both frequencies again.
struct RigSent {
  std::optional<double> rxHz;
  std::optional<double> txHz;
  std::optional<bool> split;
};

// What the radio reported at the start of a tick; a value it could not give stays empty.
// A radio that cannot report its PTT counts as receiving.
struct RigReading {
  std::optional<double> rxHz;
  std::optional<double> txHz;  // its transmit VFO's, when in split
  std::optional<bool> split;
  bool transmitting = false;
};

// The commands of one tick, in the order they are sent: receive, split, transmit.
struct RigCommands {
  std::optional<double> rxHz;
  std::optional<bool> split;
  std::optional<double> txHz;
  // The transmit side wanted a change that waits for the end of the transmission.
  bool txHeld = false;
};

// Decides what to send. A frequency goes out when its rounded target changes, when it has
// not been sent since the connection, or when the radio reads back something else; the
// split goes on wherever the two targets differ. While the radio transmits (and
// `retuneInTx` is false) nothing that moves the transmitted frequency is sent: neither the
// transmit VFO nor the split, nor the receive VFO while the split is off.
[[nodiscard]] RigCommands DecideRig(const RxTx& target, const RigSent& sent,
                                    const RigReading& reading, bool retuneInTx) noexcept;

// A direction of the dish (deg): azimuth from north through east, elevation above the
// horizon.
struct AzEl {
  double azimuthDeg = 0;
  double elevationDeg = 0;
  bool operator==(const AzEl&) const = default;
};

struct DishSettings {
  double stepDeg = 1;          // the Moon must move this far on either axis
  double minElevationDeg = 0;  // below it the dish is not pointed at the Moon
  std::optional<AzEl> park;    // sent once when the Moon is below minElevationDeg
};

// What this program last asked of the rotator.
struct DishSent {
  std::optional<AzEl> pointed;  // the last Moon position sent, since the (re)connection
  bool parked = false;          // the park position was sent since the Moon went down
};

enum class DishAction { kNone, kPoint, kPark };

// Point at the Moon when it is at or above the lowest elevation and has moved by at least
// the step on either axis (azimuth taken the short way round) since the last command, or
// was not pointed at since the connection; park once when it is below.
[[nodiscard]] DishAction DecideDish(const AzEl& moon, const DishSent& sent,
                                    const DishSettings& settings) noexcept;

// A direction as a rotator of the given range takes it (deg): the azimuth turned by whole
// turns into [minAz, maxAz], the one nearest `currentAzDeg` where the range overlaps
// (so a 450° rotator does not unwind needlessly), and the elevation kept inside
// [minEl, maxEl]. An azimuth no turn brings into the range is kept at its nearer end.
[[nodiscard]] AzEl ForRotator(const AzEl& want, double currentAzDeg, double minAzDeg,
                              double maxAzDeg, double minElDeg, double maxElDeg) noexcept;

}  // namespace skyapp::track
