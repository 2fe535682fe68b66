// The drawn geometry of the three views: where the moving parts stand, apart from painting.
//
// The drawing uses the station on the Earth as drawn (15 times enlarged), so its line of
// sight differs from the true one of the readouts; the readouts never use these values.
// Scene coordinates are km with the Earth's centre at the origin. Includes neither Qt nor
// the toolkit, so that it is checked without a window.
#pragma once

#include "geometry/mat3.h"
#include "geometry/vec3.h"
#include "model/constants.h"

// The geometry of the drawn line of sight, from the Earth-fixed Moon to the drawn P.
struct DrawnGeometry {
  Vec3 moonFixed;   // km, the Moon in Earth-fixed axes
  Vec3 sightDrawn;  // km, from the drawn P to the Moon
  double a, b;      // cosine and minus sine of the drawn sight line's polar angle
  double c, d;      // cosine and sine of its elevation above the equator
  Mat3 viewFrame;   // rows: east, north and along-sight unit vectors of the drawn sight line
  Vec3 L;           // km, the Moon in view axes (x east, y north, z along the sight line)
  Vec3 P;           // km, the drawn P in view axes
  double rearZ;     // km, where the grey sight line starts: 0, or P.z when P is behind
};

// Lines through the Earth reach 1.6 semi-major axes (616000 km) from it, past the whole orbit,
// so they cross the whole view whatever their angle: the node line's halves, and the axes.
inline constexpr double kNodeLineReach = 1.6;
inline constexpr double axisHalfLength = kSemiMajorAxis * kNodeLineReach;
// Half the width of the station's X mark, km.
inline constexpr double crossHalfWidth = 9019.96035546;

[[nodiscard]] DrawnGeometry ComputeDrawnGeometry(const Mat3& earthRot, const Vec3& moonPos,
                                                 const Vec3& stationPosScaled) noexcept;
// The drawn geometry of the model's current state.
[[nodiscard]] DrawnGeometry CurrentDrawnGeometry();

// The node line's marks "A" and "D" stand at 1/1.8 of its reach from the ellipse's centre,
// inside the orbit; the same factor times the width of "A" raises them off the line.
inline constexpr double kNodeMarkDivisor = 1.8;
// km, from the Earth toward the ascending node for the node-line angle theta (rad).
struct NodeLineReach {
  double x, y;
};
[[nodiscard]] NodeLineReach NodeLineReachOf(double theta) noexcept;
