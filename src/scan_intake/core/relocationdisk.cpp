#include "relocationdisk.h"

#include "disksync.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

std::filesystem::path fsPath(const QString &path)
{
    return QFileInfo(path).filesystemFilePath();
}

int errnoOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

} // namespace

int RelocationDisk::write(QFile &file, const char *data, qint64 size)
{
    const int fd = file.handle();
    while (size > 0) {
        // A write may take fewer bytes than asked or be interrupted; only a
        // failure with its own errno ends the copy.
        errno = 0;
#ifdef Q_OS_WIN
        const auto chunk = static_cast<unsigned int>(std::min<qint64>(size, 1 << 30));
        const auto written = ::_write(fd, data, chunk);
#else
        const auto written = ::write(fd, data, static_cast<size_t>(size));
#endif
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errnoOr(EIO);
        }
        if (written == 0)
            return EIO; // no progress and no reason: never loop on it
        data += written;
        size -= written;
    }
    return 0;
}

int RelocationDisk::sync(QFile &file)
{
    return Sync_File_Handle(file.handle());
}

int RelocationDisk::syncFolder(const QString &folder)
{
    return Sync_Folder(folder);
}

qint64 RelocationDisk::size(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.size() : -1;
}

int RelocationDisk::rename(const QString &from, const QString &to)
{
    std::error_code ec;
    std::filesystem::rename(fsPath(from), fsPath(to), ec);
    return ec ? ec.value() : 0;
}

int RelocationDisk::remove(const QString &path)
{
    std::error_code ec;
    std::filesystem::remove(fsPath(path), ec);
    return ec ? ec.value() : 0;
}

QString Copy_Through_Disk(RelocationDisk &disk, const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return out.errorString();
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(chunk.data(), chunk.size());
        if (got < 0)
            return in.errorString();
        if (got == 0)
            break;
        if (const int error = disk.write(out, chunk.constData(), got))
            return Disk_Error_Text(error);
    }
    // A moved scan keeps the date the scan lists show, and who may read it:
    // the copy is made under a private temporary name.
    out.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
    out.setPermissions(in.permissions());
    if (const int error = disk.sync(out))
        return Disk_Error_Text(error);
    out.close();
    return {};
}
