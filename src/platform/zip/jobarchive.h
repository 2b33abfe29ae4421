#pragma once

#include <QString>
#include <QStringList>

// The job archive that goes to the laboratory.
//
// Write_Job_Archive(zipPath, files, comment) packs `files` into a new archive
// at `zipPath`:
//  - each member is stored under its bare file name (no folder) in UTF-8,
//    with the UTF-8 flag on every name beyond ASCII (an ASCII name reads the
//    same in every ZIP encoding), and the archive carries `comment`;
//  - an existing `zipPath` is never replaced: the call stops before packing
//    with SolvaneError(kArchiveExists, "<zipPath> already exists"), which the
//    command handler shows as "Error: <zipPath> already exists";
//  - the archive is written under a temporary name beside the target, read
//    back (every member present, its size and CRC those of its source file),
//    and only then renamed to `zipPath`. On any failure the temporary file is
//    removed, `zipPath` does not exist, no source is touched, and
//    SolvaneError says what failed; an archive that failed is never sent.
// Two files with the same bare name (in any case) cannot share an archive and
// are refused, as is an empty list or a missing source file.
void Write_Job_Archive(const QString &zipPath, const QStringList &files, const QString &comment);

// The read-back check on its own: the archive at `zipPath` opens, holds a
// member under the bare name of each of `files`, and each member reads whole
// with the size and CRC of its source. Raises SolvaneError otherwise.
void Verify_Job_Archive(const QString &zipPath, const QStringList &files);

// Error number of "<path> already exists".
inline constexpr int kArchiveExists = 58;
