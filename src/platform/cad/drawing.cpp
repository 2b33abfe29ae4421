#include "drawing.h"

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
    QRectF rect() const { return set ? QRectF(QPointF(x0, y0), QPointF(x1, y1)) : QRectF(); }
};

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

Box boxOf(const Drawing &drawing, const Entity &e, int depth)
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
    case Kind::Insert: {
        const Block *b = drawing.block(drawing.blockId(e.block));
        if (b && depth < kMaxBlockDepth) {
            const Similarity place = insertPlacement(e, b->base);
            for (Entity part : b->entities) {
                transformEntity(part, place);
                box.add(boxOf(drawing, part, depth + 1));
            }
        }
        if (!box.set)
            box.add(e.anchor());
        break;
    }
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

} // namespace

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
    m_data.entities.push_back(std::make_shared<Entity>(std::move(entity)));
    return m_data.entities.back()->handle;
}

Handle Drawing::add(Entity entity)
{
    if (!layer(entity.layer))
        entity.layer = m_data.currentLayer;
    if (entity.kind == Kind::Insert && blockId(entity.block) == 0)
        return 0;
    return store(std::move(entity));
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
    return true;
}

void Drawing::eraseAll()
{
    m_data.entities.clear();
}

Handle Drawing::duplicate(Handle handle)
{
    const Entity *e = entity(handle);
    if (!e)
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

QRectF Drawing::entityExtents(const Entity &entity) const
{
    return boxOf(*this, entity, 0).rect();
}

QRectF Drawing::extents() const
{
    Box box;
    for (const auto &e : m_data.entities)
        box.add(boxOf(*this, *e, 0));
    return box.rect();
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

int Drawing::defineBlock(const Block &definition)
{
    Block b = definition;
    for (Entity &e : b.entities) {
        e.layer = 0;
        e.handle = 0;
    }
    auto shared = std::make_shared<const Block>(std::move(b));
    if (const int id = blockId(definition.name)) {
        m_data.blocks[id - 1] = std::move(shared);
        return id;
    }
    m_data.blocks.append(std::move(shared));
    return int(m_data.blocks.size());
}

int Drawing::blockId(const QString &name) const
{
    return idByName(m_data.blocks, name);
}

const Block *Drawing::block(int id) const
{
    const auto found = itemById(m_data.blocks, id);
    return found ? found->get() : nullptr;
}

int Drawing::loadBlockFile(const QString &path)
{
    const Drawing file = readVecFile(path);
    for (const auto &inner : file.m_data.blocks)
        defineBlock(*inner);
    Block b;
    b.name = QFileInfo(path).completeBaseName();
    for (const auto &e : file.m_data.entities)
        b.entities << *e;
    return defineBlock(b);
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
    return true;
}

bool Drawing::redo()
{
    if (m_redo.empty())
        return false;
    m_undo.push_back(std::move(m_data));
    m_data = std::move(m_redo.back());
    m_redo.pop_back();
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
}

} // namespace cad
