#include "photocore.h"

#include "numbers.h"

#include <QStringList>

#include <cmath>

namespace photo {

const QVector<ZoomStep> &Zoom_Steps()
{
    static const QVector<ZoomStep> steps = [] {
        QVector<ZoomStep> out;
        for (short zoom : {150, 100, 75, 50, 25}) {
            const QString percent = QString::number(zoom) + u'%';
            out.append({QStringLiteral("mnuZoom%1").arg(zoom), QStringLiteral("Zoom ") + percent,
                        QStringLiteral("Zoom %1 ....").arg(percent), zoom, percent});
        }
        return out;
    }();
    return steps;
}

std::optional<double> Zoom_Fit_Percent(double pixelHeight, double pixelWidth, float controlHeightTwips,
                                       float controlWidthTwips)
{
    if (!(pixelHeight > 0 && pixelWidth > 0))
        return std::nullopt;
    const double heightRatio = 0.05 * double(controlHeightTwips) / pixelHeight;
    const double widthRatio = 0.05 * double(controlWidthTwips) / pixelWidth;
    return 100.0 * (heightRatio <= widthRatio ? heightRatio : widthRatio);
}

QString Zoom_Text(double percent)
{
    return num::format0_0(percent) + u'%';
}

namespace {
QString whole(double value)
{
    return num::formatFixed(value, 0);
}
} // namespace

QString Information_Text(const ImageFacts &f)
{
    const QStringList lines = {
        QStringLiteral("   Image Information"),
        QString(),
        QStringLiteral("Size: ") + whole(f.width) + QStringLiteral(" x ") + whole(f.height) + QStringLiteral(" pixels"),
        QString(),
        QStringLiteral("Bit Depth: ") + whole(f.bitDepth),
        QString(),
        QStringLiteral("Resolution: ") + whole(f.resolutionX) + QStringLiteral(" x ") + whole(f.resolutionY)
            + QStringLiteral(" dpi"),
        QString(),
        QStringLiteral("Grey Range: from ") + whole(f.greyStart) + QStringLiteral(" to ") + whole(f.greyEnd),
    };
    return lines.join(QStringLiteral("\r\n"));
}

QString Size_Text(double width, double height)
{
    return whole(width) + QStringLiteral(" x ") + whole(height);
}

int Twips_To_Pixel(double twips)
{
    return num::roundHalfEven(double(float(twips / kTwipsPerPixel)));
}

Box Circle_Box(QPoint centre, QPoint onCircle)
{
    // The squares in 64 bits: a click far outside a large picture must not
    // overflow into a negative radius.
    const qint64 dx = qint64(onCircle.x()) - centre.x();
    const qint64 dy = qint64(onCircle.y()) - centre.y();
    const double r = std::sqrt(double(dx * dx + dy * dy));
    return {num::roundHalfEven(centre.x() - r), num::roundHalfEven(centre.y() - r), num::roundHalfEven(centre.x() + r),
            num::roundHalfEven(centre.y() + r)};
}

QColor To_Colour(quint32 rgb)
{
    return QColor(int(rgb & 0xff), int((rgb >> 8) & 0xff), int((rgb >> 16) & 0xff));
}

void SketchClicks::choose(SketchTool tool)
{
    m_tool = tool;
    m_haveFirst = false;
    FirstClickDone = false;
}

void SketchClicks::cancel()
{
    m_tool = SketchTool::None;
    m_haveFirst = false;
}

std::optional<SketchClicks::Finished> SketchClicks::pointerReport(double xTwips, double yTwips)
{
    const QPoint at(Twips_To_Pixel(xTwips), Twips_To_Pixel(yTwips));
    if (!FirstClickDone) {
        FirstPoint = at;
        FirstClickDone = true;
    } else if (!SecondClickDone) {
        SecondPoint = at;
        SecondClickDone = true;
    }

    if (m_tool == SketchTool::None)
        return std::nullopt;
    if (!m_haveFirst) {
        if (!FirstClickDone)
            return std::nullopt;
        m_haveFirst = true;
        if (m_tool != SketchTool::Text) {
            // A two-click tool now waits for a fresh second click.
            SecondClickDone = false;
            return std::nullopt;
        }
    } else if (!SecondClickDone) {
        return std::nullopt;
    }
    const Finished done{m_tool, FirstPoint, SecondPoint};
    cancel();
    return done;
}

} // namespace photo
