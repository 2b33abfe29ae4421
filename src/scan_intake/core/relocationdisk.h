#pragma once

#include "disksync.h"

#include <QString>

class QFile;

// The disk as a job move uses it, one call per step, so that a test can
// watch the order of the steps or fail one of them as a full disk would.
// Failures are errno values (0 is success): the user is told the system's
// own reason ("No space left on device"), not a guess.
class RelocationDisk
{
public:
    virtual ~RelocationDisk() = default;

    // Writes all `size` bytes at the end of the open file.
    virtual int write(QFile &file, const char *data, qint64 size);
    // Puts what was written to the open file on the disk itself, so a power
    // cut after it cannot take the bytes back.
    virtual int sync(QFile &file);
    // Puts a folder's entries (a rename into it) on the disk.
    virtual int syncFolder(const QString &folder);
    // The size of a file as the disk has it; -1 when there is none.
    virtual qint64 size(const QString &path);
    // Replaces `to` by `from` in one step.
    virtual int rename(const QString &from, const QString &to);
    virtual int remove(const QString &path);
};

// Copies the bytes of `source` into `target`, an empty file made for the
// copy, with its time of last writing (the scan lists show it), and puts
// the copy on the disk before it returns. Returns the reason of a failure,
// or an empty text.
QString Copy_Through_Disk(RelocationDisk &disk, const QString &source, const QString &target);
