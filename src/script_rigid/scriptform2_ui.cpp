#include "scriptform2_ui.h"

#include "gridcontrol.h"

#include "formparts.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using FormParts::captionFor;
using FormParts::commandButton;
using FormParts::named;
using FormParts::sideName;

namespace RigidForm {

namespace {

QLineEdit *lineBox(const QString &name, bool readOnly)
{
    auto *e = named<QLineEdit>(name);
    e->setReadOnly(readOnly);
    return e;
}

QComboBox *editableCombo(const QString &name)
{
    auto *c = named<QComboBox>(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

const QString kFootNames[2] = {QStringLiteral("Left"), QStringLiteral("Right")};

} // namespace

JobDataTab JobDataTab::build(QWidget *tab)
{
    JobDataTab t;
    auto *columns = new QHBoxLayout(tab);
    auto *left = new QGridLayout;
    auto *right = new QGridLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);

    // The single boxes of the left column, in their order on the tab; the
    // read-only ones show the job but never go back into it.
    const struct
    {
        QLineEdit *JobDataTab::*box;
        const char *name;
        const char *caption;
        bool readOnly;
    } boxes[] = {
        {&JobDataTab::firstName, "rText38", "Client First Name", false},
        {&JobDataTab::surname, "rText49", "Client Surname", false},
        {&JobDataTab::jobNumber, "rText1", "Job Number", true},
        {&JobDataTab::patientFileNumber, "rText48", "Patient File Number", false},
        {&JobDataTab::pdfFile, "rText2", "PDF Output File", false},
    };
    int r = 0;
    for (const auto &b : boxes) {
        t.*b.box = lineBox(QString::fromLatin1(b.name), b.readOnly);
        left->addWidget(captionFor(QString::fromLatin1(b.caption), t.*b.box), r, 0);
        left->addWidget(t.*b.box, r++, 1, 1, 2);
    }
    auto addCombo = [&](QComboBox *combo, const QString &caption) {
        left->addWidget(captionFor(caption, combo), r, 0);
        left->addWidget(combo, r++, 1, 1, 2);
        return combo;
    };
    t.podiatrist = addCombo(editableCombo(QStringLiteral("rCombo2")), QStringLiteral("Podiatrist Name"));
    t.clinic = addCombo(editableCombo(QStringLiteral("rCombo3")), QStringLiteral("Clinic Name"));

    {
        const FormParts::DispenseDateRow row =
            FormParts::dispenseDateRow(QStringLiteral("rText29"), QStringLiteral("rCheck"));
        t.dispenseDate = row.date;
        t.priorityReturn = row.ticks[0];
        t.confirmBeforeManufacture = row.ticks[1];
        t.sendConfirmationEmail = row.ticks[2];
        left->addWidget(captionFor(QStringLiteral("Dispense Date"), t.dispenseDate), r, 0);
        left->addWidget(row.row, r++, 1, 1, 2);
    }
    for (const auto &[pair, name, what] :
         {std::tuple{&t.scanFile, "rText3", "Scan File"}, std::tuple{&t.graphicFile, "rText37", "Graphic File"}}) {
        for (int side = 0; side < 2; ++side) {
            QLineEdit *box = lineBox(sideName(QString::fromLatin1(name), side), true);
            (*pair)[side] = box;
            left->addWidget(captionFor(kFootNames[side] + u' ' + QString::fromLatin1(what), box), r, 0);
            left->addWidget(box, r++, 1, 1, 2);
        }
    }
    left->setRowStretch(r, 1);

    int q = 0;
    auto addRight = [&](const QString &caption, QLineEdit *box) {
        right->addWidget(captionFor(caption, box), q, 0);
        right->addWidget(box, q++, 1, 1, 2);
    };
    addRight(QStringLiteral("Scanner ID"), t.scannerId = lineBox(QStringLiteral("rText44"), false));
    addRight(QStringLiteral("Operator Code"), t.operatorCode = lineBox(QStringLiteral("rText43"), false));
    t.user = named<QComboBox>(QStringLiteral("rCombo8"));
    t.user->setAccessibleName(QStringLiteral("User"));
    right->addWidget(t.user, q++, 1, 1, 2);
    right->addWidget(new QLabel(kFootNames[0]), q, 1);
    right->addWidget(new QLabel(kFootNames[1]), q++, 2);
    // Rows of two read-only boxes under "Left" and "Right".
    for (const auto &[pair, name, caption] :
         {std::tuple{&t.scanDate, "rText41", "Scan Date"}, std::tuple{&t.scanTime, "rText42", "Scan Time"}}) {
        const QString text = QString::fromLatin1(caption);
        right->addWidget(new QLabel(text), q, 0);
        for (int side = 0; side < 2; ++side) {
            QLineEdit *box = lineBox(sideName(QString::fromLatin1(name), side), true);
            box->setAccessibleName(text + u' ' + kFootNames[side]);
            (*pair)[side] = box;
            right->addWidget(box, q, 1 + side);
        }
        ++q;
    }
    t.nextJob = commandButton(QStringLiteral("Command4"), QStringLiteral("Next Job"));
    right->addWidget(t.nextJob, q++, 1, 1, 2);
    t.graphicImage = commandButton(QStringLiteral("Command21"), QStringLiteral("Graphic Image"));
    right->addWidget(t.graphicImage, q++, 1, 1, 2);
    right->setRowStretch(q, 1);
    return t;
}

FootDataTab FootDataTab::build(QWidget *tab)
{
    FootDataTab t;
    auto *v = new QVBoxLayout(tab);
    t.grid = new GridControl;
    t.grid->setAccessibleName(QStringLiteral("Prescription"));
    v->addWidget(t.grid, 1);
    auto *row = new QHBoxLayout;
    v->addLayout(row);
    t.sizes = commandButton(QStringLiteral("Command10"), QStringLiteral("Sizes"));
    t.newGrid = commandButton(QStringLiteral("Command6"), QStringLiteral("New Grid"));
    t.printOptions = commandButton(QStringLiteral("Command20"), QStringLiteral("Print Options"));
    for (QPushButton *b : {t.sizes, t.newGrid, t.printOptions})
        row->addWidget(b);
    row->addStretch(1);
    return t;
}

ButtonRow ButtonRow::build(QBoxLayout *row)
{
    ButtonRow b;
    auto column = [&](QPushButton *top, QPushButton *bottom) {
        auto *v = new QVBoxLayout;
        v->addWidget(top);
        v->addWidget(bottom);
        row->addLayout(v);
    };
    b.quit = commandButton(QStringLiteral("Command1"), QStringLiteral("QUIT"));
    b.quit->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    row->addWidget(b.quit);
    b.openScript = commandButton(QStringLiteral("Command9"), QStringLiteral("Open Script"));
    b.saveScript = commandButton(QStringLiteral("Command8"), QStringLiteral("Save Script"));
    column(b.openScript, b.saveScript);
    b.upload = commandButton(QStringLiteral("Command7"), QStringLiteral("Upload to Database"));
    b.upload->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    row->addWidget(b.upload);
    b.submit = commandButton(QStringLiteral("Command2"), QStringLiteral("Submit Job to Laboratory"));
    b.saveLocally = commandButton(QStringLiteral("Command3"), QStringLiteral("Save Job Locally"));
    column(b.submit, b.saveLocally);
    row->addStretch(1);
    return b;
}

void ScriptForm2Ui::setupUi(QWidget *form)
{
    auto *outer = new QVBoxLayout(form);
    tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("SSTab1"));
    outer->addWidget(tabs, 1);

    const QString tabNames[3] = {QStringLiteral("Job Data"), QStringLiteral("Foot Data"), QStringLiteral("Graphics")};
    std::array<QWidget *, 3> pages{};
    for (int i = 0; i < 3; ++i) {
        pages[i] = new QWidget;
        pages[i]->setObjectName(QStringLiteral("SSTab1_Tab%1").arg(i));
        tabs->addTab(pages[i], tabNames[i]);
    }
    jobData = JobDataTab::build(pages[0]);
    footData = FootDataTab::build(pages[1]);
    graphics = DrawingPaneTab::build(
        pages[2], {DrawingPaneTab::Window::Rigid, QStringLiteral("Vecad2"), QStringLiteral("rLabel")});

    auto *row = new QHBoxLayout;
    outer->addLayout(row);
    buttons = ButtonRow::build(row);

    // The window is kept with "Foot Data" current; the load's switch to
    // "Job Data" is then a tab change like any other.
    tabs->setCurrentIndex(1);
}

} // namespace RigidForm
