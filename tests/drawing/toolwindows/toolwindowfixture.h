#pragma once

#include "fakeinsolepane.h"
#include "installdata.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "testhome.h"
#include "toolwindows.h"
#include "windowregistry.h"

#include <QCoreApplication>
#include <QEvent>

#include <memory>

// What every tool window test starts from: a private working folder with
// the installation data, a job for the left foot, a scripted prompter, both
// fake panes installed and the tool windows registered.
struct ToolWindowFixture
{
    std::unique_ptr<TestHome> home = std::make_unique<TestHome>();
    std::shared_ptr<ScriptedPrompter> prompter = ScriptedPrompter::install();
    FakePanes panes;

    ToolWindowFixture()
    {
        installdata::writeMissing(home->root());
        ScriptRecord &job = Job();
        job = ScriptRecord();
        Set_Default_Sizes(job);
        job.Gender = QStringLiteral("Male");
        job.CurrentFoot = QStringLiteral("Left");
        job.FootSizeL = QStringLiteral("9");
        job.EvaScriptFlag = true;
        Windows().reset();
        Register_Drawing_Tool_Windows();
    }
    ~ToolWindowFixture() { Windows().reset(); }

    static QWidget *open(const QString &name) { return Windows().showOrSayUnavailable(name, name); }

    // Closed windows go at the next turn of the event loop.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
