#include "shellprompter.h"

#include "promptdialogs.h"
#include "windowregistry.h"

namespace {

bool askWith(PromptDialog::Kind kind, const QString &prompt, const QString &label, const QString &defaultText,
             const QString &title, QString &entered)
{
    const QString name = PromptDialog::nameFor(kind);
    try {
        auto *dialog = Windows().get<PromptDialog>(name);
        if (!dialog)
            return false;
        dialog->prepare(prompt, label, defaultText, title);
        dialog->exec();
        const PromptDialog::Outcome result = PromptDialog::outcome(kind);
        Windows().unload(name);
        if (result.InputCanceled)
            return false;
        entered = result.UserInput;
        return true;
    } catch (...) {
        // A prompt that fails gives no value, like a cancel, and says nothing.
        return false;
    }
}

} // namespace

bool ShellPrompter::numericInput(const QString &prompt, const QString &label, const QString &defaultText,
                                 const QString &title, QString &entered)
{
    return askWith(PromptDialog::Kind::Numeric, prompt, label, defaultText, title, entered);
}

bool ShellPrompter::textInput(const QString &prompt, const QString &label, const QString &defaultText,
                              const QString &title, QString &entered)
{
    return askWith(PromptDialog::Kind::Text, prompt, label, defaultText, title, entered);
}
