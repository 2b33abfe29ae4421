#include "installdata.h"

#include "gifwriter.h"
#include "imagefile.h"
#include "insoleoutline.h"
#include "paths.h"
#include "render.h"
#include "textfile.h"
#include "vecfile.h"

#include <QDir>
#include <QPainter>

#include <functional>

namespace installdata {

namespace {

constexpr int kIconSize = 48;

cad::Entity shape(cad::Kind kind, const QVector<QPointF> &points, bool closed = false)
{
    cad::Entity e;
    e.kind = kind;
    e.points = points;
    e.closed = closed;
    return e;
}

cad::Entity circle(QPointF centre, double radius)
{
    cad::Entity e = shape(cad::Kind::Circle, {centre});
    e.radius = radius;
    return e;
}

cad::Entity text(QPointF baselineStart, double height, const QString &words)
{
    cad::Entity e = shape(cad::Kind::Text, {baselineStart});
    e.height = height;
    e.style = QStringLiteral("Standard");
    e.text = words;
    return e;
}

FeatureBlock feature(const QString &name, const QString &label, const QVector<cad::Entity> &entities)
{
    FeatureBlock f;
    f.blockFile = name + QStringLiteral(".Vec");
    f.iconFile = name + QStringLiteral(".Gif");
    f.label = label;
    f.block.name = name;
    f.block.entities = entities;
    return f;
}

QVector<QPointF> outline(double length, bool mirrored, QPointF heel = {})
{
    QVector<QPointF> points;
    for (const insole::OutlinePoint &p : insole::outlinePoints(length, mirrored))
        points << heel + QPointF(p.x, p.y);
    return points;
}

QImage fitted(const cad::Drawing &drawing, int size, double lineWidth)
{
    QImage image(size, size, QImage::Format_RGB32);
    QPainter painter(&image);
    const double margin = 3;
    const QRectF world = drawing.extents();
    const double pad = std::max(world.width(), world.height()) * 0.02;
    cad::RenderOptions options;
    options.lineWidth = lineWidth;
    cad::render(painter, drawing,
                cad::fitTransform(world.adjusted(-pad, -pad, pad, pad),
                                  QRectF(margin, margin, size - 2 * margin, size - 2 * margin)),
                options);
    painter.end();
    return image;
}

} // namespace

QVector<FeatureBlock> featureBlocks()
{
    using cad::Kind;
    cad::Entity dome = shape(Kind::Ellipse, {{0, 0}});
    dome.radius = 11;
    dome.radiusY = 8;
    dome.angle = 90;
    cad::Entity arrow = shape(Kind::Leader, {{0, 0}, {15, 15}, {30, 15}});
    arrow.arrowSize = 5;
    arrow.height = 5;
    arrow.style = QStringLiteral("Standard");
    return {
        feature(QStringLiteral("Met_Pad"), QStringLiteral("Metatarsal Pad"),
                {shape(Kind::Spline, {{0, 20}, {10, 14}, {13, 2}, {8, -11}, {0, -24}, {-8, -11}, {-13, 2}, {-10, 14}},
                       true)}),
        feature(QStringLiteral("Met_Dome"), QStringLiteral("Metatarsal Dome"),
                {dome, shape(Kind::Line, {{-3, 0}, {3, 0}}), shape(Kind::Line, {{0, -3}, {0, 3}})}),
        feature(QStringLiteral("Heel_Spur"), QStringLiteral("Heel Spur Cut-Out"),
                {circle({0, 0}, 12), circle({0, 0}, 5)}),
        feature(QStringLiteral("First_Ray"), QStringLiteral("1st Ray Cut-Out"),
                {shape(Kind::Spline, {{-10, -15}, {10, -15}, {10, 8}, {0, 15}, {-10, 8}}, true)}),
        feature(QStringLiteral("Morton_Ext"), QStringLiteral("Morton's Extension"),
                {shape(Kind::Polyline, {{-11, -22}, {11, -22}, {11, 18}, {5, 23}, {-5, 23}, {-11, 18}}, true)}),
        feature(QStringLiteral("Heel_Lift"), QStringLiteral("Heel Lift"),
                {shape(Kind::Polyline, {{-20, -10}, {20, -10}, {20, 10}, {-20, 10}}, true),
                 text({-12, -3}, 6, QStringLiteral("LIFT"))}),
        feature(QStringLiteral("Arrow"), QStringLiteral("Arrow"), {arrow}),
    };
}

cad::Drawing templateOutline(bool mirrored)
{
    cad::Drawing d;
    d.addPolyline(outline(1.0, mirrored));
    return d;
}

QImage blockIcon(const cad::Block &block)
{
    cad::Drawing d;
    d.insertBlock(d.defineBlock(block), block.base);
    return fitted(d, kIconSize, 2);
}

QImage blankIcon()
{
    QImage image(kIconSize, kIconSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage noImageIcon()
{
    QImage image = blankIcon();
    QPainter painter(&image);
    painter.setPen(QPen(QColor(160, 160, 160), 2));
    painter.drawRect(QRect(5, 5, kIconSize - 11, kIconSize - 11));
    painter.drawLine(5, 5, kIconSize - 6, kIconSize - 6);
    painter.drawLine(kIconSize - 6, 5, 5, kIconSize - 6);
    return image;
}

QImage sketchPicture()
{
    // One drawing unit to the pixel: the left foot's outline (mirrored, as
    // its template is) on the left, the right foot's on the right.
    cad::Drawing d;
    d.setDefaultTextHeight(14);
    d.addPolyline(outline(440, true, {165, 50}));
    d.addPolyline(outline(440, false, {495, 50}));
    d.addText({146, 18}, QStringLiteral("Left"));
    d.addText({471, 18}, QStringLiteral("Right"));
    return cad::exportRegion(d, QRectF(0, 0, 660, 520), 1);
}

QStringList libraryLines()
{
    const QVector<FeatureBlock> blocks = featureBlocks();
    QStringList lines{QString::number(blocks.size()) + QStringLiteral(",Feature blocks")};
    for (const FeatureBlock &f : blocks)
        lines << f.blockFile + u',' + f.iconFile + u',' + f.label;
    return lines;
}

namespace {

struct InstallFile
{
    QString folder; // empty for the working folder itself
    QString name;
    std::function<void(const QString &path)> write;
};

QVector<InstallFile> files()
{
    QVector<InstallFile> out;
    const QString blocks = QStringLiteral("Blocks");
    const QString icons = QStringLiteral("Icons");
    for (const bool mirrored : {false, true})
        out.append({blocks, mirrored ? QStringLiteral("Right_Unit.Vec") : QStringLiteral("Left_Unit.Vec"),
                    [mirrored](const QString &path) { cad::writeVecFile(templateOutline(mirrored), path); }});
    for (const FeatureBlock &f : featureBlocks()) {
        out.append({blocks, f.blockFile, [f](const QString &path) {
                        cad::Drawing d;
                        for (const cad::Entity &e : f.block.entities)
                            d.add(e);
                        cad::writeVecFile(d, path);
                    }});
        out.append({icons, f.iconFile,
                    [f](const QString &path) { textfile::writeBytes(path, Encode_Gif(blockIcon(f.block))); }});
    }
    out.append({icons, QStringLiteral("Blank.Gif"),
                [](const QString &path) { textfile::writeBytes(path, Encode_Gif(blankIcon())); }});
    out.append({icons, QStringLiteral("NoImage.Gif"),
                [](const QString &path) { textfile::writeBytes(path, Encode_Gif(noImageIcon())); }});
    out.append({QString(), QStringLiteral("Graphics.Lib"),
                [](const QString &path) { textfile::writeLines(path, libraryLines()); }});
    out.append({QString(), QStringLiteral("GraphicImage.Jpg"),
                [](const QString &path) { Save_Image_File(sketchPicture(), path); }});
    return out;
}

} // namespace

QStringList installationFiles()
{
    QStringList names;
    for (const InstallFile &f : files())
        names << (f.folder.isEmpty() ? f.name : f.folder + u'/' + f.name);
    return names;
}

QStringList writeMissing(const QString &root)
{
    QStringList written;
    for (const InstallFile &f : files()) {
        QString folder = root;
        if (!f.folder.isEmpty()) {
            folder = Resolve_Path_Nocase(root, f.folder);
            if (folder.isEmpty()) {
                folder = Join_Path(root, f.folder);
                QDir().mkpath(folder);
            }
        }
        if (!Resolve_Path_Nocase(folder, f.name).isEmpty())
            continue;
        const QString path = Join_Path(folder, f.name);
        f.write(path);
        written << path;
    }
    return written;
}

} // namespace installdata
