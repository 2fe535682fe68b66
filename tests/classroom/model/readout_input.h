// SPDX-License-Identifier: GPL-3.0-or-later
// The classroom model's inputs to ComputeReadout for a station and a Moon, shared by the tests
// of the readout quantities and of their texts.
#pragma once

#include <cmath>

#include "classroom/model/readout.h"
#include "tests/support/sky.h"

// The model's state for a station, a Moon and a sidereal angle g, the Earth turning or held
// (held: no rotation rate).
inline ReadoutInput MakeInput(const sky::Station& s, Vec3 moonPos, Vec3 moonVel, double g,
                              bool turning) {
  using namespace sky;
  ReadoutInput in{};
  in.moonPos = moonPos;
  in.moonVel = moonVel;
  const double c = std::cos(g), sn = std::sin(g), w = turning ? kOmega * 1000 : 0;
  in.EarthRot = Rows({c, sn, 0}, {-sn, c, 0}, {0, 0, 1});
  in.EarthRotRate = Rows({-sn * w, c * w, 0}, {-c * w, -sn * w, 0}, {});
  in.stationPos = s.pos;
  in.stationFrame = Rows(s.north, s.east, s.zenith);
  return in;
}
