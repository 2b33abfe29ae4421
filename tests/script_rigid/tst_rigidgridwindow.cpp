#include "rigidtestsupport.h"

#include "gridcontrol.h"
#include "rigidgrid.h"
#include "scriptform2.h"

#include "scriptrecord.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

using namespace RigidGrid;

namespace {

QStringList listItems(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

// Opens the editor of a cell as a double click would.
QWidget *openEditor(GridControl *grid, int row, int column)
{
    grid->editItem(grid->item(row - 1, column));
    return grid->Open_Editor();
}

void clickCell(GridControl *grid, int row, int column)
{
    const QRect r = grid->visualItemRect(grid->item(row - 1, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
}

// A stand-in help browser that notes the page it loaded with.
struct BrowserStandIn
{
    int created = 0;
    QString loadedPage;
    void install()
    {
        Windows().registerFactory("Browser", [this] {
            ++created;
            loadedPage = Job().BrowserPage;
            auto *w = new QWidget;
            w->setObjectName("Browser");
            return w;
        });
    }
};

} // namespace

class TestRigidGridWindow : public QObject
{
    Q_OBJECT

private:
    // Opens the window on "Foot Data" with the grid shown.
    GridControl *openGrid(RigidFixture &, ScriptForm2 *&form)
    {
        form = Open_ScriptForm2();
        form->findChild<QTabWidget *>("SSTab1")->setCurrentIndex(1);
        return form->grid();
    }

    // The same in the active window, the keyboard's focus on the grid.
    GridControl *openFocusedGrid(RigidFixture &f, ScriptForm2 *&form)
    {
        GridControl *grid = openGrid(f, form);
        if (!QTest::qWaitForWindowActive(form))
            return nullptr;
        grid->setFocus();
        return grid;
    }

private slots:
    void gridShowsTheRowsWithTheirLooks()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        QCOMPARE(grid->Grid_Rows(), RowCount + 1);
        QCOMPARE(grid->columnCount(), ColumnCount);
        QCOMPARE(grid->Grid_Cell_Text(0, 1), QStringLiteral("Value (click for help)  "));
        QCOMPARE(grid->Grid_Cell_Text(15, 0), QStringLiteral("15"));
        QCOMPARE(grid->Grid_Cell_Text(15, 1), QStringLiteral("Shell Style "));
        QCOMPARE(grid->Grid_Cell_Text(15, 2), QStringLiteral("Standard"));
        QCOMPARE(grid->Grid_Cell_Text(12, 2), QStringLiteral("2.0"));
        QCOMPARE(grid->Grid_Cell_Text(8, 4), QStringLiteral("mm"));
        QCOMPARE(grid->Cell_Kind(2, 2), GridControl::Kind::List);
        QCOMPARE(grid->Cell_Kind(71, 3), GridControl::Kind::Tick);
        QCOMPARE(grid->Cell_Kind(62, 2), GridControl::Kind::Plain);
        QCOMPARE(grid->item(0, 1)->background().color(), QColor(255, 190, 190));
        QVERIFY(grid->item(0, 1)->font().bold());
        QCOMPARE(grid->item(13, 2)->background().color(), QColor(255, 240, 190));
        for (int column = 1; column <= 4; ++column)
            QCOMPARE(grid->item(40, column)->font().pointSizeF(), 10.0);
        QCOMPARE(form->ClickedRow, 1);
        QCOMPARE(form->ClickedColumn, 1);
    }

    void addRowSplitsItsFieldsAtTabs()
    {
        GridControl grid;
        grid.Grid_Set_Cols(5);
        grid.Grid_Add_Row(QStringLiteral("Label \tleft\tright"));
        QCOMPARE(grid.Grid_Rows(), 2);
        QCOMPARE(grid.Grid_Cell_Text(1, 1), QStringLiteral("Label "));
        QCOMPARE(grid.Grid_Cell_Text(1, 3), QStringLiteral("right"));
        QCOMPARE(grid.Grid_Cell_Text(1, 4), QString());
        grid.Grid_Clear();
        grid.Grid_Set_Rows(1);
        QCOMPARE(grid.Grid_Rows(), 1);
    }

    void listsByRow_data()
    {
        QTest::addColumn<bool>("withTable");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("selected");
        // The cell's entry is the chosen one; without one, the row's own choice.
        QTest::newRow("thickness") << true << 12 << "1.0" << 9 << 2;
        QTest::newRow("shell style") << true << 15 << "Standard" << 8 << 0;
        QTest::newRow("sizes") << true << 2 << "0" << 17 << 0;
        QTest::newRow("material from the table") << true << 76 << "Carbon (2 mm)" << 2 << 0;
        QTest::newRow("top cover from the table") << true << 77 << "Vinyl Black" << 1 << 0;
        QTest::newRow("material built in") << false << 76 << "Polypropylene (2 mm)" << 5 << 0;
        QTest::newRow("top cover built in") << false << 78 << "**3D PRINTED**" << 23 << 0;
    }
    void listsByRow()
    {
        QFETCH(bool, withTable);
        QFETCH(int, row);
        QFETCH(QString, first);
        QFETCH(int, count);
        QFETCH(int, selected);
        RigidFixture f(withTable);
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        for (int opening = 0; opening < 2; ++opening) {
            const QString before = grid->Grid_Cell_Text(row, 3);
            QVERIFY(openEditor(grid, row, 3));
            QComboBox *list = grid->Open_List();
            QVERIFY(list);
            QCOMPARE(list->count(), count); // once each, however often it opens
            QCOMPARE(list->itemText(0), first);
            QCOMPARE(list->currentIndex(), selected);
            QCOMPARE(list->currentText(), before); // the cell keeps its value until a pick
            grid->Commit_Open_Editor();
            QVERIFY(!grid->Open_List());
            QCOMPARE(grid->Grid_Cell_Text(row, 3), before);
        }
    }

    // Whatever the cell holds, a click, Alt+Down and F4 drop the list down
    // with the cell's entry chosen, and the cell keeps its value.
    void listDropsDownWithTheCellsEntry_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("key"); // none: a click
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        const struct
        {
            int row;
            const char *text;
            int entry;
        } cells[] = {{2, "0", 0},     {13, "None", 0},         {15, "Standard", 0},
                     {16, "Long", 2}, {76, "Nylon (3 mm)", 1}, {79, "Option 3", 2}};
        for (const auto &c : cells) {
            QTest::addRow("row %d, click", c.row) << c.row << c.text << c.entry << 0 << Qt::KeyboardModifiers();
            QTest::addRow("row %d, Alt+Down", c.row)
                << c.row << c.text << c.entry << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::AltModifier);
            QTest::addRow("row %d, F4", c.row)
                << c.row << c.text << c.entry << int(Qt::Key_F4) << Qt::KeyboardModifiers();
        }
    }
    void listDropsDownWithTheCellsEntry()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(int, entry);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openFocusedGrid(f, form);
        QVERIFY(grid);
        grid->Set_Grid_Cell_Text(row, 2, text);
        grid->scrollToItem(grid->item(row - 1, 2));
        if (key == 0) {
            clickCell(grid, row, 2);
        } else {
            QVERIFY(openEditor(grid, row, 2));
            QTest::keyClick(grid->Open_Editor(), Qt::Key(key), modifiers);
        }
        // An editor closed at once would be gone by now.
        QCoreApplication::processEvents();
        RigidFixture::settle();
        QComboBox *list = grid->Open_List();
        QVERIFY(list);
        QTRY_VERIFY(list->view()->isVisible());
        QCOMPARE(list->currentIndex(), entry);
        QCOMPARE(list->itemText(entry), text);
        QCOMPARE(grid->Grid_Cell_Text(row, 2), text);
    }

    // Typing into a list cell replaces its text; the list still drops down
    // when a typed entry stands in it.
    void typingReplacesTheCellsText_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("size") << 2 << "9"
                              << "9";
        QTest::newRow("shell style") << 15 << "Wide"
                                     << "Wide";
        QTest::newRow("shell length") << 16 << "Sh"
                                      << "Short"; // completed from the list
        QTest::newRow("padding of its own") << 79 << "Felt"
                                            << "Felt";
    }
    void typingReplacesTheCellsText()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openFocusedGrid(f, form);
        QVERIFY(grid);
        grid->setCurrentCell(row - 1, 2);
        // Each key goes where the keyboard's focus is, as the user's would.
        for (const QChar key : typed)
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
        QVERIFY(grid->Open_List());
        QTest::keyClick(grid->Open_Editor(), Qt::Key_F4);
        QTRY_VERIFY(grid->Open_List() && grid->Open_List()->view()->isVisible());
        QCOMPARE(grid->Open_List()->currentText(), expected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // the list closes, the text stays
        QTRY_VERIFY(!grid->Open_List()->view()->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!grid->Open_List());
        QCOMPARE(grid->Grid_Cell_Text(row, 2), expected);
        QCOMPARE(grid->Grid_Cell_Text(row, 3), expected);
    }

    void sizeListShowsNineAsChosen()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        grid->Set_Grid_Cell_Text(2, 2, QString()); // no size of the list in the cell
        openEditor(grid, 2, 2);
        const QStringList sizes = listItems(grid->Open_List());
        QCOMPARE(sizes.mid(0, 3), (QStringList{"0", "2", "3"}));
        QCOMPARE(sizes[8], QStringLiteral("9"));
        QCOMPARE(grid->Open_List()->currentIndex(), 8);
        QCOMPARE(grid->Open_List()->font().pointSizeF(), 10.0);
    }

    void pickedLeftSizeSetsBothFeet_data()
    {
        QTest::addColumn<QString>("gender");
        QTest::addColumn<double>("templateLength");
        QTest::newRow("male") << "Male" << 270.0;
        QTest::newRow("female") << "Female" << 253.0;
    }
    void pickedLeftSizeSetsBothFeet()
    {
        QFETCH(QString, gender);
        QFETCH(double, templateLength);
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        Job().Gender = gender;
        openEditor(grid, 2, 2);
        grid->Open_List()->setCurrentIndex(8);
        grid->Commit_Open_Editor();
        const ScriptRecord &job = Job();
        QCOMPARE(job.FootSizeL, QStringLiteral("9"));
        QCOMPARE(job.FootSizeR, QStringLiteral("9"));
        QCOMPARE(job.TemplateLengthL, templateLength);
        QCOMPARE(job.TemplateLengthR, templateLength);
        QCOMPARE(job.FootLengthL, templateLength - 25);
        QCOMPARE(job.FootLengthR, templateLength - 25);
        QCOMPARE(grid->Grid_Cell_Text(2, 3), QStringLiteral("9"));
    }

    void typedRightSizeChangesTheRightFootOnly()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        openEditor(grid, 2, 3);
        grid->Open_List()->setEditText("9.0");
        grid->Commit_Open_Editor();
        QCOMPARE(Job().FootSizeR, QStringLiteral("9"));
        QCOMPARE(Job().TemplateLengthR, 270.0);
        QCOMPARE(Job().FootSizeL, QStringLiteral("0"));
        QCOMPARE(grid->Grid_Cell_Text(2, 3), QStringLiteral("9.0"));
        QCOMPARE(grid->Grid_Cell_Text(2, 2), QStringLiteral("0"));
    }

    void leftValuesAreCopiedRightwards()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        QSignalSpy changes(grid, &GridControl::Cell_Changed);

        openEditor(grid, 15, 2);
        grid->Open_List()->setCurrentIndex(1);
        grid->Commit_Open_Editor();
        QCOMPARE(grid->Grid_Cell_Text(15, 2), QStringLiteral("Slim"));
        QCOMPARE(grid->Grid_Cell_Text(15, 3), QStringLiteral("Slim"));
        QCOMPARE(Job().ShellStyleL, QStringLiteral("Standard")); // until the grid is saved

        openEditor(grid, 15, 3);
        grid->Open_List()->setCurrentIndex(3);
        grid->Commit_Open_Editor();
        QCOMPARE(grid->Grid_Cell_Text(15, 3), QStringLiteral("Wide"));
        QCOMPARE(grid->Grid_Cell_Text(15, 2), QStringLiteral("Slim"));

        // Typing in a plain cell and leaving it: copied as typed.
        auto *line = qobject_cast<QLineEdit *>(openEditor(grid, 26, 2));
        QVERIFY(line);
        line->setText("4.5");
        grid->Commit_Open_Editor();
        QCOMPARE(grid->Grid_Cell_Text(26, 3), QStringLiteral("4.5"));
        // Only the user's three edits were reported, not the copies.
        QCOMPARE(changes.size(), 3);
    }

    void pickFromTheListTakesEffectAtOnce()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        openEditor(grid, 13, 2);
        QComboBox *list = grid->Open_List();
        list->setCurrentIndex(2);
        emit list->activated(2); // the user's pick in the open list
        QCOMPARE(grid->Grid_Cell_Text(13, 2), QStringLiteral("Moderate"));
        QCOMPARE(grid->Grid_Cell_Text(13, 3), QStringLiteral("Moderate"));
        RigidFixture::settle();
        QVERIFY(!grid->Open_List());
    }

    void tickCellsToggleAndCopy()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        QCOMPARE(grid->Grid_Cell_Text(71, 2), QStringLiteral("False"));
        clickCell(grid, 71, 2);
        QCOMPARE(grid->Grid_Cell_Text(71, 2), QStringLiteral("1"));
        QCOMPARE(grid->Grid_Cell_Text(71, 3), QStringLiteral("1"));
        clickCell(grid, 71, 3);
        QCOMPARE(grid->Grid_Cell_Text(71, 3), QStringLiteral("0"));
        QCOMPARE(grid->Grid_Cell_Text(71, 2), QStringLiteral("1"));
        form->Save_Grid();
        QVERIFY(Job().EvaArchFillL);
        QVERIFY(!Job().EvaArchFillR);
        QVERIFY(GridControl::Is_Ticked("TRUE"));
        QVERIFY(GridControl::Is_Ticked("-1"));
        QVERIFY(!GridControl::Is_Ticked("False"));
        QVERIFY(!GridControl::Is_Ticked(""));
    }

    void rebuildsRaiseNoChange()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        QSignalSpy changes(grid, &GridControl::Cell_Changed);
        form->Set_Default();
        form->Rebuild_Grid();
        grid->Set_Grid_Cell_Text(15, 2, "Wide");
        QCOMPARE(changes.size(), 0);
        QCOMPARE(grid->Grid_Cell_Text(15, 3), QStringLiteral("Standard"));
        QVERIFY(grid->updatesEnabled());
    }

    void halfTypedCellReachesSaveGrid()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        auto *line = qobject_cast<QLineEdit *>(openEditor(grid, 26, 3));
        QVERIFY(line);
        line->setText("7.5");
        form->Save_Grid();
        QCOMPARE(Job().SkiveDistanceR, 7.5);
        QVERIFY(!grid->Open_Editor());
    }

    void notesEditOnSeveralLines()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        auto *lines = qobject_cast<QPlainTextEdit *>(openEditor(grid, 82, 2));
        QVERIFY(lines);
        lines->setPlainText("first\nsecond");
        form->Save_Grid();
        QCOMPARE(Job().Notes, QStringLiteral("first\r\nsecond"));
    }

    void labelsAreNeverEdited()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        for (int column : {0, 1, 4})
            QVERIFY(!openEditor(grid, 15, column));
    }

    void labelClickOpensTheRowsHelp()
    {
        RigidFixture f;
        f.home.write("Help_Links.Cfg", "82\r\n1,\r\n2,\r\n3,Scan.Htm\r\n");
        BrowserStandIn browser;
        browser.install();
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);

        // Left, right and unit cells open nothing.
        for (int column : {2, 4}) {
            clickCell(grid, 3, column);
            QCOMPARE(browser.created, 0);
        }
        QCOMPARE(form->ClickedRow, 3);
        QCOMPARE(form->ClickedColumn, 4);

        clickCell(grid, 3, 1);
        QCOMPARE(browser.created, 1);
        QCOMPARE(browser.loadedPage, QStringLiteral("Scan.Htm"));
        QVERIFY(Windows().loaded("Browser")->isVisible());

        // An open browser comes to the front with its page; a row without a
        // link sets an empty page.
        clickCell(grid, 4, 1);
        QCOMPARE(browser.created, 1);
        QCOMPARE(Job().BrowserPage, QString());
        Windows().unload("Browser");
        RigidFixture::settle();
        clickCell(grid, 4, 1);
        QCOMPARE(browser.created, 2);
        QCOMPARE(browser.loadedPage, QString());
        QCOMPARE(f.prompter->messages(), QStringList{});
    }

    // The help browser is part of the program: without it the click is a
    // fault of the program, reported as one.
    void labelClickWithoutBrowserIsAnError()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        const QString error = QStringLiteral("A part of the program is missing: the window \"Browser\".");
        QTest::ignoreMessage(QtCriticalMsg, qPrintable(error));
        clickCell(grid, 24, 1);
        QCOMPARE(f.prompter->messages(), QStringList{"Error: " + error});
    }

    void saveGridReadsWhatTheGridShows()
    {
        RigidFixture f;
        ScriptForm2 *form = nullptr;
        GridControl *grid = openGrid(f, form);
        grid->Set_Grid_Cell_Text(8, 2, "62.0 mm");
        grid->Set_Grid_Cell_Text(45, 3, "Lateral");
        grid->Set_Grid_Cell_Text(76, 2, "Carbon (2 mm)");
        form->Save_Grid();
        QCOMPARE(Job().HeelWidthL, QStringLiteral("62"));
        QVERIFY(Job().HeelPostLateralR);
        QCOMPARE(Job().ShellMaterialL, QStringLiteral("Carbon (2 mm)"));
    }
};

QTEST_MAIN(TestRigidGridWindow)
#include "tst_rigidgridwindow.moc"
