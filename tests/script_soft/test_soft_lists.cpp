#include "countedsections.h"
#include "namelists.h"
#include "scriptrecord.h"
#include "softtables.h"
#include "scriptedprompter.h"
#include "testhome.h"

#include <QtTest>

// The hand-edited list files of the soft prescription: option tables and
// name lists, read without a window.
class TestSoftLists : public QObject
{
    Q_OBJECT

private slots:
    void countedSections_data();
    void countedSections();
    void readTablesKeepsWhatAShortFileHolds();
    void demoTableHoldsTheBuiltInLists();
    void nameList_data();
    void nameList();
    void userComboNames_data();
    void userComboNames();
};

void TestSoftLists::countedSections_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<QStringList>>("sections");
    QTest::addColumn<bool>("complete");

    QTest::newRow("count with comma and word")
        << QStringList{"Title", "3,Styles", "a", "b", "c", "1", "x"}
        << QList<QStringList>{{"a", "b", "c"}, {"x"}} << true;
    QTest::newRow("2.5 gives 2, 3.5 gives 4")
        << QStringList{"T", "2.5", "a", "b", "3.5", "1", "2", "3", "4"}
        << QList<QStringList>{{"a", "b"}, {"1", "2", "3", "4"}} << true;
    QTest::newRow("no leading number gives 0")
        << QStringList{"T", "Styles,3", "1", "only"}
        << QList<QStringList>{{}, {"only"}} << true;
    QTest::newRow("negative count gives 0")
        << QStringList{"T", "-2", "1", "x"} << QList<QStringList>{{}, {"x"}} << true;
    QTest::newRow("items keep commas and blanks")
        << QStringList{"T", "1", " VINYL, blue ", "1", "Heel Lift Ext (mm)"}
        << QList<QStringList>{{" VINYL, blue "}, {"Heel Lift Ext (mm)"}} << true;
    QTest::newRow("file ends inside a section")
        << QStringList{"T", "3", "a", "b"} << QList<QStringList>{{"a", "b"}, {}} << false;
    QTest::newRow("file ends before a count line")
        << QStringList{"T", "1", "a"} << QList<QStringList>{{"a"}, {}} << false;
    QTest::newRow("empty file") << QStringList{} << QList<QStringList>{{}, {}} << false;
    QTest::newRow("huge count") << QStringList{"T", "999999999", "a"} << QList<QStringList>{{"a"}, {}} << false;
}

void TestSoftLists::countedSections()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<QStringList>, sections);
    QFETCH(bool, complete);
    const CountedSections parsed = Parse_Counted_Sections(lines, 2);
    QCOMPARE(parsed.sections, sections);
    QCOMPARE(parsed.complete, complete);
}

// The demo working folder comes with an option table, so the EVA window,
// a new job and the option-table print work without the "Table" warning.
void TestSoftLists::demoTableHoldsTheBuiltInLists()
{
    TestHome home;
    auto prompter = ScriptedPrompter::install();
    QFile demo(qEnvironmentVariable("SOLVANE_TEST_SOURCE_DIR") + QStringLiteral("/tools/demo-home/Solvane.Tbl"));
    QVERIFY(demo.open(QIODevice::ReadOnly));
    const QByteArray bytes = demo.readAll();
    QVERIFY(bytes.endsWith("\r\n") && !bytes.contains("\n\n") && bytes.count('\n') == bytes.count("\r\n"));
    home.write("Solvane.Tbl", bytes);

    ScriptRecord job;
    QVERIFY(Read_Tables(job));
    QVERIFY(prompter->calls.isEmpty());
    QCOMPARE(job.OrthoticStyleTable, Built_In_Option_List(SoftOptionList::Styles));
    QCOMPARE(job.EvaDensityTable, Built_In_Option_List(SoftOptionList::Densities));
    QCOMPARE(job.TopCoverTable, Built_In_Option_List(SoftOptionList::TopCovers));
    QCOMPARE(job.InsoleOptionTable, Built_In_Option_List(SoftOptionList::InsoleOptions));
    QCOMPARE(job.InsoleOptionTableCount, 9);

    // The demo folder gets it when it is prepared.
    QFile run(qEnvironmentVariable("SOLVANE_TEST_SOURCE_DIR") + QStringLiteral("/tools/run.sh"));
    QVERIFY(run.open(QIODevice::ReadOnly));
    QVERIFY(run.readAll().contains("tools/demo-home/Solvane.Tbl"));
}

void TestSoftLists::readTablesKeepsWhatAShortFileHolds()
{
    TestHome home;
    auto prompter = ScriptedPrompter::install();
    // Four styles announced, two present; the rest of the file is missing.
    home.write("solvane.tbl", "Soft table\r\n4,Styles\r\nMens\r\nWomens\r\n");
    ScriptRecord job;
    job.EvaDensityTable = QStringList{"old"};
    QVERIFY(Read_Tables(job));
    QVERIFY(prompter->calls.isEmpty());
    QCOMPARE(job.OrthoticStyleTable, (QStringList{"Mens", "Womens"}));
    QCOMPARE(job.OrthoticStyleTableCount, 2);
    QCOMPARE(job.EvaDensityTableCount, 0);
    QVERIFY(job.EvaDensityTable.isEmpty());
    // A section the file left empty falls back to the built-in list.
    QCOMPARE(Option_List_Items(job, SoftOptionList::Styles), (QStringList{"Mens", "Womens"}));
    QCOMPARE(Option_List_Items(job, SoftOptionList::Densities).size(), 16);
    QCOMPARE(Option_List_Items(job, SoftOptionList::InsoleOptions).value(0), QStringLiteral("None"));

    // A missing file warns and keeps the tables.
    QFile::remove(home.path("solvane.tbl"));
    QVERIFY(!Read_Tables(job));
    QVERIFY(!job.TablesLoadedFlag);
    QCOMPARE(job.OrthoticStyleTable, (QStringList{"Mens", "Womens"}));
    QCOMPARE(prompter->messages(), QStringList{"The File C:\\3DEriruvu\\Solvane.Tbl Was Not Found"});
}

void TestSoftLists::nameList_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("names up to End") << QByteArray("Podiatrists\r\nAnn Lee\r\nBo Park\r\nEnd\r\nAfter\r\n")
                                     << QStringList{"Ann Lee", "Bo Park"};
    QTest::newRow("without End, to the end of the file")
        << QByteArray("Podiatrists\r\nAnn Lee\r\nBo Park") << QStringList{"Ann Lee", "Bo Park"};
    QTest::newRow("end in small letters and End with a blank are names")
        << QByteArray("H\nend\nEnd \nEnd\n") << QStringList{"end", "End "};
    QTest::newRow("entries taken whole") << QByteArray("H\r\n Clinic; Street 4; Town \r\nEnd\r\n")
                                         << QStringList{" Clinic; Street 4; Town "};
    QTest::newRow("code page text") << QByteArray("H\r\nRen\xe9\r\nEnd\r\n") << QStringList{QStringLiteral("René")};
    QTest::newRow("no names before End") << QByteArray("H\r\nEnd\r\nLate\r\n")
                                         << QStringList{"No Names Available"};
    QTest::newRow("header only") << QByteArray("H\r\n") << QStringList{"No Names Available"};
    QTest::newRow("missing file") << QByteArray() << QStringList{"No Names Available"};
}

void TestSoftLists::nameList()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, items);
    TestHome home;
    if (!file.isNull())
        home.write("PODIATRIST.CFG", file); // found whatever the case of its name
    QCOMPARE(Name_List_Items("Podiatrist.Cfg"), items);
}

void TestSoftLists::userComboNames_data()
{
    QTest::addColumn<QString>("userList");
    QTest::addColumn<QString>("currentUser");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("single user") << "ann" << "ann" << QStringList{};
    QTest::newRow("two users") << "ann,bob" << "ann" << QStringList{"ann", "bob"};
    QTest::newRow("empty name ends the list") << "ann,,bob" << "ann" << QStringList{"ann"};
    QTest::newRow("same length counts as single") << "a,b" << "abc" << QStringList{};
}

void TestSoftLists::userComboNames()
{
    QFETCH(QString, userList);
    QFETCH(QString, currentUser);
    QFETCH(QStringList, names);
    ScriptRecord job;
    job.UserList = userList;
    job.CurrentUser = currentUser;
    QCOMPARE(User_Combo_Names(job), names);
}

QTEST_GUILESS_MAIN(TestSoftLists)
#include "test_soft_lists.moc"
