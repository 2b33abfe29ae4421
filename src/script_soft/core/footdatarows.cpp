#include "footdatarows.h"

#include "numbers.h"
#include "scriptrecord.h"
#include "textfile.h"

#include <algorithm>

namespace SoftFields {

const QVector<FootDataRow> &Foot_Data_Rows()
{
    using R = ScriptRecord;
    using enum BoxKind;
    using enum LoadStep;
    constexpr SaveStep AfterThickness = SaveStep::AfterThickness;
    constexpr SaveStep AfterScannerId = SaveStep::AfterScannerId;
    constexpr SaveStep Last = SaveStep::Last;
    static const QVector<FootDataRow> rows = {
        // The left half.
        {.control = "Combo1",
         .caption = "Foot Size",
         .role = RowRole::FootSize,
         .controls = RowControls::EditableCombos},
        {.control = "Text30",
         .caption = "Template Length",
         .unit = "mm",
         .role = RowRole::TemplateLength,
         .flags = ReadOnly,
         .rightControl = "Text46"},
        {.control = "Text7", .caption = "Foot Length", .unit = "mm", .role = RowRole::FootLength, .flags = ReadOnly},
        {.control = "Combo6",
         .caption = "Insole Thickness",
         .unit = "mm",
         .role = RowRole::Thickness,
         .controls = RowControls::EditableCombos},
        {.control = "Text8",
         .caption = "Forefoot Varus",
         .unit = "deg",
         .textL = &R::ForefootVarusL,
         .textR = &R::ForefootVarusR,
         .load = Measurements,
         .save = AfterScannerId},
        {.control = "Text9",
         .caption = "Forefoot Valgus",
         .unit = "deg",
         .textL = &R::ForefootValgusL,
         .textR = &R::ForefootValgusR,
         .load = Measurements,
         .save = AfterScannerId},
        {.control = "Text10",
         .caption = "Heel to Varus Length",
         .unit = "mm",
         .textL = &R::VarusLengthL,
         .textR = &R::VarusLengthR,
         .load = Measurements,
         .save = AfterScannerId},
        {.control = "Text47",
         .caption = "Heel to Dot Length",
         .unit = "mm",
         .textL = &R::HeelDotLengthL,
         .textR = &R::HeelDotLengthR,
         .load = WithScannerId,
         .save = AfterScannerId},
        {.control = "Text13",
         .caption = "Top Surf Heel Width",
         .unit = "mm",
         .textL = &R::HeelWidthL,
         .textR = &R::HeelWidthR,
         .load = Measurements,
         .save = Last},
        {.control = "Text14",
         .caption = "Top Surf MidFoot Width",
         .unit = "L/M mm",
         .kind = Upper,
         .textL = &R::MidfootWidthL,
         .textR = &R::MidfootWidthR,
         .load = Measurements,
         .save = Last},
        {.control = "Text39",
         .caption = "Top Surf Forefoot Width",
         .unit = "mm",
         .textL = &R::ForefootWidthL,
         .textR = &R::ForefootWidthR,
         .load = WithClientNames,
         .save = Last},
        {.control = "Text40",
         .caption = "Midfoot Insert Height",
         .unit = "mm",
         .flags = Hidden,
         .kind = Number,
         .numL = &R::InsertHeightL,
         .numR = &R::InsertHeightR,
         .load = WithClientNames,
         .save = Last},
        {.control = "Text45",
         .caption = "Midfoot Insert Length",
         .unit = "mm",
         .flags = Hidden,
         .kind = Number,
         .numL = &R::InsertLengthL,
         .numR = &R::InsertLengthR,
         .load = WithScannerId,
         .save = Last},
        {.control = "Text22",
         .caption = "Arch Height",
         .unit = "mm",
         .kind = Number,
         .numL = &R::ArchHeightL,
         .numR = &R::ArchHeightR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Text11",
         .caption = "Extra Heel Depth",
         .unit = "mm",
         .role = RowRole::ExtraHeelDepth,
         .flags = UnitHidden,
         .kind = HeelDepth,
         .textL = &R::ExtraHeelDepthL,
         .textR = &R::ExtraHeelDepthR,
         .load = Measurements,
         .save = Last},
        {.control = "Text12",
         .caption = "Forefoot Elevation",
         .unit = "mm",
         .flags = Hidden | Disabled,
         .kind = Number,
         .numL = &R::ForefootElevationL,
         .numR = &R::ForefootElevationR,
         .load = Measurements,
         .save = Last},

        // The right half.
        {.control = "Text18",
         .caption = "Inversion Ramp",
         .unit = "deg",
         .block = 1,
         .kind = Number,
         .numL = &R::InversionRampL,
         .numR = &R::InversionRampR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Text19",
         .caption = "Eversion Ramp",
         .unit = "deg",
         .block = 1,
         .kind = Number,
         .numL = &R::EversionRampL,
         .numR = &R::EversionRampR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Text20",
         .caption = "Arch Fill",
         .unit = "%",
         .block = 1,
         .kind = Number,
         .numL = &R::ArchFillL,
         .numR = &R::ArchFillR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Text21",
         .caption = "Lateral Arch Fill",
         .unit = "%",
         .block = 1,
         .kind = Number,
         .numL = &R::LateralArchFillL,
         .numR = &R::LateralArchFillR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Text23",
         .caption = "Heel Lift",
         .unit = "mm",
         .block = 1,
         .kind = Number,
         .numL = &R::HeelLiftL,
         .numR = &R::HeelLiftR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Text24",
         .caption = "Heel Cup",
         .unit = "%",
         .block = 1,
         .kind = Number,
         .numL = &R::HeelCupL,
         .numR = &R::HeelCupR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Text25",
         .caption = "Rear Foot Posting",
         .unit = "deg",
         .block = 1,
         .kind = Number,
         .numL = &R::RearFootPostingL,
         .numR = &R::RearFootPostingR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Text26",
         .caption = "Rear Foot Posting Lat",
         .unit = "deg",
         .block = 1,
         .kind = Number,
         .numL = &R::RearFootPostingLateralL,
         .numR = &R::RearFootPostingLateralR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Combo7",
         .caption = "PFA",
         .unit = "mm",
         .block = 1,
         .role = RowRole::Pfa,
         .controls = RowControls::EditableCombos},
        {.control = "Text28",
         .caption = "Metatarsal Wedge",
         .unit = "deg",
         .block = 1,
         .noteBelow = "Lateral Assumed Unless a Negative Degree",
         .textL = &R::MetaWedgeL,
         .textR = &R::MetaWedgeR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Combo4",
         .caption = "Metdome",
         .block = 1,
         .role = RowRole::MetDome,
         .controls = RowControls::Combos},
        {.control = "Combo5",
         .caption = "Metpad",
         .block = 1,
         .role = RowRole::MetPad,
         .controls = RowControls::Combos},
        {.control = "Text16",
         .caption = "Skive Depth",
         .unit = "mm",
         .block = 1,
         .kind = Number,
         .numL = &R::SkiveDistanceL,
         .numR = &R::SkiveDistanceR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Text17",
         .caption = "Skive Angle",
         .unit = "deg",
         .block = 1,
         .textL = &R::SkiveAngleL,
         .textR = &R::SkiveAngleR,
         .load = Measurements,
         .save = AfterThickness},
        {.control = "Text4", .caption = "Scan Position", .unit = "deg", .block = 1, .role = RowRole::ScanPosition},
    };
    return rows;
}

QString Row_Control_Name(const FootDataRow &row, int side)
{
    const QString control = QString::fromLatin1(row.control);
    if (row.rightControl)
        return side == 0 ? control : QString::fromLatin1(row.rightControl);
    return control + u'_' + QString::number(side);
}

namespace {

int controlNumber(const FootDataRow &row)
{
    return QString::fromLatin1(row.control).remove(QStringLiteral("Text")).toInt();
}

template <typename Wanted>
QList<const FootDataRow *> rowsWhere(Wanted wanted)
{
    QList<const FootDataRow *> found;
    for (const FootDataRow &row : Foot_Data_Rows())
        if (wanted(row))
            found << &row;
    std::stable_sort(found.begin(), found.end(),
                     [](const FootDataRow *a, const FootDataRow *b) { return controlNumber(*a) < controlNumber(*b); });
    return found;
}

} // namespace

QList<const FootDataRow *> Rows_Loaded(LoadStep step)
{
    return rowsWhere([step](const FootDataRow &row) { return row.load == step; });
}

QList<const FootDataRow *> Rows_Saved(SaveStep step)
{
    return rowsWhere([step](const FootDataRow &row) { return row.save == step; });
}

QString Box_Text(const ScriptRecord &job, const FootDataRow &row, int side)
{
    if (row.kind == BoxKind::Number)
        return num::format0_0(job.*(side == 0 ? row.numL : row.numR));
    const QString &value = job.*(side == 0 ? row.textL : row.textR);
    return row.kind == BoxKind::Upper ? textfile::upper1252(value) : value;
}

void Take_Box_Text(ScriptRecord &job, const FootDataRow &row, int side, const QString &text)
{
    // Measurements typed with a decimal comma must not split the record's fields.
    const QString typed = num::numberBoxText(text);
    if (row.kind == BoxKind::Number) {
        job.*(side == 0 ? row.numL : row.numR) = num::leadingNumber(typed);
        return;
    }
    QString &field = job.*(side == 0 ? row.textL : row.textR);
    field = row.kind == BoxKind::HeelDepth && Heel_Depth_Is_Zero(typed) ? QString() : typed;
}

bool Heel_Depth_Is_Zero(const QString &text)
{
    return num::leadingNumber(num::numberBoxText(text)) == 0.0;
}

} // namespace SoftFields
