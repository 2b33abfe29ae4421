#include "errors.h"
#include "mainconfig.h"
#include "scriptrecord.h"
#include "testhome.h"

#include <QtTest>

class TestConfig : public QObject
{
    Q_OBJECT
private slots:
    void readsWhatIsThere_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("users");
        QTest::addColumn<int>("counter");
        QTest::newRow("two users") << QByteArray("AB\r\nS1\r\n0042\r\nAnn\r\nBob\r\n") << 5 << "Ann,Bob" << 42;
        QTest::newRow("one user") << QByteArray("AB\r\nS1\r\n0042\r\nAnn\r\n") << 4 << "Ann" << 42;
        QTest::newRow("gap ends list") << QByteArray("AB\r\nS1\r\n1\r\nAnn\r\n\r\nBob\r\n") << 6 << "Ann" << 1;
        QTest::newRow("short") << QByteArray("AB\r\nS1\r\n") << 2 << "" << 0;
        QTest::newRow("counter with letters") << QByteArray("AB\nS1\n42abc\nAnn\n") << 4 << "Ann" << 42;
        QTest::newRow("counter letters only") << QByteArray("AB\nS1\nabc\n\n") << 4 << "" << 0;
        QTest::newRow("five digit counter") << QByteArray("AB\rS1\r12345\rAnn\r") << 4 << "Ann" << 12345;
    }
    void readsWhatIsThere()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, lines);
        QFETCH(QString, users);
        QFETCH(int, counter);
        TestHome home;
        home.write(QStringLiteral("Solvane.Cfg"), content);
        const auto config = Read_Main_Config();
        QVERIFY(config.has_value());
        QCOMPARE(config->lines.size(), lines);
        QCOMPARE(config->userList(), users);
        QCOMPARE(Counter_From_Text(config->line(3)), counter);
        QCOMPARE(config->line(9), QString());
    }

    void missingFile()
    {
        TestHome home;
        QVERIFY(!Read_Main_Config().has_value());
        Create_Main_Config(QStringLiteral("A0000"));
        QCOMPARE(home.read(QStringLiteral("Solvane.Cfg")), QByteArray("VORMAK\r\nA0000\r\n0000\r\n\r\n"));
    }

    void writeBack_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("counter");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("one user") << "Ann"
                                  << "Ann" << 10000 << QByteArray("AB\r\nS1\r\n10000\r\nAnn\r\n");
        QTest::newRow("no user") << ""
                                 << "" << 9 << QByteArray("AB\r\nS1\r\n0009\r\n\r\n");
        QTest::newRow("several users keep line 4")
            << "Bob"
            << "Ann,Bob,Cy" << 43 << QByteArray("AB\r\nS1\r\n0043\r\nAnn\r\nBob\r\nCy\r\n");
    }
    void writeBack()
    {
        QFETCH(QString, current);
        QFETCH(QString, list);
        QFETCH(int, counter);
        QFETCH(QByteArray, bytes);
        TestHome home;
        ScriptRecord job;
        job.OperatorCode = QStringLiteral("AB");
        job.ScannerId = QStringLiteral("S1");
        job.JobCounter = counter;
        job.CurrentUser = current;
        job.UserList = list;
        Write_Main_Config(job);
        QCOMPARE(home.read(QStringLiteral("Solvane.Cfg")), bytes);
    }

    void failedWriteReported()
    {
        TestHome home;
        home.write(QStringLiteral("Solvane.Cfg"), "AB\r\nS1\r\n0001\r\n\r\n");
        // Point the working folder at a regular file: nothing can be written there.
        qputenv("SOLVANE_HOME", home.path(QStringLiteral("Solvane.Cfg")).toLocal8Bit());
        ScriptRecord job;
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Write_Main_Config(job));
        qputenv("SOLVANE_HOME", home.root().toLocal8Bit());
        QCOMPARE(home.read(QStringLiteral("Solvane.Cfg")), QByteArray("AB\r\nS1\r\n0001\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
