#pragma once

#include <QString>

class DrawingHost;

// Calculate Scale: brings a host's foot photo to true size with a reference
// line of known length drawn on the layer "Scale". Each step works on the
// host's own drawing and photo only; the windows show the messages.

// "Draw a Reference Line": "Scale" becomes the current layer (added when
// the drawing lacks it) and the Line command (205) starts.
void Start_Reference_Line(DrawingHost &host);

enum class ScaleOutcome {
    NoReferenceLine, // "Please Draw a Reference Line" was shown
    NoDistance, // "Please Enter the Actual Distance" was shown
    NoLine, // no line on "Scale" (the line was never finished): nothing done
    Scaled, // the photo was scaled and the line deleted: the window closes
};

// "Set Scale": the distance is the leading number of `distance`, in
// millimetres; without a reference line drawn, or with a distance of 0,
// below 0 or no number, a warning (title "Warning") and nothing changes.
// The newest line on this drawing's own "Scale" layer is the reference:
// the host's photo raster is scaled about the origin by distance / length
// (by 1 for a line of no length), the line deleted, "Client" made current,
// then redraw and "Zoom Extents" (102). Nothing else in the drawing is
// scaled; a host without a photo only loses its reference line. One undo
// step takes it all back.
ScaleOutcome Set_Drawing_Scale(DrawingHost &host, bool referenceLineFlag, const QString &distance);

// "Quit": "Client" becomes the current layer and command 911 runs.
void Quit_Scale(DrawingHost &host);
