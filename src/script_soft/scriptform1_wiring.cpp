// The behaviour of the soft window's controls. Setting a control from code
// runs its behaviour as a user's change does, so every behaviour hangs on a
// change signal (textChanged, currentIndexChanged, toggled, selection
// changes), never on the user's gesture alone.
#include "scriptform1.h"

#include "firstkeyclears.h"
#include "scriptform1_ui.h"
#include "softfields.h"
#include "softhooks.h"

#include "csveva.h"
#include "jobevents.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using SoftForm::Pair;

void ScriptForm1::connectBehaviour()
{
    const SoftForm::JobDataTab &jobData = ui->jobData;
    const SoftForm::FootDataTab &foot = ui->footData;
    const SoftForm::OrthoticDataTab &orthotic = ui->orthoticData;

    // Left boxes hand their text on to the right ones; the first key typed
    // into a row's box empties it.
    auto *firstKey = new FirstKeyClears(this);
    for (const SoftForm::FootDataTab::BoxRow &row : foot.boxRows) {
        if (row.row->has(SoftFields::ReadOnly))
            continue;
        connect(row.boxes[0], &QLineEdit::textChanged, row.boxes[1], &QLineEdit::setText);
        const QString family = QString::fromLatin1(row.row->control);
        firstKey->addBox(row.boxes[0], family);
        firstKey->addBox(row.boxes[1], family);
    }
    firstKey->addBox(jobData.firstName, QStringLiteral("Text38"));
    firstKey->addBox(jobData.surname, QStringLiteral("Text49"));

    connect(jobData.firstName, &QLineEdit::textChanged, this, [](const QString &text) {
        Job().ClientFirstName = text;
        SoftFields::Name_Job_Files_After_Client(Job());
    });
    connect(jobData.surname, &QLineEdit::textChanged, this, [](const QString &text) {
        Job().ClientSurname = text;
        SoftFields::Name_Job_Files_After_Client(Job());
    });
    for (QLineEdit *name : {jobData.firstName, jobData.surname})
        connect(name, &QLineEdit::textChanged, this, [this] { showPdfPath(); });
    connect(jobData.dispenseDate, &QLineEdit::textChanged, this, [](const QString &text) {
        Job().DispenseDate = text;
        Job().DispenseDateNote = SoftFields::Dispense_Date_Note(text);
    });
    jobData.gender->installEventFilter(this);

    connect(jobData.priorityReturn, &QCheckBox::toggled, this, [](bool on) { Job().PriorityReturn = on; });
    connect(jobData.confirmBeforeManufacture, &QCheckBox::toggled, this,
            [](bool on) { Job().ConfirmBeforeManufacture = on; });
    connect(jobData.sendConfirmationEmail, &QCheckBox::toggled, this,
            [](bool on) { Job().SendConfirmationEmail = on; });

    for (int side = 0; side < 2; ++side) {
        connect(foot.footSize[side], &QComboBox::currentIndexChanged, this, [this, side](int index) {
            if (index >= 0)
                Combo1_Click(side);
        });
    }
    for (const Pair<QComboBox> &combos : {foot.metDome, foot.metPad, foot.thickness, foot.pfa}) {
        QComboBox *right = combos[1];
        connect(combos[0], &QComboBox::currentIndexChanged, this,
                [right](int index) { SoftForm::chooseEntry(right, index); });
    }
    // A typed name counts as soon as it is typed, as a chosen one does.
    connect(jobData.podiatrist, &QComboBox::currentTextChanged, this,
            [](const QString &text) { Job().PodiatristName = text; });
    connect(jobData.clinic, &QComboBox::currentTextChanged, this, [](const QString &text) { Job().ClinicName = text; });
    connect(jobData.user, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            Combo8_Click();
    });

    // Left shape and sign buttons choose the right ones too.
    for (const Pair<QRadioButton> &buttons : {foot.pfaShapeS, foot.pfaShapeC, foot.scanExternal, foot.scanInternal}) {
        QRadioButton *target = buttons[1];
        connect(buttons[0], &QRadioButton::toggled, this, [target](bool on) {
            if (on)
                target->setChecked(true);
        });
    }

    for (int side = 0; side < 2; ++side) {
        connect(orthotic.styles[side]->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, side](const QItemSelection &selected) {
                    for (const QModelIndex &index : selected.indexes())
                        List1_Click(side, index.row());
                });
        connect(orthotic.densities[side]->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, side](const QItemSelection &selected) {
                    for (const QModelIndex &index : selected.indexes())
                        List2_Click(side, index.row());
                });
    }

    // Several-choice lists: each item whose selection changed is a click on it.
    auto onEachChange = [this](QListWidget *list, int side, void (ScriptForm1::*handler)(int, int)) {
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, side, handler](const QItemSelection &selected, const QItemSelection &deselected) {
                    for (const QModelIndex &index : selected.indexes() + deselected.indexes())
                        (this->*handler)(side, index.row());
                });
    };
    for (int side = 0; side < 2; ++side)
        onEachChange(orthotic.topCovers[side], side, &ScriptForm1::List3_Click);
    for (int side = 0; side < 2; ++side)
        onEachChange(orthotic.insoleOptions[side], side, &ScriptForm1::List4_Click);

    connect(ui->tabs, &QTabWidget::currentChanged, this, &ScriptForm1::Tab_Change);

    auto onClick = [this](QPushButton *button, auto handler) { connect(button, &QPushButton::clicked, this, handler); };
    const SoftForm::ButtonRow &buttons = ui->buttons;
    onClick(buttons.quit, [this] { Quit(); });
    onClick(foot.sizes, [this] { Sizes(); });
    onClick(orthotic.clearTopCovers, [this] { Clear_Top_Covers(); });
    onClick(orthotic.clearInsoleOptions, [this] { Clear_Insole_Options(); });
    for (int side = 0; side < 2; ++side) {
        onClick(foot.heelDepthSide[side], [this, side] { Ask_Heel_Depth_Side(side); });
        onClick(jobData.chooseScanFile[side], [this, side] { Choose_Scan_File(side); });
    }
    onClick(buttons.submit, [this] { jobCommand(&SoftJobCommands::Submit_Job); });
    onClick(buttons.saveLocally, [this] { jobCommand(&SoftJobCommands::Save_Job_Locally); });
    onClick(buttons.nextJob, [this] { jobCommand(&SoftJobCommands::Next_Job); });
    onClick(buttons.writeJson, [this] { jobCommand(&SoftJobCommands::Write_JSON_File); });
    onClick(buttons.saveScript, [this] { jobCommand(&SoftJobCommands::Save_Script); });
    onClick(buttons.openScript, [this] { jobCommand(&SoftJobCommands::Open_Script); });
    onClick(orthotic.print, [this] { jobCommand(&SoftJobCommands::Print_Option_Table); });

    ui->graphics.connectButtons();
    for (QPushButton *graphicImage : {jobData.graphicImage, foot.graphicImage})
        onClick(graphicImage, [this] { openWindow(QStringLiteral("GraphicForm2")); });

    // The record reader's marks on this window: ticks, PFA shapes, sizes.
    connect(&JobEvents::instance(), &JobEvents::footSizesRead, this, &ScriptForm1::reflectRecordRead);
}

bool ScriptForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->jobData.gender && event->type() == QEvent::MouseButtonDblClick)
        Text5_DblClick();
    return QWidget::eventFilter(watched, event);
}

void ScriptForm1::reflectRecordRead()
{
    const ScriptRecord &job = Job();
    SoftForm::FootDataTab &foot = ui->footData;
    ui->jobData.priorityReturn->setChecked(job.PriorityReturn);
    ui->jobData.sendConfirmationEmail->setChecked(job.SendConfirmationEmail);
    (Pfa_Is_C_Shape(job.PfaL) ? foot.pfaShapeC : foot.pfaShapeS)[0]->setChecked(true);
    (Pfa_Is_C_Shape(job.PfaR) ? foot.pfaShapeC : foot.pfaShapeS)[1]->setChecked(true);
    showFootSizes();
}
