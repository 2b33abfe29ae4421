// The "Job Data" tab: client and job boxes on the left, the scan's
// particulars on the right.
#include "scriptform1_ui.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace SoftForm {

namespace {

QLineEdit *lineBox(const QString &name, bool readOnly = false)
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

} // namespace

JobDataTab JobDataTab::build(QWidget *tab)
{
    JobDataTab t;
    auto *columns = new QHBoxLayout(tab);
    auto *left = new QGridLayout;
    auto *right = new QGridLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);

    int r = 0;
    auto addRow = [&](const QString &caption, QWidget *control, QWidget *extra = nullptr) {
        left->addWidget(captionFor(caption, control), r, 0);
        left->addWidget(control, r, 1);
        if (extra)
            left->addWidget(extra, r, 2);
        ++r;
    };

    addRow(QStringLiteral("Client First Name"), t.firstName = lineBox(QStringLiteral("Text38")));
    addRow(QStringLiteral("Client Surname"), t.surname = lineBox(QStringLiteral("Text49")));
    addRow(QStringLiteral("Job Number"), t.jobNumber = lineBox(QStringLiteral("Text1"), true));
    addRow(QStringLiteral("Gender"), t.gender = lineBox(QStringLiteral("Text5")));
    addRow(QStringLiteral("Podiatrist Name"), t.podiatrist = editableCombo(QStringLiteral("Combo2")));
    addRow(QStringLiteral("Clinic Name"), t.clinic = editableCombo(QStringLiteral("Combo3")));
    addRow(QStringLiteral("Patient File Number"), t.patientFileNumber = lineBox(QStringLiteral("Text48")));

    {
        const FormParts::DispenseDateRow row =
            FormParts::dispenseDateRow(QStringLiteral("Text29"), QStringLiteral("Check"));
        t.dispenseDate = row.date;
        t.priorityReturn = row.ticks[0];
        t.confirmBeforeManufacture = row.ticks[1];
        t.sendConfirmationEmail = row.ticks[2];
        left->addWidget(captionFor(QStringLiteral("Dispense Date"), t.dispenseDate), r, 0);
        left->addWidget(row.row, r, 1, 1, 2);
        ++r;
    }
    addRow(QStringLiteral("PDF Output File"), t.pdfFile = lineBox(QStringLiteral("Text2")));
    const QString footNames[2] = {QStringLiteral("Left"), QStringLiteral("Right")};
    for (int side = 0; side < 2; ++side) {
        t.scanFile[side] = lineBox(sideName(QStringLiteral("Text3"), side), true);
        t.chooseScanFile[side] = commandButton(QStringLiteral("Command%1").arg(28 + side), QStringLiteral("..."),
                                               QStringLiteral("Choose %1 Scan File").arg(footNames[side]));
        addRow(QStringLiteral("%1 Scan File").arg(footNames[side]), t.scanFile[side], t.chooseScanFile[side]);
    }
    for (int side = 0; side < 2; ++side) {
        t.graphicFile[side] = lineBox(sideName(QStringLiteral("Text37"), side), true);
        addRow(QStringLiteral("%1 Graphic File").arg(footNames[side]), t.graphicFile[side]);
    }
    left->setRowStretch(r, 1);

    int q = 0;
    auto addRight = [&](const QString &caption, QWidget *control) {
        right->addWidget(captionFor(caption, control), q, 0);
        right->addWidget(control, q, 1, 1, 2);
        ++q;
    };
    addRight(QStringLiteral("Scanner ID"), t.scannerId = lineBox(QStringLiteral("Text44")));
    addRight(QStringLiteral("Operator Code"), t.operatorCode = lineBox(QStringLiteral("Text43")));
    t.user = named<QComboBox>(QStringLiteral("Combo8"));
    t.user->setAccessibleName(QStringLiteral("User"));
    right->addWidget(t.user, q++, 1, 1, 2);
    right->addWidget(new QLabel(footNames[0]), q, 1);
    right->addWidget(new QLabel(footNames[1]), q, 2);
    ++q;
    // A row of two read-only boxes; the left and right boxes are named apart.
    auto addRightPair = [&](const QString &caption, const Pair<QLineEdit> &boxes) {
        right->addWidget(new QLabel(caption), q, 0);
        for (int side = 0; side < 2; ++side) {
            boxes[side]->setAccessibleName(caption + u' ' + footNames[side]);
            right->addWidget(boxes[side], q, 1 + side);
        }
        ++q;
    };
    auto readOnlyPair = [](const QString &left, const QString &right) {
        return Pair<QLineEdit>{lineBox(left, true), lineBox(right, true)};
    };
    t.scanDate = readOnlyPair(QStringLiteral("Text41_0"), QStringLiteral("Text41_1"));
    addRightPair(QStringLiteral("Scan Date"), t.scanDate);
    t.scanTime = readOnlyPair(QStringLiteral("Text42_0"), QStringLiteral("Text42_1"));
    addRightPair(QStringLiteral("Scan Time"), t.scanTime);
    t.templateCode = readOnlyPair(QStringLiteral("Text15"), QStringLiteral("Text27"));
    addRightPair(QStringLiteral("Template Code"), t.templateCode);
    t.graphicImage = commandButton(QStringLiteral("Command21"), QStringLiteral("Graphic Image"));
    t.graphicImage->hide();
    right->addWidget(t.graphicImage, q++, 1, 1, 2);
    right->setRowStretch(q, 1);
    return t;
}

} // namespace SoftForm
