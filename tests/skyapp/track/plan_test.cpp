// SPDX-License-Identifier: GPL-3.0-or-later
// The frequency plan: what each mode's frequencies do on the way to the Moon and back, the
// transverter's two sides, the radio's step, and when the radio and the dish get commands.
#include "skyapp/track/plan.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sky/sight.h"

namespace skyapp::track {
namespace {

constexpr double kSkedHz = 10368.1e6;
// A plan that offsets the carrier by a shift s then sees that offset shifted too, by
// s·s/f: (5 kHz)² / 10 GHz = 0.0025 Hz at this instant, twice that over two legs (Hz).
constexpr double kCarrierToleranceHz = 0.01;

constexpr double kRad = M_PI / 180;

// A signal sent on `txHz` is heard shifted by the path's shift, in proportion to its own
// frequency: `shiftAtSkedHz` is the path's shift for a carrier on the sked frequency.
double Heard(double txHz, double shiftAtSkedHz) {
  return txHz + shiftAtSkedHz * txHz / kSkedHz;
}

// The instant a signal sent from `from` at t arrives at `to` off the Moon: t plus the two
// ranges over c, to the millisecond (the shifts move by at most about 2.3 Hz a second at
// 10 GHz, so a millisecond is a few millihertz).
sky::UtcInstant ArrivalAt(sky::UtcInstant t, const sky::Site& from, const sky::Site& to) {
  const sky::MoonAndEarth state = sky::MoonAndEarthAt(t, false);
  const double km = sky::SightFrom(state, from).rangeKm + sky::SightFrom(state, to).rangeKm;
  return {t.ms + std::llround(km * 1e3 / sky::kSpeedOfLightMs * 1e3)};
}

// Paris and New Jersey while the Moon is up at both (2026-12-09T14:00Z). Every signal is
// followed from the instant it is sent to the instant it is heard, 2.5 s later: the figures
// of each end are taken at that end's own instant.
TEST(FrequencyPlan, EachModeMeetsWhereItSays) {
  const sky::UtcInstant t{1'796'824'800'000};
  const sky::Site paris = sky::SiteOf({48.85 * kRad, 2.35 * kRad, 0});
  const sky::Site jersey = sky::SiteOf({40.5 * kRad, -75 * kRad, 0});
  const Figures a = FiguresAt(t, paris, jersey, kSkedHz);
  const sky::UtcInstant echoBack = ArrivalAt(t, paris, paris);
  const sky::UtcInstant atJersey = ArrivalAt(t, paris, jersey);
  const Figures aBack = FiguresAt(echoBack, paris, jersey, kSkedHz);
  const Figures bThen = FiguresAt(atJersey, jersey, paris, kSkedHz);

  // Own echo: the echo of what is sent now comes back where the receiver then listens.
  const RxTx own = PlanFrequencies(Mode::kOwnEcho, kSkedHz, a);
  EXPECT_EQ(own.txHz, kSkedHz);
  EXPECT_NEAR(Heard(own.txHz, aBack.selfHz), PlanFrequencies(Mode::kOwnEcho, kSkedHz, aBack).rxHz,
              kCarrierToleranceHz);

  // On the Moon: this station's signal reaches the Moon on f, so the DX station, listening
  // where what leaves the Moon on f arrives, hears it there, and so does this station's own
  // receiver when the echo is back.
  const RxTx moonA = PlanFrequencies(Mode::kMoon, kSkedHz, a);
  EXPECT_NEAR(Heard(moonA.txHz, a.uplinkHz), kSkedHz, kCarrierToleranceHz);
  EXPECT_NEAR(Heard(moonA.txHz, a.toDxHz), PlanFrequencies(Mode::kMoon, kSkedHz, bThen).rxHz,
              kCarrierToleranceHz);
  EXPECT_NEAR(Heard(moonA.txHz, aBack.selfHz), PlanFrequencies(Mode::kMoon, kSkedHz, aBack).rxHz,
              kCarrierToleranceHz);

  // To a DX station: it hears f; what it sends on f is heard where this station listens
  // when it arrives (the DX station's to-DX figure and this station's DX figure are two
  // solutions of the same path).
  const RxTx dx = PlanFrequencies(Mode::kDx, kSkedHz, a);
  EXPECT_NEAR(Heard(dx.txHz, a.toDxHz), kSkedHz, kCarrierToleranceHz);
  const Figures aHears = FiguresAt(ArrivalAt(t, jersey, paris), paris, jersey, kSkedHz);
  const Figures b = FiguresAt(t, jersey, paris, kSkedHz);
  EXPECT_NEAR(Heard(kSkedHz, b.toDxHz), PlanFrequencies(Mode::kDx, kSkedHz, aHears).rxHz,
              kCarrierToleranceHz);

  EXPECT_EQ(PlanFrequencies(Mode::kNone, kSkedHz, a), (RxTx{kSkedHz, kSkedHz}));
}

TEST(FrequencyPlan, TransverterSidesAndTheRadiosStep) {
  // 10368.1 MHz from a 10224 MHz oscillator on the low side is 144.1 MHz at the radio; from
  // 10512 MHz on the high side, 143.9 MHz, and a shift of +1 kHz at the band is −1 kHz there.
  const Transverter low{10224e6, false}, high{10512e6, true};
  EXPECT_EQ(RadioFromBandHz(kSkedHz, low), 144.1e6);
  EXPECT_EQ(RadioFromBandHz(kSkedHz, high), 143.9e6);
  EXPECT_EQ(RadioFromBandHz(kSkedHz + 1000, high), 143.9e6 - 1000);
  EXPECT_EQ(BandFromRadioHz(143.9e6 - 1000, high), kSkedHz + 1000);

  EXPECT_EQ(RoundToStepHz(10368090547.6, 1), 10368090548.0);
  EXPECT_EQ(RoundToStepHz(10368090544.9, 10), 10368090540.0);
  EXPECT_EQ(RoundToStepHz(10368090545, 10), 10368090550.0);
  // The rounding is to the radio's dial: on the high side the band's 10368.0905476 MHz is
  // 143.9094524 MHz at the radio, 143.90945 MHz on a 10 Hz step.
  const RxTx r = RadioTargets({10368090547.6, kSkedHz}, high, 10);
  EXPECT_EQ(r.rxHz, 143909450.0);
  EXPECT_EQ(r.txHz, 143.9e6);
}

// The radio's commands over the life of a connection, one row per situation.
struct RigRow {
  const char* name;
  RxTx target;
  RigSent sent;
  RigReading reading;
  bool retuneInTx;
  RigCommands expected;
};

void PrintTo(const RigRow& row, std::ostream* os) {
  *os << row.name;
}

class RigDecisions : public testing::TestWithParam<RigRow> {};

TEST_P(RigDecisions, SendWhatChangedAndHoldTheTransmitterWhileItTransmits) {
  const RigRow& row = GetParam();
  const RigCommands c = DecideRig(row.target, row.sent, row.reading, row.retuneInTx);
  EXPECT_EQ(c.rxHz, row.expected.rxHz);
  EXPECT_EQ(c.split, row.expected.split);
  EXPECT_EQ(c.txHz, row.expected.txHz);
  EXPECT_EQ(c.txHeld, row.expected.txHeld);
}

constexpr RxTx kSplit{101, 100};
const RigSent kSentSplit{101.0, 100.0, true};
const RigReading kReadSplit{101.0, 100.0, true, false};

INSTANTIATE_TEST_SUITE_P(
    Tracking, RigDecisions,
    testing::Values(
        RigRow{"FreshConnectionGetsEverything", kSplit, {}, {}, false, {101.0, true, 100.0, false}},
        RigRow{"NothingChanged", kSplit, kSentSplit, kReadSplit, false, {}},
        RigRow{"ReceiveMovedByAStep",
               {102, 100},
               kSentSplit,
               kReadSplit,
               false,
               {102.0, {}, {}, false}},
        RigRow{"KnobTurnedByHand",
               kSplit,
               kSentSplit,
               {250.0, 100.0, true},
               false,
               {101.0, {}, {}, false}},
        RigRow{"SplitTurnedOffByHand",
               kSplit,
               kSentSplit,
               {101.0, {}, false},
               false,
               {{}, true, 100.0}},
        RigRow{"TransmittingHoldsTheTransmitVfo",
               {102, 99},
               kSentSplit,
               {101.0, 100.0, true, true},
               false,
               {102.0, {}, {}, true}},
        RigRow{"RetuneInTx",
               {102, 99},
               kSentSplit,
               {101.0, 100.0, true, true},
               true,
               {102.0, {}, 99.0}},
        RigRow{"TransmittingWithoutSplitHoldsBoth",
               kSplit,
               {100.0, {}, false},
               {100.0, {}, false, true},
               false,
               {{}, {}, {}, true}},
        RigRow{"EqualTargetsTurnTheSplitOff",
               {100, 100},
               kSentSplit,
               kReadSplit,
               false,
               {100.0, false, {}, false}}),
    [](const testing::TestParamInfo<RigRow>& info) { return std::string(info.param.name); });

TEST(DishDecisions, StepsLowestElevationAndPark) {
  const DishSettings s{1, 0, AzEl{180, 0}};
  const DishSent pointed{AzEl{359.6, 20}, false};
  EXPECT_EQ(DecideDish({359.6, 20}, {}, s), DishAction::kPoint);
  // 359.6° to 0.5° is 0.9° the short way round: not yet a step.
  EXPECT_EQ(DecideDish({0.5, 20.5}, pointed, s), DishAction::kNone);
  EXPECT_EQ(DecideDish({0.6, 20}, pointed, s), DishAction::kPoint);
  // Below the lowest elevation: parked once, then left alone; without a park, left alone.
  EXPECT_EQ(DecideDish({250, -0.1}, pointed, s), DishAction::kPark);
  EXPECT_EQ(DecideDish({250, -0.1}, {std::nullopt, true}, s), DishAction::kNone);
  EXPECT_EQ(DecideDish({250, -0.1}, pointed, {1, 0, std::nullopt}), DishAction::kNone);
  EXPECT_EQ(DecideDish({250, 5}, {std::nullopt, true}, {1, 5, std::nullopt}), DishAction::kPoint);
}

TEST(DishDecisions, AzimuthInTheRotatorsRange) {
  // A 450° rotator standing at 10° reaches 350° the short way, through −10°.
  EXPECT_EQ(ForRotator({350, 30}, 10, -180, 450, 0, 90), (AzEl{-10, 30}));
  EXPECT_EQ(ForRotator({20, 30}, 350, -180, 450, 0, 90), (AzEl{380, 30}));
  EXPECT_EQ(ForRotator({350, -1}, 0, -180, 180, 0, 90), (AzEl{-10, 0}));
  EXPECT_EQ(ForRotator({0, 95}, 0, 0, 360, 0, 90), (AzEl{0, 90}));
  // A half-turn rotator cannot reach 200°: it stops at its nearer end.
  EXPECT_EQ(ForRotator({200, 10}, 90, 0, 180, 0, 90), (AzEl{180, 10}));
}

}  // namespace
}  // namespace skyapp::track
