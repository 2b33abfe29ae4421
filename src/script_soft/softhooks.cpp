#include "softhooks.h"

#include "scriptform1.h"

#include "programhooks.h"

namespace {

std::shared_ptr<SoftJobCommands> &jobCommands()
{
    static std::shared_ptr<SoftJobCommands> commands;
    return commands;
}

SoftPdfViewer &pdfViewer()
{
    static SoftPdfViewer viewer;
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
    Require_Hook(Soft_Pdf_Viewer_Installed(), QStringLiteral("the soft window's PDF viewer"));
    return pdfViewer();
}

bool Soft_Pdf_Viewer_Installed()
{
    return bool(pdfViewer());
}

void Set_Soft_Pdf_Viewer(SoftPdfViewer viewer)
{
    pdfViewer() = std::move(viewer);
}

const SoftStlImporter &Soft_Stl_Importer()
{
    Require_Hook(Soft_Stl_Importer_Installed(), QStringLiteral("the soft window's STL importer"));
    return stlImporter();
}

bool Soft_Stl_Importer_Installed()
{
    return bool(stlImporter());
}

void Set_Soft_Stl_Importer(SoftStlImporter importer)
{
    stlImporter() = std::move(importer);
}

SoftJobCommands &Soft_Job_Commands()
{
    Require_Hook(Soft_Job_Commands_Installed(), QStringLiteral("the soft job commands"));
    return *jobCommands();
}

bool Soft_Job_Commands_Installed()
{
    return jobCommands() != nullptr;
}

void Set_Soft_Job_Commands(std::shared_ptr<SoftJobCommands> commands)
{
    jobCommands() = std::move(commands);
}
