#include "clock.h"
#include "csveva.h"
#include "errors.h"
#include "scriptrecord.h"
#include "simplerecords.h"
#include "testhome.h"
#include "textfile.h"

#include <QtTest>

namespace {

// A job as an intake window's prepare button leaves it before the writer runs.
ScriptRecord intakeJob(const QString &root)
{
    ScriptRecord j;
    j.CurrentFolder = root + QStringLiteral("/Data/Ann");
    j.CsvFile = j.CurrentFolder + QStringLiteral("/VORMAK0042_Ann_Lee.Csv");
    j.JobNumber = QStringLiteral("VORMAK0041"); // the boxes hold the job's number
    j.PdfFile = j.CurrentFolder + QStringLiteral("/VORMAK0042_Ann_Lee.Pdf");
    j.LeftLcfFile = j.CurrentFolder + QStringLiteral("/Lee_L.Lcf");
    j.LeftGraphicFile = j.CurrentFolder + QStringLiteral("/Lee_L[VRML].Jpg");
    j.Gender = QStringLiteral("Female");
    j.PodiatristName = QStringLiteral("Dr Lee");
    j.ClinicName = QStringLiteral("Foot Clinic");
    j.FootSizeL = QStringLiteral("9");
    j.FootSizeR = QStringLiteral("10");
    j.TemplateLengthL = 260;
    j.TemplateLengthR = 266.5;
    j.FootLengthL = 235;
    j.FootLengthR = 241.5;
    j.ThicknessL = j.ThicknessR = 1.5;
    j.ScanDateL = j.ScanDateR = QStringLiteral("08/12/2026");
    j.ScanTimeL = j.ScanTimeR = QStringLiteral("14:05:09");
    j.PriorityReturn = true; // the simple record never carries it
    j.OrthoticStyleL = j.OrthoticStyleR = QStringLiteral("Sports");
    j.EvaDensityL = j.EvaDensityR = QStringLiteral("Medium");
    j.TopCoverL = QStringLiteral("A\r\nB");
    j.TopCoverR = QStringLiteral("C");
    j.InsoleOptionsL = QStringLiteral("Met Bar\r\nHeel Lift");
    j.Notes = QStringLiteral("x");
    j.SkiveAngleL = j.SkiveAngleR = QStringLiteral("0");
    j.ScanPositionL = j.ScanPositionR = QStringLiteral("0");
    j.ExtraHeelDepthL = QStringLiteral("3L");
    j.ExtraHeelDepthR = QStringLiteral("3");
    j.MidfootWidthL = QStringLiteral("2m");
    return j;
}

IntakeBoxTexts intakeBoxes()
{
    IntakeBoxTexts b;
    b.Text1 = QStringLiteral("Ann");
    b.Text2 = QStringLiteral("Lee");
    b.Text3 = QStringLiteral("VORMAK0042");
    b.measurements.ForefootVarus = {QStringLiteral("4"), QStringLiteral("12.34")};
    b.measurements.ForefootValgus = {QStringLiteral("-1.5"), QStringLiteral("abc")};
    b.measurements.VarusLength = {QStringLiteral("12abc"), QStringLiteral("45")};
    b.measurements.HeelDotLength = {QStringLiteral("150"), QString()};
    return b;
}

// The general window stores the boxes itself before its writer runs.
void storeBoxes(ScriptRecord &job, const IntakeBoxTexts &boxes)
{
    job.ClientFirstName = boxes.Text1;
    job.ClientSurname = boxes.Text2;
    job.JobNumber = boxes.Text3;
    Take_Intake_Measurements(job, boxes.measurements);
}

// Write_CSV_Simple2 with iType 0 on the fixture.
QStringList goldenSimple2()
{
    const QString d = QStringLiteral("C:\\3DEriruvu\\Data\\Ann\\");
    return {
        "BRENNICK ORTHOTICS PRESCRIPTION",
        "Job Number,VORMAK0042",
        "Clinic Job Number,",
        "PDF File Name," + d + "VORMAK0042_Ann_Lee.Pdf",
        "Left Scan File Name," + d + "Lee_L.Lcf",
        "Right Scan File Name,None",
        "Left Graphic File Name," + d + "Lee_L[VRML].Jpg",
        "Right Graphic File Name,",
        "Client First Name,Ann",
        "Client Surname,Lee",
        "Gender,Female",
        "Podiatrist Name,Dr Lee;Y",
        "Clinic Name,Foot Clinic",
        "Date,Tuesday, Dec 8  2026",
        "Time,14:05:09",
        "Foot,Left,Right",
        "Foot Size,9,10",
        "Template Length,260.0,266.5",
        "Scan Date,08/12/2026,08/12/2026",
        "Scan Time,14:05:09,14:05:09",
        "Dispense Date,",
        "Priority Return,0,0",
        "INSOLE REQUIREMENTS",
        "Orthotic Style,Sports,Sports",
        "EVA Density,Medium,Medium",
        "Top Cover,A,B,C",
        "Insole Options,Met Bar,Heel Lift,",
        "Notes,x,",
        "INSOLE ADJUSTMENTS",
        "Foot Length,235.0,241.5,mm",
        "Thickness,1.5,1.5,mm",
        "Skive Distance,0.0,0.0,mm",
        "Skive Angle,0,0,deg",
        "Inversion Ramp,0.0,0.0,deg",
        "Eversion Ramp,0.0,0.0,deg",
        "Arch Fill,0.0,0.0,%",
        "Lateral Arch Fill,0.0,0.0,%",
        "Heel Lift,0.0,0.0,mm",
        "Heel Cup,0.0,0.0,%",
        "Rear Foot Posting,0.0,0.0,deg",
        "Rear Foot Posting Lateral,0.0,0.0,deg",
        "MetaWedge,,",
        "MetDome,,",
        "MetPad,,",
        "PFA,,,mm",
        "Scan Position,0,0,deg",
        "Arch Height,0.0,0.0,mm",
        "Spare1,0,0,mm",
        "Spare2,0,0,mm",
        "Spare3,0,0,mm",
        "Spare4,0,0,mm",
        "FOOT DIMENSIONS",
        "Forefoot Varus,4.0,12.3,deg",
        "Forefoot Valgus,-1.5,0.0,deg",
        "Varus Length,12.0,45.0,mm",
        "Extra Heel Depth,3L,3.0,mm",
        "Forefoot Elevation,0.0,0.0,deg",
        "Heel Width,,",
        "Midfoot Width,2M,",
        "Forefoot Width,,",
        "Insert Height,0.0,0.0,mm",
        "Insert Length,0.0,0.0,mm",
        "Heel-Dot Length,150.0,0.0,mm",
        "Spare5,0,0,mm",
        "Spare6,0,0,mm",
        "END",
    };
}

QByteArray fileBytes(const QStringList &lines)
{
    return textfile::encode1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs one of the writers on a job: 1 the general window's, 2 the scanner windows' (soft title).
void writeWith(int writer, ScriptRecord &job, const IntakeBoxTexts &boxes)
{
    if (writer == 1) {
        storeBoxes(job, boxes);
        Write_CSV_Simple1(job);
    } else {
        Write_CSV_Simple2(job, boxes, 0);
    }
}

QStringList buildWith(int writer, ScriptRecord &job, const IntakeBoxTexts &boxes)
{
    if (writer == 1) {
        storeBoxes(job, boxes);
        return Build_CSV_Simple1(job);
    }
    return Build_CSV_Simple2(job, boxes, 0);
}

// The inputs of the value table, by name: where a test value goes in and
// what the job holds afterwards.
QString *jobField(ScriptRecord &job, const QString &name)
{
    if (name == QLatin1String("ExtraHeelDepthL"))
        return &job.ExtraHeelDepthL;
    if (name == QLatin1String("MidfootWidthL"))
        return &job.MidfootWidthL;
    if (name == QLatin1String("TopCoverL"))
        return &job.TopCoverL;
    if (name == QLatin1String("Notes"))
        return &job.Notes;
    if (name == QLatin1String("PodiatristName"))
        return &job.PodiatristName;
    if (name == QLatin1String("LeftLcfFile"))
        return &job.LeftLcfFile;
    if (name == QLatin1String("LeftGraphicFile"))
        return &job.LeftGraphicFile;
    if (name == QLatin1String("ForefootVarusL"))
        return &job.ForefootVarusL;
    return nullptr;
}

} // namespace

class TestSimpleRecords : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Clock::setSource([] { return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)); });
    }
    void cleanup() { Clock::setSource({}); }

    void goldenFiles_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<int>("iType");
        QTest::addColumn<QStringList>("expected");
        const QStringList golden = goldenSimple2();
        QTest::newRow("Simple2 soft") << 2 << 0 << golden;
        QStringList rigid = golden;
        rigid[0] = QStringLiteral("BRENNICK ORTHOTICS PRESCRIPTION (RIGID)");
        QTest::newRow("Simple2 rigid") << 2 << 1 << rigid;
        QTest::newRow("Simple2 no title") << 2 << 2 << golden.mid(1);
        QTest::newRow("Simple2 negative type") << 2 << -1 << golden.mid(1);
        // The general window's record: every file line "None".
        QStringList general = golden;
        for (int i = 4; i < 8; ++i)
            general[i] = general[i].section(u',', 0, 0) + QStringLiteral(",None");
        QTest::newRow("Simple1") << 1 << 0 << general;
    }
    void goldenFiles()
    {
        QFETCH(int, writer);
        QFETCH(int, iType);
        QFETCH(QStringList, expected);
        TestHome home;
        ScriptRecord job = intakeJob(home.root());
        QDir().mkpath(job.CurrentFolder);
        // An older file of the same name is replaced, not appended to.
        home.write(QStringLiteral("Data/Ann/VORMAK0042_Ann_Lee.Csv"), QByteArray(5000, 'x'));
        if (writer == 1) {
            storeBoxes(job, intakeBoxes());
            Write_CSV_Simple1(job);
        } else {
            Write_CSV_Simple2(job, intakeBoxes(), iType);
        }
        const QByteArray bytes = readFile(job.CsvFile);
        QCOMPARE(bytes, fileBytes(expected));
        QCOMPARE(bytes.count("\r\n"), expected.size());
        QCOMPARE(expected.size(), iType == 0 || iType == 1 ? 66 : 65);
    }

    // Each test value through each writer: the record line and what the
    // job holds afterwards.
    void values_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("line"); // from 1, in the titled record
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("after");

        struct Row
        {
            const char *name;
            const char *field;
            QString input;
            int line;
            QString written;
            QString after;
        };
        const QString d = QStringLiteral("C:\\3DEriruvu\\Data\\Ann\\");
        const std::vector<Row> both = {
            {"measurement abc", "ForefootVarusL", "abc", 53, "Forefoot Varus,0.0,12.3,deg", "0"},
            {"measurement 12.34", "ForefootVarusL", "12.34", 53, "Forefoot Varus,12.3,12.3,deg", "12.34"},
            {"measurement -1.5", "ForefootVarusL", "-1.5", 53, "Forefoot Varus,-1.5,12.3,deg", "-1.5"},
            {"measurement 12abc", "ForefootVarusL", "12abc", 53, "Forefoot Varus,12.0,12.3,deg", "12"},
            {"measurement decimal comma", "ForefootVarusL", "2,5", 53, "Forefoot Varus,2.5,12.3,deg", "2.5"},
            {"heel depth 3L", "ExtraHeelDepthL", "3L", 56, "Extra Heel Depth,3L,3.0,mm", "3L"},
            {"heel depth 3", "ExtraHeelDepthL", "3", 56, "Extra Heel Depth,3.0,3.0,mm", "3"},
            {"heel depth empty", "ExtraHeelDepthL", "", 56, "Extra Heel Depth,,3.0,mm", ""},
            {"midfoot 2m", "MidfootWidthL", "2m", 59, "Midfoot Width,2M,", "2m"},
            {"top cover", "TopCoverL", "A\r\nB", 26, "Top Cover,A,B,C", "A,B"},
            {"top cover typed comma", "TopCoverL", "A, B", 26, "Top Cover,A; B,C", "A; B"},
            {"notes empty", "Notes", "", 28, "Notes,,", ""},
            {"notes x", "Notes", "x", 28, "Notes,x,", "x"},
            {"notes two lines", "Notes", "x\r\ny", 28, "Notes,x,y,", "x,y"},
            {"podiatrist", "PodiatristName", "Dr Lee", 12, "Podiatrist Name,Dr Lee;Y", "Dr Lee"},
        };
        for (int writer : {1, 2}) {
            for (const Row &r : both)
                QTest::addRow("Simple%d %s", writer, r.name)
                    << writer << r.field << r.input << r.line << r.written << r.after;
        }
        QTest::newRow("Simple2 empty model") << 2 << "LeftLcfFile"
                                             << "" << 5 << "Left Scan File Name,None"
                                             << "None";
        QTest::newRow("Simple2 empty graphic") << 2 << "LeftGraphicFile"
                                               << "" << 7 << "Left Graphic File Name,"
                                               << "";
        QTest::newRow("Simple2 graphic kept") << 2 << "LeftGraphicFile"
                                              << "g.Jpg" << 7 << "Left Graphic File Name,g.Jpg"
                                              << "g.Jpg";
        QTest::newRow("Simple1 empty model") << 1 << "LeftLcfFile"
                                             << "" << 5 << "Left Scan File Name,None"
                                             << "None";
        QTest::newRow("Simple1 model dropped") << 1 << "LeftLcfFile" << d + "L.Lcf" << 5 << "Left Scan File Name,None"
                                               << "None";
        QTest::newRow("Simple1 empty graphic") << 1 << "LeftGraphicFile"
                                               << "" << 7 << "Left Graphic File Name,None"
                                               << "None";
    }
    void values()
    {
        QFETCH(int, writer);
        QFETCH(QString, field);
        QFETCH(QString, input);
        QFETCH(int, line);
        QFETCH(QString, written);
        QFETCH(QString, after);
        TestHome home;
        ScriptRecord job = intakeJob(home.root());
        IntakeBoxTexts boxes = intakeBoxes();
        if (field == QLatin1String("ForefootVarusL"))
            boxes.measurements.ForefootVarus[0] = input;
        else
            *jobField(job, field) = input;
        const QStringList lines = buildWith(writer, job, boxes);
        QCOMPARE(lines.size(), 66);
        QCOMPARE(lines[line - 1], written);
        QCOMPARE(*jobField(job, field), after);
    }

    // The simple writers share the soft record's lines: each label is the
    // one the prescription window's own writer puts there.
    void labelsAgreeWithSoftRecord()
    {
        ScriptRecord job = intakeJob(QStringLiteral("/r"));
        ScriptRecord copy = job;
        const QStringList soft = Build_CSV_EVA(copy);
        auto label = [](const QString &l) { return l.section(u',', 0, 0); };
        for (int writer : {1, 2}) {
            ScriptRecord j = job;
            const QStringList simple = buildWith(writer, j, intakeBoxes());
            QCOMPARE(simple.size(), soft.size());
            for (int i = 0; i < soft.size(); ++i)
                QCOMPARE(label(simple[i]), label(soft[i]));
        }
    }

    // The soft window reads the record it is handed.
    void softReaderTakesIt()
    {
        TestHome home;
        ScriptRecord job = intakeJob(home.root());
        QDir().mkpath(job.CurrentFolder);
        Write_CSV_Simple2(job, intakeBoxes(), 0);
        ScriptRecord read;
        read.CsvFile = job.CsvFile;
        Read_CSV_EVA(read);
        QCOMPARE(read.JobNumber, QStringLiteral("VORMAK0042"));
        QCOMPARE(read.ClientSurname, QStringLiteral("Lee"));
        QCOMPARE(read.PodiatristName, QStringLiteral("Dr Lee"));
        QVERIFY(read.SendConfirmationEmail);
        QCOMPARE(read.FootSizeR, QStringLiteral("10"));
        QCOMPARE(read.TemplateLengthR, 266.5);
        QCOMPARE(read.LeftLcfFile, job.LeftLcfFile);
        QCOMPARE(read.ForefootVarusR, QStringLiteral("12.3"));
        QCOMPARE(read.ExtraHeelDepthL, QStringLiteral("3L"));
        QVERIFY(!read.PriorityReturn);
    }

    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<int>("writer");
        QTest::newRow("Simple1") << 1;
        QTest::newRow("Simple2") << 2;
    }
    void failedWriteKeepsOldFile()
    {
        QFETCH(int, writer);
        TestHome home;
        ScriptRecord job = intakeJob(home.root());
        // A regular file where the folder should be: the write must fail.
        home.write(QStringLiteral("Data/Ann"), "not a folder");
        QVERIFY_THROWS_EXCEPTION(SolvaneError, writeWith(writer, job, intakeBoxes()));
        QCOMPARE(home.read(QStringLiteral("Data/Ann")), QByteArray("not a folder"));
    }
};

QTEST_GUILESS_MAIN(TestSimpleRecords)
#include "tst_simplerecords.moc"
