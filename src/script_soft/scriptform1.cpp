#include "scriptform1.h"

#include "depthform.h"
#include "firstkeyclears.h"
#include "namelists.h"
#include "optionform.h"
#include "scanchoice.h"
#include "softfields.h"
#include "softhooks.h"
#include "softtables.h"

#include "csveva.h"
#include "jobevents.h"
#include "jobnames.h"
#include "numbers.h"
#include "paths.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "sizechart.h"
#include "windowregistry.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>

QString ScriptForm1::SavedFootSizeL;
QString ScriptForm1::SavedFootSizeR;

namespace {

const QString kWindowName = QStringLiteral("ScriptForm1");

// The measurement rows both loaders write first, in their order.
const QStringList kMeasurementRows = {
    QStringLiteral("Text8"),  QStringLiteral("Text9"),  QStringLiteral("Text10"), QStringLiteral("Text11"),
    QStringLiteral("Text12"), QStringLiteral("Text13"), QStringLiteral("Text14"), QStringLiteral("Text16"),
    QStringLiteral("Text17"), QStringLiteral("Text18"), QStringLiteral("Text19"), QStringLiteral("Text20"),
    QStringLiteral("Text21"), QStringLiteral("Text22"), QStringLiteral("Text23"), QStringLiteral("Text24"),
    QStringLiteral("Text25"), QStringLiteral("Text26"), QStringLiteral("Text28"),
};

QString sideName(const QString &control, int side)
{
    return control + u'_' + QString::number(side);
}

// A caption beside a control; the control takes it as its accessible name.
QLabel *captionFor(const QString &text, QWidget *control)
{
    auto *label = new QLabel(text);
    if (control) {
        label->setBuddy(control);
        control->setAccessibleName(text);
    }
    return label;
}

} // namespace

// ---------------------------------------------------------------- building

ScriptForm1::ScriptForm1(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(kWindowName);
    setWindowTitle(QStringLiteral("EVA Orthotic Script File"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *outer = new QVBoxLayout(this);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    outer->addWidget(m_tabs, 1);

    const QStringList tabNames = {QStringLiteral("Job Data"), QStringLiteral("Foot Data"),
                                  QStringLiteral("Orthotic Data"), QStringLiteral("Graphics")};
    QWidget *tabs[4];
    for (int i = 0; i < 4; ++i) {
        tabs[i] = new QWidget;
        tabs[i]->setObjectName(QStringLiteral("SSTab1_Tab%1").arg(i));
        m_tabs->addTab(tabs[i], tabNames[i]);
    }
    buildJobDataTab(tabs[0]);
    buildFootDataTab(tabs[1]);
    buildOrthoticDataTab(tabs[2]);
    buildGraphicsTab(tabs[3]);

    auto *row = new QHBoxLayout;
    outer->addLayout(row);
    buildButtonRow(row);

    // The window is kept with "Foot Data" current; the load's switch to
    // "Job Data" is then a tab change like any other.
    m_tabs->setCurrentIndex(1);
    connectBehaviour();

    // A failure while loading is shown; the window still opens.
    Run_Command([this] { Run_Load_Steps(); });
}

ScriptForm1::~ScriptForm1() = default;

template <typename T>
static T *named(QHash<QString, QWidget *> &controls, const QString &name)
{
    auto *w = new T;
    w->setObjectName(name);
    controls.insert(name, w);
    return w;
}

void ScriptForm1::buildJobDataTab(QWidget *tab)
{
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
    auto lineBox = [&](const QString &name, bool readOnly = false) {
        auto *e = named<QLineEdit>(m_controls, name);
        e->setReadOnly(readOnly);
        return e;
    };
    auto editableCombo = [&](const QString &name) {
        auto *c = named<QComboBox>(m_controls, name);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        return c;
    };
    auto button = [&](const QString &name, const QString &caption) {
        auto *b = named<QPushButton>(m_controls, name);
        b->setText(caption);
        b->setAccessibleName(caption);
        return b;
    };

    addRow(QStringLiteral("Client First Name"), lineBox(QStringLiteral("Text38")));
    addRow(QStringLiteral("Client Surname"), lineBox(QStringLiteral("Text49")));
    addRow(QStringLiteral("Job Number"), lineBox(QStringLiteral("Text1"), true));
    addRow(QStringLiteral("Gender"), lineBox(QStringLiteral("Text5")));
    addRow(QStringLiteral("Podiatrist Name"), editableCombo(QStringLiteral("Combo2")));
    addRow(QStringLiteral("Clinic Name"), editableCombo(QStringLiteral("Combo3")));
    addRow(QStringLiteral("Patient File Number"), lineBox(QStringLiteral("Text48")));

    {
        auto *date = lineBox(QStringLiteral("Text29"));
        // The ticks beside it would otherwise squeeze the date out of sight.
        date->setMinimumWidth(date->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000"))
                              + date->minimumSizeHint().width());
        auto *ticks = new QHBoxLayout;
        ticks->setContentsMargins(0, 0, 0, 0);
        auto *holder = new QWidget;
        holder->setLayout(ticks);
        ticks->addWidget(date);
        const QStringList texts = {QStringLiteral("Priority Return"), QStringLiteral("Confirm Before Manufacture"),
                                   QStringLiteral("Send Confirmation E-Mail")};
        for (int i = 0; i < 3; ++i) {
            auto *c = named<QCheckBox>(m_controls, QStringLiteral("Check%1").arg(i + 1));
            c->setText(texts[i]);
            c->setAccessibleName(texts[i]);
            ticks->addWidget(c);
        }
        left->addWidget(captionFor(QStringLiteral("Dispense Date"), date), r, 0);
        left->addWidget(holder, r, 1, 1, 2);
        ++r;
    }
    addRow(QStringLiteral("PDF Output File"), lineBox(QStringLiteral("Text2")));
    addRow(QStringLiteral("Left Scan File"), lineBox(QStringLiteral("Text3_0"), true),
           button(QStringLiteral("Command28"), QStringLiteral("...")));
    addRow(QStringLiteral("Right Scan File"), lineBox(QStringLiteral("Text3_1"), true),
           button(QStringLiteral("Command29"), QStringLiteral("...")));
    m_controls.value(QStringLiteral("Command28"))->setAccessibleName(QStringLiteral("Choose Left Scan File"));
    m_controls.value(QStringLiteral("Command29"))->setAccessibleName(QStringLiteral("Choose Right Scan File"));
    addRow(QStringLiteral("Left Graphic File"), lineBox(QStringLiteral("Text37_0"), true));
    addRow(QStringLiteral("Right Graphic File"), lineBox(QStringLiteral("Text37_1"), true));
    left->setRowStretch(r, 1);

    int q = 0;
    auto addRight = [&](const QString &caption, QWidget *control) {
        right->addWidget(captionFor(caption, control), q, 0);
        right->addWidget(control, q, 1, 1, 2);
        ++q;
    };
    addRight(QStringLiteral("Scanner ID"), lineBox(QStringLiteral("Text44")));
    addRight(QStringLiteral("Operator Code"), lineBox(QStringLiteral("Text43")));
    {
        auto *users = named<QComboBox>(m_controls, QStringLiteral("Combo8"));
        users->setAccessibleName(QStringLiteral("User"));
        right->addWidget(users, q++, 1, 1, 2);
    }
    right->addWidget(new QLabel(QStringLiteral("Left")), q, 1);
    right->addWidget(new QLabel(QStringLiteral("Right")), q, 2);
    ++q;
    auto addRightPair = [&](const QString &caption, const QString &name) {
        right->addWidget(new QLabel(caption), q, 0);
        for (int side = 0; side < 2; ++side) {
            auto *e = lineBox(sideName(name, side), true);
            e->setAccessibleName(caption + (side == 0 ? QStringLiteral(" Left") : QStringLiteral(" Right")));
            right->addWidget(e, q, 1 + side);
        }
        ++q;
    };
    addRightPair(QStringLiteral("Scan Date"), QStringLiteral("Text41"));
    addRightPair(QStringLiteral("Scan Time"), QStringLiteral("Text42"));
    {
        auto *codeL = lineBox(QStringLiteral("Text15"), true);
        auto *codeR = lineBox(QStringLiteral("Text27"), true);
        codeL->setAccessibleName(QStringLiteral("Template Code Left"));
        codeR->setAccessibleName(QStringLiteral("Template Code Right"));
        right->addWidget(new QLabel(QStringLiteral("Template Code")), q, 0);
        right->addWidget(codeL, q, 1);
        right->addWidget(codeR, q, 2);
        ++q;
    }
    auto *graphic = button(QStringLiteral("Command21"), QStringLiteral("Graphic Image"));
    graphic->hide();
    right->addWidget(graphic, q++, 1, 1, 2);
    right->setRowStretch(q, 1);
}

void ScriptForm1::buildFootDataTab(QWidget *tab)
{
    auto *columns = new QHBoxLayout(tab);
    QGridLayout *blocks[2] = {new QGridLayout, new QGridLayout};
    for (QGridLayout *g : blocks) {
        columns->addLayout(g, 1);
        g->addWidget(new QLabel(QStringLiteral("Left")), 0, 1);
        g->addWidget(new QLabel(QStringLiteral("Right")), 0, 2);
    }
    int rows[2] = {1, 1};

    // A labelled row of two controls and its unit; returns the row's widgets
    // so that hidden rows can be hidden whole.
    auto addPair = [&](int block, const QString &caption, QWidget *l, QWidget *r, const QString &unit,
                       QWidget *extraL = nullptr, QWidget *extraR = nullptr) {
        QGridLayout *g = blocks[block];
        const int row = rows[block]++;
        auto *label = new QLabel(caption);
        label->setBuddy(l);
        l->setAccessibleName(caption + QStringLiteral(" Left"));
        r->setAccessibleName(caption + QStringLiteral(" Right"));
        g->addWidget(label, row, 0);
        auto cell = [](QWidget *w, QWidget *extra) -> QWidget * {
            if (!extra)
                return w;
            auto *holder = new QWidget;
            auto *h = new QHBoxLayout(holder);
            h->setContentsMargins(0, 0, 0, 0);
            h->addWidget(w, 1);
            h->addWidget(extra);
            return holder;
        };
        g->addWidget(cell(l, extraL), row, 1);
        g->addWidget(cell(r, extraR), row, 2);
        auto *unitLabel = new QLabel(unit);
        g->addWidget(unitLabel, row, 3);
        return std::array<QWidget *, 2>{label, unitLabel};
    };
    auto boxPair = [&](int block, const QString &name, const QString &caption, const QString &unit,
                       QWidget *extraL = nullptr, QWidget *extraR = nullptr) {
        auto *l = named<QLineEdit>(m_controls, sideName(name, 0));
        auto *r = named<QLineEdit>(m_controls, sideName(name, 1));
        auto parts = addPair(block, caption, l, r, unit, extraL, extraR);
        return std::array<QWidget *, 4>{parts[0], parts[1], l, r};
    };
    auto comboPair = [&](int block, const QString &name, const QString &caption, const QString &unit, bool editable,
                         QWidget *extra = nullptr) {
        QComboBox *c[2];
        for (int side = 0; side < 2; ++side) {
            c[side] = named<QComboBox>(m_controls, sideName(name, side));
            c[side]->setEditable(editable);
            c[side]->setInsertPolicy(QComboBox::NoInsert);
        }
        addPair(block, caption, c[0], c[1], unit, nullptr, extra);
    };
    auto button = [&](const QString &name, const QString &caption, const QString &accessible) {
        auto *b = named<QPushButton>(m_controls, name);
        b->setText(caption);
        b->setAccessibleName(accessible);
        return b;
    };
    auto hideRow = [](const std::array<QWidget *, 4> &row) {
        for (QWidget *w : row)
            w->hide();
    };

    // First block.
    comboPair(0, QStringLiteral("Combo1"), QStringLiteral("Foot Size"), QString(), true,
              button(QStringLiteral("Command10"), QStringLiteral("Sizes"), QStringLiteral("Sizes")));
    {
        auto *tl = named<QLineEdit>(m_controls, QStringLiteral("Text30"));
        auto *tr = named<QLineEdit>(m_controls, QStringLiteral("Text46"));
        tl->setReadOnly(true);
        tr->setReadOnly(true);
        addPair(0, QStringLiteral("Template Length"), tl, tr, QStringLiteral("mm"));
    }
    {
        auto row = boxPair(0, QStringLiteral("Text7"), QStringLiteral("Foot Length"), QStringLiteral("mm"));
        static_cast<QLineEdit *>(row[2])->setReadOnly(true);
        static_cast<QLineEdit *>(row[3])->setReadOnly(true);
    }
    comboPair(0, QStringLiteral("Combo6"), QStringLiteral("Insole Thickness"), QStringLiteral("mm"), true);
    boxPair(0, QStringLiteral("Text8"), QStringLiteral("Forefoot Varus"), QStringLiteral("deg"));
    boxPair(0, QStringLiteral("Text9"), QStringLiteral("Forefoot Valgus"), QStringLiteral("deg"));
    boxPair(0, QStringLiteral("Text10"), QStringLiteral("Heel to Varus Length"), QStringLiteral("mm"));
    boxPair(0, QStringLiteral("Text47"), QStringLiteral("Heel to Dot Length"), QStringLiteral("mm"));
    boxPair(0, QStringLiteral("Text13"), QStringLiteral("Top Surf Heel Width"), QStringLiteral("mm"));
    boxPair(0, QStringLiteral("Text14"), QStringLiteral("Top Surf MidFoot Width"), QStringLiteral("L/M mm"));
    boxPair(0, QStringLiteral("Text39"), QStringLiteral("Top Surf Forefoot Width"), QStringLiteral("mm"));
    hideRow(boxPair(0, QStringLiteral("Text40"), QStringLiteral("Midfoot Insert Height"), QStringLiteral("mm")));
    hideRow(boxPair(0, QStringLiteral("Text45"), QStringLiteral("Midfoot Insert Length"), QStringLiteral("mm")));
    boxPair(0, QStringLiteral("Text22"), QStringLiteral("Arch Height"), QStringLiteral("mm"));
    {
        auto row = boxPair(
            0, QStringLiteral("Text11"), QStringLiteral("Extra Heel Depth"), QStringLiteral("mm"),
            button(QStringLiteral("Command5"), QStringLiteral("S"), QStringLiteral("Extra Heel Depth Side Left")),
            button(QStringLiteral("Command6"), QStringLiteral("S"), QStringLiteral("Extra Heel Depth Side Right")));
        row[1]->hide(); // the unit label
    }
    {
        auto row = boxPair(0, QStringLiteral("Text12"), QStringLiteral("Forefoot Elevation"), QStringLiteral("mm"));
        row[2]->setEnabled(false);
        row[3]->setEnabled(false);
        hideRow(row);
    }
    {
        auto *graphic =
            button(QStringLiteral("Command22"), QStringLiteral("Graphic Image"), QStringLiteral("Graphic Image"));
        graphic->hide();
        blocks[0]->addWidget(graphic, rows[0]++, 1, 1, 2);
    }

    // Second block.
    boxPair(1, QStringLiteral("Text18"), QStringLiteral("Inversion Ramp"), QStringLiteral("deg"));
    boxPair(1, QStringLiteral("Text19"), QStringLiteral("Eversion Ramp"), QStringLiteral("deg"));
    boxPair(1, QStringLiteral("Text20"), QStringLiteral("Arch Fill"), QStringLiteral("%"));
    boxPair(1, QStringLiteral("Text21"), QStringLiteral("Lateral Arch Fill"), QStringLiteral("%"));
    boxPair(1, QStringLiteral("Text23"), QStringLiteral("Heel Lift"), QStringLiteral("mm"));
    boxPair(1, QStringLiteral("Text24"), QStringLiteral("Heel Cup"), QStringLiteral("%"));
    boxPair(1, QStringLiteral("Text25"), QStringLiteral("Rear Foot Posting"), QStringLiteral("deg"));
    boxPair(1, QStringLiteral("Text26"), QStringLiteral("Rear Foot Posting Lat"), QStringLiteral("deg"));
    comboPair(1, QStringLiteral("Combo7"), QStringLiteral("PFA"), QStringLiteral("mm"), true);

    // Two option buttons per foot in their own frame, so each pair is exclusive.
    auto optionFrames = [&](int first, const QString &a, const QString &b, const QString &what) {
        const int row = rows[1]++;
        for (int side = 0; side < 2; ++side) {
            auto *frame = new QWidget;
            frame->setObjectName(QStringLiteral("Frame%1").arg(first + 2 * side));
            auto *h = new QHBoxLayout(frame);
            h->setContentsMargins(0, 0, 0, 0);
            const QString footName = side == 0 ? QStringLiteral(" Left") : QStringLiteral(" Right");
            for (int k = 0; k < 2; ++k) {
                const int n = first + 2 * side + k;
                auto *o = named<QRadioButton>(m_controls, QStringLiteral("Option%1").arg(n));
                o->setText(k == 0 ? a : b);
                o->setAccessibleName(what + footName + u' ' + (k == 0 ? a : b));
                h->addWidget(o);
            }
            blocks[1]->addWidget(frame, row, 1 + side);
        }
    };
    optionFrames(1, QStringLiteral("S"), QStringLiteral("C"), QStringLiteral("PFA Shape"));
    boxPair(1, QStringLiteral("Text28"), QStringLiteral("Metatarsal Wedge"), QStringLiteral("deg"));
    blocks[1]->addWidget(new QLabel(QStringLiteral("Lateral Assumed Unless a Negative Degree")), rows[1]++, 0, 1, 4);
    comboPair(1, QStringLiteral("Combo4"), QStringLiteral("Metdome"), QString(), false);
    comboPair(1, QStringLiteral("Combo5"), QStringLiteral("Metpad"), QString(), false);
    boxPair(1, QStringLiteral("Text16"), QStringLiteral("Skive Depth"), QStringLiteral("mm"));
    boxPair(1, QStringLiteral("Text17"), QStringLiteral("Skive Angle"), QStringLiteral("deg"));
    boxPair(1, QStringLiteral("Text4"), QStringLiteral("Scan Position"), QStringLiteral("deg"));
    optionFrames(5, QStringLiteral("E"), QStringLiteral("I"), QStringLiteral("Scan Position"));

    blocks[0]->setRowStretch(rows[0], 1);
    blocks[1]->setRowStretch(rows[1], 1);
}

void ScriptForm1::buildOrthoticDataTab(QWidget *tab)
{
    auto *grid = new QGridLayout(tab);
    grid->addWidget(new QLabel(QStringLiteral("Left Foot")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Right Foot")), 0, 2);
    int row = 1;
    auto addLists = [&](const QString &caption, const QString &leftName, const QString &rightName, bool multi,
                        const QString &clearButton) {
        auto *l = named<QListWidget>(m_controls, leftName);
        auto *r = named<QListWidget>(m_controls, rightName);
        for (QListWidget *w : {l, r})
            w->setSelectionMode(multi ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
        auto *label = captionFor(caption, l);
        l->setAccessibleName(caption + QStringLiteral(" Left Foot"));
        r->setAccessibleName(caption + QStringLiteral(" Right Foot"));
        grid->addWidget(label, row, 0);
        grid->addWidget(l, row, 1);
        grid->addWidget(r, row, 2);
        if (!clearButton.isEmpty()) {
            auto *b = named<QPushButton>(m_controls, clearButton);
            b->setText(QStringLiteral("Clear All"));
            b->setAccessibleName(QStringLiteral("Clear All ") + caption);
            grid->addWidget(b, row, 3, Qt::AlignTop);
        }
        ++row;
    };
    addLists(QStringLiteral("Orthotic Style"), QStringLiteral("List1_0"), QStringLiteral("List1_1"), false, {});
    addLists(QStringLiteral("EVA Density"), QStringLiteral("List2_0"), QStringLiteral("List2_1"), false, {});
    addLists(QStringLiteral("Top Cover"), QStringLiteral("List3_0"), QStringLiteral("List3_1"), true,
             QStringLiteral("Command26"));
    addLists(QStringLiteral("Insole Options"), QStringLiteral("List4L"), QStringLiteral("List4R"), true,
             QStringLiteral("Command27"));

    auto *notes = named<QPlainTextEdit>(m_controls, QStringLiteral("Text6"));
    grid->addWidget(captionFor(QStringLiteral("Notes"), notes), row, 0);
    grid->addWidget(notes, row, 1, 1, 2);
    ++row;
    auto *print = named<QPushButton>(m_controls, QStringLiteral("Command20"));
    print->setText(QStringLiteral("Print"));
    print->setAccessibleName(QStringLiteral("Print"));
    grid->addWidget(print, row, 0);
}

void ScriptForm1::buildGraphicsTab(QWidget *tab)
{
    auto *v = new QVBoxLayout(tab);
    auto *tools = new QHBoxLayout;
    v->addLayout(tools);
    const QList<std::pair<int, QString>> toolButtons = {
        {11, QStringLiteral("Files")},       {12, QStringLiteral("Sizing")},  {13, QStringLiteral("Edit")},
        {14, QStringLiteral("Draw")},        {15, QStringLiteral("View")},    {16, QStringLiteral("Information")},
        {17, QStringLiteral("Add Feature")}, {18, QStringLiteral("Utility")}, {19, QStringLiteral("L")},
        {23, QStringLiteral("R")},           {24, QStringLiteral("B")},       {25, QStringLiteral("S")},
    };
    for (const auto &[n, caption] : toolButtons) {
        auto *b = named<QPushButton>(m_controls, QStringLiteral("Command%1").arg(n));
        b->setText(caption);
        b->setAccessibleName(caption);
        tools->addWidget(b);
    }
    m_controls.value(QStringLiteral("Command19"))->setAccessibleName(QStringLiteral("Left Foot"));
    m_controls.value(QStringLiteral("Command23"))->setAccessibleName(QStringLiteral("Right Foot"));
    m_controls.value(QStringLiteral("Command24"))->setAccessibleName(QStringLiteral("Both Feet"));
    m_controls.value(QStringLiteral("Command25"))->setAccessibleName(QStringLiteral("Save Image"));
    tools->addStretch(1);

    // Hosts for the drawing pane and the image it draws on.
    auto *panes = new QHBoxLayout;
    v->addLayout(panes, 1);
    auto *vecad = named<QWidget>(m_controls, QStringLiteral("Vecad1"));
    auto *vecadLayout = new QVBoxLayout(vecad);
    vecadLayout->setContentsMargins(0, 0, 0, 0);
    vecad->setMinimumSize(320, 240);
    panes->addWidget(vecad, 1);
    auto *image = named<QLabel>(m_controls, QStringLiteral("ImageX1"));
    image->hide();
    panes->addWidget(image);

    auto *status = new QHBoxLayout;
    v->addLayout(status);
    for (const char *name : {"Label20", "Label42", "Label43", "Label49"})
        status->addWidget(named<QLabel>(m_controls, QString::fromLatin1(name)), 1);
}

void ScriptForm1::buildButtonRow(QBoxLayout *row)
{
    auto button = [&](const QString &name, const QString &caption) {
        auto *b = named<QPushButton>(m_controls, name);
        b->setText(caption);
        b->setAccessibleName(caption);
        return b;
    };
    auto column = [&](QPushButton *top, QPushButton *bottom) {
        auto *v = new QVBoxLayout;
        v->addWidget(top);
        v->addWidget(bottom);
        row->addLayout(v);
    };
    auto *quit = button(QStringLiteral("Command1"), QStringLiteral("QUIT"));
    quit->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    row->addWidget(quit);
    column(button(QStringLiteral("Command9"), QStringLiteral("Open Script")),
           button(QStringLiteral("Command8"), QStringLiteral("Save Script")));
    auto *json = button(QStringLiteral("Command7"), QStringLiteral("Write JSON File"));
    json->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    row->addWidget(json);
    column(button(QStringLiteral("Command2"), QStringLiteral("Submit Job to Laboratory")),
           button(QStringLiteral("Command3"), QStringLiteral("Save Job Locally")));
    auto *next = button(QStringLiteral("Command4"), QStringLiteral("Next Job"));
    next->hide();
    row->addWidget(next);
    row->addStretch(1);
}

// ---------------------------------------------------------------- controls

QLineEdit *ScriptForm1::box(const QString &name) const
{
    return static_cast<QLineEdit *>(m_controls.value(name));
}

QComboBox *ScriptForm1::combo(const QString &name) const
{
    return static_cast<QComboBox *>(m_controls.value(name));
}

QListWidget *ScriptForm1::list(const QString &name) const
{
    return static_cast<QListWidget *>(m_controls.value(name));
}

QRadioButton *ScriptForm1::option(int n) const
{
    return static_cast<QRadioButton *>(m_controls.value(QStringLiteral("Option%1").arg(n)));
}

QCheckBox *ScriptForm1::check(int n) const
{
    return static_cast<QCheckBox *>(m_controls.value(QStringLiteral("Check%1").arg(n)));
}

void ScriptForm1::writeBox(const QString &name, const QString &text)
{
    box(name)->setText(text);
}

// Left box first: its change copies into the right one, which the right
// value then overwrites.
void ScriptForm1::writePairBoxes(const QStringList &controls)
{
    const ScriptRecord &job = Job();
    for (const SoftFields::PairBox &pair : SoftFields::Foot_Data_Pairs()) {
        const QString name = QString::fromLatin1(pair.control);
        if (!controls.contains(name))
            continue;
        box(sideName(name, 0))->setText(SoftFields::Box_Text(job, pair, 0));
        box(sideName(name, 1))->setText(SoftFields::Box_Text(job, pair, 1));
    }
}

// The second half of both loaders' writes, in their order. Each name box
// renames the job's files after the names as they then stand.
void ScriptForm1::writeClientAndScanBoxes()
{
    const ScriptRecord &job = Job();
    writeBox(QStringLiteral("Text37_0"), job.LeftGraphicFile);
    writeBox(QStringLiteral("Text37_1"), job.RightGraphicFile);
    const QString surname = job.ClientSurname;
    writeBox(QStringLiteral("Text38"), QString(job.ClientFirstName));
    writeBox(QStringLiteral("Text49"), surname);
    writePairBoxes({QStringLiteral("Text39"), QStringLiteral("Text40")});
    writeBox(QStringLiteral("Text41_0"), job.ScanDateL);
    writeBox(QStringLiteral("Text41_1"), job.ScanDateR);
    writeBox(QStringLiteral("Text42_0"), job.ScanTimeL);
    writeBox(QStringLiteral("Text42_1"), job.ScanTimeR);
    writeBox(QStringLiteral("Text43"), job.OperatorCode);
    writeBox(QStringLiteral("Text44"), job.ScannerId);
    writePairBoxes({QStringLiteral("Text45"), QStringLiteral("Text47")});
}

void ScriptForm1::showLengths()
{
    const ScriptRecord &job = Job();
    const SoftFields::LengthTexts left = SoftFields::Length_Texts(job, 0);
    const SoftFields::LengthTexts right = SoftFields::Length_Texts(job, 1);
    writeBox(QStringLiteral("Text7_0"), left.footLength);
    writeBox(QStringLiteral("Text30"), left.templateLength);
    writeBox(QStringLiteral("Text7_1"), right.footLength);
    writeBox(QStringLiteral("Text46"), right.templateLength);
}

// The lengths looked up afresh, shown as they are even for a size of 0.
void ScriptForm1::showLookedUpLengths()
{
    ScriptRecord &job = Job();
    SoftFields::Derive_Lengths(job);
    writeBox(QStringLiteral("Text30"), SoftFields::Whole(job.TemplateLengthL));
    writeBox(QStringLiteral("Text46"), SoftFields::Whole(job.TemplateLengthR));
    writeBox(QStringLiteral("Text7_0"), SoftFields::Whole(job.FootLengthL));
    writeBox(QStringLiteral("Text7_1"), SoftFields::Whole(job.FootLengthR));
}

// Makes `index` the chosen entry; an entry chosen again still shows its own text.
void ScriptForm1::chooseEntry(QComboBox *target, int index)
{
    if (index < 0 || index >= target->count())
        return;
    if (target->currentIndex() == index) {
        if (target->isEditable())
            target->setEditText(target->itemText(index));
        return;
    }
    target->setCurrentIndex(index);
}

int ScriptForm1::selectedRow(QListWidget *w) const
{
    for (int i = 0; i < w->count(); ++i)
        if (w->item(i)->isSelected())
            return i;
    return -1;
}

void ScriptForm1::fillListPair(QListWidget *left, QListWidget *right, const QStringList &items)
{
    for (QListWidget *w : {left, right}) {
        const QSignalBlocker blockList(w);
        const QSignalBlocker blockSelection(w->selectionModel());
        w->clear();
        w->addItems(items);
        w->viewport()->update();
    }
}

// ---------------------------------------------------------------- behaviour wiring

void ScriptForm1::connectBehaviour()
{
    // Left boxes hand their text on to the right ones.
    QStringList family;
    for (const SoftFields::PairBox &pair : SoftFields::Foot_Data_Pairs())
        family << QString::fromLatin1(pair.control);
    family << QStringLiteral("Text4");
    for (const QString &name : family) {
        QLineEdit *right = box(sideName(name, 1));
        connect(box(sideName(name, 0)), &QLineEdit::textChanged, right, &QLineEdit::setText);
    }

    auto *firstKey = new FirstKeyClears(this);
    for (const QString &name : family) {
        firstKey->addBox(box(sideName(name, 0)), name);
        firstKey->addBox(box(sideName(name, 1)), name);
    }
    firstKey->addBox(box(QStringLiteral("Text38")), QStringLiteral("Text38"));
    firstKey->addBox(box(QStringLiteral("Text49")), QStringLiteral("Text49"));

    connect(box(QStringLiteral("Text38")), &QLineEdit::textChanged, this, [](const QString &text) {
        Job().ClientFirstName = text;
        SoftFields::Name_Job_Files_After_Client(Job());
    });
    connect(box(QStringLiteral("Text49")), &QLineEdit::textChanged, this, [](const QString &text) {
        Job().ClientSurname = text;
        SoftFields::Name_Job_Files_After_Client(Job());
    });
    for (const char *name : {"Text38", "Text49"}) {
        connect(box(QString::fromLatin1(name)), &QLineEdit::textChanged, this,
                [this] { writeBox(QStringLiteral("Text2"), Job().PdfFile); });
    }
    connect(box(QStringLiteral("Text29")), &QLineEdit::textChanged, this, [](const QString &text) {
        Job().DispenseDate = text;
        Job().DispenseDateNote = SoftFields::Dispense_Date_Note(text);
    });
    box(QStringLiteral("Text5"))->installEventFilter(this);

    connect(check(1), &QCheckBox::toggled, this, [](bool on) { Job().PriorityReturn = on; });
    connect(check(2), &QCheckBox::toggled, this, [](bool on) { Job().ConfirmBeforeManufacture = on; });
    connect(check(3), &QCheckBox::toggled, this, [](bool on) { Job().SendConfirmationEmail = on; });

    connect(combo(QStringLiteral("Combo1_0")), &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            Combo1_Click(0);
    });
    connect(combo(QStringLiteral("Combo1_1")), &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            Combo1_Click(1);
    });
    for (const char *name : {"Combo4", "Combo5", "Combo6", "Combo7"}) {
        QComboBox *right = combo(sideName(QString::fromLatin1(name), 1));
        connect(combo(sideName(QString::fromLatin1(name), 0)), &QComboBox::currentIndexChanged, this,
                [this, right](int index) { chooseEntry(right, index); });
    }
    // A typed name counts as soon as it is typed, as a chosen one does.
    connect(combo(QStringLiteral("Combo2")), &QComboBox::currentTextChanged, this,
            [](const QString &text) { Job().PodiatristName = text; });
    connect(combo(QStringLiteral("Combo3")), &QComboBox::currentTextChanged, this,
            [](const QString &text) { Job().ClinicName = text; });
    connect(combo(QStringLiteral("Combo8")), &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            Combo8_Click();
    });

    // Left shape and sign buttons choose the right ones too.
    const std::pair<int, int> copies[] = {{1, 3}, {2, 4}, {5, 7}, {6, 8}};
    for (const auto &[from, to] : copies) {
        QRadioButton *target = option(to);
        connect(option(from), &QRadioButton::toggled, this, [target](bool on) {
            if (on)
                target->setChecked(true);
        });
    }

    for (int side = 0; side < 2; ++side) {
        connect(list(sideName(QStringLiteral("List1"), side))->selectionModel(), &QItemSelectionModel::selectionChanged,
                this, [this, side](const QItemSelection &selected) {
                    for (const QModelIndex &index : selected.indexes())
                        List1_Click(side, index.row());
                });
        connect(list(sideName(QStringLiteral("List2"), side))->selectionModel(), &QItemSelectionModel::selectionChanged,
                this, [this, side](const QItemSelection &selected) {
                    for (const QModelIndex &index : selected.indexes())
                        List2_Click(side, index.row());
                });
    }

    // Several-choice lists: each item whose selection changed is a click on it.
    const std::tuple<const char *, int, void (ScriptForm1::*)(int, int)> multiLists[] = {
        {"List3_0", 0, &ScriptForm1::List3_Click},
        {"List3_1", 1, &ScriptForm1::List3_Click},
        {"List4L", 0, &ScriptForm1::List4_Click},
        {"List4R", 1, &ScriptForm1::List4_Click},
    };
    for (const auto &[name, side, handler] : multiLists) {
        connect(list(QString::fromLatin1(name))->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, side, handler](const QItemSelection &selected, const QItemSelection &deselected) {
                    for (const QModelIndex &index : selected.indexes() + deselected.indexes())
                        (this->*handler)(side, index.row());
                });
    }

    connect(m_tabs, &QTabWidget::currentChanged, this, &ScriptForm1::Tab_Change);

    auto onClick = [this](const QString &name, auto handler) {
        connect(static_cast<QPushButton *>(m_controls.value(name)), &QPushButton::clicked, this, handler);
    };
    onClick(QStringLiteral("Command1"), [this] { Quit(); });
    onClick(QStringLiteral("Command10"), [this] { Sizes(); });
    onClick(QStringLiteral("Command26"), [this] { Clear_Top_Covers(); });
    onClick(QStringLiteral("Command27"), [this] { Clear_Insole_Options(); });
    onClick(QStringLiteral("Command5"), [this] { Ask_Heel_Depth_Side(0); });
    onClick(QStringLiteral("Command6"), [this] { Ask_Heel_Depth_Side(1); });
    onClick(QStringLiteral("Command28"), [this] { Choose_Scan_File(0); });
    onClick(QStringLiteral("Command29"), [this] { Choose_Scan_File(1); });
    onClick(QStringLiteral("Command2"),
            [this] { jobCommand(QStringLiteral("Submit Job to Laboratory"), &SoftJobCommands::Submit_Job); });
    onClick(QStringLiteral("Command3"),
            [this] { jobCommand(QStringLiteral("Save Job Locally"), &SoftJobCommands::Save_Job_Locally); });
    onClick(QStringLiteral("Command4"), [this] { jobCommand(QStringLiteral("Next Job"), &SoftJobCommands::Next_Job); });
    onClick(QStringLiteral("Command7"),
            [this] { jobCommand(QStringLiteral("Write JSON File"), &SoftJobCommands::Write_JSON_File); });
    onClick(QStringLiteral("Command8"),
            [this] { jobCommand(QStringLiteral("Save Script"), &SoftJobCommands::Save_Script); });
    onClick(QStringLiteral("Command9"),
            [this] { jobCommand(QStringLiteral("Open Script"), &SoftJobCommands::Open_Script); });
    onClick(QStringLiteral("Command20"),
            [this] { jobCommand(QStringLiteral("Print"), &SoftJobCommands::Print_Option_Table); });

    const QList<std::tuple<int, QString, QString>> windows = {
        {11, QStringLiteral("VCfilesForm"), QStringLiteral("Files")},
        {12, QStringLiteral("VCsizeForm"), QStringLiteral("Sizing")},
        {13, QStringLiteral("VCeditForm"), QStringLiteral("Edit")},
        {14, QStringLiteral("VCdrawForm"), QStringLiteral("Draw")},
        {15, QStringLiteral("VCviewForm"), QStringLiteral("View")},
        {16, QStringLiteral("VCinfoForm"), QStringLiteral("Information")},
        {17, QStringLiteral("BlockForm2"), QStringLiteral("Add Feature")},
        {18, QStringLiteral("VCutilForm"), QStringLiteral("Utility")},
        {21, QStringLiteral("GraphicForm2"), QStringLiteral("Graphic Image")},
        {22, QStringLiteral("GraphicForm2"), QStringLiteral("Graphic Image")},
    };
    for (const auto &[n, window, caption] : windows) {
        onClick(QStringLiteral("Command%1").arg(n), [this, window, caption] { openWindow(window, caption); });
    }
    onClick(QStringLiteral("Command19"),
            [this] { pickGraphicSide(QStringLiteral("LEFT"), QStringLiteral("Left Foot")); });
    onClick(QStringLiteral("Command23"),
            [this] { pickGraphicSide(QStringLiteral("RIGHT"), QStringLiteral("Right Foot")); });
    onClick(QStringLiteral("Command24"),
            [this] { pickGraphicSide(QStringLiteral("BOTH"), QStringLiteral("Both Feet")); });
    onClick(QStringLiteral("Command25"), [this] {
        Run_Command([this] {
            Soft_Drawing_Pane().Save_Image(*this);
            Load_Vec_File();
        });
    });

    // The record reader's marks on this window: ticks, PFA shapes, sizes.
    connect(&JobEvents::instance(), &JobEvents::footSizesRead, this, &ScriptForm1::reflectRecordRead);
}

bool ScriptForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_controls.value(QStringLiteral("Text5")) && event->type() == QEvent::MouseButtonDblClick)
        Text5_DblClick();
    return QWidget::eventFilter(watched, event);
}

void ScriptForm1::reflectRecordRead()
{
    const ScriptRecord &job = Job();
    check(1)->setChecked(job.PriorityReturn);
    check(3)->setChecked(job.SendConfirmationEmail);
    option(Pfa_Is_C_Shape(job.PfaL) ? 2 : 1)->setChecked(true);
    option(Pfa_Is_C_Shape(job.PfaR) ? 4 : 3)->setChecked(true);
    combo(QStringLiteral("Combo1_0"))->setEditText(job.FootSizeL);
    combo(QStringLiteral("Combo1_1"))->setEditText(job.FootSizeR);
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

    if (m_tabs->currentIndex() != 1) {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(1);
    }
    m_tabs->setCurrentIndex(0);

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

    combo(QStringLiteral("Combo1_0"))->setEditText(job.FootSizeL);
    combo(QStringLiteral("Combo1_1"))->setEditText(job.FootSizeR);
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
    openWindow(QStringLiteral("FootSize"), QStringLiteral("Sizes"));
}

void ScriptForm1::openWindow(const QString &name, const QString &caption)
{
    Run_Command([&] { Windows().showOrSayUnavailable(name, caption); });
}

void ScriptForm1::jobCommand(const QString &caption, void (SoftJobCommands::*command)(ScriptForm1 &))
{
    Run_Command([&] {
        SoftJobCommands *commands = Soft_Job_Commands();
        if (!commands) {
            UI().message(QStringLiteral("\"%1\" is not available yet.").arg(caption), QStringLiteral("Info"),
                         Prompter::Icon::Information);
            return;
        }
        (commands->*command)(*this);
    });
}

void ScriptForm1::Tab_Change(int index)
{
    if (index == 3)
        Job().GraphicsTabFlag = true;
    Run_Command([this] { Load_Vec_File(); });
}

void ScriptForm1::Load_Vec_File()
{
    Soft_Drawing_Pane().Load_Vec_File(*this);
}

void ScriptForm1::Insert_Foot_Block(const QString &blockFile)
{
    Soft_Drawing_Pane().Insert_Foot_Block(*this, blockFile);
}

void ScriptForm1::pickGraphicSide(const QString &side, const QString &message)
{
    Job().GraphicSelection = side;
    static_cast<QLabel *>(m_controls.value(QStringLiteral("Label43")))->setText(message);
    Run_Command([this] { Load_Vec_File(); });
}

void ScriptForm1::Reset_For_New_Job()
{
    for (const char *name : {"Text30", "Text46", "Text7_0", "Text7_1"})
        writeBox(QString::fromLatin1(name), QStringLiteral("0"));
    check(1)->setChecked(false);
    check(2)->setChecked(false);
    Job().PriorityReturn = false;
    Job().ConfirmBeforeManufacture = false;
    option(1)->setChecked(true);
    option(3)->setChecked(true);
    option(6)->setChecked(true);
    option(8)->setChecked(true);
}

// ---------------------------------------------------------------- record to controls and back

void ScriptForm1::Load_Data_1()
{
    using namespace SoftFields;
    ScriptRecord &job = Job();

    job.ClientFirstName = QStringLiteral("FirstName");
    job.ClientSurname = QStringLiteral("Surname");
    job.JobNumber = Make_Job_Number(job);
    job.ReprocessedFromJob.clear();
    job.ScanPositionL = job.ScanPositionR = QStringLiteral("0");
    job.Gender = QStringLiteral("Male");
    Set_StylesL();
    Set_StylesR();

    job.PodiatristName = Read_Podiatrists();
    job.ClinicName = Read_Clinics();
    job.ClinicJobNumber.clear();
    job.DispenseDate.clear();

    // A fresh window's ticks may already stand as set, so no change reaches
    // the job: the job takes them here, as the records will read them.
    check(1)->setChecked(false);
    check(2)->setChecked(false);
    check(3)->setChecked(true);
    job.PriorityReturn = false;
    job.ConfirmBeforeManufacture = false;
    job.SendConfirmationEmail = true;

    job.ThicknessL = job.ThicknessR = 1.5;
    Name_Job_Files_For_New_Script(job);
    Set_New_Script_Scan_Times(job);
    job.Notes = QStringLiteral("None");

    writeBox(QStringLiteral("Text1"), job.JobNumber);
    writeBox(QStringLiteral("Text48"), job.ClinicJobNumber);
    writeBox(QStringLiteral("Text2"), job.PdfFile);
    writeBox(QStringLiteral("Text3_0"), job.LeftScanFile);
    writeBox(QStringLiteral("Text3_1"), job.RightScanFile);
    writeBox(QStringLiteral("Text4_0"), job.ScanPositionL);
    writeBox(QStringLiteral("Text4_1"), job.ScanPositionR);
    writeBox(QStringLiteral("Text5"), job.Gender);
    static_cast<QPlainTextEdit *>(m_controls.value(QStringLiteral("Text6")))->setPlainText(job.Notes);

    for (QString *field :
         {&job.ForefootVarusL, &job.ForefootValgusL, &job.VarusLengthL, &job.ExtraHeelDepthL, &job.HeelDotLengthL,
          &job.ForefootVarusR, &job.ForefootValgusR, &job.VarusLengthR, &job.ExtraHeelDepthR, &job.HeelDotLengthR})
        field->clear();
    writePairBoxes(kMeasurementRows);

    job.DispenseDate = Default_Dispense_Date();
    writeBox(QStringLiteral("Text29"), job.DispenseDate);
    job.DispenseDateNote = QStringLiteral("(default)");

    writeClientAndScanBoxes();

    Load_Sizes1();
    Derive_Lengths(job);
    showLengths();

    Load_Sizes2();
    for (const char *name : {"Combo4_0", "Combo4_1", "Combo5_0", "Combo5_1"})
        chooseEntry(combo(QString::fromLatin1(name)), 0);
    Load_Sizes3();
    chooseEntry(combo(QStringLiteral("Combo6_0")), 0);
    chooseEntry(combo(QStringLiteral("Combo6_1")), 0);
    Load_Sizes4();
    chooseEntry(combo(QStringLiteral("Combo7_0")), 0);
    chooseEntry(combo(QStringLiteral("Combo7_1")), 0);

    option(2)->setChecked(true);
    option(4)->setChecked(true);
    option(6)->setChecked(true);
    option(8)->setChecked(true);

    Read_Tables(job);
    // Without a table the built-in lists supply the first entries.
    job.OrthoticStyleL = job.OrthoticStyleR = Option_List_Items(job, SoftOptionList::Styles).value(0);
    job.EvaDensityL = job.EvaDensityR = Option_List_Items(job, SoftOptionList::Densities).value(0);
    job.TopCoverL = job.TopCoverR = Option_List_Items(job, SoftOptionList::TopCovers).value(0);
    job.InsoleOptionsL = job.InsoleOptionsR = Option_List_Items(job, SoftOptionList::InsoleOptions).value(0);
}

void ScriptForm1::Load_Data_2()
{
    using namespace SoftFields;
    ScriptRecord &job = Job();

    writeBox(QStringLiteral("Text1"), job.JobNumber);
    writeBox(QStringLiteral("Text48"), job.ClinicJobNumber);
    writeBox(QStringLiteral("Text2"), job.PdfFile);
    writeBox(QStringLiteral("Text3_0"), job.LeftScanFile);
    writeBox(QStringLiteral("Text3_1"), job.RightScanFile);
    writeBox(QStringLiteral("Text5"), job.Gender);
    static_cast<QPlainTextEdit *>(m_controls.value(QStringLiteral("Text6")))->setPlainText(Show_Notes(job.Notes));

    // The record's names are shown even when the lists do not hold them.
    const QString podiatrist = job.PodiatristName;
    const QString clinic = job.ClinicName;
    combo(QStringLiteral("Combo2"))->setEditText(podiatrist);
    combo(QStringLiteral("Combo3"))->setEditText(clinic);

    writePairBoxes(kMeasurementRows);
    writeBox(QStringLiteral("Text29"), job.DispenseDate);

    const QString domeR = job.MetDomeR, padR = job.MetPadR;
    chooseEntry(combo(QStringLiteral("Combo4_0")), Met_Dome_Position(job.MetDomeL));
    chooseEntry(combo(QStringLiteral("Combo4_1")), Met_Dome_Position(domeR));
    chooseEntry(combo(QStringLiteral("Combo5_0")), Met_Pad_Position(job.MetPadL));
    chooseEntry(combo(QStringLiteral("Combo5_1")), Met_Pad_Position(padR));

    writeClientAndScanBoxes();

    Load_Sizes1();
    combo(QStringLiteral("Combo1_0"))->setEditText(job.FootSizeL);
    combo(QStringLiteral("Combo1_1"))->setEditText(job.FootSizeR);
    Derive_Lengths(job);
    showLengths();

    Load_Sizes3();
    combo(QStringLiteral("Combo6_0"))->setEditText(num::shortestText(job.ThicknessL));
    combo(QStringLiteral("Combo6_1"))->setEditText(num::shortestText(job.ThicknessR));

    Load_Sizes4();
    const PfaShown pfaL = Show_Pfa(job.PfaL);
    const PfaShown pfaR = Show_Pfa(job.PfaR);
    if (pfaL.cShape)
        option(*pfaL.cShape ? 2 : 1)->setChecked(true);
    if (pfaR.cShape)
        option(*pfaR.cShape ? 4 : 3)->setChecked(true);
    combo(QStringLiteral("Combo7_0"))->setEditText(pfaL.number);
    combo(QStringLiteral("Combo7_1"))->setEditText(pfaR.number);

    const ScanPositionShown scanL = Show_Scan_Position(job.ScanPositionL);
    const ScanPositionShown scanR = Show_Scan_Position(job.ScanPositionR);
    option(scanL.external ? 5 : 6)->setChecked(true);
    option(scanR.external ? 7 : 8)->setChecked(true);
    writeBox(QStringLiteral("Text4_0"), scanL.size);
    writeBox(QStringLiteral("Text4_1"), scanR.size);

    Read_Tables(job);
    Load_Lists2();
    Set_StylesL();
    Set_StylesR();
}

void ScriptForm1::Save_Data()
{
    using namespace SoftFields;
    ScriptRecord &job = Job();
    auto text = [this](const QString &name) { return box(name)->text(); };
    auto takePairs = [&](const QStringList &controls) {
        for (const PairBox &pair : Foot_Data_Pairs()) {
            const QString name = QString::fromLatin1(pair.control);
            if (!controls.contains(name))
                continue;
            Take_Box_Text(job, pair, 0, text(sideName(name, 0)));
            Take_Box_Text(job, pair, 1, text(sideName(name, 1)));
        }
    };

    job.ClinicJobNumber = text(QStringLiteral("Text48"));
    job.PdfFile = text(QStringLiteral("Text2"));
    job.Gender = text(QStringLiteral("Text5"));

    job.ThicknessL = num::leadingNumber(num::numberBoxText(combo(QStringLiteral("Combo6_0"))->currentText()));
    job.ThicknessR = num::leadingNumber(num::numberBoxText(combo(QStringLiteral("Combo6_1"))->currentText()));

    takePairs({QStringLiteral("Text16"), QStringLiteral("Text17"), QStringLiteral("Text18"), QStringLiteral("Text19"),
               QStringLiteral("Text20"), QStringLiteral("Text21"), QStringLiteral("Text22"), QStringLiteral("Text23"),
               QStringLiteral("Text24"), QStringLiteral("Text25"), QStringLiteral("Text26"), QStringLiteral("Text28")});
    job.DispenseDate = text(QStringLiteral("Text29"));
    job.MetDomeL = combo(QStringLiteral("Combo4_0"))->currentText();
    job.MetDomeR = combo(QStringLiteral("Combo4_1"))->currentText();
    job.MetPadL = combo(QStringLiteral("Combo5_0"))->currentText();
    job.MetPadR = combo(QStringLiteral("Combo5_1"))->currentText();

    job.PfaL =
        Take_Pfa(combo(QStringLiteral("Combo7_0"))->currentText(), option(1)->isChecked(), option(2)->isChecked());
    job.PfaR =
        Take_Pfa(combo(QStringLiteral("Combo7_1"))->currentText(), option(3)->isChecked(), option(4)->isChecked());
    job.ScanPositionL = Take_Scan_Position(text(QStringLiteral("Text4_0")), option(6)->isChecked());
    job.ScanPositionR = Take_Scan_Position(text(QStringLiteral("Text4_1")), option(8)->isChecked());

    auto selectedTexts = [this](const QString &name) {
        QStringList texts;
        QListWidget *w = list(name);
        for (int i = 0; i < w->count(); ++i)
            if (w->item(i)->isSelected())
                texts << w->item(i)->text();
        return texts;
    };
    job.TopCoverL = Joined_Selection(selectedTexts(QStringLiteral("List3_0")));
    job.TopCoverR = Joined_Selection(selectedTexts(QStringLiteral("List3_1")));
    job.InsoleOptionsL = Joined_Selection(selectedTexts(QStringLiteral("List4L")));
    job.InsoleOptionsR = Joined_Selection(selectedTexts(QStringLiteral("List4R")));

    job.Notes = Take_Notes(static_cast<QPlainTextEdit *>(m_controls.value(QStringLiteral("Text6")))->toPlainText());

    job.ClientFirstName = text(QStringLiteral("Text38"));
    job.ClientSurname = text(QStringLiteral("Text49"));
    job.OperatorCode = text(QStringLiteral("Text43"));
    job.ScannerId = text(QStringLiteral("Text44"));

    takePairs({QStringLiteral("Text8"), QStringLiteral("Text9"), QStringLiteral("Text47"), QStringLiteral("Text10")});

    // A zero depth is no depth: the box is emptied too, and emptying the
    // left box is not handed on to the right one.
    for (int side = 0; side < 2; ++side) {
        QLineEdit *depth = box(sideName(QStringLiteral("Text11"), side));
        if (Heel_Depth_Is_Zero(depth->text())) {
            const QSignalBlocker quiet(depth);
            depth->clear();
        }
    }
    takePairs({QStringLiteral("Text11")});
    takePairs({QStringLiteral("Text12"), QStringLiteral("Text13"), QStringLiteral("Text14"), QStringLiteral("Text39"),
               QStringLiteral("Text40"), QStringLiteral("Text45")});

    job.FootSizeL = combo(QStringLiteral("Combo1_0"))->currentText();
    job.FootSizeR = combo(QStringLiteral("Combo1_1"))->currentText();
    Derive_Lengths(job);
}

// ---------------------------------------------------------------- lists and tables

void ScriptForm1::Load_List1()
{
    QListWidget *left = list(QStringLiteral("List1_0"));
    QListWidget *right = list(QStringLiteral("List1_1"));
    fillListPair(left, right, Option_List_Items(Job(), SoftOptionList::Styles));
    // A table of a single style has no second position: the first stands in.
    int position = Job().Gender == QLatin1String("Female") ? 1 : 0;
    if (position >= left->count())
        position = left->count() - 1;
    if (position < 0)
        return;
    left->setCurrentRow(position);
    right->setCurrentRow(position);
}

void ScriptForm1::Load_List2()
{
    QListWidget *left = list(QStringLiteral("List2_0"));
    QListWidget *right = list(QStringLiteral("List2_1"));
    fillListPair(left, right, Option_List_Items(Job(), SoftOptionList::Densities));
    if (left->count() == 0)
        return;
    left->setCurrentRow(0);
    right->setCurrentRow(0);
}

void ScriptForm1::Load_List3()
{
    QListWidget *left = list(QStringLiteral("List3_0"));
    QListWidget *right = list(QStringLiteral("List3_1"));
    fillListPair(left, right, Option_List_Items(Job(), SoftOptionList::TopCovers));
    for (QListWidget *w : {left, right})
        if (w->count() > 0)
            w->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void ScriptForm1::Load_List4()
{
    QListWidget *left = list(QStringLiteral("List4L"));
    QListWidget *right = list(QStringLiteral("List4R"));
    fillListPair(left, right, Option_List_Items(Job(), SoftOptionList::InsoleOptions));
    for (QListWidget *w : {left, right})
        if (w->count() > 0)
            w->setCurrentRow(0, QItemSelectionModel::Select);
}

namespace {
void fillCombos(QComboBox *left, QComboBox *right, const QStringList &items)
{
    for (QComboBox *c : {left, right}) {
        const QSignalBlocker quiet(c);
        c->clear();
        c->addItems(items);
        c->setCurrentIndex(-1);
    }
}
} // namespace

void ScriptForm1::Load_Sizes1()
{
    const ScriptRecord &job = Job();
    QStringList sizes;
    const int rows = std::min<int>(job.SizeChartCount, int(job.SizeChartSizes.size()));
    for (int i = 0; i < rows; ++i)
        sizes << num::shortestText(job.SizeChartSizes[i]);
    fillCombos(combo(QStringLiteral("Combo1_0")), combo(QStringLiteral("Combo1_1")), sizes);
}

void ScriptForm1::Load_Sizes2()
{
    fillCombos(combo(QStringLiteral("Combo4_0")), combo(QStringLiteral("Combo4_1")), SoftFields::Met_Dome_Items());
    fillCombos(combo(QStringLiteral("Combo5_0")), combo(QStringLiteral("Combo5_1")), SoftFields::Met_Pad_Items());
}

void ScriptForm1::Load_Sizes3()
{
    fillCombos(combo(QStringLiteral("Combo6_0")), combo(QStringLiteral("Combo6_1")), SoftFields::Thickness_Items());
}

void ScriptForm1::Load_Sizes4()
{
    fillCombos(combo(QStringLiteral("Combo7_0")), combo(QStringLiteral("Combo7_1")), SoftFields::Pfa_Items());
}

namespace {
QString fillNameCombo(QComboBox *names, const QString &fileName)
{
    {
        const QSignalBlocker quiet(names);
        names->clear();
        names->addItems(Name_List_Items(fileName));
        names->setCurrentIndex(-1);
    }
    names->setCurrentIndex(0); // a choice: its behaviour takes the name
    return names->currentText();
}
} // namespace

QString ScriptForm1::Read_Podiatrists()
{
    return fillNameCombo(combo(QStringLiteral("Combo2")), QStringLiteral("Podiatrist.Cfg"));
}

QString ScriptForm1::Read_Clinics()
{
    return fillNameCombo(combo(QStringLiteral("Combo3")), QStringLiteral("Clinic.Cfg"));
}

void ScriptForm1::Load_Combo5()
{
    const ScriptRecord &job = Job();
    QComboBox *users = combo(QStringLiteral("Combo8"));
    {
        const QSignalBlocker quiet(users);
        users->clear();
    }
    // One user: the list is that user's name alone (only the lengths are compared).
    if (job.UserList.size() == job.CurrentUser.size()) {
        users->hide();
        return;
    }
    users->show();
    {
        const QSignalBlocker quiet(users);
        users->addItems(User_Combo_Names(job));
        users->setCurrentIndex(-1);
    }
    if (users->count() > 0)
        users->setCurrentIndex(0);
}

void ScriptForm1::Combo8_Click()
{
    ScriptRecord &job = Job();
    job.CurrentUser = combo(QStringLiteral("Combo8"))->currentText();
    const QString folder = job.NasModeFlag ? job.NasFolder : job.CurrentFolder;
    job.PdfFile = Join_Path(folder, JobBaseName(job) + QStringLiteral(".Pdf"));
    writeBox(QStringLiteral("Text2"), job.PdfFile);
}

// ---------------------------------------------------------------- option list selection

void ScriptForm1::Set_StylesL()
{
    ScriptRecord &job = Job();
    job.TemplateCodeL = Template_Code(selectedRow(list(QStringLiteral("List1_0"))), job.FootSizeL);
    writeBox(QStringLiteral("Text15"), job.TemplateCodeL);
}

void ScriptForm1::Set_StylesR()
{
    ScriptRecord &job = Job();
    job.TemplateCodeR = Template_Code(selectedRow(list(QStringLiteral("List1_1"))), job.FootSizeR);
    writeBox(QStringLiteral("Text27"), job.TemplateCodeR);
}

void ScriptForm1::List1_Click(int side, int row)
{
    ScriptRecord &job = Job();
    if (job.ListsLoadingFlag)
        return;
    takeSingleChoice(QStringLiteral("List1"), side, row, job.OrthoticStyleL, job.OrthoticStyleR);
    writeBox(QStringLiteral("Text5"), job.Gender);

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
        takeSingleChoice(QStringLiteral("List2"), side, row, job.EvaDensityL, job.EvaDensityR);
}

// A left choice is taken and then made on the right list too, whose own
// choice runs nested; a right choice is taken alone.
void ScriptForm1::takeSingleChoice(const QString &listName, int side, int row, QString &leftField, QString &rightField)
{
    const QString chosen = list(sideName(listName, side))->item(row)->text();
    if (side == 0) {
        leftField = chosen;
        list(sideName(listName, 1))->setCurrentRow(row);
    } else {
        rightField = chosen;
    }
}

void ScriptForm1::Load_Lists2()
{
    ScriptRecord &job = Job();
    job.ListsLoadingFlag = true;

    // An item names a saved choice when the saved text holds it (any case);
    // an empty item matches any saved text that is not empty.
    auto holds = [](const QString &saved, const QString &item) {
        return !saved.isEmpty() && saved.contains(item, Qt::CaseInsensitive);
    };
    // The lists are walked as they stand, built-in or from the table, so a
    // record shown without a table still gets its choices back.
    auto reselectSingle = [&](const QString &name, const QString &saved) {
        QListWidget *w = list(name);
        for (int i = 0; i < w->count(); ++i)
            if (holds(saved, w->item(i)->text()))
                w->setCurrentRow(i);
    };
    auto reselectMulti = [&](const QString &name, const QString &saved) {
        QListWidget *w = list(name);
        for (int i = 0; i < w->count(); ++i)
            if (holds(saved, w->item(i)->text()))
                w->item(i)->setSelected(true);
    };
    auto reselectOptions = [&](const QString &name, const QString &saved) {
        QListWidget *w = list(name);
        QString parts = saved;
        bool dropNone = false;
        for (int i = 0; i < w->count(); ++i) {
            if (!holds(saved, w->item(i)->text()))
                continue;
            w->item(i)->setSelected(true);
            // The k-th matching item takes the k-th saved part, with its value.
            const QString part = Get_Token_Semicolon(parts);
            if (part.contains(QLatin1String("(mm)"), Qt::CaseInsensitive)
                || part.contains(QLatin1String("(deg)"), Qt::CaseInsensitive)) {
                w->item(i)->setText(part);
                w->item(i)->setSelected(true);
            }
            // Any saved option but the first ("None") means "None" no longer holds.
            if (i >= 1)
                dropNone = true;
        }
        if (dropNone && w->count() > 0)
            w->item(0)->setSelected(false);
    };

    reselectSingle(QStringLiteral("List1_0"), job.OrthoticStyleL);
    reselectSingle(QStringLiteral("List1_1"), job.OrthoticStyleR);
    reselectSingle(QStringLiteral("List2_0"), job.EvaDensityL);
    reselectSingle(QStringLiteral("List2_1"), job.EvaDensityR);
    reselectMulti(QStringLiteral("List3_0"), job.TopCoverL);
    reselectMulti(QStringLiteral("List3_1"), job.TopCoverR);
    reselectOptions(QStringLiteral("List4L"), job.InsoleOptionsL);
    reselectOptions(QStringLiteral("List4R"), job.InsoleOptionsR);

    job.ListsLoadingFlag = false;
}

void ScriptForm1::List3_Click(int side, int row)
{
    ScriptRecord &job = Job();
    if (job.ListsLoadingFlag || m_clearingLists)
        return;
    QListWidget *left = list(QStringLiteral("List3_0"));
    QListWidget *right = list(QStringLiteral("List3_1"));
    left->viewport()->update();
    right->viewport()->update();
    if (side == 1) {
        job.TopCoverR = right->item(row)->text();
        return;
    }
    job.TopCoverL = left->item(row)->text();
    // Asked also when the click took the item away; Yes only ever adds.
    const Prompter::Answer answer =
        UI().message(QStringLiteral("Apply to Right Foot Too?"), QStringLiteral("Top Cover"), Prompter::Icon::None,
                     Prompter::Buttons::YesNo);
    if (answer == Prompter::Answer::Yes)
        right->item(row)->setSelected(true);
}

void ScriptForm1::List4_Click(int side, int row)
{
    ScriptRecord &job = Job();
    bool applyToRight = false;
    if (!m_listsReady || job.ListsLoadingFlag || m_clearingLists || m_quietOptions)
        return;
    QListWidget *options = list(side == 0 ? QStringLiteral("List4L") : QStringLiteral("List4R"));
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
        const QString prompt =
            side == 0 ? QStringLiteral("Enter Value (Left Foot): ") : QStringLiteral("Enter Value (Right Foot): ");
        const qsizetype equals = field.indexOf(u'=', 1);
        if (equals < 0) {
            // A first value is kept whatever it is, 0 included.
            const double value = Get_Num_Input(prompt, QString(), QStringLiteral("2"), QStringLiteral("Options"));
            field += QStringLiteral(" = ") + num::format0_0(value);
            item->setText(field);
        } else {
            field = field.left(equals - 1);
            item->setText(field);
            const double value = Get_Num_Input(prompt, QString(), QStringLiteral("2"), QStringLiteral("Options"));
            if (value != 0.0) {
                field += QStringLiteral(" = ") + num::format0_0(value);
                item->setText(field);
            }
        }
    }
    if (applyToRight) {
        QListWidgetItem *twin = list(QStringLiteral("List4R"))->item(row);
        if (twin)
            twin->setSelected(item->isSelected());
    }
}

void ScriptForm1::Clear_Top_Covers()
{
    m_clearingLists = true;
    list(QStringLiteral("List3_0"))->clearSelection();
    list(QStringLiteral("List3_1"))->clearSelection();
    m_clearingLists = false;
}

void ScriptForm1::Clear_Insole_Options()
{
    m_clearingLists = true;
    for (const char *name : {"List4L", "List4R"}) {
        QListWidget *options = list(QString::fromLatin1(name));
        options->clearSelection();
        if (options->count() > 0)
            options->item(0)->setSelected(true);
    }
    m_clearingLists = false;
}

// ---------------------------------------------------------------- scan file choice

void ScriptForm1::Choose_Scan_File(int side)
{
    Run_Command([this, side] {
        ScriptRecord &job = Job();
        Prompter::FileRequest request;
        request.title =
            side == 0 ? QStringLiteral("Select a Left Scan File") : QStringLiteral("Select a Right Scan File");
        request.folder = job.DataFolder;
        request.filter = QStringLiteral("WRL File (*.Wrl)|*.Wrl|STL File (*.Stl)|*.Stl|All Files (*.*)|*.*");
        request.defaultExtension = QStringLiteral("Wrl");
        const QString path = UI().openFile(request);
        if (path.isEmpty())
            return;
        const ScanChoice choice = Scan_Choice_For(path);
        // The view takes the STL scan first: a file it refuses ends the
        // command here, and the record keeps naming the scan the view shows.
        if (choice.importIntoView && Soft_Stl_Importer())
            Soft_Stl_Importer()(side, path);
        QString &scan = side == 0 ? job.LeftScanFile : job.RightScanFile;
        QString &graphic = side == 0 ? job.LeftGraphicFile : job.RightGraphicFile;
        scan = choice.scanFile;
        (side == 0 ? job.LeftLcfFile : job.RightLcfFile) = choice.modelFile;
        if (choice.graphic)
            graphic = *choice.graphic;
        if (choice.stlScan)
            (side == 0 ? job.StlScanFlagL : job.StlScanFlagR) = *choice.stlScan;
        writeBox(sideName(QStringLiteral("Text3"), side), scan);
        writeBox(sideName(QStringLiteral("Text37"), side), graphic);
    });
}

// ---------------------------------------------------------------- field behaviour

void ScriptForm1::Ask_Heel_Depth_Side(int side)
{
    QLineEdit *depth = box(sideName(QStringLiteral("Text11"), side));
    const QString value = num::format0_0(num::leadingNumber(num::numberBoxText(depth->text())));
    // A dialog closed without "CLOSE" changes nothing.
    if (const std::optional<QString> letter = DepthForm::Ask_Side(this))
        depth->setText(value + *letter);
}

void ScriptForm1::Combo1_Click(int side)
{
    ScriptRecord &job = Job();
    QComboBox *left = combo(QStringLiteral("Combo1_0"));
    QComboBox *right = combo(QStringLiteral("Combo1_1"));
    if (side == 0) {
        job.FootSizeL = left->currentText();
        job.TemplateLengthL = Get_Template_Length(job, num::leadingNumber(job.FootSizeL));
        Set_StylesL();
        job.FootLengthL = Foot_Length_For(job.TemplateLengthL);
        job.FootLengthR = Foot_Length_For(job.TemplateLengthR);
        writeBox(QStringLiteral("Text7_0"), SoftFields::Whole(job.FootLengthL));
        // The right list follows; choosing the entry it already shows still
        // runs its choice, so both feet end up looked up alike.
        const int index = left->currentIndex();
        if (right->currentIndex() == index) {
            right->setEditText(right->itemText(index));
            Combo1_Click(1);
        } else {
            right->setCurrentIndex(index);
        }
        job.FootSizeR = right->currentText();
    } else {
        job.FootSizeR = right->currentText();
        job.TemplateLengthR = Get_Template_Length(job, num::leadingNumber(job.FootSizeR));
        Set_StylesR();
        job.FootLengthR = Foot_Length_For(job.TemplateLengthR);
        writeBox(QStringLiteral("Text7_1"), SoftFields::Whole(job.FootLengthR));
    }
    if (num::leadingNumber(job.FootSizeL) > 0) {
        writeBox(QStringLiteral("Text30"), SoftFields::Whole(job.TemplateLengthL));
    } else {
        writeBox(QStringLiteral("Text30"), QStringLiteral("0"));
        writeBox(QStringLiteral("Text7_0"), QStringLiteral("0"));
    }
    if (num::leadingNumber(job.FootSizeR) > 0) {
        writeBox(QStringLiteral("Text46"), SoftFields::Whole(job.TemplateLengthR));
    } else {
        writeBox(QStringLiteral("Text46"), QStringLiteral("0"));
        writeBox(QStringLiteral("Text7_1"), QStringLiteral("0"));
    }
}

void ScriptForm1::Text5_DblClick()
{
    ScriptRecord &job = Job();
    job.Gender = job.Gender == QLatin1String("Male") ? QStringLiteral("Female") : QStringLiteral("Male");
    writeBox(QStringLiteral("Text5"), job.Gender);
    showLookedUpLengths();
    const int position = job.Gender == QLatin1String("Female") ? 1 : 0;
    for (const char *name : {"List1_0", "List1_1"}) {
        QListWidget *styles = list(QString::fromLatin1(name));
        if (position < styles->count())
            styles->setCurrentRow(position);
    }
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
    if (!form)
        form = Windows().get<ScriptForm1>(kWindowName);
    Bring_To_Front(form);
    return form;
}
