#include "scriptentry.h"

#include "messagetext.h"
#include "paths.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"

namespace {

void forgetMissingScan(QString &scan)
{
    if (Is_Absent_Path(scan) || !File_Exists(scan))
        scan = QStringLiteral("None");
}

} // namespace

bool Enter_Script_Screen(ScriptRecord &job, ScriptKind kind)
{
    job.EvaScriptFlag = kind == ScriptKind::Eva;

    bool enter = true;
    if (Is_Absent_Path(job.LeftScanFile) && Is_Absent_Path(job.RightScanFile)) {
        const Prompter::Answer answer =
            UI().message(Message_Lines({QStringLiteral("                No Scan File Data Was Found."), QString(),
                                        QStringLiteral("Are You Sure You Want to Enter the Script Screen?")}),
                         QStringLiteral("Warning"), Prompter::Icon::None, Prompter::Buttons::YesNo);
        enter = answer == Prompter::Answer::Yes;
    }
    // Whatever the answer: a stale path would otherwise follow the job into
    // its record and archive.
    forgetMissingScan(job.LeftScanFile);
    forgetMissingScan(job.RightScanFile);
    return enter;
}
