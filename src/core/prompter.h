#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;

// Every message box, question, prompt, file dialog and print dialog goes
// through this one interface, so that logic never opens a modal dialog itself
// and tests can answer in its place. Closing a dialog by its frame or with
// Esc is a cancel.
class Prompter
{
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
    enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

    struct FileRequest
    {
        QString title;
        QString folder; // initial folder
        QString fileName; // proposed name or path
        QString filter; // "CSV File (*.Csv)|*.Csv|All Files (*.*)|*.*"
        QString defaultExtension;
    };

    virtual ~Prompter() = default;

    virtual Answer message(const QString &text, const QString &title, Icon icon = Icon::None,
                           Buttons buttons = Buttons::Ok) = 0;

    // The "Numeric Data Input" and "Text Data Input" dialogs. Return false
    // when cancelled; `entered` then is left as it was.
    virtual bool numericInput(const QString &prompt, const QString &label, const QString &defaultText,
                              const QString &title, QString &entered) = 0;
    virtual bool textInput(const QString &prompt, const QString &label, const QString &defaultText,
                           const QString &title, QString &entered) = 0;

    // The chosen path, or an empty text after a cancel.
    virtual QString openFile(const FileRequest &request) = 0;
    virtual QString saveFile(const FileRequest &request) = 0;

    // Lets the user choose a printer; false when cancelled (nothing is printed).
    virtual bool printDialog(QPrinter &printer) = 0;
};

// The program's prompter. The application installs the Qt one at start-up;
// tests install a scripted double.
Prompter &UI();
void Set_Prompter(std::shared_ptr<Prompter> prompter);

// "Error: " and the description under the title "Error" (critical icon).
void Show_Error(const QString &description);

// Runs a user command; a SolvaneError or other exception it raises is shown
// with Show_Error and the program goes on.
template <typename F>
void Run_Command(F &&command);

// The prompt wrappers: 0 or an empty text when cancelled.
double Get_Num_Input(const QString &prompt, const QString &label, const QString &defaultText, const QString &title);
QString Get_Std_Input(const QString &prompt, const QString &label, const QString &defaultText, const QString &title);

// "CSV File (*.Csv)|*.Csv|All Files (*.*)|*.*" as Qt filter lines.
QStringList Dialog_Filters(const QString &filter);

#include "errors.h"

template <typename F>
void Run_Command(F &&command)
{
    try {
        command();
    } catch (const SolvaneError &error) {
        Show_Error(error.description());
    } catch (const std::exception &error) {
        Show_Error(QString::fromLocal8Bit(error.what()));
    }
}
