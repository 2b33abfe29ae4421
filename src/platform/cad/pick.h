#pragma once

#include "drawing.h"

#include <QPointF>
#include <QRectF>
#include <QVector>

// Finding entities under the pointer. Only entities on visible, unlocked
// layers can be picked: a locked layer (the photo's) is drawn, and code may
// still change it, but the pointer never takes hold of it.
namespace cad {

bool layerPickable(const Drawing &drawing, int layerId);

// Whether the point lies on the entity's line work (within `tolerance`
// drawing units), or inside a text's, raster's box.
bool entityHit(const Drawing &drawing, const Entity &entity, QPointF point, double tolerance);

// The front-most pickable entity at the point: the front layer first, and
// within a layer the one added last; 0 when there is none.
Handle pickEntity(const Drawing &drawing, QPointF point, double tolerance);

// The pickable entities lying wholly inside the rectangle, in handle order.
QVector<Handle> entitiesInside(const Drawing &drawing, const QRectF &box);

} // namespace cad
