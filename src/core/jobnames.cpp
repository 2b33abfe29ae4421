#include "jobnames.h"

#include "numbers.h"
#include "paths.h"
#include "scriptrecord.h"
#include "textfile.h"

QString safeNamePart(const QString &part)
{
    if (part == QLatin1String(".") || part == QLatin1String(".."))
        return QStringLiteral("_");
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString out;
    out.reserve(part.size());
    for (QChar c : part) {
        const bool bad =
            forbidden.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F || !textfile::canEncode1252(c);
        out.append(bad ? QChar(u'_') : c);
    }
    return out;
}

QString JobBaseName(const ScriptRecord &job)
{
    return job.JobNumber + u'_' + safeNamePart(job.ClientFirstName) + u'_' + safeNamePart(job.ClientSurname);
}

QString JobBaseNameDefault(const ScriptRecord &job)
{
    return job.JobNumber + QStringLiteral("_Default");
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
