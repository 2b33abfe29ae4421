#pragma once

// Teaches the window registry the drawing tools' own windows: the seven
// palettes ("VCfilesForm" ... "VCutilForm"), the block pickers
// ("BlockForm1", "BlockForm2") and Calculate Scale ("ScaleForm",
// "ScaleForm2").
void Register_Drawing_Tool_Windows();
