// Loading scans into the foot views and the views' file commands, on the
// offscreen platform (no OpenGL: the plain display stands in).
#include "footfixtures.h"
#include "footviewinterface.h"
#include "footviewport.h"
#include "lcf_file.h"
#include "menukeys.h"
#include "scanfileset.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAccessible>
#include <QAction>
#include <QBuffer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QtEndian>
#include <QtTest>

using Call = ScriptedPrompter::Call;

namespace {
// The plain display stands in here, so the warning starts with the runtime text.
const QString kWarning = QStringLiteral("Error: The Brennick Runtime was Not Found.\r\n\r\n       Has it Been Loaded?");

QByteArray jpegPhoto()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    samples::makeTexturePhoto(64, 32).save(&buffer, "JPG", 90);
    return bytes;
}
} // namespace

class TestScanLoading : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<fixtures::FootViewSetup> m_setup;
    QString m_scans; // the scan folder of the test

    void setScan(FootSide side, const QString &folder, const QString &name)
    {
        Job().CurrentFolder = folder;
        (side == FootSide::Left ? Job().LeftScanFileName : Job().RightScanFileName) = name;
    }
    void trigger(FootView &view, const QString &item)
    {
        auto *action = view.findChild<QAction *>(item);
        QVERIFY2(action, qPrintable(item));
        action->trigger();
    }
    mesh::Model savedModel(const QString &path) { return mesh::loadLcfFile(path.toStdString()); }

private slots:
    void init()
    {
        m_setup = std::make_unique<fixtures::FootViewSetup>();
        m_scans = m_setup->home.path(QStringLiteral("Data/Clinic"));
        QDir().mkpath(m_scans);
    }

    void cleanup() { m_setup.reset(); }

    void plainDisplayAndLoadingWork()
    {
        fixtures::writeStl(m_scans + QStringLiteral("/Doe_Jo_L.Stl"));
        setScan(FootSide::Left, m_scans, QStringLiteral("Doe_Jo_L.Stl"));
        QVERIFY(Load_Left_Foot());
        FootView *view = Loaded_Foot_View(FootSide::Left);
        QVERIFY(view);
        QVERIFY(view->isVisible());
        QCOMPARE(view->objectName(), QStringLiteral("Form1"));
        QVERIFY(!view->viewport()->usesOpenGL());
        auto *label = qobject_cast<QLabel *>(view->viewport()->display());
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("3D display unavailable"));
        QCOMPARE(view->model().objects.size(), std::size_t(1));
        QCOMPARE(view->model().objects[0].triangles.size(), fixtures::smallFoot().triangles.size());
        QVERIFY(m_setup->ui->calls.isEmpty());
        QVERIFY(!Windows().isLoaded(QStringLiteral("Form2")));
    }

    void namesCaptionsAndStatus_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("folder"); // below the scan folder
        QTest::addColumn<QString>("scan");
        QTest::addColumn<QString>("picture"); // the texture picture on disk, or none
        QTest::addColumn<QString>("graphic"); // the foot's image, expected
        QTest::addColumn<bool>("brennick");

        QTest::newRow("wrl, picture") << false << ""
                                      << "Foot_L.Wrl"
                                      << "Foot_L[VRML].Jpg"
                                      << "Foot_L[VRML].Jpg" << true;
        QTest::newRow("wrl, picture in other case") << false << ""
                                                    << "Foot_L.Wrl"
                                                    << "FOOT_L[vrml].jpg"
                                                    << "FOOT_L[vrml].jpg" << true;
        QTest::newRow("wrl, no picture") << false << ""
                                         << "Foot_L.Wrl"
                                         << ""
                                         << "Foot_L0.Jpg" << false;
        QTest::newRow("right wrl, picture") << true << ""
                                            << "Foot_R.wrl"
                                            << "foot_r[VRML].JPG"
                                            << "foot_r[VRML].JPG" << true;
        QTest::newRow("stl") << false << ""
                             << "Foot_L.Stl"
                             << ""
                             << "Foot_L.Bmp" << false;
        QTest::newRow("stl, lower case") << true << ""
                                         << "foot_r.stl"
                                         << ""
                                         << "foot_r.Bmp" << false;
        QTest::newRow("stl, picture beside") << false << ""
                                             << "Foot_L.Stl"
                                             << "Foot_L[VRML].Jpg"
                                             << "Foot_L[VRML].Jpg" << true;
        QTest::newRow("obj") << false << ""
                             << "Foot_L.Obj"
                             << ""
                             << "Foot_L0.Jpg" << false;
        // The kind comes from the file's own extension, never from a folder name.
        QTest::newRow("wrl in a folder named .obj") << false << "Scans.obj"
                                                    << "Foot_L.Wrl"
                                                    << ""
                                                    << "Foot_L0.Jpg" << false;
    }
    void namesCaptionsAndStatus()
    {
        QFETCH(bool, right);
        QFETCH(QString, folder);
        QFETCH(QString, scan);
        QFETCH(QString, picture);
        QFETCH(QString, graphic);
        QFETCH(bool, brennick);
        const FootSide side = right ? FootSide::Right : FootSide::Left;
        const QString dir = folder.isEmpty() ? m_scans : m_scans + u'/' + folder;
        const QString path = dir + u'/' + scan;
        switch (Scan_Kind(path)) {
        case ScanKind::Stl:
            fixtures::writeStl(path);
            if (!picture.isEmpty())
                fixtures::writeBytes(dir + u'/' + picture, "jpeg");
            break;
        case ScanKind::Obj: fixtures::writeBytes(path, "v 0 0 0\r\nv 10 0 0\r\nv 0 10 0\r\nf 1 2 3\r\n"); break;
        case ScanKind::Vrml:
            fixtures::writeWrl(path, QFileInfo(scan).completeBaseName() + QStringLiteral("[VRML].Jpg"), picture);
            break;
        }
        Job().BrennickFlag = !brennick;
        setScan(side, dir, scan);
        QVERIFY(right ? Load_Right_Foot() : Load_Left_Foot());

        const ScriptRecord &job = Job();
        const QString base = dir + u'/' + QFileInfo(scan).completeBaseName();
        QCOMPARE(right ? job.RightScanFile : job.LeftScanFile, path);
        QCOMPARE(right ? job.RightLcfFile : job.LeftLcfFile, base + QStringLiteral(".Lcf"));
        QCOMPARE(right ? job.RightGraphicFile : job.LeftGraphicFile, dir + u'/' + graphic);
        QCOMPARE(job.BrennickFlag, brennick);
        QCOMPARE(job.CurrentFoot, right ? QStringLiteral("Right") : QStringLiteral("Left"));
        QVERIFY(!job.StlScanFlagL && !job.StlScanFlagR && !job.ObjScanFlagL && !job.ObjScanFlagR);

        const QString foot = right ? QStringLiteral("Right Foot  ") : QStringLiteral("Left Foot  ");
        QVERIFY2(m_setup->statuses.contains((brennick ? QStringLiteral("Brennick: ") : QStringLiteral("Moravine: "))
                                            + foot + path),
                 qPrintable(m_setup->statuses.join(u'|')));
        QCOMPARE(m_setup->statuses.last(), QStringLiteral("Ready"));

        FootView &view = Foot_View(side);
        QCOMPARE(view.windowTitle(), (right ? QStringLiteral("Right Foot: ") : QStringLiteral("Left Foot: "))
                                         + QDir::toNativeSeparators(path));
        QVERIFY(!view.model().empty());
        // The initial undo snapshot holds the model as loaded.
        const QString snapshot = m_setup->home.path(right ? QStringLiteral("UndoR.Lcf") : QStringLiteral("UndoL.Lcf"));
        QCOMPARE(savedModel(snapshot), view.model());
        QVERIFY(!Windows().isLoaded(right ? QStringLiteral("Form1") : QStringLiteral("Form2")));
    }

    void noneLoadsNothing()
    {
        Job().CurrentFolder = m_scans;
        QVERIFY(!Load_Left_Foot());
        QVERIFY(!Load_Right_Foot());
        QVERIFY(m_setup->ui->calls.isEmpty());
        QVERIFY(!Windows().isLoaded(QStringLiteral("Form1")));
        QVERIFY(Job().CurrentFoot.isEmpty());
    }

    void failedLoadWarnsAndReturnsFalse_data()
    {
        QTest::addColumn<QString>("scan");
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("reason"); // what the warning says after the path
        QTest::addColumn<bool>("untouched"); // the file keeps its bytes
        QTest::newRow("missing wrl") << "Gone_L.Wrl" << QByteArray() << ": No such file or directory" << false;
        QTest::newRow("cut-short stl") << "Cut_L.Stl" << QByteArray("solid x\r\nfacet normal 0 0 1\r\nouter loop\r\n")
                                       << " is not a readable STL file: it ends inside a facet" << true;
        QTest::newRow("obj colour out of range")
            << "Bad_L.Obj" << QByteArray("v 0 0 0 2 0 0\r\n")
            << " cannot be read as OBJ: line 1: a vertex colour is outside 0 to 1" << true;
        // Scans that hold no triangle would open an empty view.
        QTest::newRow("empty stl solid") << "Empty_L.Stl" << QByteArray("solid x\r\nendsolid x\r\n")
                                         << " is not a readable STL file: it holds no faces to show" << true;
        QTest::newRow("binary stl of 0 triangles")
            << "Zero_L.Stl" << QByteArray(84, '\0') << " is not a readable STL file: it holds no faces to show" << true;
        QTest::newRow("obj of points") << "Points_L.Obj" << QByteArray("v 0 0 0\r\nv 9 0 0\r\nv 0 9 0\r\np 1 2 3\r\n")
                                       << " cannot be read as OBJ: it holds no faces to show" << true;
        QTest::newRow("obj of lines") << "Lines_L.Obj" << QByteArray("v 0 0 0\r\nv 9 0 0\r\nv 0 9 0\r\nl 1 2 3\r\n")
                                      << " cannot be read as OBJ: it holds no faces to show" << true;
        // Files that are no scans keep their bytes and say why they cannot be read.
        const QByteArray photo = jpegPhoto();
        QTest::newRow("jpeg named .Stl") << "Photo_L.Stl" << photo
                                         << QStringLiteral(" is not a readable STL file: its header gives %1 triangles")
                                                .arg(qFromLittleEndian<quint32>(photo.constData() + 80))
                                         << true;
        QTest::newRow("jpeg named .Obj") << "Photo_L.Obj" << photo << " cannot be read as OBJ: it is not a text file"
                                         << true;
        QByteArray wide("\xFF\xFE", 2);
        for (const char c : QByteArray("v 0 0 0\nv 9 0 0\nv 0 9 0\nf 1 2 3\n"))
            wide.append(c).append('\0');
        QTest::newRow("utf-16 obj") << "Wide_L.Obj" << wide << " cannot be read as OBJ: it is not a text file" << true;
    }
    void failedLoadWarnsAndReturnsFalse()
    {
        QFETCH(QString, scan);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QFETCH(bool, untouched);
        const QString path = m_scans + u'/' + scan;
        if (!bytes.isEmpty())
            fixtures::writeBytes(path, bytes);
        setScan(FootSide::Left, m_scans, scan);
        QVERIFY(!Load_Left_Foot());
        QVERIFY(!m_setup->ui->calls.isEmpty());
        const Call &warning = m_setup->ui->calls.last();
        // The reader's own reason, after the text of a view without a 3D display.
        QVERIFY2(warning.text.startsWith(kWarning + QStringLiteral("\r\n\r\n")), qPrintable(warning.text));
        QVERIFY2(warning.text.contains(path + reason), qPrintable(warning.text));
        QCOMPARE(warning.title, QStringLiteral("Warning"));
        QCOMPARE(warning.icon, Prompter::Icon::Warning);
        QCOMPARE(m_setup->ui->calls.size(), 1);
        // What was set before the failure stays; no snapshot was written and
        // the view shows nothing as if it were a scan.
        QCOMPARE(Job().CurrentFoot, QStringLiteral("Left"));
        QCOMPARE(Job().LeftScanFile, path);
        QVERIFY(!QFile::exists(m_setup->home.path(QStringLiteral("UndoL.Lcf"))));
        QVERIFY(Left_View().model().empty());
        if (untouched) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), bytes);
        }
    }

    void failureTextNamesTheReason()
    {
        const QString reason = QStringLiteral("D:/Scans/Foot_L.Stl is not a readable STL file: it is empty");
        QCOMPARE(Load_Failure_Text(reason, true), QStringLiteral("Error: ") + reason);
        QCOMPARE(Load_Failure_Text(reason, false), kWarning + QStringLiteral("\r\n\r\n") + reason);
    }

    void alignedObjColumnsLoadExactly()
    {
        // Runs of blanks and tabs, as exporters that align columns write them.
        fixtures::writeBytes(m_scans + QStringLiteral("/Aligned_L.Obj"),
                             "v  1.5 -2\t3\nv\t10  0   0\n  v 0 10 0.25 \nvn 0 0 1\nf  1//1 2//1\t3//1\n");
        setScan(FootSide::Left, m_scans, QStringLiteral("Aligned_L.Obj"));
        QVERIFY(Load_Left_Foot());
        const mesh::Mesh &m = Left_View().model().objects.at(0);
        QCOMPARE(m.positions, (std::vector<mesh::Vec3>{{1.5, -2, 3}, {10, 0, 0}, {0, 10, 0.25}}));
        QCOMPARE(m.triangles, (std::vector<mesh::Triangle>{{0, 1, 2}}));
        QVERIFY(!m.hasColours());
        QCOMPARE(m_setup->ui->messages(),
                 QStringList{QStringLiteral("VCount: 3\r\nVnCount: 1\r\nVtCount: 0\r\nFCount: 1\r\nVn Flag: "
                                            "True\r\nVt Flag: False\r\nVc Flag: False")});
    }

    void viewWindowsShowTheirWholeMenuBar()
    {
        for (FootSide side : {FootSide::Left, FootSide::Right}) {
            FootView &view = Foot_View(side);
            QMenuBar *bar = view.menuBar();
            // The stored height below the bar, at the stored place.
            QCOMPARE(view.height(), 487 + bar->sizeHint().height());
            QCOMPARE(view.pos(), QPoint(side == FootSide::Left ? 6 : 560, 383));
            view.Show_Normal();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            for (QAction *menu : bar->actions()) {
                const QRect at = bar->actionGeometry(menu);
                QVERIFY2(!at.isEmpty() && bar->rect().contains(at), qPrintable(menu->text()));
            }
            const auto *overflow = bar->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
            QVERIFY(!overflow || !overflow->isVisible());
            QVERIFY(bar->actions().size() >= 12);
        }
    }

    // Alt and the underlined letter drop each menu of a view down; the
    // captions read as before, for the eye and for screen readers alike.
    void viewMenusOpenWithTheirAccessKeys()
    {
        FootView &view = Foot_View(FootSide::Right);
        view.Show_Normal();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QMenuBar *bar = view.menuBar();
        QCOMPARE(menukeys::accessKeyFaults(bar), QStringList{});
        QStringList shown;
        QAccessibleInterface *named = QAccessible::queryAccessibleInterface(bar);
        QVERIFY(named);
        for (QAction *top : menukeys::reachableItems(bar)) {
            shown << menukeys::shownCaption(top->text());
            QCOMPARE(named->child(int(bar->actions().indexOf(top)))->text(QAccessible::Name), shown.last());
            QMenu *menu = top->menu();
            if (!menu)
                continue; // "Trim", "Sizes" and "Script" act at once
            const QKeySequence key = QKeySequence::mnemonic(top->text());
            QTest::keyClick(bar, key[0].key(), key[0].keyboardModifiers());
            QTRY_VERIFY2(menu->isVisible(), qPrintable(shown.last()));
            menu->close();
            QTRY_VERIFY(!menu->isVisible());
        }
        QCOMPARE(shown, (QStringList{"Files", "Undo", "Views", "Image", "Measure", "Settings", "Trim", "Sizes",
                                     "Script", "Position", "Pellmar/ZKT", "Help"}));
    }

    void newLoadClearsTheUndoRing()
    {
        fixtures::writeStl(m_scans + QStringLiteral("/A_L.Stl"));
        fixtures::writeStl(m_scans + QStringLiteral("/B_L.Stl"), samples::Foot::Right);
        setScan(FootSide::Left, m_scans, QStringLiteral("A_L.Stl"));
        QVERIFY(Load_Left_Foot());
        FootView &view = Left_View();
        view.Make_Undo();
        view.Make_Undo();
        QVERIFY(QFile::exists(m_setup->home.path(QStringLiteral("UndoL01.Lcf"))));
        QVERIFY(QFile::exists(m_setup->home.path(QStringLiteral("UndoL02.Lcf"))));
        QCOMPARE(view.undoRing().nextSlot(), 3);

        setScan(FootSide::Left, m_scans, QStringLiteral("B_L.Stl"));
        QVERIFY(Load_Left_Foot());
        QVERIFY(!QFile::exists(m_setup->home.path(QStringLiteral("UndoL01.Lcf"))));
        QVERIFY(!QFile::exists(m_setup->home.path(QStringLiteral("UndoL02.Lcf"))));
        QCOMPARE(view.undoRing().nextSlot(), 1);
        QCOMPARE(view.undoRing().validSteps(), 0);
        QCOMPARE(savedModel(m_setup->home.path(QStringLiteral("UndoL.Lcf"))), view.model());
        view.Make_Undo();
        QCOMPARE(savedModel(m_setup->home.path(QStringLiteral("UndoL01.Lcf"))), view.model());
    }

    void saveWarnsBelowAThousandBytes_data()
    {
        QTest::addColumn<int>("nameLength");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<bool>("warned");
        // 16 bytes of file frame + 28 of object head + 72 + 12 of geometry + the name.
        QTest::newRow("999 bytes") << 871 << qint64(999) << true;
        QTest::newRow("1000 bytes") << 872 << qint64(1000) << false;
    }
    void saveWarnsBelowAThousandBytes()
    {
        QFETCH(int, nameLength);
        QFETCH(qint64, bytes);
        QFETCH(bool, warned);
        Job().CurrentFolder = m_scans;
        Job().LeftScanFileName = QStringLiteral("Foot_L.Wrl");
        FootView &view = Left_View();
        mesh::Mesh triangle;
        triangle.name.assign(std::size_t(nameLength), 'n');
        triangle.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
        triangle.triangles = {{0, 1, 2}};
        mesh::Model model;
        model.objects = {triangle, triangle}; // the second object is dropped before saving
        view.Show_Model(model);

        const QString target = m_scans + QStringLiteral("/Chosen.Lcf");
        m_setup->ui->files.enqueue(target);
        trigger(view, QStringLiteral("mnuSaveLCF"));

        QCOMPARE(m_setup->ui->calls.first().kind, QStringLiteral("save"));
        const Prompter::FileRequest &request = m_setup->ui->calls.first().file;
        QCOMPARE(request.title, QStringLiteral("Enter a LCF File Name"));
        QCOMPARE(request.fileName, QStringLiteral("Foot_L.Lcf"));
        QCOMPARE(request.folder, m_scans);
        QCOMPARE(request.filter, QStringLiteral("LCF File (*.Lcf)|*.Lcf|All Files (*.*)|*.*"));
        QCOMPARE(QFileInfo(target).size(), bytes);
        QCOMPARE(view.statusText(), QString::number(bytes) + QStringLiteral(" bytes saved"));
        QCOMPARE(Job().LeftLcfFile, target);
        QCOMPARE(savedModel(target).objects.size(), std::size_t(1));
        // The model as it was before the save went into the undo ring.
        QCOMPARE(savedModel(m_setup->home.path(QStringLiteral("UndoL01.Lcf"))).objects.size(), std::size_t(2));
        const QStringList messages = m_setup->ui->messages();
        if (warned) {
            QCOMPARE(messages, QStringList{QStringLiteral(
                                   "Error: Invalid File (The Size is Too Small)\r\nTry Resaving the File")});
            QCOMPARE(m_setup->ui->calls.last().title, QStringLiteral("Error"));
        } else {
            QVERIFY(messages.isEmpty());
        }
    }

    void loadModelFileSetsCaptionAndName()
    {
        FootView &view = Right_View();
        mesh::Model model;
        model.objects.push_back(fixtures::smallFoot());
        const QString path = m_setup->home.path(QStringLiteral("Other/Foot.Lcf"));
        QDir().mkpath(QFileInfo(path).path());
        mesh::saveLcfFile(model, path.toStdString());
        m_setup->ui->files.enqueue(path);
        trigger(view, QStringLiteral("mnuLoadLCF"));
        QCOMPARE(view.model(), model);
        QCOMPARE(Job().RightLcfFile, path);
        QCOMPARE(view.windowTitle(), QStringLiteral("Right Foot: ") + QDir::toNativeSeparators(path));
        QCOMPARE(m_setup->ui->calls.first().file.title, QStringLiteral("Select a LCF File"));
        // A cancelled dialog changes nothing; a damaged file is reported and changes nothing.
        trigger(view, QStringLiteral("mnuLoadLCF"));
        fixtures::writeBytes(path, "SLCF broken");
        m_setup->ui->files.enqueue(path);
        trigger(view, QStringLiteral("mnuLoadLCF"));
        QCOMPARE(view.model(), model);
        QCOMPARE(m_setup->ui->calls.last().title, QStringLiteral("Error"));
        QVERIFY(m_setup->ui->calls.last().text.startsWith(QStringLiteral("Error: ")));
    }

    void closingRemovesOnlyItsOwnFiles()
    {
        fixtures::writeStl(m_scans + QStringLiteral("/C_L.Stl"));
        fixtures::writeStl(m_scans + QStringLiteral("/C_R.Stl"), samples::Foot::Right);
        setScan(FootSide::Left, m_scans, QStringLiteral("C_L.Stl"));
        setScan(FootSide::Right, m_scans, QStringLiteral("C_R.Stl"));
        QVERIFY(Load_Left_Foot());
        QVERIFY(Load_Right_Foot());
        Left_View().Make_Undo();
        Right_View().Make_Undo();
        const QStringList left = {QStringLiteral("UndoL.Lcf"), QStringLiteral("UndoL01.Lcf")};
        const QStringList right = {QStringLiteral("UndoR.Lcf"), QStringLiteral("UndoR01.Lcf")};
        for (const QString &name : left + right)
            QVERIFY2(QFile::exists(m_setup->home.path(name)), qPrintable(name));

        trigger(Left_View(), QStringLiteral("mnuQuit"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Windows().isLoaded(QStringLiteral("Form1")));
        QVERIFY(Windows().isLoaded(QStringLiteral("Form2")));
        for (const QString &name : left)
            QVERIFY2(!QFile::exists(m_setup->home.path(name)), qPrintable(name));
        for (const QString &name : right)
            QVERIFY2(QFile::exists(m_setup->home.path(name)), qPrintable(name));
        QCOMPARE(Job().LeftScanFile, m_scans + QStringLiteral("/C_L.Stl")); // the names stay
    }

    void objScanShowsPassesCountsAndMessages_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("badFace");
        QTest::newRow("left") << false << false;
        QTest::newRow("right") << true << false;
        QTest::newRow("left, face beyond the vertices") << false << true;
        QTest::newRow("right, face beyond the vertices") << true << true;
    }
    void objScanShowsPassesCountsAndMessages()
    {
        QFETCH(bool, right);
        QFETCH(bool, badFace);
        QByteArray obj = "# foot\nmtllib foot.mtl\nv 0 0 0 1 0 0\nv 10 0 0 0 1 0\nv 0 10 0 0 0 1\n"
                         "v 10 10 0 0.5 0.5 0.5\nvn 0 0 1\nf 1 2 3\n";
        obj += badFace ? "f 2 4 9\n" : "f 2 4 3\n";
        fixtures::writeBytes(m_scans + QStringLiteral("/Obj_X.Obj"), obj);
        const FootSide side = right ? FootSide::Right : FootSide::Left;
        setScan(side, m_scans, QStringLiteral("Obj_X.Obj"));
        QVERIFY(Load_Foot(side));

        QStringList expected = {QStringLiteral("MtlLib Found: foot.mtl"),
                                QStringLiteral("VCount: 4\r\nVnCount: 1\r\nVtCount: 0\r\nFCount: 2\r\nVn Flag: "
                                               "True\r\nVt Flag: False\r\nVc Flag: True")};
        if (badFace)
            expected << (right ? QStringLiteral("Error Reading OBJ File (3)")
                               : QStringLiteral("Error Reading OBJ File (2)"));
        QCOMPARE(m_setup->ui->messages(), expected);
        if (badFace) {
            QCOMPARE(m_setup->ui->calls.last().title, QStringLiteral("Error"));
            QCOMPARE(m_setup->ui->calls.last().icon, Prompter::Icon::Warning);
        }
        const mesh::Model &model = Foot_View(side).model();
        QCOMPARE(model.objects.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(model.objects[0].name),
                 right ? QStringLiteral("RightFootMesh") : QStringLiteral("LeftFootMesh"));
        // The faces before the bad one stay in the view.
        QCOMPARE(model.objects[0].triangles.size(), std::size_t(badFace ? 1 : 2));
        QCOMPARE(model.objects[0].colours[1], (mesh::Rgba{0, 255, 0, 255}));

        const QStringList passes = {QStringLiteral("Pass 1: Check OBJ File Structure"),
                                    QStringLiteral("Pass 2: Check OBJ File Integrity"),
                                    QStringLiteral("Pass 3: Read OBJ File")};
        qsizetype at = -1;
        for (const QString &pass : passes) {
            const qsizetype next = m_setup->statuses.indexOf(pass, at + 1);
            QVERIFY2(next > at, qPrintable(m_setup->statuses.join(u'|')));
            at = next;
        }
        QCOMPARE(m_setup->statuses.last(), QStringLiteral("Ready"));
    }

    void viewBottomBrightensAndZoomsEveryTime()
    {
        FootView &view = Left_View();
        mesh::Mesh m = fixtures::smallFoot();
        m.colours.assign(m.positions.size(), mesh::Rgba{100, 40, 170, 255});
        view.Show_Model(mesh::Model{{m}});
        view.Fit();
        const double height = view.viewport()->camera().viewHeight();
        view.ViewBottom();
        QCOMPARE(view.model().objects[0].colours[0], (mesh::Rgba{150, 60, 255, 255}));
        QCOMPARE(view.viewport()->camera().viewHeight(), height / 1.5);
        // The sole: the view looks up at the foot from below.
        QCOMPARE(view.viewport()->camera().towardsViewer(), (mesh::Vec3{0, 0, -1}));
        view.ViewBottom();
        QCOMPARE(view.model().objects[0].colours[0], (mesh::Rgba{225, 90, 255, 255}));
        QVERIFY(std::abs(view.viewport()->camera().viewHeight() - height / 2.25) < 1e-9 * height);
        QCOMPARE(view.model().objects[0].positions, m.positions);
    }

    void smoothChangesOnlyShading()
    {
        FootView &view = Left_View();
        const mesh::Mesh m = fixtures::smallFoot();
        view.Show_Model(mesh::Model{{m}});
        trigger(view, QStringLiteral("mnuSmooth"));
        QCOMPARE(view.model().objects[0].creaseAngle, 40.0);
        QCOMPARE(view.model().objects[0].positions, m.positions);
        QCOMPARE(view.model().objects[0].triangles, m.triangles);
    }

    void saveTextureWritesTheSnapshotPicture()
    {
        fixtures::writeStl(m_scans + QStringLiteral("/T_L.Stl"));
        setScan(FootSide::Left, m_scans, QStringLiteral("T_L.Stl"));
        QVERIFY(Load_Left_Foot());
        trigger(Left_View(), QStringLiteral("mnuSaveTex"));
        QCOMPARE(Job().LeftGraphicFile, m_scans + QStringLiteral("/T_L.Jpg"));
        QImage saved(Job().LeftGraphicFile);
        QCOMPARE(saved.size(), Left_View().clientArea().size());
        QVERIFY(m_setup->ui->calls.isEmpty());
    }

    void printOneToOneStaysDisabled()
    {
        QVERIFY(!Left_View().findChild<QAction *>(QStringLiteral("mnuPrint"))->isEnabled());
    }
};

QTEST_MAIN(TestScanLoading)
#include "tst_scanloading.moc"
