#pragma once

#include <QString>

// A helper program installed in the working folder ("ZIDodur",
// "Veltrane.Exe"), found whatever the case of its name. The file that is
// tested is the file that is started. Empty when no such file exists.
QString Helper_Program_File(const QString &name);

// Where the helper would be started from: the found file, else the name in
// the working folder as it is spelled (so a failed start names it).
QString Helper_Program_Path(const QString &name);
