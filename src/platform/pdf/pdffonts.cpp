#include "pdffonts.h"

#include <QtMath>

QString Pdf_Font_Family(const QString &name)
{
    if (name.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (name.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (name.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return name;
}

int Pdf_Em_Height(double points)
{
    // One point is 1/72 inch; one unit is a tenth of a millimetre.
    return qRound(points * 254.0 / 72.0);
}
