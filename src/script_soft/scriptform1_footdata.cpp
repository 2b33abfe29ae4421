// The "Foot Data" tab, built from the rows of SoftFields::Foot_Data_Rows():
// two halves of left/right rows, each with its caption and unit.
#include "scriptform1_ui.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace SoftFields;

namespace SoftForm {

namespace {

const QString kFootNames[2] = {QStringLiteral(" Left"), QStringLiteral(" Right")};

class FootDataBuilder
{
public:
    FootDataBuilder(QWidget *tab, FootDataTab &t)
        : m_tab(t)
    {
        auto *columns = new QHBoxLayout(tab);
        for (QGridLayout *&g : m_blocks) {
            g = new QGridLayout;
            columns->addLayout(g, 1);
            g->addWidget(new QLabel(QStringLiteral("Left")), 0, 1);
            g->addWidget(new QLabel(QStringLiteral("Right")), 0, 2);
        }
    }

    void addRow(const FootDataRow &row)
    {
        switch (row.controls) {
        case RowControls::Boxes: addBoxes(row); break;
        case RowControls::EditableCombos:
        case RowControls::Combos: addCombos(row); break;
        }
        if (row.noteBelow)
            m_blocks[row.block]->addWidget(new QLabel(QString::fromLatin1(row.noteBelow)), m_rows[row.block]++, 0, 1,
                                           4);
        if (row.role == RowRole::Pfa)
            addChoiceButtons(row.block, 1, QStringLiteral("S"), QStringLiteral("C"), QStringLiteral("PFA Shape"),
                             m_tab.pfaShapeS, m_tab.pfaShapeC);
        if (row.role == RowRole::ScanPosition)
            addChoiceButtons(row.block, 5, QStringLiteral("E"), QStringLiteral("I"), QStringLiteral("Scan Position"),
                             m_tab.scanExternal, m_tab.scanInternal);
    }

    // The left half ends with the hidden "Graphic Image" button.
    void closeLeftHalf()
    {
        m_tab.graphicImage = commandButton(QStringLiteral("Command22"), QStringLiteral("Graphic Image"));
        m_tab.graphicImage->hide();
        m_blocks[0]->addWidget(m_tab.graphicImage, m_rows[0]++, 1, 1, 2);
    }

    void finish()
    {
        m_blocks[0]->setRowStretch(m_rows[0], 1);
        m_blocks[1]->setRowStretch(m_rows[1], 1);
    }

private:
    // A labelled row of two controls, each with what stands beside it, and
    // its unit.
    void addPair(const FootDataRow &row, QWidget *l, QWidget *r, QWidget *besideL = nullptr, QWidget *besideR = nullptr)
    {
        QGridLayout *g = m_blocks[row.block];
        const int at = m_rows[row.block]++;
        const QString caption = QString::fromLatin1(row.caption);
        auto *label = new QLabel(caption);
        label->setBuddy(l);
        l->setAccessibleName(caption + kFootNames[0]);
        r->setAccessibleName(caption + kFootNames[1]);
        g->addWidget(label, at, 0);
        g->addWidget(cell(l, besideL), at, 1);
        g->addWidget(cell(r, besideR), at, 2);
        auto *unit = new QLabel(QString::fromLatin1(row.unit));
        g->addWidget(unit, at, 3);
        if (row.has(UnitHidden))
            unit->hide();
        if (row.has(Disabled)) {
            l->setEnabled(false);
            r->setEnabled(false);
        }
        if (row.has(Hidden)) {
            for (QWidget *w : {static_cast<QWidget *>(label), static_cast<QWidget *>(unit), l, r})
                w->hide();
        }
    }

    static QWidget *cell(QWidget *control, QWidget *beside)
    {
        if (!beside)
            return control;
        auto *holder = new QWidget;
        auto *h = new QHBoxLayout(holder);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(control, 1);
        h->addWidget(beside);
        return holder;
    }

    void addBoxes(const FootDataRow &row)
    {
        Pair<QLineEdit> boxes{};
        for (int side = 0; side < 2; ++side) {
            boxes[side] = named<QLineEdit>(Row_Control_Name(row, side));
            boxes[side]->setReadOnly(row.has(ReadOnly));
        }
        Pair<QPushButton> beside{};
        if (row.role == RowRole::ExtraHeelDepth) {
            for (int side = 0; side < 2; ++side)
                beside[side] = commandButton(QStringLiteral("Command%1").arg(5 + side), QStringLiteral("S"),
                                             QStringLiteral("Extra Heel Depth Side") + kFootNames[side]);
            m_tab.heelDepthSide = beside;
            m_tab.extraHeelDepth = boxes;
        }
        addPair(row, boxes[0], boxes[1], beside[0], beside[1]);
        m_tab.boxRows.push_back({&row, boxes});
        if (row.role == RowRole::TemplateLength)
            m_tab.templateLength = boxes;
        else if (row.role == RowRole::FootLength)
            m_tab.footLength = boxes;
        else if (row.role == RowRole::ScanPosition)
            m_tab.scanPosition = boxes;
    }

    void addCombos(const FootDataRow &row)
    {
        Pair<QComboBox> combos{};
        for (int side = 0; side < 2; ++side) {
            combos[side] = named<QComboBox>(Row_Control_Name(row, side));
            combos[side]->setEditable(row.controls == RowControls::EditableCombos);
            combos[side]->setInsertPolicy(QComboBox::NoInsert);
        }
        QPushButton *besideR = nullptr;
        if (row.role == RowRole::FootSize)
            besideR = m_tab.sizes = commandButton(QStringLiteral("Command10"), QStringLiteral("Sizes"));
        addPair(row, combos[0], combos[1], nullptr, besideR);
        switch (row.role) {
        case RowRole::FootSize: m_tab.footSize = combos; break;
        case RowRole::Thickness: m_tab.thickness = combos; break;
        case RowRole::Pfa: m_tab.pfa = combos; break;
        case RowRole::MetDome: m_tab.metDome = combos; break;
        case RowRole::MetPad: m_tab.metPad = combos; break;
        default: break;
        }
    }

    // Two option buttons per foot in their own frame, so each pair is
    // exclusive: Option<first> and Option<first + 1> for the left foot, the
    // next two for the right.
    void addChoiceButtons(int block, int first, const QString &a, const QString &b, const QString &what,
                          Pair<QRadioButton> &firstButtons, Pair<QRadioButton> &secondButtons)
    {
        const int at = m_rows[block]++;
        for (int side = 0; side < 2; ++side) {
            auto *frame = named<QWidget>(QStringLiteral("Frame%1").arg(first + 2 * side));
            auto *h = new QHBoxLayout(frame);
            h->setContentsMargins(0, 0, 0, 0);
            for (int k = 0; k < 2; ++k) {
                auto *o = named<QRadioButton>(QStringLiteral("Option%1").arg(first + 2 * side + k));
                const QString &caption = k == 0 ? a : b;
                o->setText(caption);
                o->setAccessibleName(what + kFootNames[side] + u' ' + caption);
                h->addWidget(o);
                (k == 0 ? firstButtons : secondButtons)[side] = o;
            }
            m_blocks[block]->addWidget(frame, at, 1 + side);
        }
    }

    FootDataTab &m_tab;
    std::array<QGridLayout *, 2> m_blocks{};
    std::array<int, 2> m_rows{1, 1};
};

} // namespace

FootDataTab FootDataTab::build(QWidget *tab)
{
    FootDataTab t;
    FootDataBuilder builder(tab, t);
    for (const FootDataRow &row : Foot_Data_Rows()) {
        if (row.block == 1 && !t.graphicImage)
            builder.closeLeftHalf();
        builder.addRow(row);
    }
    builder.finish();
    return t;
}

const Pair<QLineEdit> &FootDataTab::boxes(const FootDataRow &row) const
{
    for (const BoxRow &boxRow : boxRows)
        if (boxRow.row == &row)
            return boxRow.boxes;
    Q_UNREACHABLE();
}

} // namespace SoftForm
