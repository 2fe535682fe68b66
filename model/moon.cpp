// The Moon's position and velocity in the equatorial frame, and its declination readout.
#include "model/moon.h"

#include <string>

#include "app/form/form1.h"
#include "app/toolkit/format.h"
#include "geometry/angles.h"
#include "model/earth.h"
#include "model/orbit.h"

double cosTilt = 0;
double sinTilt = 0;
Mat3 TiltRot;
Vec3 moonPos;
Vec3 moonVel;

void UpdateMoonState() {
  // Turn the orbit plane into the node frame, tilt it about the line of nodes (the node
  // frame's x axis), and turn back: the Moon rises through the equator at the node in
  // direction (cos θ, sin θ, 0).
  const Mat3 Nt = MatTranspose(NodeRot);
  moonPos = MatMulVec(Nt, MatMulVec(TiltRot, MatMulVec(NodeRot, orbitPos)));
  moonVel = MatMulVec(Nt, MatMulVec(TiltRot, MatMulVec(NodeRot, orbitVel)));
  const double delta = ElevationOf(moonPos.x, moonPos.y, moonPos.z) / kRadiansPerDegree;
  form1().Label1(1).SetCaption(" " + toolkit::Format(delta, "+0.000;-0.000;0.000") + "° ");
}

void MoveMoon(double nu, int holdEarth) {
  // Holding the Earth removes its rotation from every relative velocity until the sidereal
  // angle is set again.
  if (holdEarth == 1) EarthRotRate = MatZero();
  OrbitFromTrueAnomaly(nu);
  UpdateMoonState();
}
