#include "csveva.h"

#include "clock.h"
#include "errors.h"
#include "jobevents.h"
#include "numbers.h"
#include "paths.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "textfile.h"

#include <QRegularExpression>

namespace {

QString replaceLineBreaks(QString value, const QString &with)
{
    value.replace(QLatin1String("\r\n"), with);
    value.replace(u'\r', with);
    value.replace(u'\n', with);
    return value;
}

QString pair(const QString &label, const QString &left, const QString &right)
{
    return label + u',' + left + u',' + right;
}

QString pairUnit(const QString &label, const QString &left, const QString &right, const QString &unit)
{
    return pair(label, left, right) + u',' + unit;
}

QString numPair(const QString &label, double left, double right, const QString &unit)
{
    return pairUnit(label, num::format0_0(left), num::format0_0(right), unit);
}

QString textNumPair(const QString &label, const QString &left, const QString &right, const QString &unit)
{
    return pairUnit(label, num::format0_0Text(Record_Field(left)), num::format0_0Text(Record_Field(right)), unit);
}

double numField(const QString &line, int n)
{
    return num::leadingNumber(Record_Line_Field(line, n));
}

// An extra heel depth keeps its side letter ("3.0M"): the letter tells the
// laboratory which side to deepen, so reopening a record must not lose it.
QString heelDepthField(const QString &value)
{
    static const QRegularExpression withSide(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?[LMB]$"));
    if (withSide.match(value).hasMatch())
        return value;
    return num::shortestText(num::leadingNumber(value));
}

} // namespace

QString Record_Field(const QString &value, const QString &lineBreak)
{
    QString out = value;
    out.replace(u',', u';');
    return replaceLineBreaks(out, lineBreak);
}

void Correct_Model_And_Graphic(const ScriptRecord &job, QString &model, QString &graphic)
{
    if (Is_Absent_Path(model))
        model = QStringLiteral("None");
    else if (Is_Relative_Path(model))
        model = Join_Path(job.CurrentFolder, model);
    if (model == QLatin1String("None"))
        graphic = QStringLiteral("None");
}

QString Record_Path_Field(const QString &path)
{
    return Record_Field(Is_Absent_Path(path) ? QStringLiteral("None") : Record_Path(path));
}

QString Scan_Line_Path(const QString &scan, const QString &model)
{
    return Has_Extension(scan, QStringLiteral("stl")) ? scan : model;
}

QString Podiatrist_Field(const ScriptRecord &job)
{
    return Record_Field(job.PodiatristName) + (job.SendConfirmationEmail ? QStringLiteral(";Y") : QStringLiteral(";N"));
}

QString Record_Line_Field(const QString &line, int n)
{
    QString rest = line;
    QString value;
    for (int i = 0; i < n; ++i)
        value = Get_Token_Comma(rest);
    return value;
}

void Read_Scan_Line(const QString &line, QString &lcf, QString &scan)
{
    const QString value = Record_Line_Field(line, 2);
    if (Is_Absent_Path(value))
        return;
    const QString path = From_Record_Path(value);
    lcf = path;
    if (Has_Extension(path, QStringLiteral("stl")))
        scan = path;
    else if (path.size() > 4) {
        // The laser scanners' copies end in ".wrl": on a file system that
        // counts case, the scan is the file there is, or the job would go
        // without it.
        const QString sibling = path.left(path.size() - 4) + QStringLiteral(".Wrl");
        const QString found = Resolve_File_Nocase(sibling);
        scan = found.isEmpty() ? sibling : found;
    }
}

void Read_Podiatrist_Line(const QString &line, QString &name, bool &sendEmail)
{
    // The writers append the e-mail choice to the name; take it back off so
    // that reopening and saving never grows the name.
    QString podiatrist = Record_Line_Field(line, 2);
    sendEmail = false;
    if (podiatrist.endsWith(QLatin1String(";Y")) || podiatrist.endsWith(QLatin1String(";N"))) {
        sendEmail = podiatrist.endsWith(u'Y');
        podiatrist.chop(2);
    }
    if (Record_Line_Field(line, 3) == QLatin1String("Y"))
        sendEmail = true;
    name = podiatrist;
}

QString Read_Notes_Line(const QString &line)
{
    // Everything after the label; the writer's closing "," comes off again.
    QString notes = line;
    Get_Token_Comma(notes);
    if (notes.endsWith(u','))
        notes.chop(1);
    return notes;
}

void Read_Job_Lines(ScriptRecord &job, const QStringList &lines)
{
    auto f2 = [&](int n) { return Record_Line_Field(lines[n - 1], 2); };
    job.JobNumber = f2(2);
    job.ReprocessedFromJob = job.JobNumber;
    job.ClinicJobNumber = f2(3);
    job.PdfFile = From_Record_Path(f2(4));
    Read_Scan_Line(lines[4], job.LeftLcfFile, job.LeftScanFile);
    Read_Scan_Line(lines[5], job.RightLcfFile, job.RightScanFile);
    if (!Is_Absent_Path(f2(7)))
        job.LeftGraphicFile = From_Record_Path(f2(7));
    if (!Is_Absent_Path(f2(8)))
        job.RightGraphicFile = From_Record_Path(f2(8));
    job.ClientFirstName = f2(9);
    job.ClientSurname = f2(10);
    job.Gender = f2(11);
    Read_Podiatrist_Line(lines[11], job.PodiatristName, job.SendConfirmationEmail);
    job.ClinicName = f2(13);
}

bool Pfa_Is_C_Shape(const QString &pfa)
{
    return pfa.indexOf(u'C', 1, Qt::CaseInsensitive) >= 1;
}

QStringList Build_Soft_Record(const ScriptRecord &job, const SoftRecordForm &form)
{
    const QDateTime now = Clock::now();
    auto t = [](const QString &v) { return Record_Field(v); };
    auto tick = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    QStringList lines;
    if (!form.title.isEmpty())
        lines << form.title;
    lines
        << QStringLiteral("Job Number,") + t(job.JobNumber)
        << QStringLiteral("Clinic Job Number,") + t(job.ClinicJobNumber)
        << QStringLiteral("PDF File Name,") + Record_Path_Field(job.PdfFile)
        << QStringLiteral("Left Scan File Name,") + form.leftModel
        << QStringLiteral("Right Scan File Name,") + form.rightModel
        << QStringLiteral("Left Graphic File Name,") + form.leftGraphic
        << QStringLiteral("Right Graphic File Name,") + form.rightGraphic
        << QStringLiteral("Client First Name,") + t(job.ClientFirstName)
        << QStringLiteral("Client Surname,") + t(job.ClientSurname) << QStringLiteral("Gender,") + t(job.Gender)
        << QStringLiteral("Podiatrist Name,") + form.podiatrist << QStringLiteral("Clinic Name,") + t(job.ClinicName)
        << QStringLiteral("Date,") + Clock::recordDate(now.date())
        << QStringLiteral("Time,") + Clock::longTime(now.time()) << QStringLiteral("Foot,Left,Right")
        << pair(QStringLiteral("Foot Size"), t(job.FootSizeL), t(job.FootSizeR))
        << pair(QStringLiteral("Template Length"), num::format0_0(job.TemplateLengthL),
                num::format0_0(job.TemplateLengthR))
        << pair(QStringLiteral("Scan Date"), t(job.ScanDateL), t(job.ScanDateR))
        << pair(QStringLiteral("Scan Time"), t(job.ScanTimeL), t(job.ScanTimeR))
        << QStringLiteral("Dispense Date,") + t(job.DispenseDate)
        << pair(QStringLiteral("Priority Return"), tick(form.priorityReturn), tick(form.confirmBeforeManufacture))
        << QStringLiteral("INSOLE REQUIREMENTS")
        << pair(QStringLiteral("Orthotic Style"), t(job.OrthoticStyleL), t(job.OrthoticStyleR))
        << pair(QStringLiteral("EVA Density"), t(job.EvaDensityL), t(job.EvaDensityR))
        << pair(QStringLiteral("Top Cover"), job.TopCoverL, job.TopCoverR)
        << pair(QStringLiteral("Insole Options"), job.InsoleOptionsL, job.InsoleOptionsR)
        << QStringLiteral("Notes,") + job.Notes + u',' << QStringLiteral("INSOLE ADJUSTMENTS")
        << numPair(QStringLiteral("Foot Length"), job.FootLengthL, job.FootLengthR, QStringLiteral("mm"))
        << numPair(QStringLiteral("Thickness"), job.ThicknessL, job.ThicknessR, QStringLiteral("mm"))
        << numPair(QStringLiteral("Skive Distance"), job.SkiveDistanceL, job.SkiveDistanceR, QStringLiteral("mm"))
        << pairUnit(QStringLiteral("Skive Angle"), t(job.SkiveAngleL), t(job.SkiveAngleR), QStringLiteral("deg"))
        << numPair(QStringLiteral("Inversion Ramp"), job.InversionRampL, job.InversionRampR, QStringLiteral("deg"))
        << numPair(QStringLiteral("Eversion Ramp"), job.EversionRampL, job.EversionRampR, QStringLiteral("deg"))
        << numPair(QStringLiteral("Arch Fill"), job.ArchFillL, job.ArchFillR, QStringLiteral("%"))
        << numPair(QStringLiteral("Lateral Arch Fill"), job.LateralArchFillL, job.LateralArchFillR, QStringLiteral("%"))
        << numPair(QStringLiteral("Heel Lift"), job.HeelLiftL, job.HeelLiftR, QStringLiteral("mm"))
        << numPair(QStringLiteral("Heel Cup"), job.HeelCupL, job.HeelCupR, QStringLiteral("%"))
        << numPair(QStringLiteral("Rear Foot Posting"), job.RearFootPostingL, job.RearFootPostingR,
                   QStringLiteral("deg"))
        << numPair(QStringLiteral("Rear Foot Posting Lateral"), job.RearFootPostingLateralL,
                   job.RearFootPostingLateralR, QStringLiteral("deg"))
        << pair(QStringLiteral("MetaWedge"), t(job.MetaWedgeL), t(job.MetaWedgeR))
        << pair(QStringLiteral("MetDome"), t(job.MetDomeL), t(job.MetDomeR))
        << pair(QStringLiteral("MetPad"), t(job.MetPadL), t(job.MetPadR))
        << pairUnit(QStringLiteral("PFA"), t(job.PfaL), t(job.PfaR), QStringLiteral("mm"))
        << pairUnit(QStringLiteral("Scan Position"), t(job.ScanPositionL), t(job.ScanPositionR), QStringLiteral("deg"))
        << numPair(QStringLiteral("Arch Height"), job.ArchHeightL, job.ArchHeightR, QStringLiteral("mm"))
        << QStringLiteral("Spare1,0,0,mm") << QStringLiteral("Spare2,0,0,mm") << QStringLiteral("Spare3,0,0,mm")
        << QStringLiteral("Spare4,0,0,mm") << QStringLiteral("FOOT DIMENSIONS")
        << textNumPair(QStringLiteral("Forefoot Varus"), job.ForefootVarusL, job.ForefootVarusR, QStringLiteral("deg"))
        << textNumPair(QStringLiteral("Forefoot Valgus"), job.ForefootValgusL, job.ForefootValgusR,
                       QStringLiteral("deg"))
        << textNumPair(QStringLiteral("Varus Length"), job.VarusLengthL, job.VarusLengthR, QStringLiteral("mm"))
        << textNumPair(QStringLiteral("Extra Heel Depth"), job.ExtraHeelDepthL, job.ExtraHeelDepthR,
                       QStringLiteral("mm"))
        << numPair(QStringLiteral("Forefoot Elevation"), job.ForefootElevationL, job.ForefootElevationR,
                   QStringLiteral("deg"))
        << pair(QStringLiteral("Heel Width"), t(job.HeelWidthL), t(job.HeelWidthR))
        << pair(QStringLiteral("Midfoot Width"), t(textfile::upper1252(job.MidfootWidthL)),
                t(textfile::upper1252(job.MidfootWidthR)))
        << pair(QStringLiteral("Forefoot Width"), t(job.ForefootWidthL), t(job.ForefootWidthR))
        << numPair(QStringLiteral("Insert Height"), job.InsertHeightL, job.InsertHeightR, QStringLiteral("mm"))
        << numPair(QStringLiteral("Insert Length"), job.InsertLengthL, job.InsertLengthR, QStringLiteral("mm"))
        << textNumPair(QStringLiteral("Heel-Dot Length"), job.HeelDotLengthL, job.HeelDotLengthR, QStringLiteral("mm"))
        << QStringLiteral("Spare5,0,0,mm") << QStringLiteral("Spare6,0,0,mm") << QStringLiteral("END");
    return lines;
}

QStringList Build_CSV_EVA(ScriptRecord &job)
{
    Correct_Model_And_Graphic(job, job.LeftLcfFile, job.LeftGraphicFile);
    Correct_Model_And_Graphic(job, job.RightLcfFile, job.RightGraphicFile);

    // Top covers are joined with "," by the format itself; options and notes with ";".
    job.TopCoverL = Record_Field(job.TopCoverL, QStringLiteral(","));
    job.TopCoverR = Record_Field(job.TopCoverR, QStringLiteral(","));
    job.InsoleOptionsL = Record_Field(job.InsoleOptionsL);
    job.InsoleOptionsR = Record_Field(job.InsoleOptionsR);
    job.Notes = Record_Field(job.Notes);

    SoftRecordForm form;
    form.title = QLatin1String(kSoftRecordTitle);
    form.leftModel = Record_Path_Field(Scan_Line_Path(job.LeftScanFile, job.LeftLcfFile));
    form.rightModel = Record_Path_Field(Scan_Line_Path(job.RightScanFile, job.RightLcfFile));
    form.leftGraphic = Record_Path_Field(job.LeftGraphicFile);
    form.rightGraphic = Record_Path_Field(job.RightGraphicFile);
    form.podiatrist = Podiatrist_Field(job);
    form.priorityReturn = job.PriorityReturn;
    form.confirmBeforeManufacture = job.ConfirmBeforeManufacture;
    return Build_Soft_Record(job, form);
}

void Write_CSV_EVA(ScriptRecord &job)
{
    textfile::writeLines(job.CsvFile, Build_CSV_EVA(job));
}

void Parse_CSV_EVA(ScriptRecord &job, const QStringList &lines, const QString &source)
{
    if (lines.size() < 66
        || lines[22].trimmed().compare(QLatin1String("INSOLE REQUIREMENTS"), Qt::CaseInsensitive) != 0)
        throw SolvaneError(ErrorNumber::IncompleteRecord,
                           QStringLiteral("%1 is not a complete script record").arg(source));

    ScriptRecord r = job;
    auto L = [&](int n) -> const QString & { return lines[n - 1]; };
    auto f2 = [&](int n) { return Record_Line_Field(L(n), 2); };
    auto f3 = [&](int n) { return Record_Line_Field(L(n), 3); };

    Read_Job_Lines(r, lines);

    r.FootSizeL = f2(17);
    r.FootSizeR = f3(17);
    r.TemplateLengthL = numField(L(18), 2);
    r.TemplateLengthR = numField(L(18), 3);
    r.ScanDateL = f2(19);
    r.ScanDateR = f3(19);
    r.ScanTimeL = f2(20);
    r.ScanTimeR = f3(20);
    r.DispenseDate = f2(21);
    r.PriorityReturn = f2(22) == QLatin1String("1");

    r.OrthoticStyleL = f2(24);
    r.OrthoticStyleR = f3(24);
    r.EvaDensityL = f2(25);
    r.EvaDensityR = f3(25);
    r.TopCoverL = f2(26);
    r.TopCoverR = f3(26);
    r.InsoleOptionsL = f2(27);
    r.InsoleOptionsR = f3(27);

    r.Notes = Read_Notes_Line(L(28));

    auto numPairInto = [&](int n, double &left, double &right) {
        left = numField(L(n), 2);
        right = numField(L(n), 3);
    };
    numPairInto(30, r.FootLengthL, r.FootLengthR);
    numPairInto(31, r.ThicknessL, r.ThicknessR);
    numPairInto(32, r.SkiveDistanceL, r.SkiveDistanceR);
    r.SkiveAngleL = f2(33);
    r.SkiveAngleR = f3(33);
    numPairInto(34, r.InversionRampL, r.InversionRampR);
    numPairInto(35, r.EversionRampL, r.EversionRampR);
    numPairInto(36, r.ArchFillL, r.ArchFillR);
    numPairInto(37, r.LateralArchFillL, r.LateralArchFillR);
    numPairInto(38, r.HeelLiftL, r.HeelLiftR);
    numPairInto(39, r.HeelCupL, r.HeelCupR);
    numPairInto(40, r.RearFootPostingL, r.RearFootPostingR);
    numPairInto(41, r.RearFootPostingLateralL, r.RearFootPostingLateralR);
    r.MetaWedgeL = f2(42);
    r.MetaWedgeR = f3(42);
    r.MetDomeL = f2(43);
    r.MetDomeR = f3(43);
    r.MetPadL = f2(44);
    r.MetPadR = f3(44);
    r.PfaL = f2(45);
    r.PfaR = f3(45);
    r.ScanPositionL = f2(46);
    r.ScanPositionR = f3(46);
    numPairInto(47, r.ArchHeightL, r.ArchHeightR);

    r.ForefootVarusL = f2(53);
    r.ForefootVarusR = f3(53);
    r.ForefootValgusL = f2(54);
    r.ForefootValgusR = f3(54);
    r.VarusLengthL = num::shortestText(numField(L(55), 2));
    r.VarusLengthR = num::shortestText(numField(L(55), 3));
    r.ExtraHeelDepthL = heelDepthField(Record_Line_Field(L(56), 2));
    r.ExtraHeelDepthR = heelDepthField(Record_Line_Field(L(56), 3));
    numPairInto(57, r.ForefootElevationL, r.ForefootElevationR);
    r.HeelWidthL = f2(58);
    r.HeelWidthR = f3(58);
    r.MidfootWidthL = f2(59);
    r.MidfootWidthR = f3(59);
    r.ForefootWidthL = f2(60);
    r.ForefootWidthR = f3(60);
    numPairInto(61, r.InsertHeightL, r.InsertHeightR);
    numPairInto(62, r.InsertLengthL, r.InsertLengthR);
    r.HeelDotLengthL = f2(63);
    r.HeelDotLengthR = f3(63);

    job = r;
}

void Read_CSV_EVA(ScriptRecord &job)
{
    const QStringList lines = textfile::readLines(job.CsvFile);
    Parse_CSV_EVA(job, lines, job.CsvFile);
    if (lines[65].trimmed().toUpper() == QLatin1String("END"))
        Set_Status(QStringLiteral("CSV File Data OK"));
    emit JobEvents::instance().footSizesRead();
}
