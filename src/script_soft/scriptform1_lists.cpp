// The soft window's lists: filling them (styles, densities, top covers,
// insole options, sizes, names and users), their choices and the saved
// choices of a record selected again.
#include "scriptform1.h"

#include "optionchoice.h"
#include "scriptform1_ui.h"
#include "softfields.h"
#include "softtables.h"

#include "numbers.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "sizechart.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

using namespace SoftFields;
using SoftForm::Pair;

namespace {

int selectedRow(const QListWidget *w)
{
    for (int i = 0; i < w->count(); ++i)
        if (w->item(i)->isSelected())
            return i;
    return -1;
}

QStringList itemTexts(const QListWidget *w)
{
    QStringList texts;
    for (int i = 0; i < w->count(); ++i)
        texts << w->item(i)->text();
    return texts;
}

void fillListPair(const Pair<QListWidget> &lists, const QStringList &items)
{
    for (QListWidget *w : lists) {
        const QSignalBlocker blockList(w);
        const QSignalBlocker blockSelection(w->selectionModel());
        w->clear();
        w->addItems(items);
        w->viewport()->update();
    }
}

void fillCombos(const Pair<QComboBox> &combos, const QStringList &items)
{
    for (QComboBox *c : combos) {
        const QSignalBlocker quiet(c);
        c->clear();
        c->addItems(items);
        c->setCurrentIndex(-1);
    }
}

} // namespace

// ---------------------------------------------------------------- filling

void ScriptForm1::Load_List1()
{
    const Pair<QListWidget> &styles = ui->orthoticData.styles;
    fillListPair(styles, Option_List_Items(Job(), SoftOptionList::Styles));
    // A table of a single style has no second position: the first stands in.
    int position = Job().Gender == QLatin1String("Female") ? 1 : 0;
    if (position >= styles[0]->count())
        position = styles[0]->count() - 1;
    if (position < 0)
        return;
    styles[0]->setCurrentRow(position);
    styles[1]->setCurrentRow(position);
}

void ScriptForm1::Load_List2()
{
    const Pair<QListWidget> &densities = ui->orthoticData.densities;
    fillListPair(densities, Option_List_Items(Job(), SoftOptionList::Densities));
    if (densities[0]->count() == 0)
        return;
    densities[0]->setCurrentRow(0);
    densities[1]->setCurrentRow(0);
}

void ScriptForm1::Load_List3()
{
    const Pair<QListWidget> &topCovers = ui->orthoticData.topCovers;
    fillListPair(topCovers, Option_List_Items(Job(), SoftOptionList::TopCovers));
    for (QListWidget *w : topCovers)
        if (w->count() > 0)
            w->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void ScriptForm1::Load_List4()
{
    const Pair<QListWidget> &options = ui->orthoticData.insoleOptions;
    fillListPair(options, Option_List_Items(Job(), SoftOptionList::InsoleOptions));
    for (QListWidget *w : options)
        if (w->count() > 0)
            w->setCurrentRow(0, QItemSelectionModel::Select);
}

void ScriptForm1::Load_Sizes1()
{
    const ScriptRecord &job = Job();
    QStringList sizes;
    const int rows = std::min<int>(job.SizeChartCount, int(job.SizeChartSizes.size()));
    for (int i = 0; i < rows; ++i)
        sizes << num::shortestText(job.SizeChartSizes[i]);
    fillCombos(ui->footData.footSize, sizes);
}

void ScriptForm1::Load_Sizes2()
{
    fillCombos(ui->footData.metDome, Met_Dome_Items());
    fillCombos(ui->footData.metPad, Met_Pad_Items());
}

void ScriptForm1::Load_Sizes3()
{
    fillCombos(ui->footData.thickness, Thickness_Items());
}

void ScriptForm1::Load_Sizes4()
{
    fillCombos(ui->footData.pfa, Pfa_Items());
}

QString ScriptForm1::Read_Podiatrists()
{
    return FormParts::Fill_Name_Combo(ui->jobData.podiatrist, QStringLiteral("Podiatrist.Cfg"));
}

QString ScriptForm1::Read_Clinics()
{
    return FormParts::Fill_Name_Combo(ui->jobData.clinic, QStringLiteral("Clinic.Cfg"));
}

void ScriptForm1::Load_Combo5()
{
    FormParts::Fill_User_Combo(ui->jobData.user, Job());
}

void ScriptForm1::Combo8_Click()
{
    Choose_User(Job(), ui->jobData.user->currentText());
    showPdfPath();
}

// ---------------------------------------------------------------- choices

void ScriptForm1::Set_StylesL()
{
    ScriptRecord &job = Job();
    job.TemplateCodeL = Template_Code(selectedRow(ui->orthoticData.styles[0]), job.FootSizeL);
    ui->jobData.templateCode[0]->setText(job.TemplateCodeL);
}

void ScriptForm1::Set_StylesR()
{
    ScriptRecord &job = Job();
    job.TemplateCodeR = Template_Code(selectedRow(ui->orthoticData.styles[1]), job.FootSizeR);
    ui->jobData.templateCode[1]->setText(job.TemplateCodeR);
}

void ScriptForm1::List1_Click(int side, int row)
{
    ScriptRecord &job = Job();
    if (job.ListsLoadingFlag)
        return;
    takeSingleChoice(ui->orthoticData.styles, side, row, job.OrthoticStyleL, job.OrthoticStyleR);
    // The box shows the gender the user typed or toggled; the job takes it
    // from there, so the lengths below, the record and the PDFs follow what
    // the box shows instead of the box being put back to the job's value.
    job.Gender = ui->jobData.gender->text();

    // Only a left choice names a size table; a right choice alone keeps the chart.
    if (side == 0) {
        const QString sizeFile = Size_File_For_Style(row);
        if (!sizeFile.isEmpty()) {
            Run_Command([&] {
                Read_Size_File(job, sizeFile);
                Load_Sizes1();
            });
        }
    }
    showLookedUpLengths();
    Set_StylesL();
    Set_StylesR();
}

void ScriptForm1::List2_Click(int side, int row)
{
    ScriptRecord &job = Job();
    if (!job.ListsLoadingFlag)
        takeSingleChoice(ui->orthoticData.densities, side, row, job.EvaDensityL, job.EvaDensityR);
}

// A left choice is taken and then made on the right list too, whose own
// choice runs nested; a right choice is taken alone.
void ScriptForm1::takeSingleChoice(const std::array<QListWidget *, 2> &lists, int side, int row, QString &leftField,
                                   QString &rightField)
{
    const QString chosen = lists[side]->item(row)->text();
    if (side == 0) {
        leftField = chosen;
        lists[1]->setCurrentRow(row);
    } else {
        rightField = chosen;
    }
}

void ScriptForm1::Load_Lists2()
{
    ScriptRecord &job = Job();
    const SoftForm::OrthoticDataTab &orthotic = ui->orthoticData;
    job.ListsLoadingFlag = true;

    // The lists are walked as they stand, built-in or from the table, so a
    // record shown without a table still gets its choices back.
    auto reselectSingle = [](QListWidget *w, const QString &saved) {
        for (const int row : Saved_Choice_Rows(itemTexts(w), saved))
            w->setCurrentRow(row);
    };
    auto reselectMulti = [](QListWidget *w, const QString &saved) {
        for (const int row : Saved_Choice_Rows(itemTexts(w), saved))
            w->item(row)->setSelected(true);
    };
    auto reselectOptions = [](QListWidget *w, const QString &saved) {
        const SavedOptions options = Reselect_Saved_Options(itemTexts(w), saved);
        for (const int row : options.selected) {
            w->item(row)->setSelected(true);
            if (options.texts.contains(row))
                w->item(row)->setText(options.texts.value(row));
        }
        if (options.deselectFirst)
            w->item(0)->setSelected(false);
    };

    reselectSingle(orthotic.styles[0], job.OrthoticStyleL);
    reselectSingle(orthotic.styles[1], job.OrthoticStyleR);
    reselectSingle(orthotic.densities[0], job.EvaDensityL);
    reselectSingle(orthotic.densities[1], job.EvaDensityR);
    reselectMulti(orthotic.topCovers[0], job.TopCoverL);
    reselectMulti(orthotic.topCovers[1], job.TopCoverR);
    reselectOptions(orthotic.insoleOptions[0], job.InsoleOptionsL);
    reselectOptions(orthotic.insoleOptions[1], job.InsoleOptionsR);

    job.ListsLoadingFlag = false;
}

void ScriptForm1::List3_Click(int side, int row)
{
    ScriptRecord &job = Job();
    if (job.ListsLoadingFlag || m_clearingLists)
        return;
    const Pair<QListWidget> &topCovers = ui->orthoticData.topCovers;
    topCovers[0]->viewport()->update();
    topCovers[1]->viewport()->update();
    if (side == 1) {
        job.TopCoverR = topCovers[1]->item(row)->text();
        return;
    }
    job.TopCoverL = topCovers[0]->item(row)->text();
    // Asked also when the click took the item away; Yes only ever adds.
    const Prompter::Answer answer =
        UI().message(QStringLiteral("Apply to Right Foot Too?"), QStringLiteral("Top Cover"), Prompter::Icon::None,
                     Prompter::Buttons::YesNo);
    if (answer == Prompter::Answer::Yes)
        topCovers[1]->item(row)->setSelected(true);
}

void ScriptForm1::List4_Click(int side, int row)
{
    ScriptRecord &job = Job();
    bool applyToRight = false;
    if (!m_listsReady || job.ListsLoadingFlag || m_clearingLists || m_quietOptions)
        return;
    QListWidget *options = ui->orthoticData.insoleOptions[side];
    QString &field = side == 0 ? job.InsoleOptionsL : job.InsoleOptionsR;
    options->viewport()->update();
    QListWidgetItem *item = options->item(row);
    field = item->text();
    if (row > 0 && options->count() > 0) {
        m_quietOptions = true;
        options->item(0)->setSelected(false);
        m_quietOptions = false;
    }
    if (side == 0) {
        applyToRight = UI().message(QStringLiteral("Apply to Right Foot Too?"), QStringLiteral("Options"),
                                    Prompter::Icon::None, Prompter::Buttons::YesNo)
                       == Prompter::Answer::Yes;
    }
    if (Option_Takes_Value(field)) {
        const QString entered = field;
        // While the value is asked the item shows the option without its old value.
        if (Option_Has_Value(entered)) {
            field = Option_Name(entered);
            item->setText(field);
        }
        const QString prompt =
            side == 0 ? QStringLiteral("Enter Value (Left Foot): ") : QStringLiteral("Enter Value (Right Foot): ");
        const double value = Get_Num_Input(prompt, QString(), QStringLiteral("2"), QStringLiteral("Options"));
        field = Option_Value_Text(entered, value);
        item->setText(field);
    }
    if (applyToRight) {
        QListWidgetItem *twin = ui->orthoticData.insoleOptions[1]->item(row);
        if (twin)
            twin->setSelected(item->isSelected());
    }
}

void ScriptForm1::Clear_Top_Covers()
{
    m_clearingLists = true;
    for (QListWidget *w : ui->orthoticData.topCovers)
        w->clearSelection();
    m_clearingLists = false;
}

void ScriptForm1::Clear_Insole_Options()
{
    m_clearingLists = true;
    for (QListWidget *options : ui->orthoticData.insoleOptions) {
        options->clearSelection();
        if (options->count() > 0)
            options->item(0)->setSelected(true);
    }
    m_clearingLists = false;
}
