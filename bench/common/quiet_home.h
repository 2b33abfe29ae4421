#pragma once
// A benchmark's working folder: a fresh SOLVANE_HOME that lives as long as
// this object, messages on the console and the program's waits skipped, so
// a run never stops for a click or a pause.

#include "console_prompter.h"
#include "shellhelpers.h"

#include <QTemporaryDir>

#include <memory>

namespace bench {

struct QuietHome
{
    QuietHome()
    {
        qputenv("SOLVANE_HOME", dir.path().toLocal8Bit());
        Set_Prompter(std::make_shared<ConsolePrompter>());
        Set_Wait_Skipped(true);
    }
    QString path() const { return dir.path(); }
    QString filePath(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

} // namespace bench
