// The OpenGL viewport on a real (virtual) screen: what it draws and what a
// click picks.
#include "footviewport.h"

#include <QOpenGLWidget>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A red square of side 100 in the XY plane, facing the reset ("Top") camera.
mesh::Model redSquare()
{
    mesh::Mesh m;
    m.positions = {{-50, -50, 0}, {50, -50, 0}, {50, 50, 0}, {-50, 50, 0}};
    m.triangles = {{0, 1, 2}, {0, 2, 3}};
    m.colours.assign(4, mesh::Rgba{230, 20, 20, 255});
    mesh::Model model;
    model.objects.push_back(m);
    return model;
}

int litPixels(const QImage &image, QRgb background)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xffffff) != (background & 0xffffff);
    return count;
}

} // namespace

class TestViewportGl : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<view::FootViewport> m_view;

private slots:
    void init()
    {
        QVERIFY2(view::FootViewport::openGLAvailable(), "this test needs an OpenGL context (xvfb)");
        m_view = std::make_unique<view::FootViewport>();
        m_view->resize(320, 240);
        m_view->setAxesShown(false);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void cleanup() { m_view.reset(); }

    void chosenWhereOpenGLWorks()
    {
        QVERIFY(m_view->usesOpenGL());
        QVERIFY(qobject_cast<QOpenGLWidget *>(m_view->display()));
    }

    void colouredMeshLightsTheCentre()
    {
        const QImage empty = m_view->grabFrame();
        const QRgb background = empty.pixel(empty.width() / 2, empty.height() / 2);
        QCOMPARE(litPixels(empty, background), 0);

        m_view->setModel(redSquare());
        m_view->fit();
        const QImage frame = m_view->grabFrame();
        QCOMPARE(frame.size(), m_view->display()->size() * m_view->devicePixelRatio());
        const QColor centre = frame.pixelColor(frame.width() / 2, frame.height() / 2);
        QVERIFY(centre.rgb() != background);
        // Lit from the eye, the vertex colour shows: red well above green and blue.
        QVERIFY2(centre.red() > 150 && centre.green() < 60 && centre.blue() < 60, qPrintable(centre.name()));
    }

    // Face-on, the light is full, so the square shows its colour unchanged,
    // whether the colour comes from the vertices or is the plain mesh colour,
    // faceted or smoothed, shaded or as lines.
    void faceOnSquareShowsItsColour_data()
    {
        QTest::addColumn<bool>("vertexColours");
        QTest::addColumn<double>("crease");
        QTest::addColumn<bool>("shaded");
        QTest::addColumn<QColor>("expected");
        const QColor red(230, 20, 20), grey(200, 200, 200);
        QTest::newRow("vertex colours") << true << 0.0 << true << red;
        QTest::newRow("vertex colours, smoothed") << true << 40.0 << true << red;
        QTest::newRow("plain") << false << 0.0 << true << grey;
        QTest::newRow("plain, smoothed") << false << 40.0 << true << grey;
        QTest::newRow("vertex colours, lines") << true << 0.0 << false << red;
        QTest::newRow("plain, lines") << false << 40.0 << false << grey;
    }
    void faceOnSquareShowsItsColour()
    {
        QFETCH(bool, vertexColours);
        QFETCH(double, crease);
        QFETCH(bool, shaded);
        QFETCH(QColor, expected);
        mesh::Model model = redSquare();
        if (!vertexColours)
            model.objects[0].colours.clear();
        model.objects[0].creaseAngle = crease;
        m_view->setModel(model);
        m_view->setShaded(shaded);
        m_view->fit();
        const QImage frame = m_view->grabFrame();
        int matching = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const QColor seen = frame.pixelColor(x, y);
                matching += std::abs(seen.red() - expected.red()) <= 1 && std::abs(seen.green() - expected.green()) <= 1
                            && std::abs(seen.blue() - expected.blue()) <= 1;
            }
        // Shaded, the square fills about a third of the view; as lines, its edges are a few hundred pixels.
        QVERIFY2(matching > (shaded ? frame.width() * frame.height() / 5 : 100), qPrintable(QString::number(matching)));
    }

    void wireframeLightsFewerPixels()
    {
        mesh::Model model = redSquare();
        m_view->setModel(model);
        m_view->fit();
        const QImage shaded = m_view->grabFrame();
        const QRgb background = shaded.pixel(0, 0);
        m_view->setShaded(false);
        const QImage wire = m_view->grabFrame();
        const int shadedCount = litPixels(shaded, background);
        const int wireCount = litPixels(wire, background);
        QVERIFY2(wireCount > 0, "the wireframe draws its edges");
        QVERIFY2(wireCount * 4 < shadedCount, qPrintable(QStringLiteral("%1 vs %2").arg(wireCount).arg(shadedCount)));
        // The centre lies inside the square, off every edge.
        QCOMPARE(wire.pixel(wire.width() / 2 + 20, wire.height() / 2 - 7), background);
    }

    void clickPicksTheKnownPoint()
    {
        m_view->setModel(redSquare());
        m_view->fit();
        QSignalSpy spy(m_view.get(), &view::FootViewport::clicked);
        const mesh::Vec3 target{20, -10, 0};
        const QPoint pixel = m_view->toPixel(target).toPoint();
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, pixel);
        QCOMPARE(spy.count(), 1);
        QVERIFY(spy.at(0).at(1).toBool());
        const auto point = spy.at(0).at(2).value<mesh::Vec3>();
        // One pixel spans under a model unit at this zoom.
        QVERIFY2(std::abs(point.x - target.x) < 1.0 && std::abs(point.y - target.y) < 1.0 && point.z == 0,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(point.x).arg(point.y).arg(point.z)));

        // A click off the model is a miss, and a drag is no click at all.
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(spy.count(), 2);
        QVERIFY(!spy.at(1).at(1).toBool());
        QTest::mousePress(m_view.get(), Qt::LeftButton, {}, pixel);
        QTest::mouseMove(m_view.get(), pixel + QPoint(30, 0));
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, {}, pixel + QPoint(30, 0));
        QCOMPARE(spy.count(), 2);
    }
};

QTEST_MAIN(TestViewportGl)
#include "tst_viewport_gl.moc"
