// The Earth's rotation by the sidereal angle, and the line of nodes with its drawing.
#include "model/earth.h"

#include <cmath>
#include <string>

#include "app/form/form1.h"
#include "app/toolkit/color.h"
#include "app/toolkit/picture_box.h"
#include "model/moon.h"
#include "model/orbit.h"

Mat3 EarthRot;
Mat3 EarthRotRate;
Mat3 NodeRot;
toolkit::Picture backgroundPicture;
toolkit::Picture nodeLinePicture;

namespace {

// Each half of the node line reaches 1.6 semi-major axes (616000 km) from the Earth, well
// past the orbit, so it crosses the whole view whatever its angle.
constexpr double kSemiMajorAxis = 385000;  // km
constexpr double kNodeLineReach = 1.6;
// The marks stand at 1/1.8 of the line's reach from the ellipse's centre, inside the orbit;
// the same factor times the width of "A" raises them off the line.
constexpr double kMarkDivisor = 1.8;
constexpr float kMarkFontSize = 12;

}  // namespace

void SetSiderealAngle(double g) {
  // Only these elements change; the rest stay zero (and (2,2) of EarthRot one) for the
  // whole run, so the matrices are exactly the rotation and its derivative.
  const double c = std::cos(g);
  const double s = std::sin(g);
  EarthRot(0, 1) = s;
  EarthRot(1, 0) = -s;
  EarthRot(0, 0) = c;
  EarthRot(1, 1) = c;
  EarthRot(2, 2) = 1;
  EarthRotRate(0, 0) = s * (-kEarthRate);
  EarthRotRate(0, 1) = c * kEarthRate;
  EarthRotRate(1, 0) = c * (-kEarthRate);
  EarthRotRate(1, 1) = s * (-kEarthRate);
}

void SetNodeLine(double theta) {
  toolkit::PictureBox& picture = form1().Picture1();
  // Start again from the fixed figure alone, so that an earlier node line is gone.
  picture.SetAutoRedraw(true);
  picture.SetPicture(backgroundPicture);

  const double c = std::cos(theta);
  const double s = std::sin(theta);
  NodeRot(0, 0) = c;
  NodeRot(0, 1) = s;
  NodeRot(1, 0) = -s;
  NodeRot(1, 1) = c;
  NodeRot(2, 2) = 1;

  const double ex = c * kSemiMajorAxis * kNodeLineReach;
  const double ey = s * kSemiMajorAxis * kNodeLineReach;
  const float earthX = static_cast<float>(focusOffset);
  picture.SetDrawStyle(toolkit::kDrawDot);
  // From the Earth toward the ascending node, then toward the descending node.
  picture.Line(earthX, 0.0f, static_cast<float>(ex + focusOffset), static_cast<float>(ey),
               toolkit::RGB(0, 255, 255));
  picture.Line(earthX, 0.0f, static_cast<float>(-ex + focusOffset), static_cast<float>(-ey),
               toolkit::RGB(0, 0, 255));
  picture.SetDrawStyle(toolkit::kDrawSolid);
  picture.SetFontName("tahoma");
  picture.SetFontSize(kMarkFontSize);

  // The marks are placed from the ellipse's centre, not from the Earth.
  const double h = picture.TextWidth("A") * kMarkDivisor;
  picture.SetCurrentX(static_cast<float>(ex / kMarkDivisor));
  picture.SetCurrentY(static_cast<float>(ey / kMarkDivisor + h));
  picture.Print("A");
  picture.SetCurrentX(static_cast<float>(-ex / kMarkDivisor));
  picture.SetCurrentY(static_cast<float>(-ey / kMarkDivisor + h));
  picture.Print("D");

  // Keep background and node line as the layer every later Cls restores.
  picture.SetAutoRedraw(false);
  nodeLinePicture = picture.Image();
  picture.SetPicture(nodeLinePicture);
  picture.SetAutoRedraw(true);

  UpdateMoonState();
}
