#pragma once

#include "scriptedprompter.h"

#include <QPrinter>

// A scripted prompter whose print dialog points the printer at a PDF file,
// so printing is tested without a print system.
class PdfPrompter : public ScriptedPrompter
{
public:
    QString pdfPath;
    bool printDialog(QPrinter &printer) override
    {
        const bool go = ScriptedPrompter::printDialog(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return go;
    }
};
