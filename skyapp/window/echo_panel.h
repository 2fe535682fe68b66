// SPDX-License-Identifier: GPL-3.0-or-later
// The window's figures for operators: which Moon and which Earth orientation data are used,
// and the echo's light-time shifts, spread and error budget term by term.
#pragma once

#include <QGroupBox>
#include <QString>
#include <optional>

#include "sky/budget.h"
#include "sky/echo.h"
#include "sky/eop.h"
#include "skyapp/core/readouts.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSettings;

namespace skyapp {

class StationInput;

// The Moon (Swiss Ephemeris or eraMoon98) and the EOP file (IERS finals2000A), remembered.
class ModelBox : public QGroupBox {
  Q_OBJECT
 public:
  explicit ModelBox(QWidget* parent = nullptr);

  // The Moon chosen and the EOP data read; the EOP table lives as long as this box.
  [[nodiscard]] sky::SkyModel model() const;
  // Reads the file and takes it; a file that cannot be read or parsed is refused with its
  // message (returned in `why` and shown), and the previous file stays.
  bool setEopFile(const QString& path, QString* why = nullptr);
  void clearEopFile();
  [[nodiscard]] QString eopFile() const;
  // Says which Moon the figures shown came from (the Swiss Ephemeris files may be missing).
  void showMoonUsed(sky::MoonTheory used);

  void Load(QSettings& settings);
  void Save(QSettings& settings) const;

 signals:
  void modelChanged();

 private:
  void ShowEop();

  QComboBox* moon_;
  QLabel* moonUsed_;
  QLabel* eopFile_;
  QLabel* eopError_;
  QPushButton* choose_;
  QPushButton* clear_;
  std::optional<sky::EopTable> eop_;
};

// The light-time shifts beyond the self echo's, the spread and the budget.
class EchoReadouts : public QGroupBox {
 public:
  explicit EchoReadouts(QWidget* parent = nullptr);
  void Show(const Figures& figures);

 private:
  QLabel *uplink_, *downlink_, *toDx_, *spread_;
  QLabel *budget_, *ephemeris_, *earth_, *station_, *troposphere_;
};

// How far the station typed may be from the real one: a locator's cell, or the last
// decimals of the coordinates shown (four when the window wrote them); the height's last
// decimal, or 50 m when it is empty or 0.
[[nodiscard]] sky::StationUncertainty UncertaintyOf(const StationInput& input,
                                                    const sky::Station& station);

}  // namespace skyapp
