#pragma once
// The trimming panel "Trim" (`Frame2`) that stands over a foot view's 3D
// display: moves and tilts the plane in the shared steps and asks the view
// to cut. The panel holds the plane; the view draws it and cuts its mesh.

#include "trim_state.h"

#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TrimPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit TrimPanel(QWidget *parent = nullptr);

    // Opening from the "Trim" menu: the plane level at 10, both shared steps
    // back to 5, "Cut Above" unticked.
    void openWith(mesh::TrimSteps &steps);

    const mesh::TrimPlaneState &plane() const { return m_plane; }
    bool cutAbove() const;
    mesh::Plane cuttingPlane() const { return m_plane.cuttingPlane(cutAbove()); }
    QString heightText() const;

    // Hides the panel and unticks "Cut Above".
    void finish();

signals:
    // The plane moved or tilted: the view shows it where it now stands.
    void planeChanged();
    // "Trim": cut the mesh with cuttingPlane().
    void trimRequested();
    // "Close": nothing is cut.
    void closeRequested();

private:
    QPushButton *button(const QString &name, const QString &caption, int left, int top, int width, int height);

    mesh::TrimPlaneState m_plane;
    mesh::TrimSteps *m_steps = nullptr;
    QLineEdit *m_height = nullptr;
    QCheckBox *m_cutAbove = nullptr;
};
