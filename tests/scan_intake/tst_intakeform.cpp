#include "intaketestsupport.h"

#include "mainconfig.h"
#include "pellmarmeasurements.h"

#include <QLabel>

namespace {

const QStringList kMeasurementBoxes = {QStringLiteral("Text4_0"), QStringLiteral("Text4_1"), QStringLiteral("Text5_0"),
                                       QStringLiteral("Text5_1"), QStringLiteral("Text6_0"), QStringLiteral("Text6_1"),
                                       QStringLiteral("Text7_0"), QStringLiteral("Text7_1")};

} // namespace

class TestIntakeForm : public QObject
{
    Q_OBJECT

private slots:
    void freshWindow_data();
    void freshWindow();
    void tabOrderAndCaptions_data();
    void tabOrderAndCaptions();
    void leftMeasurementsFollowToTheRight();
    void leftSizePickCopies_data();
    void leftSizePickCopies();
    void nameCheck_data();
    void nameCheck();
    void genderToggleLooksUpTheLengths();
    void nextJob_data();
    void nextJob();
    void pellmarMeasurements();
    void closeUnloadsAndReopenStartsAfresh();
};

void TestIntakeForm::freshWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("scanNames");
    QTest::newRow("ScanForm") << "ScanForm"
                              << "Scanner Data"
                              << "SurName"
                              << "" << false;
    QTest::newRow("ScanForm2") << "ScanForm2"
                               << "Ruru-Zirorur Data (EVA)"
                               << "Surname"
                               << "" << true;
    QTest::newRow("ScanForm3") << "ScanForm3"
                               << "Ruru-Zirorur Data (Rigid)"
                               << "Surname"
                               << "" << true;
    QTest::newRow("ScanForm4") << "ScanForm4"
                               << "LSR Scanner (EVA)"
                               << "Surname"
                               << "Ready" << true;
    QTest::newRow("ScanForm5") << "ScanForm5"
                               << "Pellmar Scanner (EVA)"
                               << "Surname"
                               << "Ready" << true;
    QTest::newRow("ScanForm6") << "ScanForm6"
                               << "Pellmar Scanner (Rigid)"
                               << "Surname"
                               << "Ready" << true;
}

void TestIntakeForm::freshWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(QString, surname);
    QFETCH(QString, status);
    QFETCH(bool, scanNames);
    IntakeFixture fx;
    Job().JobNumber = QStringLiteral("XY0001");
    Job().Gender = QStringLiteral("Female");

    IntakeForm *form = fx.open(window);

    QVERIFY(form);
    QCOMPARE(form->windowTitle(), caption);
    QCOMPARE(box(form, QStringLiteral("Text1"))->text(), QStringLiteral("FirstName"));
    QCOMPARE(box(form, QStringLiteral("Text2"))->text(), surname);
    QCOMPARE(box(form, QStringLiteral("Text3"))->text(), QStringLiteral("AB0041"));
    QCOMPARE(Job().JobNumber, QStringLiteral("AB0041"));
    for (const QString &name : kMeasurementBoxes)
        QCOMPARE(box(form, name)->text(), QStringLiteral("0.0"));
    QCOMPARE(box(form, QStringLiteral("Text8"))->text(), QStringLiteral("Male"));
    QCOMPARE(Job().Gender, QStringLiteral("Male"));
    for (const QString &sizes : {QStringLiteral("Combo1_0"), QStringLiteral("Combo1_1")}) {
        QCOMPARE(combo(form, sizes)->count(), 17);
        QCOMPARE(combo(form, sizes)->currentText(), QStringLiteral("9"));
    }
    QCOMPARE(combo(form, QStringLiteral("Combo1_0"))->itemText(1), QStringLiteral("2"));
    // The list ends at its "End" line; the missing clinic file offers one entry.
    QCOMPARE(combo(form, QStringLiteral("Combo2"))->count(), 2);
    QCOMPARE(combo(form, QStringLiteral("Combo2"))->currentText(), QStringLiteral("Dr Ann Lee"));
    QCOMPARE(Job().PodiatristName, QStringLiteral("Dr Ann Lee"));
    QCOMPARE(combo(form, QStringLiteral("Combo3"))->count(), 1);
    QCOMPARE(Job().ClinicName, QStringLiteral("No Names Available"));
    QCOMPARE(form->statusText(), status);
    QCOMPARE(form->findChild<QLineEdit *>(QStringLiteral("Text9")) != nullptr, scanNames);
    if (scanNames) {
        QCOMPARE(box(form, QStringLiteral("Text9"))->text(), QStringLiteral("ScanLeft"));
        QCOMPARE(box(form, QStringLiteral("Text10"))->text(), QStringLiteral("ScanRight"));
        QCOMPARE(Job().ScanBaseName, QStringLiteral("FirstName"));
        QCOMPARE(Job().ScanWrlName, QStringLiteral("FirstName.Wrl"));
        QVERIFY(!Job().ScannerProgram.isEmpty());
    } else {
        // The general window reads no scanner configuration.
        QVERIFY(!QFileInfo::exists(fx.home.path(QStringLiteral("MiniScanner.Cfg"))));
        QVERIFY(Job().ScannerProgram.isEmpty());
    }
}

void TestIntakeForm::tabOrderAndCaptions_data()
{
    QTest::addColumn<QString>("window");
    for (const IntakeVariant &variant : Intake_Variants())
        QTest::newRow(qPrintable(variant.window)) << variant.window;
}

void TestIntakeForm::tabOrderAndCaptions()
{
    QFETCH(QString, window);
    IntakeFixture fx;
    IntakeForm *form = fx.open(window);
    const QStringList order = form->variant().tabOrder;

    // Each stop follows the one before it in the focus chain, and the
    // window opens on the first.
    QWidget *first = form->findChild<QWidget *>(order.first());
    QCOMPARE(form->focusWidget(), first);
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget *previous = form->findChild<QWidget *>(order[i - 1]);
        QWidget *next = form->findChild<QWidget *>(order[i]);
        QVERIFY2(previous && next, qPrintable(order[i]));
        QWidget *step = previous->nextInFocusChain();
        // Skip what is no stop of its own: labels, frames, an editable
        // combo's line edit.
        while (step != next && step != previous
               && (previous->isAncestorOf(step) || !(step->focusPolicy() & Qt::TabFocus)))
            step = step->nextInFocusChain();
        QVERIFY2(step == next, qPrintable(order[i - 1] + QStringLiteral(" -> ") + order[i]));
    }

    QCOMPARE(box(form, QStringLiteral("Text4_0"))->accessibleName(), QStringLiteral("Forefoot Varus Left"));
    QCOMPARE(box(form, QStringLiteral("Text7_1"))->accessibleName(), QStringLiteral("Heel to Dot Length Right"));
    QCOMPARE(box(form, QStringLiteral("Text2"))->accessibleName(), QStringLiteral("Client Surname"));
    QCOMPARE(combo(form, QStringLiteral("Combo2"))->accessibleName(), QStringLiteral("Podiatrist Name"));
    QCOMPARE(button(form, QStringLiteral("Command3"))->accessibleName(), QStringLiteral("Get Next Job"));
    QCOMPARE(control<QLabel>(form, QStringLiteral("Label14"))->text(), QStringLiteral("mm"));
}

void TestIntakeForm::leftMeasurementsFollowToTheRight()
{
    IntakeFixture fx;
    IntakeForm *form = fx.openActive(QStringLiteral("ScanForm2"));
    QLineEdit *left = box(form, QStringLiteral("Text4_0"));
    QLineEdit *right = box(form, QStringLiteral("Text4_1"));

    left->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(left, QStringLiteral("12"));
    QCOMPARE(left->text(), QStringLiteral("12"));
    QCOMPARE(right->text(), QStringLiteral("12"));

    QTest::mouseClick(right, Qt::LeftButton);
    QTest::keyClicks(right, QStringLiteral("8"));
    QCOMPARE(left->text(), QStringLiteral("12"));
    QCOMPARE(right->text(), QStringLiteral("8"));

    QTest::mouseClick(left, Qt::LeftButton);
    QCOMPARE(left->text(), QString());
    QCOMPARE(right->text(), QString());

    // The surname's first key replaces it; the first name clears on a click only.
    QLineEdit *surname = box(form, QStringLiteral("Text2"));
    surname->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(surname, QStringLiteral("Lee"));
    QCOMPARE(surname->text(), QStringLiteral("Lee"));
    QLineEdit *firstName = box(form, QStringLiteral("Text1"));
    firstName->setFocus(Qt::BacktabFocusReason);
    QCoreApplication::processEvents();
    QVERIFY(!firstName->hasSelectedText());
    QTest::keyClicks(firstName, QStringLiteral("X"));
    QCOMPARE(firstName->text(), QStringLiteral("FirstNameX"));
    QTest::mouseClick(firstName, Qt::LeftButton);
    QCOMPARE(firstName->text(), QString());
}

void TestIntakeForm::leftSizePickCopies_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("copies");
    QTest::newRow("ScanForm2") << "ScanForm2" << true;
    QTest::newRow("ScanForm6") << "ScanForm6" << true;
    QTest::newRow("ScanForm") << "ScanForm" << false;
}

void TestIntakeForm::leftSizePickCopies()
{
    QFETCH(QString, window);
    QFETCH(bool, copies);
    IntakeFixture fx;
    IntakeForm *form = fx.openActive(window);
    QComboBox *left = combo(form, QStringLiteral("Combo1_0"));
    QComboBox *right = combo(form, QStringLiteral("Combo1_1"));

    left->setCurrentIndex(left->findText(QStringLiteral("10")));
    QCOMPARE(right->currentText(), copies ? QStringLiteral("10") : QStringLiteral("9"));
    right->setCurrentIndex(right->findText(QStringLiteral("11")));
    QCOMPARE(left->currentText(), QStringLiteral("10"));

    // A typed size stays where it was typed.
    left->lineEdit()->setFocus(Qt::TabFocusReason);
    left->lineEdit()->selectAll();
    QTest::keyClicks(left->lineEdit(), QStringLiteral("12"));
    QCOMPARE(left->currentText(), QStringLiteral("12"));
    QCOMPARE(right->currentText(), QStringLiteral("11"));
}

void TestIntakeForm::nameCheck_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("leftScanName"); // Text9 afterwards

    QTest::newRow("empty surname") << "Text2"
                                   << ""
                                   << "No Text"
                                   << "Please Enter a Surname" << true << "Lee"
                                   << "Lee_Ann_L";
    QTest::newRow("surname with a blank") << "Text2"
                                          << "Van Dyke"
                                          << "Spaces Found"
                                          << "Please Enter a Surname (with No Spaces)" << true << "VanDyke"
                                          << "VanDyke_Ann_L";
    QTest::newRow("cancelled") << "Text2"
                               << "Van Dyke"
                               << "Spaces Found"
                               << "Please Enter a Surname (with No Spaces)" << false << ""
                               << "_Ann_L";
    // The answer is not checked again.
    QTest::newRow("empty first name") << "Text1"
                                      << ""
                                      << "No Text"
                                      << "Please Enter a First Name" << true << "Ann Marie"
                                      << "ScanLeft";
    QTest::newRow("good name, no prompt") << "Text2"
                                          << "Lee"
                                          << ""
                                          << "" << false << "Lee"
                                          << "Lee_Ann_L";
}

void TestIntakeForm::nameCheck()
{
    QFETCH(QString, boxName);
    QFETCH(QString, typed);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(bool, answered);
    QFETCH(QString, answer);
    QFETCH(QString, leftScanName);
    IntakeFixture fx;
    IntakeForm *form = fx.openActive(QStringLiteral("ScanForm2"));
    box(form, QStringLiteral("Text1"))->setText(QStringLiteral("Ann"));
    QLineEdit *checked = box(form, boxName);
    checked->setFocus(Qt::MouseFocusReason);
    checked->setText(typed);
    fx.prompter->inputs << (answered ? std::optional<QString>(answer) : std::nullopt);

    QTest::keyClick(checked, Qt::Key_Tab);

    if (title.isEmpty()) {
        QVERIFY(fx.prompter->calls.isEmpty());
    } else {
        QCOMPARE(fx.prompter->calls.size(), 1);
        QCOMPARE(fx.prompter->calls[0].kind, QStringLiteral("text"));
        QCOMPARE(fx.prompter->calls[0].title, title);
        QCOMPARE(fx.prompter->calls[0].text, message);
        QCOMPARE(fx.prompter->calls[0].defaultText, typed);
    }
    QCOMPARE(checked->text(), answer);
    QCOMPARE(box(form, QStringLiteral("Text9"))->text(), leftScanName);
    QVERIFY(!checked->hasFocus());
}

void TestIntakeForm::genderToggleLooksUpTheLengths()
{
    IntakeFixture fx;
    IntakeForm *form = fx.openActive(QStringLiteral("ScanForm3"));
    Job().FootSizeL = QStringLiteral("9");
    Job().FootSizeR = QStringLiteral("no size");
    QLineEdit *gender = box(form, QStringLiteral("Text8"));

    QTest::mouseDClick(gender, Qt::LeftButton);
    QCOMPARE(gender->text(), QStringLiteral("Female"));
    QCOMPARE(Job().TemplateLengthL, 253.0);
    QCOMPARE(Job().FootLengthL, 228.0);
    QCOMPARE(Job().TemplateLengthR, Get_Template_Length(Job(), 0));

    QTest::mouseDClick(gender, Qt::LeftButton);
    QCOMPARE(Job().Gender, QStringLiteral("Male"));
    QCOMPARE(Job().TemplateLengthL, 270.0);
    QCOMPARE(Job().FootLengthL, 245.0);

    Job().Gender = QStringLiteral("male");
    QTest::mouseDClick(gender, Qt::LeftButton);
    QCOMPARE(gender->text(), QStringLiteral("Male"));
}

void TestIntakeForm::nextJob_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("jobNumber");
    QTest::newRow("7") << 7 << "AB0008";
    QTest::newRow("12345") << 12345 << "AB12346";
}

void TestIntakeForm::nextJob()
{
    QFETCH(int, counter);
    QFETCH(QString, jobNumber);
    IntakeFixture fx;
    const QByteArray config = "AB\r\nA0000\r\n0041\r\nClinic1\r\n";
    fx.home.write(QStringLiteral("Solvane.Cfg"), config);
    Job().JobCounter = counter;
    IntakeForm *form = fx.open(QStringLiteral("ScanForm4"));

    button(form, QStringLiteral("Command3"))->click();

    QCOMPARE(Job().JobCounter, counter + 1);
    QCOMPARE(Job().JobNumber, jobNumber);
    QCOMPARE(box(form, QStringLiteral("Text3"))->text(), jobNumber);
    QCOMPARE(fx.home.read(QStringLiteral("Solvane.Cfg")), config);
}

void TestIntakeForm::pellmarMeasurements()
{
    IntakeFixture fx;
    const PellmarMeasurements closed = Pellmar_Measurements();
    QCOMPARE(closed.ForefootVarus[0], QStringLiteral("0.0"));
    QCOMPARE(closed.HeelDotLength[1], QStringLiteral("0.0"));
    QVERIFY(!Windows().isLoaded(QStringLiteral("ScanForm6")));

    IntakeForm *form = fx.open(QStringLiteral("ScanForm6"));
    box(form, QStringLiteral("Text4_0"))->setText(QStringLiteral("3.5"));
    box(form, QStringLiteral("Text7_1"))->setText(QStringLiteral("12"));
    box(form, QStringLiteral("Text6_0"))->setText(QStringLiteral("not a number"));
    const ScriptRecord before = Job();

    const PellmarMeasurements open = Pellmar_Measurements();

    QCOMPARE(open.ForefootVarus[0], QStringLiteral("3.5"));
    QCOMPARE(open.ForefootVarus[1], QStringLiteral("3.5"));
    QCOMPARE(open.ForefootValgus[1], QStringLiteral("0.0"));
    QCOMPARE(open.VarusLength[0], QStringLiteral("not a number"));
    QCOMPARE(open.HeelDotLength[0], QStringLiteral("0.0"));
    QCOMPARE(open.HeelDotLength[1], QStringLiteral("12"));
    // Reading the boxes leaves the job as it was.
    QCOMPARE(Job().JobNumber, before.JobNumber);
    QCOMPARE(Job().Gender, before.Gender);
    QCOMPARE(Job().ForefootVarusL, before.ForefootVarusL);

    // The EVA Pellmar window is not the source.
    Windows().unload(QStringLiteral("ScanForm6"));
    fx.open(QStringLiteral("ScanForm5"));
    QCOMPARE(Pellmar_Measurements().ForefootVarus[0], QStringLiteral("0.0"));
    QVERIFY(!Windows().isLoaded(QStringLiteral("ScanForm6")));
}

void TestIntakeForm::closeUnloadsAndReopenStartsAfresh()
{
    IntakeFixture fx;
    IntakeForm *form = fx.open(QStringLiteral("ScanForm2"));
    box(form, QStringLiteral("Text1"))->setText(QStringLiteral("Ann"));
    button(form, QStringLiteral("Command3"))->click();
    QCOMPARE(fx.open(QStringLiteral("ScanForm2")), form); // open already: kept as it is
    QCOMPARE(box(form, QStringLiteral("Text1"))->text(), QStringLiteral("Ann"));

    button(form, QStringLiteral("Command2"))->click();
    fx.settle();
    QVERIFY(!Windows().isLoaded(QStringLiteral("ScanForm2")));
    // What the window wrote stays: the counter went on.
    QCOMPARE(Job().JobCounter, 42);

    form = fx.open(QStringLiteral("ScanForm2"));
    QCOMPARE(box(form, QStringLiteral("Text1"))->text(), QStringLiteral("FirstName"));
    QCOMPARE(box(form, QStringLiteral("Text3"))->text(), QStringLiteral("AB0042"));
    QVERIFY(fx.prompter->calls.isEmpty());
}

QTEST_MAIN(TestIntakeForm)
#include "tst_intakeform.moc"
