// SPDX-License-Identifier: GPL-3.0-or-later
// The window's "Tracking" panel: the mode, the sked frequency, Start and Stop, and a status
// of the radio and the rotator; their settings in a dialog, remembered between runs.
#pragma once

#include <QGroupBox>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "skyapp/track/options.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace skyapp {

class ModelBox;
class StationInput;

class TrackingPanel : public QGroupBox {
  Q_OBJECT
 public:
  // Tracking is for the stations shown in `station` and `dx` when Start is pressed, with the
  // Earth orientation data `model` holds then (none without it).
  TrackingPanel(StationInput* station, StationInput* dx, const ModelBox* model = nullptr,
                QWidget* parent = nullptr);
  ~TrackingPanel() override;

  [[nodiscard]] bool tracking() const { return worker_.joinable(); }
  [[nodiscard]] QString statusText() const;
  QPushButton* startButton() const { return start_; }
  QComboBox* modeBox() const { return mode_; }
  QDoubleSpinBox* skedBox() const { return sked_; }
  QSpinBox* rigModelBox() const { return rigModel_; }
  QSpinBox* rotModelBox() const { return rotModel_; }

  // Starts with the settings shown; false with the reason shown in the status line.
  bool Start();
  // Asks the tracking to end; it ends within a second (a radio's timeout at most).
  void Stop();

 private:
  void BuildSettingsDialog();
  void LoadSettings();
  void SaveSettings() const;
  [[nodiscard]] std::optional<track::TrackOptions> Options(QString& why) const;
  void ShowStatus();

  StationInput* station_;
  StationInput* dx_;
  const ModelBox* model_;
  QComboBox* mode_;
  QDoubleSpinBox* sked_;
  QPushButton* start_;
  QPushButton* settings_;
  QLabel* status_;
  QTimer* poll_;
  QWidget* dialog_;

  // The dialog's fields: a model of 0 means no radio (no rotator).
  QSpinBox *rigModel_, *rigSpeed_, *rotModel_, *rotSpeed_;
  QLineEdit *rigPort_, *rotPort_;
  QDoubleSpinBox *rigStep_, *lo_, *rotStep_, *minEl_, *parkAz_, *parkEl_;
  QComboBox* loSide_;
  QCheckBox *retuneInTx_, *park_;

  // Shared with the tracking thread, which writes them under the mutex; the panel reads.
  struct Shared {
    std::mutex mutex;
    std::optional<track::TrackStatus> status;
    QString failure;  // why the devices could not be opened
    std::atomic<bool> stop{false};
    std::atomic<bool> finished{false};
  };
  std::shared_ptr<Shared> shared_;
  std::thread worker_;
};

}  // namespace skyapp
