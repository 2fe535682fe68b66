// SPDX-License-Identifier: GPL-3.0-or-later
// The geometry kernel: vector norms, matrix products, frame rotations and angle functions.
//
// Every expression is written in the order the model's formulas give it, so that results
// are reproducible to the last bit (the start-up readouts contain exact cancellations).
#include <cmath>

#include "geometry/angles.h"
#include "geometry/mat3.h"
#include "geometry/vec3.h"

void VecNorms(const Vec3& v, double& rho, double& r, double& rho2, double& r2) noexcept {
  rho2 = v.x * v.x + v.y * v.y;
  r2 = v.z * v.z + rho2;
  rho = std::sqrt(rho2);
  r = std::sqrt(r2);
}

double VecLength(const Vec3& v) noexcept {
  return std::sqrt(VecDot(v, v));
}

Vec3 MatMulVec(const Mat3& M, const Vec3& v) noexcept {
  return {M(0, 0) * v.x + M(0, 1) * v.y + M(0, 2) * v.z,
          M(1, 0) * v.x + M(1, 1) * v.y + M(1, 2) * v.z,
          M(2, 0) * v.x + M(2, 1) * v.y + M(2, 2) * v.z};
}

Vec3 MatMulVecSum(const Mat3& A, const Vec3& u, const Mat3& B, const Vec3& w) noexcept {
  const Vec3 p = MatMulVec(A, u);
  const Vec3 q = MatMulVec(B, w);
  return {p.x + q.x, p.y + q.y, p.z + q.z};
}

Mat3 MatTranspose(const Mat3& M) noexcept {
  Mat3 t;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) t(i, j) = M(j, i);
  }
  return t;
}

Mat3 MatZero() noexcept {
  return Mat3{};
}

Mat3 MatIdentity() noexcept {
  Mat3 m;
  m(0, 0) = 1;
  m(1, 1) = 1;
  m(2, 2) = 1;
  return m;
}

Mat3 RotZX(double a, double b, double c, double d) noexcept {
  Mat3 m;
  m(0, 0) = b;
  m(0, 1) = a;
  m(0, 2) = 0;
  m(1, 0) = -a * d;
  m(1, 1) = b * d;
  m(1, 2) = c;
  m(2, 0) = a * c;
  m(2, 1) = -b * c;
  m(2, 2) = d;
  return m;
}

Mat3 RotZXRate(double a, double b, double tRate, double c, double d, double fRate) noexcept {
  Mat3 m;
  m(0, 0) = -a * tRate;
  m(0, 1) = b * tRate;
  m(0, 2) = 0;
  m(1, 0) = -b * tRate * d - a * c * fRate;
  m(1, 1) = -a * tRate * d + b * c * fRate;
  m(1, 2) = -d * fRate;
  m(2, 0) = b * tRate * c - a * d * fRate;
  m(2, 1) = a * tRate * c + b * d * fRate;
  m(2, 2) = c * fRate;
  return m;
}

// The turns are the legacy figures of angles.h, so the positive x axis reads kFullTurn.
double AngleOf(double x, double y) noexcept {
  if (x == 0 && y >= 0) return kQuarterTurn;
  if (x == 0 && y < 0) return kThreeQuarterTurn;
  const double a = std::atan(y / x);
  if (x > 0 && y > 0) return a;
  if (x < 0) return a + kHalfTurn;
  return a + kFullTurn;
}

// Branch-free: S is 1 off the z axis and 0 on it, Z the sign of z. Off the axis this is
// atan(z / R); on the axis 2·atan(Z), the quarter turn at full precision.
double ElevationOf(double x, double y, double z) noexcept {
  const double R = std::sqrt(x * x + y * y);
  const double S = R > 0 ? 1 : 0;
  const double Z = z > 0 ? 1 : (z < 0 ? -1 : 0);
  return std::atan(S * z / (R + 1 - S) + Z * (1 - S)) * (2 - S);
}

double AngleOfRate(const Vec3& p, const Vec3& v) noexcept {
  return (p.x * v.y - p.y * v.x) / (p.x * p.x + p.y * p.y);
}

double ElevationRate(const Vec3& p, const Vec3& v) noexcept {
  double rho, r, rho2, r2;
  VecNorms(p, rho, r, rho2, r2);
  return (rho2 * v.z - (p.x * v.x + p.y * v.y) * p.z) / (rho * r2);
}

double Hypot(double a, double b) noexcept {
  return std::sqrt(b * b + a * a);
}

double FloatMod(double x, double m) noexcept {
  const double q = x / m;
  return (q - std::floor(q)) * m;
}
