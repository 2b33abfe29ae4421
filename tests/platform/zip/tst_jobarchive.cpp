#include "errors.h"
#include "jobarchive.h"
#include "prompter.h"
#include "scriptedprompter.h"
#include "testhome.h"
#include "zipfixture.h"
#include "zipreader.h"

#include <QtTest>

class TestJobArchive : public QObject
{
    Q_OBJECT

private:
    // Job files spread over two folders, as a real job's are.
    QStringList makeJobFiles(const TestHome &home)
    {
        home.write(QStringLiteral("Data/Clinic1/JB0042_Zoë_Müller.Csv"), "record\r\nEND\r\n");
        home.write(QStringLiteral("Data/Clinic1/JB0042_Zoë_Müller.Pdf"), QByteArray(70000, 'p'));
        home.write(QStringLiteral("Scans/Müller_Zoë_L.Wrl"), QByteArray("#VRML V2.0 utf8\n") + QByteArray(200000, 'v'));
        home.write(QStringLiteral("Scans/Muller_Zoe_R.Wrl"), QByteArray("#VRML V2.0 utf8\n") + QByteArray(1000, 'r'));
        return {home.path(QStringLiteral("Data/Clinic1/JB0042_Zoë_Müller.Csv")),
                home.path(QStringLiteral("Data/Clinic1/JB0042_Zoë_Müller.Pdf")),
                home.path(QStringLiteral("Scans/Müller_Zoë_L.Wrl")),
                home.path(QStringLiteral("Scans/Muller_Zoe_R.Wrl"))};
    }

    static QStringList partFiles(const QString &folder)
    {
        return QDir(folder).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden);
    }

private slots:
    void membersUnderBareNamesWithCommentAndUtf8Flag()
    {
        TestHome home;
        const QStringList files = makeJobFiles(home);
        const QString zipPath = home.path(QStringLiteral("Jobs/JB0042_Zoë_Müller.Zip"));
        QDir().mkpath(home.path(QStringLiteral("Jobs")));

        Write_Job_Archive(zipPath, files, QStringLiteral("JB0042 Zoë Müller"));

        const ZipReader reader(zipPath);
        QCOMPARE(reader.comment(), QStringLiteral("JB0042 Zoë Müller"));
        QStringList names;
        for (const ZipEntry &e : reader.entries())
            names << e.name;
        QCOMPARE(names, (QStringList{QStringLiteral("JB0042_Zoë_Müller.Csv"), QStringLiteral("JB0042_Zoë_Müller.Pdf"),
                                     QStringLiteral("Müller_Zoë_L.Wrl"), QStringLiteral("Muller_Zoe_R.Wrl")}));
        for (const QString &file : files)
            QCOMPARE(reader.read(*reader.find(QFileInfo(file).fileName())), Read_All(file));

        // Every name beyond ASCII carries the UTF-8 flag (bit 11) in the
        // central directory, so the laboratory's tools read "Zoë" and not its
        // code-page bytes. (An ASCII name reads the same either way.)
        const QByteArray raw = Read_All(zipPath);
        int records = 0, flagged = 0;
        for (qsizetype at = raw.indexOf("PK\x01\x02"); at >= 0; at = raw.indexOf("PK\x01\x02", at + 4)) {
            const quint16 flags = quint8(raw[at + 8]) | (quint8(raw[at + 9]) << 8);
            const int nameLength = quint8(raw[at + 28]) | (quint8(raw[at + 29]) << 8);
            const QByteArray name = raw.mid(at + 46, nameLength);
            bool ascii = true;
            for (const char c : name)
                ascii = ascii && quint8(c) < 0x80;
            if (!ascii) {
                QVERIFY2(flags & 0x0800, name.constData());
                ++flagged;
            }
            ++records;
        }
        QCOMPARE(flagged, 3);
        QCOMPARE(records, 4);
        QVERIFY(raw.contains(QStringLiteral("Müller_Zoë_L.Wrl").toUtf8()));
        QVERIFY(partFiles(home.path(QStringLiteral("Jobs"))).isEmpty());
        // The sources stay where they were.
        for (const QString &file : files)
            QVERIFY(QFileInfo::exists(file));
    }

    void existingTargetIsRefusedBeforePacking()
    {
        TestHome home;
        const QStringList files = makeJobFiles(home);
        const QString zipPath = home.path(QStringLiteral("JB0042.Zip"));
        home.write(QStringLiteral("JB0042.Zip"), "an older archive");

        try {
            Write_Job_Archive(zipPath, files, QString());
            QFAIL("an existing archive was replaced");
        } catch (const SolvaneError &e) {
            QCOMPARE(e.number(), kArchiveExists);
            QCOMPARE(e.description(), zipPath + QStringLiteral(" already exists"));
        }
        QCOMPARE(home.read(QStringLiteral("JB0042.Zip")), QByteArray("an older archive"));
        QVERIFY(partFiles(home.root()).isEmpty());

        // As the command handler shows it.
        auto ui = ScriptedPrompter::install();
        Run_Command([&] { Write_Job_Archive(zipPath, files, QString()); });
        QCOMPARE(ui->messages(), QStringList{QStringLiteral("Error: ") + zipPath + QStringLiteral(" already exists")});
        QCOMPARE(ui->calls.first().title, QStringLiteral("Error"));
        Set_Prompter(nullptr);
    }

    void unpackableJobsAreRefused_data()
    {
        QTest::addColumn<QStringList>("names"); // relative to the home; "-" marks a missing file
        QTest::newRow("two files with one bare name")
            << QStringList{QStringLiteral("a/Job.Csv"), QStringLiteral("b/job.csv")};
        QTest::newRow("missing source") << QStringList{QStringLiteral("a/Job.Csv"), QStringLiteral("-a/Gone.Pdf")};
        QTest::newRow("nothing to pack") << QStringList{};
    }

    void unpackableJobsAreRefused()
    {
        QFETCH(QStringList, names);
        TestHome home;
        QStringList files;
        for (const QString &name : names) {
            if (name.startsWith(u'-')) {
                files << home.path(name.mid(1));
            } else {
                home.write(name, name.toUtf8());
                files << home.path(name);
            }
        }
        const QString zipPath = home.path(QStringLiteral("Job.Zip"));
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Write_Job_Archive(zipPath, files, QString()));
        QVERIFY(!QFileInfo::exists(zipPath));
        QVERIFY(partFiles(home.root()).isEmpty());
    }

    void readBackCheckCatchesBadArchives()
    {
        TestHome home;
        home.write(QStringLiteral("src/A.Csv"), "first member");
        home.write(QStringLiteral("src/B.Wrl"), "the second member's bytes, long enough to find");
        const QStringList files{home.path(QStringLiteral("src/A.Csv")), home.path(QStringLiteral("src/B.Wrl"))};
        const QString good = home.path(QStringLiteral("good.Zip"));
        QVERIFY(Build_Zip(good, {{"A.Csv", "first member", ZipMember::Stored},
                                 {"B.Wrl", "the second member's bytes, long enough to find", ZipMember::Stored}}));
        Verify_Job_Archive(good, files); // passes

        // A damaged member fails its CRC.
        const QString damaged = home.path(QStringLiteral("damaged.Zip"));
        QVERIFY(QFile::copy(good, damaged));
        QVERIFY(Damage_File(damaged, "second member's bytes"));
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Verify_Job_Archive(damaged, files));

        // A member missing, or kept under a folder, is missing.
        const QString partial = home.path(QStringLiteral("partial.Zip"));
        QVERIFY(Build_Zip(
            partial, {{"A.Csv", "first member"}, {"src/B.Wrl", "the second member's bytes, long enough to find"}}));
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Verify_Job_Archive(partial, files));

        // A source that changed after packing no longer matches its copy.
        home.write(QStringLiteral("src/A.Csv"), "first member, edited");
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Verify_Job_Archive(good, files));
    }

    void targetInMissingFolderFailsCleanly()
    {
        TestHome home;
        home.write(QStringLiteral("A.Csv"), "x");
        const QString zipPath = home.path(QStringLiteral("NoSuchFolder/Job.Zip"));
        QVERIFY_THROWS_EXCEPTION(SolvaneError,
                                 Write_Job_Archive(zipPath, {home.path(QStringLiteral("A.Csv"))}, QString()));
        QVERIFY(!QFileInfo::exists(zipPath));
        QVERIFY(QFileInfo::exists(home.path(QStringLiteral("A.Csv"))));
    }
};

QTEST_GUILESS_MAIN(TestJobArchive)
#include "tst_jobarchive.moc"
