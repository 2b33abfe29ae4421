#include "archiveimport.h"
#include "errors.h"
#include "paths.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "zipfixture.h"

#include <QtTest>

using Answer = Prompter::Answer;

class TestArchiveImport : public QObject
{
    Q_OBJECT

    std::shared_ptr<ScriptedPrompter> ui;
    QStringList statuses;

    QString dataFolder(const TestHome &home) const { return home.path(QStringLiteral("Data/Clinic1/")); }

    // The statuses without the shares of files still being written, which
    // depend on how fast the machine is.
    QStringList withoutShares() const
    {
        static const QRegularExpression share(QStringLiteral(" [0-9]{1,2}%$"));
        QStringList kept;
        for (const QString &text : statuses)
            if (!text.contains(share))
                kept << text;
        return kept;
    }

private slots:
    void init()
    {
        ui = ScriptedPrompter::install();
        statuses.clear();
        Set_Status_Sink([this](const QString &text) { statuses << text; });
    }

    void cleanup()
    {
        Set_Status_Sink({});
        Set_Prompter(nullptr);
    }

    void flatJobArchiveLandsInDataFolder()
    {
        TestHome home;
        Job().DataFolder = dataFolder(home);
        QDir().mkpath(Job().DataFolder);
        const QString zipPath = home.path(QStringLiteral("JB0042_Ann_Lee.Zip"));
        QVERIFY(Build_Zip(
            zipPath,
            {{"JB0042_Ann_Lee.Csv", "record"}, {"Lee_Ann_L.Wrl", QByteArray(300000, 'w')}, {"Empty.Txt", ""}}));
        const QString before = Job().CurrentFolder;

        const ArchiveImportResult result = Import_Job_Archive(zipPath);

        QCOMPARE(Read_All(Job().DataFolder + QStringLiteral("JB0042_Ann_Lee.Csv")), QByteArray("record"));
        QCOMPARE(Read_All(Job().DataFolder + QStringLiteral("Lee_Ann_L.Wrl")), QByteArray(300000, 'w'));
        QVERIFY(QFileInfo(Job().DataFolder + QStringLiteral("Empty.Txt")).isFile());
        QCOMPARE(result.extracted.size(), 3);
        QVERIFY(result.skipped.isEmpty());
        QVERIFY(ui->calls.isEmpty()); // a clean import asks and tells nothing
        QCOMPARE(withoutShares(),
                 (QStringList{QStringLiteral("UnPacking Job...") + zipPath,
                              QStringLiteral("Extracting File...JB0042_Ann_Lee.Csv 100%"),
                              QStringLiteral("Extracting File...Lee_Ann_L.Wrl 100%"),
                              QStringLiteral("Extracting File...Empty.Txt 100%"), QStringLiteral("Ready")}));
        // Any share told in between belongs to the file being written.
        for (const QString &text : std::as_const(statuses))
            QVERIFY2(!text.startsWith(QStringLiteral("Extracting File...Lee_Ann_L.Wrl"))
                         || statuses.indexOf(QStringLiteral("Extracting File...JB0042_Ann_Lee.Csv 100%"))
                                < statuses.indexOf(text),
                     qPrintable(text));
        QCOMPARE(Job().CurrentFolder, before);
        // No half-written leftovers beside the files.
        QCOMPARE(QDir(Job().DataFolder).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    void hostileEntriesNeverEscapeDataFolder()
    {
        TestHome home;
        const QString top = QFileInfo(home.root()).path(); // the whole private temporary tree
        Job().DataFolder = dataFolder(home);
        QDir().mkpath(Job().DataFolder);
        const QString zipPath = home.path(QStringLiteral("Hostile.Zip"));
        QVERIFY(Build_Zip(zipPath, {
                                       {"../../escape1.txt", "up"},
                                       {"/tmp/solvane-absolute.txt", "absolute"},
                                       {"..\\..\\escape2.txt", "backslash up"},
                                       {"C:\\3DEriruvu\\escape3.txt", "drive"},
                                       {"sub/deeper/nested.txt", "nested"},
                                       {"sub/", "", ZipMember::Folder},
                                       {"attrfolder", "", ZipMember::FolderByAttribute},
                                       {"evil-link", "../../../../etc/passwd", ZipMember::Link},
                                       {"locked.txt", "secret data", ZipMember::Encrypted},
                                       {"x/..", "dots"},
                                       {".", "dot"},
                                       {"sub/escape1.txt", "a second escape1"},
                                   }));
        const QSet<QString> treeBefore = Tree_Of(top);

        const ArchiveImportResult result = Import_Job_Archive(zipPath);

        const QString data = Job().DataFolder;
        QCOMPARE(Read_All(data + QStringLiteral("escape1.txt")), QByteArray("up"));
        QCOMPARE(Read_All(data + QStringLiteral("solvane-absolute.txt")), QByteArray("absolute"));
        QCOMPARE(Read_All(data + QStringLiteral("escape2.txt")), QByteArray("backslash up"));
        QCOMPARE(Read_All(data + QStringLiteral("escape3.txt")), QByteArray("drive"));
        QCOMPARE(Read_All(data + QStringLiteral("nested.txt")), QByteArray("nested"));
        QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/solvane-absolute.txt")));

        // Everything new is a plain file directly in the data folder.
        const QString dataRel = QDir(top).relativeFilePath(QDir::cleanPath(data));
        const QSet<QString> added = Tree_Of(top) - treeBefore;
        QCOMPARE(added.size(), 5);
        for (const QString &path : added) {
            QCOMPARE(QFileInfo(path).path(), dataRel);
            QVERIFY2(QFileInfo(top + u'/' + path).isFile() && !QFileInfo(top + u'/' + path).isSymLink(),
                     qPrintable(path));
        }

        // The rest is listed in one message.
        QCOMPARE(result.skipped.size(), 7);
        QCOMPARE(ui->messages().size(), 1);
        const QString message = ui->messages().constFirst();
        for (const char *name : {"sub/", "attrfolder", "evil-link", "locked.txt", "x/..", "sub/escape1.txt"})
            QVERIFY2(message.contains(QLatin1String(name)), name);
        QVERIFY(message.contains(QStringLiteral("(link)")));
        QVERIFY(message.contains(QStringLiteral("(encrypted)")));
        QCOMPARE(ui->calls.constFirst().icon, Prompter::Icon::Warning);
        QCOMPARE(statuses.constLast(), QStringLiteral("Ready"));
    }

    void existingFilesAskOnce_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QByteArray>("firstAfter");
        QTest::addColumn<QByteArray>("secondAfter");
        QTest::addColumn<bool>("newFileWritten");
        QTest::newRow("Yes replaces") << Answer::Yes << QByteArray("new A") << QByteArray("new B") << true;
        QTest::newRow("No keeps them") << Answer::No << QByteArray("old A") << QByteArray("old B") << true;
        QTest::newRow("Cancel extracts nothing")
            << Answer::Cancel << QByteArray("old A") << QByteArray("old B") << false;
    }

    void existingFilesAskOnce()
    {
        QFETCH(Answer, answer);
        QFETCH(QByteArray, firstAfter);
        QFETCH(QByteArray, secondAfter);
        QFETCH(bool, newFileWritten);
        TestHome home;
        Job().DataFolder = dataFolder(home);
        Write_All(Job().DataFolder + QStringLiteral("A.Csv"), "old A");
        Write_All(Job().DataFolder + QStringLiteral("B.Wrl"), "old B");
        const QString zipPath = home.path(QStringLiteral("Job.Zip"));
        QVERIFY(Build_Zip(zipPath, {{"A.Csv", "new A"}, {"New.Pdf", "new file"}, {"B.Wrl", "new B"}}));
        ui->answers << answer;

        const ArchiveImportResult result = Import_Job_Archive(zipPath);

        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls.constFirst().buttons, Prompter::Buttons::YesNoCancel);
        QVERIFY(ui->calls.constFirst().text.contains(QStringLiteral("A.Csv")));
        QVERIFY(ui->calls.constFirst().text.contains(QStringLiteral("B.Wrl")));
        QVERIFY(!ui->calls.constFirst().text.contains(QStringLiteral("New.Pdf")));
        QCOMPARE(Read_All(Job().DataFolder + QStringLiteral("A.Csv")), firstAfter);
        QCOMPARE(Read_All(Job().DataFolder + QStringLiteral("B.Wrl")), secondAfter);
        QCOMPARE(QFileInfo::exists(Job().DataFolder + QStringLiteral("New.Pdf")), newFileWritten);
        QCOMPARE(result.cancelled, answer == Answer::Cancel);
        QCOMPARE(statuses.constLast(), QStringLiteral("Ready"));
    }

    void unreadableArchivesRaiseAndWriteNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not a ZIP file") << QByteArray("This is a text file, not an archive.\r\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("truncated archive") << QByteArray("PK\x03\x04\x14\x00\x00\x00", 8);
    }

    void unreadableArchivesRaiseAndWriteNothing()
    {
        QFETCH(QByteArray, bytes);
        TestHome home;
        Job().DataFolder = dataFolder(home);
        QDir().mkpath(Job().DataFolder);
        home.write(QStringLiteral("Job.Zip"), bytes);
        const QString zipPath = home.path(QStringLiteral("Job.Zip"));

        try {
            Import_Job_Archive(zipPath);
            QFAIL("no error raised");
        } catch (const SolvaneError &e) {
            QVERIFY(e.description().contains(zipPath));
        }
        QVERIFY(QDir(Job().DataFolder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QCOMPARE(statuses, QStringList{QStringLiteral("UnPacking Job...") + zipPath});
    }

    void damagedMemberStopsImportAndKeepsOlderFile()
    {
        TestHome home;
        Job().DataFolder = dataFolder(home);
        Write_All(Job().DataFolder + QStringLiteral("B.Wrl"), "older B");
        const QString zipPath = home.path(QStringLiteral("Job.Zip"));
        QVERIFY(Build_Zip(zipPath, {{"A.Csv", "first file", ZipMember::Stored},
                                    {"B.Wrl", "second file with a damaged byte", ZipMember::Stored},
                                    {"C.Pdf", "third file", ZipMember::Stored}}));
        QVERIFY(Damage_File(zipPath, "with a damaged byte"));
        ui->answers << Answer::Yes;

        QVERIFY_THROWS_EXCEPTION(SolvaneError, Import_Job_Archive(zipPath));

        QCOMPARE(Read_All(Job().DataFolder + QStringLiteral("A.Csv")), QByteArray("first file"));
        QCOMPARE(Read_All(Job().DataFolder + QStringLiteral("B.Wrl")), QByteArray("older B"));
        QVERIFY(!QFileInfo::exists(Job().DataFolder + QStringLiteral("C.Pdf")));
        QCOMPARE(QDir(Job().DataFolder).entryList(QDir::Files | QDir::Hidden).size(), 2);
        // The status keeps naming the file that failed, short of 100%.
        QVERIFY2(statuses.constLast().startsWith(QStringLiteral("Extracting File...B.Wrl "))
                     && !statuses.constLast().endsWith(QStringLiteral(" 100%")),
                 qPrintable(statuses.constLast()));
        QVERIFY(statuses.contains(QStringLiteral("Extracting File...A.Csv 100%")));
    }

    void emptyArchiveEndsAtReady()
    {
        TestHome home;
        Job().DataFolder = dataFolder(home);
        QDir().mkpath(Job().DataFolder);
        home.write(QStringLiteral("Empty.Zip"), QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
        const ArchiveImportResult result = Import_Job_Archive(home.path(QStringLiteral("Empty.Zip")));
        QVERIFY(result.extracted.isEmpty());
        QCOMPARE(statuses.constLast(), QStringLiteral("Ready"));
        QVERIFY(ui->calls.isEmpty());
    }

    void commandAsksForTheArchive()
    {
        TestHome home;
        Job().DataFolder = dataFolder(home);
        const QString zipPath = home.path(QStringLiteral("Job.Zip"));
        QVERIFY(Build_Zip(zipPath, {{"A.Csv", "a"}}));
        Set_Status(QStringLiteral("Before"));
        statuses.clear();

        ui->files << QString(); // cancelled
        QVERIFY(Import_Job_Archive().cancelled);
        QCOMPARE(ui->calls.size(), 1);
        const ScriptedPrompter::Call &open = ui->calls.constFirst();
        QCOMPARE(open.kind, QStringLiteral("open"));
        QCOMPARE(open.title, QStringLiteral("Select a ZIP File"));
        QCOMPARE(open.file.folder, Paths::dataRoot());
        QVERIFY(open.file.fileName.isEmpty());
        QCOMPARE(open.file.filter, QStringLiteral("ZIP File (*.Zip)|*.Zip|All Files (*.*)|*.*"));
        QCOMPARE(open.file.defaultExtension, QStringLiteral("Zip"));
        QVERIFY(statuses.isEmpty());
        QCOMPARE(Last_Status(), QStringLiteral("Before"));
        QVERIFY(!QFileInfo::exists(Job().DataFolder + QStringLiteral("A.Csv")));

        ui->files << zipPath;
        const ArchiveImportResult result = Import_Job_Archive();
        QVERIFY(!result.cancelled);
        QCOMPARE(Read_All(Job().DataFolder + QStringLiteral("A.Csv")), QByteArray("a"));
    }

    void linkOrFolderInTheWayIsNotFollowed()
    {
        TestHome home;
        Job().DataFolder = dataFolder(home);
        QDir().mkpath(Job().DataFolder + QStringLiteral("A.Csv")); // a folder named like an entry
        home.write(QStringLiteral("outside.txt"), "outside");
        QVERIFY(QFile::link(home.path(QStringLiteral("outside.txt")), Job().DataFolder + QStringLiteral("B.Wrl")));
        const QString zipPath = home.path(QStringLiteral("Job.Zip"));
        QVERIFY(Build_Zip(zipPath, {{"A.Csv", "a"}, {"B.Wrl", "through the link"}}));
        ui->answers << Answer::Yes;

        const ArchiveImportResult result = Import_Job_Archive(zipPath);

        QCOMPARE(home.read(QStringLiteral("outside.txt")), QByteArray("outside"));
        QVERIFY(QFileInfo(Job().DataFolder + QStringLiteral("A.Csv")).isDir());
        QCOMPARE(result.skipped.size(), 2);
        QVERIFY(result.extracted.isEmpty());
    }

    // A name with a line break would land as a file no clinic can open by
    // hand, and would break the lines of every message that shows it.
    void controlCharactersInNamesBecomeUnderscores()
    {
        TestHome home;
        Job().DataFolder = dataFolder(home);
        home.write(QStringLiteral("Data/Clinic1/tab_here.txt"), "older");
        const QString zipPath = home.path(QStringLiteral("Job.Zip"));
        QVERIFY(Build_Zip(zipPath, {{"new\nline.txt", "one"},
                                    {"sub/tab\there.txt", "two"},
                                    {"del\x7F\xC2\x85.txt", "three"},
                                    {"new\rline.txt", "a second new_line.txt"},
                                    {"odd\r\n/", "", ZipMember::Folder}}));
        ui->answers << Answer::Yes;

        const ArchiveImportResult result = Import_Job_Archive(zipPath);

        const QString data = Job().DataFolder;
        QCOMPARE(Read_All(data + QStringLiteral("new_line.txt")), QByteArray("one"));
        QCOMPARE(Read_All(data + QStringLiteral("tab_here.txt")), QByteArray("two"));
        QCOMPARE(Read_All(data + QStringLiteral("del__.txt")), QByteArray("three"));
        QCOMPARE(QDir(data).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{"del__.txt", "new_line.txt", "tab_here.txt"}));
        QCOMPARE(result.skipped, (QStringList{"new_line.txt (same name as an earlier entry)", "odd__/ (folder)"}));

        // The question, the list of what was left and the status line show
        // the names as they land, each message line whole.
        QCOMPARE(ui->messages().size(), 2);
        QVERIFY(ui->messages().constFirst().contains(QStringLiteral("\r\ntab_here.txt\r\n")));
        QVERIFY(ui->messages().constLast().contains(QStringLiteral("\r\nodd__/ (folder)")));
        const QRegularExpression control(
            QStringLiteral("[\\x00-\\x09\\x0B\\x0C\\x0E-\\x1F\\x7F-\\x9F]|\r(?!\n)|(?<!\r)\n"));
        for (const QString &text : ui->messages() + statuses)
            QVERIFY2(!text.contains(control), qPrintable(text));
        QVERIFY(statuses.contains(QStringLiteral("Extracting File...new_line.txt 100%")));
        QVERIFY(statuses.contains(QStringLiteral("Extracting File...sub/tab_here.txt 100%")));
    }
};

QTEST_GUILESS_MAIN(TestArchiveImport)
#include "tst_archiveimport.moc"
