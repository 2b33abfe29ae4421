#include "largeimage.h"

#include "largememory.h"

#include <limits>
#include <new>

namespace {

struct Buffer
{
    void *data;
    std::size_t bytes;
};

void releaseBuffer(void *info)
{
    auto *buffer = static_cast<Buffer *>(info);
    largememory::release(buffer->data, buffer->bytes);
    delete buffer;
}

} // namespace

QImage Large_Image(QSize size, QImage::Format format)
{
    if (size.isEmpty() || format == QImage::Format_Invalid)
        return QImage(size, format);
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    // Qt's own row alignment: whole 32-bit words.
    const qsizetype bytesPerLine = (qsizetype(size.width()) * depth + 31) / 32 * 4;
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(size.height());
    if (bytes < largememory::kLargeBuffer || bytesPerLine > std::numeric_limits<int>::max())
        return QImage(size, format);
    void *data = nullptr;
    try {
        data = largememory::allocate(bytes);
    } catch (const std::bad_alloc &) {
        return QImage(); // a null picture, as QImage itself gives when memory runs out
    }
    auto *buffer = new (std::nothrow) Buffer{data, bytes};
    if (!buffer) {
        largememory::release(data, bytes);
        return QImage();
    }
    QImage image(static_cast<uchar *>(buffer->data), size.width(), size.height(), bytesPerLine, format, releaseBuffer,
                 buffer);
    if (image.isNull())
        releaseBuffer(buffer);
    return image;
}
