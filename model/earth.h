// The Earth's rotation (Greenwich sidereal angle) and the line of nodes of the Moon's orbit.
#pragma once

#include "app/toolkit/picture.h"
#include "geometry/mat3.h"

// The Earth's sidereal rotation rate, 7.292115855306615e-5 rad/s, times 1000: positions are
// in km and velocities in m/s, so EarthRotRate·p for p in km is a velocity in m/s.
inline constexpr double kEarthRate = 0.07292115855306615;

extern Mat3 EarthRot;      // equatorial to Earth-fixed components; set by SetSiderealAngle
extern Mat3 EarthRotRate;  // time derivative of EarthRot, times 1000; zero while held
extern Mat3 NodeRot;       // frame rotation by the node-line angle about the polar axis
extern toolkit::Picture backgroundPicture;  // fixed figure of Picture1, captured at start-up
extern toolkit::Picture nodeLinePicture;    // that figure with the node line; Picture1's Picture

// Sets EarthRot and EarthRotRate for the sidereal angle g (rad). No drawing.
void SetSiderealAngle(double g);
// Sets NodeRot for the node-line angle theta (rad), redraws the node line into Picture1's
// background layer, and ends with UpdateMoonState.
void SetNodeLine(double theta);
