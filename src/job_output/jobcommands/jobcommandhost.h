#pragma once

#include "jobsteps.h"
#include "scriptpdfs.h"

#include <QString>

struct ScriptRecord;

// The window's side of the job commands: what a prescription window offers
// the command sequence that both windows share. The soft and the rigid
// window each implement it over their own boxes, record and documents.
// Every method may throw SolvaneError, which stops the command.
class JobCommandHost
{
public:
    virtual ~JobCommandHost() = default;

    // The foot size the window holds for the left (0) or right (1) foot;
    // empty when it is not set.
    virtual QString footSize(int side) const = 0;

    // Moves the window's fields into the job record, committing any cell or
    // box still being edited.
    virtual void saveFields() = 0;

    // A client name given at a prompt, shown in its box.
    virtual void showClientName(JobSteps::NamePart part, const QString &name) = 0;
    // PdfFile into the PDF path box.
    virtual void showPdfPath() = 0;
    // JobNumber into the job number box.
    virtual void showJobNumber() = 0;
    // Save Job Locally takes the PDF path back from its box once the order
    // is confirmed (the rigid window does; the soft one keeps PdfFile).
    virtual void takePdfPathBack() {}

    // The script record to job.CsvFile.
    virtual void writeRecord(ScriptRecord &job) = 0;
    // Both prescription documents in the command's page sequences.
    virtual void writeDocuments(ScriptRecord &job, PdfCommand command) = 0;
    // The order confirmation; true when the user accepted the order.
    virtual bool confirmOrder() = 0;

    // "Open Script": reads the record at `path` into the job. False stops
    // the command quietly (the user was told why).
    virtual bool readScript(ScriptRecord &job, const QString &path) = 0;
    // Shows the record just opened in the window.
    virtual void showOpenedScript() = 0;

    // The window closes itself: its job is over.
    virtual void closeWindow() = 0;
};
