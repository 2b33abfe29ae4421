// drawingview_bench [repetitions]
//
// Times what a user waits for in a drawing view: repainting a 1600 x 1000
// view of a 12-megapixel photo with 2,000 entities over it (200 of them
// text), at the fitted zoom and zoomed in on the toe, and picking among
// 5,000 entities. Prints each median and worst time beside its target and
// exits with 1 when one is missed.

#include "drawingview.h"
#include "pick.h"

#include <QApplication>
#include <QImage>
#include <QRandomGenerator>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace cad;

#include "median_timing.h"

namespace {

using bench::measure;
using bench::Timing;

bool report(const char *name, Timing t, double targetMs)
{
    const bool ok = t.median < targetMs;
    std::printf("%-44s median %8.2f ms   worst %8.2f ms   target < %4.0f ms   %s\n", name, t.median, t.worst, targetMs,
                ok ? "met" : "MISSED");
    return ok;
}

// A photo-like picture whose neighbouring pixels differ.
QImage texturedPhoto(int width, int height)
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

// The Graphic Screen's layers with the photo at 480 pixels to the unit on
// the locked "Image" layer, and `count` entities on "Client" over it, one
// in ten a text.
void fill(Drawing &d, int count, const QImage &photo)
{
    const int image = d.addLayer(QStringLiteral("Image"), 1);
    d.addLayer(QStringLiteral("Insole"), 1);
    const int client = d.addLayer(QStringLiteral("Client"), 7);
    d.modifyLayer(image)->locked = true;
    d.modifyLayer(image)->order = 3;
    d.setCurrentLayer(image);
    d.addRasterImage(photo, QStringLiteral("photo.jpg"), {0, 0}, 480);
    d.setCurrentLayer(client);
    const double w = photo.width() / 480.0, h = photo.height() / 480.0;
    d.setDefaultTextHeight(h / 60);
    QRandomGenerator random(42);
    auto at = [&] { return QPointF(random.generateDouble() * w, random.generateDouble() * h); };
    for (int i = 0; i < count; ++i) {
        const QPointF p = at();
        switch (i % 10) {
        case 0: d.addText(p, QStringLiteral("Met pad %1").arg(i)); break;
        case 1: d.addCircle(p, w / 80); break;
        case 2: d.addPolyline({p, p + QPointF(w / 40, 0), p + QPointF(w / 40, h / 40)}, true); break;
        case 3: d.addSpline({p, p + QPointF(w / 50, h / 30), p + QPointF(w / 25, 0)}); break;
        case 4: d.addEllipse(p, w / 60, w / 120, 30); break;
        default: d.addLine(p, p + QPointF(w / 30, h / 45)); break;
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(3, atoi(argv[1])) : 25;
    bool ok = true;

    const QImage photo = texturedPhoto(4000, 3000);
    {
        DrawingView view;
        fill(view.drawing(), 2000, photo);
        view.resize(1600, 1000);
        view.viewport().setSize(QSizeF(1600, 1000));
        view.runCommand(102);
        QImage screen(1600, 1000, QImage::Format_ARGB32_Premultiplied);
        auto repaint = [&] { view.render(&screen); };
        repaint(); // the first paint makes the photo's screen-sized copy
        ok &= report("repaint 1600 x 1000, 12 MP photo, 2,000 ents", measure(repetitions, repaint), 30);
        const auto panned = [&] {
            view.viewport().setView(view.viewport().centre() + QPointF(0.001, 0), view.viewport().scale());
            repaint();
        };
        ok &= report("  the same while panning", measure(repetitions, panned), 30);
        view.runCommand(103);
        view.runCommand(103);
        repaint();
        report("  zoomed in 4x (photo drawn from its pixels)", measure(repetitions, repaint), 30);
    }
    {
        Drawing d;
        fill(d, 5000, photo);
        const double tolerance = 5.0 / (1600 / (4000 / 480.0));
        QRandomGenerator random(7);
        std::vector<QPointF> points;
        for (int i = 0; i < 200; ++i)
            points.emplace_back(random.generateDouble() * 4000 / 480.0, random.generateDouble() * 3000 / 480.0);
        size_t next = 0;
        int hits = 0;
        const Timing pick =
            measure(int(points.size()), [&] { hits += pickEntity(d, points[next++ % points.size()], tolerance) != 0; });
        ok &= report("pick among 5,000 entities", pick, 5);
        std::printf("%d of %zu picks found an entity\n", hits, points.size());
    }
    return ok ? 0 : 1;
}
