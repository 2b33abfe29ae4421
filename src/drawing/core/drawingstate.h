#pragma once

#include <QString>
#include <QStringList>

// The drawing values the Graphic Screen and both insole panes share. The set
// that ran last fills them. The photo a host placed (its raster and its
// file) is no longer among them: every host keeps its own (DrawingHost), so
// a burn writes the image it was drawn on.
struct DrawingState
{
    QString DrawingFile; // the ".Vec" file the Graphic Screen's file commands propose

    // The four layers of the drawing that ran the set-up last.
    int ImageLayer = 0;
    int InsoleLayer = 0;
    int ClientLayer = 0;
    int ScaleLayer = 0;

    // The block library ("Graphics.Lib"): entry k is element k of each list.
    int BlockCount = 0;
    QStringList BlockFiles; // block drawing file, looked up in "Blocks"
    QStringList BlockIcons; // icon file, looked up in "Icons"
    QStringList BlockLabels; // the label under the icon

    // Lower and upper vertical extent of the drawing as last read; the
    // default text height is a twentieth of their difference.
    double DrawingBottom = 0;
    double DrawingTop = 0;

    // The first point picked since PickFlag was cleared.
    bool PickFlag = false;
    double PickX = 0;
    double PickY = 0;
};

// The program's single drawing state.
DrawingState &Drawing_State();
