#include "calculatescale.h"

#include "drawing.h"
#include "drawinghost.h"
#include "drawingsetup.h"
#include "numbers.h"
#include "prompter.h"

#include <cmath>

namespace {

constexpr int kClientLayer = 2;
constexpr int kScaleLayer = 3;

void makeCurrent(DrawingHost &host, int layerIndex)
{
    cad::Drawing &d = host.drawing();
    d.setCurrentLayer(
        d.addLayer(QString::fromLatin1(kDrawingLayerNames[layerIndex]), Drawing_Layer_Colour(host.kind(), layerIndex)));
}

void warn(const QString &text)
{
    UI().message(text, QStringLiteral("Warning"), Prompter::Icon::Warning, Prompter::Buttons::Ok);
}

} // namespace

void Start_Reference_Line(DrawingHost &host)
{
    makeCurrent(host, kScaleLayer);
    host.runCommand(205);
}

ScaleOutcome Set_Drawing_Scale(DrawingHost &host, bool referenceLineFlag, const QString &distance)
{
    if (!referenceLineFlag) {
        warn(QStringLiteral("Please Draw a Reference Line"));
        return ScaleOutcome::NoReferenceLine;
    }
    // A distance of 0 or below would shrink the photo to nothing or turn it
    // over; nothing is changed until a real length is typed.
    const double d = num::leadingNumber(distance);
    if (!(d > 0)) {
        warn(QStringLiteral("Please Enter the Actual Distance"));
        return ScaleOutcome::NoDistance;
    }
    cad::Drawing &drawing = host.drawing();
    const int layer = drawing.layerId(QString::fromLatin1(kDrawingLayerNames[kScaleLayer]));
    const cad::Handle line = layer ? drawing.newestLine(layer) : 0;
    const std::optional<QLineF> ends = line ? drawing.lineEnds(line) : std::nullopt;
    if (!ends)
        return ScaleOutcome::NoLine;

    const double length = std::hypot(ends->x2() - ends->x1(), ends->y2() - ends->y1());
    const double factor = length != 0.0 ? d / length : 1.0;
    makeCurrent(host, kClientLayer);
    drawing.checkpoint();
    if (host.rasterEntity && drawing.rasterScale(host.rasterEntity) > 0)
        drawing.scaleAbout(host.rasterEntity, QPointF(0, 0), factor);
    drawing.erase(line);
    host.redraw();
    host.runCommand(102);
    return ScaleOutcome::Scaled;
}

void Quit_Scale(DrawingHost &host)
{
    makeCurrent(host, kClientLayer);
    host.runCommand(911);
}
