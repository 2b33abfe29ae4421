#include "cadfixtures.h"
#include "drawing.h"

#include <QtTest>

using namespace cad;

namespace {

bool near(QPointF a, QPointF b, double tolerance = 1e-9)
{
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

bool near(const QRectF &a, const QRectF &b, double tolerance = 1e-9)
{
    return near(a.topLeft(), b.topLeft(), tolerance) && near(a.bottomRight(), b.bottomRight(), tolerance);
}

QString text(QPointF p)
{
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

} // namespace

class TestDrawing : public QObject
{
    Q_OBJECT

private slots:
    void handlesFollowInsertionAndSurviveErasing()
    {
        Drawing d;
        QCOMPARE(d.count(), 0);
        QCOMPARE(d.first(), 0);
        const Handle a = d.addLine({0, 0}, {1, 1});
        const Handle b = d.addCircle({0, 0}, 1);
        const Handle c = d.addText({0, 0}, QStringLiteral("x"));
        QVERIFY(a > 0);
        QVERIFY(a < b && b < c);
        QCOMPARE(d.first(), a);
        QCOMPARE(d.next(a), b);
        QCOMPARE(d.next(c), 0);

        // The pane's clearing loop: erase, then ask for the one after it.
        QVERIFY(d.erase(b));
        QVERIFY(!d.erase(b));
        QCOMPARE(d.next(b), c);
        QCOMPARE(d.next(a), c);
        QCOMPARE(d.entity(b), nullptr);
        const Handle e = d.addLine({0, 0}, {2, 2});
        QVERIFY(e > c); // never reused
        QCOMPARE(d.handles(), (QVector<Handle>{a, c, e}));
        const Handle copy = d.duplicate(a);
        QVERIFY(copy > e);
        QCOMPARE(d.entity(copy)->points, d.entity(a)->points);
    }

    void layersByNameAddedOnce()
    {
        Drawing d;
        QCOMPARE(d.layerCount(), 1);
        const int image = d.addLayer(QStringLiteral("Image"), 1);
        const int scale = d.addLayer(QStringLiteral("Scale"), 4);
        QCOMPARE(d.addLayer(QStringLiteral("Image"), 7), image);
        QCOMPARE(d.addLayer(QStringLiteral("IMAGE")), image);
        QCOMPARE(d.layerCount(), 3);
        QCOMPARE(d.layer(image)->colour, 1); // the existing layer as it was
        QCOMPARE(d.layerId(QStringLiteral("scale")), scale);
        QCOMPARE(d.layerId(QStringLiteral("Client")), 0);
        QVERIFY(!d.setCurrentLayer(QStringLiteral("Client")));
        QVERIFY(d.setCurrentLayer(QStringLiteral("Scale")));
        QCOMPARE(d.currentLayer(), scale);
        QCOMPARE(d.entity(d.addLine({0, 0}, {1, 0}))->layer, scale);

        // Back to front by order, ties in the order the layers were added.
        d.modifyLayer(image)->order = 3;
        QCOMPARE(d.drawingOrder(), (QVector<int>{image, 1, scale}));
    }

    void newestLineOnALayer()
    {
        Drawing d;
        const int scale = d.addLayer(QStringLiteral("Scale"), 4);
        const int client = d.addLayer(QStringLiteral("Client"));
        QCOMPARE(d.newestLine(scale), 0);
        d.setCurrentLayer(scale);
        const Handle first = d.addLine({0, 0}, {3, 4});
        const Handle second = d.addLine({1, 1}, {2, 2});
        d.addCircle({0, 0}, 5); // not a line
        d.setCurrentLayer(client);
        d.addLine({9, 9}, {8, 8});
        QCOMPARE(d.newestLine(scale), second);
        d.erase(second);
        QCOMPARE(d.newestLine(scale), first);
        QCOMPARE(d.lineEnds(first)->p2(), QPointF(3, 4));
        QVERIFY(!d.lineEnds(d.first() + 100));
        QCOMPARE(d.newestLine(d.addLayer(QStringLiteral("Empty"))), 0);
    }

    void transformsMoveKeyPoints_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QPointF>("anchor");
        QTest::addColumn<double>("angle");
        QTest::addColumn<double>("size"); // radius, height or insert scale

        // operation 0: move by (5, -2); 1: turn 90 about (1, 1); 2: scale 2
        // about (1, 1); 3: mirror across the y axis.
        const int circle = int(Kind::Circle), text = int(Kind::Text), insert = int(Kind::Insert);
        QTest::newRow("circle moved") << circle << 0 << QPointF(8, 1) << 0.0 << 2.0;
        QTest::newRow("circle turned") << circle << 1 << QPointF(-1, 3) << 0.0 << 2.0;
        QTest::newRow("circle scaled") << circle << 2 << QPointF(5, 5) << 0.0 << 4.0;
        QTest::newRow("circle mirrored") << circle << 3 << QPointF(-3, 3) << 0.0 << 2.0;
        QTest::newRow("text turned") << text << 1 << QPointF(-1, 3) << 120.0 << 2.0;
        QTest::newRow("text scaled") << text << 2 << QPointF(5, 5) << 30.0 << 4.0;
        // Mirrored, the text still reads left to right: 30 degrees becomes -30.
        QTest::newRow("text mirrored stays readable") << text << 3 << QPointF(-3, 3) << -30.0 << 2.0;
        QTest::newRow("insert turned") << insert << 1 << QPointF(-1, 3) << 120.0 << 2.0;
        QTest::newRow("insert scaled") << insert << 2 << QPointF(5, 5) << 30.0 << 4.0;
        QTest::newRow("insert mirrored") << insert << 3 << QPointF(-3, 3) << 150.0 << 2.0;
    }

    void transformsMoveKeyPoints()
    {
        QFETCH(int, kind);
        QFETCH(int, operation);
        QFETCH(QPointF, anchor);
        QFETCH(double, angle);
        QFETCH(double, size);
        Drawing d;
        Block b;
        b.name = QStringLiteral("B");
        d.defineBlock(b);
        Handle h = 0;
        // Every entity starts at (3, 3) with size 2 and, where it has one, angle 30.
        switch (Kind(kind)) {
        case Kind::Circle: h = d.addCircle({3, 3}, 2); break;
        case Kind::Text:
            d.setDefaultTextHeight(2);
            h = d.addText({3, 3}, QStringLiteral("Abc"), 30);
            break;
        default: h = d.insertBlock(d.blockId(QStringLiteral("B")), {3, 3}, 2, 30); break;
        }
        const Similarity ops[] = {Similarity::translation({5, -2}), Similarity::rotation({1, 1}, 90),
                                  Similarity::scaling({1, 1}, 2), Similarity::mirror({0, 0}, {0, 10})};
        QVERIFY(d.transform(h, ops[operation]));
        const Entity *e = d.entity(h);
        QVERIFY2(near(e->anchor(), anchor), qPrintable(text(e->anchor())));
        const double got = Kind(kind) == Kind::Circle ? e->radius : Kind(kind) == Kind::Text ? e->height : e->scale;
        QCOMPARE(got, size);
        if (Kind(kind) != Kind::Circle)
            QVERIFY2(std::abs(e->angle - angle) < 1e-9, qPrintable(QString::number(e->angle)));
        if (Kind(kind) == Kind::Insert)
            QCOMPARE(e->mirrored, operation == 3);
    }

    void similaritiesCompose()
    {
        const Similarity turn = Similarity::rotation({2, 0}, 90);
        const Similarity flip = Similarity::mirror({0, 1}, {4, 1});
        const Similarity both = turn.then(flip);
        for (const QPointF p : {QPointF(0, 0), QPointF(3, -7), QPointF(1.5, 2)})
            QVERIFY(near(both.map(p), flip.map(turn.map(p))));
        QVERIFY(near(Similarity::scaling({1, 1}, -2).map({2, 1}), {-1, 1}));
    }

    void rasterScaledAboutTheOrigin()
    {
        Drawing d;
        const Handle r = d.addRasterImage(cadfixtures::texturedPhoto(640, 480), QString(), {0, 0}, 480);
        QVERIFY(near(d.entityExtents(*d.entity(r)), QRectF(0, 0, 640.0 / 480, 1)));
        QVERIFY(d.scaleAbout(r, {0, 0}, 2));
        QCOMPARE(d.rasterScale(r), 240.0);
        QCOMPARE(d.rasterPixelSize(r), QSize(640, 480));
        QVERIFY(near(d.entityExtents(*d.entity(r)), QRectF(0, 0, 2 * 640.0 / 480, 2)));
        QCOMPARE(d.rasterScale(d.addLine({0, 0}, {1, 1})), 0.0);
    }

    void extentsOfEveryKind_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRectF>("box");
        const double hw = std::hypot(6 * std::cos(M_PI / 6), 2 * std::sin(M_PI / 6));
        const double hh = std::hypot(6 * std::sin(M_PI / 6), 2 * std::cos(M_PI / 6));
        QTest::newRow("line") << 0 << QRectF(QPointF(1, 2), QPointF(30.5, 40.25));
        QTest::newRow("circle") << 1 << QRectF(QPointF(2.5, -12.5), QPointF(17.5, 2.5));
        QTest::newRow("ellipse") << 2 << QRectF(QPointF(-3 - hw, 4 - hh), QPointF(-3 + hw, 4 + hh));
        QTest::newRow("polyline") << 3 << QRectF(QPointF(0, 0), QPointF(10, 5));
        QTest::newRow("raster") << 8 << QRectF(QPointF(-20, -10), QPointF(-4, 2));
        // The block's line from (0, 0) to (2, 2) about its base (1, 1),
        // scaled 3 and turned 45: upright through (40, 40).
        const double reach = 3 * std::sqrt(2.0);
        QTest::newRow("insert") << 9 << QRectF(QPointF(40, 40 - reach), QPointF(40, 40 + reach));
    }

    void extentsOfEveryKind()
    {
        QFETCH(int, index);
        QFETCH(QRectF, box);
        Drawing d;
        const QVector<Handle> made = cadfixtures::oneOfEach(d);
        const QRectF got = d.entityExtents(*d.entity(made[index]));
        QVERIFY2(near(got, box, 1e-9), qPrintable(text(got.topLeft()) + text(got.bottomRight())));
    }

    void splineAndTextExtentsCoverTheirPoints()
    {
        Drawing d;
        const QVector<Handle> made = cadfixtures::oneOfEach(d);
        const QRectF spline = d.entityExtents(*d.entity(made[4]));
        for (const QPointF p : d.entity(made[4])->points)
            QVERIFY(spline.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(p));
        // Text reaches from below its baseline to above its height, to the right.
        d.setDefaultTextHeight(10);
        const Handle t = d.addText({0, 0}, QStringLiteral("ABCD"), 0);
        const QRectF box = d.entityExtents(*d.entity(t));
        QVERIFY(box.top() < 0 && box.bottom() > 10 && std::abs(box.left()) < 1e-9 && box.right() > 20);
        QVERIFY(d.extents().contains(box));
        QCOMPARE(Drawing().extents(), QRectF());
    }

    void insertExtentsAndExplode()
    {
        Drawing d;
        Block b;
        b.name = QStringLiteral("Pad");
        b.base = QPointF(1, 0);
        Entity line;
        line.kind = Kind::Line;
        line.points = {{1, 0}, {1, 2}};
        line.colour = kByLayer;
        Entity circle;
        circle.kind = Kind::Circle;
        circle.points = {{2, 0}};
        circle.radius = 1;
        circle.colour = 3;
        b.entities << line << circle;
        const int id = d.defineBlock(b);
        const int client = d.addLayer(QStringLiteral("Client"), 1);
        d.setCurrentLayer(client);
        // Base (1, 0) to (10, 10), scale 2, turned 90: the line runs to
        // (6, 10), the circle of radius 2 sits at (10, 12).
        const Handle ins = d.insertBlock(id, {10, 10}, 2, 90);
        d.modify(ins)->colour = 5;
        QVERIFY(near(d.entityExtents(*d.entity(ins)), QRectF(QPointF(6, 10), QPointF(12, 14))));

        const QVector<Handle> parts = d.explode(ins);
        QCOMPARE(parts.size(), 2);
        QCOMPARE(d.entity(ins), nullptr);
        const Entity *l = d.entity(parts[0]);
        QVERIFY(near(l->points[0], {10, 10}));
        QVERIFY(near(l->points[1], {6, 10}));
        QCOMPARE(l->layer, client);
        QCOMPARE(l->colour, 5); // by layer inside a block takes the insert's colour
        const Entity *c = d.entity(parts[1]);
        QVERIFY(near(c->anchor(), {10, 12}));
        QCOMPARE(c->radius, 2.0);
        QCOMPARE(c->colour, 3);
        QVERIFY(parts[0] > ins);

        const Handle poly = d.addPolyline({{0, 0}, {1, 0}, {1, 1}}, true);
        QCOMPARE(d.explode(poly).size(), 3);
        const Handle mtext = d.addMultiText({0, 0}, QStringLiteral("a\nb"));
        const QVector<Handle> lines = d.explode(mtext);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(d.entity(lines[1])->text, QStringLiteral("b"));
        QVERIFY(d.entity(lines[1])->anchor().y() < d.entity(lines[0])->anchor().y());
        const Handle circleAlone = d.addCircle({0, 0}, 1);
        QVERIFY(d.explode(circleAlone).isEmpty());
        QVERIFY(d.entity(circleAlone));
        QCOMPARE(d.insertBlock(99, {0, 0}), 0);
    }

    void anInsertMeasuresAsItsParts_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<double>("scale");
        QTest::addColumn<bool>("mirrored");
        QTest::newRow("placed") << 0.0 << 1.0 << false;
        QTest::newRow("scaled") << 0.0 << 2.5 << false;
        QTest::newRow("quarter turn") << 90.0 << 1.0 << false;
        QTest::newRow("half turn") << 180.0 << 1.0 << false;
        QTest::newRow("turned") << 30.0 << 0.5 << false;
        QTest::newRow("mirrored") << 0.0 << 1.0 << true;
        QTest::newRow("scale 0") << 0.0 << 0.0 << false;
        QTest::newRow("scale below 0") << 0.0 << -2.0 << false;
    }

    void anInsertMeasuresAsItsParts()
    {
        QFETCH(double, angle);
        QFETCH(double, scale);
        QFETCH(bool, mirrored);
        // A block of every kind, an insert among them, placed twice over so
        // the block's kept box is used as well as made.
        Drawing d;
        cadfixtures::oneOfEach(d);
        Block all{QStringLiteral("All"), {3, -2}, {}};
        for (const Handle h : d.handles())
            all.entities << *d.entity(h);
        d.eraseAll();
        const int id = d.defineBlock(all);
        QVERIFY(id > 0);
        for (int i = 0; i < 2; ++i) {
            const Handle h = d.insertBlock(id, {10, 20}, scale, angle);
            d.modify(h)->mirrored = mirrored;
            const QRectF whole = d.entityExtents(*d.entity(h));
            QRectF parts;
            for (const Handle part : d.explode(h))
                parts |= d.entityExtents(*d.entity(part));
            QVERIFY2(near(whole, parts, 1e-9), qPrintable(text(whole.topLeft()) + text(whole.bottomRight()) + " "
                                                          + text(parts.topLeft()) + text(parts.bottomRight())));
        }
    }

    void nestingStopsAtItsDepth()
    {
        // L1 a line; each L(n) a line and an insert of L(n-1), one unit up.
        Drawing d;
        Entity line;
        line.kind = Kind::Line;
        line.points = {{0, 0}, {1, 0}};
        int id = d.defineBlock(Block{QStringLiteral("L1"), {0, 0}, {line}});
        for (int level = 2; level <= kMaxBlockDepth + 3; ++level) {
            Entity inner;
            inner.kind = Kind::Insert;
            inner.block = d.block(id)->name;
            inner.points = {{0, 1}};
            id = d.defineBlock(Block{QStringLiteral("L%1").arg(level), {0, 0}, {line, inner}});
            QVERIFY(id > 0);
        }
        const Handle h = d.insertBlock(id, {0, 0});
        // The insert met kMaxBlockDepth deep is measured by its point alone.
        QCOMPARE(d.entityExtents(*d.entity(h)).bottom(), double(kMaxBlockDepth));
    }

    void aBlockThatReachesItselfIsRefused()
    {
        Drawing d;
        Entity line;
        line.kind = Kind::Line;
        line.points = {{0, 0}, {0, 1}};
        auto insertOf = [](const QString &name) {
            Entity e;
            e.kind = Kind::Insert;
            e.block = name;
            e.points = {{1, 0}};
            return e;
        };
        QCOMPARE(d.defineBlock(Block{QStringLiteral("Loop"), {0, 0}, {insertOf(QStringLiteral("Loop")), line}}), 0);
        QCOMPARE(d.blockCount(), 0);

        // A inserts B inserts C; C may not be made to insert A.
        const int c = d.defineBlock(Block{QStringLiteral("C"), {0, 0}, {line}});
        const int b = d.defineBlock(Block{QStringLiteral("B"), {0, 0}, {insertOf(QStringLiteral("C"))}});
        const int a = d.defineBlock(Block{QStringLiteral("A"), {0, 0}, {insertOf(QStringLiteral("b"))}});
        QVERIFY(c > 0 && b > 0 && a > 0);
        const Handle top = d.insertBlock(a, {0, 0});
        const QRectF before = d.extents();
        QCOMPARE(d.defineBlock(Block{QStringLiteral("c"), {0, 0}, {insertOf(QStringLiteral("A"))}}), 0);
        QCOMPARE(d.block(c)->entities.size(), 1);
        QCOMPARE(d.block(c)->entities[0].kind, Kind::Line);
        QCOMPARE(d.extents(), before);
        QVERIFY(d.entity(top));

        // A block of no name, or inserting a block that is not there, could
        // not be read back either.
        QCOMPARE(d.defineBlock(Block{QString(), {0, 0}, {line}}), 0);
        QCOMPARE(d.defineBlock(Block{QStringLiteral("D"), {0, 0}, {insertOf(QStringLiteral("Gone"))}}), 0);
        QCOMPARE(d.blockCount(), 3);
    }

    void insertsPastTheLimitAreRefused()
    {
        // B1 of 16 lines, each B(n) of 16 inserts of B(n-1): an insert of B8
        // would expand to 16^8 entities, and measuring it would take hours.
        Drawing d;
        Entity line;
        line.kind = Kind::Line;
        line.points = {{0, 0}, {1, 1}};
        int id = d.defineBlock(Block{QStringLiteral("B1"), {0, 0}, QVector<Entity>(16, line)});
        for (int level = 2; level <= 8; ++level) {
            Entity inner;
            inner.kind = Kind::Insert;
            inner.block = d.block(id)->name;
            inner.points = {{double(level), 0}};
            id = d.defineBlock(Block{QStringLiteral("B%1").arg(level), {0, 0}, QVector<Entity>(16, inner)});
            QVERIFY(id > 0);
        }
        QCOMPARE(d.insertBlock(id, {0, 0}), 0);
        QCOMPARE(d.count(), 0);
        QCOMPARE(d.extents(), QRectF());

        // An insert of B5 expands to 1118481 entities, itself included; one
        // of B4 to 69905, so fourteen of them fit and the fifteenth does not.
        const int b4 = d.blockId(QStringLiteral("B4"));
        QCOMPARE(d.insertBlock(d.blockId(QStringLiteral("B5")), {0, 0}), 0);
        Handle last = 0;
        for (int i = 0; i < 14; ++i) {
            last = d.insertBlock(b4, {0, 0});
            QVERIFY(last > 0);
        }
        QCOMPARE(d.insertBlock(b4, {0, 0}), 0);
        QCOMPARE(d.duplicate(last), 0);
        QCOMPARE(d.count(), 14);
        QVERIFY(d.extents().isValid());

        // Replacing B1 with a bigger block would take the inserts past it too.
        QCOMPARE(d.defineBlock(Block{QStringLiteral("B1"), {0, 0}, QVector<Entity>(17, line)}), 0);
        QCOMPARE(d.block(d.blockId(QStringLiteral("B1")))->entities.size(), 16);
        // Once one is gone, another fits.
        QVERIFY(d.erase(last));
        QVERIFY(d.duplicate(d.first()) > 0);
    }

    void aLeaderWithoutPointsIsNotAdded()
    {
        Drawing d;
        QCOMPARE(d.addLeader({}, QStringLiteral("Pad")), 0);
        QCOMPARE(d.count(), 0);
    }

    void aLayerNeedsAName()
    {
        Drawing d;
        QCOMPARE(d.addLayer(QString()), 0);
        QCOMPARE(d.layerCount(), 1);
    }

    void undoAndRedoRestoreHandlesAndShareEntities()
    {
        Drawing d;
        const Handle a = d.addLine({0, 0}, {1, 1});
        d.checkpoint();
        const Handle b = d.addCircle({0, 0}, 2);
        d.checkpoint();
        d.transform(a, Similarity::translation({5, 5}));
        d.erase(b);
        QVERIFY(!d.redo());
        QCOMPARE(d.undoCount(), 2);

        QVERIFY(d.undo());
        QCOMPARE(d.handles(), (QVector<Handle>{a, b}));
        QCOMPARE(d.entity(a)->points[0], QPointF(0, 0)); // the moved copy stayed in its own step
        QVERIFY(d.undo());
        QCOMPARE(d.handles(), QVector<Handle>{a});
        QVERIFY(!d.undo());
        QVERIFY(d.redo());
        QVERIFY(d.redo());
        QCOMPARE(d.handles(), QVector<Handle>{a});
        QCOMPARE(d.entity(a)->points[0], QPointF(5, 5));
        QCOMPARE(d.addLine({0, 0}, {0, 1}), b + 1);

        // A new step forgets what was undone.
        d.undo();
        d.checkpoint();
        QCOMPARE(d.redoCount(), 0);

        // The oldest steps go first.
        for (int i = 0; i < Drawing::kMaxUndoSteps + 5; ++i)
            d.checkpoint();
        QCOMPARE(d.undoCount(), Drawing::kMaxUndoSteps);
    }

    void undoStepsShareRasterPixels()
    {
        Drawing d;
        const QImage photo = cadfixtures::texturedPhoto(64, 48);
        const Handle r = d.addRasterImage(photo, QString(), {0, 0}, 1);
        d.checkpoint();
        d.scaleAbout(r, {0, 0}, 2);
        QCOMPARE(d.entity(r)->image.constBits(), photo.constBits());
        d.undo();
        QCOMPARE(d.entity(r)->image.constBits(), photo.constBits());
        QCOMPARE(d.rasterScale(r), 1.0);
    }

    void stylesAndDefaults()
    {
        Drawing d;
        const int standard = d.textStyleId(QStringLiteral("Standard"));
        QVERIFY(standard > 0);
        QCOMPARE(d.addTextStyle(QStringLiteral("standard")), standard);
        d.modifyTextStyle(standard)->size = 0.05;
        QCOMPARE(d.textStyle(standard)->size, 0.05);
        const int dim = d.dimStyleId(QStringLiteral("Standard"));
        QCOMPARE(d.dimStyle(dim)->sizes, kDefaultDimSizes);
        QCOMPARE(d.textStyle(99), nullptr);
        d.setDefaultTextHeight(7);
        QCOMPARE(d.entity(d.addText({0, 0}, QStringLiteral("a")))->height, 7.0);
    }
};

QTEST_GUILESS_MAIN(TestDrawing)
#include "tst_drawing.moc"
