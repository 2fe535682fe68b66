// The observing station's module state; the station sliders' handler writes it.
#include "model/station.h"

double stationCosLat = 0;
double stationSinLat = 0;
double stationCosLon = 0;
double stationSinLon = 0;
Vec3 stationPos;
Vec3 stationPosScaled;
Mat3 stationFrame;
