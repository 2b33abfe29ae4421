#include "fakeshell.h"
#include "pellmarpickup.h"
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

// The Pellmar scanner, its drop folder, the job folder of user Clinic1 and
// the two Pellmar windows (the EVA and the rigid one) with the views.
struct PellmarScan
{
    TestHome home;
    ScannerStandin scanner{home.root(), "PellmarBrennickScannerControlPopUp.V0.99b.exe"};
    FakePickupViews views;
    FakePickupWindow window;
    FakeShell shell;
    std::shared_ptr<ScriptedPrompter> ui = ScriptedPrompter::install();
    ScriptRecord &job = Job();
    QString dropFolder = home.path("External/KOVA_Datastore/DataDrop");
    QString dropFile = dropFolder + "/BrennickSingleRepeatOutput.wrl";
    QString jobFolder = home.path("Data/Clinic1");

    explicit PellmarScan(bool finalSeparator = true)
    {
        job = ScriptRecord();
        job.ScannerDataFolder = dropFolder + (finalSeparator ? "/" : "");
        job.ScanDestFolder = jobFolder;
        Set_Shell(&shell);
        Set_Wait_Skipped(true);
    }
    ~PellmarScan() { Set_Shell(nullptr); }

    // The scanner leaves a fresh drop file (or, with "none", nothing new).
    std::function<void()> run(const QString &mode = "ok") const
    {
        return scanner.run({dropFile + "<" + ScannerStandin::fixture("pickup_scan_crlf.wrl")}, mode);
    }

    bool scanFoot(PellmarPickup &pickup, ScanSide side, const QString &mode = "ok")
    {
        return pickup.Scan_Foot(side, "John", "Smith", run(mode));
    }
};

} // namespace

class TestPellmarPickup : public QObject
{
    Q_OBJECT

private slots:
    void dropFile_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("final separator") << "/x/DataDrop/"
                                         << "/x/DataDrop/BrennickSingleRepeatOutput.wrl";
        QTest::newRow("none: joined with one") << "/x/Drop"
                                               << "/x/Drop/BrennickSingleRepeatOutput.wrl";
        QTest::newRow("Windows separator") << R"(C:\Drop\)"
                                           << R"(C:\Drop\BrennickSingleRepeatOutput.wrl)";
    }

    void dropFile()
    {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(Pellmar_Drop_File(folder), expected);
    }

    void freshness_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: no drop file
        QTest::addColumn<QByteArray>("after"); // empty: none
        QTest::addColumn<bool>("keepTime");
        QTest::addColumn<bool>("fresh");
        QTest::newRow("first scan") << QByteArray() << QByteArray("scan") << false << true;
        QTest::newRow("untouched") << QByteArray("scan") << QByteArray("scan") << true << false;
        QTest::newRow("written again, same bytes") << QByteArray("scan") << QByteArray("scan") << false << true;
        QTest::newRow("other size, same time") << QByteArray("scan") << QByteArray("scan2") << true << true;
        QTest::newRow("same size and time, other bytes") << QByteArray("scan") << QByteArray("SCAN") << true << true;
        QTest::newRow("none at all") << QByteArray() << QByteArray() << false << false;
    }

    void freshness()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(bool, keepTime);
        QFETCH(bool, fresh);
        QTemporaryDir dir;
        const QString path = dir.filePath("BrennickSingleRepeatOutput.wrl");
        const QDateTime stamp = QDateTime::currentDateTime().addSecs(-60);
        auto put = [&](const QByteArray &bytes, const QDateTime &time) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            QVERIFY(file.flush());
            QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
        };
        if (!before.isEmpty())
            put(before, stamp);
        const DropFileState was = Drop_File_State(path);
        if (!after.isEmpty() && !(keepTime && after == before))
            put(after, keepTime ? stamp : stamp.addSecs(30));
        QCOMPARE(Is_New_Drop_File(was, Drop_File_State(path)), fresh);
    }

    // John Smith of Clinic1, left foot: the copy, the model file and the
    // sole image in the job folder (made when missing), the views asked in
    // order, the flag set, and the drop file left where it was.
    void scanLeftFoot_data()
    {
        QTest::addColumn<bool>("finalSeparator");
        QTest::newRow("drop folder with a final separator") << true;
        QTest::newRow("drop folder without") << false;
    }

    void scanLeftFoot()
    {
        QFETCH(bool, finalSeparator);
        PellmarScan scan(finalSeparator);
        PellmarPickup pickup(scan.job, scan.views, scan.window);
        QVERIFY(scan.scanFoot(pickup, ScanSide::Left));
        QCOMPARE(scan.ui->calls.size(), 0);

        const QString base = scan.jobFolder + "/Smith_John_L";
        QCOMPARE(readAll(base + ".wrl"), readAll(ScannerStandin::fixture("pickup_scan_crlf.wrl")));
        QCOMPARE(readAll(scan.dropFile), readAll(ScannerStandin::fixture("pickup_scan_crlf.wrl")));
        const ScriptRecord &job = scan.job;
        QCOMPARE(job.LeftScanFile, base + ".wrl");
        QCOMPARE(job.LeftSelectedScanFile, base + ".wrl");
        QCOMPARE(job.LeftLcfFile, base + ".Lcf");
        QCOMPARE(job.LeftGraphicFile, base + ".Jpg");
        QCOMPARE(job.CurrentFolder, scan.jobFolder);
        QCOMPARE(job.RightScanFile, QString());
        QVERIFY(job.ScannedFlagL);
        QVERIFY(!job.ScannedFlagR);

        QCOMPARE(scan.views.calls,
                 (QStringList{"L Load_Model_File " + base + ".wrl", "L Set_Caption " + base + ".wrl", "L Smooth",
                              "L Show_Normal", "L Write_Initial_Snapshot", "L Save_Model " + base + ".Lcf",
                              "L ViewBottom", "L Save_Capture " + base + ".Jpg"}));
        QCOMPARE(scan.shell.caption, "Scan File: " + base + ".wrl");
        QCOMPARE(Last_Status(), QString("Loading Scan Data"));
        QCOMPARE(scan.window.statuses,
                 (QStringList{"Please Wait While the Scanner Starts...", "Processing...", "Ready"}));
        QCOMPARE(scan.window.scanNames, (QStringList{"Smith_John_L", "Smith_John_R"}));
        QCOMPARE(scan.window.focused, 1);
    }

    // A foot already scanned is refused, in either Pellmar window, until
    // "Reset Flags"; the scanner does not run.
    void scannedFlagsAreShared()
    {
        PellmarScan scan;
        PellmarPickup eva(scan.job, scan.views, scan.window);
        PellmarPickup rigid(scan.job, scan.views, scan.window);
        QVERIFY(scan.scanFoot(eva, ScanSide::Left));
        QCOMPARE(scan.scanner.runs(), 1);

        for (PellmarPickup *window : {&eva, &rigid}) {
            QVERIFY(!scan.scanFoot(*window, ScanSide::Left));
            QCOMPARE(scan.ui->calls.last().text, QString("Left Foot Has Already Been Scanned"));
            QCOMPARE(scan.ui->calls.last().title, QString("Left"));
            QCOMPARE(scan.ui->calls.last().icon, Prompter::Icon::Information);
        }
        QCOMPARE(scan.scanner.runs(), 1);

        QVERIFY(scan.scanFoot(rigid, ScanSide::Right));
        QVERIFY(scan.job.ScannedFlagL && scan.job.ScannedFlagR);
        Reset_Flags(scan.job);
        QVERIFY(!scan.job.ScannedFlagL && !scan.job.ScannedFlagR);
        QVERIFY(scan.scanFoot(rigid, ScanSide::Left));
        QCOMPARE(scan.scanner.runs(), 3);
    }

    // A run that leaves no new scan (the stand-in writes nothing over the
    // last one), or none at all: refused, nothing copied, the flag clear.
    void noNewScan_data()
    {
        QTest::addColumn<bool>("oldDropFile");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("stale drop file") << true << "No New Scan Was Received from the Pellmar Scanner"
                                         << "Right";
        QTest::newRow("no drop file") << false << "Error: The Pellmar scanner left no scan: "
                                      << "Error";
    }

    void noNewScan()
    {
        QFETCH(bool, oldDropFile);
        QFETCH(QString, message);
        QFETCH(QString, title);
        PellmarScan scan;
        PellmarPickup pickup(scan.job, scan.views, scan.window);
        if (oldDropFile) {
            QVERIFY(scan.scanFoot(pickup, ScanSide::Left));
            scan.views.calls.clear();
        }
        const QByteArray dropped = readAll(scan.dropFile);

        QVERIFY(!scan.scanFoot(pickup, ScanSide::Right, "none"));
        QCOMPARE(scan.ui->calls.size(), 1);
        QVERIFY2(scan.ui->calls[0].text.startsWith(message), qPrintable(scan.ui->calls[0].text));
        QCOMPARE(scan.ui->calls[0].title, title);
        QVERIFY(!scan.job.ScannedFlagR);
        QVERIFY(!QFile::exists(scan.jobFolder + "/Smith_John_R.wrl"));
        QCOMPARE(scan.views.calls, QStringList());
        QCOMPARE(readAll(scan.dropFile), dropped);
        QCOMPARE(QFile::exists(scan.dropFile), oldDropFile);
    }

    // A failure on the way (here the sole image) shows "Error: " and its
    // reason; the foot can be scanned again.
    void failureLeavesTheFlagClear()
    {
        PellmarScan scan;
        scan.views.failOn = "L Save_Capture";
        PellmarPickup pickup(scan.job, scan.views, scan.window);
        QVERIFY(!scan.scanFoot(pickup, ScanSide::Left));
        QCOMPARE(scan.ui->messages(), QStringList{"Error: the view failed as asked"});
        QCOMPARE(scan.ui->calls[0].title, QString("Error"));
        QVERIFY(!scan.job.ScannedFlagL);

        scan.views.failOn.clear();
        QVERIFY(scan.scanFoot(pickup, ScanSide::Left));
        QVERIFY(scan.job.ScannedFlagL);
    }

    // Client names are made safe for the file names and typed as they were
    // into the scan-name boxes.
    void clientNamesAreMadeSafe()
    {
        PellmarScan scan;
        PellmarPickup pickup(scan.job, scan.views, scan.window);
        QVERIFY(pickup.Scan_Foot(ScanSide::Right, "..", "Smith/../x", scan.run()));
        QCOMPARE(scan.job.RightScanFile, scan.jobFolder + "/Smith_.._x___R.wrl");
        QVERIFY(QFile::exists(scan.job.RightScanFile));
        QCOMPARE(scan.window.scanNames, (QStringList{"Smith/../x_.._L", "Smith/../x_.._R"}));
    }
};

QTEST_GUILESS_MAIN(TestPellmarPickup)
#include "tst_pellmarpickup.moc"
