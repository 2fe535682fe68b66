// SPDX-License-Identifier: GPL-3.0-or-later
// A long seeded random sequence of events from every control, the window checked after each.
//
// The sequence is reproducible: VORNAK_SOAK_SEED picks it (a fixed seed by default) and
// VORNAK_SOAK_EVENTS its length; a failure names the seed, the event's index and the last
// events before it. The real timer is kept from ticking on its own, so that every tick is
// an event of the sequence: a direct tick, or one queued just before a slider moves, which
// the slider handler's DoEvents then runs in the middle of its work.
//
// The second test runs the same sequence with floating-point traps on in the program's own
// arithmetic, so that a division by zero, a NaN or an overflow stops the run at its source.
#include <gtest/gtest.h>

#include <execinfo.h>
#include <unistd.h>
#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <iostream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QMetaObject>
#include <QScrollBar>

#include "classroom/form/form1.h"
#include "classroom/interaction/animation.h"
#include "classroom/interaction/orbit_controls.h"
#include "classroom/model/earth.h"
#include "classroom/model/moon.h"
#include "classroom/model/readout.h"
#include "classroom/model/station.h"
#include "classroom/view/readout_text.h"
#include "tests/support/started_form.h"
#include "toolkit/application.h"
#include "toolkit/fp_traps.h"
#include "toolkit/qt/native.h"

namespace {

constexpr std::uint32_t kDefaultSeed = 60520;
constexpr int kDefaultEvents = 20000;
constexpr int kEventsPerBlock = 1000;
constexpr int kShownPerBlock = 100;

// The Earth-Moon distance runs from a(1 - e) at perigee to a(1 + e) at apogee, and the
// orbit's tilt of 28.73° bounds the declination.
constexpr double kPerigee = 357395.5;
constexpr double kApogee = 412604.5;
constexpr double kMaxDeclination = 28.73;
constexpr double kBoundTolerance = 1e-9;  // relative

constexpr double kDeg = 0.017453292519943278;

std::uint32_t SeedFromEnvironment() {
  const char* text = std::getenv("VORNAK_SOAK_SEED");
  return text != nullptr && *text != '\0'
             ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10))
             : kDefaultSeed;
}

int EventsFromEnvironment() {
  const char* text = std::getenv("VORNAK_SOAK_EVENTS");
  return text != nullptr && *text != '\0' ? std::max(1, std::atoi(text)) : kDefaultEvents;
}

// ---- What the SIGFPE handler reports -----------------------------------------------------

std::uint32_t runningSeed = 0;
int runningIndex = -1;  // -1 during start-up
char runningEvent[160] = "start-up";

void ReportTrap(int, siginfo_t* info, void*) {
  const char* kind = info->si_code == FPE_FLTDIV   ? "division by zero"
                     : info->si_code == FPE_FLTINV ? "invalid operation (NaN)"
                     : info->si_code == FPE_FLTOVF ? "overflow"
                                                   : "floating-point exception";
  char text[400];
  const int n =
      std::snprintf(text, sizeof text, "\nSIGFPE, %s, at %p: seed %u, event %d (%s)\nBacktrace:\n",
                    kind, info->si_addr, runningSeed, runningIndex, runningEvent);
  if (n > 0)
    (void)!write(STDERR_FILENO, text, static_cast<std::size_t>(std::min<int>(n, sizeof text - 1)));
  void* frames[64];
  backtrace_symbols_fd(frames, backtrace(frames, 64), STDERR_FILENO);
  std::abort();
}

// ---- The grammar of every readout ----------------------------------------------------------

// A signed readout with three decimals: "+12.345", "-0.001", or exactly zero "0.000".
const std::string kSigned = R"((?:[+-]\d+\.\d{3}|0\.000))";
// A shift in whole hertz: "+12 Hz ", "-3 Hz ", or exactly zero "0 Hz ".
const std::string kHertz = R"((?:[+-]\d+ Hz |0 Hz ))";
// An angle readout of the sliders, presets and ticks: a blank, degrees, "°", a blank.
const std::string kAngle = R"(^ (\d{1,3}\.\d{3})° $)";

// The pattern every caption of one label keeps, whichever handler or update wrote it.
struct Grammar {
  const toolkit::Label* label;
  const char* name;
  std::regex pattern;
};

std::vector<Grammar> Grammars(const Form1& f) {
  const std::string notice = earthFixedNotice;
  return {
      {&f.Label5(0), "Label5(0)", std::regex("^ El= " + kSigned + "° $")},
      {&f.Label5(1), "Label5(1)", std::regex(R"(^ Az= \d{1,3}\.\d{3}° $)")},
      {&f.Label2(0), "Label2(0)", std::regex("^ vRad= " + kSigned + " m/s $")},
      {&f.Label2(5), "Label2(5)", std::regex(R"(^ vTan= \d+\.\d{3} m/s $)")},
      {&f.Label2(1), "Label2(1)", std::regex("^ vAD= " + kSigned + " m/s $")},
      {&f.Label2(2), "Label2(2)", std::regex("^ vDc= " + kSigned + " m/s $")},
      {&f.Label2(3), "Label2(3)", std::regex("^(?:" + notice + "| vRot= " + kSigned + " m/s )$")},
      {&f.Label2(4), "Label2(4)", std::regex("^ vFin= " + kSigned + " m/s $")},
      {&f.Label2(6), "Label2(6)", std::regex("^ AD: " + kHertz + "$")},
      {&f.Label2(7), "Label2(7)", std::regex("^ Dc: " + kHertz + "$")},
      {&f.Label2(8), "Label2(8)", std::regex("^(?:" + notice + "| Rot: " + kHertz + ")$")},
      {&f.Label2(9), "Label2(9)", std::regex("^ Final: " + kHertz + "$")},
      {&f.Label1(0), "Label1(0)", std::regex(kAngle)},
      {&f.Label1(1), "Label1(1)", std::regex("^ " + kSigned + "° $")},
      {&f.Label3(), "Label3", std::regex(kAngle)},
      {&f.Label4(), "Label4", std::regex(kAngle)},
      {&f.Label9(0), "Label9(0)", std::regex(R"(^ \d{1,2}\.\d° [NS] $)")},
      {&f.Label9(1), "Label9(1)", std::regex(R"(^ \d{1,3}\.\d° $)")},
  };
}

// The number a readout shows, after its prefix: " +12.345° " gives 12.345.
double ShownNumber(const std::string& caption) {
  const std::size_t at = caption.find_first_of("+-0123456789");
  return at == std::string::npos ? NAN : std::strtod(caption.c_str() + at, nullptr);
}

// Angle between two directions given in degrees, in [0, 180].
double AngleApart(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return std::min(d, 360.0 - d);
}

double Norm(const Vec3& v) {
  return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

double Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Each check below adds what it finds wrong to out; nothing when all holds.

void CheckCaptions(const std::vector<Grammar>& grammars, std::ostream& out) {
  for (const Grammar& g : grammars) {
    const std::string& c = g.label->Caption();
    for (const char* bad : {"---", "nan", "inf", "NaN", "Inf"}) {
      if (c.find(bad) != std::string::npos)
        out << g.name << " shows a non-finite value: \"" << c << "\"; ";
    }
    if (!std::regex_match(c, g.pattern))
      out << g.name << " \"" << c << "\" breaks its readout's grammar; ";
  }
}

void CheckControls(const Form1& f, int queuedTicks, std::ostream& out) {
  if (f.syncingSliders) out << "syncingSliders left set; ";
  if (toolkit::DoEventsDepth() != 0) out << "a DoEvents left open; ";
  if (queuedTicks != 0) out << queuedTicks << " queued tick(s) never ran; ";
  for (int i = 0; i < 4; ++i) {
    const toolkit::HScrollBar& s = f.HScroll1(i);
    if (s.Min() != 0 || s.Max() != 32767 || s.Value() < 0 || s.Value() > 32767)
      out << "HScroll1(" << i << ") at " << s.Value() << " in " << s.Min() << ".." << s.Max()
          << "; ";
  }
  const toolkit::HScrollBar& lat = f.HScroll2(0);
  if (lat.Min() != -16383 || lat.Max() != 16384 || lat.Value() < -16383 || lat.Value() > 16384)
    out << "HScroll2(0) at " << lat.Value() << "; ";
  const toolkit::HScrollBar& lon = f.HScroll2(1);
  if (lon.Min() != 0 || lon.Max() != 32767 || lon.Value() < 0 || lon.Value() > 32767)
    out << "HScroll2(1) at " << lon.Value() << "; ";
}

void CheckModel(const Form1& f, std::ostream& out) {
  // The Moon stays on its ellipse and within the tilt of its orbit.
  const double distance = Norm(moonPos);
  if (!(distance >= kPerigee * (1 - kBoundTolerance) &&
        distance <= kApogee * (1 + kBoundTolerance)))
    out << "Earth-Moon distance " << distance << " km off the orbit; ";
  const double declination = std::atan2(moonPos.z, std::hypot(moonPos.x, moonPos.y)) / kDeg;
  if (!(std::fabs(declination) <= kMaxDeclination * (1 + kBoundTolerance)))
    out << "declination " << declination << "° beyond the orbit's tilt; ";
  // Its readout shows that declination, rounded to three decimals.
  if (!(std::fabs(ShownNumber(f.Label1(1).Caption()) - declination) <= 0.0005 + 1e-9))
    out << "Label1(1) \"" << f.Label1(1).Caption() << "\" for a declination of " << declination
        << "°; ";

  // The node-line readout names the line's angle; a preset shows its round figure, at most
  // 0.00824° short of the position's angle (24576 is 270.00824°).
  const double node = std::atan2(NodeRot(0, 1), NodeRot(0, 0)) / kDeg;
  if (!(AngleApart(ShownNumber(f.Label1(0).Caption()), node) <= 0.0083 + 0.0005))
    out << "Label1(0) \"" << f.Label1(0).Caption() << "\" for a node line at " << node << "°; ";

  // The station readouts name its latitude and longitude to a tenth of a degree.
  const double latitude = std::atan2(stationSinLat, stationCosLat) / kDeg;
  const std::string& latText = f.Label9(0).Caption();
  if (!(std::fabs(ShownNumber(latText) - std::fabs(latitude)) <= 0.05 + 1e-9) ||
      latText.back() != ' ' || latText[latText.size() - 2] != (latitude >= 0 ? 'N' : 'S'))
    out << "Label9(0) \"" << latText << "\" for a latitude of " << latitude << "°; ";
  const double longitude = std::atan2(-stationSinLon, stationCosLon) / kDeg;
  if (!(AngleApart(ShownNumber(f.Label9(1).Caption()), longitude) <= 0.05 + 1e-9))
    out << "Label9(1) \"" << f.Label9(1).Caption() << "\" for a longitude of " << longitude
        << "°; ";
  // P on the Earth's surface, and on the drawn Earth 15 times further out.
  if (!(std::fabs(Norm(stationPos) - kEarthRadius) <= 1e-9 * kEarthRadius) ||
      !(std::fabs(Norm(stationPosScaled) - 15 * kEarthRadius) <= 1e-9 * 15 * kEarthRadius))
    out << "station off the Earth's surface; ";

  // The Earth's rate is either held at zero or the derivative of its rotation.
  const double cg = EarthRot(0, 0);
  const double sg = EarthRot(0, 1);
  if (!(std::fabs(cg * cg + sg * sg - 1) <= 1e-12) || EarthRot(1, 0) != -sg ||
      EarthRot(1, 1) != cg || EarthRot(2, 2) != 1)
    out << "EarthRot is no rotation about the polar axis; ";
  if (EarthRotRate != Mat3{}) {
    const double w = 0.07292115855306615;
    if (!(std::fabs(EarthRotRate(0, 0) + w * sg) <= 1e-15 &&
          std::fabs(EarthRotRate(0, 1) - w * cg) <= 1e-15 &&
          std::fabs(EarthRotRate(1, 0) + w * cg) <= 1e-15 &&
          std::fabs(EarthRotRate(1, 1) + w * sg) <= 1e-15))
      out << "EarthRotRate is not the rate of EarthRot; ";
  }
}

void CheckReadouts(const Form1& f, std::ostream& out) {
  // The distance to P's Moon is the length of the line of sight, and the final range rate
  // its component along the line of sight, u·moonVelFixed with u = lineOfSight / |lineOfSight|.
  const Readout r = ComputeReadout(CurrentReadoutInput());
  const double sight = Norm(r.lineOfSight);
  if (!(std::fabs(r.PL - sight) <= 1e-9 * sight))
    out << "PL " << r.PL << " km but |lineOfSight| " << sight << " km; ";
  const double rangeRate = Dot(r.lineOfSight, r.moonVelFixed) / sight;
  if (!(std::fabs(r.vFin - rangeRate) <= 1e-9 * std::max(1.0, Norm(r.moonVelFixed))))
    out << "vFin " << r.vFin << " m/s but u·moonVelFixed " << rangeRate << " m/s; ";

  // The readouts on screen are those of the model as it stands: no event leaves them behind.
  const bool fixedShown = f.Label2(3).Caption() == earthFixedNotice;
  if (fixedShown != (f.Label2(8).Caption() == earthFixedNotice))
    out << "only one of Label2(3), Label2(8) shows the Earth-fixed notice; ";
  const std::array<std::string, 12> expected =
      ReadoutCaptions(r, fixedShown ? RefreshMode::EarthFixed : RefreshMode::EarthTurning);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const CaptionSlot slot = captionSlots[i];
    const toolkit::Label& label =
        slot.label == ReadoutLabel::Label5 ? f.Label5(slot.index) : f.Label2(slot.index);
    if (label.Caption() != expected[i])
      out << (slot.label == ReadoutLabel::Label5 ? "Label5(" : "Label2(") << slot.index << ") \""
          << label.Caption() << "\" but the model gives \"" << expected[i] << "\"; ";
  }
}

void CheckSwitches(const Form1& f, std::ostream& out) {
  // The animation switch: on, the speed slider is usable and the timer runs; off, the speed
  // slider is back at its left end, disabled, with the slowest step.
  const bool on = f.Option4(1).Value();
  if (on == f.Option4(0).Value()) out << "Option4 has not exactly one button selected; ";
  if (f.HScroll1(0).Enabled() != on || f.Timer1().Ticking() != on)
    out << "the speed slider or the timer disagree with the animation switch; ";
  const double sliderStep = (f.HScroll1(0).Value() / 32767.0) * 20 + 0.2;
  if (on ? !(animStep == 0.2 || std::fabs(animStep - sliderStep) <= 1e-12)
         : !(f.HScroll1(0).Value() == 0 && (animStep == 0 || animStep == 0.2)))
    out << "animStep " << animStep << " with the speed slider at " << f.HScroll1(0).Value() << "; ";
  if (f.Option3(0).Value() == f.Option3(1).Value())
    out << "Option3 has not exactly one button selected; ";
}

// Every property that must hold between two events; empty when all do.
std::string Problems(const Form1& f, const std::vector<Grammar>& grammars, int queuedTicks) {
  std::ostringstream out;
  out.precision(17);
  CheckCaptions(grammars, out);
  CheckControls(f, queuedTicks, out);
  CheckModel(f, out);
  CheckReadouts(f, out);
  CheckSwitches(f, out);
  return out.str();
}

// ---- The events ----------------------------------------------------------------------------

class RandomEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    coupledMoonBase = 0;
    animStep = 0;
  }
  void TearDown() override {
    toolkit::SetProgramTraps(0);
    if (Form1Exists()) DestroyForm1();
  }

  void Run(int traps) {
    seed_ = SeedFromEnvironment();
    const int events = EventsFromEnvironment();
    std::cout << "seed " << seed_ << ", " << events
              << " events (VORNAK_SOAK_SEED, VORNAK_SOAK_EVENTS)" << std::endl;
    runningSeed = seed_;
    runningIndex = -1;
    std::snprintf(runningEvent, sizeof runningEvent, "start-up");
    rng_.seed(seed_);

    toolkit::SetProgramTraps(traps);
    f_ = &StartForm();
    // Every tick is an event of the sequence: the timer still runs while the animation is
    // on, but its ticks reach nothing.
    tick_ = f_->Timer1().onTimer;
    f_->Timer1().onTimer = nullptr;
    grammars_ = Grammars(*f_);
    ASSERT_EQ(Problems(*f_, grammars_, 0), "") << "after start-up";

    for (int i = 0; i < events; ++i) {
      // Repainting the window costs seven times the work of the events themselves, so most
      // events run with it hidden; in every block some run with it shown, their paints then
      // taking place inside the handlers' DoEvents, as on screen.
      const bool shown = i % kEventsPerBlock < kShownPerBlock;
      if (f_->Visible() != shown) f_->SetVisible(shown);
      runningIndex = i;
      const std::string what = NextEvent();
      std::snprintf(runningEvent, sizeof runningEvent, "%s", what.c_str());
      recent_.push_back(what);
      if (recent_.size() > 12) recent_.pop_front();
      action_();
      std::string problems = Problems(*f_, grammars_, queued_);
      if (traps != 0 && fegetexcept() != traps)
        problems += "the program's traps are no longer on; ";
      if (!problems.empty()) {
        std::string history;
        for (const std::string& e : recent_) history += "\n  " + e;
        FAIL() << "seed " << seed_ << ", event " << i << " (" << what << "): " << problems
               << "\nthe last events:" << history;
      }
    }
    toolkit::SetProgramTraps(0);
  }

 private:
  int Draw(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  // A position in min..max, often one of the ends or next to where the slider stands.
  int Position(int min, int max, int current) {
    switch (Draw(8)) {
      case 0:
        return min;
      case 1:
        return max;
      case 2:
        return std::clamp(current + (Draw(2) == 0 ? -1 : 1), min, max);
      default:
        return std::uniform_int_distribution<int>(min, max)(rng_);
    }
  }
  // As Position, but away from current, so that the slider's handler is sure to run.
  int NewPosition(int min, int max, int current) {
    int p = Position(min, max, current);
    if (p == current) p = current == max ? max - 1 : current + 1;
    return p;
  }

  toolkit::HScrollBar& Slider(int group, int index) const {
    return group == 1 ? f_->HScroll1(index) : f_->HScroll2(index);
  }
  // The speed slider can be moved only while the animation runs: it is disabled otherwise.
  int MovableSlider1() { return f_->HScroll1(0).Enabled() ? Draw(4) : 1 + Draw(3); }

  // Draws the next event into action_; returns its description.
  std::string NextEvent() {
    const bool on = f_->Option4(1).Value();
    std::ostringstream d;
    action_ = {};
    for (;;) {
      const int kind = Draw(100);
      if (kind < 16) {  // a slider moved from code
        const int group = Draw(3) < 2 ? 1 : 2;
        const int index = group == 1 ? MovableSlider1() : Draw(2);
        toolkit::HScrollBar& s = Slider(group, index);
        const int p = Position(s.Min(), s.Max(), s.Value());
        d << "HScroll" << group << "(" << index << ").Value = " << p;
        action_ = [&s, p] { s.SetValue(p); };
      } else if (kind < 28) {  // a thumb dragged: Scroll at each move, Change at the release
        const int group = Draw(3) < 2 ? 1 : 2;
        const int index = group == 1 ? MovableSlider1() : Draw(2);
        toolkit::HScrollBar& s = Slider(group, index);
        std::vector<int> moves;
        int at = s.Value();
        for (int k = 0, n = 1 + Draw(3); k < n; ++k)
          moves.push_back(at = NewPosition(s.Min(), s.Max(), at));
        d << "drag HScroll" << group << "(" << index << ") through";
        for (int p : moves) d << " " << p;
        action_ = [this, &s, moves] { Drag(s, moves); };
      } else if (kind < 36) {  // a preset
        const int group = 1 + Draw(2);
        const int index = Draw(4);
        toolkit::OptionButton& b = group == 1 ? f_->Option1(index) : f_->Option2(index);
        d << "Option" << group << "(" << index << ") clicked";
        action_ = [&b] { b.SetValue(true); };
      } else if (kind < 41) {  // coupling switched
        const int index = Draw(2);
        d << "Option3(" << index << ") clicked";
        action_ = [this, index] { f_->Option3(index).SetValue(true); };
      } else if (kind < 45) {  // animation switched
        const int index = Draw(2);
        d << "Option4(" << index << ") clicked";
        action_ = [this, index] { f_->Option4(index).SetValue(true); };
      } else if (kind < 49) {  // a slider takes the focus
        const int index = MovableSlider1();
        d << "HScroll1(" << index << ").SetFocus";
        action_ = [this, index] { f_->HScroll1(index).SetFocus(); };
      } else if (kind < 80) {  // a tick of the timer
        if (!on) continue;
        d << "tick";
        action_ = [this] { tick_(); };
      } else if (on) {  // a tick that falls due just as a slider moves
        const int group = Draw(3) < 2 ? 1 : 2;
        const int index = group == 1 ? MovableSlider1() : Draw(2);
        toolkit::HScrollBar& s = Slider(group, index);
        const int p = NewPosition(s.Min(), s.Max(), s.Value());
        const bool drag = Draw(2) == 0;
        d << "tick queued, then HScroll" << group << "(" << index
          << (drag ? ") dragged to " : ").Value = ") << p;
        action_ = [this, &s, p, drag] {
          QueueTick();
          if (drag) {
            Drag(s, {p});
          } else {
            s.SetValue(p);
          }
        };
      } else {
        continue;
      }
      return d.str();
    }
  }

  // The timer's tick, posted to the event queue as the timer's own event would be: it runs at
  // the next DoEvents, with the program's traps as the toolkit raises its events.
  void QueueTick() {
    ++queued_;
    const toolkit::ToolkitFpScope qt;
    QMetaObject::invokeMethod(
        qApp,
        [this] {
          const toolkit::ProgramFpScope program;
          --queued_;
          tick_();
        },
        Qt::QueuedConnection);
  }

  // The user's drag as the scroll bar sees it: pressed, moved (each move a Scroll), released
  // (a Change when the thumb ended elsewhere).
  static void Drag(toolkit::HScrollBar& s, const std::vector<int>& moves) {
    auto* bar = static_cast<QScrollBar*>(toolkit::NativeWidget(s));
    const toolkit::ToolkitFpScope qt;
    bar->setSliderDown(true);
    for (int p : moves) bar->setSliderPosition(p);
    bar->setSliderDown(false);
  }

  std::uint32_t seed_ = 0;
  std::mt19937 rng_;
  Form1* f_ = nullptr;
  std::vector<Grammar> grammars_;
  std::function<void()> tick_;
  std::function<void()> action_;
  int queued_ = 0;
  std::deque<std::string> recent_;
};

TEST_F(RandomEvents, EveryEventLeavesTheWindowConsistent) {
  Run(0);
}

TEST_F(RandomEvents, NoFloatingPointFaultInTheProgramsArithmetic) {
  struct sigaction action = {};
  action.sa_sigaction = ReportTrap;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  // The first backtrace loads the unwinder; done here, the handler itself allocates nothing.
  void* warm[1];
  (void)backtrace(warm, 1);
  struct sigaction previous = {};
  ASSERT_EQ(sigaction(SIGFPE, &action, &previous), 0);
  Run(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  sigaction(SIGFPE, &previous, nullptr);
}

}  // namespace
