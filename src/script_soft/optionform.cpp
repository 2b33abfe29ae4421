#include "optionform.h"

#include "optionsummary.h"
#include "softhooks.h"

#include "scriptrecord.h"
#include "shellhelpers.h"

namespace {

void viewPdf(QWidget *over)
{
    Wait_Milliseconds(500);
    Set_Status(QStringLiteral("Opening...") + Job().PdfFile);
    Soft_Pdf_Viewer()(Job().FullPdfFile, over);
}

} // namespace

// The summary is built at load, from the job as it stands then.
OptionForm::OptionForm(QWidget *parent)
    : OrderSummaryDialog(QStringLiteral("OptionForm"), Option_Summary(Job()), viewPdf, parent)
{}

bool OptionForm::Run_OptionForm()
{
    return Run(QStringLiteral("OptionForm"));
}
