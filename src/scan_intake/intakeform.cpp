#include "intakeform.h"

#include "archiveimport.h"
#include "errors.h"
#include "firstkeyclears.h"
#include "footviewpickup.h"
#include "helperprogram.h"
#include "intakejob.h"
#include "jobnames.h"
#include "lsrpickup.h"
#include "namelists.h"
#include "paths.h"
#include "pellmarpickup.h"
#include "preparescript.h"
#include "prompter.h"
#include "runandwait.h"
#include "scannercommand.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "shellservices.h"
#include "sizechart.h"
#include "windowregistry.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QColor kEntryColour(255, 224, 192);
const QColor kGenderColour(255, 192, 192);
const QString kSideNames[2] = {QStringLiteral(" Left"), QStringLiteral(" Right")};

QString sideName(const QString &family, int side)
{
    return family + u'_' + QString::number(side);
}

void colour(QWidget *box, const QColor &background)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, background);
    box->setPalette(palette);
}

QLineEdit *entryBox(const QString &name, const QColor &background = kEntryColour)
{
    auto *box = new QLineEdit;
    box->setObjectName(name);
    box->setAlignment(Qt::AlignCenter);
    colour(box, background);
    return box;
}

QComboBox *entryCombo(const QString &name)
{
    auto *combo = new QComboBox;
    combo->setObjectName(name);
    combo->setEditable(true);
    // What is typed stays the box's text; it is not added to the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    colour(combo, kEntryColour);
    return combo;
}

QLabel *label(const QString &name, const QString &text, QWidget *buddy = nullptr)
{
    auto *l = new QLabel(text);
    l->setObjectName(name);
    if (buddy) {
        l->setBuddy(buddy);
        buddy->setAccessibleName(text);
    }
    return l;
}

QPushButton *commandButton(const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    return b;
}

// The focus handed to another control of this window by the user; not the
// window losing the focus to another application, a popup or a dialog.
bool handedOn(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason
           || reason == Qt::ShortcutFocusReason;
}

QString reasonOf(const std::exception &error)
{
    if (const auto *own = dynamic_cast<const SolvaneError *>(&error))
        return own->description();
    return QString::fromUtf8(error.what());
}

// The general window starts the scanner software from where it is installed.
const QString kScannerSoftware = QStringLiteral("C:\\Program Files\\Scansoft\\Bin\\Scansoft.exe");
const QString kScannerStarter = QStringLiteral("StartScanner.Exe");

} // namespace

IntakeForm::IntakeForm(const IntakeVariant &variant, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_variant(variant)
{
    setObjectName(variant.window);
    setWindowTitle(variant.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    buildUi();
    connectBehaviour();
    applyTabOrder();
    Form_Load();
}

void IntakeForm::buildUi()
{
    m_text1 = entryBox(QStringLiteral("Text1"));
    m_text2 = entryBox(QStringLiteral("Text2"));
    m_text3 = entryBox(QStringLiteral("Text3"));
    m_command3 = commandButton(QStringLiteral("Command3"), QStringLiteral("Get Next Job"));

    auto *frame1 = new QGroupBox(QStringLiteral("Client Information"));
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto *client = new QGridLayout(frame1);
    client->addWidget(label(QStringLiteral("Label1"), QStringLiteral("Client First Name"), m_text1), 0, 0);
    client->addWidget(m_text1, 0, 1);
    client->addWidget(label(QStringLiteral("Label2"), QStringLiteral("Client Surname"), m_text2), 1, 0);
    client->addWidget(m_text2, 1, 1);
    client->addWidget(label(QStringLiteral("Label3"), QStringLiteral("Job Number"), m_text3), 2, 0);
    client->addWidget(m_text3, 2, 1);
    client->addWidget(m_command3, 2, 2);

    m_combo2 = entryCombo(QStringLiteral("Combo2"));
    m_combo3 = entryCombo(QStringLiteral("Combo3"));
    m_text8 = entryBox(QStringLiteral("Text8"), kGenderColour);
    // The gender changes by a double click only, so the job always holds
    // what the box shows.
    m_text8->setReadOnly(true);
    auto *lists = new QGridLayout;
    lists->addWidget(label(QStringLiteral("Label85"), QStringLiteral("Podiatrist Name"), m_combo2), 0, 0);
    lists->addWidget(m_combo2, 0, 1);
    lists->addWidget(label(QStringLiteral("Label86"), QStringLiteral("Clinic Name"), m_combo3), 1, 0);
    lists->addWidget(m_combo3, 1, 1);
    lists->addWidget(label(QStringLiteral("Label15"), QStringLiteral("Gender"), m_text8), 0, 2, Qt::AlignHCenter);
    lists->addWidget(m_text8, 1, 2);
    lists->setColumnStretch(1, 1);

    auto *frame2 = new QGroupBox(QStringLiteral("Foot parameters"));
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto *foot = new QGridLayout(frame2);
    foot->addWidget(label(QStringLiteral("Label8"), QStringLiteral("Left")), 0, 1, Qt::AlignHCenter);
    foot->addWidget(label(QStringLiteral("Label10"), QStringLiteral("Right")), 0, 2, Qt::AlignHCenter);
    foot->addWidget(label(QStringLiteral("Label9"), QStringLiteral("Foot Size")), 1, 0);
    for (int side = 0; side < 2; ++side) {
        m_combo1[side] = entryCombo(sideName(QStringLiteral("Combo1"), side));
        m_combo1[side]->setAccessibleName(QStringLiteral("Foot Size") + kSideNames[side]);
        foot->addWidget(m_combo1[side], 1, 1 + side);
    }
    int row = 2;
    for (const MeasurementRow &measurement : Measurement_Rows()) {
        // The two length rows stand apart from the two angle rows.
        if (measurement.unit == QLatin1String("mm") && m_measurements.size() == 2)
            foot->setRowMinimumHeight(row++, 12);
        std::array<QLineEdit *, 2> boxes{};
        foot->addWidget(label(measurement.captionLabel, measurement.caption), row, 0);
        for (int side = 0; side < 2; ++side) {
            boxes[side] = entryBox(sideName(measurement.family, side));
            boxes[side]->setAccessibleName(measurement.caption + kSideNames[side]);
            foot->addWidget(boxes[side], row, 1 + side);
        }
        foot->addWidget(label(measurement.unitLabel, measurement.unit), row, 3);
        m_measurements.push_back(boxes);
        ++row;
    }

    auto *left = new QVBoxLayout;
    left->addWidget(frame1);
    left->addLayout(lists);
    left->addWidget(frame2, 1);

    auto *right = new QVBoxLayout;
    auto addButton = [&](const IntakeButton &b) {
        QPushButton *button = commandButton(b.name, b.caption);
        connect(button, &QPushButton::clicked, this, [this, b] { runAction(b); });
        return button;
    };
    if (m_variant.hasScanNameBoxes()) {
        m_text9 = entryBox(QStringLiteral("Text9"));
        m_text9->setAccessibleName(QStringLiteral("Left Scan Name"));
        m_text10 = entryBox(QStringLiteral("Text10"));
        m_text10->setAccessibleName(QStringLiteral("Right Scan Name"));
        const std::vector<IntakeButton> &scans = m_variant.scanButtons;
        if (scans.size() == 2) {
            right->addWidget(m_text9);
            right->addWidget(addButton(scans[0]));
            right->addSpacing(8);
            right->addWidget(m_text10);
            right->addWidget(addButton(scans[1]));
        } else {
            right->addWidget(m_text9);
            right->addWidget(m_text10);
            for (const IntakeButton &scan : scans)
                right->addWidget(addButton(scan));
        }
        right->addSpacing(8);
        auto *prepareFrame = new QGroupBox(m_variant.prepareFrame);
        auto *prepareColumn = new QVBoxLayout(prepareFrame);
        prepareColumn->addWidget(addButton(m_variant.prepare));
        right->addWidget(prepareFrame);
        for (const IntakeButton &further : m_variant.further)
            right->addWidget(addButton(further));
    } else {
        for (const IntakeButton &scan : m_variant.scanButtons)
            right->addWidget(addButton(scan));
        right->addWidget(addButton(m_variant.prepare));
        for (const IntakeButton &further : m_variant.further)
            right->addWidget(addButton(further));
    }
    right->addStretch(1);
    m_command2 = commandButton(QStringLiteral("Command2"), QStringLiteral("Close"));
    right->addWidget(m_command2);

    auto *body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(body, 1);
    if (m_variant.hasStatusBar()) {
        auto *bar = new QStatusBar;
        bar->setObjectName(QStringLiteral("StatusBar1"));
        bar->setSizeGripEnabled(false);
        m_statusPanel = new QLabel;
        bar->addWidget(m_statusPanel, 1);
        outer->addWidget(bar);
    }
}

void IntakeForm::connectBehaviour()
{
    m_firstKeys = new FirstKeyClears(this);
    m_firstKeys->addBox(m_text2, QStringLiteral("Text2"));
    for (std::size_t r = 0; r < m_measurements.size(); ++r) {
        const QString family = Measurement_Rows()[r].family;
        std::array<QLineEdit *, 2> &boxes = m_measurements[r];
        m_firstKeys->addBox(boxes[0], family);
        m_firstKeys->addBox(boxes[1], family);
        // The right box follows every change of the left one; nothing flows back.
        QLineEdit *rightBox = boxes[1];
        connect(boxes[0], &QLineEdit::textChanged, rightBox, &QLineEdit::setText);
    }
    // Installed after the editing rule, so the name check runs before the
    // surname's own losing-focus handling.
    for (QLineEdit *box : {m_text1, m_text2, m_text8})
        box->installEventFilter(this);

    for (int side = 0; side < 2; ++side)
        connect(m_combo1[side], &QComboBox::currentIndexChanged, this, [this, side] { Combo1_Click(side); });
    connect(m_combo2, &QComboBox::currentTextChanged, this, [](const QString &text) { Job().PodiatristName = text; });
    connect(m_combo3, &QComboBox::currentTextChanged, this, [](const QString &text) { Job().ClinicName = text; });
    connect(m_command3, &QPushButton::clicked, this, [this] { Get_Next_Job(); });
    connect(m_command2, &QPushButton::clicked, this, &QWidget::close);
}

void IntakeForm::applyTabOrder()
{
    QWidget *previous = nullptr;
    for (const QString &name : m_variant.tabOrder) {
        auto *next = findChild<QWidget *>(name);
        if (!next)
            continue;
        if (previous)
            setTabOrder(previous, next);
        else
            next->setFocus(Qt::OtherFocusReason);
        previous = next;
    }
}

void IntakeForm::Form_Load()
{
    ScriptRecord &job = Job();
    ShowStatus(QString::fromLatin1(IntakeDefaults::kStatus));
    m_text1->setText(QString::fromLatin1(IntakeDefaults::kFirstName));
    m_text2->setText(m_variant.surnameDefault);
    if (m_text9) {
        m_text9->setText(QString::fromLatin1(IntakeDefaults::kLeftScanName));
        m_text10->setText(QString::fromLatin1(IntakeDefaults::kRightScanName));
    }
    job.JobNumber = Make_Job_Number(job);
    m_text3->setText(job.JobNumber);
    for (const std::array<QLineEdit *, 2> &boxes : m_measurements)
        for (QLineEdit *box : boxes)
            box->setText(QString::fromLatin1(IntakeDefaults::kMeasurement));
    job.Gender = QString::fromLatin1(IntakeDefaults::kGender);
    m_text8->setText(job.Gender);

    const QStringList sizes = Size_List_Texts(job);
    for (QComboBox *combo : m_combo1) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItems(sizes);
        combo->setCurrentIndex(-1);
    }
    const int entry = std::min<int>(IntakeDefaults::kSizeEntry, int(sizes.size()) - 1);
    for (QComboBox *combo : m_combo1)
        combo->setCurrentIndex(entry);

    Read_Podiatrists();
    Read_Clinics();

    if (!m_variant.general()) {
        m_scanner = Load_Scanner_Settings(m_variant.scanner, job);
        job.ScanBaseName = m_text1->text();
        job.ScanWrlName = job.ScanBaseName + QStringLiteral(".Wrl");
    }
}

namespace {

QString fillNames(QComboBox *names, const QString &fileName)
{
    {
        const QSignalBlocker quiet(names);
        names->clear();
        names->addItems(Name_List_Items(fileName));
        names->setCurrentIndex(-1);
    }
    names->setCurrentIndex(0); // a choice: the job takes the name
    return names->currentText();
}

} // namespace

QString IntakeForm::Read_Podiatrists()
{
    return fillNames(m_combo2, QStringLiteral("Podiatrist.Cfg"));
}

QString IntakeForm::Read_Clinics()
{
    return fillNames(m_combo3, QStringLiteral("Clinic.Cfg"));
}

void IntakeForm::Combo1_Click(int side)
{
    if (side != 0 || !m_variant.copiesLeftSize())
        return;
    QComboBox *rightSizes = m_combo1[1];
    const int index = m_combo1[0]->currentIndex();
    if (index < 0)
        return;
    if (rightSizes->currentIndex() == index)
        rightSizes->setEditText(rightSizes->itemText(index));
    else
        rightSizes->setCurrentIndex(index);
}

PellmarMeasurements IntakeForm::measurements() const
{
    PellmarMeasurements out;
    std::array<QString, 2> *fields[] = {&out.ForefootVarus, &out.ForefootValgus, &out.VarusLength, &out.HeelDotLength};
    for (std::size_t r = 0; r < m_measurements.size() && r < std::size(fields); ++r)
        for (int side = 0; side < 2; ++side)
            (*fields[r])[side] = m_measurements[r][side]->text();
    return out;
}

QString IntakeForm::statusText() const
{
    return m_statusPanel ? m_statusPanel->text() : QString();
}

bool IntakeForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text8 && event->type() == QEvent::MouseButtonDblClick) {
        Text8_DblClick();
        return true;
    }
    if (watched == m_text1 && event->type() == QEvent::MouseButtonPress)
        m_text1->clear();
    // The first name is cleared by a click only: tabbing in does not
    // select it, so a key adds to it (the line edit selects after this
    // filter has run).
    if (watched == m_text1 && event->type() == QEvent::FocusIn)
        QMetaObject::invokeMethod(
            m_text1,
            [box = m_text1] {
                box->deselect();
                box->end(false);
            },
            Qt::QueuedConnection);
    if ((watched == m_text1 || watched == m_text2) && event->type() == QEvent::FocusOut && handedOn(event)) {
        const bool surname = watched == m_text2;
        if (m_variant.checksNames())
            nameCheck(surname ? m_text2 : m_text1, surname);
        if (surname && m_variant.hasScanNameBoxes())
            buildScanNames();
    }
    return QWidget::eventFilter(watched, event);
}

void IntakeForm::nameCheck(QLineEdit *box, bool surname)
{
    // The prompt takes the focus itself; that is no second leaving.
    if (m_checkingName)
        return;
    const QString text = box->text();
    const QString what = surname ? QStringLiteral("a Surname") : QStringLiteral("a First Name");
    QString title, message;
    if (text.isEmpty()) {
        title = QStringLiteral("No Text");
        message = QStringLiteral("Please Enter ") + what;
    } else if (text.contains(u' ')) {
        title = QStringLiteral("Spaces Found");
        message = QStringLiteral("Please Enter ") + what + QStringLiteral(" (with No Spaces)");
    } else {
        return;
    }
    m_checkingName = true;
    QString answer;
    if (!UI().textInput(message, QString(), text, title, answer))
        answer.clear();
    m_checkingName = false;
    box->setText(answer);
}

void IntakeForm::buildScanNames()
{
    m_text9->setText(Ruru_Scan_Name(m_text2->text(), m_text1->text(), 0));
    m_text10->setText(Ruru_Scan_Name(m_text2->text(), m_text1->text(), 1));
}

void IntakeForm::Text8_DblClick()
{
    Toggle_Intake_Gender(Job());
    m_text8->setText(Job().Gender);
}

void IntakeForm::Get_Next_Job()
{
    Next_Intake_Job(Job());
    m_text3->setText(Job().JobNumber);
}

void IntakeForm::runAction(const IntakeButton &button)
{
    switch (button.action) {
    case IntakeAction::ScanLeft: scanRuruFoot(0); break;
    case IntakeAction::ScanRight: scanRuruFoot(1); break;
    case IntakeAction::ScanFoot: scanWithSoftware(); break;
    case IntakeAction::UnzipFile: Run_Command([] { Import_Job_Archive(); }); break;
    case IntakeAction::ScanFeet: scanLsrFeet(); break;
    case IntakeAction::ScanLeftFoot: scanPellmarFoot(ScanSide::Left); break;
    case IntakeAction::ScanRightFoot: scanPellmarFoot(ScanSide::Right); break;
    case IntakeAction::ResetFlags: Reset_Flags(Job()); break;
    case IntakeAction::Prepare: prepareScript(); break;
    }
}

void IntakeForm::prepareScript()
{
    Run_Command([this] {
        const PrepareRoute *route = Prepare_Route(m_variant.window);
        if (!route)
            return;
        // The scanner values this window loaded are the job's while it prepares.
        if (!m_variant.general())
            Put_Scanner_Settings(m_scanner, Job());
        IntakeFields fields;
        fields.boxes.Text1 = m_text1->text();
        fields.boxes.Text2 = m_text2->text();
        fields.boxes.Text3 = m_text3->text();
        fields.boxes.measurements = measurements();
        fields.podiatrist = m_combo2->currentText();
        fields.clinic = m_combo3->currentText();
        fields.footSizes = {m_combo1[0]->currentText(), m_combo1[1]->currentText()};
        if (Run_Prepare_Script(*route, fields) != PrepareOutcome::Done)
            return;
        // The counter's number, not the job's: the window just opened may
        // have read a typed one from the record, and the next press must not
        // use that number again.
        m_text3->setText(Make_Job_Number(Job()));
        if (route->unloadsItself())
            Windows().unload(m_variant.window);
    });
}

PickUpOutcome IntakeForm::Process_Left_Scan(bool scannerStopped)
{
    return Pick_Up_Ruru_Scan(Job(), 0, scannerStopped);
}

PickUpOutcome IntakeForm::Process_Right_Scan(bool scannerStopped)
{
    return Pick_Up_Ruru_Scan(Job(), 1, scannerStopped);
}

void IntakeForm::scanRuruFoot(int side)
{
    buildScanNames();
    ScriptRecord &job = Job();
    // The boxes show the names as typed; the files get names that stay in
    // their folder.
    job.ScanBaseName = safeNamePart((side == 0 ? m_text9 : m_text10)->text());
    job.ScanWrlName = job.ScanBaseName + QStringLiteral(".Wrl");
    PickUpOutcome outcome = PickUpOutcome::ScanMissing;
    try {
        Put_Scanner_Settings(m_scanner, job);
        if (!QFileInfo(job.CurrentFolder).isDir())
            throw SolvaneError(ErrorNumber::FileNotFound,
                               QStringLiteral("The job folder ") + job.CurrentFolder + QStringLiteral(" is missing"));
        const ScannerCommand command = Ruru_Scanner_Command(job);
        Write_Scanner_Bat(command);
        const bool stopped = Run_Scanner(command).stopped;
        outcome = side == 0 ? Process_Left_Scan(stopped) : Process_Right_Scan(stopped);
    } catch (const std::exception &error) {
        Set_Status(QStringLiteral("Error: ") + reasonOf(error));
        UI().message(QStringLiteral("MiniScanner Application Error"), QStringLiteral("Error"),
                     Prompter::Icon::Critical);
        return;
    }
    // The load has shown the foot's view; this window comes back over it.
    if (outcome != PickUpOutcome::LoadFailed)
        Bring_To_Front(this);
}

void IntakeForm::scanLsrFeet()
{
    ScriptRecord &job = Job();
    Put_Scanner_Settings(m_scanner, job);
    FootViewPickups views;
    LsrPickup pickup(job, views, *this);
    // A stopped wait goes on as a run that left nothing: the pick-up then
    // finds no scans and says so.
    pickup.Scan_Feet(m_text1->text(), m_text2->text(), [&job] {
        const ScannerCommand command = Lsr_Scanner_Command(job);
        Write_Scanner_Bat(command);
        Run_Scanner(command);
    });
}

void IntakeForm::scanPellmarFoot(ScanSide side)
{
    ScriptRecord &job = Job();
    // A refused scan (the foot already scanned) leaves the job as it was.
    if (!Already_Scanned(job, side))
        Put_Scanner_Settings(m_scanner, job);
    FootViewPickups views;
    PellmarPickup pickup(job, views, *this);
    // A stopped wait goes on as a run that left nothing: the drop file is
    // then not new, and the pick-up says so.
    pickup.Scan_Foot(side, m_text1->text(), m_text2->text(), [&job] {
        const ScannerCommand command = Pellmar_Scanner_Command(job);
        Write_Scanner_Bat(command);
        Run_Scanner(command);
    });
}

void IntakeForm::ShowStatus(const QString &text)
{
    if (!m_statusPanel)
        return;
    m_statusPanel->setText(text);
    m_statusPanel->repaint();
}

void IntakeForm::Show_Scan_Names(const QString &left, const QString &right)
{
    if (m_text9)
        m_text9->setText(left);
    if (m_text10)
        m_text10->setText(right);
}

void IntakeForm::Take_Focus()
{
    Bring_To_Front(this);
}

void IntakeForm::scanWithSoftware()
{
    const QString software = Resolve_File_Nocase(From_Windows_Path(kScannerSoftware));
    if (!File_Exists(software)) {
        UI().message(QStringLiteral("The MiniScanner Software was Not Found"), QStringLiteral("Warning"),
                     Prompter::Icon::Warning);
        return;
    }
    try {
        if (ShellServices *shell = Shell())
            shell->Minimize_Main_Window();
        Run_And_Wait_Idle(software, {}, {QFileInfo(software).absolutePath(), QString()});
        const QString starter = Helper_Program_File(kScannerStarter);
        if (starter.isEmpty())
            throw SolvaneError(ErrorNumber::FileNotFound,
                               Paths::file(kScannerStarter) + QStringLiteral(" was not found"));
        Run_And_Wait_Idle(starter, {}, {Paths::root(), QString()});
    } catch (const std::exception &error) {
        Set_Status(QStringLiteral("Error: ") + reasonOf(error));
        UI().message(QStringLiteral("MiniScanner Application Error"), QStringLiteral("Error"),
                     Prompter::Icon::Critical);
    }
}

void Register_Intake_Windows()
{
    for (const IntakeVariant &variant : Intake_Variants())
        Windows().registerFactory(variant.window, [&variant] { return new IntakeForm(variant); });
    // Read while the rigid window loads: the boxes as typed while the
    // Pellmar rigid window is loaded, else nothing (the accessor then gives
    // "0.0" eight times). The window is never created for it.
    Set_Pellmar_Measurements_Source([]() -> std::optional<PellmarMeasurements> {
        if (auto *form = qobject_cast<IntakeForm *>(Windows().loaded(QStringLiteral("ScanForm6"))))
            return form->measurements();
        return std::nullopt;
    });
}
