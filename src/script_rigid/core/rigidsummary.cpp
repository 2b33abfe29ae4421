#include "rigidsummary.h"

#include "ordersummarytext.h"

#include "scriptrecord.h"
#include "shellhelpers.h"

QString Rigid_Option_Summary(ScriptRecord &job)
{
    Drop_Leading_None(job.InsoleOptionsL);
    Drop_Leading_None(job.InsoleOptionsR);
    const QString br = QStringLiteral("\r\n");
    auto foot = [&](const QString &heading, const QString &style, const QString &material, const QString &cover,
                    const QString &options) {
        return heading + br + QStringLiteral("Style: ") + style + br + QStringLiteral("Material: ") + material + br
               + QStringLiteral("Top Cover: ") + cover + br + br + Summary_Lines(options);
    };
    return foot(QStringLiteral("LEFT FOOT"), job.ShellStyleL, job.ShellMaterialL, job.TopCoverL, job.InsoleOptionsL)
           + br + br + Summary_Lines(job.Notes) + br + br
           + foot(QStringLiteral("RIGHT FOOT"), job.ShellStyleR, job.ShellMaterialR, job.TopCoverR, job.InsoleOptionsR);
}

QString Rigid_Pdf_To_View(const ScriptRecord &job)
{
    return File_Exists(job.FullPdfFile) ? job.FullPdfFile : job.PdfFile;
}
