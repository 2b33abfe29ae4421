#pragma once
// A foot view window: "Left Foot" (Form1) or "Right Foot" (Form2). One
// class for both twins; the side decides names, captions and undo files.
// Other windows reach it through footviewinterface.h; the public procedures
// below are what they may call. Every procedure that reads or writes a file
// raises mesh::MeshError or SolvaneError on failure (the caller's command
// handler shows it); the menu commands report their own failures.

#include "camera.h"
#include "footside.h"
#include "grid.h"
#include "mesh_model.h"
#include "picture.h"
#include "undo_ring.h"

#include <QMainWindow>

class QLabel;
class QAction;
class TrimPanel;
namespace view {
class FootViewport;
}

class FootView : public QMainWindow
{
    Q_OBJECT
public:
    explicit FootView(FootSide side, QWidget *parent = nullptr);
    ~FootView() override;

    FootSide side() const { return m_side; }
    view::FootViewport *viewport() const { return m_viewport; }
    const mesh::Model &model() const;

    // --- Model files -----------------------------------------------------
    // Shows a VRML scan or a ".Lcf" model file (chosen by its extension) in
    // place of the present model, framed whole.
    void Load_Model_File(const QString &path);
    // Imports an STL file as it is (no repair, window not shown, camera
    // unchanged; callers fit or turn the view as they need).
    void Import_Stl(const QString &path);
    // Shows a model built elsewhere (the OBJ reader), unframed.
    void Show_Model(mesh::Model model);
    // Writes the model as ".Lcf" (replace-by-rename) and returns the bytes written.
    qint64 Save_Model(const QString &path);

    // --- Edits and undo --------------------------------------------------
    // Crease-angle smoothing of item 0 at 40 degrees: only shading changes.
    void Smooth();
    // Multiplies the vertex colours of item 0 (1.5 brightens, 0.7 darkens);
    // a mesh without vertex colours stays as it is.
    void Change_Brightness(double amount);
    // Saves the model into the next slot of the undo ring; throws
    // mesh::MeshError when it cannot be written (the ring is then unchanged).
    void Make_Undo();
    // A scan was loaded: the ring's steps go and the model as loaded
    // becomes what "Undo All" brings back ("UndoL.Lcf" / "UndoR.Lcf").
    void Write_Initial_Snapshot();
    // Deletes the ring's slot files and starts counting again.
    void Clear_Undo();
    const mesh::UndoRing &undoRing() const { return m_undo; }

    // --- Camera and display ---------------------------------------------
    // Turns the view to the sole, brightens the mesh by 1.5 and zooms 1.5
    // about the visible centre; every call brightens and zooms once more.
    void ViewBottom();
    // Zoom by 1.5 about the centre of the visible range.
    void Scale_Screen();
    // "Reset": the whole model in sight, as the view now looks at it.
    void Fit();
    void Redraw();
    // Shows the grid ("3DGrid") and redraws.
    void Grid_On();

    // --- Window ----------------------------------------------------------
    // Panel 1 of the status bar, painted at once.
    void Write_Status(const QString &text);
    QString statusText() const;
    // The window's whole client area (3D view and status bar), also kept as
    // `Picture1`.
    Picture Capture();
    const Picture &picture1() const { return m_picture1; }
    // The part of the window that Capture() takes, in window coordinates.
    QRect clientArea() const;
    // Shown, brought to the front, restored when minimised.
    void Show_Normal();
    // "Left Foot: " / "Right Foot: " and the path.
    void Set_Caption(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    int wholeMenuBarWidth();
    QAction *addItem(class QMenu *menu, const QString &caption, const QString &name);
    void openWindow(const QString &name);
    void showFileError(const std::exception &error);
    // Make_Undo before an edit; false (and the failure shown) when the
    // snapshot could not be written, so the edit is not made.
    bool snapshotBeforeEdit();
    // The model replaced by an undo step (the ring keeps its count), framed
    // as "Reset" frames it.
    void restoreModel(mesh::Model model);
    void closeTrimPanel();
    void viewportClicked(bool hit, const mesh::Vec3 &point);

    // Menu commands.
    void mnuLoadLCF_Click();
    void mnuSaveLCF_Click();
    void mnuLoadStl_Click();
    void mnuSaveTex_Click();
    void mnuPrintD_Click();
    void mnuClip_Click();
    void mnuWireframe_Click();
    void mnuAxes_Click();
    void mnuBrighten_Click();
    void mnuImage1_Click();
    void mnuHelp1_Click();
    void mnuScript_Click();
    // Edits and undo.
    void mnuUndo_Click();
    void mnuUndoAll_Click();
    void mnuFlip_Click();
    void rotate(mesh::Axis axis);
    void scaleBy(double factor);
    void mnuCleanMesh_Click();
    // Trimming.
    void mnuTrim_Click();
    void Do_Trim();
    // Camera and grid.
    void preset(mesh::ViewPreset which);
    void mnuZoomW_Click();
    void gridPlaneItem(mesh::GridPlane plane);
    void mnuGridPos_Click();
    void mnuGridOff_Click();
    // Measuring.
    void mnuDist_Click();
    void measureDisplay(bool dynamic);
    void mnuAngle_Click();

    FootSide m_side;
    view::FootViewport *m_viewport = nullptr;
    QLabel *m_statusPanel = nullptr;
    QAction *m_wireframe = nullptr;
    QAction *m_axes = nullptr;
    TrimPanel *m_trimPanel = nullptr;
    mesh::UndoRing m_undo;
    Picture m_picture1;
};

// "Error: Invalid File (The Size is Too Small)" applies below this many bytes.
inline constexpr qint64 kSmallestModelFile = 1000;
