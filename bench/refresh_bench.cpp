// One full RefreshView(1) on the started window offscreen, against the floor of any redraw
// that restores the backgrounds: one plain copy of the three surfaces' background images.
#include <QApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/form/form1.h"
#include "app/startup.h"
#include "app/toolkit/application.h"
#include "app/toolkit/native.h"
#include "bench/window_session.h"
#include "view/model_setters.h"
#include "view/refresh_view.h"

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

  std::printf("SUMMARY RefreshView(1): median %.1f us (target at most 1000 us) %s\n", refresh,
              refresh <= 1000 ? "MET" : "MISSED");
  std::printf("SUMMARY RefreshView(1) and the window's repaint: median %.1f us\n", withPaint);
  std::printf("SUMMARY background copy floor: median %.1f us; ratio %.2f (target at most 5) %s\n",
              floor, refresh / floor, refresh / floor <= 5 ? "MET" : "MISSED");
  DestroyForm1();
  return 0;
}
