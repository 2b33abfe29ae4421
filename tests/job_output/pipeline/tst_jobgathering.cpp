#include "jobgathering.h"
#include "jobpolicy.h"
#include "pipelinefixture.h"
#include "scriptedprompter.h"

#include <QtTest>

using namespace fixture;

namespace {

const QString kNone = QStringLiteral("None");

// The seven files the gathering copies, as they lie in a scan folder away
// from the work folder.
void scansElsewhere(const TestHome &home, ScriptRecord &job)
{
    const QString s = home.path(QStringLiteral("Scans/"));
    job.JobImageFile = put(s + QStringLiteral("AB0042_Ann_Lee.Jpg"), "sketch");
    job.LeftScanFile = put(s + QStringLiteral("Lee_Ann_L.Wrl"), "left scan");
    job.RightScanFile = put(s + QStringLiteral("Lee_Ann_R.Wrl"), "right scan");
    job.LeftLcfFile = put(s + QStringLiteral("Lee_Ann_L.Lcf"), bytes(150, 'L'));
    job.RightLcfFile = put(s + QStringLiteral("Lee_Ann_R.Lcf"), bytes(150, 'R'));
    job.LeftGraphicFile = put(s + QStringLiteral("Lee_Ann_L.Jpg"), "left photo");
    job.RightGraphicFile = put(s + QStringLiteral("Lee_Ann_R.Jpg"), "right photo");
}

QStringList gathered(const ScriptRecord &job)
{
    return {job.JobImageFile, job.LeftScanFile,    job.RightScanFile,   job.LeftLcfFile,
            job.RightLcfFile, job.LeftGraphicFile, job.RightGraphicFile};
}

} // namespace

class TestJobGathering : public QObject
{
    Q_OBJECT

    std::shared_ptr<ScriptedPrompter> ui;

private slots:
    void init() { ui = ScriptedPrompter::install(); }
    void cleanup() { Set_Prompter(nullptr); }

    void noWorkFolderStopsAndChangesNothing_data()
    {
        QTest::addColumn<bool>("rigid");
        QTest::addColumn<QString>("message");
        QTest::newRow("soft") << false << "No Working Directory has been Specified";
        QTest::newRow("rigid") << true << "No Working Directory has been specified";
    }
    void noWorkFolderStopsAndChangesNothing()
    {
        QFETCH(bool, rigid);
        QFETCH(QString, message);
        TestHome home;
        ScriptRecord job = newJob(home);
        scansElsewhere(home, job);
        job.CsvFile.clear();
        job.CurrentFolder.clear();
        const ScriptRecord before = job;

        QVERIFY(!Verify_Files(job, rigid ? Rigid_Job_Policy() : Soft_Job_Policy()));

        QCOMPARE(gathered(job), gathered(before));
        QCOMPARE(job.CsvFile, QString());
        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls[0].text, message);
        QCOMPARE(ui->calls[0].title, QStringLiteral("Warning"));
        QCOMPARE(ui->calls[0].icon, Prompter::Icon::Warning);
    }

    void filesFromElsewhereAreCopiedIn()
    {
        TestHome home;
        ScriptRecord job = newJob(home);
        scansElsewhere(home, job);
        const QStringList sources = gathered(job);
        // An older file of the same name in the work folder is replaced.
        put(job.CurrentFolder + QStringLiteral("/Lee_Ann_L.Wrl"), "an older scan, much longer than the new one");

        QVERIFY(Verify_Files(job, Soft_Job_Policy()));

        QVERIFY(ui->calls.isEmpty());
        for (int i = 0; i < sources.size(); ++i) {
            const QString copy = gathered(job)[i];
            QCOMPARE(copy, job.CurrentFolder + u'/' + QFileInfo(sources[i]).fileName());
            QCOMPARE(slurp(copy), slurp(sources[i]));
            QVERIFY(QFileInfo::exists(sources[i])); // copied, not moved
        }
        QCOMPARE(entries(job.CurrentFolder).size(), sources.size()); // no temporary leftovers
    }

    void outputsNotYetWrittenAreNotGathered()
    {
        TestHome home;
        ScriptRecord job = newJob(home);
        job.NasModeFlag = true;
        job.NasFolder = home.path(QStringLiteral("Nas"));
        job.CsvFile = job.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee.Csv");
        job.PdfFile = home.path(QStringLiteral("Nas/AB0042_Ann_Lee.Pdf"));
        // An old full PDF lying in the NAS folder is not copied either: the
        // documents are written anew after the gathering.
        job.FullPdfFile = put(home.path(QStringLiteral("Nas/AB0042_Ann_Lee_L.Pdf")), "old");
        scansElsewhere(home, job);
        const ScriptRecord before = job;

        QVERIFY(Verify_Files(job, Soft_Job_Policy()));

        QCOMPARE(job.CsvFile, before.CsvFile);
        QCOMPARE(job.PdfFile, before.PdfFile);
        QCOMPARE(job.FullPdfFile, before.FullPdfFile);
        QVERIFY(!QFileInfo::exists(job.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee_L.Pdf")));
        QVERIFY(job.RightGraphicFile.startsWith(job.CurrentFolder)); // the gathering went on to the end
    }

    void aFileInItsPlaceIsLeftAlone_data()
    {
        QTest::addColumn<QString>("spelling"); // how the job names the work folder's own file
        QTest::newRow("as the target") << "{W}Lee_Ann_L.Wrl";
        QTest::newRow("with a dot folder") << "{W}./Lee_Ann_L.Wrl";
        QTest::newRow("through a linked folder") << "{L}Lee_Ann_L.Wrl";
    }
    void aFileInItsPlaceIsLeftAlone()
    {
        QFETCH(QString, spelling);
        TestHome home;
        ScriptRecord job = newJob(home);
        const QString scan = put(job.CurrentFolder + QStringLiteral("/Lee_Ann_L.Wrl"), "the scan");
        const QString link = home.path(QStringLiteral("Linked"));
        QVERIFY(QFile::link(job.CurrentFolder, link));
        spelling.replace(QLatin1String("{W}"), job.CurrentFolder + u'/');
        spelling.replace(QLatin1String("{L}"), link + u'/');
        job.LeftScanFile = spelling;
        {
            QFile f(scan);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)), QFileDevice::FileModificationTime));
        }
        const QDateTime written = QFileInfo(scan).lastModified();
        QCOMPARE(written.date(), QDate(2020, 1, 2)); // a copy onto itself would show as a new write

        QVERIFY(Verify_Files(job, Soft_Job_Policy()));

        QCOMPARE(job.LeftScanFile, spelling);
        QCOMPARE(slurp(scan), QByteArray("the scan"));
        QCOMPARE(QFileInfo(scan).lastModified(), written);
        QCOMPARE(entries(job.CurrentFolder), QStringList{"Lee_Ann_L.Wrl"});
    }

    void unsetPathsAreMarked_data()
    {
        QTest::addColumn<bool>("rigid");
        QTest::newRow("soft") << false;
        QTest::newRow("rigid: the plain marker too") << true;
    }
    void unsetPathsAreMarked()
    {
        QFETCH(bool, rigid);
        TestHome home;
        ScriptRecord job = newJob(home);
        scansElsewhere(home, job);
        job.CsvFile.clear();
        job.PdfFile = QStringLiteral("none");
        job.FullPdfFile = job.CurrentFolder + QStringLiteral("/None");
        job.JobImageFile = kNone;
        job.LeftScanFile.clear(); // takes its model with it
        job.RightLcfFile = QStringLiteral("NONE");
        job.RightGraphicFile = QStringLiteral("   ");

        QVERIFY(Verify_Files(job, rigid ? Rigid_Job_Policy() : Soft_Job_Policy()));

        QCOMPARE((QStringList{job.CsvFile, job.PdfFile, job.FullPdfFile}), (QStringList{kNone, kNone, kNone}));
        QCOMPARE(job.JobImageFile, QString());
        QCOMPARE(job.LeftScanFile, kNone);
        QCOMPARE(job.LeftLcfFile, kNone);
        QCOMPARE(job.RightLcfFile, kNone);
        QCOMPARE(job.RightGraphicFile, kNone);
        QCOMPARE(job.RightScanFile, job.CurrentFolder + QStringLiteral("/Lee_Ann_R.Wrl"));
        QCOMPARE(job.LeftGraphicFile, job.CurrentFolder + QStringLiteral("/Lee_Ann_L.Jpg"));
        QCOMPARE(entries(job.CurrentFolder), (QStringList{"Lee_Ann_L.Jpg", "Lee_Ann_R.Wrl"}));
    }

    void aFailedCopyStopsTheCommand_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("source under a file, not a folder") << "read";
        QTest::newRow("target name taken by a folder") << "write";
        QTest::newRow("source gone") << "missing";
    }
    void aFailedCopyStopsTheCommand()
    {
        QFETCH(QString, how);
        TestHome home;
        ScriptRecord job = newJob(home);
        scansElsewhere(home, job);
        const QString left = job.LeftLcfFile; // the fourth file copied
        if (how == QLatin1String("read")) {
            put(home.path(QStringLiteral("Scans/Models")), "a file, not a folder");
            job.LeftLcfFile = home.path(QStringLiteral("Scans/Models/Lee_Ann_L.Lcf"));
        } else if (how == QLatin1String("write")) {
            QDir().mkpath(job.CurrentFolder + QStringLiteral("/Lee_Ann_L.Lcf/inside"));
        } else {
            QFile::remove(left);
        }
        const ScriptRecord before = job;

        QVERIFY(!Verify_Files(job, Soft_Job_Policy()));

        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls[0].title, QStringLiteral("Error"));
        QVERIFY2(ui->calls[0].text.startsWith(QLatin1String("Error: Cannot copy ")), qPrintable(ui->calls[0].text));
        QVERIFY(ui->calls[0].text.contains(QLatin1String("Lee_Ann_L.Lcf")));
        // Those before it were gathered; it and those after it are as they were.
        QCOMPARE(job.LeftScanFile, job.CurrentFolder + QStringLiteral("/Lee_Ann_L.Wrl"));
        QCOMPARE(job.RightScanFile, job.CurrentFolder + QStringLiteral("/Lee_Ann_R.Wrl"));
        QCOMPARE(job.LeftLcfFile, before.LeftLcfFile);
        QCOMPARE(job.RightLcfFile, before.RightLcfFile);
        QCOMPARE(job.LeftGraphicFile, before.LeftGraphicFile);
        QCOMPARE(job.RightGraphicFile, before.RightGraphicFile);
        QStringList expected{"AB0042_Ann_Lee.Jpg", "Lee_Ann_L.Wrl", "Lee_Ann_R.Wrl"};
        if (how == QLatin1String("write"))
            expected.insert(1, QStringLiteral("Lee_Ann_L.Lcf"));
        QCOMPARE(entries(job.CurrentFolder), expected); // no half copy, no temporary file
    }
};

QTEST_GUILESS_MAIN(TestJobGathering)
#include "tst_jobgathering.moc"
