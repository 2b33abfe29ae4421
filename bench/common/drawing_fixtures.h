#pragma once
// Shared by the drawing benchmarks: a generated photo with real texture and
// the entities a clinician draws over it.

#include "drawing.h"
#include "installdata.h"

#include <QImage>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace bench {

inline std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// Smooth value noise in [0, 1] with a cell of `cell` pixels.
inline double noise(int x, int y, int cell, std::uint32_t seed)
{
    const int cx = x / cell, cy = y / cell;
    const double fx = double(x % cell) / cell, fy = double(y % cell) / cell;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    auto v = [&](int i, int j) {
        return (hash(std::uint32_t(cx + i), std::uint32_t(cy + j), seed) & 0xffff) / 65535.0;
    };
    const double top = v(0, 0) + (v(1, 0) - v(0, 0)) * sx;
    const double bottom = v(0, 1) + (v(1, 1) - v(0, 1)) * sx;
    return top + (bottom - top) * sy;
}

// A sole-like photo: a skin-toned foot shape with creases and pores over a
// darker floor, fine sensor grain everywhere, so neither a copy nor a JPEG
// of it is cheap by accident.
inline QImage texturedPhoto(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const double v = double(y) / height;
        const double halfWidth = 0.16 + 0.08 * std::sin(v * 3.1) - 0.05 * std::exp(-std::pow((v - 0.55) * 6, 2));
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width - 0.5;
            const double inside = std::clamp((halfWidth - std::abs(u)) * 40, 0.0, 1.0);
            const double broad = noise(x, y, 256, 1), mid = noise(x, y, 32, 2), fine = noise(x, y, 4, 3);
            const double grain = (hash(std::uint32_t(x), std::uint32_t(y), 9) & 0xff) / 255.0 - 0.5;
            const double skin = 0.75 + 0.15 * broad + 0.08 * mid - 0.06 * fine;
            const double floor = 0.25 + 0.1 * broad + 0.05 * mid;
            const double l = floor + (skin - floor) * inside + 0.04 * grain;
            line[x] = qRgb(std::clamp(int(255 * l), 0, 255), std::clamp(int(210 * l), 0, 255),
                           std::clamp(int(185 * l), 0, 255));
        }
    }
    return image;
}

// Roughly what a clinician draws: lines, outlines, circles and notes in
// `area`, and `inserts` feature blocks.
inline void drawOver(cad::Drawing &d, const QRectF &area, int count)
{
    const int pad = d.defineBlock(installdata::featureBlocks().first().block);
    const double w = area.width(), h = area.height();
    auto at = [&](int i, int salt) {
        return QPointF(area.left() + w * ((hash(std::uint32_t(i), 1, std::uint32_t(salt)) % 1000) / 1000.0),
                       area.top() + h * ((hash(std::uint32_t(i), 2, std::uint32_t(salt)) % 1000) / 1000.0));
    };
    d.setDefaultTextHeight(h * 0.02);
    for (int i = 0; i < count; ++i) {
        switch (i % 10) {
        case 0:
        case 1:
        case 2: d.addLine(at(i, 1), at(i, 2)); break;
        case 3: {
            QVector<QPointF> points;
            for (int k = 0; k < 10; ++k)
                points << at(i * 10 + k, 3);
            d.addPolyline(points, i % 20 == 3);
            break;
        }
        case 4: d.addCircle(at(i, 4), w * 0.02); break;
        case 5: d.addEllipse(at(i, 5), w * 0.03, w * 0.015, i); break;
        case 6: d.addSpline({at(i, 6), at(i, 7), at(i, 8), at(i, 9)}); break;
        case 7: d.addText(at(i, 10), QStringLiteral("Pad %1 mm").arg(i), i % 90); break;
        case 8: d.insertBlock(pad, at(i, 11), w / 400, i); break;
        default: d.addLeader({at(i, 12), at(i, 13)}, QStringLiteral("Note")); break;
        }
    }
}

} // namespace bench
