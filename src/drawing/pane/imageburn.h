#pragma once

#include <QString>

class DrawingHost;

// Burning a drawing into the image it was drawn on: the Graphic Screen's
// "Save", "S" of both insole panes and "Save" of the "Files" palette. One
// routine; the places differ only in these rules.
struct BurnRules
{
    // False for a pane that shows no side: nothing is written.
    bool save = true;
    // The foot whose photo the host placed, "Left" or "Right": its 3D view is
    // reloaded once the image is written, so it shows the new texture.
    // Anything else (the job sketch of "BOTH") reloads no foot.
    QString reloadFoot;
};

// The burn. It fits the view ("Zoom Extents"); when the host's image
// (DrawingHost::imageFile) is absent or names nothing on disk, or the rules
// say not to save, that is all. Otherwise it shows "Rasterizing...", renders
// the host's own photo raster's rectangle, the drawing over it included, at
// the raster's scale into a W x H bitmap (W x H the image file's pixels),
// shows "Converting...", writes that over the image (QSaveFile: a failure
// leaves the old image whole), reloads the foot of the rules and shows
// "Image Saved". A stale "TempImage.Bmp" in the working folder, left by an
// older interrupted burn, is deleted. A file that cannot be read, an export
// that cannot be made or an image that cannot be written (a folder in its
// place) raises SolvaneError: nothing is reloaded and "Image Saved" is not
// shown. Returns whether the image was written.
bool Burn_Into_Image(DrawingHost &host, const BurnRules &rules);

// Gives the Graphic Screen's "Save" the burn: its own photo, written and
// its loaded foot reloaded.
void Install_Graphic_Screen_Burn();
