#include "palettewindow.h"

#include "drawingtools.h"
#include "footinfo.h"
#include "insolepanes.h"
#include "prompter.h"
#include "windowregistry.h"

#include <QMouseEvent>
#include <QPushButton>

namespace {

int pixels(int twips)
{
    return twips / ToolPalette::kTwipsPerPixel;
}

} // namespace

PaletteWindow::PaletteWindow(const ToolPalette &palette, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_palette(palette)
{
    setObjectName(palette.name);
    setWindowTitle(palette.caption);
    setAccessibleName(palette.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(pixels(palette.clientWidth), pixels(palette.clientHeight));

    int top = 0;
    bool first = true;
    bool gap = false;
    for (const QString &item : palette.items) {
        if (item == QLatin1String("-")) {
            gap = true;
            continue;
        }
        if (!first)
            top += gap ? ToolPalette::kGapStep : ToolPalette::kButtonStep;
        first = false;
        gap = false;
        auto *b = new QPushButton(palette.buttonCaption(item), this);
        b->setObjectName(item);
        b->setAccessibleName(b->text());
        b->setGeometry(0, pixels(top), pixels(palette.buttonWidth), pixels(ToolPalette::kButtonHeight));
        connect(b, &QPushButton::clicked, this, [this, item] { press(item); });
    }
}

QPushButton *PaletteWindow::button(const QString &name) const
{
    return findChild<QPushButton *>(name, Qt::FindDirectChildrenOnly);
}

void PaletteWindow::mousePressEvent(QMouseEvent *event)
{
    // The background between and below the buttons closes the palette.
    event->accept();
    close();
}

void PaletteWindow::press(const QString &button)
{
    const DrawingTool *tool = Find_Palette_Tool(m_palette.name, button);
    if (!tool) {
        close(); // "Close"
        return;
    }
    bool closeAfter = true;
    Run_Command([&] { closeAfter = runTool(*tool); });
    if (closeAfter)
        close();
}

bool PaletteWindow::runTool(const DrawingTool &tool)
{
    // Foot Info reads only the job, whichever drawing is active.
    if (tool.action == ToolAction::FootInfo) {
        Foot_Info();
        return true;
    }
    InsolePaneTarget *pane = Active_Insole_Pane();
    if (!pane) {
        Say_Insole_Pane_Not_Open();
        return false;
    }
    switch (tool.action) {
    case ToolAction::Save: pane->burnFromPalette(); return true;
    case ToolAction::SetScale: Windows().show(QStringLiteral("ScaleForm2")); return true;
    // Without a foot side the pane says so and the palette stays open.
    case ToolAction::LoadTemplate: return Load_Template(*pane);
    default: Run_Tool(tool, ToolPlace::Palette, pane->view()); return true;
    }
}

void Register_Tool_Palettes()
{
    for (const ToolPalette &palette : Tool_Palettes())
        Windows().registerFactory(palette.name, [&palette] { return new PaletteWindow(palette); });
}
