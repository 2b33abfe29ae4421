#pragma once

#include <QString>

#include <array>
#include <memory>
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
    enum class Window { Soft, Rigid };

    struct Names
    {
        Window window;
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
    Window window = Window::Soft;

    static DrawingPaneTab build(QWidget *tab, const Names &names);

    // The buttons' work, the same on both windows: a palette button shows
    // its window, "L", "R" and "B" choose the foot shown and rebuild the
    // pane, "S" burns the drawing and rebuilds. Call once on the tab the
    // window keeps.
    void connectButtons();

    // The pane's public steps, through the installed DrawingPaneHook.
    void Load_Vec_File();
    void Insert_Foot_Block(const QString &blockFile, double x, double y, double z, double scale);

private:
    void showSide(const QString &side, const QString &message);
};

// The insole drawing pane of both windows' "Graphics" tab, installed by the
// drawing tools when the program's parts are joined.
class DrawingPaneHook
{
public:
    virtual ~DrawingPaneHook() = default;
    // Rebuilds the pane for GraphicSelection; run on every tab change.
    virtual void Load_Vec_File(DrawingPaneTab &tab) = 0;
    // Burns the drawing into the image it was drawn on ("S").
    virtual void Save_Image(DrawingPaneTab &tab) = 0;
    // The block drawing inserted at (x, y), scaled by `scale`.
    virtual void Insert_Foot_Block(DrawingPaneTab &tab, const QString &blockFile, double x, double y, double z,
                                   double scale) = 0;
};

// Raises Missing_Hook when used before a pane was installed.
DrawingPaneHook &Drawing_Pane_Hook();
bool Drawing_Pane_Hook_Installed();
void Set_Drawing_Pane_Hook(std::shared_ptr<DrawingPaneHook> hook);
