#include "clock.h"
#include "csveva.h"
#include "errors.h"
#include "rigidjob.h"
#include "rigidrecord.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "sizechart.h"
#include "testhome.h"
#include "textfile.h"

#include <QtTest>

#include <clocale>
#include <functional>

// What a test reads back from the job, as text.
using JobValue = std::function<QString(const ScriptRecord &)>;
Q_DECLARE_METATYPE(JobValue)

namespace {

QStringList goldenLines()
{
    const QString d = QStringLiteral("C:\\3DEriruvu\\Data\\Ann\\");
    return {
        "BRENNICK ORTHOTICS PRESCRIPTION (RIGID)",
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
        "Scan Position,-3,0,deg",
        "Scan Date,08/12/2026,08/12/2026",
        "Scan Time,10:11:12,10:11:12",
        "Dispense Date,24/12/2026",
        "Priority Return,1,0",
        "<INSOLE REQUIREMENTS>",
        "Shell Style,Slim,Standard",
        "Shell Material,Polypropylene (3 mm),Subortholene (3 mm)",
        "Top Cover,FDM Armadillo Black,SLS Nylon Grey,Milled Polypropylene 2mm",
        "Top Cover (Base),Subortholene 2mm,None",
        "Insole Options,Option 1;Option 3,Option 2",
        "Additional Forefoot Padding,Option 4,None",
        "Additional Heel Padding,None,Option 5",
        "Notes,Runs daily; left knee;Call first,",
        "<INSOLE ADJUSTMENTS>",
        "Foot Length,222.0,228.0,mm",
        "Thickness,2.0,2.5,mm",
        "Skive Distance,2.3,0.0,mm",
        "Skive Angle,15,0,deg",
        "Arch Fill,50.0,40.0,%",
        "Heel Lift,3.0,0.0,mm",
        "Arch Expansion,Minimum,None",
        "Heel Expansion,Moderate,Maximum",
        "Medial Flange,4,4.5",
        "Lateral Flange,3,0",
        "Specific Heel Width,58,0",
        "Medial Heel Height,12,11.5",
        "Lateral Heel Height,10,9",
        "Cuboid (Notch),1,0",
        "1st Ray (Notch),2,0",
        "5th Ray (Notch),0,3",
        "Navicular (Notch),1.5,0",
        "Styloid Process (Notch),0,2.5",
        "Cuboid (Shell),1,1.25",
        "1st Ray (Shell),0,2",
        "5th Ray (Shell),3,0",
        "Navicular (Shell),0,1",
        "Styloid Process (Shell),2,0",
        "Heel Aperture,6,0",
        "EVA Morton Extension,1,0",
        "Reverse Morton Extension,0,2",
        "Forefoot Valgus Wedge,3,0",
        "Forefoot Varus Wedge,0,4",
        "EVA Arch Fill,True,False",
        "Contoured Arch Fill,True,False",
        "Flat Arch Fill,True,False",
        "Lateral Border Post,5,0",
        "PPT Cuboid Notch,2,0",
        "MetDome,S,2",
        "Metatarsal Pad,Metpad Small,Custom",
        "Spare1,0,0,mm",
        "Spare2,0,0,mm",
        "Spare3,0,0,mm",
        "Spare4,0,0,mm",
        "<FOOT DIMENSIONS>",
        "Forefoot Varus,4.0,3.5,deg",
        "Forefoot Valgus,,2.3,deg",
        "Varus Length,180.0,182.5,mm",
        "Heel-Dot Length,42.0,40.0,mm",
        "Shell Length,Short,Standard,mm",
        "Heel Width,62,60",
        "Forefoot Width,85,84",
        "Peak Arch Height,18,17",
        "Heel Cup Medial,14,13",
        "Heel Cup Lateral,12,11",
        "Arch Height Medial,20,19",
        "Arch Height Lateral,9,8",
        "<FOOT POST>",
        "Deep Heel,Half Width,None",
        "Lateral FlagH,True,False",
        "Deep Heel Dist,10,0",
        "Deep Heel Rot,4.5,0",
        "Medial Length,30,0",
        "Lateral Length,20,0",
        "Inversion Angle,4,0",
        "Eversion Angle,0,2",
        "Sagital Angle,1.5,0",
        "Deep Toe,Quarter Width,None",
        "Lateral FlagF,False,True",
        "Deep Toe Dist,0,15",
        "Rear Post Length,45.5,0",
        "Draft Angle,True,False",
        "Spare5,0,0,mm",
        "Spare6,0,0,mm",
        "Spare7,0,0,mm",
        "Spare8,0,0,mm",
        "<PFA>",
        "PFA,5,0,mm",
        "PFA Shape,2,0",
        "END",
    };
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Lines of a golden record with one line replaced (n from 1).
QStringList goldenWith(int n, const QString &line)
{
    QStringList lines = goldenLines();
    lines[n - 1] = line;
    return lines;
}

// Numbers are written and read with "." whatever the desktop's language.
class GermanNumbers
{
public:
    GermanNumbers()
        : m_locale(QLocale())
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
    ~GermanNumbers()
    {
        QLocale::setDefault(m_locale);
        std::setlocale(LC_ALL, "C");
    }

private:
    QLocale m_locale;
};

} // namespace

class TestRigidRecord : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_prompter = ScriptedPrompter::install();
        Clock::setSource([] { return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)); });
        Set_Status(QStringLiteral("before"));
    }
    void cleanup() { Clock::setSource({}); }

    void goldenBytes_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("system language") << false;
        QTest::newRow("German language") << true;
    }
    void goldenBytes()
    {
        QFETCH(bool, german);
        std::optional<GermanNumbers> language;
        if (german)
            language.emplace();
        TestHome home;
        ScriptRecord job = fullRigidJob(home.root());
        QDir().mkpath(job.CurrentFolder);
        Write_CSV_Rigid(job);
        const QByteArray bytes = readFile(job.CsvFile);
        QCOMPARE(bytes, textfile::encode1252(goldenLines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        QVERIFY(bytes.contains("Client First Name,Zo\xEB\r\n")); // one Windows-1252 byte
        QCOMPARE(bytes.count("\r\n"), kRigidRecordLines);

        // The writer's changes stay in the job.
        QCOMPARE(job.RightLcfFile, job.CurrentFolder + QStringLiteral("/Lee_Zoë_R.Lcf"));
        QCOMPARE(job.TopCoverL, QStringLiteral("FDM Armadillo Black,SLS Nylon Grey"));
        QCOMPARE(job.InsoleOptionsL, QStringLiteral("Option 1;Option 3"));
        QCOMPARE(job.Notes, QStringLiteral("Runs daily; left knee;Call first"));
    }

    void readsBackWhatItWrote()
    {
        TestHome home;
        ScriptRecord written = fullRigidJob(home.root());
        QDir().mkpath(written.CurrentFolder);
        Write_CSV_Rigid(written);
        const QByteArray first = readFile(written.CsvFile);

        ScriptRecord read;
        QVERIFY(Read_Csv_Rigid(read, written.CsvFile));
        QCOMPARE(Last_Status(), QStringLiteral("CSV (Rigid) File Data OK"));
        QVERIFY(m_prompter->calls.isEmpty());

        // What the record cannot carry as it was, by the format itself.
        QCOMPARE(read.ReprocessedFromJob, QStringLiteral("VORMAK0042"));
        QCOMPARE(read.TopCoverL, QStringLiteral("FDM Armadillo Black")); // the joined lines spill over
        QCOMPARE(read.TopCoverR, QStringLiteral("SLS Nylon Grey"));
        QCOMPARE(read.ForefootVarusL, QStringLiteral("4.0"));
        QCOMPARE(read.ForefootValgusL, QString());
        QCOMPARE(read.ForefootValgusR, QStringLiteral("2.3"));
        QCOMPARE(read.HeelDotLengthL, QStringLiteral("42.0"));
        // What the readers restore beyond the line-by-line reading.
        QCOMPARE(read.PodiatristName, QStringLiteral("Dr Hale"));
        QVERIFY(read.SendConfirmationEmail);
        QVERIFY(read.PriorityReturn);
        QVERIFY(!read.ConfirmBeforeManufacture);
        QCOMPARE(read.Notes, written.Notes);
        // Lines 5 and 6 give back the model and its scan, not the model as the scan.
        QCOMPARE(read.LeftLcfFile, written.LeftLcfFile);
        QCOMPARE(read.LeftScanFile, written.LeftScanFile);
        QCOMPARE(read.RightLcfFile, written.RightLcfFile);
        QCOMPARE(read.RightScanFile, written.RightScanFile);
        QCOMPARE(read.LeftGraphicFile, written.LeftGraphicFile);
        QCOMPARE(read.PdfFile, written.PdfFile);
        QCOMPARE(read.ClientFirstName, QStringLiteral("Zoë"));
        QVERIFY(read.EvaArchFillL && read.ContouredArchFillL && read.FlatArchFillL);
        QVERIFY(!read.EvaArchFillR && !read.ContouredArchFillR && !read.FlatArchFillR);

        // Every other value comes back as written: writing the read job again
        // changes the top cover line only.
        ScriptRecord again = read;
        const QStringList a = Build_CSV_Rigid(written);
        const QStringList b = Build_CSV_Rigid(again);
        QStringList changed;
        for (int i = 0; i < kRigidRecordLines; ++i)
            if (a[i] != b[i])
                changed << a[i].section(u',', 0, 0);
        QCOMPARE(changed, QStringList{"Top Cover"});

        // From then on, open-save cycles keep the bytes.
        read.CsvFile = written.CsvFile;
        Write_CSV_Rigid(read);
        const QByteArray settled = readFile(read.CsvFile);
        QVERIFY(settled != first);
        for (int cycle = 0; cycle < 2; ++cycle) {
            ScriptRecord reopened;
            QVERIFY(Read_Csv_Rigid(reopened, read.CsvFile));
            reopened.CsvFile = read.CsvFile;
            reopened.CurrentFolder = read.CurrentFolder;
            Write_CSV_Rigid(reopened);
            QCOMPARE(readFile(read.CsvFile), settled);
            QCOMPARE(reopened.PodiatristName, QStringLiteral("Dr Hale"));
        }
    }

    void writerPaths_data()
    {
        QTest::addColumn<QString>("leftScan");
        QTest::addColumn<QString>("rightScan");
        QTest::addColumn<QString>("leftLcf");
        QTest::addColumn<QString>("line5");
        QTest::addColumn<QString>("line6");
        QTest::addColumn<QString>("line7");
        QTest::addColumn<QString>("leftLcfAfter"); // "@/" is CurrentFolder
        const QString d = QStringLiteral("C:\\3DEriruvu\\Data\\Ann\\");
        QTest::newRow("bare model name") << "L.Wrl"
                                         << "R.Wrl"
                                         << "L.Lcf" << d + "L.Lcf" << d + "R.Lcf" << d + "L.Jpg"
                                         << "@/L.Lcf";
        QTest::newRow("None clears the graphic") << "L.Wrl"
                                                 << "R.Wrl"
                                                 << "None"
                                                 << "None" << d + "R.Lcf"
                                                 << "None"
                                                 << "None";
        QTest::newRow("empty model") << "L.Wrl"
                                     << "R.Wrl"
                                     << ""
                                     << "None" << d + "R.Lcf"
                                     << "None"
                                     << "None";
        QTest::newRow("Giannone keeps her files")
            << "Giannone_L.Wrl"
            << "R.Wrl"
            << "Giannone_L.Lcf" << d + "Giannone_L.Lcf" << d + "R.Lcf" << d + "L.Jpg"
            << "@/Giannone_L.Lcf";
        // Each foot by its own scan.
        QTest::newRow("left VRML, right STL") << "L.Wrl"
                                              << "R.STL"
                                              << "L.Lcf" << d + "L.Lcf" << d + "R.STL" << d + "L.Jpg"
                                              << "@/L.Lcf";
        QTest::newRow("left STL, right VRML") << "L.stl"
                                              << "R.Wrl"
                                              << "L.Lcf" << d + "L.stl" << d + "R.Lcf" << d + "L.Jpg"
                                              << "@/L.Lcf";
        QTest::newRow("folder named stl") << "stl/L.Wrl"
                                          << "R.Wrl"
                                          << "L.Lcf" << d + "L.Lcf" << d + "R.Lcf" << d + "L.Jpg"
                                          << "@/L.Lcf";
    }
    void writerPaths()
    {
        QFETCH(QString, leftScan);
        QFETCH(QString, rightScan);
        QFETCH(QString, leftLcf);
        QFETCH(QString, line5);
        QFETCH(QString, line6);
        QFETCH(QString, line7);
        QFETCH(QString, leftLcfAfter);
        TestHome home;
        ScriptRecord job = fullRigidJob(home.root());
        const QString folder = job.CurrentFolder + u'/';
        job.LeftScanFile = folder + leftScan;
        job.RightScanFile = folder + rightScan;
        job.LeftLcfFile = leftLcf;
        job.RightLcfFile = folder + QStringLiteral("R.Lcf");
        job.LeftGraphicFile = folder + QStringLiteral("L.Jpg");
        const QStringList lines = Build_CSV_Rigid(job);
        QCOMPARE(lines[4], QStringLiteral("Left Scan File Name,") + line5);
        QCOMPARE(lines[5], QStringLiteral("Right Scan File Name,") + line6);
        QCOMPARE(lines[6], QStringLiteral("Left Graphic File Name,") + line7);
        QCOMPARE(job.LeftLcfFile, leftLcfAfter.replace(QStringLiteral("@/"), folder));
    }

    void commasTypedIntoValues()
    {
        ScriptRecord job = fullRigidJob(QStringLiteral("/r"));
        job.ClientSurname = QStringLiteral("Lee, Jr");
        job.ShellMaterialL = QStringLiteral("Poly, 3 mm");
        job.TopCoverR = QStringLiteral("Vinyl, blue\nPoron");
        const QStringList lines = Build_CSV_Rigid(job);
        QCOMPARE(lines[9], QStringLiteral("Client Surname,Lee; Jr"));
        QCOMPARE(lines[25], QStringLiteral("Shell Material,Poly; 3 mm,Subortholene (3 mm)"));
        QCOMPARE(lines[26], QStringLiteral("Top Cover,FDM Armadillo Black,SLS Nylon Grey,Vinyl; blue,Poron"));
    }

    void firstLine_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("rigid");
        QTest::newRow("begins with RIGID") << "RIGID ORTHOTICS PRESCRIPTION" << false;
        QTest::newRow("ends in rigid") << "BRENNICK ORTHOTICS PRESCRIPTION (rigid)" << true;
        QTest::newRow("no RIGID") << "BRENNICK ORTHOTICS PRESCRIPTION" << false;
        QTest::newRow("RIGID after one character") << "(RIGID)" << true;
        QTest::newRow("empty") << "" << false;
    }
    void firstLine()
    {
        QFETCH(QString, title);
        QFETCH(bool, rigid);
        TestHome home;
        const QString path = home.path(QStringLiteral("Data/R_x.Csv"));
        home.write(QStringLiteral("Data/R_x.Csv"),
                   textfile::encode1252(goldenWith(1, title).join(QStringLiteral("\r\n"))));
        ScriptRecord job = fullRigidJob(home.root());
        job.JobNumber = QStringLiteral("KEEP0001");
        QCOMPARE(Read_Csv_Rigid(job, path), rigid);
        if (rigid) {
            QCOMPARE(job.JobNumber, QStringLiteral("VORMAK0042"));
            QVERIFY(m_prompter->calls.isEmpty());
            return;
        }
        QCOMPARE(job.JobNumber, QStringLiteral("KEEP0001"));
        QCOMPARE(Last_Status(), QStringLiteral("before"));
        QCOMPARE(m_prompter->calls.size(), 1);
        QCOMPARE(m_prompter->calls[0].text, QStringLiteral("This is Not a Rigid Script"));
        QCOMPARE(m_prompter->calls[0].title, QStringLiteral("Warning"));
        QCOMPARE(m_prompter->calls[0].icon, Prompter::Icon::Warning);
    }

    void lastLine_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("status");
        QTest::newRow("END") << "END"
                             << "CSV (Rigid) File Data OK";
        QTest::newRow("end") << "end"
                             << "CSV (Rigid) File Data OK";
        QTest::newRow("something else") << "ENDE"
                                        << "before";
    }
    void lastLine()
    {
        QFETCH(QString, last);
        QFETCH(QString, status);
        TestHome home;
        home.write(QStringLiteral("R.Csv"),
                   textfile::encode1252(goldenWith(kRigidRecordLines, last).join(QStringLiteral("\r\n"))));
        ScriptRecord job;
        QVERIFY(Read_Csv_Rigid(job, home.path(QStringLiteral("R.Csv"))));
        QCOMPARE(job.ClientSurname, QStringLiteral("Lee")); // the values read stay
        QCOMPARE(Last_Status(), status);
    }

    void fieldReadings_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("left"); // what the job holds afterwards, as text
        using Reading = JobValue;
        QTest::addColumn<Reading>("value");
        const Reading eva = [](const ScriptRecord &j) { return QVariant(j.EvaArchFillL).toString(); };
        for (const char *yes : {"TRUE", "true", "1", "-1", "2.5"})
            QTest::addRow("yes/no %s", yes) << 62 << QStringLiteral("EVA Arch Fill,%1,False").arg(yes) << "true" << eva;
        for (const char *no : {"false", "FALSE", "0", "abc", ""})
            QTest::addRow("yes/no '%s'", no) << 62 << QStringLiteral("EVA Arch Fill,%1,True").arg(no) << "false" << eva;
        const Reading size = [](const ScriptRecord &j) { return j.FootSizeL + u'|' + j.FootSizeR; };
        QTest::newRow("size 9.0 is 9") << 17 << "Foot Size,9.0,10.50"
                                       << "9|10.5" << size;
        QTest::newRow("size not set stays unset") << 17 << "Foot Size,,"
                                                  << "|" << size;
        QTest::newRow("podiatrist ;N") << 12 << "Podiatrist Name,Dr Hale;N"
                                       << "Dr Hale false" << Reading([](const ScriptRecord &j) {
                                              return j.PodiatristName + u' '
                                                     + QVariant(j.SendConfirmationEmail).toString();
                                          });
        QTest::newRow("notes lose the closing comma")
            << 32 << "Notes,First;Second,"
            << "First;Second" << Reading([](const ScriptRecord &j) { return j.Notes; });
        QTest::newRow("top cover holding a comma")
            << 27 << "Top Cover,Vinyl,blue,Poron"
            << "Vinyl|blue" << Reading([](const ScriptRecord &j) { return j.TopCoverL + u'|' + j.TopCoverR; });
        QTest::newRow("regional number read with a point")
            << 34 << "Foot Length,245.5,0.0,mm"
            << "245.5" << Reading([](const ScriptRecord &j) { return QString::number(j.FootLengthL); });
        QTest::newRow("heel cup as number text")
            << 82 << "Heel Cup Medial,14.0 mm,x"
            << "14|0" << Reading([](const ScriptRecord &j) { return j.HeelCupMedialL + u'|' + j.HeelCupMedialR; });
        QTest::newRow("graphic None keeps the path")
            << 7 << "Left Graphic File Name,None"
            << "kept.Jpg" << Reading([](const ScriptRecord &j) { return j.LeftGraphicFile; });
        QTest::newRow("ticks of line 23") << 23 << "Priority Return,0,1"
                                          << "false true" << Reading([](const ScriptRecord &j) {
                                                 return QVariant(j.PriorityReturn).toString() + u' '
                                                        + QVariant(j.ConfirmBeforeManufacture).toString();
                                             });
    }
    void fieldReadings()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(QString, left);
        QFETCH(JobValue, value);
        ScriptRecord job;
        job.LeftGraphicFile = QStringLiteral("kept.Jpg");
        QVERIFY(Parse_Csv_Rigid(job, goldenWith(line, text), QStringLiteral("R.Csv")));
        QCOMPARE(value(job), left);
    }

    void germanLanguageReadsPoints()
    {
        GermanNumbers language;
        ScriptRecord job;
        QVERIFY(Parse_Csv_Rigid(job, goldenLines(), QStringLiteral("R.Csv")));
        QCOMPARE(job.ThicknessR, 2.5);
        QCOMPARE(job.MedialFlangeR, 4.5);
        QCOMPARE(job.RearPostLengthL, 45.5);
    }

    void templateLengthOfTheCurrentFoot_data()
    {
        QTest::addColumn<QString>("currentFoot");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        // Size 8 and 8.5 for "Female": 247 and 253 by the chart; the record says 250 and 260.
        QTest::newRow("Left") << "Left" << 247.0 << 260.0;
        QTest::newRow("Right") << "Right" << 250.0 << 253.0;
        QTest::newRow("none") << "" << 250.0 << 260.0;
    }
    void templateLengthOfTheCurrentFoot()
    {
        QFETCH(QString, currentFoot);
        QFETCH(double, left);
        QFETCH(double, right);
        ScriptRecord job;
        Set_Default_Sizes(job);
        job.CurrentFoot = currentFoot;
        QVERIFY(Parse_Csv_Rigid(job, goldenWith(18, QStringLiteral("Template Length,250.0,260.0")),
                                QStringLiteral("R.Csv")));
        QCOMPARE(job.TemplateLengthL, left);
        QCOMPARE(job.TemplateLengthR, right);
    }

    void incompleteRecordsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QStringList lines = goldenLines();
        lines.removeLast();
        QTest::newRow("107 lines") << textfile::encode1252(lines.join(QStringLiteral("\r\n")));
        QTest::newRow("title only") << QByteArray("BRENNICK ORTHOTICS PRESCRIPTION (RIGID)\r\n");
        QTest::newRow("empty") << QByteArray();
    }
    void incompleteRecordsChangeNothing()
    {
        QFETCH(QByteArray, content);
        TestHome home;
        home.write(QStringLiteral("Data/R_bad.Csv"), content);
        const QString path = home.path(QStringLiteral("Data/R_bad.Csv"));
        ScriptRecord job = fullRigidJob(home.root());
        try {
            Read_Csv_Rigid(job, path);
            QFAIL("an incomplete record was accepted");
        } catch (const SolvaneError &e) {
            QCOMPARE(e.description(), path + QStringLiteral(" is not a complete script record"));
        }
        QCOMPARE(job.JobNumber, QStringLiteral("VORMAK0042"));
        QCOMPARE(job.ShellStyleL, QStringLiteral("Slim"));
        QCOMPARE(Last_Status(), QStringLiteral("before"));
        QVERIFY(m_prompter->calls.isEmpty());
    }

    void missingFileThrows()
    {
        TestHome home;
        ScriptRecord job;
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Read_Csv_Rigid(job, home.path(QStringLiteral("Data/none.Csv"))));
    }

    // The rigid intake's prepared record: the soft layout under the rigid title.
    void softLayoutGivesTheJobDataOnly()
    {
        ScriptRecord soft;
        soft.JobNumber = QStringLiteral("AB0042");
        soft.ClientFirstName = QStringLiteral("Ann");
        soft.ClientSurname = QStringLiteral("Lee");
        soft.Gender = QStringLiteral("Male");
        soft.PodiatristName = QStringLiteral("Dr Hale");
        soft.SendConfirmationEmail = true;
        soft.LeftLcfFile = QStringLiteral("/scans/Lee_Ann_L.Lcf");
        soft.LeftScanFile = QStringLiteral("/scans/Lee_Ann_L.Wrl");
        soft.FootSizeL = soft.FootSizeR = QStringLiteral("9");
        soft.TemplateLengthL = soft.TemplateLengthR = 270;
        soft.DispenseDate = QStringLiteral("15/12/2026");
        soft.PriorityReturn = true;
        soft.ScanDateL = QStringLiteral("01/12/2026");
        soft.Notes = QStringLiteral("soft notes");
        QStringList lines = Build_CSV_EVA(soft);
        lines[0] = QStringLiteral("BRENNICK ORTHOTICS PRESCRIPTION (RIGID)");

        TestHome home;
        home.write(QStringLiteral("Data/R_AB0042_Ann_Lee.Csv"),
                   textfile::encode1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        ScriptRecord job = fullRigidJob(home.root());
        QVERIFY(Read_Csv_Rigid(job, home.path(QStringLiteral("Data/R_AB0042_Ann_Lee.Csv"))));
        QVERIFY(m_prompter->calls.isEmpty());
        QCOMPARE(Last_Status(), QStringLiteral("CSV (Rigid) File Data OK"));

        // Lines 2 to 18 and the dispense date.
        QCOMPARE(job.JobNumber, QStringLiteral("AB0042"));
        QCOMPARE(job.ClientFirstName, QStringLiteral("Ann"));
        QCOMPARE(job.Gender, QStringLiteral("Male"));
        QCOMPARE(job.PodiatristName, QStringLiteral("Dr Hale"));
        QVERIFY(job.SendConfirmationEmail);
        QCOMPARE(job.LeftLcfFile, QStringLiteral("/scans/Lee_Ann_L.Lcf"));
        QCOMPARE(job.LeftScanFile, QStringLiteral("/scans/Lee_Ann_L.Wrl"));
        QCOMPARE(job.FootSizeL, QStringLiteral("9"));
        QCOMPARE(job.TemplateLengthR, 270.0);
        QCOMPARE(job.DispenseDate, QStringLiteral("15/12/2026")); // never the "0" of the priority line
        // Nothing of the soft layout's later lines lands in rigid values.
        QCOMPARE(job.ScanDateL, QStringLiteral("08/12/2026"));
        QCOMPARE(job.ScanPositionL, QStringLiteral("-3"));
        QCOMPARE(job.ShellStyleL, QStringLiteral("Slim"));
        QCOMPARE(job.Notes, QStringLiteral("Runs daily, left knee\r\nCall first"));
        QVERIFY(!job.ConfirmBeforeManufacture);
        QCOMPARE(job.ThicknessR, 2.5);
    }

    void failedWriteKeepsOldFile()
    {
        TestHome home;
        ScriptRecord job = fullRigidJob(home.root());
        home.write(QStringLiteral("Data/Ann"), "not a folder");
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Write_CSV_Rigid(job));
        QCOMPARE(home.read(QStringLiteral("Data/Ann")), QByteArray("not a folder"));
    }

private:
    std::shared_ptr<ScriptedPrompter> m_prompter;
};

QTEST_GUILESS_MAIN(TestRigidRecord)
#include "tst_rigidrecord.moc"
