// The foot views' camera presets, zoom, grid and its "Change Grid" window,
// display switches and two-point measuring, on the offscreen platform
// (picking needs no OpenGL).
#include "distform.h"
#include "footfixtures.h"
#include "footviewinterface.h"
#include "footviewport.h"
#include "footviewshared.h"
#include "gridform.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "vec_math.h"
#include "windowregistry.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using fixtures::press;
using fixtures::trigger;
using mesh::Vec3;

class TestFootCamera : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<fixtures::FootViewSetup> m_setup;

    // A shown view holding the model, framed from the top.
    FootView &showing(FootSide side, const mesh::Model &model)
    {
        FootView &view = Foot_View(side);
        view.resize(600, 500);
        view.show();
        view.Show_Model(model);
        view.Fit();
        return view;
    }
    void clickOn(FootView &view, const Vec3 &point)
    {
        fixtures::clickAt(view.viewport(), view.viewport()->toPixel(point));
    }

    // The texts of the "Distances" window shown by the next click; closes it.
    QStringList m_distances;
    void readDistancesWhenShown()
    {
        m_distances.clear();
        QTimer::singleShot(0, this, [this] {
            QWidget *form = Windows().loaded(QStringLiteral("DistForm"));
            if (!form)
                return;
            m_distances << form->windowTitle();
            for (const char *box : {"Text1", "Text2", "Text6", "Text3", "Text4", "Text5"})
                m_distances << form->findChild<QLineEdit *>(QString::fromLatin1(box))->text();
            m_distances << QString::number(form->isModal());
            form->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        });
    }

private slots:
    void init() { m_setup = std::make_unique<fixtures::FootViewSetup>(); }

    void cleanup() { m_setup.reset(); }

    // --- Camera -------------------------------------------------------------

    void aPresetThenTopIsTheResetView_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<Vec3>("towardsViewer");
        QTest::newRow("Bottom") << "mnuView2" << Vec3{0, 0, -1};
        QTest::newRow("Left") << "mnuView3" << Vec3{0, 1, 0};
        QTest::newRow("Right") << "mnuView1" << Vec3{0, -1, 0};
        QTest::newRow("Front") << "mnuView5" << Vec3{1, 0, 0};
        QTest::newRow("Back") << "mnuView6" << Vec3{-1, 0, 0};
        QTest::newRow("View Sole") << "mnuViewSole" << Vec3{0, 0, -1};
    }
    void aPresetThenTopIsTheResetView()
    {
        QFETCH(QString, item);
        QFETCH(Vec3, towardsViewer);
        FootView &view = showing(FootSide::Left, mesh::Model{{fixtures::squareAt({30, 10, 5}, 20)}});
        const mesh::Camera &camera = view.viewport()->camera();
        const double height = camera.viewHeight();
        // A turn by mouse first: the preset starts from the reset frame anyway.
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(view.viewport(), QPoint(180, 140));
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(180, 140));
        QVERIFY(!(camera.eyeFrame().rotation() == mesh::Mat3::identity()));

        trigger(view, item);
        QCOMPARE(camera.towardsViewer(), towardsViewer);
        QCOMPARE(camera.viewHeight(), height); // no preset zooms
        trigger(view, QStringLiteral("mnuView4"));
        QCOMPARE(camera.eyeFrame().rotation(), mesh::Mat3::identity());
        QCOMPARE(camera.eyeFrame().position(), (Vec3{0, 0, 0}));
        QCOMPARE(camera.viewHeight(), height);
    }

    void bottomAndSoleDifferByAHalfTurnOnScreen()
    {
        FootView &view = showing(FootSide::Left, mesh::Model{{fixtures::squareAt({0, 0, 0}, 20)}});
        const mesh::Camera &camera = view.viewport()->camera();
        trigger(view, QStringLiteral("mnuView2"));
        const Vec3 bottomRight = camera.right(), bottomUp = camera.up();
        trigger(view, QStringLiteral("mnuViewSole"));
        QCOMPARE(camera.right(), -1.0 * bottomRight);
        QCOMPARE(camera.up(), -1.0 * bottomUp);
    }

    void resetAndZoomWindow()
    {
        const mesh::Model model{{fixtures::squareAt({100, 40, 0}, 30)}};
        FootView &view = showing(FootSide::Left, model);
        view::FootViewport *viewport = view.viewport();
        const double fitted = viewport->camera().viewHeight();

        trigger(view, QStringLiteral("mnuZoomW"));
        QCOMPARE(view.statusText(), QStringLiteral("Ready"));
        QVERIFY(viewport->zoomWindowActive());
        // A square of a quarter of the view's height fills the view's height.
        const int h = viewport->height();
        const double expected = fitted * (h / 4) / h;
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(viewport, QPoint(100 + h / 4, 100 + h / 4));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(100 + h / 4, 100 + h / 4));
        QVERIFY(!viewport->zoomWindowActive());
        QVERIFY(std::abs(viewport->camera().viewHeight() - expected) < fitted * 1e-9);

        trigger(view, QStringLiteral("mnuReset"));
        QVERIFY(std::abs(viewport->camera().viewHeight() - fitted) < fitted * 1e-9);
        const mesh::Bounds b = model.bounds();
        const QRectF inside(0, 0, viewport->width(), viewport->height());
        QVERIFY(inside.contains(viewport->toPixel(b.min)) && inside.contains(viewport->toPixel(b.max)));
    }

    void wireframeAndAxesEachViewItsOwn()
    {
        FootView &left = Left_View();
        FootView &right = Right_View();
        auto *leftWire = left.findChild<QAction *>(QStringLiteral("mnuWireframe"));
        auto *rightWire = right.findChild<QAction *>(QStringLiteral("mnuWireframe"));
        auto *axes = left.findChild<QAction *>(QStringLiteral("mnuAxes"));
        QVERIFY(left.viewport()->shaded() && !leftWire->isChecked());
        QVERIFY(left.viewport()->axesShown() && axes->isChecked());
        trigger(left, QStringLiteral("mnuWireframe"));
        QVERIFY(!left.viewport()->shaded() && leftWire->isChecked());
        QVERIFY(right.viewport()->shaded() && !rightWire->isChecked());
        trigger(right, QStringLiteral("mnuWireframe"));
        QVERIFY(!right.viewport()->shaded() && rightWire->isChecked() && leftWire->isChecked());
        trigger(left, QStringLiteral("mnuWireframe"));
        QVERIFY(left.viewport()->shaded() && !leftWire->isChecked());
        trigger(left, QStringLiteral("mnuAxes"));
        QVERIFY(!left.viewport()->axesShown() && !axes->isChecked());
        QVERIFY(right.viewport()->axesShown());
    }

    // --- Grid -----------------------------------------------------------------

    void gridPlaneFollowsTheItem_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<char>("letter");
        QTest::addColumn<Vec3>("normal");
        QTest::newRow("Grid End") << "mnuGridE" << 'E' << Vec3{0, -1, 0};
        QTest::newRow("Grid Side") << "mnuGridS" << 'S' << Vec3{1, 0, 0};
        QTest::newRow("Grid Plan") << "mnuGridP" << 'P' << Vec3{0, 0, 1};
    }
    void gridPlaneFollowsTheItem()
    {
        QFETCH(QString, item);
        QFETCH(char, letter);
        QFETCH(Vec3, normal);
        FootView &view = Left_View();
        QCOMPARE(Grid_Plane(), mesh::GridPlane::End); // every view load sets it
        QVERIFY(!view.viewport()->grid().visible());
        Grid_Plane() = mesh::GridPlane::Plan;
        view.viewport()->grid().frame().moveBy({7, 7, 7}); // a plane item discards moves
        trigger(view, item);
        QCOMPARE(char(Grid_Plane()), letter);
        QVERIFY(view.viewport()->grid().visible());
        QCOMPARE(view.viewport()->grid().normal(), normal);
        QCOMPARE(view.viewport()->grid().frame().position(), (Vec3{0, 0, 0}));
        trigger(view, QStringLiteral("mnuGridOff"));
        QVERIFY(!view.viewport()->grid().visible());
        QCOMPARE(view.viewport()->grid().normal(), normal); // hiding keeps its place
    }

    void changeGridWindowMovesAndTurnsItsViewsGrid()
    {
        FootView &left = Left_View();
        FootView &right = Right_View();
        trigger(left, QStringLiteral("mnuGridPos"));
        auto *form = qobject_cast<GridForm *>(Windows().loaded(QStringLiteral("GridForm1")));
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Change Grid"));
        QCOMPARE(form->step(), 20.0);
        QVERIFY(left.viewport()->grid().visible()); // its load shows the grid
        QVERIFY(!Windows().isLoaded(QStringLiteral("GridForm2")));

        press(*form, QStringLiteral("Command12")); // step 5
        press(*form, QStringLiteral("Command1")); // Move Left
        QCOMPARE(left.viewport()->grid().frame().position(), (Vec3{-5, 0, 0}));
        press(*form, QStringLiteral("Command6")); // Out
        press(*form, QStringLiteral("Command3")); // Up
        QCOMPARE(left.viewport()->grid().frame().position(), (Vec3{-5, 5, 5}));
        QCOMPARE(right.viewport()->grid().frame().position(), (Vec3{0, 0, 0}));

        // The turn axis is the last plane chosen in either view.
        trigger(right, QStringLiteral("mnuGridP"));
        const mesh::Vec3 before = left.viewport()->grid().frame().axis(mesh::Axis::X);
        press(*form, QStringLiteral("Command8")); // Rotate Right: -5 degrees about z
        const mesh::Vec3 after = left.viewport()->grid().frame().axis(mesh::Axis::X);
        const mesh::Mat3 turn = mesh::Mat3::rotation(Vec3{0, 0, 1}, -5);
        const mesh::Vec3 expected = turn * before;
        QVERIFY(std::abs(after.x - expected.x) < 1e-12 && std::abs(after.y - expected.y) < 1e-12);

        // Chosen again while open: brought forward, the step kept.
        trigger(left, QStringLiteral("mnuGridPos"));
        QCOMPARE(Windows().loaded(QStringLiteral("GridForm1")), form);
        QCOMPARE(form->step(), 5.0);
        press(*form, QStringLiteral("Command7")); // Close
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Windows().isLoaded(QStringLiteral("GridForm1")));
        trigger(left, QStringLiteral("mnuGridPos"));
        form = qobject_cast<GridForm *>(Windows().loaded(QStringLiteral("GridForm1")));
        QCOMPARE(form->step(), 20.0);
        // Closing the view takes its grid window with it.
        trigger(left, QStringLiteral("mnuQuit"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Windows().isLoaded(QStringLiteral("GridForm1")));
    }

    // --- Measuring ------------------------------------------------------------

    void twoClicksGiveTheDistances_data()
    {
        QTest::addColumn<Vec3>("first");
        QTest::addColumn<Vec3>("second");
        QTest::addColumn<QStringList>("texts"); // Text1, Text2, Text6, Text3, Text4, Text5
        QTest::addColumn<QString>("status");
        QTest::newRow("3-4-12") << Vec3{0, 0, 0} << Vec3{3, 4, 12}
                                << QStringList{"13.0", "5.0", "53.13", "3.0", "4.0", "12.0"} << "Distance: 13.00";
        QTest::newRow("falling line") << Vec3{10, 10, 0} << Vec3{20, 0, 5}
                                      << QStringList{"15.0", "14.1", "-45.00", "10.0", "10.0", "5.0"}
                                      << "Distance: 15.00";
        QTest::newRow("the other way round")
            << Vec3{20, 0, 5} << Vec3{10, 10, 0} << QStringList{"15.0", "14.1", "-45.00", "10.0", "10.0", "5.0"}
            << "Distance: 15.00";
        // Along y the slope is straight: 90 degrees, not a division by zero.
        QTest::newRow("along y") << Vec3{5, 0, 0} << Vec3{5, 8, 6}
                                 << QStringList{"10.0", "8.0", "90.00", "0.0", "8.0", "6.0"} << "Distance: 10.00";
    }
    void twoClicksGiveTheDistances()
    {
        QFETCH(Vec3, first);
        QFETCH(Vec3, second);
        QFETCH(QStringList, texts);
        QFETCH(QString, status);
        FootView &view = showing(FootSide::Left, mesh::Model{{fixtures::squareAt(first), fixtures::squareAt(second)}});
        trigger(view, QStringLiteral("mnuDist"));
        QCOMPARE(view.statusText(), QStringLiteral("Pick the First Point"));
        clickOn(view, first);
        QCOMPARE(view.statusText(), QStringLiteral("Pick the Second Point"));
        readDistancesWhenShown();
        clickOn(view, second);
        QCOMPARE(m_distances, QStringList{"Distances"} + texts + QStringList{"1"});
        QCOMPARE(view.statusText(), status);
        // The measurement is over: a further click changes nothing.
        QCOMPARE(Measure_State().stage(), mesh::MeasureSession::Stage::Idle);
        clickOn(view, first);
        QCOMPARE(view.statusText(), status);
        QVERIFY(m_setup->ui->calls.isEmpty());
    }

    // The measurement takes its points from a click of any button, with any
    // modifier held.
    void anyButtonPicksThePoints_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::NoModifier);
        QTest::newRow("right") << Qt::RightButton << Qt::KeyboardModifiers(Qt::NoModifier);
        QTest::newRow("middle") << Qt::MiddleButton << Qt::KeyboardModifiers(Qt::NoModifier);
        QTest::newRow("shift left") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("control right") << Qt::RightButton << Qt::KeyboardModifiers(Qt::ControlModifier);
    }
    void anyButtonPicksThePoints()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        const Vec3 p1{0, 0, 0}, p2{3, 4, 12};
        FootView &view = showing(FootSide::Left, mesh::Model{{fixtures::squareAt(p1), fixtures::squareAt(p2)}});
        const auto clickWith = [&](const Vec3 &point) {
            fixtures::clickAt(view.viewport(), view.viewport()->toPixel(point), button, modifiers);
        };
        trigger(view, QStringLiteral("mnuDist"));
        clickWith(p1);
        QCOMPARE(view.statusText(), QStringLiteral("Pick the Second Point"));
        readDistancesWhenShown();
        clickWith(p2);
        QCOMPARE(m_distances.value(1), QStringLiteral("13.0"));
        QCOMPARE(view.statusText(), QStringLiteral("Distance: 13.00"));
    }

    void aMissKeepsTheState()
    {
        const Vec3 p1{0, 0, 0}, p2{3, 4, 12};
        FootView &view = showing(FootSide::Left, mesh::Model{{fixtures::squareAt(p1), fixtures::squareAt(p2)}});
        const Vec3 nowhere{-3, 4, 0}; // between the squares
        clickOn(view, nowhere); // no measurement under way: nothing
        QVERIFY(view.statusText().isEmpty());
        trigger(view, QStringLiteral("mnuDist"));
        clickOn(view, nowhere);
        QCOMPARE(view.statusText(), QStringLiteral("No Point of the Scan There: Pick the First Point"));
        QCOMPARE(Measure_State().stage(), mesh::MeasureSession::Stage::WaitingForFirst);
        clickOn(view, p1);
        QVERIFY(mesh::length(Measure_State().pickPoint1() - p1) < 1e-9);
        const Vec3 picked = Measure_State().pickPoint1();
        clickOn(view, nowhere);
        QCOMPARE(view.statusText(), QStringLiteral("No Point of the Scan There: Pick the Second Point"));
        QCOMPARE(Measure_State().stage(), mesh::MeasureSession::Stage::WaitingForSecond);
        QCOMPARE(Measure_State().pickPoint1(), picked);
        QVERIFY(!Windows().isLoaded(QStringLiteral("DistForm")));
        readDistancesWhenShown();
        clickOn(view, p2);
        QCOMPARE(m_distances.value(1), QStringLiteral("13.0"));
    }

    void aMeasurementStartedInOneViewPicksInTheOther()
    {
        const Vec3 p1{0, 0, 0}, p2{3, 4, 12};
        const mesh::Model model{{fixtures::squareAt(p1), fixtures::squareAt(p2)}};
        FootView &left = showing(FootSide::Left, model);
        FootView &right = showing(FootSide::Right, model);
        trigger(left, QStringLiteral("mnuDist"));
        clickOn(right, p1);
        QCOMPARE(right.statusText(), QStringLiteral("Pick the Second Point"));
        readDistancesWhenShown();
        clickOn(left, p2);
        QCOMPARE(m_distances.value(1), QStringLiteral("13.0"));
        QCOMPARE(left.statusText(), QStringLiteral("Distance: 13.00"));
    }

    void overlayToolsFromTheMenu()
    {
        const Vec3 p1{0, 0, 0}, p2{3, 4, 12};
        FootView &view = showing(FootSide::Left, mesh::Model{{fixtures::squareAt(p1), fixtures::squareAt(p2)}});
        const view::MeasureTool &tool = view.viewport()->measureTool();
        trigger(view, QStringLiteral("mnuDistance2"));
        QCOMPARE(tool.mode(), view::MeasureTool::Mode::Distance);
        QCOMPARE(tool.display(), view::MeasureDisplay::Static);
        clickOn(view, p1);
        clickOn(view, p2);
        QCOMPARE(tool.overlay().label, std::string("13.0 mm"));
        QVERIFY(view.statusText().isEmpty()); // the overlay tools keep no shared state

        trigger(view, QStringLiteral("mnuDistance1"));
        QCOMPARE(tool.display(), view::MeasureDisplay::Dynamic);
        QVERIFY(tool.overlay().points.empty());
        clickOn(view, p1);
        QVERIFY(view.viewport()->hasMouseTracking());
        QTest::mouseMove(view.viewport(), view.viewport()->toPixel(p2).toPoint());
        QVERIFY(tool.overlay().line);

        trigger(view, QStringLiteral("mnuAngle"));
        QCOMPARE(view.statusText(), QStringLiteral("Pick Two Points..."));
        QCOMPARE(tool.mode(), view::MeasureTool::Mode::Angle);
        // A "3D Distance" under way still takes the same clicks.
        trigger(view, QStringLiteral("mnuDist"));
        clickOn(view, p1);
        readDistancesWhenShown();
        clickOn(view, Vec3{0.5, 0, 0});
        QCOMPARE(tool.overlay().label, std::string("0.00 deg"));
        QCOMPARE(m_distances.value(1), QStringLiteral("0.5"));
    }
};

QTEST_MAIN(TestFootCamera)
#include "tst_footcamera.moc"
