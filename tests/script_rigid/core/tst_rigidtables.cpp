#include "paths.h"
#include "rigidgrid.h"
#include "rigidtables.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "testhome.h"

#include <QtTest>

// The two hand-written files of the rigid form: the option table and the
// rows' help links.
class TestRigidTables : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_prompter = ScriptedPrompter::install(); }

    void sectionsWithAnEmptyOne()
    {
        TestHome home;
        home.write(QStringLiteral("Solvane_Rigids.Tbl"), "Rigid options\r\n"
                                                         "2\r\nStandard\r\nSlim\r\n"
                                                         "3,Materials\r\nPolypropylene, 3 mm; grey\r\nCarbon\r\n"
                                                         " Subortholene \r\n"
                                                         "0\r\n"
                                                         "1\r\nHooks\r\n"
                                                         "ignored\r\n");
        ScriptRecord job;
        job.RigidTopCoverTable = QStringList{QStringLiteral("stale")};
        QVERIFY(Read_Tables_Rigids(job));
        QVERIFY(job.RigidTablesLoadedFlag);
        QCOMPARE(job.ShellStyleTable, (QStringList{"Standard", "Slim"}));
        // Entries are taken whole, commas, semicolons and blanks included.
        QCOMPARE(job.ShellMaterialTable, (QStringList{"Polypropylene, 3 mm; grey", "Carbon", " Subortholene "}));
        // A count of 0 is an empty list: nothing stands in for it.
        QCOMPARE(job.RigidTopCoverTable, QStringList());
        QCOMPARE(job.RigidInsoleOptionTable, QStringList{"Hooks"});
        QCOMPARE(job.ShellStyleTableCount, 2);
        QCOMPARE(job.ShellMaterialTableCount, 3);
        QCOMPARE(job.RigidTopCoverTableCount, 0);
        QCOMPARE(job.RigidInsoleOptionTableCount, 1);
        QVERIFY(m_prompter->calls.isEmpty());
    }

    void countLines_data()
    {
        QTest::addColumn<QByteArray>("countLine");
        QTest::addColumn<QStringList>("styles");
        QTest::newRow("count and a text") << QByteArray("3,text") << QStringList{"a", "b", "c"};
        QTest::newRow("2.5 is 2") << QByteArray("2.5") << QStringList{"a", "b"};
        QTest::newRow("3.5 is 4") << QByteArray("3.5") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("no number is 0") << QByteArray("abc") << QStringList();
        QTest::newRow("negative is 0") << QByteArray("-1") << QStringList();
    }
    void countLines()
    {
        QFETCH(QByteArray, countLine);
        QFETCH(QStringList, styles);
        TestHome home;
        home.write(QStringLiteral("Solvane_Rigids.Tbl"),
                   "T\r\n" + countLine + "\r\na\r\nb\r\nc\r\nd\r\n0\r\n0\r\n0\r\n");
        ScriptRecord job;
        QVERIFY(Read_Tables_Rigids(job));
        QCOMPARE(job.ShellStyleTable, styles);
        QCOMPARE(job.ShellStyleTableCount, int(styles.size()));
    }

    void missingTableWarnsAndKeepsTables()
    {
        TestHome home;
        ScriptRecord job;
        job.ShellMaterialTable = QStringList{QStringLiteral("Carbon")};
        job.ShellMaterialTableCount = 1;
        job.RigidTablesLoadedFlag = true;
        QVERIFY(!Read_Tables_Rigids(job));
        QVERIFY(!job.RigidTablesLoadedFlag);
        QCOMPARE(job.ShellMaterialTable, QStringList{"Carbon"});
        QCOMPARE(job.ShellMaterialTableCount, 1);
        QCOMPARE(m_prompter->calls.size(), 1);
        const ScriptedPrompter::Call &call = m_prompter->calls.first();
        // The message names the file where it is on this machine.
        QCOMPARE(call.text, QStringLiteral("The File %1 Was Not Found")
                                .arg(QDir::toNativeSeparators(home.path(QStringLiteral("Solvane_Rigids.Tbl")))));
        QCOMPARE(call.title, QStringLiteral("Table"));
        QCOMPARE(call.icon, Prompter::Icon::Warning);

        // Found whatever the case of its name; the next reading loads it.
        home.write(QStringLiteral("SOLVANE_RIGIDS.TBL"), "T\r\n1\r\nStandard\r\n1\r\nCarbon Fibre\r\n0\r\n0\r\n");
        QVERIFY(Read_Tables_Rigids(job));
        QCOMPARE(job.ShellMaterialTable, QStringList{"Carbon Fibre"});
        QCOMPARE(m_prompter->calls.size(), 1);
    }

    void shortTableKeepsWhatItHeld()
    {
        TestHome home;
        home.write(QStringLiteral("Solvane_Rigids.Tbl"), "T\r\n1\r\nStandard\r\n4\r\nCarbon\r\n");
        ScriptRecord job;
        QVERIFY(Read_Tables_Rigids(job));
        QCOMPARE(job.ShellMaterialTable, QStringList{"Carbon"});
        QCOMPARE(job.ShellMaterialTableCount, 1);
        QCOMPARE(job.RigidTopCoverTableCount, 0);
    }

    void helpLinks_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("links"); // the first rows' links; later rows keep "old"

        QTest::newRow("End on the third link line")
            << QByteArray("82\r\nsize,C:\\Help\\Size.htm\r\nscan,scan.htm\r\nEnd\r\nvarus,varus.htm\r\n")
            << QStringList{"C:\\Help\\Size.htm", "scan.htm"};
        QTest::newRow("count below the lines")
            << QByteArray("1\r\nsize,size.htm\r\nscan,scan.htm\r\n") << QStringList{"size.htm"};
        QTest::newRow("no comma gives an empty link")
            << QByteArray("2\r\nsize.htm\r\nscan,scan.htm\r\n") << QStringList{"", "scan.htm"};
        QTest::newRow("third field ignored")
            << QByteArray("1\r\npost,C:\\Help\\Posting.htm,see also\r\n") << QStringList{"C:\\Help\\Posting.htm"};
        QTest::newRow("file cut short") << QByteArray("10\r\na,1.htm\r\nb,2.htm") << QStringList{"1.htm", "2.htm"};
        QTest::newRow("negative count") << QByteArray("-3\r\na,1.htm\r\n") << QStringList();
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QByteArray many = "90\r\n";
        QStringList first82;
        for (int i = 1; i <= 90; ++i) {
            many += "row" + QByteArray::number(i) + ",page" + QByteArray::number(i) + ".htm\r\n";
            if (i <= 82)
                first82 << QStringLiteral("page%1.htm").arg(i);
        }
        QTest::newRow("90 links") << many << first82;
    }
    void helpLinks()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, links);
        TestHome home;
        home.write(QStringLiteral("Help_Links.Cfg"), file);
        QStringList helpLinks(RigidGrid::RowCount, QStringLiteral("old"));
        Read_Help_Links(helpLinks);
        QCOMPARE(helpLinks.size(), RigidGrid::RowCount);
        QCOMPARE(helpLinks.mid(0, links.size()), links);
        QCOMPARE(helpLinks.mid(links.size()), QStringList(RigidGrid::RowCount - links.size(), QStringLiteral("old")));
        QVERIFY(m_prompter->calls.isEmpty());
    }

    void missingHelpLinksEmptyEveryRow()
    {
        TestHome home;
        QStringList helpLinks(RigidGrid::RowCount, QStringLiteral("old"));
        Read_Help_Links(helpLinks);
        QCOMPARE(helpLinks, QStringList(RigidGrid::RowCount, QString()));

        // A window opening for the first time starts from no links at all.
        home.write(QStringLiteral("help_links.cfg"), "1\r\nsize,size.htm\r\n");
        QStringList fresh;
        Read_Help_Links(fresh);
        QCOMPARE(fresh.size(), RigidGrid::RowCount);
        QCOMPARE(fresh.first(), QStringLiteral("size.htm"));
        QCOMPARE(fresh.last(), QString());
        QVERIFY(m_prompter->calls.isEmpty());
    }

private:
    std::shared_ptr<ScriptedPrompter> m_prompter;
};

QTEST_GUILESS_MAIN(TestRigidTables)
#include "tst_rigidtables.moc"
