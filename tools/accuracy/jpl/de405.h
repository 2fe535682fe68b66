// SPDX-License-Identifier: GPL-3.0-or-later
// DE405 through casacore, behind plain C functions: casacore's headers need C++17, the sky
// library's C++20.
#pragma once

// DE405's EMRAT (the Earth-Moon mass ratio); false when the tables cannot be read.
bool De405Emrat(double& emrat);
// MOON and EARTH from DE405 at TDB (MJD in two parts): AU and AU/day, ICRF.
bool De405MoonAndEarth(double mjd1, double mjd2, double moon[6], double earth[6]);
