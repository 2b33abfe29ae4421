#include "drawingpanetab.h"
#include "rigidtestsupport.h"

#include "gridcontrol.h"
#include "rigidgrid.h"
#include "rigidhooks.h"
#include "scriptform2.h"

#include "prescriptionjob.h"
#include "rigidrecord.h"
#include "scriptrecord.h"
#include "textfile.h"

#include "core/rigidjob.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <functional>

namespace {

template <typename T = QWidget>
T *control(QWidget *form, const QString &name)
{
    T *w = form->findChild<T *>(name);
    if (!w)
        qWarning("no control %s", qPrintable(name));
    return w;
}

QString boxText(QWidget *form, const QString &name)
{
    if (auto *e = form->findChild<QLineEdit *>(name))
        return e->text();
    if (auto *c = form->findChild<QComboBox *>(name))
        return c->currentText();
    if (auto *b = form->findChild<QCheckBox *>(name))
        return b->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return QStringLiteral("<missing>");
}

using JobText = std::function<QString(const ScriptRecord &)>;

class RecordingCommands : public RigidJobCommands
{
public:
    QStringList calls;
    void Submit_Job(ScriptForm2 &) override { calls << "Submit"; }
    void Save_Job_Locally(ScriptForm2 &) override { calls << "SaveLocally"; }
    void Next_Job(ScriptForm2 &) override { calls << "Next"; }
    void New_Grid(ScriptForm2 &) override { calls << "NewGrid"; }
    void Upload_To_Database(ScriptForm2 &) override { calls << "Upload"; }
    void Save_Script(ScriptForm2 &) override { calls << "SaveScript"; }
    void Open_Script(ScriptForm2 &) override { calls << "OpenScript"; }
};

void focusOut(QWidget *box)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &out);
}

} // namespace

Q_DECLARE_METATYPE(JobText)

class TestScriptForm2 : public QObject
{
    Q_OBJECT

private slots:
    void newJob_data()
    {
        QTest::addColumn<JobText>("value");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *name, JobText value, const QString &expected) {
            QTest::newRow(name) << value << expected;
        };
        using J = const ScriptRecord &;
        row(
            "job number", [](J j) { return j.JobNumber; }, "AB0042");
        row(
            "job number box", [](J) { return boxText(Windows().loaded("ScriptForm2"), "rText1"); }, "AB0042");
        row(
            "gender", [](J j) { return j.Gender; }, "Male");
        row(
            "reprocessed from", [](J j) { return j.ReprocessedFromJob; }, "");
        row(
            "clinic job number", [](J j) { return j.ClinicJobNumber; }, "");
        row(
            "podiatrist", [](J j) { return j.PodiatristName; }, "No Names Available");
        row(
            "clinic", [](J j) { return j.ClinicName; }, "No Names Available");
        row(
            "podiatrist list", [](J) { return boxText(Windows().loaded("ScriptForm2"), "rCombo2"); },
            "No Names Available");
        row(
            "ticks in job",
            [](J j) {
                return QStringLiteral("%1%2%3")
                    .arg(j.PriorityReturn)
                    .arg(j.ConfirmBeforeManufacture)
                    .arg(j.SendConfirmationEmail);
            },
            "001");
        row(
            "ticks in boxes",
            [](J) {
                QWidget *f = Windows().loaded("ScriptForm2");
                return boxText(f, "rCheck1") + boxText(f, "rCheck2") + boxText(f, "rCheck3");
            },
            "001");
        row(
            "dispense date", [](J j) { return j.DispenseDate + u' ' + j.DispenseDateNote; }, "15/12/2026 (default)");
        row(
            "dispense date box", [](J) { return boxText(Windows().loaded("ScriptForm2"), "rText29"); }, "15/12/2026");
        row(
            "widths",
            [](J j) {
                return QStringList{j.HeelWidthL, j.HeelWidthR, j.ForefootWidthL, j.ForefootWidthR}.join(u',');
            },
            "0,0,0,0");
        row(
            "shell length from the grid", [](J j) { return j.ShellLengthL + u',' + j.ShellLengthR; },
            "Standard,Standard");
        row(
            "skive angle", [](J j) { return j.SkiveAngleL + u',' + j.SkiveAngleR; }, "0.0,0.0");
        row(
            "scan date", [](J j) { return j.ScanDateL + u' ' + j.ScanTimeR; }, "08/12/2026 09:30:15");
        row(
            "scan date boxes",
            [](J) {
                QWidget *f = Windows().loaded("ScriptForm2");
                return boxText(f, "rText41_0") + u' ' + boxText(f, "rText42_1");
            },
            "08/12/2026 09:30:15");
        row(
            "pdf names the client", [](J j) { return QFileInfo(j.PdfFile).fileName(); },
            "R_AB0042_FirstName_Surname.Pdf");
        row(
            "pdf box",
            [](J j) { return boxText(Windows().loaded("ScriptForm2"), "rText2") == j.PdfFile ? "same" : "differs"; },
            "same");
        row(
            "shell style default", [](J j) { return j.ShellStyleL; }, "Standard");
        row(
            "rigid table read", [](J j) { return QString::number(j.ShellMaterialTableCount); }, "2");
        row(
            "graphics tab flag", [](J j) { return QString::number(j.GraphicsTabFlag); }, "1");
    }
    void newJob()
    {
        QFETCH(JobText, value);
        QFETCH(QString, expected);
        RigidFixture f;
        ScriptForm2 *form = f.open();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(value(Job()), expected);
        QCOMPARE(f.prompter->messages(), QStringList{});
        QCOMPARE(form->windowTitle(), QStringLiteral("Rigid Orthotic Script File"));
        QCOMPARE(control<QTabWidget>(form, "SSTab1")->currentIndex(), 0);
    }

    void controlsCarryTheirCaptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const char *rows[][2] = {
            {"rText1", "Job Number"},
            {"rText48", "Patient File Number"},
            {"rText2", "PDF Output File"},
            {"rText3_0", "Left Scan File"},
            {"rText3_1", "Right Scan File"},
            {"rText37_0", "Left Graphic File"},
            {"rText37_1", "Right Graphic File"},
            {"rText38", "Client First Name"},
            {"rText49", "Client Surname"},
            {"rText41_0", "Scan Date Left"},
            {"rText42_1", "Scan Time Right"},
            {"rText43", "Operator Code"},
            {"rText44", "Scanner ID"},
            {"rText29", "Dispense Date"},
            {"rCombo2", "Podiatrist Name"},
            {"rCombo3", "Clinic Name"},
            {"rCombo8", "User"},
            {"rCheck1", "Priority Return"},
            {"rCheck2", "Confirm Before Manufacture"},
            {"rCheck3", "Send Confirmation E-Mail"},
            {"Command1", "QUIT"},
            {"Command2", "Submit Job to Laboratory"},
            {"Command3", "Save Job Locally"},
            {"Command4", "Next Job"},
            {"Command6", "New Grid"},
            {"Command7", "Upload to Database"},
            {"Command8", "Save Script"},
            {"Command9", "Open Script"},
            {"Command10", "Sizes"},
            {"Command20", "Print Options"},
            {"Command21", "Graphic Image"},
            {"Command11", "Files"},
            {"Command18", "Utility"},
            {"Command19", "Left Foot"},
            {"Command25", "Save Image"},
        };
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]);
    }
    void controlsCarryTheirCaptions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        RigidFixture f;
        ScriptForm2 *form = f.open();
        QWidget *w = control(form, name);
        QVERIFY(w);
        QCOMPARE(w->accessibleName(), caption);
    }

    void graphicsTabHostsThePane()
    {
        RigidFixture f;
        ScriptForm2 *form = f.open();
        for (const char *name : {"Vecad2", "ImageX1", "rLabel20", "rLabel42", "rLabel43", "rLabel49"})
            QVERIFY2(form->findChild<QWidget *>(QString::fromLatin1(name)), name);
        const QStringList tabs = {"Job Data", "Foot Data", "Graphics"};
        auto *tabWidget = control<QTabWidget>(form, "SSTab1");
        for (int i = 0; i < 3; ++i)
            QCOMPARE(tabWidget->tabText(i), tabs[i]);
        QCOMPARE(f.pane->loads, 1); // the opening builds the pane once
    }

    void namingFollowsTheClient()
    {
        RigidFixture f;
        ScriptForm2 *form = f.open();
        const QString folder = Job().CurrentFolder;
        control<QLineEdit>(form, "rText38")->setText("Ann");
        control<QLineEdit>(form, "rText49")->setText("Lee");
        QCOMPARE(Job().PdfFile, folder + "/R_AB0042_Ann_Lee.Pdf");
        QCOMPARE(Job().FullPdfFile, folder + "/R_AB0042_Ann_Lee_L.Pdf");
        QCOMPARE(Job().CsvFile, folder + "/R_AB0042_Ann_Lee.Csv");
        QCOMPARE(boxText(form, "rText2"), Job().PdfFile);

        control<QLineEdit>(form, "rText38")->clear();
        QCOMPARE(Job().ClientFirstName, QString());
        QCOMPARE(Job().PdfFile, folder + "/R_AB0042__Lee.Pdf");
    }

    void pdfsGoToTheNasFolderInNasMode()
    {
        RigidFixture f;
        Job().NasModeFlag = true;
        Job().NasFolder = f.home.path("Nas");
        ScriptForm2 *form = f.open();
        control<QLineEdit>(form, "rText49")->setText("Lee");
        QCOMPARE(Job().PdfFile, f.home.path("Nas/R_AB0042_FirstName_Lee.Pdf"));
        QCOMPARE(Job().CsvFile, Job().CurrentFolder + "/R_AB0042_FirstName_Lee.Csv");
    }

    void userChoiceRenamesThePdfOnly()
    {
        RigidFixture f;
        Job().CurrentUser = "ClinicA";
        Job().UserList = "ClinicA,ClinicB";
        ScriptForm2 *form = f.open();
        auto *users = control<QComboBox>(form, "rCombo8");
        QVERIFY(!users->isHidden());
        QCOMPARE(users->count(), 2);
        const QString fullPdf = Job().FullPdfFile;
        const QString csv = Job().CsvFile;
        Job().ClientSurname = "Ng"; // changed behind the boxes: only a rename shows it
        users->setCurrentIndex(1);
        QCOMPARE(Job().CurrentUser, QStringLiteral("ClinicB"));
        QCOMPARE(Job().PdfFile, Job().CurrentFolder + "/R_AB0042_FirstName_Ng.Pdf");
        QCOMPARE(boxText(form, "rText2"), Job().PdfFile);
        QCOMPARE(Job().FullPdfFile, fullPdf);
        QCOMPARE(Job().CsvFile, csv);
    }

    void oneUserHidesTheUserList()
    {
        RigidFixture f;
        ScriptForm2 *form = f.open();
        QVERIFY(control<QComboBox>(form, "rCombo8")->isHidden());
        QCOMPARE(Job().CurrentUser, QStringLiteral("ClinicA"));
    }

    void nameListsFillTheCombos()
    {
        RigidFixture f;
        f.home.write("Podiatrist.Cfg", "Podiatrists\r\nDr Ann Lee\r\nDr Tom Hart\r\nEnd\r\nDr Never\r\n");
        ScriptForm2 *form = f.open();
        auto *podiatrists = control<QComboBox>(form, "rCombo2");
        QCOMPARE(podiatrists->count(), 2);
        QCOMPARE(Job().PodiatristName, QStringLiteral("Dr Ann Lee"));
        podiatrists->setCurrentIndex(1);
        QCOMPARE(Job().PodiatristName, QStringLiteral("Dr Tom Hart"));
        podiatrists->setEditText("Dr Typed");
        QCOMPARE(Job().PodiatristName, QStringLiteral("Dr Typed"));
        QCOMPARE(Job().ClinicName, QStringLiteral("No Names Available"));
    }

    void dispenseDateNote_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("note");
        QTest::newRow("default") << "15/12/2026"
                                 << "(default)";
        QTest::newRow("other day") << "16/12/2026"
                                   << "";
        QTest::newRow("with time") << "15/12/2026 09:30"
                                   << "";
    }
    void dispenseDateNote()
    {
        QFETCH(QString, typed);
        QFETCH(QString, note);
        RigidFixture f;
        ScriptForm2 *form = f.open();
        control<QLineEdit>(form, "rText29")->setText("x");
        control<QLineEdit>(form, "rText29")->setText(typed);
        QCOMPARE(Job().DispenseDate, typed);
        QCOMPARE(Job().DispenseDateNote, note);
    }

    void scanDatesComeFromTheScanFiles()
    {
        RigidFixture f;
        f.home.write("Data/Lee_L.Wrl", "#VRML V2.0 utf8\n");
        QFile scan(f.home.path("Data/Lee_L.Wrl"));
        QVERIFY(scan.open(QIODevice::ReadWrite));
        QVERIFY(scan.setFileTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)), QFileDevice::FileModificationTime));
        scan.close();
        Job().LeftScanFile = f.home.path("Data/Lee_L.Wrl");
        Job().RightScanFile = f.home.path("Data/gone_R.Wrl"); // names no file: today stays
        ScriptForm2 *form = f.open();
        QCOMPARE(boxText(form, "rText41_0"), QStringLiteral("04/03/2026"));
        QCOMPARE(boxText(form, "rText42_0"), QStringLiteral("05:06:07"));
        QCOMPARE(boxText(form, "rText41_1"), QStringLiteral("08/12/2026"));
        QCOMPARE(boxText(form, "rText42_1"), QStringLiteral("09:30:15"));
        // The rigid defaults then date the job's record now, the boxes keep showing the scans.
        QCOMPARE(Job().ScanDateL, QStringLiteral("08/12/2026"));
        // Scans named: the full base name, never "_Default".
        QVERIFY(!Job().PdfFile.contains("_Default"));
    }

    void nameBoxesFirstKeyClears()
    {
        RigidFixture f;
        ScriptForm2 *form = f.open();
        auto *first = control<QLineEdit>(form, "rText38");
        auto *surname = control<QLineEdit>(form, "rText49");
        surname->setText("Lee");

        // A click empties the box and the record at once.
        first->setText("Ann");
        QTest::mouseClick(first, Qt::LeftButton);
        QCOMPARE(first->text(), QString());
        QCOMPARE(Job().ClientFirstName, QString());

        // The first key replaces, the next ones add; Tab leaves the box as it is.
        first->setText("Ann");
        focusOut(first);
        QTest::keyClick(first, Qt::Key_Tab);
        QCOMPARE(first->text(), QStringLiteral("Ann"));
        QTest::keyClicks(first, "Bo");
        QCOMPARE(first->text(), QStringLiteral("Bo"));
        QCOMPARE(Job().ClientFirstName, QStringLiteral("Bo"));

        // After the focus left, the next key clears again; the other box keeps its own mark.
        focusOut(first);
        QTest::keyClicks(first, "Cy");
        QCOMPARE(first->text(), QStringLiteral("Cy"));
        QTest::keyClicks(surname, "Ng");
        QCOMPARE(surname->text(), QStringLiteral("Ng"));
        QCOMPARE(QFileInfo(Job().PdfFile).fileName(), QStringLiteral("R_AB0042_Cy_Ng.Pdf"));
    }

    void ticksAgreeBothWays()
    {
        RigidFixture f;
        ScriptForm2 *form = f.open();
        control<QCheckBox>(form, "rCheck1")->setChecked(true);
        control<QCheckBox>(form, "rCheck3")->setChecked(false);
        QVERIFY(Job().PriorityReturn);
        QVERIFY(!Job().SendConfirmationEmail);
        Job().ConfirmBeforeManufacture = true;
        form->showTicks();
        QVERIFY(control<QCheckBox>(form, "rCheck2")->isChecked());
    }

    void loadData2TakesTheRecord()
    {
        RigidFixture f;
        ScriptForm2 *form = f.open();
        ScriptRecord &job = Job();
        job.ScanPositionL = "-12";
        job.ScanPositionR = "3.25";
        job.PfaL = "2.5C";
        job.Notes = "one;two";
        job.FootSizeL = "9";
        job.PodiatristName = "Dr Elsewhere";
        job.ClientFirstName = "Ann";
        job.ClientSurname = "Lee";
        form->Load_Data_2();
        QCOMPARE(job.ScanPositionL, QStringLiteral("12.0"));
        QCOMPARE(job.ScanPositionR, QStringLiteral("3.3"));
        QCOMPARE(job.PfaL, QStringLiteral("2.5"));
        QCOMPARE(job.Notes, QStringLiteral("one\r\ntwo"));
        QCOMPARE(job.TemplateLengthL, 270.0);
        QCOMPARE(job.FootLengthL, 245.0);
        QCOMPARE(boxText(form, "rCombo2"), QStringLiteral("Dr Elsewhere"));
        QCOMPARE(QFileInfo(job.CsvFile).fileName(), QStringLiteral("R_AB0042_Ann_Lee.Csv"));
    }

    void saveDataRigidTakesTheBoxes()
    {
        RigidFixture f;
        ScriptForm2 *form = f.open();
        control<QLineEdit>(form, "rText48")->setText("P-9");
        control<QLineEdit>(form, "rText43")->setText("CD");
        control<QLineEdit>(form, "rText2")->setText("/elsewhere/x.Pdf");
        Job().FootSizeR = "9";
        Job().Gender = "Female";
        form->Save_Data_Rigid();
        QCOMPARE(Job().ClinicJobNumber, QStringLiteral("P-9"));
        QCOMPARE(Job().OperatorCode, QStringLiteral("CD"));
        QCOMPARE(Job().PdfFile, QStringLiteral("/elsewhere/x.Pdf"));
        QCOMPARE(Job().TemplateLengthR, 253.0);
        QCOMPARE(Job().FootLengthR, 228.0);
    }

    void preparedRecordKeepsClientAndTakesDefaults()
    {
        RigidFixture f;
        ScriptRecord prepared = fullRigidJob(f.home.root());
        QDir().mkpath(prepared.CurrentFolder);
        Write_CSV_Rigid(prepared);
        Job().PreparedCsvFlag = true;
        Job().PreparedCsvFile = prepared.CsvFile;

        ScriptForm2 *form = f.open();
        const ScriptRecord &job = Job();
        QCOMPARE(f.prompter->messages(), QStringList{});
        QCOMPARE(job.ClientFirstName, QStringLiteral("Zoë"));
        QCOMPARE(boxText(form, "rText38"), QStringLiteral("Zoë"));
        QCOMPARE(job.FootSizeL, QStringLiteral("8"));
        QCOMPARE(job.FootSizeR, QStringLiteral("8.5"));
        QCOMPARE(job.LeftScanFile, prepared.LeftScanFile);
        QCOMPARE(boxText(form, "rText3_0"), prepared.LeftScanFile);
        QCOMPARE(job.PodiatristName, QStringLiteral("Dr Hale"));
        QCOMPARE(job.DispenseDate, QStringLiteral("24/12/2026"));
        QCOMPARE(job.DispenseDateNote, QString());
        // The prescription values are the rigid defaults.
        QCOMPARE(job.ShellStyleL, QStringLiteral("Standard"));
        QCOMPARE(job.TopCoverL, QStringLiteral("None"));
        QCOMPARE(job.ScanPositionL, QStringLiteral("0.0"));
        // The ticks show what the record held; the names are formed anew.
        QVERIFY(job.PriorityReturn);
        QCOMPARE(boxText(form, "rCheck1"), QStringLiteral("1"));
        QCOMPARE(job.PdfFile, job.CurrentFolder + "/R_VORMAK0042_Zoë_Lee.Pdf");
        QCOMPARE(job.CsvFile, job.CurrentFolder + "/R_VORMAK0042_Zoë_Lee.Csv");
        QVERIFY(!job.PreparedCsvFlag);
        QCOMPARE(form->grid()->Grid_Cell_Text(2, 2), QStringLiteral("8"));
    }

    void badPreparedRecordShowsItsMessage_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("soft record") << QByteArray("BRENNICK ORTHOTICS PRESCRIPTION\r\nJob Number,XY0001\r\n")
                                     << "This is Not a Rigid Script";
        QTest::newRow("short rigid record")
            << QByteArray("BRENNICK ORTHOTICS PRESCRIPTION (RIGID)\r\nJob Number,XY0001\r\nClinic Job,9\r\n")
            << "is not a complete script record";
    }
    void badPreparedRecordShowsItsMessage()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        RigidFixture f;
        f.home.write("Data/Prepared.Csv", content);
        Job().PreparedCsvFlag = true;
        Job().PreparedCsvFile = f.home.path("Data/Prepared.Csv");
        ScriptForm2 *form = f.open();
        QVERIFY(form && form->isVisible());
        QCOMPARE(f.prompter->messages().size(), 1);
        QVERIFY2(f.prompter->messages().first().contains(message), qPrintable(f.prompter->messages().first()));
        // The new job goes on: its own number and names.
        QCOMPARE(Job().JobNumber, QStringLiteral("AB0042"));
        QCOMPARE(Job().CsvFile, Job().CurrentFolder + "/R_AB0042_FirstName_Surname.Csv");
        QVERIFY(!Job().PreparedCsvFlag);
    }

    void recordHandedOverWhileOpenIsTaken()
    {
        RigidFixture f;
        ScriptForm2 *form = f.open();
        ScriptRecord prepared = fullRigidJob(f.home.root());
        QDir().mkpath(prepared.CurrentFolder);
        Write_CSV_Rigid(prepared);
        Job().PreparedCsvFlag = true;
        Job().PreparedCsvFile = prepared.CsvFile;
        QCOMPARE(f.open(), form);
        QCOMPARE(Job().ClientSurname, QStringLiteral("Lee"));
        QCOMPARE(boxText(form, "rText1"), QStringLiteral("VORMAK0042"));
        QVERIFY(!Job().PreparedCsvFlag);
    }

    void quitResetsTheJobAndUnloads_data()
    {
        QTest::addColumn<bool>("failing");
        QTest::newRow("reset works") << false;
        QTest::newRow("reset fails") << true;
    }
    void quitResetsTheJobAndUnloads()
    {
        QFETCH(bool, failing);
        RigidFixture f;
        if (failing)
            f.shell.onNewScript = [] { throw std::runtime_error("no configuration"); };
        ScriptForm2 *form = f.open();
        control<QPushButton>(form, "Command1")->click();
        RigidFixture::settle();
        QVERIFY(!Windows().isLoaded("ScriptForm2"));
        const QStringList expected =
            failing ? QStringList{"New_Script"} : QStringList{"New_Script", "Refresh_File_Lists"};
        QCOMPARE(f.shell.calls, expected);
        QVERIFY(!Windows().isLoaded("ScriptForm1"));
        QVERIFY(!Windows().isLoaded("ScanForm6"));
        QCOMPARE(f.prompter->messages(), QStringList{});
    }

    void closeBoxKeepsTheJob()
    {
        RigidFixture f;
        ScriptForm2 *form = f.open();
        control<QLineEdit>(form, "rText49")->setText("Lee");
        form->close();
        RigidFixture::settle();
        QVERIFY(!Windows().isLoaded("ScriptForm2"));
        QCOMPARE(Job().ClientSurname, QStringLiteral("Lee"));
        QCOMPARE(f.shell.calls, QStringList{});
        // The next opening is a new load.
        ScriptForm2 *again = f.open();
        QVERIFY(again);
        QCOMPARE(boxText(again, "rText49"), QStringLiteral("Lee"));
    }

    void tabChangesRunTheDrawingSetUp()
    {
        RigidFixture f;
        auto pane = std::make_shared<CountingPane>();
        Set_Drawing_Pane_Hook(pane);
        ScriptForm2 *form = f.open();
        QCOMPARE(pane->loads, 1); // the opening's switch to "Job Data"
        auto *tabs = control<QTabWidget>(form, "SSTab1");
        Job().GraphicsTabFlag = false;
        tabs->setCurrentIndex(1);
        QCOMPARE(pane->loads, 2);
        QVERIFY(!Job().GraphicsTabFlag);
        tabs->setCurrentIndex(2);
        QCOMPARE(pane->loads, 3);
        QVERIFY(Job().GraphicsTabFlag);
        control<QPushButton>(form, "Command23")->click();
        QCOMPARE(Job().GraphicSelection, QStringLiteral("RIGHT"));
        QCOMPARE(control<QLabel>(form, "rLabel43")->text(), QStringLiteral("Right Foot"));
        QCOMPARE(pane->loads, 4);
        control<QPushButton>(form, "Command25")->click();
        QCOMPARE(pane->messages, QStringList{"Save_Image"});
        QCOMPARE(pane->loads, 5);
    }

    void jobButtonsRunTheInstalledCommands_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("call");
        QTest::newRow("submit") << "Command2"
                                << "Submit";
        QTest::newRow("save locally") << "Command3"
                                      << "SaveLocally";
        QTest::newRow("next job") << "Command4"
                                  << "Next";
        QTest::newRow("new grid") << "Command6"
                                  << "NewGrid";
        QTest::newRow("upload") << "Command7"
                                << "Upload";
        QTest::newRow("save script") << "Command8"
                                     << "SaveScript";
        QTest::newRow("open script") << "Command9"
                                     << "OpenScript";
    }
    void jobButtonsRunTheInstalledCommands()
    {
        QFETCH(QString, button);
        QFETCH(QString, call);
        RigidFixture f;
        ScriptForm2 *form = f.open();
        const QString error = QStringLiteral("A part of the program is missing: the rigid job commands.");
        QTest::ignoreMessage(QtCriticalMsg, qPrintable(error));
        control<QPushButton>(form, button)->click();
        QCOMPARE(f.prompter->messages(), QStringList{"Error: " + error});

        auto commands = std::make_shared<RecordingCommands>();
        Set_Rigid_Job_Commands(commands);
        control<QPushButton>(form, button)->click();
        QCOMPARE(commands->calls, QStringList{call});
        QCOMPARE(f.prompter->messages().size(), 1);
    }

    void toolButtonsOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("sizes") << "Command10"
                               << "FootSize";
        QTest::newRow("graphic image") << "Command21"
                                       << "GraphicForm2";
    }
    void toolButtonsOpenTheirWindows()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        RigidFixture f;
        ScriptForm2 *form = f.open();
        int created = 0;
        Windows().registerFactory(window, [&created] {
            ++created;
            return new QWidget;
        });
        control<QPushButton>(form, button)->click();
        control<QPushButton>(form, button)->click(); // made once, then brought to the front
        QCOMPARE(created, 1);
        QVERIFY(Windows().loaded(window)->isVisible());
        QCOMPARE(f.prompter->messages(), QStringList{});
    }
};

QTEST_MAIN(TestScriptForm2)
#include "tst_scriptform2.moc"
