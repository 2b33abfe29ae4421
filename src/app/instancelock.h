#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Keeps a second copy of the program from working on the same working folder.
// The lock is a file in that folder; it is released when the holder ends, and
// a lock left behind by a copy that crashed is recognised by its dead process
// and taken over.
class InstanceLock
{
public:
    enum class State { Acquired, HeldByAnother, Unavailable };

    // The lock file of the working folder.
    static QString defaultPath();

    explicit InstanceLock(const QString &path = defaultPath());
    ~InstanceLock();

    // Unavailable when the lock file cannot be made at all (for example the
    // working folder is missing): that is not a second copy running.
    State acquire();
    bool isHeld() const;
    void release();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
