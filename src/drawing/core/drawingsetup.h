#pragma once

#include "drawinghost.h"

#include <QImage>
#include <QString>

#include <functional>

struct DrawingState;

namespace cad {
class Drawing;
}

// The set-up every drawing host runs: the Graphic Screen when it loads (G),
// each insole pane on every rebuild (S soft, R rigid). It sets the
// background, reads the block library, sets the text and dimension styles,
// names the drawing file, makes sure of the four layers, places the foot
// photo as a raster on "Image" and fits the view. The numbered option,
// colour and display settings of the original control come down to the
// background colour here.

// What a set-up asks of the parts around it. Each has a default, so a host
// tested alone works.
struct SetUpHooks
{
    // G: the text of the main window's size list for the left (true) or
    // right foot. Without it the job's stored size is used.
    std::function<QString(bool left)> mainWindowFootSize;
    // S, R: the drawing file when CurrentFoot names no foot. Without it, the
    // job's name ("R_" in front for the rigid pane) with ".Vec" in
    // CurrentFolder.
    std::function<QString()> jobDrawingFile;
    // S, R: the pane's job sketch (naming JobImageFile, starting it from
    // "GraphicImage.Jpg"), run right after the default side is chosen.
    // Without it nothing is done.
    std::function<void()> jobSketch;
    // Reads the photo a raster is made of. Without it the file is read each
    // time; the panes, rebuilt on every tab change, keep decoded photos.
    std::function<QImage(const QString &path)> loadPhoto;
};

enum class SetUpEnd {
    Finished, // every step ran
    ImageTestFailed, // S, R: the side's image is absent (R: or missing); the drawing stays as it was
};

// The four layers of every drawing, from back to front, with their colour
// numbers ("Client" is 7 on the Graphic Screen and 1 on the panes).
inline const char *const kDrawingLayerNames[4] = {"Image", "Insole", "Client", "Scale"};
int Drawing_Layer_Colour(DrawingHostKind kind, int layerIndex);

// Runs the set-up on the host's own drawing. Every set-up makes sure its
// drawing has the four layers (added only when missing, so never twice);
// the panes still set DrawingLayersFlag as before. The photo goes into the
// host's own rasterEntity and imageFile, and into CurrentImageFile. A photo
// file that exists but cannot be read leaves the drawing without it, lets
// the set-up finish, and is then raised as SolvaneError.
SetUpEnd Set_Up_Drawing(DrawingHost &host, const SetUpHooks &hooks = {});

// The drawing file named after a scan: its path with ".Vec" for its suffix;
// empty for an absent scan path.
QString Drawing_File_For_Scan(const QString &scanFile);

// Erases every entity of the host's drawing and redraws, when it has any.
void Delete_Entities(DrawingHost &host);

// The style's font file becomes "Simplex.Vcf" and its size value 0.05; the
// extents are read into DrawingBottom and DrawingTop on the way.
void Set_Text_Style(DrawingHost &host, const QString &style);
// Multiplies each of the dimension style's six sizes by `sc` (the set-up
// passes 2.0, so they double on every run, as they always have).
void Set_Dim_Scale(DrawingHost &host, const QString &style, double sc);
// Multiplies the text style's size value by `sc`.
void Set_Text_Scale(DrawingHost &host, const QString &style, double sc);

// Loads the block drawing file and inserts it at (x, y), scaled by
// `scale`, on the current layer; `z` is accepted for the callers' sake (the
// drawing is flat). Returns the insert. A missing or unreadable file inserts
// nothing and raises SolvaneError naming the file. No redraw: callers redraw.
cad::Handle Insert_Foot_Block(DrawingHost &host, const QString &blockFile, double x, double y, double z, double scale);

// Reads the drawing's extents into DrawingBottom and DrawingTop (both 0 for
// an empty drawing).
void Read_Drawing_Extents(const cad::Drawing &drawing, DrawingState &state);

// The view's events, the same on every host. A pick stores the point when
// PickFlag is clear (only the first pick after the pickers cleared it
// counts) and shows it; a pointer move shows the point; X and Y as "0.00".
// Measuring shows "Length: " and the last length, "   Total: " and the
// total, each as "0.0", in the message line.
void On_Drawing_Pick(DrawingHost &host, double x, double y);
void On_Drawing_Pointer(DrawingHost &host, double x, double y);
void On_Drawing_Measure(DrawingHost &host, double total, double last);
