#pragma once

#include "ordersummarydialog.h"

#include <QString>

#include <functional>

// "Orthotic Data Selection" of the rigid window: the rigid order summary
// both rigid job commands show once the record and PDFs are written.
class OptionForm_Rigid : public OrderSummaryDialog
{
    Q_OBJECT
public:
    explicit OptionForm_Rigid(QWidget *parent = nullptr);

    // Registers the dialog with the window registry (Run_OptionForm_Rigid
    // does it too).
    static void Register();

    // Builds the summary from the job, shows the dialog modally and returns
    // OptionQuitFlag as the user left it: true stops the command.
    static bool Run_OptionForm_Rigid();
};

// How "View PDF" shows a document, modally over the dialog. The program's
// PDF viewer unless replaced (tests); an empty function restores it.
using RigidPdfViewer = std::function<void(const QString &pdfPath, QWidget *over)>;
void Set_Rigid_Pdf_Viewer(RigidPdfViewer viewer);
