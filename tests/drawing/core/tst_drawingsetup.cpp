#include "drawingsetup.h"
#include "drawingstate.h"
#include "errors.h"
#include "imagefile.h"
#include "recordinghost.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "testhome.h"
#include "vecfile.h"

#include <QtTest>

#include <memory>

using cad::Drawing;

namespace {

QImage photo(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 160, 140));
    return image;
}

QStringList layerNames(const Drawing &d)
{
    QStringList names;
    for (int id = 1; id <= d.layerCount(); ++id)
        names << d.layer(id)->name;
    return names;
}

} // namespace

class TestDrawingSetUp : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    QString leftPhoto, rightPhoto, sketch;

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        QDir().mkpath(home->path(QStringLiteral("Data")));
        leftPhoto = home->path(QStringLiteral("Data/Lee_Ann_L[VRML].Jpg"));
        rightPhoto = home->path(QStringLiteral("Data/Lee_Ann_R0.Jpg"));
        sketch = home->path(QStringLiteral("Data/AB0042_Ann_Lee.Jpg"));
        Save_Image_File(photo(640, 480), leftPhoto);
        Save_Image_File(photo(480, 640), rightPhoto);
        Save_Image_File(photo(660, 520), sketch);

        ScriptRecord &job = Job();
        job = ScriptRecord();
        Set_Default_Sizes(job);
        job.Gender = QStringLiteral("Male");
        job.JobNumber = QStringLiteral("AB0042");
        job.ClientFirstName = QStringLiteral("Ann");
        job.ClientSurname = QStringLiteral("Lee");
        job.CurrentFolder = home->path(QStringLiteral("Data"));
        job.LeftScanFile = home->path(QStringLiteral("Data/Lee_Ann_L.Wrl"));
        job.RightScanFile = home->path(QStringLiteral("Data/Lee_Ann_R.Stl"));
        job.LeftGraphicFile = leftPhoto;
        job.RightGraphicFile = rightPhoto;
        job.JobImageFile = sketch;
        job.FootSizeL = QStringLiteral("9");
        job.FootSizeR = QStringLiteral("4");
        Drawing_State() = DrawingState();
    }

    void cleanup() { home.reset(); }

    void eachVariantPlacesItsPhoto_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("currentFoot");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("image");
        QTest::addColumn<double>("rasterScale");
        QTest::addColumn<QVector<int>>("commands");
        QTest::addColumn<QString>("sizeLine");
        QTest::addColumn<QString>("drawingFile");
        QTest::addColumn<QColor>("background");

        const int g = int(DrawingHostKind::Graphic), s = int(DrawingHostKind::Soft), r = int(DrawingHostKind::Rigid);
        const QColor blueish(216, 223, 243), white(255, 255, 255);
        // Size 9 is 270 mm on the chart (pane scale 270 x 3 / 480), size 4 is 234 mm.
        QTest::newRow("G left") << g << "Left"
                                << ""
                                << "L" << 480.0 << QVector<int>{102, 104} << "Size: 9"
                                << "Data/Lee_Ann_L.Vec" << blueish;
        QTest::newRow("G right, main window size 9.5") << g << "Right"
                                                       << ""
                                                       << "R" << 480.0 << QVector<int>{102, 104} << "Size: 9.5"
                                                       << "Data/Lee_Ann_R.Vec" << blueish;
        QTest::newRow("S left") << s << ""
                                << "LEFT"
                                << "L" << 1.6875 << QVector<int>{102} << "Size: 9"
                                << "Data/AB0042_Ann_Lee.Vec" << white;
        QTest::newRow("S both") << s << ""
                                << "BOTH"
                                << "B" << 480.0 << QVector<int>{102} << ""
                                << "Data/AB0042_Ann_Lee.Vec" << white;
        QTest::newRow("R right by default from the current foot") << r << "Right"
                                                                  << ""
                                                                  << "R" << 1.4625 << QVector<int>{102} << "Size: 4"
                                                                  << "Data/Lee_Ann_R.Vec" << white;
        QTest::newRow("R left, job name") << r << ""
                                          << "LEFT"
                                          << "L" << 1.6875 << QVector<int>{102} << "Size: 9"
                                          << "Data/R_AB0042_Ann_Lee.Vec" << white;
    }

    void eachVariantPlacesItsPhoto()
    {
        QFETCH(int, kind);
        QFETCH(QString, currentFoot);
        QFETCH(QString, selection);
        QFETCH(QString, image);
        QFETCH(double, rasterScale);
        QFETCH(QVector<int>, commands);
        QFETCH(QString, sizeLine);
        QFETCH(QString, drawingFile);
        QFETCH(QColor, background);
        ScriptRecord &job = Job();
        job.CurrentFoot = currentFoot;
        job.GraphicSelection = selection;
        RecordingHost host{DrawingHostKind(kind)};
        SetUpHooks hooks;
        int sketchRuns = 0;
        hooks.mainWindowFootSize = [](bool left) { return left ? QStringLiteral("9") : QStringLiteral("9.5"); };
        hooks.jobSketch = [&] { ++sketchRuns; };

        QCOMPARE(Set_Up_Drawing(host, hooks), SetUpEnd::Finished);

        const QString photoPath = image == QLatin1String("L")   ? leftPhoto
                                  : image == QLatin1String("R") ? rightPhoto
                                                                : sketch;
        const Drawing &d = host.model;
        QCOMPARE(host.commands, commands);
        QCOMPARE(d.background(), background);
        QCOMPARE(host.size, sizeLine);
        QCOMPARE(Drawing_State().DrawingFile, home->path(drawingFile));
        QCOMPARE(layerNames(d), (QStringList{"0", "Image", "Insole", "Client", "Scale"}));
        QCOMPARE(d.layer(d.currentLayer())->name, QStringLiteral("Client"));
        QVERIFY(d.layer(d.layerId(QStringLiteral("Image")))->locked);
        QCOMPARE(d.drawingOrder().first(), d.layerId(QStringLiteral("Image")));
        QCOMPARE(d.drawingOrder().last(), d.layerId(QStringLiteral("Scale")));

        // The photo is this host's own, and still the job's current image.
        QVERIFY(host.rasterEntity > 0);
        QCOMPARE(d.rasterScale(host.rasterEntity), rasterScale);
        QCOMPARE(d.entity(host.rasterEntity)->anchor(), QPointF(0, 0));
        QCOMPARE(d.entity(host.rasterEntity)->layer, d.layerId(QStringLiteral("Image")));
        QCOMPARE(host.imageFile, photoPath);
        QCOMPARE(job.CurrentImageFile, photoPath);

        // The default text height is a twentieth of the photo's height.
        const double photoHeight = d.rasterPixelSize(host.rasterEntity).height() / rasterScale;
        QVERIFY(qFuzzyCompare(d.defaultTextHeight(), photoHeight * 0.05));
        QCOMPARE(Drawing_State().DrawingTop - Drawing_State().DrawingBottom, photoHeight);

        const bool graphic = DrawingHostKind(kind) == DrawingHostKind::Graphic;
        QCOMPARE(host.caption,
                 graphic ? QStringLiteral("Graphic Screen: ") + currentFoot + QStringLiteral(" Foot") : QString());
        QCOMPARE(host.message, graphic ? QString() : QStringLiteral("Ready"));
        QCOMPARE(sketchRuns, graphic ? 0 : 1);
        QCOMPARE(job.DrawingLayersFlag, !graphic);
        if (!graphic)
            QCOMPARE(job.GraphicSelection, selection.isEmpty() ? currentFoot.toUpper() : selection);
    }

    void lengthsFollowTheSizeAndThePaneScaleFollowsTheChart()
    {
        // A chart whose size 9 is 250 mm: the pane places the photo at 1.5625.
        ScriptRecord &job = Job();
        job.SizeChartSizes[8] = 9;
        job.SizeChartLengths[8] = 250;
        job.GraphicSelection = QStringLiteral("LEFT");
        RecordingHost host(DrawingHostKind::Soft);
        Set_Up_Drawing(host);
        QCOMPARE(host.model.rasterScale(host.rasterEntity), 1.5625);
        QCOMPARE(job.TemplateLengthL, 250.0);
        QCOMPARE(job.FootLengthL, 225.0);

        // The Graphic Screen takes the main window's size and stores it.
        job.CurrentFoot = QStringLiteral("Right");
        RecordingHost screen(DrawingHostKind::Graphic);
        SetUpHooks hooks;
        hooks.mainWindowFootSize = [](bool) { return QStringLiteral("9"); };
        Set_Up_Drawing(screen, hooks);
        QCOMPARE(job.FootSizeR, QStringLiteral("9"));
        QCOMPARE(job.TemplateLengthR, 250.0);
        QCOMPARE(job.FootLengthR, 225.0);
        QCOMPARE(screen.size, QStringLiteral("Size: 9"));
    }

    void aFailedImageTestKeepsTheDrawing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("rightImage");
        QTest::addColumn<bool>("kept");
        const int s = int(DrawingHostKind::Soft), r = int(DrawingHostKind::Rigid);
        QTest::newRow("soft, None") << s << "None" << true;
        QTest::newRow("soft, none in lower case") << s << "none" << true;
        QTest::newRow("rigid, None") << r << "None" << true;
        QTest::newRow("rigid, missing file") << r << "Data/Gone.Jpg" << true;
        // The soft pane tests only for "None": the drawing is cleared and
        // a file that is not there places nothing.
        QTest::newRow("soft, missing file") << s << "Data/Gone.Jpg" << false;
    }

    void aFailedImageTestKeepsTheDrawing()
    {
        QFETCH(int, kind);
        QFETCH(QString, rightImage);
        QFETCH(bool, kept);
        ScriptRecord &job = Job();
        job.GraphicSelection = QStringLiteral("RIGHT");
        job.RightGraphicFile = rightImage.contains(u'/') ? home->path(rightImage) : rightImage;
        job.FootSizeR = QStringLiteral("10");
        RecordingHost host{DrawingHostKind(kind)};
        host.model.addCircle({5, 5}, 2);
        host.model.setDefaultTextHeight(3);
        job.CurrentImageFile = QStringLiteral("earlier.Jpg");

        const SetUpEnd end = Set_Up_Drawing(host);

        // The lengths are recomputed before the test, whatever its outcome.
        QCOMPARE(job.TemplateLengthR, 278.0);
        QCOMPARE(job.FootLengthR, 253.0);
        QCOMPARE(host.size, QStringLiteral("Size: 10"));
        QCOMPARE(host.message, QStringLiteral("Ready"));
        if (kept) {
            QCOMPARE(end, SetUpEnd::ImageTestFailed);
            QCOMPARE(host.model.count(), 1);
            QVERIFY(host.commands.isEmpty()); // no zoom
            QCOMPARE(host.model.defaultTextHeight(), 3.0);
            QCOMPARE(job.CurrentImageFile, QStringLiteral("earlier.Jpg"));
        } else {
            QCOMPARE(end, SetUpEnd::Finished);
            QCOMPARE(host.model.count(), 0);
            QCOMPARE(host.rasterEntity, 0);
            QCOMPARE(job.CurrentImageFile, job.RightGraphicFile);
            QCOMPARE(host.commands, QVector<int>{102});
        }
    }

    void noSideLeavesTheDrawingAndFinishes()
    {
        RecordingHost host(DrawingHostKind::Soft);
        host.model.addLine({0, 0}, {0, 100});
        Set_Up_Drawing(host);
        QCOMPARE(host.model.count(), 1);
        QCOMPARE(host.rasterEntity, 0);
        QCOMPARE(host.commands, QVector<int>{102});
        QCOMPARE(host.model.defaultTextHeight(), 5.0);
        QVERIFY(Job().GraphicSelection.isEmpty());

        // An empty drawing keeps the text height it had.
        RecordingHost empty(DrawingHostKind::Graphic);
        empty.model.setDefaultTextHeight(4);
        Set_Up_Drawing(empty);
        QCOMPARE(empty.model.defaultTextHeight(), 4.0);
        QCOMPARE(empty.caption, QStringLiteral("Graphic Screen:  Foot"));
        QCOMPARE(Drawing_State().DrawingFile, QStringLiteral("Default.Vec"));
    }

    void fiveSetUpsDoubleTheDimensionSizesEachTime()
    {
        Job().GraphicSelection = QStringLiteral("LEFT");
        RecordingHost host(DrawingHostKind::Soft);
        for (int run = 0; run < 5; ++run)
            Set_Up_Drawing(host);
        const Drawing &d = host.model;
        const cad::DimStyle *dim = d.dimStyle(d.dimStyleId(QStringLiteral("Standard")));
        for (int i = 0; i < cad::kDimSizeCount; ++i)
            QCOMPARE(dim->sizes[i], cad::kDefaultDimSizes[i] * 32);
        const cad::TextStyle *text = d.textStyle(d.textStyleId(QStringLiteral("Standard")));
        QCOMPARE(text->size, 0.05);
        QCOMPARE(text->fontFile, QStringLiteral("Simplex.Vcf"));
        // Never a layer twice, and only the last photo is left.
        QCOMPARE(layerNames(d), (QStringList{"0", "Image", "Insole", "Client", "Scale"}));
        QCOMPARE(d.count(), 1);

        Set_Text_Scale(host, QStringLiteral("Standard"), 3);
        QCOMPARE(text->size, 0.15);
    }

    void everyDrawingGetsItsFourLayersWhateverTheFlag()
    {
        // The soft pane ran first and set the flag; the rigid pane's drawing
        // has no layers yet and must not order layers it lacks.
        Job().GraphicSelection = QStringLiteral("LEFT");
        RecordingHost soft(DrawingHostKind::Soft);
        Set_Up_Drawing(soft);
        QVERIFY(Job().DrawingLayersFlag);
        RecordingHost rigid(DrawingHostKind::Rigid);
        Set_Up_Drawing(rigid);
        QCOMPARE(layerNames(rigid.model), (QStringList{"0", "Image", "Insole", "Client", "Scale"}));
        QCOMPARE(rigid.model.layer(rigid.model.currentLayer())->name, QStringLiteral("Client"));
        QCOMPARE(Drawing_State().ScaleLayer, rigid.model.layerId(QStringLiteral("Scale")));
        // "Client" is 7 on the Graphic Screen, 1 on the panes.
        RecordingHost screen(DrawingHostKind::Graphic);
        Set_Up_Drawing(screen);
        QCOMPARE(screen.model.layer(screen.model.layerId(QStringLiteral("Client")))->colour, 7);
        QCOMPARE(rigid.model.layer(rigid.model.layerId(QStringLiteral("Client")))->colour, 1);
        QCOMPARE(rigid.model.layer(rigid.model.layerId(QStringLiteral("Scale")))->colour, 4);
    }

    void eachHostKeepsItsOwnPhoto()
    {
        ScriptRecord &job = Job();
        job.GraphicSelection = QStringLiteral("LEFT");
        RecordingHost soft(DrawingHostKind::Soft);
        Set_Up_Drawing(soft);
        job.CurrentFoot = QStringLiteral("Right");
        RecordingHost screen(DrawingHostKind::Graphic);
        Set_Up_Drawing(screen);
        QCOMPARE(job.CurrentImageFile, rightPhoto);
        QCOMPARE(soft.imageFile, leftPhoto);
        QCOMPARE(soft.model.rasterPixelSize(soft.rasterEntity), QSize(640, 480));
        QCOMPARE(screen.imageFile, rightPhoto);
        QCOMPARE(screen.model.rasterPixelSize(screen.rasterEntity), QSize(480, 640));
    }

    void anUnreadablePhotoIsReportedAfterTheSetUpFinished()
    {
        home->write(QStringLiteral("Data/Broken.Jpg"), "not a picture");
        Job().LeftGraphicFile = home->path(QStringLiteral("Data/Broken.Jpg"));
        Job().GraphicSelection = QStringLiteral("LEFT");
        RecordingHost host(DrawingHostKind::Soft);
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Set_Up_Drawing(host));
        QCOMPARE(host.rasterEntity, 0);
        QCOMPARE(host.commands, QVector<int>{102});
        QCOMPARE(host.model.layer(host.model.currentLayer())->name, QStringLiteral("Client"));
    }

    void drawingFileNamesOfScans_data()
    {
        QTest::addColumn<QString>("scan");
        QTest::addColumn<QString>("vec");
        QTest::newRow("wrl") << "C:\\3DEriruvu\\Data\\Surname_First_L.Wrl"
                             << "C:\\3DEriruvu\\Data\\Surname_First_L.Vec";
        QTest::newRow("obj") << "/home/a/Data/Lee_Ann_R.obj"
                             << "/home/a/Data/Lee_Ann_R.Vec";
        QTest::newRow("no suffix") << "/home/a/Data/Scan"
                                   << "/home/a/Data/Scan.Vec";
        QTest::newRow("dot in folder only") << "/home/a.b/Scan"
                                            << "/home/a.b/Scan.Vec";
        QTest::newRow("absent") << "None"
                                << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("short") << "ab"
                               << "ab.Vec";
    }

    void drawingFileNamesOfScans()
    {
        QFETCH(QString, scan);
        QFETCH(QString, vec);
        QCOMPARE(Drawing_File_For_Scan(scan), vec);
    }

    void insertFootBlockLoadsTheFileOrSaysWhy()
    {
        RecordingHost host(DrawingHostKind::Graphic);
        QDir().mkpath(home->path(QStringLiteral("Blocks")));
        Drawing block;
        block.addLine({0, 0}, {0, 1});
        cad::writeVecFile(block, home->path(QStringLiteral("Blocks/Bar.Vec")));

        const cad::Handle h = Insert_Foot_Block(host, home->path(QStringLiteral("Blocks/Bar.Vec")), 3, 4, 0, 250);
        const cad::Entity *insert = host.model.entity(h);
        QCOMPARE(insert->anchor(), QPointF(3, 4));
        QCOMPARE(insert->scale, 250.0);
        QCOMPARE(host.model.extents().bottom(), 254.0);
        QCOMPARE(host.redraws, 0);

        const QString missing = home->path(QStringLiteral("Blocks/Left_Unit.Vec"));
        try {
            Insert_Foot_Block(host, missing, 0, 0, 0, 1);
            QFAIL("a missing block was inserted");
        } catch (const SolvaneError &e) {
            QVERIFY(e.description().contains(missing));
        }
        QCOMPARE(host.model.count(), 1);
    }

    void pickPointerAndMeasureLines()
    {
        RecordingHost host(DrawingHostKind::Soft);
        DrawingState &state = Drawing_State();
        state.PickFlag = false;
        On_Drawing_Pick(host, 12.345, -0.005);
        On_Drawing_Pick(host, 99, 98);
        QVERIFY(state.PickFlag);
        QCOMPARE(state.PickX, 12.345);
        QCOMPARE(state.PickY, -0.005);
        QCOMPARE(host.x, QStringLiteral("99.00"));
        QCOMPARE(host.y, QStringLiteral("98.00"));
        QCOMPARE(host.log.mid(0, 2), (QStringList{"x 12.35", "y -0.01"}));
        On_Drawing_Pointer(host, 1.005, 2);
        QCOMPARE(host.x, QStringLiteral("1.01"));
        QCOMPARE(state.PickX, 12.345);
        On_Drawing_Measure(host, 120, 45.27);
        QCOMPARE(host.message, QStringLiteral("Length: 45.3   Total: 120.0"));
    }
};

QTEST_GUILESS_MAIN(TestDrawingSetUp)
#include "tst_drawingsetup.moc"
