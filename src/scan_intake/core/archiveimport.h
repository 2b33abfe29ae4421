#pragma once

#include <QString>
#include <QStringList>

// The job archive import behind the main window's "UnZip" and the general
// intake window's "Unzip File". GUI-free: its questions go through UI(), its
// progress through Set_Status. No window is created for it.
struct ArchiveImportResult
{
    bool cancelled = false; // no archive chosen, or the replace question cancelled
    QString archive; // the archive that was read
    QStringList extracted; // the files written, as full paths
    QStringList kept; // existing files left as they were (the user said No)
    QStringList skipped; // entry names not extracted, each with its reason
};

// The whole command: asks for the archive in the open dialog "Select a ZIP
// File" (starting in the data root, filter "ZIP File (*.Zip)|*.Zip|All Files
// (*.*)|*.*"), imports it into Job().DataFolder, has the main window's scan
// lists read their folder again and tells the user what was imported.
// Cancelling the dialog changes nothing, not even the status line.
ArchiveImportResult Import_Job_Archive();

// "3 Files were Imported into <folder>:" and their names (title "UnZip").
void Tell_What_Was_Imported(const ArchiveImportResult &result, const QString &folder);

// Imports `zipPath` into Job().DataFolder.
ArchiveImportResult Import_Job_Archive(const QString &zipPath);

// Imports `zipPath` into `folder`:
//  - status "UnPacking Job..." and the path, then "Extracting File...", the
//    entry name and how much of it is written ("Extracting File...Lee_Ann_L.Wrl
//    40%") while the files are written, and "Ready" at the end; the windows
//    keep painting and the wait cursor shows meanwhile;
//  - flat: each regular-file entry lands in `folder` under the last part of
//    its name (split at "/" and "\"); nothing is ever written outside it;
//  - entries with an empty name, ".", "..", folders, links, encrypted
//    entries, a second entry with a name already taken and entries blocked
//    by a folder or link in `folder` are skipped and listed in one message;
//  - files that exist already are replaced only after one question for all
//    of them: Yes replaces, No keeps them and extracts the rest, Cancel
//    extracts nothing;
//  - each file is written through QSaveFile, so a failed entry leaves any
//    older file whole.
// An archive that cannot be read, or an entry that cannot be extracted,
// raises SolvaneError (shown by the command handler as "Error: ..."); files
// extracted before it stay, and the status line keeps its last text.
ArchiveImportResult Import_Job_Archive(const QString &zipPath, const QString &folder);
