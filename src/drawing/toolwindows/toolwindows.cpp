#include "toolwindows.h"

#include "blockform.h"
#include "palettewindow.h"
#include "scaleform.h"

void Register_Drawing_Tool_Windows()
{
    Register_Tool_Palettes();
    Register_Block_Forms();
    Register_Scale_Forms();
}
