// SPDX-License-Identifier: GPL-3.0-or-later
// The observing station P on the Earth's surface: its position and local horizon frame.
//
// Earth-fixed axes: z toward the north pole, x through longitude 0. The longitude angle is
// counted clockwise seen from above the north pole, so P's second coordinate carries
// -sin of it (stationSinLon). Horizon frame: rows north, east, zenith.
#pragma once

#include "classroom/model/constants.h"
#include "classroom/model/state.h"

// Sets stationCosLat and stationSinLat for the latitude phi (rad).
void SetStationLatitude(double phi);
// Sets stationCosLon and stationSinLon for the longitude angle lambda (rad).
void SetStationLongitude(double lambda);
// Rebuilds stationPos, stationPosScaled and stationFrame from the four above.
void PlaceStation();
