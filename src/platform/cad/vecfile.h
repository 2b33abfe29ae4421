#pragma once

#include "drawing.h"

#include <QByteArray>
#include <QString>

// ".Vec", the program's own drawing file (VEC_FORMAT.md): UTF-8 text, one
// record per line, numbers in the C locale, layers by name.
namespace cad {

// The file's bytes for the drawing. The same drawing always gives the same
// bytes, and reading them back gives a drawing that writes the same bytes.
QByteArray vecBytes(const Drawing &drawing);

// Reads a drawing from its bytes. Raster files named by a relative path are
// looked for in `folder`. Raises SolvaneError naming `name` and the line
// when a record has a bad number or a missing field, or the text is no
// drawing.
Drawing parseVec(const QByteArray &bytes, const QString &name, const QString &folder);

// Reads the file; raises SolvaneError when it is missing, unreadable or no
// drawing.
Drawing readVecFile(const QString &path);

// Replaces the drawing's content with the file's; the drawing stays as it
// was when the file cannot be read whole. Its undo history is kept, so a
// caller that checkpoints first can undo the load.
void loadVecFile(Drawing &drawing, const QString &path);

// Writes the drawing through QSaveFile: a failure leaves the old file whole
// and raises SolvaneError.
void writeVecFile(const Drawing &drawing, const QString &path);

} // namespace cad
