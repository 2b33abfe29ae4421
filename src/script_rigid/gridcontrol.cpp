#include "gridcontrol.h"

#include "rigidgrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace {

constexpr int KindRole = Qt::UserRole + 1;
constexpr int MultilineRole = Qt::UserRole + 2;

// The notes keep CR LF line breaks, as the record and the documents expect;
// the editor works with plain line feeds.
QString editorLines(const QString &cellText)
{
    QString text = cellText;
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString cellLines(const QString &editorText)
{
    QString text = editorLines(editorText);
    return text.replace(u'\n', QLatin1String("\r\n"));
}

} // namespace

// Edits each cell by its kind: a line for plain cells (several lines for a
// multi-line one), an editable list for drop-down cells, filled through
// List_Open as it opens, and a tick drawn from the text and toggled by a
// click or the space bar.
class GridCellDelegate : public QStyledItemDelegate
{
public:
    explicit GridCellDelegate(GridControl *grid)
        : QStyledItemDelegate(grid),
          m_grid(grid)
    {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int row = index.row() + 1;
        const int column = index.column();
        if (m_grid->Column_Locked(column))
            return nullptr;
        QWidget *editor = nullptr;
        switch (m_grid->Cell_Kind(row, column)) {
        case GridControl::Kind::Tick: return nullptr;
        case GridControl::Kind::List: {
            auto *list = new QComboBox(parent);
            list->setEditable(true);
            list->setInsertPolicy(QComboBox::NoInsert);
            list->setFrame(false);
            m_grid->m_list = list;
            m_grid->m_listSelected = -1;
            // A pick from the list takes effect at once, as a drop-down's does.
            // While the list is showing nothing was picked yet: the list
            // reports the entry typed in the line as it opens, and that must
            // not close it.
            auto *self = const_cast<GridCellDelegate *>(this);
            connect(list, &QComboBox::activated, self, [self, list] {
                if (list->view()->isVisible())
                    return;
                emit self->commitData(list);
                emit self->closeEditor(list, QAbstractItemDelegate::NoHint);
            });
            // Filled afresh at every opening, so the list shows what the
            // tables and the size chart hold now.
            emit m_grid->List_Open(row);
            editor = list;
            break;
        }
        case GridControl::Kind::Plain:
            if (index.data(MultilineRole).toBool()) {
                auto *lines = new QPlainTextEdit(parent);
                lines->setTabChangesFocus(true);
                editor = lines;
            } else {
                editor = QStyledItemDelegate::createEditor(parent, option, index);
            }
            break;
        }
        m_grid->m_editor = editor;
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (auto *list = qobject_cast<QComboBox *>(editor)) {
            const QSignalBlocker quiet(list);
            // The cell's own entry is the chosen one; a cell holding none
            // shows the row's choice. The entry shown as chosen is only
            // highlighted: the cell keeps its value until the user picks or
            // types another.
            const int entry = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
            const int rowChoice = m_grid->m_listSelected < list->count() ? m_grid->m_listSelected : -1;
            list->setCurrentIndex(entry >= 0 ? entry : rowChoice);
            list->setEditText(text);
            // Typing replaces the cell's text, as in a plain cell.
            list->lineEdit()->selectAll();
            return;
        }
        if (auto *lines = qobject_cast<QPlainTextEdit *>(editor)) {
            lines->setPlainText(editorLines(text));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        QString text;
        if (auto *list = qobject_cast<QComboBox *>(editor))
            text = list->currentText();
        else if (auto *lines = qobject_cast<QPlainTextEdit *>(editor))
            text = cellLines(lines->toPlainText());
        else if (auto *line = qobject_cast<QLineEdit *>(editor))
            text = line->text();
        else
            return;
        m_grid->userSets(index.row() + 1, index.column(), text);
    }

    void destroyEditor(QWidget *editor, const QModelIndex &index) const override
    {
        if (m_grid->m_editor == editor)
            m_grid->m_editor = nullptr;
        if (m_grid->m_list == editor)
            m_grid->m_list = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override
    {
        QStyledItemDelegate::updateEditorGeometry(editor, option, index);
        if (qobject_cast<QPlainTextEdit *>(editor)) {
            // Room for a few lines of notes below the row.
            QRect r = editor->geometry();
            r.setHeight(std::max(r.height(), editor->fontMetrics().lineSpacing() * 5 + 8));
            editor->setGeometry(r);
        }
    }

    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override
    {
        const int row = index.row() + 1;
        const int column = index.column();
        if (m_grid->Cell_Kind(row, column) != GridControl::Kind::Tick || m_grid->Column_Locked(column))
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        bool toggle = false;
        switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            toggle = mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
            break;
        }
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent *>(event)->key();
            toggle = key == Qt::Key_Space || key == Qt::Key_Select;
            break;
        }
        case QEvent::MouseButtonDblClick: return true; // no second toggle
        default: return false;
        }
        if (!toggle)
            return false;
        const bool ticked = GridControl::Is_Ticked(index.data(Qt::DisplayRole).toString());
        m_grid->userSets(row, column, ticked ? QStringLiteral("0") : QStringLiteral("1"));
        return true;
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = m_grid->alignment(index.column());
        if (m_grid->Cell_Kind(index.row() + 1, index.column()) == GridControl::Kind::Tick) {
            option->features |= QStyleOptionViewItem::HasCheckIndicator;
            option->checkState = GridControl::Is_Ticked(option->text) ? Qt::Checked : Qt::Unchecked;
            option->text.clear();
        }
    }

private:
    GridControl *m_grid;
};

GridControl::GridControl(QWidget *parent)
    : QTableWidget(parent)
{
    setObjectName(QStringLiteral("Grid1"));
    setItemDelegate(new GridCellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(22);
    horizontalHeader()->setSectionsClickable(false);
    QFont f = font();
    f.setPointSizeF(9.75);
    setFont(f);
    setStyleSheet(QStringLiteral("QTableView { gridline-color: rgb(192, 192, 192); }"));

    connect(this, &QTableWidget::cellClicked, this, [this](int tableRow, int column) {
        const int row = tableRow + 1;
        m_active = {row, column, Grid_Cell_Text(row, column)};
        emit Cell_Click();
        // A drop-down cell opens its list at once, as a drop-down does.
        if (Cell_Kind(row, column) == Kind::List && !Column_Locked(column)) {
            editItem(item(tableRow, column));
            if (m_list)
                QMetaObject::invokeMethod(m_list.data(), &QComboBox::showPopup, Qt::QueuedConnection);
        }
    });
}

bool GridControl::Is_Ticked(const QString &text)
{
    return RigidGrid::Is_Ticked_Text(text);
}

QTableWidgetItem *GridControl::cell(int row, int column) const
{
    if (row == 0)
        return horizontalHeaderItem(column);
    return item(row - 1, column);
}

QTableWidgetItem *GridControl::ensureCell(int row, int column)
{
    if (row < 0 || row > rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    if (QTableWidgetItem *existing = cell(row, column))
        return existing;
    auto *made = new QTableWidgetItem;
    if (row == 0)
        setHorizontalHeaderItem(column, made);
    else
        setItem(row - 1, column, made);
    return made;
}

void GridControl::Grid_Clear()
{
    // A rebuild replaces every value: whatever an open editor holds goes.
    if (QWidget *editor = m_editor)
        emit itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    clear();
    setRowCount(0);
    m_active = {};
}

void GridControl::Grid_Set_Rows(int rows)
{
    setRowCount(std::max(0, rows - 1));
}

void GridControl::Grid_Set_Cols(int columns)
{
    setColumnCount(std::max(0, columns));
    m_alignments.resize(columnCount(), Qt::AlignLeft | Qt::AlignVCenter);
    m_locked.resize(columnCount(), false);
}

void GridControl::Grid_Add_Row(const QString &fields)
{
    Grid_Add_Row(fields.split(u'\t'));
}

void GridControl::Grid_Add_Row(const QStringList &fields)
{
    const int tableRow = rowCount();
    insertRow(tableRow);
    for (int column = 0; column < columnCount(); ++column) {
        auto *made = new QTableWidgetItem(column >= 1 && column <= fields.size() ? fields[column - 1] : QString());
        setItem(tableRow, column, made);
    }
}

QString GridControl::Grid_Cell_Text(int row, int column) const
{
    const QTableWidgetItem *c = cell(row, column);
    return c ? c->text() : QString();
}

void GridControl::Set_Grid_Cell_Text(int row, int column, const QString &text)
{
    if (QTableWidgetItem *c = ensureCell(row, column))
        c->setText(text);
}

void GridControl::userSets(int row, int column, const QString &text)
{
    QTableWidgetItem *c = ensureCell(row, column);
    if (!c || c->text() == text)
        return;
    c->setText(text);
    emit Cell_Changed(row, column);
}

void GridControl::Grid_Cell_Back_Colour(int row, int column, const QColor &colour)
{
    if (QTableWidgetItem *c = ensureCell(row, column))
        c->setBackground(colour);
}

void GridControl::Grid_Cell_Bold(int row, int column)
{
    if (QTableWidgetItem *c = ensureCell(row, column)) {
        QFont f = c->data(Qt::FontRole).isValid() ? c->font() : font();
        f.setBold(true);
        c->setFont(f);
    }
}

void GridControl::Grid_Cell_Font_Size(int row, int column, double points)
{
    if (QTableWidgetItem *c = ensureCell(row, column)) {
        QFont f = c->data(Qt::FontRole).isValid() ? c->font() : font();
        f.setPointSizeF(points);
        c->setFont(f);
    }
}

void GridControl::Grid_Cell_Kind(int row, int column, Kind kind)
{
    if (QTableWidgetItem *c = ensureCell(row, column))
        c->setData(KindRole, int(kind));
}

GridControl::Kind GridControl::Cell_Kind(int row, int column) const
{
    const QTableWidgetItem *c = row >= 1 ? cell(row, column) : nullptr;
    return c ? Kind(c->data(KindRole).toInt()) : Kind::Plain;
}

void GridControl::Grid_Cell_Multiline(int row, int column, bool on)
{
    if (QTableWidgetItem *c = ensureCell(row, column))
        c->setData(MultilineRole, on);
}

void GridControl::Grid_Column_Width(int column, int width)
{
    setColumnWidth(column, width);
}

void GridControl::Grid_Column_Alignment(int column, int code)
{
    if (column < 0 || column >= m_alignments.size())
        return;
    const Qt::Alignment a = (code == 14 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    m_alignments[column] = a;
    if (QTableWidgetItem *header = horizontalHeaderItem(column))
        header->setTextAlignment(a);
    viewport()->update();
}

Qt::Alignment GridControl::alignment(int column) const
{
    return m_alignments.value(column, Qt::AlignLeft | Qt::AlignVCenter);
}

void GridControl::Grid_Column_Locked(int column, bool locked)
{
    if (column >= 0 && column < m_locked.size())
        m_locked[column] = locked;
}

bool GridControl::Column_Locked(int column) const
{
    return m_locked.value(column, false);
}

void GridControl::Grid_Redraw(bool on)
{
    // The rows' layout is done now, while painting is still off; left to
    // its timer it would paint the rebuilt grid a second time.
    if (on)
        executeDelayedItemsLayout();
    setUpdatesEnabled(on);
}

void GridControl::Grid_Refresh()
{
    viewport()->update();
}

void GridControl::Grid_List_Clear()
{
    if (m_list) {
        m_list->clear();
        m_listSelected = -1;
    }
}

void GridControl::Grid_List_Add_Item(const QString &text)
{
    if (m_list)
        m_list->addItem(text);
}

void GridControl::Grid_List_Select(int index)
{
    if (m_list)
        m_listSelected = index;
}

void GridControl::Grid_List_Font_Size(double points)
{
    if (!m_list)
        return;
    QFont f = m_list->font();
    f.setPointSizeF(points);
    m_list->setFont(f);
}

void GridControl::Commit_Open_Editor()
{
    QWidget *editor = m_editor;
    if (!editor)
        return;
    QAbstractItemDelegate *delegate = itemDelegate();
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}
