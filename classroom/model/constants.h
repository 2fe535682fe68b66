// SPDX-License-Identifier: GPL-3.0-or-later
// The classroom model's fixed figures: the Moon's orbit, the Earth, the drawn sizes, the echo.
//
// Like the angle figures of geometry/angles.h, these are the digits the program has always
// used; the readouts depend on them to the last digit, so derived figures (1 - e², the focus
// offset, the speeds) are stored as written rather than recomputed at full precision.
#pragma once

// The Moon's orbit: semi-major axis a in km and eccentricity e. 1 - e and 1 + e are kept as
// their own literals, and 1 - e² is stored so that its root is taken at run time.
inline constexpr double kSemiMajorAxis = 385000;
inline constexpr double kEccentricity = 0.0717;
inline constexpr double kOneMinusE = 0.9283;
inline constexpr double kOnePlusE = 1.0717;
inline constexpr double kOneMinusESquared = 0.99485911;
// a·n and a·e·n in m/s, n the mean motion of an anomalistic month of 27.55455 days.
inline constexpr double kOrbitSpeed = 1016.0931709672512;
inline constexpr double kRadialSpeedScale = 72.85388035835192;
// The tilt of the orbit plane to the equator, 28.73° stored in radians.
inline constexpr double kOrbitTilt = 0.5014330940979704;
// Turns of the Earth for one turn of the Moon on its orbit (the anomalistic month in sidereal
// days), the ratio that couples the sidereal angle to the Moon.
inline constexpr double kEarthTurnsPerMoonTurn = 27.55455;

// The Earth's sidereal rotation rate, 7.292115855306615e-5 rad/s, times 1000: positions are
// in km and velocities in m/s, so EarthRotRate·p for p in km is a velocity in m/s.
inline constexpr double kEarthRate = 0.07292115855306615;
// The Earth's equatorial radius and the Moon's radius, km.
inline constexpr double kEarthRadius = 6378.1363;
inline constexpr double kMoonRadius = 1736.6007;

// The drawings: the origin is the centre of the orbit ellipse, and the Earth stands at the
// occupied focus, a·e = 385000 × 0.0717 km to its right.
inline constexpr double kFocusOffset = 27604.5;
// The Earth drawn 15 times enlarged, and the Moon too (15 × 1736.6007 rounded to 26049.01).
inline constexpr double kEarthRadiusDrawn = 95672.0445;
inline constexpr double kEarthDiameterDrawn = 2 * kEarthRadiusDrawn;
inline constexpr double kMoonRadiusDrawn = 26049.01;

// Hertz of shift per m/s of range rate: the two-way factor -2·f/c of a 10 GHz signal sent
// from P to the Moon and back, stored ready-made. A receding Moon lowers the echo.
inline constexpr double kDopplerFactor = -69.167851;
