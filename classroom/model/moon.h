// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's position and velocity in the Earth-centred, non-rotating equatorial frame.
//
// Equatorial frame: z along the Earth's axis toward the north pole, x along the orbit-plane
// x axis before the orbit is tilted; the frame does not turn with the Earth.
#pragma once

#include "classroom/model/constants.h"
#include "classroom/model/state.h"

// Fills cosTilt, sinTilt and TiltRot from kOrbitTilt: a frame rotation about the x axis, the
// line where the orbit plane meets the equator. Start-up calls it once.
void SetOrbitTilt();
// Recomputes moonPos and moonVel from the orbit-plane state, NodeRot and TiltRot.
void MoonStateFromOrbit();
// The Moon's declination, in degrees, from moonPos.
[[nodiscard]] double MoonDeclinationDegrees();
