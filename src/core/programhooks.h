#pragma once

#include <QString>

// The hooks through which one part of the program calls another are
// installed when the parts are joined at start-up. Reaching one that nobody
// installed is a fault of the program, never of what the user did: it is
// logged as critical and raised as a SolvaneError, so the command's handler
// shows "Error: ..." and a test that reaches it sees the failure.
// `hook` names what is missing: "the soft job commands".
[[noreturn]] void Missing_Hook(const QString &hook);

// Missing_Hook(hook) unless `installed`.
inline void Require_Hook(bool installed, const QString &hook)
{
    if (!installed)
        Missing_Hook(hook);
}
