#include "drawingpanetab.h"

#include "formparts.h"
#include "programhooks.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "windowregistry.h"

#include <functional>

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

using FormParts::commandButton;
using FormParts::named;

DrawingPaneTab DrawingPaneTab::build(QWidget *tab, const Names &names)
{
    DrawingPaneTab t;
    t.window = names.window;
    auto *v = new QVBoxLayout(tab);
    auto *tools = new QHBoxLayout;
    v->addLayout(tools);

    const struct
    {
        int number;
        const char *caption;
        const char *window;
    } palettes[] = {
        {11, "Files", "VCfilesForm"},      {12, "Sizing", "VCsizeForm"},  {13, "Edit", "VCeditForm"},
        {14, "Draw", "VCdrawForm"},        {15, "View", "VCviewForm"},    {16, "Information", "VCinfoForm"},
        {17, "Add Feature", "BlockForm2"}, {18, "Utility", "VCutilForm"},
    };
    auto tool = [&](int number, const QString &caption, const QString &accessibleName) {
        auto *b = commandButton(QStringLiteral("Command%1").arg(number), caption, accessibleName);
        tools->addWidget(b);
        return b;
    };
    for (const auto &palette : palettes) {
        const QString caption = QString::fromLatin1(palette.caption);
        t.palettes.push_back({tool(palette.number, caption, caption), QString::fromLatin1(palette.window), caption});
    }
    t.leftFoot = tool(19, QStringLiteral("L"), QStringLiteral("Left Foot"));
    t.rightFoot = tool(23, QStringLiteral("R"), QStringLiteral("Right Foot"));
    t.bothFeet = tool(24, QStringLiteral("B"), QStringLiteral("Both Feet"));
    t.saveImage = tool(25, QStringLiteral("S"), QStringLiteral("Save Image"));
    tools->addStretch(1);

    // Hosts for the drawing pane and the image it draws on.
    auto *panes = new QHBoxLayout;
    v->addLayout(panes, 1);
    t.drawingHost = named<QWidget>(names.drawingHost);
    auto *hostLayout = new QVBoxLayout(t.drawingHost);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    t.drawingHost->setMinimumSize(320, 240);
    panes->addWidget(t.drawingHost, 1);
    t.image = named<QLabel>(QStringLiteral("ImageX1"));
    t.image->hide();
    panes->addWidget(t.image);

    auto *status = new QHBoxLayout;
    v->addLayout(status);
    const int statusNumbers[] = {20, 42, 43, 49};
    for (int i = 0; i < 4; ++i) {
        t.statusLabels[i] = named<QLabel>(names.labelPrefix + QString::number(statusNumbers[i]));
        status->addWidget(t.statusLabels[i], 1);
    }
    t.paneMessage = t.statusLabels[2];
    return t;
}

void DrawingPaneTab::connectButtons()
{
    for (const PaletteButton &palette : palettes) {
        QObject::connect(palette.button, &QPushButton::clicked, palette.button,
                         [window = palette.window] { Run_Command([&] { Windows().show(window); }); });
    }
    auto onClick = [](QPushButton *button, std::function<void()> action) {
        QObject::connect(button, &QPushButton::clicked, button, std::move(action));
    };
    onClick(leftFoot, [this] { showSide(QStringLiteral("LEFT"), QStringLiteral("Left Foot")); });
    onClick(rightFoot, [this] { showSide(QStringLiteral("RIGHT"), QStringLiteral("Right Foot")); });
    onClick(bothFeet, [this] { showSide(QStringLiteral("BOTH"), QStringLiteral("Both Feet")); });
    onClick(saveImage, [this] {
        Run_Command([this] {
            Drawing_Pane_Hook().Save_Image(*this);
            Load_Vec_File();
        });
    });
}

void DrawingPaneTab::showSide(const QString &side, const QString &message)
{
    Job().GraphicSelection = side;
    paneMessage->setText(message);
    Run_Command([this] { Load_Vec_File(); });
}

void DrawingPaneTab::Load_Vec_File()
{
    Drawing_Pane_Hook().Load_Vec_File(*this);
}

void DrawingPaneTab::Insert_Foot_Block(const QString &blockFile, double x, double y, double z, double scale)
{
    Drawing_Pane_Hook().Insert_Foot_Block(*this, blockFile, x, y, z, scale);
}

namespace {

std::shared_ptr<DrawingPaneHook> &installedPane()
{
    static std::shared_ptr<DrawingPaneHook> pane;
    return pane;
}

} // namespace

DrawingPaneHook &Drawing_Pane_Hook()
{
    Require_Hook(Drawing_Pane_Hook_Installed(), QStringLiteral("the insole drawing pane"));
    return *installedPane();
}

bool Drawing_Pane_Hook_Installed()
{
    return installedPane() != nullptr;
}

void Set_Drawing_Pane_Hook(std::shared_ptr<DrawingPaneHook> hook)
{
    installedPane() = std::move(hook);
}
