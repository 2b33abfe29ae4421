// The rigid prescription window's life cycle and the behaviour of its
// controls. The tabs are built in scriptform2_ui.cpp, the record moves
// through scriptform2_record.cpp and the grid is driven from
// scriptform2_grid.cpp.
#include "scriptform2.h"

#include "gridcontrol.h"
#include "rigidhooks.h"
#include "scriptform2_ui.h"

#include "errors.h"
#include "firstkeyclears.h"
#include "optiontablepdf.h"
#include "prescriptionjob.h"
#include "prompter.h"
#include "rigidrecord.h"
#include "rigidtables.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "shellservices.h"
#include "windowregistry.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include <utility>

namespace {
const QString kWindowName = QStringLiteral("ScriptForm2");
constexpr int kGraphicsTab = 2;
// How the window being created opens: the registry creates it without
// arguments, and its constructor is its load.
RigidOpening openingOfNewWindow = RigidOpening::NewJob;
} // namespace

ScriptForm2::ScriptForm2(QWidget *parent)
    : QWidget(parent, Qt::Window),
      ui(std::make_unique<RigidForm::ScriptForm2Ui>())
{
    setObjectName(kWindowName);
    setWindowTitle(QStringLiteral("Rigid Orthotic Script File"));
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    connectBehaviour();

    // A failure while loading is shown; the window still opens.
    const RigidOpening opening = std::exchange(openingOfNewWindow, RigidOpening::NewJob);
    Run_Command([this, opening] { Run_Load_Steps(opening); });
}

ScriptForm2::~ScriptForm2() = default;

GridControl *ScriptForm2::grid() const
{
    return ui->footData.grid;
}

void ScriptForm2::showPdfPath()
{
    ui->jobData.pdfFile->setText(Job().PdfFile);
}

QString ScriptForm2::pdfPathShown() const
{
    return ui->jobData.pdfFile->text();
}

void ScriptForm2::showJobNumber()
{
    ui->jobData.jobNumber->setText(Job().JobNumber);
}

void ScriptForm2::showClientFirstName(const QString &name)
{
    ui->jobData.firstName->setText(name);
}

void ScriptForm2::showClientSurname(const QString &name)
{
    ui->jobData.surname->setText(name);
}

void ScriptForm2::showTicks()
{
    const ScriptRecord &job = Job();
    RigidForm::JobDataTab &jobData = ui->jobData;
    jobData.priorityReturn->setChecked(job.PriorityReturn);
    jobData.confirmBeforeManufacture->setChecked(job.ConfirmBeforeManufacture);
    jobData.sendConfirmationEmail->setChecked(job.SendConfirmationEmail);
}

// ---------------------------------------------------------------- life cycle

void ScriptForm2::Run_Load_Steps(RigidOpening opening)
{
    ScriptRecord &job = Job();
    Load_Data_1(opening);

    if (job.PreparedCsvFlag && File_Exists(job.PreparedCsvFile)) {
        // A prepared record that is not rigid, or is cut short, shows its
        // message; nothing of it is taken and the window opens on the new
        // job, whose files keep their names.
        const QString newJobRecord = job.CsvFile;
        job.CsvFile = job.PreparedCsvFile;
        bool read = false;
        Run_Command([&] { read = Read_Csv_Rigid(job, job.CsvFile); });
        if (read) {
            Run_Command([this] { Load_Data_2(); });
        } else {
            job.CsvFile = newJobRecord;
        }
    }

    QTabWidget *tabs = ui->tabs;
    if (tabs->currentIndex() != 1) {
        const QSignalBlocker quiet(tabs);
        tabs->setCurrentIndex(1);
    }
    tabs->setCurrentIndex(0);

    job.DrawingLayersFlag = false;
    job.GraphicsTabFlag = true;
    Load_Combo5();
    job.PreparedCsvFlag = false;
    Set_Default();
    Read_Help_Links(HelpLinks);
}

void ScriptForm2::closeEvent(QCloseEvent *event)
{
    // Closing only unloads: the job keeps what the edits wrote into it.
    event->accept();
}

void ScriptForm2::Quit()
{
    try {
        ShellServices *shell = Shell();
        if (!shell)
            throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("the main window is not available"));
        shell->New_Script();
        shell->Refresh_File_Lists();
    } catch (...) {
        // "QUIT" always closes the window; the remaining resets are skipped.
    }
    close();
}

// ---------------------------------------------------------------- behaviour

void ScriptForm2::connectBehaviour()
{
    const RigidForm::JobDataTab &jobData = ui->jobData;

    // Each name box empties at a click and at the first key after it got
    // the focus; the two boxes keep their marks apart.
    auto *firstKey = new FirstKeyClears(this);
    firstKey->addBox(jobData.firstName, QStringLiteral("rText38"));
    firstKey->addBox(jobData.surname, QStringLiteral("rText49"));
    connect(jobData.firstName, &QLineEdit::textChanged, this, [this](const QString &text) {
        Job().ClientFirstName = text;
        nameFilesAfterClient();
    });
    connect(jobData.surname, &QLineEdit::textChanged, this, [this](const QString &text) {
        Job().ClientSurname = text;
        nameFilesAfterClient();
    });
    connect(jobData.dispenseDate, &QLineEdit::textChanged, this, [](const QString &text) {
        Job().DispenseDate = text;
        Job().DispenseDateNote = PrescriptionJob::Dispense_Date_Note(text);
    });
    // A typed name counts as soon as it is typed, as a chosen one does.
    connect(jobData.podiatrist, &QComboBox::currentTextChanged, this,
            [](const QString &text) { Job().PodiatristName = text; });
    connect(jobData.clinic, &QComboBox::currentTextChanged, this, [](const QString &text) { Job().ClinicName = text; });
    connect(jobData.user, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            rCombo8_Click();
    });
    connect(jobData.priorityReturn, &QCheckBox::toggled, this, [](bool on) { Job().PriorityReturn = on; });
    connect(jobData.confirmBeforeManufacture, &QCheckBox::toggled, this,
            [](bool on) { Job().ConfirmBeforeManufacture = on; });
    connect(jobData.sendConfirmationEmail, &QCheckBox::toggled, this,
            [](bool on) { Job().SendConfirmationEmail = on; });

    connect(ui->tabs, &QTabWidget::currentChanged, this, &ScriptForm2::SSTab1_Click);

    GridControl *g = grid();
    connect(g, &GridControl::List_Open, this, &ScriptForm2::Grid1_List_Open);
    connect(g, &GridControl::Cell_Changed, this, &ScriptForm2::Grid1_Cell_Changed);
    connect(g, &GridControl::Cell_Click, this, &ScriptForm2::Grid1_Cell_Click);

    auto onClick = [this](QPushButton *button, auto handler) { connect(button, &QPushButton::clicked, this, handler); };
    const RigidForm::ButtonRow &buttons = ui->buttons;
    const RigidForm::FootDataTab &foot = ui->footData;
    onClick(buttons.quit, [this] { Quit(); });
    onClick(foot.sizes, [this] { openWindow(QStringLiteral("FootSize")); });
    onClick(jobData.graphicImage, [this] { openWindow(QStringLiteral("GraphicForm2")); });
    onClick(foot.printOptions, [] { Print_Option_Table(); });

    const struct
    {
        QPushButton *button;
        void (RigidJobCommands::*command)(ScriptForm2 &);
    } commands[] = {
        {buttons.submit, &RigidJobCommands::Submit_Job},
        {buttons.saveLocally, &RigidJobCommands::Save_Job_Locally},
        {jobData.nextJob, &RigidJobCommands::Next_Job},
        {foot.newGrid, &RigidJobCommands::New_Grid},
        {buttons.upload, &RigidJobCommands::Upload_To_Database},
        {buttons.saveScript, &RigidJobCommands::Save_Script},
        {buttons.openScript, &RigidJobCommands::Open_Script},
    };
    for (const auto &c : commands) {
        const auto command = c.command;
        onClick(c.button, [this, command] { jobCommand(command); });
    }

    ui->graphics.connectButtons();
}

void ScriptForm2::nameFilesAfterClient()
{
    PrescriptionJob::Name_Job_Files_After_Client(Job(), JobKind::Rigid);
    showPdfPath();
}

void ScriptForm2::rCombo8_Click()
{
    PrescriptionJob::Choose_User(Job(), ui->jobData.user->currentText(), JobKind::Rigid);
    showPdfPath();
}

void ScriptForm2::SSTab1_Click(int index)
{
    if (index == kGraphicsTab)
        Job().GraphicsTabFlag = true;
    Run_Command([this] { Load_Vec_File(); });
}

void ScriptForm2::Load_Vec_File()
{
    ui->graphics.Load_Vec_File();
}

void ScriptForm2::Insert_Foot_Block(const QString &blockFile, double x, double y, double z, double scale)
{
    ui->graphics.Insert_Foot_Block(blockFile, x, y, z, scale);
}

void ScriptForm2::openWindow(const QString &name)
{
    Run_Command([&] { Windows().show(name); });
}

void ScriptForm2::jobCommand(void (RigidJobCommands::*command)(ScriptForm2 &))
{
    Run_Command([&] { (Rigid_Job_Commands().*command)(*this); });
}

// ---------------------------------------------------------------- registration

void Register_Rigid_Windows()
{
    Windows().registerFactory(kWindowName, [] { return new ScriptForm2; });
}

ScriptForm2 *Open_ScriptForm2(RigidOpening opening)
{
    auto *form = qobject_cast<ScriptForm2 *>(Windows().loaded(kWindowName));
    if (form && (Job().PreparedCsvFlag || opening == RigidOpening::IntakeClient)) {
        // A record or a client handed over while the window is open is
        // taken as a fresh opening would take it.
        Run_Command([form, opening] { form->Run_Load_Steps(opening); });
    }
    if (form) {
        Bring_To_Front(form);
    } else {
        openingOfNewWindow = opening;
        form = qobject_cast<ScriptForm2 *>(Windows().show(kWindowName));
        openingOfNewWindow = RigidOpening::NewJob;
    }
    return form;
}
