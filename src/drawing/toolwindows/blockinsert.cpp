#include "blockinsert.h"

#include "drawing.h"
#include "drawinghost.h"
#include "drawingsetup.h"
#include "drawingstate.h"
#include "drawingview.h"
#include "prompter.h"

#include <QPointer>
#include <QWidget>

namespace {

// Lives as a child of the target view, so it goes with the view.
class PendingBlockInsert : public QObject
{
public:
    PendingBlockInsert(const DrawingTarget &target, const QString &blockFile)
        : QObject(target.view),
          m_host(target.host),
          m_view(target.view),
          m_file(blockFile)
    {
        connect(m_view, &cad::DrawingView::armedPick, this, &PendingBlockInsert::insertAt);
        connect(m_view, &cad::DrawingView::pickCancelled, this, &QObject::deleteLater);
    }

    cad::DrawingView *view() const { return m_view; }

private:
    void insertAt(QPointF point)
    {
        deleteLater();
        Run_Command([&] {
            m_host->drawing().checkpoint();
            Insert_Foot_Block(*m_host, m_file, point.x(), point.y(), 0.0, 1.0);
            m_host->redraw();
            m_host->runCommand(911);
        });
    }

    DrawingHost *m_host;
    cad::DrawingView *m_view;
    QString m_file;
};

QPointer<PendingBlockInsert> &pending()
{
    static QPointer<PendingBlockInsert> p;
    return p;
}

} // namespace

void Arm_Block_Insert(const DrawingTarget &target, const QString &blockFile)
{
    if (PendingBlockInsert *old = pending()) {
        cad::DrawingView *oldView = old->view();
        delete old;
        oldView->cancelPick();
    }
    pending() = new PendingBlockInsert(target, blockFile);
    Drawing_State().PickFlag = false;
    target.view->armPick();
    // The point is picked there next: that window comes forward, and Esc in
    // its view cancels.
    QWidget *window = target.view->window();
    window->raise();
    window->activateWindow();
    target.view->setFocus(Qt::OtherFocusReason);
}

bool Block_Insert_Waiting()
{
    PendingBlockInsert *p = pending();
    return p && p->view()->pickIsArmed();
}
