// The Moon's Keplerian orbit in its own plane: position and velocity from a mean or true anomaly.
//
// Orbit-plane frame: origin at the Earth's centre (the occupied focus), x toward perigee,
// y a quarter turn further in the direction of motion; every vector has z = 0.
#pragma once

#include "geometry/vec3.h"

// The Earth's offset from the centre of the drawn orbit ellipse: a·e = 385000 × 0.0717 km.
inline constexpr double focusOffset = 27604.5;
// Radius of the Moon's disc in the drawings, 15 times its true 1736.6007 km.
inline constexpr double moonRadiusDrawn = 26049.01;

// Module state, written by OrbitFromMeanAnomaly and OrbitFromTrueAnomaly only; zero until
// start-up calls InitMoonOrbit. E is the eccentric anomaly and D = 1 - e·cos E.
extern double trueAnomaly;  // rad, in (0, 2 pi]: the Moon's angle from perigee
extern double orbitX;       // km, a·(cos E - e)
extern double orbitY;       // km, a·sqrt(1 - e²)·sin E
extern double radialSpeed;  // m/s, rate of change of the Earth-Moon distance
extern double orbitVelX;    // m/s
extern double orbitVelY;    // m/s
extern Vec3 orbitPos;       // km, (orbitX, orbitY, 0)
extern Vec3 orbitVel;       // m/s, (orbitVelX, orbitVelY, 0)

// Solves Kepler's equation E - e·sin E = M by Newton's method (at most 11 steps) and sets
// the state. Start-up only.
void OrbitFromMeanAnomaly(double M);
// Sets the state from the true anomaly nu (one turn or less) through the half-angle relation.
void OrbitFromTrueAnomaly(double nu);
// Start-up: clears Picture1, solves for mean anomaly M and draws the Moon and the Earth-Moon
// line.
void InitMoonOrbit(double M);
