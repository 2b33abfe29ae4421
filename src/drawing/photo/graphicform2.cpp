#include "graphicform2.h"

#include "imagedocument.h"
#include "imageview.h"
#include "installdata.h"
#include "jobnames.h"
#include "paths.h"
#include "picture.h"
#include "prompter.h"
#include "scriptrecord.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QMenuBar>
#include <QPainter>

using photo::SketchTool;

namespace {

const QString kAppTitle = QStringLiteral("Solvane");
const QString kTextFont = QStringLiteral("Arial");
constexpr int kTextSize = 26;
// The image control's designed size, 9945 x 7830 twips, at 7 pixels (105
// twips) from the top.
constexpr int kControlWidth = 663, kControlHeight = 522, kControlTop = 7;

struct ToolRow
{
    const char *caption;
    const char *item;
    SketchTool tool;
};
constexpr ToolRow kTools[] = {
    {"Line", "mnuLine", SketchTool::Line},          {"Circle", "mnuCircle", SketchTool::Circle},
    {"Ellipse", "mnuEllipse", SketchTool::Ellipse}, {"Rectangle", "mnuRectangle", SketchTool::Rectangle},
    {"Text", "mnuText", SketchTool::Text},
};

struct ColourRow
{
    const char *caption;
    const char *item;
    quint32 colour;
};
constexpr ColourRow kColours[] = {
    {"Red", "mnuRed", photo::Rgb(220, 0, 0)},       {"Green", "mnuGreen", photo::Rgb(0, 220, 0)},
    {"Blue", "mnuBlue", photo::Rgb(0, 0, 220)},     {"Black", "mnuBlack", photo::Rgb(0, 0, 0)},
    {"Grey", "mnuGrey", photo::Rgb(100, 100, 100)},
};

QString templatePath()
{
    const QString found = Resolve_Path_Nocase(Paths::root(), QStringLiteral("GraphicImage.Jpg"));
    return found.isEmpty() ? Paths::file(QStringLiteral("GraphicImage.Jpg")) : found;
}

} // namespace

GraphicForm2::GraphicForm2(QWidget *parent)
    : ImageWindow({QStringLiteral("GraphicForm2"), QStringLiteral("Graphics"), QStringLiteral("Jpg")}, parent),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    buildMenus();
    document()->setImage(installdata::sketchPicture());
    resize(kControlWidth + 2 * photo::kDesignOffsetPixels, kControlHeight + kControlTop + 40);
    placeImageControl(QRect(photo::kDesignOffsetPixels, kControlTop, kControlWidth, kControlHeight));
    connect(view(), &ImageView::pointerReport, this, &GraphicForm2::pointerReport);
    setUp();
}

void GraphicForm2::setUp()
{
    setMouseSelect(true);
    ScriptRecord &job = Job();
    // The sketch of the job's own kind, named once: a rigid job's sketch
    // carries "R_" as its drawing pane names it.
    m_sketchPath = JobSketchPath(job, job.EvaScriptFlag ? JobKind::Soft : JobKind::Rigid);
    job.JobImageFile = m_sketchPath;
    job.CurrentImageFile = QFileInfo::exists(m_sketchPath) ? m_sketchPath : templatePath();
    try {
        document()->load(job.CurrentImageFile);
        ShowStatus(photo::Size_Text(document()->pixelWidth(), document()->pixelHeight()));
    } catch (const SolvaneError &error) {
        // The stored picture stays, and saving writes it to the job's path.
        Show_Error(error.description());
    }
    PenColour = photo::Rgb(220, 0, 0);
    ShowStatusY(QStringLiteral("100%"));
    ShowStatus(QStringLiteral("Ready"));
    setWindowTitle(QStringLiteral("Graphic Display"));
}

void GraphicForm2::addFileItems(QMenu *file)
{
    connectCommand(addItem(file, QStringLiteral("Print Test"), QStringLiteral("mnuTest1")),
                   [this] { mnuTest1_Click(); });
    connectCommand(addItem(file, QStringLiteral("Print"), QStringLiteral("mnuPrint")), [this] { mnuPrint_Click(); });
    connectCommand(addItem(file, QStringLiteral("Print to PDF"), QStringLiteral("mnuPDF")), [this] { mnuPDF_Click(); });
    file->addSeparator();
}

void GraphicForm2::addOwnMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *drawMenu = bar->addMenu(QStringLiteral("Draw"));
    drawMenu->setObjectName(QStringLiteral("mnuDraw"));
    for (const ToolRow &row : kTools) {
        const SketchTool tool = row.tool;
        connectCommand(addItem(drawMenu, QString::fromLatin1(row.caption), QString::fromLatin1(row.item)),
                       [this, tool] { chooseTool(tool); });
    }
    drawMenu->addSeparator();
    m_select = addItem(drawMenu, QStringLiteral("Mouse Select"), QStringLiteral("mnuSelect"));
    m_select->setCheckable(true);
    // The command decides the check mark itself, as the toggle reads it.
    connect(m_select, &QAction::triggered, this, [this](bool) { Run_Command([this] { mnuSelect_Click(); }); });

    QMenu *colours = bar->addMenu(QStringLiteral("Colours"));
    colours->setObjectName(QStringLiteral("mnuColours"));
    for (const ColourRow &row : kColours) {
        const quint32 colour = row.colour;
        connectCommand(addItem(colours, QString::fromLatin1(row.caption), QString::fromLatin1(row.item)),
                       [this, colour] { PenColour = colour; });
    }

    QMenu *widths = bar->addMenu(QStringLiteral("Width"));
    widths->setObjectName(QStringLiteral("mnuWidth"));
    for (int width = 1; width <= 4; ++width) {
        const QString caption = width == 1 ? QStringLiteral("1 Pixel") : QStringLiteral("%1 Pixels").arg(width);
        connectCommand(addItem(widths, caption, QStringLiteral("mnuWidth%1").arg(width)),
                       [this, width] { document()->setPenWidth(width); });
    }

    // "Help" has no items; choosing it does nothing.
    bar->addAction(QStringLiteral("Help"))->setObjectName(QStringLiteral("mnuHelp"));
}

void GraphicForm2::setMouseSelect(bool on)
{
    document()->setMouseSelect(on);
    m_select->setChecked(on);
}

void GraphicForm2::mnuSelect_Click()
{
    // The triggered toggle has flipped the mark already: go by the setting.
    setMouseSelect(!document()->mouseSelect());
}

void GraphicForm2::chooseTool(SketchTool tool)
{
    m_clicks.choose(tool);
}

void GraphicForm2::pointerReport(double xTwips, double yTwips)
{
    const auto finished = m_clicks.pointerReport(xTwips, yTwips);
    ShowStatusX(QString::number(qRound64(xTwips)));
    ShowStatusY(QString::number(qRound64(yTwips)));
    if (finished)
        Run_Command([&] { draw(*finished); });
}

void GraphicForm2::draw(const photo::SketchClicks::Finished &done)
{
    ImageDocument *doc = document();
    const QColor colour = photo::To_Colour(PenColour);
    const QPoint a = done.first, b = done.second;
    doc->recordUndoStep();
    switch (done.tool) {
    case SketchTool::Line: doc->drawLine(a, b, colour); break;
    case SketchTool::Ellipse: doc->drawEllipse(a, b, colour); break;
    case SketchTool::Rectangle: doc->drawRectangle(a, b.x() - a.x(), b.y() - a.y(), colour); break;
    case SketchTool::Circle: {
        const photo::Box box = photo::Circle_Box(a, b);
        doc->drawEllipse({box.x1, box.y1}, {box.x2, box.y2}, colour);
        break;
    }
    case SketchTool::Text:
        // A cancelled prompt draws an empty text, as it always has.
        doc->drawText(a, Get_Std_Input(QStringLiteral("Text:"), QString(), QString(), kAppTitle), kTextFont, kTextSize,
                      colour);
        break;
    case SketchTool::None: return;
    }
    setMouseSelect(false);
    doc->redraw();
}

void GraphicForm2::saveImage()
{
    document()->save(m_sketchPath);
}

QString GraphicForm2::saveAsName() const
{
    return m_sketchPath;
}

void GraphicForm2::mnuPrint_Click()
{
    auto failed = [this] {
        UI().message(QStringLiteral("Error Printing Chart"), QStringLiteral("Error"), Prompter::Icon::Critical);
        resetPrinter();
    };
    QPainter painter;
    if (!Print_Picture_Dialog(*m_printer, painter, document()->image())) {
        // A cancelled dialog prints nothing and says nothing; a printer that
        // would not start is a failure.
        if (m_printer->printerState() == QPrinter::Error)
            failed();
        return;
    }
    ShowStatus(QStringLiteral("Printing Data"));
    if (!painter.end()) {
        failed();
        return;
    }
    ShowStatus(QStringLiteral("Printing Complete"));
}

void GraphicForm2::resetPrinter()
{
    // A printer keeps its error state, which would make the next cancelled
    // dialog look like a failure: start afresh with the same destination.
    auto fresh = std::make_unique<QPrinter>(QPrinter::HighResolution);
    fresh->setOutputFormat(m_printer->outputFormat());
    if (m_printer->outputFormat() == QPrinter::NativeFormat)
        fresh->setPrinterName(m_printer->printerName());
    else
        fresh->setOutputFileName(m_printer->outputFileName());
    m_printer = std::move(fresh);
}

void GraphicForm2::mnuTest1_Click()
{
    auto failed = [this] {
        UI().message(QStringLiteral("There was a problem printing to your printer."), kAppTitle);
        resetPrinter();
    };
    QPainter painter;
    if (!painter.begin(m_printer.get())) {
        failed();
        return;
    }
    const QString line = QStringLiteral("This is printed on page");
    const QRectF printable(QPointF(0, 0), m_printer->pageLayout().paintRectPixels(m_printer->resolution()).size());
    for (int page = 1; page <= 2; ++page) {
        if (page > 1 && !m_printer->newPage()) {
            painter.end();
            failed();
            return;
        }
        const QFontMetricsF metrics(painter.font(), m_printer.get());
        const QPointF corner(float(printable.width() / 2 - metrics.horizontalAdvance(line) / 2),
                             float(printable.height() / 2 - metrics.height() / 2));
        painter.drawText(corner + QPointF(0, metrics.ascent()), line + QString::number(page) + u'.');
    }
    if (!painter.end()) {
        failed();
        return;
    }
    UI().message(QStringLiteral("Two pages, each with a single, centered line of text, ")
                     + QStringLiteral("have been sent to your printer."),
                 kAppTitle);
}

void GraphicForm2::mnuPDF_Click()
{
    ShowStatus(QStringLiteral("Saving as PDF ...."));
    ShowStatus(QStringLiteral("Ready"));
}

void GraphicForm2::layoutClient()
{
    ImageWindow::layoutClient();
    placeImageControl(QRect(photo::kDesignOffsetPixels, kControlTop, kControlWidth, kControlHeight));
}

void GraphicForm2::closeEvent(QCloseEvent *event)
{
    // A tool still waiting for its clicks ends with the window.
    m_clicks.cancel();
    const bool save = UI().message(QStringLiteral("Save the Image?"), QStringLiteral("Save"), Prompter::Icon::Question,
                                   Prompter::Buttons::YesNo)
                      == Prompter::Answer::Yes;
    if (save)
        Run_Command([this] { saveImage(); });
    event->accept();
}
