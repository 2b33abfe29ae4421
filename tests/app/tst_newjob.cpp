#include "clock.h"
#include "errors.h"
#include "newjob.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "testhome.h"

#include <QtTest>

class TestNewJob : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        Job() = ScriptRecord{};
        ScriptedPrompter::install();
        Clock::setSource([] { return QDateTime(QDate(2026, 12, 8), QTime(9, 5, 3)); });
    }

    void cleanup() { Clock::setSource({}); }

    // A job in progress, with values a new job must clear and some it must keep.
    static void fillJob(ScriptRecord &job, const QString &previousFolder)
    {
        job.CurrentFolder = previousFolder;
        job.LeftScanFileName = "Lee_Ann_L.Wrl";
        job.LeftScanFile = job.RightScanFile = previousFolder + "/Lee_Ann_L.Wrl";
        job.LeftGraphicFile = previousFolder + "/Lee_Ann_L0.Jpg";
        job.ClientFirstName = "Ann";
        job.ClientSurname = "Lee";
        job.Gender = "Female";
        job.ClinicJobNumber = "C-17";
        job.DispenseDate = "01/01/2027";
        job.FootSizeL = "9";
        job.TemplateLengthL = 270;
        job.ThicknessL = 3;
        job.ForefootVarusL = "4";
        job.HeelWidthR = "60";
        job.MetaWedgeL = "2";
        job.HeelLiftR = 6;
        job.InsertLengthL = 12;
        job.SkiveAngleL = "15";
        job.ScanPositionL = "1";
        job.Notes = "Bring shoes";
        job.CurrentFoot = "Left";
        job.PodiatristName = "Dr Who;Y";
        job.ClinicName = "North";
        job.LeftLcfFile = previousFolder + "/Lee_Ann_L.Lcf";
        job.OrthoticStyleL = "Sports";
        job.GraphicSelection = "BOTH";
    }

    void missingConfigurationIsCreatedWithItsOwnScannerId()
    {
        TestHome home;
        ScriptRecord &job = Job();
        fillJob(job, home.path("Data/Old"));
        job.UserList = "Bob,Ann";

        New_Script_Record(job);

        QCOMPARE(home.read("Solvane.Cfg"), QByteArray("VORMAK\r\nA0011\r\n0000\r\n\r\n"));
        QCOMPARE(job.OperatorCode, QString("VORMAK"));
        QCOMPARE(job.ScannerId, QString("A0011"));
        QCOMPARE(job.JobCounter, 0);
        QCOMPARE(job.JobNumber, QString("VORMAK0000"));
        QVERIFY(job.CurrentUser.isEmpty());
        QCOMPARE(job.UserList, QString("Bob,Ann")); // the user list is not touched
        QCOMPARE(job.DataFolder, home.path("Data/"));
    }

    void newJobDefaults()
    {
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS9\r\n0042\r\nBob\r\nAnn\r\n");
        ScriptRecord &job = Job();
        fillJob(job, home.path("Data/Old"));
        job.CurrentUser = "Ann"; // chosen in the user list since start-up
        job.PriorityReturn = job.ConfirmBeforeManufacture = true;

        New_Script_Record(job);

        QCOMPARE(job.OperatorCode, QString("AB"));
        QCOMPARE(job.ScannerId, QString("S9"));
        QCOMPARE(job.JobCounter, 42);
        QCOMPARE(job.JobNumber, QString("AB0042"));
        QCOMPARE(job.CurrentUser, QString("Bob"));
        QCOMPARE(job.DataFolder, home.path("Data/Bob/")); // not tested for existence
        QCOMPARE(job.LeftScanFileName, QString("None"));
        QCOMPARE(job.RightScanFileName, QString("None"));
        for (const QString *path : {&job.LeftScanFile, &job.RightScanFile, &job.LeftGraphicFile, &job.RightGraphicFile})
            QCOMPARE(*path, QString("None"));
        QVERIFY(job.CurrentFoot.isEmpty());

        // Sizes back to the built-in chart's first row.
        QCOMPARE(job.SizeChartCount, 17);
        QCOMPARE(job.FootSizeL, QString("0"));
        QCOMPARE(job.FootSizeR, QString("0"));
        QCOMPARE(job.TemplateLengthL, 100.0);
        QCOMPARE(job.TemplateLengthR, 100.0);
        QCOMPARE(job.FootLengthL, 75.0);
        QCOMPARE(job.FootLengthR, 75.0);

        QCOMPARE(job.ClientFirstName, QString("FirstName"));
        QCOMPARE(job.ClientSurname, QString("Surname"));
        QCOMPARE(job.Gender, QString("Male"));
        QCOMPARE(job.ScanPositionL, QString("0"));
        QCOMPARE(job.ScanPositionR, QString("0"));
        QVERIFY(job.ClinicJobNumber.isEmpty());
        QVERIFY(job.DispenseDate.isEmpty());
        QCOMPARE(job.ThicknessL, 1.5);
        QCOMPARE(job.ThicknessR, 1.5);
        // The soft window's ticks, reset even when that window is not loaded.
        QVERIFY(!job.PriorityReturn);
        QVERIFY(!job.ConfirmBeforeManufacture);

        // Default names in the folder of the previous job.
        QCOMPARE(job.PdfFile, home.path("Data/Old/AB0042_Default.Pdf"));
        QCOMPARE(job.FullPdfFile, home.path("Data/Old/AB0042_Default_L.Pdf"));
        QCOMPARE(job.CsvFile, home.path("Data/Old/AB0042_Default.Csv"));

        QCOMPARE(job.ScanDateL, QString("08/12/2026"));
        QCOMPARE(job.ScanDateR, QString("08/12/2026"));
        QCOMPARE(job.ScanTimeL, QString("09:05:03"));
        QCOMPARE(job.ScanTimeR, QString("09:05:03"));

        QCOMPARE(job.Notes, QString("None"));
        QVERIFY(job.ForefootVarusL.isEmpty());
        QVERIFY(job.HeelWidthR.isEmpty());
        QVERIFY(job.MetaWedgeL.isEmpty());
        QCOMPARE(job.HeelLiftR, 0.0);
        QCOMPARE(job.InsertLengthL, 0.0);
        QCOMPARE(job.SkiveAngleL, QString("0"));
        QCOMPARE(job.SkiveAngleR, QString("0"));

        // What a new job leaves as it was.
        QCOMPARE(job.PodiatristName, QString("Dr Who;Y"));
        QCOMPARE(job.ClinicName, QString("North"));
        QCOMPARE(job.LeftLcfFile, home.path("Data/Old/Lee_Ann_L.Lcf"));
        QCOMPARE(job.OrthoticStyleL, QString("Sports"));
        QCOMPARE(job.GraphicSelection, QString("BOTH"));
        QCOMPARE(job.CurrentFolder, home.path("Data/Old")); // the window moves it afterwards
        QCOMPARE(home.read("Solvane.Cfg"), QByteArray("AB\r\nS9\r\n0042\r\nBob\r\nAnn\r\n"));
    }

    void jobNumber_data()
    {
        QTest::addColumn<QByteArray>("counterLine");
        QTest::addColumn<QString>("jobNumber");
        QTest::newRow("0042") << QByteArray("0042") << "AB0042";
        QTest::newRow("42abc") << QByteArray("42abc") << "AB0042";
        QTest::newRow("abc") << QByteArray("abc") << "AB0000";
        QTest::newRow("12345") << QByteArray("12345") << "AB12345";
        QTest::newRow("7.5 rounds to even") << QByteArray("7.5") << "AB0008";
    }

    void jobNumber()
    {
        QFETCH(QByteArray, counterLine);
        QFETCH(QString, jobNumber);
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n" + counterLine + "\r\n\r\n");
        New_Script_Record(Job());
        QCOMPARE(Job().JobNumber, jobNumber);
    }

    void nasModeNamesPdfsInTheNasFolder()
    {
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0003\r\n\r\n");
        ScriptRecord &job = Job();
        job.CurrentFolder = home.path("Data/Old");
        job.NasModeFlag = true;
        job.NasFolder = "//nas/pdfs/";
        New_Script_Record(job);
        QCOMPARE(job.PdfFile, QString("//nas/pdfs/AB0003_Default.Pdf"));
        QCOMPARE(job.FullPdfFile, QString("//nas/pdfs/AB0003_Default_L.Pdf"));
        QCOMPARE(job.CsvFile, home.path("Data/Old/AB0003_Default.Csv"));
    }

    void shortConfigurationKeepsWhatItDoesNotSupply()
    {
        TestHome home;
        home.write("Solvane.Cfg", "ZZ\r\n");
        ScriptRecord &job = Job();
        job.ScannerId = "S5";
        job.JobCounter = 17;
        job.CurrentUser = "Bob";
        New_Script_Record(job);
        QCOMPARE(job.OperatorCode, QString("ZZ"));
        QCOMPARE(job.ScannerId, QString("S5"));
        QCOMPARE(job.JobNumber, QString("ZZ0017"));
        QCOMPARE(job.DataFolder, home.path("Data/Bob/"));
        QCOMPARE(home.read("Solvane.Cfg"), QByteArray("ZZ\r\n"));
    }

    void configurationThatCannotBeCreatedIsRaised()
    {
        TestHome home;
        QVERIFY(QDir(home.root()).removeRecursively());
        QVERIFY_THROWS_EXCEPTION(SolvaneError, New_Script_Record(Job()));
        // No job is sent with a number the file did not give.
        QVERIFY(!Job().JobCounterFromConfig);

        // Once the file can be made again, a new job numbers from it.
        QVERIFY(QDir().mkpath(home.root()));
        New_Script_Record(Job());
        QVERIFY(Job().JobCounterFromConfig);
        QCOMPARE(home.read("Solvane.Cfg"), QByteArray("VORMAK\r\nA0011\r\n0000\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestNewJob)
#include "tst_newjob.moc"
