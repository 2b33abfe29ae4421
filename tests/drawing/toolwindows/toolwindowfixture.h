#pragma once

#include "fakeinsolepane.h"
#include "installdata.h"
#include "scaleform.h"
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
// fake panes and a recording soft size list installed and the tool windows
// registered.
struct ToolWindowFixture
{
    std::unique_ptr<TestHome> home = std::make_unique<TestHome>();
    std::shared_ptr<ScriptedPrompter> prompter = ScriptedPrompter::install();
    FakePanes panes;
    QStringList softSizes; // what reached the soft window's size lists

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
        Set_Soft_Size_List_Hook([this](int side, const QString &size) { softSizes << QString::number(side) + size; });
    }
    ~ToolWindowFixture()
    {
        Windows().reset();
        Set_Soft_Size_List_Hook({});
    }

    static QWidget *open(const QString &name) { return Windows().show(name); }

    // Closed windows go at the next turn of the event loop.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
