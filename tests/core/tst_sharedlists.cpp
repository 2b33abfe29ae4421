#include "countedsections.h"
#include "namelists.h"
#include "scriptrecord.h"
#include "testhome.h"

#include <QtTest>

// The hand-edited list files both prescription windows and the intake
// windows read: counted option sections and name lists.
class TestSharedLists : public QObject
{
    Q_OBJECT

private slots:
    void countedSections_data();
    void countedSections();
    void nameList_data();
    void nameList();
    void userComboNames_data();
    void userComboNames();
};

void TestSharedLists::countedSections_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<QStringList>>("sections");
    QTest::addColumn<bool>("complete");

    QTest::newRow("count with comma and word") << QStringList{"Title", "3,Styles", "a", "b", "c", "1", "x"}
                                               << QList<QStringList>{{"a", "b", "c"}, {"x"}} << true;
    QTest::newRow("2.5 gives 2, 3.5 gives 4") << QStringList{"T", "2.5", "a", "b", "3.5", "1", "2", "3", "4"}
                                              << QList<QStringList>{{"a", "b"}, {"1", "2", "3", "4"}} << true;
    QTest::newRow("no leading number gives 0")
        << QStringList{"T", "Styles,3", "1", "only"} << QList<QStringList>{{}, {"only"}} << true;
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

void TestSharedLists::countedSections()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<QStringList>, sections);
    QFETCH(bool, complete);
    const CountedSections parsed = Parse_Counted_Sections(lines, 2);
    QCOMPARE(parsed.sections, sections);
    QCOMPARE(parsed.complete, complete);
}

void TestSharedLists::nameList_data()
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
    QTest::newRow("no names before End") << QByteArray("H\r\nEnd\r\nLate\r\n") << QStringList{"No Names Available"};
    QTest::newRow("header only") << QByteArray("H\r\n") << QStringList{"No Names Available"};
    QTest::newRow("missing file") << QByteArray() << QStringList{"No Names Available"};
}

void TestSharedLists::nameList()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, items);
    TestHome home;
    if (!file.isNull())
        home.write("PODIATRIST.CFG", file); // found whatever the case of its name
    QCOMPARE(Name_List_Items("Podiatrist.Cfg"), items);
}

void TestSharedLists::userComboNames_data()
{
    QTest::addColumn<QString>("userList");
    QTest::addColumn<QString>("currentUser");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("single user") << "ann"
                                 << "ann" << QStringList{};
    QTest::newRow("two users") << "ann,bob"
                               << "ann" << QStringList{"ann", "bob"};
    QTest::newRow("empty name ends the list") << "ann,,bob"
                                              << "ann" << QStringList{"ann"};
    QTest::newRow("same length counts as single") << "a,b"
                                                  << "abc" << QStringList{};
}

void TestSharedLists::userComboNames()
{
    QFETCH(QString, userList);
    QFETCH(QString, currentUser);
    QFETCH(QStringList, names);
    ScriptRecord job;
    job.UserList = userList;
    job.CurrentUser = currentUser;
    QCOMPARE(User_Combo_Names(job), names);
}

QTEST_GUILESS_MAIN(TestSharedLists)
#include "tst_sharedlists.moc"
