#include "disksyncwatch.h"
#include "fakeshell.h"
#include "lsrpickup.h"
#include "pickupfakes.h"
#include "scannerstandin.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "shellservices.h"
#include "testhome.h"

#include <QtTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The files of a folder, hidden ones too (a half-made copy must not stay).
QStringList filesIn(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    return names;
}

// One scan in hand: a working folder, the LSR scanner's data folder, the
// scanner, the views, the window and the main window.
struct LsrScan
{
    TestHome home;
    ScannerStandin scanner{home.root(), "LSR_3D_Foot_Scan.exe"};
    FakePickupViews views;
    FakePickupWindow window;
    FakeShell shell;
    std::shared_ptr<ScriptedPrompter> ui = ScriptedPrompter::install();
    QString photo = ScannerStandin::photo(home.root());
    ScriptRecord &job = Job();

    explicit LsrScan(const QString &dataFolder)
    {
        job = ScriptRecord();
        job.ScannerDataFolder = home.path(dataFolder);
        Set_Shell(&shell);
        Set_Wait_Skipped(true);
    }
    ~LsrScan() { Set_Shell(nullptr); }

    // What the scanner leaves for `sides` ("LR"), under the folder's last name.
    QStringList leaves(const QString &folder, const QString &own, const QString &sides = "LR") const
    {
        QStringList writes;
        for (const QChar side : sides) {
            writes << folder + "/" + own + "_" + side + ".wrl<" + ScannerStandin::fixture("pickup_scan_lf.wrl");
            writes << folder + "/" + own + "_" + side + "[VRML].jpg<" + photo;
        }
        return writes;
    }

    bool scanFeet(const QStringList &writes)
    {
        LsrPickup pickup(job, views, window);
        return pickup.Scan_Feet("John", "Smith", scanner.run(writes));
    }
};

const QStringList kCopies{"Smith_John_L.wrl", "Smith_John_L[VRML].jpg", "Smith_John_R.wrl", "Smith_John_R[VRML].jpg"};

} // namespace

class TestLsrPickup : public QObject
{
    Q_OBJECT

private slots:
    void files_data()
    {
        QTest::addColumn<QString>("dataFolder");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("leftScanSource");
        QTest::newRow("default, final separator") << "/h/3DEriruvu/Data/LSR_Scanner/"
                                                  << "/h/3DEriruvu/Data/LSR_Scanner"
                                                  << "/h/3DEriruvu/Data/LSR_Scanner/_L.wrl";
        QTest::newRow("Scan1, none") << "/h/3DEriruvu/Data/LSR_Scanner/Scan1"
                                     << "/h/3DEriruvu/Data/LSR_Scanner/Scan1"
                                     << "/h/3DEriruvu/Data/LSR_Scanner/Scan1/Scan1_L.wrl";
    }

    void files()
    {
        QFETCH(QString, dataFolder);
        QFETCH(QString, folder);
        QFETCH(QString, leftScanSource);
        const LsrPickupFiles files = Lsr_Pickup_Files(dataFolder, "Sm:ith", "Jo/hn");
        QCOMPARE(files.folder, folder);
        QCOMPARE(files[ScanSide::Left].scanSource, leftScanSource);
        QCOMPARE(files[ScanSide::Right].textureSource, leftScanSource.chopped(5) + "R[VRML].jpg");
        // Client-name parts are made safe; nothing can leave the folder.
        QCOMPARE(files[ScanSide::Left].scanCopy, folder + "/Sm_ith_Jo_hn_L.wrl");
        QCOMPARE(files[ScanSide::Right].textureCopy, folder + "/Sm_ith_Jo_hn_R[VRML].jpg");
        QCOMPARE(files[ScanSide::Right].textureName, QString("Sm_ith_Jo_hn_R[VRML].jpg"));
    }

    // Both feet picked up, from the default folder (made before the scanner
    // runs) and from a folder given without a final separator.
    void scanFeet_data()
    {
        QTest::addColumn<QString>("dataFolder");
        QTest::addColumn<QString>("own");
        QTest::newRow("default") << "Data/LSR_Scanner/"
                                 << "";
        QTest::newRow("Scan1") << "Data/LSR_Scanner/Scan1"
                               << "Scan1";
    }

    void scanFeet()
    {
        QFETCH(QString, dataFolder);
        QFETCH(QString, own);
        LsrScan scan(dataFolder);
        const QString folder = scan.home.path(dataFolder).chopped(dataFolder.endsWith('/') ? 1 : 0);
        QVERIFY(!QFileInfo::exists(folder));
        // At each load the scan is already pointed at its photo, and the
        // scanner's own files are still there.
        QStringList problems;
        scan.views.onLoad = [&](const QString &path) {
            const QString side = path.endsWith("_L.wrl") ? "L" : "R";
            if (!readAll(path).contains("url \"Smith_John_" + side.toLatin1() + "[VRML].jpg\"\r\n"))
                problems << path + " names no copied photo";
            if (!QFile::exists(folder + "/" + own + "_L.wrl"))
                problems << "scanner's files gone before " + path;
        };

        QVERIFY(scan.scanFeet(scan.leaves(folder, own)));
        QCOMPARE(problems, QStringList());
        QCOMPARE(scan.ui->calls.size(), 0);

        QCOMPARE(filesIn(folder), kCopies);
        const QString left = folder + "/Smith_John_L.wrl", right = folder + "/Smith_John_R.wrl";
        const ScriptRecord &job = scan.job;
        QCOMPARE(job.ClientFirstName, QString("John"));
        QCOMPARE(job.ClientSurname, QString("Smith"));
        QCOMPARE(job.ScanBaseName, QString("Smith_John_L"));
        QCOMPARE(job.CurrentFolder, folder);
        QCOMPARE(job.LeftScanFile, left);
        QCOMPARE(job.LeftSelectedScanFile, left);
        QCOMPARE(job.RightSelectedScanFile, right);
        QCOMPARE(job.LeftGraphicFile, folder + "/Smith_John_L[VRML].jpg");
        QCOMPARE(job.RightGraphicFile, folder + "/Smith_John_R[VRML].jpg");
        QCOMPARE(job.LeftLcfFile, folder + "/Smith_John_L.Lcf");
        QCOMPARE(job.RightLcfFile, folder + "/Smith_John_R.Lcf");

        for (const QChar side : {u'L', u'R'}) {
            const QString scanFile = side == u'L' ? left : right;
            QCOMPARE(scan.views.callsOf(side), (QStringList{"Load_Model_File " + scanFile, "Set_Caption " + scanFile,
                                                            "Smooth", "Show_Normal", "Write_Initial_Snapshot"}));
        }
        QVERIFY(scan.views.calls.first().startsWith("L "));
        QCOMPARE(scan.shell.caption, "Scan File: " + right);
        QCOMPARE(Last_Status(), QString("Loading Scan Data"));
        QCOMPARE(scan.window.statuses,
                 (QStringList{"Please Wait While the Scanner Starts...", "Processing...", "Ready"}));
        QCOMPARE(scan.window.scanNames, (QStringList{"Smith_John_L", "Smith_John_R"}));
        QCOMPARE(scan.window.focused, 1);
        QCOMPARE(scan.scanner.runs(), 1);
    }

    // The right foot's files missing: the error, the left copies made, the
    // scanner's files kept and nothing loaded.
    void missingFilesStopThePickUp()
    {
        LsrScan scan("Data/LSR_Scanner/");
        const QString folder = scan.home.path("Data/LSR_Scanner");
        QVERIFY(!scan.scanFeet(scan.leaves(folder, "", "L")));
        QCOMPARE(scan.ui->calls.size(), 1);
        QCOMPARE(scan.ui->calls[0].text, QString("LSR Scanner Post-Processing Error"));
        QCOMPARE(scan.ui->calls[0].title, QString("Error"));
        QCOMPARE(scan.ui->calls[0].icon, Prompter::Icon::Critical);
        QCOMPARE(filesIn(folder),
                 (QStringList{"Smith_John_L.wrl", "Smith_John_L[VRML].jpg", "_L.wrl", "_L[VRML].jpg"}));
        QCOMPARE(scan.views.calls, QStringList());
        QCOMPARE(scan.window.statuses.last(), QString("Processing..."));
        QVERIFY(Last_Status().startsWith("Error: "));
    }

    // A view that cannot load a copy: the scanner's files stay, so the scan
    // is not lost.
    void failedLoadKeepsTheScannersFiles()
    {
        LsrScan scan("Data/LSR_Scanner/");
        scan.views.failOn = "R Load_Model_File";
        const QString folder = scan.home.path("Data/LSR_Scanner");
        QVERIFY(!scan.scanFeet(scan.leaves(folder, "")));
        QCOMPARE(scan.ui->messages(), QStringList{"LSR Scanner Post-Processing Error"});
        QCOMPARE(filesIn(folder),
                 (QStringList{"Smith_John_L.wrl", "Smith_John_L[VRML].jpg", "Smith_John_R.wrl",
                              "Smith_John_R[VRML].jpg", "_L.wrl", "_L[VRML].jpg", "_R.wrl", "_R[VRML].jpg"}));
    }

    // The scanner's files go only once their copies are on the disk itself,
    // under their names: a power cut then cannot leave neither.
    void copiesAreOnTheDiskBeforeTheScannersFilesGo()
    {
        LsrScan scan("Data/LSR_Scanner/");
        const QString folder = scan.home.path("Data/LSR_Scanner");
        const QStringList originals{folder + "/_L.wrl", folder + "/_L[VRML].jpg", folder + "/_R.wrl",
                                    folder + "/_R[VRML].jpg"};
        const DiskSyncWatch disk([&](const QString &, bool) {
            return std::all_of(originals.begin(), originals.end(), [](const QString &f) { return QFile::exists(f); })
                       ? QString("scanner's files there")
                       : QString("scanner's files gone");
        });

        QVERIFY(scan.scanFeet(scan.leaves(folder, "")));

        QCOMPARE(filesIn(folder), kCopies);
        for (const QString &copy : kCopies) {
            const QRegularExpression flushed("^file " + QRegularExpression::escape("." + copy)
                                             + "\\.\\w{6}, scanner's files there$");
            QVERIFY2(disk.steps.indexOf(flushed) >= 0, qPrintable(copy + ": " + disk.steps.join(u'|')));
        }
        QCOMPARE(disk.steps.count("folder LSR_Scanner, scanner's files there"), kCopies.size());
    }

    void copyThatCannotBeFlushedKeepsTheScannersFiles()
    {
        LsrScan scan("Data/LSR_Scanner/");
        const QString folder = scan.home.path("Data/LSR_Scanner");
        DiskSyncWatch disk;
        disk.answer = [](const QString &path, bool) { return path.contains("_R.wrl") ? ENOSPC : 0; };

        QVERIFY(!scan.scanFeet(scan.leaves(folder, "")));

        QCOMPARE(scan.ui->messages(), QStringList{"LSR Scanner Post-Processing Error"});
        QVERIFY2(Last_Status().contains(Disk_Error_Text(ENOSPC)), qPrintable(Last_Status()));
        // The left foot's copies are whole; the right scan's half-made copy is gone.
        QCOMPARE(filesIn(folder), (QStringList{"Smith_John_L.wrl", "Smith_John_L[VRML].jpg", "_L.wrl", "_L[VRML].jpg",
                                               "_R.wrl", "_R[VRML].jpg"}));
        QCOMPARE(scan.views.calls, QStringList());
    }

    // A data folder named like the client makes each scanner file its own
    // copy: nothing is copied over itself and nothing is deleted.
    void folderNamedLikeTheClientLosesNothing()
    {
        LsrScan scan("Data/LSR_Scanner/Smith_John");
        const QString folder = scan.home.path("Data/LSR_Scanner/Smith_John");
        QVERIFY(scan.scanFeet(scan.leaves(folder, "Smith_John")));
        QCOMPARE(filesIn(folder), kCopies);
        QVERIFY(readAll(folder + "/Smith_John_R.wrl").contains("url \"Smith_John_R[VRML].jpg\"\r\n"));
        QCOMPARE(readAll(folder + "/Smith_John_L[VRML].jpg"), readAll(scan.photo));
        QCOMPARE(scan.views.callsOf(u'R').first(), "Load_Model_File " + folder + "/Smith_John_R.wrl");
    }

    // A scanner that cannot run, or a data folder that cannot be made: the
    // application error, and no pick-up.
    void scannerFailureStopsBeforeThePickUp_data()
    {
        QTest::addColumn<bool>("folderBlocked");
        QTest::newRow("scanner fails") << false;
        QTest::newRow("data folder cannot be made") << true;
    }

    void scannerFailureStopsBeforeThePickUp()
    {
        QFETCH(bool, folderBlocked);
        LsrScan scan("Data/LSR_Scanner/Scan1");
        if (folderBlocked)
            scan.home.write("Data/LSR_Scanner", "a file where the folder should be");
        LsrPickup pickup(scan.job, scan.views, scan.window);
        bool ran = false;
        QVERIFY(!pickup.Scan_Feet("John", "Smith", [&] {
            ran = true;
            throw std::runtime_error("cannot start");
        }));
        QCOMPARE(ran, !folderBlocked);
        QCOMPARE(scan.ui->messages(), QStringList{"LSR Scanner Application Error"});
        QCOMPARE(scan.ui->calls[0].title, QString("Error"));
        QCOMPARE(scan.views.calls, QStringList());
        QVERIFY(!scan.window.statuses.contains("Processing..."));
    }
};

QTEST_GUILESS_MAIN(TestLsrPickup)
#include "tst_lsrpickup.moc"
