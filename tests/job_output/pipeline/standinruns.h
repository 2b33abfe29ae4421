#pragma once

// Keeping stand-in senders and companions of one test out of the next.

#include "standin.h"

#include <QFileInfo>
#include <QString>

namespace fixture {

// Every stand-in that logged its start has logged its end and is gone, so
// none still writes into a working folder a test is about to remove, or
// still runs when the next test looks for a running companion.
inline bool allRunsEnded(const QString &log)
{
    const QList<Standin::Run> runs = Standin::readLog(log);
    for (const Standin::Run &run : runs)
        if (!run.ended || QFileInfo::exists(QStringLiteral("/proc/%1").arg(run.pid)))
            return false;
    return true;
}

inline void forgetStandinSettings()
{
    for (const char *key : {"STANDIN_LOG", "STANDIN_MODE", "STANDIN_WRITE"})
        qunsetenv(key);
}

} // namespace fixture
