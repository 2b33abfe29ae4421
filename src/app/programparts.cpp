#include "programparts.h"

#include "appwindows.h"
#include "drawingpanehooks.h"
#include "footviewinterface.h"
#include "graphicform.h"
#include "helpwindows.h"
#include "intakeform.h"
#include "pdfform.h"
#include "photowindows.h"
#include "preparescript.h"
#include "rigidformcommands.h"
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
