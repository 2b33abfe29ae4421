#pragma once

#include "disksync.h"

#include <QFileInfo>
#include <QStringList>

#include <functional>

// Stands in for the disk's flushes while it lives: every flush is noted in
// `steps`, as "file <name>" or "folder <name>" followed by what `note` adds
// (what lay on the disk at that moment), and answered by `answer` (success
// when unset). A test's files need no real flush.
class DiskSyncWatch
{
public:
    using Note = std::function<QString(const QString &path, bool folder)>;

    explicit DiskSyncWatch(Note note = {})
        : m_note(std::move(note))
    {
        m_previous = Set_Disk_Sync_Hook([this](const QString &path, bool folder) {
            QString step = (folder ? QStringLiteral("folder ") : QStringLiteral("file ")) + QFileInfo(path).fileName();
            if (m_note)
                step += QStringLiteral(", ") + m_note(path, folder);
            steps << step;
            return answer ? answer(path, folder) : 0;
        });
    }
    ~DiskSyncWatch() { Set_Disk_Sync_Hook(m_previous); }
    DiskSyncWatch(const DiskSyncWatch &) = delete;
    DiskSyncWatch &operator=(const DiskSyncWatch &) = delete;

    QStringList steps;
    // An errno value for a flush that is to fail, or 0.
    std::function<int(const QString &path, bool folder)> answer;

private:
    Note m_note;
    Disk_Sync_Hook m_previous;
};
