#include "rigidrecord.h"

#include "clock.h"
#include "csveva.h"
#include "errors.h"
#include "numbers.h"
#include "prompter.h"
#include "rigidgrid.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "sizechart.h"
#include "textfile.h"

#include <array>

namespace {

using R = ScriptRecord;

// How a pair line writes its values.
enum class Write {
    Text, // as typed, with no raw ","
    Joined, // top covers: as the writer joined their lines with ","
    OneDecimal, // "0.0"; a text that is not a number stays as it is
    NumberText, // the shortest number text
    YesNo, // "True" or "False"
};

// How the reader takes them back.
enum class Read {
    Text,
    Size, // the foot sizes' number text (a blank size stays blank)
    NumberText, // the shortest text of the leading number
    Number, // the leading number
    YesNo,
};

// A line of label, left value, right value and, where it has one, a unit.
struct PairLine
{
    int line;
    const char *label;
    const char *unit;
    Write write;
    Read read;
    RigidGrid::PairMembers pair = {};
};

PairLine texts(int line, const char *label, const char *unit, Write write, Read read, QString R::*left,
               QString R::*right)
{
    return {line, label, unit, write, read, {.textL = left, .textR = right}};
}

PairLine text(int line, const char *label, QString R::*left, QString R::*right, const char *unit = "")
{
    return texts(line, label, unit, Write::Text, Read::Text, left, right);
}

PairLine numbers(int line, const char *label, const char *unit, Write write, double R::*left, double R::*right)
{
    return {line, label, unit, write, Read::Number, {.numL = left, .numR = right}};
}

PairLine numberText(int line, const char *label, double R::*left, double R::*right)
{
    return numbers(line, label, "", Write::NumberText, left, right);
}

PairLine yesNo(int line, const char *label, bool R::*left, bool R::*right)
{
    return {line, label, "", Write::YesNo, Read::YesNo, {.flagL = left, .flagR = right}};
}

// Every line that holds a left/right pair, by its line number.
const auto &pairLines()
{
    static const auto lines = std::to_array<PairLine>({
        texts(17, "Foot Size", "", Write::Text, Read::Size, &R::FootSizeL, &R::FootSizeR),
        numbers(18, "Template Length", "", Write::OneDecimal, &R::TemplateLengthL, &R::TemplateLengthR),
        text(19, "Scan Position", &R::ScanPositionL, &R::ScanPositionR, "deg"),
        text(20, "Scan Date", &R::ScanDateL, &R::ScanDateR),
        text(21, "Scan Time", &R::ScanTimeL, &R::ScanTimeR),
        text(25, "Shell Style", &R::ShellStyleL, &R::ShellStyleR),
        text(26, "Shell Material", &R::ShellMaterialL, &R::ShellMaterialR),
        texts(27, "Top Cover", "", Write::Joined, Read::Text, &R::TopCoverL, &R::TopCoverR),
        texts(28, "Top Cover (Base)", "", Write::Joined, Read::Text, &R::TopCoverBaseL, &R::TopCoverBaseR),
        text(29, "Insole Options", &R::InsoleOptionsL, &R::InsoleOptionsR),
        text(30, "Additional Forefoot Padding", &R::AdditionalForefootPaddingL, &R::AdditionalForefootPaddingR),
        text(31, "Additional Heel Padding", &R::AdditionalHeelPaddingL, &R::AdditionalHeelPaddingR),
        numbers(34, "Foot Length", "mm", Write::OneDecimal, &R::FootLengthL, &R::FootLengthR),
        numbers(35, "Thickness", "mm", Write::OneDecimal, &R::ThicknessL, &R::ThicknessR),
        numbers(36, "Skive Distance", "mm", Write::OneDecimal, &R::SkiveDistanceL, &R::SkiveDistanceR),
        text(37, "Skive Angle", &R::SkiveAngleL, &R::SkiveAngleR, "deg"),
        numbers(38, "Arch Fill", "%", Write::OneDecimal, &R::ArchFillL, &R::ArchFillR),
        numbers(39, "Heel Lift", "mm", Write::OneDecimal, &R::HeelLiftL, &R::HeelLiftR),
        text(40, "Arch Expansion", &R::ArchExpansionL, &R::ArchExpansionR),
        text(41, "Heel Expansion", &R::HeelExpansionL, &R::HeelExpansionR),
        numberText(42, "Medial Flange", &R::MedialFlangeL, &R::MedialFlangeR),
        numberText(43, "Lateral Flange", &R::LateralFlangeL, &R::LateralFlangeR),
        numberText(44, "Specific Heel Width", &R::SpecificHeelWidthL, &R::SpecificHeelWidthR),
        numberText(45, "Medial Heel Height", &R::MedialHeelHeightL, &R::MedialHeelHeightR),
        numberText(46, "Lateral Heel Height", &R::LateralHeelHeightL, &R::LateralHeelHeightR),
        numberText(47, "Cuboid (Notch)", &R::CuboidNotchL, &R::CuboidNotchR),
        numberText(48, "1st Ray (Notch)", &R::FirstRayNotchL, &R::FirstRayNotchR),
        numberText(49, "5th Ray (Notch)", &R::FifthRayNotchL, &R::FifthRayNotchR),
        numberText(50, "Navicular (Notch)", &R::NavicularNotchL, &R::NavicularNotchR),
        numberText(51, "Styloid Process (Notch)", &R::StyloidNotchL, &R::StyloidNotchR),
        numberText(52, "Cuboid (Shell)", &R::CuboidShellL, &R::CuboidShellR),
        numberText(53, "1st Ray (Shell)", &R::FirstRayShellL, &R::FirstRayShellR),
        numberText(54, "5th Ray (Shell)", &R::FifthRayShellL, &R::FifthRayShellR),
        numberText(55, "Navicular (Shell)", &R::NavicularShellL, &R::NavicularShellR),
        numberText(56, "Styloid Process (Shell)", &R::StyloidShellL, &R::StyloidShellR),
        numberText(57, "Heel Aperture", &R::HeelApertureL, &R::HeelApertureR),
        numberText(58, "EVA Morton Extension", &R::EvaMortonExtensionL, &R::EvaMortonExtensionR),
        numberText(59, "Reverse Morton Extension", &R::ReverseMortonExtensionL, &R::ReverseMortonExtensionR),
        numberText(60, "Forefoot Valgus Wedge", &R::ForefootValgusWedgeL, &R::ForefootValgusWedgeR),
        numberText(61, "Forefoot Varus Wedge", &R::ForefootVarusWedgeL, &R::ForefootVarusWedgeR),
        yesNo(62, "EVA Arch Fill", &R::EvaArchFillL, &R::EvaArchFillR),
        yesNo(63, "Contoured Arch Fill", &R::ContouredArchFillL, &R::ContouredArchFillR),
        yesNo(64, "Flat Arch Fill", &R::FlatArchFillL, &R::FlatArchFillR),
        numberText(65, "Lateral Border Post", &R::LateralBorderPostL, &R::LateralBorderPostR),
        numberText(66, "PPT Cuboid Notch", &R::PptCuboidNotchL, &R::PptCuboidNotchR),
        text(67, "MetDome", &R::MetDomeL, &R::MetDomeR),
        text(68, "Metatarsal Pad", &R::MetPadL, &R::MetPadR),
        texts(74, "Forefoot Varus", "deg", Write::OneDecimal, Read::Text, &R::ForefootVarusL, &R::ForefootVarusR),
        texts(75, "Forefoot Valgus", "deg", Write::OneDecimal, Read::Text, &R::ForefootValgusL, &R::ForefootValgusR),
        texts(76, "Varus Length", "mm", Write::OneDecimal, Read::NumberText, &R::VarusLengthL, &R::VarusLengthR),
        texts(77, "Heel-Dot Length", "mm", Write::OneDecimal, Read::Text, &R::HeelDotLengthL, &R::HeelDotLengthR),
        text(78, "Shell Length", &R::ShellLengthL, &R::ShellLengthR, "mm"),
        text(79, "Heel Width", &R::HeelWidthL, &R::HeelWidthR),
        text(80, "Forefoot Width", &R::ForefootWidthL, &R::ForefootWidthR),
        text(81, "Peak Arch Height", &R::PeakArchHeightL, &R::PeakArchHeightR),
        texts(82, "Heel Cup Medial", "", Write::Text, Read::NumberText, &R::HeelCupMedialL, &R::HeelCupMedialR),
        texts(83, "Heel Cup Lateral", "", Write::Text, Read::NumberText, &R::HeelCupLateralL, &R::HeelCupLateralR),
        texts(84, "Arch Height Medial", "", Write::Text, Read::NumberText, &R::ArchHeightMedialL,
              &R::ArchHeightMedialR),
        texts(85, "Arch Height Lateral", "", Write::Text, Read::NumberText, &R::ArchHeightLateralL,
              &R::ArchHeightLateralR),
        text(87, "Deep Heel", &R::HeelPostWidthL, &R::HeelPostWidthR),
        yesNo(88, "Lateral FlagH", &R::HeelPostLateralL, &R::HeelPostLateralR),
        numberText(89, "Deep Heel Dist", &R::HeelPostDistanceL, &R::HeelPostDistanceR),
        numberText(90, "Deep Heel Rot", &R::HeelPostRotationL, &R::HeelPostRotationR),
        numberText(91, "Medial Length", &R::FootPostMedialLengthL, &R::FootPostMedialLengthR),
        numberText(92, "Lateral Length", &R::FootPostLateralLengthL, &R::FootPostLateralLengthR),
        numberText(93, "Inversion Angle", &R::InversionAngleL, &R::InversionAngleR),
        numberText(94, "Eversion Angle", &R::EversionAngleL, &R::EversionAngleR),
        numberText(95, "Sagital Angle", &R::SagittalAngleL, &R::SagittalAngleR),
        text(96, "Deep Toe", &R::ForefootPostWidthL, &R::ForefootPostWidthR),
        yesNo(97, "Lateral FlagF", &R::ForefootPostLateralL, &R::ForefootPostLateralR),
        numberText(98, "Deep Toe Dist", &R::ForefootPostDistanceL, &R::ForefootPostDistanceR),
        numberText(99, "Rear Post Length", &R::RearPostLengthL, &R::RearPostLengthR),
        yesNo(100, "Draft Angle", &R::TaperAngleL, &R::TaperAngleR),
        text(106, "PFA", &R::PfaL, &R::PfaR, "mm"),
        text(107, "PFA Shape", &R::PfaShapeL, &R::PfaShapeR),
    });
    return lines;
}

// The lines that hold no value of the job, as they are always written.
struct FixedLine
{
    int line;
    const char *text;
};

constexpr auto kFixedLines = std::to_array<FixedLine>({
    {1, "BRENNICK ORTHOTICS PRESCRIPTION (RIGID)"},
    {16, "Foot,Left,Right"},
    {24, "<INSOLE REQUIREMENTS>"},
    {33, "<INSOLE ADJUSTMENTS>"},
    {69, "Spare1,0,0,mm"},
    {70, "Spare2,0,0,mm"},
    {71, "Spare3,0,0,mm"},
    {72, "Spare4,0,0,mm"},
    {73, "<FOOT DIMENSIONS>"},
    {86, "<FOOT POST>"},
    {101, "Spare5,0,0,mm"},
    {102, "Spare6,0,0,mm"},
    {103, "Spare7,0,0,mm"},
    {104, "Spare8,0,0,mm"},
    {105, "<PFA>"},
});

QString yesNoText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString tick(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString writtenText(const QString &value, Write write)
{
    switch (write) {
    case Write::Joined: return value;
    case Write::OneDecimal: return num::format0_0Text(Record_Field(value));
    default: return Record_Field(value);
    }
}

QString writtenNumber(double value, Write write)
{
    return write == Write::OneDecimal ? num::format0_0(value) : num::shortestText(value);
}

QString pairLineText(const ScriptRecord &job, const PairLine &p)
{
    QString left, right;
    if (p.pair.textL) {
        left = writtenText(job.*p.pair.textL, p.write);
        right = writtenText(job.*p.pair.textR, p.write);
    } else if (p.pair.numL) {
        left = writtenNumber(job.*p.pair.numL, p.write);
        right = writtenNumber(job.*p.pair.numR, p.write);
    } else {
        left = yesNoText(job.*p.pair.flagL);
        right = yesNoText(job.*p.pair.flagR);
    }
    QString out = QString::fromLatin1(p.label) + u',' + left + u',' + right;
    if (*p.unit)
        out += u',' + QString::fromLatin1(p.unit);
    return out;
}

QString readText(const QString &field, Read read)
{
    switch (read) {
    case Read::Size: return RigidGrid::Size_Number_Text(field);
    case Read::NumberText: return num::shortestText(num::leadingNumber(field));
    default: return field;
    }
}

void readPairLine(ScriptRecord &job, const PairLine &p, const QString &line)
{
    const QString left = Record_Line_Field(line, 2);
    const QString right = Record_Line_Field(line, 3);
    if (p.pair.textL) {
        job.*p.pair.textL = readText(left, p.read);
        job.*p.pair.textR = readText(right, p.read);
    } else if (p.pair.numL) {
        job.*p.pair.numL = num::leadingNumber(left);
        job.*p.pair.numR = num::leadingNumber(right);
    } else {
        job.*p.pair.flagL = RigidGrid::Is_Ticked_Text(left);
        job.*p.pair.flagR = RigidGrid::Is_Ticked_Text(right);
    }
}

// The intake's prepared record for a rigid job keeps the soft layout under
// the rigid title.
bool isSoftLayout(const QStringList &lines)
{
    return lines.size() >= 66
           && lines[22].trimmed().compare(QLatin1String("INSOLE REQUIREMENTS"), Qt::CaseInsensitive) == 0;
}

[[noreturn]] void throwIncomplete(const QString &source)
{
    throw SolvaneError(ErrorNumber::IncompleteRecord, QStringLiteral("%1 is not a complete script record").arg(source));
}

} // namespace

QStringList Build_CSV_Rigid(ScriptRecord &job)
{
    const QDateTime now = Clock::now();
    Correct_Model_And_Graphic(job, job.LeftLcfFile, job.LeftGraphicFile);
    Correct_Model_And_Graphic(job, job.RightLcfFile, job.RightGraphicFile);

    // The top covers' lines are joined with "," by the format itself; the
    // options and notes with ";".
    job.TopCoverL = Record_Field(job.TopCoverL, QStringLiteral(","));
    job.TopCoverR = Record_Field(job.TopCoverR, QStringLiteral(","));
    job.TopCoverBaseL = Record_Field(job.TopCoverBaseL, QStringLiteral(","));
    job.TopCoverBaseR = Record_Field(job.TopCoverBaseR, QStringLiteral(","));
    job.InsoleOptionsL = Record_Field(job.InsoleOptionsL);
    job.InsoleOptionsR = Record_Field(job.InsoleOptionsR);
    job.Notes = Record_Field(job.Notes);

    QStringList lines(kRigidRecordLines);
    auto set = [&](int line, const QString &text) { lines[line - 1] = text; };
    for (const FixedLine &fixed : kFixedLines)
        set(fixed.line, QString::fromLatin1(fixed.text));
    set(2, QStringLiteral("Job Number,") + Record_Field(job.JobNumber));
    set(3, QStringLiteral("Clinic Job Number,") + Record_Field(job.ClinicJobNumber));
    set(4, QStringLiteral("PDF File Name,") + Record_Path_Field(job.PdfFile));
    // Each foot by its own scan: an STL scan is named, else the model.
    set(5,
        QStringLiteral("Left Scan File Name,") + Record_Path_Field(Scan_Line_Path(job.LeftScanFile, job.LeftLcfFile)));
    set(6, QStringLiteral("Right Scan File Name,")
               + Record_Path_Field(Scan_Line_Path(job.RightScanFile, job.RightLcfFile)));
    set(7, QStringLiteral("Left Graphic File Name,") + Record_Path_Field(job.LeftGraphicFile));
    set(8, QStringLiteral("Right Graphic File Name,") + Record_Path_Field(job.RightGraphicFile));
    set(9, QStringLiteral("Client First Name,") + Record_Field(job.ClientFirstName));
    set(10, QStringLiteral("Client Surname,") + Record_Field(job.ClientSurname));
    set(11, QStringLiteral("Gender,") + Record_Field(job.Gender));
    set(12, QStringLiteral("Podiatrist Name,") + Podiatrist_Field(job));
    set(13, QStringLiteral("Clinic Name,") + Record_Field(job.ClinicName));
    set(14, QStringLiteral("Date,") + Clock::recordDate(now.date()));
    set(15, QStringLiteral("Time,") + Clock::longTime(now.time()));
    set(22, QStringLiteral("Dispense Date,") + Record_Field(job.DispenseDate));
    set(23, QStringLiteral("Priority Return,") + tick(job.PriorityReturn) + u',' + tick(job.ConfirmBeforeManufacture));
    set(32, QStringLiteral("Notes,") + job.Notes + u',');
    set(kRigidRecordLines, QStringLiteral("END"));
    for (const PairLine &p : pairLines())
        set(p.line, pairLineText(job, p));
    return lines;
}

void Write_CSV_Rigid(ScriptRecord &job)
{
    textfile::writeLines(job.CsvFile, Build_CSV_Rigid(job));
}

bool Is_Rigid_Title(const QString &line)
{
    return line.indexOf(QLatin1String("RIGID"), 0, Qt::CaseInsensitive) >= 1;
}

bool Parse_Csv_Rigid(ScriptRecord &job, const QStringList &lines, const QString &source)
{
    const bool softLayout = isSoftLayout(lines);
    const int recordLines = softLayout ? 66 : kRigidRecordLines;
    if (lines.size() < recordLines)
        throwIncomplete(source);

    ScriptRecord r = job;
    auto L = [&](int n) -> const QString & { return lines[n - 1]; };
    auto f2 = [&](int n) { return Record_Line_Field(L(n), 2); };

    Read_Job_Lines(r, lines);

    for (const PairLine &p : pairLines()) {
        // The soft layout agrees with this one up to line 18 only.
        if (!softLayout || p.line <= 18)
            readPairLine(r, p, L(p.line));
    }
    if (softLayout) {
        r.DispenseDate = f2(21);
    } else {
        r.DispenseDate = f2(22);
        r.PriorityReturn = f2(23) == QLatin1String("1");
        r.ConfirmBeforeManufacture = Record_Line_Field(L(23), 3) == QLatin1String("1");
        r.Notes = Read_Notes_Line(L(32));
    }

    if (r.CurrentFoot == QLatin1String("Left"))
        r.TemplateLengthL = Get_Template_Length(r, num::leadingNumber(r.FootSizeL));
    else if (r.CurrentFoot == QLatin1String("Right"))
        r.TemplateLengthR = Get_Template_Length(r, num::leadingNumber(r.FootSizeR));

    job = r;
    return L(recordLines).trimmed().compare(QLatin1String("END"), Qt::CaseInsensitive) == 0;
}

bool Read_Csv_Rigid(ScriptRecord &job, const QString &path)
{
    const QStringList lines = textfile::readLines(path);
    if (lines.isEmpty())
        throwIncomplete(path);
    if (!Is_Rigid_Title(lines[0])) {
        UI().message(QStringLiteral("This is Not a Rigid Script"), QStringLiteral("Warning"), Prompter::Icon::Warning,
                     Prompter::Buttons::Ok);
        return false;
    }
    if (Parse_Csv_Rigid(job, lines, path))
        Set_Status(QStringLiteral("CSV (Rigid) File Data OK"));
    return true;
}
