#pragma once

#include <QString>

#include <array>
#include <vector>

class QLabel;
class QPushButton;
class QWidget;

// The "Graphics" tab both prescription windows carry: the drawing tools'
// palettes (Command11 to Command18), the foot shown ("L", "R", "B"), "S"
// (burn the drawing into the image), the host the drawing pane fills, the
// image control and the four status lines (x, y, message, size). The two
// windows differ only in names: the soft one hosts "Vecad1" and "Label20"...,
// the rigid one "Vecad2" and "rLabel20"...
struct DrawingPaneTab
{
    struct Names
    {
        QString drawingHost; // "Vecad1", "Vecad2"
        QString labelPrefix; // "Label", "rLabel"
    };

    struct PaletteButton
    {
        QPushButton *button;
        QString window; // the drawing tools' window it shows
        QString caption;
    };

    std::vector<PaletteButton> palettes; // Command11 to Command18
    QPushButton *leftFoot = nullptr; // Command19 "L"
    QPushButton *rightFoot = nullptr; // Command23 "R"
    QPushButton *bothFeet = nullptr; // Command24 "B"
    QPushButton *saveImage = nullptr; // Command25 "S"
    QWidget *drawingHost = nullptr;
    QLabel *image = nullptr; // ImageX1, hidden
    std::array<QLabel *, 4> statusLabels{}; // <prefix>20, 42, 43, 49
    QLabel *paneMessage = nullptr; // <prefix>43

    static DrawingPaneTab build(QWidget *tab, const Names &names);
};
