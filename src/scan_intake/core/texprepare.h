#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The scanners name each scan's photo after themselves ("_L[VRML].jpg");
// once the scan is copied under the client's name, its texture line must
// name the copied photo instead.

// The text after the last "\" or "/" of a path: the whole text without a
// separator, empty when the path ends in one.
QString Get_Path(const QString &pathname);

// The scan with every marked line pointed at `textureName`. A line is marked
// when it holds "[VRML]" (any case) after its first character. A marked url
// line alone (`url "..."`) becomes exactly `url "<textureName>"`; in any
// other marked line only the quoted names holding the marker change, so a
// texture node written on one line stays whole. A marked line without such
// a quoted name is kept. Lines end at CR LF, LF or CR and are written with
// CR LF.
QByteArray Tex_Prepared(QByteArrayView scan, const QByteArray &textureName);

// Rewrites the scan file in place (Tex_Prepared), through a save file: when
// it cannot be read or written, the file stays as it was and SolvaneError
// is raised. `textureName` is a bare file name.
void TexPrepare(const QString &vrmlFileName, const QString &textureName);
