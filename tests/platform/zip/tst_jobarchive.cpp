#include "disksyncwatch.h"
#include "errors.h"
#include "jobarchive.h"
#include "prompter.h"
#include "scriptedprompter.h"
#include "testhome.h"
#include "zipfixture.h"
#include "zipreader.h"

#include "memberprogress.h"

#include <QRandomGenerator>
#include <QtTest>

#include <zip.h>

#include <cstdio>

namespace {

// The archive libzip writes in one pass, member after member on one thread,
// as the writer did before it shared the work out: the parallel writer must
// give these very bytes.
void writeOnePass(const QString &zipPath, const QStringList &files, const QString &comment)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_EXCL, &code);
    QVERIFY(archive);
    for (const QString &path : files) {
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(path).constData(), 0, 0);
        QVERIFY(source);
        const zip_int64_t index =
            zip_file_add(archive, QFileInfo(path).fileName().toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        QVERIFY(index >= 0);
        QCOMPARE(zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1), 0);
    }
    const QByteArray text = comment.toUtf8();
    QCOMPARE(zip_set_archive_comment(archive, text.constData(), zip_uint16_t(text.size())), 0);
    QCOMPARE(zip_close(archive), 0);
}

// Each text is "<step><member> <n>%"; the steps, the members (in archive
// order) and the shares never go back, and every member's 100% is told in
// each step.
void expectForwardProgress(const QStringList &statuses, const QStringList &steps, const QStringList &names)
{
    qint64 last = -1;
    QSet<QString> finished;
    for (const QString &text : statuses) {
        const auto step =
            std::find_if(steps.begin(), steps.end(), [&](const QString &s) { return text.startsWith(s); });
        QVERIFY2(step != steps.end(), qPrintable(text));
        const QString rest = text.mid(step->size());
        const qsizetype blank = rest.lastIndexOf(u' ');
        const qsizetype member = names.indexOf(rest.left(blank));
        QVERIFY2(member >= 0 && rest.endsWith(u'%'), qPrintable(text));
        bool number = false;
        const int percent = rest.mid(blank + 1).chopped(1).toInt(&number);
        QVERIFY2(number && percent >= 0 && percent <= 100, qPrintable(text));
        const qint64 key = (step - steps.begin()) * 1000000LL + member * 1000 + percent;
        QVERIFY2(key > last, qPrintable(statuses.join(u'|')));
        last = key;
        if (percent == 100)
            finished.insert(text);
    }
    for (const QString &step : steps)
        for (const QString &name : names)
            QVERIFY2(finished.contains(step + name + QStringLiteral(" 100%")), qPrintable(step + name));
}

// Scan-like point lines, at least `bytes` long.
QByteArray scanPoints(qsizetype bytes)
{
    QByteArray scan;
    for (int i = 0; scan.size() < bytes; ++i)
        scan += "          " + QByteArray::number(i * 0.37, 'g', 9) + " 12.5 -3.25,\n";
    return scan;
}

} // namespace

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

    void parallelArchiveEqualsOnePass_data()
    {
        QTest::addColumn<int>("threads");
        QTest::newRow("one thread") << 1;
        QTest::newRow("two threads") << 2;
        QTest::newRow("eight threads") << 8;
    }
    void parallelArchiveEqualsOnePass()
    {
        QFETCH(int, threads);
        TestHome home;
        // A scan of a few MB, a photo that does not compress, an empty
        // sketch, a record and a name beyond ASCII.
        const QByteArray scan = scanPoints(3'000'000);
        QByteArray photo(400'000, Qt::Uninitialized);
        QRandomGenerator seeded(7);
        for (char &c : photo)
            c = static_cast<char>(seeded.bounded(256));
        home.write(QStringLiteral("Data/JB0042_Zoë_Müller.Pdf"), QByteArray(70000, 'p'));
        home.write(QStringLiteral("Data/JB0042_Zoë_Müller.Jpg"), QByteArray());
        home.write(QStringLiteral("Data/JB0042_Zoë_Müller.Csv"), "record\r\nEND\r\n");
        home.write(QStringLiteral("Scans/Müller_Zoë_L.Wrl"), scan);
        home.write(QStringLiteral("Scans/Müller_Zoë_L0.Jpg"), photo);
        const QStringList files{home.path(QStringLiteral("Data/JB0042_Zoë_Müller.Pdf")),
                                home.path(QStringLiteral("Data/JB0042_Zoë_Müller.Jpg")),
                                home.path(QStringLiteral("Data/JB0042_Zoë_Müller.Csv")),
                                home.path(QStringLiteral("Scans/Müller_Zoë_L.Wrl")),
                                home.path(QStringLiteral("Scans/Müller_Zoë_L0.Jpg"))};
        QDir().mkpath(home.path(QStringLiteral("Jobs")));
        const QString zipPath = home.path(QStringLiteral("Jobs/JB0042_Zoë_Müller.Zip"));
        const QString onePass = home.path(QStringLiteral("one pass.zip"));

        QStringList statuses;
        Write_Job_Archive(zipPath, files, QStringLiteral("Job: JB0042"),
                          {threads, [&](const QString &text) { statuses << text; }});
        writeOnePass(onePass, files, QStringLiteral("Job: JB0042"));

        QCOMPARE(Read_All(zipPath), Read_All(onePass));
        const ZipReader reader(zipPath);
        QCOMPARE(reader.comment(), QStringLiteral("Job: JB0042"));
        QStringList names;
        for (const ZipEntry &e : reader.entries()) {
            names << e.name;
            QCOMPARE(reader.read(e), Read_All(files.at(names.size() - 1)));
        }
        QCOMPARE(names, (QStringList{QStringLiteral("JB0042_Zoë_Müller.Pdf"), QStringLiteral("JB0042_Zoë_Müller.Jpg"),
                                     QStringLiteral("JB0042_Zoë_Müller.Csv"), QStringLiteral("Müller_Zoë_L.Wrl"),
                                     QStringLiteral("Müller_Zoë_L0.Jpg")}));
        expectForwardProgress(statuses, {QStringLiteral("Creating Zip File: "), QStringLiteral("Checking Zip File: ")},
                              names);
        QVERIFY(partFiles(home.path(QStringLiteral("Jobs"))).isEmpty());
    }

    // Members compressed ahead give the archive the very bytes of one pass
    // over the files as they are when it is written: a source changed or
    // replaced after its early compression is compressed again.
    void earlyPartsGiveTheFilesAsTheyAreAtPacking_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("unchanged") << "";
        QTest::newRow("grown") << "grown";
        QTest::newRow("same size and time") << "in place";
        QTest::newRow("replaced by a file of the same size and time") << "replaced";
    }
    void earlyPartsGiveTheFilesAsTheyAreAtPacking()
    {
        QFETCH(QString, change);
        TestHome home;
        const QByteArray scan = scanPoints(1'000'000);
        home.write(QStringLiteral("Data/JB0042_Zoë_Müller.Csv"), "record\r\nEND\r\n");
        home.write(QStringLiteral("Scans/Müller_Zoë_L.Wrl"), scan);
        home.write(QStringLiteral("Scans/Müller_Zoë_L.Jpg"), QByteArray(30000, 'j'));
        const QString record = home.path(QStringLiteral("Data/JB0042_Zoë_Müller.Csv"));
        const QString scanPath = home.path(QStringLiteral("Scans/Müller_Zoë_L.Wrl"));
        const QString photo = home.path(QStringLiteral("Scans/Müller_Zoë_L.Jpg"));
        const QString jobs = home.path(QStringLiteral("Jobs"));
        QDir().mkpath(jobs);

        EarlyArchiveParts early(jobs);
        early.add({scanPath, photo});
        QTRY_COMPARE(partFiles(jobs).size(), 2);

        const QDateTime modified = QFileInfo(scanPath).lastModified();
        QByteArray edited = scan;
        edited[10] = 'E';
        if (change == QLatin1String("grown")) {
            home.write(QStringLiteral("Scans/Müller_Zoë_L.Wrl"), scan + "more");
        } else if (change == QLatin1String("in place")) {
            QFile file(scanPath);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek(10) && file.write("E", 1) == 1);
            file.close();
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
        } else if (change == QLatin1String("replaced")) {
            home.write(QStringLiteral("Scans/other.Wrl"), edited);
            QFile other(home.path(QStringLiteral("Scans/other.Wrl")));
            QVERIFY(other.open(QIODevice::ReadWrite));
            QVERIFY(other.setFileTime(modified, QFileDevice::FileModificationTime));
            other.close();
            QVERIFY(
                std::rename(QFile::encodeName(other.fileName()).constData(), QFile::encodeName(scanPath).constData())
                == 0);
        }
        QCOMPARE(QFileInfo(scanPath).lastModified() == modified, change != QLatin1String("grown"));
        QCOMPARE(early.take(scanPath).isEmpty(), !change.isEmpty());
        QVERIFY(!early.take(photo).isEmpty());

        const QStringList files{record, scanPath, photo};
        const QString zipPath = jobs + QStringLiteral("/JB0042_Zoë_Müller.Zip");
        QStringList statuses;
        ArchiveWork work{2, [&](const QString &text) { statuses << text; }, &early};
        Write_Job_Archive(zipPath, files, QStringLiteral("Job: JB0042"), work);
        const QString onePass = home.path(QStringLiteral("one pass.zip"));
        writeOnePass(onePass, files, QStringLiteral("Job: JB0042"));
        QCOMPARE(Read_All(zipPath), Read_All(onePass));
        const ZipReader reader(zipPath);
        QCOMPARE(reader.read(*reader.find(QStringLiteral("Müller_Zoë_L.Wrl"))), Read_All(scanPath));
        expectForwardProgress(statuses, {QStringLiteral("Creating Zip File: "), QStringLiteral("Checking Zip File: ")},
                              {"JB0042_Zoë_Müller.Csv", "Müller_Zoë_L.Wrl", "Müller_Zoë_L.Jpg"});
        // The parts taken are gone with the archive's own.
        QCOMPARE(partFiles(jobs).size(), change.isEmpty() ? 0 : 1);
    }

    // However the command ends, the work stops and its files go; a part
    // left by a program that was killed is one start-up removes.
    void earlyPartsGoWithTheirOwner_data()
    {
        QTest::addColumn<bool>("finished");
        QTest::newRow("while compressing") << false;
        QTest::newRow("once compressed") << true;
    }
    void earlyPartsGoWithTheirOwner()
    {
        QFETCH(bool, finished);
        TestHome home;
        const QByteArray scan = scanPoints(20'000'000);
        home.write(QStringLiteral("Scans/B.Wrl"), scan);
        home.write(QStringLiteral("Scans/C.Jpg"), "photo");
        const QString jobs = home.path(QStringLiteral("Jobs"));
        QDir().mkpath(jobs);
        {
            EarlyArchiveParts early(jobs);
            early.add({home.path(QStringLiteral("Scans/B.Wrl")), home.path(QStringLiteral("Scans/C.Jpg")),
                       home.path(QStringLiteral("Scans/missing.Lcf"))});
            QVERIFY(early.holds(home.path(QStringLiteral("Scans/B.Wrl"))));
            if (finished) {
                QTRY_COMPARE(partFiles(jobs).size(), 2);
                // As start-up would find them after a crash.
                for (const QString &name : partFiles(jobs)) {
                    home.write(QStringLiteral("Stale/") + name, "x");
                    QVERIFY2(name.endsWith(QLatin1String(".part")), qPrintable(name));
                }
                QCOMPARE(Remove_Stale_Archive_Parts(home.path(QStringLiteral("Stale"))).size(), 2);
            } else {
                QTRY_VERIFY(early.share(home.path(QStringLiteral("Scans/B.Wrl"))) > 0);
            }
        }
        QCOMPARE(QDir(jobs).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void damagedMemberFailsTheParallelCheck()
    {
        TestHome home;
        QByteArray scan;
        for (int i = 0; scan.size() < 2'000'000; ++i)
            scan += QByteArray::number(i * 1.37, 'g', 9) + " 0.5 -2,\n";
        home.write(QStringLiteral("A.Csv"), "record");
        home.write(QStringLiteral("B.Wrl"), scan);
        home.write(QStringLiteral("C.Pdf"), QByteArray(50000, 'c'));
        const QStringList files{home.path(QStringLiteral("A.Csv")), home.path(QStringLiteral("B.Wrl")),
                                home.path(QStringLiteral("C.Pdf"))};
        const QString zipPath = home.path(QStringLiteral("Job.Zip"));
        Write_Job_Archive(zipPath, files, QString(), {8, {}});
        Verify_Job_Archive(zipPath, files, {8, {}});

        // One byte of B's compressed data changed after writing.
        QByteArray bytes = Read_All(zipPath);
        bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x5A);
        QFile out(zipPath);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(bytes), bytes.size());
        out.close();
        try {
            Verify_Job_Archive(zipPath, files, {8, {}});
            QFAIL("a damaged member passed the check");
        } catch (const SolvaneError &e) {
            QVERIFY2(e.description().contains(QStringLiteral("B.Wrl")), qPrintable(e.description()));
        }
    }

    // The check reads the parts back whole and the joined archive only for
    // being their very data: damage that comes with the join is still caught.
    void damageAfterTheJoinFailsTheWrite_data()
    {
        QTest::addColumn<bool>("inDirectory");
        QTest::newRow("a byte of the scan's data") << false;
        QTest::newRow("the scan's CRC in the directory") << true;
    }

    void damageAfterTheJoinFailsTheWrite()
    {
        QFETCH(bool, inDirectory);
        TestHome home;
        home.write(QStringLiteral("A.Csv"), "record");
        home.write(QStringLiteral("B.Wrl"), scanPoints(2'000'000));
        const QStringList files{home.path(QStringLiteral("A.Csv")), home.path(QStringLiteral("B.Wrl"))};
        const QString zipPath = home.path(QStringLiteral("Job.Zip"));
        ArchiveWork work;
        work.joined = [&](const QString &temporary) {
            QFile file(temporary);
            if (!file.open(QIODevice::ReadWrite))
                return;
            QByteArray bytes = file.readAll();
            qsizetype at = bytes.size() / 2;
            if (inDirectory) // the CRC field of B's central directory record
                at = bytes.indexOf(QByteArray("PK\x01\x02"), bytes.indexOf("A.Csv") + 5) + 16;
            bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
            file.seek(0);
            file.write(bytes);
        };
        try {
            Write_Job_Archive(zipPath, files, QString(), work);
            QFAIL("a damaged archive passed the check");
        } catch (const SolvaneError &e) {
            if (!inDirectory)
                QVERIFY2(e.description().contains(QStringLiteral("B.Wrl")), qPrintable(e.description()));
        }
        QVERIFY(!QFileInfo::exists(zipPath));
        QVERIFY(partFiles(home.root()).isEmpty());
    }

    void progressNeverGoesBack()
    {
        QStringList told;
        MemberProgress progress(QStringLiteral("Creating Zip File: "), {"A.Csv", "B.Wrl", "C.Jpg"},
                                [&](const QString &text) { told << text; });
        progress.tell();
        QCOMPARE(told, QStringList{"Creating Zip File: A.Csv 0%"});
        // Later members finishing first wait for the ones before them.
        progress.share(1, 0.5);
        progress.done(2);
        progress.tell();
        QCOMPARE(told.size(), 1);
        progress.share(0, 0.425);
        progress.share(0, 0.3); // a share never goes back
        progress.tell();
        progress.share(0, 1.0); // 100% only once the member is done
        progress.tell();
        progress.tell();
        QCOMPARE(told, (QStringList{"Creating Zip File: A.Csv 0%", "Creating Zip File: A.Csv 42%",
                                    "Creating Zip File: A.Csv 99%"}));
        progress.done(0);
        progress.tell();
        progress.done(1);
        progress.tell();
        QCOMPARE(told.mid(3), (QStringList{"Creating Zip File: A.Csv 100%", "Creating Zip File: B.Wrl 50%",
                                           "Creating Zip File: B.Wrl 100%", "Creating Zip File: C.Jpg 100%"}));
    }

    // The names a write makes while it works, caught as they stand on disk,
    // left behind as a killed write would leave them: they all go, beside
    // the files of the clinic that only look alike.
    void staleTemporaryFilesOfAKilledWriteGo()
    {
        TestHome home;
        const QStringList files = makeJobFiles(home);
        const QString jobs = home.path(QStringLiteral("Jobs"));
        QDir().mkpath(jobs);
        const QString zipPath = jobs + QStringLiteral("/JB0042_Zoë_Müller.Zip");
        QSet<QString> seen;
        ArchiveWork work;
        work.threads = 2;
        work.status = [&](const QString &) {
            for (const QString &name : QDir(jobs).entryList(QDir::Files))
                seen.insert(name);
        };
        Write_Job_Archive(zipPath, files, QString(), work);
        seen.remove(QFileInfo(zipPath).fileName());
        QVERIFY2(!seen.isEmpty(), "the write was never caught at work");

        QFile::remove(zipPath);
        for (const QString &name : std::as_const(seen))
            home.write(QStringLiteral("Jobs/") + name, "left by a killed write");
        const QStringList others{"notes.part",
                                 "x.part",
                                 "JB0042.Zip",
                                 "JB0042.Zip.part",
                                 "JB0042.Zip.abc.part",
                                 "JB0042.Pdf.Wvqads.part",
                                 "JB0042.Zip.Wvqads.part.txt",
                                 "JB0042.Zip.Wvqads.partial"};
        for (const QString &name : others)
            home.write(QStringLiteral("Jobs/") + name, "the clinic's");
        QDir().mkpath(jobs + QStringLiteral("/JB0042.Zip.Folder.part"));

        const QStringList removed = Remove_Stale_Archive_Parts(jobs);

        QCOMPARE(removed.size(), seen.size());
        for (const QString &name : std::as_const(seen))
            QVERIFY2(removed.contains(jobs + u'/' + name), qPrintable(name));
        QStringList left = QDir(jobs).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        QStringList expected = others + QStringList{"JB0042.Zip.Folder.part"};
        left.sort();
        expected.sort();
        QCOMPARE(left, expected);
        QVERIFY(Remove_Stale_Archive_Parts(home.path(QStringLiteral("NoSuchFolder"))).isEmpty());
    }

    void staleTemporaryNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("ours");
        QTest::newRow("archive") << "AB0042_Ann_Lee.Zip.Wvqads.part" << true;
        QTest::newRow("archive being closed") << "AB0042_Ann_Lee.Zip.Wvqads.part.2n41w4" << true;
        QTest::newRow("priority archive") << "R_AB0042_Ann_Lee_Priority.Zip.KYyVrb.part" << true;
        QTest::newRow("any case") << "a.ZIP.abcdef.PART" << true;
        QTest::newRow("digits") << "a.zip.123456.part.a1B2c3" << true;
        QTest::newRow("notes.part") << "notes.part" << false;
        QTest::newRow("x.part") << "x.part" << false;
        QTest::newRow("no archive") << ".Zip.Wvqads.part" << false;
        QTest::newRow("five letters") << "a.Zip.Wvqad.part" << false;
        QTest::newRow("seven letters") << "a.Zip.Wvqadsx.part" << false;
        QTest::newRow("not letters") << "a.Zip.Wv-ads.part" << false;
        QTest::newRow("not an archive") << "a.Pdf.Wvqads.part" << false;
        QTest::newRow("longer tail") << "a.Zip.Wvqads.part.2n41w" << false;
        QTest::newRow("more after") << "a.Zip.Wvqads.part.2n41w4.txt" << false;
    }
    void staleTemporaryNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, ours);
        TestHome home;
        home.write(QStringLiteral("Jobs/") + name, "x");
        QCOMPARE(Remove_Stale_Archive_Parts(home.path(QStringLiteral("Jobs"))).size(), ours ? 1 : 0);
        QCOMPARE(QFileInfo::exists(home.path(QStringLiteral("Jobs/") + name)), !ours);
    }

    // Submit deletes the working files once this returns: the archive must
    // be on the disk itself by then, not only in the system's cache, and
    // under its name.
    void archiveIsOnTheDiskBeforeItTakesItsName()
    {
        TestHome home;
        const QStringList files = makeJobFiles(home);
        const QString zipPath = home.path(QStringLiteral("Jobs/JB0042.Zip"));
        QDir().mkpath(home.path(QStringLiteral("Jobs")));
        const DiskSyncWatch disk([&](const QString &path, bool folder) {
            const QString there =
                QFileInfo::exists(zipPath) ? QStringLiteral("archive there") : QStringLiteral("no archive yet");
            return folder ? there : QStringLiteral("%1 members, %2").arg(ZipReader(path).entries().size()).arg(there);
        });

        Write_Job_Archive(zipPath, files, QString(), {});

        QCOMPARE(disk.steps.size(), 2);
        QVERIFY2(disk.steps[0].startsWith(QStringLiteral("file JB0042.Zip."))
                     && disk.steps[0].endsWith(QStringLiteral(".part, 4 members, no archive yet")),
                 qPrintable(disk.steps.join(u'|')));
        QCOMPARE(disk.steps[1], QStringLiteral("folder Jobs, archive there"));
        Verify_Job_Archive(zipPath, files);
    }

    void archiveThatCannotBeFlushedIsRefused_data()
    {
        QTest::addColumn<bool>("folderFails");
        QTest::addColumn<int>("error");
        QTest::newRow("archive's bytes") << false << ENOSPC;
        QTest::newRow("folder's entry") << true << EIO;
    }

    void archiveThatCannotBeFlushedIsRefused()
    {
        QFETCH(bool, folderFails);
        QFETCH(int, error);
        TestHome home;
        const QStringList files = makeJobFiles(home);
        const QString zipPath = home.path(QStringLiteral("Jobs/JB0042.Zip"));
        QDir().mkpath(home.path(QStringLiteral("Jobs")));
        DiskSyncWatch disk;
        disk.answer = [&](const QString &, bool folder) { return folder == folderFails ? error : 0; };

        try {
            Write_Job_Archive(zipPath, files, QString());
            QFAIL("an archive that is not on the disk was reported as written");
        } catch (const SolvaneError &failure) {
            QVERIFY2(failure.description().contains(Disk_Error_Text(error))
                         && failure.description().contains(QStringLiteral("JB0042.Zip")),
                     qPrintable(failure.description()));
        }
        QVERIFY(!QFileInfo::exists(zipPath));
        QVERIFY(partFiles(home.path(QStringLiteral("Jobs"))).isEmpty());
        for (const QString &file : files)
            QVERIFY(QFileInfo::exists(file));
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
