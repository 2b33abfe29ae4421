#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "softtables.h"
#include "testhome.h"

#include <QtTest>

// The soft prescription's option tables, read without a window.
class TestSoftLists : public QObject
{
    Q_OBJECT

private slots:
    void readTablesKeepsWhatAShortFileHolds();
    void demoTableHoldsTheBuiltInLists();
};

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
    QCOMPARE(prompter->messages(),
             QStringList{"The File " + QDir::toNativeSeparators(home.path("Solvane.Tbl")) + " Was Not Found"});
}

QTEST_GUILESS_MAIN(TestSoftLists)
#include "tst_softlists.moc"
