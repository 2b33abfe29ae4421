#pragma once

#include "drawingpanetab.h"
#include "insolepanes.h"

#include <QObject>
#include <QString>

struct ScriptRecord;

namespace cad {
class DrawingView;
}

// The insole drawing pane of a prescription window's "Graphics" tab, soft or
// rigid: a drawing view in the tab's drawing host over the photo of the side
// GraphicSelection names, with the tab's lines for the pointer, the messages
// and the foot size. The two panes differ only in their kind (names, the
// rigid "R_" job names, the rigid image test). It lives as long as the
// tab's host widget, which owns it.
class InsolePane : public QObject, public InsolePaneTarget
{
    Q_OBJECT
public:
    // The pane in the tab's drawing host, made there on first use.
    static InsolePane &In(const DrawingPaneTab &tab, DrawingHostKind kind);
    // The pane of that kind while its host lives; null before the first
    // In() and after the host is gone.
    static InsolePane *Existing(DrawingHostKind kind);
    // The last pane to go lets the kept photos go with it.
    ~InsolePane() override;

    // Rebuilds the pane for GraphicSelection (the drawing set-up in its pane
    // variant with the pane's job sketch). What was drawn and not burnt into
    // the photo is erased whenever a photo is placed again.
    void Load_Vec_File();
    void Delete_Entities();
    void Insert_Foot_Block(const QString &blockFile, double x, double y, double z, double scale);
    void Set_Text_Style(const QString &style);
    void Set_Text_Scale(const QString &style, double sc);
    void Set_Dim_Scale(const QString &style, double sc);
    // "S": the drawing burnt into the image of the side shown; then the
    // window rebuilds the pane.
    void Save_Image();

    // The foot whose photo the pane placed last ("Left", "Right"), empty
    // for the job sketch or none.
    QString imageFoot() const { return m_imageFoot; }

    // --- InsolePaneTarget ------------------------------------------------
    cad::DrawingView &view() override { return *m_view; }
    void burnFromPalette() override;
    cad::Drawing &drawing() override;
    void runCommand(int number) override;
    void showMessage(const QString &text) override;
    void showX(const QString &text) override;
    void showY(const QString &text) override;
    void showSize(const QString &text) override;
    void redraw() override;

private:
    InsolePane(const DrawingPaneTab &tab, DrawingHostKind kind);
    void setLine(int index, const QString &text);

    DrawingPaneTab m_tab;
    cad::DrawingView *m_view = nullptr;
    QString m_imageFoot;
};

// The pane's own step of the set-up: the job sketch. Once the "Graphics" tab
// was visited (GraphicsTabFlag), JobImageFile is named after the job
// (JobSketchPath; the rigid pane only while both client names are set, else
// it keeps its name), and a sketch that does not exist yet is started from
// "GraphicImage.Jpg" of the working folder. An existing sketch is never
// replaced; without "GraphicImage.Jpg" no sketch is made.
void Pane_Job_Sketch(ScriptRecord &job, DrawingHostKind kind);

// The "Graphic Selection" window (VecOption), registered with the window
// registry; no command opens it.
void Register_Insole_Pane_Windows();
