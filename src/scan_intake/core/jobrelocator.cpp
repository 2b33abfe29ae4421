#include "jobrelocator.h"

#include "errors.h"
#include "jobnames.h"
#include "paths.h"
#include "prompter.h"
#include "relocatedrecord.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "shellservices.h"
#include "textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTemporaryFile>

namespace {

const QString kTitle = QStringLiteral("Solvane");
const QString kCrLf = QStringLiteral("\r\n");
constexpr int kListedNames = 25;
// A copy this small or smaller never frees its source (an empty or cut-off
// file can pass a size check).
constexpr qint64 kSmallestVerifiedCopy = 10;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString listOf(const QStringList &lines)
{
    QStringList shown = lines.mid(0, kListedNames);
    if (lines.size() > kListedNames)
        shown << QStringLiteral("... and %1 more").arg(lines.size() - kListedNames);
    return shown.join(kCrLf);
}

// The job's own file paths that follow a moved file.
constexpr QString ScriptRecord::*kJobPaths[] = {
    &ScriptRecord::LeftScanFile, &ScriptRecord::RightScanFile,   &ScriptRecord::LeftLcfFile,
    &ScriptRecord::RightLcfFile, &ScriptRecord::LeftGraphicFile, &ScriptRecord::RightGraphicFile,
    &ScriptRecord::CsvFile,      &ScriptRecord::JobImageFile,
};

// What the file names of one foot's scan end in, after the scan's name less
// its extension: the scan, its model, texture picture, photograph, snapshot
// and the image name of an STL scan.
constexpr const char *kScanFileSet[] = {".Wrl", ".Stl", ".Obj", ".Lcf", "[VRML].Jpg", "0.Jpg", ".Jpg", ".Bmp"};

QString canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

// The scan the clinic's job number comes from: the left one, else the right.
QString namedScan(const ScriptRecord &job)
{
    if (!Is_Absent_Path(job.LeftScanFile))
        return Get_File_Name(job.LeftScanFile);
    if (!Is_Absent_Path(job.RightScanFile))
        return Get_File_Name(job.RightScanFile);
    return {};
}

} // namespace

QString Relocation_Folder(const QString &clinic)
{
    return clinic.isEmpty() ? Paths::dataRoot() : Join_Path(Paths::dataRoot(), clinic);
}

QString Relocation_Match_String(const QString &modelFile)
{
    QString rest = Get_File_Name(modelFile);
    Get_Token_Underscore(rest);
    const QString second = Get_Token_Underscore(rest);
    const QString third = Get_Token_Underscore(rest);
    if (second.isEmpty() && third.isEmpty())
        return {};
    return second + u'_' + third;
}

QString Record_Naming_Scans(const QString &folder, const QStringList &scans)
{
    QSet<QString> scanNames;
    for (const QString &scan : scans) {
        if (!Is_Absent_Path(scan))
            scanNames.insert(Get_File_Name(scan).toLower());
    }
    if (scanNames.isEmpty())
        return {};
    const QStringList records = QDir(folder).entryList({QStringLiteral("*.csv")}, QDir::Files | QDir::NoSymLinks,
                                                       QDir::Name | QDir::IgnoreCase);
    for (const QString &name : records) {
        const QStringList lines = textfile::readLines(Join_Path(folder, name));
        if (lines.size() < kRelocatedRecordLines)
            continue;
        for (int number : {5, 6}) {
            const QString named = Record_Line_File_Name(lines[number - 1]).toLower();
            if (!named.isEmpty() && scanNames.contains(named))
                return name;
        }
    }
    return {};
}

QString Relocated_Record_Name(const QString &recordName, const QString &clinicJobNumber)
{
    const bool csv = recordName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    const QString stem = csv ? recordName.chopped(4) : recordName;
    const QString extension = csv ? recordName.right(4) : QString();
    const QString suffix = u'_' + safeNamePart(clinicJobNumber);
    if (stem.endsWith(suffix))
        return recordName;
    return stem + suffix + extension;
}

JobRelocator::JobRelocator(ScriptRecord &job, QString targetFolder)
    : m_job(job),
      m_targetFolder(std::move(targetFolder))
{}

RelocationPlan JobRelocator::plan() const
{
    RelocationPlan plan;
    plan.sourceFolder = m_job.CurrentFolder;
    plan.targetFolder = m_targetFolder;

    // A "None" left model is as absent as an empty one.
    if (!Is_Absent_Path(m_job.LeftLcfFile))
        plan.modelFile = m_job.LeftLcfFile;
    else if (!Is_Absent_Path(m_job.RightLcfFile))
        plan.modelFile = m_job.RightLcfFile;
    if (plan.modelFile.isEmpty()) {
        plan.stop = RelocationPlan::Stop::NoModelFile;
        return plan;
    }
    plan.matchString = Relocation_Match_String(plan.modelFile);
    if (plan.matchString.isEmpty()) {
        plan.stop = RelocationPlan::Stop::NoMatchString;
        return plan;
    }

    const QFileInfo source(plan.sourceFolder);
    const QFileInfo target(plan.targetFolder);
    if (plan.sourceFolder.isEmpty() || !source.isDir())
        throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("The job's folder ") + native(plan.sourceFolder)
                                                          + QStringLiteral(" does not exist"));
    if (!target.isDir())
        throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("The clinic folder ") + native(plan.targetFolder)
                                                          + QStringLiteral(" does not exist"));
    // Every copy would be a file onto itself, and the deletions that follow
    // would remove the only copy.
    if (source.canonicalFilePath() == target.canonicalFilePath()) {
        plan.stop = RelocationPlan::Stop::SameFolder;
        return plan;
    }

    QHash<QString, int> byCanonical;
    QSet<QString> planned;
    auto add = [&](const QString &name) {
        if (planned.contains(name))
            return;
        planned.insert(name);
        RelocationFile file;
        file.source = Join_Path(plan.sourceFolder, name);
        file.target = Join_Path(plan.targetFolder, name);
        const QFileInfo from(file.source);
        const QFileInfo to(file.target);
        if (to.isDir())
            throw SolvaneError(ErrorNumber::FileWrite, QStringLiteral("Cannot copy ") + native(file.source)
                                                           + QStringLiteral(": a folder of that name is in ")
                                                           + native(plan.targetFolder));
        const QString fromCanonical = from.canonicalFilePath();
        // A link in the clinic folder back to the file itself: never copied
        // onto itself, never deleted.
        if (to.exists() && to.canonicalFilePath() == fromCanonical)
            return;
        file.size = from.size();
        file.targetExists = to.exists();
        byCanonical.insert(fromCanonical, int(plan.files.size()));
        plan.files << file;
    };

    // One listing serves every sibling: a clinic folder holds thousands of
    // scans, and asking the disk for each name in any case lists it again.
    QSet<QString> exactNames;
    QHash<QString, QString> nameInAnyCase;
    for (const QString &name :
         QDir(plan.sourceFolder).entryList(QDir::Files | QDir::NoSymLinks | QDir::Hidden, QDir::Name)) {
        exactNames.insert(name);
        const QString key = name.toLower();
        if (!nameInAnyCase.contains(key)) // the first in name order, as a look-up by name finds it
            nameInAnyCase.insert(key, name);
    }
    auto sibling = [&](const QString &wanted) -> QString {
        if (exactNames.contains(wanted))
            return wanted;
        return nameInAnyCase.value(wanted.toLower());
    };
    const QStringList names =
        QDir(plan.sourceFolder).entryList(QDir::Files | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names) {
        if (name.contains(plan.matchString, Qt::CaseInsensitive))
            add(name);
    }

    // The record the job last read or wrote goes with it from the job's
    // folder even when the match string misses its name: the pick-ups name
    // the scans "Lee_Ann_L", whose match string ("Ann_L.Lcf") names the left
    // model alone, and the record "AB0041_Ann_Lee.Csv".
    if (!Is_Absent_Path(m_job.CsvFile) && Has_Extension(m_job.CsvFile, QStringLiteral("Csv"))) {
        const QFileInfo record(m_job.CsvFile);
        if (record.isFile() && !record.isSymLink() && canonical(record.path()) == source.canonicalFilePath())
            add(record.fileName());
    }

    // The job's own files go with it whatever their names: a pick-up names
    // the scans "Lee_Ann_L" and "Lee_Ann_R", whose match string takes the
    // left model alone, and a job split between two clinics is lost to both.
    // Beside each scan and model go the other files of that foot's scan set.
    auto inJobFolder = [&](const QString &path) {
        if (Is_Absent_Path(path))
            return false;
        const QFileInfo file(path);
        return file.isFile() && !file.isSymLink() && canonical(file.path()) == source.canonicalFilePath();
    };
    for (QString ScriptRecord::*member : kJobPaths) {
        const QString &path = m_job.*member;
        if (member == &ScriptRecord::CsvFile || !inJobFolder(path))
            continue;
        add(QFileInfo(path).fileName());
    }
    const QStringList scans{m_job.LeftScanFile, m_job.RightScanFile, m_job.LeftLcfFile, m_job.RightLcfFile};
    for (const QString &scan : scans) {
        const QString name = Get_File_Name(scan);
        if (!inJobFolder(scan) || name.size() <= 4)
            continue;
        for (const char *member : kScanFileSet)
            if (const QString found = sibling(name.chopped(4) + QLatin1String(member)); !found.isEmpty())
                add(found);
    }

    // The job's own record: the one the job last read or wrote, else the
    // one named after the job, soft or rigid, else a record of the folder
    // whose scan lines name this job's scans. Another job's record in the
    // folder is never taken for it.
    const QString base = JobBaseName(m_job) + QStringLiteral(".Csv");
    QStringList recordNames;
    if (!Is_Absent_Path(m_job.CsvFile) && Has_Extension(m_job.CsvFile, QStringLiteral("Csv"))
        && byCanonical.contains(canonical(m_job.CsvFile)))
        recordNames << Get_File_Name(m_job.CsvFile);
    recordNames << base << JobFileStem(base, JobKind::Rigid);
    for (const QString &wanted : std::as_const(recordNames)) {
        for (int i = 0; i < plan.files.size() && plan.record < 0; ++i) {
            if (Get_File_Name(plan.files[i].source).compare(wanted, Qt::CaseInsensitive) == 0)
                plan.record = i;
        }
    }

    if (plan.record < 0) {
        const QString found = Record_Naming_Scans(plan.sourceFolder, scans);
        if (!found.isEmpty()) {
            add(found);
            for (int i = 0; i < plan.files.size() && plan.record < 0; ++i) {
                if (Get_File_Name(plan.files[i].source).compare(found, Qt::CaseInsensitive) == 0)
                    plan.record = i;
            }
        }
    }

    if (plan.record >= 0) {
        const QStringList lines = textfile::readLines(plan.files[plan.record].source);
        plan.recordComplete = lines.size() >= kRelocatedRecordLines;
        plan.rewriteRecord = plan.recordComplete && !namedScan(m_job).isEmpty();
        if (plan.rewriteRecord) {
            // The files the record names go with it when they are in the
            // job's folder, and beside a scan line the other files of that
            // foot's scan: the scan, its model, texture, photo and snapshot.
            for (int number = 5; number <= 8; ++number) {
                const QString name = Record_Line_File_Name(lines[number - 1]);
                if (name.isEmpty() || !File_Exists(Join_Path(plan.sourceFolder, name)))
                    continue;
                add(name);
                if (number > 6 || name.size() <= 4)
                    continue;
                for (const char *member : kScanFileSet)
                    if (const QString found = sibling(name.chopped(4) + QLatin1String(member)); !found.isEmpty())
                        add(found);
            }
        }
    }

    for (QString ScriptRecord::*member : kJobPaths) {
        const QString &path = m_job.*member;
        if (Is_Absent_Path(path))
            continue;
        const auto found = byCanonical.constFind(canonical(path));
        if (found != byCanonical.constEnd())
            plan.repoints << RelocationPlan::Repoint{member, *found};
    }
    return plan;
}

void JobRelocator::copyInto(const RelocationFile &file) const
{
    const QString name = Get_File_Name(file.source);
    auto failed = [&](const QString &reason) {
        return SolvaneError(ErrorNumber::FileWrite,
                            QStringLiteral("Cannot copy ") + native(file.source) + QStringLiteral(" to ")
                                + native(file.target) + QStringLiteral(": ") + reason + kCrLf
                                + QStringLiteral("The move stopped; no original file was deleted."));
    };

    // Written beside its target under a hidden name and put in place only
    // when whole, so an existing file is never left half replaced.
    QTemporaryFile partial(Join_Path(QFileInfo(file.target).path(), u'.' + name + QStringLiteral(".XXXXXX")));
    if (!partial.open())
        throw failed(partial.errorString());
    partial.close();
    if (const QString error = Copy_Through_Disk(*m_disk, file.source, partial.fileName()); !error.isEmpty())
        throw failed(error);
    const qint64 expected = m_disk->size(file.source);
    const qint64 copied = m_disk->size(partial.fileName());
    if (copied != expected)
        throw failed(QStringLiteral("the copy holds %1 of %2 bytes").arg(copied).arg(expected));
    if (const int error = m_disk->rename(partial.fileName(), file.target))
        throw failed(Disk_Error_Text(error));
    partial.setAutoRemove(false);
}

JobRelocator::Outcome JobRelocator::relocate()
{
    RelocationPlan plan = this->plan();
    if (plan.stop != RelocationPlan::Stop::None)
        return sayStopped(plan);

    m_job.RelocationFolder = plan.targetFolder;
    const bool deleteOriginals = UI().message(QStringLiteral("Do You Want to Delete the Original Files?"),
                                              QStringLiteral("Info"), Prompter::Icon::None, Prompter::Buttons::YesNo)
                                 == Prompter::Answer::Yes;

    // A move that stops leaves the job as it was.
    const QString oldClinicJobNumber = m_job.ClinicJobNumber;
    const QString oldPdfFile = m_job.PdfFile;
    try {
        takeClinicJobNumber();
        if (plan.rewriteRecord) {
            nameRecord(plan, m_job.ClinicJobNumber);
            if (!deleteOriginals)
                keepRecordUnderOldName(plan);
        }
        if (!mayReplace(plan)) {
            m_job.ClinicJobNumber = oldClinicJobNumber;
            return Outcome::Declined;
        }
        copyAll(plan);
    } catch (...) {
        m_job.ClinicJobNumber = oldClinicJobNumber;
        m_job.PdfFile = oldPdfFile;
        throw;
    }
    const QStringList notDeleted = deleteOriginals ? deleteVerifiedSources(plan) : QStringList();

    for (const RelocationPlan::Repoint &repoint : std::as_const(plan.repoints)) {
        if (!plan.files[repoint.file].target.isEmpty())
            m_job.*repoint.member = plan.files[repoint.file].target;
    }
    m_job.CurrentFolder = plan.targetFolder;
    if (ShellServices *shell = Shell()) {
        shell->Show_Folder(plan.targetFolder);
        // The clinic picked for the move is the user now (CurrentUser); a
        // single user has no list to show it in.
        if (!m_job.CurrentUser.isEmpty())
            shell->Show_User(m_job.CurrentUser);
    }
    Set_Status(QStringLiteral("Ready"));
    sayWhatWasLeft(plan, notDeleted);
    return Outcome::Moved;
}

JobRelocator::Outcome JobRelocator::sayStopped(const RelocationPlan &plan)
{
    switch (plan.stop) {
    case RelocationPlan::Stop::NoModelFile:
        UI().message(QStringLiteral("Invalid File Selection"), kTitle);
        return Outcome::NoModelFile;
    case RelocationPlan::Stop::NoMatchString:
        // There is no help page to offer beside it.
        UI().message(QStringLiteral("No String to Match Files was Found") + kCrLf
                         + QStringLiteral("Files Cannot be Copied"),
                     QStringLiteral("Warning"));
        return Outcome::NoMatchString;
    case RelocationPlan::Stop::SameFolder:
    case RelocationPlan::Stop::None: break;
    }
    UI().message(QStringLiteral("The Job is Already in ") + native(plan.targetFolder) + kCrLf
                     + QStringLiteral("Nothing was Moved"),
                 QStringLiteral("Warning"), Prompter::Icon::Warning);
    return Outcome::SameFolder;
}

void JobRelocator::takeClinicJobNumber()
{
    // The text before the first "_" of the scan's name (a laboratory job
    // "12345_Ann_Lee_L.Wrl"), else asked for.
    const QString scan = namedScan(m_job);
    if (scan.isEmpty()) {
        m_job.ClinicJobNumber.clear();
        return;
    }
    const qsizetype underscore = scan.indexOf(u'_');
    if (underscore >= 1)
        m_job.ClinicJobNumber = scan.left(underscore);
    if (m_job.ClinicJobNumber.isEmpty())
        m_job.ClinicJobNumber = Get_Std_Input(QStringLiteral("Enter the Laboratory Job Number"), QString(),
                                              QStringLiteral("000000"), QStringLiteral("Job Number"));
}

void JobRelocator::nameRecord(RelocationPlan &plan, const QString &clinicJobNumber)
{
    RelocationFile &record = plan.files[plan.record];
    record.target = Join_Path(plan.targetFolder, Relocated_Record_Name(Get_File_Name(record.source), clinicJobNumber));
    const QFileInfo to(record.target);
    if (to.isDir())
        throw SolvaneError(ErrorNumber::FileWrite, QStringLiteral("Cannot copy ") + native(record.source)
                                                       + QStringLiteral(": a folder of that name is in ")
                                                       + native(plan.targetFolder));
    record.targetExists = to.exists();
    // A file of the job already named as the renamed record would overwrite
    // it or be overwritten: the record is the one that counts.
    for (int i = 0; i < plan.files.size(); ++i) {
        if (i != plan.record && plan.files[i].target == record.target)
            plan.files[i].target.clear();
    }
}

void JobRelocator::keepRecordUnderOldName(RelocationPlan &plan)
{
    // Kept as it was, beside the renamed and rewritten one, as the originals
    // are kept.
    RelocationFile kept = plan.files[plan.record];
    kept.target = Join_Path(plan.targetFolder, Get_File_Name(kept.source));
    if (kept.target == plan.files[plan.record].target)
        return;
    kept.targetExists = QFileInfo::exists(kept.target);
    plan.files << kept;
}

bool JobRelocator::mayReplace(const RelocationPlan &plan)
{
    QStringList existing;
    for (const RelocationFile &file : plan.files) {
        if (!file.target.isEmpty() && file.targetExists)
            existing << Get_File_Name(file.target);
    }
    if (existing.isEmpty())
        return true;
    return UI().message(QStringLiteral("These Files Already Exist in ") + native(plan.targetFolder) + u':' + kCrLf
                            + kCrLf + listOf(existing) + kCrLf + kCrLf + QStringLiteral("Do You Want to Replace Them?"),
                        QStringLiteral("Info"), Prompter::Icon::Question, Prompter::Buttons::YesNo)
           == Prompter::Answer::Yes;
}

void JobRelocator::copyAll(const RelocationPlan &plan)
{
    auto copy = [this](const RelocationFile &file) {
        Set_Status(QStringLiteral("Copying File...") + Get_File_Name(file.source));
        copyInto(file);
    };
    // The record goes first: its rewrite is written through to the disk,
    // which is quick before the large copies and slow behind them.
    if (plan.rewriteRecord) {
        copy(plan.files[plan.record]);
        Update_CSV_File(plan.files[plan.record].target, m_job);
    }
    for (int i = 0; i < plan.files.size(); ++i) {
        if (!plan.files[i].target.isEmpty() && !(plan.rewriteRecord && i == plan.record))
            copy(plan.files[i]);
    }
    // The copies' names in the clinic folder reach the disk before any
    // original is deleted.
    if (const int error = m_disk->syncFolder(plan.targetFolder))
        throw SolvaneError(ErrorNumber::FileWrite,
                           QStringLiteral("Cannot write ") + native(plan.targetFolder) + QStringLiteral(": ")
                               + Disk_Error_Text(error) + kCrLf
                               + QStringLiteral("The move stopped; no original file was deleted."));
}

QStringList JobRelocator::deleteVerifiedSources(const RelocationPlan &plan) const
{
    QStringList notDeleted;
    for (int i = 0; i < plan.files.size(); ++i) {
        const RelocationFile &file = plan.files[i];
        if (file.target.isEmpty())
            continue;
        const qint64 from = m_disk->size(file.source);
        const qint64 to = m_disk->size(file.target);
        // The rewritten record differs from its source by design; every other
        // copy must match its source's size.
        const bool rewritten = plan.rewriteRecord && i == plan.record;
        const bool verified = to > kSmallestVerifiedCopy && (rewritten || to == from);
        if (from >= 0 && verified && m_disk->remove(file.source) != 0)
            notDeleted << native(file.source);
    }
    return notDeleted;
}

void JobRelocator::sayWhatWasLeft(const RelocationPlan &plan, const QStringList &notDeleted) const
{
    if (plan.record < 0) {
        UI().message(QStringLiteral("No Script File of this Job was Among the Files Moved (") + JobBaseName(m_job)
                         + QStringLiteral(".Csv)") + kCrLf + QStringLiteral("No Script File was Renamed or Updated"),
                     QStringLiteral("Info"), Prompter::Icon::Information);
    } else if (!plan.recordComplete) {
        UI().message(native(plan.files[plan.record].target) + QStringLiteral(" is not a complete script record") + kCrLf
                         + QStringLiteral("It was Moved Without Renaming or Updating it"),
                     QStringLiteral("Warning"), Prompter::Icon::Warning);
    }
    if (!notDeleted.isEmpty())
        UI().message(QStringLiteral("These Original Files Could Not be Deleted:") + kCrLf + kCrLf + listOf(notDeleted),
                     QStringLiteral("Warning"), Prompter::Icon::Warning);
}
