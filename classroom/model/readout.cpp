// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's motion seen from the station P and the Doppler shift of the echo: the readouts.
#include "classroom/model/readout.h"

#include "classroom/model/state.h"
#include "geometry/angles.h"

ReadoutInput CurrentReadoutInput() {
  return {moonPos,      moonVel,     EarthRot,  EarthRotRate, stationPos,
          stationFrame, radialSpeed, orbitVelX, orbitVelY};
}

Readout ComputeReadout(const ReadoutInput& in) noexcept {
  Readout out;
  const Vec3& P = in.stationPos;

  // The Moon in Earth-fixed axes, seen from P. The station is fixed in these axes, so the
  // derivative of moonFixed (product rule) is also the Moon's velocity relative to P.
  out.moonFixed = MatMulVec(in.EarthRot, in.moonPos);
  out.lineOfSight = VecSub(out.moonFixed, P);
  out.moonVelFixed = MatMulVecSum(in.EarthRotRate, in.moonPos, in.EarthRot, in.moonVel);

  // Elevation and azimuth from P's north, east and zenith components of the line of sight.
  const Vec3 n = MatMulVec(in.stationFrame, out.lineOfSight);
  out.El = ElevationOf(n.x, n.y, n.z) / kRadiansPerDegree;
  out.Az = AngleOf(n.x, n.y) / kRadiansPerDegree;

  // a, b: cosine and minus sine of the line of sight's polar angle; c, d: cosine and sine
  // of its elevation above the equator. The frame's rows are east, north and along-sight.
  double rho, r, rho2, r2;
  VecNorms(out.lineOfSight, rho, r, rho2, r2);
  const double a = out.lineOfSight.x / rho;
  const double b = -out.lineOfSight.y / rho;
  const double c = rho / r;
  const double d = out.lineOfSight.z / r;
  const Mat3 sightFrame = RotZX(a, b, c, d);

  out.sightAngleRate = AngleOfRate(out.lineOfSight, out.moonVelFixed);
  out.sightElevRate = ElevationRate(out.lineOfSight, out.moonVelFixed);
  const Mat3 sightFrameRate = RotZXRate(a, b, out.sightAngleRate, c, d, out.sightElevRate);

  // Distances along the line of sight, from the Earth's centre.
  out.Pz = MatMulVec(sightFrame, P).z;
  out.Lz = MatMulVec(sightFrame, out.moonFixed).z;
  out.PL = out.Lz - out.Pz;

  // The range rate is d/dt (u·moonFixed - u·P): the Moon's term carries u̇ and u's own
  // velocity, P's term only u̇, the turning of the sight line.
  out.moonSightRate = MatMulVecSum(sightFrameRate, out.moonFixed, sightFrame, out.moonVelFixed).z;
  out.stationSightRate = MatMulVec(sightFrameRate, P).z;
  out.vFin = out.moonSightRate - out.stationSightRate;

  // The Moon's apparent motion in right ascension and declination, from the non-rotating
  // moonPos less the Earth-fixed P as they stand, with the Moon's own velocity only.
  const Vec3 moonOffset = VecSub(in.moonPos, P);
  out.raRate = AngleOfRate(moonOffset, in.moonVel);
  out.decRate = ElevationRate(moonOffset, in.moonVel);

  // u̇·P = c·(east·P)·sightAngleRate + (north·P)·sightElevRate. Its right-ascension part,
  // c·(east·P)·raRate, is vAD with a plus sign; its declination part, (north·P)·decRate,
  // is -vDc. What the Earth's rotation adds to the sight-line rates is the rest.
  out.vAD = (a * c * P.y + b * c * P.x) * out.raRate;
  out.vDc = -(-a * d * P.x + b * d * P.y + c * P.z) * out.decRate;

  out.vRad = in.radialSpeed;
  out.vTan = Hypot(in.orbitVelX, in.orbitVelY);

  // The station term splits as u̇·P = vAD - vDc + rotation share, so the rotation share
  // is u̇·P + vDc - vAD. (Adding vAD instead would show the rotation share plus 2·vAD.)
  out.vRot = out.stationSightRate + out.vDc - out.vAD;
  out.AD = kDopplerFactor * out.vAD;
  out.Dc = kDopplerFactor * out.vDc;
  out.Rot = (out.stationSightRate + out.vDc - out.vAD) * kDopplerFactor;
  out.Final = kDopplerFactor * out.vFin;
  return out;
}
