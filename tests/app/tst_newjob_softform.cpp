#include "appwindows.h"
#include "mainwindow.h"
#include "scriptedprompter.h"
#include "scriptform1.h"
#include "scriptrecord.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

// A new job from the main window reaches the real soft prescription window.
class TestNewJobSoftForm : public QObject
{
    Q_OBJECT

private slots:
    void newJobResetsTheSoftWindow()
    {
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0042\r\n\r\n");
        ScriptedPrompter::install();
        Windows().reset();
        Register_Shell_Windows();
        Register_Soft_Windows();

        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        QWidget *form = Windows().window("ScriptForm1");
        QVERIFY(form);
        auto *text30 = form->findChild<QLineEdit *>("Text30");
        auto *check1 = form->findChild<QCheckBox *>("Check1");
        auto *option2 = form->findChild<QRadioButton *>("Option2");
        auto *option1 = form->findChild<QRadioButton *>("Option1");
        QVERIFY(text30 && check1 && option1 && option2);
        text30->setText("250");
        check1->setChecked(true);
        option2->setChecked(true);

        window.New_Script();

        QCOMPARE(text30->text(), QString("0"));
        QVERIFY(!check1->isChecked());
        QVERIFY(option1->isChecked());
        QVERIFY(!form->isVisible());
        QCOMPARE(Job().JobNumber, QString("AB0042"));
        Windows().reset();
    }

    // A new job in a working folder without an option table: the soft window
    // that nobody opened stays unloaded, so its table warning never shows.
    void newJobLeavesAnUnloadedSoftWindowAlone()
    {
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0042\r\n\r\n");
        auto ui = ScriptedPrompter::install();
        Windows().reset();
        Register_Shell_Windows();
        Register_Soft_Windows();

        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        Job().PriorityReturn = true;
        auto *mnuNew = window.findChild<QAction *>("mnuNew");
        QVERIFY(mnuNew);

        mnuNew->trigger();

        QCOMPARE(ui->messages(), QStringList{});
        QVERIFY(!Windows().isLoaded("ScriptForm1"));
        QVERIFY(!Job().PriorityReturn);
        QCOMPARE(Job().JobNumber, QString("AB0042"));
        Windows().reset();
    }
};

QTEST_MAIN(TestNewJobSoftForm)
#include "tst_newjob_softform.moc"
