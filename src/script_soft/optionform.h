#pragma once

#include <QDialog>

// "Orthotic Data Selection": the order summary the job commands show before
// a job is packed. "Accept" goes on, "Quit" stops the command; closing the
// dialog any other way is "Quit". "View PDF" shows the laboratory PDF.
class OptionForm : public QDialog
{
    Q_OBJECT
public:
    explicit OptionForm(QWidget *parent = nullptr);

    // Builds the summary from the job, shows the dialog modally and returns
    // OptionQuitFlag as the user left it.
    static bool Run_OptionForm();

protected:
    void done(int result) override;

private:
    void viewPdf();
};
