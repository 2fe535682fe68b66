// SPDX-License-Identifier: GPL-3.0-or-later
// The day's plot of the vornak-sky window: the echo's shift, its three shares and the DX
// shift against UTC, the intervals shaded, and a cursor at the time shown, on Qt Charts.
#pragma once

#include "sky/day.h"
#include "sky/time.h"

class QAreaSeries;
class QChart;
class QChartView;
class QLineSeries;
class QWidget;

namespace skyapp {

class DopplerView;

class DayChart {
 public:
  // The chart and its view, a child of `parent` (which owns it).
  explicit DayChart(QWidget* parent);

  [[nodiscard]] QChart* chart() const { return chart_; }
  [[nodiscard]] QChartView* view() const;
  // Draws a day's curves and its shades, and says them in words for assistive technology.
  void Show(const sky::DayCurves& curves);
  // Moves the cursor to `t`, repainting only the strips it leaves and reaches.
  void SetCursor(sky::UtcInstant t);

 private:
  QChart* chart_;
  QLineSeries* series_[5] = {};  // echo shift, radial, parallax, rotation, DX shift
  QAreaSeries* belowShade_;
  QAreaSeries* dxBelowShade_;
  QAreaSeries* mutualShade_;
  DopplerView* view_;
  double yMin_ = -1, yMax_ = 1;  // the shift axis' span after its nice numbers (Hz)
};

}  // namespace skyapp
