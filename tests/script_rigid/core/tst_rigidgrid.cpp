#include "clock.h"
#include "numbers.h"
#include "pellmarmeasurements.h"
#include "rigidgrid.h"
#include "rigidjob.h"
#include "scriptrecord.h"
#include "sizechart.h"

#include <QtTest>

#include <functional>

using namespace RigidGrid;

using JobValue = std::function<QString(const ScriptRecord &)>;
Q_DECLARE_METATYPE(JobValue)

namespace {

// One row of the grid as text: the five cells joined by "|", then what the
// cells' looks and kinds make of the row.
QString dumpRow(const Content &content, int row)
{
    QStringList texts;
    for (int column = 0; column < ColumnCount; ++column)
        texts << content.at(row, column).text;
    QString out = texts.join(u'|');

    auto cellIs = [&](int column, std::optional<Rgb> colour, bool bold) {
        const Cell &c = content.at(row, column);
        return c.background == colour && c.bold == bold;
    };
    const bool heading = cellIs(0, std::nullopt, false) && cellIs(1, kHeadingColour, true)
                         && cellIs(2, kHeadingColour, true) && cellIs(3, kHeadingColour, true)
                         && cellIs(4, kHeadingColour, true);
    const bool marked = cellIs(0, std::nullopt, false) && cellIs(1, std::nullopt, false)
                        && cellIs(2, kMarkedColour, false) && cellIs(3, kMarkedColour, false)
                        && cellIs(4, std::nullopt, false);
    bool plain = true;
    for (int column = 0; column < ColumnCount; ++column)
        plain = plain && cellIs(column, std::nullopt, false);
    if (heading)
        out += QStringLiteral(" heading");
    else if (marked)
        out += QStringLiteral(" marked");
    else if (!plain)
        out += QStringLiteral(" odd look");

    const CellKind left = content.at(row, LeftColumn).kind;
    const bool othersPlain = content.at(row, IndexColumn).kind == CellKind::Plain
                             && content.at(row, LabelColumn).kind == CellKind::Plain
                             && content.at(row, UnitColumn).kind == CellKind::Plain;
    if (content.at(row, RightColumn).kind != left || !othersPlain)
        out += QStringLiteral(" odd kind");
    else if (left == CellKind::List)
        out += QStringLiteral(" list");
    else if (left == CellKind::Tick)
        out += QStringLiteral(" tick");
    return out;
}

// A new job's grid: size 9 on both feet of a "Male" client, then the defaults.
const QStringList kDefaultGrid = {
    "1|Clinical Anthropometric Measures ||| heading",
    "2|Foot Size |9|9| list",
    "3|Scan Position |0.0|0.0|deg",
    "4|Forefoot Varus |0.0|0.0|deg",
    "5|Forefoot Valgus |0.0|0.0|deg",
    "6|Heel to 1st MPJ Length |0.0|0.0|mm",
    "7|Posterior Heel to Heel Centre |0|0|mm",
    "8|Heel Width |||mm",
    "9|Forefoot Width |||mm",
    "10|Peak Arch Height |0|0|mm",
    "11|Orthotic Dimensions (Basic) ||| heading",
    "12|Thickness |2.0|2.0|mm list",
    "13|Arch Expansion |None|None| list",
    "14|Heel Expansion |None|None| marked list",
    "15|Shell Style |Standard|Standard| list",
    "16|Shell Length |Standard|Standard| list",
    "17|Medial Flange |0.0|0.0|mm marked",
    "18|Lateral Flange |0.0|0.0|mm marked",
    "19|Orthotic Dimensions (Advanced) ||| heading",
    "20|Medial Heel Cup |0|0|mm",
    "21|Lateral Heel Cup |0|0|mm",
    "22|Medial Arch Height |0|0|mm marked",
    "23|Lateral Arch Height |0|0|mm marked",
    "24|Specific Heel Width |0.0|0.0|mm marked",
    "25|Intrinsic Modifications ||| heading",
    "26|SkiveDist |0.0|0.0|mm",
    "27|Skive Angle |||deg",
    "28|Plantar Fascia Accommodation |0|0|mm",
    "29|PFA Shape |0|0| marked",
    "30|MetDome |None|None|mm list",
    "31|Dells/Notches ||| heading",
    "32|Cuboid |0.0|0.0|mm marked",
    "33|1st Ray |0.0|0.0|mm marked",
    "34|5th Ray |0.0|0.0|mm marked",
    "35|Navicular |0.0|0.0|mm marked",
    "36|Styloid Process |0.0|0.0|mm marked",
    "37|Plantar Shell Modifiers ||| heading",
    "38|Cuboid |0.0|0.0|mm marked",
    "39|1st Ray |0.0|0.0|mm marked",
    "40|5th Ray |0.0|0.0|mm marked",
    "41|Navicular |0.0|0.0|mm marked",
    "42|Styloid Process |0.0|0.0|mm marked",
    "43|Rearfoot Posting ||| heading",
    "44|Heel Post Width |None|None| list",
    "45|Lateral Side |Medial|Medial| list",
    "46|Inversion |0.0|0.0|deg",
    "47|Eversion |0.0|0.0|deg",
    "48|Heel Lift |0.0|0.0|mm",
    "49|Sagital Pitch Angle |0.0|0.0|deg",
    "50|Taper Angle |True|True| tick",
    "51|Rearfoot Posting Length - Standard |0.0|0.0|mm",
    "52|Rearfoot Posting (Advanced Dims) ||| heading",
    "53|Distance from Heel |0.0|0.0|mm",
    "54|Medial Length |0.0|0.0|mm marked",
    "55|Lateral Length |0.0|0.0|mm marked",
    "56|Forefoot Posting ||| heading",
    "57|Forefoot Post Width |None|None| list",
    "58|Lateral Side |Medial|Medial| list",
    "59|Distance from Forefoot |0.0|0.0|mm",
    "60|Extrinsic Modifications ||| heading",
    "61|Insole Options |None|None| list",
    "62|Heel Aperture |0.0|0.0| marked",
    "63|Metatarsal Pad |None|None| marked list",
    "64|EVA Morton's Extension |0.0|0.0| marked",
    "65|Reverse Morton's Extension |0.0|0.0| marked",
    "66|Forefoot Valgus Wedge |0.0|0.0|mm marked",
    "67|Forefoot Varus Wedge |0.0|0.0|mm marked",
    "68|PPT Cuboid Notch |0.0|0.0|mm",
    "69|EVA Plantar Arch Fill ||| heading",
    "70|Arch Fill |0.0|0.0|",
    "71|EVA Arch Fill |False|False| marked tick",
    "72|Contoured Arch Fill |False|False| marked tick",
    "73|Flat Arch Fill |False|False| marked tick",
    "74|Lateral Border Post |0.0|0.0| marked tick",
    "75|Material Selection ||| heading",
    "76|Shell Material |Standard|Standard| list",
    "77|Top Cover |None|None| list",
    "78|Top Cover (Base) |None|None| list",
    "79|Additional Forefoot Padding |None|None| marked list",
    "80|Additional Heel Padding |None|None| marked list",
    "81|Notes ||| heading",
    "82|Notes |None||",
};

ScriptRecord newMaleJob()
{
    ScriptRecord job;
    Set_Default_Sizes(job);
    job.Gender = QStringLiteral("Male");
    job.FootSizeL = job.FootSizeR = QStringLiteral("9");
    return job;
}

} // namespace

class TestRigidGrid : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        Clock::setSource([] { return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)); });
    }
    void cleanup()
    {
        Clock::setSource({});
        Set_Pellmar_Measurements_Source({});
    }

    void rowTableShape()
    {
        QList<int> headings, marked, lists, ticks;
        for (int r = 1; r <= RowCount; ++r) {
            const Row &row = Row_At(r);
            if (row.look == Look::Heading)
                headings << r;
            if (row.look == Look::Marked)
                marked << r;
            if (row.cell == CellKind::List)
                lists << r;
            if (row.cell == CellKind::Tick)
                ticks << r;
            // Each row holds the members its line kind shows and reads.
            switch (row.line) {
            case LineKind::Heading: QCOMPARE(row.reading, Reading::NotRead); break;
            case LineKind::Text: QVERIFY2(row.pair.textL && (row.pair.textR || r == 82), row.label); break;
            case LineKind::Number:
                QVERIFY2(row.pair.numL && row.pair.numR, row.label);
                QCOMPARE(row.reading, Reading::Number);
                break;
            case LineKind::Flag:
            case LineKind::Side: QVERIFY2(row.pair.flagL && row.pair.flagR, row.label); break;
            }
        }
        QCOMPARE(headings, (QList<int>{1, 11, 19, 25, 31, 37, 43, 52, 56, 60, 69, 75, 81}));
        QCOMPARE(marked.size(), 31);
        // Row 62 (Heel Aperture) is a number cell: no list of texts.
        QCOMPARE(lists, (QList<int>{2, 12, 13, 14, 15, 16, 30, 44, 45, 57, 58, 61, 63, 76, 77, 78, 79, 80}));
        QCOMPARE(ticks, (QList<int>{50, 71, 72, 73, 74}));
    }

    void headings()
    {
        const Headings h = Grid_Headings();
        QStringList headers;
        QList<int> widths;
        for (const ColumnHeading &c : h.columns) {
            headers << c.header;
            widths << c.width;
        }
        QCOMPARE(headers, (QStringList{"Index", "Value (click for help)  ", "Left", "Right", ""}));
        QCOMPARE(widths, (QList<int>{50, 250, 200, 200, 40}));
        QVERIFY(h.columns[LabelColumn].alignment & Qt::AlignRight);
        QVERIFY(h.columns[LeftColumn].alignment & Qt::AlignLeft);
    }

    void defaultGridDump()
    {
        ScriptRecord job = newMaleJob();
        Set_Default(job);
        const Content content = Load_Grid(job);
        QStringList dump;
        for (int r = 1; r <= RowCount; ++r)
            dump << dumpRow(content, r);
        for (int r = 0; r < RowCount; ++r)
            QCOMPARE(dump[r], kDefaultGrid[r]);
    }

    // Every value of a job shows in its row, as it is: no presets over an
    // opened script, a TAB stays in its cell.
    void loadShowsTheJob()
    {
        ScriptRecord job = fullRigidJob(QStringLiteral("/r"));
        job.ShellMaterialL = QStringLiteral("Poly\tgrey");
        job.ThicknessL = 2.25;
        const Content content = Load_Grid(job);
        struct Expect
        {
            int row;
            int column;
            const char *text;
        };
        const Expect expected[] = {
            {7, LeftColumn, "42"},
            {7, RightColumn, "40"},
            {15, LeftColumn, "Slim"},
            {16, LeftColumn, "Short"},
            {13, LeftColumn, "Minimum"},
            {14, RightColumn, "Maximum"},
            {12, LeftColumn, "2.3"},
            {12, RightColumn, "2.5"},
            {24, RightColumn, "0.0"},
            {45, LeftColumn, "Lateral"},
            {45, RightColumn, "Medial"},
            {58, LeftColumn, "Medial"},
            {58, RightColumn, "Lateral"},
            {50, LeftColumn, "True"},
            {50, RightColumn, "False"},
            {54, LeftColumn, "30.0"},
            {55, LeftColumn, "20.0"},
            {62, LeftColumn, "6.0"},
            {74, LeftColumn, "5.0"},
            {76, LeftColumn, "Poly\tgrey"},
            {76, RightColumn, "Subortholene (3 mm)"},
            {76, UnitColumn, ""},
            {27, RightColumn, "0"},
            {27, UnitColumn, "deg"},
            {82, LeftColumn, "Runs daily, left knee\r\nCall first"},
            {82, RightColumn, ""},
            {82, UnitColumn, ""},
        };
        for (const Expect &e : expected)
            QVERIFY2(content.at(e.row, e.column).text == QString::fromUtf8(e.text),
                     qPrintable(QStringLiteral("row %1 column %2: %3")
                                    .arg(e.row)
                                    .arg(e.column)
                                    .arg(content.at(e.row, e.column).text)));
        // Rows 54 and 55 keep their texts; the job's copies start again from 0.
        QCOMPARE(job.HeelPostMedialLengthL, 0.0);
        QCOMPARE(job.HeelPostLateralLengthL, 0.0);
        QCOMPARE(job.HeelPostMedialLengthR, 0.0);
        QCOMPARE(job.HeelPostLateralLengthR, 0.0);
        // Nothing else of the job changed.
        QCOMPARE(job.HeelDotLengthL, QStringLiteral("42"));
        QCOMPARE(job.ShellStyleL, QStringLiteral("Slim"));
    }

    // Saving what was loaded gives the job back: every row reads the value it shows.
    void saveWhatWasLoaded()
    {
        const ScriptRecord before = fullRigidJob(QStringLiteral("/r"));
        ScriptRecord job = before;
        const Content content = Load_Grid(job);
        Save_Grid(job, Texts::of(content));
        QCOMPARE(job.HeelPostMedialLengthL, before.HeelPostMedialLengthL);
        QCOMPARE(job.HeelPostLateralLengthR, before.HeelPostLateralLengthR);
        QCOMPARE(job.Notes, before.Notes);
        QCOMPARE(job.HeelWidthL, before.HeelWidthL);
        QCOMPARE(job.EvaArchFillL, true);
        QCOMPARE(job.HeelPostLateralL, true);
        QCOMPARE(job.ForefootPostLateralR, true);
        const Content again = Load_Grid(job);
        for (int r = 1; r <= RowCount; ++r)
            QCOMPARE(dumpRow(again, r), dumpRow(content, r));
    }

    void saveReadings_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<JobValue>("value");
        auto text = [](QString ScriptRecord::*m) { return JobValue([m](const ScriptRecord &j) { return j.*m; }); };
        auto number = [](double ScriptRecord::*m) {
            return JobValue([m](const ScriptRecord &j) { return num::shortestText(j.*m); });
        };
        auto flag = [](bool ScriptRecord::*m) {
            return JobValue([m](const ScriptRecord &j) { return QVariant(j.*m).toString(); });
        };
        using R = ScriptRecord;
        QTest::newRow("size 9.0") << 2 << "9.0"
                                  << "9" << text(&R::FootSizeL);
        // A blank size reads as the cell rule reads it: the number 0.
        QTest::newRow("size left blank") << 2 << " "
                                         << "0" << text(&R::FootSizeL);
        QTest::newRow("size left empty") << 2 << ""
                                         << "0" << text(&R::FootSizeL);
        QTest::newRow("heel width 62.0 mm") << 8 << "62.0 mm"
                                            << "62" << text(&R::HeelWidthL);
        QTest::newRow("forefoot width kept as typed") << 9 << "62.0 mm"
                                                      << "62.0 mm" << text(&R::ForefootWidthL);
        QTest::newRow("heel to 1st MPJ") << 6 << "180.50"
                                         << "180.5" << text(&R::VarusLengthL);
        QTest::newRow("PFA shape") << 29 << "abc"
                                   << "0" << text(&R::PfaShapeL);
        QTest::newRow("skive distance abc") << 26 << "abc"
                                            << "0" << number(&R::SkiveDistanceL);
        QTest::newRow("skive distance empty") << 26 << ""
                                              << "0" << number(&R::SkiveDistanceL);
        QTest::newRow("thickness") << 12 << "3.5"
                                   << "3.5" << number(&R::ThicknessL);
        QTest::newRow("heel aperture is a number") << 62 << "4.5 mm"
                                                   << "4.5" << number(&R::HeelApertureL);
        QTest::newRow("lateral border post ticked") << 74 << "1"
                                                    << "1" << number(&R::LateralBorderPostL);
        QTest::newRow("Lateral") << 45 << "Lateral"
                                 << "true" << flag(&R::HeelPostLateralL);
        QTest::newRow("lateral in small letters") << 45 << "lateral"
                                                  << "false" << flag(&R::HeelPostLateralL);
        QTest::newRow("Medial") << 58 << "Medial"
                                << "false" << flag(&R::ForefootPostLateralL);
        for (const char *yes : {"tRuE", "-1", "1"})
            QTest::addRow("tick %s", yes) << 71 << yes << "true" << flag(&R::EvaArchFillL);
        for (const char *no : {"False", "0", "", "abc"})
            QTest::addRow("tick '%s'", no) << 50 << no << "false" << flag(&R::TaperAngleL);
        QTest::newRow("notes") << 82 << "First\r\nSecond"
                               << "First\r\nSecond" << text(&R::Notes);
        QTest::newRow("top cover picked") << 77 << "**3D PRINTED**"
                                          << "**3D PRINTED**" << text(&R::TopCoverL);
    }
    void saveReadings()
    {
        QFETCH(int, row);
        QFETCH(QString, left);
        QFETCH(QString, expected);
        QFETCH(JobValue, value);
        ScriptRecord job = fullRigidJob(QStringLiteral("/r"));
        Texts texts = Texts::of(Load_Grid(job));
        texts.at(row, LeftColumn) = left;
        Save_Grid(job, texts);
        QCOMPARE(value(job), expected);
    }

    void rightCellsGoToTheRightFoot()
    {
        ScriptRecord job = newMaleJob();
        Set_Default(job);
        Texts texts = Texts::of(Load_Grid(job));
        texts.at(2, RightColumn) = QStringLiteral("10.0");
        texts.at(12, RightColumn) = QStringLiteral("3.0");
        texts.at(45, RightColumn) = QStringLiteral("Lateral");
        texts.at(72, RightColumn) = QStringLiteral("1");
        texts.at(82, RightColumn) = QStringLiteral("not read");
        texts.at(1, LeftColumn) = QStringLiteral("a heading is not read");
        Save_Grid(job, texts);
        QCOMPARE(job.FootSizeL, QStringLiteral("9"));
        QCOMPARE(job.FootSizeR, QStringLiteral("10"));
        QCOMPARE(job.ThicknessL, 2.0);
        QCOMPARE(job.ThicknessR, 3.0);
        QVERIFY(!job.HeelPostLateralL && job.HeelPostLateralR);
        QVERIFY(!job.ContouredArchFillL && job.ContouredArchFillR);
        QCOMPARE(job.Notes, QStringLiteral("None"));
    }

    void heelPostRotation_data()
    {
        QTest::addColumn<double>("medial");
        QTest::addColumn<double>("lateral");
        QTest::addColumn<QString>("width");
        QTest::addColumn<double>("rotation");
        QTest::newRow("30, 20, 60") << 30.0 << 20.0 << "60" << 9.462322207516577;
        QTest::newRow("20, 30, 60") << 20.0 << 30.0 << "60" << -9.462322207516577;
        QTest::newRow("40, 10, 30") << 40.0 << 10.0 << "30" << 44.99999999757915;
        QTest::newRow("equal lengths") << 25.0 << 25.0 << "60" << 0.0;
        QTest::newRow("width 0 keeps") << 30.0 << 20.0 << "0" << 7.5;
        QTest::newRow("width without a number keeps") << 30.0 << 20.0 << "wide" << 7.5;
        QTest::newRow("width with a unit") << 30.0 << 20.0 << "60 mm" << 9.462322207516577;
    }
    void heelPostRotation()
    {
        QFETCH(double, medial);
        QFETCH(double, lateral);
        QFETCH(QString, width);
        QFETCH(double, rotation);
        const double computed = Heel_Post_Rotation(medial, lateral, width, 7.5);
        QVERIFY2(computed == rotation, qPrintable(QString::number(computed, 'g', 17)));
    }

    void saveComputesTheRotationOfEachFoot()
    {
        ScriptRecord job = fullRigidJob(QStringLiteral("/r"));
        job.HeelPostRotationR = 7.5;
        Texts texts = Texts::of(Load_Grid(job));
        texts.at(8, LeftColumn) = QStringLiteral("60");
        texts.at(8, RightColumn) = QStringLiteral("");
        Save_Grid(job, texts);
        QVERIFY(job.HeelPostRotationL == 9.462322207516577);
        QCOMPARE(job.HeelPostRotationR, 7.5); // no heel width on the right
    }

    void defaults_data()
    {
        QTest::addColumn<QString>("gender");
        QTest::addColumn<QString>("size");
        QTest::addColumn<double>("templateLength");
        QTest::addColumn<double>("footLength");
        QTest::newRow("no size") << "Male"
                                 << "" << 100.0 << 75.0;
        QTest::newRow("9, Male") << "Male"
                                 << "9" << 270.0 << 245.0;
        QTest::newRow("9, Female") << "Female"
                                   << "9" << 253.0 << 228.0;
    }
    void defaults()
    {
        QFETCH(QString, gender);
        QFETCH(QString, size);
        QFETCH(double, templateLength);
        QFETCH(double, footLength);
        ScriptRecord job = fullRigidJob(QStringLiteral("/r"));
        Set_Default_Sizes(job);
        job.Gender = gender;
        job.FootSizeL = job.FootSizeR = size;
        Set_Default(job);
        QCOMPARE(job.TemplateLengthL, templateLength);
        QCOMPARE(job.TemplateLengthR, templateLength);
        QCOMPARE(job.FootLengthL, footLength);
        QCOMPARE(job.FootLengthR, footLength);
        QCOMPARE(job.ScanDateR, QStringLiteral("08/12/2026"));
        QCOMPARE(job.ScanTimeL, QStringLiteral("14:05:09"));
        QCOMPARE(job.ThicknessR, 2.0);
        QCOMPARE(job.FootSizeL, size);

        // The presets of a fresh grid.
        QCOMPARE(job.HeelDotLengthL, QStringLiteral("0"));
        QCOMPARE(job.ShellStyleL, QStringLiteral("Standard"));
        QCOMPARE(job.ShellLengthL, QStringLiteral("Standard"));
        QCOMPARE(job.ArchExpansionR, QStringLiteral("None"));
        QCOMPARE(job.HeelExpansionL, QStringLiteral("None"));

        // What the defaults leave alone.
        QCOMPARE(job.ClientFirstName, QStringLiteral("Zoë"));
        QCOMPARE(job.HeelWidthL, QStringLiteral("62"));
        QCOMPARE(job.ForefootWidthR, QStringLiteral("84"));
        QCOMPARE(job.SkiveDistanceL, 2.25);
        QCOMPARE(job.SkiveAngleL, QStringLiteral("15"));
        QCOMPARE(job.HeelLiftL, 3.0);
        QCOMPARE(job.InversionAngleL, 4.0);
        QCOMPARE(job.SagittalAngleL, 1.5);
        QVERIFY(job.HeelPostLateralL);
        QVERIFY(job.ForefootPostLateralR);
        QCOMPARE(job.HeelPostDistanceL, 10.0);
        QCOMPARE(job.ForefootPostDistanceR, 15.0);
        QCOMPARE(job.HeelPostMedialLengthL, 30.0);
        QCOMPARE(job.HeelPostRotationL, 4.5);
        QVERIFY(job.PriorityReturn);
    }

    void defaultsTakeThePellmarBoxes()
    {
        PellmarMeasurements boxes;
        boxes.ForefootVarus = {QStringLiteral("4"), QStringLiteral("3.5")};
        boxes.ForefootValgus = {QStringLiteral("1"), QStringLiteral("")};
        boxes.VarusLength = {QStringLiteral("180 mm"), QStringLiteral("182")};
        boxes.HeelDotLength = {QStringLiteral("40"), QStringLiteral("41")};
        Set_Pellmar_Measurements_Source([&]() -> std::optional<PellmarMeasurements> { return boxes; });
        ScriptRecord job = newMaleJob();
        Set_Default(job);
        QCOMPARE(job.ForefootVarusL, QStringLiteral("4"));
        QCOMPARE(job.ForefootVarusR, QStringLiteral("3.5"));
        QCOMPARE(job.ForefootValgusL, QStringLiteral("1"));
        QCOMPARE(job.ForefootValgusR, QString());
        QCOMPARE(job.VarusLengthL, QStringLiteral("180 mm"));
        QCOMPARE(job.VarusLengthR, QStringLiteral("182"));
        // The fresh grid's preset of the heel to dot length comes after them.
        QCOMPARE(job.HeelDotLengthL, QStringLiteral("0"));
        QCOMPARE(job.HeelDotLengthR, QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestRigidGrid)
#include "tst_rigidgrid.moc"
