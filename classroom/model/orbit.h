// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's Keplerian orbit in its own plane: position and velocity from a mean or true anomaly.
//
// Orbit-plane frame: origin at the Earth's centre (the occupied focus), x toward perigee,
// y a quarter turn further in the direction of motion; every vector has z = 0.
#pragma once

#include "classroom/model/constants.h"
#include "classroom/model/state.h"

// Solves Kepler's equation E - e·sin E = M by Newton's method (at most 11 steps) and sets
// the orbit-plane state (trueAnomaly to orbitVel). Start-up only.
void OrbitFromMeanAnomaly(double M);
// Sets the same state from the true anomaly nu (one turn or less) through the half-angle
// relation.
void OrbitFromTrueAnomaly(double nu);
