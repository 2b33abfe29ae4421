#pragma once

#include "commanddialogs.h"

// Drawing command dialogs that are all cancelled, so tools that open one
// run without a modal window.
class CancelDialogs : public cad::CommandDialogs
{
public:
    QStringList asked;
    std::optional<cad::LayerTable> layers(const cad::LayerTable &) override { return note("layers"); }
    std::optional<QVector<int>> layerOrder(const QVector<cad::Layer> &, const QVector<int> &) override
    {
        return note("order");
    }
    std::optional<cad::TextStyleChoice> textStyle(const cad::TextStyleChoice &) override { return note("style"); }
    std::optional<cad::EntityProperties> properties(const cad::EntityProperties &, const QStringList &) override
    {
        return note("properties");
    }
    std::optional<cad::RasterPlacement> raster(const cad::RasterPlacement &, QSize) override { return note("raster"); }

private:
    std::nullopt_t note(const char *what)
    {
        asked << QString::fromLatin1(what);
        return std::nullopt;
    }
};
