// The moving parts of the three scene views: the Moon, the station, the sight lines and axes.
//
// The drawing uses the station on the Earth as drawn (15 times enlarged), so its line of
// sight differs from the true one of the readouts; the readouts never use these values.
// Scene coordinates are km with the Earth's centre at the origin; every x handed to a
// surface gets focusOffset added, because the surfaces put the Earth at the ellipse's focus.
#pragma once

#include <string>

#include "app/toolkit/color.h"
#include "geometry/mat3.h"
#include "geometry/vec3.h"
#include "model/orbit.h"
#include "view/readout.h"

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
  toolkit::Color grey;
};

// Half-length of the axes through the Earth: 1.6 semi-major axes, past the whole orbit.
inline constexpr double axisHalfLength = 385000 * 1.6;
// The Moon's true radius, km, drawn beside its enlarged disc (moonRadiusDrawn).
inline constexpr double moonRadius = 1736.6007;
// Half the width of the station's X mark, km.
inline constexpr double crossHalfWidth = 9019.96035546;

[[nodiscard]] DrawnGeometry ComputeDrawnGeometry(const Mat3& earthRot, const Vec3& moonPos,
                                                 const Vec3& stationPosScaled) noexcept;
// The drawn geometry of the model's current state.
[[nodiscard]] DrawnGeometry CurrentDrawnGeometry();

// The view of Picture2: the plane of the drawn sight line and north, the sight line
// horizontal.
void DrawPicture2View(const DrawnGeometry& g);
// The view of Picture3: the plane of the polar axis and the sight line, polar axis vertical.
void DrawPicture3View(const DrawnGeometry& g);
// The view of Picture1: the plane of the sight line and east, laid into the equator.
void DrawPicture1View(const DrawnGeometry& g);

// Prints text near the scene point (x, y) of a view (1 = Picture1, 2 = Picture2,
// 3 = Picture3), offset by dx text widths and dy text heights. The font size is set to 14
// on all three pictures first, whatever the view; any other view prints nothing.
void DrawLabel(int view, double x, double y, double dx, double dy, const std::string& text);
// An X mark centred on the scene point (x, y) of a view; nothing for any other view.
void DrawCross(int view, double x, double y, toolkit::Color color);

// The distances along the sight line, printed on Picture2.
void PrintDistanceTexts(const Readout& r);
// The axis letters of Picture3 and Picture1, placed with the drawn geometry, since they
// label the drawn axes.
void PrintAxisLetters(const DrawnGeometry& g);
