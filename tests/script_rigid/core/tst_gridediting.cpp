#include "gridediting.h"
#include "rigidgrid.h"

#include "scriptrecord.h"
#include "sizechart.h"

#include <QtTest>

using namespace RigidGrid;

namespace {

ScriptRecord chartJob(const QString &gender = QStringLiteral("Male"))
{
    ScriptRecord job;
    Set_Default_Sizes(job);
    job.Gender = gender;
    return job;
}

} // namespace

class TestGridEditing : public QObject
{
    Q_OBJECT

private slots:
    void fixedListsByRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("thickness") << 12 << QStringList{"1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0"};
        QTest::newRow("arch expansion") << 13 << QStringList{"None", "Minimum", "Moderate", "Maximum"};
        QTest::newRow("heel expansion") << 14 << QStringList{"None", "Minimum", "Moderate", "Maximum"};
        QTest::newRow("shell length") << 16 << QStringList{"Standard", "Short", "Long"};
        QTest::newRow("met dome") << 30 << QStringList{"1", "2", "3", "4", "S", "M", "L"};
        QTest::newRow("heel post width") << 44 << QStringList{"None", "Full Width", "Half Width", "Quarter Width"};
        QTest::newRow("forefoot post side") << 58 << QStringList{"Medial", "Lateral"};
        QTest::newRow("heel padding") << 80 << QStringList{"Option 1", "Option 2", "Option 3", "Option 4", "Option 5"};
        QTest::newRow("heel aperture is a number") << 62 << QStringList{};
        QTest::newRow("plain row") << 3 << QStringList{};
        QTest::newRow("notes") << 82 << QStringList{};
    }
    void fixedListsByRow()
    {
        QFETCH(int, row);
        QFETCH(QStringList, items);
        const ListFill fill = List_For_Row(chartJob(), row);
        QCOMPARE(fill.items, items);
        QCOMPARE(fill.selected, -1);
        QCOMPARE(fill.fontSize, 0);
    }

    void shellStyleAndMetPadListsAreWhole()
    {
        const ScriptRecord job = chartJob();
        QCOMPARE(List_For_Row(job, 15).items.size(), 8);
        QCOMPARE(List_For_Row(job, 15).items.last(), QStringLiteral("Cobra/Hook"));
        QCOMPARE(List_For_Row(job, 63).items.size(), 11);
        QCOMPARE(List_For_Row(job, 63).items.last(), QStringLiteral("Custom"));
    }

    void sizeListHalfwayEntryChosen_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("selected");
        QTest::newRow("built-in 17") << 17 << 8;
        QTest::newRow("5 rows, 2.5 to even") << 5 << 2;
        QTest::newRow("7 rows, 3.5 to even") << 7 << 4;
        QTest::newRow("none") << 0 << -1;
    }
    void sizeListHalfwayEntryChosen()
    {
        QFETCH(int, count);
        QFETCH(int, selected);
        ScriptRecord job = chartJob();
        job.SizeChartCount = count;
        const ListFill fill = List_For_Row(job, 2);
        QCOMPARE(fill.items.size(), count);
        QCOMPARE(fill.selected, selected);
        QCOMPARE(fill.fontSize, 10);
    }

    void builtInChartListsItsSeventeenSizes()
    {
        const ListFill fill = List_For_Row(chartJob(), 2);
        QCOMPARE(fill.items.first(), QStringLiteral("0"));
        QCOMPARE(fill.items[1], QStringLiteral("2"));
        QCOMPARE(fill.items.last(), QStringLiteral("17"));
        QCOMPARE(fill.items[fill.selected], QStringLiteral("9"));
    }

    void materialAndCoverListsFollowTheTable_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("items");
        const QStringList table{"Mat A", "Mat B", "Mat C"};
        QTest::newRow("76 table") << 76 << true << 3 << table;
        QTest::newRow("77 table, count short of entries") << 77 << true << 2 << table.mid(0, 2);
        QTest::newRow("78 table, count past entries") << 78 << true << 9 << table;
        QTest::newRow("76 table of count 0") << 76 << true << 0 << QStringList{};
        QTest::newRow("76 no table") << 76 << false << 3 << Built_In_Shell_Materials();
        QTest::newRow("78 no table") << 78 << false << 3 << Built_In_Top_Covers();
    }
    void materialAndCoverListsFollowTheTable()
    {
        QFETCH(int, row);
        QFETCH(bool, loaded);
        QFETCH(int, count);
        QFETCH(QStringList, items);
        ScriptRecord job = chartJob();
        job.RigidTablesLoadedFlag = loaded;
        job.ShellMaterialTable = job.RigidTopCoverTable = {"Mat A", "Mat B", "Mat C"};
        job.ShellMaterialTableCount = job.RigidTopCoverTableCount = count;
        const ListFill fill = List_For_Row(job, row);
        QCOMPARE(fill.items, items);
        QCOMPARE(fill.selected, 0);
    }

    void builtInListsAreTheFixedTexts()
    {
        QCOMPARE(Built_In_Shell_Materials().size(), 5);
        QCOMPARE(Built_In_Top_Covers().size(), 23);
        QCOMPARE(Built_In_Top_Covers().first(), QStringLiteral("**3D PRINTED**"));
        QCOMPARE(Built_In_Top_Covers().last(), QStringLiteral("Subortholene 4mm"));
    }

    void leftSizeSetsBothFeet_data()
    {
        QTest::addColumn<QString>("gender");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("size");
        QTest::addColumn<double>("templateLength");
        QTest::newRow("male 9") << "Male"
                                << "9"
                                << "9" << 270.0;
        QTest::newRow("female 9") << "Female"
                                  << "9"
                                  << "9" << 253.0;
        QTest::newRow("9.0 is 9") << "Male"
                                  << "9.0"
                                  << "9" << 270.0;
        QTest::newRow("no number is size 0") << "Male"
                                             << "big"
                                             << "0" << 100.0;
    }
    void leftSizeSetsBothFeet()
    {
        QFETCH(QString, gender);
        QFETCH(QString, typed);
        QFETCH(QString, size);
        QFETCH(double, templateLength);
        ScriptRecord job = chartJob(gender);
        const std::optional<CellSet> set = Cell_Changed(job, 2, LeftColumn, typed);
        QCOMPARE(set, (CellSet{2, RightColumn, size}));
        QCOMPARE(job.FootSizeL, size);
        QCOMPARE(job.FootSizeR, size);
        QCOMPARE(job.TemplateLengthL, templateLength);
        QCOMPARE(job.TemplateLengthR, templateLength);
        QCOMPARE(job.FootLengthL, templateLength - 25);
        QCOMPARE(job.FootLengthR, templateLength - 25);
    }

    void rightSizeChangesTheRightFootOnly()
    {
        ScriptRecord job = chartJob();
        job.FootSizeL = QStringLiteral("5");
        job.TemplateLengthL = 1;
        job.FootLengthL = 2;
        QVERIFY(!Cell_Changed(job, 2, RightColumn, QStringLiteral("9.0")));
        QCOMPARE(job.FootSizeR, QStringLiteral("9"));
        QCOMPARE(job.TemplateLengthR, 270.0);
        QCOMPARE(job.FootLengthR, 245.0);
        QCOMPARE(job.FootSizeL, QStringLiteral("5"));
        QCOMPARE(job.TemplateLengthL, 1.0);
        QCOMPARE(job.FootLengthL, 2.0);
    }

    void leftValuesCopyRightwards_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("copied");
        QTest::newRow("shell style left") << 15 << int(LeftColumn) << true;
        QTest::newRow("tick left") << 71 << int(LeftColumn) << true;
        QTest::newRow("heading left") << 1 << int(LeftColumn) << true;
        QTest::newRow("notes left") << 82 << int(LeftColumn) << true;
        QTest::newRow("shell style right") << 15 << int(RightColumn) << false;
        QTest::newRow("label") << 15 << int(LabelColumn) << false;
        QTest::newRow("unit") << 15 << int(UnitColumn) << false;
        QTest::newRow("outside the grid") << 83 << int(LeftColumn) << false;
    }
    void leftValuesCopyRightwards()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, copied);
        ScriptRecord job = chartJob();
        const ScriptRecord before = job;
        const std::optional<CellSet> set = Cell_Changed(job, row, column, QStringLiteral("Slim"));
        QCOMPARE(set.has_value(), copied);
        if (copied)
            QCOMPARE(*set, (CellSet{row, RightColumn, QStringLiteral("Slim")}));
        QCOMPARE(job.ShellStyleL, before.ShellStyleL); // the grid, not the job, holds it until saved
        QCOMPARE(job.Notes, before.Notes);
    }

    void labelClicksOpenTheRowsHelp_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("page");
        QTest::newRow("row 24 with a link") << 24 << 1 << true << "Heel.Htm";
        QTest::newRow("row 3 without a link") << 3 << 1 << true << "";
        QTest::newRow("left cell") << 24 << 2 << false << "";
        QTest::newRow("right cell") << 24 << 3 << false << "";
        QTest::newRow("unit cell") << 24 << 4 << false << "";
        QTest::newRow("index cell") << 24 << 0 << false << "";
        QTest::newRow("header") << 0 << 1 << false << "";
        QTest::newRow("past the rows") << 83 << 1 << false << "";
    }
    void labelClicksOpenTheRowsHelp()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, opens);
        QFETCH(QString, page);
        QStringList links(RowCount);
        links[23] = QStringLiteral("Heel.Htm");
        const std::optional<QString> found = Help_Page_For_Click(links, row, column);
        QCOMPARE(found.has_value(), opens);
        if (opens)
            QCOMPARE(*found, page);
    }
};

QTEST_APPLESS_MAIN(TestGridEditing)
#include "tst_gridediting.moc"
