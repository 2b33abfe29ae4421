#pragma once

#include "fakeshell.h"
#include "intakeform.h"
#include "scriptedprompter.h"
#include "testhome.h"

#include "scriptrecord.h"
#include "shellhelpers.h"
#include "sizechart.h"
#include "windowregistry.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

// One private working folder with a podiatrist list (no clinic list), a
// scripted prompter, a fake main window and a job as start-up leaves it:
// operator code AB, counter 41, working in Data.
struct IntakeFixture
{
    TestHome home;
    std::shared_ptr<ScriptedPrompter> prompter = ScriptedPrompter::install();
    FakeShell shell;

    IntakeFixture()
    {
        Set_Wait_Skipped(true);
        Windows().reset();
        Register_Intake_Windows();
        Set_Shell(&shell);
        home.write(QStringLiteral("Podiatrist.Cfg"), "Podiatrists\r\nDr Ann Lee\r\nDr Tom Hart\r\nEnd\r\nDr Late\r\n");
        Job() = ScriptRecord{};
        ScriptRecord &job = Job();
        job.OperatorCode = QStringLiteral("AB");
        job.ScannerId = QStringLiteral("A0000");
        job.JobCounter = 41;
        job.CurrentFolder = home.path(QStringLiteral("Data"));
        job.DataFolder = job.CurrentFolder + u'/';
        Set_Default_Sizes(job);
    }

    ~IntakeFixture()
    {
        Windows().reset();
        Set_Pellmar_Measurements_Source({});
        Set_Shell(nullptr);
        Set_Prompter(nullptr);
    }

    static IntakeForm *open(const QString &window) { return Windows().get<IntakeForm>(window); }

    // Shown and active, so that focus moves as the user's keys move it.
    static IntakeForm *openActive(const QString &window)
    {
        IntakeForm *form = open(window);
        form->show();
        QApplication::setActiveWindow(form);
        if (!QTest::qWaitForWindowActive(form))
            qWarning("the window did not become active");
        return form;
    }

    // Closed windows go at the next turn of the event loop.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

template <typename T>
T *control(QWidget *form, const QString &name)
{
    auto *found = form->findChild<T *>(name);
    if (!found)
        qWarning("no control %s", qPrintable(name));
    return found;
}

inline QLineEdit *box(QWidget *form, const QString &name)
{
    return control<QLineEdit>(form, name);
}

inline QComboBox *combo(QWidget *form, const QString &name)
{
    return control<QComboBox>(form, name);
}

inline QPushButton *button(QWidget *form, const QString &name)
{
    return control<QPushButton>(form, name);
}
