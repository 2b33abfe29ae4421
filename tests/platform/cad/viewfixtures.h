#pragma once

#include "commanddialogs.h"
#include "drawingview.h"

#include <QTest>

// A drawing view of a fixed size with a known view, and dialogs that answer
// from what the test put in, for the drawing command tests.
namespace viewfixtures {

// Looks at the drawing square [0, 100] x [0, 100] at 4 pixels to the unit
// in a 400 x 400 view, so drawing (x, y) is screen (4x, 400 - 4y).
inline void showUnitSquare(cad::DrawingView &view)
{
    view.resize(400, 400);
    view.viewport().setSize(QSizeF(400, 400));
    view.viewport().setView(QPointF(50, 50), 4);
}

inline QPoint screenOf(const cad::DrawingView &view, QPointF world)
{
    return view.toScreen(world).toPoint();
}

inline void clickAt(cad::DrawingView &view, QPointF world, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(&view, button, Qt::NoModifier, screenOf(view, world));
}

inline void press(cad::DrawingView &view, Qt::Key key)
{
    QTest::keyClick(&view, key);
}

// Answers each dialog with what the test set, or a cancel.
class ScriptedDialogs : public cad::CommandDialogs
{
public:
    std::optional<cad::LayerTable> layerAnswer;
    std::optional<QVector<int>> orderAnswer;
    std::optional<cad::TextStyleChoice> styleAnswer;
    std::optional<cad::EntityProperties> propertiesAnswer;
    std::optional<cad::RasterPlacement> rasterAnswer;
    QStringList asked;
    cad::LayerTable layersShown;

    std::optional<cad::LayerTable> layers(const cad::LayerTable &now) override
    {
        asked << QStringLiteral("layers");
        layersShown = now;
        return layerAnswer;
    }
    std::optional<QVector<int>> layerOrder(const QVector<cad::Layer> &, const QVector<int> &) override
    {
        asked << QStringLiteral("order");
        return orderAnswer;
    }
    std::optional<cad::TextStyleChoice> textStyle(const cad::TextStyleChoice &) override
    {
        asked << QStringLiteral("style");
        return styleAnswer;
    }
    std::optional<cad::EntityProperties> properties(const cad::EntityProperties &, const QStringList &) override
    {
        asked << QStringLiteral("properties");
        return propertiesAnswer;
    }
    std::optional<cad::RasterPlacement> raster(const cad::RasterPlacement &, QSize) override
    {
        asked << QStringLiteral("raster");
        return rasterAnswer;
    }
};

} // namespace viewfixtures
