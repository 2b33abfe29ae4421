#include "optionsummary.h"

#include "ordersummarytext.h"

#include "scriptrecord.h"

QString Option_Summary(ScriptRecord &job)
{
    Drop_Leading_None(job.InsoleOptionsL);
    Drop_Leading_None(job.InsoleOptionsR);
    const QString br = QStringLiteral("\r\n");
    return QStringLiteral("LEFT FOOT") + br + QStringLiteral("Style: ") + job.OrthoticStyleL + br
           + QStringLiteral("EVA: ") + job.EvaDensityL + br + QStringLiteral("Top Cover: ") + job.TopCoverL + br + br
           + Summary_Lines(job.InsoleOptionsL) + br + br + Summary_Lines(job.Notes) + br + br
           + QStringLiteral("RIGHT FOOT") + br + QStringLiteral("Style: ") + job.OrthoticStyleR + br
           + QStringLiteral("EVA: ") + job.EvaDensityR + br + QStringLiteral("Top Cover: ") + job.TopCoverR + br + br
           + Summary_Lines(job.InsoleOptionsR);
}
