#include "commandengine.h"

#include "errors.h"
#include "numbers.h"
#include "pick.h"
#include "prompter.h"
#include "render.h"

#include <QPainter>
#include <QPrinter>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace cad {

namespace {

// Every command: its number, its name in the prompt line, and what it asks
// for point by point (the last text repeats for open-ended commands).
struct CommandInfo
{
    int number;
    const char *name;
    QVector<const char *> asks;
};

const QVector<CommandInfo> &commandTable()
{
    static const QVector<CommandInfo> table = {
        {102, "Zoom Extents", {}},
        {103, "Zoom In", {}},
        {104, "Zoom Out", {}},
        {105, "Zoom Previous", {}},
        {106, "Zoom Window", {"first corner", "opposite corner"}},
        {111, "Pan", {"point to move from", "point to move to"}},
        {205, "Line", {"first point", "next point (right click to end)"}},
        {209, "Polyline", {"first point", "next point (right click to end)"}},
        {211, "Ellipse", {"centre", "end of the axis", "distance across the axis"}},
        {212, "Rectangle", {"first corner", "opposite corner"}},
        {220, "Circle", {"first point of the diameter", "second point of the diameter"}},
        {221, "Circle", {"centre", "point on the circle"}},
        {242, "Spline", {"first point", "next point (right click to end)"}},
        {245, "Text", {"start of the text"}},
        {247, "Leader", {"tip of the arrow", "next point (right click to end)"}},
        {249, "MultiText", {"top left corner of the text"}},
        {255, "Edit Raster", {}},
        {301, "Undo", {}},
        {302, "Redo", {}},
        {306, "Properties", {}},
        {311, "Erase", {}},
        {312, "Copy", {"base point", "second point"}},
        {313, "Move", {"base point", "second point"}},
        {314, "Rotate", {"centre of rotation", "point giving the angle"}},
        {315, "Scale", {"base point"}},
        {316, "Mirror", {"first point of the mirror line", "second point of the mirror line"}},
        {317, "Explode", {}},
        {427, "Polar", {}},
        {501, "Select", {"pick an object (right click to end)"}},
        {502, "Select W", {"first corner", "opposite corner"}},
        {801, "Layers", {}},
        {802, "Layer Order", {}},
        {806, "Text Style", {}},
        {901, "Print", {}},
        {911, "Cancel", {}},
        {912, "Regenerate", {}},
        {952, "Measure", {"first point", "next point (right click to end)"}},
    };
    return table;
}

const CommandInfo *info(int number)
{
    for (const CommandInfo &c : commandTable())
        if (c.number == number)
            return &c;
    return nullptr;
}

double distance(QPointF a, QPointF b)
{
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

double angleOf(QPointF from, QPointF to)
{
    return qRadiansToDegrees(std::atan2(to.y() - from.y(), to.x() - from.x()));
}

QPolygonF rectangle(QPointF a, QPointF b)
{
    return QPolygonF({a, QPointF(b.x(), a.y()), b, QPointF(a.x(), b.y()), a});
}

QPolygonF ellipseOutline(QPointF centre, double rx, double ry, double degrees)
{
    QPolygonF outline;
    const double turn = qDegreesToRadians(degrees);
    for (int i = 0; i <= 72; ++i) {
        const double t = 2 * M_PI * i / 72;
        const double x = rx * std::cos(t), y = ry * std::sin(t);
        outline << centre + QPointF(x * std::cos(turn) - y * std::sin(turn), x * std::sin(turn) + y * std::cos(turn));
    }
    return outline;
}

// The distance of p from the line through a and b.
double acrossLine(QPointF p, QPointF a, QPointF b)
{
    const double length = distance(a, b);
    if (length <= 0)
        return distance(a, p);
    return std::abs((b.x() - a.x()) * (a.y() - p.y()) - (a.x() - p.x()) * (b.y() - a.y())) / length;
}

} // namespace

CommandEngine::CommandEngine(Drawing &drawing, Viewport &viewport, QObject *parent)
    : QObject(parent),
      m_drawing(drawing),
      m_viewport(viewport)
{}

bool CommandEngine::knows(int number)
{
    return info(number) != nullptr;
}

void CommandEngine::setPrompt(const QString &text)
{
    if (text == m_prompt)
        return;
    m_prompt = text;
    emit promptChanged(m_prompt);
}

void CommandEngine::nextPrompt()
{
    const CommandInfo *c = info(m_command);
    if (!c)
        return;
    const QString name = QString::fromLatin1(c->name);
    if (m_phase == Phase::Selecting) {
        setPrompt(name + QStringLiteral(": select objects (right click when done)"));
        return;
    }
    if (c->asks.isEmpty())
        return;
    const qsizetype step = std::min<qsizetype>(m_points.size(), c->asks.size() - 1);
    setPrompt(name + QStringLiteral(": ") + QString::fromLatin1(c->asks[step]));
}

void CommandEngine::end()
{
    m_command = 0;
    m_phase = Phase::Points;
    m_points.clear();
    m_measured = 0;
    setPrompt(QStringLiteral("Command:"));
    emit changed();
}

void CommandEngine::cancel()
{
    end();
}

bool CommandEngine::needsSelection(int number) const
{
    switch (number) {
    case 255:
    case 306:
    case 311:
    case 312:
    case 313:
    case 314:
    case 315:
    case 316:
    case 317: return true;
    default: return false;
    }
}

void CommandEngine::setSelection(const QVector<Handle> &handles)
{
    m_selection.clear();
    for (Handle h : handles)
        if (m_drawing.entity(h) && !m_selection.contains(h))
            m_selection << h;
    emit changed();
}

void CommandEngine::clearSelection()
{
    m_selection.clear();
    emit changed();
}

void CommandEngine::pruneSelection()
{
    m_selection.erase(
        std::remove_if(m_selection.begin(), m_selection.end(), [this](Handle h) { return !m_drawing.entity(h); }),
        m_selection.end());
}

void CommandEngine::run(int number)
{
    if (m_command)
        end();
    const CommandInfo *c = info(number);
    if (!c) {
        setPrompt(QStringLiteral("Unknown command %1").arg(number));
        return;
    }
    switch (number) {
    case 102: m_viewport.zoomExtents(m_drawing.extents()); break;
    case 103: m_viewport.zoomBy(2); break;
    case 104: m_viewport.zoomBy(0.5); break;
    case 105: m_viewport.previous(); break;
    case 301:
        m_drawing.undo();
        pruneSelection();
        break;
    case 302:
        m_drawing.redo();
        pruneSelection();
        break;
    case 427:
        m_polar = !m_polar;
        setPrompt(m_polar ? QStringLiteral("Polar: on") : QStringLiteral("Polar: off"));
        emit changed();
        return;
    case 801: editLayers(); break;
    case 802: editLayerOrder(); break;
    case 806: editTextStyle(); break;
    case 901: print(); break;
    case 911: m_selection.clear(); break;
    case 912: break;
    default:
        m_command = number;
        m_phase = needsSelection(number) && m_selection.isEmpty() ? Phase::Selecting : Phase::Points;
        nextPrompt();
        if (m_phase == Phase::Points && needsSelection(number))
            selectionReady();
        return;
    }
    setPrompt(QStringLiteral("Command:"));
    emit changed();
}

void CommandEngine::pickInto(QPointF point, double tolerance, bool toggle)
{
    const Handle h = pickEntity(m_drawing, point, tolerance);
    if (!h)
        return;
    if (m_selection.contains(h)) {
        if (toggle)
            m_selection.removeAll(h);
    } else {
        m_selection << h;
    }
    emit changed();
}

// The selection is there: commands that need no point act now.
void CommandEngine::selectionReady()
{
    m_phase = Phase::Points;
    switch (m_command) {
    case 255: editRaster(); break;
    case 306: editProperties(); break;
    case 311: eraseSelection(); break;
    case 317: explodeSelection(); break;
    default: nextPrompt(); return;
    }
    end();
}

QPointF CommandEngine::polarAdjusted(QPointF point) const
{
    if (!m_polar || m_points.isEmpty() || m_phase != Phase::Points)
        return point;
    switch (m_command) {
    case 205:
    case 209:
    case 212:
    case 242:
    case 247:
    case 312:
    case 313:
    case 314:
    case 952: break;
    default: return point;
    }
    // Every 15 degrees from the last point, at the clicked distance.
    const QPointF from = m_points.last();
    const double length = distance(from, point);
    const double snapped = qDegreesToRadians(std::round(angleOf(from, point) / 15.0) * 15.0);
    return from + QPointF(std::cos(snapped) * length, std::sin(snapped) * length);
}

void CommandEngine::click(QPointF point, double tolerance)
{
    if (!m_command)
        return;
    if (m_phase == Phase::Selecting) {
        pickInto(point, tolerance, false);
        return;
    }
    point = polarAdjusted(point);
    switch (m_command) {
    case 501: pickInto(point, tolerance, true); return;
    case 205:
        m_points << point;
        if (m_points.size() >= 2) {
            m_drawing.checkpoint();
            m_drawing.addLine(m_points[m_points.size() - 2], m_points.last());
            m_points = {m_points.last()};
            emit changed();
        }
        break;
    case 952:
        if (!m_points.isEmpty()) {
            const double last = distance(m_points.last(), point);
            m_measured += last;
            emit measured(m_measured, last);
        }
        m_points << point;
        break;
    case 209:
    case 242:
    case 247: m_points << point; break;
    case 245:
    case 249: {
        const int command = m_command;
        end();
        makeText(point, command == 249);
        return;
    }
    case 315: scaleSelection(point); return;
    default:
        m_points << point;
        if (m_points.size() >= info(m_command)->asks.size()) {
            pointsDone();
            return;
        }
    }
    nextPrompt();
    emit changed();
}

// A command with a fixed number of points has them all.
void CommandEngine::pointsDone()
{
    const QPointF a = m_points.value(0), b = m_points.value(1);
    switch (m_command) {
    case 106: m_viewport.zoomWindow(a, b); break;
    case 111: m_viewport.panBy(m_viewport.toScreen(b) - m_viewport.toScreen(a)); break;
    case 211: {
        const double across = acrossLine(m_points.value(2), a, b);
        if (distance(a, b) > 0 && across > 0) {
            m_drawing.checkpoint();
            m_drawing.addEllipse(a, distance(a, b), across, angleOf(a, b));
        }
        break;
    }
    case 212:
        if (a.x() != b.x() && a.y() != b.y()) {
            m_drawing.checkpoint();
            QPolygonF corners = rectangle(a, b);
            corners.removeLast();
            m_drawing.addPolyline(corners, true);
        }
        break;
    case 220:
        if (distance(a, b) > 0) {
            m_drawing.checkpoint();
            m_drawing.addCircle((a + b) / 2, distance(a, b) / 2);
        }
        break;
    case 221:
        if (distance(a, b) > 0) {
            m_drawing.checkpoint();
            m_drawing.addCircle(a, distance(a, b));
        }
        break;
    case 312:
    case 313: transformSelection(Similarity::translation(b - a), m_command == 312); break;
    case 314:
        if (distance(a, b) > 0)
            transformSelection(Similarity::rotation(a, angleOf(a, b)), false);
        break;
    case 316:
        if (distance(a, b) > 0)
            transformSelection(Similarity::mirror(a, b), false);
        break;
    case 502: {
        for (Handle h : entitiesInside(m_drawing, QRectF(a, b)))
            if (!m_selection.contains(h))
                m_selection << h;
        break;
    }
    default: break;
    }
    end();
}

void CommandEngine::finish()
{
    if (!m_command)
        return;
    if (m_phase == Phase::Selecting) {
        if (m_selection.isEmpty()) {
            end();
            return;
        }
        selectionReady();
        return;
    }
    finishPath();
}

void CommandEngine::finishPath()
{
    const int command = m_command;
    const QVector<QPointF> points = m_points;
    end();
    if (points.size() < 2)
        return;
    switch (command) {
    case 209:
        m_drawing.checkpoint();
        m_drawing.addPolyline(points);
        break;
    case 242:
        m_drawing.checkpoint();
        m_drawing.addSpline(points);
        break;
    case 247: {
        QString text;
        if (!UI().textInput(QStringLiteral("Enter the leader's text (may be empty)"), QStringLiteral("Text"), QString(),
                            QStringLiteral("Leader"), text))
            text.clear();
        m_drawing.checkpoint();
        const Handle h = m_drawing.addLeader(points, text);
        if (Entity *e = m_drawing.modify(h)) {
            e->height = m_drawing.defaultTextHeight();
            e->arrowSize = m_drawing.defaultTextHeight();
        }
        break;
    }
    default: return;
    }
    emit changed();
}

void CommandEngine::makeText(QPointF at, bool multi)
{
    QStringList lines;
    for (;;) {
        QString line;
        const QString prompt = multi ? QStringLiteral("Enter line %1 of the text (empty to end)").arg(lines.size() + 1)
                                     : QStringLiteral("Enter the text");
        if (!UI().textInput(prompt, QStringLiteral("Text"), QString(),
                            multi ? QStringLiteral("MultiText") : QStringLiteral("Text"), line)
            || line.isEmpty())
            break;
        lines << line;
        if (!multi)
            break;
    }
    if (lines.isEmpty())
        return;
    m_drawing.checkpoint();
    if (multi)
        m_drawing.addMultiText(at, lines.join(u'\n'));
    else
        m_drawing.addText(at, lines.first());
    emit changed();
}

void CommandEngine::transformSelection(const Similarity &t, bool copy)
{
    pruneSelection();
    if (m_selection.isEmpty())
        return;
    if (copy) {
        qint64 added = 0;
        for (Handle h : std::as_const(m_selection))
            added += m_drawing.expansionOf(*m_drawing.entity(h));
        if (m_drawing.expandedCount() + added > kMaxExpandedEntities)
            throw SolvaneError(ErrorNumber::BadFileFormat,
                               QStringLiteral("The copy cannot be made: ") + expansionLimitProblem() + u'.');
    }
    m_drawing.checkpoint();
    QVector<Handle> moved;
    for (Handle h : std::as_const(m_selection)) {
        const Handle target = copy ? m_drawing.duplicate(h) : h;
        m_drawing.transform(target, t);
        moved << target;
    }
    emit changed();
}

void CommandEngine::scaleSelection(QPointF base)
{
    end();
    QString typed;
    if (!UI().numericInput(QStringLiteral("Enter the scale factor"), QStringLiteral("Factor"), QStringLiteral("1"),
                           QStringLiteral("Scale"), typed))
        return;
    const QString trimmed = typed.trimmed();
    const double factor = num::isNumericText(trimmed) ? num::leadingNumber(trimmed) : 0;
    // A factor of 0 would collapse the selection into its base point.
    if (factor == 0 || !std::isfinite(factor)) {
        UI().message(QStringLiteral("The scale factor must be a number other than 0."), QStringLiteral("Scale"),
                     Prompter::Icon::Warning);
        return;
    }
    pruneSelection();
    if (m_selection.isEmpty())
        return;
    m_drawing.checkpoint();
    for (Handle h : std::as_const(m_selection))
        m_drawing.scaleAbout(h, base, factor);
    emit changed();
}

void CommandEngine::eraseSelection()
{
    pruneSelection();
    if (m_selection.isEmpty())
        return;
    m_drawing.checkpoint();
    for (Handle h : std::as_const(m_selection))
        m_drawing.erase(h);
    m_selection.clear();
}

void CommandEngine::explodeSelection()
{
    pruneSelection();
    if (m_selection.isEmpty())
        return;
    m_drawing.checkpoint();
    QVector<Handle> parts;
    for (Handle h : std::as_const(m_selection)) {
        const QVector<Handle> made = m_drawing.explode(h);
        parts += made.isEmpty() ? QVector<Handle>{h} : made;
    }
    m_selection.clear();
    for (Handle h : parts)
        if (m_drawing.entity(h))
            m_selection << h;
}

void CommandEngine::editProperties()
{
    pruneSelection();
    if (m_selection.isEmpty() || !m_dialogs)
        return;
    const Entity *first = m_drawing.entity(m_selection.first());
    QStringList names;
    for (int id = 1; id <= m_drawing.layerCount(); ++id)
        names << m_drawing.layer(id)->name;
    const Layer *layer = m_drawing.layer(first->layer);
    const std::optional<EntityProperties> chosen =
        m_dialogs->properties({first->colour, layer ? layer->name : QString()}, names);
    if (!chosen)
        return;
    const int layerId = m_drawing.layerId(chosen->layer);
    m_drawing.checkpoint();
    for (Handle h : std::as_const(m_selection)) {
        Entity *e = m_drawing.modify(h);
        e->colour = std::clamp(chosen->colour, 0, kByLayer);
        if (layerId)
            e->layer = layerId;
    }
}

void CommandEngine::editRaster()
{
    Handle raster = 0;
    for (Handle h : std::as_const(m_selection))
        if (const Entity *e = m_drawing.entity(h); e && e->kind == Kind::Raster)
            raster = h;
    if (!raster) {
        UI().message(QStringLiteral("Select a photo first (a photo on a locked layer cannot be selected)."),
                     QStringLiteral("Edit Raster"), Prompter::Icon::Information);
        return;
    }
    if (!m_dialogs)
        return;
    const Entity *e = m_drawing.entity(raster);
    const std::optional<RasterPlacement> chosen = m_dialogs->raster({e->anchor(), e->scale, e->angle}, e->imageSize);
    if (!chosen || !(chosen->scale > 0) || !std::isfinite(chosen->scale))
        return;
    m_drawing.checkpoint();
    Entity *changed = m_drawing.modify(raster);
    changed->points = {chosen->corner};
    changed->scale = chosen->scale;
    changed->angle = chosen->angle;
}

void CommandEngine::editLayers()
{
    if (!m_dialogs)
        return;
    LayerTable now;
    for (int id = 1; id <= m_drawing.layerCount(); ++id)
        now.layers << *m_drawing.layer(id);
    now.current = m_drawing.currentLayer();
    const std::optional<LayerTable> chosen = m_dialogs->layers(now);
    if (!chosen)
        return;
    m_drawing.checkpoint();
    for (qsizetype i = 0; i < chosen->layers.size(); ++i) {
        const Layer &wanted = chosen->layers[i];
        const int id = i < now.layers.size() ? int(i + 1) : m_drawing.addLayer(wanted.name, wanted.colour);
        if (Layer *layer = m_drawing.modifyLayer(id)) {
            layer->colour = std::clamp(wanted.colour, 0, 255);
            layer->visible = wanted.visible;
            layer->locked = wanted.locked;
        }
    }
    m_drawing.setCurrentLayer(chosen->current);
}

void CommandEngine::editLayerOrder()
{
    if (!m_dialogs)
        return;
    QVector<Layer> layers;
    for (int id = 1; id <= m_drawing.layerCount(); ++id)
        layers << *m_drawing.layer(id);
    const std::optional<QVector<int>> chosen = m_dialogs->layerOrder(layers, m_drawing.drawingOrder());
    if (!chosen || chosen->size() != layers.size())
        return;
    m_drawing.checkpoint();
    // The back layer gets the highest number.
    for (qsizetype i = 0; i < chosen->size(); ++i)
        if (Layer *layer = m_drawing.modifyLayer(chosen->at(i)))
            layer->order = int(chosen->size() - 1 - i);
}

void CommandEngine::editTextStyle()
{
    if (!m_dialogs)
        return;
    const int id = m_drawing.addTextStyle(QStringLiteral("Standard"));
    const std::optional<TextStyleChoice> chosen =
        m_dialogs->textStyle({*m_drawing.textStyle(id), m_drawing.defaultTextHeight()});
    if (!chosen)
        return;
    m_drawing.checkpoint();
    TextStyle *style = m_drawing.modifyTextStyle(id);
    style->fontFile = chosen->style.fontFile;
    if (chosen->style.size > 0)
        style->size = chosen->style.size;
    if (chosen->textHeight > 0 && std::isfinite(chosen->textHeight))
        m_drawing.setDefaultTextHeight(chosen->textHeight);
}

void CommandEngine::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    // A cancelled dialog prints nothing.
    if (!UI().printDialog(printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer))
        throw SolvaneError(ErrorNumber::FileWrite, QStringLiteral("The printer could not start printing."));
    const QRectF page(QPointF(0, 0), QSizeF(painter.device()->width(), painter.device()->height()));
    QRectF extents = m_drawing.extents();
    if (extents.isNull())
        extents = QRectF(0, 0, 1, 1);
    RenderOptions options;
    options.fillBackground = false;
    options.lineWidth = std::max(1.0, printer.resolution() / 150.0);
    render(painter, m_drawing, fitTransform(extents, page), options);
    painter.end();
}

QVector<QPolygonF> CommandEngine::preview(QPointF pointer) const
{
    if (!m_command || m_phase != Phase::Points || m_points.isEmpty())
        return {};
    const QPointF p = polarAdjusted(pointer);
    const QPointF a = m_points.first();
    switch (m_command) {
    case 106:
    case 212:
    case 502: return {rectangle(a, p)};
    case 220: return {ellipseOutline((a + p) / 2, distance(a, p) / 2, distance(a, p) / 2, 0)};
    case 221: return {ellipseOutline(a, distance(a, p), distance(a, p), 0)};
    case 211:
        if (m_points.size() == 1)
            return {QPolygonF({a, p})};
        return {ellipseOutline(a, distance(a, m_points[1]), acrossLine(p, a, m_points[1]), angleOf(a, m_points[1]))};
    case 312:
    case 313:
    case 314:
    case 316:
    case 111: return {QPolygonF({a, p})};
    default: {
        QPolygonF path(m_points);
        path << p;
        return {path};
    }
    }
}

} // namespace cad
