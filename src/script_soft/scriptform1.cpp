// The soft prescription window's life cycle and what it offers the job
// commands and the drawing pane. The tabs are built in scriptform1_*.cpp,
// the record moves through scriptform1_record.cpp, and the behaviour of the
// controls is joined in scriptform1_wiring.cpp.
#include "scriptform1.h"

#include "depthform.h"
#include "optionform.h"
#include "scriptform1_ui.h"
#include "softhooks.h"

#include "csveva.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "windowregistry.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>

QString ScriptForm1::SavedFootSizeL;
QString ScriptForm1::SavedFootSizeR;

namespace {
const QString kWindowName = QStringLiteral("ScriptForm1");
}

ScriptForm1::ScriptForm1(QWidget *parent)
    : QWidget(parent, Qt::Window),
      ui(std::make_unique<SoftForm::ScriptForm1Ui>())
{
    setObjectName(kWindowName);
    setWindowTitle(QStringLiteral("EVA Orthotic Script File"));
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    connectBehaviour();

    // A failure while loading is shown; the window still opens.
    Run_Command([this] { Run_Load_Steps(); });
}

ScriptForm1::~ScriptForm1() = default;

// ---------------------------------------------------------------- what the other parts use

QString ScriptForm1::footSize(int side) const
{
    return ui->footData.footSize[side]->currentText();
}

void ScriptForm1::showFootSizes()
{
    ui->footData.footSize[0]->setEditText(Job().FootSizeL);
    ui->footData.footSize[1]->setEditText(Job().FootSizeR);
}

ScanPositionSigns ScriptForm1::scanPositionSigns() const
{
    ScanPositionSigns signs;
    for (int side = 0; side < 2; ++side) {
        signs.external[side] = ui->footData.scanExternal[side]->isChecked();
        signs.internal[side] = ui->footData.scanInternal[side]->isChecked();
    }
    return signs;
}

void ScriptForm1::showClientFirstName(const QString &name)
{
    ui->jobData.firstName->setText(name);
}

void ScriptForm1::showClientSurname(const QString &name)
{
    ui->jobData.surname->setText(name);
}

void ScriptForm1::showPdfPath()
{
    ui->jobData.pdfFile->setText(Job().PdfFile);
}

void ScriptForm1::showJobNumber()
{
    ui->jobData.jobNumber->setText(Job().JobNumber);
}

// ---------------------------------------------------------------- life cycle

void ScriptForm1::Run_Load_Steps()
{
    ScriptRecord &job = Job();
    Load_Data_1();

    if (job.PreparedCsvFlag) {
        job.CsvFile = job.PreparedCsvFile;
        // A prepared record that has gone is passed over without a word; one
        // that cannot be read is reported, and the window opens all the same.
        if (File_Exists(job.CsvFile)) {
            Run_Command([&] {
                Read_CSV_EVA(job);
                Load_Data_2();
            });
        }
    }

    QTabWidget *tabs = ui->tabs;
    if (tabs->currentIndex() != 1) {
        const QSignalBlocker quiet(tabs);
        tabs->setCurrentIndex(1);
    }
    tabs->setCurrentIndex(0);

    job.ListsLoadingFlag = false;
    m_listsReady = false;
    job.DrawingLayersFlag = false;
    job.GraphicsTabFlag = false;
    m_clearingLists = false;

    Load_List1();
    Load_List2();
    Load_List3();
    Load_List4();
    Load_Combo5();

    m_listsReady = true;
    job.PreparedCsvFlag = false;

    showFootSizes();
    SavedFootSizeL = job.FootSizeL;
    SavedFootSizeR = job.FootSizeR;
    update();
}

void ScriptForm1::closeEvent(QCloseEvent *event)
{
    // Closing only unloads: the job keeps what the edits wrote into it.
    event->accept();
}

void ScriptForm1::Quit()
{
    ScriptRecord &job = Job();
    try {
        ShellServices *shell = Shell();
        if (!shell)
            throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("the main window is not available"));
        shell->New_Script();
        shell->Refresh_File_Lists();
        shell->Set_Size_List_Texts(SavedFootSizeL, SavedFootSizeR);
        job.FootSizeL = SavedFootSizeL;
        job.FootSizeR = SavedFootSizeR;
    } catch (...) {
        // "QUIT" always closes the window; the remaining resets are skipped.
    }
    close();
}

void ScriptForm1::Sizes()
{
    openWindow(QStringLiteral("FootSize"));
}

void ScriptForm1::openWindow(const QString &name)
{
    Run_Command([&] { Windows().show(name); });
}

void ScriptForm1::jobCommand(void (SoftJobCommands::*command)(ScriptForm1 &))
{
    Run_Command([&] { (Soft_Job_Commands().*command)(*this); });
}

void ScriptForm1::Tab_Change(int index)
{
    if (index == 3)
        Job().GraphicsTabFlag = true;
    Run_Command([this] { Load_Vec_File(); });
}

void ScriptForm1::Load_Vec_File()
{
    ui->graphics.Load_Vec_File();
}

void ScriptForm1::Insert_Foot_Block(const QString &blockFile, double x, double y, double z, double scale)
{
    ui->graphics.Insert_Foot_Block(blockFile, x, y, z, scale);
}

void ScriptForm1::Reset_For_New_Job()
{
    SoftForm::FootDataTab &foot = ui->footData;
    for (QLineEdit *box : {foot.templateLength[0], foot.templateLength[1], foot.footLength[0], foot.footLength[1]})
        box->setText(QStringLiteral("0"));
    ui->jobData.priorityReturn->setChecked(false);
    ui->jobData.confirmBeforeManufacture->setChecked(false);
    Job().PriorityReturn = false;
    Job().ConfirmBeforeManufacture = false;
    foot.pfaShapeS[0]->setChecked(true);
    foot.pfaShapeS[1]->setChecked(true);
    foot.scanInternal[0]->setChecked(true);
    foot.scanInternal[1]->setChecked(true);
}

// ---------------------------------------------------------------- registration

void Register_Soft_Windows()
{
    Windows().registerFactory(kWindowName, [] { return new ScriptForm1; });
    Windows().registerFactory(QStringLiteral("DepthForm"), [] { return new DepthForm; });
    Windows().registerFactory(QStringLiteral("OptionForm"), [] { return new OptionForm; });
}

ScriptForm1 *Open_ScriptForm1()
{
    auto *form = qobject_cast<ScriptForm1 *>(Windows().loaded(kWindowName));
    if (form && Job().PreparedCsvFlag) {
        // A record handed over while the window is open is taken as a fresh
        // opening would take it.
        Run_Command([form] { form->Run_Load_Steps(); });
    }
    if (form)
        Bring_To_Front(form);
    else
        form = qobject_cast<ScriptForm1 *>(Windows().show(kWindowName));
    return form;
}
