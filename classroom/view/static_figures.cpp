// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed figures: the orbit ellipse with the Earth at its focus, the equator view and the
// Bessel's-frame view, each captured as the picture its surface's Cls brings back.
#include "classroom/view/static_figures.h"

#include <cmath>
#include <string>

#include "classroom/form/form1.h"
#include "classroom/model/constants.h"
#include "classroom/view/model_setters.h"
#include "geometry/angles.h"
#include "toolkit/color.h"
#include "toolkit/picture.h"
#include "toolkit/picture_box.h"

namespace {

using toolkit::kCyan;
using toolkit::kOlive;
using toolkit::kTeal;
using toolkit::kWhite;
using toolkit::kYellow;
using toolkit::PictureBox;

// Every surface has its origin at the centre of the orbit ellipse; the Earth stands at the
// occupied focus, kFocusOffset to the right, drawn 15 times enlarged.
constexpr double kEarthX = kFocusOffset;
// Half the span of Picture1 in km: the ellipse reaches 385000 km either side of its centre
// along x, which leaves a margin of 25000 km at both ends.
constexpr double kHalfSpan = 410000;

// The surfaces take single-precision coordinates; the arithmetic above them is double.
float F(double v) {
  return static_cast<float>(v);
}

void PrintAt(PictureBox& p, double x, double y, const std::string& text) {
  p.SetCurrentX(F(x));
  p.SetCurrentY(F(y));
  p.Print(text);
}

// Starts a fixed figure on a surface whose user frame has just been set: draw into the
// persistent image, with no background picture under it.
void BeginFigure(PictureBox& p) {
  p.SetAutoRedraw(true);
  p.SetPicture(toolkit::Picture());
  p.Cls();
}

// Turns what has been drawn into the surface's background, so that every later Cls restores
// exactly this figure, and leaves drawing persistent.
toolkit::Picture FixFigure(PictureBox& p) {
  p.SetAutoRedraw(false);
  toolkit::Picture figure = p.Image();
  p.Cls();
  p.SetPicture(figure);
  p.SetAutoRedraw(false);
  p.Cls();
  p.SetAutoRedraw(true);
  return figure;
}

// The Moon's orbit seen from above its plane, x from the ellipse's centre toward perigee.
// Returns the surface's width in twips, read before its unit changes.
double DrawOrbitFigure(PictureBox& p) {
  const double w = p.ScaleWidth();
  p.Scale(F(-kHalfSpan), F(kHalfSpan), F(kHalfSpan), F(-kHalfSpan));
  BeginFigure(p);

  p.Circle(F(kEarthX), 0, F(kEarthRadiusDrawn), kYellow);
  p.Line(F(kEarthX), F(-kEarthRadiusDrawn), F(kEarthX), F(kEarthRadiusDrawn), kOlive);
  p.Line(F(-kHalfSpan), 0, F(kHalfSpan), 0, kOlive);
  p.Line(0, F(-kHalfSpan), 0, F(kHalfSpan), kOlive);

  // The ellipse by its eccentric-anomaly parameter, one degree a step: b = a·sqrt(1 - e²)
  // with 1 - e² as the orbit stores it. d = 360 lands back on the first point and closes the
  // curve.
  for (int d = 0; d <= 360; ++d) {
    const double t = d * kRadiansPerDegree;
    const double x = kSemiMajorAxis * std::cos(t);
    const double y = std::sqrt(kOneMinusESquared) * kSemiMajorAxis * std::sin(t);
    if (d == 0) {
      p.PSet(F(x), F(y), kCyan);
    } else {
      p.LineTo(F(x), F(y), kTeal);
    }
  }

  p.SetFontName("tahoma");
  p.SetFontSize(12);
  PrintAt(p, 10000 - kHalfSpan, 0, "Apogee");
  PrintAt(p, 10000, 0, "T");

  backgroundPicture = FixFigure(p);
  return w;
}

// The Earth edge-on with the equator horizontal: same km per twip on both axes, x from
// -205000 to 615000 so that the line of sight has room to the right.
void DrawEquatorFigure(PictureBox& p) {
  const double w = p.ScaleWidth();
  const double h = p.ScaleHeight();
  const double q3 = h / w;
  const double Y3 = kHalfSpan * q3;
  p.Scale(F(-205000.0), F(Y3), F(615000.0), F(-Y3));
  BeginFigure(p);

  p.Circle(F(kEarthX), 0, F(kEarthRadiusDrawn), kYellow);
  p.Line(F(kEarthX), F(-kEarthDiameterDrawn), F(kEarthX), F(kEarthDiameterDrawn), kOlive);
  p.Line(F(-205000.0), 0, F(615000.0), 0, kOlive);
  p.Line(0, F(-Y3), 0, F(Y3), kOlive);

  // The face stays whatever the surface has: only the size is set here.
  p.SetFontSize(12);
  PrintAt(p, 210000 - kHalfSpan, 0, "Equator");
  PrintAt(p, 10000, 0, "T");

  form1().picture3Background = FixFigure(p);
}

// The view across the line of sight, horizontal axis white from the Earth to the right edge.
void DrawBesselFigure(PictureBox& p, double w1) {
  const double w2 = p.ScaleWidth();
  const double h2 = p.ScaleHeight();
  const BesselView v = BesselViewFrame(w1, w2, h2);
  const double C = v.C;
  const double R = v.R;
  const double Y2 = v.Y2;
  p.Scale(F(C - R), F(Y2), F(C + R), F(-Y2));
  BeginFigure(p);

  p.Circle(F(kEarthX), 0, F(kEarthRadiusDrawn), kYellow);
  p.Line(F(kEarthX), F(-Y2), F(kEarthX), F(Y2), kWhite);
  p.Line(F(C - R), 0, F(kEarthX), 0, kOlive);
  p.Line(F(kEarthX), 0, F(C + R), 0, kWhite);
  p.Line(0, F(-Y2), 0, F(Y2), kOlive);

  p.SetFontName("tahoma");
  p.SetFontSize(12);
  const std::string title = "Bessel's Frame ";
  // Signed like the axes: th is negative, y pointing up.
  const double th = p.TextHeight(title);
  const double tw = p.TextWidth(title);
  PrintAt(p, C + R - tw - 50000, -50000, title);
  PrintAt(p, 10000, 0, "T");
  PrintAt(p, C + R - 20000, -1.2 * th, "z");
  PrintAt(p, 37000, C - 1.8 * th, "y");
  PrintAt(p, 37000, th / 3 - C, "y'");

  form1().picture2Background = FixFigure(p);
}

}  // namespace

BesselView BesselViewFrame(double w1, double w2, double h2) noexcept {
  const double k = w2 / w1;
  BesselView v;
  v.R = kHalfSpan * k;
  v.C = 205000 * k + 20000;
  v.Y2 = (h2 / w2) * v.R;
  return v;
}

void DrawStaticFigures() {
  Form1& f = form1();
  const double w1 = DrawOrbitFigure(f.Picture1());
  DrawEquatorFigure(f.Picture3());
  DrawBesselFigure(f.Picture2(), w1);
}
