// The foot view's tools: mesh edits and the undo ring, the trimming panel,
// camera presets and the grid, and measuring.
#include "footview.h"

#include "distform.h"
#include "footviewport.h"
#include "footviewshared.h"
#include "gridform.h"
#include "mesh_edits.h"
#include "messagetext.h"
#include "plane_cut.h"
#include "prompter.h"
#include "trimpanel.h"
#include "windowregistry.h"

namespace {

const QString kTrimTitle = QStringLiteral("Trim");

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

// --- Edits and undo -----------------------------------------------------------

bool FootView::snapshotBeforeEdit()
{
    try {
        Make_Undo();
        return true;
    } catch (const std::exception &error) {
        // An edit that could not be undone is not made.
        Write_Status(QStringLiteral("Ready"));
        showFileError(error);
        return false;
    }
}

void FootView::restoreModel(mesh::Model model)
{
    m_viewport->setModel(std::move(model));
    // The camera still frames the model the undone edit left, which may lie
    // far from this one or at another scale: frame the model now shown.
    Fit();
}

void FootView::mnuUndo_Click()
{
    std::optional<mesh::Model> previous = m_undo.undo();
    if (!previous) {
        UI().message(qs(mesh::UndoRing::kNothingLeftText), qs(mesh::UndoRing::kUndoTitle), Prompter::Icon::Information);
        return;
    }
    restoreModel(std::move(*previous));
}

void FootView::mnuUndoAll_Click()
{
    restoreModel(m_undo.undoAll());
}

void FootView::mnuFlip_Click()
{
    Write_Status(QStringLiteral("Mirroring Mesh..."));
    if (!snapshotBeforeEdit())
        return;
    mesh::Mesh *m = mesh::editedMesh(m_viewport->model());
    if (!m)
        return;
    mesh::mirror(*m);
    m_viewport->modelChanged();
    // The scan moved to the other side of its axis: frame it where it is now.
    Fit();
    Write_Status(QStringLiteral("Ready"));
}

void FootView::rotate(mesh::Axis axis)
{
    if (!snapshotBeforeEdit())
        return;
    if (mesh::Mesh *m = mesh::editedMesh(m_viewport->model())) {
        mesh::rotateQuarterTurn(*m, axis);
        m_viewport->modelChanged();
    }
    Fit();
}

void FootView::scaleBy(double factor)
{
    if (!snapshotBeforeEdit())
        return;
    if (mesh::Mesh *m = mesh::editedMesh(m_viewport->model())) {
        mesh::scale(*m, factor);
        m_viewport->modelChanged();
    }
    Fit();
}

void FootView::mnuCleanMesh_Click()
{
    const std::size_t objects = m_viewport->model().objects.size();
    if (objects > 1)
        UI().message(QString::fromStdString(mesh::objectsFoundText(objects)), qs(mesh::kCleanMeshTitle),
                     Prompter::Icon::Information);
    mesh::cleanMesh(m_viewport->model());
    m_viewport->modelChanged();
}

// --- Trimming -------------------------------------------------------------------

void FootView::mnuTrim_Click()
{
    // The model before any cut goes into the ring; without that snapshot
    // a cut could not be undone, so the panel does not open.
    if (!snapshotBeforeEdit())
        return;
    m_trimPanel->openWith(Trim_Steps());
    m_trimPanel->show();
    m_trimPanel->raise();
    m_viewport->setDisplayPlane(m_trimPanel->plane().displayPlane());
}

void FootView::Do_Trim()
{
    mesh::Mesh *m = mesh::editedMesh(m_viewport->model());
    if (!m) {
        UI().message(QStringLiteral("There is no scan in this view to trim."), kTrimTitle, Prompter::Icon::Information);
        return;
    }
    // A cut that removes nothing, or everything, leaves the mesh as it was
    // and the panel open, so the user can move the plane and try again.
    switch (mesh::cutMesh(*m, m_trimPanel->cuttingPlane())) {
    case mesh::CutOutcome::Cut:
        m_viewport->modelChanged();
        closeTrimPanel();
        return;
    case mesh::CutOutcome::NothingRemoved:
        UI().message(
            Message_Lines(
                {QStringLiteral("Nothing was trimmed: the whole scan lies on the side of the plane that is kept."),
                 QStringLiteral("Move the plane into the scan, or change \"Cut Above\".")}),
            kTrimTitle, Prompter::Icon::Information);
        break;
    case mesh::CutOutcome::WouldLeaveNothing:
        UI().message(Message_Lines({QStringLiteral("Nothing was trimmed: the cut would remove the whole scan."),
                                    QStringLiteral("Move the plane into the scan, or change \"Cut Above\".")}),
                     kTrimTitle, Prompter::Icon::Warning);
        break;
    case mesh::CutOutcome::InvalidPlane:
        UI().message(QStringLiteral("Nothing was trimmed: the plane is not valid."), kTrimTitle,
                     Prompter::Icon::Warning);
        break;
    }
    Redraw();
}

void FootView::closeTrimPanel()
{
    m_viewport->setDisplayPlane(std::nullopt);
    m_trimPanel->finish();
}

// --- Camera and grid ----------------------------------------------------------

void FootView::preset(mesh::ViewPreset which)
{
    m_viewport->camera().applyPreset(which);
    Redraw();
}

void FootView::mnuZoomW_Click()
{
    Write_Status(QStringLiteral("Zoom Windows"));
    m_viewport->setFocus();
    m_viewport->startZoomWindow();
    Write_Status(QStringLiteral("Ready"));
}

void FootView::gridPlaneItem(mesh::GridPlane plane)
{
    Grid_Plane() = plane;
    Grid_On();
    m_viewport->grid().placeInPlane(plane);
    Redraw();
}

void FootView::mnuGridPos_Click()
{
    Register_Grid_Windows();
    Bring_To_Front(Windows().window(Grid_Window_Name(m_side)));
}

void FootView::mnuGridOff_Click()
{
    m_viewport->grid().setVisible(false);
    Redraw();
}

// --- Measuring ------------------------------------------------------------------

void FootView::mnuDist_Click()
{
    Write_Status(QString::fromStdString(Measure_State().start()));
}

void FootView::measureDisplay(bool dynamic)
{
    m_viewport->setMeasureDisplay(dynamic ? view::MeasureDisplay::Dynamic : view::MeasureDisplay::Static);
    m_viewport->setFocus();
    m_viewport->startMeasuring();
}

void FootView::mnuAngle_Click()
{
    Write_Status(QStringLiteral("Pick Two Points..."));
    m_viewport->setFocus();
    m_viewport->startMeasuring();
    m_viewport->measureAngles();
}

void FootView::viewportClicked(bool hit, const mesh::Vec3 &point)
{
    using Kind = mesh::MeasureSession::ClickResult::Kind;
    const auto result = Measure_State().click(hit ? std::optional<mesh::Vec3>(point) : std::nullopt);
    switch (result.kind) {
    case Kind::Ignored: return;
    case Kind::FirstPicked:
    case Kind::Missed: Write_Status(QString::fromStdString(result.status)); return;
    case Kind::Measured:
        Show_Distances();
        Write_Status(QString::fromStdString(result.status));
        return;
    }
}
