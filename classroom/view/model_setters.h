// SPDX-License-Identifier: GPL-3.0-or-later
// The model's setters that also draw or write a caption: each composes the physics of model/
// with what the window shows of it, so that the window is up to date whenever it returns.
#pragma once

#include "toolkit/picture.h"

// The fixed figure of Picture1, captured at start-up (DrawStaticFigures).
extern toolkit::Picture backgroundPicture;
// That figure with the node line, Picture1's background layer; written by SetNodeLine.
extern toolkit::Picture nodeLinePicture;

// Start-up: clears Picture1, solves the orbit for mean anomaly M (OrbitFromMeanAnomaly) and
// draws the Moon and the Earth-Moon line.
void InitMoonOrbit(double M);
// Sets NodeRot for the node-line angle theta (rad), redraws the node line into Picture1's
// background layer, and ends with UpdateMoonState.
void SetNodeLine(double theta);
// Recomputes moonPos and moonVel (MoonStateFromOrbit) and rewrites the declination readout
// Label1(1).
void UpdateMoonState();
// Puts the Moon at true anomaly nu. holdEarth = 1 first zeroes EarthRotRate, so that the
// Earth's rotation adds no velocity until the sidereal angle is set again.
void MoveMoon(double nu, int holdEarth);
