#include "softtestsupport.h"

#include "depthform.h"
#include "optionform.h"
#include "softhooks.h"

#include "scriptrecord.h"
#include "shellhelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

QListWidget *listOf(QWidget *form, const char *name)
{
    return form->findChild<QListWidget *>(QString::fromLatin1(name));
}

QLineEdit *boxOf(QWidget *form, const char *name)
{
    return form->findChild<QLineEdit *>(QString::fromLatin1(name));
}

QString selectedRows(QListWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            rows << QString::number(i);
    return rows.join(u',');
}

// A user's click on a list item, as the list itself handles it.
void clickItem(QListWidget *list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

// Answers the modal dialog that the next step opens.
void whenModal(std::function<void(QWidget *)> answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        answer(modal);
    });
}

} // namespace

class TestSoftBehaviour : public QObject
{
    Q_OBJECT

private slots:
    void init() { Set_Wait_Skipped(true); }
    void cleanup()
    {
        Set_Soft_Pdf_Viewer({});
        Set_Soft_Stl_Importer({});
    }
    void topCoverAsksBeforeCopying();
    void insoleOptionTakesAValue();
    void insoleOptionYesCopiesToTheRight();
    void clearAllButtons();
    void savedOptionsSelectedAgain_data();
    void savedOptionsSelectedAgain();
    void firstKeyClearsTheBox();
    void leftChoicesCopyToTheRight();
    void typedGenderIsTaken_data();
    void typedGenderIsTaken();
    void heelDepthSide();
    void scanFileChoice();
    void orderConfirmation();
};

void TestSoftBehaviour::topCoverAsksBeforeCopying()
{
    SoftFixture fx;
    ScriptForm1 *form = fx.open();
    form->show();
    QListWidget *left = listOf(form, "List3_0");
    QListWidget *right = listOf(form, "List3_1");
    fx.prompter->calls.clear();

    fx.prompter->answers << Prompter::Answer::No;
    clickItem(left, 2);
    QCOMPARE(selectedRows(left), QStringLiteral("2"));
    QCOMPARE(selectedRows(right), QString());
    QCOMPARE(fx.prompter->calls.last().title, QStringLiteral("Top Cover"));
    QCOMPARE(fx.prompter->calls.last().buttons, Prompter::Buttons::YesNo);
    QCOMPARE(Job().TopCoverL, QStringLiteral("VINYL green"));

    fx.prompter->answers << Prompter::Answer::Yes;
    clickItem(left, 5);
    QCOMPARE(selectedRows(right), QStringLiteral("5"));
    QCOMPARE(Job().TopCoverR, QStringLiteral("VINYL red"));

    // Taking the left one away asks too, and Yes never takes one away.
    fx.prompter->answers << Prompter::Answer::Yes;
    clickItem(left, 5);
    QCOMPARE(selectedRows(left), QStringLiteral("2"));
    QCOMPARE(selectedRows(right), QStringLiteral("5"));
    QCOMPARE(fx.prompter->messages(), QStringList(3, QStringLiteral("Apply to Right Foot Too?")));

    // The right list never asks.
    clickItem(right, 0);
    QCOMPARE(fx.prompter->calls.size(), 3);
}

void TestSoftBehaviour::insoleOptionTakesAValue()
{
    SoftFixture fx;
    ScriptForm1 *form = fx.open();
    form->show();
    QListWidget *left = listOf(form, "List4L");
    fx.prompter->calls.clear();

    fx.prompter->answers << Prompter::Answer::No;
    fx.prompter->inputs << QStringLiteral("2");
    clickItem(left, 4);
    QCOMPARE(selectedRows(left), QStringLiteral("4")); // "None" gave way
    QCOMPARE(left->item(4)->text(), QStringLiteral("Heel Lift Ext (mm) = 2.0"));
    QCOMPARE(Job().InsoleOptionsL, QStringLiteral("Heel Lift Ext (mm) = 2.0"));
    QCOMPARE(fx.prompter->calls.size(), 2);
    const ScriptedPrompter::Call &prompt = fx.prompter->calls.at(1);
    QCOMPARE(prompt.kind, QStringLiteral("numeric"));
    QCOMPARE(prompt.text, QStringLiteral("Enter Value (Left Foot): "));
    QCOMPARE(prompt.defaultText, QStringLiteral("2"));
    QCOMPARE(prompt.title, QStringLiteral("Options"));

    // A second click asks again: a cancel leaves the option without a value,
    // a typed 3.14 shows one decimal.
    fx.prompter->answers << Prompter::Answer::No;
    fx.prompter->inputs << std::nullopt;
    clickItem(left, 4);
    QCOMPARE(left->item(4)->text(), QStringLiteral("Heel Lift Ext (mm)"));
    fx.prompter->answers << Prompter::Answer::No;
    fx.prompter->inputs << QStringLiteral("3.14");
    clickItem(left, 4);
    QCOMPARE(left->item(4)->text(), QStringLiteral("Heel Lift Ext (mm) = 3.1"));

    // A first value that is cancelled is still a value, 0.0.
    fx.prompter->answers << Prompter::Answer::No;
    fx.prompter->inputs << std::nullopt;
    clickItem(left, 6);
    QCOMPARE(left->item(6)->text(), QStringLiteral("1st Ray Grind (mm) = 0.0"));
}

void TestSoftBehaviour::insoleOptionYesCopiesToTheRight()
{
    SoftFixture fx;
    ScriptForm1 *form = fx.open();
    form->show();
    fx.prompter->calls.clear();
    fx.prompter->answers << Prompter::Answer::Yes;
    fx.prompter->inputs << QStringLiteral("2") << QStringLiteral("4");
    clickItem(listOf(form, "List4L"), 4);
    QListWidget *right = listOf(form, "List4R");
    QCOMPARE(selectedRows(right), QStringLiteral("4"));
    QCOMPARE(right->item(4)->text(), QStringLiteral("Heel Lift Ext (mm) = 4.0"));
    QCOMPARE(fx.prompter->calls.size(), 3); // one question, two values
    QCOMPARE(fx.prompter->calls.at(2).text, QStringLiteral("Enter Value (Right Foot): "));
}

void TestSoftBehaviour::clearAllButtons()
{
    SoftFixture fx;
    ScriptForm1 *form = fx.open();
    form->show();
    fx.prompter->answers << Prompter::Answer::Yes << Prompter::Answer::Yes;
    fx.prompter->inputs << QStringLiteral("2") << QStringLiteral("2");
    clickItem(listOf(form, "List4L"), 4);
    clickItem(listOf(form, "List3_0"), 1);
    fx.prompter->calls.clear();

    form->findChild<QPushButton *>(QStringLiteral("Command27"))->click();
    QCOMPARE(selectedRows(listOf(form, "List4L")), QStringLiteral("0"));
    QCOMPARE(selectedRows(listOf(form, "List4R")), QStringLiteral("0"));
    QCOMPARE(listOf(form, "List4L")->item(4)->text(), QStringLiteral("Heel Lift Ext (mm) = 2.0"));
    form->findChild<QPushButton *>(QStringLiteral("Command26"))->click();
    QCOMPARE(selectedRows(listOf(form, "List3_0")), QString());
    QCOMPARE(selectedRows(listOf(form, "List3_1")), QString());
    QVERIFY(fx.prompter->calls.isEmpty());
}

void TestSoftBehaviour::savedOptionsSelectedAgain_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("item4");

    QTest::newRow("one option takes None away") << "Hooks;"
                                                << "1"
                                                << "Heel Lift Ext (mm)";
    QTest::newRow("None alone stays") << "None;"
                                      << "0"
                                      << "Heel Lift Ext (mm)";
    QTest::newRow("two options") << "Hooks;3/4 Length;"
                                 << "1,2"
                                 << "Heel Lift Ext (mm)";
    QTest::newRow("a valued option keeps its value") << "Hooks;Heel Lift Ext (mm) = 2.0;"
                                                     << "1,4"
                                                     << "Heel Lift Ext (mm) = 2.0";
}

void TestSoftBehaviour::savedOptionsSelectedAgain()
{
    QFETCH(QString, saved);
    QFETCH(QString, rows);
    QFETCH(QString, item4);
    SoftFixture fx;
    ScriptForm1 *form = fx.open();
    ScriptRecord &job = Job();
    job.InsoleOptionsL = saved;
    job.InsoleOptionsR = QStringLiteral("None;");
    job.OrthoticStyleL = QStringLiteral("Revere");
    job.OrthoticStyleR = QStringLiteral("Womens Dress (Narrow Width)");
    job.EvaDensityR = QStringLiteral("350 purple/yellow_swill");
    job.TopCoverL = QStringLiteral("VINYL blue;SUEDE LEATHER tan;");
    job.FootSizeL = job.FootSizeR = QStringLiteral("9");
    fx.prompter->calls.clear();
    form->Load_Lists2();
    QCOMPARE(selectedRows(listOf(form, "List4L")), rows);
    QCOMPARE(listOf(form, "List4L")->item(4)->text(), item4);
    QCOMPARE(selectedRows(listOf(form, "List4R")), QStringLiteral("0"));
    QCOMPARE(selectedRows(listOf(form, "List1_0")), QStringLiteral("3"));
    QCOMPARE(selectedRows(listOf(form, "List1_1")), QStringLiteral("2"));
    QCOMPARE(selectedRows(listOf(form, "List2_1")), QStringLiteral("13"));
    QCOMPARE(selectedRows(listOf(form, "List3_0")), QStringLiteral("1,42"));
    QVERIFY(fx.prompter->calls.isEmpty()); // no list behaviour ran
    QCOMPARE(job.OrthoticStyleL, QStringLiteral("Revere"));
    form->Set_StylesL();
    form->Set_StylesR();
    QCOMPARE(job.TemplateCodeL, QStringLiteral("R9.0"));
    QCOMPARE(job.TemplateCodeR, QStringLiteral("WD9.0"));
}

void TestSoftBehaviour::firstKeyClearsTheBox()
{
    SoftFixture fx;
    ScriptForm1 *form = fx.open();
    form->show();
    QApplication::setActiveWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    QLineEdit *left = boxOf(form, "Text18_0");
    QLineEdit *right = boxOf(form, "Text18_1");
    left->setText(QStringLiteral("2.0"));

    left->setFocus(Qt::TabFocusReason);
    QTest::keyClick(left, Qt::Key_3);
    QCOMPARE(left->text(), QStringLiteral("3"));
    QCOMPARE(right->text(), QStringLiteral("3"));
    right->setFocus(Qt::TabFocusReason);
    QTest::keyClick(right, Qt::Key_5);
    QCOMPARE(left->text(), QStringLiteral("3"));
    QCOMPARE(right->text(), QStringLiteral("5"));

    // Tab and Shift+Tab only move on: they are not the first key.
    left->setFocus(Qt::BacktabFocusReason);
    QTest::keyClick(left, Qt::Key_Backtab, Qt::ShiftModifier);
    left->setFocus(Qt::TabFocusReason);
    QTest::keyClick(left, Qt::Key_Tab);
    QCOMPARE(left->text(), QStringLiteral("3"));
    QCOMPARE(right->text(), QStringLiteral("5"));

    // Typing on, clicking into the box: both emptied, the next key kept.
    left->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(left, QStringLiteral("12"));
    QCOMPARE(left->text(), QStringLiteral("12"));
    QTest::mouseClick(left, Qt::LeftButton);
    QCOMPARE(left->text(), QString());
    QCOMPARE(right->text(), QString());
    QTest::keyClick(left, Qt::Key_7);
    QTest::keyClick(left, Qt::Key_8);
    QCOMPARE(left->text(), QStringLiteral("78"));
    // Focus taken by another application or a popup menu is not a lost focus.
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(left, &away);
    }
    QTest::keyClick(left, Qt::Key_9);
    QCOMPARE(left->text(), QStringLiteral("789"));
    QFocusEvent lost(QEvent::FocusOut, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(left, &lost);
    QTest::keyClick(left, Qt::Key_1);
    QCOMPARE(left->text(), QStringLiteral("1"));

    // Shift as the first key in a name box, then a capital.
    QLineEdit *name = boxOf(form, "Text38");
    name->setFocus(Qt::TabFocusReason);
    QTest::keyClick(name, Qt::Key_Shift);
    QTest::keyClick(name, 'A', Qt::ShiftModifier);
    QCOMPARE(name->text(), QStringLiteral("A"));
    QCOMPARE(Job().ClientFirstName, QStringLiteral("A"));
    // A right click into a left box empties its row too.
    QTest::mouseClick(left, Qt::RightButton);
    QCOMPARE(right->text(), QString());
}

void TestSoftBehaviour::leftChoicesCopyToTheRight()
{
    SoftFixture fx;
    ScriptForm1 *form = fx.open();
    auto *sizeL = form->findChild<QComboBox *>(QStringLiteral("Combo1_0"));
    sizeL->setCurrentIndex(sizeL->findText(QStringLiteral("9")));
    QCOMPARE(form->findChild<QComboBox *>(QStringLiteral("Combo1_1"))->currentText(), QStringLiteral("9"));
    QCOMPARE(boxOf(form, "Text30")->text(), QStringLiteral("270"));
    QCOMPARE(boxOf(form, "Text46")->text(), QStringLiteral("270"));
    QCOMPARE(boxOf(form, "Text7_1")->text(), QStringLiteral("245"));
    QCOMPARE(Job().TemplateCodeR, QStringLiteral("M9.0"));
    // Size 0 shows "0" while the record holds the chart's lengths.
    sizeL->setCurrentIndex(0);
    QCOMPARE(boxOf(form, "Text30")->text(), QStringLiteral("0"));
    QCOMPARE(boxOf(form, "Text7_0")->text(), QStringLiteral("0"));
    QCOMPARE(Job().TemplateLengthL, 100.0);

    auto *domeL = form->findChild<QComboBox *>(QStringLiteral("Combo4_0"));
    domeL->setCurrentIndex(6);
    QCOMPARE(form->findChild<QComboBox *>(QStringLiteral("Combo4_1"))->currentText(), QStringLiteral("M"));
    form->findChild<QRadioButton *>(QStringLiteral("Option1"))->setChecked(true);
    QVERIFY(form->findChild<QRadioButton *>(QStringLiteral("Option3"))->isChecked());
    form->findChild<QRadioButton *>(QStringLiteral("Option4"))->setChecked(true);
    QVERIFY(form->findChild<QRadioButton *>(QStringLiteral("Option1"))->isChecked());

    // The dispense date note follows the box.
    QLineEdit *date = boxOf(form, "Text29");
    date->setText(date->text() + u' ');
    QCOMPARE(Job().DispenseDateNote, QString());
    date->setText(date->text().trimmed());
    QCOMPARE(Job().DispenseDateNote, QStringLiteral("(default)"));
}

// A style choice shows the gender box's own text: "Female" typed there stays,
// and the job and both feet's lengths follow it.
void TestSoftBehaviour::typedGenderIsTaken_data()
{
    QTest::addColumn<QString>("styles");
    QTest::newRow("left style") << "List1_0";
    QTest::newRow("right style") << "List1_1";
}

void TestSoftBehaviour::typedGenderIsTaken()
{
    QFETCH(QString, styles);
    SoftFixture fx;
    Job().FootSizeL = Job().FootSizeR = QStringLiteral("9");
    ScriptForm1 *form = fx.open();
    form->show();
    QLineEdit *gender = boxOf(form, "Text5");
    QCOMPARE(boxOf(form, "Text30")->text(), QStringLiteral("270"));
    gender->selectAll();
    QTest::keyClicks(gender, QStringLiteral("Female"));

    clickItem(listOf(form, qPrintable(styles)), 2);

    QCOMPARE(gender->text(), QStringLiteral("Female"));
    QCOMPARE(Job().Gender, QStringLiteral("Female"));
    QCOMPARE(Job().TemplateLengthL, 253.0);
    QCOMPARE(Job().TemplateLengthR, 253.0);
    QCOMPARE(boxOf(form, "Text30")->text(), QStringLiteral("253"));
    QCOMPARE(boxOf(form, "Text46")->text(), QStringLiteral("253"));
    QCOMPARE(boxOf(form, "Text7_0")->text(), QStringLiteral("228"));
}

void TestSoftBehaviour::heelDepthSide()
{
    SoftFixture fx;
    ScriptForm1 *form = fx.open();
    QLineEdit *left = boxOf(form, "Text11_0");
    QLineEdit *right = boxOf(form, "Text11_1");
    auto *leftS = form->findChild<QPushButton *>(QStringLiteral("Command5"));
    auto *rightS = form->findChild<QPushButton *>(QStringLiteral("Command6"));
    auto closeWith = [](const char *option) {
        return [option](QWidget *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Extra Heel Depth"));
            QVERIFY(dialog->findChild<QRadioButton *>(QStringLiteral("Option1"))->isChecked());
            if (option)
                dialog->findChild<QRadioButton *>(QString::fromLatin1(option))->setChecked(true);
            dialog->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        };
    };

    whenModal(closeWith(nullptr));
    leftS->click();
    QCOMPARE(left->text(), QStringLiteral("0.0L"));
    QCOMPARE(right->text(), QStringLiteral("0.0L"));

    left->setText(QStringLiteral("4"));
    right->setText(QStringLiteral("2.5M"));
    whenModal(closeWith("Option3"));
    rightS->click();
    QCOMPARE(right->text(), QStringLiteral("2.5B"));
    QCOMPARE(left->text(), QStringLiteral("4"));

    left->setText(QStringLiteral("3.25"));
    whenModal(closeWith("Option2"));
    leftS->click();
    QCOMPARE(left->text(), QStringLiteral("3.3M"));
    QCOMPARE(DepthForm::HeelDepthSide, QStringLiteral("M"));

    // Closed by its frame: nothing changes.
    left->setText(QStringLiteral("1.0L"));
    whenModal([](QWidget *dialog) { dialog->close(); });
    leftS->click();
    QCOMPARE(left->text(), QStringLiteral("1.0L"));
    QVERIFY(!Windows().isLoaded("DepthForm"));
}

void TestSoftBehaviour::scanFileChoice()
{
    SoftFixture fx;
    ScriptForm1 *form = fx.open();
    QStringList imported;
    Set_Soft_Stl_Importer([&](int side, const QString &path) { imported << QString::number(side) + u' ' + path; });
    auto *leftChoose = form->findChild<QPushButton *>(QStringLiteral("Command28"));
    auto *rightChoose = form->findChild<QPushButton *>(QStringLiteral("Command29"));
    fx.prompter->calls.clear();

    leftChoose->click(); // cancelled
    QCOMPARE(Job().LeftScanFile, QStringLiteral("None"));
    QCOMPARE(fx.prompter->calls.size(), 1);
    const Prompter::FileRequest request = fx.prompter->calls.first().file;
    QCOMPARE(request.title, QStringLiteral("Select a Left Scan File"));
    QCOMPARE(request.folder, Job().DataFolder);
    QCOMPARE(request.defaultExtension, QStringLiteral("Wrl"));

    const QString stl = fx.home.path("Data/Lee_L.stl");
    fx.prompter->files << stl;
    leftChoose->click();
    QCOMPARE(imported, QStringList{"0 " + stl});
    QCOMPARE(Job().LeftLcfFile, fx.home.path("Data/Lee_L.Lcf"));
    QVERIFY(Job().StlScanFlagL);
    QCOMPARE(boxOf(form, "Text3_0")->text(), stl);
    QCOMPARE(boxOf(form, "Text37_0")->text(), QStringLiteral("None"));

    fx.home.write("Data/Lee_R[VRML].Jpg", "jpg");
    fx.prompter->files << fx.home.path("Data/Lee_R.Wrl");
    rightChoose->click();
    QCOMPARE(Job().RightGraphicFile, fx.home.path("Data/Lee_R[VRML].Jpg"));
    QVERIFY(!Job().StlScanFlagR);
    QCOMPARE(Job().LeftScanFile, stl); // the left foot is untouched
    QCOMPARE(fx.prompter->calls.last().title, QStringLiteral("Select a Right Scan File"));

    // A failed import ends the command before the record or the boxes change.
    Set_Soft_Stl_Importer([](int, const QString &) { throw SolvaneError(1, QStringLiteral("bad STL")); });
    fx.prompter->files << fx.home.path("Data/Other_L.stl");
    leftChoose->click();
    QCOMPARE(Job().LeftScanFile, stl);
    QCOMPARE(Job().LeftLcfFile, fx.home.path("Data/Lee_L.Lcf"));
    QCOMPARE(boxOf(form, "Text3_0")->text(), stl);
    QCOMPARE(fx.prompter->messages().last(), QStringLiteral("Error: bad STL"));
}

void TestSoftBehaviour::orderConfirmation()
{
    SoftFixture fx;
    Windows().registerFactory(QStringLiteral("OptionForm"), [] { return new OptionForm; });
    ScriptRecord &job = Job();
    job.OrthoticStyleL = QStringLiteral("Revere");
    job.InsoleOptionsL = QStringLiteral("None;Hooks;");
    job.Notes = QStringLiteral("None");
    job.PdfFile = QStringLiteral("/jobs/AB0041_Ann_Lee.Pdf");
    job.FullPdfFile = QStringLiteral("/jobs/AB0041_Ann_Lee_L.Pdf");
    QStringList viewed;
    Set_Soft_Pdf_Viewer([&](const QString &pdf, QWidget *) { viewed << pdf; });

    whenModal([](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Orthotic Data Selection"));
        const QString text = dialog->findChild<QTextEdit *>(QStringLiteral("RichTextBox1"))->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("LEFT FOOT\nStyle: Revere\n")));
        QVERIFY(text.contains(QStringLiteral("\nHooks\n")));
        dialog->findChild<QPushButton *>(QStringLiteral("Command3"))->click(); // View PDF
        dialog->findChild<QPushButton *>(QStringLiteral("Command1"))->click(); // Quit
    });
    QVERIFY(OptionForm::Run_OptionForm());
    QVERIFY(job.OptionQuitFlag);
    QCOMPARE(viewed, QStringList{"/jobs/AB0041_Ann_Lee_L.Pdf"});
    QCOMPARE(Last_Status(), QStringLiteral("Opening.../jobs/AB0041_Ann_Lee.Pdf"));
    QCOMPARE(job.InsoleOptionsL, QStringLiteral("Hooks;"));
    QVERIFY(!Windows().isLoaded("OptionForm"));

    whenModal([](QWidget *dialog) { dialog->findChild<QPushButton *>(QStringLiteral("Command2"))->click(); });
    QVERIFY(!OptionForm::Run_OptionForm());
    QVERIFY(!job.OptionQuitFlag);

    // The close box and Esc mean Quit.
    whenModal([](QWidget *dialog) { dialog->close(); });
    QVERIFY(OptionForm::Run_OptionForm());
    whenModal([](QWidget *) {});
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    job.OptionQuitFlag = false;
    QVERIFY(OptionForm::Run_OptionForm());
}

QTEST_MAIN(TestSoftBehaviour)
#include "tst_softbehaviour.moc"
