// Polar and elevation angles with their time rates, and two scalar helpers.
#pragma once

#include "geometry/vec3.h"

// Radians per degree, as every readout divides by it: degrees = radians / kRadiansPerDegree.
inline constexpr double kRadiansPerDegree = 0.017453292519943278;

// Polar angle of (x, y) in (0, 2 pi]: the positive x axis gives a full turn, not 0.
[[nodiscard]] double AngleOf(double x, double y) noexcept;
// Angle of (x, y, z) above the x-y plane, in [-pi/2, pi/2], without branches.
[[nodiscard]] double ElevationOf(double x, double y, double z) noexcept;
// Time rate of AngleOf(p.x, p.y) when p moves with velocity v.
[[nodiscard]] double AngleOfRate(const Vec3& p, const Vec3& v) noexcept;
// Time rate of ElevationOf(p.x, p.y, p.z) when p moves with velocity v.
[[nodiscard]] double ElevationRate(const Vec3& p, const Vec3& v) noexcept;
// Square root of b·b + a·a.
[[nodiscard]] double Hypot(double a, double b) noexcept;
// x reduced into the range of m: (q - floor(q))·m with q = x / m.
[[nodiscard]] double FloatMod(double x, double m) noexcept;
