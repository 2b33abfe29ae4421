#include "pdffonts.h"

#include <QFontMetricsF>
#include <QImage>
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

QFont Pdf_Font(const QString &name, double points, bool bold)
{
    QFont font(Pdf_Font_Family(name));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

int Pdf_Text_Advance(const QFont &font, const QString &text)
{
    // Measured on a device of the page's resolution (254 dpi: 10000 dots a
    // metre), where the glyph advances are those the page is drawn with.
    static const QImage page = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(10000);
        image.setDotsPerMeterY(10000);
        return image;
    }();
    return qCeil(QFontMetricsF(font, &page).horizontalAdvance(text));
}
