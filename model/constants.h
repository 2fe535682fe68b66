// The classroom model's fixed figures: the Moon's orbit, the Earth, the drawn sizes, the echo.
#pragma once

// The Earth's sidereal rotation rate, 7.292115855306615e-5 rad/s, times 1000: positions are
// in km and velocities in m/s, so EarthRotRate·p for p in km is a velocity in m/s.
inline constexpr double kEarthRate = 0.07292115855306615;

// The tilt of the orbit plane to the equator, 28.73° stored in radians.
inline constexpr double kOrbitTilt = 0.5014330940979704;

// The Earth's offset from the centre of the drawn orbit ellipse: a·e = 385000 × 0.0717 km.
inline constexpr double focusOffset = 27604.5;

// The Earth's equatorial radius in km, and as drawn, 15 times enlarged.
inline constexpr double kEarthRadius = 6378.1363;
inline constexpr double kEarthRadiusDrawn = 95672.0445;
// Radius of the Moon's disc in the drawings, 15 times its true 1736.6007 km.
inline constexpr double moonRadiusDrawn = 26049.01;

// Hertz of shift per m/s of range rate: the two-way factor -2·f/c of a 10 GHz signal sent
// from P to the Moon and back, stored ready-made. A receding Moon lowers the echo.
inline constexpr double dopplerFactor = -69.167851;
