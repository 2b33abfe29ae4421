// The "Orthotic Data" tab: the four left/right option lists, the notes and
// "Print".
#include "scriptform1_ui.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace SoftForm {

OrthoticDataTab OrthoticDataTab::build(QWidget *tab)
{
    OrthoticDataTab t;
    auto *grid = new QGridLayout(tab);
    grid->addWidget(new QLabel(QStringLiteral("Left Foot")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Right Foot")), 0, 2);
    int row = 1;
    // Returns the "Clear All" button when the lists have one.
    auto addLists = [&](const QString &caption, Pair<QListWidget> &lists, const QString &leftName,
                        const QString &rightName, bool multi, const QString &clearButton) -> QPushButton * {
        lists = {named<QListWidget>(leftName), named<QListWidget>(rightName)};
        for (QListWidget *w : lists)
            w->setSelectionMode(multi ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
        auto *label = captionFor(caption, lists[0]);
        lists[0]->setAccessibleName(caption + QStringLiteral(" Left Foot"));
        lists[1]->setAccessibleName(caption + QStringLiteral(" Right Foot"));
        grid->addWidget(label, row, 0);
        grid->addWidget(lists[0], row, 1);
        grid->addWidget(lists[1], row, 2);
        QPushButton *clear = nullptr;
        if (!clearButton.isEmpty()) {
            clear = commandButton(clearButton, QStringLiteral("Clear All"), QStringLiteral("Clear All ") + caption);
            grid->addWidget(clear, row, 3, Qt::AlignTop);
        }
        ++row;
        return clear;
    };
    addLists(QStringLiteral("Orthotic Style"), t.styles, QStringLiteral("List1_0"), QStringLiteral("List1_1"), false,
             {});
    addLists(QStringLiteral("EVA Density"), t.densities, QStringLiteral("List2_0"), QStringLiteral("List2_1"), false,
             {});
    t.clearTopCovers = addLists(QStringLiteral("Top Cover"), t.topCovers, QStringLiteral("List3_0"),
                                QStringLiteral("List3_1"), true, QStringLiteral("Command26"));
    t.clearInsoleOptions = addLists(QStringLiteral("Insole Options"), t.insoleOptions, QStringLiteral("List4L"),
                                    QStringLiteral("List4R"), true, QStringLiteral("Command27"));

    t.notes = named<QPlainTextEdit>(QStringLiteral("Text6"));
    grid->addWidget(captionFor(QStringLiteral("Notes"), t.notes), row, 0);
    grid->addWidget(t.notes, row, 1, 1, 2);
    ++row;
    t.print = commandButton(QStringLiteral("Command20"), QStringLiteral("Print"));
    grid->addWidget(t.print, row, 0);
    return t;
}

} // namespace SoftForm
