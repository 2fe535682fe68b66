// SPDX-License-Identifier: GPL-3.0-or-later
// The day's plot: Qt Charts' series filled from the day's curves and the shared shades.
#include "skyapp/window/day_chart.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPaintEvent>
#include <QValueAxis>

#include "skyapp/core/day_plot.h"

namespace skyapp {

// The plot, with the cursor at the shown time drawn over it. The chart is rendered once into
// a picture each time it changes; moving the cursor then repaints two thin strips from that
// picture, so that a live refresh does not draw the day's curves again.
class DopplerView : public QChartView {
 public:
  DopplerView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    connect(scene(), &QGraphicsScene::changed, this, [this] {
      stale_ = true;
      viewport()->update();
    });
  }

  // The cursor at `ms` (UTC, ms since 1970), mapped through the axes of `series`.
  void setCursor(double ms, QAbstractSeries* series) {
    series_ = series;
    const QRect before = Strip();
    ms_ = ms;
    viewport()->update(before);
    viewport()->update(Strip());
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    const qreal dpr = viewport()->devicePixelRatioF();
    const QSize pixels = viewport()->size() * dpr;
    if (stale_ || picture_.size() != pixels) {
      picture_ = QPixmap(pixels);
      picture_.setDevicePixelRatio(dpr);
      picture_.fill(palette().color(QPalette::Base));
      QPainter p(&picture_);
      p.setRenderHints(renderHints());
      render(&p, QRectF(QPointF(0, 0), viewport()->size()), viewport()->rect());
      stale_ = false;
    }
    QPainter painter(viewport());
    const QRect r = event->rect();
    painter.drawPixmap(r, picture_, QRectF(r.topLeft() * dpr, r.size() * dpr).toAlignedRect());
    const QLineF line = ViewLine();
    if (line.isNull()) return;
    QPen pen(QColor(200, 0, 0));
    pen.setWidthF(1.2);
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.drawLine(line);
  }

 private:
  // The cursor's line in viewport coordinates, from the bottom to the top of the plot area.
  QLineF ViewLine() const {
    if (!series_ || !chart()) return {};
    const QRectF area = chart()->plotArea();
    const double x = chart()->mapToPosition(QPointF(ms_, 0), series_).x();
    if (x < area.left() || x > area.right()) return {};
    return QLineF(mapFromScene(QPointF(x, area.top())), mapFromScene(QPointF(x, area.bottom())));
  }
  QRect Strip() const {
    const QLineF line = ViewLine();
    if (line.isNull()) return {};
    return QRectF(line.x1() - 3, line.y1() - 1, 6, line.y2() - line.y1() + 2).toAlignedRect();
  }

  QPixmap picture_;
  bool stale_ = true;
  double ms_ = 0;
  QAbstractSeries* series_ = nullptr;
};

DayChart::DayChart(QWidget* parent) {
  chart_ = new QChart();
  chart_->setTitle(QObject::tr("The echo's Doppler shift over the day"));
  auto* x = new QDateTimeAxis(chart_);
  x->setFormat("HH:mm");
  x->setTitleText(QObject::tr("Time (UTC)"));
  x->setTickCount(9);
  auto* y = new QValueAxis(chart_);
  y->setTitleText(QObject::tr("Shift (Hz)"));
  y->setLabelFormat("%.0f");
  chart_->addAxis(x, Qt::AlignBottom);
  chart_->addAxis(y, Qt::AlignLeft);

  // The shades first, so that the curves are drawn over them.
  const auto shade = [&](const QString& name, QColor colour) {
    auto* area = new QAreaSeries(new QLineSeries(chart_), new QLineSeries(chart_));
    area->setName(name);
    area->setPen(Qt::NoPen);
    area->setBrush(colour);
    chart_->addSeries(area);
    area->attachAxis(x);
    area->attachAxis(y);
    return area;
  };
  belowShade_ = shade(QObject::tr("Moon below your horizon"), QColor(120, 120, 120, 70));
  dxBelowShade_ = shade(QObject::tr("Moon below the DX horizon"), QColor(70, 110, 200, 50));
  mutualShade_ = shade(QObject::tr("Both see the Moon"), QColor(40, 170, 60, 55));

  const QString names[] = {QObject::tr("Echo shift"), QObject::tr("Radial share"),
                           QObject::tr("Parallax share"), QObject::tr("Rotation share"),
                           QObject::tr("DX shift")};
  const QColor colours[] = {QColor(20, 20, 20), QColor(0, 140, 70), QColor(200, 120, 0),
                            QColor(30, 90, 200), QColor(190, 30, 140)};
  for (int i = 0; i < 5; ++i) {
    series_[i] = new QLineSeries(chart_);
    series_[i]->setName(names[i]);
    QPen pen(colours[i]);
    pen.setWidthF(i == 0 ? 2.2 : 1.4);
    series_[i]->setPen(pen);
    chart_->addSeries(series_[i]);
    series_[i]->attachAxis(x);
    series_[i]->attachAxis(y);
  }
  chart_->legend()->setAlignment(Qt::AlignBottom);
  view_ = new DopplerView(chart_, parent);
  view_->setObjectName("dopplerPlot");
  view_->setAccessibleName(QObject::QObject::tr("The day's Doppler shift and its shares"));
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(480, 300);
}

QChartView* DayChart::view() const {
  return view_;
}

void DayChart::Show(const sky::DayCurves& c) {
  const std::vector<double>* values[] = {&c.selfHz, &c.radialHz, &c.parallaxHz, &c.rotationHz,
                                         &c.dxHz};
  for (int i = 0; i < 5; ++i) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(values[i]->size()));
    for (std::size_t m = 0; m < values[i]->size(); ++m) {
      points.append(QPointF(static_cast<double>(c.start.ms + m * 60'000), (*values[i])[m]));
    }
    series_[i]->replace(points);
  }
  series_[4]->setVisible(!c.dxHz.empty());
  const auto markers = chart_->legend()->markers(series_[4]);
  for (QLegendMarker* m : markers) m->setVisible(!c.dxHz.empty());

  auto* x = qobject_cast<QDateTimeAxis*>(chart_->axes(Qt::Horizontal).front());
  auto* y = qobject_cast<QValueAxis*>(chart_->axes(Qt::Vertical).front());
  x->setRange(QDateTime::fromMSecsSinceEpoch(c.start.ms, Qt::UTC),
              QDateTime::fromMSecsSinceEpoch(c.start.ms + sky::kMsPerDay, Qt::UTC));
  const ShiftRange range = CurvesRange(c);
  y->setRange(range.lowHz, range.highHz);
  y->applyNiceNumbers();
  yMin_ = y->min();
  yMax_ = y->max();

  // Each shade rises to the top of the plot over its intervals and lies flat between them.
  const auto fill = [&](QAreaSeries* area, const std::vector<sky::Interval>& intervals) {
    QList<QPointF> upper, lower;
    for (const PlotPoint& p : ShadeOutline(intervals, c.start, yMin_, yMax_)) {
      upper.append({p.ms, p.hz});
    }
    lower.append({upper.front().x(), yMin_});
    lower.append({upper.back().x(), yMin_});
    area->upperSeries()->replace(upper);
    area->lowerSeries()->replace(lower);
  };
  fill(belowShade_, c.belowHorizon);
  fill(dxBelowShade_, c.dxBelowHorizon);
  fill(mutualShade_, c.mutualWindows);
  for (QAreaSeries* area : {dxBelowShade_, mutualShade_}) {
    area->setVisible(!c.dxHz.empty());
    for (QLegendMarker* m : chart_->legend()->markers(area)) m->setVisible(!c.dxHz.empty());
  }
  view_->setAccessibleDescription(QString::fromStdString(DescribeDay(c)));
}

void DayChart::SetCursor(sky::UtcInstant t) {
  view_->setCursor(static_cast<double>(t.ms), series_[0]);
}

}  // namespace skyapp
