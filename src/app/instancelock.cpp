#include "instancelock.h"

#include "paths.h"

QString InstanceLock::defaultPath()
{
    return Paths::file(QStringLiteral("Solvane.Lock"));
}

InstanceLock::InstanceLock(const QString &path)
    : m_path(path)
{}

InstanceLock::~InstanceLock()
{
    release();
}

InstanceLock::State InstanceLock::acquire()
{
    if (isHeld())
        return State::Acquired;
    m_lock = std::make_unique<QLockFile>(m_path);
    // Only a living holder counts: an old lock of a crashed copy is stale
    // because its process is gone, however recent the file is.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return State::Acquired;
    const QLockFile::LockError error = m_lock->error();
    m_lock.reset();
    return error == QLockFile::LockFailedError ? State::HeldByAnother : State::Unavailable;
}

bool InstanceLock::isHeld() const
{
    return m_lock && m_lock->isLocked();
}

void InstanceLock::release()
{
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}
