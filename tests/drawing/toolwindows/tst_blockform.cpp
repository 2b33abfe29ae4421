#include "blockform.h"
#include "blockinsert.h"
#include "blocklibrary.h"
#include "drawingstate.h"
#include "graphicform.h"
#include "toolwindowfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using viewfixtures::clickAt;

namespace {

// A library of `count` entries, all inserting the first installed feature
// block; even entries have their icon, odd ones name a missing one.
void fillLibrary(int count)
{
    const installdata::FeatureBlock feature = installdata::featureBlocks().first();
    DrawingState &state = Drawing_State();
    state = DrawingState();
    for (int k = 0; k < count; ++k) {
        state.BlockFiles << feature.blockFile;
        state.BlockIcons << (k % 2 == 0 ? feature.iconFile : QStringLiteral("Missing%1.Gif").arg(k));
        state.BlockLabels << QStringLiteral("Block %1").arg(k);
    }
    state.BlockCount = count;
}

int inserts(const cad::Drawing &d)
{
    int n = 0;
    for (cad::Handle h : d.handles())
        n += d.entity(h)->kind == cad::Kind::Insert ? 1 : 0;
    return n;
}

} // namespace

class TestBlockForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<ToolWindowFixture> fx;

    BlockForm *picker(const char *name = "BlockForm2")
    {
        return qobject_cast<BlockForm *>(ToolWindowFixture::open(QString::fromLatin1(name)));
    }
    static QString label(BlockForm *form, int slot)
    {
        return form->findChild<QLabel *>(QStringLiteral("Label1_%1").arg(slot))->text();
    }
    static void clickSlot(BlockForm *form, int slot)
    {
        QTest::mouseClick(form->findChild<QLabel *>(QStringLiteral("Image1_%1").arg(slot)), Qt::LeftButton);
    }
    static void press(BlockForm *form, const char *button)
    {
        form->findChild<QPushButton *>(QString::fromLatin1(button))->click();
    }

private slots:
    void init()
    {
        fx = std::make_unique<ToolWindowFixture>();
        fillLibrary(20);
    }
    void cleanup() { fx.reset(); }

    void paging_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("presses"); // n "Next >", p "< Previous"
        QTest::addColumn<int>("first");
        QTest::addColumn<QStringList>("labels"); // slots 0, 4, 5 and 14
        const QStringList none(4, QString());
        QTest::newRow("0 entries") << 0 << "" << 0 << none;
        QTest::newRow("0 entries, next reloads the same page") << 0 << "n" << 0 << none;
        QTest::newRow("20 entries") << 20 << "" << 0 << QStringList{"Block 0", "Block 4", "Block 5", "Block 14"};
        QTest::newRow("20, next") << 20 << "n" << 15 << QStringList{"Block 15", "Block 19", "", ""};
        QTest::newRow("20, next twice stays") << 20 << "nn" << 15 << QStringList{"Block 15", "Block 19", "", ""};
        QTest::newRow("20, back") << 20 << "nnp" << 0 << QStringList{"Block 0", "Block 4", "Block 5", "Block 14"};
        QTest::newRow("15 entries") << 15 << "" << 0 << QStringList{"Block 0", "Block 4", "Block 5", "Block 14"};
        QTest::newRow("15, next pages on to an empty page") << 15 << "n" << 15 << none;
        QTest::newRow("15, next twice stays") << 15 << "nn" << 15 << none;
        QTest::newRow("previous on the first page")
            << 20 << "p" << 0 << QStringList{"Block 0", "Block 4", "Block 5", "Block 14"};
    }
    void paging()
    {
        QFETCH(int, count);
        QFETCH(QString, presses);
        QFETCH(int, first);
        QFETCH(QStringList, labels);
        fillLibrary(count);
        BlockForm *form = picker();
        QVERIFY(form);
        for (QChar c : presses)
            press(form, c == u'n' ? "Command1" : "Command3");
        QCOMPARE(form->pager().PageFirst, first);
        QCOMPARE(form->pager().PageLast, first + 14);
        QCOMPARE((QStringList{label(form, 0), label(form, 4), label(form, 5), label(form, 14)}), labels);
        for (int slot : {0, 4, 5, 14}) {
            const int entry = first + slot;
            const QString expected = entry >= count   ? QStringLiteral("Blank.Gif")
                                     : entry % 2 == 0 ? installdata::featureBlocks().first().iconFile
                                                      : QStringLiteral("NoImage.Gif");
            QCOMPARE(QFileInfo(form->slotPicture(slot)).fileName(), expected);
            QVERIFY(QFileInfo(form->slotPicture(slot)).isFile());
        }
    }

    void aMissingBlankPictureLeavesTheSlotEmpty()
    {
        QVERIFY(QFile::remove(Icon_File_Path(QStringLiteral("Blank.Gif"))));
        QVERIFY(QFile::remove(Icon_File_Path(QStringLiteral("NoImage.Gif"))));
        fillLibrary(2);
        BlockForm *form = picker();
        QCOMPARE(form->slotPicture(1), QString()); // entry without its icon
        QCOMPARE(form->slotPicture(2), QString()); // no entry
        QCOMPARE(label(form, 1), QStringLiteral("Block 1"));
    }

    void emptySlotDoesNothing()
    {
        fillLibrary(3);
        BlockForm *form = picker();
        clickSlot(form, 5);
        ToolWindowFixture::settle();
        QVERIFY(Windows().isLoaded(QStringLiteral("BlockForm2")));
        QVERIFY(!Block_Insert_Waiting());
        QVERIFY(fx->prompter->calls.isEmpty());
    }

    void slotInsertsAtThePointPickedInTheTarget_data()
    {
        QTest::addColumn<bool>("evaScript");
        QTest::newRow("soft pane") << true;
        QTest::newRow("rigid pane") << false;
    }
    void slotInsertsAtThePointPickedInTheTarget()
    {
        QFETCH(bool, evaScript);
        Job().EvaScriptFlag = evaScript;
        FakeInsolePane &pane = evaScript ? *fx->panes.soft : *fx->panes.rigid;
        Drawing_State().PickFlag = true;
        BlockForm *form = picker();
        press(form, "Command1");
        clickSlot(form, 2); // entry 17
        ToolWindowFixture::settle();
        QVERIFY(!Windows().isLoaded(QStringLiteral("BlockForm2")));
        QVERIFY(pane.view().pickIsArmed());
        QVERIFY(!Drawing_State().PickFlag);
        QCOMPARE(inserts(pane.drawing()), 0);

        clickAt(pane.view(), QPointF(30, 40));
        QCOMPARE(inserts(pane.drawing()), 1);
        const cad::Entity *insert = pane.drawing().entity(pane.drawing().handles().last());
        QCOMPARE(insert->anchor(), QPointF(30, 40));
        QCOMPARE(insert->scale, 1.0);
        QCOMPARE(pane.view().commandLog().last(), 911);
        QVERIFY(Drawing_State().PickFlag);
        QCOMPARE(Drawing_State().PickX, 30.0);
        QCOMPARE(Drawing_State().PickY, 40.0);
        // A second pick is only a pick.
        clickAt(pane.view(), QPointF(60, 60));
        QCOMPARE(inserts(pane.drawing()), 1);
        QVERIFY(pane.drawing().undo());
        QCOMPARE(inserts(pane.drawing()), 0);
    }

    void pickInAnotherDrawingDoesNotInsert()
    {
        clickSlot(picker(), 0);
        clickAt(fx->panes.rigid->view(), QPointF(20, 20));
        QCOMPARE(inserts(fx->panes.rigid->drawing()), 0);
        QCOMPARE(inserts(fx->panes.soft->drawing()), 0);
        QVERIFY(Block_Insert_Waiting());
        clickAt(fx->panes.soft->view(), QPointF(10, 10));
        QCOMPARE(inserts(fx->panes.soft->drawing()), 1);
        QCOMPARE(inserts(fx->panes.rigid->drawing()), 0);
    }

    void waitIsCancelled_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Esc") << "esc";
        QTest::newRow("another command") << "command";
        QTest::newRow("target closed (or shut down)") << "close";
        QTest::newRow("another block chosen elsewhere") << "rechoose";
    }
    void waitIsCancelled()
    {
        QFETCH(QString, how);
        clickSlot(picker(), 0);
        QVERIFY(Block_Insert_Waiting());
        FakeInsolePane &soft = *fx->panes.soft;
        if (how == QLatin1String("esc")) {
            viewfixtures::press(soft.view(), Qt::Key_Escape);
        } else if (how == QLatin1String("command")) {
            soft.view().runCommand(102);
        } else if (how == QLatin1String("close")) {
            fx->panes.soft.reset();
        } else {
            Job().EvaScriptFlag = false;
            clickSlot(picker(), 0);
            QVERIFY(fx->panes.rigid->view().pickIsArmed());
        }
        QVERIFY(!fx->panes.soft || !soft.view().pickIsArmed());
        ToolWindowFixture::settle();
        if (fx->panes.soft) {
            clickAt(soft.view(), QPointF(10, 10));
            QCOMPARE(inserts(soft.drawing()), 0);
        }
        if (how == QLatin1String("rechoose")) {
            QVERIFY(Block_Insert_Waiting());
            clickAt(fx->panes.rigid->view(), QPointF(10, 10));
            QCOMPARE(inserts(fx->panes.rigid->drawing()), 1);
        }
        QVERIFY(!Block_Insert_Waiting());
    }

    void missingBlockFileIsReportedBeforeAnyPick()
    {
        Drawing_State().BlockFiles[0] = QStringLiteral("Nothing.Vec");
        BlockForm *form = picker();
        clickSlot(form, 0);
        ToolWindowFixture::settle();
        QCOMPARE(fx->prompter->calls.size(), 1);
        QCOMPARE(fx->prompter->calls.first().title, QStringLiteral("Error"));
        QVERIFY(fx->prompter->calls.first().text.contains(QStringLiteral("Nothing.Vec")));
        QVERIFY(Windows().isLoaded(QStringLiteral("BlockForm2")));
        QVERIFY(!Block_Insert_Waiting());
    }

    void closedPaneWindowIsNotCreated()
    {
        int created = 0;
        Windows().registerFactory(QStringLiteral("ScriptForm2"), [&created]() -> QWidget * {
            ++created;
            return nullptr;
        });
        Job().EvaScriptFlag = false;
        fx->panes.rigid.reset();
        QVERIFY(!picker());
        QCOMPARE(created, 0);
        QVERIFY(!Windows().isLoaded(QStringLiteral("BlockForm2")));
        QCOMPARE(fx->prompter->messages(), QStringList{"The \"Rigid Orthotic Script File\" window is not open."});
        // Closed after the picker opened: the slot says so and arms nothing.
        Job().EvaScriptFlag = true;
        BlockForm *form = picker();
        fx->panes.soft.reset();
        clickSlot(form, 0);
        QCOMPARE(fx->prompter->messages().last(),
                 QStringLiteral("The \"EVA Orthotic Script File\" window is not open."));
        QVERIFY(!Block_Insert_Waiting());
    }

    void graphicScreenPickerLivesWithTheGraphicScreen()
    {
        QVERIFY(!picker("BlockForm1"));
        QCOMPARE(fx->prompter->messages(), QStringList{"The \"Graphic Screen\" window is not open."});
        QVERIFY(!Windows().isLoaded(QStringLiteral("GraphicForm")));

        Register_Graphic_Screen();
        auto *graphic = Windows().get<GraphicForm>(QStringLiteral("GraphicForm"));
        graphic->view()->resize(400, 400);
        viewfixtures::showUnitSquare(*graphic->view());
        BlockForm *form = picker("BlockForm1");
        QVERIFY(form);
        QVERIFY(ToolWindowFixture::open(QStringLiteral("ScaleForm")));
        clickSlot(form, 0);
        QVERIFY(graphic->view()->pickIsArmed());
        QVERIFY(!fx->panes.soft->view().pickIsArmed());
        clickAt(*graphic->view(), QPointF(25, 25));
        QCOMPARE(inserts(graphic->drawing()), 1);

        QVERIFY(picker("BlockForm1"));
        Windows().unload(QStringLiteral("GraphicForm"));
        QVERIFY(!Windows().isLoaded(QStringLiteral("BlockForm1")));
        QVERIFY(!Windows().isLoaded(QStringLiteral("ScaleForm")));
        QVERIFY(!Windows().isLoaded(QStringLiteral("GraphicForm")));
    }
};

QTEST_MAIN(TestBlockForm)
#include "tst_blockform.moc"
