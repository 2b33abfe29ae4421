#pragma once
// A script record, soft or rigid, read as "Open Script" reads it. A record
// that reads is saved and reopened as the clinic does it: the record written
// again from what was read reads back to the same record, so reopening and
// saving never changes a job.

#include "clock.h"
#include "fuzz_home.h"
#include "scriptrecord.h"

#include <algorithm>

namespace fuzzrecord {

// `read` gives false for a file it does not take (no error); `write` saves
// the job's record to job.CsvFile; `build` gives the record's lines.
template <class Read, class Write, class Build>
int saveAndReopen(const QString &name, const std::uint8_t *data, std::size_t size, Read read, Write write, Build build)
{
    static const bool fixedClock = [] {
        Clock::setSource([] { return QDateTime(QDate(2026, 12, 8), QTime(10, 30, 0)); });
        return true;
    }();
    (void)fixedClock;
    ScriptRecord job;
    job.CurrentFolder = fuzzhome::path(QStringLiteral("Data"));
    job.CsvFile = fuzzhome::put(name, data, size);
    try {
        if (!read(job))
            return 0;
    } catch (const SolvaneError &) {
        return 0;
    }
    try {
        write(job);
        const QStringList once = build(job);
        ScriptRecord again = job;
        if (!read(again))
            fuzzhome::fail("a saved record is not taken for one of its kind");
        const QStringList reopened = build(again);
        for (qsizetype i = 0; i < std::max(once.size(), reopened.size()); ++i)
            if (once.value(i) != reopened.value(i)) {
                std::fprintf(stderr, "line %lld: \"%s\" became \"%s\"\n", static_cast<long long>(i + 1),
                             qPrintable(once.value(i)), qPrintable(reopened.value(i)));
                fuzzhome::fail("a record saved and reopened is another record");
            }
    } catch (const SolvaneError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        fuzzhome::fail("a record that read cannot be saved and reopened");
    }
    return 0;
}

} // namespace fuzzrecord
