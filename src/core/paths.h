#pragma once

#include <QString>

// Every fixed place of the working folder. Internal paths use "/"; only
// records and documents show the Windows form (see Record_Path).
namespace Paths {

// The working folder: $SOLVANE_HOME, else C:/3DEriruvu on Windows and
// $HOME/3DEriruvu elsewhere. No trailing separator.
QString root();

// A fixed file or folder directly in the working folder, by its name as the
// program has always spelled it: file("Solvane.Cfg").
QString file(const QString &name);

QString dataRoot(); // <root>/Data (no trailing separator)
QString dataFolderPrefix(); // <root>/Data/ (the start of every DataFolder)
QString jobsFolder(); // <root>/Jobs/
QString defaultArchiveFolder(); // <root>/Archive/

// The working folder as records show it.
inline constexpr const char *kRecordRoot = "C:\\3DEriruvu\\";

} // namespace Paths

// A path as records, the JSON record and the PDFs carry it: under the working
// folder it becomes "C:\3DEriruvu\..." with "\" separators; any other path is
// written as it is.
QString Record_Path(const QString &path);

// The inverse, for paths read from records: "C:\3DEriruvu\..." (any case)
// maps back under the working folder with "/" separators.
QString From_Record_Path(const QString &recordPath);

// A Windows path from a setting or a fixed program location, as this
// machine uses it: under "C:\3DEriruvu\" it maps as From_Record_Path does;
// any other drive path stays as it is on Windows (with "/" separators) and
// elsewhere becomes the same path under <root>/External/, so
// "C:\Scansoft\Bin\Scansoft.exe" gives <root>/External/Scansoft/Bin/Scansoft.exe.
// A trailing separator is kept; any other path is returned as it is.
QString From_Windows_Path(const QString &windowsPath);

// True for a path that names no file: empty, "None" in any case, or a path
// whose file name is "None". Never a substring test.
bool Is_Absent_Path(const QString &path);

// Relative as the record writers see it: a path holding ":" or "\3DEriruvu"
// counts as absolute even off Windows.
bool Is_Relative_Path(const QString &path);

// Joins a folder and a name with exactly one "/".
QString Join_Path(const QString &folder, const QString &name);

// Finds a file the installation or a Windows program wrote, whatever the
// case of its name: the exact path when it exists, else the one entry of
// the folder whose name matches without regard to case, else empty.
QString Resolve_Path_Nocase(const QString &folder, const QString &name);

// The same for a path: resolves its file name within its folder.
QString Resolve_File_Nocase(const QString &path);

// True when the extension of the path's file name is `ext` (no dot), any case.
bool Has_Extension(const QString &path, const QString &ext);
