#pragma once

#include "drawing.h"

#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// The dialogs that drawing commands open, behind one interface so the
// commands never open a window themselves: the view installs the Qt
// dialogs, tests answer in their place. Each takes what the drawing holds
// now and returns what the user chose, or nothing when cancelled.
namespace cad {

// Layers (801): each layer's colour, visibility and lock, which one is
// current, and new layers appended at the end.
struct LayerTable
{
    QVector<Layer> layers;
    int current = 1; // a layer id: its index + 1
};

// Properties (306) of the chosen entities.
struct EntityProperties
{
    int colour = kByLayer;
    QString layer;
};

// Edit Raster (255): where the photo lies and at how many image pixels to
// the drawing unit.
struct RasterPlacement
{
    QPointF corner;
    double scale = 1;
    double angle = 0;
};

// Text Style (806): the "Standard" style's font file and size value, and
// the height of new text.
struct TextStyleChoice
{
    TextStyle style;
    double textHeight = 0;
};

class CommandDialogs
{
public:
    virtual ~CommandDialogs() = default;
    virtual std::optional<LayerTable> layers(const LayerTable &now) = 0;
    // Layer Order (802): the layer ids from back to front.
    virtual std::optional<QVector<int>> layerOrder(const QVector<Layer> &layers, const QVector<int> &backToFront) = 0;
    virtual std::optional<TextStyleChoice> textStyle(const TextStyleChoice &now) = 0;
    virtual std::optional<EntityProperties> properties(const EntityProperties &now, const QStringList &layerNames) = 0;
    virtual std::optional<RasterPlacement> raster(const RasterPlacement &now, QSize pixels) = 0;
};

} // namespace cad
