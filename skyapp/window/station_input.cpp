// SPDX-License-Identifier: GPL-3.0-or-later
// The station fields and their checks, on the sky core's locator and WGS84 rules.
#include "skyapp/window/station_input.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <string>

#include "skyapp/core/station_text.h"

namespace skyapp {
namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// How long typing must pause before the text is checked (ms).
constexpr int kTypingPauseMs = 600;

}  // namespace

StationInput::StationInput(const QString& title, const QString& accessiblePrefix, bool optional,
                           QWidget* parent)
    : QGroupBox(title, parent),
      optional_(optional),
      locator_(new QLineEdit(this)),
      latitude_(new QLineEdit(this)),
      longitude_(new QLineEdit(this)),
      height_(new QLineEdit(this)),
      error_(new QLabel(this)) {
  auto* form = new QFormLayout(this);
  const auto add = [&](QLineEdit* field, const QString& label, const QString& name,
                       const QString& placeholder, const QString& tip) {
    field->setObjectName(accessiblePrefix + name);
    field->setAccessibleName(accessiblePrefix + " " + label.toLower().remove('&'));
    field->setPlaceholderText(placeholder);
    field->setToolTip(tip);
    field->setClearButtonEnabled(true);
    // The clear button is a tool button of the line edit's own, with no text: without a name
    // assistive technology announces it as a bare "button".
    for (QToolButton* clear : field->findChildren<QToolButton*>()) {
      clear->setAccessibleName(tr("Clear %1").arg(field->accessibleName()));
    }
    auto* l = new QLabel(label, this);
    l->setBuddy(field);
    form->addRow(l, field);
  };
  add(locator_, tr("&Locator"), "Locator", optional ? tr("none") : tr("JN18eu"),
      tr("Maidenhead locator of 4, 6 or 8 characters, like JN18 or JN18eu"));
  add(latitude_, tr("La&titude"), "Latitude", tr("degrees, north positive"),
      tr("Geodetic latitude in degrees, -90 to 90, north positive"));
  add(longitude_, tr("Lo&ngitude"), "Longitude", tr("degrees, east positive"),
      tr("Longitude in degrees, -180 to 180, east positive"));
  add(height_, tr("&Height"), "Height", tr("0 m"),
      tr("Height above the WGS84 ellipsoid in metres (empty means 0)"));
  error_->setObjectName(accessiblePrefix + "Error");
  error_->setWordWrap(true);
  error_->setVisible(false);
  QPalette warn = error_->palette();
  warn.setColor(QPalette::WindowText, QColor(0xb0, 0x00, 0x20));
  error_->setPalette(warn);
  form->addRow(error_);

  // What is typed is checked once typing pauses, or at once on Enter or on leaving the
  // field: a locator or number half typed is neither marked nor computed from, even where
  // its first characters already form a valid one (JN18 on the way to JN18eu).
  pending_ = new QTimer(this);
  pending_->setSingleShot(true);
  pending_->setInterval(kTypingPauseMs);
  connect(pending_, &QTimer::timeout, this, &StationInput::Evaluate);
  for (QLineEdit* f : {locator_, latitude_, longitude_, height_}) {
    connect(f, &QLineEdit::textEdited, this, [this, f] {
      editedLocator_ = f == locator_ || (f == height_ && fromLocator_ && !locatorText().isEmpty());
      pending_->start();
    });
    connect(f, &QLineEdit::editingFinished, this, [this] {
      if (pending_->isActive()) Evaluate();
    });
  }
}

void StationInput::enterLocator(const QString& locator) {
  locator_->setText(locator);
  editedLocator_ = true;
  Evaluate();
}

void StationInput::Evaluate() {
  pending_->stop();
  // A height changed under a typed locator keeps the locator's cell, not its rounded
  // coordinates.
  if (editedLocator_) {
    LocatorEdited();
  } else {
    CoordinatesEdited();
  }
}

QString StationInput::locatorText() const {
  return locator_->text().trimmed();
}

void StationInput::setStation(const std::optional<sky::Station>& s, const QString& locator) {
  ClearMarks();
  station_ = s;
  valid_ = true;
  fromLocator_ = s && !locator.isEmpty();
  if (!s) {
    for (QLineEdit* f : {locator_, latitude_, longitude_, height_}) f->clear();
    return;
  }
  locator_->setText(fromLocator_ ? locator : QString::fromStdString(sky::LocatorOf(*s)));
  latitude_->setText(Q(DegreesText(s->latitudeRad)));
  longitude_->setText(Q(DegreesText(s->longitudeRad)));
  height_->setText(QString::number(s->heightM, 'f', 0));
}

void StationInput::Mark(QLineEdit* field, const QString& reason) {
  valid_ = false;
  QPalette p = field->palette();
  p.setColor(QPalette::Base, QColor(0xff, 0xe0, 0xe0));
  p.setColor(QPalette::Text, QColor(0x60, 0x00, 0x00));
  field->setPalette(p);
  field->setAccessibleDescription(reason);
  error_->setText(reason);
  error_->setAccessibleName(reason);
  error_->setVisible(true);
}

void StationInput::ClearMarks() {
  for (QLineEdit* f : {locator_, latitude_, longitude_, height_}) {
    f->setPalette(QPalette());
    f->setAccessibleDescription({});
  }
  error_->clear();
  error_->setVisible(false);
}

QLineEdit* StationInput::FieldOf(StationField f) const {
  switch (f) {
    case StationField::kLatitude:
      return latitude_;
    case StationField::kLongitude:
      return longitude_;
    case StationField::kHeight:
      return height_;
    default:
      return locator_;
  }
}

void StationInput::Apply(const StationCheck& c, bool fromLocator) {
  ClearMarks();
  if (!c.ok) return Mark(FieldOf(c.bad), Q(c.message));
  if (!c.station) {
    for (QLineEdit* f : {locator_, latitude_, longitude_, height_}) f->clear();
  } else if (fromLocator) {
    latitude_->setText(Q(c.latitude));
    longitude_->setText(Q(c.longitude));
  } else {
    locator_->setText(Q(c.locator));
  }
  Accept(c.station, fromLocator && c.station);
}

void StationInput::LocatorEdited() {
  Apply(CheckLocatorText(locator_->text().toStdString(), height_->text().toStdString(), optional_),
        true);
}

void StationInput::Accept(const std::optional<sky::Station>& s, bool fromLocator) {
  valid_ = true;
  fromLocator_ = fromLocator;
  station_ = s;
  emit stationChanged();
}

void StationInput::CoordinatesEdited() {
  Apply(CheckCoordinateTexts(latitude_->text().toStdString(), longitude_->text().toStdString(),
                             height_->text().toStdString(), optional_),
        false);
}

}  // namespace skyapp
