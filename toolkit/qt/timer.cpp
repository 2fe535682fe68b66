// SPDX-License-Identifier: GPL-3.0-or-later
// Timer: ticks every Interval milliseconds while enabled.
#include "toolkit/controls.h"

#include <QTimer>

#include "toolkit/application.h"
#include "toolkit/fp_traps.h"
#include "toolkit/qt/native.h"

namespace toolkit {

struct Timer::Impl {
  QTimer timer;
};

Timer::Timer(bool enabled, int intervalMs)
    : enabled_(enabled), interval_(intervalMs), impl_(std::make_unique<Impl>()) {
  const ToolkitFpScope fp;
  impl_->timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&impl_->timer, &QTimer::timeout, &impl_->timer, [this] {
    const ProgramFpScope program;
    if (onTimer && !Quitting()) onTimer();
  });
  Update();
}

Timer::~Timer() {
  const ToolkitFpScope fp;
  impl_->timer.stop();
}

void Timer::SetEnabled(bool enabled) {
  const ToolkitFpScope fp;
  enabled_ = enabled;
  Update();
}

void Timer::SetInterval(int ms) {
  const ToolkitFpScope fp;
  interval_ = ms;
  Update();
}

bool Timer::Ticking() const {
  return impl_->timer.isActive();
}

void Timer::Update() {
  if (enabled_ && interval_ > 0) {
    if (!impl_->timer.isActive() || impl_->timer.interval() != interval_) {
      impl_->timer.start(interval_);
    }
  } else {
    impl_->timer.stop();
  }
}

}  // namespace toolkit
