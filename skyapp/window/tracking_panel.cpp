// SPDX-License-Identifier: GPL-3.0-or-later
// The tracking panel: its fields, the tracking thread and the status it shows.
#include "skyapp/window/tracking_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>
#include <memory>

#include "skyapp/track/hamlib_link.h"
#include "skyapp/window/echo_panel.h"
#include "skyapp/window/station_input.h"

namespace skyapp {
namespace {

using track::Mode;

// How often the status line looks at the tracking's last tick (ms).
constexpr int kPollMs = 250;

QString Mhz(const std::optional<double>& hz) {
  return hz ? QString::number(*hz / 1e6, 'f', 6) : QStringLiteral("-");
}

QDoubleSpinBox* Spin(QWidget* parent, const char* name, double lo, double hi, int decimals,
                     double value, const QString& suffix) {
  auto* s = new QDoubleSpinBox(parent);
  s->setObjectName(name);
  s->setRange(lo, hi);
  s->setDecimals(decimals);
  s->setValue(value);
  s->setSuffix(suffix);
  return s;
}

QSpinBox* WholeSpin(QWidget* parent, const char* name, int hi, const QString& none) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(name);
  s->setRange(0, hi);
  s->setSpecialValueText(none);
  return s;
}

}  // namespace

TrackingPanel::TrackingPanel(StationInput* station, StationInput* dx, const ModelBox* model,
                             QWidget* parent)
    : QGroupBox(tr("Tracking"), parent), station_(station), dx_(dx), model_(model) {
  auto* grid = new QGridLayout(this);
  mode_ = new QComboBox(this);
  mode_->setObjectName("trackMode");
  mode_->setAccessibleName(tr("Doppler tracking mode"));
  mode_->addItem(tr("Own echo"), static_cast<int>(Mode::kOwnEcho));
  mode_->addItem(tr("On the Moon"), static_cast<int>(Mode::kMoon));
  mode_->addItem(tr("To the DX station"), static_cast<int>(Mode::kDx));
  mode_->addItem(tr("No correction"), static_cast<int>(Mode::kNone));
  mode_->setToolTip(
      tr("Own echo: transmit on the sked frequency, receive your echo. On the Moon: both "
         "stations meet on the sked frequency at the Moon. To the DX station: the DX "
         "station hears the sked frequency."));
  sked_ = Spin(this, "skedMhz", 0.001, 1e6, 6, 10368.1, tr(" MHz"));
  sked_->setAccessibleName(tr("Sked frequency in MHz"));
  start_ = new QPushButton(tr("Start"), this);
  start_->setObjectName("trackStart");
  settings_ = new QPushButton(tr("Radio and rotator..."), this);
  settings_->setObjectName("trackSettings");
  status_ = new QLabel(tr("Not tracking."), this);
  status_->setObjectName("trackStatus");
  status_->setWordWrap(true);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(new QLabel(tr("Mode"), this), 0, 0);
  grid->addWidget(mode_, 0, 1);
  grid->addWidget(new QLabel(tr("Sked"), this), 1, 0);
  grid->addWidget(sked_, 1, 1);
  grid->addWidget(start_, 2, 0);
  grid->addWidget(settings_, 2, 1);
  grid->addWidget(status_, 3, 0, 1, 2);

  BuildSettingsDialog();
  LoadSettings();
  poll_ = new QTimer(this);
  poll_->setInterval(kPollMs);
  connect(poll_, &QTimer::timeout, this, &TrackingPanel::ShowStatus);
  connect(start_, &QPushButton::clicked, this, [this] { tracking() ? Stop() : (void)Start(); });
  connect(settings_, &QPushButton::clicked, dialog_, &QWidget::show);
}

TrackingPanel::~TrackingPanel() {
  SaveSettings();
  if (worker_.joinable()) {
    shared_->stop = true;
    worker_.join();
  }
}

void TrackingPanel::BuildSettingsDialog() {
  auto* d = new QDialog(this);
  d->setWindowTitle(tr("Tracking: radio and rotator"));
  dialog_ = d;
  auto* form = new QFormLayout(d);
  const QString none = tr("none");
  rigModel_ = WholeSpin(d, "rigModel", 1'000'000, none);
  rigModel_->setToolTip(tr("Hamlib's radio model number (rigctl --list); 2 reaches rigctld"));
  rigPort_ = new QLineEdit(d);
  rigPort_->setObjectName("rigPort");
  rigPort_->setPlaceholderText(tr("/dev/ttyUSB0, or localhost:4532 for rigctld"));
  rigSpeed_ = WholeSpin(d, "rigSpeed", 10'000'000, tr("default"));
  rigStep_ = Spin(d, "rigStep", 0.01, 1e6, 2, 1, tr(" Hz"));
  lo_ = Spin(d, "loMhz", 0, 1e6, 6, 0, tr(" MHz"));
  lo_->setSpecialValueText(tr("no transverter"));
  loSide_ = new QComboBox(d);
  loSide_->setObjectName("loSide");
  loSide_->addItem(tr("Low side: band = LO + radio"), false);
  loSide_->addItem(tr("High side: band = LO - radio"), true);
  retuneInTx_ = new QCheckBox(tr("Retune the transmitter while transmitting"), d);
  rotModel_ = WholeSpin(d, "rotModel", 1'000'000, none);
  rotModel_->setToolTip(tr("Hamlib's rotator model number (rotctl --list); 2 reaches rotctld"));
  rotPort_ = new QLineEdit(d);
  rotPort_->setObjectName("rotPort");
  rotPort_->setPlaceholderText(tr("/dev/ttyUSB1, or localhost:4533 for rotctld"));
  rotSpeed_ = WholeSpin(d, "rotSpeed", 10'000'000, tr("default"));
  rotStep_ = Spin(d, "rotStep", 0.01, 90, 2, 1, tr(" deg"));
  minEl_ = Spin(d, "minEl", -90, 90, 1, 0, tr(" deg"));
  park_ = new QCheckBox(tr("Park when the Moon is below"), d);
  parkAz_ = Spin(d, "parkAz", 0, 360, 1, 180, tr(" deg az"));
  parkEl_ = Spin(d, "parkEl", -90, 90, 1, 0, tr(" deg el"));
  form->addRow(tr("Radio model"), rigModel_);
  form->addRow(tr("Radio port"), rigPort_);
  form->addRow(tr("Serial speed"), rigSpeed_);
  form->addRow(tr("Tuning step"), rigStep_);
  form->addRow(tr("Transverter LO"), lo_);
  form->addRow(tr("LO side"), loSide_);
  form->addRow(retuneInTx_);
  form->addRow(tr("Rotator model"), rotModel_);
  form->addRow(tr("Rotator port"), rotPort_);
  form->addRow(tr("Serial speed"), rotSpeed_);
  form->addRow(tr("Rotator step"), rotStep_);
  form->addRow(tr("Lowest elevation"), minEl_);
  form->addRow(park_);
  form->addRow(tr("Park azimuth"), parkAz_);
  form->addRow(tr("Park elevation"), parkEl_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, d);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::hide);
  connect(d, &QDialog::finished, this, [this] { SaveSettings(); });
}

void TrackingPanel::LoadSettings() {
  QSettings s;
  if (s.status() != QSettings::NoError) return;
  s.beginGroup("tracking");
  // Each value is taken only when it is one the field accepts; otherwise the default stays.
  const auto number = [&](const char* key, QDoubleSpinBox* box) {
    bool ok = false;
    const double v = s.value(key).toString().toDouble(&ok);
    if (ok && v >= box->minimum() && v <= box->maximum()) box->setValue(v);
  };
  const auto whole = [&](const char* key, QSpinBox* box) {
    bool ok = false;
    const int v = s.value(key).toString().toInt(&ok);
    if (ok && v >= box->minimum() && v <= box->maximum()) box->setValue(v);
  };
  if (const auto m = track::ModeFromName(s.value("mode").toString().toStdString())) {
    mode_->setCurrentIndex(mode_->findData(static_cast<int>(*m)));
  }
  number("skedMhz", sked_);
  whole("rigModel", rigModel_);
  rigPort_->setText(s.value("rigPort").toString());
  whole("rigSpeed", rigSpeed_);
  number("rigStepHz", rigStep_);
  number("loMhz", lo_);
  loSide_->setCurrentIndex(s.value("loHigh").toBool() ? 1 : 0);
  retuneInTx_->setChecked(s.value("retuneInTx").toBool());
  whole("rotModel", rotModel_);
  rotPort_->setText(s.value("rotPort").toString());
  whole("rotSpeed", rotSpeed_);
  number("rotStepDeg", rotStep_);
  number("minElDeg", minEl_);
  park_->setChecked(s.value("park").toBool());
  number("parkAzDeg", parkAz_);
  number("parkElDeg", parkEl_);
}

void TrackingPanel::SaveSettings() const {
  QSettings s;
  s.beginGroup("tracking");
  s.setValue("mode", track::ModeName(static_cast<Mode>(mode_->currentData().toInt())));
  s.setValue("skedMhz", sked_->value());
  s.setValue("rigModel", rigModel_->value());
  s.setValue("rigPort", rigPort_->text());
  s.setValue("rigSpeed", rigSpeed_->value());
  s.setValue("rigStepHz", rigStep_->value());
  s.setValue("loMhz", lo_->value());
  s.setValue("loHigh", loSide_->currentIndex() == 1);
  s.setValue("retuneInTx", retuneInTx_->isChecked());
  s.setValue("rotModel", rotModel_->value());
  s.setValue("rotPort", rotPort_->text());
  s.setValue("rotSpeed", rotSpeed_->value());
  s.setValue("rotStepDeg", rotStep_->value());
  s.setValue("minElDeg", minEl_->value());
  s.setValue("park", park_->isChecked());
  s.setValue("parkAzDeg", parkAz_->value());
  s.setValue("parkElDeg", parkEl_->value());
}

std::optional<track::TrackOptions> TrackingPanel::Options(QString& why) const {
  track::TrackOptions o;
  track::TrackSettings& s = o.settings;
  if (!station_->station() || !station_->valid()) {
    why = tr("Give a valid station first.");
    return std::nullopt;
  }
  s.station = *station_->station();
  s.mode = static_cast<Mode>(mode_->currentData().toInt());
  if (s.mode == Mode::kDx) {
    if (!dx_->station() || !dx_->valid()) {
      why = tr("Tracking to the DX station needs a DX station.");
      return std::nullopt;
    }
    s.dx = dx_->station();
  }
  s.skedHz = sked_->value() * 1e6;
  // A copy: the file may be changed or dropped in the window while tracking runs.
  if (const sky::EopTable* eop = model_ ? model_->model().eop : nullptr) {
    s.eop = std::make_shared<const sky::EopTable>(*eop);
  }
  s.rigStepHz = rigStep_->value();
  s.retuneInTx = retuneInTx_->isChecked();
  if (lo_->value() > 0) {
    s.lo = track::Transverter{lo_->value() * 1e6, loSide_->currentIndex() == 1};
    if (!(track::RadioFromBandHz(s.skedHz, s.lo) > 0)) {
      why = s.lo->highSide ? tr("On the high side the LO must be above the sked frequency.")
                           : tr("On the low side the LO must be below the sked frequency.");
      return std::nullopt;
    }
  }
  s.dish.stepDeg = rotStep_->value();
  s.dish.minElevationDeg = minEl_->value();
  if (park_->isChecked()) s.dish.park = track::AzEl{parkAz_->value(), parkEl_->value()};
  if (rigModel_->value() > 0) {
    o.rig = track::DeviceConfig{rigModel_->value(), rigPort_->text().trimmed().toStdString(),
                                rigSpeed_->value()};
  }
  if (rotModel_->value() > 0) {
    o.rot = track::DeviceConfig{rotModel_->value(), rotPort_->text().trimmed().toStdString(),
                                rotSpeed_->value()};
  }
  if (!o.rig && !o.rot) {
    why = tr("Choose a radio or a rotator model (Radio and rotator...).");
    return std::nullopt;
  }
  return o;
}

bool TrackingPanel::Start() {
  if (tracking()) return true;
  QString why;
  const std::optional<track::TrackOptions> o = Options(why);
  if (!o) {
    status_->setText(why);
    return false;
  }
  SaveSettings();
  shared_ = std::make_shared<Shared>();
  // The thread owns its links, clock and session; it shares only `shared`.
  worker_ = std::thread([options = *o, shared = shared_] {
    track::SetHamlibTrace(false);
    track::WallClock clock;
    std::unique_ptr<track::HamlibRig> rig;
    std::unique_ptr<track::HamlibRotator> rot;
    if (options.rig) rig = std::make_unique<track::HamlibRig>(*options.rig);
    if (options.rot) rot = std::make_unique<track::HamlibRotator>(*options.rot);
    track::TrackSession session(options.settings, clock, rig.get(), rot.get());
    std::string failure;
    if (session.OpenAll(failure)) {
      session.Run(shared->stop, [&](const track::TrackStatus& st) {
        const std::lock_guard lock(shared->mutex);
        shared->status = st;
      });
    } else {
      const std::lock_guard lock(shared->mutex);
      shared->failure = QString::fromStdString(failure);
    }
    shared->finished = true;
  });
  start_->setText(tr("Stop"));
  mode_->setEnabled(false);
  sked_->setEnabled(false);
  settings_->setEnabled(false);
  status_->setText(tr("Connecting..."));
  poll_->start();
  return true;
}

void TrackingPanel::Stop() {
  if (!tracking()) return;
  shared_->stop = true;
  start_->setEnabled(false);
  start_->setText(tr("Stopping..."));
}

QString TrackingPanel::statusText() const {
  return status_->text();
}

void TrackingPanel::ShowStatus() {
  std::optional<track::TrackStatus> st;
  QString failure;
  {
    const std::lock_guard lock(shared_->mutex);
    st = shared_->status;
    failure = shared_->failure;
  }
  if (shared_->finished) {
    worker_.join();
    poll_->stop();
    start_->setEnabled(true);
    start_->setText(tr("Start"));
    mode_->setEnabled(true);
    sked_->setEnabled(true);
    settings_->setEnabled(true);
    status_->setText(failure.isEmpty() ? tr("Stopped.") : failure);
    return;
  }
  if (!st) return;
  QStringList lines;
  lines << tr("%1  Moon el %2°, az %3°")
               .arg(QString::fromStdString(sky::FormatUtc(st->figures.utc)))
               .arg(st->figures.elevationDeg, 0, 'f', 2)
               .arg(st->figures.azimuthDeg, 0, 'f', 2);
  if (st->rigUsed) {
    if (st->rigConnected) {
      const auto set = [&](bool rx) {
        return st->rigSet ? std::optional<double>(rx ? st->rigSet->rxHz : st->rigSet->txHz)
                          : std::nullopt;
      };
      lines << tr("Radio connected. RX %1 MHz (read %2), TX %3 MHz (read %4)%5")
                   .arg(Mhz(set(true)), Mhz(st->rxRead), Mhz(set(false)), Mhz(st->txRead),
                        st->txHeld ? tr(", TX held while transmitting") : QString());
    } else {
      lines << tr("Radio not connected; retrying every 5 s.");
    }
    if (!st->rigError.empty()) {
      lines << tr("Last radio error: %1").arg(QString::fromStdString(st->rigError));
    }
  }
  if (st->rotUsed) {
    if (st->rotConnected) {
      lines << (st->rotRead ? tr("Rotator connected at az %1°, el %2°%3")
                                  .arg(st->rotRead->azimuthDeg, 0, 'f', 1)
                                  .arg(st->rotRead->elevationDeg, 0, 'f', 1)
                                  .arg(st->parked ? tr(" (parked)") : QString())
                            : tr("Rotator connected."));
    } else {
      lines << tr("Rotator not connected; retrying every 5 s.");
    }
    if (!st->rotError.empty()) {
      lines << tr("Last rotator error: %1").arg(QString::fromStdString(st->rotError));
    }
  }
  status_->setText(lines.join('\n'));
}

}  // namespace skyapp
