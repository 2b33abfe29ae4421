// A foot view on a real (virtual) screen: a loaded sample scan is drawn and
// the window's picture has the client area's size.
#include "footfixtures.h"
#include "footviewinterface.h"
#include "footviewport.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QMenuBar>
#include <QStatusBar>
#include <QtTest>

class TestFootViewGl : public QObject
{
    Q_OBJECT
private slots:
    void sampleScanIsDrawnAndCaptured()
    {
        TestHome home;
        auto ui = ScriptedPrompter::install();
        Set_Wait_Skipped(true);
        Register_Foot_Views();
        const QString folder = home.path(QStringLiteral("Data/Demo"));
        const QString scan = samples::writeVrmlScan(folder, QStringLiteral("Sample_Anna_L"), samples::Foot::Left, 4000);
        Job().CurrentFolder = folder;
        Job().LeftScanFileName = QFileInfo(scan).fileName();
        QVERIFY(Load_Left_Foot());
        QVERIFY(Job().BrennickFlag);

        FootView &view = Left_View();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.viewport()->usesOpenGL());
        QVERIFY(!view.model().objects[0].texturePath.empty());

        const QImage frame = view.viewport()->grabFrame();
        const QRgb background = frame.pixel(1, 1);
        QVERIFY(frame.pixel(frame.width() / 2, frame.height() / 2) != background);

        const QImage picture = view.Capture();
        const QRect client = view.centralWidget()->geometry().united(view.statusBar()->geometry());
        QCOMPARE(picture.size(), client.size());
        QCOMPARE(picture.size(), QSize(view.width(), view.height() - view.menuBar()->height()));
        // The 3D view is in the picture, not a blank where OpenGL draws.
        const QPoint centre = view.viewport()->mapTo(&view, view.viewport()->rect().center()) - client.topLeft();
        QCOMPARE(picture.pixel(centre), frame.pixel(frame.width() / 2, frame.height() / 2));
        QCOMPARE(view.picture1(), picture);
        QVERIFY(ui->calls.isEmpty());
        Windows().reset();
    }
};

QTEST_MAIN(TestFootViewGl)
#include "tst_footview_gl.moc"
