// The drawn geometry of the three views: where the moving parts stand, apart from painting.
#include "view/drawn_geometry.h"

#include <cmath>

#include "model/state.h"

DrawnGeometry ComputeDrawnGeometry(const Mat3& earthRot, const Vec3& moonPos,
                                   const Vec3& stationPosScaled) noexcept {
  DrawnGeometry g;
  g.moonFixed = MatMulVec(earthRot, moonPos);
  g.sightDrawn = VecSub(g.moonFixed, stationPosScaled);
  double rho, r, rho2, r2;
  VecNorms(g.sightDrawn, rho, r, rho2, r2);
  g.a = g.sightDrawn.x / rho;
  g.b = -g.sightDrawn.y / rho;
  g.c = rho / r;
  g.d = g.sightDrawn.z / r;
  g.viewFrame = RotZX(g.a, g.b, g.c, g.d);
  g.L = MatMulVec(g.viewFrame, g.moonFixed);
  g.P = MatMulVec(g.viewFrame, stationPosScaled);
  // The grey sight line starts at the Earth's centre plane when P is on the Moon's side of
  // it, and at P itself when P is behind it.
  g.rearZ = g.P.z > 0 ? 0 : g.P.z;
  return g;
}

DrawnGeometry CurrentDrawnGeometry() {
  return ComputeDrawnGeometry(EarthRot, moonPos, stationPosScaled);
}

NodeLineReach NodeLineReachOf(double theta) noexcept {
  return {std::cos(theta) * kSemiMajorAxis * kNodeLineReach,
          std::sin(theta) * kSemiMajorAxis * kNodeLineReach};
}
