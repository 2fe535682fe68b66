// SPDX-License-Identifier: GPL-3.0-or-later
// The classroom model's state: every module variable of the physics, declared in one place.
//
// All are zero until start-up or their first setter gives them a value, and live until the
// program ends. Units: positions km, velocities m/s, angles rad, rotation rates times 1000
// (so that a rate times a position in km is a velocity in m/s). Frames are described in
// orbit.h (orbit plane), moon.h (equatorial), earth.h (Earth-fixed) and station.h (horizon).
#pragma once

#include "geometry/mat3.h"
#include "geometry/vec3.h"

// The Moon in its orbit plane; written by OrbitFromMeanAnomaly and OrbitFromTrueAnomaly.
// E is the eccentric anomaly and D = 1 - e·cos E.
extern double trueAnomaly;  // rad, in (0, 2 pi]: the Moon's angle from perigee
extern double orbitX;       // km, a·(cos E - e)
extern double orbitY;       // km, a·sqrt(1 - e²)·sin E
extern double radialSpeed;  // m/s, rate of change of the Earth-Moon distance
extern double orbitVelX;    // m/s
extern double orbitVelY;    // m/s
extern Vec3 orbitPos;       // km, (orbitX, orbitY, 0)
extern Vec3 orbitVel;       // m/s, (orbitVelX, orbitVelY, 0)

// The orbit plane's tilt to the equator; written once by SetOrbitTilt (start-up).
extern double cosTilt;  // cos kOrbitTilt
extern double sinTilt;  // sin kOrbitTilt
extern Mat3 TiltRot;    // frame rotation about x by the tilt

// The Moon in the equatorial frame; written by MoonStateFromOrbit.
extern Vec3 moonPos;  // km
extern Vec3 moonVel;  // m/s

// The Earth's rotation and the line of nodes.
extern Mat3 EarthRot;      // equatorial to Earth-fixed components; SetSiderealAngle, StopEarth
extern Mat3 EarthRotRate;  // time derivative of EarthRot, times 1000; zero while the Earth is
                           // held (HoldEarth, StopEarth), set again by SetSiderealAngle
extern Mat3 NodeRot;       // frame rotation by the node-line angle about the polar axis;
                           // SetNodeRotation

// The observing station P; the cosines and sines are written by SetStationLatitude and
// SetStationLongitude, the rest by PlaceStation.
extern double stationCosLat;   // cos of the latitude
extern double stationSinLat;   // sin of the latitude
extern double stationCosLon;   // cos of the longitude angle
extern double stationSinLon;   // minus sin of the longitude angle (counted clockwise from above)
extern Vec3 stationPos;        // km, P on the true Earth, Earth-fixed axes
extern Vec3 stationPosScaled;  // km, P on the Earth as drawn (15 times enlarged)
extern Mat3 stationFrame;      // rows: north, east, zenith unit vectors of P, Earth-fixed axes
