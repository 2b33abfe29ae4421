#include "drawingpanetab.h"
#include "drawingstate.h"
#include "errors.h"
#include "graphicform.h"
#include "imageburn.h"
#include "imagefile.h"
#include "insolepane.h"
#include "panetestsupport.h"
#include "paths.h"
#include "photocache.h"
#include "recordinghost.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAction>
#include <QImageReader>
#include <QLabel>
#include <QtTest>

#include <memory>

namespace {

constexpr QSize kPhoto(400, 300);

// How much redder than green the burnt image is along its middle row, where
// the test draws a red line: a line burnt in shows, a plain photo does not.
int redLineStrength(const QString &path)
{
    const QImage image = Load_Image_File(path);
    int best = 0;
    for (int y = image.height() / 2 - 3; y <= image.height() / 2 + 3; ++y) {
        const QColor c = image.pixelColor(image.width() / 2, y);
        best = std::max(best, c.red() - c.green());
    }
    return best;
}

} // namespace

// Burning a drawing into its photo: the one routine, its texts and
// failures on a recording host, then the four places that offer it.
class TestImageBurn : public QObject
{
    Q_OBJECT

    std::unique_ptr<PaneFixture> fx;
    QString leftPhoto, rightPhoto, sketch;

    // A red line across the middle of the host's photo.
    static void drawAcross(DrawingHost &host)
    {
        cad::Drawing &d = host.drawing();
        const double s = d.rasterScale(host.rasterEntity);
        const QSize size = d.rasterPixelSize(host.rasterEntity);
        const cad::Handle line = d.addLine({0, size.height() / s / 2}, {size.width() / s, size.height() / s / 2});
        d.modify(line)->colour = 1;
    }

private slots:
    void init()
    {
        fx = std::make_unique<PaneFixture>();
        ScriptRecord &job = Job();
        job.FootSizeL = job.FootSizeR = QStringLiteral("9");
        leftPhoto = job.LeftGraphicFile = fx->photo(QStringLiteral("Lee_L.Jpg"), kPhoto);
        rightPhoto = job.RightGraphicFile = fx->photo(QStringLiteral("Lee_R.Jpg"), {300, 400});
        sketch = job.JobImageFile = fx->photo(QStringLiteral("AB0041_Ann_Lee.Jpg"), {200, 150});
    }
    void cleanup()
    {
        Set_Graphic_Screen_Save({});
        fx.reset();
    }

    void burnWritesTheWholePhotoAndSaysSo()
    {
        RecordingHost host(DrawingHostKind::Soft);
        const double s = 250.0 * 3 / 480;
        host.rasterEntity = host.model.addRaster(leftPhoto, {0, 0}, s);
        host.imageFile = leftPhoto;
        drawAcross(host);
        fx->home.write(QStringLiteral("TempImage.Bmp"), "left by an interrupted burn");

        QVERIFY(Burn_Into_Image(host, {true, QStringLiteral("Left")}));
        QCOMPARE(host.log, (QStringList{"command 102", "message Rasterizing...", "message Converting...",
                                        "message Image Saved"}));
        QCOMPARE(fx->shell.calls, QStringList{"Load_Left_Foot"});
        QCOMPARE(QImageReader(leftPhoto).size(), kPhoto); // W x H, not one less
        QVERIFY(redLineStrength(leftPhoto) > 60);
        QVERIFY(!QFileInfo::exists(Paths::file(QStringLiteral("TempImage.Bmp"))));
    }

    // Nothing to burn into: only the fit, no text, nothing written or reloaded.
    void noImageNoBurn_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<bool>("save");
        QTest::newRow("None") << "None" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("missing") << "Data/gone.Jpg" << true;
        QTest::newRow("pane without a side") << "Data/Lee_L.Jpg" << false;
    }
    void noImageNoBurn()
    {
        QFETCH(QString, image);
        QFETCH(bool, save);
        RecordingHost host(DrawingHostKind::Rigid);
        host.imageFile = image.startsWith(QLatin1String("Data/")) ? fx->home.path(image) : image;
        const QByteArray before = fx->home.read(QStringLiteral("Data/Lee_L.Jpg"));
        QVERIFY(!Burn_Into_Image(host, {save, QStringLiteral("Left")}));
        QCOMPARE(host.log, QStringList{"command 102"});
        QVERIFY(fx->shell.calls.isEmpty());
        QCOMPARE(fx->home.read(QStringLiteral("Data/Lee_L.Jpg")), before);
        QVERIFY(!QFileInfo::exists(fx->home.path(QStringLiteral("None"))));
    }

    // A failed read or write is raised: the image stays whole,
    // nothing is reloaded and "Image Saved" is not shown.
    void failuresAreReported_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("content"); // empty: a folder in its place
        QTest::newRow("a folder in its place") << "Data/Folder.Jpg" << QByteArray();
        QTest::newRow("damaged photo") << "Data/Damaged.Jpg" << QByteArray("not a picture");
        QTest::newRow("format it cannot write") << "Data/Photo.Xyz" << QByteArray();
    }
    void failuresAreReported()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, content);
        const QString path = fx->home.path(target);
        if (target.endsWith(QLatin1String(".Xyz")))
            QVERIFY(QFile::copy(leftPhoto, path)); // a JPEG under a name no writer knows
        else if (!content.isEmpty())
            fx->home.write(target, content);
        else if (!QFileInfo::exists(path))
            QVERIFY(QDir().mkpath(path));
        RecordingHost host(DrawingHostKind::Soft);
        host.imageFile = path;
        const QByteArray before = QFileInfo(path).isFile() ? fx->home.read(target) : QByteArray();
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Burn_Into_Image(host, {true, QStringLiteral("Left")}));
        QVERIFY(!host.log.contains(QStringLiteral("message Image Saved")));
        QVERIFY(fx->shell.calls.isEmpty());
        if (QFileInfo(path).isFile())
            QCOMPARE(fx->home.read(target), before);
        else
            QVERIFY(QFileInfo(path).isDir());
    }

    // The four places: which image is written and which foot's view reloads.
    // Each burn reloads the foot whose photo it wrote; the job sketch none.
    void routines_data()
    {
        QTest::addColumn<QString>("routine"); // "graphic", "S", "palette"
        QTest::addColumn<bool>("soft");
        QTest::addColumn<QString>("selection"); // GraphicSelection, or the Graphic Screen's CurrentFoot
        QTest::addColumn<QString>("written"); // "left", "right", "sketch", "" none
        QTest::addColumn<QStringList>("reloads");
        const QStringList left{"Load_Left_Foot"}, right{"Load_Right_Foot"}, none;
        QTest::newRow("graphic Left") << "graphic" << true << "Left"
                                      << "left" << left;
        QTest::newRow("graphic Right") << "graphic" << true << "Right"
                                       << "right" << right;
        for (bool soft : {true, false}) {
            const char *kind = soft ? "soft" : "rigid";
            for (const char *routine : {"S", "palette"}) {
                QTest::addRow("%s %s LEFT", kind, routine) << routine << soft << "LEFT"
                                                           << "left" << left;
                QTest::addRow("%s %s RIGHT", kind, routine) << routine << soft << "RIGHT"
                                                            << "right" << right;
                QTest::addRow("%s %s BOTH", kind, routine) << routine << soft << "BOTH"
                                                           << "sketch" << none;
                QTest::addRow("%s %s none", kind, routine) << routine << soft << ""
                                                           << "" << none;
            }
        }
    }
    void routines()
    {
        QFETCH(QString, routine);
        QFETCH(bool, soft);
        QFETCH(QString, selection);
        QFETCH(QString, written);
        QFETCH(QStringList, reloads);
        const QByteArray original[3] = {fx->home.read(QStringLiteral("Data/Lee_L.Jpg")),
                                        fx->home.read(QStringLiteral("Data/Lee_R.Jpg")),
                                        fx->home.read(QStringLiteral("Data/AB0041_Ann_Lee.Jpg"))};
        const QString paths[3] = {leftPhoto, rightPhoto, sketch};
        const QStringList names{"left", "right", "sketch"};
        QString message;

        if (routine == QLatin1String("graphic")) {
            Install_Graphic_Screen_Burn();
            Register_Graphic_Screen();
            Job().CurrentFoot = selection;
            auto *form = Windows().get<GraphicForm>(QStringLiteral("GraphicForm"));
            drawAcross(*form);
            // The foot named later does not change which photo is written.
            Job().CurrentFoot = selection == QLatin1String("Left") ? QStringLiteral("Right") : QStringLiteral("Left");
            form->findChild<QAction *>(QStringLiteral("mnuSaveJPG"))->trigger();
            message = form->statusText(3);
        } else {
            QWidget page;
            const DrawingPaneTab tab = DrawingPaneTab::build(&page, {DrawingPaneTab::Window::Soft, "Vecad1", "Label"});
            InsolePane &pane = InsolePane::In(tab, soft ? DrawingHostKind::Soft : DrawingHostKind::Rigid);
            Job().CurrentFoot = QStringLiteral("Right"); // the palette does not go by it
            Job().GraphicSelection = selection;
            if (selection.isEmpty())
                Job().CurrentFoot.clear();
            pane.Load_Vec_File();
            if (pane.rasterEntity)
                drawAcross(pane);
            if (routine == QLatin1String("S"))
                pane.Save_Image();
            else
                pane.burnFromPalette();
            message = tab.paneMessage->text();
        }
        for (int i = 0; i < 3; ++i) {
            const bool changed = fx->home.read(paths[i].mid(fx->home.root().size() + 1)) != original[i];
            QCOMPARE(changed, names[i] == written);
        }
        if (!written.isEmpty()) {
            const QString path = paths[names.indexOf(written)];
            const QSize sizes[3] = {kPhoto, {300, 400}, {200, 150}};
            QCOMPARE(QImageReader(path).size(), sizes[names.indexOf(written)]);
            QVERIFY(redLineStrength(path) > 60);
        }
        QCOMPARE(fx->shell.calls, reloads);
        QCOMPARE(message == QLatin1String("Image Saved"), !written.isEmpty());
    }
};

QTEST_MAIN(TestImageBurn)
#include "tst_imageburn.moc"
