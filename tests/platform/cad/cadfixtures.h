#pragma once

#include "drawing.h"

#include <QImage>
#include <QPainter>

// Small pictures and drawings the drawing control's tests share.
namespace cadfixtures {

// A photo-like picture whose every pixel differs from its neighbours, so a
// shifted, smoothed or rescaled copy never passes for the original.
inline QImage texturedPhoto(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const unsigned h = unsigned(x) * 2654435761u ^ unsigned(y) * 40503u;
            line[x] = qRgb(int((h >> 8) & 0xff), int((x * 7 + y * 3) & 0xff), int((h >> 16) & 0xff));
        }
    }
    return image;
}

// One entity of every kind, on the drawing's current layer.
inline QVector<cad::Handle> oneOfEach(cad::Drawing &d)
{
    QVector<cad::Handle> made;
    made << d.addLine({1, 2}, {30.5, 40.25});
    made << d.addCircle({10, -5}, 7.5);
    made << d.addEllipse({-3, 4}, 6, 2, 30);
    made << d.addPolyline({{0, 0}, {10, 0}, {10, 5}}, true);
    made << d.addSpline({{0, 0}, {5, 8}, {12, 3}, {20, 9}}, false);
    made << d.addText({2, 3}, QStringLiteral("Heel \"cup\" \\ 12°"), 15);
    made << d.addMultiText({0, 50}, QStringLiteral("Met pad\nleft side"), 0);
    made << d.addLeader({{5, 5}, {15, 12}, {25, 12}}, QStringLiteral("Pad"));
    made << d.addRasterImage(texturedPhoto(8, 6), QStringLiteral("missing/photo.jpg"), {-20, -10}, 0.5);
    cad::Block b;
    b.name = QStringLiteral("Marker");
    b.base = QPointF(1, 1);
    cad::Entity cross;
    cross.kind = cad::Kind::Line;
    cross.points = {{0, 0}, {2, 2}};
    b.entities << cross;
    made << d.insertBlock(d.defineBlock(b), {40, 40}, 3, 45);
    return made;
}

} // namespace cadfixtures
