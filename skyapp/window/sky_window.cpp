// SPDX-License-Identifier: GPL-3.0-or-later
// The real Moon's window: the sky core's numbers laid out as Qt Widgets and a Qt Charts plot.
#include "skyapp/window/sky_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "sky/echo.h"
#include "sky/sight.h"
#include "skyapp/core/day_plot.h"
#include "skyapp/core/readouts.h"
#include "skyapp/core/station_text.h"
#include "skyapp/window/day_chart.h"
#include "skyapp/window/echo_panel.h"
#include "skyapp/window/station_input.h"
#include "skyapp/window/tracking_panel.h"

namespace skyapp {
namespace {

constexpr int kSecondsPerDay = 86'400;

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

QString Readout(const Figures& figures, Figure f) {
  return QString::fromStdString(ReadoutText(figures, f));
}

std::string Stored(QSettings& s, const char* key) {
  return s.value(key).toString().toStdString();
}

// A station read back from the settings, or nothing when it is missing or not valid there.
std::optional<sky::Station> LoadStation(QSettings& s, const QString& group, QString& locator) {
  s.beginGroup(group);
  std::string loc;
  const std::optional<sky::Station> st =
      StoredStation(Stored(s, "locator"), Stored(s, "latitude"), Stored(s, "longitude"),
                    Stored(s, "height"), loc);
  s.endGroup();
  locator = QString::fromStdString(loc);
  return st;
}

void SaveStation(QSettings& s, const QString& group, const std::optional<sky::Station>& st,
                 const QString& locator) {
  s.beginGroup(group);
  s.remove("");
  if (st) {
    s.setValue("locator", locator);
    s.setValue("latitude", QString::fromStdString(NumberToStore(st->latitudeRad * 180 / M_PI)));
    s.setValue("longitude", QString::fromStdString(NumberToStore(st->longitudeRad * 180 / M_PI)));
    s.setValue("height", QString::fromStdString(NumberToStore(st->heightM)));
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

SkyWindow::SkyWindow(std::optional<sky::UtcInstant> startAt, QWidget* parent)
    : QMainWindow(parent) {
  setWindowTitle(tr("Vornak Sky - Real Moon Doppler"));
  auto* central = new QWidget(this);
  auto* grid = new QGridLayout(central);
  auto* controls = new QWidget(central);
  auto* right = new QWidget(central);
  BuildControls(controls);
  BuildReadouts(right);
  chart_ = std::make_unique<DayChart>(right);
  right->layout()->addWidget(chart_->view());
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
    if (live_ && ShownInstant(true, chosen_, NowMs()) != shown_) Refresh();
  });
  player_ = new QTimer(this);
  player_->setInterval(kPlayTickMs);
  connect(player_, &QTimer::timeout, this, &SkyWindow::Tick);

  LoadSettings();
  chosen_ = startAt.value_or(ShownInstant(true, {}, NowMs()));
  setLive(!startAt);
  clock_->start();
  station_->locatorField()->setFocus();
  station_->locatorField()->selectAll();  // typing replaces the locator shown
}

SkyWindow::~SkyWindow() = default;

QChart* SkyWindow::chart() const {
  return chart_->chart();
}

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
  customBand_->setRange(kMinBandMhz, kMaxBandMhz);
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
  column->addWidget(new TrackingPanel(station_, dx_, model_, panel));
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
  shown_ = ShownInstant(live_, chosen_, NowMs());
  const sky::Station station = station_->station().value_or(DefaultStation());
  const sky::MoonAndEarth state = sky::MoonAndEarthAt(shown_, true, model_->model());
  const sky::Site site = sky::SiteOf(station);
  std::optional<sky::Site> dxSite;
  if (dx_->station()) dxSite = sky::SiteOf(*dx_->station());
  const Figures f = FiguresAt(state, site, dxSite ? &*dxSite : nullptr, bandHz(),
                              UncertaintyOf(*station_, station));
  const std::pair<QLabel*, Figure> shown[] = {{r_.elevation, Figure::kElevationDeg},
                                              {r_.azimuth, Figure::kAzimuthDeg},
                                              {r_.range, Figure::kRangeKm},
                                              {r_.delay, Figure::kEchoDelayS},
                                              {r_.radialMs, Figure::kRadialMs},
                                              {r_.parallaxMs, Figure::kParallaxMs},
                                              {r_.rotationMs, Figure::kRotationMs},
                                              {r_.rateMs, Figure::kRangeRateMs},
                                              {r_.radialHz, Figure::kRadialHz},
                                              {r_.parallaxHz, Figure::kParallaxHz},
                                              {r_.rotationHz, Figure::kRotationHz},
                                              {r_.rateHz, Figure::kSelfHz},
                                              {r_.drift, Figure::kDriftHzPerMin},
                                              {r_.dxElevation, Figure::kDxElevationDeg},
                                              {r_.dxShift, Figure::kDxHz}};
  for (const auto& [label, figure] : shown) SetReadout(label, Readout(f, figure));
  SetReadout(r_.horizon, QString::fromStdString(HorizonText(f[Figure::kElevationDeg])));
  echo_->Show(f);
  model_->showMoonUsed(state.moonTheory);

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

  chart_->Show(curves_);
}

void SkyWindow::MoveCursor() {
  chart_->SetCursor(shown_);
}

void SkyWindow::Tick() {
  const PlayStep step = NextPlayStep(shown_, static_cast<std::size_t>(speed_->currentIndex()));
  setChosenInstant(step.next);
  if (step.last) play_->setChecked(false);
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
  if (const sky::UtcInstant start = PlayStart(shown_); start != shown_) setChosenInstant(start);
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
    station = LoadStation(settings, "station", stationLocator);
    dx = LoadStation(settings, "dx", dxLocator);
    bandMhz = StoredBandMhz(Stored(settings, "band/mhz"));
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
  SaveStation(settings, "station", station_->station(), station_->typedLocator());
  SaveStation(settings, "dx", dx_->station(), dx_->typedLocator());
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
