#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files the clinic's other programs and the laboratory read: Windows-1252,
// CR LF. Every reader accepts CR LF, LF or CR.
namespace textfile {

QByteArray encode1252(const QString &text); // unmappable characters become "?"
QString decode1252(const QByteArray &bytes);
bool canEncode1252(QChar c);
// Capitals as far as Windows-1252 holds them: a letter whose capital it
// cannot hold ("ƒ", "µ") stays as it is, so what is saved reads back as the
// same text instead of "?".
QString upper1252(const QString &text);

// Splits on CR LF, LF or CR. A final line end does not add an empty line.
QStringList splitLines(const QString &text);

// Reads the whole file; throws SolvaneError when it cannot be opened.
QStringList readLines(const QString &path);

// Writes the lines, each ended by CR LF, through QSaveFile: on any failure
// the old file stays whole and SolvaneError is thrown.
void writeLines(const QString &path, const QStringList &lines);

// Same for raw bytes.
void writeBytes(const QString &path, const QByteArray &bytes);

} // namespace textfile
