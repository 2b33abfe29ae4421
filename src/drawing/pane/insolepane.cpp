#include "insolepane.h"

#include "drawingsetup.h"
#include "drawingview.h"
#include "imageburn.h"
#include "jobnames.h"
#include "paths.h"
#include "photocache.h"
#include "scriptrecord.h"

#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPointer>

namespace {

QPointer<InsolePane> &existing(DrawingHostKind kind)
{
    static QPointer<InsolePane> soft, rigid;
    return kind == DrawingHostKind::Rigid ? rigid : soft;
}

bool showsSide(const QString &selection)
{
    return selection == QLatin1String("LEFT") || selection == QLatin1String("RIGHT")
           || selection == QLatin1String("BOTH");
}

} // namespace

InsolePane &InsolePane::In(const DrawingPaneTab &tab, DrawingHostKind kind)
{
    QPointer<InsolePane> &pane = existing(kind);
    if (!pane || pane->parent() != tab.drawingHost)
        pane = new InsolePane(tab, kind);
    return *pane;
}

InsolePane *InsolePane::Existing(DrawingHostKind kind)
{
    return existing(kind).data();
}

InsolePane::InsolePane(const DrawingPaneTab &tab, DrawingHostKind kind)
    : QObject(tab.drawingHost),
      InsolePaneTarget(kind),
      m_tab(tab)
{
    m_view = new cad::DrawingView(tab.drawingHost);
    m_view->setObjectName(QStringLiteral("InsoleDrawing"));
    m_view->setAccessibleName(QStringLiteral("Insole drawing"));
    if (QLayout *layout = tab.drawingHost->layout())
        layout->addWidget(m_view);
    connect(m_view, &cad::DrawingView::picked, this, [this](QPointF p) { On_Drawing_Pick(*this, p.x(), p.y()); });
    connect(m_view, &cad::DrawingView::pointerMoved, this,
            [this](QPointF p) { On_Drawing_Pointer(*this, p.x(), p.y()); });
    connect(m_view, &cad::DrawingView::measured, this,
            [this](double total, double last) { On_Drawing_Measure(*this, total, last); });
}

InsolePane::~InsolePane()
{
    // A window opened again makes its new pane before the old one goes.
    auto another = [this](DrawingHostKind k) { return existing(k) && existing(k) != this; };
    if (!another(DrawingHostKind::Soft) && !another(DrawingHostKind::Rigid))
        Pane_Photo_Cache().clear();
}

void InsolePane::Load_Vec_File()
{
    const DrawingHostKind paneKind = kind();
    SetUpHooks hooks;
    hooks.jobSketch = [paneKind] { Pane_Job_Sketch(Job(), paneKind); };
    hooks.loadPhoto = [](const QString &path) { return Pane_Photo_Cache().load(path); };
    // The side whose photo went in, noted even when the photo could not be
    // read (the set-up then raises after finishing).
    auto notePlacedSide = [this] {
        const QString &selection = Job().GraphicSelection;
        if (selection == QLatin1String("LEFT"))
            m_imageFoot = QStringLiteral("Left");
        else if (selection == QLatin1String("RIGHT"))
            m_imageFoot = QStringLiteral("Right");
        else if (selection == QLatin1String("BOTH"))
            m_imageFoot.clear();
    };
    SetUpEnd end = SetUpEnd::ImageTestFailed;
    try {
        end = Set_Up_Drawing(*this, hooks);
    } catch (...) {
        notePlacedSide();
        throw;
    }
    if (end == SetUpEnd::Finished)
        notePlacedSide();
}

void InsolePane::Delete_Entities()
{
    ::Delete_Entities(*this);
}

void InsolePane::Insert_Foot_Block(const QString &blockFile, double x, double y, double z, double scale)
{
    ::Insert_Foot_Block(*this, blockFile, x, y, z, scale);
}

void InsolePane::Set_Text_Style(const QString &style)
{
    ::Set_Text_Style(*this, style);
}

void InsolePane::Set_Text_Scale(const QString &style, double sc)
{
    ::Set_Text_Scale(*this, style, sc);
}

void InsolePane::Set_Dim_Scale(const QString &style, double sc)
{
    ::Set_Dim_Scale(*this, style, sc);
}

void InsolePane::Save_Image()
{
    // Only a pane that shows a side has an image of its own to write.
    Burn_Into_Image(*this, {showsSide(Job().GraphicSelection), m_imageFoot});
}

void InsolePane::burnFromPalette()
{
    Burn_Into_Image(*this, {true, m_imageFoot});
}

cad::Drawing &InsolePane::drawing()
{
    return m_view->drawing();
}

void InsolePane::runCommand(int number)
{
    m_view->runCommand(number);
}

void InsolePane::setLine(int index, const QString &text)
{
    if (QLabel *label = m_tab.statusLabels[std::size_t(index)])
        label->setText(text);
}

void InsolePane::showX(const QString &text)
{
    setLine(0, text);
}

void InsolePane::showY(const QString &text)
{
    setLine(1, text);
}

void InsolePane::showMessage(const QString &text)
{
    setLine(2, text);
}

void InsolePane::showSize(const QString &text)
{
    setLine(3, text);
}

void InsolePane::redraw()
{
    m_view->redraw();
}

void Pane_Job_Sketch(ScriptRecord &job, DrawingHostKind kind)
{
    if (!job.GraphicsTabFlag)
        return;
    const bool rigid = kind == DrawingHostKind::Rigid;
    // A rigid sketch needs both names; until then it keeps the one it had.
    if (!rigid || (!job.ClientFirstName.isEmpty() && !job.ClientSurname.isEmpty()))
        job.JobImageFile = JobSketchPath(job, rigid ? JobKind::Rigid : JobKind::Soft);
    if (Is_Absent_Path(job.JobImageFile) || QFile::exists(job.JobImageFile))
        return; // an existing sketch is never replaced
    const QString blank = Resolve_Path_Nocase(Paths::root(), QStringLiteral("GraphicImage.Jpg"));
    if (!blank.isEmpty())
        QFile::copy(blank, job.JobImageFile);
}
