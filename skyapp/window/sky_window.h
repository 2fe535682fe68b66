// SPDX-License-Identifier: GPL-3.0-or-later
// The real Moon's window: station, DX station, band and time; the readouts at the chosen
// instant; the day's Doppler shift and its shares plotted against UTC.
#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>

#include "sky/day.h"
#include "sky/time.h"
#include "skyapp/core/settings.h"

class QButtonGroup;
class QChart;
class QComboBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSettings;
class QSlider;
class QTimer;

namespace skyapp {

class DayChart;
class EchoReadouts;
class ModelBox;
class StationInput;

class SkyWindow : public QMainWindow {
  Q_OBJECT
 public:
  // `startAt`: open on that instant, or live on the clock when empty.
  explicit SkyWindow(std::optional<sky::UtcInstant> startAt = std::nullopt,
                     QWidget* parent = nullptr);
  ~SkyWindow() override;

  // The instant the readouts show.
  [[nodiscard]] sky::UtcInstant shownInstant() const { return shown_; }
  [[nodiscard]] const sky::DayCurves& curves() const { return curves_; }
  [[nodiscard]] double bandHz() const;
  [[nodiscard]] QChart* chart() const;
  [[nodiscard]] StationInput* stationInput() const { return station_; }
  [[nodiscard]] StationInput* dxInput() const { return dx_; }
  [[nodiscard]] ModelBox* modelBox() const { return model_; }

  // Live on the clock, or at a chosen instant (whose day the plot shows).
  void setLive(bool live);
  void setChosenInstant(sky::UtcInstant t);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls(QWidget* panel);
  void BuildReadouts(QWidget* panel);
  void LoadSettings();
  void SaveSettings();
  void InputsChanged();
  void Refresh();
  void Replot();
  void MoveCursor();
  void Tick();
  void PlayToggled(bool playing);
  void SetReadout(QLabel* label, const QString& text);

  // What the readouts and the plot show.
  sky::UtcInstant shown_;
  sky::UtcInstant chosen_;
  bool live_ = true;
  bool plotStale_ = true;
  sky::DayCurves curves_;

  StationInput* station_;
  StationInput* dx_;
  QComboBox* band_;
  QDoubleSpinBox* customBand_;
  ModelBox* model_;
  EchoReadouts* echo_;
  QRadioButton* liveButton_;
  QRadioButton* chosenButton_;
  QDateTimeEdit* dateTime_;
  QSlider* daySlider_;
  QPushButton* play_;
  QComboBox* speed_;
  QTimer* clock_;
  QTimer* player_;

  struct Readouts {
    QLabel *elevation, *horizon, *azimuth, *range, *delay;
    QLabel *radialMs, *parallaxMs, *rotationMs, *rateMs;
    QLabel *radialHz, *parallaxHz, *rotationHz, *rateHz;
    QLabel *drift, *dxElevation, *dxShift;
  } r_{};

  std::unique_ptr<DayChart> chart_;
};

// Opens the window and runs until it is closed; returns the exit status.
int RunSkyWindow(int argc, char** argv, std::optional<sky::UtcInstant> startAt);

}  // namespace skyapp
