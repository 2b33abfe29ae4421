#include "appwindows.h"
#include "promptdialogs.h"
#include "prompter.h"
#include "shellprompter.h"
#include "windowregistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// Drives the real prompt dialogs the way a user does, while the prompt call
// waits in its modal loop.
class TestPromptDialogs : public QObject
{
    Q_OBJECT

private:
    struct Seen
    {
        QString title, prompt, label2;
        QStringList boxTexts; // what the box showed at each "peek"
        bool entryHadFocus = false;
    };

    // Steps, separated by "|": type:<text>, click (into the box), reset,
    // accept, cancel, enter, esc, close (the close box), peek.
    // `seen` is filled while the dialog is up, so it must outlive the prompt call.
    void runSteps(const QString &steps, Seen &seen)
    {
        QTimer::singleShot(0, this, [&seen, steps] {
            auto *dialog = qobject_cast<PromptDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                qWarning("no modal prompt dialog is shown");
                return;
            }
            auto *entry = dialog->findChild<QLineEdit *>("txtUserInput");
            seen.title = dialog->windowTitle();
            seen.prompt = dialog->findChild<QLabel *>("lblPrompt")->text();
            seen.label2 = dialog->findChild<QLabel *>("Label2")->text();
            seen.entryHadFocus = dialog->focusWidget() == entry;
            for (const QString &step : steps.split('|')) {
                if (step.startsWith("type:"))
                    QTest::keyClicks(entry, step.mid(5));
                else if (step == "click")
                    QTest::mouseClick(entry, Qt::LeftButton);
                else if (step == "reset")
                    QTest::mouseClick(dialog->findChild<QPushButton *>("cmdReset"), Qt::LeftButton);
                else if (step == "accept")
                    QTest::mouseClick(dialog->findChild<QPushButton *>("cmdAccept"), Qt::LeftButton);
                else if (step == "cancel")
                    QTest::mouseClick(dialog->findChild<QPushButton *>("cmdCancel"), Qt::LeftButton);
                else if (step == "enter")
                    QTest::keyClick(entry, Qt::Key_Return);
                else if (step == "esc")
                    QTest::keyClick(entry, Qt::Key_Escape);
                else if (step == "close")
                    dialog->close();
                else if (step == "peek")
                    seen.boxTexts << entry->text();
            }
            if (dialog->isVisible()) { // never leave the test hanging in the modal loop
                qWarning("the steps left the dialog open");
                dialog->reject();
            }
        });
    }

private slots:
    void initTestCase()
    {
        Set_Prompter(std::make_shared<ShellPrompter>());
        Register_Shell_Windows();
    }

    void numeric_data()
    {
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QStringList>("peeks");
        QTest::newRow("untouched 0") << "0"
                                     << "accept" << 0.0 << QStringList{};
        QTest::newRow("untouched 2") << "2"
                                     << "accept" << 2.0 << QStringList{};
        QTest::newRow("typed 3.14") << "2"
                                    << "type:3.14|peek|accept" << 3.1 << QStringList{"3.14"};
        QTest::newRow("typed 2.25 rounds up") << "0"
                                              << "type:2.25|enter" << 2.3 << QStringList{};
        QTest::newRow("typed abc") << "2"
                                   << "type:abc|accept" << 0.0 << QStringList{};
        QTest::newRow("typed 12abc") << "2"
                                     << "type:12abc|accept" << 12.0 << QStringList{};
        QTest::newRow("typed 3.14mm keeps its decimals") << "2"
                                                         << "type:3.14mm|accept" << 3.14 << QStringList{};
        QTest::newRow("empty box") << "2"
                                   << "click|peek|accept" << 0.0 << QStringList{""};
        QTest::newRow("click after typing empties") << "2"
                                                    << "type:7|click|peek|accept" << 0.0 << QStringList{""};
        QTest::newRow("reset") << "2"
                               << "type:9|reset|peek|accept" << 2.0 << QStringList{"2.0"};
        QTest::newRow("enter accepts") << "0"
                                       << "type:-4.5|enter" << -4.5 << QStringList{};
        QTest::newRow("cancel") << "2"
                                << "type:5|cancel" << 0.0 << QStringList{};
        QTest::newRow("esc") << "2"
                             << "type:5|esc" << 0.0 << QStringList{};
        QTest::newRow("close box") << "2"
                                   << "type:5|close" << 0.0 << QStringList{};
    }

    void numeric()
    {
        QFETCH(QString, defaultText);
        QFETCH(QString, steps);
        QFETCH(double, expected);
        QFETCH(QStringList, peeks);
        Seen seen;
        runSteps(steps, seen);
        const double value = Get_Num_Input("Enter Left Foot Varus", "", defaultText, "Forefoot Varus");
        QCOMPARE(value, expected);
        QCOMPARE(seen.boxTexts, peeks);
        QCOMPARE(seen.title, QString("Forefoot Varus"));
        QCOMPARE(seen.prompt, QString("Enter Left Foot Varus"));
        QCOMPARE(seen.label2, QString());
        QVERIFY(seen.entryHadFocus);
        QVERIFY(!Windows().isLoaded("dlgNumInput")); // each call unloads its dialog
    }

    void text_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("peeks");
        QTest::newRow("untouched") << "accept"
                                   << "FirstName" << QStringList{};
        QTest::newRow("typed") << "type:Ann-Marie|enter"
                               << "Ann-Marie" << QStringList{};
        QTest::newRow("typed digits stay text") << "type:3.14|accept"
                                                << "3.14" << QStringList{};
        QTest::newRow("click empties") << "click|accept"
                                       << "" << QStringList{};
        QTest::newRow("reset") << "type:Bob|reset|peek|accept"
                               << "FirstName" << QStringList{"FirstName"};
        QTest::newRow("cancel") << "type:Bob|cancel"
                                << "" << QStringList{};
        QTest::newRow("esc") << "type:Bob|esc"
                             << "" << QStringList{};
        QTest::newRow("close box") << "type:Bob|close"
                                   << "" << QStringList{};
    }

    void text()
    {
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        QFETCH(QStringList, peeks);
        Seen seen;
        runSteps(steps, seen);
        const QString value = Get_Std_Input("Enter Client First Name", "", "FirstName", "Enter Client Name");
        QCOMPARE(value, expected);
        QCOMPARE(seen.boxTexts, peeks);
        QCOMPARE(seen.title, QString("Enter Client Name"));
        QCOMPARE(seen.prompt, QString("Enter Client First Name"));
        QVERIFY(!Windows().isLoaded("dlgStdInput"));
    }

    void resultsOutliveTheDialog()
    {
        Seen first;
        runSteps("type:5|cancel", first);
        QCOMPARE(Get_Num_Input("Enter Value (Left Foot): ", "", "2", "Options"), 0.0);
        QVERIFY(PromptDialog::outcome(PromptDialog::Kind::Numeric).InputCanceled);

        // The next prompt opens with the cancel still recorded, until a button decides.
        bool canceledWhileOpen = false;
        QTimer::singleShot(0, this, [&canceledWhileOpen] {
            auto *dialog = qobject_cast<PromptDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            canceledWhileOpen = PromptDialog::outcome(PromptDialog::Kind::Numeric).InputCanceled;
            QCOMPARE(PromptDialog::outcome(PromptDialog::Kind::Numeric).UserInput, QString("2.0"));
            QCOMPARE(PromptDialog::PromptDefault(), QString("2"));
            dialog->accept();
        });
        QCOMPARE(Get_Num_Input("Enter Value (Left Foot): ", "", "2", "Options"), 2.0);
        QVERIFY(canceledWhileOpen);
        QVERIFY(!PromptDialog::outcome(PromptDialog::Kind::Numeric).InputCanceled);
        QCOMPARE(PromptDialog::outcome(PromptDialog::Kind::Numeric).UserInput, QString("2.0"));
    }

    void secondLineAndAccessibleNames()
    {
        QString label2, entryName;
        QStringList buttonNames;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<PromptDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            label2 = dialog->findChild<QLabel *>("Label2")->text();
            entryName = dialog->findChild<QLineEdit *>("txtUserInput")->accessibleName();
            for (const char *name : {"cmdAccept", "cmdReset", "cmdCancel"})
                buttonNames << dialog->findChild<QPushButton *>(name)->accessibleName();
            dialog->accept();
        });
        QCOMPARE(Get_Std_Input("Enter Client Surname", "(as on the referral)", "Surname", "Enter Client Name"),
                 QString("Surname"));
        QCOMPARE(label2, QString("(as on the referral)"));
        QCOMPARE(entryName, QString("Enter Client Surname"));
        QCOMPARE(buttonNames, (QStringList{"Accept", "Reset", "Cancel"}));
    }
};

QTEST_MAIN(TestPromptDialogs)
#include "tst_promptdialogs.moc"
