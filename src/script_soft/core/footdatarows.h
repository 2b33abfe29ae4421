#pragma once

#include <QList>
#include <QString>
#include <QVector>

struct ScriptRecord;

// The rows of the soft window's "Foot Data" tab: one table from which the
// tab is built, the loaders write the measurement boxes and "Save Data"
// takes them back. Everything here is GUI-free.
namespace SoftFields {

// How a row's record fields are shown in its boxes.
enum class BoxKind {
    Text, // the record keeps the text as typed
    Number, // shown "0.0", taken back as its leading number
    Upper, // shown in capitals, taken back as typed
    HeelDepth, // a number with its side letter; a value of 0 is taken as empty
};

// What a row holds. The plain measurements are alike; the others carry
// controls or rules of their own, which the window adds to the row: the foot
// size row its "Sizes" button, the extra heel depth its "S" buttons, the PFA
// row the "S"/"C" shape buttons below it, the scan position row the "E"/"I"
// sign buttons below it.
enum class RowRole {
    Measurement,
    ExtraHeelDepth,
    FootSize,
    TemplateLength,
    FootLength,
    Thickness,
    Pfa,
    MetDome,
    MetPad,
    ScanPosition,
};

enum class RowControls {
    Boxes, // line boxes
    EditableCombos, // lists that also take a typed text
    Combos, // lists that take only their entries
};

enum RowFlag : unsigned {
    Hidden = 1, // built, never shown
    ReadOnly = 2, // written by the window alone: no typing rule, no copy to the right box
    Disabled = 4,
    UnitHidden = 8,
};

// Where the loaders write a row's boxes (the steps of both loaders, in
// their order).
enum class LoadStep {
    None, // written by rules of its own
    Measurements, // first of all the foot values
    WithClientNames, // after the client name boxes
    WithScannerId, // after the operator code and scanner boxes, last
};

// Where "Save Data" takes a row's boxes back into the record.
enum class SaveStep {
    None,
    AfterThickness,
    AfterScannerId,
    Last, // a zero extra heel depth is emptied in its box before it is taken
};

struct FootDataRow
{
    const char *control; // "Text8": the boxes Text8_0 (left) and Text8_1 (right)
    const char *caption;
    const char *unit = "";
    int block = 0; // 0 the left half of the tab, 1 the right half
    RowRole role = RowRole::Measurement;
    RowControls controls = RowControls::Boxes;
    unsigned flags = 0;
    const char *noteBelow = nullptr; // a line of text on the row below
    const char *rightControl = nullptr; // the right box when it is not "<control>_1"
    BoxKind kind = BoxKind::Text;
    QString ScriptRecord::*textL = nullptr;
    QString ScriptRecord::*textR = nullptr;
    double ScriptRecord::*numL = nullptr;
    double ScriptRecord::*numR = nullptr;
    LoadStep load = LoadStep::None;
    SaveStep save = SaveStep::None;

    bool has(RowFlag flag) const { return (flags & flag) != 0; }
};

// Every row of the tab, top to bottom, the left half first.
const QVector<FootDataRow> &Foot_Data_Rows();

// The name of one side's control (0 left, 1 right): "Text8_0", "Combo1_1",
// "Text46" for the right template length.
QString Row_Control_Name(const FootDataRow &row, int side);

// The rows a loader step writes and a save step takes, in the order of
// their control numbers, which is the order the record code has always
// used (Save Data's order is also where the heel depth zero rule falls).
QList<const FootDataRow *> Rows_Loaded(LoadStep step);
QList<const FootDataRow *> Rows_Saved(SaveStep step);

// Record to box and box to record for one side (0 left, 1 right) of a row
// with record fields.
QString Box_Text(const ScriptRecord &job, const FootDataRow &row, int side);
void Take_Box_Text(ScriptRecord &job, const FootDataRow &row, int side, const QString &text);

// An extra heel depth box whose value is 0 is emptied when the record is saved.
bool Heel_Depth_Is_Zero(const QString &text);

} // namespace SoftFields
