#include "gifwriter.h"

namespace {

// Codes of 9 bits over an 8-bit palette: 256 clears the table, 257 ends.
constexpr int kMinCodeSize = 8;
constexpr int kClear = 1 << kMinCodeSize;
constexpr int kEnd = kClear + 1;
constexpr int kCodeBits = kMinCodeSize + 1;
// Every code after the first that follows a clear adds a table entry; after
// this many the reader would widen its codes, so a clear comes first.
constexpr int kCodesPerClear = kClear - 2;

void put16(QByteArray &out, int value)
{
    out += char(value & 0xff);
    out += char((value >> 8) & 0xff);
}

class BitWriter
{
public:
    void put(int code)
    {
        m_bits |= quint32(code) << m_count;
        m_count += kCodeBits;
        while (m_count >= 8) {
            bytes += char(m_bits & 0xff);
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    void flush()
    {
        if (m_count > 0)
            bytes += char(m_bits & 0xff);
        m_bits = 0;
        m_count = 0;
    }
    QByteArray bytes;

private:
    quint32 m_bits = 0;
    int m_count = 0;
};

} // namespace

QByteArray Encode_Gif(const QImage &image)
{
    if (image.isNull() || image.width() > 0xffff || image.height() > 0xffff)
        return {};
    const QImage indexed =
        image.format() == QImage::Format_Indexed8
            ? image
            : image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    QList<QRgb> palette = indexed.colorTable();
    palette.resize(256, qRgb(0, 0, 0));

    QByteArray out("GIF89a");
    put16(out, indexed.width());
    put16(out, indexed.height());
    out += char(0xf7); // a global colour table of 256 entries, 8 bits a primary
    out += char(0); // background colour index
    out += char(0); // no aspect ratio
    for (const QRgb c : palette) {
        out += char(qRed(c));
        out += char(qGreen(c));
        out += char(qBlue(c));
    }
    out += char(0x2c); // the image, at the origin, full size, no local table
    put16(out, 0);
    put16(out, 0);
    put16(out, indexed.width());
    put16(out, indexed.height());
    out += char(0);

    BitWriter codes;
    codes.put(kClear);
    int sinceClear = 0;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            if (sinceClear == kCodesPerClear) {
                codes.put(kClear);
                sinceClear = 0;
            }
            codes.put(line[x]);
            ++sinceClear;
        }
    }
    codes.put(kEnd);
    codes.flush();

    out += char(kMinCodeSize);
    for (qsizetype at = 0; at < codes.bytes.size(); at += 255) {
        const QByteArray block = codes.bytes.mid(at, 255);
        out += char(block.size());
        out += block;
    }
    out += char(0); // end of the image data
    out += char(0x3b); // trailer
    return out;
}
