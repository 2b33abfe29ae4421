#pragma once

#include "drawing.h"

#include <QImage>
#include <QString>
#include <QStringList>

// The files the drawing tools expect in the working folder, made by the
// program itself: the two template outlines, a few feature blocks with
// their icons and the block library that lists them, the pictures of an
// empty and an icon-less picker slot, and the job sketch's starting picture.
namespace installdata {

// A feature block of the library: its drawing in millimetres about its base
// point, and what "Graphics.Lib" says of it.
struct FeatureBlock
{
    QString blockFile; // in "Blocks"
    QString iconFile; // in "Icons"
    QString label;
    cad::Block block;
};

QVector<FeatureBlock> featureBlocks();

// The unit template outline: the insole table at length 1 as one closed
// polyline of 110 points. "Left_Unit.Vec" has the widths as the table gives
// them (+a, +b); "Right_Unit.Vec" mirrored (-a, -b).
cad::Drawing templateOutline(bool mirrored);

// A 48 x 48 icon of a block: its drawing fitted in black on white.
QImage blockIcon(const cad::Block &block);
// The picker's empty slot and its slot for an entry whose icon is missing.
QImage blankIcon();
QImage noImageIcon();

// The job sketch's starting picture: 660 x 520, both insole outlines.
QImage sketchPicture();

// "Graphics.Lib": the count and a title, then one line a feature block.
QStringList libraryLines();

// Every installation file, relative to the working folder.
QStringList installationFiles();

// Writes each installation file the working folder lacks, whatever the case
// of the names already there, and returns the paths written. A file that is
// there is never replaced, so a clinic's own library and blocks stay as they
// are. Raises SolvaneError when a file cannot be written.
QStringList writeMissing(const QString &root);

} // namespace installdata
