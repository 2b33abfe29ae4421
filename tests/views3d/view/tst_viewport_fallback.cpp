// Without an OpenGL context the viewport is a plain widget, and the model,
// camera and picking still work.
#include "footviewport.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

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
        auto* label = qobject_cast<QLabel*>(viewport.display());
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
};

QTEST_MAIN(TestViewportFallback)
#include "tst_viewport_fallback.moc"
