#include "footview.h"

#include "distform.h"
#include "footviewport.h"
#include "footviewshared.h"
#include "gridform.h"
#include "lcf_file.h"
#include "mesh_edits.h"
#include "messagetext.h"
#include "paths.h"
#include "prompter.h"
#include "runandwait.h"
#include "scanfileset.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "stl_reader.h"
#include "trimpanel.h"
#include "vrml_reader.h"
#include "windowregistry.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const QString kLcfFilter = QStringLiteral("LCF File (*.Lcf)|*.Lcf|All Files (*.*)|*.*");
const QString kStlFilter = QStringLiteral("STL File (*.Stl)|*.Stl|All Files (*.*)|*.*");

// The places the views open at, in pixels (the stored layout in twips / 15).
constexpr int kClientWidth = 545, kClientHeight = 487;
constexpr int kLeftX = 6, kRightX = 560, kTop = 383;

QString &scanFile(FootSide side)
{
    return side == FootSide::Left ? Job().LeftScanFile : Job().RightScanFile;
}
QString &lcfFile(FootSide side)
{
    return side == FootSide::Left ? Job().LeftLcfFile : Job().RightLcfFile;
}

std::filesystem::path workingFolder()
{
    return std::filesystem::path(Paths::root().toStdString());
}

} // namespace

FootView::FootView(FootSide side, QWidget *parent)
    : QMainWindow(parent),
      m_side(side),
      m_undo(workingFolder(), side == FootSide::Left ? "UndoL" : "UndoR")
{
    setObjectName(View_Window_Name(side));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);
    m_viewport = new view::FootViewport(central);
    m_viewport->setObjectName(side == FootSide::Left ? QStringLiteral("KernelCAD1") : QStringLiteral("KernelCAD2"));
    layout->addWidget(m_viewport);
    setCentralWidget(central);
    connect(m_viewport, &view::FootViewport::clicked, this,
            [this](const QPointF &, bool hit, const mesh::Vec3 &point) { viewportClicked(hit, point); });

    // The trimming panel stands over the 3D display, hidden until "Trim".
    m_trimPanel = new TrimPanel(central);
    m_trimPanel->move(100 / 15, 100 / 15);
    connect(m_trimPanel, &TrimPanel::planeChanged, this,
            [this] { m_viewport->setDisplayPlane(m_trimPanel->plane().displayPlane()); });
    connect(m_trimPanel, &TrimPanel::trimRequested, this, [this] { Run_Command([this] { Do_Trim(); }); });
    connect(m_trimPanel, &TrimPanel::closeRequested, this, &FootView::closeTrimPanel);

    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusPanel = new QLabel(bar);
    m_statusPanel->setObjectName(QStringLiteral("StatusBar1_Panel1"));
    bar->addWidget(m_statusPanel, 1);
    setStatusBar(bar);

    buildMenus();

    // Window load: shaded with axes, captioned after the scan, the grid
    // plane back to "End", ring from slot 1.
    m_viewport->setShaded(true);
    m_viewport->setAxesShown(true);
    Set_Caption(scanFile(side));
    Grid_Plane() = mesh::GridPlane::End;
    resize(std::max(kClientWidth, wholeMenuBarWidth()), kClientHeight + menuBar()->sizeHint().height());
    move(side == FootSide::Left ? kLeftX : kRightX, kTop);
    Redraw();
}

FootView::~FootView() = default;

const mesh::Model &FootView::model() const
{
    return m_viewport->model();
}

int FootView::wholeMenuBarWidth()
{
    // The stored width hides the last menus behind the bar's overflow
    // button. The bar lays its items out within the window's width, so a
    // window wide for a moment lets it tell the width all of them take.
    resize(8192, height());
    return menuBar()->sizeHint().width();
}

QAction *FootView::addItem(QMenu *menu, const QString &caption, const QString &name)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void FootView::buildMenus()
{
    // Each item of the bar has its own access key (Alt and the letter after
    // the "&"): "Settings" has the S, so "Sizes" and "Script" take another.
    QMenuBar *bar = menuBar();
    auto command = [this](QAction *action, void (FootView::*slot)()) {
        connect(action, &QAction::triggered, this, [this, slot] { Run_Command([this, slot] { (this->*slot)(); }); });
    };

    QMenu *files = bar->addMenu(QStringLiteral("&Files"));
    files->setObjectName(QStringLiteral("mnuFiles"));
    command(addItem(files, QStringLiteral("Load"), QStringLiteral("mnuLoadLCF")), &FootView::mnuLoadLCF_Click);
    command(addItem(files, QStringLiteral("Save"), QStringLiteral("mnuSaveLCF")), &FootView::mnuSaveLCF_Click);
    command(addItem(files, QStringLiteral("Load STL"), QStringLiteral("mnuLoadStl")), &FootView::mnuLoadStl_Click);
    files->addSeparator();
    command(addItem(files, QStringLiteral("Clean Mesh"), QStringLiteral("mnuCleanMesh")),
            &FootView::mnuCleanMesh_Click);
    addItem(files, QStringLiteral("Print 1:1"), QStringLiteral("mnuPrint"))->setEnabled(false);
    command(addItem(files, QStringLiteral("Print Display"), QStringLiteral("mnuPrintD")), &FootView::mnuPrintD_Click);
    command(addItem(files, QStringLiteral("ClipBoard"), QStringLiteral("mnuClip")), &FootView::mnuClip_Click);
    files->addSeparator();
    connect(addItem(files, QStringLiteral("Quit"), QStringLiteral("mnuQuit")), &QAction::triggered, this,
            &QWidget::close);

    QMenu *undo = bar->addMenu(QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("mnuUndo1"));
    command(addItem(undo, QStringLiteral("Undo All"), QStringLiteral("mnuUndoAll")), &FootView::mnuUndoAll_Click);
    command(addItem(undo, QStringLiteral("Undo"), QStringLiteral("mnuUndo")), &FootView::mnuUndo_Click);

    QMenu *views = bar->addMenu(QStringLiteral("&Views"));
    views->setObjectName(QStringLiteral("mnuViews"));
    auto presetItem = [this](QMenu *menu, const QString &caption, const QString &name, mesh::ViewPreset which) {
        connect(addItem(menu, caption, name), &QAction::triggered, this, [this, which] { preset(which); });
    };
    presetItem(views, QStringLiteral("Top"), QStringLiteral("mnuView4"), mesh::ViewPreset::Top);
    presetItem(views, QStringLiteral("Bottom"), QStringLiteral("mnuView2"), mesh::ViewPreset::Bottom);
    presetItem(views, QStringLiteral("Left"), QStringLiteral("mnuView3"), mesh::ViewPreset::Left);
    presetItem(views, QStringLiteral("Right"), QStringLiteral("mnuView1"), mesh::ViewPreset::Right);
    presetItem(views, QStringLiteral("Front"), QStringLiteral("mnuView5"), mesh::ViewPreset::Front);
    presetItem(views, QStringLiteral("Back"), QStringLiteral("mnuView6"), mesh::ViewPreset::Back);
    views->addSeparator();
    command(addItem(views, QStringLiteral("Zoom Window"), QStringLiteral("mnuZoomW")), &FootView::mnuZoomW_Click);
    command(addItem(views, QStringLiteral("Reset"), QStringLiteral("mnuReset")), &FootView::Fit);

    QMenu *image = bar->addMenu(QStringLiteral("&Image"));
    image->setObjectName(QStringLiteral("mnuImage"));
    command(addItem(image, QStringLiteral("Brighten"), QStringLiteral("mnuBrighten")), &FootView::mnuBrighten_Click);
    command(addItem(image, QStringLiteral("Edit Image"), QStringLiteral("mnuImage1")), &FootView::mnuImage1_Click);

    QMenu *measure = bar->addMenu(QStringLiteral("&Measure"));
    measure->setObjectName(QStringLiteral("mnuMeasure"));
    command(addItem(measure, QStringLiteral("3D Distance"), QStringLiteral("mnuDist")), &FootView::mnuDist_Click);
    measure->addSeparator();
    connect(addItem(measure, QStringLiteral("Dynamic Display"), QStringLiteral("mnuDistance1")), &QAction::triggered,
            this, [this] { measureDisplay(true); });
    connect(addItem(measure, QStringLiteral("Static Display"), QStringLiteral("mnuDistance2")), &QAction::triggered,
            this, [this] { measureDisplay(false); });
    measure->addSeparator();
    command(addItem(measure, QStringLiteral("Angle"), QStringLiteral("mnuAngle")), &FootView::mnuAngle_Click);
    measure->addSeparator();
    auto planeItem = [this](QMenu *menu, const QString &caption, const QString &name, mesh::GridPlane plane) {
        connect(addItem(menu, caption, name), &QAction::triggered, this, [this, plane] { gridPlaneItem(plane); });
    };
    planeItem(measure, QStringLiteral("Grid End"), QStringLiteral("mnuGridE"), mesh::GridPlane::End);
    planeItem(measure, QStringLiteral("Grid Side"), QStringLiteral("mnuGridS"), mesh::GridPlane::Side);
    planeItem(measure, QStringLiteral("Grid Plan"), QStringLiteral("mnuGridP"), mesh::GridPlane::Plan);
    measure->addSeparator();
    command(addItem(measure, QStringLiteral("Grid Position"), QStringLiteral("mnuGridPos")),
            &FootView::mnuGridPos_Click);
    command(addItem(measure, QStringLiteral("Grid Off"), QStringLiteral("mnuGridOff")), &FootView::mnuGridOff_Click);

    QMenu *settings = bar->addMenu(QStringLiteral("&Settings"));
    settings->setObjectName(QStringLiteral("mnuSettings"));
    m_wireframe = addItem(settings, QStringLiteral("Wireframe"), QStringLiteral("mnuWireframe"));
    m_wireframe->setCheckable(true);
    command(m_wireframe, &FootView::mnuWireframe_Click);
    m_axes = addItem(settings, QStringLiteral("Axes"), QStringLiteral("mnuAxes"));
    m_axes->setCheckable(true);
    m_axes->setChecked(true);
    command(m_axes, &FootView::mnuAxes_Click);
    settings->addSeparator();
    connect(addItem(settings, QStringLiteral("Smooth"), QStringLiteral("mnuSmooth")), &QAction::triggered, this,
            [this] { Smooth(); });
    settings->addSeparator();
    connect(addItem(settings, QStringLiteral("Scale 25.4"), QStringLiteral("mnuToMetric")), &QAction::triggered, this,
            [this] { scaleBy(mesh::kInchesToMillimetres); });
    connect(addItem(settings, QStringLiteral("Scale 1000"), QStringLiteral("mnuScale1000")), &QAction::triggered, this,
            [this] { scaleBy(mesh::kScale1000); });

    QAction *trim = bar->addAction(QStringLiteral("&Trim"));
    trim->setObjectName(QStringLiteral("mnuTrim"));
    command(trim, &FootView::mnuTrim_Click);
    QAction *sizes = bar->addAction(QStringLiteral("Si&zes"));
    sizes->setObjectName(QStringLiteral("mnuSizes"));
    connect(sizes, &QAction::triggered, this, [this] { openWindow(QStringLiteral("FootSize")); });
    QAction *script = bar->addAction(QStringLiteral("S&cript"));
    script->setObjectName(QStringLiteral("mnuScript"));
    command(script, &FootView::mnuScript_Click);

    QMenu *position = bar->addMenu(QStringLiteral("&Position"));
    position->setObjectName(QStringLiteral("mnuPosition"));
    command(addItem(position, QStringLiteral("Mirror"), QStringLiteral("mnuFlip")), &FootView::mnuFlip_Click);
    QMenu *rotateMenu = position->addMenu(QStringLiteral("Rotate"));
    rotateMenu->setObjectName(QStringLiteral("mnuRotate"));
    auto rotateItem = [this](QMenu *menu, const QString &caption, const QString &name, mesh::Axis axis) {
        connect(addItem(menu, caption, name), &QAction::triggered, this, [this, axis] { rotate(axis); });
    };
    rotateItem(rotateMenu, QStringLiteral("X 90 (red)"), QStringLiteral("mnuRotX"), mesh::Axis::X);
    rotateItem(rotateMenu, QStringLiteral("Y 90 (green)"), QStringLiteral("mnuRotY"), mesh::Axis::Y);
    rotateItem(rotateMenu, QStringLiteral("Z 90 (blue)"), QStringLiteral("mnuRotZ"), mesh::Axis::Z);

    QMenu *pellmar = bar->addMenu(QStringLiteral("P&ellmar/ZKT"));
    pellmar->setObjectName(QStringLiteral("mnuPellmar"));
    connect(addItem(pellmar, QStringLiteral("Brighten"), QStringLiteral("mnuPlus")), &QAction::triggered, this,
            [this] { Change_Brightness(mesh::kBrighten); });
    connect(addItem(pellmar, QStringLiteral("Darken"), QStringLiteral("mnuMinus")), &QAction::triggered, this,
            [this] { Change_Brightness(mesh::kDarken); });
    pellmar->addSeparator();
    presetItem(pellmar, QStringLiteral("View Sole"), QStringLiteral("mnuViewSole"), mesh::ViewPreset::Sole);
    command(addItem(pellmar, QStringLiteral("Save Texture"), QStringLiteral("mnuSaveTex")),
            &FootView::mnuSaveTex_Click);

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    command(addItem(help, QStringLiteral("Help"), QStringLiteral("mnuHelp1")), &FootView::mnuHelp1_Click);
    connect(addItem(help, QStringLiteral("Keyboard"), QStringLiteral("mnuHelp2")), &QAction::triggered, this,
            [this] { openWindow(QStringLiteral("Help1")); });
}

void FootView::openWindow(const QString &name)
{
    Windows().show(name);
}

void FootView::showFileError(const std::exception &error)
{
    UI().message(QStringLiteral("Error: ") + QString::fromUtf8(error.what()), QStringLiteral("Error"),
                 Prompter::Icon::Warning);
}

// --- Model files -----------------------------------------------------------

void FootView::Load_Model_File(const QString &path)
{
    mesh::Model model = Has_Extension(path, QStringLiteral("lcf")) ? mesh::loadLcfFile(path.toStdString())
                                                                   : mesh::readVrmlFile(path.toStdString());
    m_viewport->setTextureFolder(QFileInfo(path).path());
    Show_Model(std::move(model));
    Fit();
}

void FootView::Import_Stl(const QString &path)
{
    mesh::Model model = mesh::readStlFile(path.toStdString());
    m_viewport->setTextureFolder(QFileInfo(path).path());
    Show_Model(std::move(model));
    // Framed as a model file is: the view may still frame another scan.
    Fit();
}

void FootView::Show_Model(mesh::Model model)
{
    m_viewport->setModel(std::move(model));
    Clear_Undo();
}

qint64 FootView::Save_Model(const QString &path)
{
    mesh::saveLcfFile(m_viewport->model(), path.toStdString());
    return QFileInfo(path).size();
}

// --- Edits and undo ----------------------------------------------------------

void FootView::Smooth()
{
    if (mesh::Mesh *m = mesh::editedMesh(m_viewport->model())) {
        mesh::smooth(*m);
        m_viewport->modelChanged();
    }
}

void FootView::Change_Brightness(double amount)
{
    if (mesh::Mesh *m = mesh::editedMesh(m_viewport->model())) {
        if (mesh::changeBrightness(*m, amount))
            m_viewport->modelChanged();
    }
}

void FootView::Make_Undo()
{
    m_undo.save(m_viewport->model());
}

void FootView::Write_Initial_Snapshot()
{
    m_undo.startWithScan(m_viewport->model());
}

void FootView::Clear_Undo()
{
    m_undo.clear();
}

// --- Camera ------------------------------------------------------------------

void FootView::ViewBottom()
{
    m_viewport->camera().applyPreset(mesh::ViewPreset::Sole);
    Change_Brightness(mesh::kBrighten);
    Scale_Screen();
    Redraw();
}

void FootView::Scale_Screen()
{
    m_viewport->camera().zoomScreen();
    Redraw();
}

void FootView::Fit()
{
    m_viewport->fit();
}

void FootView::Redraw()
{
    m_viewport->redraw();
}

void FootView::Grid_On()
{
    m_viewport->grid().setVisible(true);
    Redraw();
}

// --- Window ------------------------------------------------------------------

void FootView::Write_Status(const QString &text)
{
    m_statusPanel->setText(text);
    m_statusPanel->repaint();
}

QString FootView::statusText() const
{
    return m_statusPanel->text();
}

Picture FootView::Capture()
{
    // The client area: everything below the menu bar, as the window's own
    // capture has always been (3D view, trim panel, status bar).
    const QRect area = clientArea();
    m_picture1 = Capture_Window(this, true, area.x(), area.y(), area.width(), area.height());
    return m_picture1;
}

QRect FootView::clientArea() const
{
    const int top = menuBar()->isVisible() ? menuBar()->geometry().bottom() + 1 : 0;
    return QRect(0, top, width(), height() - top);
}

void FootView::Show_Normal()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
}

void FootView::Set_Caption(const QString &path)
{
    setWindowTitle(Side_Name(m_side) + QStringLiteral(" Foot: ") + QDir::toNativeSeparators(path));
}

void FootView::closeEvent(QCloseEvent *event)
{
    // Only this side's files: the other view may still be working on its own.
    m_undo.removeFiles();
    // The grid window acts on this view's grid only, so it goes with it.
    Windows().unload(Grid_Window_Name(m_side));
    Wait_Milliseconds(500);
    event->accept();
}

// --- Menu commands -----------------------------------------------------------

void FootView::mnuLoadLCF_Click()
{
    Prompter::FileRequest request;
    request.title = QStringLiteral("Select a LCF File");
    request.folder = Job().CurrentFolder;
    request.filter = kLcfFilter;
    request.defaultExtension = QStringLiteral("Lcf");
    const QString path = UI().openFile(request);
    if (path.isEmpty())
        return;
    try {
        Load_Model_File(path);
    } catch (const std::exception &error) {
        showFileError(error);
        return;
    }
    lcfFile(m_side) = path;
    Set_Caption(path);
}

void FootView::mnuSaveLCF_Click()
{
    ScriptRecord &job = Job();
    const QString scanName = m_side == FootSide::Left ? job.LeftScanFileName : job.RightScanFileName;
    try {
        Make_Undo();
        const QString suffix = QFileInfo(scanName).suffix();
        QString proposed;
        if (!Is_Absent_Path(scanName))
            proposed = (suffix.isEmpty() ? scanName : scanName.left(scanName.size() - suffix.size() - 1))
                       + QStringLiteral(".Lcf");
        lcfFile(m_side) = proposed;

        Prompter::FileRequest request;
        request.title = QStringLiteral("Enter a LCF File Name");
        request.folder = job.CurrentFolder;
        request.fileName = proposed;
        request.filter = kLcfFilter;
        request.defaultExtension = QStringLiteral("Lcf");
        const QString path = UI().saveFile(request);
        if (path.isEmpty()) {
            Write_Status(QStringLiteral("Ready"));
            return;
        }
        if (mesh::cleanMesh(m_viewport->model()) > 1)
            m_viewport->modelChanged();
        Write_Status(QStringLiteral("Saving  ") + QDir::toNativeSeparators(path) + QStringLiteral("..."));
        const qint64 bytes = Save_Model(path);
        lcfFile(m_side) = path;
        Write_Status(QString::number(bytes) + QStringLiteral(" bytes saved"));
        if (bytes < kSmallestModelFile)
            UI().message(Message_Lines({QStringLiteral("Error: Invalid File (The Size is Too Small)"),
                                        QStringLiteral("Try Resaving the File")}),
                         QStringLiteral("Error"), Prompter::Icon::Warning);
    } catch (const std::exception &error) {
        showFileError(error);
    }
}

void FootView::mnuLoadStl_Click()
{
    Write_Status(QStringLiteral("Loading STL File..."));
    Prompter::FileRequest request;
    request.title = QStringLiteral("Select an STL File");
    request.folder = Job().DataFolder;
    request.filter = kStlFilter;
    request.defaultExtension = QStringLiteral("Stl");
    const QString path = UI().openFile(request);
    if (path.isEmpty()) {
        Write_Status(QStringLiteral("Ready"));
        return;
    }
    try {
        scanFile(m_side) = path;
        Import_Stl(path);
        m_viewport->camera().applyPreset(mesh::ViewPreset::Bottom);
        Fit();
        Smooth();
        (m_side == FootSide::Left ? Job().StlScanFlagL : Job().StlScanFlagR) = true;
        Write_Status(QStringLiteral("Ready"));
    } catch (const std::exception &error) {
        showFileError(error);
    }
}

void FootView::mnuSaveTex_Click()
{
    const QString scan = scanFile(m_side);
    if (Is_Absent_Path(scan))
        throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("No scan is loaded in this view."));
    QString &graphic = m_side == FootSide::Left ? Job().LeftGraphicFile : Job().RightGraphicFile;
    graphic = Scan_File_Set(scan).snapshot;
    Save_JPEG(Capture(), graphic, 90);
}

void FootView::mnuPrintD_Click()
{
    const Picture picture = Capture();
    QPrinter printer;
    QPainter painter;
    if (Print_Picture_Dialog(printer, painter, picture))
        painter.end();
}

void FootView::mnuClip_Click()
{
    QApplication::clipboard()->setImage(Capture());
}

void FootView::mnuWireframe_Click()
{
    m_viewport->setShaded(!m_viewport->shaded());
    m_wireframe->setChecked(!m_viewport->shaded());
    m_viewport->modelChanged();
}

void FootView::mnuAxes_Click()
{
    m_viewport->setAxesShown(!m_viewport->axesShown());
    m_axes->setChecked(m_viewport->axesShown());
}

void FootView::mnuBrighten_Click()
{
    Job().CurrentFoot = Side_Name(m_side);
    openWindow(QStringLiteral("Brighten"));
}

void FootView::mnuImage1_Click()
{
    Job().CurrentFoot = Side_Name(m_side);
    openWindow(QStringLiteral("GraphicForm"));
}

void FootView::mnuHelp1_Click()
{
    Job().BrowserPage = Paths::file(QStringLiteral("Help1.Htm"));
    openWindow(QStringLiteral("Browser"));
}

void FootView::mnuScript_Click()
{
    Run_And_Wait_Idle(Paths::file(QStringLiteral("ViewScr")), {});
}
