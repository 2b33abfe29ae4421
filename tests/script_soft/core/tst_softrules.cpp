#include "clock.h"
#include "footdatarows.h"
#include "optionchoice.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "softfields.h"
#include "testhome.h"

#include <QtTest>

using namespace SoftFields;

// The soft window's rules that are not about widgets: what a new script
// holds, the saved choices selected again, the values of insole options,
// the size choice's lengths, the user's PDF, and the order in which the
// "Foot Data" rows are written and taken.
class TestSoftRules : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::setSource({}); }
    void newScriptDefaults_data();
    void newScriptDefaults();
    void savedChoiceRows_data();
    void savedChoiceRows();
    void reselectSavedOptions_data();
    void reselectSavedOptions();
    void optionValueText_data();
    void optionValueText();
    void footSizeChoice_data();
    void footSizeChoice();
    void chosenUserNamesThePdf_data();
    void chosenUserNamesThePdf();
    void footDataRowOrder_data();
    void footDataRowOrder();
    void everyRecordRowIsLoadedAndSaved();
};

void TestSoftRules::newScriptDefaults_data()
{
    QTest::addColumn<bool>("nas");
    QTest::addColumn<QString>("leftScan"); // under the working folder, or "None"
    QTest::addColumn<QString>("pdf"); // "<data>" and "<nas>" stand for the folders
    QTest::addColumn<QString>("scanDateL");

    QTest::newRow("no scans: the default names, today's scan time") << false << "None"
                                                                    << "<data>/AB0041_Default.Pdf"
                                                                    << "05/03/2026";
    QTest::newRow("NAS mode: the PDFs in the NAS folder") << true << "None"
                                                          << "<nas>/AB0041_Default.Pdf"
                                                          << "05/03/2026";
    QTest::newRow("a scan: the client's names, the scan's own time") << false << "Data/Lee_L.Wrl"
                                                                     << "<data>/AB0041_FirstName_Surname.Pdf"
                                                                     << "01/02/2026";
}

void TestSoftRules::newScriptDefaults()
{
    QFETCH(bool, nas);
    QFETCH(QString, leftScan);
    QFETCH(QString, pdf);
    QFETCH(QString, scanDateL);
    TestHome home;
    Clock::setSource([] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); });
    ScriptRecord job;
    job.OperatorCode = QStringLiteral("AB");
    job.JobCounter = 41;
    job.CurrentFolder = home.path(QStringLiteral("Data"));
    job.NasModeFlag = nas;
    job.NasFolder = home.path(QStringLiteral("Nas"));
    job.LeftScanFile = job.RightScanFile = QStringLiteral("None");
    if (leftScan != QLatin1String("None")) {
        home.write(leftScan, "scan");
        QFile scan(home.path(leftScan));
        QVERIFY(scan.open(QIODevice::ReadWrite));
        QVERIFY(scan.setFileTime(QDateTime(QDate(2026, 2, 1), QTime(8, 0, 0)), QFileDevice::FileModificationTime));
        job.LeftScanFile = home.path(leftScan);
    }
    // What an earlier job left behind.
    job.ClientFirstName = QStringLiteral("Ann");
    job.ReprocessedFromJob = QStringLiteral("AB0007");
    job.ClinicJobNumber = QStringLiteral("P-77");
    job.Gender = QStringLiteral("Female");
    job.PriorityReturn = job.ConfirmBeforeManufacture = true;
    job.ForefootVarusL = job.ExtraHeelDepthR = job.HeelDotLengthL = QStringLiteral("4.0");
    job.InversionRampL = 2; // a number row: the loaders show what the job holds

    New_Script_Defaults(job);
    QCOMPARE(job.ClientFirstName + u' ' + job.ClientSurname, QStringLiteral("FirstName Surname"));
    QCOMPARE(job.JobNumber, QStringLiteral("AB0041"));
    QVERIFY(job.ReprocessedFromJob.isEmpty());
    QCOMPARE(job.ScanPositionL + job.ScanPositionR, QStringLiteral("00"));
    QCOMPARE(job.Gender, QStringLiteral("Male"));
    QVERIFY(job.ClinicJobNumber.isEmpty());
    QVERIFY(!job.PriorityReturn && !job.ConfirmBeforeManufacture && job.SendConfirmationEmail);
    QCOMPARE(job.ThicknessL, 1.5);
    QCOMPARE(job.ThicknessR, 1.5);
    QCOMPARE(job.Notes, QStringLiteral("None"));
    QCOMPARE(job.DispenseDate, QStringLiteral("12/03/2026"));
    QCOMPARE(job.DispenseDateNote, QStringLiteral("(default)"));
    for (const QString &cleared : {job.ForefootVarusL, job.ExtraHeelDepthR, job.HeelDotLengthL})
        QVERIFY(cleared.isEmpty());
    QCOMPARE(job.InversionRampL, 2.0);

    pdf.replace(QLatin1String("<data>"), home.path(QStringLiteral("Data")));
    pdf.replace(QLatin1String("<nas>"), home.path(QStringLiteral("Nas")));
    QCOMPARE(job.PdfFile, pdf);
    QCOMPARE(job.FullPdfFile, pdf.chopped(4) + QStringLiteral("_L.Pdf"));
    QCOMPARE(job.CsvFile, home.path(QStringLiteral("Data/")) + QFileInfo(pdf).completeBaseName() + ".Csv");
    QCOMPARE(job.ScanDateL, scanDateL);
    QCOMPARE(job.ScanDateR, QStringLiteral("05/03/2026"));
    QCOMPARE(job.ScanTimeR, QStringLiteral("14:07:09"));
}

void TestSoftRules::savedChoiceRows_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QList<int>>("rows");

    const QStringList covers = {"VINYL black", "VINYL blue", "SUEDE LEATHER tan"};
    QTest::newRow("each held item, any case") << covers << "vinyl BLUE;SUEDE LEATHER tan;" << QList<int>{1, 2};
    QTest::newRow("nothing saved selects nothing") << covers << "" << QList<int>{};
    QTest::newRow("an empty item matches any saved text")
        << QStringList{"Revere", ""} << "Mens (Wide)" << QList<int>{1};
    QTest::newRow("an empty item with nothing saved") << QStringList{""} << "" << QList<int>{};
    // A single-choice list takes the rows in turn, so the last one stays.
    QTest::newRow("an item held inside a longer saved text")
        << QStringList{"Mens", "Mens (Wide)"} << "Mens (Wide)" << QList<int>{0, 1};
}

void TestSoftRules::savedChoiceRows()
{
    QFETCH(QStringList, items);
    QFETCH(QString, saved);
    QFETCH(QList<int>, rows);
    QCOMPARE(Saved_Choice_Rows(items, saved), rows);
}

void TestSoftRules::reselectSavedOptions_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("texts"); // "row=text" of the items that change
    QTest::addColumn<bool>("deselectFirst");

    QTest::newRow("None alone stays") << "None;" << QList<int>{0} << QStringList{} << false;
    QTest::newRow("one option below None takes it away") << "Hooks;" << QList<int>{1} << QStringList{} << true;
    QTest::newRow("None saved with an option still gives way")
        << "None;Hooks;" << QList<int>{0, 1} << QStringList{} << true;
    QTest::newRow("a valued option takes its saved value")
        << "Hooks;Heel Lift Ext (mm) = 2.0;" << QList<int>{1, 3} << QStringList{"3=Heel Lift Ext (mm) = 2.0"} << true;
    QTest::newRow("the k-th match takes the k-th part, any case")
        << "Met Raise (DEG) = 4.0;Heel Lift Ext (mm) = 1.5;" << QList<int>{3, 4}
        << QStringList{"3=Met Raise (DEG) = 4.0", "4=Heel Lift Ext (mm) = 1.5"} << true;
    // The saved parts follow the list's order; out of order they land on
    // the wrong items, as they always have.
    QTest::newRow("parts out of the list's order")
        << "Heel Lift Ext (mm) = 1.5;Met Raise (deg) = 4.0;" << QList<int>{3, 4}
        << QStringList{"3=Heel Lift Ext (mm) = 1.5", "4=Met Raise (deg) = 4.0"} << true;
    QTest::newRow("nothing saved") << "" << QList<int>{} << QStringList{} << false;
}

void TestSoftRules::reselectSavedOptions()
{
    QFETCH(QString, saved);
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, texts);
    QFETCH(bool, deselectFirst);
    const QStringList items = {"None", "Hooks", "3/4 Length", "Heel Lift Ext (mm)", "Met Raise (deg)"};
    const SavedOptions options = Reselect_Saved_Options(items, saved);
    QCOMPARE(options.selected, selected);
    QStringList changed;
    for (auto it = options.texts.cbegin(); it != options.texts.cend(); ++it)
        changed << QString::number(it.key()) + u'=' + it.value();
    QCOMPARE(changed, texts);
    QCOMPARE(options.deselectFirst, deselectFirst);
}

void TestSoftRules::optionValueText_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("name"); // the item while the value is asked
    QTest::addColumn<QString>("text");

    QTest::newRow("a first value") << "Heel Lift Ext (mm)" << 2.5 << "Heel Lift Ext (mm)"
                                   << "Heel Lift Ext (mm) = 2.5";
    QTest::newRow("a first value of 0 is kept") << "Heel Lift Ext (mm)" << 0.0 << "Heel Lift Ext (mm)"
                                                << "Heel Lift Ext (mm) = 0.0";
    QTest::newRow("one decimal") << "1st Ray Grind (mm)" << 3.14 << "1st Ray Grind (mm)"
                                 << "1st Ray Grind (mm) = 3.1";
    QTest::newRow("a new value replaces the old") << "Heel Lift Ext (mm) = 2.0" << 4.0 << "Heel Lift Ext (mm)"
                                                  << "Heel Lift Ext (mm) = 4.0";
    QTest::newRow("0 again leaves the bare name") << "Heel Lift Ext (mm) = 2.0" << 0.0 << "Heel Lift Ext (mm)"
                                                  << "Heel Lift Ext (mm)";
    QTest::newRow("an \"=\" in first place is no value") << "=Wedge (deg)" << 1.0 << "=Wedge (deg)"
                                                         << "=Wedge (deg) = 1.0";
}

void TestSoftRules::optionValueText()
{
    QFETCH(QString, option);
    QFETCH(double, value);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QCOMPARE(Option_Name(option), name);
    QCOMPARE(Option_Value_Text(option, value), text);
}

void TestSoftRules::footSizeChoice_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("footLengthShown"); // right after the choice
    QTest::addColumn<QString>("boxes"); // template|foot length boxes of the side, "-" left alone

    QTest::newRow("left 9") << 0 << "9"
                            << "245"
                            << "270|-";
    QTest::newRow("right 9") << 1 << "9"
                             << "245"
                             << "270|-";
    QTest::newRow("a size with text after its number") << 0 << "9 wide"
                                                       << "245"
                                                       << "270|-";
    QTest::newRow("size 0 shows 0 in both boxes") << 0 << "0"
                                                  << "75"
                                                  << "0|0";
    QTest::newRow("not a number") << 1 << "abc"
                                  << "75"
                                  << "0|0";
}

void TestSoftRules::footSizeChoice()
{
    QFETCH(int, side);
    QFETCH(QString, size);
    QFETCH(QString, footLengthShown);
    QFETCH(QString, boxes);
    // Both feet at size 10 (template 278, foot 253); the right foot length
    // stale, which a left choice looks up again from the right template.
    ScriptRecord job;
    Set_Default_Sizes(job);
    job.Gender = QStringLiteral("Male");
    job.FootSizeL = job.FootSizeR = QStringLiteral("10");
    Derive_Lengths(job);
    job.FootLengthR = 1;

    QCOMPARE(Take_Foot_Size(job, side, size), footLengthShown);
    QCOMPARE(side == 0 ? job.FootSizeL : job.FootSizeR, size);
    QCOMPARE(side == 0 ? job.FootLengthR : job.FootLengthL, 253.0); // the other foot
    const SizeChoiceBoxes shown = Size_Choice_Boxes(job, side);
    QCOMPARE(shown.templateLength + u'|' + shown.footLength.value_or(QStringLiteral("-")), boxes);
    // The record keeps the looked-up lengths whatever the boxes show.
    QCOMPARE(Whole(side == 0 ? job.FootLengthL : job.FootLengthR), footLengthShown);
}

void TestSoftRules::chosenUserNamesThePdf_data()
{
    QTest::addColumn<bool>("nas");
    QTest::addColumn<QString>("pdf");

    QTest::newRow("the job's folder") << false << "/jobs/AB0041_Ann_Lee.Pdf";
    QTest::newRow("the NAS folder in NAS mode") << true << "/nas/AB0041_Ann_Lee.Pdf";
}

void TestSoftRules::chosenUserNamesThePdf()
{
    QFETCH(bool, nas);
    QFETCH(QString, pdf);
    ScriptRecord job;
    job.JobNumber = QStringLiteral("AB0041");
    job.ClientFirstName = QStringLiteral("Ann");
    job.ClientSurname = QStringLiteral("Lee");
    job.CurrentFolder = QStringLiteral("/jobs");
    job.NasFolder = QStringLiteral("/nas");
    job.NasModeFlag = nas;
    job.FullPdfFile = QStringLiteral("/old/full.Pdf");
    job.CsvFile = QStringLiteral("/old/record.Csv");
    Choose_User(job, QStringLiteral("bob"));
    QCOMPARE(job.CurrentUser, QStringLiteral("bob"));
    QCOMPARE(job.PdfFile, pdf);
    QCOMPARE(job.FullPdfFile, QStringLiteral("/old/full.Pdf"));
    QCOMPARE(job.CsvFile, QStringLiteral("/old/record.Csv"));
}

void TestSoftRules::footDataRowOrder_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("controls");

    auto names = [](const QList<const FootDataRow *> &rows) {
        QStringList controls;
        for (const FootDataRow *row : rows)
            controls << QString::fromLatin1(row->control);
        return controls.join(u' ');
    };
    QTest::newRow("loaded first") << names(Rows_Loaded(LoadStep::Measurements))
                                  << "Text8 Text9 Text10 Text11 Text12 Text13 Text14 Text16 Text17 Text18 Text19 "
                                     "Text20 Text21 Text22 Text23 Text24 Text25 Text26 Text28";
    QTest::newRow("loaded with the client names") << names(Rows_Loaded(LoadStep::WithClientNames)) << "Text39 Text40";
    QTest::newRow("loaded with the scanner") << names(Rows_Loaded(LoadStep::WithScannerId)) << "Text45 Text47";
    QTest::newRow("saved after the thickness")
        << names(Rows_Saved(SaveStep::AfterThickness))
        << "Text16 Text17 Text18 Text19 Text20 Text21 Text22 Text23 Text24 Text25 Text26 Text28";
    QTest::newRow("saved after the scanner")
        << names(Rows_Saved(SaveStep::AfterScannerId)) << "Text8 Text9 Text10 Text47";
    QTest::newRow("saved last, the heel depth first")
        << names(Rows_Saved(SaveStep::Last)) << "Text11 Text12 Text13 Text14 Text39 Text40 Text45";
}

// The loaders and "Save Data" keep the order the record code has always
// had, however the tab's rows are arranged.
void TestSoftRules::footDataRowOrder()
{
    QFETCH(QString, rows);
    QFETCH(QString, controls);
    QCOMPARE(rows, controls);
}

void TestSoftRules::everyRecordRowIsLoadedAndSaved()
{
    int recordRows = 0;
    for (const FootDataRow &row : Foot_Data_Rows()) {
        const bool record = row.textL || row.numL;
        QCOMPARE(row.load != LoadStep::None, record);
        QCOMPARE(row.save != SaveStep::None, record);
        QCOMPARE(bool(row.textR || row.numR), record);
        QVERIFY2(!record || row.controls == RowControls::Boxes, row.control);
        recordRows += record;
    }
    QCOMPARE(recordRows, 23);
}

QTEST_GUILESS_MAIN(TestSoftRules)
#include "tst_softrules.moc"
