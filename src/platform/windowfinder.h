#pragma once

#include <QString>

class QWidget;

// What Find_Window found: one of our own top-level windows, or a running
// process (a companion program shows its windows from another process).
struct FoundWindow
{
    QWidget *widget = nullptr;
    qint64 processId = 0;
};

// Looks at the program's own top-level windows (hidden ones too) for a title
// holding `text` (case-sensitive), then at running processes whose name or
// command line holds it. `found` is left unchanged when nothing matches.
bool Find_Window(FoundWindow &found, const QString &text);
