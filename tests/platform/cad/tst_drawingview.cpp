#include "drawingview.h"
#include "pdfprompter.h"
#include "pick.h"
#include "scriptedprompter.h"
#include "viewfixtures.h"

#include <QFile>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace viewfixtures;
using cad::DrawingView;

namespace {

bool near(QPointF a, QPointF b, double eps = 1e-6)
{
    return std::abs(a.x() - b.x()) < eps && std::abs(a.y() - b.y()) < eps;
}

} // namespace

class TestDrawingView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DrawingView> view;
    std::shared_ptr<ScriptedPrompter> prompter;
    std::shared_ptr<ScriptedDialogs> dialogs;

    cad::Handle lastHandle() const
    {
        const QVector<cad::Handle> all = view->drawing().handles();
        return all.isEmpty() ? 0 : all.last();
    }

private slots:
    void init()
    {
        prompter = ScriptedPrompter::install();
        view = std::make_unique<DrawingView>();
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        showUnitSquare(*view);
        dialogs = std::make_shared<ScriptedDialogs>();
        view->setDialogs(dialogs);
    }
    void cleanup() { view.reset(); }

    void mappingIsYUp()
    {
        QCOMPARE(view->toScreen(QPointF(0, 0)), QPointF(0, 400));
        QCOMPARE(view->toScreen(QPointF(100, 100)), QPointF(400, 0));
        QCOMPARE(view->toWorld(QPointF(200, 100)), QPointF(50, 75));
    }

    void lineAtClickedPoints_data()
    {
        QTest::addColumn<int>("zoom"); // command run before drawing, 0 for none
        QTest::addColumn<QPoint>("pan"); // a middle-button drag, screen pixels
        QTest::newRow("as set") << 0 << QPoint();
        QTest::newRow("zoomed in") << 103 << QPoint();
        QTest::newRow("zoomed out and panned") << 104 << QPoint(37, -21);
    }
    void lineAtClickedPoints()
    {
        QFETCH(int, zoom);
        QFETCH(QPoint, pan);
        if (zoom)
            view->runCommand(zoom);
        if (!pan.isNull()) {
            const QPoint from(200, 200);
            QTest::mousePress(view.get(), Qt::MiddleButton, Qt::NoModifier, from);
            QMouseEvent move(QEvent::MouseMove, QPointF(from + pan), QPointF(from + pan), Qt::NoButton,
                             Qt::MiddleButton, Qt::NoModifier);
            QApplication::sendEvent(view.get(), &move);
            QTest::mouseRelease(view.get(), Qt::MiddleButton, Qt::NoModifier, from + pan);
            // The drawing point that was under the pointer followed it.
            QVERIFY(near(view->toScreen(view->toWorld(from + pan)), from + pan));
        }
        const QPoint a(60, 300), b(310, 90);
        const QPointF wa = view->toWorld(a), wb = view->toWorld(b);
        view->runCommand(205);
        QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, a);
        QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, b);
        press(*view, Qt::Key_Escape);
        QCOMPARE(view->drawing().count(), 1);
        const std::optional<QLineF> line = view->drawing().lineEnds(lastHandle());
        QVERIFY(line);
        QVERIFY(near(line->p1(), wa));
        QVERIFY(near(line->p2(), wb));
        QCOMPARE(view->activeCommand(), 0);
    }

    void lineGoesOnFromItsLastPoint()
    {
        view->runCommand(205);
        for (const QPointF p : {QPointF(10, 10), QPointF(20, 10), QPointF(20, 30)})
            clickAt(*view, p);
        clickAt(*view, {0, 0}, Qt::RightButton);
        QCOMPARE(view->drawing().count(), 2);
        QCOMPARE(view->drawing().lineEnds(lastHandle())->p1(), QPointF(20, 10));
        QCOMPARE(view->activeCommand(), 0);
    }

    void circles_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QPointF>("centre");
        QTest::addColumn<double>("radius");
        // 221 takes the centre and a point on the circle, 220 two ends of a diameter.
        QTest::newRow("221 centre and radius") << 221 << QPointF(20, 30) << 10.0;
        QTest::newRow("220 diameter") << 220 << QPointF(25, 30) << 5.0;
    }
    void circles()
    {
        QFETCH(int, command);
        QFETCH(QPointF, centre);
        QFETCH(double, radius);
        view->runCommand(command);
        clickAt(*view, {20, 30});
        clickAt(*view, {30, 30});
        const cad::Entity *e = view->drawing().entity(lastHandle());
        QVERIFY(e);
        QCOMPARE(e->kind, cad::Kind::Circle);
        QCOMPARE(e->anchor(), centre);
        QCOMPARE(e->radius, radius);
        QCOMPARE(view->activeCommand(), 0);
    }

    void rectangleIsClosedPolyline()
    {
        view->runCommand(212);
        clickAt(*view, {10, 20});
        clickAt(*view, {40, 5});
        const cad::Entity *e = view->drawing().entity(lastHandle());
        QVERIFY(e);
        QCOMPARE(e->kind, cad::Kind::Polyline);
        QVERIFY(e->closed);
        QCOMPARE(e->points, (QVector<QPointF>{{10, 20}, {40, 20}, {40, 5}, {10, 5}}));
    }

    void openEndedShapes_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("byKey"); // Enter ends it, else a right click
        QTest::newRow("polyline") << 209 << int(cad::Kind::Polyline) << false;
        QTest::newRow("spline") << 242 << int(cad::Kind::Spline) << true;
        QTest::newRow("leader") << 247 << int(cad::Kind::Leader) << false;
    }
    void openEndedShapes()
    {
        QFETCH(int, command);
        QFETCH(int, kind);
        QFETCH(bool, byKey);
        prompter->inputs.enqueue(QStringLiteral("Met pad"));
        view->runCommand(command);
        for (const QPointF p : {QPointF(10, 10), QPointF(20, 15), QPointF(30, 10)})
            clickAt(*view, p);
        QCOMPARE(view->drawing().count(), 0);
        if (byKey)
            press(*view, Qt::Key_Return);
        else
            clickAt(*view, {50, 50}, Qt::RightButton);
        const cad::Entity *e = view->drawing().entity(lastHandle());
        QVERIFY(e);
        QCOMPARE(int(e->kind), kind);
        QCOMPARE(e->points.size(), 3);
        if (command == 247)
            QCOMPARE(e->text, QStringLiteral("Met pad"));
    }

    void ellipseFromCentreAxisAndWidth()
    {
        view->runCommand(211);
        clickAt(*view, {50, 50});
        clickAt(*view, {50, 70}); // axis straight up, 20 long
        clickAt(*view, {56, 60}); // 6 across the axis
        const cad::Entity *e = view->drawing().entity(lastHandle());
        QVERIFY(e);
        QCOMPARE(e->kind, cad::Kind::Ellipse);
        QCOMPARE(e->radius, 20.0);
        QCOMPARE(e->radiusY, 6.0);
        QCOMPARE(e->angle, 90.0);
    }

    void textsAskForTheirWords()
    {
        view->drawing().setDefaultTextHeight(4);
        prompter->inputs.enqueue(QStringLiteral("Heel"));
        view->runCommand(245);
        clickAt(*view, {10, 10});
        const cad::Entity *text = view->drawing().entity(lastHandle());
        QVERIFY(text);
        QCOMPARE(text->kind, cad::Kind::Text);
        QCOMPARE(text->text, QStringLiteral("Heel"));
        QCOMPARE(text->height, 4.0);

        prompter->inputs.enqueue(QStringLiteral("one"));
        prompter->inputs.enqueue(QStringLiteral("two"));
        prompter->inputs.enqueue(QString());
        view->runCommand(249);
        clickAt(*view, {10, 50});
        QCOMPARE(view->drawing().entity(lastHandle())->text, QStringLiteral("one\ntwo"));

        // A cancelled prompt adds nothing.
        const int before = view->drawing().count();
        view->runCommand(245);
        clickAt(*view, {20, 20});
        QCOMPARE(view->drawing().count(), before);
    }

    void transforms_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QPointF>("first");
        QTest::addColumn<QPointF>("second");
        QTest::addColumn<QPointF>("start");
        QTest::addColumn<QPointF>("end");
        QTest::addColumn<int>("count");
        // The selected line runs from (10, 10) to (30, 10).
        QTest::newRow("move") << 313 << QPointF(10, 10) << QPointF(15, 40) << QPointF(15, 40) << QPointF(35, 40) << 1;
        QTest::newRow("copy") << 312 << QPointF(10, 10) << QPointF(10, 30) << QPointF(10, 30) << QPointF(30, 30) << 2;
        QTest::newRow("rotate a quarter")
            << 314 << QPointF(10, 10) << QPointF(10, 50) << QPointF(10, 10) << QPointF(10, 30) << 1;
        QTest::newRow("mirror across x = 50")
            << 316 << QPointF(50, 0) << QPointF(50, 90) << QPointF(90, 10) << QPointF(70, 10) << 1;
    }
    void transforms()
    {
        QFETCH(int, command);
        QFETCH(QPointF, first);
        QFETCH(QPointF, second);
        QFETCH(QPointF, start);
        QFETCH(QPointF, end);
        QFETCH(int, count);
        view->drawing().addLine({10, 10}, {30, 10});
        // Select by picking the line, then the command takes two points.
        view->runCommand(501);
        clickAt(*view, {20, 10});
        press(*view, Qt::Key_Escape);
        QCOMPARE(view->selection().size(), 1);
        view->runCommand(command);
        clickAt(*view, first);
        clickAt(*view, second);
        QCOMPARE(view->drawing().count(), count);
        const std::optional<QLineF> line = view->drawing().lineEnds(lastHandle());
        QVERIFY(near(line->p1(), start, 1e-9));
        QVERIFY(near(line->p2(), end, 1e-9));
    }

    void aCopyPastTheLimitIsRefused()
    {
        // Fourteen inserts of B4 (16 inserts of B3 of 16 of B2 of 16 of B1
        // of 16 lines) expand to 978670 entities; a fifteenth would pass
        // the limit.
        cad::Drawing &d = view->drawing();
        cad::Entity line;
        line.kind = cad::Kind::Line;
        line.points = {{0, 0}, {40, 0}};
        int id = d.defineBlock(cad::Block{QStringLiteral("B1"), {0, 0}, QVector<cad::Entity>(16, line)});
        for (int level = 2; level <= 4; ++level) {
            cad::Entity inner;
            inner.kind = cad::Kind::Insert;
            inner.block = d.block(id)->name;
            inner.points = {{0, 0}};
            id = d.defineBlock(cad::Block{QStringLiteral("B%1").arg(level), {0, 0}, QVector<cad::Entity>(16, inner)});
        }
        for (int i = 0; i < 14; ++i)
            QVERIFY(d.insertBlock(id, {10, 10}) > 0);
        view->runCommand(501);
        clickAt(*view, {30, 10});
        press(*view, Qt::Key_Escape);
        QCOMPARE(view->selection().size(), 1);
        const int steps = d.undoCount();

        view->runCommand(312);
        clickAt(*view, {10, 10});
        clickAt(*view, {10, 30});
        QCOMPARE(d.count(), 14);
        QCOMPARE(d.undoCount(), steps);
        QCOMPARE(prompter->messages().size(), 1);
        QVERIFY2(prompter->messages().first().contains(QStringLiteral("more than 1000000 entities")),
                 qPrintable(prompter->messages().first()));
    }

    void commandWithoutSelectionSelectsFirst()
    {
        view->drawing().addLine({10, 10}, {30, 10});
        const cad::Handle keep = view->drawing().addLine({10, 50}, {30, 50});
        view->runCommand(311);
        clickAt(*view, {20, 10});
        QCOMPARE(view->drawing().count(), 2); // still choosing
        clickAt(*view, {0, 0}, Qt::RightButton);
        QCOMPARE(view->drawing().handles(), QVector<cad::Handle>{keep});
        QVERIFY(view->selection().isEmpty());
    }

    void scaleRefusesFactor_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("scaled");
        QTest::newRow("2") << QStringLiteral("2") << true;
        QTest::newRow("0") << QStringLiteral("0") << false;
        QTest::newRow("not a number") << QStringLiteral("big") << false;
        QTest::newRow("0 with text") << QStringLiteral("0.0x") << false;
    }
    void scaleRefusesFactor()
    {
        QFETCH(QString, typed);
        QFETCH(bool, scaled);
        const cad::Handle line = view->drawing().addLine({10, 10}, {30, 10});
        view->setSelection({line});
        prompter->inputs.enqueue(typed);
        view->runCommand(315);
        clickAt(*view, {10, 10});
        const QLineF after = *view->drawing().lineEnds(line);
        QCOMPARE(after.p2(), scaled ? QPointF(50, 10) : QPointF(30, 10));
        QCOMPARE(prompter->messages().size(), scaled ? 0 : 1);
        QCOMPARE(view->drawing().undoCount(), scaled ? 1 : 0);
    }

    void undoAndRedoRestoreHandles()
    {
        view->runCommand(205);
        clickAt(*view, {10, 10});
        clickAt(*view, {20, 20});
        press(*view, Qt::Key_Escape);
        const cad::Handle line = lastHandle();
        view->setSelection({line});
        view->runCommand(311);
        QCOMPARE(view->drawing().count(), 0);
        view->runCommand(301);
        QVERIFY(view->drawing().entity(line));
        QCOMPARE(view->drawing().lineEnds(line)->p2(), QPointF(20, 20));
        view->runCommand(301);
        QCOMPARE(view->drawing().count(), 0);
        view->runCommand(302);
        QCOMPARE(view->drawing().handles(), QVector<cad::Handle>{line});
        view->runCommand(302);
        QCOMPARE(view->drawing().count(), 0);
    }

    void measureGivesTotalAndLast()
    {
        QSignalSpy spy(view.get(), &DrawingView::measured);
        view->runCommand(952);
        clickAt(*view, {0, 0});
        clickAt(*view, {30, 40}); // 50
        clickAt(*view, {30, 10}); // 30
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy[0][0].toDouble(), 50.0);
        QCOMPARE(spy[0][1].toDouble(), 50.0);
        QCOMPARE(spy[1][0].toDouble(), 80.0);
        QCOMPARE(spy[1][1].toDouble(), 30.0);
        QCOMPARE(view->drawing().count(), 0);
    }

    void everyClickIsPickedAndPointerMovesAreReported()
    {
        QSignalSpy picks(view.get(), &DrawingView::picked);
        QSignalSpy moves(view.get(), &DrawingView::pointerMoved);
        clickAt(*view, {12.5, 25});
        QTest::mouseMove(view.get(), screenOf(*view, {50, 75}));
        QCOMPARE(picks.size(), 1);
        QCOMPARE(picks[0][0].toPointF(), QPointF(12.5, 25));
        QVERIFY(!moves.isEmpty());
        QCOMPARE(moves.last()[0].toPointF(), QPointF(50, 75));
    }

    void armedPickFiresOnceInItsOwnView()
    {
        DrawingView other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        showUnitSquare(other);
        QSignalSpy here(view.get(), &DrawingView::armedPick);
        QSignalSpy there(&other, &DrawingView::armedPick);
        view->armPick();
        clickAt(other, {40, 40});
        QCOMPARE(there.size(), 0);
        QCOMPARE(here.size(), 0);
        clickAt(*view, {10, 20});
        clickAt(*view, {30, 30});
        QCOMPARE(here.size(), 1);
        QCOMPARE(here[0][0].toPointF(), QPointF(10, 20));
        QVERIFY(!view->pickIsArmed());
    }

    void armedPickIsCancelled_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Esc") << QStringLiteral("esc");
        QTest::newRow("another command") << QStringLiteral("command");
        QTest::newRow("closing the view") << QStringLiteral("close");
    }
    void armedPickIsCancelled()
    {
        QFETCH(QString, how);
        QSignalSpy fired(view.get(), &DrawingView::armedPick);
        int cancelled = 0;
        connect(view.get(), &DrawingView::pickCancelled, this, [&] { ++cancelled; });
        view->armPick();
        if (how == QLatin1String("esc"))
            press(*view, Qt::Key_Escape);
        else if (how == QLatin1String("command"))
            view->runCommand(205);
        else {
            view.reset();
            QCOMPARE(cancelled, 1);
            return;
        }
        QCOMPARE(cancelled, 1);
        clickAt(*view, {10, 10});
        QCOMPARE(fired.size(), 0);
    }

    void lockedAndHiddenLayersAreNeverPicked()
    {
        cad::Drawing &d = view->drawing();
        const int image = d.addLayer(QStringLiteral("Image"), 1);
        const int client = d.addLayer(QStringLiteral("Client"), 7);
        d.modifyLayer(image)->locked = true;
        d.modifyLayer(image)->order = 3;
        d.setCurrentLayer(image);
        QImage photo(100, 100, QImage::Format_RGB32);
        photo.fill(Qt::gray);
        const cad::Handle raster = d.addRasterImage(photo, QStringLiteral("photo.jpg"), {0, 0}, 1);
        QCOMPARE(view->entityAt({50, 50}), 0);
        view->runCommand(501);
        clickAt(*view, {50, 50});
        QVERIFY(view->selection().isEmpty());
        view->runCommand(502);
        clickAt(*view, {-5, -5});
        clickAt(*view, {105, 105});
        QVERIFY(view->selection().isEmpty());

        // Code still reaches it, and once unlocked the pointer does too.
        QVERIFY(d.entity(raster));
        d.modifyLayer(image)->locked = false;
        QCOMPARE(view->entityAt({50, 50}), raster);

        d.setCurrentLayer(client);
        const cad::Handle line = d.addLine({0, 50}, {100, 50});
        QCOMPARE(view->entityAt({50, 50}), line); // the front layer first
        d.modifyLayer(client)->visible = false;
        QCOMPARE(view->entityAt({50, 50}), raster);
    }

    void newCommandEscAndRightClickEndTheOneInProgress()
    {
        view->runCommand(205);
        clickAt(*view, {10, 10});
        view->runCommand(221); // the line's first point is forgotten
        QCOMPARE(view->activeCommand(), 221);
        press(*view, Qt::Key_Escape);
        QCOMPARE(view->activeCommand(), 0);
        view->runCommand(209);
        clickAt(*view, {0, 0}, Qt::RightButton);
        QCOMPARE(view->activeCommand(), 0);
        QCOMPARE(view->drawing().count(), 0);
    }

    void unknownNumberIsLoggedAndDoesNothing()
    {
        view->drawing().addLine({0, 0}, {10, 10});
        const double scale = view->viewport().scale();
        view->runCommand(999);
        QCOMPARE(view->prompt(), QStringLiteral("Unknown command 999"));
        QCOMPARE(view->activeCommand(), 0);
        QCOMPARE(view->viewport().scale(), scale);
        view->runCommand(102);
        QCOMPARE(view->commandLog(), (QVector<int>{999, 102}));
        QVERIFY(view->viewport().scale() != scale);
        QCOMPARE(view->drawing().count(), 1);
        QCOMPARE(view->drawing().undoCount(), 0);
    }

    void zooms()
    {
        view->setPromptLineShown(false); // the arithmetic over the whole view
        view->drawing().addLine({0, 0}, {200, 100});
        view->runCommand(102);
        // 5 % margin on each side: 220 units over 400 pixels.
        QCOMPARE(view->viewport().scale(), 400 / 220.0);
        QCOMPARE(view->viewport().centre(), QPointF(100, 50));
        view->runCommand(103);
        QCOMPARE(view->viewport().scale(), 800 / 220.0);
        view->runCommand(104);
        view->runCommand(104);
        QCOMPARE(view->viewport().scale(), 200 / 220.0);
        view->runCommand(105);
        view->runCommand(105);
        QCOMPARE(view->viewport().scale(), 800 / 220.0);

        view->runCommand(106);
        clickAt(*view, {0, 0});
        clickAt(*view, {50, 25});
        QVERIFY(std::abs(view->viewport().scale() - 8.0) < 0.2);
        QVERIFY(near(view->viewport().centre(), {25, 12.5}, 0.5));

        view->runCommand(111);
        clickAt(*view, {25, 12.5});
        clickAt(*view, {30, 12.5});
        QVERIFY(near(view->viewport().centre(), {20, 12.5}, 0.5));
    }

    // A tall drawing fills the height above the prompt line, never under it.
    void zoomExtentsFitsAboveThePromptLine_data()
    {
        QTest::addColumn<QRectF>("box");
        QTest::newRow("tall") << QRectF(0, 0, 40, 300);
        QTest::newRow("wide") << QRectF(-50, 10, 500, 60);
        QTest::newRow("point") << QRectF(20, 30, 0, 0);
    }
    void zoomExtentsFitsAboveThePromptLine()
    {
        QFETCH(QRectF, box);
        view->runCommand(912);
        QVERIFY(!view->prompt().isEmpty());
        view->drawing().addLine(box.topLeft(), box.bottomRight());
        view->runCommand(102);
        const double promptTop = view->height() - view->promptLineHeight();
        // The box with its margin; y up: top() is the lowest y.
        const double margin = cad::Viewport::kMargin * box.height();
        const QPointF lowest = view->toScreen(QPointF(box.left(), box.top() - margin));
        const QPointF highest = view->toScreen(QPointF(box.right(), box.bottom() + margin));
        QVERIFY2(lowest.y() <= promptTop + 1e-6, qPrintable(QString::number(lowest.y())));
        QVERIFY(highest.y() >= -1e-6);
        QVERIFY(lowest.x() >= 0 && highest.x() <= view->width());
        // Centred in the free part: as much room above as above the prompt line.
        QVERIFY(std::abs(highest.y() - (promptTop - lowest.y())) < 1e-6);
    }

    void wheelZoomsAboutThePointer()
    {
        const QPoint at(100, 300);
        const QPointF under = view->toWorld(at);
        QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &wheel);
        QCOMPARE(view->viewport().scale(), 5.0);
        QVERIFY(near(view->toWorld(at), under, 1e-9));
    }

    void selectWindowAndUnselect()
    {
        const cad::Handle inside = view->drawing().addCircle({20, 20}, 5);
        view->drawing().addLine({0, 0}, {90, 90});
        view->runCommand(502);
        clickAt(*view, {10, 10});
        clickAt(*view, {40, 40});
        QCOMPARE(view->selection(), QVector<cad::Handle>{inside});
        view->runCommand(911);
        QVERIFY(view->selection().isEmpty());
    }

    void explode()
    {
        const cad::Handle box = view->drawing().addPolyline({{0, 0}, {10, 0}, {10, 10}}, true);
        view->setSelection({box});
        view->runCommand(317);
        QCOMPARE(view->drawing().count(), 3);
        QCOMPARE(view->selection().size(), 3);
    }

    void polarSnapsToFifteenDegrees()
    {
        view->runCommand(427);
        QVERIFY(view->engine().polar());
        view->runCommand(205);
        clickAt(*view, {10, 10});
        clickAt(*view, {50, 12}); // almost level
        const QLineF line = *view->drawing().lineEnds(lastHandle());
        QCOMPARE(line.p2().y(), 10.0);
        view->runCommand(427);
        QVERIFY(!view->engine().polar());
    }

    void layersThenRegenerate()
    {
        cad::Drawing &d = view->drawing();
        const int client = d.addLayer(QStringLiteral("Client"), 7);
        cad::LayerTable answer;
        answer.layers << *d.layer(1) << *d.layer(client);
        answer.layers[1].colour = 3;
        answer.layers[1].locked = true;
        cad::Layer added;
        added.name = QStringLiteral("Notes");
        added.colour = 5;
        answer.layers << added;
        answer.current = 3;
        dialogs->layerAnswer = answer;
        view->runCommand(801);
        QCOMPARE(dialogs->layersShown.layers.size(), 2);
        QCOMPARE(d.layer(client)->colour, 3);
        QVERIFY(d.layer(client)->locked);
        QCOMPARE(d.layer(d.currentLayer())->name, QStringLiteral("Notes"));
        QCOMPARE(d.layer(d.currentLayer())->colour, 5);

        // Cancelled: nothing changes, no undo step.
        dialogs->layerAnswer.reset();
        const int steps = d.undoCount();
        view->runCommand(801);
        QCOMPARE(d.undoCount(), steps);

        dialogs->orderAnswer = QVector<int>{3, 2, 1}; // "Notes" at the back
        view->runCommand(802);
        QCOMPARE(d.drawingOrder(), (QVector<int>{3, 2, 1}));
    }

    void propertiesTextStyleAndRaster()
    {
        cad::Drawing &d = view->drawing();
        const int other = d.addLayer(QStringLiteral("Other"), 2);
        const cad::Handle line = d.addLine({0, 0}, {10, 0});
        view->setSelection({line});
        dialogs->propertiesAnswer = cad::EntityProperties{5, QStringLiteral("Other")};
        view->runCommand(306);
        QCOMPARE(d.entity(line)->colour, 5);
        QCOMPARE(d.entity(line)->layer, other);

        dialogs->styleAnswer = cad::TextStyleChoice{{QStringLiteral("Standard"), QStringLiteral("Arial.ttf"), 0.1}, 7};
        view->runCommand(806);
        QCOMPARE(d.textStyle(d.textStyleId(QStringLiteral("Standard")))->fontFile, QStringLiteral("Arial.ttf"));
        QCOMPARE(d.defaultTextHeight(), 7.0);

        QImage photo(40, 20, QImage::Format_RGB32);
        photo.fill(Qt::gray);
        const cad::Handle raster = d.addRasterImage(photo, QStringLiteral("p.jpg"), {0, 0}, 2);
        view->setSelection({line});
        view->runCommand(255); // no photo chosen: says so
        QCOMPARE(prompter->messages().size(), 1);
        view->setSelection({raster});
        dialogs->rasterAnswer = cad::RasterPlacement{{5, 6}, 4, 0};
        view->runCommand(255);
        QCOMPARE(d.entity(raster)->anchor(), QPointF(5, 6));
        QCOMPARE(d.entity(raster)->scale, 4.0);
    }

    void printsTheExtentsToAPdf()
    {
        QTemporaryDir dir;
        auto pdf = std::make_shared<PdfPrompter>();
        pdf->pdfPath = dir.filePath(QStringLiteral("drawing.pdf"));
        Set_Prompter(pdf);
        view->drawing().addCircle({50, 50}, 30);

        pdf->prints.enqueue(false);
        view->runCommand(901);
        QVERIFY(!QFile::exists(pdf->pdfPath));

        pdf->prints.enqueue(true);
        view->runCommand(901);
        QFile file(pdf->pdfPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("%PDF"));
        QCOMPARE(pdf->calls.size(), 2);
    }

    void pickAmongManyFindsTheFrontMost()
    {
        cad::Drawing &d = view->drawing();
        for (int i = 0; i < 100; ++i)
            d.addLine({double(i), 0}, {double(i), 100});
        const cad::Handle top = d.addLine({0, 50.5}, {100, 50.5});
        QCOMPARE(cad::pickEntity(d, {42, 50.4}, 0.25), top);
        QCOMPARE(cad::pickEntity(d, {42, 20}, 0.25), 42 + 1);
        QCOMPARE(cad::pickEntity(d, {42.5, 20}, 0.25), 0);
    }
};

QTEST_MAIN(TestDrawingView)
#include "tst_drawingview.moc"
