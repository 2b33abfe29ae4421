#include "paths.h"
#include "rurupickup.h"
#include "scannercommand.h"
#include "scriptrecord.h"
#include "testhome.h"

#include <QDir>
#include <QtTest>

class TestScannerCommand : public QObject
{
    Q_OBJECT

private slots:
    void ruruCommandNamesTheScanFile();
    void lsrCommand_data();
    void lsrCommand();
    void pellmarCommand();
    void missingCdFolderGivesWayToTheProgramsFolder();
    void batchFileHoldsOnlyTheLastScan();
    void scanNamesFromTheBoxes();
};

void TestScannerCommand::ruruCommandNamesTheScanFile()
{
    TestHome home;
    const QString programFolder = home.path(QStringLiteral("External/Scansoft/Bin"));
    QDir().mkpath(programFolder);
    ScriptRecord job;
    job.ScannerProgram = programFolder + QStringLiteral("/Scansoft.exe");
    job.ScannerDataFolder = home.path(QStringLiteral("Data/"));
    job.ScanWrlName = QStringLiteral("Lee_Ann Marie_L.Wrl");

    const ScannerCommand command = Ruru_Scanner_Command(job);

    QCOMPARE(command.program, job.ScannerProgram);
    QCOMPARE(command.arguments,
             QStringList({home.path(QStringLiteral("Data/Lee_Ann Marie_L.Wrl")), QStringLiteral("-x")}));
    QCOMPARE(command.workingFolder, programFolder);
    const QString folder = QDir::toNativeSeparators(home.path(QStringLiteral("Data/")));
    QCOMPARE(job.ScannerArguments, folder + QStringLiteral("Lee_Ann Marie_L.Wrl -x"));
    QCOMPARE(command.batchLines,
             QStringList(QDir::toNativeSeparators(job.ScannerProgram) + u' ' + job.ScannerArguments));
}

void TestScannerCommand::lsrCommand_data()
{
    QTest::addColumn<QString>("gender");
    QTest::addColumn<QString>("code");
    QTest::newRow("Male") << "Male"
                          << "0";
    QTest::newRow("male") << "male"
                          << "1";
    QTest::newRow("Female") << "Female"
                            << "1";
    QTest::newRow("empty") << ""
                           << "1";
}

void TestScannerCommand::lsrCommand()
{
    QFETCH(QString, gender);
    QFETCH(QString, code);
    TestHome home;
    const QString cdFolder = home.path(QStringLiteral("External/LSR 3D Foot Scan/Bin"));
    QDir().mkpath(cdFolder);
    ScriptRecord job;
    job.ScannerProgram = QStringLiteral("/opt/lsr/scan");
    job.ScannerDataFolder = home.path(QStringLiteral("Data/LSR_Scanner/"));
    job.ClientFirstName = QStringLiteral("Ann Marie");
    job.ClientSurname = QStringLiteral("x;touch Y");
    job.Gender = gender;

    const ScannerCommand command = Lsr_Scanner_Command(job);

    // Every name and folder is one argument, blanks and shell characters included.
    QCOMPARE(command.arguments,
             QStringList({QStringLiteral("-s"), QStringLiteral("Ann Marie"), QStringLiteral("x;touch Y"), code,
                          QStringLiteral("000000000000"), QStringLiteral("-n"), job.ScannerDataFolder}));
    QCOMPARE(command.workingFolder, cdFolder + u'/');
    const QString expectedArguments = QStringLiteral("Ann Marie x;touch Y ") + code
                                      + QStringLiteral(" 000000000000 -n ")
                                      + QDir::toNativeSeparators(job.ScannerDataFolder);
    QCOMPARE(job.ScannerArguments, expectedArguments);
    QCOMPARE(command.batchLines,
             QStringList({QStringLiteral("cd \"") + QDir::toNativeSeparators(cdFolder + u'/') + u'"',
                          QStringLiteral("/opt/lsr/scan -s ") + expectedArguments}));
}

void TestScannerCommand::pellmarCommand()
{
    TestHome home;
    const QString cdFolder = home.path(QStringLiteral("External/KOVA_Datastore"));
    QDir().mkpath(cdFolder);
    ScriptRecord job;
    job.ScannerProgram = cdFolder + QStringLiteral("/Pellmar Control.exe");
    job.ScannerArguments = QStringLiteral("left from another scanner");

    const ScannerCommand command = Pellmar_Scanner_Command(job);

    QCOMPARE(command.program, job.ScannerProgram);
    QVERIFY(command.arguments.isEmpty());
    QCOMPARE(command.workingFolder, cdFolder + u'/');
    QCOMPARE(command.batchLines,
             QStringList({QStringLiteral("cd \"") + QDir::toNativeSeparators(cdFolder + u'/') + u'"',
                          QDir::toNativeSeparators(job.ScannerProgram)}));
}

void TestScannerCommand::missingCdFolderGivesWayToTheProgramsFolder()
{
    TestHome home;
    const QString programFolder = home.path(QStringLiteral("Scanners/LSR"));
    QDir().mkpath(programFolder);
    ScriptRecord job;
    job.ScannerProgram = programFolder + QStringLiteral("/scan");

    QCOMPARE(Lsr_Scanner_Command(job).workingFolder, programFolder);
    QCOMPARE(Pellmar_Scanner_Command(job).workingFolder, programFolder);
}

void TestScannerCommand::batchFileHoldsOnlyTheLastScan()
{
    TestHome home;
    ScannerCommand first;
    first.batchLines = {QStringLiteral("cd \"C:\\LSR 3D Foot Scan\\Bin\\\""), QStringLiteral("scan -s A B 0")};
    ScannerCommand second;
    second.batchLines = {QStringLiteral("scan Lee_Ann_R.Wrl -x")};

    Write_Scanner_Bat(first);
    Write_Scanner_Bat(second);

    QCOMPARE(home.read(QStringLiteral("Scanner.Bat")), QByteArray("scan Lee_Ann_R.Wrl -x\r\n"));
}

void TestScannerCommand::scanNamesFromTheBoxes()
{
    QCOMPARE(Ruru_Scan_Name(QStringLiteral("Lee"), QStringLiteral("Ann"), 0), QStringLiteral("Lee_Ann_L"));
    QCOMPARE(Ruru_Scan_Name(QStringLiteral("Surname"), QStringLiteral("FirstName"), 1),
             QStringLiteral("Surname_FirstName_R"));
    const QList<RuruScanFile> files = Ruru_Scan_Files(QStringLiteral("/d/"), QStringLiteral("Lee_Ann_L"));
    QCOMPARE(files.size(), 3);
    QCOMPARE(files[2].source, QStringLiteral("/d/Lee_Ann_L/DPICalibrated-Lee_Ann_L[VRML].Jpg"));
    // The calibrated photo's prefix stands before the name, directly in F.
    QCOMPARE(files[2].target, QStringLiteral("/d/DPICalibrated-Lee_Ann_L[VRML].Jpg"));
}

QTEST_GUILESS_MAIN(TestScannerCommand)
#include "tst_scannercommand.moc"
