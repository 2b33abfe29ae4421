#include "drawingstate.h"

DrawingState &Drawing_State()
{
    static DrawingState state;
    return state;
}
