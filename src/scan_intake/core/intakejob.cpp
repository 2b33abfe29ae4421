#include "intakejob.h"

#include "jobnames.h"
#include "numbers.h"
#include "scriptrecord.h"
#include "sizechart.h"

#include <limits>

void Next_Intake_Job(ScriptRecord &job)
{
    // The largest counter stays as it is: one more would wrap round to a
    // number below 0, and preparing a script refuses it anyway.
    if (job.JobCounter < std::numeric_limits<int>::max())
        job.JobCounter += 1;
    job.JobNumber = Make_Job_Number(job);
}

void Toggle_Intake_Gender(ScriptRecord &job)
{
    job.Gender = job.Gender == QLatin1String("Male") ? QStringLiteral("Female") : QStringLiteral("Male");
    job.TemplateLengthL = Get_Template_Length(job, num::leadingNumber(job.FootSizeL));
    job.TemplateLengthR = Get_Template_Length(job, num::leadingNumber(job.FootSizeR));
    job.FootLengthL = Foot_Length_For(job.TemplateLengthL);
    job.FootLengthR = Foot_Length_For(job.TemplateLengthR);
}
