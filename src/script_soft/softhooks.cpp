#include "softhooks.h"

#include "scriptform1.h"

#include "prompter.h"

namespace {

std::shared_ptr<SoftJobCommands> &jobCommands()
{
    static std::shared_ptr<SoftJobCommands> commands;
    return commands;
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
