// SPDX-License-Identifier: GPL-3.0-or-later
// A station typed as a Maidenhead locator or as latitude, longitude and height; the other
// form follows what is typed, and invalid text is marked at its field with the reason.
#pragma once

#include <QGroupBox>
#include <optional>

#include "sky/station.h"
#include "skyapp/core/station_text.h"

class QLabel;
class QLineEdit;
class QTimer;

namespace skyapp {

class StationInput : public QGroupBox {
  Q_OBJECT
 public:
  // An optional station (the DX station) may be left empty, meaning none.
  StationInput(const QString& title, const QString& accessiblePrefix, bool optional,
               QWidget* parent = nullptr);

  // The last valid station; empty for an optional station left blank.
  [[nodiscard]] const std::optional<sky::Station>& station() const { return station_; }
  // Whether every field held valid text when last checked.
  [[nodiscard]] bool valid() const { return valid_; }
  // As if `locator` were typed into the locator field and confirmed with Enter.
  void enterLocator(const QString& locator);

  // Shows a station (or none) as if typed: both forms filled, nothing marked.
  void setStation(const std::optional<sky::Station>& s, const QString& locator = {});
  // The locator as typed when the station came from one, else empty.
  [[nodiscard]] QString typedLocator() const { return fromLocator_ ? locatorText() : QString(); }

  QLineEdit* locatorField() const { return locator_; }
  QLineEdit* latitudeField() const { return latitude_; }
  QLineEdit* longitudeField() const { return longitude_; }
  QLineEdit* heightField() const { return height_; }

 signals:
  // A new valid station (or none) was typed.
  void stationChanged();

 private:
  void Evaluate();
  void LocatorEdited();
  void CoordinatesEdited();
  // Shows what a check found: the field at fault marked, or the other form filled in and
  // the station taken.
  void Apply(const StationCheck& check, bool fromLocator);
  [[nodiscard]] QLineEdit* FieldOf(StationField field) const;
  // Takes a valid station (or none) as the one shown and tells the window.
  void Accept(const std::optional<sky::Station>& s, bool fromLocator);
  void Mark(QLineEdit* field, const QString& reason);
  void ClearMarks();
  [[nodiscard]] QString locatorText() const;

  bool optional_;
  bool valid_ = true;
  bool fromLocator_ = false;
  bool editedLocator_ = false;
  QTimer* pending_;
  std::optional<sky::Station> station_;
  QLineEdit* locator_;
  QLineEdit* latitude_;
  QLineEdit* longitude_;
  QLineEdit* height_;
  QLabel* error_;
};

}  // namespace skyapp
