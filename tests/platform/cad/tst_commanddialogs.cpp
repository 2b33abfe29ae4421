#include "cadviewdialogs.h"
#include "drawing.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

// The drawing commands' own Qt dialogs, driven while they run modal.
class TestCommandDialogs : public QObject
{
    Q_OBJECT

private slots:
    void layerTableShowsEveryColumnWithoutScrolling();
};

namespace {

cad::LayerTable fourLayers()
{
    cad::LayerTable table;
    for (const char *name : {"Image", "Insole", "Client", "Scale"}) {
        cad::Layer layer;
        layer.name = QString::fromLatin1(name);
        table.layers << layer;
    }
    table.layers[0].locked = true;
    table.current = 3;
    return table;
}

} // namespace

void TestCommandDialogs::layerTableShowsEveryColumnWithoutScrolling()
{
    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    cad::QtCommandDialogs dialogs(&owner);

    QStringList headers;
    int emptyColumns = -1;
    bool scrolls = true;
    QString current;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto *table = dialog->findChild<QTableWidget *>(QStringLiteral("LayerTable"));
        QVERIFY(table);
        for (int c = 0; c < table->columnCount(); ++c)
            headers << table->horizontalHeaderItem(c)->text();
        // A column none of whose rows holds a control shows nothing to edit.
        emptyColumns = 0;
        for (int c = 0; c < table->columnCount(); ++c) {
            bool any = false;
            for (int r = 0; r < table->rowCount(); ++r)
                any = any || table->cellWidget(r, c) || table->item(r, c);
            emptyColumns += any ? 0 : 1;
        }
        scrolls = table->horizontalScrollBar()->maximum() > 0;
        if (auto *list = dialog->findChild<QComboBox *>())
            current = list->currentText();
        dialog->reject();
    });
    const std::optional<cad::LayerTable> answer = dialogs.layers(fourLayers());

    QVERIFY(!answer);
    QCOMPARE(headers, (QStringList{QStringLiteral("Colour"), QStringLiteral("Visible"), QStringLiteral("Locked")}));
    QCOMPARE(emptyColumns, 0);
    QVERIFY2(!scrolls, "the layer table must fit its dialog");
    QCOMPARE(current, QStringLiteral("Client"));
}

QTEST_MAIN(TestCommandDialogs)
#include "tst_commanddialogs.moc"
