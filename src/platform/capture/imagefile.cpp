#include "imagefile.h"

#include "largeimage.h"

#include "errors.h"

#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace {

[[noreturn]] void readFailed(const QString &path, const QString &reason)
{
    throw SolvaneError(ErrorNumber::BadFileFormat, QStringLiteral("Cannot read the image %1: %2").arg(path, reason));
}

[[noreturn]] void writeFailed(const QString &path, const QString &reason)
{
    throw SolvaneError(ErrorNumber::FileWrite, QStringLiteral("Cannot save the image %1: %2").arg(path, reason));
}

// The writer's format name for the file's suffix, or empty when none fits.
QByteArray formatForSuffix(const QString &path)
{
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (suffix == "jpg" || suffix == "jpeg" || suffix == "jpe")
        return "jpeg";
    if (suffix == "tif")
        return "tiff";
    if (!suffix.isEmpty() && QImageWriter::supportedImageFormats().contains(suffix))
        return suffix;
    return {};
}

} // namespace

QImage Load_Image_File(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw SolvaneError(ErrorNumber::FileNotFound,
                           QStringLiteral("Cannot read the image %1: the file does not exist").arg(path));
    QImageReader reader(path);
    reader.setAutoTransform(false);
    reader.setDecideFormatFromContent(true);
    // A photo decodes into a picture made ready for it, so its pixels land
    // in large-page memory; a reader that cannot say its size decodes as usual.
    QImage image;
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    if (size.isValid() && format != QImage::Format_Invalid)
        image = Large_Image(size, format);
    if (!reader.read(&image))
        readFailed(path, reader.errorString());
    return image;
}

void Save_Image_File(const QImage &image, const QString &path)
{
    if (image.isNull())
        writeFailed(path, QStringLiteral("there is no picture to save"));
    const QByteArray format = formatForSuffix(path);
    if (format.isEmpty())
        writeFailed(path,
                    QStringLiteral("no image format is known for the suffix \"%1\"").arg(QFileInfo(path).suffix()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        writeFailed(path, file.errorString());
    QImageWriter writer(&file, format);
    if (format == "jpeg")
        writer.setQuality(kImageJpegQuality);
    if (!writer.write(image))
        writeFailed(path, writer.errorString());
    if (!file.commit())
        writeFailed(path, file.errorString());
}
