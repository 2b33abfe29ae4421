#include "jobnames.h"

#include "numbers.h"
#include "paths.h"
#include "scriptrecord.h"
#include "textfile.h"

#include <algorithm>

namespace {

// The UTF-8 length of a character of the code page (never a surrogate: those
// became "_" first).
int utf8Bytes(QChar c)
{
    return c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
}

} // namespace

QString safeNamePart(const QString &part)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString out;
    out.reserve(std::min<qsizetype>(part.size(), kSafeNamePartLength));
    int bytes = 0;
    for (QChar c : part) {
        const bool bad =
            forbidden.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F || !textfile::canEncode1252(c);
        if (bad)
            c = u'_';
        bytes += utf8Bytes(c);
        // Every character takes a byte at least, so the byte cap is the
        // character cap too.
        if (bytes > kSafeNamePartLength)
            break;
        out.append(c);
    }
    if (out == QLatin1String(".") || out == QLatin1String(".."))
        return QStringLiteral("_");
    return out;
}

QString JobBaseName(const ScriptRecord &job)
{
    return safeNamePart(job.JobNumber) + u'_' + safeNamePart(job.ClientFirstName) + u'_'
           + safeNamePart(job.ClientSurname);
}

QString JobBaseNameDefault(const ScriptRecord &job)
{
    return safeNamePart(job.JobNumber) + QStringLiteral("_Default");
}

QString JobBaseNameForJob(const ScriptRecord &job)
{
    if (job.LeftScanFile.size() < 5 && job.RightScanFile.size() < 5)
        return JobBaseNameDefault(job);
    return JobBaseName(job);
}

QString JobFileStem(const QString &baseName, JobKind kind)
{
    return kind == JobKind::Rigid ? QStringLiteral("R_") + baseName : baseName;
}

QString JobSketchPath(const ScriptRecord &job, JobKind kind)
{
    return Join_Path(job.CurrentFolder, JobFileStem(JobBaseName(job), kind) + QStringLiteral(".Jpg"));
}

QString Make_Job_Number(const ScriptRecord &job)
{
    return job.OperatorCode + num::formatCounter(job.JobCounter);
}
