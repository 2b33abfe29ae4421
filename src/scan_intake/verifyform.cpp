#include "verifyform.h"

#include "jobrelocator.h"
#include "mainconfig.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "windowregistry.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kWindowName = QStringLiteral("VerifyForm");

QLineEdit *folderBox(QWidget *parent, const QString &name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    // The folders are shown, not typed: the move takes them from the job
    // and the clinic list.
    box->setReadOnly(true);
    box->setMinimumWidth(420);
    return box;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(name);
    pushButton->setAccessibleName(caption);
    return pushButton;
}

QLabel *captionFor(QWidget *control, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(control);
    control->setAccessibleName(caption);
    return label;
}

} // namespace

VerifyForm::VerifyForm(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(kWindowName);
    setWindowTitle(QStringLiteral("Move Directory Location"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_text1 = folderBox(this, QStringLiteral("Text1"));
    m_text2 = folderBox(this, QStringLiteral("Text2"));
    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_command3 = button(this, QStringLiteral("Command3"), QStringLiteral("Relocate the Directory"));
    m_command2 = button(this, QStringLiteral("Command2"), QStringLiteral("Accept"));
    m_command1 = button(this, QStringLiteral("Command1"), QStringLiteral("Quit"));

    auto *fields = new QGridLayout;
    fields->addWidget(captionFor(m_text1, QStringLiteral("Current Directory"), this), 0, 0);
    fields->addWidget(m_text1, 0, 1);
    m_combo1Caption = captionFor(m_combo1, QStringLiteral("Required Clinic (Move to this Location)"), this);
    fields->addWidget(m_combo1Caption, 1, 0);
    fields->addWidget(m_combo1, 1, 1);
    fields->addWidget(captionFor(m_text2, QStringLiteral("Clinic Directory"), this), 2, 0);
    fields->addWidget(m_text2, 2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_command3);
    buttons->addStretch(1);
    buttons->addWidget(m_command2);
    buttons->addWidget(m_command1);

    auto *column = new QVBoxLayout(this);
    column->addLayout(fields);
    column->addStretch(1);
    column->addLayout(buttons);

    connect(m_combo1, &QComboBox::currentTextChanged, this, &VerifyForm::clinicChosen);
    connect(m_command3, &QPushButton::clicked, this, &VerifyForm::relocateDirectory);
    connect(m_command1, &QPushButton::clicked, this, &QWidget::close);
    // "Accept" has no action of its own.

    ScriptRecord &job = Job();
    m_text1->setText(QDir::toNativeSeparators(job.CurrentFolder));
    m_text2->setText(QDir::toNativeSeparators(job.RelocationFolder));
    Load_Listbox();
    m_requiredClinic = m_combo1->isHidden() ? QString() : m_combo1->currentText();
    job.CurrentUser = m_requiredClinic;
    // With a single user the move goes to the data folder itself: say so.
    if (m_combo1->isHidden())
        m_text2->setText(QDir::toNativeSeparators(Relocation_Folder(QString())));
}

void VerifyForm::Load_Listbox()
{
    const QStringList clinics = User_List_Names(Job());
    {
        const QSignalBlocker quiet(m_combo1);
        m_combo1->clear();
        m_combo1->addItems(clinics);
        m_combo1->setCurrentIndex(-1);
    }
    m_combo1->setHidden(clinics.isEmpty());
    m_combo1Caption->setHidden(clinics.isEmpty());
    if (clinics.isEmpty())
        return;
    m_combo1->setCurrentIndex(0);
    m_requiredClinic = m_combo1->currentText();
    Job().RelocationFolder = Relocation_Folder(m_requiredClinic);
}

void VerifyForm::clinicChosen(const QString &clinic)
{
    m_requiredClinic = clinic;
    m_text2->setText(QDir::toNativeSeparators(Relocation_Folder(clinic)));
    Job().CurrentUser = clinic;
}

void VerifyForm::relocateDirectory()
{
    Run_Command([this] {
        JobRelocator relocator(Job(), Relocation_Folder(m_requiredClinic));
        const JobRelocator::Outcome outcome = relocator.relocate();
        if (outcome == JobRelocator::Outcome::Moved || outcome == JobRelocator::Outcome::NoMatchString)
            close();
    });
}

void Register_Relocation_Window()
{
    Windows().registerFactory(kWindowName, [] { return new VerifyForm; });
}
