#pragma once

#include <QDialog>

#include <functional>

// "Orthotic Data Selection", the order confirmation of both prescription
// windows: the summary (read-only, bold Arial 10), "Accept" (Command2) goes
// on, "Quit" (Command1) stops the job command, "View PDF" (Command3) shows
// the job's document. Only "Accept" clears OptionQuitFlag: Quit, the close
// box and Esc all set it, so a dialog dismissed by accident never sends a job.
class OrderSummaryDialog : public QDialog
{
    Q_OBJECT
public:
    using PdfView = std::function<void(QWidget *over)>;

    // `summary` is the plain text with CR LF line breaks.
    OrderSummaryDialog(const QString &name, const QString &summary, PdfView viewPdf, QWidget *parent = nullptr);

    // Loads the dialog `name` through the window registry, shows it modally,
    // unloads it and returns OptionQuitFlag as the user left it. A dialog no
    // part registered counts as "Quit".
    static bool Run(const QString &name);

protected:
    void done(int result) override;
};
