#include "texprepare.h"

#include "errors.h"
#include "shellhelpers.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstring>
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

} // namespace

QString Get_Path(const QString &pathname)
{
    return Get_File_Name(pathname);
}

QByteArray Tex_Prepared(const QByteArray &scan, const QByteArray &textureName)
{
    const std::vector<qsizetype> markers = markerPositions(scan);
    auto nextMarker = markers.begin();

    QByteArray out;
    // Lines ending in LF alone grow by one byte each; most scans end theirs in CR LF.
    out.reserve(scan.size() + scan.size() / 32 + 64);
    const char *begin = scan.constData();
    const char *end = begin + scan.size();
    const char *pending = begin; // already in its final form, not yet copied
    for (const char *line = begin; line < end;) {
        const char *lineEnd = line;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
            ++lineEnd;
        const bool crLf = end - lineEnd >= 2 && lineEnd[0] == '\r' && lineEnd[1] == '\n';
        const char *next = lineEnd == end ? end : lineEnd + (crLf ? 2 : 1);

        while (nextMarker != markers.end() && begin + *nextMarker < line)
            ++nextMarker;
        // A marker at the line's first character leaves the line alone.
        const bool marked = nextMarker != markers.end() && begin + *nextMarker < lineEnd && begin + *nextMarker > line;
        if (!marked && crLf) {
            line = next;
            continue;
        }
        out.append(pending, line - pending);
        const QByteArrayView text(line, lineEnd - line);
        if (marked)
            out += rewritten(text, textureName);
        else
            out += text;
        out += "\r\n";
        line = next;
        pending = next;
    }
    out.append(pending, end - pending);
    return out;
}

void TexPrepare(const QString &vrmlFileName, const QString &textureName)
{
    const QString shown = QDir::toNativeSeparators(vrmlFileName);
    QFile in(vrmlFileName);
    if (!in.open(QIODevice::ReadOnly))
        throw SolvaneError(ErrorNumber::FileNotFound,
                           QStringLiteral("Cannot read ") + shown + QStringLiteral(": ") + in.errorString());
    const QByteArray scan = in.readAll();
    in.close();

    const QByteArray prepared = Tex_Prepared(scan, textureName.toUtf8());
    QSaveFile out(vrmlFileName);
    if (!out.open(QIODevice::WriteOnly) || out.write(prepared) != prepared.size() || !out.commit())
        throw SolvaneError(ErrorNumber::FileWrite,
                           QStringLiteral("Cannot write ") + shown + QStringLiteral(": ") + out.errorString());
}
