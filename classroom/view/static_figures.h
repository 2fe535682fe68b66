// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed figures of the three drawing surfaces, drawn once at start-up as their backgrounds.
#pragma once

// The user frame of the Bessel's-frame view (Picture2), in km: horizontal centre C,
// half-width R and half-height Y2. The view gets the same km per twip as Picture1, whose
// 820000 km span its width w1 (twips); w2 and h2 are Picture2's own size in twips.
struct BesselView {
  double C = 0;
  double R = 0;
  double Y2 = 0;
};
[[nodiscard]] BesselView BesselViewFrame(double w1, double w2, double h2) noexcept;

// Gives Picture1, Picture3 and Picture2 (in this order) their coordinate systems in km with
// y pointing up, draws each fixed figure and keeps it as the surface's background picture:
// backgroundPicture for Picture1, form1().picture3Background and form1().picture2Background.
void DrawStaticFigures();
