#pragma once
// "Change Grid" (`GridForm1` for the left view, `GridForm2` for the right):
// moves the view's grid and turns it within the plane it was last placed
// in, by a step that starts at 20 each time the window loads. Shown without
// blocking; it always acts on its own view's grid, whichever view is active.

#include "footside.h"
#include "grid.h"

#include <QWidget>

class FootView;

class GridForm : public QWidget
{
    Q_OBJECT
public:
    explicit GridForm(FootSide side, QWidget *parent = nullptr);

    FootSide side() const { return m_side; }
    double step() const { return m_state.step(); }

private:
    void press(mesh::GridButton button);

    FootSide m_side;
    mesh::GridWindowState m_state;
};

QString Grid_Window_Name(FootSide side); // "GridForm1", "GridForm2"
// Registers both grid windows with the WindowRegistry.
void Register_Grid_Windows();
