#pragma once

#include <QString>

#include <functional>

// Puts what was written on the disk itself, so that a power cut after the
// call cannot take it back. Every original the program deletes once a copy
// holds its bytes (the working files after a job's archive, a moved job's
// files) waits for these. Results are errno values, 0 for success, so the
// user is told the system's own reason ("No space left on device").

// The bytes of the file open on `handle`.
int Sync_File_Handle(int handle);
// The bytes of the file at `path`.
int Sync_File(const QString &path);
// A folder's entries: a file renamed into it, or one removed.
int Sync_Folder(const QString &folder);

// The system's words for an errno value.
QString Disk_Error_Text(int error);

// Tests watch the flushes by path, or fail them as a full disk would: the
// hook is called in place of the disk with the path and whether it names a
// folder, and returns what the disk would. Returns the hook it replaces; an
// empty hook means the disk itself.
using Disk_Sync_Hook = std::function<int(const QString &path, bool folder)>;
Disk_Sync_Hook Set_Disk_Sync_Hook(Disk_Sync_Hook hook);
