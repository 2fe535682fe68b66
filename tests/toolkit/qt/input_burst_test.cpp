// SPDX-License-Identifier: GPL-3.0-or-later
// A burst of queued key presses on one slider, delivered while its handler sits in DoEvents.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QKeyEvent>

#include "classroom/form/form1.h"
#include "classroom/interaction/animation.h"
#include "classroom/interaction/orbit_controls.h"
#include "tests/support/started_form.h"
#include "toolkit/application.h"
#include "toolkit/qt/native.h"

namespace {

constexpr int kStart = 1000;
constexpr int kPresses = 1000;

// Every readout the Moon-position slider's handler and the update after it write.
std::array<std::string, 14> Readouts(const Form1& f) {
  return {f.Label4().Caption(),  f.Label1(1).Caption(), f.Label5(0).Caption(),
          f.Label5(1).Caption(), f.Label2(0).Caption(), f.Label2(1).Caption(),
          f.Label2(2).Caption(), f.Label2(3).Caption(), f.Label2(4).Caption(),
          f.Label2(5).Caption(), f.Label2(6).Caption(), f.Label2(7).Caption(),
          f.Label2(8).Caption(), f.Label2(9).Caption()};
}

TEST(InputBurst, AThousandQueuedKeysNestBoundedAndEndAtTheLastPosition) {
  coupledMoonBase = 0;
  animStep = 0;
  Form1& f = StartForm();
  toolkit::HScrollBar& moon = f.HScroll1(2);
  moon.SetValue(kStart);

  // How deep in DoEvents each change arrives, and how many of their handlers are open at once.
  int changes = 0;
  int open = 0;
  int mostOpen = 0;
  int deepest = 0;
  const std::function<void()> handler = moon.onChange;
  moon.onChange = [&] {
    ++changes;
    deepest = std::max(deepest, toolkit::DoEventsDepth());
    mostOpen = std::max(mostOpen, ++open);
    handler();
    --open;
  };

  QWidget* bar = toolkit::NativeWidget(moon);
  for (int i = 0; i < kPresses; ++i) {
    QCoreApplication::postEvent(bar,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier));
  }
  // The slider's handler starts (as a drag would start it) and meets the burst in its DoEvents.
  moon.onScroll();
  for (int i = 0; i < 100 && moon.Value() != kStart + kPresses; ++i)
    QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();

  EXPECT_EQ(moon.Value(), kStart + kPresses);  // every press arrived, one step each
  EXPECT_EQ(changes, kPresses);                // one Change each, beside the Scroll
  EXPECT_GE(deepest, 2);                       // the presses did meet handlers inside DoEvents
  EXPECT_LE(deepest, toolkit::kMaxDoEventsDepth);
  // Qt's glib event loop does not re-enter its source of posted events, so there a burst
  // nests two deep at most; its plain Unix loop (QT_NO_GLIB=1, as ctest runs this test) nests
  // on until DoEvents' own limit stops it.
  const char* loop = QAbstractEventDispatcher::instance()->metaObject()->className();
  if (std::string(loop).find("Glib") == std::string::npos) {
    EXPECT_EQ(deepest, toolkit::kMaxDoEventsDepth) << "with the event loop " << loop;
  }
  EXPECT_LE(mostOpen, toolkit::kMaxDoEventsDepth);  // one per level, the first beside
  EXPECT_EQ(open, 0);
  EXPECT_EQ(toolkit::DoEventsDepth(), 0);
  EXPECT_FALSE(f.syncingSliders);
  // Position 2000 is 2000 × 360 / 32767 = 21.97332° on the orbit.
  EXPECT_EQ(f.Label4().Caption(), " 21.973° ");
  const std::array<std::string, 14> afterBurst = Readouts(f);

  // The same position set once on a freshly started window.
  coupledMoonBase = 0;
  animStep = 0;
  Form1& fresh = StartForm();
  fresh.HScroll1(2).SetValue(kStart + kPresses);
  EXPECT_EQ(Readouts(fresh), afterBurst);
  DestroyForm1();
}

}  // namespace
