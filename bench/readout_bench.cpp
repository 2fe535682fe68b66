// SPDX-License-Identifier: GPL-3.0-or-later
// The readout computation alone, from the model state to the numbers: target at most 1 µs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

#include "classroom/model/readout.h"
#include "classroom/view/readout_text.h"
#include "geometry/angles.h"

namespace {

// A representative state: the Moon a quarter turn past perigee on a tilted orbit, the Earth
// turned by 40°, a station at 49.2° N.
ReadoutInput SampleInput() {
  ReadoutInput in{};
  in.moonPos = {1200.0, 336000.0, 184000.0};
  in.moonVel = {-1018.7, 64.0, 35.0};
  const double g = 40 * kRadiansPerDegree;
  const double c = std::cos(g), s = std::sin(g);
  in.EarthRot.m[0][0] = c;
  in.EarthRot.m[0][1] = s;
  in.EarthRot.m[1][0] = -s;
  in.EarthRot.m[1][1] = c;
  in.EarthRot.m[2][2] = 1;
  const double w = 0.07292115855306615;
  in.EarthRotRate.m[0][0] = s * -w;
  in.EarthRotRate.m[0][1] = c * w;
  in.EarthRotRate.m[1][0] = c * -w;
  in.EarthRotRate.m[1][1] = s * -w;
  const double lat = 49.2 * kRadiansPerDegree;
  const double cl = std::cos(lat), sl = std::sin(lat);
  in.stationPos = {cl * kEarthRadius, 0, sl * kEarthRadius};
  in.stationFrame.m[0][0] = -sl;
  in.stationFrame.m[0][2] = cl;
  in.stationFrame.m[1][1] = 1;
  in.stationFrame.m[2][0] = cl;
  in.stationFrame.m[2][2] = sl;
  in.radialSpeed = 73.0;
  in.orbitVelX = -1018.7;
  in.orbitVelY = 73.0;
  return in;
}

void BM_ComputeReadout(benchmark::State& state) {
  ReadoutInput in = SampleInput();
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    Readout r = ComputeReadout(in);
    benchmark::DoNotOptimize(r);
    in.moonPos.x += 1e-9;  // a new state each time, as in an animation
  }
}
BENCHMARK(BM_ComputeReadout)->MinTime(0.5);

// Summarises each run in one line with its target.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      nanoseconds_ = run.GetAdjustedRealTime();  // in the run's time unit, ns by default
    }
  }
  double nanoseconds_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::printf("SUMMARY readout computation: %.1f ns a call (target at most 1000 ns) %s\n",
              reporter.nanoseconds_, reporter.nanoseconds_ <= 1000 ? "MET" : "MISSED");
  return 0;
}
