#include "jobarchive.h"

#include "errors.h"
#include "shellhelpers.h"
#include "zipreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>

#include <zip.h>

namespace {

SolvaneError archiveError(const QString &zipPath, const QString &why)
{
    return SolvaneError(ErrorNumber::FileWrite,
                        QStringLiteral("Cannot write the archive ") + zipPath + QStringLiteral(": ") + why);
}

quint32 fileCrc(const QString &path, qint64 &size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SolvaneError(ErrorNumber::FileNotFound,
                           QStringLiteral("Cannot read ") + path + QStringLiteral(": ") + file.errorString());
    quint32 crc = 0;
    size = 0;
    QByteArray chunk(256 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("Cannot read ") + path);
        if (got == 0)
            break;
        crc = Zip_Crc32(chunk.constData(), got, crc);
        size += got;
    }
    return crc;
}

// Discards the device's bytes; the reader still checks every CRC.
class NullDevice : public QIODevice
{
public:
    NullDevice() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override { return len; }
};

void packInto(const QString &tempPath, const QStringList &files, const QString &comment)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(tempPath).constData(), ZIP_CREATE | ZIP_EXCL, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString why = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        throw archiveError(tempPath, why);
    }
    auto failWith = [&](const QString &why) {
        zip_discard(archive);
        return archiveError(tempPath, why);
    };
    for (const QString &path : files) {
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(path).constData(), 0, 0);
        if (!source)
            throw failWith(path + QStringLiteral(": ") + QString::fromUtf8(zip_strerror(archive)));
        const QByteArray name = Get_File_Name(path).toUtf8();
        const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            throw failWith(path + QStringLiteral(": ") + QString::fromUtf8(zip_strerror(archive)));
        }
        // The fastest deflate: two scans of 15 MB pack in a few hundred
        // milliseconds instead of seconds (libzip's default is the slowest
        // level), for an archive about a fifth larger.
        if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1) != 0)
            throw failWith(path + QStringLiteral(": ") + QString::fromUtf8(zip_strerror(archive)));
    }
    const QByteArray commentBytes = comment.toUtf8();
    if (commentBytes.size() > 0xFFFF)
        throw failWith(QStringLiteral("the comment is too long"));
    if (zip_set_archive_comment(archive, commentBytes.constData(), static_cast<zip_uint16_t>(commentBytes.size())) != 0)
        throw failWith(QString::fromUtf8(zip_strerror(archive)));
    if (zip_close(archive) != 0)
        throw failWith(QString::fromUtf8(zip_strerror(archive)));
}

} // namespace

void Verify_Job_Archive(const QString &zipPath, const QStringList &files)
{
    const ZipReader reader(zipPath);
    for (const QString &path : files) {
        const QString name = Get_File_Name(path);
        const ZipEntry *entry = reader.find(name);
        if (!entry)
            throw SolvaneError(ErrorNumber::BadFileFormat, zipPath + QStringLiteral(" does not hold ") + name);
        qint64 size = 0;
        const quint32 crc = fileCrc(path, size);
        NullDevice sink;
        const quint32 stored = reader.extract(*entry, sink);
        if (entry->size != static_cast<quint64>(size) || stored != crc)
            throw SolvaneError(ErrorNumber::BadFileFormat, QStringLiteral("The copy of ") + name
                                                               + QStringLiteral(" in ") + zipPath
                                                               + QStringLiteral(" differs from ") + path);
    }
}

void Write_Job_Archive(const QString &zipPath, const QStringList &files, const QString &comment)
{
    const QFileInfo target(zipPath);
    if (target.exists() || target.isSymLink())
        throw SolvaneError(kArchiveExists, zipPath + QStringLiteral(" already exists"));
    if (files.isEmpty())
        throw archiveError(zipPath, QStringLiteral("there are no files to pack"));

    QSet<QString> names;
    for (const QString &path : files) {
        if (!File_Exists(path))
            throw SolvaneError(ErrorNumber::FileNotFound, path + QStringLiteral(" does not exist"));
        const QString key = Get_File_Name(path).toLower();
        if (names.contains(key))
            throw archiveError(zipPath, QStringLiteral("two files are named ") + Get_File_Name(path));
        names.insert(key);
    }

    // A unique name beside the target, so the final rename stays on one file
    // system and a half-written archive never carries the real name. The
    // name is only borrowed: libzip creates the file itself (exclusively), so
    // the archive gets the usual permissions rather than a private file's.
    QString tempPath;
    {
        QTemporaryFile reserve(target.absolutePath() + u'/' + target.fileName() + QStringLiteral(".XXXXXX.part"));
        if (!reserve.open())
            throw archiveError(zipPath, reserve.errorString());
        tempPath = reserve.fileName();
    }

    try {
        packInto(tempPath, files, comment);
        Verify_Job_Archive(tempPath, files);
    } catch (...) {
        QFile::remove(tempPath);
        throw;
    }
    // rename never replaces: an archive that appeared meanwhile stays.
    if (!QFile::rename(tempPath, zipPath)) {
        QFile::remove(tempPath);
        if (QFileInfo::exists(zipPath))
            throw SolvaneError(kArchiveExists, zipPath + QStringLiteral(" already exists"));
        throw archiveError(zipPath, QStringLiteral("it cannot be renamed into place"));
    }
}
