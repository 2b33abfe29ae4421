// The job archive import ("UnZip"): whatever the archive holds, every file
// lands flat in the data folder as a plain file whose name has no control
// character, and nothing is written anywhere else.
#include "archiveimport.h"
#include "fuzz_home.h"

#include <QDirIterator>
#include <QFileInfo>

namespace {

void clearFolder(const QString &folder)
{
    QDir dir(folder);
    if (!dir.removeRecursively() || !QDir().mkpath(folder))
        fuzzhome::fail("cannot empty the data folder");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString folder = fuzzhome::path(QStringLiteral("Data/Clinic"));
    clearFolder(folder);
    const QString zip = fuzzhome::put(QStringLiteral("Fuzz.Zip"), data, size);
    try {
        Import_Job_Archive(zip, folder + u'/');
    } catch (const SolvaneError &) {}

    QDirIterator all(fuzzhome::root(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                     QDirIterator::Subdirectories);
    while (all.hasNext()) {
        const QFileInfo entry(all.next());
        const QString path = entry.filePath();
        if (path == zip || path == folder || path == fuzzhome::path(QStringLiteral("Data")))
            continue;
        if (entry.absolutePath() != folder) {
            std::fprintf(stderr, "%s\n", qPrintable(path));
            fuzzhome::fail("the import wrote outside the data folder");
        }
        if (!entry.isFile() || entry.isSymLink())
            fuzzhome::fail("the import made something other than a plain file");
        for (const QChar c : entry.fileName())
            if (c.category() == QChar::Other_Control)
                fuzzhome::fail("a file landed with a control character in its name");
    }
    return 0;
}
