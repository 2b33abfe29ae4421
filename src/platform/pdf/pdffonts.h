#pragma once

#include <QFont>
#include <QString>

// The documents name the fonts a Windows clinic PC has. Here they are served
// by the metric-compatible Liberation families, so every column keeps the
// width the layout was made for.
QString Pdf_Font_Family(const QString &name);

// A document font as the writers draw it: the served family, no kerning
// (columns must not shift with the letters in them) and no hinting.
QFont Pdf_Font(const QString &name, double points, bool bold);

// The advance of a text in that font on the page, in whole tenths of a
// millimetre, rounded up.
int Pdf_Text_Advance(const QFont &font, const QString &text);

// The height of a font's em in whole tenths of a millimetre: what the
// documents measure their line spacing from (10 points gives 35).
int Pdf_Em_Height(double points);
