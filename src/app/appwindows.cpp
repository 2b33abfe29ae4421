#include "appwindows.h"

#include "promptdialogs.h"
#include "windowregistry.h"

void Register_Shell_Windows()
{
    for (const auto kind : {PromptDialog::Kind::Numeric, PromptDialog::Kind::Text}) {
        Windows().registerFactory(PromptDialog::nameFor(kind), [kind]() -> QWidget * {
            // Shown without an owner, as the prompts always were; the
            // registry owns it.
            return new PromptDialog(kind);
        });
    }
}
