#include "texprepare.h"

#include "errors.h"
#include "shellhelpers.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr char kMarker[] = "[vrml]";
constexpr qsizetype kMarkerSize = sizeof kMarker - 1;

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool markerAt(const char *p)
{
    for (qsizetype i = 0; i < kMarkerSize; ++i)
        if (lower(p[i]) != kMarker[i])
            return false;
    return true;
}

// Where the marker starts, any case, each place once. A scan holds few "["
// (one per field list), so looking for them is quick even in a large file.
std::vector<qsizetype> markerPositions(QByteArrayView text)
{
    std::vector<qsizetype> found;
    const char *begin = text.data();
    const char *end = begin + text.size();
    for (const char *p = begin; end - p >= kMarkerSize;) {
        p = static_cast<const char *>(std::memchr(p, '[', size_t(end - p - kMarkerSize + 1)));
        if (!p)
            break;
        if (markerAt(p))
            found.push_back(p - begin);
        ++p;
    }
    return found;
}

bool holdsMarker(QByteArrayView text)
{
    return !markerPositions(text).empty();
}

bool isBlank(char c)
{
    // VRML counts the comma as white space.
    return c == ' ' || c == '\t' || c == ',';
}

QByteArrayView trimmedView(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// The end of the quoted string that opens at `open` (a '"'), skipping "\"
// escapes; -1 when the line ends first.
qsizetype closingQuote(QByteArrayView line, qsizetype open)
{
    for (qsizetype i = open + 1; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == '"')
            return i;
    }
    return -1;
}

// `url "..."` and nothing else on the line.
bool isUrlLineAlone(QByteArrayView line)
{
    const QByteArrayView text = trimmedView(line);
    if (!text.startsWith("url") || text.size() < 4 || !isBlank(text[3]))
        return false;
    const QByteArrayView value = trimmedView(text.sliced(3));
    return value.size() >= 2 && value.front() == '"' && closingQuote(value, 0) == value.size() - 1;
}

QByteArray quoted(const QByteArray &name)
{
    QByteArray out("\"");
    for (const char c : name) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// A marked line pointed at the texture.
QByteArray rewritten(QByteArrayView line, const QByteArray &name)
{
    if (isUrlLineAlone(line))
        return "url " + quoted(name);
    QByteArray out;
    qsizetype from = 0;
    for (qsizetype open = line.indexOf('"'); open >= 0; open = line.indexOf('"', from)) {
        const qsizetype close = closingQuote(line, open);
        if (close < 0)
            break;
        out += line.sliced(from, open - from);
        const QByteArrayView contents = line.sliced(open + 1, close - open - 1);
        out += holdsMarker(contents) ? quoted(name) : line.sliced(open, close - open + 1).toByteArray();
        from = close + 1;
    }
    out += line.sliced(from);
    return out;
}

// The prepared scan, handed to `put` piece by piece in order.
template <class Put>
void prepare(QByteArrayView scan, const QByteArray &textureName, Put &&put)
{
    const std::vector<qsizetype> markers = markerPositions(scan);
    auto nextMarker = markers.begin();
    const char *begin = scan.data();
    const char *end = begin + scan.size();

    // The next CR and the next LF, each looked for again only once passed,
    // so most of the scan is searched at memchr's pace.
    auto find = [end](const char *from, char c) {
        // An empty scan has no data pointer, and memchr may not be given one.
        if (from >= end)
            return end;
        const void *found = std::memchr(from, c, size_t(end - from));
        return found ? static_cast<const char *>(found) : end;
    };
    const char *nextCr = find(begin, '\r');
    const char *nextLf = find(begin, '\n');

    const char *pending = begin; // already in its final form, not yet handed on
    for (const char *line = begin; line < end;) {
        if (nextCr < line)
            nextCr = find(line, '\r');
        if (nextLf < line)
            nextLf = find(line, '\n');
        const char *lineEnd = std::min(nextCr, nextLf);
        const bool crLf = lineEnd == nextCr && lineEnd + 1 < end && nextLf == lineEnd + 1;
        const char *next = lineEnd == end ? end : lineEnd + (crLf ? 2 : 1);

        while (nextMarker != markers.end() && begin + *nextMarker < line)
            ++nextMarker;
        // A marker at the line's first character leaves the line alone.
        const bool marked = nextMarker != markers.end() && begin + *nextMarker < lineEnd && begin + *nextMarker > line;
        if (!marked && crLf) {
            line = next;
            continue;
        }
        put(pending, line - pending);
        if (marked) {
            const QByteArray changed = rewritten(QByteArrayView(line, lineEnd - line), textureName);
            put(changed.constData(), changed.size());
        } else {
            put(line, lineEnd - line);
        }
        put("\r\n", 2);
        line = next;
        pending = next;
    }
    put(pending, end - pending);
}

// Gathers small pieces into one reused buffer and writes large ones
// straight through, so a large scan needs no second copy of itself in
// memory (fresh memory costs more than the bytes on some machines).
class ChunkedWriter
{
public:
    explicit ChunkedWriter(QIODevice &device)
        : m_device(device),
          m_buffer(new char[kChunk])
    {}

    void put(const char *data, qsizetype size)
    {
        // An empty scan hands on nothing, from no memory at all.
        if (size <= 0)
            return;
        if (m_used + size > kChunk)
            flush();
        if (size >= kChunk) {
            write(data, size);
            return;
        }
        std::memcpy(m_buffer.get() + m_used, data, size_t(size));
        m_used += size;
    }

    // False when a write failed.
    bool flush()
    {
        write(m_buffer.get(), m_used);
        m_used = 0;
        return m_ok;
    }

private:
    static constexpr qsizetype kChunk = 1 << 20;

    void write(const char *data, qsizetype size)
    {
        if (m_ok && size > 0)
            m_ok = m_device.write(data, size) == size;
    }

    QIODevice &m_device;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_used = 0;
    bool m_ok = true;
};

} // namespace

QString Get_Path(const QString &pathname)
{
    return Get_File_Name(pathname);
}

QByteArray Tex_Prepared(QByteArrayView scan, const QByteArray &textureName)
{
    QByteArray out;
    out.reserve(scan.size() + scan.size() / 8 + 64);
    prepare(scan, textureName, [&out](const char *data, qsizetype size) { out.append(data, size); });
    return out;
}

void TexPrepare(const QString &vrmlFileName, const QString &textureName)
{
    const QString shown = QDir::toNativeSeparators(vrmlFileName);
    QFile in(vrmlFileName);
    if (!in.open(QIODevice::ReadOnly))
        throw SolvaneError(ErrorNumber::FileNotFound,
                           QStringLiteral("Cannot read ") + shown + QStringLiteral(": ") + in.errorString());
    // Read in place where the file can be mapped; the scans are large.
    QByteArray read;
    QByteArrayView scan;
    if (const uchar *mapped = in.size() > 0 ? in.map(0, in.size()) : nullptr) {
        scan = QByteArrayView(mapped, in.size());
    } else {
        read = in.readAll();
        scan = read;
    }
    QSaveFile out(vrmlFileName);
    bool written = out.open(QIODevice::WriteOnly);
    if (written) {
        ChunkedWriter writer(out);
        prepare(scan, textureName.toUtf8(), [&writer](const char *data, qsizetype size) { writer.put(data, size); });
        written = writer.flush();
    }
    in.close();
    if (!written || !out.commit())
        throw SolvaneError(ErrorNumber::FileWrite,
                           QStringLiteral("Cannot write ") + shown + QStringLiteral(": ") + out.errorString());
}
