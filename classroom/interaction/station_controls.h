// SPDX-License-Identifier: GPL-3.0-or-later
// The station sliders: latitude and longitude of P, its place on the Earth and its horizon frame.
#pragma once

// Slider HScroll2(index) moved: 0 latitude, 1 longitude. Rebuilds stationPos,
// stationPosScaled and stationFrame (model/station.h), puts the Earth back to sidereal angle
// zero and holds it still, then refreshes the view, except while HScroll2(0).Tag is "1"
// (start-up places the station before the first full update).
void HScroll2_Change(int index);
// A drag of the thumb: the same work as a change.
void HScroll2_Scroll(int index);
