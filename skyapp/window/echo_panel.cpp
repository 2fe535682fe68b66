// SPDX-License-Identifier: GPL-3.0-or-later
// The model box and the operator's readouts of the vornak-sky window.
#include "skyapp/window/echo_panel.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "skyapp/core/station_text.h"
#include "skyapp/window/station_input.h"

namespace skyapp {
namespace {

QLabel* Value(QWidget* parent, const char* name, const QString& tip) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setToolTip(tip);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Fixed for the widest value, so that new values never lay the window out again.
  l->setText("-0000000.0 Hz");
  l->setFixedSize(l->sizeHint());
  l->clear();
  return l;
}

}  // namespace

ModelBox::ModelBox(QWidget* parent) : QGroupBox(tr("Moon and Earth orientation"), parent) {
  auto* g = new QGridLayout(this);
  moon_ = new QComboBox(this);
  moon_->setObjectName("moonTheory");
  moon_->setAccessibleName(tr("Moon ephemeris"));
  moon_->addItem(tr("Swiss Ephemeris (JPL DE431)"), "swiss");
  moon_->addItem(tr("ERFA eraMoon98 (Meeus), for comparison"), "meeus");
  moon_->setToolTip(tr("Where the Moon's position and velocity come from"));
  moonUsed_ = new QLabel(this);
  moonUsed_->setObjectName("moonUsed");
  moonUsed_->setWordWrap(true);
  eopFile_ = new QLabel(this);
  eopFile_->setObjectName("eopFile");
  eopFile_->setWordWrap(true);
  eopFile_->setToolTip(
      tr("IERS Bulletin A (finals2000A.all or finals2000A.daily): UT1 - UTC "
         "and polar motion"));
  eopError_ = new QLabel(this);
  eopError_->setObjectName("eopError");
  eopError_->setWordWrap(true);
  eopError_->setStyleSheet("color: #b00000");
  eopError_->hide();
  choose_ = new QPushButton(tr("EOP &file..."), this);
  choose_->setObjectName("chooseEop");
  choose_->setAccessibleName(tr("Choose the IERS finals2000A file"));
  clear_ = new QPushButton(tr("No EOP"), this);
  clear_->setObjectName("clearEop");
  clear_->setAccessibleName(tr("Use no Earth orientation data"));
  g->addWidget(moon_, 0, 0, 1, 2);
  g->addWidget(moonUsed_, 1, 0, 1, 2);
  g->addWidget(choose_, 2, 0);
  g->addWidget(clear_, 2, 1);
  g->addWidget(eopFile_, 3, 0, 1, 2);
  g->addWidget(eopError_, 4, 0, 1, 2);
  connect(moon_, &QComboBox::currentIndexChanged, this, &ModelBox::modelChanged);
  connect(choose_, &QPushButton::clicked, this, [this] {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("IERS Bulletin A file (finals2000A)"), QFileInfo(eopFile()).path());
    if (!path.isEmpty()) setEopFile(path);
  });
  connect(clear_, &QPushButton::clicked, this, &ModelBox::clearEopFile);
  ShowEop();
}

sky::SkyModel ModelBox::model() const {
  sky::SkyModel m;
  m.moon = moon_->currentData().toString() == "meeus" ? sky::MoonTheory::kMeeus
                                                      : sky::MoonTheory::kSwissEphemeris;
  m.eop = eop_ ? &*eop_ : nullptr;
  return m;
}

bool ModelBox::setEopFile(const QString& path, QString* why) {
  sky::EopTable table;
  std::string reason;
  if (!sky::ReadEopFile(path.toStdString(), table, reason)) {
    eopError_->setText(tr("Refused: %1").arg(QString::fromStdString(reason)));
    eopError_->show();
    if (why) *why = QString::fromStdString(reason);
    return false;
  }
  eop_ = std::move(table);
  eopError_->hide();
  ShowEop();
  emit modelChanged();
  return true;
}

void ModelBox::clearEopFile() {
  eop_.reset();
  eopError_->hide();
  ShowEop();
  emit modelChanged();
}

QString ModelBox::eopFile() const {
  return eop_ ? QString::fromStdString(eop_->path) : QString();
}

void ModelBox::ShowEop() {
  clear_->setEnabled(eop_.has_value());
  eopFile_->setText(eop_ ? tr("UT1 and polar motion from %1 (%2 days)")
                               .arg(QFileInfo(eopFile()).fileName())
                               .arg(eop_->days.size())
                         : tr("No EOP data: UT1 = UTC, no polar motion"));
}

void ModelBox::showMoonUsed(sky::MoonTheory used) {
  std::string why;
  QString text = tr("Moon used: %1").arg(sky::MoonTheoryName(used));
  if (model().moon == sky::MoonTheory::kSwissEphemeris && !sky::SwissEphemerisReadable(&why)) {
    text += " - " + QString::fromStdString(why);
  }
  if (moonUsed_->text() != text) moonUsed_->setText(text);
}

void ModelBox::Load(QSettings& settings) {
  const int index = moon_->findData(settings.value("model/moon", "swiss").toString());
  {
    const QSignalBlocker block(moon_);
    moon_->setCurrentIndex(index >= 0 ? index : 0);
  }
  const QString path = settings.value("model/eop").toString();
  if (!path.isEmpty()) {
    const QSignalBlocker block(this);
    setEopFile(path);
  }
}

void ModelBox::Save(QSettings& settings) const {
  settings.setValue("model/moon", moon_->currentData().toString());
  settings.setValue("model/eop", eopFile());
}

EchoReadouts::EchoReadouts(QWidget* parent) : QGroupBox(tr("Light time, spread, budget"), parent) {
  auto* g = new QGridLayout(this);
  int row = 0;
  const auto add = [&](const QString& caption, QLabel* value) {
    g->addWidget(new QLabel(caption, this), row, 0);
    value->setAccessibleDescription(caption);
    g->addWidget(value, row++, 1);
  };
  uplink_ = Value(this, "uplinkShift",
                  tr("A signal sent now, as it arrives at the Moon: send this much lower to "
                     "meet on the Moon's frequency"));
  downlink_ = Value(this, "downlinkShift",
                    tr("A signal leaving the Moon, as you receive it now: listen this much "
                       "higher than the Moon's frequency"));
  toDx_ = Value(this, "toDxShift", tr("Your signal sent now, as the DX station receives it"));
  spread_ = Value(this, "spread",
                  tr("The echo's limb-to-limb Doppler spread at the band: the Moon's apparent "
                     "turn as your line of sight follows it"));
  budget_ = Value(this, "budget", tr("How far the echo's shift can be off now: the sum below"));
  ephemeris_ = Value(this, "budgetEphemeris",
                     tr("The Moon's velocity error, measured against JPL's ephemeris"));
  earth_ = Value(this, "budgetEarth",
                 tr("UT1 and polar motion: known to a millisecond with an EOP file, to 0.9 s "
                    "and 0.6\" without"));
  station_ = Value(this, "budgetStation",
                   tr("Your station's position: a locator's cell, the last decimal typed, or "
                      "50 m of height when none is typed"));
  troposphere_ = Value(this, "budgetTroposphere",
                       tr("The troposphere's delay (2.3 m at the zenith, not modelled) changing "
                          "as the Moon rises or sets"));
  add(tr("Uplink shift (sent now)"), uplink_);
  add(tr("Downlink shift (heard now)"), downlink_);
  add(tr("To the DX station"), toDx_);
  add(tr("Echo spread"), spread_);
  add(tr("Budget (sum)"), budget_);
  add(tr("  ephemeris"), ephemeris_);
  add(tr("  UT1, polar motion"), earth_);
  add(tr("  station position"), station_);
  add(tr("  troposphere"), troposphere_);
}

void EchoReadouts::Show(const Figures& f) {
  const std::pair<QLabel*, Figure> shown[] = {{uplink_, Figure::kUplinkHz},
                                              {downlink_, Figure::kDownlinkHz},
                                              {toDx_, Figure::kToDxHz},
                                              {spread_, Figure::kSpreadHz},
                                              {budget_, Figure::kBudgetHz},
                                              {ephemeris_, Figure::kBudgetEphemerisHz},
                                              {earth_, Figure::kBudgetEarthHz},
                                              {station_, Figure::kBudgetStationHz},
                                              {troposphere_, Figure::kBudgetTroposphereHz}};
  for (const auto& [label, figure] : shown) {
    const QString text = QString::fromStdString(ReadoutText(f, figure));
    if (label->text() == text) continue;
    label->setText(text);
    label->setAccessibleName(text);
  }
}

sky::StationUncertainty UncertaintyOf(const StationInput& input, const sky::Station& station) {
  return UncertaintyOfTexts(input.typedLocator().toStdString(),
                            input.latitudeField()->text().toStdString(),
                            input.longitudeField()->text().toStdString(),
                            input.heightField()->text().toStdString(), station);
}

}  // namespace skyapp
