#include "csveva.h"
#include "errors.h"
#include "fakeshell.h"
#include "jobrelocator.h"
#include "paths.h"
#include "relocationdisk.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "textfile.h"

#include <QtTest>

#include <cerrno>

using Answer = Prompter::Answer;
using Outcome = JobRelocator::Outcome;

namespace {

QStringList filesIn(const QString &folder)
{
    // Hidden files too: a half-written copy must not be left behind.
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    names.sort();
    return names;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A clinic folder "Clinic1" holding the job AB0041 of Ann Lee, scanned as
// the laboratory's job 12345, beside another job and another client; and an
// empty "Clinic2" to move it to.
class JobFolder
{
public:
    TestHome home;
    QString from = home.path("Data/Clinic1");
    QString to = home.path("Data/Clinic2");

    JobFolder()
    {
        QDir().mkpath(from);
        QDir().mkpath(to);
        ScriptRecord &job = Job();
        job = ScriptRecord();
        job.JobNumber = "AB0041";
        job.ClientFirstName = "Ann";
        job.ClientSurname = "Lee";
        job.CurrentFolder = from;
        job.LeftScanFile = in("12345_Ann_Lee_L.Wrl");
        job.RightScanFile = in("12345_Ann_Lee_R.Wrl");
        job.LeftLcfFile = in("12345_Ann_Lee_L.Lcf");
        job.RightLcfFile = in("12345_Ann_Lee_R.Lcf");
        job.LeftGraphicFile = in("12345_Ann_Lee_L0.Jpg");
        job.RightGraphicFile = in("12345_Ann_Lee_R0.Jpg");
        job.JobImageFile = in("AB0041_Ann_Lee.Jpg");
        job.PdfFile = in("AB0041_Ann_Lee.Pdf");
        job.CsvFile = in("AB0041_Ann_Lee.Csv");
        for (const QString &path : {job.LeftScanFile, job.RightScanFile, job.LeftLcfFile, job.RightLcfFile,
                                    job.LeftGraphicFile, job.RightGraphicFile, job.JobImageFile})
            put(Get_File_Name(path), QByteArray(100 + Get_File_Name(path).size(), 'j'));
        Write_CSV_EVA(job);
        put("Zed_Other_L.Wrl", QByteArray(300, 'o'));
        put("AB0040_Bob_Ray.Csv", "another job's record\r\n");
    }

    QString in(const QString &name) const { return from + u'/' + name; }
    QString at(const QString &name) const { return to + u'/' + name; }
    void put(const QString &name, const QByteArray &bytes) const { home.write("Data/Clinic1/" + name, bytes); }

    // The job's files, by name, as the fixture made them.
    static QStringList jobFiles()
    {
        return {"12345_Ann_Lee_L.Lcf", "12345_Ann_Lee_L.Wrl",  "12345_Ann_Lee_L0.Jpg", "12345_Ann_Lee_R.Lcf",
                "12345_Ann_Lee_R.Wrl", "12345_Ann_Lee_R0.Jpg", "AB0041_Ann_Lee.Csv",   "AB0041_Ann_Lee.Jpg"};
    }
    static QStringList otherFiles() { return {"AB0040_Bob_Ray.Csv", "Zed_Other_L.Wrl"}; }

    // A job named as the pick-ups name its files ("Lee_Ann_L.wrl" and the
    // rest of each foot's scan set), made the current job's scans; returns
    // the names of the files made.
    QStringList putPickUpJob(const QString &stem) const
    {
        QStringList made;
        for (const QString side : {"L", "R"}) {
            for (const QString end : {".wrl", "[VRML].Jpg", ".Lcf", ".Jpg"}) {
                made << stem + u'_' + side + end;
                put(made.last(), QByteArray(50 + made.last().size(), 'p'));
            }
        }
        ScriptRecord &job = Job();
        job.LeftScanFile = in(stem + "_L.wrl");
        job.RightScanFile = in(stem + "_R.wrl");
        job.LeftLcfFile = in(stem + "_L.Lcf");
        job.RightLcfFile = in(stem + "_R.Lcf");
        job.LeftGraphicFile = in(stem + "_L.Jpg");
        job.RightGraphicFile = in(stem + "_R.Jpg");
        return made;
    }
};

// The disk of a move, watched: each step is logged with the name of the job
// file it serves ("write 12345_Ann_Lee_L.Wrl", "size copy ...", "size
// source ...", "syncFolder"); the write of one file can fail with an errno
// or leave the copy short while saying it went well.
class WatchedDisk : public RelocationDisk
{
public:
    QString sourceFolder;
    QStringList steps;
    QString failing;
    int writeError = 0;
    bool cutShort = false;

    // A copy is written beside its target as ".<name>.XXXXXX".
    static QString jobFileName(const QString &path)
    {
        const QString name = Get_File_Name(path);
        return name.startsWith(u'.') ? name.mid(1).section(u'.', 0, -2) : name;
    }

    int write(QFile &file, const char *data, qint64 size) override
    {
        const QString name = jobFileName(file.fileName());
        steps << "write " + name;
        if (name == failing && writeError != 0)
            return writeError;
        return RelocationDisk::write(file, data, name == failing && cutShort ? std::min<qint64>(size, 7) : size);
    }
    int sync(QFile &file) override
    {
        steps << "sync " + jobFileName(file.fileName());
        return RelocationDisk::sync(file);
    }
    int syncFolder(const QString &folder) override
    {
        steps << "syncFolder";
        return RelocationDisk::syncFolder(folder);
    }
    qint64 size(const QString &path) override
    {
        const bool source = QFileInfo(path).path() == sourceFolder;
        steps << (source ? "size source " : "size copy ") + jobFileName(path);
        return RelocationDisk::size(path);
    }
    int rename(const QString &from, const QString &to) override
    {
        steps << "rename " + jobFileName(to);
        return RelocationDisk::rename(from, to);
    }
    int remove(const QString &path) override
    {
        steps << "remove " + jobFileName(path);
        return RelocationDisk::remove(path);
    }
};

} // namespace

class TestJobRelocator : public QObject
{
    Q_OBJECT

    std::shared_ptr<ScriptedPrompter> ui;
    FakeShell shell;

    Outcome relocate(const QString &target) { return JobRelocator(Job(), target).relocate(); }

private slots:
    void init()
    {
        ui = ScriptedPrompter::install();
        shell = FakeShell();
        Set_Shell(&shell);
    }
    void cleanup()
    {
        Set_Shell(nullptr);
        Set_Prompter(nullptr);
    }

    void matchStringFromTheModelFileName_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("match");
        QTest::newRow("three parts") << "C:\\3DEriruvu\\Data\\A\\X_Y_Z_L.Lcf"
                                     << "Y_Z";
        QTest::newRow("folder with _") << "C:\\3DEriruvu\\Data\\Y_Z_Clinic\\X_Y_Z_L.Lcf"
                                       << "Y_Z";
        QTest::newRow("laboratory job") << "/home/a/3DEriruvu/Data/North_Side/12345_Ann_Lee_L.Lcf"
                                        << "Ann_Lee";
        QTest::newRow("two parts") << "X_Y.Lcf"
                                   << "Y.Lcf_";
        QTest::newRow("no _") << "C:\\Data\\A_B\\Smith.Lcf" << QString();
    }
    void matchStringFromTheModelFileName()
    {
        QFETCH(QString, model);
        QFETCH(QString, match);
        QCOMPARE(Relocation_Match_String(model), match);
    }

    void recordNameTakesTheClinicJobNumber_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("renamed");
        QTest::newRow("number") << "AB0041_Ann_Lee.Csv"
                                << "12345"
                                << "AB0041_Ann_Lee_12345.Csv";
        QTest::newRow("cancelled") << "AB0041_Ann_Lee.Csv" << QString() << "AB0041_Ann_Lee_.Csv";
        QTest::newRow("lower case") << "AB0041_Ann_Lee.csv"
                                    << "12345"
                                    << "AB0041_Ann_Lee_12345.csv";
        QTest::newRow("rigid, upper case") << "R_AB0041_Ann_Lee.CSV"
                                           << "12345"
                                           << "R_AB0041_Ann_Lee_12345.CSV";
        QTest::newRow("number made safe") << "AB0041_Ann_Lee.Csv"
                                          << "../12:3"
                                          << "AB0041_Ann_Lee_.._12_3.Csv";
        QTest::newRow("already named") << "AB0041_Ann_Lee_12345.Csv"
                                       << "12345"
                                       << "AB0041_Ann_Lee_12345.Csv";
    }
    void recordNameTakesTheClinicJobNumber()
    {
        QFETCH(QString, name);
        QFETCH(QString, number);
        QFETCH(QString, renamed);
        QCOMPARE(Relocated_Record_Name(name, number), renamed);
    }

    // The whole move, answering Yes: the job's files (and only they) are in
    // the clinic folder, the originals gone, the record renamed and
    // rewritten, the job and the main window in the new folder.
    void movesTheJobAndFollowsIt()
    {
        JobFolder folder;
        const QByteArray otherRecord = contents(folder.in("AB0040_Bob_Ray.Csv"));
        const QStringList oldRecord = textfile::readLines(folder.in("AB0041_Ann_Lee.Csv"));
        // A sketch kept elsewhere is not the job's file that moves.
        const QString sketch = folder.home.path("Data/Sketches/AB0041_Ann_Lee.Jpg");
        folder.home.write("Data/Sketches/AB0041_Ann_Lee.Jpg", "sketch kept elsewhere");
        Job().JobImageFile = sketch;
        // The window that asks for the move makes the clinic the user.
        Job().CurrentUser = "Clinic2";
        ui->answers << Answer::Yes;

        QCOMPARE(relocate(folder.to), Outcome::Moved);

        QStringList moved = JobFolder::jobFiles();
        moved.replace(moved.indexOf("AB0041_Ann_Lee.Csv"), "AB0041_Ann_Lee_12345.Csv");
        moved.sort();
        QCOMPARE(filesIn(folder.to), moved);
        QCOMPARE(filesIn(folder.from), JobFolder::otherFiles());
        QCOMPARE(contents(folder.in("AB0040_Bob_Ray.Csv")), otherRecord);
        QCOMPARE(contents(folder.at("12345_Ann_Lee_L.Wrl")), QByteArray(100 + 19, 'j'));

        const QStringList record = textfile::readLines(folder.at("AB0041_Ann_Lee_12345.Csv"));
        QCOMPARE(record.size(), oldRecord.size());
        const QString clinic2 = "C:\\3DEriruvu\\Data\\Clinic2\\";
        QCOMPARE(record.mid(3, 5), (QStringList{"PDF File Name," + clinic2 + "12345_Ann_Lee.Pdf",
                                                "Left Scan File Name," + clinic2 + "12345_Ann_Lee_L.Lcf",
                                                "Right Scan File Name," + clinic2 + "12345_Ann_Lee_R.Lcf",
                                                "Left Graphic File Name," + clinic2 + "12345_Ann_Lee_L0.Jpg",
                                                "Right Graphic File Name," + clinic2 + "12345_Ann_Lee_R0.Jpg"}));
        QCOMPARE(record.mid(0, 3), oldRecord.mid(0, 3));
        QCOMPARE(record.mid(8), oldRecord.mid(8));

        const ScriptRecord &job = Job();
        QCOMPARE(job.LeftScanFile, folder.at("12345_Ann_Lee_L.Wrl"));
        QCOMPARE(job.RightScanFile, folder.at("12345_Ann_Lee_R.Wrl"));
        QCOMPARE(job.LeftLcfFile, folder.at("12345_Ann_Lee_L.Lcf"));
        QCOMPARE(job.RightLcfFile, folder.at("12345_Ann_Lee_R.Lcf"));
        QCOMPARE(job.LeftGraphicFile, folder.at("12345_Ann_Lee_L0.Jpg"));
        QCOMPARE(job.RightGraphicFile, folder.at("12345_Ann_Lee_R0.Jpg"));
        QCOMPARE(job.JobImageFile, sketch);
        QVERIFY(QFile::exists(sketch));
        QCOMPARE(job.CsvFile, folder.at("AB0041_Ann_Lee_12345.Csv"));
        QCOMPARE(job.PdfFile, folder.at("AB0041_Ann_Lee.Pdf"));
        QCOMPARE(job.ClinicJobNumber, QString("12345"));
        QCOMPARE(job.CurrentFolder, folder.to);
        QCOMPARE(job.RelocationFolder, folder.to);
        QCOMPARE(shell.calls, (QStringList{"Show_Folder " + folder.to, "Show_User Clinic2"}));

        // One question, the one the move always asks.
        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls[0].text, QString("Do You Want to Delete the Original Files?"));
        QCOMPARE(ui->calls[0].title, QString("Info"));
        QCOMPARE(ui->calls[0].buttons, Prompter::Buttons::YesNo);
        QCOMPARE(Last_Status(), QString("Ready"));
    }

    // No keeps every original; the job works in the new folder all the same.
    // The clinic folder has the record under its old name, as it was, beside
    // the renamed and rewritten one.
    void noKeepsEverySource()
    {
        JobFolder folder;
        QStringList before = filesIn(folder.from);
        const QByteArray record = contents(folder.in("AB0041_Ann_Lee.Csv"));
        ui->answers << Answer::No;

        QCOMPARE(relocate(folder.to), Outcome::Moved);

        QCOMPARE(filesIn(folder.from), before);
        QStringList moved = JobFolder::jobFiles() << "AB0041_Ann_Lee_12345.Csv";
        moved.sort();
        QCOMPARE(filesIn(folder.to), moved);
        QCOMPARE(contents(folder.at("AB0041_Ann_Lee.Csv")), record);
        QVERIFY(textfile::readLines(folder.at("AB0041_Ann_Lee_12345.Csv"))[4].contains("\\Clinic2\\"));
        QCOMPARE(Job().CsvFile, folder.at("AB0041_Ann_Lee_12345.Csv"));
        QCOMPARE(Job().LeftScanFile, folder.at("12345_Ann_Lee_L.Wrl"));
        QCOMPARE(Job().JobImageFile, folder.at("AB0041_Ann_Lee.Jpg"));
        QCOMPARE(Job().CurrentFolder, folder.to);
    }

    // Yes frees only sources whose copies are verified: a file of 10 bytes
    // is copied and kept; a copy that comes out short stops the move before
    // anything is deleted and names the file, leaving no half file behind.
    void yesDeletesOnlyVerifiedCopies()
    {
        JobFolder folder;
        folder.put("12345_Ann_Lee_Note.Txt", "0123456789");
        folder.put("12345_Ann_Lee_Tip.Txt", "01234567890");
        ui->answers << Answer::Yes;

        QCOMPARE(relocate(folder.to), Outcome::Moved);

        QVERIFY(QFile::exists(folder.in("12345_Ann_Lee_Note.Txt")));
        QCOMPARE(contents(folder.at("12345_Ann_Lee_Note.Txt")), QByteArray("0123456789"));
        QVERIFY(!QFile::exists(folder.in("12345_Ann_Lee_Tip.Txt")));
        QVERIFY(QFile::exists(folder.at("12345_Ann_Lee_Tip.Txt")));
    }

    // A copy the disk cannot take (a full disk says so in its own words),
    // or one that comes out short, stops the move before anything is
    // deleted.
    void failedCopyStopsBeforeAnyDeletion_data()
    {
        QTest::addColumn<bool>("truncated");
        QTest::newRow("disk full") << false;
        QTest::newRow("copy comes out short") << true;
    }
    void failedCopyStopsBeforeAnyDeletion()
    {
        QFETCH(bool, truncated);
        JobFolder folder;
        const QStringList before = filesIn(folder.from);
        const QString bad = "12345_Ann_Lee_R.Lcf";
        const QString oldFolder = Job().CurrentFolder;
        ui->answers << Answer::Yes;

        WatchedDisk disk;
        disk.sourceFolder = folder.from;
        disk.failing = bad;
        disk.writeError = truncated ? 0 : ENOSPC;
        disk.cutShort = truncated;
        JobRelocator relocator(Job(), folder.to);
        relocator.setDisk(disk);
        try {
            relocator.relocate();
            QFAIL("a failed copy was passed over");
        } catch (const SolvaneError &error) {
            QVERIFY2(error.description().startsWith("Cannot copy " + QDir::toNativeSeparators(folder.in(bad))),
                     qPrintable(error.description()));
            QVERIFY2(error.description().contains(truncated ? "the copy holds 7 of 119 bytes"
                                                            : ": No space left on device\r\n"),
                     qPrintable(error.description()));
        }

        QVERIFY(disk.steps.filter("remove ").isEmpty());
        QCOMPARE(filesIn(folder.from), before);
        QVERIFY(!filesIn(folder.to).contains(bad));
        for (const QString &name : filesIn(folder.to))
            QVERIFY2(!name.startsWith('.'), qPrintable(name));
        QCOMPARE(Job().CurrentFolder, oldFolder);
        QCOMPARE(Job().RightLcfFile, folder.in(bad));
        QCOMPARE(Job().CsvFile, folder.in("AB0041_Ann_Lee.Csv"));
        QCOMPARE(Job().PdfFile, folder.in("AB0041_Ann_Lee.Pdf"));
        QCOMPARE(Job().ClinicJobNumber, QString());
        QVERIFY(shell.calls.isEmpty());
    }

    // Each original goes only once its copy is on the disk: written,
    // synced, its size checked and put in place, the clinic folder's names
    // synced, its size checked again, then the original deleted.
    void copyReachesTheDiskBeforeItsOriginalGoes()
    {
        JobFolder folder;
        ui->answers << Answer::Yes;
        WatchedDisk disk;
        disk.sourceFolder = folder.from;
        JobRelocator relocator(Job(), folder.to);
        relocator.setDisk(disk);

        QCOMPARE(relocator.relocate(), Outcome::Moved);

        const QStringList removed = disk.steps.filter(QRegularExpression("^remove "));
        QCOMPARE(removed.size(), JobFolder::jobFiles().size());
        const qsizetype folderSynced = disk.steps.indexOf("syncFolder");
        QVERIFY(folderSynced >= 0);
        for (const QString &removal : removed) {
            const QString name = removal.mid(QString("remove ").size());
            // The record is put in place under its new name.
            const QString placedAs = name == "AB0041_Ann_Lee.Csv" ? "AB0041_Ann_Lee_12345.Csv" : name;
            const qsizetype gone = disk.steps.indexOf(removal);
            const qsizetype written = disk.steps.lastIndexOf("write " + name);
            const qsizetype synced = disk.steps.indexOf("sync " + name);
            const qsizetype checked = disk.steps.indexOf("size copy " + name, synced);
            const qsizetype placed = disk.steps.indexOf("rename " + placedAs);
            const qsizetype checkedAgain = disk.steps.lastIndexOf("size copy " + placedAs, gone);
            QVERIFY2(written >= 0 && written < synced && synced < checked && checked < placed && placed < folderSynced
                         && folderSynced < checkedAgain && checkedAgain < gone,
                     qPrintable(name + ": " + disk.steps.join(" | ")));
        }
        QCOMPARE(filesIn(folder.from), JobFolder::otherFiles());
    }

    // A full disk is told in the system's words, not as a bare failure.
    void fullDiskIsToldAsSuch()
    {
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("no /dev/full here");
        TestHome home;
        home.write("scan.Wrl", QByteArray(5000, 'w'));
        RelocationDisk disk;
        QCOMPARE(Copy_Through_Disk(disk, home.path("scan.Wrl"), "/dev/full"), QString("No space left on device"));
    }

    // The clinic's job number: from the first named scan when its name
    // starts with one, else asked for; a cancelled prompt gives none.
    void clinicJobNumberNamesTheRecord_data()
    {
        QTest::addColumn<QString>("leftScan");
        QTest::addColumn<QString>("rightScan");
        QTest::addColumn<QString>("held");
        QTest::addColumn<QVariant>("typed"); // invalid: no prompt expected; null string: cancelled
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("record");
        QTest::newRow("from the left scan") << "12345_Ann_Lee_L.wrl"
                                            << "54321_Ann_Lee_R.Wrl" << QString() << QVariant() << "12345"
                                            << "AB0041_Ann_Lee_12345.Csv";
        QTest::newRow("left none, from the right") << "None"
                                                   << "54321_Ann_Lee_R.Wrl" << QString() << QVariant() << "54321"
                                                   << "AB0041_Ann_Lee_54321.Csv";
        QTest::newRow("typed") << "Smith.wrl" << QString() << QString() << QVariant("777") << "777"
                               << "AB0041_Ann_Lee_777.Csv";
        QTest::newRow("cancelled") << "Smith.wrl" << QString() << QString() << QVariant(QString()) << QString()
                                   << "AB0041_Ann_Lee_.Csv";
        QTest::newRow("held already") << "_Smith.wrl" << QString() << "555" << QVariant() << "555"
                                      << "AB0041_Ann_Lee_555.Csv";
    }
    void clinicJobNumberNamesTheRecord()
    {
        QFETCH(QString, leftScan);
        QFETCH(QString, rightScan);
        QFETCH(QString, held);
        QFETCH(QVariant, typed);
        QFETCH(QString, number);
        QFETCH(QString, record);
        JobFolder folder;
        Job().LeftScanFile = leftScan == "None" ? leftScan : folder.in(leftScan);
        Job().RightScanFile = rightScan.isEmpty() ? QString() : folder.in(rightScan);
        Job().ClinicJobNumber = held;
        ui->answers << Answer::Yes;
        if (typed.isValid())
            ui->inputs << (typed.toString().isNull() ? std::optional<QString>() : typed.toString());

        QCOMPARE(relocate(folder.to), Outcome::Moved);

        QCOMPARE(Job().ClinicJobNumber, number);
        QVERIFY2(QFile::exists(folder.at(record)), qPrintable(filesIn(folder.to).join(' ')));
        QVERIFY(!QFile::exists(folder.at("AB0041_Ann_Lee.Csv")));
        QVERIFY(!QFile::exists(folder.in("AB0041_Ann_Lee.Csv")));
        QCOMPARE(Job().CsvFile, folder.at(record));
        const QList<ScriptedPrompter::Call> prompts = [&] {
            QList<ScriptedPrompter::Call> out;
            for (const auto &call : ui->calls)
                if (call.kind == "text")
                    out << call;
            return out;
        }();
        QCOMPARE(prompts.size(), typed.isValid() ? 1 : 0);
        if (typed.isValid()) {
            QCOMPARE(prompts[0].text, QString("Enter the Laboratory Job Number"));
            QCOMPARE(prompts[0].title, QString("Job Number"));
            QCOMPARE(prompts[0].defaultText, QString("000000"));
        }
    }

    // A record saved as ".csv" is the job's record all the same: renamed,
    // rewritten, never lost; a second move keeps the number it carries.
    void lowerCaseRecordSurvivesTwoMoves()
    {
        JobFolder folder;
        QVERIFY(QFile::rename(folder.in("AB0041_Ann_Lee.Csv"), folder.in("AB0041_Ann_Lee.csv")));
        Job().CsvFile = folder.in("AB0041_Ann_Lee.csv");
        const QString clinic3 = folder.home.path("Data/Clinic3");
        QDir().mkpath(clinic3);
        ui->answers << Answer::Yes << Answer::Yes;

        QCOMPARE(relocate(folder.to), Outcome::Moved);
        QCOMPARE(relocate(clinic3), Outcome::Moved);

        QCOMPARE(filesIn(folder.to), QStringList{});
        QVERIFY(QFile::exists(clinic3 + "/AB0041_Ann_Lee_12345.csv"));
        QCOMPARE(Job().CsvFile, clinic3 + "/AB0041_Ann_Lee_12345.csv");
        const QStringList record = textfile::readLines(Job().CsvFile);
        QCOMPARE(record[4], QString("Left Scan File Name,C:\\3DEriruvu\\Data\\Clinic3\\12345_Ann_Lee_L.Lcf"));
    }

    // Another record of the same client moves as a plain file: its name and
    // its lines stay as they were.
    void anotherJobsRecordIsNotRenamed()
    {
        JobFolder folder;
        const QByteArray older = "BRENNICK ORTHOTICS PRESCRIPTION\r\nJob Number,AB0039\r\nClinic Job Number,\r\n"
                                 "PDF File Name,C:\\3DEriruvu\\Data\\Clinic1\\AB0039_Ann_Lee.Pdf\r\n"
                                 "Left Scan File Name,None\r\nRight Scan File Name,None\r\n"
                                 "Left Graphic File Name,None\r\nRight Graphic File Name,None\r\nEND\r\n";
        folder.put("AB0039_Ann_Lee.Csv", older);
        ui->answers << Answer::Yes;

        QCOMPARE(relocate(folder.to), Outcome::Moved);

        QCOMPARE(contents(folder.at("AB0039_Ann_Lee.Csv")), older);
        QVERIFY(QFile::exists(folder.at("AB0041_Ann_Lee_12345.Csv")));
    }

    // The record takes the files it names that the match string missed,
    // and the ".Wrl" beside a scan line whatever its case.
    void recordBringsTheFilesItNames()
    {
        JobFolder folder;
        Job().RightLcfFile = folder.in("Scan_R.Lcf");
        Job().RightGraphicFile = folder.in("Photo_R.Jpg");
        Write_CSV_EVA(Job());
        folder.put("Scan_R.Lcf", QByteArray(50, 'm'));
        folder.put("scan_r.WRL", QByteArray(60, 'w'));
        folder.put("Photo_R.Jpg", QByteArray(70, 'p'));
        ui->answers << Answer::Yes;

        QCOMPARE(relocate(folder.to), Outcome::Moved);

        for (const QString name : {"Scan_R.Lcf", "scan_r.WRL", "Photo_R.Jpg"}) {
            QVERIFY2(QFile::exists(folder.at(name)), qPrintable(name));
            QVERIFY2(!QFile::exists(folder.in(name)), qPrintable(name));
        }
        QCOMPARE(Job().RightLcfFile, folder.at("Scan_R.Lcf"));
        QCOMPARE(Job().RightGraphicFile, folder.at("Photo_R.Jpg"));
    }

    // A job named as the pick-ups name it moves whole, though its match
    // string ("Ann_L.Lcf") names the left model alone: its record (the one
    // it last read or wrote) brings the files it names and the rest of each
    // foot's scan (scan, texture).
    void pickUpNamedJobMovesWhole()
    {
        JobFolder folder;
        ScriptRecord &job = Job();
        QStringList moved = folder.putPickUpJob("Lee_Ann");
        Write_CSV_EVA(job);
        const QStringList before = filesIn(folder.from);
        ui->answers << Answer::Yes;

        QCOMPARE(relocate(folder.to), Outcome::Moved);

        // The clinic's job number is the text before the scan name's first
        // "_", "Lee", which the record's name ends in already. The job's
        // sketch goes with it.
        moved << "AB0041_Ann_Lee.Csv"
              << "AB0041_Ann_Lee.Jpg";
        moved.sort();
        QCOMPARE(filesIn(folder.to), moved);
        QStringList left = before;
        for (const QString &name : std::as_const(moved))
            left.removeOne(name);
        QCOMPARE(filesIn(folder.from), left);
        QVERIFY(left.contains("12345_Ann_Lee_L.Lcf"));
        QCOMPARE(job.RightScanFile, folder.at("Lee_Ann_R.wrl"));
        QCOMPARE(job.CsvFile, folder.at("AB0041_Ann_Lee.Csv"));
        QCOMPARE(textfile::readLines(job.CsvFile)[5],
                 QString("Right Scan File Name,C:\\3DEriruvu\\Data\\Clinic2\\Lee_Ann_R.Lcf"));
    }

    // A front desk reopens a pick-up job's record and takes a new job number
    // (or never opened it): the job no longer knows its record's name. Its
    // scans, models, photos and the record naming them still go together,
    // readable as the originals were.
    void pickUpJobMovesWholeWithoutKnowingItsRecord()
    {
        JobFolder folder;
        ScriptRecord &job = Job();
        QStringList moved = folder.putPickUpJob("Hale_Nora");
        job.ClientFirstName = "Nora";
        job.ClientSurname = "Hale";
        job.CsvFile = folder.in("DEMO0000_Nora_Hale.Csv");
        Write_CSV_EVA(job);
        QVERIFY(QFile::setPermissions(folder.in("Hale_Nora_L.wrl"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
        job.JobNumber = "DEMO0002";
        job.CsvFile = folder.in("DEMO0002_Nora_Hale.Csv");
        ui->answers << Answer::Yes;

        QCOMPARE(relocate(folder.to), Outcome::Moved);

        moved << "DEMO0000_Nora_Hale.Csv"
              << "AB0041_Ann_Lee.Jpg"; // the record, the job's sketch
        moved.sort();
        QCOMPARE(filesIn(folder.to), moved);
        for (const QString &name : std::as_const(moved))
            QVERIFY2(!QFile::exists(folder.in(name)), qPrintable(name));
        QVERIFY(QFile::exists(folder.in("12345_Ann_Lee_L.Lcf")));
        QCOMPARE(QFile::permissions(folder.at("Hale_Nora_L.wrl")) & 0x0fff,
                 QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
        QCOMPARE(job.LeftLcfFile, folder.at("Hale_Nora_L.Lcf"));
        QCOMPARE(textfile::readLines(folder.at("DEMO0000_Nora_Hale.Csv"))[4],
                 QString("Left Scan File Name,C:\\3DEriruvu\\Data\\Clinic2\\Hale_Nora_L.Lcf"));
    }

    // Files of the job already in the clinic folder are replaced only after
    // one question; No leaves both folders and the job as they were.
    void replacingAsksOnce_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("yes") << Answer::Yes;
        QTest::newRow("no") << Answer::No;
    }
    void replacingAsksOnce()
    {
        QFETCH(Answer, answer);
        JobFolder folder;
        folder.home.write("Data/Clinic2/12345_Ann_Lee_L.Wrl", "older scan in the clinic");
        folder.home.write("Data/Clinic2/AB0041_Ann_Lee_12345.Csv", "older record");
        const QStringList before = filesIn(folder.from);
        Job().ClinicJobNumber = "old";
        ui->answers << Answer::Yes << answer;

        QCOMPARE(relocate(folder.to), answer == Answer::Yes ? Outcome::Moved : Outcome::Declined);

        QCOMPARE(ui->calls.size(), 2);
        QCOMPARE(ui->calls[1].text, "These Files Already Exist in " + QDir::toNativeSeparators(folder.to)
                                        + ":\r\n\r\n12345_Ann_Lee_L.Wrl\r\nAB0041_Ann_Lee_12345.Csv\r\n\r\n"
                                          "Do You Want to Replace Them?");
        QCOMPARE(ui->calls[1].buttons, Prompter::Buttons::YesNo);
        if (answer == Answer::Yes) {
            QCOMPARE(contents(folder.at("12345_Ann_Lee_L.Wrl")), QByteArray(119, 'j'));
            QVERIFY(!QFile::exists(folder.in("12345_Ann_Lee_L.Wrl")));
            return;
        }
        QCOMPARE(contents(folder.at("12345_Ann_Lee_L.Wrl")), QByteArray("older scan in the clinic"));
        QCOMPARE(contents(folder.at("AB0041_Ann_Lee_12345.Csv")), QByteArray("older record"));
        QCOMPARE(filesIn(folder.to).size(), 2);
        QCOMPARE(filesIn(folder.from), before);
        QCOMPARE(Job().CurrentFolder, folder.from);
        QCOMPARE(Job().ClinicJobNumber, QString("old"));
        QVERIFY(shell.calls.isEmpty());
    }

    // The stops before anything is asked: no model file, no match string
    // (OK alone, as there is no help page), the job's own folder.
    void stopsBeforeAsking_data()
    {
        QTest::addColumn<QString>("leftModel");
        QTest::addColumn<QString>("rightModel");
        QTest::addColumn<bool>("ownFolder");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("no model") << "None" << QString() << false << Outcome::NoModelFile << "Invalid File Selection"
                                  << "Solvane";
        QTest::newRow("no match") << "Smith.Lcf" << QString() << false << Outcome::NoMatchString
                                  << "No String to Match Files was Found\r\nFiles Cannot be Copied"
                                  << "Warning";
        QTest::newRow("left none, right without _") << "None"
                                                    << "Smith.Lcf" << false << Outcome::NoMatchString
                                                    << "No String to Match Files was Found\r\nFiles Cannot be Copied"
                                                    << "Warning";
        QTest::newRow("own folder") << "12345_Ann_Lee_L.Lcf" << QString() << true << Outcome::SameFolder
                                    << "The Job is Already in {from}\r\nNothing was Moved"
                                    << "Warning";
    }
    void stopsBeforeAsking()
    {
        QFETCH(QString, leftModel);
        QFETCH(QString, rightModel);
        QFETCH(bool, ownFolder);
        QFETCH(Outcome, outcome);
        QFETCH(QString, message);
        QFETCH(QString, title);
        JobFolder folder;
        Job().LeftLcfFile = leftModel == "None" ? leftModel : folder.in(leftModel);
        Job().RightLcfFile = rightModel.isEmpty() ? QString() : folder.in(rightModel);
        const QStringList before = filesIn(folder.from);
        // The same folder by another spelling of its path.
        const QString target = ownFolder ? folder.home.path("Data/Clinic2/../Clinic1/") : folder.to;

        QCOMPARE(relocate(target), outcome);

        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls[0].text, QString(message).replace("{from}", QDir::toNativeSeparators(target)));
        QCOMPARE(ui->calls[0].title, title);
        QCOMPARE(ui->calls[0].buttons, Prompter::Buttons::Ok);
        if (outcome != Outcome::SameFolder)
            QCOMPARE(ui->calls[0].icon, Prompter::Icon::None);
        QCOMPARE(filesIn(folder.from), before);
        QCOMPARE(filesIn(folder.to), QStringList{});
        QCOMPARE(Job().CurrentFolder, folder.from);
        QVERIFY(shell.calls.isEmpty());
    }

    // A folder name holding the match string adds no file: the names alone
    // are compared, in any case.
    void matchLooksAtFileNamesOnly()
    {
        TestHome home;
        const QString from = home.path("Data/Y_Z_Clinic");
        const QString to = home.path("Data/Other");
        QDir().mkpath(to);
        home.write("Data/Y_Z_Clinic/X_Y_Z_L.Lcf", QByteArray(40, 'l'));
        home.write("Data/Y_Z_Clinic/x_y_z_r.wrl", QByteArray(40, 'r'));
        home.write("Data/Y_Z_Clinic/Unrelated.Wrl", QByteArray(40, 'u'));
        Job() = ScriptRecord();
        Job().CurrentFolder = from;
        Job().LeftLcfFile = from + "/X_Y_Z_L.Lcf";

        const RelocationPlan plan = JobRelocator(Job(), to).plan();

        QCOMPARE(plan.matchString, QString("Y_Z"));
        QStringList planned;
        for (const RelocationFile &file : plan.files)
            planned << Get_File_Name(file.source);
        QCOMPARE(planned, (QStringList{"X_Y_Z_L.Lcf", "x_y_z_r.wrl"}));
        QCOMPARE(plan.record, -1);
        QVERIFY(ui->calls.isEmpty());
    }

    // Without its record the files still move; the user is told that no
    // record was renamed. A short record moves unchanged, and is reported.
    void recordMissingOrShortIsReported_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << false
                                 << "No Script File of this Job was Among the Files Moved (AB0041_Ann_Lee.Csv)\r\n"
                                    "No Script File was Renamed or Updated";
        QTest::newRow("short") << true
                               << "{to}AB0041_Ann_Lee.Csv is not a complete script record\r\n"
                                  "It was Moved Without Renaming or Updating it";
    }
    void recordMissingOrShortIsReported()
    {
        QFETCH(bool, present);
        QFETCH(QString, message);
        JobFolder folder;
        QFile::remove(folder.in("AB0041_Ann_Lee.Csv"));
        const QByteArray shortRecord = "BRENNICK ORTHOTICS PRESCRIPTION\r\nJob Number,AB0041\r\n";
        if (present)
            folder.put("AB0041_Ann_Lee.Csv", shortRecord);
        ui->answers << Answer::Yes;

        QCOMPARE(relocate(folder.to), Outcome::Moved);

        QCOMPARE(ui->calls.size(), 2);
        QCOMPARE(ui->calls[1].text, message.replace("{to}", QDir::toNativeSeparators(folder.to + '/')));
        QVERIFY(QFile::exists(folder.at("12345_Ann_Lee_L.Wrl")));
        if (present)
            QCOMPARE(contents(folder.at("AB0041_Ann_Lee.Csv")), shortRecord);
        QCOMPARE(filesIn(folder.to).filter(".Csv").size(), present ? 1 : 0);
    }

    void missingClinicFolderIsAnError()
    {
        JobFolder folder;
        const QStringList before = filesIn(folder.from);
        try {
            relocate(folder.home.path("Data/Nowhere"));
            QFAIL("moved into a missing folder");
        } catch (const SolvaneError &error) {
            QCOMPARE(error.description(), "The clinic folder "
                                              + QDir::toNativeSeparators(folder.home.path("Data/Nowhere"))
                                              + " does not exist");
        }
        QVERIFY(ui->calls.isEmpty());
        QCOMPARE(filesIn(folder.from), before);
    }

    // A single user moves jobs into the data folder itself.
    void clinicFolders()
    {
        TestHome home;
        QCOMPARE(Relocation_Folder("North"), home.path("Data/North"));
        QCOMPARE(Relocation_Folder(QString()), home.path("Data"));
    }
};

QTEST_GUILESS_MAIN(TestJobRelocator)
#include "tst_jobrelocator.moc"
