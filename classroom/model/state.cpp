// SPDX-License-Identifier: GPL-3.0-or-later
// The classroom model's state, defined in one place; see state.h for each variable's writer.
#include "classroom/model/state.h"

double trueAnomaly = 0;
double orbitX = 0;
double orbitY = 0;
double radialSpeed = 0;
double orbitVelX = 0;
double orbitVelY = 0;
Vec3 orbitPos;
Vec3 orbitVel;

double cosTilt = 0;
double sinTilt = 0;
Mat3 TiltRot;

Vec3 moonPos;
Vec3 moonVel;

Mat3 EarthRot;
Mat3 EarthRotRate;
Mat3 NodeRot;

double stationCosLat = 0;
double stationSinLat = 0;
double stationCosLon = 0;
double stationSinLon = 0;
Vec3 stationPos;
Vec3 stationPosScaled;
Mat3 stationFrame;
