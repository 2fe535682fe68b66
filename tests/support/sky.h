// SPDX-License-Identifier: GPL-3.0-or-later
// Test support for the view: vector sums, the Earth's turning and a station on the globe.
//
// Written from the geometry directly rather than through the program's own kernel.
#pragma once

#include <cmath>

#include "geometry/mat3.h"
#include "geometry/vec3.h"

namespace sky {

constexpr double kDeg = 3.14159265358979323846 / 180;
constexpr double kOmega = 7.292115855306615e-5;  // rad/s, the Earth's sidereal rate
constexpr double kEarthR = 6378.1363;            // km

inline Vec3 Add(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 Scale(Vec3 a, double k) {
  return {a.x * k, a.y * k, a.z * k};
}
inline double Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline double Len(Vec3 a) {
  return std::sqrt(Dot(a, a));
}
inline Mat3 Rows(Vec3 r0, Vec3 r1, Vec3 r2) {
  return Mat3{{{r0.x, r0.y, r0.z}, {r1.x, r1.y, r1.z}, {r2.x, r2.y, r2.z}}};
}

// Equatorial to Earth-fixed components for the sidereal angle g (rad).
inline Vec3 TurnEarth(double g, Vec3 v) {
  return {std::cos(g) * v.x + std::sin(g) * v.y, -std::sin(g) * v.x + std::cos(g) * v.y, v.z};
}

struct Station {
  Vec3 pos, north, east, zenith;  // km on the true Earth; unit vectors, Earth-fixed axes
};
// Longitude counted clockwise seen from above the north pole, so a station at 90° has a
// negative second coordinate; east is where the Earth's turning carries it.
inline Station StationAt(double latDeg, double lonDeg) {
  const double f = latDeg * kDeg, l = lonDeg * kDeg;
  const Vec3 up{std::cos(f) * std::cos(l), -std::cos(f) * std::sin(l), std::sin(f)};
  return {Scale(up, kEarthR),
          {-std::sin(f) * std::cos(l), std::sin(f) * std::sin(l), std::cos(f)},
          {std::sin(l), std::cos(l), 0},
          up};
}

}  // namespace sky
