// SPDX-License-Identifier: GPL-3.0-or-later
// The model's setters that also draw or write a caption: the first Moon on the orbit view, the
// node line in Picture1's background layer, and the declination readout.
#include "classroom/view/model_setters.h"

#include <string>

#include "classroom/form/form1.h"
#include "classroom/model/earth.h"
#include "classroom/model/moon.h"
#include "classroom/model/orbit.h"
#include "classroom/view/drawn_geometry.h"
#include "format/format.h"
#include "toolkit/color.h"
#include "toolkit/picture_box.h"

toolkit::Picture backgroundPicture;
toolkit::Picture nodeLinePicture;

namespace {

constexpr float kMarkFontSize = 12;

}  // namespace

void InitMoonOrbit(double M) {
  toolkit::PictureBox& picture = form1().Picture1();
  picture.Cls();
  OrbitFromMeanAnomaly(M);
  const float moonX = static_cast<float>(SurfaceX(orbitX));
  const float moonY = static_cast<float>(orbitY);
  picture.Circle(moonX, moonY, static_cast<float>(kMoonRadiusDrawn), toolkit::kWhite);
  picture.Line(static_cast<float>(SurfaceX(0)), 0.0f, moonX, moonY, toolkit::kWhite);
}

void SetNodeLine(double theta) {
  toolkit::PictureBox& picture = form1().Picture1();
  // Start again from the fixed figure alone, so that an earlier node line is gone.
  picture.SetAutoRedraw(true);
  picture.SetPicture(backgroundPicture);

  SetNodeRotation(theta);

  const NodeLineReach e = NodeLineReachOf(theta);
  const float earthX = static_cast<float>(SurfaceX(0));
  picture.SetDrawStyle(toolkit::DrawStyle::Dot);
  // From the Earth toward the ascending node, then toward the descending node.
  picture.Line(earthX, 0.0f, static_cast<float>(SurfaceX(e.x)), static_cast<float>(e.y),
               toolkit::kCyan);
  picture.Line(earthX, 0.0f, static_cast<float>(SurfaceX(-e.x)), static_cast<float>(-e.y),
               toolkit::kBlue);
  picture.SetDrawStyle(toolkit::DrawStyle::Solid);
  picture.SetFontName("tahoma");
  picture.SetFontSize(kMarkFontSize);

  // The marks are placed from the ellipse's centre, not from the Earth.
  const double h = picture.TextWidth("A") * kNodeMarkDivisor;
  picture.SetCurrentX(static_cast<float>(e.x / kNodeMarkDivisor));
  picture.SetCurrentY(static_cast<float>(e.y / kNodeMarkDivisor + h));
  picture.Print("A");
  picture.SetCurrentX(static_cast<float>(-e.x / kNodeMarkDivisor));
  picture.SetCurrentY(static_cast<float>(-e.y / kNodeMarkDivisor + h));
  picture.Print("D");

  // Keep background and node line as the layer every later Cls restores.
  picture.SetAutoRedraw(false);
  nodeLinePicture = picture.Image();
  picture.SetPicture(nodeLinePicture);
  picture.SetAutoRedraw(true);

  UpdateMoonState();
}

void UpdateMoonState() {
  MoonStateFromOrbit();
  form1().Label1(1).SetCaption(
      " " + toolkit::Format(MoonDeclinationDegrees(), "+0.000;-0.000;0.000") + "° ");
}

void MoveMoon(double nu, int holdEarth) {
  // Holding the Earth removes its rotation from every relative velocity until the sidereal
  // angle is set again.
  if (holdEarth == 1) HoldEarth();
  OrbitFromTrueAnomaly(nu);
  UpdateMoonState();
}
