#pragma once

#include "entity.h"

#include <QColor>
#include <QHash>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QVector>

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

// The 2D drawing behind every drawing view: entities on named layers, text
// and dimension styles, blocks and their inserts, raster photos. Plain data
// and geometry, no widgets and no job state; views paint it with
// cad::render() and files hold it as ".Vec" (VEC_FORMAT.md).
namespace cad {

// Inserts may name blocks that insert blocks; painting, measuring and
// picking follow them this deep and no deeper.
inline constexpr int kMaxBlockDepth = 8;

// Painting, measuring and picking visit every entity an insert expands to,
// so a few hundred bytes of nested inserts could keep them busy for hours. A
// drawing may expand to this many entities and no more: a file past it is
// refused, and so is an insert that would take a drawing past it.
inline constexpr qint64 kMaxExpandedEntities = 1'000'000;

// The reason given for a drawing or an insert past kMaxExpandedEntities.
QString expansionLimitProblem();

struct Layer
{
    QString name;
    int colour = 7;
    // Drawn back to front by this number, the highest at the back; layers
    // with the same number in the order they were added.
    int order = 0;
    bool visible = true;
    bool locked = false; // drawn, but views do not pick its entities
};

struct TextStyle
{
    QString name;
    // The font file as the drawing names it; only a name: cad::fontFamily()
    // maps it to an installed family.
    QString fontFile;
    // The style's size value, kept with the drawing. A text is drawn at its
    // own height.
    double size = 0;
};

// The six size values of a dimension style, in this order: arrow size, text
// height, extension line offset, extension beyond the dimension line, text
// gap, centre mark.
inline constexpr int kDimSizeCount = 6;
inline constexpr std::array<double, kDimSizeCount> kDefaultDimSizes = {2.5, 2.5, 0.625, 1.25, 0.625, 2.5};

struct DimStyle
{
    QString name;
    std::array<double, kDimSizeCount> sizes = kDefaultDimSizes;
};

// A named group of entities inserted as one. Its entities have no layer.
struct Block
{
    QString name;
    QPointF base;
    QVector<Entity> entities;
};

// Everything one undo step keeps. Entities and blocks are shared between
// steps and copied only when changed; raster pixels are never copied.
struct DrawingData
{
    std::vector<std::shared_ptr<const Entity>> entities; // in handle order
    QVector<Layer> layers; // a layer's id is its index + 1
    QVector<TextStyle> textStyles;
    QVector<DimStyle> dimStyles;
    QVector<std::shared_ptr<const Block>> blocks; // a block's id is its index + 1
    int currentLayer = 1;
    double textHeight = 2.5;
    QColor background = Qt::white;
    Handle nextHandle = 1;
};

class Drawing
{
public:
    // A new drawing: layer "0" (colour 7) current, text style "Standard" and
    // dimension style "Standard", white background.
    Drawing();

    // --- Entities -------------------------------------------------------
    // Adds a copy of the entity on the current layer unless it names a
    // layer of its own; returns its new handle. An insert of a block that
    // is not defined, an insert that would expand the drawing past
    // kMaxExpandedEntities and a leader without points are not added: 0.
    Handle add(Entity entity);
    Handle addLine(QPointF start, QPointF end);
    Handle addCircle(QPointF centre, double radius);
    Handle addEllipse(QPointF centre, double radius, double radiusY, double angle = 0);
    Handle addPolyline(const QVector<QPointF> &points, bool closed = false);
    Handle addSpline(const QVector<QPointF> &points, bool closed = false);
    // Text at the drawing's default text height in the "Standard" style.
    Handle addText(QPointF baselineStart, const QString &text, double angle = 0);
    Handle addMultiText(QPointF topLeft, const QString &text, double angle = 0);
    Handle addLeader(const QVector<QPointF> &points, const QString &text = {});
    // A raster photo with its lower left corner at `corner`, `scale` image
    // pixels to the drawing unit. addRaster reads the file (raising
    // SolvaneError when it cannot); addRasterImage takes pixels already read.
    Handle addRaster(const QString &path, QPointF corner, double scale);
    Handle addRasterImage(const QImage &image, const QString &path, QPointF corner, double scale);
    // An insert of block `blockId`; 0 when there is no such block or when
    // the insert would expand the drawing past kMaxExpandedEntities.
    Handle insertBlock(int blockId, QPointF at, double scale = 1, double angle = 0);

    int count() const { return int(m_data.entities.size()); }
    Handle first() const;
    // The entity after `handle` in insertion order, or 0; `handle` itself
    // may have been erased meanwhile.
    Handle next(Handle handle) const;
    QVector<Handle> handles() const;
    const Entity *entity(Handle handle) const;
    // The entity for changing; its shared copy in undo steps stays as it was.
    Entity *modify(Handle handle);
    bool erase(Handle handle);
    void eraseAll();
    // A copy of the entity with a new handle, placed after every other; 0
    // when there is no such entity or the copy would expand the drawing past
    // kMaxExpandedEntities.
    Handle duplicate(Handle handle);

    // The most recently added line on the layer, or 0.
    Handle newestLine(int layerId) const;
    // Start and end of a line entity.
    std::optional<QLineF> lineEnds(Handle handle) const;

    // --- Geometry -------------------------------------------------------
    bool transform(Handle handle, const Similarity &t);
    bool scaleAbout(Handle handle, QPointF base, double factor);
    // Splits an insert into its block's entities (placed, on the insert's
    // layer), a polyline into lines and a multitext into one text a line.
    // Returns the new handles; other kinds are left whole and give none.
    QVector<Handle> explode(Handle handle);
    // The box of every entity (y up: top() is the lowest y); a null rect
    // for an empty drawing.
    QRectF extents() const;
    QRectF entityExtents(const Entity &entity) const;
    // The entity's box as met `depth` inserts deep, when it can be had
    // without expanding an insert: always for every kind but an insert, and
    // for an insert neither turned nor mirrored, at a scale above 0 (its
    // block's box is kept until a block changes).
    std::optional<QRectF> quickExtents(const Entity &entity, int depth) const;

    // How many entities the drawing's inserts expand to: each insert and
    // every entity of its block, the block's inserts expanded in turn. The
    // count stops growing just past kMaxExpandedEntities.
    qint64 expandedCount() const;
    // What adding the entity would add to expandedCount(): 0 but for an
    // insert.
    qint64 expansionOf(const Entity &entity) const;

    // Raster queries: 0 or an empty size for a handle that is no raster.
    double rasterScale(Handle handle) const;
    QSize rasterPixelSize(Handle handle) const;

    // --- Layers ---------------------------------------------------------
    // The layer of that name (any case) when there is one, else a new one
    // with the colour; returns its id.
    int addLayer(const QString &name, int colour = 7);
    int layerId(const QString &name) const; // 0 when there is none
    const Layer *layer(int id) const;
    Layer *modifyLayer(int id);
    int layerCount() const { return int(m_data.layers.size()); }
    bool setCurrentLayer(int id);
    bool setCurrentLayer(const QString &name);
    int currentLayer() const { return m_data.currentLayer; }
    // The layer ids from back to front, as they are drawn.
    QVector<int> drawingOrder() const;

    // --- Styles ---------------------------------------------------------
    int addTextStyle(const QString &name); // existing or new; returns its id
    int textStyleId(const QString &name) const;
    const TextStyle *textStyle(int id) const;
    TextStyle *modifyTextStyle(int id);
    int addDimStyle(const QString &name);
    int dimStyleId(const QString &name) const;
    const DimStyle *dimStyle(int id) const;
    DimStyle *modifyDimStyle(int id);

    double defaultTextHeight() const { return m_data.textHeight; }
    void setDefaultTextHeight(double height) { m_data.textHeight = height; }
    QColor background() const { return m_data.background; }
    void setBackground(const QColor &colour) { m_data.background = colour; }

    // --- Blocks ---------------------------------------------------------
    // Why the block cannot be defined in this drawing, or an empty text
    // when it can: it needs a name, its inserts must name blocks defined
    // here, it must not insert itself (directly or through other blocks),
    // and replacing a block of its name must not expand the drawing past
    // kMaxExpandedEntities. Every block a drawing holds passes, so its file
    // always reads back.
    QString blockProblem(const Block &block) const;
    // Defines or replaces the block of that name (any case); returns its
    // id, or 0, changing nothing, when blockProblem() names a problem.
    int defineBlock(const Block &block);
    int blockId(const QString &name) const;
    const Block *block(int id) const;
    int blockCount() const { return int(m_data.blocks.size()); }
    // Every block id, each after the blocks its inserts name; otherwise in
    // the order the blocks were first defined.
    QVector<int> blocksInOrder() const;
    // Reads a ".Vec" file as one block named after the file (its name
    // without the suffix); the blocks it defines come along and replace
    // those of their names. Raises SolvaneError naming the file, changing
    // nothing, when the file is missing or no drawing or when one of its
    // blocks cannot be defined here (see blockProblem()).
    int loadBlockFile(const QString &path);

    // --- Undo -----------------------------------------------------------
    // Keeps the drawing as it is now as one undo step and forgets the steps
    // undone. A command calls it before it changes the drawing.
    void checkpoint();
    bool undo();
    bool redo();
    int undoCount() const { return int(m_undo.size()); }
    int redoCount() const { return int(m_redo.size()); }
    void clearHistory();
    static constexpr int kMaxUndoSteps = 100;

    // The whole content: for the file reader, which builds a drawing apart
    // and takes it in only when the file was read whole.
    const DrawingData &data() const { return m_data; }
    void replaceContent(Drawing &&other);

private:
    std::vector<std::shared_ptr<const Entity>>::const_iterator find(Handle handle) const;
    Handle store(Entity entity);
    bool fitsExpansion(const Entity &entity) const;
    // After a change of the block table (and of the whole content): what
    // was kept of blocks is dropped.
    void blocksChanged();
    // After entities were changed or removed: the expanded count is
    // counted again when next asked.
    void entitiesChanged() { m_expanded = -1; }
    qint64 blockExpansion(int blockId) const;
    std::optional<QRectF> boundsOf(const Entity &entity, int depth) const;
    std::optional<QRectF> blockBounds(int blockId, int depth) const;

    DrawingData m_data;
    // Kept of the current content: the expanded count (-1 until counted),
    // each block's expansion (by id - 1; empty until counted), each block's
    // box by id and depth, and the block ids by case-folded name.
    mutable qint64 m_expanded = -1;
    mutable QVector<qint64> m_blockExpansions;
    mutable QHash<qint64, std::optional<QRectF>> m_blockBoxes;
    mutable QHash<QString, int> m_blockIndex;
    std::deque<DrawingData> m_undo;
    std::deque<DrawingData> m_redo;
};

} // namespace cad
