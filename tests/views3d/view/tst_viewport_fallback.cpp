// Without an OpenGL context the viewport is a plain widget, and the model,
// camera and picking still work.
#include "footviewport.h"

#include <QLabel>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A foot-shaped box: long across the top view, narrow and low.
mesh::Model footBox()
{
    mesh::Mesh m;
    m.positions = {{0, 0, 0},  {250, 0, 0},  {250, 90, 0},  {0, 90, 0},
                   {0, 0, 70}, {250, 0, 70}, {250, 90, 70}, {0, 90, 70}};
    m.triangles = {{0, 1, 2}, {0, 2, 3}, {4, 5, 6}, {4, 6, 7}};
    mesh::Model model;
    model.objects.push_back(m);
    return model;
}

bool wholeModelInSight(const view::FootViewport &viewport)
{
    const mesh::Bounds b = viewport.model().bounds();
    const QRectF area(QPointF(0, 0), QSizeF(viewport.size()));
    for (int k = 0; k < 8; ++k) {
        const mesh::Vec3 corner{k & 1 ? b.max.x : b.min.x, k & 2 ? b.max.y : b.min.y, k & 4 ? b.max.z : b.min.z};
        if (!area.contains(viewport.toPixel(corner)))
            return false;
    }
    return true;
}

} // namespace

class TestViewportFallback : public QObject
{
    Q_OBJECT
private slots:
    void plainWidgetSaysSoAndStillPicks()
    {
        QVERIFY(!view::FootViewport::openGLAvailable());
        view::FootViewport viewport;
        viewport.resize(200, 200);
        viewport.show();
        QVERIFY(!viewport.usesOpenGL());
        auto *label = qobject_cast<QLabel *>(viewport.display());
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("3D display unavailable"));

        mesh::Mesh m;
        m.positions = {{-5, -5, 0}, {5, -5, 0}, {0, 5, 0}};
        m.triangles = {{0, 1, 2}};
        mesh::Model model;
        model.objects.push_back(m);
        viewport.setModel(model);
        viewport.fit();
        QCOMPARE(viewport.model().objects.size(), std::size_t(1));
        QCOMPARE(viewport.grabFrame().size(), viewport.display()->size());

        QSignalSpy spy(&viewport, &view::FootViewport::clicked);
        QTest::mouseClick(&viewport, Qt::LeftButton, {}, viewport.toPixel({0, 0, 0}).toPoint());
        QCOMPARE(spy.count(), 1);
        QVERIFY(spy.at(0).at(1).toBool());
    }

    // A foot view is loaded before its window first shows, when the layout
    // has not given the viewport its size yet: the foot must still be
    // framed whole once the window is on the screen.
    void fitBeforeFirstShowFramesTheShownView_data()
    {
        QTest::addColumn<bool>("zoomedBeforeShow");
        QTest::newRow("fitted") << false;
        QTest::newRow("zoomed after the fit") << true;
    }
    void fitBeforeFirstShowFramesTheShownView()
    {
        QFETCH(bool, zoomedBeforeShow);
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *viewport = new view::FootViewport(&window);
        layout->addWidget(viewport);
        window.resize(545, 506);

        viewport->setModel(footBox());
        viewport->fit();
        if (zoomedBeforeShow)
            viewport->camera().zoomScreen();
        const double heightBeforeShow = viewport->camera().viewHeight();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(viewport->width() > 300);

        if (zoomedBeforeShow) {
            // A zoom chosen on purpose is not undone by the window showing.
            QCOMPARE(viewport->camera().viewHeight(), heightBeforeShow);
            return;
        }
        QVERIFY(wholeModelInSight(*viewport));
        // Framed, not lost in the distance: the long side fills most of the width.
        const double across = viewport->toPixel({250, 45, 35}).x() - viewport->toPixel({0, 45, 35}).x();
        QVERIFY2(across > 0.8 * viewport->width(), qPrintable(QString::number(across)));

        // Once shown, resizing the window keeps the user's framing.
        const double shownHeight = viewport->camera().viewHeight();
        window.resize(600, 560);
        window.hide();
        window.show();
        QCOMPARE(viewport->camera().viewHeight(), shownHeight);
    }
};

QTEST_MAIN(TestViewportFallback)
#include "tst_viewport_fallback.moc"
