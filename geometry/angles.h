// SPDX-License-Identifier: GPL-3.0-or-later
// Polar and elevation angles with their time rates, and two scalar helpers.
#pragma once

#include "geometry/vec3.h"

// The angle figures of the model, written as the program has always written them: the turns
// with 14 or 15 significant digits, not as full-precision multiples of pi, and radians per
// degree 17 units in the last place under pi/180. They stay as they are: the readouts depend
// on them to their last digit (a slider's last position reads 360.000°, not 0.000°, and the
// positive x axis has the polar angle 6.28318530717959, a hair above 2 pi). Do not "fix" them.
//
// One turn as slider positions are converted and as the orbit solver reduces angles.
inline constexpr double kTurn = 6.28318530717958;
// The full, half, quarter and three-quarter turns AngleOf returns.
inline constexpr double kFullTurn = 6.28318530717959;
inline constexpr double kHalfTurn = 3.14159265358979;
inline constexpr double kQuarterTurn = 1.5707963267949;
inline constexpr double kThreeQuarterTurn = 4.71238898038469;
// Every readout shows degrees = radians / kRadiansPerDegree.
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
