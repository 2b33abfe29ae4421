// The foot views' edit and undo menus and the trimming panel, on the
// offscreen platform.
#include "footfixtures.h"
#include "footviewinterface.h"
#include "footviewport.h"
#include "footviewshared.h"
#include "lcf_file.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using fixtures::press;
using fixtures::trigger;
using mesh::Vec3;

class TestFootEdits : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<fixtures::FootViewSetup> m_setup;

    // Loads a small coloured foot into the view, as a scan load does.
    FootView &loadFoot(FootSide side = FootSide::Left)
    {
        const QString folder = m_setup->home.path(QStringLiteral("Data/Clinic"));
        const QString base = side == FootSide::Left ? QStringLiteral("Edit_L") : QStringLiteral("Edit_R");
        const QString scan = samples::writeVrmlScan(folder, base, samples::Foot::Left, 600);
        Job().CurrentFolder = folder;
        (side == FootSide::Left ? Job().LeftScanFileName : Job().RightScanFileName) = QFileInfo(scan).fileName();
        bool loaded = Load_Foot(side);
        if (!loaded)
            qWarning("the scan did not load");
        FootView &view = Foot_View(side);
        // Colours to brighten; a snapshot of the model as shown.
        mesh::Model model = view.model();
        model.objects[0].colours.assign(model.objects[0].positions.size(), mesh::Rgba{3, 100, 200, 128});
        view.Show_Model(model);
        view.Write_Initial_Snapshot();
        return view;
    }
    QGroupBox *panel(FootView &view) { return view.findChild<QGroupBox *>(QStringLiteral("Frame2")); }
    QString heightBox(FootView &view) { return view.findChild<QLineEdit *>(QStringLiteral("Text5"))->text(); }
    QString ringFile(const QString &name) { return m_setup->home.path(name); }

    // A foot that lies well away from the axes, as scanners place them.
    static mesh::Mesh offsetFoot()
    {
        mesh::Mesh foot = fixtures::smallFoot();
        for (Vec3 &p : foot.positions)
            p = {p.x + 400, p.y + 150, p.z + 60};
        return foot;
    }

    // Empty when every corner of the model's box lands inside the view and
    // the model is not shrunk to a speck in it; otherwise what is wrong.
    static QString framingFault(FootView &view)
    {
        const mesh::Bounds b = view.model().bounds();
        const QRectF inside(0, 0, view.viewport()->width(), view.viewport()->height());
        QRectF drawn;
        for (int corner = 0; corner < 8; ++corner) {
            const Vec3 p{corner & 1 ? b.max.x : b.min.x, corner & 2 ? b.max.y : b.min.y,
                         corner & 4 ? b.max.z : b.min.z};
            const QPointF at = view.viewport()->toPixel(p);
            if (!inside.contains(at))
                return QStringLiteral("a corner lands outside the view, at %1 %2").arg(at.x()).arg(at.y());
            drawn = drawn.isNull() ? QRectF(at, QSizeF(1e-9, 1e-9)) : drawn.united(QRectF(at, QSizeF(1e-9, 1e-9)));
        }
        if (drawn.width() <= inside.width() / 3 && drawn.height() <= inside.height() / 3)
            return QStringLiteral("the model fills only %1 x %2 of %3 x %4 pixels")
                .arg(drawn.width())
                .arg(drawn.height())
                .arg(inside.width())
                .arg(inside.height());
        return {};
    }

private slots:
    void init() { m_setup = std::make_unique<fixtures::FootViewSetup>(); }

    void cleanup() { m_setup.reset(); }

    void undoAfterMirrorReturnsTheLoadedModel()
    {
        FootView &view = loadFoot();
        const mesh::Model loaded = view.model();
        trigger(view, QStringLiteral("mnuFlip"));
        const mesh::Mesh &mirrored = view.model().objects[0];
        QCOMPARE(mirrored.positions[7].x, -loaded.objects[0].positions[7].x);
        QCOMPARE(mirrored.positions[7].y, loaded.objects[0].positions[7].y);
        QCOMPARE(view.statusText(), QStringLiteral("Ready"));
        QCOMPARE(mesh::loadLcfFile(ringFile(QStringLiteral("UndoL01.Lcf")).toStdString()), loaded);

        trigger(view, QStringLiteral("mnuUndo"));
        QCOMPARE(view.model(), loaded);
        QVERIFY(m_setup->ui->calls.isEmpty());

        // Nothing older: said plainly, and the model stays.
        trigger(view, QStringLiteral("mnuUndo"));
        QCOMPARE(m_setup->ui->messages(), QStringList{QStringLiteral("Nothing Left to Undo")});
        QCOMPARE(m_setup->ui->calls.last().title, QStringLiteral("Undo"));
        QCOMPARE(m_setup->ui->calls.last().icon, Prompter::Icon::Information);
        QCOMPARE(view.model(), loaded);
    }

    void undoStepsBackOneEditAtATime()
    {
        FootView &view = loadFoot();
        const mesh::Model loaded = view.model();
        trigger(view, QStringLiteral("mnuFlip"));
        const mesh::Model afterMirror = view.model();
        trigger(view, QStringLiteral("mnuRotX"));
        QVERIFY(view.model() != afterMirror);
        trigger(view, QStringLiteral("mnuUndo"));
        QCOMPARE(view.model(), afterMirror);
        trigger(view, QStringLiteral("mnuUndo"));
        QCOMPARE(view.model(), loaded);
        // A new edit after undoing goes on from the state shown.
        trigger(view, QStringLiteral("mnuRotZ"));
        trigger(view, QStringLiteral("mnuUndo"));
        QCOMPARE(view.model(), loaded);
        QVERIFY(m_setup->ui->calls.isEmpty());
    }

    void undoAllReturnsTheModelAsLoaded_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::newRow("turns and scale") << QStringList{"mnuRotX", "mnuRotY", "mnuScale1000", "mnuFlip"};
        QTest::newRow("more edits than the ring holds")
            << QStringList{"mnuRotX", "mnuRotX", "mnuRotY", "mnuRotZ", "mnuFlip", "mnuRotX", "mnuToMetric"};
        QTest::newRow("colours, smoothing, clean") << QStringList{"mnuPlus", "mnuMinus", "mnuSmooth", "mnuCleanMesh"};
        QTest::newRow("after a model file was opened") << QStringList{"mnuRotZ", "mnuLoadLCF"};
    }
    void undoAllReturnsTheModelAsLoaded()
    {
        QFETCH(QStringList, items);
        FootView &view = loadFoot();
        const mesh::Model loaded = view.model();
        mesh::Model other;
        other.objects.push_back(fixtures::squareAt({0, 0, 5}, 40));
        const QString otherFile = m_setup->home.path(QStringLiteral("Other.Lcf"));
        mesh::saveLcfFile(other, otherFile.toStdString());
        m_setup->ui->files.enqueue(otherFile);
        for (const QString &item : items)
            trigger(view, item);
        QVERIFY(view.model() != loaded);
        trigger(view, QStringLiteral("mnuUndoAll"));
        QCOMPARE(view.model(), loaded);
        QVERIFY(m_setup->ui->messages().isEmpty());
    }

    void undoAllWithoutASnapshotSaysSo()
    {
        FootView &view = Left_View();
        view.Show_Model(mesh::Model{{fixtures::squareAt({0, 0, 0})}});
        trigger(view, QStringLiteral("mnuUndoAll"));
        QCOMPARE(m_setup->ui->calls.size(), 1);
        QCOMPARE(m_setup->ui->calls.last().title, QStringLiteral("Error"));
        QVERIFY(m_setup->ui->calls.last().text.startsWith(QStringLiteral("Error: ")));
        QCOMPARE(view.model().objects.size(), std::size_t(1));
    }

    void eachEditAndWhetherItSavesASnapshot_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("snapshot");
        QTest::addColumn<Vec3>("moved"); // where the point (1, 2, 3) goes
        QTest::addColumn<int>("red"); // the red byte 3 after the edit
        QTest::newRow("Mirror") << "mnuFlip" << true << Vec3{-1, 2, 3} << 3;
        QTest::newRow("X 90") << "mnuRotX" << true << Vec3{1, -3, 2} << 3;
        QTest::newRow("Y 90") << "mnuRotY" << true << Vec3{3, 2, -1} << 3;
        QTest::newRow("Z 90") << "mnuRotZ" << true << Vec3{-2, 1, 3} << 3;
        QTest::newRow("Scale 1000") << "mnuScale1000" << true << Vec3{1000, 2000, 3000} << 3;
        QTest::newRow("Scale 25.4") << "mnuToMetric" << true << Vec3{25.4, 50.8, 76.19999999999999} << 3;
        QTest::newRow("Smooth") << "mnuSmooth" << false << Vec3{1, 2, 3} << 3;
        QTest::newRow("Brighten") << "mnuPlus" << false << Vec3{1, 2, 3} << 4; // 4.5 to the even 4
        QTest::newRow("Darken") << "mnuMinus" << false << Vec3{1, 2, 3} << 2; // 2.1
        QTest::newRow("Clean Mesh") << "mnuCleanMesh" << false << Vec3{1, 2, 3} << 3;
    }
    void eachEditAndWhetherItSavesASnapshot()
    {
        QFETCH(QString, item);
        QFETCH(bool, snapshot);
        QFETCH(Vec3, moved);
        QFETCH(int, red);
        FootView &view = Left_View();
        mesh::Mesh m = fixtures::squareAt({0, 0, 0});
        m.positions[0] = {1, 2, 3};
        m.colours.assign(4, mesh::Rgba{3, 100, 200, 128});
        view.Show_Model(mesh::Model{{m}});
        trigger(view, item);
        const mesh::Mesh &after = view.model().objects[0];
        QVERIFY2(std::abs(after.positions[0].x - moved.x) < 1e-9 && std::abs(after.positions[0].y - moved.y) < 1e-9
                     && std::abs(after.positions[0].z - moved.z) < 1e-9,
                 qPrintable(item));
        QCOMPARE(int(after.colours[0].r), red);
        QCOMPARE(after.colours[0].a, std::uint8_t(128));
        QCOMPARE(QFile::exists(ringFile(QStringLiteral("UndoL01.Lcf"))), snapshot);
        QCOMPARE(view.undoRing().validSteps(), snapshot ? 1 : 0);
        if (snapshot)
            QCOMPARE(mesh::loadLcfFile(ringFile(QStringLiteral("UndoL01.Lcf")).toStdString()).objects[0], m);
        if (item == QLatin1String("mnuSmooth")) {
            QCOMPARE(after.creaseAngle, 40.0);
            QCOMPARE(after.positions, m.positions);
        }
        QVERIFY(m_setup->ui->calls.isEmpty());
    }

    void scalingShowsTheWholeModel()
    {
        FootView &view = Left_View();
        view.resize(600, 500);
        view.show();
        mesh::Mesh inches = fixtures::squareAt({5, 0, 0}, 5); // a 10-inch square
        view.Show_Model(mesh::Model{{inches}});
        view.Fit();
        trigger(view, QStringLiteral("mnuToMetric"));
        const mesh::Bounds b = view.model().bounds();
        QVERIFY(std::abs(b.size().x - 254) < 1e-9);
        const QRectF inside(0, 0, view.viewport()->width(), view.viewport()->height());
        for (const Vec3 &corner : {b.min, b.max}) {
            const QPointF at = view.viewport()->toPixel(corner);
            QVERIFY2(inside.contains(at), qPrintable(QStringLiteral("%1 %2").arg(at.x()).arg(at.y())));
        }
        QVERIFY(view.viewport()->camera().viewHeight() < 2 * 254);
    }

    void editsThatMoveTheScanFrameItAgain_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("Mirror") << "mnuFlip";
        QTest::newRow("X 90") << "mnuRotX";
        QTest::newRow("Y 90") << "mnuRotY";
        QTest::newRow("Z 90") << "mnuRotZ";
        QTest::newRow("Scale 1000") << "mnuScale1000";
        QTest::newRow("Scale 25.4") << "mnuToMetric";
    }
    void editsThatMoveTheScanFrameItAgain()
    {
        QFETCH(QString, item);
        FootView &view = Left_View();
        view.Show_Normal();
        view.Show_Model(mesh::Model{{offsetFoot()}});
        view.Fit();
        trigger(view, item);
        const QString fault = framingFault(view);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    // The soft window hands a chosen STL scan to its foot's view, which may
    // be open on another scan framed elsewhere: the new scan is framed.
    void anImportedStlIsFramed()
    {
        FootView &view = Left_View();
        view.Show_Normal();
        view.Show_Model(mesh::Model{{offsetFoot()}});
        view.Fit();
        const QString stl = m_setup->home.path(QStringLiteral("Data/Clinic/Other_L.Stl"));
        QVERIFY(QDir().mkpath(QFileInfo(stl).path()));
        fixtures::writeStl(stl);
        view.Import_Stl(stl);
        const QString fault = framingFault(view);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    void undoFramesTheScanAgain_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QStringList>("undos");
        const QStringList all{"mnuFlip", "mnuRotX", "mnuScale1000"};
        QTest::newRow("all edits, Undo each") << all << QStringList{"mnuUndo", "mnuUndo", "mnuUndo"};
        QTest::newRow("all edits, Undo All") << all << QStringList{"mnuUndoAll"};
        QTest::newRow("Mirror and X 90, one Undo") << QStringList{"mnuFlip", "mnuRotX"} << QStringList{"mnuUndo"};
        QTest::newRow("Scale 1000, Undo") << QStringList{"mnuScale1000"} << QStringList{"mnuUndo"};
        QTest::newRow("Scale 25.4, Undo All") << QStringList{"mnuToMetric"} << QStringList{"mnuUndoAll"};
    }
    void undoFramesTheScanAgain()
    {
        QFETCH(QStringList, edits);
        QFETCH(QStringList, undos);
        FootView &view = Left_View();
        view.Show_Normal();
        view.Show_Model(mesh::Model{{offsetFoot()}});
        view.Write_Initial_Snapshot();
        view.Fit();
        for (const QString &item : edits)
            trigger(view, item);
        const mesh::Model edited = view.model();
        for (const QString &item : undos)
            trigger(view, item);
        QVERIFY(view.model() != edited);
        QVERIFY(m_setup->ui->calls.isEmpty());
        const QString fault = framingFault(view);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    void cleanMeshCountsAndKeepsTheFirst()
    {
        FootView &view = Left_View();
        const mesh::Model three{
            {fixtures::squareAt({0, 0, 0}), fixtures::squareAt({9, 0, 0}), fixtures::squareAt({0, 9, 0})}};
        view.Show_Model(three);
        trigger(view, QStringLiteral("mnuCleanMesh"));
        QCOMPARE(m_setup->ui->messages(), QStringList{QStringLiteral("Objects Found: 3")});
        QCOMPARE(m_setup->ui->calls.last().title, QStringLiteral("Clean Mesh"));
        QCOMPARE(m_setup->ui->calls.last().icon, Prompter::Icon::Information);
        QCOMPARE(view.model(), mesh::Model{{three.objects[0]}});
        trigger(view, QStringLiteral("mnuCleanMesh")); // one object: no message
        QCOMPARE(m_setup->ui->calls.size(), 1);
    }

    void aSnapshotThatCannotBeWrittenStopsTheEdit_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("Mirror") << "mnuFlip";
        QTest::newRow("Z 90") << "mnuRotZ";
        QTest::newRow("Scale 1000") << "mnuScale1000";
        QTest::newRow("Trim") << "mnuTrim";
    }
    void aSnapshotThatCannotBeWrittenStopsTheEdit()
    {
        QFETCH(QString, item);
        FootView &view = loadFoot();
        const mesh::Model loaded = view.model();
        // A folder where the slot file should go: no file can be written there.
        QVERIFY(QDir().mkpath(ringFile(QStringLiteral("UndoL01.Lcf"))));
        trigger(view, item);
        QCOMPARE(view.model(), loaded);
        QCOMPARE(m_setup->ui->calls.size(), 1);
        QCOMPARE(m_setup->ui->calls.last().title, QStringLiteral("Error"));
        QVERIFY(m_setup->ui->calls.last().text.startsWith(QStringLiteral("Error: ")));
        QCOMPARE(view.undoRing().validSteps(), 0);
        QVERIFY(!panel(view)->isVisibleTo(&view));
        QVERIFY(!view.viewport()->displayPlane());
    }

    // --- Trimming panel ---------------------------------------------------

    void trimPanelOpensLevelAtTen()
    {
        FootView &view = loadFoot();
        QVERIFY(!panel(view)->isVisibleTo(&view));
        trigger(view, QStringLiteral("mnuTrim"));
        QGroupBox *frame = panel(view);
        QVERIFY(frame->isVisibleTo(&view));
        QCOMPARE(frame->title(), QStringLiteral("Trim"));
        QCOMPARE(heightBox(view), QStringLiteral("10.0"));
        QVERIFY(QFile::exists(ringFile(QStringLiteral("UndoL01.Lcf"))));
        const auto plane = view.viewport()->displayPlane();
        QVERIFY(plane);
        QCOMPARE(plane->origin, (Vec3{0, 0, 10}));
        QCOMPARE(plane->normal, (Vec3{0, 0, 1}));
        const QStringList captions = {"Up", "Down", "N", "S", "E", "W", "20", "10", "5", "1", "Trim", "Close"};
        for (const QString &caption : captions) {
            bool found = false;
            for (QPushButton *b : frame->findChildren<QPushButton *>())
                found = found || (b->text() == caption && b->accessibleName() == caption);
            QVERIFY2(found, qPrintable(caption));
        }
        QCOMPARE(frame->findChild<QCheckBox *>(QStringLiteral("Check1"))->text(), QStringLiteral("Cut Above"));
    }

    void trimPanelButtons_data()
    {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("height");
        QTest::addColumn<Vec3>("normal");
        QTest::newRow("Down three times")
            << QStringList{"Command15", "Command15", "Command15"} << "-5.0" << Vec3{0, 0, 1};
        QTest::newRow("20 then Up") << QStringList{"Command2", "Command12"} << "30.0" << Vec3{0, 0, 1};
        QTest::newRow("1 then Down") << QStringList{"Command5", "Command15"} << "9.0" << Vec3{0, 0, 1};
        // 20 tilts by 10: north twice is 20 degrees.
        QTest::newRow("20 then N twice") << QStringList{"Command2", "Command16", "Command16"} << "10.0"
                                         << Vec3{0, std::sin(20 / 57.29577951), std::cos(20 / 57.29577951)};
        QTest::newRow("N thirteen times stops at 60")
            << QStringList(13, QStringLiteral("Command16")) << "10.0"
            << Vec3{0, std::sin(60 / 57.29577951), std::cos(60 / 57.29577951)};
        QTest::newRow("N, E then W keeps the north tilt")
            << QStringList{"Command16", "Command19", "Command18"} << "10.0" << Vec3{0, std::sin(5 / 57.29577951), 1};
    }
    void trimPanelButtons()
    {
        QFETCH(QStringList, buttons);
        QFETCH(QString, height);
        QFETCH(Vec3, normal);
        FootView &view = loadFoot();
        trigger(view, QStringLiteral("mnuTrim"));
        for (const QString &b : buttons)
            press(view, b);
        QCOMPARE(heightBox(view), height);
        const auto plane = view.viewport()->displayPlane();
        QVERIFY(plane);
        QVERIFY2(std::abs(plane->normal.x - normal.x) < 1e-12 && std::abs(plane->normal.y - normal.y) < 1e-12
                     && std::abs(plane->normal.z - normal.z) < 1e-12,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(plane->normal.x).arg(plane->normal.y).arg(plane->normal.z)));
        QCOMPARE(plane->origin.z, height.toDouble());
    }

    void stepsAreSharedAndResetByEitherPanel()
    {
        FootView &left = loadFoot(FootSide::Left);
        FootView &right = loadFoot(FootSide::Right);
        trigger(left, QStringLiteral("mnuTrim"));
        press(left, QStringLiteral("Command2")); // 20
        press(left, QStringLiteral("Command12")); // Up by 20
        QCOMPARE(heightBox(left), QStringLiteral("30.0"));
        // The right panel's opening puts both steps back to 5.
        trigger(right, QStringLiteral("mnuTrim"));
        press(left, QStringLiteral("Command12"));
        QCOMPARE(heightBox(left), QStringLiteral("35.0"));
        QCOMPARE(Trim_Steps().tilt, 5.0);
    }

    void trimCutsThroughTheWindow_data()
    {
        QTest::addColumn<bool>("cutAbove");
        QTest::newRow("below the plane goes") << false;
        QTest::newRow("Cut Above") << true;
    }
    void trimCutsThroughTheWindow()
    {
        QFETCH(bool, cutAbove);
        FootView &view = loadFoot();
        const mesh::Model loaded = view.model();
        const mesh::Bounds before = loaded.bounds();
        QVERIFY(before.min.z < 15 && before.max.z > 15);
        trigger(view, QStringLiteral("mnuTrim"));
        press(view, QStringLiteral("Command12")); // up to 15
        view.findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(cutAbove);
        press(view, QStringLiteral("Command13")); // Trim
        QVERIFY(m_setup->ui->calls.isEmpty());
        const mesh::Bounds after = view.model().bounds();
        if (cutAbove) {
            QVERIFY(after.max.z <= 15 + 1e-9);
            QCOMPARE(after.min.z, before.min.z);
        } else {
            QVERIFY(after.min.z >= 15 - 1e-9);
            QCOMPARE(after.max.z, before.max.z);
        }
        QVERIFY(after.max.z - after.min.z < before.max.z - before.min.z);
        QVERIFY(view.model().objects[0].check().empty());
        // The panel closes, the plane goes, the tick is cleared.
        QVERIFY(!panel(view)->isVisibleTo(&view));
        QVERIFY(!view.viewport()->displayPlane());
        QVERIFY(!view.findChild<QCheckBox *>(QStringLiteral("Check1"))->isChecked());
        // The snapshot of the opening undoes the cut.
        trigger(view, QStringLiteral("mnuUndo"));
        QCOMPARE(view.model(), loaded);
    }

    void aCutThatRemovesNothingOrEverythingKeepsThePanelOpen()
    {
        FootView &view = loadFoot();
        const mesh::Model loaded = view.model();
        trigger(view, QStringLiteral("mnuTrim"));
        press(view, QStringLiteral("Command2")); // steps of 20
        for (int i = 0; i < 3; ++i)
            press(view, QStringLiteral("Command15")); // down to -50, under the sole
        QVERIFY(loaded.bounds().min.z > -50);
        press(view, QStringLiteral("Command13"));
        QCOMPARE(m_setup->ui->messages().size(), 1);
        QVERIFY(m_setup->ui->messages().last().startsWith(QStringLiteral("Nothing was trimmed: the whole scan lies")));
        QCOMPARE(m_setup->ui->calls.last().title, QStringLiteral("Trim"));
        QCOMPARE(view.model(), loaded);
        QVERIFY(panel(view)->isVisibleTo(&view));
        QVERIFY(view.viewport()->displayPlane());

        view.findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(true);
        press(view, QStringLiteral("Command13"));
        QCOMPARE(m_setup->ui->messages().size(), 2);
        QVERIFY(m_setup->ui->messages().last().startsWith(
            QStringLiteral("Nothing was trimmed: the cut would remove the whole scan")));
        QCOMPARE(view.model(), loaded);
        QVERIFY(panel(view)->isVisibleTo(&view));

        press(view, QStringLiteral("Command14")); // Close: nothing cut
        QVERIFY(!panel(view)->isVisibleTo(&view));
        QVERIFY(!view.viewport()->displayPlane());
        QVERIFY(!view.findChild<QCheckBox *>(QStringLiteral("Check1"))->isChecked());
        QCOMPARE(view.model(), loaded);
    }

    void trimOnAnEmptyViewSaysSo()
    {
        FootView &view = Left_View();
        trigger(view, QStringLiteral("mnuTrim"));
        press(view, QStringLiteral("Command13"));
        QCOMPARE(m_setup->ui->messages(), QStringList{QStringLiteral("There is no scan in this view to trim.")});
        QVERIFY(panel(view)->isVisibleTo(&view));
    }
};

QTEST_MAIN(TestFootEdits)
#include "tst_footedits.moc"
