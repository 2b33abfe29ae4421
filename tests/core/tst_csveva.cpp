#include "clock.h"
#include "csveva.h"
#include "errors.h"
#include "jobevents.h"
#include "paths.h"
#include "samplejob.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "textfile.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A job as a prescription window would leave it, under the working folder.
ScriptRecord sampleJob(const QString &root)
{
    ScriptRecord j = Sample_Job_Header(root, QStringLiteral("VORMAK0042_Zoë_Lee.Csv"));
    j.OrthoticStyleL = j.OrthoticStyleR = QStringLiteral("Sports");
    j.EvaDensityL = j.EvaDensityR = QStringLiteral("Medium");
    j.TopCoverL = QStringLiteral("Vinyl;\r\nPoron, 3mm;");
    j.TopCoverR = QStringLiteral("Vinyl;");
    j.InsoleOptionsL = QStringLiteral("Heel Lift = 3;\r\nMet Bar;");
    j.InsoleOptionsR = QStringLiteral("None;");
    j.Notes = QStringLiteral("Runs daily, left knee\r\nCall first");
    j.ThicknessL = j.ThicknessR = 1.5;
    j.SkiveDistanceL = 2.25;
    j.SkiveAngleL = QStringLiteral("15");
    j.SkiveAngleR = QStringLiteral("0");
    j.InversionRampL = -1.45;
    j.HeelCupL = 50;
    j.MetaWedgeL = QStringLiteral("-2");
    j.MetDomeL = QStringLiteral("S");
    j.MetDomeR = QStringLiteral("2");
    j.MetPadL = QStringLiteral("0");
    j.MetPadR = QStringLiteral("M");
    j.PfaL = QStringLiteral("5C");
    j.PfaR = QStringLiteral("5S");
    j.ArchHeightL = 12.04;
    j.ForefootVarusL = QStringLiteral("4");
    j.ForefootValgusR = QStringLiteral("2.25");
    j.VarusLengthL = QStringLiteral("45");
    j.ExtraHeelDepthL = QStringLiteral("3.0L");
    j.ExtraHeelDepthR = QStringLiteral("2.5");
    j.ForefootElevationL = 1;
    j.HeelWidthL = QStringLiteral("55");
    j.MidfootWidthL = QStringLiteral("wide");
    j.ForefootWidthR = QStringLiteral("80");
    j.InsertHeightL = 3;
    j.InsertLengthR = 40;
    j.HeelDotLengthL = QStringLiteral("150");
    return j;
}

QString goldenRecord()
{
    const QString d = QStringLiteral("C:\\3DEriruvu\\Data\\Ann\\");
    const QStringList lines = {
        "BRENNICK ORTHOTICS PRESCRIPTION",
        "Job Number,VORMAK0042",
        "Clinic Job Number,P-17",
        "PDF File Name," + d + "VORMAK0042_Zoë_Lee.Pdf",
        "Left Scan File Name," + d + "Lee_Zoë_L.Lcf",
        "Right Scan File Name," + d + "Lee_Zoë_R.Lcf",
        "Left Graphic File Name," + d + "Lee_Zoë_L[VRML].Jpg",
        "Right Graphic File Name," + d + "Lee_Zoë_R[VRML].Jpg",
        "Client First Name,Zoë",
        "Client Surname,Lee",
        "Gender,Female",
        "Podiatrist Name,Dr Hale;Y",
        "Clinic Name,Foot Clinic;1 High St;Town",
        "Date,Tuesday, Dec 8  2026",
        "Time,14:05:09",
        "Foot,Left,Right",
        "Foot Size,8,8.5",
        "Template Length,247.0,253.0",
        "Scan Date,08/12/2026,08/12/2026",
        "Scan Time,10:11:12,10:11:12",
        "Dispense Date,24/12/2026",
        "Priority Return,1,0",
        "INSOLE REQUIREMENTS",
        "Orthotic Style,Sports,Sports",
        "EVA Density,Medium,Medium",
        "Top Cover,Vinyl;,Poron; 3mm;,Vinyl;",
        "Insole Options,Heel Lift = 3;;Met Bar;,None;",
        "Notes,Runs daily; left knee;Call first,",
        "INSOLE ADJUSTMENTS",
        "Foot Length,222.0,228.0,mm",
        "Thickness,1.5,1.5,mm",
        "Skive Distance,2.3,0.0,mm",
        "Skive Angle,15,0,deg",
        "Inversion Ramp,-1.5,0.0,deg",
        "Eversion Ramp,0.0,0.0,deg",
        "Arch Fill,0.0,0.0,%",
        "Lateral Arch Fill,0.0,0.0,%",
        "Heel Lift,0.0,0.0,mm",
        "Heel Cup,50.0,0.0,%",
        "Rear Foot Posting,0.0,0.0,deg",
        "Rear Foot Posting Lateral,0.0,0.0,deg",
        "MetaWedge,-2,",
        "MetDome,S,2",
        "MetPad,0,M",
        "PFA,5C,5S,mm",
        "Scan Position,-3,0,deg",
        "Arch Height,12.0,0.0,mm",
        "Spare1,0,0,mm",
        "Spare2,0,0,mm",
        "Spare3,0,0,mm",
        "Spare4,0,0,mm",
        "FOOT DIMENSIONS",
        "Forefoot Varus,4.0,,deg",
        "Forefoot Valgus,,2.3,deg",
        "Varus Length,45.0,,mm",
        "Extra Heel Depth,3.0L,2.5,mm",
        "Forefoot Elevation,1.0,0.0,deg",
        "Heel Width,55,",
        "Midfoot Width,WIDE,",
        "Forefoot Width,,80",
        "Insert Height,3.0,0.0,mm",
        "Insert Length,0.0,40.0,mm",
        "Heel-Dot Length,150.0,,mm",
        "Spare5,0,0,mm",
        "Spare6,0,0,mm",
        "END",
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCsvEva : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Clock::setSource([] { return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)); });
    }
    void cleanup() { Clock::setSource({}); }

    void goldenBytes()
    {
        TestHome home;
        ScriptRecord job = sampleJob(home.root());
        QDir().mkpath(job.CurrentFolder);
        Write_CSV_EVA(job);
        const QByteArray bytes = readFile(job.CsvFile);
        QCOMPARE(bytes, textfile::encode1252(goldenRecord()));
        QVERIFY(bytes.contains("Zo\xEB")); // one Windows-1252 byte
        QCOMPARE(bytes.count("\r\n"), 66);
        QVERIFY(!bytes.contains("\n\n") && !bytes.contains("\r\r"));
        // The normalisations stay in the job.
        QCOMPARE(job.RightLcfFile, job.CurrentFolder + QStringLiteral("/Lee_Zoë_R.Lcf"));
        QCOMPARE(job.Notes, QStringLiteral("Runs daily; left knee;Call first"));
    }

    void writerSides_data()
    {
        QTest::addColumn<QString>("leftScan");
        QTest::addColumn<QString>("rightScan");
        QTest::addColumn<QString>("leftLcf");
        QTest::addColumn<QString>("line5");
        QTest::addColumn<QString>("line6");
        QTest::addColumn<QString>("line7");
        const QString d = QStringLiteral("C:\\3DEriruvu\\Data\\Ann\\");
        QTest::newRow("both wrl") << "L.Wrl"
                                  << "R.Wrl"
                                  << "L.Lcf" << d + "L.Lcf" << d + "R.Lcf" << d + "L.Jpg";
        QTest::newRow("left stl") << "L.Stl"
                                  << "R.Wrl"
                                  << "L.Lcf" << d + "L.Stl" << d + "R.Lcf" << d + "L.Jpg";
        // Each foot by its own scan: a right STL writes the right scan.
        QTest::newRow("right stl only") << "L.Wrl"
                                        << "R.STL"
                                        << "L.Lcf" << d + "L.Lcf" << d + "R.STL" << d + "L.Jpg";
        QTest::newRow("folder named STL") << "STL/L.Wrl"
                                          << "R.Wrl"
                                          << "L.Lcf" << d + "L.Lcf" << d + "R.Lcf" << d + "L.Jpg";
        QTest::newRow("absent model clears graphic") << "L.Wrl"
                                                     << "R.Wrl"
                                                     << "None"
                                                     << "None" << d + "R.Lcf"
                                                     << "None";
        QTest::newRow("empty model") << "L.Wrl"
                                     << "R.Wrl"
                                     << ""
                                     << "None" << d + "R.Lcf"
                                     << "None";
        QTest::newRow("Giannone keeps her files")
            << "L.Wrl"
            << "R.Wrl"
            << "Giannone_L.Lcf" << d + "Giannone_L.Lcf" << d + "R.Lcf" << d + "L.Jpg";
    }
    void writerSides()
    {
        QFETCH(QString, leftScan);
        QFETCH(QString, rightScan);
        QFETCH(QString, leftLcf);
        QFETCH(QString, line5);
        QFETCH(QString, line6);
        QFETCH(QString, line7);
        TestHome home;
        ScriptRecord job = sampleJob(home.root());
        const QString folder = job.CurrentFolder + u'/';
        job.LeftScanFile = folder + leftScan;
        job.RightScanFile = folder + rightScan;
        job.LeftLcfFile = leftLcf; // bare names land in CurrentFolder
        job.RightLcfFile = folder + QStringLiteral("R.Lcf");
        job.LeftGraphicFile = folder + QStringLiteral("L.Jpg");
        const QStringList lines = Build_CSV_EVA(job);
        QCOMPARE(lines[4], QStringLiteral("Left Scan File Name,") + line5);
        QCOMPARE(lines[5], QStringLiteral("Right Scan File Name,") + line6);
        QCOMPARE(lines[6], QStringLiteral("Left Graphic File Name,") + line7);
    }

    void readerScanLines_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("lcf");
        QTest::addColumn<QString>("scan");
        QTest::addColumn<QString>("scanOnDisk"); // a scan file there is, in the working folder
        QTest::newRow("model") << "C:\\3DEriruvu\\Data\\a.Lcf"
                               << "@/Data/a.Lcf"
                               << "@/Data/a.Wrl" << QString();
        QTest::newRow("stl") << "C:\\3DEriruvu\\Data\\a.stl"
                             << "@/Data/a.stl"
                             << "@/Data/a.stl" << QString();
        QTest::newRow("None keeps") << "None"
                                    << "old.Lcf"
                                    << "old.Wrl" << QString();
        QTest::newRow("outside root") << "D:\\scans\\b.Lcf"
                                      << "D:\\scans\\b.Lcf"
                                      << "D:\\scans\\b.Wrl" << QString();
        // The laser scanners' copies end in ".wrl": the scan is the file
        // there is, whatever the case of its extension.
        QTest::newRow("scan in lower case") << "C:\\3DEriruvu\\Data\\a.Lcf"
                                            << "@/Data/a.Lcf"
                                            << "@/Data/a.wrl"
                                            << "Data/a.wrl";
    }
    void readerScanLines()
    {
        QFETCH(QString, field);
        QFETCH(QString, lcf);
        QFETCH(QString, scan);
        QFETCH(QString, scanOnDisk);
        TestHome home;
        if (!scanOnDisk.isEmpty())
            home.write(scanOnDisk, "#VRML V2.0 utf8\n");
        lcf.replace(u'@', home.root());
        scan.replace(u'@', home.root());
        ScriptRecord job = sampleJob(home.root());
        QStringList lines = Build_CSV_EVA(job);
        lines[4] = QStringLiteral("Left Scan File Name,") + field;
        ScriptRecord read;
        read.LeftLcfFile = QStringLiteral("old.Lcf");
        read.LeftScanFile = QStringLiteral("old.Wrl");
        Parse_CSV_EVA(read, lines, QStringLiteral("t.Csv"));
        QCOMPARE(read.LeftLcfFile, lcf);
        QCOMPARE(read.LeftScanFile, scan);
    }

    void readerFields_data()
    {
        QTest::addColumn<QString>("pfa");
        QTest::addColumn<bool>("cShape");
        QTest::newRow("C after number") << "5C" << true;
        QTest::newRow("lower c") << "5c" << true;
        QTest::newRow("S") << "5S" << false;
        QTest::newRow("begins with C") << "C5" << false;
        QTest::newRow("empty") << "" << false;
    }
    void readerFields()
    {
        QFETCH(QString, pfa);
        QFETCH(bool, cShape);
        QCOMPARE(Pfa_Is_C_Shape(pfa), cShape);
    }

    void roundTripIsStable()
    {
        TestHome home;
        ScriptRecord job = sampleJob(home.root());
        QDir().mkpath(job.CurrentFolder);
        Write_CSV_EVA(job);
        const QByteArray first = readFile(job.CsvFile);

        ScriptRecord read;
        read.CsvFile = job.CsvFile;
        QSignalSpy sizes(&JobEvents::instance(), &JobEvents::footSizesRead);
        Read_CSV_EVA(read);
        QCOMPARE(sizes.count(), 1);
        QCOMPARE(Last_Status(), QStringLiteral("CSV File Data OK"));
        QCOMPARE(read.PodiatristName, QStringLiteral("Dr Hale"));
        QVERIFY(read.SendConfirmationEmail);
        QCOMPARE(read.Notes, QStringLiteral("Runs daily; left knee;Call first"));
        QCOMPARE(read.ReprocessedFromJob, QStringLiteral("VORMAK0042"));
        QVERIFY(read.PriorityReturn);
        QCOMPARE(read.ExtraHeelDepthL, QStringLiteral("3.0L")); // the side letter is kept
        QCOMPARE(read.ExtraHeelDepthR, QStringLiteral("2.5"));
        QCOMPARE(read.VarusLengthL, QStringLiteral("45"));
        QCOMPARE(read.PfaL, QStringLiteral("5C"));
        QCOMPARE(read.ScanPositionL, QStringLiteral("-3"));
        QCOMPARE(read.FootSizeR, QStringLiteral("8.5"));
        QCOMPARE(read.ClientFirstName, QStringLiteral("Zoë"));
        QCOMPARE(read.LeftLcfFile, job.LeftLcfFile);
        QCOMPARE(read.LeftScanFile, job.LeftScanFile);

        // Reading settles what the format itself cannot carry (a top cover
        // list joined with "," spills into the next field; lengths read back
        // as bare numbers, so an empty one becomes 0; a heel depth keeps its
        // side letter);
        // from then on, open-save cycles change nothing.
        Write_CSV_EVA(read);
        const QByteArray settled = readFile(read.CsvFile);
        QVERIFY(settled != first);
        const QStringList a = textfile::splitLines(textfile::decode1252(first));
        const QStringList b = textfile::splitLines(textfile::decode1252(settled));
        QStringList changed;
        for (int i = 0; i < a.size(); ++i)
            if (a[i] != b[i])
                changed << a[i].section(u',', 0, 0);
        QCOMPARE(changed, (QStringList{"Top Cover", "Varus Length"}));
        for (int cycle = 0; cycle < 2; ++cycle) {
            Read_CSV_EVA(read);
            Write_CSV_EVA(read);
            QCOMPARE(readFile(read.CsvFile), settled);
        }
        QCOMPARE(read.PodiatristName, QStringLiteral("Dr Hale"));
        QCOMPARE(read.Notes, QStringLiteral("Runs daily; left knee;Call first"));
    }

    // The record is Windows-1252: a width is saved in capitals only where
    // the code page holds the capital, so it reads back as it was saved.
    void midfootWidthReadsBackAsSaved_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("plain") << "d"
                               << "D";
        QTest::newRow("accented") << "é"
                                  << "É";
        QTest::newRow("capital elsewhere in the code page") << "ÿ"
                                                            << "Ÿ";
        QTest::newRow("capital outside it") << "dƒ µ"
                                            << "Dƒ µ";
    }

    void midfootWidthReadsBackAsSaved()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        TestHome home;
        ScriptRecord job = sampleJob(home.root());
        QDir().mkpath(job.CurrentFolder);
        job.MidfootWidthL = typed;
        Write_CSV_EVA(job);
        ScriptRecord read;
        read.CsvFile = job.CsvFile;
        Read_CSV_EVA(read);
        QCOMPARE(read.MidfootWidthL, saved);
    }

    void thirdFieldY()
    {
        ScriptRecord job = sampleJob(QStringLiteral("/r"));
        QStringList lines = Build_CSV_EVA(job);
        lines[11] = QStringLiteral("Podiatrist Name,Dr Hale,Y");
        ScriptRecord read;
        Parse_CSV_EVA(read, lines, QStringLiteral("t"));
        QCOMPARE(read.PodiatristName, QStringLiteral("Dr Hale"));
        QVERIFY(read.SendConfirmationEmail);
        lines[11] = QStringLiteral("Podiatrist Name,Dr Hale");
        Parse_CSV_EVA(read, lines, QStringLiteral("t"));
        QVERIFY(!read.SendConfirmationEmail);
    }

    void incompleteRecordsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("short") << QByteArray("BRENNICK ORTHOTICS PRESCRIPTION\r\nJob Number,X1\r\n");
        QTest::newRow("empty") << QByteArray();
        QByteArray rigid;
        rigid += "BRENNICK ORTHOTICS PRESCRIPTION (RIGID)\r\n";
        for (int i = 0; i < 90; ++i)
            rigid += "<Section>,1,2\r\n";
        QTest::newRow("rigid layout") << rigid;
    }
    void incompleteRecordsChangeNothing()
    {
        QFETCH(QByteArray, content);
        TestHome home;
        home.write(QStringLiteral("Data/bad.Csv"), content);
        ScriptRecord job = sampleJob(home.root());
        job.CsvFile = home.path(QStringLiteral("Data/bad.Csv"));
        const ScriptRecord before = job;
        try {
            Read_CSV_EVA(job);
            QFAIL("an incomplete record was accepted");
        } catch (const SolvaneError &e) {
            QCOMPARE(e.description(), job.CsvFile + QStringLiteral(" is not a complete script record"));
        }
        QCOMPARE(job.JobNumber, before.JobNumber);
        QCOMPARE(job.ClientFirstName, before.ClientFirstName);
        QCOMPARE(job.LeftLcfFile, before.LeftLcfFile);
        QCOMPARE(job.Notes, before.Notes);
    }

    void missingFileThrows()
    {
        TestHome home;
        ScriptRecord job;
        job.CsvFile = home.path(QStringLiteral("Data/none.Csv"));
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Read_CSV_EVA(job));
    }

    void failedWriteKeepsOldFile()
    {
        TestHome home;
        ScriptRecord job = sampleJob(home.root());
        // A regular file where the folder should be: the write must fail.
        home.write(QStringLiteral("Data/Ann"), "not a folder");
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Write_CSV_EVA(job));
        QCOMPARE(home.read(QStringLiteral("Data/Ann")), QByteArray("not a folder"));
    }

    void intakeFormsRead()
    {
        // The intake writers' simpler form: models as held, ";Y", "Priority Return,0,0".
        ScriptRecord job = sampleJob(QStringLiteral("/r"));
        QStringList lines = Build_CSV_EVA(job);
        lines[0] = QStringLiteral("BRENNICK ORTHOTICS PRESCRIPTION (RIGID)");
        lines[4] = QStringLiteral("Left Scan File Name,None");
        lines[21] = QStringLiteral("Priority Return,0,0");
        lines[25] = QStringLiteral("Top Cover,,,");
        ScriptRecord read;
        read.LeftLcfFile = QStringLiteral("keep");
        Parse_CSV_EVA(read, lines, QStringLiteral("t"));
        QCOMPARE(read.LeftLcfFile, QStringLiteral("keep"));
        QVERIFY(!read.PriorityReturn);
        QCOMPARE(read.TopCoverL, QString());
    }
};

QTEST_GUILESS_MAIN(TestCsvEva)
#include "tst_csveva.moc"
