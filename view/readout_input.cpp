// Gathers the model's module state into the input of the readouts.
//
// Kept apart from the readout arithmetic, which depends on nothing but the geometry kernel
// and the number formatting and so can be checked and timed without a window.
#include "model/earth.h"
#include "model/moon.h"
#include "model/orbit.h"
#include "model/station.h"
#include "view/readout.h"

ReadoutInput CurrentReadoutInput() {
  return {moonPos,      moonVel,     EarthRot,  EarthRotRate, stationPos,
          stationFrame, radialSpeed, orbitVelX, orbitVelY};
}
