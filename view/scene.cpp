// The moving parts of the three scene views: the Moon, the station, the sight lines and axes.
#include "view/scene.h"

#include <array>
#include <cmath>
#include <string>

#include "app/form/form1.h"
#include "app/toolkit/picture_box.h"
#include "view/readout_text.h"

namespace {

using toolkit::kGrey;
using toolkit::kRed;
using toolkit::kWhite;
constexpr double fo = kFocusOffset;
constexpr double RE15 = kEarthRadiusDrawn;

// The surfaces take single-precision coordinates.
float F(double v) {
  return static_cast<float>(v);
}

toolkit::PictureBox* Target(int view) {
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

// The Moon at two sizes: enlarged like the Earth, and at its true size.
void DrawMoonCircles(toolkit::PictureBox& pic, double x, double y) {
  pic.Circle(F(x + fo), F(y), F(kMoonRadiusDrawn), kWhite);
  pic.Circle(F(x + fo), F(y), F(kMoonRadius), kWhite);
}

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

}  // namespace

void DrawPicture2View(const DrawnGeometry& g) {
  toolkit::PictureBox& pic = form1().Picture2();
  const Vec3& L = g.L;
  const Vec3& P = g.P;
  const double c = g.c;
  const double d = g.d;
  pic.Cls();
  DrawMoonCircles(pic, L.z, L.y);
  DrawLabel(2, L.z, L.y, -0.4, 1.7, "L");
  DrawCross(2, P.z, P.y, kWhite);
  DrawLabel(2, P.z, P.y, -1.0, 1.2, "P");
  pic.Line(F(g.rearZ + fo), F(L.y), F(L.z + fo), F(L.y), kGrey);
  pic.Line(F(L.z + fo), F(0), F(L.z + fo), F(L.y), kGrey);
  // The Earth's polar axis, twice the drawn radius to each side of the centre, and the
  // equator seen edge-on, one drawn radius to each side.
  pic.Line(F(-2 * d * RE15 + fo), F(-2 * c * RE15), F(2 * d * RE15 + fo), F(2 * c * RE15), kRed);
  pic.Line(F(c * RE15 + fo), F(-d * RE15), F(-c * RE15 + fo), F(d * RE15), kRed);
}

void DrawPicture3View(const DrawnGeometry& g) {
  toolkit::PictureBox& pic = form1().Picture3();
  const double c = g.c;
  const double d = g.d;
  // From view axes to the meridian plane of the sight line: x along the equator toward the
  // sight line's polar angle, z along the polar axis (the polar axis is c·north + d·sight).
  const Mat3 axisFrame = MatTranspose(RotZX(1, 0, c, d));
  const Vec3 M = MatMulVec(axisFrame, g.L);
  const Vec3 Q = MatMulVec(axisFrame, g.P);
  pic.Cls();
  DrawMoonCircles(pic, M.x, M.z);
  DrawLabel(3, M.x, M.z, 2.2, 0.5, "L");
  DrawCross(3, Q.x, Q.z, kWhite);
  DrawLabel(3, Q.x, Q.z, 1.0, 1.3, "P");
  pic.Line(F(fo), F(0), F(axisHalfLength * c + fo), F(axisHalfLength * d), kWhite);
  pic.Line(F(-axisHalfLength * d + fo), F(axisHalfLength * c), F(axisHalfLength * d + fo),
           F(-axisHalfLength * c), kWhite);
  const Vec3 K1 = MatMulVec(axisFrame, WithZ(g.L, g.rearZ));
  pic.Line(F(M.x + fo), F(M.z), F(K1.x + fo), F(K1.z), kGrey);
  const Vec3 K2 = MatMulVec(axisFrame, WithY(g.L, 0));
  pic.Line(F(M.x + fo), F(M.z), F(K2.x + fo), F(K2.z), kGrey);
}

void DrawPicture1View(const DrawnGeometry& g) {
  toolkit::PictureBox& pic = form1().Picture1();
  const double a = g.a;
  const double b = g.b;
  const double d = g.d;
  const Mat3 planFrame = MatTranspose(RotZX(a, b, 1, 0));
  const Vec3 M = MatMulVec(planFrame, g.L);
  const Vec3 Q = MatMulVec(planFrame, g.P);
  pic.Cls();
  DrawMoonCircles(pic, M.x, M.y);
  DrawLabel(1, M.x, M.y, -1.4, 1.7, "L");
  DrawCross(1, Q.x, Q.y, kWhite);
  DrawLabel(1, Q.x, Q.y, 1.0, 1.2, "P");
  pic.Line(F(fo), F(0), F(axisHalfLength * a + fo), F(-axisHalfLength * b), kWhite);
  pic.Line(F(axisHalfLength * b + fo), F(axisHalfLength * a), F(-axisHalfLength * b + fo),
           F(-axisHalfLength * a), kWhite);
  // Where the drawn Earth's north pole falls in this view, circled at the true radius.
  pic.Circle(F(a * d * RE15 + fo), F(-b * d * RE15), F(kEarthRadius), kWhite);
  const Vec3 K1 = MatMulVec(planFrame, WithZ(g.L, g.rearZ));
  pic.Line(F(M.x + fo), F(M.y), F(K1.x + fo), F(K1.y), kGrey);
  const Vec3 K3 = MatMulVec(planFrame, WithX(g.L, 0));
  pic.Line(F(M.x + fo), F(M.y), F(K3.x + fo), F(K3.y), kGrey);
}

void DrawLabel(int view, double x, double y, double dx, double dy, const std::string& text) {
  Form1& f = form1();
  f.Picture1().SetFontSize(14);
  f.Picture2().SetFontSize(14);
  f.Picture3().SetFontSize(14);
  // Measured on Picture1 whatever the view: all three surfaces have the same km per twip.
  const double h = f.Picture1().TextHeight(text);
  const double w = f.Picture1().TextWidth(text);
  toolkit::PictureBox* pic = Target(view);
  if (pic == nullptr) return;
  pic->SetFontTransparent(true);
  pic->SetCurrentX(F(w * dx + (x + fo)));
  pic->SetCurrentY(F(y - h * dy));
  pic->Print(text);
}

void DrawCross(int view, double x, double y, toolkit::Color color) {
  toolkit::PictureBox* pic = Target(view);
  if (pic == nullptr) return;
  const double s = crossHalfWidth;
  const float x0 = F(x + fo);
  const float y0 = F(y);
  pic->LineRel(x0, y0, F(s), F(s), color);
  pic->LineRel(x0, y0, F(s), F(-s), color);
  pic->LineRel(x0, y0, F(-s), F(s), color);
  pic->LineRel(x0, y0, F(-s), F(-s), color);
}

void PrintDistanceTexts(const Readout& r) {
  toolkit::PictureBox& pic = form1().Picture2();
  const std::array<std::string, 3> texts = DistanceTexts(r);
  pic.SetFontName("verdana");
  pic.SetCurrentX(200000);
  pic.SetCurrentY(-110000);
  pic.Print(texts[0]);
  pic.SetCurrentX(200000);
  pic.SetCurrentY(-150000);
  pic.Print(texts[1]);
  pic.SetCurrentX(200000);
  pic.SetCurrentY(-190000);
  pic.Print(texts[2]);
}

void PrintAxisLetters(const DrawnGeometry& g) {
  Form1& f = form1();
  const double a = g.a;
  const double b = g.b;
  const double c = g.c;
  const double d = g.d;

  toolkit::PictureBox& p3 = f.Picture3();
  p3.SetFontName("tahoma");
  p3.SetFontSize(12);
  // Used with the sign the surface reports: negative, since y points up.
  const double h3 = p3.TextHeight("z");
  p3.SetCurrentX(555000);
  p3.SetCurrentY(F(555000 * d - 1.2 * h3));
  p3.Print("z");
  p3.SetCurrentX(F(-225000 * d / c + 40000));
  p3.SetCurrentY(235000);
  p3.Print("y");
  p3.SetCurrentX(F(225000 * d / c + 40000));
  p3.SetCurrentY(-195000);
  p3.Print("y'");

  // "x" and "x'" stand by the ends of the east-west axis, so they are placed from the Earth's
  // centre; the letters of Picture3 stand at picture coordinates as they are.
  toolkit::PictureBox& p1 = f.Picture1();
  p1.SetFontName("tahoma");
  p1.SetFontSize(12);
  const double h1 = std::fabs(static_cast<double>(p1.TextHeight("x'")));
  p1.SetCurrentX(F(a * h1 / 1.2 + (350000 * b + fo)));
  p1.SetCurrentY(F(b * h1 / 1.2 + 350000 * a));
  p1.Print("x");
  p1.SetCurrentX(F((fo - 350000 * b) - a * h1));
  p1.SetCurrentY(F(b * h1 / 1.6 - 350000 * a));
  p1.Print("x'");
}
