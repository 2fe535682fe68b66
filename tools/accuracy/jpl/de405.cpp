// SPDX-License-Identifier: GPL-3.0-or-later
// The two casacore calls the comparison needs.
#include "de405.h"

#include <casacore/casa/Arrays/Vector.h>
#include <casacore/casa/Quanta/MVEpoch.h>
#include <casacore/measures/Measures/MeasJPL.h>

bool De405Emrat(double& emrat) {
  return casacore::MeasJPL::getConst(emrat, casacore::MeasJPL::DE405, "EMRAT");
}

bool De405MoonAndEarth(double mjd1, double mjd2, double moon[6], double earth[6]) {
  const casacore::MVEpoch when(mjd1, mjd2);
  casacore::Vector<casacore::Double> m(6), e(6);
  if (!casacore::MeasJPL::get(m, casacore::MeasJPL::DE405, casacore::MeasJPL::MOON, when) ||
      !casacore::MeasJPL::get(e, casacore::MeasJPL::DE405, casacore::MeasJPL::EARTH, when)) {
    return false;
  }
  for (int i = 0; i < 6; ++i) {
    moon[i] = m[i];
    earth[i] = e[i];
  }
  return true;
}
