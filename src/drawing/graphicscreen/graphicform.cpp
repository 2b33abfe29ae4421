#include "graphicform.h"

#include "drawingsetup.h"
#include "drawingstate.h"
#include "drawingview.h"
#include "footinfo.h"
#include "insoleoutline.h"
#include "programhooks.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellservices.h"
#include "vecfile.h"
#include "windowregistry.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QStatusBar>

namespace {

std::function<void(GraphicForm &)> &saveHook()
{
    static std::function<void(GraphicForm &)> hook;
    return hook;
}

// The hidden file items' dialog, proposing the drawing's file.
Prompter::FileRequest vecRequest(const QString &title)
{
    Prompter::FileRequest request;
    request.title = title;
    request.folder = Job().CurrentFolder;
    request.fileName = Drawing_State().DrawingFile;
    request.filter = QStringLiteral("Drawing File (*.Vec)|*.Vec|All Files (*.*)|*.*");
    request.defaultExtension = QStringLiteral("Vec");
    return request;
}

} // namespace

void Set_Graphic_Screen_Save(std::function<void(GraphicForm &)> save)
{
    saveHook() = std::move(save);
}

bool Graphic_Screen_Save_Installed()
{
    return bool(saveHook());
}

GraphicForm::GraphicForm(QWidget *parent)
    : QMainWindow(parent),
      DrawingHost(DrawingHostKind::Graphic)
{
    setObjectName(QStringLiteral("GraphicForm"));
    setWindowTitle(QStringLiteral("Graphic Screen"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildSurface();
    buildMenus();
    resize(1000, 750);
    // Lay the window out now, before it is shown, so the set-up fits the
    // photo to the view's real size rather than to a view of no size.
    layout()->activate();

    // The load: the set-up for the foot the 3D view named. Later "Edit
    // Image"s only raise this window, so the foot is the one loaded now.
    m_foot = Job().CurrentFoot;
    SetUpHooks hooks;
    if (Shell())
        hooks.mainWindowFootSize = [](bool left) { return Shell()->Size_List_Text(left ? 0 : 1); };
    placeControls();
    Run_Command([&] { Set_Up_Drawing(*this, hooks); });
    refreshLayerStrip();
}

void GraphicForm::buildSurface()
{
    m_surface = new QWidget(this);
    m_surface->setObjectName(QStringLiteral("Surface"));
    setCentralWidget(m_surface);
    m_surface->installEventFilter(this);

    // Strip 101: what the command in progress asks for.
    m_promptStrip = new QLabel(m_surface);
    m_promptStrip->setObjectName(QStringLiteral("Strip101"));
    m_promptStrip->setFrameShape(QFrame::StyledPanel);
    m_promptStrip->setAccessibleName(QStringLiteral("Command prompt"));
    // Strip 102: the current layer.
    m_layerStrip = new QComboBox(m_surface);
    m_layerStrip->setObjectName(QStringLiteral("Strip102"));
    m_layerStrip->setAccessibleName(QStringLiteral("Current layer"));

    m_view = new cad::DrawingView(m_surface);
    m_view->setObjectName(QStringLiteral("Vecad1"));
    m_view->setPromptLineShown(false);

    m_statusBar = new QStatusBar(m_surface);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(m_statusBar);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        m_panels[i]->setMinimumWidth(90);
        m_statusBar->addWidget(m_panels[i], i == 2 ? 1 : 0);
    }

    connect(m_view, &cad::DrawingView::promptChanged, m_promptStrip, &QLabel::setText);
    connect(m_view, &cad::DrawingView::picked, this, [this](QPointF p) { On_Drawing_Pick(*this, p.x(), p.y()); });
    connect(m_view, &cad::DrawingView::pointerMoved, this,
            [this](QPointF p) { On_Drawing_Pointer(*this, p.x(), p.y()); });
    connect(m_view, &cad::DrawingView::measured, this,
            [this](double total, double last) { On_Drawing_Measure(*this, total, last); });
    connect(&m_view->engine(), &cad::CommandEngine::changed, this, &GraphicForm::refreshLayerStrip);
    connect(m_view, &cad::DrawingView::currentLayerChanged, this, &GraphicForm::refreshLayerStrip);
    connect(m_layerStrip, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && m_view->drawing().setCurrentLayer(index + 1))
            m_view->redraw();
    });
}

void GraphicForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    for (const ToolMenu &menu : Graphic_Screen_Menus()) {
        const DrawingTool *barTool = menu.items.isEmpty() ? Find_Menu_Tool(menu.name) : nullptr;
        if (barTool) {
            // A menu-bar item that acts when clicked.
            QAction *item = bar->addAction(menu.caption);
            item->setObjectName(menu.name);
            connect(item, &QAction::triggered, this, [this, barTool] { runTool(*barTool); });
            continue;
        }
        QMenu *m = bar->addMenu(menu.caption);
        m->setObjectName(menu.name);
        m->setAccessibleName(menu.caption);
        for (const QString &entry : menu.items) {
            if (entry == QLatin1String("-") || entry == QLatin1String("(-)")) {
                m->addSeparator()->setVisible(entry == QLatin1String("-"));
                continue;
            }
            const DrawingTool *tool = Find_Tool(entry);
            Q_ASSERT(tool);
            QAction *item = m->addAction(tool->menuCaption);
            item->setObjectName(tool->menuItem);
            connect(item, &QAction::triggered, this, [this, tool] { runTool(*tool); });
            if (tool->action == ToolAction::OpenVec || tool->action == ToolAction::SaveVec) {
                item->setVisible(false);
                item->setEnabled(false);
            }
        }
    }
}

void GraphicForm::runTool(const DrawingTool &tool)
{
    Run_Command([&] {
        if (Run_Tool(tool, ToolPlace::Menu, *m_view))
            return;
        switch (tool.action) {
        case ToolAction::Save:
            Require_Hook(Graphic_Screen_Save_Installed(), QStringLiteral("the Graphic Screen's \"Save\""));
            saveHook()(*this);
            break;
        case ToolAction::OpenVec: mnuOpen_Click(); break;
        case ToolAction::SaveVec: mnuSave_Click(); break;
        case ToolAction::SetScale: Windows().show(QStringLiteral("ScaleForm")); break;
        case ToolAction::AddFeatures: Windows().show(QStringLiteral("BlockForm1")); break;
        case ToolAction::LoadTemplate:
            Load_Template(*this);
            refreshLayerStrip();
            break;
        case ToolAction::FootInfo: Foot_Info(); break;
        case ToolAction::Close: close(); break;
        case ToolAction::Steps: break;
        }
    });
}

QRect GraphicForm::drawingArea(QSize surface)
{
    return QRect(10, 30, surface.width() - 20, surface.height() - 65);
}

bool GraphicForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_surface && event->type() == QEvent::Resize)
        placeControls();
    return QMainWindow::eventFilter(watched, event);
}

void GraphicForm::placeControls()
{
    const QSize size = m_surface->size();
    m_promptStrip->setGeometry(10, 1, 300, 22);
    m_layerStrip->setGeometry(320, 1, 120, 22);
    if (size.width() > 0 && size.height() > 0) {
        const QRect area = drawingArea(size);
        m_view->setGeometry(area.width() > 0 && area.height() > 0 ? area : QRect(10, 30, 0, 0));
        m_view->viewport().setSize(m_view->size());
    }
    const int barHeight = 25;
    m_statusBar->setGeometry(0, size.height() - barHeight - 2, size.width(), barHeight);
}

void GraphicForm::refreshLayerStrip()
{
    const cad::Drawing &d = m_view->drawing();
    QStringList names;
    for (int id = 1; id <= d.layerCount(); ++id)
        names << d.layer(id)->name;
    const QSignalBlocker block(m_layerStrip);
    QStringList shown;
    for (int i = 0; i < m_layerStrip->count(); ++i)
        shown << m_layerStrip->itemText(i);
    if (shown != names) {
        m_layerStrip->clear();
        m_layerStrip->addItems(names);
    }
    m_layerStrip->setCurrentIndex(d.currentLayer() - 1);
}

void GraphicForm::setPanel(int panel, const QString &text)
{
    m_panels[panel - 1]->setText(text);
    m_panels[panel - 1]->repaint();
}

void GraphicForm::ShowStatus(const QString &text)
{
    setPanel(3, text);
}

void GraphicForm::ShowStatusX(const QString &text)
{
    setPanel(1, text);
}

void GraphicForm::ShowStatusY(const QString &text)
{
    setPanel(2, text);
}

void GraphicForm::ShowStatusF(const QString &text)
{
    setPanel(4, text);
}

QString GraphicForm::statusText(int panel) const
{
    return panel >= 1 && panel <= 4 ? m_panels[panel - 1]->text() : QString();
}

cad::Drawing &GraphicForm::drawing()
{
    return m_view->drawing();
}

void GraphicForm::runCommand(int number)
{
    m_view->runCommand(number);
}

void GraphicForm::redraw()
{
    m_view->redraw();
    refreshLayerStrip();
}

void GraphicForm::Draw_Insole()
{
    const ScriptRecord &job = Job();
    double length = 1;
    bool mirrored = false;
    if (job.CurrentFoot == QLatin1String("Left")) {
        length = job.FootLengthL;
        mirrored = true;
    } else if (job.CurrentFoot == QLatin1String("Right")) {
        length = job.FootLengthR;
    }
    QVector<QPointF> points;
    for (const insole::OutlinePoint &p : insole::outlinePoints(length, mirrored))
        points << QPointF(p.x, p.y);
    m_view->drawing().checkpoint();
    m_view->drawing().addPolyline(points, true);
    m_view->redraw();
}

short GraphicForm::RedVal(qint32 value)
{
    return short(value & 0xFF);
}

short GraphicForm::GreenVal(qint32 value)
{
    return short((value / 256) & 0xFF);
}

short GraphicForm::BlueVal(qint32 value)
{
    return short((value / 65536) & 0xFF);
}

void GraphicForm::mnuOpen_Click()
{
    DrawingState &state = Drawing_State();
    const QString path = UI().openFile(vecRequest(QStringLiteral("Open a Drawing File")));
    if (path.isEmpty())
        return;
    // Read whole first: a file that is no drawing leaves this one as it was.
    cad::Drawing opened;
    try {
        opened = cad::readVecFile(path);
    } catch (const SolvaneError &error) {
        UI().message(error.description(), QStringLiteral("Open VEC"), Prompter::Icon::Warning);
        return;
    }
    state.DrawingFile = path;
    m_view->drawing().checkpoint();
    m_view->drawing().replaceContent(std::move(opened));
    m_view->clearSelection();
    runCommand(102);
    refreshLayerStrip();
    ShowStatus(QStringLiteral("File Opened"));
}

void GraphicForm::mnuSave_Click()
{
    DrawingState &state = Drawing_State();
    const QString path = UI().saveFile(vecRequest(QStringLiteral("Save the Drawing File")));
    if (path.isEmpty())
        return;
    cad::writeVecFile(m_view->drawing(), path); // through QSaveFile; raises on failure
    state.DrawingFile = path;
    ShowStatus(QStringLiteral("File Saved"));
}

void Register_Graphic_Screen()
{
    Windows().registerFactory(QStringLiteral("GraphicForm"), []() -> QWidget * { return new GraphicForm; });
}
