#pragma once

#include "commanddialogs.h"

class QWidget;

// The drawing commands' dialogs as Qt dialogs, modal over the view.
namespace cad {

class QtCommandDialogs : public CommandDialogs
{
public:
    explicit QtCommandDialogs(QWidget *owner)
        : m_owner(owner)
    {}

    std::optional<LayerTable> layers(const LayerTable &now) override;
    std::optional<QVector<int>> layerOrder(const QVector<Layer> &layers, const QVector<int> &backToFront) override;
    std::optional<TextStyleChoice> textStyle(const TextStyleChoice &now) override;
    std::optional<EntityProperties> properties(const EntityProperties &now, const QStringList &layerNames) override;
    std::optional<RasterPlacement> raster(const RasterPlacement &now, QSize pixels) override;

private:
    QWidget *m_owner;
};

} // namespace cad
