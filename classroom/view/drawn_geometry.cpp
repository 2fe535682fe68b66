// SPDX-License-Identifier: GPL-3.0-or-later
// The drawn geometry of the three views: where the moving parts stand, apart from painting.
#include "classroom/view/drawn_geometry.h"

#include <cmath>

#include "classroom/model/state.h"

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

namespace {

Vec3 WithZ(Vec3 v, double z) {
  v.z = z;
  return v;
}
Vec3 WithY(Vec3 v, double y) {
  v.y = y;
  return v;
}
Vec3 WithX(Vec3 v, double x) {
  v.x = x;
  return v;
}

// One view through frame, which turns view axes into the view's own: its x row across, its
// row up vertical. The Moon, P, and the grey lines from the Moon to where the sight line
// starts and to foot.
ViewDrawing ProjectedView(const Mat3& frame, const DrawnGeometry& g, const Vec3& foot,
                          double Vec3::*up) {
  const Vec3 M = MatMulVec(frame, g.L);
  const Vec3 Q = MatMulVec(frame, g.P);
  const Vec3 rear = MatMulVec(frame, WithZ(g.L, g.rearZ));
  const Vec3 end = MatMulVec(frame, foot);
  ViewDrawing v;
  v.moon = {M.x, M.*up};
  v.station = {Q.x, Q.*up};
  v.sight[0] = {v.moon, {rear.x, rear.*up}};
  v.sight[1] = {v.moon, {end.x, end.*up}};
  return v;
}

constexpr double RE15 = kEarthRadiusDrawn;  // km, the Earth's radius as drawn
constexpr double reach = axisHalfLength;    // km, the axes' reach from the Earth

}  // namespace

SceneDrawing ComputeSceneDrawing(const DrawnGeometry& g) noexcept {
  const Vec3& L = g.L;
  const Vec3& P = g.P;
  const double a = g.a;
  const double b = g.b;
  const double c = g.c;
  const double d = g.d;
  SceneDrawing s;

  s.bessel.moon = {L.z, L.y};
  s.bessel.station = {P.z, P.y};
  s.bessel.sight[0] = {{g.rearZ, L.y}, {L.z, L.y}};
  s.bessel.sight[1] = {{L.z, 0}, {L.z, L.y}};
  s.bessel.axes[0] = {{-2 * d * RE15, -2 * c * RE15}, {2 * d * RE15, 2 * c * RE15}};
  s.bessel.axes[1] = {{c * RE15, -d * RE15}, {-c * RE15, d * RE15}};

  // From view axes to the meridian plane of the sight line: x along the equator toward the
  // sight line's polar angle, z along the polar axis (the polar axis is c·north + d·sight).
  s.meridian = ProjectedView(MatTranspose(RotZX(1, 0, c, d)), g, WithY(L, 0), &Vec3::z);
  s.meridian.axes[0] = {{0, 0}, {reach * c, reach * d}};
  s.meridian.axes[1] = {{-reach * d, reach * c}, {reach * d, -reach * c}};

  // From view axes to the equator plane: the sight line's east and its horizontal direction.
  s.plan = ProjectedView(MatTranspose(RotZX(a, b, 1, 0)), g, WithX(L, 0), &Vec3::y);
  s.plan.axes[0] = {{0, 0}, {reach * a, -reach * b}};
  s.plan.axes[1] = {{reach * b, reach * a}, {-reach * b, -reach * a}};
  s.pole = {a * d * RE15, -b * d * RE15};
  return s;
}
