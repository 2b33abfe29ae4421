#pragma once

#include "countingpane.h"
#include "drawingpanetab.h"
#include "fakeshell.h"
#include "scriptedprompter.h"
#include "scriptform2.h"
#include "testhome.h"

#include "clock.h"
#include "rigidhooks.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "windowregistry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>

#include <memory>

// One private working folder with the rigid table, a scripted prompter, a
// fake main window, a counting drawing pane, a fixed clock and a job as
// start-up leaves it.
struct RigidFixture
{
    TestHome home;
    std::shared_ptr<ScriptedPrompter> prompter = ScriptedPrompter::install();
    FakeShell shell;
    std::shared_ptr<CountingPane> pane = std::make_shared<CountingPane>();
    QDateTime now{QDate(2026, 12, 8), QTime(9, 30, 15)};

    explicit RigidFixture(bool withTable = true)
    {
        Windows().reset();
        Register_Rigid_Windows();
        Set_Shell(&shell);
        Set_Drawing_Pane_Hook(pane);
        Clock::setSource([this] { return now; });
        if (withTable)
            home.write(QStringLiteral("Solvane_Rigids.Tbl"),
                       "Rigid Options\r\n1,Styles\r\nStandard\r\n2,Materials\r\nCarbon (2 mm)\r\nNylon (3 mm)\r\n"
                       "1,Top Covers\r\nVinyl Black\r\n1,Options\r\nOption A\r\n");
        Job() = ScriptRecord{};
        ScriptRecord &job = Job();
        job.OperatorCode = QStringLiteral("AB");
        job.ScannerId = QStringLiteral("A0000");
        job.JobCounter = 42;
        job.CurrentUser = QStringLiteral("ClinicA");
        job.UserList = QStringLiteral("ClinicA");
        job.CurrentFolder = home.path(QStringLiteral("Data"));
        job.DataFolder = job.CurrentFolder + u'/';
        job.LeftScanFile = job.RightScanFile = QStringLiteral("None");
        job.LeftGraphicFile = job.RightGraphicFile = QStringLiteral("None");
        job.JobImageFile = QStringLiteral("None");
        job.ClientFirstName = QStringLiteral("FirstName");
        job.ClientSurname = QStringLiteral("Surname");
        job.PdfFile = QStringLiteral("None");
        Set_Default_Sizes(job);
        job.FootSizeL = job.FootSizeR = QStringLiteral("0");
    }

    ~RigidFixture()
    {
        Windows().reset();
        Set_Shell(nullptr);
        Set_Prompter(nullptr);
        Set_Drawing_Pane_Hook(nullptr);
        Set_Rigid_Job_Commands(nullptr);
        Clock::setSource({});
    }

    ScriptForm2 *open() { return Open_ScriptForm2(); }

    // Closed windows go at the next turn of the event loop.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
