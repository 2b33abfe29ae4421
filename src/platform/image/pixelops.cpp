#include "pixelops.h"

#include "errors.h"
#include "largeimage.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <thread>
#include <vector>

namespace imageops {

namespace {

// Where the alpha byte of a 32-bit pixel lies in memory.
constexpr int kAlphaByte = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 3 : 0;

constexpr int kOutOfMemory = 7;

// A 12-megapixel photo is worked on in bands, one a core: small pictures
// are not worth the threads.
void forRowBands(const QImage &image, const std::function<void(int, int)> &work)
{
    const int rows = image.height();
    const qint64 pixels = qint64(image.width()) * rows;
    const int threads = pixels < (1 << 18) ? 1 : std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    const int band = (rows + threads - 1) / threads;
    std::vector<std::jthread> helpers;
    for (int first = band; first < rows; first += band)
        helpers.emplace_back(work, first, std::min(rows, first + band));
    work(0, std::min(rows, band));
}

// A new picture of the same size, format and resolution, not filled.
QImage blankLike(const QImage &source)
{
    QImage out = Large_Image(source.size(), source.format());
    if (out.isNull())
        throw SolvaneError(kOutOfMemory, QStringLiteral("There is not enough memory for a picture of %1 x %2 pixels.")
                                             .arg(source.width())
                                             .arg(source.height()));
    out.setDotsPerMeterX(source.dotsPerMeterX());
    out.setDotsPerMeterY(source.dotsPerMeterY());
    return out;
}

// Row pointers are taken once, before the bands start: QImage::scanLine()
// counts detaches in the shared image data and must not run on two threads.
struct Rows
{
    const uchar *src;
    uchar *dst;
    qsizetype srcStride, dstStride;
    int width, height, bytesPerPixel;

    Rows(const QImage &source, QImage &target)
        : src(source.constBits()),
          dst(target.bits()),
          srcStride(source.bytesPerLine()),
          dstStride(target.bytesPerLine()),
          width(source.width()),
          height(source.height()),
          bytesPerPixel(source.depth() / 8)
    {}
    const uchar *in(int y) const { return src + y * srcStride; }
    uchar *out(int y) const { return dst + y * dstStride; }
    const uchar *inClamped(int y) const { return in(std::clamp(y, 0, height - 1)); }
    int rowBytes() const { return width * bytesPerPixel; }
};

// Puts the alpha bytes of the source row back after a filter that ran over
// every byte.
void keepAlpha(const Rows &rows, int y)
{
    if (rows.bytesPerPixel != 4)
        return;
    const uchar *s = rows.in(y);
    uchar *d = rows.out(y);
    for (int x = 0; x < rows.width; ++x)
        d[4 * x + kAlphaByte] = s[4 * x + kAlphaByte];
}

QImage mapChannels(const QImage &image, const std::array<uchar, 256> &table)
{
    const QImage src = workingFormat(image);
    QImage out = blankLike(src);
    const Rows rows(src, out);
    forRowBands(src, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const uchar *s = rows.in(y);
            uchar *d = rows.out(y);
            const int n = rows.rowBytes();
            for (int i = 0; i < n; ++i)
                d[i] = table[s[i]];
            keepAlpha(rows, y);
        }
    });
    return out;
}

inline uchar clampByte(int v)
{
    return uchar(std::clamp(v, 0, 255));
}

inline void sort2(uchar &a, uchar &b)
{
    const uchar lo = std::min(a, b);
    b = std::max(a, b);
    a = lo;
}

// The median of nine by the usual exchange network (19 exchanges).
inline uchar median9(uchar p0, uchar p1, uchar p2, uchar p3, uchar p4, uchar p5, uchar p6, uchar p7, uchar p8)
{
    sort2(p1, p2), sort2(p4, p5), sort2(p7, p8), sort2(p0, p1), sort2(p3, p4), sort2(p6, p7);
    sort2(p1, p2), sort2(p4, p5), sort2(p7, p8), sort2(p0, p3), sort2(p5, p8), sort2(p4, p7);
    sort2(p3, p6), sort2(p1, p4), sort2(p2, p5), sort2(p4, p7), sort2(p4, p2), sort2(p6, p4);
    sort2(p4, p2);
    return p4;
}

// Runs a 3 x 3 filter over every byte: f(up, mid, down, left, right offsets).
// The inner bytes of a row take their neighbours one pixel away; the first
// and last pixel repeat themselves for the neighbour that is missing.
template <typename Filter>
QImage neighbourhoodFilter(const QImage &image, Filter filter)
{
    const QImage src = workingFormat(image);
    QImage out = blankLike(src);
    const Rows rows(src, out);
    const int bpp = rows.bytesPerPixel;
    forRowBands(src, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const uchar *up = rows.inClamped(y - 1);
            const uchar *mid = rows.in(y);
            const uchar *down = rows.inClamped(y + 1);
            uchar *d = rows.out(y);
            const int n = rows.rowBytes();
            auto atBorder = [&](int i) {
                d[i] = filter(up, mid, down, i, i >= bpp ? i - bpp : i, i + bpp < n ? i + bpp : i);
            };
            const int head = std::min(bpp, n);
            for (int i = 0; i < head; ++i)
                atBorder(i);
            for (int i = head; i < n - bpp; ++i)
                d[i] = filter(up, mid, down, i, i - bpp, i + bpp);
            for (int i = std::max(head, n - bpp); i < n; ++i)
                atBorder(i);
            keepAlpha(rows, y);
        }
    });
    return out;
}

} // namespace

QImage workingFormat(const QImage &image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_Grayscale8: return image;
    case QImage::Format_Invalid:
        throw SolvaneError(ErrorNumber::BadFileFormat, QStringLiteral("There is no picture to work on."));
    default: return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    }
}

QImage scaledBrightness(const QImage &image, double factor)
{
    if (!std::isfinite(factor))
        factor = 1.0;
    std::array<uchar, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[v] = clampByte(int(std::lround(std::min(v * factor, 1024.0))));
    return mapChannels(image, table);
}

QImage negative(const QImage &image)
{
    std::array<uchar, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[v] = uchar(255 - v);
    return mapChannels(image, table);
}

QImage greyscale(const QImage &image)
{
    const QImage src = workingFormat(image);
    if (src.format() == QImage::Format_Grayscale8)
        return src;
    QImage out = blankLike(src);
    const Rows rows(src, out);
    forRowBands(src, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const QRgb *s = reinterpret_cast<const QRgb *>(rows.in(y));
            QRgb *d = reinterpret_cast<QRgb *>(rows.out(y));
            for (int x = 0; x < rows.width; ++x) {
                const int g = qGray(s[x]);
                d[x] = qRgba(g, g, g, qAlpha(s[x]));
            }
        }
    });
    return out;
}

QImage sharpened(const QImage &image)
{
    return neighbourhoodFilter(image,
                               [](const uchar *up, const uchar *mid, const uchar *down, int i, int left, int right) {
                                   return clampByte(5 * mid[i] - up[i] - down[i] - mid[left] - mid[right]);
                               });
}

QImage mirrored(const QImage &image)
{
    // In bands like the other adjustments: a single-threaded mirror of a
    // 12-megapixel photo takes longer than a user should wait.
    const QImage src = workingFormat(image);
    QImage out = blankLike(src);
    const Rows rows(src, out);
    forRowBands(src, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            if (rows.bytesPerPixel == 4)
                std::reverse_copy(reinterpret_cast<const quint32 *>(rows.in(y)),
                                  reinterpret_cast<const quint32 *>(rows.in(y)) + rows.width,
                                  reinterpret_cast<quint32 *>(rows.out(y)));
            else
                std::reverse_copy(rows.in(y), rows.in(y) + rows.width, rows.out(y));
        }
    });
    return out;
}

QImage repaired(const QImage &image)
{
    return neighbourhoodFilter(
        image, [](const uchar *up, const uchar *mid, const uchar *down, int i, int left, int right) {
            return median9(up[left], up[i], up[right], mid[left], mid[i], mid[right], down[left], down[i], down[right]);
        });
}

} // namespace imageops
