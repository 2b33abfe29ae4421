#include "footviewshared.h"

mesh::TrimSteps &Trim_Steps()
{
    static mesh::TrimSteps steps;
    return steps;
}

mesh::GridPlane &Grid_Plane()
{
    static mesh::GridPlane plane = mesh::GridPlane::End;
    return plane;
}

mesh::MeasureSession &Measure_State()
{
    static mesh::MeasureSession session;
    return session;
}
