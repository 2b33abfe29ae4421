#pragma once
// What the two foot views share for the whole run: the trim panels' steps,
// the plane the grid was last placed in, and the two-point measurement
// (a measurement started in one view may take its points in the other).

#include "grid.h"
#include "measure.h"
#include "trim_state.h"

mesh::TrimSteps &Trim_Steps();
mesh::GridPlane &Grid_Plane();
mesh::MeasureSession &Measure_State();
