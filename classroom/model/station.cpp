// SPDX-License-Identifier: GPL-3.0-or-later
// The observing station: its place on the true and the drawn Earth, and its horizon frame.
#include "classroom/model/station.h"

#include <cmath>

void SetStationLatitude(double phi) {
  stationCosLat = std::cos(phi);
  stationSinLat = std::sin(phi);
}

void SetStationLongitude(double lambda) {
  stationCosLon = std::cos(lambda);
  stationSinLon = -std::sin(lambda);
}

void PlaceStation() {
  const double cL = stationCosLat;
  const double sL = stationSinLat;
  const double cO = stationCosLon;
  const double sO = stationSinLon;
  stationPosScaled = {cL * kEarthRadiusDrawn * cO, cL * kEarthRadiusDrawn * sO,
                      sL * kEarthRadiusDrawn};
  stationPos = {cL * kEarthRadius * cO, cL * kEarthRadius * sO, sL * kEarthRadius};
  // Rows north, east, zenith in Earth-fixed axes. North is the direction P moves in when the
  // latitude grows, east the direction the Earth's rotation carries it, zenith P itself.
  Mat3 frame;
  frame(0, 0) = -cO * sL;
  frame(0, 1) = -sO * sL;
  frame(0, 2) = cL;
  frame(1, 0) = -sO;
  frame(1, 1) = cO;
  frame(1, 2) = 0;
  frame(2, 0) = cO * cL;
  frame(2, 1) = sO * cL;
  frame(2, 2) = sL;
  stationFrame = frame;
}
