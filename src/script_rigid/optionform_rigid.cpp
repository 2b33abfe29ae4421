#include "optionform_rigid.h"

#include "pdfform.h"
#include "rigidsummary.h"

#include "scriptrecord.h"
#include "shellhelpers.h"
#include "windowregistry.h"

namespace {

const QString kName = QStringLiteral("OptionForm_Rigid");

RigidPdfViewer &viewer()
{
    static RigidPdfViewer installed;
    return installed;
}

void viewPdf(QWidget *over)
{
    Wait_Milliseconds(500);
    const ScriptRecord &job = Job();
    Set_Status(QStringLiteral("Opening...") + job.PdfFile);
    const QString pdf = Rigid_Pdf_To_View(job);
    if (viewer())
        viewer()(pdf, over);
    else
        Show_Pdf_Viewer(pdf);
}

} // namespace

// The summary is built at load, from the job as it stands then.
OptionForm_Rigid::OptionForm_Rigid(QWidget *parent)
    : OrderSummaryDialog(kName, Rigid_Option_Summary(Job()), viewPdf, parent)
{}

void OptionForm_Rigid::Register()
{
    Windows().registerFactory(kName, [] { return new OptionForm_Rigid; });
}

bool OptionForm_Rigid::Run_OptionForm_Rigid()
{
    if (!Windows().hasFactory(kName))
        Register();
    return Run(kName);
}

void Set_Rigid_Pdf_Viewer(RigidPdfViewer pdfViewer)
{
    viewer() = std::move(pdfViewer);
}
