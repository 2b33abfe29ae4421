#include "softhooks.h"

#include "scriptform1.h"

#include "jobnames.h"
#include "numbers.h"
#include "paths.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "sizechart.h"

#include <QFile>

namespace {

std::shared_ptr<SoftJobCommands> &jobCommands()
{
    static std::shared_ptr<SoftJobCommands> commands;
    return commands;
}

class StandInDrawingPane : public SoftDrawingPane
{
public:
    void Load_Vec_File(ScriptForm1 &form) override
    {
        form.showDrawingMessage(QStringLiteral("Ready"));
        Vec_File_Job_Steps();
    }
    void Save_Image(ScriptForm1 &) override {}
    void Insert_Foot_Block(ScriptForm1 &, const QString &) override {}
};

std::shared_ptr<SoftDrawingPane> &drawingPane()
{
    static std::shared_ptr<SoftDrawingPane> pane = std::make_shared<StandInDrawingPane>();
    return pane;
}

SoftPdfViewer noticeViewer()
{
    return [](const QString &, QWidget *) {
        UI().message(QStringLiteral("\"View PDF\" is not available yet."), QStringLiteral("Info"),
                     Prompter::Icon::Information);
    };
}

SoftPdfViewer &pdfViewer()
{
    static SoftPdfViewer viewer = noticeViewer();
    return viewer;
}

SoftStlImporter &stlImporter()
{
    static SoftStlImporter importer;
    return importer;
}

} // namespace

const SoftPdfViewer &Soft_Pdf_Viewer()
{
    return pdfViewer();
}

void Set_Soft_Pdf_Viewer(SoftPdfViewer viewer)
{
    pdfViewer() = viewer ? std::move(viewer) : noticeViewer();
}

const SoftStlImporter &Soft_Stl_Importer()
{
    return stlImporter();
}

void Set_Soft_Stl_Importer(SoftStlImporter importer)
{
    stlImporter() = std::move(importer);
}

SoftJobCommands *Soft_Job_Commands()
{
    return jobCommands().get();
}

void Set_Soft_Job_Commands(std::shared_ptr<SoftJobCommands> commands)
{
    jobCommands() = std::move(commands);
}

SoftDrawingPane &Soft_Drawing_Pane()
{
    return *drawingPane();
}

void Set_Soft_Drawing_Pane(std::shared_ptr<SoftDrawingPane> pane)
{
    drawingPane() = pane ? std::move(pane) : std::make_shared<StandInDrawingPane>();
}

void Vec_File_Job_Steps()
{
    ScriptRecord &job = Job();
    job.DrawingLayersFlag = true;
    if (job.GraphicSelection.isEmpty()) {
        if (job.CurrentFoot == QLatin1String("Left"))
            job.GraphicSelection = QStringLiteral("LEFT");
        else if (job.CurrentFoot == QLatin1String("Right"))
            job.GraphicSelection = QStringLiteral("RIGHT");
    }
    if (job.GraphicsTabFlag) {
        job.JobImageFile = JobSketchPath(job, JobKind::Soft);
        if (!QFile::exists(job.JobImageFile)) {
            // An existing sketch is never overwritten; a blank one starts it.
            const QString blank = Resolve_Path_Nocase(Paths::root(), QStringLiteral("GraphicImage.Jpg"));
            if (!blank.isEmpty())
                QFile::copy(blank, job.JobImageFile);
        }
    }
    if (job.GraphicSelection == QLatin1String("LEFT")) {
        job.TemplateLengthL = Get_Template_Length(job, num::leadingNumber(job.FootSizeL));
        job.FootLengthL = Foot_Length_For(job.TemplateLengthL);
    } else if (job.GraphicSelection == QLatin1String("RIGHT")) {
        job.TemplateLengthR = Get_Template_Length(job, num::leadingNumber(job.FootSizeR));
        job.FootLengthR = Foot_Length_For(job.TemplateLengthR);
    }
}
