#include "jobarchive.h"

#include "disksync.h"

#include "errors.h"
#include "memberprogress.h"
#include "messagetext.h"
#include "shellhelpers.h"
#include "workwait.h"
#include "zipreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>
#include <QThread>

#include <zip.h>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#endif

#include <algorithm>
#include <atomic>
#include <exception>
#include <future>
#include <memory>
#include <mutex>
#include <numeric>
#include <system_error>
#include <thread>
#include <vector>

namespace {

SolvaneError archiveError(const QString &zipPath, const QString &why)
{
    return SolvaneError(ErrorNumber::FileWrite, QStringLiteral("Cannot write the archive ") + Message_Path(zipPath)
                                                    + QStringLiteral(": ") + why);
}

// libzip before 1.8 fills two tables on its first zip_open without a lock,
// and a thread that opens an archive while another fills them may find them
// half-filled: its new archive then opens read-only ("Read-only archive").
// One open on the calling thread before any worker starts fills them.
void prepareLibzip()
{
    static const bool prepared = [] {
        zip_error_t error;
        zip_error_init(&error);
        if (zip_source_t *empty = zip_source_buffer_create(nullptr, 0, 0, &error)) {
            if (zip_t *archive = zip_open_from_source(empty, 0, &error))
                zip_discard(archive); // frees the source too
            else
                zip_source_free(empty);
        }
        zip_error_fini(&error);
        return true;
    }();
    (void)prepared;
}

// A new archive at `path`, created exclusively.
zip_t *createArchive(const QString &path)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_EXCL, &code);
    if (!archive)
        throw archiveError(path, Zip_Error_Text(code));
    return archive;
}

// A unique name beside `target`, so a rename stays on one file system and a
// half-written file never carries a real name. The name is only borrowed:
// libzip creates the file itself (exclusively), so it gets the usual
// permissions rather than a private file's.
QString partName(const QFileInfo &target)
{
    QTemporaryFile reserve(target.absolutePath() + u'/' + target.fileName() + QStringLiteral(".XXXXXX.part"));
    if (!reserve.open())
        throw archiveError(target.filePath(), reserve.errorString());
    return reserve.fileName();
}

// QTemporaryFile and libzip each put six letters or digits in place of the
// XXXXXX of a name.
const QRegularExpression &partNamePattern()
{
    static const QRegularExpression pattern(QStringLiteral(R"(^.+\.zip\.[A-Za-z0-9]{6}\.part(\.[A-Za-z0-9]{6})?$)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// What tells a file from the same path changed or replaced since: the file
// itself, its size, and its modification and change times (the change time
// moves with every write and rename and cannot be set back).
struct SourceStamp
{
    bool valid = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modified = 0;
    qint64 changed = 0;
    bool operator==(const SourceStamp &) const = default;
};

SourceStamp stampOf(const QString &path)
{
#ifdef Q_OS_LINUX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    const auto nanoseconds = [](const timespec &t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; };
    return {true,
            quint64(st.st_dev),
            quint64(st.st_ino),
            qint64(st.st_size),
            nanoseconds(st.st_mtim),
            nanoseconds(st.st_ctim)};
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {true,
            0,
            0,
            info.size(),
            info.lastModified().toMSecsSinceEpoch(),
            info.metadataChangeTime().toMSecsSinceEpoch()};
#endif
}

// Removes the files it was given when it goes, whatever happened.
class PartFiles
{
public:
    ~PartFiles()
    {
        for (const QString &path : std::as_const(m_paths))
            QFile::remove(path);
    }
    QString add(const QString &path)
    {
        m_paths << path;
        return path;
    }
    void keep(const QString &path) { m_paths.removeAll(path); }

private:
    QStringList m_paths;
};

quint32 fileCrc(const QString &path, qint64 &size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("Cannot read ") + Message_Path(path)
                                                          + QStringLiteral(": ") + file.errorString());
    quint32 crc = 0;
    size = 0;
    QByteArray chunk(1024 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("Cannot read ") + Message_Path(path));
        if (got == 0)
            break;
        crc = Zip_Crc32(chunk.constData(), got, crc);
        size += got;
    }
    return crc;
}

// Runs job(i) for every i of `order` on up to `threads` threads, the first
// failure stopping the rest (they see `stop`) and raised once all are done.
void runShared(const std::vector<qsizetype> &order, int threads, std::atomic<bool> &stop,
               const std::function<void(qsizetype)> &job)
{
    prepareLibzip();
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::exception_ptr failure;
    auto worker = [&] {
        for (std::size_t k; !stop && (k = next.fetch_add(1)) < order.size();) {
            try {
                job(order[k]);
            } catch (...) {
                std::lock_guard lock(mutex);
                if (!failure)
                    failure = std::current_exception();
                stop = true;
            }
        }
    };
    const int count = std::clamp(threads, 1, static_cast<int>(std::max<std::size_t>(order.size(), 1)));
    std::vector<std::thread> helpers;
    for (int t = 1; t < count; ++t)
        helpers.emplace_back(worker);
    worker();
    for (std::thread &t : helpers)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
}

int threadsFor(const ArchiveWork &work)
{
    return work.threads > 0 ? work.threads : std::max(1, QThread::idealThreadCount());
}

// Largest first, so the big scans start at once and the small files fill in.
std::vector<qsizetype> largestFirst(const QStringList &files)
{
    std::vector<qsizetype> order(static_cast<std::size_t>(files.size()));
    std::iota(order.begin(), order.end(), 0);
    std::vector<qint64> sizes;
    for (const QString &path : files)
        sizes.push_back(QFileInfo(path).size());
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return sizes[std::size_t(a)] > sizes[std::size_t(b)]; });
    return order;
}

QStringList bareNames(const QStringList &files)
{
    QStringList names;
    for (const QString &path : files)
        names << Get_File_Name(path);
    return names;
}

struct PackState
{
    std::function<void(double)> share;
    const std::atomic<bool> *stop;
};

void packProgress(zip_t *, double fraction, void *state)
{
    static_cast<PackState *>(state)->share(fraction);
}

int packCancelled(zip_t *, void *state)
{
    return static_cast<PackState *>(state)->stop->load() ? 1 : 0;
}

// Member `i` compressed into a one-member archive of its own at `partPath`.
void packMember(const QString &path, const QString &partPath, PackState &state)
{
    zip_t *archive = createArchive(partPath);
    auto failWith = [&](const QString &why) {
        zip_discard(archive);
        return archiveError(partPath, path + QStringLiteral(": ") + why);
    };
    zip_register_progress_callback_with_state(archive, 0.01, packProgress, nullptr, &state);
    zip_register_cancel_callback_with_state(archive, packCancelled, nullptr, &state);
    zip_source_t *source = zip_source_file(archive, QFile::encodeName(path).constData(), 0, 0);
    if (!source)
        throw failWith(QString::fromUtf8(zip_strerror(archive)));
    const QByteArray name = Get_File_Name(path).toUtf8();
    const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        throw failWith(QString::fromUtf8(zip_strerror(archive)));
    }
    // The fastest deflate: large scans pack in a fraction of the time of
    // libzip's default level, for an archive about a fifth larger.
    if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1) != 0)
        throw failWith(QString::fromUtf8(zip_strerror(archive)));
    if (zip_close(archive) != 0)
        throw failWith(QString::fromUtf8(zip_strerror(archive)));
}

// What a member must read back as: its size and CRC. A member whose part
// was read back whole before the join (`proven`) needs only its stored data
// and method to be the part's.
struct Expected
{
    quint64 size = 0;
    quint32 crc = 0;
    bool proven = false;
    ZipReader::StoredData stored;
    quint16 method = 0;
};

// Reads the one-member part of `file` back whole, as the archive's check
// would read its copy: libzip inflates it and checks it against the CRC it
// found reading the source. What the part holds then is known good, and its
// copy in the archive is checked against its stored data alone.
Expected provePart(const QString &part, const QString &file, const std::function<void(double)> &share)
{
    const ZipReader reader(part);
    const QString name = Get_File_Name(file);
    if (reader.entries().size() != 1 || reader.entries().first().name != name)
        throw archiveError(part, file + QStringLiteral(": the packed part does not hold it alone"));
    const ZipEntry &entry = reader.entries().first();
    const double total = std::max<double>(1, static_cast<double>(entry.size));
    reader.readThrough(entry, [&](quint64 done) { share(static_cast<double>(done) / total); });
    return {entry.size, entry.crc, true, reader.storedData(entry), entry.method};
}

// The one-member archives joined in order into the archive at `tempPath`,
// their compressed data copied as it is.
void joinMembers(const QString &tempPath, const QStringList &files, const QStringList &parts, const QString &comment)
{
    const QByteArray commentBytes = comment.toUtf8();
    if (commentBytes.size() > 0xFFFF)
        throw archiveError(tempPath, QStringLiteral("the comment is too long"));
    zip_t *archive = createArchive(tempPath);
    std::vector<zip_t *> opened;
    auto closeParts = [&] {
        for (zip_t *part : opened)
            zip_discard(part);
        opened.clear();
    };
    auto failWith = [&](const QString &why) {
        zip_discard(archive);
        closeParts();
        return archiveError(tempPath, why);
    };
    for (qsizetype i = 0; i < files.size(); ++i) {
        int code = 0;
        zip_t *part = zip_open(QFile::encodeName(parts.at(i)).constData(), ZIP_RDONLY, &code);
        if (!part)
            throw failWith(files.at(i) + QStringLiteral(": ") + Zip_Error_Text(code));
        opened.push_back(part);
        // The whole member (start 0, length -1): its compressed bytes, CRC and sizes.
        zip_source_t *source = zip_source_zip(archive, part, 0, 0, 0, -1);
        if (!source)
            throw failWith(files.at(i) + QStringLiteral(": ") + QString::fromUtf8(zip_strerror(archive)));
        const QByteArray name = Get_File_Name(files.at(i)).toUtf8();
        const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            throw failWith(files.at(i) + QStringLiteral(": ") + QString::fromUtf8(zip_strerror(archive)));
        }
        if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1) != 0)
            throw failWith(files.at(i) + QStringLiteral(": ") + QString::fromUtf8(zip_strerror(archive)));
    }
    if (zip_set_archive_comment(archive, commentBytes.constData(), static_cast<zip_uint16_t>(commentBytes.size())) != 0)
        throw failWith(QString::fromUtf8(zip_strerror(archive)));
    if (zip_close(archive) != 0)
        throw failWith(QString::fromUtf8(zip_strerror(archive)));
    closeParts();
}

// The read-back check of every member, shared over the threads; each thread
// reads through its own handle of the archive. Each member must read back
// whole with the size and CRC of its source: those given in `expected`, or,
// without them, those of the source file read again.
void verifyMembers(const QString &zipPath, const QStringList &files, const std::vector<Expected> &expected, int threads,
                   MemberProgress &progress)
{
    {
        // Fails early, and once, for an archive that cannot be read at all.
        const ZipReader probe(zipPath);
    }
    std::atomic<bool> stop{false};
    std::mutex readersMutex;
    std::vector<std::unique_ptr<ZipReader>> idle;
    runShared(largestFirst(files), threads, stop, [&](qsizetype i) {
        std::unique_ptr<ZipReader> reader;
        {
            std::lock_guard lock(readersMutex);
            if (!idle.empty()) {
                reader = std::move(idle.back());
                idle.pop_back();
            }
        }
        if (!reader)
            reader = std::make_unique<ZipReader>(zipPath);
        const QString &path = files.at(i);
        const QString name = Get_File_Name(path);
        const ZipEntry *entry = reader->find(name);
        if (!entry)
            throw SolvaneError(ErrorNumber::BadFileFormat,
                               Message_Path(zipPath) + QStringLiteral(" does not hold ") + name);
        Expected source;
        if (expected.empty()) {
            qint64 size = 0;
            source.crc = fileCrc(path, size);
            source.size = static_cast<quint64>(size);
        } else {
            source = expected.at(static_cast<std::size_t>(i));
        }
        // The directory must name the source's size and CRC, and the data
        // must read back whole against them, or be the very data that did.
        const auto differs = [&] {
            return SolvaneError(ErrorNumber::BadFileFormat,
                                QStringLiteral("The copy of ") + name + QStringLiteral(" in ") + Message_Path(zipPath)
                                    + QStringLiteral(" differs from ") + Message_Path(path));
        };
        if (entry->size != source.size || entry->crc != source.crc)
            throw differs();
        if (source.proven) {
            if (entry->method != source.method || reader->storedData(*entry) != source.stored)
                throw differs();
        } else {
            const double total = std::max<double>(1, static_cast<double>(entry->size));
            reader->readThrough(*entry, [&](quint64 done) { progress.share(i, static_cast<double>(done) / total); });
        }
        progress.done(i);
        std::lock_guard lock(readersMutex);
        idle.push_back(std::move(reader));
    });
}

void checkArchive(const QString &zipPath, const QStringList &files, const std::vector<Expected> &expected,
                  const ArchiveWork &work)
{
    MemberProgress progress(QStringLiteral("Checking Zip File: "), bareNames(files), work.status);
    Wait_For_Work([&] { verifyMembers(zipPath, files, expected, threadsFor(work), progress); },
                  [&] { progress.tell(); });
}

} // namespace

QStringList Remove_Stale_Archive_Parts(const QString &folder)
{
    QStringList removed;
    if (folder.isEmpty())
        return removed;
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (file.isSymLink() || !file.isFile() || !partNamePattern().match(file.fileName()).hasMatch())
            continue;
        if (QFile::remove(file.filePath()))
            removed << file.filePath();
    }
    return removed;
}

void Verify_Job_Archive(const QString &zipPath, const QStringList &files, const ArchiveWork &work)
{
    checkArchive(zipPath, files, {}, work);
}

void Write_Job_Archive(const QString &zipPath, const QStringList &files, const QString &comment,
                       const ArchiveWork &work)
{
    const QFileInfo target(zipPath);
    if (target.exists() || target.isSymLink())
        throw SolvaneError(kArchiveExists, Message_Path(zipPath) + QStringLiteral(" already exists"));
    if (files.isEmpty())
        throw archiveError(zipPath, QStringLiteral("there are no files to pack"));

    QSet<QString> names;
    for (const QString &path : files) {
        if (!File_Exists(path))
            throw SolvaneError(ErrorNumber::FileNotFound, Message_Path(path) + QStringLiteral(" does not exist"));
        const QString key = Get_File_Name(path).toLower();
        if (names.contains(key))
            throw archiveError(zipPath, QStringLiteral("two files are named ") + Get_File_Name(path));
        names.insert(key);
    }

    PartFiles temporary;
    const QString tempPath = temporary.add(partName(target));
    QStringList parts;
    for (qsizetype i = 0; i < files.size(); ++i)
        parts << temporary.add(partName(target));

    // Each member is compressed on a core of its own into a one-member
    // archive; the job archive then takes their compressed data as it is.
    // Members compressed ahead are waited for after the others.
    MemberProgress packing(QStringLiteral("Creating Zip File: "), bareNames(files), work.status);
    EarlyArchiveParts *early = work.early;
    std::vector<qsizetype> own, ahead;
    for (const qsizetype i : largestFirst(files))
        (early && early->holds(files.at(i)) ? ahead : own).push_back(i);
    auto pack = [&](const std::vector<qsizetype> &order) {
        std::atomic<bool> stop{false};
        runShared(order, threadsFor(work), stop, [&](qsizetype i) {
            PackState state{[&packing, i](double fraction) { packing.share(i, fraction); }, &stop};
            packMember(files.at(i), parts.at(i), state);
            packing.done(i);
        });
    };
    // The read-back is done on the parts while they are joined: each part
    // is read back whole against what was read from its source while
    // packing (so the sources are not read a third time), and the joined
    // archive is then checked to hold each part's very data.
    MemberProgress checking(QStringLiteral("Checking Zip File: "), bareNames(files), work.status);
    std::atomic<bool> allPacked{false};
    std::vector<Expected> expected(static_cast<std::size_t>(files.size()));
    // libzip renames its own temporary file without flushing it, and what
    // comes after a verified archive (deleting the working files, sending)
    // must not outlive it in a power cut. The bytes go to the disk while the
    // parts are still being read back.
    std::future<int> flushed;
    Wait_For_Work(
        [&] {
            pack(own);
            std::vector<qsizetype> again;
            for (const qsizetype i : ahead) {
                const QString part = early->take(files.at(i));
                if (part.isEmpty()) {
                    again.push_back(i);
                } else {
                    parts[i] = part;
                    packing.done(i);
                }
            }
            pack(again);
            allPacked = true;
            auto joined = std::async(std::launch::async, [&] {
                joinMembers(tempPath, files, parts, comment);
                if (work.joined)
                    work.joined(tempPath);
                flushed = std::async(std::launch::async, [&tempPath] { return Sync_File(tempPath); });
            });
            std::atomic<bool> stop{false};
            runShared(largestFirst(files), threadsFor(work), stop, [&](qsizetype i) {
                expected[static_cast<std::size_t>(i)] = provePart(
                    parts.at(i), files.at(i), [&checking, i](double fraction) { checking.share(i, fraction); });
            });
            joined.get();
        },
        [&] {
            for (const qsizetype i : ahead)
                packing.share(i, early->share(files.at(i)));
            const bool checkingStarted = allPacked;
            packing.tell();
            if (checkingStarted)
                checking.tell();
        });
    for (const QString &part : std::as_const(parts))
        QFile::remove(part);

    Wait_For_Work(
        [&] {
            MemberProgress quiet(QStringLiteral("Checking Zip File: "), bareNames(files), {});
            verifyMembers(tempPath, files, expected, threadsFor(work), quiet);
            for (qsizetype i = 0; i < files.size(); ++i)
                checking.done(i);
        },
        [&] { checking.tell(); });
    if (const int error = flushed.get())
        throw archiveError(zipPath, Disk_Error_Text(error));

    // rename never replaces: an archive that appeared meanwhile stays.
    if (!QFile::rename(tempPath, zipPath)) {
        if (QFileInfo::exists(zipPath))
            throw SolvaneError(kArchiveExists, Message_Path(zipPath) + QStringLiteral(" already exists"));
        throw archiveError(zipPath, QStringLiteral("it cannot be renamed into place"));
    }
    if (const int error = Sync_Folder(target.absolutePath())) {
        // Its name may not last: the job is not done until it can be written again.
        QFile::remove(zipPath);
        throw archiveError(zipPath, Disk_Error_Text(error));
    }
    temporary.keep(tempPath);
}

struct EarlyArchiveParts::Member
{
    QString source;
    QString part;
    SourceStamp stamp;
    bool packed = false;
    std::atomic<double> share{0};
    std::thread thread;
};

EarlyArchiveParts::EarlyArchiveParts(QString folder)
    : m_folder(std::move(folder))
{}

EarlyArchiveParts::~EarlyArchiveParts()
{
    m_stop = true;
    wait();
    for (const std::unique_ptr<Member> &member : m_members)
        if (!member->part.isEmpty())
            QFile::remove(member->part);
}

void EarlyArchiveParts::add(const QStringList &files)
{
    prepareLibzip();
    for (const QString &file : files) {
        if (holds(file))
            continue;
        QString part;
        try {
            part = partName(QFileInfo(QDir(m_folder).filePath(Get_File_Name(file) + QStringLiteral(".Zip"))));
        } catch (const SolvaneError &) {
            continue; // the archive compresses it then
        }
        auto member = std::make_unique<Member>();
        member->source = file;
        member->part = part;
        Member &m = *member;
        m_members.push_back(std::move(member));
        try {
            m.thread = std::thread([&m, this] {
                // A file that changes while it is compressed is compressed
                // again by the archive.
                const SourceStamp before = stampOf(m.source);
                if (!before.valid)
                    return;
                try {
                    PackState state{[&m](double fraction) { m.share = fraction; }, &m_stop};
                    packMember(m.source, m.part, state);
                } catch (...) {
                    return; // the archive compresses it, and tells what is wrong
                }
                m.stamp = before;
                m.packed = stampOf(m.source) == before;
            });
        } catch (const std::system_error &) {
            // no thread to spare: the archive compresses it then
        }
    }
}

const EarlyArchiveParts::Member *EarlyArchiveParts::find(const QString &file) const
{
    for (const std::unique_ptr<Member> &member : m_members)
        if (member->source == file)
            return member.get();
    return nullptr;
}

bool EarlyArchiveParts::holds(const QString &file) const
{
    return find(file) != nullptr;
}

double EarlyArchiveParts::share(const QString &file) const
{
    const Member *member = find(file);
    return member ? member->share.load() : 0;
}

void EarlyArchiveParts::wait()
{
    std::lock_guard lock(m_waitMutex);
    for (const std::unique_ptr<Member> &member : m_members)
        if (member->thread.joinable())
            member->thread.join();
}

QString EarlyArchiveParts::take(const QString &file)
{
    wait();
    const Member *member = find(file);
    if (!member || !member->packed || stampOf(file) != member->stamp)
        return {};
    return member->part;
}
