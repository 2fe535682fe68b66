// Test support for the model: the window with the orbit view and the tilt as start-up leaves them.
#pragma once

#include <cmath>

#include "app/form/form1.h"
#include "app/toolkit/color.h"
#include "app/toolkit/picture_box.h"
#include "model/earth.h"
#include "model/moon.h"

// A fresh Form1 whose Picture1 has the orbit view's kilometre frame and a captured fixed
// figure (the drawn Earth) as backgroundPicture; TiltRot filled from the orbit's tilt.
inline Form1& MakeOrbitView() {
  if (Form1Exists()) DestroyForm1();
  CreateForm1();
  cosTilt = std::cos(kOrbitTilt);
  sinTilt = std::sin(kOrbitTilt);
  TiltRot = MatIdentity();
  TiltRot(1, 1) = cosTilt;
  TiltRot(1, 2) = -sinTilt;
  TiltRot(2, 1) = sinTilt;
  TiltRot(2, 2) = cosTilt;

  toolkit::PictureBox& p = form1().Picture1();
  p.Scale(-410000, 410000, 410000, -410000);
  p.SetAutoRedraw(true);
  p.SetPicture(toolkit::Picture());
  p.Cls();
  p.Circle(27604.5f, 0, 95672.0445f, toolkit::RGB(255, 255, 0));
  p.SetAutoRedraw(false);
  backgroundPicture = p.Image();
  p.Cls();
  p.SetPicture(backgroundPicture);
  p.SetAutoRedraw(true);
  return form1();
}
