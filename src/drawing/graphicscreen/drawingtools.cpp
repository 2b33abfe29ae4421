#include "drawingtools.h"

#include "drawingsetup.h"
#include "drawingstate.h"
#include "drawingview.h"

namespace {

using S = ToolStep;

QVector<ToolStep> run(int number)
{
    return {S{S::Command, number}};
}

DrawingTool command(const char *tool, const char *menuItem, const char *palette, const char *button,
                    QVector<ToolStep> steps, const char *buttonCaption = nullptr)
{
    DrawingTool t;
    t.tool = QString::fromLatin1(tool);
    t.menuItem = QString::fromLatin1(menuItem);
    t.menuCaption = t.tool;
    t.palette = QString::fromLatin1(palette);
    t.button = QString::fromLatin1(button);
    t.buttonCaption = buttonCaption ? QString::fromLatin1(buttonCaption) : t.tool;
    t.steps = std::move(steps);
    return t;
}

DrawingTool action(const char *tool, const char *menuItem, const char *palette, const char *button, ToolAction what)
{
    DrawingTool t = command(tool, menuItem, palette, button, {});
    t.action = what;
    if (t.palette.isEmpty())
        t.buttonCaption.clear();
    return t;
}

QVector<DrawingTool> makeTools()
{
    const QVector<ToolStep> text = {S{S::TextHeight, 0}, S{S::Command, 245}};
    const QVector<ToolStep> multiText = {S{S::TextHeight, 0}, S{S::Command, 249}};
    QVector<DrawingTool> tools = {
        command("Undo", "mnuUndo", "VCeditForm", "Command1", run(301)),
        command("Redo", "mnuRedo", "VCeditForm", "Command2", run(302)),
        command("Scale", "mnuScale", "VCeditForm", "Command3", run(315)),
        command("Move", "mnuMove", "VCeditForm", "Command4", run(313)),
        command("Copy", "mnuCopy", "VCeditForm", "Command5", run(312)),
        command("Rotate", "mnuRotate", "VCeditForm", "Command6", run(314)),
        command("Mirror", "mnuMirror", "VCeditForm", "Command7", run(316)),
        command("Erase", "mnuErase", "VCeditForm", "Command8", run(311)),
        command("Explode", "mnuExplode", "VCeditForm", "Command9", run(317)),
        command("Edit Raster", "mnuRaster", "VCeditForm", "Command10", run(255)),
        command("Line", "mnuLine", "VCdrawForm", "Command1", run(205)),
        command("Circle", "mnuCircle", "VCdrawForm", "Command2", run(221)),
        command("Ellipse", "mnuEllipse", "VCdrawForm", "Command3", run(211)),
        command("Rectangle", "mnuRect", "VCdrawForm", "Command4", run(212)),
        command("Polyline", "mnuPolyline", "VCdrawForm", "Command5", run(209)),
        command("Spline", "mnuSpline", "VCdrawForm", "Command6", run(242)),
        command("MultiText", "mnuMtext", "VCdrawForm", "Command7", multiText),
        command("Text", "mnuText", "VCdrawForm", "Command8", text),
        command("Leader", "mnuLeader", "VCdrawForm", "Command9", run(247)),
        command("Zoom Extents", "mnuZoomE", "VCviewForm", "Command1", run(102)),
        command("Zoom Window", "mnuZoomW", "VCviewForm", "Command2", run(106), "Zoom Windows"),
        command("Zoom In", "mnuZoomI", "VCviewForm", "Command3", run(103)),
        command("Zoom Out", "mnuZoomO", "VCviewForm", "Command4", run(104)),
        command("Zoom Previous", "mnuZoomP", "VCviewForm", "Command5", run(105)),
        command("Pan", "mnuPan", "VCviewForm", "Command6", run(111)),
        command("Layer Order", "mnuLayers1", "VCviewForm", "Command7", {S{S::Command, 802}, S{S::Command, 912}}),
        command("Layers", "mnuLayers2", "VCviewForm", "Command8", {S{S::Command, 801}, S{S::Command, 912}}),
        command("Measure", "mnuMeasure", "VCinfoForm", "Command1", run(952)),
        command("Properties", "mnuProp", "VCutilForm", "Command1", run(306)),
        command("Select", "mnuSelect1", "VCutilForm", "Command2", run(501)),
        command("Select W", "mnuSelect2", "VCutilForm", "Command3", run(502)),
        command("Unselect All", "mnuAll", "VCutilForm", "Command4", {S{S::ClearSelection, 0}, S{S::Redraw, 0}}),
        command("Polar On/Off", "mnuPolar", "VCutilForm", "Command5", run(427)),
        command("Text Style", "mnuTextStyle", "VCutilForm", "Command6", run(806)),
        command("Print", "mnuPrint", "VCfilesForm", "Command2", run(901)),
        action("Save", "mnuSaveJPG", "VCfilesForm", "Command1", ToolAction::Save),
        action("Open VEC", "mnuOpen", "", "", ToolAction::OpenVec),
        action("Save VEC", "mnuSave", "", "", ToolAction::SaveVec),
        action("Set Scale", "mnuSetscale", "VCsizeForm", "Command1", ToolAction::SetScale),
        action("Load Template", "mnuSize", "VCsizeForm", "Command2", ToolAction::LoadTemplate),
        action("Foot Info", "mnuFoot", "VCinfoForm", "Command2", ToolAction::FootInfo),
        action("Add Features", "mnuFeatures", "", "", ToolAction::AddFeatures),
        action("Close", "mnuQuit", "", "", ToolAction::Close),
    };
    // Two circle commands: the menu's by centre and radius, the palette's
    // by a diameter.
    for (DrawingTool &t : tools)
        if (t.tool == QLatin1String("Circle"))
            t.paletteSteps = run(220);
    return tools;
}

} // namespace

const QVector<DrawingTool> &Drawing_Tools()
{
    static const QVector<DrawingTool> tools = makeTools();
    return tools;
}

const DrawingTool *Find_Tool(const QString &tool)
{
    for (const DrawingTool &t : Drawing_Tools())
        if (t.tool == tool)
            return &t;
    return nullptr;
}

const DrawingTool *Find_Menu_Tool(const QString &menuItem)
{
    for (const DrawingTool &t : Drawing_Tools())
        if (!menuItem.isEmpty() && t.menuItem == menuItem)
            return &t;
    return nullptr;
}

const DrawingTool *Find_Palette_Tool(const QString &palette, const QString &button)
{
    for (const DrawingTool &t : Drawing_Tools())
        if (!palette.isEmpty() && t.palette == palette && t.button == button)
            return &t;
    return nullptr;
}

const QVector<ToolMenu> &Graphic_Screen_Menus()
{
    static const QVector<ToolMenu> menus = {
        {QStringLiteral("mnuFiles"),
         QStringLiteral("Files"),
         {QStringLiteral("Save"), QStringLiteral("(-)"), QStringLiteral("Open VEC"), QStringLiteral("Save VEC"),
          QStringLiteral("-"), QStringLiteral("Print"), QStringLiteral("-"), QStringLiteral("Close")}},
        {QStringLiteral("mnuSizing"),
         QStringLiteral("Sizing"),
         {QStringLiteral("Set Scale"), QStringLiteral("Load Template")}},
        {QStringLiteral("mnuEdit"),
         QStringLiteral("Edit"),
         {QStringLiteral("Undo"), QStringLiteral("Redo"), QStringLiteral("-"), QStringLiteral("Scale"),
          QStringLiteral("Move"), QStringLiteral("Copy"), QStringLiteral("Rotate"), QStringLiteral("Mirror"),
          QStringLiteral("Erase"), QStringLiteral("Explode"), QStringLiteral("-"), QStringLiteral("Edit Raster")}},
        {QStringLiteral("mnuDraw"),
         QStringLiteral("Draw"),
         {QStringLiteral("Line"), QStringLiteral("Circle"), QStringLiteral("Ellipse"), QStringLiteral("Rectangle"),
          QStringLiteral("Polyline"), QStringLiteral("Spline"), QStringLiteral("-"), QStringLiteral("MultiText"),
          QStringLiteral("Text"), QStringLiteral("Leader")}},
        {QStringLiteral("mnuView"),
         QStringLiteral("View"),
         {QStringLiteral("Zoom Extents"), QStringLiteral("Zoom Window"), QStringLiteral("Zoom In"),
          QStringLiteral("Zoom Out"), QStringLiteral("Zoom Previous"), QStringLiteral("Pan"), QStringLiteral("-"),
          QStringLiteral("Layer Order"), QStringLiteral("Layers")}},
        {QStringLiteral("mnuInfo"),
         QStringLiteral("Information"),
         {QStringLiteral("Measure"), QStringLiteral("Foot Info")}},
        {QStringLiteral("mnuFeatures"), QStringLiteral("Add Features"), {}},
        {QStringLiteral("mnuUtil"),
         QStringLiteral("Utility"),
         {QStringLiteral("Properties"), QStringLiteral("-"), QStringLiteral("Select"), QStringLiteral("Select W"),
          QStringLiteral("Unselect All"), QStringLiteral("-"), QStringLiteral("Polar On/Off"),
          QStringLiteral("Text Style")}},
    };
    return menus;
}

const QVector<ToolPalette> &Tool_Palettes()
{
    // Name, caption, buttons ("-" a gap), client width and height, button width.
    struct Row
    {
        const char *name;
        const char *caption;
        const char *items;
        int width, height, buttonWidth;
    };
    static const Row rows[] = {
        {"VCfilesForm", "Files", "1 2 - 3", 1320, 1215, 1335},
        {"VCsizeForm", "Sizing", "1 2 - 3", 1575, 1215, 1575},
        {"VCeditForm", "Edit", "1 2 - 3 4 5 6 7 8 9 - 10 - 11", 1335, 4335, 1335},
        {"VCdrawForm", "Draw", "1 2 3 4 5 6 - 7 8 9 - 10", 1350, 3870, 1335},
        {"VCviewForm", "View", "1 2 3 4 5 6 - 7 8 - 9", 1590, 3495, 1575},
        {"VCinfoForm", "Info", "1 2 - 3", 1350, 1215, 1335},
        {"VCutilForm", "Utility", "1 - 2 3 4 - 5 6 - 7", 1455, 2895, 1455},
    };
    static const QVector<ToolPalette> palettes = [] {
        QVector<ToolPalette> all;
        for (const Row &row : rows) {
            ToolPalette p;
            p.name = QString::fromLatin1(row.name);
            p.caption = QString::fromLatin1(row.caption);
            const QStringList numbers = QString::fromLatin1(row.items).split(u' ');
            for (const QString &n : numbers)
                p.items << (n == QLatin1String("-") ? n : QStringLiteral("Command") + n);
            p.clientWidth = row.width;
            p.clientHeight = row.height;
            p.buttonWidth = row.buttonWidth;
            all << p;
        }
        return all;
    }();
    return palettes;
}

const ToolPalette *Find_Tool_Palette(const QString &name)
{
    for (const ToolPalette &p : Tool_Palettes())
        if (p.name == name)
            return &p;
    return nullptr;
}

QString ToolPalette::buttonCaption(const QString &button) const
{
    if (const DrawingTool *tool = Find_Palette_Tool(name, button))
        return tool->buttonCaption;
    return button == closeButton() ? QStringLiteral("Close") : QString();
}

bool Run_Tool(const DrawingTool &tool, ToolPlace place, cad::DrawingView &view)
{
    if (tool.action != ToolAction::Steps)
        return false;
    const QVector<ToolStep> &steps =
        place == ToolPlace::Palette && !tool.paletteSteps.isEmpty() ? tool.paletteSteps : tool.steps;
    for (const ToolStep &step : steps) {
        switch (step.kind) {
        case ToolStep::Command: view.runCommand(step.number); break;
        case ToolStep::TextHeight: {
            DrawingState &state = Drawing_State();
            Read_Drawing_Extents(view.drawing(), state);
            const double height = (state.DrawingTop - state.DrawingBottom) * 0.05;
            if (height > 0)
                view.drawing().setDefaultTextHeight(height);
            break;
        }
        case ToolStep::ClearSelection: view.clearSelection(); break;
        case ToolStep::Redraw: view.redraw(); break;
        }
    }
    return true;
}
