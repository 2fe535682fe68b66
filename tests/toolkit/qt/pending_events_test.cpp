// SPDX-License-Identifier: GPL-3.0-or-later
// Key presses waiting in the queue while a handler's DoEvents runs: the handler must read the
// slider's position after they ran. Real input, so it reaches the widgets themselves.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>

#include "classroom/model/station.h"
#include "tests/classroom/interaction/started_window.h"
#include "toolkit/qt/native.h"

namespace {

using PendingEvents = StartedWindow;

TEST_F(PendingEvents, NodeLinePositionIsReadAfterThem) {
  // A key press waiting in the queue takes the node-line slider to its right end while the
  // handler's DoEvents runs; the readout must be that of the end, not of the value set.
  QCoreApplication::postEvent(toolkit::NativeWidget(f->HScroll1(3)),
                              new QKeyEvent(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier));
  f->HScroll1(3).SetValue(100);
  EXPECT_EQ(f->HScroll1(3).Value(), 32767);
  EXPECT_EQ(f->Label1(0).Caption(), " 360.000° ");
}

TEST_F(PendingEvents, StationPositionIsReadAfterThem) {
  QCoreApplication::postEvent(toolkit::NativeWidget(f->HScroll2(1)),
                              new QKeyEvent(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier));
  f->HScroll2(1).SetValue(100);
  EXPECT_EQ(f->Label9(1).Caption(), " 360.0° ");
  EXPECT_NEAR(stationCosLon, 1, 1e-12);
}

}  // namespace
