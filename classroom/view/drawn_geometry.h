// SPDX-License-Identifier: GPL-3.0-or-later
// The drawn geometry of the three views: where the moving parts stand, apart from painting.
//
// The drawing uses the station on the Earth as drawn (15 times enlarged), so its line of
// sight differs from the true one of the readouts; the readouts never use these values.
// Scene coordinates are km with the Earth's centre at the origin. Includes neither Qt nor
// the toolkit, so that it is checked without a window.
#pragma once

#include "classroom/model/constants.h"
#include "geometry/mat3.h"
#include "geometry/vec3.h"

// Surface x of a scene x: the surfaces put their origin at the ellipse's centre and the Earth
// at the focus, kFocusOffset to its right.
[[nodiscard]] constexpr double SurfaceX(double sceneX) noexcept {
  return sceneX + kFocusOffset;
}

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

// A point in the plane of one view, km: x to the right from the Earth's centre, y up.
struct ViewPoint {
  double x, y;
};
struct ViewSegment {
  ViewPoint from, to;
};
// What one view draws of the moving scene, in the order each is drawn: the Moon, the drawn
// P, the two grey lines that tie the Moon to the view's axes, and the view's two axes.
struct ViewDrawing {
  ViewPoint moon;
  ViewPoint station;
  ViewSegment sight[2];
  ViewSegment axes[2];
};
// The three views, each a plane through the drawn sight line, so that in every one the Moon
// and P stand their full distance apart.
struct SceneDrawing {
  // Picture2, Bessel's frame: the sight line horizontal, north up. The grey lines run along
  // the sight line from where it starts (rearZ) and down to the sight line's axis; the red
  // axes are the Earth's polar axis (twice the drawn radius each side) and its equator seen
  // edge-on (one drawn radius each side).
  ViewDrawing bessel;
  // Picture3: the meridian plane of the sight line, the polar axis up. The white axes are the
  // sight line's direction from the Earth and the line across it.
  ViewDrawing meridian;
  // Picture1: the plane of the sight line and east, laid into the equator. The white axes as
  // in the meridian view, and pole, where the drawn Earth's north pole falls.
  ViewDrawing plan;
  ViewPoint pole;
};
[[nodiscard]] SceneDrawing ComputeSceneDrawing(const DrawnGeometry& g) noexcept;

// Lines through the Earth reach 1.6 semi-major axes (616000 km) from it, past the whole orbit,
// so they cross the whole view whatever their angle: the node line's halves, and the axes.
inline constexpr double kNodeLineReach = 1.6;
inline constexpr double axisHalfLength = kSemiMajorAxis * kNodeLineReach;
// Half the width of the station's X mark, km: the Earth's true radius times 1.4142 (the square
// root of 2 to five digits), so that each of its four arms is twice that radius long.
inline constexpr double crossHalfWidth = kEarthRadius * 1.4142;

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
