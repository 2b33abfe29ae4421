#include "cadviewdialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace cad {

namespace {

// A dialog with OK and Cancel under its content; Esc or the frame cancel.
class FormDialog : public QDialog
{
public:
    FormDialog(QWidget *owner, const QString &title, const QString &name)
        : QDialog(owner)
    {
        setObjectName(name);
        setWindowTitle(title);
        auto *layout = new QVBoxLayout(this);
        m_form = new QFormLayout;
        layout->addLayout(m_form);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        m_body = layout;
        m_buttons = buttons;
    }

    // A labelled field; the label is the field's buddy and accessible name.
    template <typename W>
    W *field(const QString &caption, W *widget)
    {
        widget->setAccessibleName(caption);
        m_form->addRow(caption, widget);
        return widget;
    }

    QVBoxLayout *body() { return m_body; }
    bool run()
    {
        m_body->addWidget(m_buttons);
        return exec() == QDialog::Accepted;
    }

private:
    QFormLayout *m_form;
    QVBoxLayout *m_body;
    QDialogButtonBox *m_buttons;
};

QDoubleSpinBox *numberBox(double value, double low, double high, int decimals)
{
    auto *box = new QDoubleSpinBox;
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setValue(value);
    return box;
}

QSpinBox *colourBox(int value, int high)
{
    auto *box = new QSpinBox;
    box->setRange(0, high);
    box->setValue(value);
    return box;
}

} // namespace

std::optional<LayerTable> QtCommandDialogs::layers(const LayerTable &now)
{
    FormDialog dialog(m_owner, QStringLiteral("Layers"), QStringLiteral("LayerDialog"));
    // The current layer is chosen in the list under the table, so the table
    // holds only what each row edits.
    auto *table = new QTableWidget(0, 3, &dialog);
    table->setObjectName(QStringLiteral("LayerTable"));
    table->setAccessibleName(QStringLiteral("Layers"));
    table->setHorizontalHeaderLabels({QStringLiteral("Colour"), QStringLiteral("Visible"), QStringLiteral("Locked")});
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    auto *current = new QComboBox(&dialog);
    QVector<Layer> layers = now.layers;

    auto addRow = [&](const Layer &layer, bool isCurrent) {
        const int row = table->rowCount();
        table->insertRow(row);
        table->setVerticalHeaderItem(row, new QTableWidgetItem(layer.name));
        table->setCellWidget(row, 0, colourBox(layer.colour, 255));
        auto *visible = new QCheckBox;
        visible->setChecked(layer.visible);
        visible->setAccessibleName(QStringLiteral("Visible"));
        table->setCellWidget(row, 1, visible);
        auto *locked = new QCheckBox;
        locked->setChecked(layer.locked);
        locked->setAccessibleName(QStringLiteral("Locked"));
        table->setCellWidget(row, 2, locked);
        current->addItem(layer.name);
        if (isCurrent)
            current->setCurrentIndex(row);
    };
    for (qsizetype i = 0; i < layers.size(); ++i)
        addRow(layers[i], now.current == i + 1);
    dialog.body()->insertWidget(0, table);
    dialog.field(QStringLiteral("Current layer"), current);

    auto *newName = dialog.field(QStringLiteral("New layer"), new QLineEdit(&dialog));
    auto *add = new QPushButton(QStringLiteral("Add"), &dialog);
    add->setAccessibleName(QStringLiteral("Add"));
    dialog.body()->addWidget(add);
    QObject::connect(add, &QPushButton::clicked, &dialog, [&] {
        const QString name = newName->text().trimmed();
        if (name.isEmpty())
            return;
        for (const Layer &layer : std::as_const(layers))
            if (layer.name.compare(name, Qt::CaseInsensitive) == 0)
                return;
        Layer layer;
        layer.name = name;
        layers << layer;
        addRow(layer, false);
        newName->clear();
    });
    if (!dialog.run())
        return std::nullopt;
    LayerTable chosen;
    for (int row = 0; row < table->rowCount(); ++row) {
        Layer layer = layers[row];
        layer.colour = static_cast<QSpinBox *>(table->cellWidget(row, 0))->value();
        layer.visible = static_cast<QCheckBox *>(table->cellWidget(row, 1))->isChecked();
        layer.locked = static_cast<QCheckBox *>(table->cellWidget(row, 2))->isChecked();
        chosen.layers << layer;
    }
    chosen.current = current->currentIndex() + 1;
    return chosen;
}

std::optional<QVector<int>> QtCommandDialogs::layerOrder(const QVector<Layer> &layers, const QVector<int> &backToFront)
{
    FormDialog dialog(m_owner, QStringLiteral("Layer Order"), QStringLiteral("LayerOrderDialog"));
    // Front at the top, as the user looks at the drawing.
    auto *list = new QListWidget(&dialog);
    list->setAccessibleName(QStringLiteral("Layer Order"));
    for (auto id = backToFront.crbegin(); id != backToFront.crend(); ++id) {
        auto *item = new QListWidgetItem(layers.value(*id - 1).name, list);
        item->setData(Qt::UserRole, *id);
    }
    dialog.body()->insertWidget(0, list);
    auto *buttons = new QHBoxLayout;
    for (const int step : {-1, 1}) {
        auto *button = new QPushButton(step < 0 ? QStringLiteral("Forward") : QStringLiteral("Back"), &dialog);
        button->setAccessibleName(button->text());
        buttons->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, &dialog, [list, step] {
            const int row = list->currentRow();
            const int to = row + step;
            if (row < 0 || to < 0 || to >= list->count())
                return;
            list->insertItem(to, list->takeItem(row));
            list->setCurrentRow(to);
        });
    }
    dialog.body()->addLayout(buttons);
    if (!dialog.run())
        return std::nullopt;
    QVector<int> chosen;
    for (int row = list->count() - 1; row >= 0; --row)
        chosen << list->item(row)->data(Qt::UserRole).toInt();
    return chosen;
}

std::optional<TextStyleChoice> QtCommandDialogs::textStyle(const TextStyleChoice &now)
{
    FormDialog dialog(m_owner, QStringLiteral("Text Style"), QStringLiteral("TextStyleDialog"));
    auto *font = dialog.field(QStringLiteral("Font file"), new QComboBox(&dialog));
    font->setEditable(true);
    font->addItems({QStringLiteral("Simplex.Vcf"), QStringLiteral("Arial.ttf"), QStringLiteral("Times.ttf"),
                    QStringLiteral("Courier.ttf")});
    font->setCurrentText(now.style.fontFile);
    auto *size = dialog.field(QStringLiteral("Size value"), numberBox(now.style.size, 0, 1e6, 4));
    auto *height = dialog.field(QStringLiteral("Height of new text"), numberBox(now.textHeight, 0.001, 1e6, 3));
    if (!dialog.run())
        return std::nullopt;
    TextStyleChoice chosen = now;
    chosen.style.fontFile = font->currentText();
    chosen.style.size = size->value();
    chosen.textHeight = height->value();
    return chosen;
}

std::optional<EntityProperties> QtCommandDialogs::properties(const EntityProperties &now, const QStringList &layerNames)
{
    FormDialog dialog(m_owner, QStringLiteral("Properties"), QStringLiteral("PropertiesDialog"));
    auto *colour = dialog.field(QStringLiteral("Colour (256: the layer's)"), colourBox(now.colour, kByLayer));
    auto *layer = dialog.field(QStringLiteral("Layer"), new QComboBox(&dialog));
    layer->addItems(layerNames);
    layer->setCurrentText(now.layer);
    if (!dialog.run())
        return std::nullopt;
    return EntityProperties{colour->value(), layer->currentText()};
}

std::optional<RasterPlacement> QtCommandDialogs::raster(const RasterPlacement &now, QSize pixels)
{
    FormDialog dialog(m_owner, QStringLiteral("Edit Raster"), QStringLiteral("RasterDialog"));
    dialog.body()->insertWidget(
        0, new QLabel(QStringLiteral("%1 x %2 pixels").arg(pixels.width()).arg(pixels.height()), &dialog));
    auto *x = dialog.field(QStringLiteral("Lower left x"), numberBox(now.corner.x(), -1e9, 1e9, 3));
    auto *y = dialog.field(QStringLiteral("Lower left y"), numberBox(now.corner.y(), -1e9, 1e9, 3));
    auto *scale = dialog.field(QStringLiteral("Pixels per unit"), numberBox(now.scale, 1e-6, 1e6, 6));
    auto *angle = dialog.field(QStringLiteral("Angle"), numberBox(now.angle, -360, 360, 2));
    if (!dialog.run())
        return std::nullopt;
    return RasterPlacement{QPointF(x->value(), y->value()), scale->value(), angle->value()};
}

} // namespace cad
