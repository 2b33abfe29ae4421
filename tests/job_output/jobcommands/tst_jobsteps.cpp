// The window-free steps of the job commands: names, measurements and the
// scan checks, with the scripted prompts.
#include "jobsteps.h"

#include "jobpolicy.h"
#include "prompter.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "testhome.h"

#include <QtTest>

using namespace JobSteps;

namespace {

// The prompts and messages as "kind:text" lines, in their order.
QStringList asked(const ScriptedPrompter &ui)
{
    QStringList out;
    for (const ScriptedPrompter::Call &c : ui.calls)
        out << c.kind + u':' + c.text;
    return out;
}

} // namespace

class TestJobSteps : public QObject
{
    Q_OBJECT

    std::shared_ptr<ScriptedPrompter> ui;

private slots:
    void init() { ui = ScriptedPrompter::install(); }
    void cleanup() { Set_Prompter(nullptr); }

    void clientNames_data()
    {
        using Inputs = QList<std::optional<QString>>;
        QTest::addColumn<QString>("first");
        QTest::addColumn<Inputs>("inputs");
        QTest::addColumn<bool>("given");
        QTest::addColumn<QString>("firstAfter");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("prompts");
        QTest::newRow("both typed already") << "Ann" << Inputs{} << true << "Ann" << QStringList{} << 0;
        QTest::newRow("placeholder asks again")
            << "" << Inputs{QStringLiteral("FirstName"), QStringLiteral("Ann"), QStringLiteral("Lee")} << true << "Ann"
            << QStringList{"first Ann", "surname Lee"} << 3;
        QTest::newRow("cancel stops") << "FirstName" << Inputs{std::nullopt} << false << "" << QStringList{} << 1;
        QTest::newRow("empty surname stops")
            << "" << Inputs{QStringLiteral("Ann"), QString()} << false << "Ann" << QStringList{"first Ann"} << 2;
    }
    void clientNames()
    {
        using Inputs = QList<std::optional<QString>>;
        QFETCH(QString, first);
        QFETCH(Inputs, inputs);
        QFETCH(bool, given);
        QFETCH(QString, firstAfter);
        QFETCH(QStringList, shown);
        QFETCH(int, prompts);
        ScriptRecord job;
        job.ClientFirstName = first;
        job.ClientSurname = first == QLatin1String("Ann") ? QStringLiteral("Lee") : QString();
        for (const auto &input : inputs)
            ui->inputs << input;
        QStringList boxes;

        QCOMPARE(Ask_Client_Names(job,
                                  [&](NamePart part, const QString &name) {
                                      boxes << (part == NamePart::FirstName ? QStringLiteral("first ")
                                                                            : QStringLiteral("surname "))
                                                   + name;
                                  }),
                 given);
        QCOMPARE(job.ClientFirstName, firstAfter);
        QCOMPARE(boxes, shown);
        QCOMPARE(ui->calls.size(), prompts);
        if (prompts > 0) {
            const ScriptedPrompter::Call &c = ui->calls.first();
            QCOMPARE(c.text, QStringLiteral("Enter Client First Name"));
            QCOMPARE(c.defaultText, QStringLiteral("FirstName"));
            QCOMPARE(c.title, QStringLiteral("Enter Client Name"));
            QVERIFY(c.label.isEmpty());
        }
    }

    void measurements_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("leftValues"); // varus/valgus/heel-dot of the left foot after
        const QStringList allPrompts{
            "numeric:Enter Left Foot Varus",           "numeric:Enter Left Foot Valgus",
            "numeric:Enter Right Foot Varus",          "numeric:Enter Right Foot Valgus",
            "numeric:Enter Left Heel to Dot Distance", "numeric:Enter Right Heel to Dot Distance"};
        const QString lengths = QStringLiteral("message:Left Foot: Heel to 1st MPJ Length May Be Incorrect");
        QTest::newRow("all asked, cancelled left varus stores 0")
            << "" << allPrompts + QStringList{lengths, "message:Right Foot: Heel to 1st MPJ Length May Be Incorrect"}
            << "0/2.5/80";
        QTest::newRow("set left varus asks no left pair; 80 and 80.5")
            << "varusL=3 dotL=80 dotR=80.5 lenL=80 lenR=79.9"
            << QStringList{"numeric:Enter Right Foot Varus", "numeric:Enter Right Foot Valgus",
                           "message:Right Foot: Heel to Dot Length May Be Incorrect",
                           "message:Right Foot: Heel to 1st MPJ Length May Be Incorrect"}
            << "3//80";
        QTest::newRow("left STL scan: no left heel prompt or warning")
            << "stlL varusL=1 varusR=1 dotR=20 lenR=100" << QStringList{} << "1//";
        QTest::newRow("cast mode: nothing") << "cast" << QStringList{} << "//";
    }
    void measurements()
    {
        QFETCH(QString, setUp);
        QFETCH(QStringList, expected);
        QFETCH(QString, leftValues);
        ScriptRecord job;
        for (const QString &item : setUp.split(u' ', Qt::SkipEmptyParts)) {
            const QString key = item.section(u'=', 0, 0);
            const QString value = item.section(u'=', 1);
            if (key == QLatin1String("cast"))
                job.CastModeFlag = true;
            if (key == QLatin1String("stlL"))
                job.StlScanFlagL = true;
            if (key == QLatin1String("varusL"))
                job.ForefootVarusL = value;
            if (key == QLatin1String("varusR"))
                job.ForefootVarusR = value;
            if (key == QLatin1String("dotL"))
                job.HeelDotLengthL = value;
            if (key == QLatin1String("dotR"))
                job.HeelDotLengthR = value;
            if (key == QLatin1String("lenL"))
                job.VarusLengthL = value;
            if (key == QLatin1String("lenR"))
                job.VarusLengthR = value;
        }
        // Answers in the order of the prompts of the first row.
        ui->inputs << std::nullopt << QStringLiteral("2.5") << QStringLiteral("1") << QStringLiteral("1")
                   << QStringLiteral("80") << QStringLiteral("80");

        Ask_Missing_Measurements(job);

        QCOMPARE(asked(*ui), expected);
        QCOMPARE(job.ForefootVarusL + u'/' + job.ForefootValgusL + u'/' + job.HeelDotLengthL, leftValues);
        for (const ScriptedPrompter::Call &c : ui->calls) {
            if (c.kind == QLatin1String("numeric"))
                QCOMPARE(c.defaultText, QStringLiteral("0"));
            else
                QCOMPARE(c.icon, Prompter::Icon::Information);
        }
    }

    void scanChecks_data()
    {
        QTest::addColumn<bool>("submit");
        QTest::addColumn<bool>("rigid");
        QTest::addColumn<QStringList>("expected"); // "title: text"
        const QStringList submitted{"Warning: Left Scan File Does Not Exist",
                                    "Warning: Left Texture File Does Not Exist",
                                    "Warning: Right Scan File Does Not Exist"};
        QTest::newRow("soft submit") << true << false << submitted;
        QTest::newRow("rigid submit") << true << true << submitted;
        QTest::newRow("soft save locally") << false << false << QStringList{"Warning: Right Scan File Does Not Exist"};
        QTest::newRow("rigid save locally")
            << false << true
            << QStringList{"Missing File: Left Scan File Does Not Exist", "Warning: Right Scan File Does Not Exist"};
    }
    void scanChecks()
    {
        QFETCH(bool, submit);
        QFETCH(bool, rigid);
        QFETCH(QStringList, expected);
        TestHome home;
        ScriptRecord job;
        job.LeftScanFile = home.path(QStringLiteral("gone_L.Wrl"));
        job.LeftGraphicFile = home.path(QStringLiteral("gone_L.Jpg"));
        job.RightScanFile = QStringLiteral("None");
        home.write(QStringLiteral("Ann_R.Jpg"), "photo");
        job.RightGraphicFile = home.path(QStringLiteral("Ann_R.Jpg"));

        Check_Scan_Files(job, submit ? ScanChecks::Submit : ScanChecks::SaveLocally,
                         rigid ? Rigid_Job_Policy() : Soft_Job_Policy());

        QStringList shown;
        for (const ScriptedPrompter::Call &c : ui->calls) {
            QCOMPARE(c.icon, Prompter::Icon::Warning);
            shown << c.title + QStringLiteral(": ") + c.text;
        }
        QCOMPARE(shown, expected);
        QCOMPARE(job.LeftScanFile, QStringLiteral("None"));
        QCOMPARE(job.RightScanFile, QStringLiteral("None"));
        QCOMPARE(job.LeftGraphicFile, submit ? QStringLiteral("None") : home.path(QStringLiteral("gone_L.Jpg")));
        QCOMPARE(job.RightGraphicFile, home.path(QStringLiteral("Ann_R.Jpg")));
    }

    // "Save Script" names: the short form without scans, "R_" for rigid jobs,
    // the PDFs in the NAS folder in NAS mode.
    void savedScriptNames_data()
    {
        QTest::addColumn<bool>("rigid");
        QTest::addColumn<bool>("scanned");
        QTest::addColumn<bool>("nas");
        QTest::addColumn<QString>("csv");
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<QString>("fullPdf");
        QTest::newRow("soft, no scans") << false << false << false << "/w/AB0042_Default.Csv"
                                        << "/w/AB0042_Default.Pdf"
                                        << "/w/AB0042_Default_L.Pdf";
        QTest::newRow("rigid, no scans") << true << false << false << "/w/R_AB0042_Default.Csv"
                                         << "/w/R_AB0042_Default.Pdf"
                                         << "/w/R_AB0042_Default_L.Pdf";
        QTest::newRow("rigid, scanned, NAS") << true << true << true << "/w/R_AB0042_Ann_Lee.Csv"
                                             << "/nas/R_AB0042_Ann_Lee.Pdf"
                                             << "/nas/R_AB0042_Ann_Lee_L.Pdf";
    }
    void savedScriptNames()
    {
        QFETCH(bool, rigid);
        QFETCH(bool, scanned);
        QFETCH(bool, nas);
        ScriptRecord job;
        job.JobNumber = QStringLiteral("AB0042");
        job.ClientFirstName = QStringLiteral("Ann");
        job.ClientSurname = QStringLiteral("Lee");
        job.CurrentFolder = QStringLiteral("/w");
        job.NasFolder = QStringLiteral("/nas");
        job.NasModeFlag = nas;
        job.LeftScanFile = scanned ? QStringLiteral("/w/Lee_L.Wrl") : QStringLiteral("None");
        job.RightScanFile = QStringLiteral("None");
        job.JobImageFile = QStringLiteral("/w/sketch.Jpg");

        Name_Saved_Script_Files(job, rigid ? JobKind::Rigid : JobKind::Soft);

        QTEST(job.CsvFile, "csv");
        QTEST(job.PdfFile, "pdf");
        QTEST(job.FullPdfFile, "fullPdf");
        QCOMPARE(job.JobImageFile, QStringLiteral("/w/sketch.Jpg"));
    }

    void folderOfARecord_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("folder");
        QTest::newRow("windows") << "C:\\Jobs\\A\\AB0042_Ann_Lee.Csv"
                                 << "C:\\Jobs\\A";
        QTest::newRow("internal") << "/home/clinic/Data/Ann/x.Csv"
                                  << "/home/clinic/Data/Ann";
        QTest::newRow("root") << "/x.Csv"
                              << "/";
    }
    void folderOfARecord()
    {
        QFETCH(QString, file);
        QFETCH(QString, folder);
        QCOMPARE(Folder_Of(file), folder);
    }
};

QTEST_GUILESS_MAIN(TestJobSteps)
#include "tst_jobsteps.moc"
