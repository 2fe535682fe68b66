// The observing station P on the Earth's surface: its position and local horizon frame.
//
// Written by the station sliders' handler; read by the readouts and the scene.
#pragma once

#include "geometry/mat3.h"
#include "geometry/vec3.h"

// The Earth's equatorial radius in km, and as drawn, 15 times enlarged.
inline constexpr double kEarthRadius = 6378.1363;
inline constexpr double kEarthRadiusDrawn = 95672.0445;

extern double stationCosLat;   // cos of the latitude
extern double stationSinLat;   // sin of the latitude
extern double stationCosLon;   // cos of the longitude angle
extern double stationSinLon;   // minus sin of the longitude angle (counted clockwise from above)
extern Vec3 stationPos;        // km, P on the true Earth, Earth-fixed axes
extern Vec3 stationPosScaled;  // km, P on the Earth as drawn (15 times enlarged)
extern Mat3 stationFrame;      // rows: north, east, zenith unit vectors of P, Earth-fixed axes
