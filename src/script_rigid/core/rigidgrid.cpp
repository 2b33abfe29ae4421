#include "rigidgrid.h"

#include "clock.h"
#include "numbers.h"
#include "pellmarmeasurements.h"
#include "scriptrecord.h"
#include "sizechart.h"

#include <cmath>
#include <initializer_list>

namespace RigidGrid {
namespace {

using R = ScriptRecord;
using TextMember = QString ScriptRecord::*;
using NumberMember = double ScriptRecord::*;
using FlagMember = bool ScriptRecord::*;

constexpr CellKind Plain = CellKind::Plain;
constexpr CellKind List = CellKind::List;
constexpr CellKind Tick = CellKind::Tick;
constexpr Look Normal = Look::Plain;
constexpr Look Marked = Look::Marked;

Row heading(const char *label)
{
    return {label, "", LineKind::Heading, Plain, Look::Heading, Reading::NotRead};
}

Row text(const char *label, const char *unit, CellKind cell, Look look, Reading reading, TextMember left,
         TextMember right)
{
    return {label, unit, LineKind::Text, cell, look, reading, {.textL = left, .textR = right}};
}

Row number(const char *label, const char *unit, CellKind cell, Look look, NumberMember left, NumberMember right)
{
    return {label, unit, LineKind::Number, cell, look, Reading::Number, {.numL = left, .numR = right}};
}

Row flag(const char *label, Look look, FlagMember left, FlagMember right)
{
    return {label, "", LineKind::Flag, Tick, look, Reading::Ticked, {.flagL = left, .flagR = right}};
}

Row side(const char *label, FlagMember left, FlagMember right)
{
    return {label, "", LineKind::Side, List, Normal, Reading::Side, {.flagL = left, .flagR = right}};
}

QString sideText(bool lateral)
{
    return lateral ? QStringLiteral("Lateral") : QStringLiteral("Medial");
}

QString flagText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::size_t checkedIndex(int row, int column)
{
    Q_ASSERT(row >= 1 && row <= RowCount && column >= 0 && column < ColumnCount);
    return std::size_t(row - 1) * ColumnCount + std::size_t(column);
}

} // namespace

const std::array<Row, RowCount> &Rows()
{
    using enum Reading;
    // Row 62 (Heel Aperture) is a number everywhere (record, document and
    // this grid), so its cells are plain number cells without a list of texts.
    static const std::array<Row, RowCount> rows = {
        heading("Clinical Anthropometric Measures"),
        text("Foot Size", "", List, Normal, NumberText, &R::FootSizeL, &R::FootSizeR),
        text("Scan Position", "deg", Plain, Normal, Text, &R::ScanPositionL, &R::ScanPositionR),
        text("Forefoot Varus", "deg", Plain, Normal, Text, &R::ForefootVarusL, &R::ForefootVarusR),
        text("Forefoot Valgus", "deg", Plain, Normal, Text, &R::ForefootValgusL, &R::ForefootValgusR),
        text("Heel to 1st MPJ Length", "mm", Plain, Normal, NumberText, &R::VarusLengthL, &R::VarusLengthR),
        text("Posterior Heel to Heel Centre", "mm", Plain, Normal, Text, &R::HeelDotLengthL, &R::HeelDotLengthR),
        text("Heel Width", "mm", Plain, Normal, NumberText, &R::HeelWidthL, &R::HeelWidthR),
        text("Forefoot Width", "mm", Plain, Normal, Text, &R::ForefootWidthL, &R::ForefootWidthR),
        text("Peak Arch Height", "mm", Plain, Normal, Text, &R::PeakArchHeightL, &R::PeakArchHeightR),
        heading("Orthotic Dimensions (Basic)"),
        number("Thickness", "mm", List, Normal, &R::ThicknessL, &R::ThicknessR),
        text("Arch Expansion", "", List, Normal, Text, &R::ArchExpansionL, &R::ArchExpansionR),
        text("Heel Expansion", "", List, Marked, Text, &R::HeelExpansionL, &R::HeelExpansionR),
        text("Shell Style", "", List, Normal, Text, &R::ShellStyleL, &R::ShellStyleR),
        text("Shell Length", "", List, Normal, Text, &R::ShellLengthL, &R::ShellLengthR),
        number("Medial Flange", "mm", Plain, Marked, &R::MedialFlangeL, &R::MedialFlangeR),
        number("Lateral Flange", "mm", Plain, Marked, &R::LateralFlangeL, &R::LateralFlangeR),
        heading("Orthotic Dimensions (Advanced)"),
        text("Medial Heel Cup", "mm", Plain, Normal, NumberText, &R::HeelCupMedialL, &R::HeelCupMedialR),
        text("Lateral Heel Cup", "mm", Plain, Normal, NumberText, &R::HeelCupLateralL, &R::HeelCupLateralR),
        text("Medial Arch Height", "mm", Plain, Marked, NumberText, &R::ArchHeightMedialL, &R::ArchHeightMedialR),
        text("Lateral Arch Height", "mm", Plain, Marked, NumberText, &R::ArchHeightLateralL, &R::ArchHeightLateralR),
        number("Specific Heel Width", "mm", Plain, Marked, &R::SpecificHeelWidthL, &R::SpecificHeelWidthR),
        heading("Intrinsic Modifications"),
        number("SkiveDist", "mm", Plain, Normal, &R::SkiveDistanceL, &R::SkiveDistanceR),
        text("Skive Angle", "deg", Plain, Normal, Text, &R::SkiveAngleL, &R::SkiveAngleR),
        text("Plantar Fascia Accommodation", "mm", Plain, Normal, Text, &R::PfaL, &R::PfaR),
        text("PFA Shape", "", Plain, Marked, NumberText, &R::PfaShapeL, &R::PfaShapeR),
        text("MetDome", "mm", List, Normal, Text, &R::MetDomeL, &R::MetDomeR),
        heading("Dells/Notches"),
        number("Cuboid", "mm", Plain, Marked, &R::CuboidNotchL, &R::CuboidNotchR),
        number("1st Ray", "mm", Plain, Marked, &R::FirstRayNotchL, &R::FirstRayNotchR),
        number("5th Ray", "mm", Plain, Marked, &R::FifthRayNotchL, &R::FifthRayNotchR),
        number("Navicular", "mm", Plain, Marked, &R::NavicularNotchL, &R::NavicularNotchR),
        number("Styloid Process", "mm", Plain, Marked, &R::StyloidNotchL, &R::StyloidNotchR),
        heading("Plantar Shell Modifiers"),
        number("Cuboid", "mm", Plain, Marked, &R::CuboidShellL, &R::CuboidShellR),
        number("1st Ray", "mm", Plain, Marked, &R::FirstRayShellL, &R::FirstRayShellR),
        number("5th Ray", "mm", Plain, Marked, &R::FifthRayShellL, &R::FifthRayShellR),
        number("Navicular", "mm", Plain, Marked, &R::NavicularShellL, &R::NavicularShellR),
        number("Styloid Process", "mm", Plain, Marked, &R::StyloidShellL, &R::StyloidShellR),
        heading("Rearfoot Posting"),
        text("Heel Post Width", "", List, Normal, Text, &R::HeelPostWidthL, &R::HeelPostWidthR),
        side("Lateral Side", &R::HeelPostLateralL, &R::HeelPostLateralR),
        number("Inversion", "deg", Plain, Normal, &R::InversionAngleL, &R::InversionAngleR),
        number("Eversion", "deg", Plain, Normal, &R::EversionAngleL, &R::EversionAngleR),
        number("Heel Lift", "mm", Plain, Normal, &R::HeelLiftL, &R::HeelLiftR),
        number("Sagital Pitch Angle", "deg", Plain, Normal, &R::SagittalAngleL, &R::SagittalAngleR),
        flag("Taper Angle", Normal, &R::TaperAngleL, &R::TaperAngleR),
        number("Rearfoot Posting Length - Standard", "mm", Plain, Normal, &R::RearPostLengthL, &R::RearPostLengthR),
        heading("Rearfoot Posting (Advanced Dims)"),
        number("Distance from Heel", "mm", Plain, Normal, &R::HeelPostDistanceL, &R::HeelPostDistanceR),
        number("Medial Length", "mm", Plain, Marked, &R::HeelPostMedialLengthL, &R::HeelPostMedialLengthR),
        number("Lateral Length", "mm", Plain, Marked, &R::HeelPostLateralLengthL, &R::HeelPostLateralLengthR),
        heading("Forefoot Posting"),
        text("Forefoot Post Width", "", List, Normal, Text, &R::ForefootPostWidthL, &R::ForefootPostWidthR),
        side("Lateral Side", &R::ForefootPostLateralL, &R::ForefootPostLateralR),
        number("Distance from Forefoot", "mm", Plain, Normal, &R::ForefootPostDistanceL, &R::ForefootPostDistanceR),
        heading("Extrinsic Modifications"),
        text("Insole Options", "", List, Normal, Text, &R::InsoleOptionsL, &R::InsoleOptionsR),
        number("Heel Aperture", "", Plain, Marked, &R::HeelApertureL, &R::HeelApertureR),
        text("Metatarsal Pad", "", List, Marked, Text, &R::MetPadL, &R::MetPadR),
        number("EVA Morton's Extension", "", Plain, Marked, &R::EvaMortonExtensionL, &R::EvaMortonExtensionR),
        number("Reverse Morton's Extension", "", Plain, Marked, &R::ReverseMortonExtensionL,
               &R::ReverseMortonExtensionR),
        number("Forefoot Valgus Wedge", "mm", Plain, Marked, &R::ForefootValgusWedgeL, &R::ForefootValgusWedgeR),
        number("Forefoot Varus Wedge", "mm", Plain, Marked, &R::ForefootVarusWedgeL, &R::ForefootVarusWedgeR),
        number("PPT Cuboid Notch", "mm", Plain, Normal, &R::PptCuboidNotchL, &R::PptCuboidNotchR),
        heading("EVA Plantar Arch Fill"),
        number("Arch Fill", "", Plain, Normal, &R::ArchFillL, &R::ArchFillR),
        flag("EVA Arch Fill", Marked, &R::EvaArchFillL, &R::EvaArchFillR),
        flag("Contoured Arch Fill", Marked, &R::ContouredArchFillL, &R::ContouredArchFillR),
        flag("Flat Arch Fill", Marked, &R::FlatArchFillL, &R::FlatArchFillR),
        number("Lateral Border Post", "", Tick, Marked, &R::LateralBorderPostL, &R::LateralBorderPostR),
        heading("Material Selection"),
        text("Shell Material", "", List, Normal, Text, &R::ShellMaterialL, &R::ShellMaterialR),
        text("Top Cover", "", List, Normal, Text, &R::TopCoverL, &R::TopCoverR),
        text("Top Cover (Base)", "", List, Normal, Text, &R::TopCoverBaseL, &R::TopCoverBaseR),
        text("Additional Forefoot Padding", "", List, Marked, Text, &R::AdditionalForefootPaddingL,
             &R::AdditionalForefootPaddingR),
        text("Additional Heel Padding", "", List, Marked, Text, &R::AdditionalHeelPaddingL, &R::AdditionalHeelPaddingR),
        heading("Notes"),
        text("Notes", "", Plain, Normal, Text, &R::Notes, nullptr),
    };
    return rows;
}

const Row &Row_At(int row)
{
    Q_ASSERT(row >= 1 && row <= RowCount);
    return Rows()[std::size_t(row - 1)];
}

Headings Grid_Headings()
{
    constexpr Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    constexpr Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    Headings h;
    // The label column's header ends in two blanks and its labels in one,
    // so right-aligned texts keep clear of the cell edge.
    h.columns = {{
        {QStringLiteral("Index"), 50, left},
        {QStringLiteral("Value (click for help)  "), 250, right},
        {QStringLiteral("Left"), 200, left},
        {QStringLiteral("Right"), 200, left},
        {QString(), 40, left},
    }};
    h.scheme = {{{190, 200, 230},
                 {110, 180, 230},
                 {207, 220, 254},
                 {230, 230, 250},
                 {230, 230, 250},
                 {240, 240, 250},
                 {150, 190, 230}}};
    return h;
}

Line Write_Grid_Line_Heading(const QString &label)
{
    return {label + u' ', QString(), QString(), QString()};
}

Line Write_Grid_Line_String(const QString &label, const QString &left, const QString &right, const QString &unit)
{
    return {label + u' ', left, right, unit};
}

Line Write_Grid_Line_Float(const QString &label, double left, double right, const QString &unit)
{
    return {label + u' ', num::format0_0(left), num::format0_0(right), unit};
}

Line Write_Grid_Line_Bool(const QString &label, bool left, bool right)
{
    return {label + u' ', flagText(left), flagText(right), QString()};
}

std::size_t Content::index(int row, int column)
{
    return checkedIndex(row, column);
}

std::size_t Texts::index(int row, int column)
{
    return checkedIndex(row, column);
}

Texts Texts::of(const Content &content)
{
    Texts texts;
    for (int row = 1; row <= RowCount; ++row)
        for (int column = 0; column < ColumnCount; ++column)
            texts.at(row, column) = content.at(row, column).text;
    return texts;
}

void Set_Heading(Content &content, int row)
{
    for (int column = LabelColumn; column <= UnitColumn; ++column)
        content.at(row, column).bold = true;
}

bool Is_Ticked_Text(const QString &text)
{
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    return num::leadingNumber(text) != 0.0;
}

QString Size_Number_Text(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QString();
    return num::shortestText(num::leadingNumber(text));
}

} // namespace RigidGrid

using namespace RigidGrid;

namespace {

Line rowLine(const ScriptRecord &job, const Row &row)
{
    const QString label = QString::fromLatin1(row.label);
    const QString unit = QString::fromLatin1(row.unit);
    switch (row.line) {
    case LineKind::Heading: return Write_Grid_Line_Heading(label);
    case LineKind::Text:
        return Write_Grid_Line_String(label, job.*row.pair.textL, row.pair.textR ? job.*row.pair.textR : QString(),
                                      unit);
    case LineKind::Number: return Write_Grid_Line_Float(label, job.*row.pair.numL, job.*row.pair.numR, unit);
    case LineKind::Flag: return Write_Grid_Line_Bool(label, job.*row.pair.flagL, job.*row.pair.flagR);
    case LineKind::Side: break;
    }
    return Write_Grid_Line_String(label, sideText(job.*row.pair.flagL), sideText(job.*row.pair.flagR), unit);
}

void readRow(ScriptRecord &job, const Row &row, const QString &left, const QString &right)
{
    switch (row.reading) {
    case Reading::NotRead: return;
    case Reading::Text:
        job.*row.pair.textL = left;
        if (row.pair.textR)
            job.*row.pair.textR = right;
        return;
    case Reading::NumberText:
        job.*row.pair.textL = num::shortestText(num::leadingNumber(left));
        job.*row.pair.textR = num::shortestText(num::leadingNumber(right));
        return;
    case Reading::Number:
        job.*row.pair.numL = num::leadingNumber(left);
        job.*row.pair.numR = num::leadingNumber(right);
        return;
    case Reading::Ticked:
        job.*row.pair.flagL = Is_Ticked_Text(left);
        job.*row.pair.flagR = Is_Ticked_Text(right);
        return;
    case Reading::Side:
        job.*row.pair.flagL = left == QLatin1String("Lateral");
        job.*row.pair.flagR = right == QLatin1String("Lateral");
        return;
    }
}

template <typename T>
struct Pair
{
    T ScriptRecord::*left;
    T ScriptRecord::*right;
};

template <typename T>
void setPairs(ScriptRecord &job, std::initializer_list<Pair<T>> pairs, const T &value)
{
    for (const Pair<T> &p : pairs) {
        job.*p.left = value;
        job.*p.right = value;
    }
}

// The presets of a fresh grid: what the laboratory expects unless the
// clinician chooses otherwise.
void applyGridPresets(ScriptRecord &job)
{
    setPairs<QString>(job, {{&R::HeelDotLengthL, &R::HeelDotLengthR}}, QStringLiteral("0"));
    setPairs<QString>(job, {{&R::ShellStyleL, &R::ShellStyleR}, {&R::ShellLengthL, &R::ShellLengthR}},
                      QStringLiteral("Standard"));
    setPairs<QString>(job, {{&R::ArchExpansionL, &R::ArchExpansionR}, {&R::HeelExpansionL, &R::HeelExpansionR}},
                      QStringLiteral("None"));
}

} // namespace

Content Load_Grid(ScriptRecord &job)
{
    Content content;
    for (int r = 1; r <= RowCount; ++r) {
        const Row &row = Row_At(r);
        const Line line = rowLine(job, row);
        content.at(r, IndexColumn).text = QString::number(r);
        for (int k = 0; k < 4; ++k)
            content.at(r, LabelColumn + k).text = line[std::size_t(k)];

        if (row.look == Look::Heading) {
            for (int column = LabelColumn; column <= UnitColumn; ++column)
                content.at(r, column).background = kHeadingColour;
            Set_Heading(content, r);
        } else if (row.look == Look::Marked) {
            content.at(r, LeftColumn).background = kMarkedColour;
            content.at(r, RightColumn).background = kMarkedColour;
        }
        content.at(r, LeftColumn).kind = row.cell;
        content.at(r, RightColumn).kind = row.cell;
    }
    // Rows 54 and 55 keep showing the lengths; the job's own copies start
    // again from 0 until the grid is saved.
    job.HeelPostMedialLengthL = job.HeelPostMedialLengthR = 0;
    job.HeelPostLateralLengthL = job.HeelPostLateralLengthR = 0;
    return content;
}

void Set_Default(ScriptRecord &job)
{
    job.TemplateLengthL = Get_Template_Length(job, num::leadingNumber(job.FootSizeL));
    job.TemplateLengthR = Get_Template_Length(job, num::leadingNumber(job.FootSizeR));
    job.ThicknessL = job.ThicknessR = 2.0;
    job.FootLengthL = Foot_Length_For(job.TemplateLengthL);
    job.FootLengthR = Foot_Length_For(job.TemplateLengthR);

    const QDateTime now = Clock::now();
    job.ScanDateL = job.ScanDateR = Clock::shortDate(now.date());
    job.ScanTimeL = job.ScanTimeR = Clock::longTime(now.time());

    setPairs<QString>(job,
                      {{&R::ArchExpansionL, &R::ArchExpansionR},
                       {&R::HeelExpansionL, &R::HeelExpansionR},
                       {&R::TopCoverL, &R::TopCoverR},
                       {&R::TopCoverBaseL, &R::TopCoverBaseR},
                       {&R::InsoleOptionsL, &R::InsoleOptionsR},
                       {&R::AdditionalForefootPaddingL, &R::AdditionalForefootPaddingR},
                       {&R::AdditionalHeelPaddingL, &R::AdditionalHeelPaddingR},
                       {&R::HeelPostWidthL, &R::HeelPostWidthR},
                       {&R::ForefootPostWidthL, &R::ForefootPostWidthR},
                       {&R::MetDomeL, &R::MetDomeR},
                       {&R::MetPadL, &R::MetPadR}},
                      QStringLiteral("None"));
    job.Notes = QStringLiteral("None");
    setPairs<QString>(job, {{&R::ShellStyleL, &R::ShellStyleR}, {&R::ShellMaterialL, &R::ShellMaterialR}},
                      QStringLiteral("Standard"));
    setPairs<QString>(job, {{&R::ScanPositionL, &R::ScanPositionR}}, QStringLiteral("0.0"));
    setPairs<QString>(job,
                      {{&R::PeakArchHeightL, &R::PeakArchHeightR},
                       {&R::ArchHeightMedialL, &R::ArchHeightMedialR},
                       {&R::ArchHeightLateralL, &R::ArchHeightLateralR},
                       {&R::HeelCupMedialL, &R::HeelCupMedialR},
                       {&R::HeelCupLateralL, &R::HeelCupLateralR},
                       {&R::PfaL, &R::PfaR},
                       {&R::PfaShapeL, &R::PfaShapeR}},
                      QStringLiteral("0"));

    const PellmarMeasurements pellmar = Pellmar_Measurements();
    job.ForefootVarusL = pellmar.ForefootVarus[0];
    job.ForefootVarusR = pellmar.ForefootVarus[1];
    job.ForefootValgusL = pellmar.ForefootValgus[0];
    job.ForefootValgusR = pellmar.ForefootValgus[1];
    job.VarusLengthL = pellmar.VarusLength[0];
    job.VarusLengthR = pellmar.VarusLength[1];
    job.HeelDotLengthL = pellmar.HeelDotLength[0];
    job.HeelDotLengthR = pellmar.HeelDotLength[1];

    setPairs<double>(job,
                     {{&R::ArchFillL, &R::ArchFillR},
                      {&R::MedialFlangeL, &R::MedialFlangeR},
                      {&R::LateralFlangeL, &R::LateralFlangeR},
                      {&R::SpecificHeelWidthL, &R::SpecificHeelWidthR},
                      {&R::MedialHeelHeightL, &R::MedialHeelHeightR},
                      {&R::LateralHeelHeightL, &R::LateralHeelHeightR},
                      {&R::CuboidNotchL, &R::CuboidNotchR},
                      {&R::FirstRayNotchL, &R::FirstRayNotchR},
                      {&R::FifthRayNotchL, &R::FifthRayNotchR},
                      {&R::NavicularNotchL, &R::NavicularNotchR},
                      {&R::StyloidNotchL, &R::StyloidNotchR},
                      {&R::CuboidShellL, &R::CuboidShellR},
                      {&R::FirstRayShellL, &R::FirstRayShellR},
                      {&R::FifthRayShellL, &R::FifthRayShellR},
                      {&R::NavicularShellL, &R::NavicularShellR},
                      {&R::StyloidShellL, &R::StyloidShellR},
                      {&R::FootPostMedialLengthL, &R::FootPostMedialLengthR},
                      {&R::FootPostLateralLengthL, &R::FootPostLateralLengthR},
                      {&R::HeelApertureL, &R::HeelApertureR},
                      {&R::EvaMortonExtensionL, &R::EvaMortonExtensionR},
                      {&R::ReverseMortonExtensionL, &R::ReverseMortonExtensionR},
                      {&R::ForefootValgusWedgeL, &R::ForefootValgusWedgeR},
                      {&R::ForefootVarusWedgeL, &R::ForefootVarusWedgeR},
                      {&R::LateralBorderPostL, &R::LateralBorderPostR},
                      {&R::PptCuboidNotchL, &R::PptCuboidNotchR},
                      {&R::RearPostLengthL, &R::RearPostLengthR}},
                     0.0);
    setPairs<bool>(job,
                   {{&R::EvaArchFillL, &R::EvaArchFillR},
                    {&R::ContouredArchFillL, &R::ContouredArchFillR},
                    {&R::FlatArchFillL, &R::FlatArchFillR}},
                   false);
    setPairs<bool>(job, {{&R::TaperAngleL, &R::TaperAngleR}}, true);

    applyGridPresets(job);
}

void Save_Grid(ScriptRecord &job, const Texts &texts)
{
    for (int r = 2; r <= RowCount; ++r)
        readRow(job, Row_At(r), texts.at(r, LeftColumn), texts.at(r, RightColumn));
    job.HeelPostRotationL = Heel_Post_Rotation(job.HeelPostMedialLengthL, job.HeelPostLateralLengthL, job.HeelWidthL,
                                               job.HeelPostRotationL);
    job.HeelPostRotationR = Heel_Post_Rotation(job.HeelPostMedialLengthR, job.HeelPostLateralLengthR, job.HeelWidthR,
                                               job.HeelPostRotationR);
}

double Heel_Post_Rotation(double medialLength, double lateralLength, const QString &heelWidth, double current)
{
    const double width = num::leadingNumber(heelWidth);
    if (width == 0.0)
        return current;
    // This factor, not 180/pi, is what every earlier rotation was computed
    // with; a reopened job must give the same rotation again.
    return std::atan((medialLength - lateralLength) / width) * 57.29577951;
}
