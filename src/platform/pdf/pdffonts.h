#pragma once

#include <QString>

// The documents name the fonts a Windows clinic PC has. Here they are served
// by the metric-compatible Liberation families, so every column keeps the
// width the layout was made for.
QString Pdf_Font_Family(const QString &name);

// The height of a font's em in whole tenths of a millimetre: what the
// documents measure their line spacing from (10 points gives 35).
int Pdf_Em_Height(double points);
