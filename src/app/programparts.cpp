#include "programparts.h"

#include "appwindows.h"
#include "drawingpanehooks.h"
#include "drawingpanetab.h"
#include "footviewinterface.h"
#include "graphicform.h"
#include "helpwindows.h"
#include "insolepanes.h"
#include "intakeform.h"
#include "intakevariants.h"
#include "optionform_rigid.h"
#include "pdfform.h"
#include "pellmarmeasurements.h"
#include "photowindows.h"
#include "preparescript.h"
#include "rigidformcommands.h"
#include "rigidhooks.h"
#include "rigidrecord.h"
#include "scaleform.h"
#include "scriptform1.h"
#include "scriptform2.h"
#include "scriptrecord.h"
#include "softhooks.h"
#include "softjobcommands.h"
#include "toolwindows.h"
#include "verifyform.h"
#include "windowregistry.h"

void Join_Program_Parts()
{
    Register_Shell_Windows();
    Register_Help_Windows();
    Register_Soft_Windows();
    Register_Rigid_Windows();
    OptionForm_Rigid::Register();
    Register_Pdf_Viewer();
    Register_Foot_Views();
    Register_Relocation_Window();
    Register_Intake_Windows();
    Register_Photo_Windows();
    Register_Graphic_Screen();
    Register_Drawing_Tool_Windows();
    Install_Soft_Job_Commands();
    Install_Rigid_Job_Commands();
    Install_Insole_Panes();

    // The viewer is modal and finds its owner itself (the active window,
    // which is the confirmation dialog the button sits on).
    Set_Soft_Pdf_Viewer([](const QString &pdfPath, QWidget *) { Show_Pdf_Viewer(pdfPath); });
    // An STL scan chosen on the soft form goes into its foot's view as the
    // view's own "Load STL" reads it; the view is made (not shown) when it is
    // not loaded yet. A file the view refuses throws, and the form keeps its
    // record as it was.
    Set_Soft_Stl_Importer([](int side, const QString &stlPath) {
        Foot_View(side == 0 ? FootSide::Left : FootSide::Right).Import_Stl(stlPath);
    });

    // The intake windows' prepare buttons open the prescription window on
    // the client they prepared: its load reads a handed-over record, and an
    // open window takes the client by running its opening again. The rigid
    // window keeps the client the intake window put into the job.
    PrepareHooks prepare;
    prepare.writeRigidRecord = [](ScriptRecord &job) { Write_CSV_Rigid(job); };
    prepare.openRigidWindow = [] { Open_ScriptForm2(RigidOpening::IntakeClient); };
    prepare.openSoftWindow = [] { Open_ScriptForm1(); };
    prepare.showSoftFootSizes = [] {
        if (auto *form = qobject_cast<ScriptForm1 *>(Windows().loaded(QStringLiteral("ScriptForm1"))))
            form->showFootSizes();
    };
    Set_Prepare_Hooks(std::move(prepare));

    // Calculate Scale on the Graphic Screen puts the foot size it edits into
    // the soft window's size list, only while that window is loaded (the job
    // already holds the size).
    Set_Soft_Size_List_Hook([](int, const QString &) {
        if (auto *form = qobject_cast<ScriptForm1 *>(Windows().loaded(QStringLiteral("ScriptForm1"))))
            form->showFootSizes();
    });
}

const QStringList &Program_Windows()
{
    static const QStringList windows = [] {
        QStringList names = WindowRegistry::unloadOrder();
        names << QStringLiteral("ScriptForm2") << QStringLiteral("OptionForm_Rigid") << QStringLiteral("VerifyForm")
              << QStringLiteral("BlockForm2");
        for (const IntakeVariant &variant : Intake_Variants())
            names << variant.window;
        names.removeDuplicates();
        return names;
    }();
    return windows;
}

QStringList Missing_Program_Parts()
{
    const PrepareHooks &prepare = Prepare_Hooks();
    const struct
    {
        const char *name;
        bool installed;
    } hooks[] = {
        {"soft job commands", Soft_Job_Commands_Installed()},
        {"rigid job commands", Rigid_Job_Commands_Installed()},
        {"soft PDF viewer", Soft_Pdf_Viewer_Installed()},
        {"soft STL importer", Soft_Stl_Importer_Installed()},
        {"drawing pane", Drawing_Pane_Hook_Installed()},
        {"insole pane finder", Insole_Pane_Finder_Installed()},
        {"Graphic Screen save", Graphic_Screen_Save_Installed()},
        {"soft size list", Soft_Size_List_Hook_Installed()},
        {"Pellmar measurements", Pellmar_Measurements_Source_Installed()},
        {"prepare: rigid record", bool(prepare.writeRigidRecord)},
        {"prepare: open soft window", bool(prepare.openSoftWindow)},
        {"prepare: soft foot sizes", bool(prepare.showSoftFootSizes)},
        {"prepare: open rigid window", bool(prepare.openRigidWindow)},
    };
    QStringList missing;
    for (const auto &hook : hooks) {
        if (!hook.installed)
            missing << QString::fromLatin1(hook.name);
    }
    for (const QString &window : Program_Windows()) {
        if (!Windows().hasFactory(window))
            missing << QStringLiteral("window ") + window;
    }
    return missing;
}
