#pragma once

#include <QString>

// What the rigid prescription window offers its job buttons: typed methods
// over its boxes and its grid, so that the commands never reach into its
// widgets. The window implements it; tests use a fake.
class RigidJobWindow
{
public:
    virtual ~RigidJobWindow() = default;

    // Save_Grid: commits any open cell editor, then reads the grid into the job.
    virtual void saveGrid() = 0;
    // Save_Data_Rigid: the window's fields outside the grid into the job.
    virtual void saveFields() = 0;
    // Load_Data_2: the job into the window's fields outside the grid.
    virtual void loadFields() = 0;
    // Clears the grid and builds it again from the job (headings, rows,
    // looks), painting once, with the clicked cell back at row 1, column 1.
    virtual void rebuildGrid() = 0;

    // A client name given at a prompt into rText38 or rText49.
    virtual void showClientFirstName(const QString &name) = 0;
    virtual void showClientSurname(const QString &name) = 0;
    // PdfFile into the PDF path box rText2, and the box's text.
    virtual void showPdfPath() = 0;
    virtual QString pdfPathShown() const = 0;
    // JobNumber into the "Job Number" box rText1.
    virtual void showJobNumber() = 0;

    // The window closes itself: its job is over.
    virtual void closeWindow() = 0;
};
