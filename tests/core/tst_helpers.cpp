#include "clock.h"
#include "jobnames.h"
#include "messagetext.h"
#include "paths.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"

#include <QtTest>

class TestHelpers : public QObject
{
    Q_OBJECT
private slots:
    void tokenComma()
    {
        QString text = QStringLiteral("a,,c");
        QCOMPARE(Get_Token_Comma(text), QStringLiteral("a"));
        QCOMPARE(Get_Token_Comma(text), QString());
        QCOMPARE(Get_Token_Comma(text), QStringLiteral("c"));
        QVERIFY(text.isEmpty());
        QCOMPARE(Get_Token_Comma(text), QString());

        QString single = QStringLiteral(" x");
        QCOMPARE(Get_Token_Comma(single), QStringLiteral(" x"));
        QVERIFY(single.isEmpty());
    }

    void otherSplitters()
    {
        QString s = QStringLiteral("v 1 2");
        QCOMPARE(Get_Token_Space(s), QStringLiteral("v"));
        QCOMPARE(s, QStringLiteral("1 2"));
        QString u = QStringLiteral("AB0042_Ann_Lee");
        QCOMPARE(Get_Token_Underscore(u), QStringLiteral("AB0042"));
        QString c = QStringLiteral("Clinic;Street;Town");
        QCOMPARE(Get_Token_Semicolon(c), QStringLiteral("Clinic"));
        QCOMPARE(c, QStringLiteral("Street;Town"));
    }

    void pathSplitting_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::newRow("windows") << "C:\\3DEriruvu\\Data\\a.Csv"
                                 << "a.Csv"
                                 << "C:\\3DEriruvu\\Data\\";
        QTest::newRow("posix") << "/home/x/3DEriruvu/Data/a.Csv"
                               << "a.Csv"
                               << "/home/x/3DEriruvu/Data/";
        QTest::newRow("mixed") << "C:\\3DEriruvu/Data\\a.Csv"
                               << "a.Csv"
                               << "C:\\3DEriruvu/Data\\";
        QTest::newRow("bare") << "a.Csv"
                              << "a.Csv"
                              << "";
        QTest::newRow("folder only") << "C:\\Data\\"
                                     << ""
                                     << "C:\\Data\\";
    }
    void pathSplitting()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QCOMPARE(Get_File_Name(path), name);
        QCOMPARE(Get_Folder_Path(path), folder);
    }

    void fileExists()
    {
        TestHome home;
        home.write(QStringLiteral("a.txt"), "x");
        QVERIFY(File_Exists(home.path(QStringLiteral("a.txt"))));
        QVERIFY(!File_Exists(home.path(QStringLiteral("Data"))));
        QVERIFY(!File_Exists(QString()));
        QVERIFY(!File_Exists(home.path(QStringLiteral("missing"))));
    }

    void measures()
    {
        QCOMPARE(Get_Distance_3D(0, 0, 0, 3, 4, 12), 13.0);
        QVERIFY(qAbs(Get_Angle_Deg(0, 0, 1, 1) - 45.0) < 1e-6);
        QVERIFY(qAbs(Get_Angle_Deg(0, 0, -1, -1) - 45.0) < 1e-6);
        QCOMPARE(Get_Angle_Deg(2, 0, 2, 5), 90.0);
        QCOMPARE(Get_Angle_Deg(2, 0, 2, -5), 90.0); // the slope, as the foot views show it
        QCOMPARE(Get_Angle_Deg(2, 1, 2, 1), 0.0);
    }

    void status()
    {
        QStringList seen;
        Set_Status_Sink([&](const QString &t) { seen << t; });
        Set_Status(QStringLiteral("Packaging Job..."));
        Set_Status_Sink({});
        Set_Status(QStringLiteral("Ready"));
        QCOMPARE(seen, QStringList{QStringLiteral("Packaging Job...")});
        QCOMPARE(Last_Status(), QStringLiteral("Ready"));
    }

    void waits()
    {
        QElapsedTimer timer;
        timer.start();
        Wait_Milliseconds(-5000);
        Wait_Milliseconds(200); // rounds to no whole second
        QVERIFY(timer.elapsed() < 1000);

        // A wait that would pass midnight ends there instead of running a day.
        QDateTime fake(QDate(2026, 12, 10), QTime(23, 59, 59));
        Clock::setSource([&] {
            const QDateTime now = fake;
            fake = QDateTime(QDate(2026, 12, 11), QTime(0, 0, 0));
            return now;
        });
        timer.restart();
        Wait_Milliseconds(5000);
        Clock::setSource({});
        QVERIFY(timer.elapsed() < 2000);
    }

    void dates()
    {
        QCOMPARE(Clock::shortDate(QDate(2026, 3, 4)), QStringLiteral("04/03/2026"));
        QCOMPARE(Clock::longTime(QTime(9, 5, 7)), QStringLiteral("09:05:07"));
        QCOMPARE(Clock::recordDate(QDate(2026, 12, 8)), QStringLiteral("Tuesday, Dec 8  2026"));
    }

    void safeName_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("plain") << "Ann"
                               << "Ann";
        QTest::newRow("accent kept") << "Zoë"
                                     << "Zoë";
        QTest::newRow("slashes") << "a/b\\c"
                                 << "a_b_c";
        QTest::newRow("reserved") << "x:*?\"<>|y"
                                  << "x_______y";
        QTest::newRow("dot") << "."
                             << "_";
        QTest::newRow("dotdot") << ".."
                                << "_";
        QTest::newRow("dots inside kept") << "O..Neil"
                                          << "O..Neil";
        QTest::newRow("control") << QStringLiteral("a\tb\nc") << "a_b_c";
        QTest::newRow("outside code page") << "李"
                                           << "_";
        QTest::newRow("traversal") << "../../etc"
                                   << ".._.._etc";
        QTest::newRow("long name cut") << QString(100000, u'a') << QString(64, u'a');
        // The cut counts bytes as a file system does: "é" takes two, "€" three.
        QTest::newRow("two-byte letters cut") << QString(100, u'é') << QString(32, u'é');
        QTest::newRow("three-byte letters cut") << QString(100, QChar(0x20AC)) << QString(21, QChar(0x20AC));
        QTest::newRow("bad characters cut too") << QString(100, u'/') << QString(64, u'_');
    }
    void safeName()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(safeNamePart(in), out);
    }

    void jobNames()
    {
        ScriptRecord job;
        job.OperatorCode = QStringLiteral("VORMAK");
        job.JobCounter = 7;
        job.JobNumber = Make_Job_Number(job);
        QCOMPARE(job.JobNumber, QStringLiteral("VORMAK0007"));
        job.ClientFirstName = QStringLiteral("Ann");
        job.ClientSurname = QStringLiteral("../Lee");
        QCOMPARE(JobBaseName(job), QStringLiteral("VORMAK0007_Ann_.._Lee"));
        QCOMPARE(JobBaseNameDefault(job), QStringLiteral("VORMAK0007_Default"));
        job.LeftScanFile = job.RightScanFile = QStringLiteral("None");
        QCOMPARE(JobBaseNameForJob(job), QStringLiteral("VORMAK0007_Default"));
        job.LeftScanFile = QStringLiteral("/d/Lee_Ann_L.Wrl");
        QCOMPARE(JobBaseNameForJob(job), JobBaseName(job));
        QCOMPARE(JobFileStem(QStringLiteral("X"), JobKind::Rigid), QStringLiteral("R_X"));
        job.CurrentFolder = QStringLiteral("/d");
        QCOMPARE(JobSketchPath(job, JobKind::Rigid), QStringLiteral("/d/R_VORMAK0007_Ann_.._Lee.Jpg"));
        job.JobCounter = 12345;
        QCOMPARE(Make_Job_Number(job), QStringLiteral("VORMAK12345"));

        // A job number read from a record names files as safely as a client
        // name; the record itself keeps it as typed.
        job.JobNumber = QStringLiteral("../x");
        QCOMPARE(JobBaseName(job), QStringLiteral(".._x_Ann_.._Lee"));
        QCOMPARE(JobBaseNameDefault(job), QStringLiteral(".._x_Default"));
        QCOMPARE(job.JobNumber, QStringLiteral("../x"));
        job.JobNumber = QStringLiteral("..");
        QCOMPARE(JobBaseNameDefault(job), QStringLiteral("__Default"));
    }

    // Names of any length from a record still make files the system accepts.
    void longNamesMakeFiles_data()
    {
        QTest::addColumn<QChar>("letter");
        QTest::newRow("ASCII") << QChar(u'a');
        QTest::newRow("two-byte") << QChar(u'é');
        QTest::newRow("three-byte") << QChar(0x20AC);
    }
    void longNamesMakeFiles()
    {
        QFETCH(QChar, letter);
        ScriptRecord job;
        job.JobNumber = QString(300, letter);
        job.ClientFirstName = QString(100000, letter);
        job.ClientSurname = QString(100000, letter);
        const QString name = JobFileStem(JobBaseName(job), JobKind::Rigid) + QStringLiteral("_Priority.Zip");
        QVERIFY(name.toUtf8().size() < 255);
        QTemporaryDir dir;
        QFile file(dir.filePath(name));
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    }

    // Messages break lines with CR LF, and name files where they are here.
    void messageTexts()
    {
        QCOMPARE(Message_Lines({QStringLiteral("We Cannot Start Veltrane..."), QString(),
                                QStringLiteral("It is Already Running.")}),
                 QStringLiteral("We Cannot Start Veltrane...\r\n\r\nIt is Already Running."));
        QCOMPARE(Message_Lines({QStringLiteral("One line")}), QStringLiteral("One line"));
        TestHome home;
        const QString table = home.root() + QStringLiteral("/Solvane.Tbl");
        QCOMPARE(Message_Path(table), QDir::toNativeSeparators(table));
        QVERIFY(Message_Path(table) != Record_Path(table));
    }

    void recordPaths()
    {
        TestHome home;
        const QString root = home.root();
        QCOMPARE(Record_Path(root + QStringLiteral("/Data/Ann/a.Wrl")),
                 QStringLiteral("C:\\3DEriruvu\\Data\\Ann\\a.Wrl"));
        QCOMPARE(Record_Path(QStringLiteral("/elsewhere/a.Wrl")), QStringLiteral("/elsewhere/a.Wrl"));
        QCOMPARE(Record_Path(QStringLiteral("None")), QStringLiteral("None"));
        QCOMPARE(Record_Path(root + QStringLiteral("x/a")),
                 root + QStringLiteral("x/a")); // a sibling folder is not under root
        QCOMPARE(From_Record_Path(QStringLiteral("c:\\3deriruvu\\Data\\Ann\\a.Wrl")),
                 root + QStringLiteral("/Data/Ann/a.Wrl"));
        QCOMPARE(From_Record_Path(QStringLiteral("D:\\x\\a.Wrl")), QStringLiteral("D:\\x\\a.Wrl"));
        const QString p = root + QStringLiteral("/Jobs/b.Zip");
        QCOMPARE(From_Record_Path(Record_Path(p)), p);
    }

    void absentAndRelative_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("absent");
        QTest::addColumn<bool>("relative");
        QTest::newRow("empty") << "" << true << true;
        QTest::newRow("None") << "None" << true << true;
        QTest::newRow("NONE") << "NONE" << true << true;
        QTest::newRow("folder then None") << "C:\\x\\None" << true << false;
        QTest::newRow("Giannone keeps her files") << "/d/Giannone_Ann_L.Lcf" << false << false;
        QTest::newRow("folder named none") << "/data/none_clinic/a.Lcf" << false << false;
        QTest::newRow("bare name") << "a.Lcf" << false << true;
        QTest::newRow("windows drive") << "C:\\a.Lcf" << false << false;
        QTest::newRow("root marker") << "x\\3DEriruvu\\a.Lcf" << false << false;
    }
    void absentAndRelative()
    {
        QFETCH(QString, path);
        QFETCH(bool, absent);
        QFETCH(bool, relative);
        QCOMPARE(Is_Absent_Path(path), absent);
        QCOMPARE(Is_Relative_Path(path), relative);
    }

    void caseInsensitiveResolver()
    {
        TestHome home;
        home.write(QStringLiteral("Data/Lee_Ann_L[vrml].JPG"), "x");
        const QString folder = home.path(QStringLiteral("Data"));
        QCOMPARE(Resolve_Path_Nocase(folder, QStringLiteral("Lee_Ann_L[VRML].Jpg")),
                 folder + QStringLiteral("/Lee_Ann_L[vrml].JPG"));
        QCOMPARE(Resolve_File_Nocase(folder + QStringLiteral("/LEE_ANN_L[VRML].JPG")),
                 folder + QStringLiteral("/Lee_Ann_L[vrml].JPG"));
        QVERIFY(Resolve_Path_Nocase(folder, QStringLiteral("missing.jpg")).isEmpty());
        QVERIFY(Has_Extension(QStringLiteral("/a/b.sTl"), QStringLiteral("stl")));
        QVERIFY(!Has_Extension(QStringLiteral("/STL/b.Wrl"), QStringLiteral("stl")));
    }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
