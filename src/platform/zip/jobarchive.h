#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class EarlyArchiveParts;

// How an archive is written and checked.
struct ArchiveWork
{
    // Members compressed, and checked, at the same time: 0 for one per core.
    // The archive's bytes are the same whatever the number.
    int threads = 0;
    // What the user is told while the work runs, on the calling thread:
    // "Creating Zip File: <member> <n>%" while the members are compressed,
    // then "Checking Zip File: <member> <n>%" while they are read back. The
    // member named is the first one not yet done, in archive order, so the
    // texts only ever move forward; each member's "100%" is told.
    std::function<void(const QString &)> status;
    // Members compressed ahead of the archive, taken where their source is
    // still the file compressed; none when null.
    EarlyArchiveParts *early = nullptr;
    // Tests only: told the temporary archive's path once its members are
    // joined and before it is checked, to damage it as a disk might.
    std::function<void(const QString &)> joined = {};
};

// Members compressed ahead of their archive. While a job's record and
// documents are still being written, the files that are already final
// (scans, models, photos) are compressed in the background, each on a
// thread of its own into a one-member archive in `folder`, named
// "<member>.Zip.XXXXXX.part" as Remove_Stale_Archive_Parts knows them.
// Write_Job_Archive takes a part whose source is still the very file it
// compressed (the same file, size, modification and change times before
// and after compressing and when it is taken) and compresses any other
// member itself, as it is then. A file that cannot be compressed here is
// simply left to the archive, which tells what is wrong with it. Going away
// stops the work and removes every part.
class EarlyArchiveParts
{
public:
    explicit EarlyArchiveParts(QString folder);
    ~EarlyArchiveParts();
    EarlyArchiveParts(const EarlyArchiveParts &) = delete;
    EarlyArchiveParts &operator=(const EarlyArchiveParts &) = delete;

    // Starts compressing each of `files` not started before. The calling
    // thread only.
    void add(const QStringList &files);

    // For the archive: whether `file` was started, its share done (0 to 1,
    // any thread), and, once the work is over (waited for here), the part
    // that holds `file` as it is now, or the empty text.
    bool holds(const QString &file) const;
    double share(const QString &file) const;
    QString take(const QString &file);

private:
    struct Member;
    const Member *find(const QString &file) const;
    void wait();

    QString m_folder;
    std::atomic<bool> m_stop{false};
    std::mutex m_waitMutex;
    std::vector<std::unique_ptr<Member>> m_members;
};

// The job archive that goes to the laboratory.
//
// Write_Job_Archive(zipPath, files, comment) packs `files` into a new archive
// at `zipPath`:
//  - each member is stored under its bare file name (no folder) in UTF-8,
//    with the UTF-8 flag on every name beyond ASCII (an ASCII name reads the
//    same in every ZIP encoding), and the archive carries `comment`;
//  - an existing `zipPath` is never replaced: the call stops before packing
//    with SolvaneError(kArchiveExists, "<zipPath> already exists"), which the
//    command handler shows as "Error: <zipPath> already exists";
//  - members are deflated (the fastest level) on all cores, each into a
//    one-member archive of its own, and then joined in the order of `files`
//    without being compressed again: any unzip reads the archive;
//  - the archive is written under a temporary name beside the target and
//    checked: each member's one-member part is read back whole (inflated,
//    with the size and CRC of the bytes read from its source file when it
//    was packed; the parts read in parallel while they are joined), and the
//    archive must hold every member with that size and CRC and with the
//    part's very compressed data and method, so each member reads back as
//    its part did. It is put on the disk itself, and only then renamed to `zipPath`
//    (the folder put on the disk too), so the working files a submitted job
//    deletes next are never the only copy a power cut leaves. On
//    any failure the temporary files are removed, `zipPath` does not exist,
//    no source is touched, and SolvaneError says what failed; an archive
//    that failed is never sent.
// While it works the windows keep painting and the wait cursor shows (see
// Wait_For_Work). Two files with the same bare name (in any case) cannot
// share an archive and are refused, as is an empty list or a missing source
// file.
void Write_Job_Archive(const QString &zipPath, const QStringList &files, const QString &comment,
                       const ArchiveWork &work = {});

// The read-back check on its own: the archive at `zipPath` opens, holds a
// member under the bare name of each of `files`, and each member reads whole
// with the size and CRC of its source. Raises SolvaneError otherwise.
void Verify_Job_Archive(const QString &zipPath, const QStringList &files, const ArchiveWork &work = {});

// A write that was killed (the program ended, the machine lost power) leaves
// its temporary files beside the target for ever, one of them a whole archive
// under a name no one looks at. Remove_Stale_Archive_Parts(folder) removes
// from `folder` (not its subfolders) every regular file named as only this
// writer names them, "<name>.Zip.XXXXXX.part" and, while libzip was closing
// one, "<name>.Zip.XXXXXX.part.XXXXXX" (any case), and no other file. It must
// not run while an archive is being written into `folder`. Returns the paths
// removed; a file that cannot be removed stays for the next time.
QStringList Remove_Stale_Archive_Parts(const QString &folder);

// Error number of "<path> already exists".
inline constexpr int kArchiveExists = 58;
