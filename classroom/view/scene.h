// SPDX-License-Identifier: GPL-3.0-or-later
// The moving parts of the three scene views: the Moon, the station, the sight lines and axes.
//
// Scene coordinates are km with the Earth's centre at the origin; every x handed to a
// surface gets kFocusOffset added, because the surfaces put the Earth at the ellipse's focus.
#pragma once

#include <string>

#include "classroom/model/readout.h"
#include "classroom/view/drawn_geometry.h"
#include "toolkit/color.h"

// The view of Picture2: the plane of the drawn sight line and north, the sight line
// horizontal.
void DrawPicture2View(const SceneDrawing& s);
// The view of Picture3: the plane of the polar axis and the sight line, polar axis vertical.
void DrawPicture3View(const SceneDrawing& s);
// The view of Picture1: the plane of the sight line and east, laid into the equator.
void DrawPicture1View(const SceneDrawing& s);

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
