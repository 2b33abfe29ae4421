#include "imagewindow.h"

#include "imagedocument.h"
#include "imageview.h"
#include "photocore.h"
#include "prompter.h"

#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

namespace {
const QString kAppTitle = QStringLiteral("Solvane");
}

ImageWindow::ImageWindow(const Options &options, QWidget *parent)
    : QMainWindow(parent),
      m_options(options),
      m_client(new QWidget(this)),
      m_view(new ImageView(m_client)),
      m_statusBar(new QStatusBar(m_client))
{
    setObjectName(options.name);
    setWindowTitle(options.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    static const int widths[4] = {90, 90, 0, 110};
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(m_statusBar);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        m_panels[i]->setMinimumWidth(widths[i]);
        m_statusBar->addWidget(m_panels[i], i == 2 ? 1 : 0);
    }
    connect(m_view, &ImageView::completed, this, [this] { ShowStatus(QStringLiteral("Ready")); });
}

ImageDocument *ImageWindow::document() const
{
    return m_view->document();
}

namespace {
void showNow(QLabel *panel, const QString &text)
{
    panel->setText(text);
    // The text must be seen while the picture is worked on.
    panel->repaint();
}
} // namespace

void ImageWindow::ShowStatus(const QString &text)
{
    showNow(m_panels[2], text);
}

void ImageWindow::ShowStatusX(const QString &text)
{
    showNow(m_panels[0], text);
}

void ImageWindow::ShowStatusY(const QString &text)
{
    showNow(m_panels[1], text);
}

void ImageWindow::ShowStatusF(const QString &text)
{
    showNow(m_panels[3], text);
}

QString ImageWindow::panelText(int panel) const
{
    return panel >= 1 && panel <= 4 ? m_panels[panel - 1]->text() : QString();
}

void ImageWindow::ZoomFit()
{
    ShowStatus(QStringLiteral("Zoom Fit ...."));
    document()->recordUndoStep();
    const auto percent = photo::Zoom_Fit_Percent(document()->pixelHeight(), document()->pixelWidth(),
                                                 float(m_view->height() * photo::kTwipsPerPixel),
                                                 float(m_view->width() * photo::kTwipsPerPixel));
    if (!percent)
        return;
    document()->setZoom(*percent);
    ShowStatus(photo::Zoom_Text(*percent));
}

void ImageWindow::zoomStep(int percent)
{
    for (const photo::ZoomStep &step : photo::Zoom_Steps()) {
        if (step.zoom != percent)
            continue;
        ShowStatus(step.firstText);
        document()->recordUndoStep();
        document()->setZoom(step.zoom);
        ShowStatus(step.secondText);
    }
}

void ImageWindow::mnuSave_Click()
{
    if (UI().message(QStringLiteral("This will overwrite the existing file. Are you Sure?"), QStringLiteral("Warning"),
                     Prompter::Icon::Warning, Prompter::Buttons::OkCancel)
        != Prompter::Answer::Ok)
        return;
    saveImage();
}

void ImageWindow::mnuSaveAs_Click()
{
    Prompter::FileRequest request;
    request.title = QStringLiteral("Save the Image File");
    request.folder = QDir::currentPath();
    request.fileName = saveAsName();
    request.filter = QStringLiteral("JPEG File (*.Jpg)|*.Jpg|All Files (*.*)|*.*");
    request.defaultExtension = m_options.saveAsExtension;
    const QString chosen = UI().saveFile(request);
    // A cancelled dialog saves nothing; a failed save is reported by the
    // command's handler and leaves an older file whole.
    if (chosen.isEmpty())
        return;
    document()->save(chosen);
}

void ImageWindow::mnuInfo_Click()
{
    const ImageDocument *doc = document();
    photo::ImageFacts facts;
    facts.width = doc->pixelWidth();
    facts.height = doc->pixelHeight();
    facts.bitDepth = doc->bitDepth();
    facts.resolutionX = doc->resolutionX();
    facts.resolutionY = doc->resolutionY();
    facts.greyStart = doc->greyRangeStart();
    facts.greyEnd = doc->greyRangeEnd();
    ShowStatus(QStringLiteral("Processing..."));
    UI().message(photo::Information_Text(facts), kAppTitle, Prompter::Icon::None, Prompter::Buttons::Ok);
    ShowStatus(QStringLiteral("Ready"));
}

void ImageWindow::mnuUndo_Click()
{
    document()->undo();
}

void ImageWindow::mnuRedo_Click()
{
    document()->redo();
}

void ImageWindow::mnuRedraw_Click()
{
    ShowStatus(QStringLiteral("Repainting ...."));
    document()->recordUndoStep();
    document()->redraw();
}

QAction *ImageWindow::addItem(QMenu *menu, const QString &caption, const QString &name)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void ImageWindow::connectCommand(QAction *action, std::function<void()> command)
{
    connect(action, &QAction::triggered, this, [command = std::move(command)] { Run_Command(command); });
}

void ImageWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    connectCommand(addItem(file, QStringLiteral("Save"), QStringLiteral("mnuSave")), [this] { mnuSave_Click(); });
    connectCommand(addItem(file, QStringLiteral("Save As"), QStringLiteral("mnuSaveAs")),
                   [this] { mnuSaveAs_Click(); });
    file->addSeparator();
    connectCommand(addItem(file, QStringLiteral("Information"), QStringLiteral("mnuInfo")),
                   [this] { mnuInfo_Click(); });
    file->addSeparator();
    addFileItems(file);
    connect(addItem(file, QStringLiteral("Close"), QStringLiteral("mnuQuit")), &QAction::triggered, this,
            &QWidget::close);

    QMenu *edit = bar->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    connectCommand(addItem(edit, QStringLiteral("Undo"), QStringLiteral("mnuUndo")), [this] { mnuUndo_Click(); });
    connectCommand(addItem(edit, QStringLiteral("Redo"), QStringLiteral("mnuRedo")), [this] { mnuRedo_Click(); });

    QMenu *view = bar->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("mnuView"));
    for (const photo::ZoomStep &step : photo::Zoom_Steps()) {
        const int percent = step.zoom;
        connectCommand(addItem(view, step.caption, step.item), [this, percent] { zoomStep(percent); });
    }
    view->addSeparator();
    connectCommand(addItem(view, QStringLiteral("Zoom Fit"), QStringLiteral("mnuZoomFit")), [this] { ZoomFit(); });
    connectCommand(addItem(view, QStringLiteral("Redraw"), QStringLiteral("mnuRedraw")), [this] { mnuRedraw_Click(); });

    addOwnMenus();
}

void ImageWindow::placeImageControl(const QRect &geometry)
{
    m_view->setGeometry(geometry.x(), geometry.y(), std::max(0, geometry.width()), std::max(0, geometry.height()));
}

void ImageWindow::layoutClient()
{
    const int barHeight = m_statusBar->sizeHint().height();
    m_statusBar->setGeometry(0, m_client->height() - barHeight, m_client->width(), barHeight);
}

bool ImageWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        layoutClient();
    return QMainWindow::eventFilter(watched, event);
}
