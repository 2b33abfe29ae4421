#include "drawing.h"

#include "errors.h"
#include "imagefile.h"
#include "vecfile.h"

#include <QFileInfo>
#include <QtMath>

#include <algorithm>

namespace cad {

namespace {

// The box of everything added, degenerate boxes (a point, a level line)
// included.
struct Box
{
    bool set = false;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    void add(QPointF p)
    {
        if (!set) {
            x0 = x1 = p.x();
            y0 = y1 = p.y();
            set = true;
            return;
        }
        x0 = std::min(x0, p.x());
        x1 = std::max(x1, p.x());
        y0 = std::min(y0, p.y());
        y1 = std::max(y1, p.y());
    }
    void add(const QVector<QPointF> &points)
    {
        for (const QPointF &p : points)
            add(p);
    }
    void add(const Box &other)
    {
        if (other.set) {
            add(QPointF(other.x0, other.y0));
            add(QPointF(other.x1, other.y1));
        }
    }
    void add(const std::optional<QRectF> &rect)
    {
        if (rect) {
            add(rect->topLeft());
            add(rect->bottomRight());
        }
    }
    QRectF rect() const { return set ? QRectF(QPointF(x0, y0), QPointF(x1, y1)) : QRectF(); }
    std::optional<QRectF> bounds() const { return set ? std::optional<QRectF>(rect()) : std::nullopt; }
};

// Whether the box of anything placed by `t` is the placed box: a move and
// a scale above 0, without a turn or a mirror. Texts are kept readable under
// a mirror and a leader's label stays level under a turn, so their boxes do
// not follow those; a raster keeps its size at a scale of 0.
bool keepsBoxes(const Similarity &t)
{
    return !t.mirrored && t.scale > 0 && std::fmod(t.angle, 360.0) == 0;
}

std::optional<QRectF> placed(const std::optional<QRectF> &box, const Similarity &t)
{
    if (!box)
        return std::nullopt;
    Box out;
    for (const QPointF corner : {box->topLeft(), box->topRight(), box->bottomLeft(), box->bottomRight()})
        out.add(t.map(corner));
    return out.bounds();
}

QPointF along(double degrees, double length)
{
    const double r = qDegreesToRadians(degrees);
    return {std::cos(r) * length, std::sin(r) * length};
}

// Corners of a text's box, its lines measured without a font.
QVector<QPointF> textCorners(const Entity &text)
{
    QVector<QPointF> corners;
    const QStringList lines = textLines(text);
    const QVector<QPointF> baselines = textBaselines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double width = kCharWidth * text.height * double(lines[i].size());
        const QPointF right = along(text.angle, width);
        const QPointF up = along(text.angle + 90, text.height);
        const QPointF start = baselines[i];
        corners << start - up * kDescent << start + up * kAscent << start + right - up * kDescent
                << start + right + up * kAscent;
    }
    return corners;
}

QVector<QPointF> rasterCorners(const Entity &raster)
{
    if (raster.scale <= 0)
        return {raster.anchor()};
    const QPointF x = along(raster.angle, raster.imageSize.width() / raster.scale);
    const QPointF up = along(raster.angle + (raster.mirrored ? -90 : 90), raster.imageSize.height() / raster.scale);
    const QPointF c = raster.anchor();
    return {c, c + x, c + up, c + x + up};
}

// The box of an entity of any kind but an insert.
Box shapeBox(const Entity &e)
{
    Box box;
    switch (e.kind) {
    case Kind::Line:
    case Kind::Polyline: box.add(e.points); break;
    case Kind::Spline: box.add(splineCurve(e.points, e.closed)); break;
    case Kind::Leader:
        box.add(e.points);
        if (!e.text.isEmpty() && !e.points.isEmpty())
            box.add(textCorners(leaderLabel(e)));
        break;
    case Kind::Circle:
        box.add(e.anchor() - QPointF(e.radius, e.radius));
        box.add(e.anchor() + QPointF(e.radius, e.radius));
        break;
    case Kind::Ellipse: {
        const double r = qDegreesToRadians(e.angle);
        const QPointF half(std::hypot(e.radius * std::cos(r), e.radiusY * std::sin(r)),
                           std::hypot(e.radius * std::sin(r), e.radiusY * std::cos(r)));
        box.add(e.anchor() - half);
        box.add(e.anchor() + half);
        break;
    }
    case Kind::Text:
    case Kind::MultiText: box.add(textCorners(e)); break;
    case Kind::Raster: box.add(rasterCorners(e)); break;
    case Kind::Insert: break;
    }
    return box;
}

// Layers, styles and blocks are tables found by name in any case; an id is
// the index + 1, and 0 means none.
template <typename T>
const QString &nameOf(const T &item)
{
    return item.name;
}

template <typename T>
const QString &nameOf(const std::shared_ptr<const T> &item)
{
    return item->name;
}

template <typename Table>
int idByName(const Table &table, const QString &name)
{
    for (qsizetype i = 0; i < table.size(); ++i)
        if (nameOf(table[i]).compare(name, Qt::CaseInsensitive) == 0)
            return int(i + 1);
    return 0;
}

// The item of that id; const for a const table, so looking never detaches a
// table shared with an undo step.
template <typename Table>
auto itemById(Table &table, int id)
{
    return id >= 1 && id <= table.size() ? &table[id - 1] : nullptr;
}

// The id of the item of that name, made with `make` when there is none.
template <typename Table, typename Make>
int addByName(Table &table, const QString &name, Make make)
{
    if (const int id = idByName(table, name))
        return id;
    table.append(make());
    return int(table.size());
}

qint64 saturated(qint64 count)
{
    return std::min(count, kMaxExpandedEntities + 1);
}

} // namespace

QString expansionLimitProblem()
{
    return QStringLiteral("the drawing's inserts would expand to more than %1 entities").arg(kMaxExpandedEntities);
}

Drawing::Drawing()
{
    m_data.layers.append(Layer{QStringLiteral("0"), 7, 0, true, false});
    m_data.textStyles.append(TextStyle{QStringLiteral("Standard"), QStringLiteral("Simplex.Vcf"), 0});
    m_data.dimStyles.append(DimStyle{QStringLiteral("Standard"), kDefaultDimSizes});
}

// --- Entities -----------------------------------------------------------

Handle Drawing::store(Entity entity)
{
    entity.handle = m_data.nextHandle++;
    if (m_expanded >= 0)
        m_expanded = saturated(m_expanded + expansionOf(entity));
    m_data.entities.push_back(std::make_shared<Entity>(std::move(entity)));
    return m_data.entities.back()->handle;
}

Handle Drawing::add(Entity entity)
{
    if (!layer(entity.layer))
        entity.layer = m_data.currentLayer;
    if (entity.kind == Kind::Insert && (blockId(entity.block) == 0 || !fitsExpansion(entity)))
        return 0;
    // Nothing could show, measure or pick it.
    if (entity.kind == Kind::Leader && entity.points.isEmpty())
        return 0;
    return store(std::move(entity));
}

bool Drawing::fitsExpansion(const Entity &entity) const
{
    return expandedCount() + expansionOf(entity) <= kMaxExpandedEntities;
}

Handle Drawing::addLine(QPointF start, QPointF end)
{
    Entity e;
    e.kind = Kind::Line;
    e.points = {start, end};
    return add(std::move(e));
}

Handle Drawing::addCircle(QPointF centre, double radius)
{
    Entity e;
    e.kind = Kind::Circle;
    e.points = {centre};
    e.radius = radius;
    return add(std::move(e));
}

Handle Drawing::addEllipse(QPointF centre, double radius, double radiusY, double angle)
{
    Entity e;
    e.kind = Kind::Ellipse;
    e.points = {centre};
    e.radius = radius;
    e.radiusY = radiusY;
    e.angle = angle;
    return add(std::move(e));
}

Handle Drawing::addPolyline(const QVector<QPointF> &points, bool closed)
{
    Entity e;
    e.kind = Kind::Polyline;
    e.points = points;
    e.closed = closed;
    return add(std::move(e));
}

Handle Drawing::addSpline(const QVector<QPointF> &points, bool closed)
{
    Entity e;
    e.kind = Kind::Spline;
    e.points = points;
    e.closed = closed;
    return add(std::move(e));
}

Handle Drawing::addText(QPointF baselineStart, const QString &text, double angle)
{
    Entity e;
    e.kind = Kind::Text;
    e.points = {baselineStart};
    e.text = text;
    e.angle = angle;
    e.height = m_data.textHeight;
    e.style = QStringLiteral("Standard");
    return add(std::move(e));
}

Handle Drawing::addMultiText(QPointF topLeft, const QString &text, double angle)
{
    Entity e;
    e.kind = Kind::MultiText;
    e.points = {topLeft};
    e.text = text;
    e.angle = angle;
    e.height = m_data.textHeight;
    e.style = QStringLiteral("Standard");
    return add(std::move(e));
}

Handle Drawing::addLeader(const QVector<QPointF> &points, const QString &text)
{
    Entity e;
    e.kind = Kind::Leader;
    e.points = points;
    e.text = text;
    e.height = m_data.textHeight;
    e.arrowSize = m_data.textHeight;
    e.style = QStringLiteral("Standard");
    return add(std::move(e));
}

Handle Drawing::addRaster(const QString &path, QPointF corner, double scale)
{
    return addRasterImage(Load_Image_File(path), path, corner, scale);
}

Handle Drawing::addRasterImage(const QImage &image, const QString &path, QPointF corner, double scale)
{
    Entity e;
    e.kind = Kind::Raster;
    e.points = {corner};
    e.scale = scale;
    e.image = image;
    e.imageSize = image.size();
    e.imagePath = path;
    return add(std::move(e));
}

Handle Drawing::insertBlock(int id, QPointF at, double scale, double angle)
{
    const Block *b = block(id);
    if (!b)
        return 0;
    Entity e;
    e.kind = Kind::Insert;
    e.points = {at};
    e.block = b->name;
    e.scale = scale;
    e.angle = angle;
    return add(std::move(e));
}

std::vector<std::shared_ptr<const Entity>>::const_iterator Drawing::find(Handle handle) const
{
    const auto it = std::lower_bound(m_data.entities.begin(), m_data.entities.end(), handle,
                                     [](const std::shared_ptr<const Entity> &e, Handle h) { return e->handle < h; });
    if (it != m_data.entities.end() && (*it)->handle == handle)
        return it;
    return m_data.entities.end();
}

Handle Drawing::first() const
{
    return m_data.entities.empty() ? 0 : m_data.entities.front()->handle;
}

Handle Drawing::next(Handle handle) const
{
    const auto it = std::upper_bound(m_data.entities.begin(), m_data.entities.end(), handle,
                                     [](Handle h, const std::shared_ptr<const Entity> &e) { return h < e->handle; });
    return it == m_data.entities.end() ? 0 : (*it)->handle;
}

QVector<Handle> Drawing::handles() const
{
    QVector<Handle> out;
    out.reserve(qsizetype(m_data.entities.size()));
    for (const auto &e : m_data.entities)
        out << e->handle;
    return out;
}

const Entity *Drawing::entity(Handle handle) const
{
    const auto it = find(handle);
    return it == m_data.entities.end() ? nullptr : it->get();
}

Entity *Drawing::modify(Handle handle)
{
    const auto found = find(handle);
    if (found == m_data.entities.end())
        return nullptr;
    // A changed entity may be an insert of another block now.
    entitiesChanged();
    auto &slot = m_data.entities[std::size_t(found - m_data.entities.begin())];
    if (slot.use_count() > 1)
        slot = std::make_shared<Entity>(*slot);
    // Every entity is allocated as a non-const Entity and is shared only as
    // const; this one now has no other owner, so changing it is safe.
    return const_cast<Entity *>(slot.get());
}

bool Drawing::erase(Handle handle)
{
    const auto it = find(handle);
    if (it == m_data.entities.end())
        return false;
    m_data.entities.erase(it);
    entitiesChanged();
    return true;
}

void Drawing::eraseAll()
{
    m_data.entities.clear();
    entitiesChanged();
}

Handle Drawing::duplicate(Handle handle)
{
    const Entity *e = entity(handle);
    if (!e || !fitsExpansion(*e))
        return 0;
    return store(*e);
}

Handle Drawing::newestLine(int layerId) const
{
    for (auto it = m_data.entities.rbegin(); it != m_data.entities.rend(); ++it)
        if ((*it)->kind == Kind::Line && (*it)->layer == layerId)
            return (*it)->handle;
    return 0;
}

std::optional<QLineF> Drawing::lineEnds(Handle handle) const
{
    const Entity *e = entity(handle);
    if (!e || e->kind != Kind::Line || e->points.size() != 2)
        return std::nullopt;
    return QLineF(e->points[0], e->points[1]);
}

// --- Geometry -----------------------------------------------------------

bool Drawing::transform(Handle handle, const Similarity &t)
{
    Entity *e = modify(handle);
    if (!e)
        return false;
    transformEntity(*e, t);
    return true;
}

bool Drawing::scaleAbout(Handle handle, QPointF base, double factor)
{
    return transform(handle, Similarity::scaling(base, factor));
}

QVector<Handle> Drawing::explode(Handle handle)
{
    const Entity *found = entity(handle);
    if (!found)
        return {};
    const Entity whole = *found;
    QVector<Entity> parts;
    switch (whole.kind) {
    case Kind::Insert: {
        const Block *b = block(blockId(whole.block));
        if (!b)
            return {};
        const Similarity place = insertPlacement(whole, b->base);
        for (Entity part : b->entities) {
            transformEntity(part, place);
            if (part.colour == kByLayer)
                part.colour = whole.colour;
            parts << part;
        }
        break;
    }
    case Kind::Polyline: {
        const qsizetype n = whole.points.size();
        const qsizetype segments = whole.closed && n > 2 ? n : n - 1;
        for (qsizetype i = 0; i < segments; ++i) {
            Entity line;
            line.kind = Kind::Line;
            line.colour = whole.colour;
            line.points = {whole.points[i], whole.points[(i + 1) % n]};
            parts << line;
        }
        break;
    }
    case Kind::MultiText: {
        const QStringList lines = textLines(whole);
        const QVector<QPointF> baselines = textBaselines(whole);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            Entity text = whole;
            text.kind = Kind::Text;
            text.points = {baselines[i]};
            text.text = lines[i];
            parts << text;
        }
        break;
    }
    default: return {};
    }
    erase(handle);
    QVector<Handle> made;
    for (Entity &part : parts) {
        part.layer = whole.layer;
        made << store(std::move(part));
    }
    return made;
}

std::optional<QRectF> Drawing::boundsOf(const Entity &e, int depth) const
{
    if (e.kind != Kind::Insert)
        return shapeBox(e).bounds();
    Box box;
    const int id = blockId(e.block);
    const Block *b = block(id);
    if (b && depth < kMaxBlockDepth) {
        const Similarity place = insertPlacement(e, b->base);
        if (keepsBoxes(place)) {
            box.add(placed(blockBounds(id, depth + 1), place));
        } else {
            for (Entity part : b->entities) {
                transformEntity(part, place);
                box.add(boundsOf(part, depth + 1));
            }
        }
    }
    if (!box.set)
        box.add(e.anchor());
    return box.bounds();
}

std::optional<QRectF> Drawing::blockBounds(int id, int depth) const
{
    const qint64 key = qint64(id) * (kMaxBlockDepth + 1) + depth;
    if (const auto kept = m_blockBoxes.constFind(key); kept != m_blockBoxes.constEnd())
        return *kept;
    Box box;
    if (const Block *b = block(id))
        for (const Entity &part : b->entities)
            box.add(boundsOf(part, depth));
    m_blockBoxes.insert(key, box.bounds());
    return box.bounds();
}

QRectF Drawing::entityExtents(const Entity &entity) const
{
    return boundsOf(entity, 0).value_or(QRectF());
}

std::optional<QRectF> Drawing::quickExtents(const Entity &entity, int depth) const
{
    if (entity.kind == Kind::Insert && depth < kMaxBlockDepth) {
        const Block *b = block(blockId(entity.block));
        if (b && !keepsBoxes(insertPlacement(entity, b->base)))
            return std::nullopt;
    }
    return boundsOf(entity, depth).value_or(QRectF());
}

QRectF Drawing::extents() const
{
    Box box;
    for (const auto &e : m_data.entities)
        box.add(boundsOf(*e, 0));
    return box.rect();
}

qint64 Drawing::expandedCount() const
{
    if (m_expanded < 0) {
        qint64 count = 0;
        for (const auto &e : m_data.entities)
            count = saturated(count + expansionOf(*e));
        m_expanded = count;
    }
    return m_expanded;
}

qint64 Drawing::expansionOf(const Entity &entity) const
{
    if (entity.kind != Kind::Insert)
        return 0;
    return saturated(1 + blockExpansion(blockId(entity.block)));
}

qint64 Drawing::blockExpansion(int id) const
{
    if (m_blockExpansions.size() != m_data.blocks.size()) {
        // In dependency order, so each block's inserts are counted before it.
        m_blockExpansions = QVector<qint64>(m_data.blocks.size(), 0);
        for (const int each : blocksInOrder()) {
            qint64 count = 0;
            for (const Entity &e : m_data.blocks[each - 1]->entities) {
                const int inner = e.kind == Kind::Insert ? blockId(e.block) : 0;
                count = saturated(count + 1 + (inner ? m_blockExpansions[inner - 1] : 0));
            }
            m_blockExpansions[each - 1] = count;
        }
    }
    return id >= 1 && id <= m_blockExpansions.size() ? m_blockExpansions[id - 1] : 0;
}

double Drawing::rasterScale(Handle handle) const
{
    const Entity *e = entity(handle);
    return e && e->kind == Kind::Raster ? e->scale : 0.0;
}

QSize Drawing::rasterPixelSize(Handle handle) const
{
    const Entity *e = entity(handle);
    return e && e->kind == Kind::Raster ? e->imageSize : QSize();
}

// --- Layers -------------------------------------------------------------

int Drawing::addLayer(const QString &name, int colour)
{
    // An entity naming no layer is put on the current one, so a layer of no
    // name could not keep its entities in a file.
    if (name.isEmpty())
        return 0;
    return addByName(m_data.layers, name, [&] { return Layer{name, colour, 0, true, false}; });
}

int Drawing::layerId(const QString &name) const
{
    return idByName(m_data.layers, name);
}

const Layer *Drawing::layer(int id) const
{
    return itemById(m_data.layers, id);
}

Layer *Drawing::modifyLayer(int id)
{
    return itemById(m_data.layers, id);
}

bool Drawing::setCurrentLayer(int id)
{
    if (!layer(id))
        return false;
    m_data.currentLayer = id;
    return true;
}

bool Drawing::setCurrentLayer(const QString &name)
{
    return setCurrentLayer(layerId(name));
}

QVector<int> Drawing::drawingOrder() const
{
    QVector<int> ids;
    for (int id = 1; id <= m_data.layers.size(); ++id)
        ids << id;
    std::stable_sort(ids.begin(), ids.end(),
                     [this](int a, int b) { return m_data.layers[a - 1].order > m_data.layers[b - 1].order; });
    return ids;
}

// --- Styles -------------------------------------------------------------

int Drawing::addTextStyle(const QString &name)
{
    return addByName(m_data.textStyles, name, [&] { return TextStyle{name, QStringLiteral("Simplex.Vcf"), 0}; });
}

int Drawing::textStyleId(const QString &name) const
{
    return idByName(m_data.textStyles, name);
}

const TextStyle *Drawing::textStyle(int id) const
{
    return itemById(m_data.textStyles, id);
}

TextStyle *Drawing::modifyTextStyle(int id)
{
    return itemById(m_data.textStyles, id);
}

int Drawing::addDimStyle(const QString &name)
{
    return addByName(m_data.dimStyles, name, [&] { return DimStyle{name, kDefaultDimSizes}; });
}

int Drawing::dimStyleId(const QString &name) const
{
    return idByName(m_data.dimStyles, name);
}

const DimStyle *Drawing::dimStyle(int id) const
{
    return itemById(m_data.dimStyles, id);
}

DimStyle *Drawing::modifyDimStyle(int id)
{
    return itemById(m_data.dimStyles, id);
}

// --- Blocks -------------------------------------------------------------

QString Drawing::blockProblem(const Block &candidate) const
{
    const QString &name = candidate.name;
    if (name.isEmpty())
        return QStringLiteral("a block without a name");
    const int replaced = blockId(name);
    auto named = [](const QString &n) { return QStringLiteral("\"%1\"").arg(n); };
    // The blocks held never reach themselves, so a ring has to pass through
    // the new one: found by following its inserts back to its name.
    QHash<int, int> cameFrom; // block id -> the id it was reached from, 0 for the new block
    QVector<int> queue;
    for (const Entity &e : candidate.entities) {
        if (e.kind != Kind::Insert)
            continue;
        if (e.block.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("block %1 inserts itself").arg(named(name));
        const int inner = blockId(e.block);
        if (!inner)
            return QStringLiteral("block %1 inserts block %2, which is not defined").arg(named(name), named(e.block));
        if (!cameFrom.contains(inner)) {
            cameFrom.insert(inner, 0);
            queue << inner;
        }
    }
    if (replaced) {
        for (qsizetype i = 0; i < queue.size(); ++i) {
            const int id = queue[i];
            for (const Entity &e : m_data.blocks[id - 1]->entities) {
                const int inner = e.kind == Kind::Insert ? blockId(e.block) : 0;
                if (inner == replaced) {
                    QStringList ring{named(name)};
                    for (int at = id; at; at = cameFrom.value(at))
                        ring.insert(1, named(block(at)->name));
                    return QStringLiteral("block %1 inserts itself through %2")
                        .arg(named(name), ring.mid(1).join(QStringLiteral(" and ")));
                }
                if (inner && !cameFrom.contains(inner)) {
                    cameFrom.insert(inner, id);
                    queue << inner;
                }
            }
        }
        // Nothing inserts a new block yet; a replaced one may be inserted
        // many times over.
        Drawing probe;
        probe.m_data.blocks = m_data.blocks;
        probe.m_data.blocks[replaced - 1] = std::make_shared<const Block>(candidate);
        probe.m_data.entities = m_data.entities;
        if (probe.expandedCount() > kMaxExpandedEntities)
            return expansionLimitProblem();
    }
    return QString();
}

int Drawing::defineBlock(const Block &definition)
{
    if (!blockProblem(definition).isEmpty())
        return 0;
    Block b = definition;
    for (Entity &e : b.entities) {
        e.layer = 0;
        e.handle = 0;
    }
    auto shared = std::make_shared<const Block>(std::move(b));
    if (const int id = blockId(definition.name)) {
        // Its name is the same in any case, so the index stays.
        m_data.blocks[id - 1] = std::move(shared);
        m_blockExpansions.clear();
        m_blockBoxes.clear();
        m_expanded = -1;
        return id;
    }
    // A new block changes nothing kept: nothing inserts it yet. Its own
    // count is added while the others' are known, so a file of many blocks
    // is not counted over and over.
    const bool counted = m_blockExpansions.size() == m_data.blocks.size();
    qint64 count = 0;
    if (counted)
        for (const Entity &e : shared->entities)
            count = saturated(count + 1 + (e.kind == Kind::Insert ? blockExpansion(blockId(e.block)) : 0));
    const bool indexed = !m_blockIndex.isEmpty();
    m_data.blocks.append(std::move(shared));
    const int id = int(m_data.blocks.size());
    if (indexed)
        m_blockIndex.insert(definition.name.toCaseFolded(), id);
    if (counted)
        m_blockExpansions.append(count);
    return id;
}

int Drawing::blockId(const QString &name) const
{
    if (m_blockIndex.isEmpty() && !m_data.blocks.isEmpty()) {
        // Looked up for every insert read and drawn: a table of many blocks
        // must not make each look-up a walk through all of them.
        for (qsizetype i = m_data.blocks.size(); i > 0; --i)
            m_blockIndex.insert(m_data.blocks[i - 1]->name.toCaseFolded(), int(i));
    }
    return m_blockIndex.value(name.toCaseFolded(), 0);
}

const Block *Drawing::block(int id) const
{
    const auto found = itemById(m_data.blocks, id);
    return found ? found->get() : nullptr;
}

QVector<int> Drawing::blocksInOrder() const
{
    const qsizetype n = m_data.blocks.size();
    QVector<int> order;
    order.reserve(n);
    QVector<char> seen(n + 1, 0);
    // Depth first without recursion: a long chain of blocks must not
    // exhaust the stack.
    std::vector<std::pair<int, qsizetype>> path; // block id, its next entity
    for (int root = 1; root <= n; ++root) {
        if (seen[root])
            continue;
        seen[root] = 1;
        path.emplace_back(root, 0);
        while (!path.empty()) {
            const int id = path.back().first;
            const QVector<Entity> &entities = m_data.blocks[id - 1]->entities;
            int inner = 0;
            while (!inner && path.back().second < entities.size()) {
                const Entity &e = entities[path.back().second++];
                if (e.kind == Kind::Insert)
                    if (const int next = blockId(e.block); next && !seen[next])
                        inner = next;
            }
            if (inner) {
                seen[inner] = 1;
                path.emplace_back(inner, 0);
            } else {
                order << id;
                path.pop_back();
            }
        }
    }
    return order;
}

int Drawing::loadBlockFile(const QString &path)
{
    const Drawing file = readVecFile(path);
    // Defined on a copy, taken in only when every block could be.
    Drawing next;
    next.m_data = m_data;
    auto define = [&](const Block &b) {
        const QString problem = next.blockProblem(b);
        if (!problem.isEmpty())
            throw SolvaneError(ErrorNumber::BadFileFormat,
                               QStringLiteral("Cannot open the drawing %1: %2").arg(path, problem));
        return next.defineBlock(b);
    };
    for (const auto &inner : file.m_data.blocks)
        define(*inner);
    Block b;
    b.name = QFileInfo(path).completeBaseName();
    for (const auto &e : file.m_data.entities)
        b.entities << *e;
    const int id = define(b);
    m_data = std::move(next.m_data);
    blocksChanged();
    return id;
}

void Drawing::blocksChanged()
{
    m_blockIndex.clear();
    m_blockExpansions.clear();
    m_blockBoxes.clear();
    m_expanded = -1;
}

// --- Undo ---------------------------------------------------------------

void Drawing::checkpoint()
{
    m_undo.push_back(m_data);
    while (int(m_undo.size()) > kMaxUndoSteps)
        m_undo.pop_front();
    m_redo.clear();
}

bool Drawing::undo()
{
    if (m_undo.empty())
        return false;
    m_redo.push_back(std::move(m_data));
    m_data = std::move(m_undo.back());
    m_undo.pop_back();
    blocksChanged();
    return true;
}

bool Drawing::redo()
{
    if (m_redo.empty())
        return false;
    m_undo.push_back(std::move(m_data));
    m_data = std::move(m_redo.back());
    m_redo.pop_back();
    blocksChanged();
    return true;
}

void Drawing::clearHistory()
{
    m_undo.clear();
    m_redo.clear();
}

void Drawing::replaceContent(Drawing &&other)
{
    m_data = std::move(other.m_data);
    blocksChanged();
}

} // namespace cad
