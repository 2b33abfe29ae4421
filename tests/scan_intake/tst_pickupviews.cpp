// The pick-ups with the real foot view windows (no OpenGL here): the scans
// are shown textured, captioned and kept for "Undo All"; a Pellmar model
// file keeps the colours as scanned.
#include "core/pickupfakes.h"
#include "core/scannerstandin.h"
#include "fakeshell.h"
#include "footviewinterface.h"
#include "footviewpickup.h"
#include "lcf_file.h"
#include "lsrpickup.h"
#include "paths.h"
#include "pellmarpickup.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "vrml_reader.h"
#include "windowregistry.h"

#include <QtTest>

namespace {

struct PickupFixture
{
    TestHome home;
    FakeShell shell;
    FakePickupWindow window;
    FootViewPickups views;
    std::shared_ptr<ScriptedPrompter> ui = ScriptedPrompter::install();
    QString photo = ScannerStandin::photo(home.root());

    PickupFixture()
    {
        Job() = ScriptRecord();
        Set_Shell(&shell);
        Set_Wait_Skipped(true);
        Register_Foot_Views();
    }
    ~PickupFixture()
    {
        Windows().reset();
        Set_Shell(nullptr);
    }
};

} // namespace

class TestPickupViews : public QObject
{
    Q_OBJECT

private slots:
    void lsrShowsBothFeet()
    {
        PickupFixture f;
        ScannerStandin scanner(f.home.root(), "LSR_3D_Foot_Scan.exe");
        const QString folder = f.home.path("Data/LSR_Scanner");
        Job().ScannerDataFolder = folder + "/";
        QStringList writes;
        for (const QString side : {"L", "R"})
            writes << folder + "/_" + side + ".wrl<" + ScannerStandin::fixture("pickup_scan_lf.wrl")
                   << folder + "/_" + side + "[VRML].jpg<" + f.photo;
        LsrPickup pickup(Job(), f.views, f.window);
        QVERIFY(pickup.Scan_Feet("John", "Smith", scanner.run(writes)));
        QCOMPARE(f.ui->calls.size(), 0);

        for (const FootSide side : {FootSide::Left, FootSide::Right}) {
            FootView &view = Foot_View(side);
            const QString scan = folder + "/Smith_John_" + Side_Letter(side) + ".wrl";
            QCOMPARE(view.windowTitle(), Side_Name(side) + " Foot: " + QDir::toNativeSeparators(scan));
            QVERIFY(view.isVisible());
            QCOMPARE(view.model().objects.at(0).triangles.size(), size_t(6));
            // The copied scan names the copied photo, and the view found it.
            QCOMPARE(QString::fromStdString(view.model().objects[0].texturePath),
                     folder + "/Smith_John_" + Side_Letter(side) + "[VRML].jpg");
            QVERIFY(QFile::exists(Paths::file(QString("Undo%1.Lcf").arg(Side_Letter(side)))));
        }
        QCOMPARE(f.shell.caption, "Scan File: " + folder + "/Smith_John_R.wrl");
        QCOMPARE(f.window.statuses.last(), QString("Ready"));
    }

    // The model file is the scan as loaded and smoothed; the view turned to
    // the sole is brightened after it was written. A minimised view comes back.
    void pellmarModelKeepsTheScannedColours()
    {
        PickupFixture f;
        ScannerStandin scanner(f.home.root(), "PellmarBrennickScannerControlPopUp.V0.99b.exe");
        const QString drop = f.home.path("External/KOVA_Datastore/DataDrop/");
        Job().ScannerDataFolder = drop;
        Job().ScanDestFolder = f.home.path("Data/Clinic1");
        Left_View().showMinimized();
        QVERIFY(Left_View().isMinimized());

        PellmarPickup pickup(Job(), f.views, f.window);
        QVERIFY(pickup.Scan_Foot(
            ScanSide::Left, "John", "Smith",
            scanner.run({drop + "BrennickSingleRepeatOutput.wrl<" + ScannerStandin::fixture("pickup_scan_crlf.wrl")})));
        QCOMPARE(f.ui->calls.size(), 0);
        FootView &view = Left_View();
        QVERIFY(!view.isMinimized());
        QVERIFY(view.isVisible());

        const QString base = f.home.path("Data/Clinic1/Smith_John_L");
        const mesh::Model scanned = mesh::readVrmlFile((base + ".wrl").toStdString());
        const mesh::Model saved = mesh::loadLcfFile((base + ".Lcf").toStdString());
        QVERIFY(scanned.objects.at(0).hasColours());
        QVERIFY(saved.objects.at(0).colours == scanned.objects[0].colours);
        QVERIFY(saved.objects[0].positions == scanned.objects[0].positions);
        const std::vector<mesh::Rgba> &shown = view.model().objects.at(0).colours;
        QCOMPARE(shown.size(), scanned.objects[0].colours.size());
        for (size_t i = 0; i < shown.size(); ++i)
            QVERIFY(shown[i].r > scanned.objects[0].colours[i].r);

        QImage sole;
        QVERIFY(sole.load(base + ".Jpg", "JPG"));
        QCOMPARE(sole.size(), view.picture1().size());
        QVERIFY(Job().ScannedFlagL);
    }
};

QTEST_MAIN(TestPickupViews)
#include "tst_pickupviews.moc"
