#include "imagedocument.h"

#include "imagefile.h"
#include "numbers.h"
#include "pixelops.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QSet>

#include <algorithm>

namespace {

constexpr double kInchesPerMetre = 0.0254;

int dotsPerInch(int dotsPerMetre)
{
    return dotsPerMetre > 0 ? num::roundHalfEven(dotsPerMetre * kInchesPerMetre) : 0;
}

} // namespace

ImageDocument::ImageDocument(QObject *parent)
    : QObject(parent)
{}

void ImageDocument::load(const QString &path)
{
    setImage(Load_Image_File(path));
}

void ImageDocument::save(const QString &path) const
{
    Save_Image_File(m_image, path);
}

void ImageDocument::setImage(const QImage &image)
{
    m_image = image;
    m_zoom = 100;
    m_undo.clear();
    m_redo.clear();
    emit changed();
}

int ImageDocument::bitDepth() const
{
    switch (m_image.format()) {
    case QImage::Format_Invalid: return 0;
    case QImage::Format_RGB32:
    case QImage::Format_RGB888:
    case QImage::Format_BGR888: return 24;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: return 1;
    default: return m_image.depth();
    }
}

int ImageDocument::resolutionX() const
{
    return dotsPerInch(m_image.dotsPerMeterX());
}

int ImageDocument::resolutionY() const
{
    return dotsPerInch(m_image.dotsPerMeterY());
}

void ImageDocument::recordUndoStep()
{
    m_undo.push_back({m_image, m_zoom});
    m_redo.clear();
    trimHistory();
}

bool ImageDocument::undo()
{
    return stepBetween(m_undo, m_redo);
}

bool ImageDocument::redo()
{
    return stepBetween(m_redo, m_undo);
}

bool ImageDocument::stepBetween(std::deque<Step> &from, std::deque<Step> &to)
{
    if (from.empty())
        return false;
    to.push_back({m_image, m_zoom});
    Step step = std::move(from.back());
    from.pop_back();
    m_image = std::move(step.image);
    m_zoom = step.zoom;
    emit changed();
    return true;
}

qint64 ImageDocument::historyBytes() const
{
    // Pictures that share their pixels count once; those the present
    // picture shares cost the history nothing.
    QSet<qint64> counted{m_image.cacheKey()};
    qint64 bytes = 0;
    auto count = [&](const std::deque<Step> &steps) {
        for (const Step &step : steps) {
            if (step.image.isNull() || counted.contains(step.image.cacheKey()))
                continue;
            counted.insert(step.image.cacheKey());
            bytes += step.image.sizeInBytes();
        }
    };
    count(m_undo);
    count(m_redo);
    return bytes;
}

void ImageDocument::setHistoryLimit(qint64 bytes)
{
    m_historyLimit = std::max<qint64>(0, bytes);
    trimHistory();
}

void ImageDocument::trimHistory()
{
    while (!m_undo.empty() && historyBytes() > m_historyLimit)
        m_undo.pop_front();
}

void ImageDocument::setZoom(double percent)
{
    if (!(percent > 0))
        return;
    m_zoom = percent;
    emit changed();
}

void ImageDocument::setPenWidth(int pixels)
{
    m_penWidth = std::clamp(pixels, 1, 4);
}

void ImageDocument::replaceImage(QImage image)
{
    m_image = std::move(image);
    // The picture just replaced may have been the only one the history
    // shared; now it is the history's own.
    trimHistory();
    emit changed();
    emit completed();
}

void ImageDocument::scaleBrightness(double factor)
{
    replaceImage(imageops::scaledBrightness(m_image, factor));
}

void ImageDocument::convertToGreyscale()
{
    replaceImage(imageops::greyscale(m_image));
}

void ImageDocument::makeNegative()
{
    replaceImage(imageops::negative(m_image));
}

void ImageDocument::sharpen()
{
    replaceImage(imageops::sharpened(m_image));
}

void ImageDocument::mirror()
{
    replaceImage(imageops::mirrored(m_image));
}

void ImageDocument::repair()
{
    replaceImage(imageops::repaired(m_image));
}

void ImageDocument::redraw()
{
    emit changed();
    emit completed();
}

template <typename Paint>
void ImageDocument::paint(Paint &&paintOn)
{
    // Colour lines on a grey or indexed picture must stay in colour.
    QImage canvas =
        m_image.format() == QImage::Format_RGB32 || m_image.format() == QImage::Format_ARGB32
            ? m_image
            : m_image.convertToFormat(m_image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    {
        QPainter painter(&canvas);
        paintOn(painter);
    }
    replaceImage(std::move(canvas));
}

namespace {

QPen shapePen(const QColor &colour, int width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace

void ImageDocument::drawLine(QPoint from, QPoint to, const QColor &colour)
{
    paint([&](QPainter &painter) {
        painter.setPen(shapePen(colour, m_penWidth));
        painter.drawLine(from, to);
    });
}

void ImageDocument::drawRectangle(QPoint corner, int width, int height, const QColor &colour)
{
    paint([&](QPainter &painter) {
        painter.setPen(shapePen(colour, m_penWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(corner, QSizeF(width, height)).normalized());
    });
}

void ImageDocument::drawEllipse(QPoint corner1, QPoint corner2, const QColor &colour)
{
    paint([&](QPainter &painter) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(shapePen(colour, m_penWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(corner1, corner2).normalized());
    });
}

void ImageDocument::drawText(QPoint at, const QString &text, const QString &family, int size, const QColor &colour)
{
    paint([&](QPainter &painter) {
        QFont font(family);
        font.setPixelSize(std::max(1, qRound(size * 96.0 / 72.0)));
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(at + QPoint(0, QFontMetrics(font).ascent()), text);
    });
}
