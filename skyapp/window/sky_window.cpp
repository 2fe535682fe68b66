// SPDX-License-Identifier: GPL-3.0-or-later
// The real Moon's window: the sky core's numbers laid out as Qt Widgets and a Qt Charts plot.
#include "skyapp/window/sky_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAreaSeries>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "sky/echo.h"
#include "sky/sight.h"
#include "skyapp/readout_text.h"
#include "skyapp/window/echo_panel.h"
#include "skyapp/window/station_input.h"
#include "skyapp/window/tracking_panel.h"

namespace skyapp {
namespace {

constexpr int kSecondsPerDay = 86'400;
// Speeds of the day's animation: simulated seconds per real second.
constexpr int kSpeeds[] = {60, 600, 3600};
constexpr int kPlayTickMs = 40;

// The station of a new user, as in the classroom window: 49.2° N on the prime meridian.
sky::Station DefaultStation() {
  return {49.2 * M_PI / 180, 0, 0};
}

sky::UtcInstant Now() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
  return {ms - ms % sky::kMsPerSecond};
}

QString Text(double value, int decimals, const char* unit) {
  return QString::fromStdString(Fixed(value, decimals)) + QString::fromUtf8(unit);
}

// A station read back from the settings, or nothing when it is missing or not valid there.
std::optional<sky::Station> StoredStation(QSettings& s, const QString& group, QString& locator) {
  s.beginGroup(group);
  const QString loc = s.value("locator").toString();
  bool okLat = false, okLon = false, okH = false;
  const double lat = s.value("latitude").toString().toDouble(&okLat);
  const double lon = s.value("longitude").toString().toDouble(&okLon);
  double h = s.value("height", "0").toString().toDouble(&okH);
  s.endGroup();
  if (!okH) h = 0;
  sky::Station st;
  std::string why;
  if (!loc.isEmpty() && sky::StationFromLocator(loc.toStdString(), h, st, why)) {
    locator = loc;
    return st;
  }
  locator.clear();
  if (okLat && okLon && sky::StationFromDegrees(lat, lon, h, st, why)) return st;
  return std::nullopt;
}

void StoreStation(QSettings& s, const QString& group, const std::optional<sky::Station>& st,
                  const QString& locator) {
  s.beginGroup(group);
  s.remove("");
  if (st) {
    s.setValue("locator", locator);
    s.setValue("latitude", QString::number(st->latitudeRad * 180 / M_PI, 'g', 17));
    s.setValue("longitude", QString::number(st->longitudeRad * 180 / M_PI, 'g', 17));
    s.setValue("height", QString::number(st->heightM, 'g', 17));
  }
  s.endGroup();
}

QLabel* ValueLabel(QWidget* parent, const QString& tip) {
  auto* l = new QLabel(parent);
  l->setToolTip(tip);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // A size fixed for the widest value, so that a new value never lays the window out
  // again: a refresh then repaints the labels and nothing else.
  l->setText("-0000000.000 Hz/min");
  l->setFixedSize(l->sizeHint());
  l->clear();
  return l;
}

}  // namespace

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

SkyWindow::SkyWindow(std::optional<sky::UtcInstant> startAt, QWidget* parent)
    : QMainWindow(parent) {
  setWindowTitle(tr("Vornak Sky - Real Moon Doppler"));
  auto* central = new QWidget(this);
  auto* grid = new QGridLayout(central);
  auto* controls = new QWidget(central);
  auto* right = new QWidget(central);
  BuildControls(controls);
  BuildReadouts(right);
  BuildChart();
  view_ = new DopplerView(chart_, right);
  auto* view = view_;
  view->setObjectName("dopplerPlot");
  view->setAccessibleName(tr("The day's Doppler shift and its shares"));
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(480, 300);
  right->layout()->addWidget(view);
  qobject_cast<QVBoxLayout*>(right->layout())->setStretch(1, 1);
  grid->addWidget(controls, 0, 0);
  grid->addWidget(right, 0, 1);
  grid->setColumnStretch(1, 1);
  setCentralWidget(central);
  setMinimumSize(900, 640);
  QMenu* file = menuBar()->addMenu(tr("&File"));
  QAction* quit = file->addAction(tr("&Quit"), this, &QWidget::close);
  quit->setShortcut(QKeySequence::Quit);

  clock_ = new QTimer(this);
  clock_->setInterval(200);  // the readouts move on as each new second begins
  connect(clock_, &QTimer::timeout, this, [this] {
    if (live_ && Now() != shown_) Refresh();
  });
  player_ = new QTimer(this);
  player_->setInterval(kPlayTickMs);
  connect(player_, &QTimer::timeout, this, &SkyWindow::Tick);

  LoadSettings();
  chosen_ = startAt.value_or(Now());
  setLive(!startAt);
  clock_->start();
  station_->locatorField()->setFocus();
  station_->locatorField()->selectAll();  // typing replaces the locator shown
}

SkyWindow::~SkyWindow() = default;

void SkyWindow::BuildControls(QWidget* panel) {
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  station_ = new StationInput(tr("Station"), "station", false, panel);
  dx_ = new StationInput(tr("DX station (optional)"), "dx", true, panel);
  column->addWidget(station_);
  column->addWidget(dx_);
  connect(station_, &StationInput::stationChanged, this, &SkyWindow::InputsChanged);
  connect(dx_, &StationInput::stationChanged, this, &SkyWindow::InputsChanged);

  auto* bandBox = new QGroupBox(tr("Band"), panel);
  auto* bandRow = new QHBoxLayout(bandBox);
  band_ = new QComboBox(bandBox);
  band_->setObjectName("band");
  band_->setAccessibleName(tr("Band"));
  for (const double mhz : kBandsMhz) band_->addItem(tr("%1 MHz").arg(mhz), mhz);
  band_->addItem(tr("Custom"), 0.0);
  band_->setToolTip(tr("The carrier frequency of the echo"));
  customBand_ = new QDoubleSpinBox(bandBox);
  customBand_->setObjectName("customBand");
  customBand_->setAccessibleName(tr("Custom frequency in MHz"));
  customBand_->setRange(0.001, 1e6);
  customBand_->setDecimals(3);
  customBand_->setSuffix(tr(" MHz"));
  customBand_->setValue(kDefaultBandMhz);
  customBand_->setEnabled(false);
  bandRow->addWidget(band_);
  bandRow->addWidget(customBand_, 1);
  column->addWidget(bandBox);
  connect(band_, &QComboBox::currentIndexChanged, this, [this] {
    customBand_->setEnabled(band_->currentData().toDouble() == 0);
    InputsChanged();
  });
  connect(customBand_, &QDoubleSpinBox::valueChanged, this, &SkyWindow::InputsChanged);
  model_ = new ModelBox(panel);
  column->addWidget(model_);
  connect(model_, &ModelBox::modelChanged, this, &SkyWindow::InputsChanged);

  auto* timeBox = new QGroupBox(tr("Time (UTC)"), panel);
  auto* timeGrid = new QGridLayout(timeBox);
  liveButton_ = new QRadioButton(tr("&Now (live)"), timeBox);
  chosenButton_ = new QRadioButton(tr("&Chosen:"), timeBox);
  liveButton_->setToolTip(tr("Follow the clock: the readouts refresh once a second"));
  dateTime_ = new QDateTimeEdit(timeBox);
  dateTime_->setObjectName("dateTime");
  dateTime_->setAccessibleName(tr("Chosen date and time, UTC"));
  dateTime_->setTimeSpec(Qt::UTC);
  dateTime_->setDisplayFormat("yyyy-MM-dd HH:mm:ss 'UTC'");
  dateTime_->setDateTimeRange(
      QDateTime::fromMSecsSinceEpoch(sky::kFirstAcceptedInstant.ms, Qt::UTC),
      QDateTime::fromMSecsSinceEpoch(sky::kLastAcceptedInstant.ms, Qt::UTC));
  dateTime_->setCalendarPopup(true);
  daySlider_ = new QSlider(Qt::Horizontal, timeBox);
  daySlider_->setObjectName("daySlider");
  daySlider_->setAccessibleName(tr("Time of day, UTC"));
  daySlider_->setToolTip(tr("Move through the chosen day, 00:00 to 24:00 UTC"));
  daySlider_->setRange(0, kSecondsPerDay);
  daySlider_->setSingleStep(60);
  daySlider_->setPageStep(3600);
  play_ = new QPushButton(tr("&Play"), timeBox);
  play_->setObjectName("play");
  play_->setCheckable(true);
  play_->setAccessibleName(tr("Play the day"));
  play_->setToolTip(tr("Run the chosen day forward"));
  speed_ = new QComboBox(timeBox);
  speed_->setObjectName("speed");
  speed_->setAccessibleName(tr("Speed"));
  speed_->addItem(tr("1 min per second"));
  speed_->addItem(tr("10 min per second"));
  speed_->addItem(tr("1 h per second"));
  speed_->setCurrentIndex(1);
  timeGrid->addWidget(liveButton_, 0, 0, 1, 2);
  timeGrid->addWidget(chosenButton_, 1, 0);
  timeGrid->addWidget(dateTime_, 1, 1);
  timeGrid->addWidget(daySlider_, 2, 0, 1, 2);
  timeGrid->addWidget(play_, 3, 0);
  timeGrid->addWidget(speed_, 3, 1);
  column->addWidget(timeBox);
  column->addWidget(new TrackingPanel(station_, dx_, panel));
  column->addStretch(1);

  connect(liveButton_, &QRadioButton::toggled, this, [this](bool on) { setLive(on); });
  connect(chosenButton_, &QRadioButton::clicked, this, [this] { setLive(false); });
  connect(dateTime_, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& dt) {
    setChosenInstant(sky::UtcInstant{dt.toMSecsSinceEpoch()});
  });
  connect(daySlider_, &QSlider::valueChanged, this, [this](int seconds) {
    setChosenInstant(sky::UtcInstant{sky::StartOfDay(shown_).ms + seconds * sky::kMsPerSecond});
  });
  connect(play_, &QPushButton::toggled, this, &SkyWindow::PlayToggled);

  // Keyboard order: the station, the DX station, the band, the time.
  QWidget* order[] = {station_->locatorField(),
                      station_->latitudeField(),
                      station_->longitudeField(),
                      station_->heightField(),
                      dx_->locatorField(),
                      dx_->latitudeField(),
                      dx_->longitudeField(),
                      dx_->heightField(),
                      band_,
                      customBand_,
                      liveButton_,
                      chosenButton_,
                      dateTime_,
                      daySlider_,
                      play_,
                      speed_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void SkyWindow::BuildReadouts(QWidget* panel) {
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  auto* box = new QGroupBox(tr("The Moon now"), panel);
  auto* g = new QGridLayout(box);
  int row = 0;
  const auto add = [&](const QString& name, QLabel* a, QLabel* b) {
    auto* caption = new QLabel(name, box);
    g->addWidget(caption, row, 0);
    // A readout's accessible name is its value; its description says what the value is.
    for (QLabel* value : {a, b}) {
      if (!value) continue;
      value->setAccessibleDescription(name);
      g->addWidget(value, row, value == a ? 1 : 2);
    }
    ++row;
  };
  const auto value = [&](const char* objectName, const QString& tip) {
    QLabel* l = ValueLabel(box, tip);
    l->setObjectName(objectName);
    return l;
  };
  r_.elevation = value("elevation", tr("Height of the Moon's centre above your horizon, "
                                       "without refraction"));
  r_.horizon = value("horizon", tr("Whether the Moon is above or below your horizon"));
  r_.horizon->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  r_.horizon->setText(tr("Moon below the horizon"));
  r_.horizon->setFixedWidth(r_.horizon->sizeHint().width() + 8);
  r_.azimuth = value("azimuth", tr("Compass direction of the Moon, from north through east"));
  r_.range = value("range", tr("Distance from your station to the Moon's centre"));
  r_.delay = value("delay", tr("Time your signal takes to the Moon and back"));
  const QString shareTip = tr("%1, in metres per second and as a shift of the echo in hertz");
  r_.radialMs = value("radialMs", shareTip.arg(tr("The Moon moving toward or away from the "
                                                  "Earth's centre")));
  r_.radialHz = value("radialHz", r_.radialMs->toolTip());
  r_.parallaxMs = value("parallaxMs", shareTip.arg(tr("The Moon moving across the sky, seen "
                                                      "from your place off the Earth's centre")));
  r_.parallaxHz = value("parallaxHz", r_.parallaxMs->toolTip());
  r_.rotationMs = value("rotationMs", shareTip.arg(tr("The Earth's rotation carrying your "
                                                      "station toward or away from the Moon")));
  r_.rotationHz = value("rotationHz", r_.rotationMs->toolTip());
  r_.rateMs = value("rangeRate", tr("How fast the distance to the Moon changes: the sum of the "
                                    "three shares (positive when it grows)"));
  r_.rateHz = value("echoShift", tr("The shift of your own echo at the chosen band: a growing "
                                    "distance lowers it"));
  r_.drift = value("drift", tr("How fast the echo's shift changes, in hertz per minute"));
  r_.dxElevation = value("dxElevation", tr("Height of the Moon above the DX station's horizon"));
  r_.dxShift = value("dxShift", tr("The shift of a signal the DX station sends that you hear "
                                   "off the Moon"));
  add(tr("Elevation"), r_.elevation, r_.horizon);
  add(tr("Azimuth"), r_.azimuth, nullptr);
  add(tr("Range"), r_.range, nullptr);
  add(tr("Echo delay"), r_.delay, nullptr);
  add(tr("Radial share"), r_.radialMs, r_.radialHz);
  add(tr("Parallax share"), r_.parallaxMs, r_.parallaxHz);
  add(tr("Rotation share"), r_.rotationMs, r_.rotationHz);
  add(tr("Range rate, echo shift"), r_.rateMs, r_.rateHz);
  add(tr("Doppler rate"), nullptr, r_.drift);
  add(tr("DX elevation, DX shift"), r_.dxElevation, r_.dxShift);
  g->setColumnStretch(3, 1);
  // The light-time figures, spread and budget beside the geometric readouts.
  auto* row2 = new QWidget(panel);
  auto* beside = new QHBoxLayout(row2);
  beside->setContentsMargins(0, 0, 0, 0);
  echo_ = new EchoReadouts(row2);
  beside->addWidget(box, 1);
  beside->addWidget(echo_);
  column->addWidget(row2);
}

void SkyWindow::BuildChart() {
  chart_ = new QChart();
  chart_->setTitle(tr("The echo's Doppler shift over the day"));
  auto* x = new QDateTimeAxis(chart_);
  x->setFormat("HH:mm");
  x->setTitleText(tr("Time (UTC)"));
  x->setTickCount(9);
  auto* y = new QValueAxis(chart_);
  y->setTitleText(tr("Shift (Hz)"));
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
  belowShade_ = shade(tr("Moon below your horizon"), QColor(120, 120, 120, 70));
  dxBelowShade_ = shade(tr("Moon below the DX horizon"), QColor(70, 110, 200, 50));
  mutualShade_ = shade(tr("Both see the Moon"), QColor(40, 170, 60, 55));

  const QString names[] = {tr("Echo shift"), tr("Radial share"), tr("Parallax share"),
                           tr("Rotation share"), tr("DX shift")};
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
}

double SkyWindow::bandHz() const {
  const double mhz = band_->currentData().toDouble();
  return (mhz > 0 ? mhz : customBand_->value()) * 1e6;
}

void SkyWindow::setLive(bool live) {
  live_ = live;
  {
    const QSignalBlocker a(liveButton_), b(chosenButton_);
    liveButton_->setChecked(live);
    chosenButton_->setChecked(!live);
  }
  if (live) play_->setChecked(false);
  if (!live && shown_.ms != 0) chosen_ = shown_;
  Refresh();
}

void SkyWindow::setChosenInstant(sky::UtcInstant t) {
  chosen_ = std::clamp(t, sky::kFirstAcceptedInstant, sky::kLastAcceptedInstant);
  if (live_) {
    live_ = false;
    const QSignalBlocker a(liveButton_), b(chosenButton_);
    liveButton_->setChecked(false);
    chosenButton_->setChecked(true);
  }
  Refresh();
}

void SkyWindow::InputsChanged() {
  plotStale_ = true;
  Refresh();
  SaveSettings();
}

void SkyWindow::SetReadout(QLabel* label, const QString& text) {
  if (label->text() == text) return;
  label->setText(text);
  label->setAccessibleName(text);
}

void SkyWindow::Refresh() {
  shown_ = live_ ? Now() : chosen_;
  // The clock could run past the years the Moon's series is trusted for.
  shown_ = std::clamp(shown_, sky::kFirstAcceptedInstant, sky::kLastAcceptedInstant);
  const sky::Station station = station_->station().value_or(DefaultStation());
  const sky::MoonAndEarth state = sky::MoonAndEarthAt(shown_, true, model_->model());
  const sky::Site site = sky::SiteOf(station);
  const sky::Sight s = sky::SightFrom(state, site);
  std::optional<sky::Site> dxSite;
  if (dx_->station()) dxSite = sky::SiteOf(*dx_->station());
  const sky::EchoShifts e = sky::EchoShiftsAt(state, site, dxSite ? &*dxSite : nullptr, bandHz());
  const double f = bandHz();
  const double hzPerMs = sky::SelfShiftHz(f, 1);
  SetReadout(r_.elevation, Text(s.elevationDeg, 3, "°"));
  SetReadout(r_.horizon,
             s.elevationDeg < 0 ? tr("Moon below the horizon") : tr("Moon above the horizon"));
  SetReadout(r_.azimuth, Text(AzimuthAsPrinted(s.azimuthDeg), 3, "°"));
  SetReadout(r_.range, Text(s.rangeKm, 3, " km"));
  SetReadout(r_.delay, Text(s.echoDelayS, 6, " s"));
  SetReadout(r_.radialMs, Text(s.radialMs, 3, " m/s"));
  SetReadout(r_.parallaxMs, Text(s.parallaxMs, 3, " m/s"));
  SetReadout(r_.rotationMs, Text(s.rotationMs, 3, " m/s"));
  SetReadout(r_.rateMs, Text(s.rangeRateMs, 3, " m/s"));
  SetReadout(r_.radialHz, Text(hzPerMs * s.radialMs, 1, " Hz"));
  SetReadout(r_.parallaxHz, Text(hzPerMs * s.parallaxMs, 1, " Hz"));
  SetReadout(r_.rotationHz, Text(hzPerMs * s.rotationMs, 1, " Hz"));
  SetReadout(r_.rateHz, Text(e.selfHz, 1, " Hz"));
  SetReadout(r_.drift, Text(e.selfRateHzPerMin, 2, " Hz/min"));
  const sky::Budget budget = sky::BudgetAt(state, site, s, e, UncertaintyOf(*station_, station), f);
  echo_->Show(e, dxSite.has_value(), sky::SpreadHz(state, site, f), budget);
  model_->showMoonUsed(state.moonTheory);
  if (dxSite) {
    const sky::Sight d = sky::SightFrom(state, *dxSite);
    SetReadout(r_.dxElevation, Text(d.elevationDeg, 3, "°"));
    SetReadout(r_.dxShift, Text(e.dxHz, 1, " Hz"));
  } else {
    SetReadout(r_.dxElevation, tr("no DX station"));
    SetReadout(r_.dxShift, QStringLiteral("-"));
  }

  {
    const QSignalBlocker a(dateTime_), b(daySlider_);
    dateTime_->setDateTime(QDateTime::fromMSecsSinceEpoch(shown_.ms, Qt::UTC));
    daySlider_->setValue(
        static_cast<int>((shown_.ms - sky::StartOfDay(shown_).ms) / sky::kMsPerSecond));
  }
  if (plotStale_ || sky::StartOfDay(shown_) != curves_.start) Replot();
  MoveCursor();
}

void SkyWindow::Replot() {
  plotStale_ = false;
  const sky::Station station = station_->station().value_or(DefaultStation());
  std::optional<sky::Site> dxSite;
  if (dx_->station()) dxSite = sky::SiteOf(*dx_->station());
  curves_ = sky::ComputeDay(shown_, sky::SiteOf(station), dxSite, bandHz(), model_->model());

  const std::vector<double>* values[] = {&curves_.selfHz, &curves_.radialHz, &curves_.parallaxHz,
                                         &curves_.rotationHz, &curves_.dxHz};
  double lo = 0, hi = 0;
  for (int i = 0; i < 5; ++i) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(values[i]->size()));
    for (std::size_t m = 0; m < values[i]->size(); ++m) {
      const double v = (*values[i])[m];
      points.append(QPointF(static_cast<double>(curves_.start.ms + m * 60'000), v));
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    series_[i]->replace(points);
  }
  series_[4]->setVisible(!curves_.dxHz.empty());
  const auto markers = chart_->legend()->markers(series_[4]);
  for (QLegendMarker* m : markers) m->setVisible(!curves_.dxHz.empty());

  auto* x = qobject_cast<QDateTimeAxis*>(chart_->axes(Qt::Horizontal).front());
  auto* y = qobject_cast<QValueAxis*>(chart_->axes(Qt::Vertical).front());
  x->setRange(QDateTime::fromMSecsSinceEpoch(curves_.start.ms, Qt::UTC),
              QDateTime::fromMSecsSinceEpoch(curves_.start.ms + sky::kMsPerDay, Qt::UTC));
  const double margin = std::max(1.0, 0.05 * (hi - lo));
  y->setRange(lo - margin, hi + margin);
  y->applyNiceNumbers();
  yMin_ = y->min();
  yMax_ = y->max();

  // Each shade rises to the top of the plot over its intervals and lies flat between them.
  const auto fill = [&](QAreaSeries* area, const std::vector<sky::Interval>& intervals) {
    QList<QPointF> upper, lower;
    const double start = static_cast<double>(curves_.start.ms);
    const double end = start + static_cast<double>(sky::kMsPerDay);
    upper.append({start, yMin_});
    for (const sky::Interval& i : intervals) {
      const double a = static_cast<double>(i.from.ms), b = static_cast<double>(i.to.ms);
      upper.append({a, yMin_});
      upper.append({a, yMax_});
      upper.append({b, yMax_});
      upper.append({b, yMin_});
    }
    upper.append({end, yMin_});
    lower.append({start, yMin_});
    lower.append({end, yMin_});
    area->upperSeries()->replace(upper);
    area->lowerSeries()->replace(lower);
  };
  fill(belowShade_, curves_.belowHorizon);
  fill(dxBelowShade_, curves_.dxBelowHorizon);
  fill(mutualShade_, curves_.mutualWindows);
  for (QAreaSeries* area : {dxBelowShade_, mutualShade_}) {
    area->setVisible(!curves_.dxHz.empty());
    for (QLegendMarker* m : chart_->legend()->markers(area)) m->setVisible(!curves_.dxHz.empty());
  }
}

void SkyWindow::MoveCursor() {
  view_->setCursor(static_cast<double>(shown_.ms), series_[0]);
}

void SkyWindow::Tick() {
  const std::int64_t step = kSpeeds[speed_->currentIndex()] * kPlayTickMs;
  const sky::UtcInstant end{sky::StartOfDay(shown_).ms + sky::kMsPerDay};
  const sky::UtcInstant next{std::min(shown_.ms + step, end.ms - sky::kMsPerSecond)};
  setChosenInstant(next);
  if (next.ms >= end.ms - sky::kMsPerSecond) play_->setChecked(false);
}

void SkyWindow::PlayToggled(bool playing) {
  play_->setText(playing ? tr("&Pause") : tr("&Play"));
  play_->setAccessibleName(playing ? tr("Pause the day") : tr("Play the day"));
  if (!playing) {
    player_->stop();
    return;
  }
  if (live_) setChosenInstant(shown_);
  // From the end of the day, play starts again at its beginning.
  if (shown_.ms - sky::StartOfDay(shown_).ms >= sky::kMsPerDay - sky::kMsPerSecond) {
    setChosenInstant(sky::StartOfDay(shown_));
  }
  player_->start();
}

void SkyWindow::LoadSettings() {
  QSettings settings;
  std::optional<sky::Station> station, dx;
  QString stationLocator, dxLocator;
  double bandMhz = kDefaultBandMhz;
  QByteArray geometry;
  // A file that cannot be read or parsed gives the defaults, whatever it held.
  if (settings.status() == QSettings::NoError) {
    station = StoredStation(settings, "station", stationLocator);
    dx = StoredStation(settings, "dx", dxLocator);
    bool ok = false;
    const double mhz = settings.value("band/mhz").toString().toDouble(&ok);
    if (ok && mhz > 0 && mhz <= 1e6) bandMhz = mhz;
    geometry = settings.value("window/geometry").toByteArray();
    model_->Load(settings);
  }
  station_->setStation(station.value_or(DefaultStation()), stationLocator);
  dx_->setStation(dx, dxLocator);
  const int index = band_->findData(bandMhz);
  const QSignalBlocker a(band_), b(customBand_);
  if (index >= 0) {
    band_->setCurrentIndex(index);
  } else {
    band_->setCurrentIndex(band_->count() - 1);
    customBand_->setValue(bandMhz);
  }
  customBand_->setEnabled(band_->currentData().toDouble() == 0);
  if (geometry.isEmpty() || !restoreGeometry(geometry)) resize(1280, 800);
}

void SkyWindow::SaveSettings() {
  QSettings settings;
  StoreStation(settings, "station", station_->station(), station_->typedLocator());
  StoreStation(settings, "dx", dx_->station(), dx_->typedLocator());
  settings.setValue("band/mhz", bandHz() / 1e6);
  model_->Save(settings);
  settings.setValue("window/geometry", saveGeometry());
}

void SkyWindow::closeEvent(QCloseEvent* event) {
  SaveSettings();
  QSettings().sync();
  QMainWindow::closeEvent(event);
}

int RunSkyWindow(int argc, char** argv, std::optional<sky::UtcInstant> startAt) {
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName("Vornak");
  QCoreApplication::setApplicationName("vornak-sky");
  QGuiApplication::setDesktopFileName("vornak-sky");
  SkyWindow window(startAt);
  window.show();
  return app.exec();
}

}  // namespace skyapp
