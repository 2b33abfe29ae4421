#pragma once

// Teaches the window registry the photo windows: "Brighten" (Adjust Photo,
// opened by the foot views) and "GraphicForm2" (the job sketch, opened by
// the prescription windows' "Graphic Image").
void Register_Photo_Windows();
