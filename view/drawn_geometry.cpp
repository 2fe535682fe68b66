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

constexpr double RE15 = kEarthRadiusDrawn;
constexpr double reach = axisHalfLength;

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
  const Mat3 axisFrame = MatTranspose(RotZX(1, 0, c, d));
  const Vec3 M3 = MatMulVec(axisFrame, L);
  const Vec3 Q3 = MatMulVec(axisFrame, P);
  const Vec3 rear3 = MatMulVec(axisFrame, WithZ(L, g.rearZ));
  const Vec3 foot3 = MatMulVec(axisFrame, WithY(L, 0));
  s.meridian.moon = {M3.x, M3.z};
  s.meridian.station = {Q3.x, Q3.z};
  s.meridian.axes[0] = {{0, 0}, {reach * c, reach * d}};
  s.meridian.axes[1] = {{-reach * d, reach * c}, {reach * d, -reach * c}};
  s.meridian.sight[0] = {{M3.x, M3.z}, {rear3.x, rear3.z}};
  s.meridian.sight[1] = {{M3.x, M3.z}, {foot3.x, foot3.z}};

  // From view axes to the equator plane: the sight line's east and its horizontal direction.
  const Mat3 planFrame = MatTranspose(RotZX(a, b, 1, 0));
  const Vec3 M1 = MatMulVec(planFrame, L);
  const Vec3 Q1 = MatMulVec(planFrame, P);
  const Vec3 rear1 = MatMulVec(planFrame, WithZ(L, g.rearZ));
  const Vec3 foot1 = MatMulVec(planFrame, WithX(L, 0));
  s.plan.moon = {M1.x, M1.y};
  s.plan.station = {Q1.x, Q1.y};
  s.plan.axes[0] = {{0, 0}, {reach * a, -reach * b}};
  s.plan.axes[1] = {{reach * b, reach * a}, {-reach * b, -reach * a}};
  s.plan.sight[0] = {{M1.x, M1.y}, {rear1.x, rear1.y}};
  s.plan.sight[1] = {{M1.x, M1.y}, {foot1.x, foot1.y}};
  s.pole = {a * d * RE15, -b * d * RE15};
  return s;
}
