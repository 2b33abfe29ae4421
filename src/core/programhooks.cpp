#include "programhooks.h"

#include "errors.h"

#include <QtGlobal>

namespace {

constexpr int kMissingHook = 91; // an object that was never set

} // namespace

void Missing_Hook(const QString &hook)
{
    const QString description = QStringLiteral("A part of the program is missing: %1.").arg(hook);
    qCritical("%s", qUtf8Printable(description));
    throw SolvaneError(kMissingHook, description);
}
