#pragma once

#include <QString>
#include <QVector>

namespace cad {
class DrawingView;
}

// The drawing tools, one table for the Graphic Screen's menus and the tool
// palettes: each tool's menu item, palette button and the steps it runs on
// a drawing view. Other parts name a tool by its first column.

// A step of a tool: a drawing command by number, or one of the few steps
// around the commands.
struct ToolStep
{
    enum Kind {
        Command, // run `number`
        TextHeight, // a twentieth of the drawing's height becomes the height of new text
        ClearSelection,
        Redraw,
    };
    Kind kind = Command;
    int number = 0;
};

// What a tool does beyond its steps: most only run steps; the rest open a
// window or act on the host, which does it itself.
enum class ToolAction { Steps, Save, OpenVec, SaveVec, SetScale, LoadTemplate, FootInfo, AddFeatures, Close };

struct DrawingTool
{
    QString tool; // "Circle"
    QString menuItem; // "mnuCircle"; empty when the Graphic Screen has none
    QString menuCaption;
    QString palette; // "VCdrawForm"; empty when no palette has it
    QString button; // "Command2"
    QString buttonCaption;
    ToolAction action = ToolAction::Steps;
    QVector<ToolStep> steps; // from the menu
    QVector<ToolStep> paletteSteps; // from a palette, when they differ
};

enum class ToolPlace { Menu, Palette };

const QVector<DrawingTool> &Drawing_Tools();
// The tool of that name, menu item or palette button; null for none.
const DrawingTool *Find_Tool(const QString &tool);
const DrawingTool *Find_Menu_Tool(const QString &menuItem);
const DrawingTool *Find_Palette_Tool(const QString &palette, const QString &button);

// The Graphic Screen's menu bar, left to right. An item is a tool's name,
// "-" a separator or "(-)" a hidden one; a menu without items acts itself.
struct ToolMenu
{
    QString name; // "mnuDraw"
    QString caption;
    QStringList items;
};
const QVector<ToolMenu> &Graphic_Screen_Menus();

// A tool palette's window: its caption, its buttons top to bottom ("-" is
// the wider gap between two groups; the last button is "Close") and its
// sizes in twips, as the palettes were laid out. Every button is 375 twips
// high; the next one's top lies 360 below (480 across a gap).
struct ToolPalette
{
    QString name; // "VCdrawForm"
    QString caption; // "Draw"
    QStringList items; // "Command1", ..., "-", ..., "Command10"
    int clientWidth = 0; // twips
    int clientHeight = 0;
    int buttonWidth = 0;

    static constexpr int kButtonHeight = 375;
    static constexpr int kButtonStep = 360;
    static constexpr int kGapStep = 480;
    static constexpr int kTwipsPerPixel = 15;

    // The close button's name: the last item.
    QString closeButton() const { return items.value(items.size() - 1); }
    // The button's caption: its tool's, or "Close".
    QString buttonCaption(const QString &button) const;
};
const QVector<ToolPalette> &Tool_Palettes();
const ToolPalette *Find_Tool_Palette(const QString &name);

// Runs the tool's steps on the view, from the menu or a palette. Returns
// false for a tool whose action the host does (ToolAction other than
// Steps), having run nothing. The text tools set the height of new text to
// a twentieth of the drawing's height, read into DrawingBottom and
// DrawingTop; an empty drawing keeps the height it had, so text is never
// made invisible.
bool Run_Tool(const DrawingTool &tool, ToolPlace place, cad::DrawingView &view);
