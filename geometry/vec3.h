// SPDX-License-Identifier: GPL-3.0-or-later
// Vec3: three doubles, a plain value type; positions in km, velocities in m/s.
#pragma once

struct Vec3 {
  double x = 0;
  double y = 0;
  double z = 0;
  bool operator==(const Vec3&) const = default;
};

// a - b, component by component.
[[nodiscard]] constexpr Vec3 VecSub(const Vec3& a, const Vec3& b) noexcept {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

// Distance from the z axis and length of v, and their squares:
// rho2 = x² + y², r2 = z² + rho2 (in that order of addition), rho and r their roots.
void VecNorms(const Vec3& v, double& rho, double& r, double& rho2, double& r2) noexcept;

// a + b, component by component.
[[nodiscard]] constexpr Vec3 VecAdd(const Vec3& a, const Vec3& b) noexcept {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}

// s·a.
[[nodiscard]] constexpr Vec3 VecScale(double s, const Vec3& a) noexcept {
  return {s * a.x, s * a.y, s * a.z};
}

// The scalar product a·b.
[[nodiscard]] constexpr double VecDot(const Vec3& a, const Vec3& b) noexcept {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The vector product a × b.
[[nodiscard]] constexpr Vec3 VecCross(const Vec3& a, const Vec3& b) noexcept {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The length |v|.
[[nodiscard]] double VecLength(const Vec3& v) noexcept;
