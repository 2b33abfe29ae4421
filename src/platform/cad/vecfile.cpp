#include "vecfile.h"

#include "errors.h"
#include "imagefile.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace cad {

namespace {

constexpr int kVersion = 1;
constexpr char kMagic[] = "SOLVANE-VEC";
// The range of a layer's order number in a file.
constexpr int kMaxLayerOrder = 1000000;

// --- Writing --------------------------------------------------------------

class Writer
{
public:
    QByteArray bytes;

    Writer &word(const char *w)
    {
        separate();
        bytes += w;
        return *this;
    }
    Writer &number(double v)
    {
        separate();
        if (!std::isfinite(v))
            v = 0; // a file that reads back beats one that does not
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
        bytes.append(buffer, result.ptr - buffer);
        return *this;
    }
    Writer &integer(int v)
    {
        separate();
        bytes += QByteArray::number(v);
        return *this;
    }
    Writer &flag(bool v) { return integer(v ? 1 : 0); }
    Writer &point(QPointF p) { return number(p.x()).number(p.y()); }
    Writer &text(const QString &s)
    {
        separate();
        bytes += '"';
        for (const char c : s.toUtf8()) {
            switch (c) {
            case '"': bytes += "\\\""; break;
            case '\\': bytes += "\\\\"; break;
            case '\n': bytes += "\\n"; break;
            case '\r': bytes += "\\r"; break;
            case '\t': bytes += "\\t"; break;
            default:
                if (uchar(c) < 0x20 || c == 0x7f) {
                    bytes += "\\x";
                    bytes += QByteArray::number(uchar(c), 16).rightJustified(2, '0');
                } else {
                    bytes += c;
                }
            }
        }
        bytes += '"';
        return *this;
    }
    void end()
    {
        bytes += "\r\n";
        m_lineStart = true;
    }

private:
    void separate()
    {
        if (!m_lineStart)
            bytes += ' ';
        m_lineStart = false;
    }
    bool m_lineStart = true;
};

void writePoints(Writer &w, const QVector<QPointF> &points)
{
    w.integer(int(points.size()));
    for (const QPointF &p : points)
        w.point(p);
}

void writeEntity(Writer &w, const Entity &e, const QString &layerName)
{
    // A colour no file can hold reads back as the layer's.
    const int colour = e.colour >= 0 && e.colour <= kByLayer ? e.colour : kByLayer;
    auto head = [&](const char *keyword) { w.word(keyword).text(layerName).integer(colour); };
    switch (e.kind) {
    case Kind::Line:
        head("LINE");
        w.point(e.points.value(0)).point(e.points.value(1));
        break;
    case Kind::Circle:
        head("CIRCLE");
        w.point(e.anchor()).number(e.radius);
        break;
    case Kind::Ellipse:
        head("ELLIPSE");
        w.point(e.anchor()).number(e.radius).number(e.radiusY).number(e.angle);
        break;
    case Kind::Polyline:
        head("POLYLINE");
        w.flag(e.closed);
        writePoints(w, e.points);
        break;
    case Kind::Spline:
        head("SPLINE");
        w.flag(e.closed);
        writePoints(w, e.points);
        break;
    case Kind::Text:
    case Kind::MultiText:
        head(e.kind == Kind::Text ? "TEXT" : "MTEXT");
        w.point(e.anchor()).number(e.height).number(e.angle).text(e.style).text(e.text);
        break;
    case Kind::Leader:
        head("LEADER");
        w.number(e.arrowSize).number(e.height).text(e.style);
        writePoints(w, e.points);
        w.text(e.text);
        break;
    case Kind::Raster:
        head("RASTER");
        w.point(e.anchor()).number(e.scale).number(e.angle).flag(e.mirrored);
        // A size never measured (-1) is written as none.
        w.integer(std::max(0, e.imageSize.width())).integer(std::max(0, e.imageSize.height())).text(e.imagePath);
        break;
    case Kind::Insert:
        head("INSERT");
        w.text(e.block).point(e.anchor()).number(e.scale).number(e.angle).flag(e.mirrored);
        break;
    }
    w.end();
}

// --- Reading --------------------------------------------------------------

struct BadRecord
{
    QString problem;
};

// One record's fields, taken in order; a field that is missing or of the
// wrong kind stops the whole read.
class Record
{
public:
    explicit Record(QByteArrayView line)
        : m_line(line)
    {}

    // The next bare word, or empty at the end of the line.
    QByteArrayView word()
    {
        skipBlanks();
        const qsizetype start = m_pos;
        while (m_pos < m_line.size() && !isBlank(m_line[m_pos]))
            ++m_pos;
        return m_line.sliced(start, m_pos - start);
    }

    double number()
    {
        const QByteArrayView w = word();
        if (w.isEmpty())
            throw BadRecord{QStringLiteral("a number is missing")};
        double v = 0;
        const auto result = std::from_chars(w.data(), w.data() + w.size(), v);
        if (result.ec != std::errc() || result.ptr != w.data() + w.size() || !std::isfinite(v))
            throw BadRecord{QStringLiteral("\"%1\" is not a number").arg(QString::fromUtf8(w))};
        return v;
    }

    int integer(int low, int high)
    {
        const QByteArrayView w = word();
        if (w.isEmpty())
            throw BadRecord{QStringLiteral("a whole number is missing")};
        int v = 0;
        const auto result = std::from_chars(w.data(), w.data() + w.size(), v);
        if (result.ec != std::errc() || result.ptr != w.data() + w.size())
            throw BadRecord{QStringLiteral("\"%1\" is not a whole number").arg(QString::fromUtf8(w))};
        if (v < low || v > high)
            throw BadRecord{QStringLiteral("%1 is not between %2 and %3").arg(v).arg(low).arg(high)};
        return v;
    }

    bool flag() { return integer(0, 1) == 1; }
    QPointF point()
    {
        const double x = number();
        return {x, number()};
    }

    QVector<QPointF> points()
    {
        // Each point takes at least four characters ("0 0 "), so a count
        // the line cannot hold is refused before anything is allocated.
        const int n = integer(0, int(std::min<qsizetype>(m_line.size() / 4 + 1, 1 << 24)));
        QVector<QPointF> out;
        out.reserve(n);
        for (int i = 0; i < n; ++i)
            out << point();
        return out;
    }

    QString text()
    {
        skipBlanks();
        if (m_pos >= m_line.size() || m_line[m_pos] != '"')
            throw BadRecord{QStringLiteral("a quoted text is missing")};
        ++m_pos;
        QByteArray raw;
        while (true) {
            if (m_pos >= m_line.size())
                throw BadRecord{QStringLiteral("a quoted text is not closed")};
            const char c = m_line[m_pos++];
            if (c == '"')
                break;
            if (c != '\\') {
                raw += c;
                continue;
            }
            if (m_pos >= m_line.size())
                throw BadRecord{QStringLiteral("a quoted text is not closed")};
            const char e = m_line[m_pos++];
            switch (e) {
            case 'n': raw += '\n'; break;
            case 'r': raw += '\r'; break;
            case 't': raw += '\t'; break;
            case '"':
            case '\\': raw += e; break;
            case 'x': {
                bool ok = false;
                const int code = m_pos + 2 <= m_line.size() ? m_line.sliced(m_pos, 2).toByteArray().toInt(&ok, 16) : 0;
                if (!ok)
                    throw BadRecord{QStringLiteral("\\x needs two hexadecimal digits")};
                raw += char(code);
                m_pos += 2;
                break;
            }
            default: throw BadRecord{QStringLiteral("unknown escape \\%1").arg(QChar::fromLatin1(e))};
            }
        }
        return QString::fromUtf8(raw);
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    void skipBlanks()
    {
        while (m_pos < m_line.size() && isBlank(m_line[m_pos]))
            ++m_pos;
    }

    QByteArrayView m_line;
    qsizetype m_pos = 0;
};

class Reader
{
public:
    explicit Reader(const QString &folder)
        : m_folder(folder)
    {}

    Drawing drawing;

    // Returns false at the END record.
    bool take(QByteArrayView line)
    {
        Record r(line);
        const QByteArrayView keyword = r.word();
        if (keyword.isEmpty() || keyword.startsWith('#'))
            return true;
        if (keyword == "END") {
            if (m_block)
                throw BadRecord{QStringLiteral("block \"%1\" has no ENDBLOCK").arg(m_block->name)};
            return false;
        }
        if (keyword == "BLOCK") {
            if (m_block)
                throw BadRecord{QStringLiteral("a block inside block \"%1\"").arg(m_block->name)};
            Block b;
            b.name = r.text();
            b.base = r.point();
            if (b.name.isEmpty())
                throw BadRecord{QStringLiteral("a block without a name")};
            // A second definition could insert the first and so itself,
            // and no file the program writes has one.
            if (drawing.blockId(b.name))
                throw BadRecord{QStringLiteral("block \"%1\" is defined twice").arg(b.name)};
            m_block = std::make_unique<Block>(std::move(b));
        } else if (keyword == "ENDBLOCK") {
            if (!m_block)
                throw BadRecord{QStringLiteral("ENDBLOCK without BLOCK")};
            if (const QString problem = drawing.blockProblem(*m_block); !problem.isEmpty())
                throw BadRecord{problem};
            drawing.defineBlock(*m_block);
            m_block.reset();
        } else if (keyword == "BACKGROUND") {
            const int red = r.integer(0, 255), green = r.integer(0, 255);
            drawing.setBackground(QColor(red, green, r.integer(0, 255)));
        } else if (keyword == "TEXTHEIGHT") {
            drawing.setDefaultTextHeight(r.number());
        } else if (keyword == "LAYER") {
            Layer l;
            l.name = r.text();
            l.colour = r.integer(0, 255);
            l.order = r.integer(-kMaxLayerOrder, kMaxLayerOrder);
            l.visible = r.flag();
            l.locked = r.flag();
            // A layer of no name is none: an entity naming no layer goes on
            // the current one.
            if (Layer *layer = drawing.modifyLayer(drawing.addLayer(l.name)))
                *layer = l;
        } else if (keyword == "CURRENTLAYER") {
            drawing.setCurrentLayer(drawing.addLayer(r.text()));
        } else if (keyword == "TEXTSTYLE") {
            TextStyle t;
            t.name = r.text();
            t.fontFile = r.text();
            t.size = r.number();
            *drawing.modifyTextStyle(drawing.addTextStyle(t.name)) = t;
        } else if (keyword == "DIMSTYLE") {
            DimStyle d;
            d.name = r.text();
            for (double &size : d.sizes)
                size = r.number();
            *drawing.modifyDimStyle(drawing.addDimStyle(d.name)) = d;
        } else if (auto e = entity(keyword, r)) {
            if (m_block)
                m_block->entities << *e;
            else if (!drawing.add(std::move(*e)))
                throw BadRecord{expansionLimitProblem()};
        }
        // Any other record is from a later version of the format: skipped.
        return true;
    }

    void finish()
    {
        if (m_block)
            throw BadRecord{QStringLiteral("block \"%1\" has no ENDBLOCK").arg(m_block->name)};
    }

private:
    std::optional<Entity> entity(QByteArrayView keyword, Record &r)
    {
        static const QHash<QByteArray, Kind> kinds = {{"LINE", Kind::Line},       {"CIRCLE", Kind::Circle},
                                                      {"ELLIPSE", Kind::Ellipse}, {"POLYLINE", Kind::Polyline},
                                                      {"SPLINE", Kind::Spline},   {"TEXT", Kind::Text},
                                                      {"MTEXT", Kind::MultiText}, {"LEADER", Kind::Leader},
                                                      {"RASTER", Kind::Raster},   {"INSERT", Kind::Insert}};
        const auto kind = kinds.constFind(keyword.toByteArray());
        if (kind == kinds.constEnd())
            return std::nullopt;
        Entity e;
        e.kind = *kind;
        const QString layerName = r.text();
        if (!m_block)
            e.layer = layerName.isEmpty() ? drawing.currentLayer() : drawing.addLayer(layerName);
        e.colour = r.integer(0, kByLayer);
        switch (e.kind) {
        case Kind::Line:
            e.points << r.point();
            e.points << r.point();
            break;
        case Kind::Circle:
            e.points << r.point();
            e.radius = r.number();
            break;
        case Kind::Ellipse:
            e.points << r.point();
            e.radius = r.number();
            e.radiusY = r.number();
            e.angle = r.number();
            break;
        case Kind::Polyline:
        case Kind::Spline:
            e.closed = r.flag();
            e.points = r.points();
            break;
        case Kind::Text:
        case Kind::MultiText:
            e.points << r.point();
            e.height = r.number();
            e.angle = r.number();
            e.style = r.text();
            e.text = r.text();
            break;
        case Kind::Leader:
            e.arrowSize = r.number();
            e.height = r.number();
            e.style = r.text();
            e.points = r.points();
            e.text = r.text();
            if (e.points.isEmpty())
                throw BadRecord{QStringLiteral("a leader without points")};
            break;
        case Kind::Raster: {
            e.points << r.point();
            e.scale = r.number();
            e.angle = r.number();
            e.mirrored = r.flag();
            const int width = r.integer(0, std::numeric_limits<int>::max());
            e.imageSize = QSize(width, r.integer(0, std::numeric_limits<int>::max()));
            e.imagePath = r.text();
            loadPixels(e);
            break;
        }
        case Kind::Insert:
            e.block = r.text();
            e.points << r.point();
            e.scale = r.number();
            e.angle = r.number();
            e.mirrored = r.flag();
            if (!drawing.blockId(e.block))
                throw BadRecord{QStringLiteral("no block named \"%1\" is defined before it").arg(e.block)};
            break;
        }
        return e;
    }

    // A photo that cannot be read keeps its place and size and shows as a
    // frame; the drawing itself still opens.
    void loadPixels(Entity &raster) const
    {
        if (raster.imagePath.isEmpty())
            return;
        const QString path = QDir::isRelativePath(raster.imagePath) && !m_folder.isEmpty()
                                 ? QDir(m_folder).filePath(raster.imagePath)
                                 : raster.imagePath;
        try {
            raster.image = Load_Image_File(path);
            raster.imageSize = raster.image.size();
        } catch (const SolvaneError &) {}
    }

    QString m_folder;
    std::unique_ptr<Block> m_block;
};

[[noreturn]] void notADrawing(const QString &name, qsizetype line, const QString &problem)
{
    throw SolvaneError(ErrorNumber::BadFileFormat,
                       QStringLiteral("Cannot open the drawing %1: line %2: %3").arg(name).arg(line).arg(problem));
}

} // namespace

QByteArray vecBytes(const Drawing &drawing)
{
    Writer w;
    w.word(kMagic).integer(kVersion).end();
    const QColor bg = drawing.background();
    w.word("BACKGROUND").integer(bg.red()).integer(bg.green()).integer(bg.blue()).end();
    w.word("TEXTHEIGHT").number(drawing.defaultTextHeight()).end();
    const DrawingData &data = drawing.data();
    for (const Layer &l : data.layers) {
        w.word("LAYER").text(l.name).integer(std::clamp(l.colour, 0, 255));
        w.integer(std::clamp(l.order, -kMaxLayerOrder, kMaxLayerOrder)).flag(l.visible).flag(l.locked).end();
    }
    w.word("CURRENTLAYER").text(drawing.layer(drawing.currentLayer())->name).end();
    for (const TextStyle &t : data.textStyles)
        w.word("TEXTSTYLE").text(t.name).text(t.fontFile).number(t.size).end();
    for (const DimStyle &d : data.dimStyles) {
        w.word("DIMSTYLE").text(d.name);
        for (double size : d.sizes)
            w.number(size);
        w.end();
    }
    // A block replaced since may insert one defined after it: each is
    // written after the blocks it inserts, as the reader needs them.
    for (const int id : drawing.blocksInOrder()) {
        const Block *b = drawing.block(id);
        w.word("BLOCK").text(b->name).point(b->base).end();
        for (const Entity &e : b->entities)
            writeEntity(w, e, QString());
        w.word("ENDBLOCK").end();
    }
    for (const auto &e : data.entities) {
        // An entity whose layer was taken from it reads back on the current layer.
        const Layer *layer = drawing.layer(e->layer);
        writeEntity(w, *e, layer ? layer->name : QString());
    }
    w.word("END").end();
    return w.bytes;
}

Drawing parseVec(const QByteArray &bytes, const QString &name, const QString &folder)
{
    Reader reader(folder);
    qsizetype lineNumber = 0;
    qsizetype pos = 0;
    bool headerSeen = false;
    bool ended = false;
    while (pos < bytes.size() && !ended) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const QByteArrayView line = QByteArrayView(bytes).sliced(pos, end - pos);
        // CR LF, LF or CR ends a line.
        pos = end;
        if (pos < bytes.size())
            pos += bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n' ? 2 : 1;
        ++lineNumber;
        try {
            if (!headerSeen) {
                if (line.trimmed().isEmpty())
                    continue;
                Record r(line);
                if (r.word() != kMagic)
                    throw BadRecord{QStringLiteral("this is not a drawing file")};
                const int version = r.integer(0, 1000000);
                if (version > kVersion)
                    throw BadRecord{
                        QStringLiteral("the drawing was written in format %1, which this program does not know")
                            .arg(version)};
                headerSeen = true;
                continue;
            }
            ended = !reader.take(line);
        } catch (const BadRecord &bad) {
            notADrawing(name, lineNumber, bad.problem);
        }
    }
    if (!headerSeen)
        notADrawing(name, lineNumber, QStringLiteral("this is not a drawing file"));
    if (!ended)
        notADrawing(name, lineNumber, QStringLiteral("the drawing ends before its END record"));
    try {
        reader.finish();
    } catch (const BadRecord &bad) {
        notADrawing(name, lineNumber, bad.problem);
    }
    reader.drawing.clearHistory();
    return std::move(reader.drawing);
}

Drawing readVecFile(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw SolvaneError(ErrorNumber::FileNotFound,
                           QStringLiteral("Cannot open the drawing %1: the file does not exist").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw SolvaneError(ErrorNumber::FileNotFound,
                           QStringLiteral("Cannot open the drawing %1: %2").arg(path, file.errorString()));
    return parseVec(file.readAll(), path, QFileInfo(path).absolutePath());
}

void loadVecFile(Drawing &drawing, const QString &path)
{
    drawing.replaceContent(readVecFile(path));
}

void writeVecFile(const Drawing &drawing, const QString &path)
{
    textfile::writeBytes(path, vecBytes(drawing));
}

} // namespace cad
