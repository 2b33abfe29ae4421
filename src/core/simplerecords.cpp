#include "simplerecords.h"

#include "csveva.h"
#include "numbers.h"
#include "paths.h"
#include "scriptrecord.h"
#include "textfile.h"

#include <utility>

namespace {

// The laboratory's tools read the intake record's lists at "," as the
// intake windows have always written them.
void takeListsWithCommas(ScriptRecord &job)
{
    const QString comma = QStringLiteral(",");
    for (QString *value : {&job.TopCoverL, &job.TopCoverR, &job.InsoleOptionsL, &job.InsoleOptionsR, &job.Notes})
        *value = Record_Field(*value, comma);
}

void noneWhenEmpty(QString &path)
{
    if (path.isEmpty())
        path = QStringLiteral("None");
}

// A graphic as it stands: an empty one stays an empty field.
QString graphicField(const QString &path)
{
    return path.isEmpty() ? QString() : Record_Path_Field(path);
}

SoftRecordForm simpleForm(const ScriptRecord &job, const QString &title)
{
    SoftRecordForm form;
    form.title = title;
    form.leftModel = Record_Path_Field(job.LeftLcfFile);
    form.rightModel = Record_Path_Field(job.RightLcfFile);
    form.leftGraphic = graphicField(job.LeftGraphicFile);
    form.rightGraphic = graphicField(job.RightGraphicFile);
    form.podiatrist = Record_Field(job.PodiatristName) + QStringLiteral(";Y");
    return form;
}

} // namespace

QString Intake_Measurement_Text(const QString &typed)
{
    return num::shortestText(num::leadingNumber(num::numberBoxText(typed)));
}

void Take_Intake_Measurements(ScriptRecord &job, const PellmarMeasurements &m, bool asNumbers)
{
    const std::array<std::pair<const std::array<QString, 2> *, std::array<QString *, 2>>, 4> rows{{
        {&m.ForefootVarus, {&job.ForefootVarusL, &job.ForefootVarusR}},
        {&m.ForefootValgus, {&job.ForefootValgusL, &job.ForefootValgusR}},
        {&m.VarusLength, {&job.VarusLengthL, &job.VarusLengthR}},
        {&m.HeelDotLength, {&job.HeelDotLengthL, &job.HeelDotLengthR}},
    }};
    for (const auto &[boxes, fields] : rows)
        for (int side = 0; side < 2; ++side)
            *fields[side] = asNumbers ? Intake_Measurement_Text((*boxes)[side]) : num::numberBoxText((*boxes)[side]);
}

QString Simple_Record_Title(int iType)
{
    switch (iType) {
    case 0: return QLatin1String(kSoftRecordTitle);
    case 1: return QLatin1String(kSoftRecordTitle) + QStringLiteral(" (RIGID)");
    default: return {};
    }
}

QStringList Build_CSV_Simple1(ScriptRecord &job)
{
    for (QString *path : {&job.LeftLcfFile, &job.RightLcfFile, &job.LeftGraphicFile, &job.RightGraphicFile})
        *path = QStringLiteral("None");
    takeListsWithCommas(job);
    return Build_Soft_Record(job, simpleForm(job, QLatin1String(kSoftRecordTitle)));
}

QStringList Build_CSV_Simple2(ScriptRecord &job, const IntakeBoxTexts &boxes, int iType)
{
    noneWhenEmpty(job.LeftLcfFile);
    noneWhenEmpty(job.RightLcfFile);
    job.ClientFirstName = boxes.Text1;
    job.ClientSurname = boxes.Text2;
    job.JobNumber = boxes.Text3;
    Take_Intake_Measurements(job, boxes.measurements);
    takeListsWithCommas(job);
    return Build_Soft_Record(job, simpleForm(job, Simple_Record_Title(iType)));
}

void Write_CSV_Simple1(ScriptRecord &job)
{
    textfile::writeLines(job.CsvFile, Build_CSV_Simple1(job));
}

void Write_CSV_Simple2(ScriptRecord &job, const IntakeBoxTexts &boxes, int iType)
{
    textfile::writeLines(job.CsvFile, Build_CSV_Simple2(job, boxes, iType));
}
