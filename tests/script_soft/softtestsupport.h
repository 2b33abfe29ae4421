#pragma once

#include "countingpane.h"
#include "fakeshell.h"
#include "scriptedprompter.h"
#include "scriptform1.h"
#include "testhome.h"

#include "scriptrecord.h"
#include "sizechart.h"
#include "windowregistry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>

#include <functional>
#include <memory>

// One private working folder, a scripted prompter, a fake main window, a
// counting drawing pane and a job as start-up leaves it.
struct SoftFixture
{
    TestHome home;
    std::shared_ptr<ScriptedPrompter> prompter = ScriptedPrompter::install();
    FakeShell shell;
    std::shared_ptr<CountingPane> pane = std::make_shared<CountingPane>();

    SoftFixture()
    {
        Windows().reset();
        Register_Soft_Windows();
        Set_Shell(&shell);
        Set_Drawing_Pane_Hook(pane);
        Job() = ScriptRecord{};
        ScriptRecord &job = Job();
        job.OperatorCode = QStringLiteral("AB");
        job.ScannerId = QStringLiteral("A0000");
        job.JobCounter = 41;
        job.CurrentFolder = home.path(QStringLiteral("Data"));
        job.DataFolder = job.CurrentFolder + u'/';
        job.LeftScanFile = job.RightScanFile = QStringLiteral("None");
        job.LeftGraphicFile = job.RightGraphicFile = QStringLiteral("None");
        job.PdfFile = QStringLiteral("None");
        Set_Default_Sizes(job);
        job.FootSizeL = job.FootSizeR = QStringLiteral("0");
    }

    ~SoftFixture()
    {
        Windows().reset();
        Set_Shell(nullptr);
        Set_Prompter(nullptr);
        Set_Drawing_Pane_Hook(nullptr);
    }

    ScriptForm1 *open() { return Open_ScriptForm1(); }

    // Closed windows go at the next turn of the event loop.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
