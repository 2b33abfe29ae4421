#include "textfile.h"

#include "errors.h"
#include "messagetext.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace textfile {
namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five bytes it leaves undefined.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int byteFor(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] != 0 && kHigh[i] == u)
            return 0x80 + i;
    return -1;
}

} // namespace

bool canEncode1252(QChar c)
{
    return byteFor(c) >= 0;
}

QString upper1252(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QString capital = c.isSurrogate() ? QString(c) : QString(c).toUpper();
        const bool held = std::all_of(capital.begin(), capital.end(), [](QChar u) { return canEncode1252(u); });
        out += held ? capital : QString(c);
    }
    return out;
}

QByteArray encode1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character outside the code page, one "?"
        int b = byteFor(c);
        // The five bytes the code page leaves undefined are read as the
        // characters of their own numbers: they go back as they came.
        if (b < 0 && c.unicode() >= 0x80 && c.unicode() <= 0x9F && kHigh[c.unicode() - 0x80] == 0)
            b = c.unicode();
        out.append(b >= 0 ? char(b) : '?');
    }
    return out;
}

QString decode1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const unsigned char b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F)
            out.append(kHigh[b - 0x80] ? QChar(kHigh[b - 0x80]) : QChar(b));
        else
            out.append(QChar(b));
    }
    return out;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    QString current;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            lines.append(current);
            current.clear();
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            lines.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SolvaneError(ErrorNumber::FileNotFound,
                           QStringLiteral("Cannot open %1: %2").arg(Message_Path(path), file.errorString()));
    return splitLines(decode1252(file.readAll()));
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw SolvaneError(ErrorNumber::FileWrite,
                           QStringLiteral("Cannot write %1: %2").arg(Message_Path(path), file.errorString()));
}

void writeLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += encode1252(line);
        bytes += "\r\n";
    }
    writeBytes(path, bytes);
}

} // namespace textfile
