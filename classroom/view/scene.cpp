// SPDX-License-Identifier: GPL-3.0-or-later
// The moving parts of the three scene views: the Moon, the station, the sight lines and axes.
//
// Where each part stands is computed in drawn_geometry; this file only paints it. Scene x is
// measured from the Earth's centre and becomes surface x through SurfaceX.
#include "classroom/view/scene.h"

#include <array>
#include <cmath>
#include <string>

#include "classroom/form/form1.h"
#include "classroom/view/readout_text.h"
#include "toolkit/picture_box.h"

namespace {

using toolkit::Color;
using toolkit::kGrey;
using toolkit::kRed;
using toolkit::kWhite;
using toolkit::PictureBox;

// Where the letters "L" and "P" stand from the Moon's and P's centres in one view, in text
// widths to the right and text heights up.
struct LetterPlaces {
  double moonDx, moonDy, stationDx, stationDy;
};
constexpr LetterPlaces kBesselLetters{-0.4, 1.7, -1.0, 1.2};
constexpr LetterPlaces kMeridianLetters{2.2, 0.5, 1.0, 1.3};
constexpr LetterPlaces kPlanLetters{-1.4, 1.7, 1.0, 1.2};
// Labels are printed 14 points high on every view.
constexpr float kLabelFontSize = 14;

// The axis letters, 12 points high. Picture3's stand at surface coordinates as they are,
// measured from the ellipse's centre, not the Earth: "z" 555000 km right, at the height the
// sight line rises to there, raised 1.2 text heights; "y" and "y'" by the ends of the line
// across the sight line, 225000 km along its slope and 40000 km further right, at heights
// 235000 and -195000 km. Picture1's "x" and "x'" stand by the ends of the east-west axis,
// 350000 km from the Earth's centre, pushed outward by part of a text height.
constexpr float kAxisLetterFontSize = 12;
constexpr double kZLetterX = 555000;
constexpr double kZLetterRaise = 1.2;
constexpr double kAcrossSlopeReach = 225000;
constexpr double kAcrossShift = 40000;
constexpr double kYLetterY = 235000;
constexpr double kYPrimeLetterY = -195000;
constexpr double kXLetterReach = 350000;

// The distance texts of Picture2: a column at x = 200000 km, from y = -110000 km down, one
// line every 40000 km.
constexpr double kDistanceTextX = 200000;
constexpr double kDistanceTextTop = -110000;
constexpr double kDistanceTextStep = 40000;

// The surfaces take single-precision coordinates.
float F(double v) {
  return static_cast<float>(v);
}

// Both lines of a pair, in order.
void LinesInScene(PictureBox& pic, const ViewSegment (&pair)[2], Color color) {
  for (const ViewSegment& s : pair) {
    pic.Line(F(SurfaceX(s.from.x)), F(s.from.y), F(SurfaceX(s.to.x)), F(s.to.y), color);
  }
}

PictureBox* Target(int view) {
  switch (view) {
    case 1:
      return &form1().Picture1();
    case 2:
      return &form1().Picture2();
    case 3:
      return &form1().Picture3();
    default:
      return nullptr;
  }
}

// Clears the view and draws the Moon at two sizes (enlarged like the Earth, and true), P's X
// and the two letters.
void DrawMoonAndStation(int view, PictureBox& pic, const ViewDrawing& v,
                        const LetterPlaces& letters) {
  pic.Cls();
  pic.Circle(F(SurfaceX(v.moon.x)), F(v.moon.y), F(kMoonRadiusDrawn), kWhite);
  pic.Circle(F(SurfaceX(v.moon.x)), F(v.moon.y), F(kMoonRadius), kWhite);
  DrawLabel(view, v.moon.x, v.moon.y, letters.moonDx, letters.moonDy, "L");
  DrawCross(view, v.station.x, v.station.y, kWhite);
  DrawLabel(view, v.station.x, v.station.y, letters.stationDx, letters.stationDy, "P");
}

}  // namespace

void DrawPicture2View(const SceneDrawing& s) {
  PictureBox& pic = form1().Picture2();
  DrawMoonAndStation(2, pic, s.bessel, kBesselLetters);
  LinesInScene(pic, s.bessel.sight, kGrey);
  LinesInScene(pic, s.bessel.axes, kRed);
}

void DrawPicture3View(const SceneDrawing& s) {
  PictureBox& pic = form1().Picture3();
  DrawMoonAndStation(3, pic, s.meridian, kMeridianLetters);
  LinesInScene(pic, s.meridian.axes, kWhite);
  LinesInScene(pic, s.meridian.sight, kGrey);
}

void DrawPicture1View(const SceneDrawing& s) {
  PictureBox& pic = form1().Picture1();
  DrawMoonAndStation(1, pic, s.plan, kPlanLetters);
  LinesInScene(pic, s.plan.axes, kWhite);
  // Where the drawn Earth's north pole falls in this view, circled at the true radius.
  pic.Circle(F(SurfaceX(s.pole.x)), F(s.pole.y), F(kEarthRadius), kWhite);
  LinesInScene(pic, s.plan.sight, kGrey);
}

void DrawLabel(int view, double x, double y, double dx, double dy, const std::string& text) {
  Form1& f = form1();
  f.Picture1().SetFontSize(kLabelFontSize);
  f.Picture2().SetFontSize(kLabelFontSize);
  f.Picture3().SetFontSize(kLabelFontSize);
  // Measured on Picture1 whatever the view: all three surfaces have the same km per twip.
  const double h = f.Picture1().TextHeight(text);
  const double w = f.Picture1().TextWidth(text);
  PictureBox* pic = Target(view);
  if (pic == nullptr) return;
  pic->SetFontTransparent(true);
  pic->SetCurrentX(F(w * dx + SurfaceX(x)));
  pic->SetCurrentY(F(y - h * dy));
  pic->Print(text);
}

void DrawCross(int view, double x, double y, Color color) {
  PictureBox* pic = Target(view);
  if (pic == nullptr) return;
  const double s = crossHalfWidth;
  const float x0 = F(SurfaceX(x));
  const float y0 = F(y);
  pic->LineRel(x0, y0, F(s), F(s), color);
  pic->LineRel(x0, y0, F(s), F(-s), color);
  pic->LineRel(x0, y0, F(-s), F(s), color);
  pic->LineRel(x0, y0, F(-s), F(-s), color);
}

void PrintDistanceTexts(const Readout& r) {
  PictureBox& pic = form1().Picture2();
  const std::array<std::string, 3> texts = DistanceTexts(r);
  pic.SetFontName("verdana");
  for (std::size_t i = 0; i < texts.size(); ++i) {
    pic.SetCurrentX(F(kDistanceTextX));
    pic.SetCurrentY(F(kDistanceTextTop - kDistanceTextStep * static_cast<double>(i)));
    pic.Print(texts[i]);
  }
}

void PrintAxisLetters(const DrawnGeometry& g) {
  Form1& f = form1();
  const double a = g.a;
  const double b = g.b;
  const double c = g.c;
  const double d = g.d;

  PictureBox& p3 = f.Picture3();
  p3.SetFontName("tahoma");
  p3.SetFontSize(kAxisLetterFontSize);
  // Used with the sign the surface reports: negative, since y points up.
  const double h3 = p3.TextHeight("z");
  p3.SetCurrentX(F(kZLetterX));
  p3.SetCurrentY(F(kZLetterX * d - kZLetterRaise * h3));
  p3.Print("z");
  p3.SetCurrentX(F(-kAcrossSlopeReach * d / c + kAcrossShift));
  p3.SetCurrentY(F(kYLetterY));
  p3.Print("y");
  p3.SetCurrentX(F(kAcrossSlopeReach * d / c + kAcrossShift));
  p3.SetCurrentY(F(kYPrimeLetterY));
  p3.Print("y'");

  PictureBox& p1 = f.Picture1();
  p1.SetFontName("tahoma");
  p1.SetFontSize(kAxisLetterFontSize);
  const double h1 = std::fabs(static_cast<double>(p1.TextHeight("x'")));
  p1.SetCurrentX(F(a * h1 / 1.2 + SurfaceX(kXLetterReach * b)));
  p1.SetCurrentY(F(b * h1 / 1.2 + kXLetterReach * a));
  p1.Print("x");
  p1.SetCurrentX(F(SurfaceX(-kXLetterReach * b) - a * h1));
  p1.SetCurrentY(F(b * h1 / 1.6 - kXLetterReach * a));
  p1.Print("x'");
}
