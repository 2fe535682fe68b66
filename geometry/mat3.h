// SPDX-License-Identifier: GPL-3.0-or-later
// Mat3: nine doubles, row-major, and the matrix operations of the model.
//
// Storage is row-major: m[i][j] is row i, column j. A rotation matrix maps the components of
// a vector in the outer frame to its components in the turned frame; its transpose maps back.
#pragma once

#include "geometry/vec3.h"

struct Mat3 {
  double m[3][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
  [[nodiscard]] constexpr double operator()(int i, int j) const noexcept { return m[i][j]; }
  [[nodiscard]] constexpr double& operator()(int i, int j) noexcept { return m[i][j]; }
  bool operator==(const Mat3&) const = default;
};

// M·v: component i is M(i,0)·v.x + M(i,1)·v.y + M(i,2)·v.z.
[[nodiscard]] Vec3 MatMulVec(const Mat3& M, const Vec3& v) noexcept;
// A·u + B·w: the product rule, the velocity of M·p being Ṁ·p + M·ṗ.
[[nodiscard]] Vec3 MatMulVecSum(const Mat3& A, const Vec3& u, const Mat3& B,
                                const Vec3& w) noexcept;
[[nodiscard]] Mat3 MatTranspose(const Mat3& M) noexcept;
[[nodiscard]] Mat3 MatZero() noexcept;
[[nodiscard]] Mat3 MatIdentity() noexcept;
// With a = sin t, b = cos t, c = sin f, d = cos f: the frame rotation by t about z followed
// by the frame rotation by f about the new x axis. Rows (b, a, 0), (-a·d, b·d, c),
// (a·c, -b·c, d).
[[nodiscard]] Mat3 RotZX(double a, double b, double c, double d) noexcept;
// Time derivative of RotZX(a, b, c, d) when ȧ = b·tRate, ḃ = -a·tRate, ċ = -d·fRate,
// ḋ = c·fRate.
[[nodiscard]] Mat3 RotZXRate(double a, double b, double tRate, double c, double d,
                             double fRate) noexcept;
