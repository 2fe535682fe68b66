// SPDX-License-Identifier: GPL-3.0-or-later
// One full RefreshView(1) on the started window offscreen, against the floor of any redraw
// that restores the backgrounds: one plain copy of the three surfaces' background images.
// Then RefreshView(1) over a sequence of animation states, the scene moving as it does when
// animated, drawn whole (the first way) and by tiles in turn.
#include <QApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/window_session.h"
#include "classroom/app/startup.h"
#include "classroom/form/form1.h"
#include "classroom/model/constants.h"
#include "classroom/model/earth.h"
#include "classroom/view/model_setters.h"
#include "classroom/view/refresh_view.h"
#include "geometry/angles.h"
#include "toolkit/application.h"
#include "toolkit/picture_box.h"
#include "toolkit/qt/backend.h"
#include "toolkit/qt/native.h"

namespace {

using Clock = std::chrono::steady_clock;

double MedianMicroseconds(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

template <typename F>
std::vector<double> Time(int count, F&& f) {
  std::vector<double> samples;
  samples.reserve(count);
  for (int i = 0; i < count; ++i) {
    const auto start = Clock::now();
    f();
    samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  toolkit::Application app(argc, argv);
  StartProgram();
  QApplication::processEvents();

  // The count can be lowered for a run under a profiler.
  const char* countText = std::getenv("VORNAK_BENCH_COUNT");
  const int kCount = countText != nullptr ? std::max(1, std::atoi(countText)) : 3000;
  const int kWarmUp = std::max(1, kCount / 10);
  Time(kWarmUp, [] { RefreshView(RefreshMode::EarthTurning); });
  std::vector<double> samples;
  std::vector<double> painted;
  for (int i = 0; i < kCount; ++i) {
    const auto start = Clock::now();
    RefreshView(RefreshMode::EarthTurning);
    const auto drawn = Clock::now();
    // The window paints what the update changed, as it would on screen.
    QApplication::processEvents();
    samples.push_back(std::chrono::duration<double, std::micro>(drawn - start).count());
    painted.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  const double refresh = MedianMicroseconds(samples);
  const double withPaint = MedianMicroseconds(painted);

  const QImage backgrounds[] = {toolkit::ImageOf(nodeLinePicture),
                                toolkit::ImageOf(form1().picture2Background),
                                toolkit::ImageOf(form1().picture3Background)};
  const double floor = MedianMicroseconds(Time(kCount, [&] {
    for (const QImage& image : backgrounds) {
      QImage copy = image.copy();
      asm volatile("" : : "r"(copy.constBits()) : "memory");
    }
  }));

  // The animation's states at its slowest speed, 0.2 degrees of Earth rotation a tick, each
  // set before its update is timed; both paths see the same states.
  const auto sequence = [&](bool drawnWhole) {
    toolkit::SetWholeUpdates(drawnWhole);
    RefreshView(RefreshMode::EarthTurning);
    QApplication::processEvents();
    std::vector<double> alone, withRepaint;
    double clock = 0;
    for (int i = 0; i < kCount; ++i) {
      clock += 0.2;
      SetSiderealAngle(FloatMod(clock, 360) * kRadiansPerDegree);
      MoveMoon(FloatMod(clock / kEarthTurnsPerMoonTurn, 360) * kRadiansPerDegree, 0);
      const auto start = Clock::now();
      RefreshView(RefreshMode::EarthTurning);
      const auto drawn = Clock::now();
      QApplication::processEvents();
      alone.push_back(std::chrono::duration<double, std::micro>(drawn - start).count());
      withRepaint.push_back(
          std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    return std::make_pair(MedianMicroseconds(alone), MedianMicroseconds(withRepaint));
  };
  const auto whole = sequence(true);
  const auto tiles = sequence(false);

  std::printf("SUMMARY RefreshView(1): median %.1f us (target at most 1000 us) %s\n", refresh,
              refresh <= 1000 ? "MET" : "MISSED");
  std::printf("SUMMARY RefreshView(1) and the window's repaint: median %.1f us\n", withPaint);
  std::printf("SUMMARY background copy floor: median %.1f us; ratio %.2f (target at most 5) %s\n",
              floor, refresh / floor, refresh / floor <= 5 ? "MET" : "MISSED");
  std::printf(
      "SUMMARY RefreshView(1) over animation states, whole: median %.1f us, with the "
      "window's repaint %.1f us\n",
      whole.first, whole.second);
  std::printf(
      "SUMMARY RefreshView(1) over animation states, tiles: median %.1f us, with the window's "
      "repaint %.1f us; ratio to whole %.2f (target at most 0.5) %s\n",
      tiles.first, tiles.second, tiles.first / whole.first,
      tiles.first <= 0.5 * whole.first ? "MET" : "MISSED");
  DestroyForm1();
  return 0;
}
