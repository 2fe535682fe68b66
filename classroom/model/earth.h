// SPDX-License-Identifier: GPL-3.0-or-later
// The Earth's rotation (Greenwich sidereal angle) and the line of nodes of the Moon's orbit.
//
// Earth-fixed frame: z toward the north pole, x through longitude 0; EarthRot turns the
// equatorial frame into it by the sidereal angle.
#pragma once

#include "classroom/model/constants.h"
#include "classroom/model/state.h"

// Sets EarthRot and EarthRotRate for the sidereal angle g (rad).
void SetSiderealAngle(double g);
// Zeroes EarthRotRate: the Earth's rotation adds no velocity until the sidereal angle is
// set again.
void HoldEarth();
// The Earth back at sidereal angle zero and held still.
void StopEarth();
// Sets NodeRot for the node-line angle theta (rad).
void SetNodeRotation(double theta);
