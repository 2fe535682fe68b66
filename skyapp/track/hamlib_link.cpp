// SPDX-License-Identifier: GPL-3.0-or-later
// Hamlib's C interface behind the tracking links: each call's status in words, and which
// failures mean the device is gone.
#include "skyapp/track/hamlib_link.h"

#include <hamlib/rig.h>
#include <hamlib/rotator.h>

#include <string_view>

namespace skyapp::track {
namespace {

// Hamlib's words for a status, without the line end it carries.
std::string Words(int code) {
  std::string_view text = rigerror2(code);
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
  return std::string(text);
}

// A timeout, an I/O or a protocol error means the link is gone (a closed socket, an
// unplugged cable, a daemon that stopped): reconnecting is the way back. Anything else is
// the device refusing one command.
LinkResult::Kind KindOf(int code) {
  const int e = code < 0 ? -code : code;
  return e == RIG_ETIMEOUT || e == RIG_EIO || e == RIG_EPROTO || e == RIG_EPOWER
             ? LinkResult::kLost
             : LinkResult::kRefused;
}

std::string Name(const char* device, const DeviceConfig& c) {
  std::string name = std::string(device) + " (Hamlib model " + std::to_string(c.model);
  if (!c.port.empty()) name += " on " + c.port;
  return name + ")";
}

// A configuration value by name; false when the model has no such setting.
template <typename Handle, typename Lookup, typename Set>
bool Configure(Handle* h, Lookup lookup, Set set, const char* name, const std::string& value) {
  const token_t token = lookup(h, name);
  return token != RIG_CONF_END && set(h, token, value.c_str()) == RIG_OK;
}

}  // namespace

void SetHamlibTrace(bool verbose) {
  rig_set_debug(verbose ? RIG_DEBUG_TRACE : RIG_DEBUG_NONE);
}

HamlibRig::HamlibRig(DeviceConfig config) : config_(std::move(config)) {}

HamlibRig::~HamlibRig() {
  Close();
}

LinkResult HamlibRig::Result(int code, const char* what) const {
  if (code == RIG_OK) return {};
  return {KindOf(code), Name("radio", config_) + ": " + what + ": " + Words(code)};
}

LinkResult HamlibRig::Open() {
  Close();
  rig_ = rig_init(config_.model);
  if (!rig_) {
    return {LinkResult::kRefused, "radio: Hamlib knows no radio model " +
                                      std::to_string(config_.model) + " (see rigctl --list)"};
  }
  if (!config_.port.empty() &&
      !Configure(rig_, rig_token_lookup, rig_set_conf, "rig_pathname", config_.port)) {
    Close();
    return {LinkResult::kRefused, Name("radio", config_) + ": the port is not accepted"};
  }
  if (config_.speedBaud > 0 && !Configure(rig_, rig_token_lookup, rig_set_conf, "serial_speed",
                                          std::to_string(config_.speedBaud))) {
    Close();
    return {LinkResult::kRefused, Name("radio", config_) + ": the serial speed " +
                                      std::to_string(config_.speedBaud) + " is not accepted"};
  }
  if (const int e = rig_open(rig_); e != RIG_OK) {
    LinkResult r = Result(e, "cannot open it");
    Close();
    return r;
  }
  opened_ = true;
  // Every read goes to the radio: a cached value would hide a knob turned by hand.
  rig_set_cache_timeout_ms(rig_, HAMLIB_CACHE_ALL, 0);
  return {};
}

void HamlibRig::Close() {
  if (!rig_) return;
  // Hamlib frees part of a handle whose opening failed: only an open one is closed.
  if (opened_) rig_close(rig_);
  opened_ = false;
  rig_cleanup(rig_);
  rig_ = nullptr;
}

LinkResult HamlibRig::Read(RigReading& out) {
  out = {};
  ptt_t ptt = RIG_PTT_OFF;
  if (const int e = rig_get_ptt(rig_, RIG_VFO_CURR, &ptt); e == RIG_OK) {
    out.transmitting = ptt != RIG_PTT_OFF;
  } else if (KindOf(e) == LinkResult::kLost) {
    return Result(e, "reading its PTT");
  }
  freq_t rx = 0;
  if (const int e = rig_get_freq(rig_, RIG_VFO_CURR, &rx); e != RIG_OK) {
    return Result(e, "reading its frequency");
  }
  out.rxHz = rx;
  split_t split = RIG_SPLIT_OFF;
  vfo_t txVfo = RIG_VFO_NONE;
  if (const int e = rig_get_split_vfo(rig_, RIG_VFO_CURR, &split, &txVfo); e == RIG_OK) {
    out.split = split == RIG_SPLIT_ON;
  } else if (KindOf(e) == LinkResult::kLost) {
    return Result(e, "reading its split");
  }
  if (out.split.value_or(false)) {
    freq_t tx = 0;
    // A backend that answers the split's query itself (the network model among them)
    // takes it for the current VFO; Hamlib 4.5's generic path, which visits the transmit
    // VFO and comes back, must be told which VFO that is, or reads the current one.
    const vfo_t query = rig_->caps->get_split_freq ? RIG_VFO_CURR : RIG_VFO_TX;
    if (const int e = rig_get_split_freq(rig_, query, &tx); e == RIG_OK) {
      out.txHz = tx;
    } else if (KindOf(e) == LinkResult::kLost) {
      return Result(e, "reading its transmit frequency");
    }
  }
  return {};
}

LinkResult HamlibRig::SetRx(double hz) {
  return Result(rig_set_freq(rig_, RIG_VFO_CURR, hz), "setting the receive frequency");
}

LinkResult HamlibRig::SetSplit(bool on) {
  // The transmit VFO is B, as rigctl's "S 1 VFOB"; Hamlib maps it to Sub on radios that
  // name their VFOs Main and Sub.
  return Result(rig_set_split_vfo(rig_, RIG_VFO_CURR, on ? RIG_SPLIT_ON : RIG_SPLIT_OFF,
                                  on ? RIG_VFO_B : RIG_VFO_A),
                on ? "turning the split on" : "turning the split off");
}

LinkResult HamlibRig::SetTx(double hz) {
  // Named as the transmit VFO: given RIG_VFO_CURR, Hamlib 4.5's generic path sets the
  // current VFO instead, even in split (its dummy radio shows it).
  return Result(rig_set_split_freq(rig_, RIG_VFO_TX, hz), "setting the transmit frequency");
}

HamlibRotator::HamlibRotator(DeviceConfig config) : config_(std::move(config)) {}

HamlibRotator::~HamlibRotator() {
  Close();
}

LinkResult HamlibRotator::Result(int code, const char* what) const {
  if (code == RIG_OK) return {};
  return {KindOf(code), Name("rotator", config_) + ": " + what + ": " + Words(code)};
}

LinkResult HamlibRotator::Open() {
  Close();
  rot_ = rot_init(config_.model);
  if (!rot_) {
    return {LinkResult::kRefused, "rotator: Hamlib knows no rotator model " +
                                      std::to_string(config_.model) + " (see rotctl --list)"};
  }
  if (!config_.port.empty() &&
      !Configure(rot_, rot_token_lookup, rot_set_conf, "rot_pathname", config_.port)) {
    Close();
    return {LinkResult::kRefused, Name("rotator", config_) + ": the port is not accepted"};
  }
  if (config_.speedBaud > 0 && !Configure(rot_, rot_token_lookup, rot_set_conf, "serial_speed",
                                          std::to_string(config_.speedBaud))) {
    Close();
    return {LinkResult::kRefused, Name("rotator", config_) + ": the serial speed " +
                                      std::to_string(config_.speedBaud) + " is not accepted"};
  }
  if (const int e = rot_open(rot_); e != RIG_OK) {
    LinkResult r = Result(e, "cannot open it");
    Close();
    return r;
  }
  opened_ = true;
  return {};
}

void HamlibRotator::Close() {
  if (!rot_) return;
  if (opened_) rot_close(rot_);
  opened_ = false;
  rot_cleanup(rot_);
  rot_ = nullptr;
}

RotatorRange HamlibRotator::Range() const {
  // The state's limits, which the network model takes from rotctld's own.
  const rot_state& s = rot_->state;
  return {s.min_az, s.max_az, s.min_el, s.max_el};
}

LinkResult HamlibRotator::Read(AzEl& out) {
  azimuth_t az = 0;
  elevation_t el = 0;
  const int e = rot_get_position(rot_, &az, &el);
  if (e == RIG_OK) out = {az, el};
  return Result(e, "reading its position");
}

LinkResult HamlibRotator::Point(const AzEl& to) {
  return Result(rot_set_position(rot_, static_cast<azimuth_t>(to.azimuthDeg),
                                 static_cast<elevation_t>(to.elevationDeg)),
                "turning it");
}

}  // namespace skyapp::track
