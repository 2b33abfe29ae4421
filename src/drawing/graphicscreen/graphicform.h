#pragma once

#include "drawinghost.h"
#include "drawingtools.h"

#include <QMainWindow>
#include <QString>

#include <functional>

class QComboBox;
class QLabel;
class QStatusBar;

namespace cad {
class DrawingView;
}

// "Graphic Screen": a drawing editor over one foot photo, opened by the 3D
// views' "Edit Image". Loading the window runs the drawing set-up for
// CurrentFoot; a later "Edit Image" only brings it to the front, and the
// window keeps working on the foot whose photo it loaded.
class GraphicForm : public QMainWindow, public DrawingHost
{
    Q_OBJECT
public:
    explicit GraphicForm(QWidget *parent = nullptr);

    cad::DrawingView *view() const { return m_view; }
    // The client area below the menu bar: prompt and layer strips on top,
    // the drawing, the status bar below.
    QWidget *surface() const { return m_surface; }

    // The foot ("Left", "Right" or what CurrentFoot held) whose photo this
    // window loaded; a burn writes and reloads that foot.
    QString loadedFoot() const { return m_foot; }

    // The four status panels: 1 pointer x, 2 pointer y, 3 messages, 4 the
    // foot size. Each shows its text at once.
    void ShowStatus(const QString &text);
    void ShowStatusX(const QString &text);
    void ShowStatusY(const QString &text);
    void ShowStatusF(const QString &text);
    QString statusText(int panel) const;

    // A closed insole outline from the outline table, scaled to the foot
    // length of CurrentFoot (mirrored for the left foot).
    void Draw_Insole();

    // The red, green and blue parts of a colour stored as
    // red + 256 x green + 65536 x blue.
    static short RedVal(qint32 value);
    static short GreenVal(qint32 value);
    static short BlueVal(qint32 value);

    // The hidden "Open VEC" and "Save VEC" items.
    void mnuOpen_Click();
    void mnuSave_Click();

    // What a tool of the menu bar does, by its table row.
    void runTool(const DrawingTool &tool);

    // --- DrawingHost ----------------------------------------------------
    cad::Drawing &drawing() override;
    void runCommand(int number) override;
    void showMessage(const QString &text) override { ShowStatus(text); }
    void showX(const QString &text) override { ShowStatusX(text); }
    void showY(const QString &text) override { ShowStatusY(text); }
    void showSize(const QString &text) override { ShowStatusF(text); }
    void redraw() override;
    void setCaption(const QString &caption) override { setWindowTitle(caption); }

    // Margins of the drawing in the surface: 10 left and right, 30 above
    // for the strips, 35 below for the status bar.
    static QRect drawingArea(QSize surface);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildSurface();
    void placeControls();
    void refreshLayerStrip();
    void setPanel(int panel, const QString &text);

    QWidget *m_surface = nullptr;
    cad::DrawingView *m_view = nullptr;
    QLabel *m_promptStrip = nullptr;
    QComboBox *m_layerStrip = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_panels[4] = {};
    QString m_foot;
};

// "Files", "Save" of the Graphic Screen: the burn, which the burn's part
// installs when the program's parts are joined.
void Set_Graphic_Screen_Save(std::function<void(GraphicForm &)> save);
bool Graphic_Screen_Save_Installed();

// Registers "GraphicForm" with the window registry.
void Register_Graphic_Screen();
