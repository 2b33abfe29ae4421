#include "archiveimport.h"

#include "errors.h"
#include "memberprogress.h"
#include "messagetext.h"
#include "paths.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "shellservices.h"
#include "workwait.h"
#include "zipreader.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace {

constexpr int kListedNames = 25;

// An entry's name as it lands and as messages show it: a control character
// (a line break, a tab) would make a file no one can name by hand and break
// the lines of every message that lists it.
QString withoutControls(QString name)
{
    for (QChar &c : name)
        if (c.category() == QChar::Other_Control)
            c = u'_';
    return name;
}

QString lastNamePart(const QString &name)
{
    const qsizetype cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    return withoutControls(name.mid(cut + 1));
}

QString listOf(const QStringList &lines)
{
    QStringList shown = lines.mid(0, kListedNames);
    if (lines.size() > kListedNames)
        shown << QStringLiteral("... and %1 more").arg(lines.size() - kListedNames);
    return Message_Lines(shown);
}

struct PlannedFile
{
    const ZipEntry *entry = nullptr;
    QString target;
    bool exists = false;
};

} // namespace

ArchiveImportResult Import_Job_Archive()
{
    Prompter::FileRequest request;
    request.title = QStringLiteral("Select a ZIP File");
    request.folder = Paths::dataRoot();
    request.filter = QStringLiteral("ZIP File (*.Zip)|*.Zip|All Files (*.*)|*.*");
    request.defaultExtension = QStringLiteral("Zip");
    const QString chosen = UI().openFile(request);
    if (chosen.isEmpty()) {
        ArchiveImportResult result;
        result.cancelled = true;
        return result;
    }
    const QString folder = Job().DataFolder;
    ArchiveImportResult result = Import_Job_Archive(chosen, folder);
    if (result.cancelled)
        return result;
    // The scan lists show what arrived at once, when they show that folder.
    if (ShellServices *shell = Shell())
        shell->Refresh_File_Lists();
    Tell_What_Was_Imported(result, folder);
    return result;
}

void Tell_What_Was_Imported(const ArchiveImportResult &result, const QString &folder)
{
    QStringList names;
    for (const QString &path : result.extracted)
        names << QFileInfo(path).fileName();
    QStringList lines;
    if (names.isEmpty()) {
        lines << QStringLiteral("No File was Imported from ") + Message_Path(result.archive);
    } else {
        lines << (names.size() == 1 ? QStringLiteral("1 File was Imported into ")
                                    : QString::number(names.size()) + QStringLiteral(" Files were Imported into "))
                     + Message_Path(QDir::cleanPath(folder)) + u':'
              << QString() << listOf(names);
    }
    UI().message(Message_Lines(lines), QStringLiteral("UnZip"), Prompter::Icon::Information);
}

ArchiveImportResult Import_Job_Archive(const QString &zipPath)
{
    return Import_Job_Archive(zipPath, Job().DataFolder);
}

ArchiveImportResult Import_Job_Archive(const QString &zipPath, const QString &folder)
{
    ArchiveImportResult result;
    result.archive = zipPath;
    Set_Status(QStringLiteral("UnPacking Job...") + zipPath);

    if (folder.trimmed().isEmpty())
        throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("No data folder is set to unpack into"));
    if (!QDir().mkpath(folder))
        throw SolvaneError(ErrorNumber::FileWrite, QStringLiteral("Cannot create the folder ") + folder);
    const QDir target(folder);

    const ZipReader reader(zipPath);

    // Decide every entry first, so the one question covers all of them and
    // nothing is written before it is answered.
    QList<PlannedFile> plan;
    QSet<QString> takenNames;
    auto skip = [&](const ZipEntry &entry, const QString &why) {
        result.skipped << (entry.name.isEmpty() ? QStringLiteral("(no name)") : withoutControls(entry.name))
                              + QStringLiteral(" (") + why + u')';
    };
    for (const ZipEntry &entry : reader.entries()) {
        const QString leaf = lastNamePart(entry.name);
        if (entry.isFolder) {
            skip(entry, QStringLiteral("folder"));
        } else if (entry.isLink) {
            skip(entry, QStringLiteral("link"));
        } else if (entry.isEncrypted) {
            skip(entry, QStringLiteral("encrypted"));
        } else if (leaf.isEmpty() || leaf == u"." || leaf == u"..") {
            skip(entry, QStringLiteral("no file name"));
        } else if (takenNames.contains(leaf.toLower())) {
            skip(entry, QStringLiteral("same name as an earlier entry"));
        } else {
            takenNames.insert(leaf.toLower());
            PlannedFile file{&entry, target.filePath(leaf), false};
            const QFileInfo existing(file.target);
            if (existing.isSymLink() || existing.isDir()) {
                skip(entry, QStringLiteral("a folder or link of that name is in the way"));
                continue;
            }
            file.exists = existing.exists();
            plan << file;
        }
    }

    QStringList existingNames;
    for (const PlannedFile &file : std::as_const(plan))
        if (file.exists)
            existingNames << QFileInfo(file.target).fileName();
    bool replace = true;
    if (!existingNames.isEmpty()) {
        const Prompter::Answer answer =
            UI().message(Message_Lines({QStringLiteral("These files already exist in ") + Message_Path(folder) + u':',
                                        QString(), listOf(existingNames), QString(),
                                        QStringLiteral("Replace them with the files from the archive?")}),
                         QStringLiteral("UnZip"), Prompter::Icon::Question, Prompter::Buttons::YesNoCancel);
        if (answer == Prompter::Answer::Cancel) {
            result.cancelled = true;
            Set_Status(QStringLiteral("Ready"));
            return result;
        }
        replace = answer == Prompter::Answer::Yes;
    }

    QList<const PlannedFile *> writing;
    QStringList writingNames;
    for (const PlannedFile &file : std::as_const(plan)) {
        if (file.exists && !replace) {
            result.kept << file.target;
            continue;
        }
        writing << &file;
        writingNames << withoutControls(file.entry->name);
    }
    // The files are written on a thread of their own, so the windows keep
    // painting; the status line names each file and how much of it is out.
    MemberProgress progress(QStringLiteral("Extracting File..."), writingNames, Set_Status);
    Wait_For_Work(
        [&] {
            for (qsizetype i = 0; i < writing.size(); ++i) {
                const PlannedFile &file = *writing.at(i);
                QSaveFile out(file.target);
                if (!out.open(QIODevice::WriteOnly))
                    throw SolvaneError(ErrorNumber::FileWrite, QStringLiteral("Cannot write ") + file.target
                                                                   + QStringLiteral(": ") + out.errorString());
                const double size = std::max<double>(1, static_cast<double>(file.entry->size));
                // Throws; the unfinished QSaveFile is discarded.
                reader.extract(*file.entry, out,
                               [&](quint64 written) { progress.share(i, static_cast<double>(written) / size); });
                if (!out.commit())
                    throw SolvaneError(ErrorNumber::FileWrite, QStringLiteral("Cannot write ") + file.target
                                                                   + QStringLiteral(": ") + out.errorString());
                result.extracted << file.target;
                progress.done(i);
            }
        },
        [&] { progress.tell(); });

    if (!result.skipped.isEmpty())
        UI().message(Message_Lines({QStringLiteral("These entries of ") + Message_Path(zipPath)
                                        + QStringLiteral(" were not extracted:"),
                                    QString(), listOf(result.skipped)}),
                     QStringLiteral("UnZip"), Prompter::Icon::Warning);
    Set_Status(QStringLiteral("Ready"));
    return result;
}
