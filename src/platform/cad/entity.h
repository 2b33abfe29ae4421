#pragma once

#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

// The things a drawing is made of. Coordinates are drawing units with y up;
// angles are degrees, counter-clockwise from the x axis.
namespace cad {

// An entity's handle: above 0, given in insertion order and never reused
// within a drawing's life; 0 means none.
using Handle = int;

enum class Kind { Line, Circle, Ellipse, Polyline, Spline, Text, MultiText, Leader, Raster, Insert };

// Colour numbers: 0 to 255 index the palette (cad::paletteColour); 256 takes
// the colour of the entity's layer.
inline constexpr int kByLayer = 256;

struct Entity
{
    Kind kind = Kind::Line;
    Handle handle = 0;
    int layer = 0; // the layer's id in its drawing; 0 inside a block (the insert's layer applies)
    int colour = kByLayer;

    // Line: start and end. Polyline, Spline, Leader: the vertices (a leader's
    // first point is its arrow's tip). Every other kind: one point, its
    // anchor: a circle's or ellipse's centre, a text's baseline start, a
    // multitext's top left corner, a raster's lower left corner, an insert's
    // insertion point.
    QVector<QPointF> points;
    bool closed = false; // Polyline, Spline

    double radius = 0; // Circle; Ellipse along its axis
    double radiusY = 0; // Ellipse across its axis
    double angle = 0; // Ellipse axis, Text and MultiText baseline, Raster and Insert x axis
    double height = 0; // Text, MultiText, Leader: height of capital letters
    double arrowSize = 0; // Leader
    // Raster: image pixels per drawing unit (s). Insert: the scale factor.
    double scale = 1;
    // Raster, Insert: flipped across the x axis before the angle turns it.
    bool mirrored = false;

    QString text; // Text, MultiText (lines joined by "\n"), Leader (empty for none)
    QString style; // Text, MultiText, Leader: the text style's name

    // Raster: the file as named when placed, its pixels (shared, never copied
    // by an undo step) and its size in pixels; a raster whose file could not
    // be read keeps its size and shows as a frame.
    QString imagePath;
    QImage image;
    QSize imageSize;

    QString block; // Insert: the block's name

    QPointF anchor() const { return points.value(0); }
};

// A similarity of the plane: p' = scale * R(angle) * M(p) + offset, where M
// mirrors across the x axis (y becomes -y) when `mirrored`. Moving,
// turning, scaling and mirroring a selection are all of this form, so shapes
// keep their proportions and texts can stay readable.
struct Similarity
{
    double scale = 1; // above 0: a negative factor is a half turn (see scaling())
    double angle = 0;
    bool mirrored = false;
    QPointF offset;

    QPointF map(QPointF p) const;
    // Maps a direction given as an angle in degrees.
    double mapAngle(double degrees) const;

    // This one, then `next`.
    Similarity then(const Similarity &next) const;

    static Similarity translation(QPointF by);
    static Similarity rotation(QPointF centre, double degrees);
    static Similarity scaling(QPointF centre, double factor);
    // Across the line through a and b (a and b apart).
    static Similarity mirror(QPointF a, QPointF b);
};

// The entity moved by the similarity: points mapped, lengths and heights
// scaled, a raster's s divided by the scale. Texts keep reading left to
// right after a mirror: their anchor is mirrored, their letters are not.
void transformEntity(Entity &entity, const Similarity &t);

// The placement of an insert: block coordinates to drawing coordinates.
Similarity insertPlacement(const Entity &insert, QPointF blockBase);

// The curve a spline draws: through every point (Catmull-Rom), 16 steps a
// span; two points give their line.
QVector<QPointF> splineCurve(const QVector<QPointF> &points, bool closed);

// Text layout, shared by painting and measuring. A multitext's lines are
// kLinePitch x height apart; its first baseline lies one height below its
// anchor. A Text has one line, its baseline starting at the anchor.
inline constexpr double kLinePitch = 5.0 / 3.0;
QStringList textLines(const Entity &text);
QVector<QPointF> textBaselines(const Entity &text);
// The width a text line is taken to have when measured without a font,
// and how far letters reach below and above the baseline.
inline constexpr double kCharWidth = 0.8; // x height
inline constexpr double kDescent = 0.3; // x height
inline constexpr double kAscent = 1.1; // x height

// A leader's annotation as a text: level, starting half a height right of
// and below its last point.
Entity leaderLabel(const Entity &leader);

} // namespace cad
