// A foot view on a real (virtual) screen: a loaded sample scan is drawn and
// the window's picture has the client area's size; the grid, the trimming
// plane and the measuring overlay show in the drawing.
#include "footfixtures.h"
#include "footviewinterface.h"
#include "footviewport.h"
#include "footviewshared.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
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

    // With a 3D display, the warning of a failed load is the reader's reason.
    void failedLoadNamesTheReason()
    {
        TestHome home;
        auto ui = ScriptedPrompter::install();
        Set_Wait_Skipped(true);
        Register_Foot_Views();
        const auto unload = qScopeGuard([] { Windows().reset(); });
        QVERIFY(Left_View().viewport()->usesOpenGL());
        const QString folder = home.path(QStringLiteral("Data/Demo"));
        fixtures::writeBytes(folder + QStringLiteral("/Empty_L.Stl"), "solid x\r\nendsolid x\r\n");
        Job().CurrentFolder = folder;
        Job().LeftScanFileName = QStringLiteral("Empty_L.Stl");
        QVERIFY(!Load_Left_Foot());
        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls.first().text,
                 QStringLiteral("Error: ") + folder
                     + QStringLiteral("/Empty_L.Stl is not a readable STL file: it holds no faces to show"));
        QCOMPARE(ui->calls.first().title, QStringLiteral("Warning"));
    }

    void gridPlaneAndOverlayAreDrawn()
    {
        TestHome home;
        auto ui = ScriptedPrompter::install();
        Set_Wait_Skipped(true);
        Register_Foot_Views();
        FootView &view = Left_View();
        view.resize(600, 500);
        view.Show_Normal();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view::FootViewport *viewport = view.viewport();
        viewport->setAxesShown(false);
        // A dark square at the origin, 10 across, seen from the top with room
        // around it for the grid's lines 10 apart.
        mesh::Mesh square = fixtures::squareAt({0, 0, 0}, 5);
        square.colours.assign(4, mesh::Rgba{20, 20, 120, 255});
        view.Show_Model(mesh::Model{{square}});
        view.Fit();
        viewport->camera().zoom(0.25, {0, 0, 0});
        auto trigger = [&](const QString &name) { view.findChild<QAction *>(name)->trigger(); };
        const QRectF squareArea =
            QRectF(viewport->toPixel({-5, 5, 0}), viewport->toPixel({5, -5, 0})).adjusted(-2, -2, 2, 2);
        // Pixels beside the square that differ between two pictures.
        auto changedBeside = [&](const QImage &a, const QImage &b) {
            int count = 0;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x)
                    count += !squareArea.contains(x, y) && a.pixel(x, y) != b.pixel(x, y);
            return count;
        };

        const QImage plain = viewport->grabFrame();
        const QRgb background = plain.pixel(2, 2);
        const QPoint centre = viewport->toPixel({0, 0, 0}).toPoint();
        QVERIFY(plain.pixel(centre) != background);

        // "Grid Plan": lines across the view, beside the square too.
        trigger(QStringLiteral("mnuGridP"));
        const QImage gridded = viewport->grabFrame();
        QVERIFY(changedBeside(gridded, plain) > 200);
        const QPoint onLine = viewport->toPixel({-15, 10, 0}).toPoint();
        // A line is one pixel wide: it lands on the pixel or next to it.
        QVERIFY(gridded.pixel(onLine + QPoint(0, -1)) != background || gridded.pixel(onLine) != background
                || gridded.pixel(onLine + QPoint(0, 1)) != background);
        QCOMPARE(gridded.pixel(viewport->toPixel({-15, 15, 0}).toPoint()), background);
        trigger(QStringLiteral("mnuGridOff"));
        QCOMPARE(changedBeside(viewport->grabFrame(), plain), 0);

        // The trimming plane: light grey, half over the background beside the square.
        trigger(QStringLiteral("mnuTrim"));
        const QImage planed = viewport->grabFrame();
        const QColor over = planed.pixelColor(viewport->toPixel({8, 0, 0}).toPoint());
        const QColor under = QColor(background);
        QVERIFY2(std::abs(over.red() - (under.red() + 0.9 * 255) / 2) < 6, qPrintable(over.name()));
        QVERIFY2(std::abs(over.blue() - (under.blue() + 0.9 * 255) / 2) < 6, qPrintable(over.name()));
        // The square shows through it.
        QVERIFY(planed.pixelColor(centre).blue() > planed.pixelColor(centre).red());
        QVERIFY(planed.pixel(centre) != plain.pixel(centre));
        view.findChild<QPushButton *>(QStringLiteral("Command14"))->click();
        QCOMPARE(viewport->grabFrame(), plain);

        // A static measuring line across the square, labelled.
        trigger(QStringLiteral("mnuDistance2"));
        fixtures::clickAt(viewport, viewport->toPixel({-4, -4, 0}));
        fixtures::clickAt(viewport, viewport->toPixel({4, -4, 0}));
        const QImage measured = viewport->grabFrame();
        const QPoint middle = viewport->toPixel({0, -4, 0}).toPoint();
        const QColor ink = measured.pixelColor(middle);
        QVERIFY2(ink.red() > 200 && ink.green() > 200 && ink.blue() < 100, qPrintable(ink.name()));
        int labelled = 0;
        for (int y = middle.y() - 24; y < middle.y() - 2; ++y)
            for (int x = middle.x() + 4; x < middle.x() + 60; ++x)
                labelled += measured.pixel(x, y) != plain.pixel(x, y);
        QVERIFY(labelled > 20);
        QVERIFY(ui->calls.isEmpty());
        Windows().reset();
    }
};

QTEST_MAIN(TestFootViewGl)
#include "tst_footview_gl.moc"
