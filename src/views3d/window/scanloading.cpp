#include "footviewinterface.h"

#include "distform.h"
#include "footviewport.h"
#include "gridform.h"
#include "messagetext.h"
#include "obj_reader.h"
#include "paths.h"
#include "prompter.h"
#include "scan_repair.h"
#include "scanfileset.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "stl_reader.h"
#include "windowregistry.h"

#include <QCoreApplication>
#include <QDir>

namespace {

struct SideNames
{
    QString &scanFileName;
    QString &scanFile;
    QString &lcfFile;
    QString &graphicFile;
    bool &stlFlag;
    bool &objFlag;
};

SideNames namesOf(FootSide side)
{
    ScriptRecord &job = Job();
    if (side == FootSide::Left)
        return {job.LeftScanFileName, job.LeftScanFile, job.LeftLcfFile,
                job.LeftGraphicFile,  job.StlScanFlagL, job.ObjScanFlagL};
    return {job.RightScanFileName, job.RightScanFile, job.RightLcfFile,
            job.RightGraphicFile,  job.StlScanFlagR,  job.ObjScanFlagR};
}

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The OBJ scan's passes, counts box and mesh, into the view of `side`.
void readObjScan(FootView &view, FootSide side, const QString &path)
{
    const QString title = QCoreApplication::applicationName();
    mesh::ObjReadResult result =
        mesh::readObjFile(path.toStdString(), [](std::string_view status) { Set_Status(qs(status)); });
    for (const std::string &message : result.mtlLibMessages)
        UI().message(QString::fromStdString(message), title);
    UI().message(QString::fromStdString(result.counts.text()), title);
    Job().CurrentFoot = Side_Name(side);
    if (!result.model.objects.empty())
        result.model.objects.front().name = side == FootSide::Left ? "LeftFootMesh" : "RightFootMesh";
    view.Show_Model(std::move(result.model));
    if (result.buildFailed)
        UI().message(QString::fromStdString(mesh::objBuildErrorText(side == FootSide::Left ? mesh::ViewSide::Left
                                                                                           : mesh::ViewSide::Right)),
                     QStringLiteral("Error"), Prompter::Icon::Warning);
    Set_Status(qs(mesh::kObjDoneStatus));
}

} // namespace

QString Load_Failure_Text(const QString &reason, bool displayAvailable)
{
    const QString text = QStringLiteral("Error: ") + reason;
    if (displayAvailable)
        return text;
    return Message_Lines({QStringLiteral("Error: The Brennick Runtime was Not Found."), QString(),
                          QStringLiteral("       Has it Been Loaded?"), QString(), reason});
}

void Register_Foot_Views()
{
    for (FootSide side : {FootSide::Left, FootSide::Right}) {
        if (!Windows().hasFactory(View_Window_Name(side)))
            Windows().registerFactory(View_Window_Name(side), [side] { return new FootView(side); });
    }
    Register_Grid_Windows();
    Register_Distances_Window();
}

FootView &Foot_View(FootSide side)
{
    Register_Foot_Views();
    FootView *view = Windows().get<FootView>(View_Window_Name(side));
    Q_ASSERT(view);
    return *view;
}

FootView &Left_View()
{
    return Foot_View(FootSide::Left);
}

FootView &Right_View()
{
    return Foot_View(FootSide::Right);
}

FootView *Loaded_Foot_View(FootSide side)
{
    return qobject_cast<FootView *>(Windows().loaded(View_Window_Name(side)));
}

bool Load_Foot(FootSide side)
{
    ScriptRecord &job = Job();
    SideNames names = namesOf(side);
    if (Is_Absent_Path(names.scanFileName))
        return false;

    try {
        job.CurrentFoot = Side_Name(side);
        names.scanFile = Join_Path(job.CurrentFolder, names.scanFileName);
        const ScanFileSet files = Scan_File_Set(names.scanFile);
        names.lcfFile = files.modelFile;

        FootView &view = Foot_View(side);
        const ScanKind kind = Scan_Kind(names.scanFile);
        switch (kind) {
        case ScanKind::Stl:
            names.stlFlag = true;
            mesh::checkStlFile(names.scanFile.toStdString());
            view.Import_Stl(names.scanFile);
            view.Fit();
            break;
        case ScanKind::Obj:
            names.objFlag = true;
            readObjScan(view, side, names.scanFile);
            view.Fit();
            break;
        case ScanKind::Vrml: view.Load_Model_File(names.scanFile); break;
        }
        view.Set_Caption(names.scanFile);
        view.Redraw();

        const QString foot = Side_Name(side) + QStringLiteral(" Foot  ") + names.scanFile;
        job.BrennickFlag = files.textureFound();
        Set_Status((files.textureFound() ? QStringLiteral("Brennick: ") : QStringLiteral("Moravine: ")) + foot);
        names.graphicFile = files.image(kind);

        view.Show_Normal();
        view.Write_Initial_Snapshot();
        view.Redraw();
        names.objFlag = false;
        names.stlFlag = false;
        Set_Status(QStringLiteral("Ready"));
        return true;
    } catch (const std::exception &error) {
        const QString reason = QString::fromUtf8(error.what());
        Set_Status(QStringLiteral("Error: ") + reason);
        const FootView *view = Loaded_Foot_View(side);
        const bool display = view ? view->viewport()->usesOpenGL() : view::FootViewport::openGLAvailable();
        UI().message(Load_Failure_Text(reason, display), QStringLiteral("Warning"), Prompter::Icon::Warning);
        return false;
    }
}

bool Load_Left_Foot()
{
    return Load_Foot(FootSide::Left);
}

bool Load_Right_Foot()
{
    return Load_Foot(FootSide::Right);
}
