#pragma once

#include "drawing.h"
#include "errors.h"
#include "vecfile.h"

#include <QFileInfo>
#include <QtTest>

// ".Vec" files for tests: hostile ones, and the promise every file the
// program writes keeps (read, write, read, write gives two identical files
// and two equal drawings). Tests that use this link the drawing library
// themselves.
namespace vecsamples {

// Blocks B1 to B`levels`, B1 of 16 lines and each other one of 16 inserts
// of the block below, and `topInserts` inserts of the last: with 8 levels,
// about 4 KB that expand to 16^8 entities an insert; with 4, 69905.
inline QByteArray nestedInserts(int topInserts = 1, int levels = 8)
{
    QByteArray bytes = "SOLVANE-VEC 1\r\n";
    for (int level = 1; level <= levels; ++level) {
        bytes += "BLOCK \"B" + QByteArray::number(level) + "\" 0 0\r\n";
        for (int i = 0; i < 16; ++i) {
            if (level == 1)
                bytes += "LINE \"\" 256 0 0 " + QByteArray::number(i) + " 1\r\n";
            else
                bytes += "INSERT \"\" 256 \"B" + QByteArray::number(level - 1) + "\" " + QByteArray::number(i)
                         + " 0 1 0 0\r\n";
        }
        bytes += "ENDBLOCK\r\n";
    }
    for (int i = 0; i < topInserts; ++i)
        bytes += "INSERT \"0\" 256 \"B" + QByteArray::number(levels) + "\" 0 0 1 0 0\r\n";
    return bytes + "END\r\n";
}

inline QString describe(const cad::Entity &e)
{
    QString out = QStringLiteral("kind %1 layer %2 colour %3 points").arg(int(e.kind)).arg(e.layer).arg(e.colour);
    for (const QPointF p : e.points)
        out += QStringLiteral(" (%1 %2)").arg(p.x(), 0, 'g', 17).arg(p.y(), 0, 'g', 17);
    out += QStringLiteral(" closed %1 r %2 %3 angle %4 height %5 arrow %6 scale %7 mirrored %8")
               .arg(e.closed)
               .arg(e.radius, 0, 'g', 17)
               .arg(e.radiusY, 0, 'g', 17)
               .arg(e.angle, 0, 'g', 17)
               .arg(e.height, 0, 'g', 17)
               .arg(e.arrowSize, 0, 'g', 17)
               .arg(e.scale, 0, 'g', 17)
               .arg(e.mirrored);
    out += QStringLiteral(" text [%1] style [%2] image [%3] %4x%5 block [%6] handle %7")
               .arg(e.text, e.style, e.imagePath)
               .arg(e.imageSize.width())
               .arg(e.imageSize.height())
               .arg(e.block)
               .arg(e.handle);
    return out;
}

// Every value a drawing holds, one line each, pixels by their size: two
// drawings with the same lines are the same drawing.
inline QStringList describe(const cad::Drawing &d)
{
    const cad::DrawingData &data = d.data();
    QStringList out;
    out << QStringLiteral("background %1 text height %2 current %3 next %4")
               .arg(data.background.name())
               .arg(data.textHeight, 0, 'g', 17)
               .arg(data.currentLayer)
               .arg(data.nextHandle);
    for (const cad::Layer &l : data.layers)
        out << QStringLiteral("layer [%1] %2 %3 %4 %5")
                   .arg(l.name)
                   .arg(l.colour)
                   .arg(l.order)
                   .arg(l.visible)
                   .arg(l.locked);
    for (const cad::TextStyle &t : data.textStyles)
        out << QStringLiteral("text style [%1] [%2] %3").arg(t.name, t.fontFile).arg(t.size, 0, 'g', 17);
    for (const cad::DimStyle &s : data.dimStyles) {
        QString line = QStringLiteral("dim style [%1]").arg(s.name);
        for (double size : s.sizes)
            line += QStringLiteral(" %1").arg(size, 0, 'g', 17);
        out << line;
    }
    for (const auto &b : data.blocks) {
        out << QStringLiteral("block [%1] %2 %3")
                   .arg(b->name)
                   .arg(b->base.x(), 0, 'g', 17)
                   .arg(b->base.y(), 0, 'g', 17);
        for (const cad::Entity &e : b->entities)
            out << QStringLiteral("  ") + describe(e);
    }
    for (const auto &e : data.entities)
        out << describe(*e);
    return out;
}

// Reads the file, writes it, reads and writes that again: both writes give
// the same bytes and both reads the same drawing. Relative photo paths are
// taken from the file's folder each time.
inline void checkRoundTrip(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    try {
        const cad::Drawing first = cad::readVecFile(path);
        const QByteArray firstBytes = cad::vecBytes(first);
        const cad::Drawing second = cad::parseVec(firstBytes, path + QStringLiteral(" (written)"), folder);
        QCOMPARE(describe(second), describe(first));
        QCOMPARE(cad::vecBytes(second), firstBytes);
    } catch (const SolvaneError &e) {
        QFAIL(qPrintable(e.description()));
    }
}

} // namespace vecsamples
