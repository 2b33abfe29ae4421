#include "optionsummary.h"

#include "scriptrecord.h"

namespace {

void dropLeadingNone(QString &options)
{
    if (options.left(4) == QLatin1String("None") && options.size() > 5)
        options.remove(0, 5);
}

QString lines(QString text)
{
    return text.replace(u';', QLatin1String("\r\n"));
}

} // namespace

QString Option_Summary(ScriptRecord &job)
{
    dropLeadingNone(job.InsoleOptionsL);
    dropLeadingNone(job.InsoleOptionsR);
    const QString br = QStringLiteral("\r\n");
    return QStringLiteral("LEFT FOOT") + br + QStringLiteral("Style: ") + job.OrthoticStyleL + br
           + QStringLiteral("EVA: ") + job.EvaDensityL + br + QStringLiteral("Top Cover: ") + job.TopCoverL + br + br
           + lines(job.InsoleOptionsL) + br + br + lines(job.Notes) + br + br + QStringLiteral("RIGHT FOOT") + br
           + QStringLiteral("Style: ") + job.OrthoticStyleR + br + QStringLiteral("EVA: ") + job.EvaDensityR + br
           + QStringLiteral("Top Cover: ") + job.TopCoverR + br + br + lines(job.InsoleOptionsR);
}
