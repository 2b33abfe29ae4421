#include "cadfixtures.h"
#include "errors.h"
#include "imagefile.h"
#include "testhome.h"
#include "vecfile.h"
#include "vecsamples.h"

#include <QtTest>

using namespace cad;

namespace {

const QByteArray kHead = "SOLVANE-VEC 1\r\n";

// A drawing read from records given after the header.
Drawing parse(const QByteArray &records)
{
    return parseVec(kHead + records, QStringLiteral("test.Vec"), QString());
}

// Block "B" of `lines` lines and `inserts` inserts of it: each insert
// expands to itself and the block's lines.
QByteArray linesAndInserts(int lines, int inserts)
{
    QByteArray bytes = kHead + "BLOCK \"B\" 0 0\r\n";
    for (int i = 0; i < lines; ++i)
        bytes += "LINE \"\" 256 0 0 1 " + QByteArray::number(i) + "\r\n";
    bytes += "ENDBLOCK\r\n";
    for (int i = 0; i < inserts; ++i)
        bytes += "INSERT \"0\" 256 \"B\" " + QByteArray::number(i) + " 0 1 0 0\r\n";
    return bytes + "END\r\n";
}

// Drawings built in memory as the program's commands could build them,
// each with something the file must carry over.
Drawing writtenDrawing(const QString &kind)
{
    Drawing d;
    Entity line;
    line.kind = Kind::Line;
    line.points = {{0, 0}, {1, 2}};
    if (kind == QLatin1String("one of each kind")) {
        cadfixtures::oneOfEach(d);
        d.setCurrentLayer(d.addLayer(QStringLiteral("Client Ü"), 3));
        cadfixtures::oneOfEach(d);
    } else if (kind == QLatin1String("a block replaced by one that inserts a later block")) {
        Block pad{QStringLiteral("Pad"), {0, 0}, {line}};
        d.insertBlock(d.defineBlock(pad), {5, 5});
        Block dot{QStringLiteral("Dot"), {1, 1}, {line}};
        d.defineBlock(dot);
        Entity insert;
        insert.kind = Kind::Insert;
        insert.block = QStringLiteral("Dot");
        insert.points = {{2, 2}};
        pad.entities << insert;
        d.defineBlock(pad);
    } else if (kind == QLatin1String("a photo of unknown size")) {
        Entity raster;
        raster.kind = Kind::Raster;
        raster.points = {{1, 1}};
        raster.scale = 2;
        raster.imagePath = QStringLiteral("gone.Jpg");
        d.add(raster);
    } else if (kind == QLatin1String("colours and orders out of range")) {
        d.modify(d.add(line))->colour = 300;
        d.modify(d.add(line))->colour = -2;
        const int scale = d.addLayer(QStringLiteral("Scale"));
        d.modifyLayer(scale)->colour = 999;
        d.modifyLayer(scale)->order = -2000000000;
    } else if (kind == QLatin1String("values that are no numbers")) {
        d.setDefaultTextHeight(qInf());
        d.addCircle({qQNaN(), 1}, -qInf());
        d.modifyTextStyle(1)->size = qQNaN();
    } else if (kind == QLatin1String("names with quotes, line ends and escapes")) {
        const QString name =
            QStringLiteral("a \"b\" \\ \r\n\t \x01 \\x41 é #") + QChar(0) + QString::fromUtf8("\xF0\x9F\xA6\xB6");
        d.setCurrentLayer(d.addLayer(name));
        d.addText({0, 0}, name);
        d.modifyTextStyle(d.addTextStyle(name))->fontFile = name;
        d.addDimStyle(name);
        d.insertBlock(d.defineBlock(Block{name, {0, 0}, {line}}), {1, 1});
    } else if (kind == QLatin1String("an empty block")) {
        d.insertBlock(d.defineBlock(Block{QStringLiteral("Nothing"), {3, 4}, {}}), {1, 1});
    } else if (kind == QLatin1String("extreme numbers")) {
        d.addLine({5e-324, -0.0}, {1.7976931348623157e308, -2.2250738585072014e-308});
        d.addCircle({1e-310, 0.1}, 1e22);
    }
    return d;
}

const QStringList kWrittenDrawings = {
    QStringLiteral("one of each kind"),
    QStringLiteral("a block replaced by one that inserts a later block"),
    QStringLiteral("a photo of unknown size"),
    QStringLiteral("colours and orders out of range"),
    QStringLiteral("values that are no numbers"),
    QStringLiteral("names with quotes, line ends and escapes"),
    QStringLiteral("an empty block"),
    QStringLiteral("extreme numbers"),
};

} // namespace

class TestVecFile : public QObject
{
    Q_OBJECT

private slots:
    void everyKindWritesReadsAndWritesTheSameBytes_data()
    {
        QTest::addColumn<int>("index");
        const char *names[] = {"line", "circle",    "ellipse", "polyline", "spline",
                               "text", "multitext", "leader",  "raster",   "insert"};
        for (int i = 0; i < 10; ++i)
            QTest::newRow(names[i]) << i;
    }

    void everyKindWritesReadsAndWritesTheSameBytes()
    {
        QFETCH(int, index);
        TestHome home;
        Drawing all;
        const QVector<Handle> made = cadfixtures::oneOfEach(all);
        Drawing d;
        d.defineBlock(*all.block(all.blockId(QStringLiteral("Marker"))));
        const int client = d.addLayer(QStringLiteral("Client Ü"), 3);
        d.modifyLayer(client)->order = 2;
        d.modifyLayer(client)->locked = true;
        d.setCurrentLayer(client);
        Entity e = *all.entity(made[index]);
        e.layer = client;
        e.colour = index == 0 ? 256 : index;
        d.add(e);

        const QString path = home.path(QStringLiteral("Drawing.Vec"));
        writeVecFile(d, path);
        const QByteArray first = home.read(QStringLiteral("Drawing.Vec"));
        QVERIFY(first.startsWith(kHead));
        QVERIFY(first.endsWith("END\r\n"));
        const Drawing back = readVecFile(path);
        QCOMPARE(back.count(), 1);
        const Entity *got = back.entity(back.first());
        QCOMPARE(int(got->kind), int(e.kind));
        QCOMPARE(got->points, e.points);
        QCOMPARE(got->text, e.text);
        QCOMPARE(back.layer(got->layer)->name, QStringLiteral("Client Ü"));
        QCOMPARE(back.layer(got->layer)->locked, true);
        QCOMPARE(back.currentLayer(), got->layer);
        QCOMPARE(vecBytes(back), first);
    }

    void rasterPixelsComeFromTheFileBesideTheDrawing()
    {
        TestHome home;
        const QImage photo = cadfixtures::texturedPhoto(20, 10);
        Save_Image_File(photo, home.path(QStringLiteral("Foot.Png")));
        Drawing d;
        d.addRaster(home.path(QStringLiteral("Foot.Png")), {0, 0}, 4);
        Entity relative = *d.entity(d.first());
        relative.imagePath = QStringLiteral("Foot.Png");
        d.add(relative);
        writeVecFile(d, home.path(QStringLiteral("Drawing.Vec")));

        const Drawing back = readVecFile(home.path(QStringLiteral("Drawing.Vec")));
        for (const Handle h : back.handles()) {
            QCOMPARE(back.entity(h)->image.convertToFormat(QImage::Format_RGB32), photo);
            QCOMPARE(back.rasterScale(h), 4.0);
        }
        QCOMPARE(back.entity(back.handles().last())->imagePath, QStringLiteral("Foot.Png"));

        // Without its picture a raster keeps its place and size.
        QFile::remove(home.path(QStringLiteral("Foot.Png")));
        const Drawing bare = readVecFile(home.path(QStringLiteral("Drawing.Vec")));
        QVERIFY(bare.entity(bare.first())->image.isNull());
        QCOMPARE(bare.rasterPixelSize(bare.first()), QSize(20, 10));
    }

    void recordsOfAnyKindReadBack()
    {
        const Drawing d = parse("BACKGROUND 216 223 243\r\n"
                                "TEXTHEIGHT 1e-2\n"
                                "# a comment\r\n"
                                "\r\n"
                                "LAYER \"Scale\" 4 0 0 1\r"
                                "FUTURE 1 2 3 \"whatever\"\r\n"
                                "DIMSTYLE \"Standard\" 5 5 1.25 2.5 1.25 5 7 8\r\n"
                                "TEXTSTYLE \"Notes\" \"Arial.Ttf\" 0.05\r\n"
                                "LINE \"Scale\" 256 0 0 3 4\r\n"
                                "LINE \"New\" 1 0 0 -1.5e3 4\r\n"
                                "TEXT \"Scale\" 2 0 0 1 0 \"Notes\" \"a\\tb\\x01\\\\\"\r\n"
                                "END\r\n"
                                "anything after the end\r\n");
        QCOMPARE(d.background(), QColor(216, 223, 243));
        QCOMPARE(d.defaultTextHeight(), 0.01);
        const Layer *scale = d.layer(d.layerId(QStringLiteral("Scale")));
        QCOMPARE(scale->colour, 4);
        QVERIFY(!scale->visible);
        QVERIFY(scale->locked);
        QCOMPARE(d.dimStyle(1)->sizes[5], 5.0);
        QCOMPARE(d.textStyle(d.textStyleId(QStringLiteral("Notes")))->fontFile, QStringLiteral("Arial.Ttf"));
        QCOMPARE(d.count(), 3);
        QCOMPARE(d.entity(d.next(d.first()))->points[1], QPointF(-1500, 4));
        QCOMPARE(d.layer(d.layerId(QStringLiteral("New")))->colour, 7);
        QCOMPARE(d.entity(d.handles().last())->text, QStringLiteral("a\tb\x01\\"));
    }

    void aBadRecordLeavesTheDrawingAsItWas_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::newRow("bad number") << kHead + "LINE \"0\" 256 0 0 3,5 4\r\nEND\r\n"
                                    << "line 2: \"3,5\" is not a number";
        QTest::newRow("missing field") << kHead + "CIRCLE \"0\" 256 1 2\r\nEND\r\n"
                                       << "line 2: a number is missing";
        QTest::newRow("not finite") << kHead + "CIRCLE \"0\" 256 1 2 inf\r\nEND\r\n"
                                    << "\"inf\" is not a number";
        QTest::newRow("colour out of range") << kHead + "LINE \"0\" 300 0 0 1 1\r\nEND\r\n"
                                             << "300 is not between";
        QTest::newRow("unclosed text") << kHead + "TEXT \"0\" 256 0 0 1 0 \"Standard\" \"abc\r\nEND\r\n"
                                       << "not closed";
        QTest::newRow("too few points") << kHead + "POLYLINE \"0\" 256 0 3 0 0 1 1\r\nEND\r\n"
                                        << "a number is missing";
        QTest::newRow("huge point count") << kHead + "POLYLINE \"0\" 256 0 2000000000 0 0\r\nEND\r\n"
                                          << "is not between";
        QTest::newRow("insert of an unknown block") << kHead + "INSERT \"0\" 256 \"Pad\" 0 0 1 0 0\r\nEND\r\n"
                                                    << "no block named \"Pad\"";
        QTest::newRow("block not ended") << kHead + "BLOCK \"Pad\" 0 0\r\nEND\r\n"
                                         << "has no ENDBLOCK";
        QTest::newRow("cut short") << kHead + "LINE \"0\" 256 0 0 1 1\r\n"
                                   << "ends before its END record";
        QTest::newRow("not a drawing") << QByteArray("Podiatrists\r\nEnd\r\n") << "line 1: this is not a drawing file";
        QTest::newRow("empty") << QByteArray() << "this is not a drawing file";
        QTest::newRow("newer format") << QByteArray("SOLVANE-VEC 2\r\nEND\r\n") << "format 2";
        QTest::newRow("a block that inserts its first definition")
            << kHead
                   + "BLOCK \"B\" 0 0\r\nCIRCLE \"\" 256 0 0 5\r\nENDBLOCK\r\n"
                     "BLOCK \"B\" 0 0\r\nINSERT \"\" 256 \"B\" 0 0 1 0 0\r\nENDBLOCK\r\n"
                     "INSERT \"0\" 256 \"B\" 0 0 1 0 0\r\nEND\r\n"
            << "line 5: block \"B\" is defined twice";
        QTest::newRow("three blocks in a ring")
            << kHead
                   + "BLOCK \"A\" 0 0\r\nCIRCLE \"\" 256 0 0 5\r\nENDBLOCK\r\n"
                     "BLOCK \"C\" 0 0\r\nINSERT \"\" 256 \"A\" 0 0 1 0 0\r\nENDBLOCK\r\n"
                     "BLOCK \"B\" 0 0\r\nINSERT \"\" 256 \"C\" 0 0 1 0 0\r\nENDBLOCK\r\n"
                     "BLOCK \"a\" 0 0\r\nINSERT \"\" 256 \"B\" 0 0 1 0 0\r\nENDBLOCK\r\n"
                     "INSERT \"0\" 256 \"A\" 0 0 1 0 0\r\nEND\r\n"
            << "line 11: block \"a\" is defined twice";
        QTest::newRow("a block defined twice")
            << kHead + "BLOCK \"B\" 0 0\r\nENDBLOCK\r\nBLOCK \"B\" 1 1\r\nENDBLOCK\r\nEND\r\n"
            << "block \"B\" is defined twice";
        QTest::newRow("nested inserts") << vecsamples::nestedInserts() << "more than 1000000 entities";
        QTest::newRow("one insert past the limit")
            << linesAndInserts(999, 1001)
            << "line 2003: the drawing's inserts would expand to more than 1000000 entities";
    }

    void aBadRecordLeavesTheDrawingAsItWas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        TestHome home;
        home.write(QStringLiteral("Bad.Vec"), bytes);
        Drawing d;
        d.addLayer(QStringLiteral("Client"));
        d.addCircle({1, 1}, 3);
        const QByteArray before = vecBytes(d);
        try {
            loadVecFile(d, home.path(QStringLiteral("Bad.Vec")));
            QFAIL("a bad file was read");
        } catch (const SolvaneError &e) {
            QVERIFY2(e.description().contains(problem), qPrintable(e.description()));
            QVERIFY(e.description().contains(home.path(QStringLiteral("Bad.Vec"))));
        }
        QCOMPARE(vecBytes(d), before);
    }

    void nestedInsertsAreRefusedBeforeAnythingExpandsThem()
    {
        // Measuring the drawing, as a view does first, would visit 16^8
        // entities an insert.
        try {
            const Drawing d = parseVec(vecsamples::nestedInserts(16), QStringLiteral("Nested.Vec"), QString());
            QFAIL(qPrintable(QStringLiteral("read, %1 wide").arg(d.extents().width())));
        } catch (const SolvaneError &e) {
            QVERIFY2(e.description().startsWith(QStringLiteral("Cannot open the drawing Nested.Vec: line ")),
                     qPrintable(e.description()));
        }
    }

    void aDrawingUpToTheLimitReads()
    {
        // 1000 inserts, each itself and 999 lines: 1000000 entities.
        const QByteArray bytes = linesAndInserts(999, 1000);
        const Drawing d = parseVec(bytes, QStringLiteral("Full.Vec"), QString());
        QCOMPARE(d.count(), 1000);
        QCOMPARE(d.extents(), QRectF(QPointF(0, 0), QPointF(1000, 998)));
    }

    void writtenDrawingsReadBackTheSame_data()
    {
        QTest::addColumn<QString>("kind");
        for (const QString &kind : kWrittenDrawings)
            QTest::newRow(qPrintable(kind)) << kind;
    }

    void writtenDrawingsReadBackTheSame()
    {
        QFETCH(QString, kind);
        TestHome home;
        const QString path = home.path(QStringLiteral("Data/Written.Vec"));
        writeVecFile(writtenDrawing(kind), path);
        vecsamples::checkRoundTrip(path);
    }

    void acceptedFilesReadBackTheSame_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("records of any kind") << kHead
                                                    + "BACKGROUND 1 2 3\nTEXTHEIGHT 1e-2\n# a comment\rFUTURE 1\r\n"
                                                      "LAYER \"Scale\" 4 0 0 1\r\nLAYER \"scale\" 5 1 1 0\r\n"
                                                      "LINE \"New\" 1 0 0 -1.5e3 4 and more\r\n"
                                                      "TEXT \"Scale\" 2 0 0 1 0 \"Notes\" \"a\\tb\\x01\\xC3\\xa9\"\r\n"
                                                      "RASTER \"0\" 256 0 0 2 0 1 640 480 \"photo.Jpg\"\r\n"
                                                      "END\r\nafter the end\r\n";
        QTest::newRow("layers without a name") << kHead
                                                      + "LAYER \"\" 1 0 1 0\r\nCURRENTLAYER \"\"\r\n"
                                                        "LINE \"\" 256 0 0 1 1\r\nCURRENTLAYER \"0\"\r\n"
                                                        "LINE \"\" 256 0 0 2 2\r\nEND\r\n";
        QTest::newRow("an empty block, inserted") << kHead
                                                         + "BLOCK \"E\" 1 2\r\nENDBLOCK\r\n"
                                                           "INSERT \"0\" 3 \"e\" 0 0 -1 45 1\r\nEND\r\n";
        QTest::newRow("nested blocks") << vecsamples::nestedInserts(0);
        QTest::newRow("up to the limit") << linesAndInserts(999, 1000);
    }

    void acceptedFilesReadBackTheSame()
    {
        QFETCH(QByteArray, bytes);
        TestHome home;
        home.write(QStringLiteral("Data/Fixture.Vec"), bytes);
        vecsamples::checkRoundTrip(home.path(QStringLiteral("Data/Fixture.Vec")));
    }

    void loadReplacesTheContentAndKeepsTheHistory()
    {
        TestHome home;
        Drawing file;
        file.addLine({0, 0}, {1, 1});
        file.addLine({0, 0}, {2, 2});
        writeVecFile(file, home.path(QStringLiteral("Two.Vec")));
        Drawing d;
        d.addCircle({0, 0}, 1);
        d.checkpoint();
        loadVecFile(d, home.path(QStringLiteral("Two.Vec")));
        QCOMPARE(d.count(), 2);
        QVERIFY(d.undo());
        QCOMPARE(d.count(), 1);
        QCOMPARE(int(d.entity(d.first())->kind), int(Kind::Circle));
    }

    void missingFileAndFailedWriteAreReported()
    {
        TestHome home;
        Drawing d;
        QVERIFY_THROWS_EXCEPTION(SolvaneError, readVecFile(home.path(QStringLiteral("None.Vec"))));
        try {
            d.loadBlockFile(home.path(QStringLiteral("Blocks/Left_Unit.Vec")));
            QFAIL("a missing block file was read");
        } catch (const SolvaneError &e) {
            QVERIFY(e.description().contains(QStringLiteral("does not exist")));
        }
        QCOMPARE(d.blockCount(), 0);

        QVERIFY_THROWS_EXCEPTION(SolvaneError, writeVecFile(d, home.path(QStringLiteral("NoFolder/New.Vec"))));
        QVERIFY(!QFileInfo::exists(home.path(QStringLiteral("NoFolder"))));
    }

    void aBlockFileBecomesOneBlockNamedAfterIt()
    {
        TestHome home;
        Drawing file;
        cadfixtures::oneOfEach(file); // a drawing with a block of its own and an insert of it
        file.addLayer(QStringLiteral("Insole"));
        file.setCurrentLayer(QStringLiteral("Insole"));
        file.addLine({0, 0}, {0, 9});
        QDir().mkpath(home.path(QStringLiteral("Blocks")));
        writeVecFile(file, home.path(QStringLiteral("Blocks/Met_Pad.Vec")));

        Drawing d;
        const int id = d.loadBlockFile(home.path(QStringLiteral("Blocks/Met_Pad.Vec")));
        QCOMPARE(d.block(id)->name, QStringLiteral("Met_Pad"));
        QCOMPARE(d.block(id)->entities.size(), file.count());
        for (const Entity &e : d.block(id)->entities)
            QCOMPARE(e.layer, 0);
        QVERIFY(d.blockId(QStringLiteral("Marker")) > 0);
        QCOMPARE(d.count(), 0);
        // Loading it again gives the same block, not a second one.
        QCOMPARE(d.loadBlockFile(home.path(QStringLiteral("Blocks/Met_Pad.Vec"))), id);
        QCOMPARE(d.blockCount(), 2);
        const Handle h = d.insertBlock(id, {100, 0}, 2);
        QVERIFY(d.entityExtents(*d.entity(h)).contains(QPointF(100, 18)));
    }

    void aBlockFileThatWouldInsertItselfIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        // Saved with an insert of a block of its own name.
        QTest::newRow("directly") << kHead
                                         + "BLOCK \"Dot\" 0 0\r\nCIRCLE \"\" 256 0 0 5\r\nENDBLOCK\r\n"
                                           "INSERT \"0\" 256 \"Dot\" 0 0 1 0 0\r\nEND\r\n"
                                  << "block \"Dot\" inserts itself";
        QTest::newRow("through another")
            << kHead
                   + "BLOCK \"Dot\" 0 0\r\nCIRCLE \"\" 256 0 0 5\r\nENDBLOCK\r\n"
                     "BLOCK \"Pad\" 0 0\r\nINSERT \"\" 256 \"Dot\" 0 0 1 0 0\r\nENDBLOCK\r\n"
                     "INSERT \"0\" 256 \"Pad\" 0 0 1 0 0\r\nEND\r\n"
            << "block \"Dot\" inserts itself through \"Pad\"";
    }

    void aBlockFileThatWouldInsertItselfIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        TestHome home;
        home.write(QStringLiteral("Blocks/Dot.Vec"), bytes);
        Drawing d;
        Entity line;
        line.kind = Kind::Line;
        line.points = {{0, 0}, {1, 1}};
        d.insertBlock(d.defineBlock(Block{QStringLiteral("Pad"), {0, 0}, {line}}), {0, 0});
        const QByteArray before = vecBytes(d);
        try {
            d.loadBlockFile(home.path(QStringLiteral("Blocks/Dot.Vec")));
            QFAIL("a block inserting itself was defined");
        } catch (const SolvaneError &e) {
            QVERIFY2(e.description().contains(home.path(QStringLiteral("Blocks/Dot.Vec"))),
                     qPrintable(e.description()));
            QVERIFY2(e.description().contains(problem), qPrintable(e.description()));
        }
        QCOMPARE(vecBytes(d), before);
    }

    void anEntityWithoutItsLayerReadsBackOnTheCurrentOne()
    {
        Drawing d;
        const int client = d.addLayer(QStringLiteral("Client"));
        d.setCurrentLayer(client);
        const Handle h = d.addLine({0, 0}, {1, 1});
        d.modify(h)->layer = 42;
        const Drawing back = parseVec(vecBytes(d), QStringLiteral("orphan"), QString());
        QCOMPARE(back.entity(back.first())->layer, back.layerId(QStringLiteral("Client")));
    }

    void tenThousandEntitiesRoundTrip()
    {
        Drawing d;
        for (int i = 0; i < 10000; ++i)
            d.addLine({i * 0.1, 1.0 / (i + 1)}, {i * 0.3, -i * 1e-7});
        const QByteArray bytes = vecBytes(d);
        const Drawing back = parseVec(bytes, QStringLiteral("big"), QString());
        QCOMPARE(back.count(), 10000);
        QCOMPARE(back.entity(back.handles().last())->points, d.entity(d.handles().last())->points);
        QCOMPARE(vecBytes(back), bytes);
    }
};

QTEST_GUILESS_MAIN(TestVecFile)
#include "tst_vecfile.moc"
