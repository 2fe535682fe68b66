// SPDX-License-Identifier: GPL-3.0-or-later
// Radios and rotators through Hamlib: any model it knows, chosen by its number and port
// as in Hamlib's own rigctl and rotctl, including the network models that reach rigctld
// and rotctld.
#pragma once

#include <string>

#include "skyapp/track/session.h"

struct s_rig;
struct s_rot;

namespace skyapp::track {

// Hamlib's trace on stderr: at its "trace" level when `verbose`, otherwise silenced.
void SetHamlibTrace(bool verbose);

class HamlibRig final : public RigLink {
 public:
  explicit HamlibRig(DeviceConfig config);
  ~HamlibRig() override;
  HamlibRig(const HamlibRig&) = delete;
  HamlibRig& operator=(const HamlibRig&) = delete;

  LinkResult Open() override;
  void Close() override;
  LinkResult Read(RigReading& out) override;
  LinkResult SetRx(double hz) override;
  LinkResult SetSplit(bool on) override;
  LinkResult SetTx(double hz) override;

 private:
  LinkResult Result(int code, const char* what) const;
  DeviceConfig config_;
  s_rig* rig_ = nullptr;
  bool opened_ = false;
};

class HamlibRotator final : public RotatorLink {
 public:
  explicit HamlibRotator(DeviceConfig config);
  ~HamlibRotator() override;
  HamlibRotator(const HamlibRotator&) = delete;
  HamlibRotator& operator=(const HamlibRotator&) = delete;

  LinkResult Open() override;
  void Close() override;
  RotatorRange Range() const override;
  LinkResult Read(AzEl& out) override;
  LinkResult Point(const AzEl& to) override;

 private:
  LinkResult Result(int code, const char* what) const;
  DeviceConfig config_;
  s_rot* rot_ = nullptr;
  bool opened_ = false;
};

}  // namespace skyapp::track
