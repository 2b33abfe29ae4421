#include "disksync.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <utility>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

int errnoOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

Disk_Sync_Hook &syncHook()
{
    static Disk_Sync_Hook hook;
    return hook;
}

} // namespace

int Sync_File_Handle(int handle)
{
    errno = 0;
#ifdef Q_OS_WIN
    return ::_commit(handle) == 0 ? 0 : errnoOr(EIO);
#else
    return ::fsync(handle) == 0 ? 0 : errnoOr(EIO);
#endif
}

int Sync_File(const QString &path)
{
    if (syncHook())
        return syncHook()(path, false);
    QFile file(path);
    // Writing is asked only because some systems refuse to flush a file open for reading.
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly) && !file.open(QIODevice::ReadOnly))
        return errnoOr(ENOENT);
    return Sync_File_Handle(file.handle());
}

int Sync_Folder(const QString &folder)
{
    if (syncHook())
        return syncHook()(folder, true);
#ifdef Q_OS_WIN
    // The file system keeps its own folder entries safe.
    Q_UNUSED(folder);
    return 0;
#else
    errno = 0;
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errnoOr(EIO);
    const int result = Sync_File_Handle(fd);
    ::close(fd);
    return result;
#endif
}

QString Disk_Error_Text(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

Disk_Sync_Hook Set_Disk_Sync_Hook(Disk_Sync_Hook hook)
{
    return std::exchange(syncHook(), std::move(hook));
}
