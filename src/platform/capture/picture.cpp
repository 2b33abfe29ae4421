#include "picture.h"

#include "errors.h"
#include "prompter.h"

#include <QImageWriter>
#include <QPageLayout>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QSaveFile>
#include <QWidget>

namespace {

// The status numbers the image library of the original platform reported;
// the clinic's support notes quote them.
constexpr int kStatusInvalidParameter = 2;
constexpr int kStatusWin32Error = 7;
constexpr int kStatusUnknownImageFormat = 13;

[[noreturn]] void saveFailed(int status)
{
    throw SolvaneError(kSaveJpegError, QStringLiteral("Cannot save the image. GDI+ Error:") + QString::number(status));
}

} // namespace

Picture Create_Picture(const QPixmap &bitmap)
{
    QImage image = bitmap.toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    return image;
}

Picture Capture_Window(QWidget *window, bool clientArea, int left, int top, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    Picture picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    if (!window)
        return picture;

    // Our own widgets paint only the inner area: move the requested corner
    // into inner coordinates when it was measured from the frame.
    QPoint corner(left, top);
    if (!clientArea && window->isWindow())
        corner -= window->geometry().topLeft() - window->frameGeometry().topLeft();

    const QRect wanted(corner, QSize(width, height));
    const QRect available = wanted.intersected(window->rect());
    if (available.isEmpty())
        return picture;
    const QPixmap grabbed = window->grab(available);
    const QImage content =
        Create_Picture(grabbed).scaled(available.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&picture);
    painter.drawImage(available.topLeft() - corner, content);
    return picture;
}

Picture Capture_Form(QWidget *form)
{
    if (!form)
        return {};
    return Capture_Window(form, true, 0, 0, form->width(), form->height());
}

bool Print_Picture_Dialog(QPrinter &printer, QPainter &painter, const Picture &picture)
{
    printer.setCopyCount(1);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!UI().printDialog(printer))
        return false;
    if (picture.isNull() || picture.height() == 0)
        return false;

    printer.setPageOrientation(picture.height() >= picture.width() ? QPageLayout::Portrait : QPageLayout::Landscape);
    if (!painter.isActive() && !painter.begin(&printer))
        return false;

    // In device units of the printable area, whose corner is the painter's origin.
    const QRectF printable = printer.pageLayout().paintRectPixels(printer.resolution());
    const double pictureRatio = double(picture.width()) / picture.height();
    const double printerRatio = printable.width() / printable.height();
    QSizeF printed;
    if (pictureRatio >= printerRatio)
        printed = QSizeF(printable.width(), printable.width() / pictureRatio);
    else
        printed = QSizeF(printable.height() * pictureRatio, printable.height());
    painter.drawImage(QRectF(QPointF(0, 0), printed), picture);
    return true;
}

void Save_JPEG(const Picture &picture, const QString &path, int quality)
{
    if (picture.isNull())
        saveFailed(kStatusInvalidParameter);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        saveFailed(kStatusWin32Error);
    QImageWriter writer(&file, "jpeg");
    if (!writer.canWrite())
        saveFailed(kStatusUnknownImageFormat);
    writer.setQuality(std::clamp(quality, 0, 100));
    if (!writer.write(picture))
        saveFailed(writer.error() == QImageWriter::DeviceError ? kStatusWin32Error : kStatusUnknownImageFormat);
    if (!file.commit())
        saveFailed(kStatusWin32Error);
}
