#pragma once

#include <QString>
#include <QStringList>

// The texts of messages, prompts and errors the user reads.

// Messages break their lines with CR LF, as the program has always shown them.
inline constexpr QLatin1String kMessageLineBreak("\r\n");

// The lines of a message joined with CR LF; an empty line gives a blank line:
// Message_Lines({"The Job Could Not Be Sent.", "", reason}).
QString Message_Lines(const QStringList &lines);

// A file or folder as the user finds it on this machine: the working folder's
// real place (never the "C:\3DEriruvu\" of records and documents), with the
// system's own separators.
QString Message_Path(const QString &path);
