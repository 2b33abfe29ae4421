#include "prompter.h"

#include "numbers.h"

namespace {

// Until the application installs its dialogs (and in command-line tools),
// every question is answered as a cancel and nothing blocks.
class SilentPrompter : public Prompter
{
public:
    Answer message(const QString &, const QString &, Icon, Buttons buttons) override
    {
        switch (buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::YesNo: return Answer::No;
        default: return Answer::Cancel;
        }
    }
    bool numericInput(const QString &, const QString &, const QString &, const QString &, QString &) override
    {
        return false;
    }
    bool textInput(const QString &, const QString &, const QString &, const QString &, QString &) override
    {
        return false;
    }
    QString openFile(const FileRequest &) override { return {}; }
    QString saveFile(const FileRequest &) override { return {}; }
    bool printDialog(QPrinter &) override { return false; }
};

std::shared_ptr<Prompter> &current()
{
    static std::shared_ptr<Prompter> prompter = std::make_shared<SilentPrompter>();
    return prompter;
}

} // namespace

Prompter &UI()
{
    return *current();
}

void Set_Prompter(std::shared_ptr<Prompter> prompter)
{
    current() = prompter ? std::move(prompter) : std::make_shared<SilentPrompter>();
}

void Show_Error(const QString &description)
{
    UI().message(QStringLiteral("Error: ") + description, QStringLiteral("Error"), Prompter::Icon::Critical);
}

double Get_Num_Input(const QString &prompt, const QString &label, const QString &defaultText, const QString &title)
{
    QString entered;
    if (!UI().numericInput(prompt, label, defaultText, title, entered))
        return 0.0;
    // The dialog holds a number formatted "0.0" (3.14 comes back as 3.1) and
    // any other text as typed ("3.14mm" gives 3.14).
    return num::leadingNumber(num::format0_0Text(entered));
}

QString Get_Std_Input(const QString &prompt, const QString &label, const QString &defaultText, const QString &title)
{
    QString entered;
    if (!UI().textInput(prompt, label, defaultText, title, entered))
        return {};
    return entered;
}

QStringList Dialog_Filters(const QString &filter)
{
    QStringList out;
    const QStringList parts = filter.split(u'|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        QString label = parts[i];
        // The label usually carries its patterns already: "CSV File (*.Csv)".
        out << (label.contains(u'(') ? label : label + QStringLiteral(" (") + patterns + u')');
    }
    return out;
}
