#include "blocklibrary.h"
#include "drawingstate.h"
#include "gifwriter.h"
#include "insoleoutline.h"
#include "installdata.h"
#include "testhome.h"
#include "vecfile.h"
#include "vecsamples.h"

#include <QBuffer>
#include <QDirIterator>
#include <QImageReader>
#include <QtTest>

namespace {

QImage readGif(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        files.insert(path, f.readAll());
    }
    return files;
}

} // namespace

class TestInstallData : public QObject
{
    Q_OBJECT

private slots:
    void theOutlineTableIsTheInsole()
    {
        QCOMPARE(int(insole::kOutline.size()), 55);
        const auto &t = insole::kOutline;
        QCOMPARE(t[0].y, 0.0);
        QCOMPARE(t[5].y, 0.04);
        QCOMPARE(t[44].y, 0.82);
        QCOMPARE(t[45].y, 0.841);
        QCOMPARE(t[51].y, 0.961);
        QCOMPARE(t[54].y, 1.0);
        for (int i = 1; i < 55; ++i)
            QVERIFY(t[i].y > t[i - 1].y);
        QCOMPARE(t[41].a, 0.168);
        QCOMPARE(t[36].b, -0.168);

        // Right foot at 250 mm: heel, up the a side to the toe (8.5, 250), back down.
        const auto right = insole::outlinePoints(250, false);
        QCOMPARE(int(right.size()), 110);
        QCOMPARE(right.front().x, 0.0);
        QCOMPARE(right.back().y, 0.0);
        QCOMPARE(right[54].x, 8.5);
        QCOMPARE(right[54].y, 250.0);
        QCOMPARE(right[55].x, 8.5);
        QCOMPARE(right[56].x, 0.5); // row 53 of the b side
        QCOMPARE(insole::outlinePoints(250, true)[54].x, -8.5);
    }

    void theTemplateFilesHoldTheUnitOutline()
    {
        TestHome home;
        installdata::writeMissing(home.root());
        for (const bool mirrored : {false, true}) {
            const QString name =
                mirrored ? QStringLiteral("Blocks/Right_Unit.Vec") : QStringLiteral("Blocks/Left_Unit.Vec");
            const cad::Drawing d = cad::readVecFile(home.path(name));
            QCOMPARE(d.count(), 1);
            const cad::Entity *outline = d.entity(d.first());
            QCOMPARE(int(outline->kind), int(cad::Kind::Polyline));
            QCOMPARE(outline->colour, cad::kByLayer);
            const auto expected = insole::outlinePoints(1.0, mirrored);
            QCOMPARE(outline->points.size(), qsizetype(expected.size()));
            for (std::size_t i = 0; i < expected.size(); ++i)
                QCOMPARE(outline->points[qsizetype(i)], QPointF(expected[i].x, expected[i].y));
        }
    }

    void everyDrawingFileReadsBackTheSame()
    {
        TestHome home;
        int drawings = 0;
        for (const QString &path : installdata::writeMissing(home.root())) {
            if (!path.endsWith(QStringLiteral(".Vec"), Qt::CaseInsensitive))
                continue;
            ++drawings;
            vecsamples::checkRoundTrip(path);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(path));
        }
        QCOMPARE(drawings, 2 + int(installdata::featureBlocks().size()));
    }

    void everyLibraryEntryHasItsBlockAndIcon()
    {
        TestHome home;
        installdata::writeMissing(home.root());
        const QByteArray lib = home.read(QStringLiteral("Graphics.Lib"));
        QVERIFY(lib.endsWith("\r\n"));
        QCOMPARE(lib.count('\n'), lib.count("\r\n"));

        DrawingState state;
        Read_Block_Library(state);
        QCOMPARE(state.BlockCount, int(installdata::featureBlocks().size()));
        QVERIFY(state.BlockCount >= 5);
        for (int k = 0; k < state.BlockCount; ++k) {
            QVERIFY(!state.BlockLabels[k].isEmpty());
            cad::Drawing d;
            const int block = d.loadBlockFile(Block_File_Path(state.BlockFiles[k]));
            QVERIFY(!d.block(block)->entities.isEmpty());
            QImageReader icon(Icon_File_Path(state.BlockIcons[k]));
            QCOMPARE(icon.format(), QByteArray("gif"));
            const QImage picture = icon.read();
            QCOMPARE(picture.size(), QSize(48, 48));
            // Not blank: the block is drawn on it.
            QVERIFY(picture.convertToFormat(QImage::Format_RGB32) != installdata::blankIcon());
        }
        for (const char *name : {"Icons/Blank.Gif", "Icons/NoImage.Gif"}) {
            QImageReader icon(home.path(QString::fromLatin1(name)));
            QCOMPARE(icon.read().size(), QSize(48, 48));
        }
        QImageReader sketch(home.path(QStringLiteral("GraphicImage.Jpg")));
        QCOMPARE(sketch.format(), QByteArray("jpeg"));
        QCOMPARE(sketch.read().size(), QSize(660, 520));
    }

    void onlyMissingFilesAreAddedAndNoneIsReplaced()
    {
        TestHome home;
        // An older working folder: its own library, a block folder named in
        // lower case holding one of the outlines, and files of its own.
        home.write(QStringLiteral("graphics.lib"), "1,Our own\r\nOwn.Vec,Own.Gif,Our pad\r\n");
        home.write(QStringLiteral("blocks/LEFT_UNIT.VEC"), "our outline");
        home.write(QStringLiteral("Solvane.Cfg"), "DEMO\r\n");
        const QMap<QString, QByteArray> before = snapshot(home.root());

        const QStringList written = installdata::writeMissing(home.root());
        const QMap<QString, QByteArray> after = snapshot(home.root());
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(after.value(it.key()), it.value());
        QCOMPARE(after.size(), before.size() + written.size());
        QVERIFY(!written.contains(home.path(QStringLiteral("Graphics.Lib"))));
        QVERIFY(written.contains(home.path(QStringLiteral("blocks/Right_Unit.Vec"))));
        QVERIFY(!QFileInfo::exists(home.path(QStringLiteral("Blocks"))));
        QCOMPARE(written.size(), installdata::installationFiles().size() - 2);

        // Run again: nothing left to add, nothing changed.
        QVERIFY(installdata::writeMissing(home.root()).isEmpty());
        QCOMPARE(snapshot(home.root()), after);
    }

    void gifKeepsEveryColourOfASmallPalette_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("colours");
        QTest::newRow("one pixel") << QSize(1, 1) << 1;
        QTest::newRow("two colours, odd width") << QSize(7, 3) << 2;
        QTest::newRow("many codes and sub-blocks") << QSize(301, 97) << 200;
        QTest::newRow("a full palette") << QSize(64, 64) << 256;
    }

    void gifKeepsEveryColourOfASmallPalette()
    {
        QFETCH(QSize, size);
        QFETCH(int, colours);
        QImage image(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const int c = (x * 31 + y * 17) % colours;
                image.setPixel(x, y, qRgb(c, 255 - c, (c * 7) % 256));
            }
        const QByteArray gif = Encode_Gif(image);
        QVERIFY(gif.startsWith("GIF89a"));
        QVERIFY(gif.endsWith(";"));
        QCOMPARE(readGif(gif), image);
    }

    void gifOfAPhotoIsReducedNotRefused()
    {
        QImage photo(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                photo.setPixel(x, y, qRgb(x * 6, y * 8, (x * y) % 256));
        const QImage back = readGif(Encode_Gif(photo));
        QCOMPARE(back.size(), photo.size());
        QVERIFY(Encode_Gif(QImage()).isEmpty());
    }
};

QTEST_MAIN(TestInstallData)
#include "tst_installdata.moc"
