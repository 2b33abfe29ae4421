#include "drawingpanetab.h"
#include "drawingsetup.h"
#include "drawingstate.h"
#include "drawingview.h"
#include "imagefile.h"
#include "insolepane.h"
#include "insolepanes.h"
#include "panetestsupport.h"
#include "photocache.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

// The insole pane on its own, in a bare "Graphics" tab: what one rebuild
// does for every foot, side, photo and kind.
class TestInsolePane : public QObject
{
    Q_OBJECT

    std::unique_ptr<PaneFixture> fx;
    std::unique_ptr<QWidget> tabPage;
    DrawingPaneTab tab;

    QString label(int index) const { return tab.statusLabels[std::size_t(index)]->text(); }

    InsolePane &paneOf(DrawingHostKind kind)
    {
        tabPage = std::make_unique<QWidget>();
        tab = DrawingPaneTab::build(
            tabPage.get(),
            {kind == DrawingHostKind::Soft ? DrawingPaneTab::Window::Soft : DrawingPaneTab::Window::Rigid,
             kind == DrawingHostKind::Soft ? "Vecad1" : "Vecad2", kind == DrawingHostKind::Soft ? "Label" : "rLabel"});
        return InsolePane::In(tab, kind);
    }

private slots:
    void init()
    {
        fx = std::make_unique<PaneFixture>();
        ScriptRecord &job = Job();
        job.JobNumber = QStringLiteral("AB0041");
        job.ClientFirstName = QStringLiteral("Ann");
        job.ClientSurname = QStringLiteral("Lee");
        job.LeftScanFile = fx->home.path(QStringLiteral("Data/Lee_Ann_L.Wrl"));
        job.RightScanFile = fx->home.path(QStringLiteral("Data/Lee_Ann_R.Wrl"));
        job.FootSizeL = QStringLiteral("9");
        job.FootSizeR = QStringLiteral("7");
    }
    void cleanup()
    {
        tabPage.reset();
        fx.reset();
    }

    void rebuild_data()
    {
        QTest::addColumn<bool>("soft");
        QTest::addColumn<QString>("foot");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("image"); // "None", "missing", "present"
        for (bool soft : {true, false})
            for (const char *foot : {"Left", "Right", ""})
                for (const char *selection : {"LEFT", "RIGHT", "BOTH", ""})
                    for (const char *image : {"None", "missing", "present"})
                        QTest::addRow("%s foot=%s sel=%s %s", soft ? "soft" : "rigid", foot, selection, image)
                            << soft << QString::fromLatin1(foot) << QString::fromLatin1(selection)
                            << QString::fromLatin1(image);
    }
    void rebuild()
    {
        QFETCH(bool, soft);
        QFETCH(QString, foot);
        QFETCH(QString, selection);
        QFETCH(QString, image);
        ScriptRecord &job = Job();
        const QString path = image == QLatin1String("None")      ? QStringLiteral("None")
                             : image == QLatin1String("missing") ? fx->home.path(QStringLiteral("Data/gone.Jpg"))
                                                                 : fx->photo(QStringLiteral("photo.Jpg"), {48, 36});
        job.LeftGraphicFile = job.RightGraphicFile = job.JobImageFile = path;

        // A first rebuild without a side puts the layers in; then something drawn.
        InsolePane &pane = paneOf(soft ? DrawingHostKind::Soft : DrawingHostKind::Rigid);
        job.CurrentFoot.clear();
        pane.Load_Vec_File();
        const cad::Handle drawn = pane.drawing().addLine({1, 1}, {5, 5});
        job.CurrentFoot = foot;
        job.GraphicSelection = selection;
        job.TemplateLengthL = job.TemplateLengthR = -1;
        pane.Load_Vec_File();

        QString side = selection;
        if (side.isEmpty())
            side = foot == QLatin1String("Left")    ? QStringLiteral("LEFT")
                   : foot == QLatin1String("Right") ? QStringLiteral("RIGHT")
                                                    : QString();
        QCOMPARE(job.GraphicSelection, side);
        const QString jobVec = QStringLiteral("%1AB0041_Ann_Lee.Vec").arg(soft ? "" : "R_");
        const QString vec = foot == QLatin1String("Left")    ? QStringLiteral("Lee_Ann_L.Vec")
                            : foot == QLatin1String("Right") ? QStringLiteral("Lee_Ann_R.Vec")
                                                             : jobVec;
        QCOMPARE(Drawing_State().DrawingFile, fx->home.path(QStringLiteral("Data/") + vec));

        // The lines: pointer lines empty, "Ready", the size of the side shown.
        const QString size = side == QLatin1String("LEFT")    ? QStringLiteral("Size: 9")
                             : side == QLatin1String("RIGHT") ? QStringLiteral("Size: 7")
                                                              : QString();
        QCOMPARE(label(0), QString());
        QCOMPARE(label(1), QString());
        QCOMPARE(label(2), QStringLiteral("Ready"));
        QCOMPARE(label(3), size);
        // The lengths of the side are recomputed, photo or not.
        QCOMPARE(job.TemplateLengthL, side == QLatin1String("LEFT") ? Get_Template_Length(job, 9) : -1.0);
        QCOMPARE(job.TemplateLengthR, side == QLatin1String("RIGHT") ? Get_Template_Length(job, 7) : -1.0);

        // The image test: soft stops at "None", rigid also at a missing file;
        // a failed test keeps the drawing as it was.
        const bool passes =
            !side.isEmpty() && image != QLatin1String("None") && (soft || image == QLatin1String("present"));
        QCOMPARE(pane.drawing().entity(drawn) != nullptr, !passes);
        const bool placed = passes && image == QLatin1String("present");
        QCOMPARE(pane.rasterEntity != 0, placed);
        if (placed) {
            const double scale = side == QLatin1String("BOTH")   ? 480.0
                                 : side == QLatin1String("LEFT") ? job.TemplateLengthL * 3 / 480
                                                                 : job.TemplateLengthR * 3 / 480;
            QCOMPARE(pane.drawing().rasterScale(pane.rasterEntity), scale);
            QCOMPARE(pane.imageFile, path);
            QCOMPARE(pane.imageFoot(), side == QLatin1String("LEFT")    ? QStringLiteral("Left")
                                       : side == QLatin1String("RIGHT") ? QStringLiteral("Right")
                                                                        : QString());
        }
        QCOMPARE(layerNames(pane.drawing()), (QStringList{"0", "Image", "Insole", "Client", "Scale"}));
        QCOMPARE(pane.drawing().layer(pane.drawing().currentLayer())->name, QStringLiteral("Client"));
    }

    // A scan path too short for a suffix, or none at all, still names a drawing.
    void drawingFileFromOddScanPaths_data()
    {
        QTest::addColumn<QString>("scan");
        QTest::addColumn<QString>("drawingFile");
        QTest::newRow("short") << "L"
                               << "L.Vec";
        QTest::newRow("no suffix") << "/data/scan"
                                   << "/data/scan.Vec";
        QTest::newRow("empty") << ""
                               << "DATA/AB0041_Ann_Lee.Vec";
        QTest::newRow("None") << "None"
                              << "DATA/AB0041_Ann_Lee.Vec";
    }
    void drawingFileFromOddScanPaths()
    {
        QFETCH(QString, scan);
        QFETCH(QString, drawingFile);
        Job().CurrentFoot = QStringLiteral("Left");
        Job().LeftScanFile = scan;
        Job().LeftGraphicFile = QStringLiteral("None");
        paneOf(DrawingHostKind::Soft).Load_Vec_File();
        QCOMPARE(Drawing_State().DrawingFile,
                 QString(drawingFile).replace(QStringLiteral("DATA"), fx->home.path(QStringLiteral("Data"))));
    }

    void sketchMadeOnceFromTheBlank_data()
    {
        QTest::addColumn<bool>("soft");
        QTest::addColumn<bool>("blank"); // "GraphicImage.Jpg" installed
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("sketch"); // JobImageFile afterwards
        QTest::newRow("soft") << true << true << "Ann"
                              << "Data/AB0041_Ann_Lee.Jpg";
        QTest::newRow("rigid") << false << true << "Ann"
                               << "Data/R_AB0041_Ann_Lee.Jpg";
        QTest::newRow("soft without a name") << true << true << ""
                                             << "Data/AB0041__Lee.Jpg";
        QTest::newRow("rigid without a name") << false << true << ""
                                              << "None";
        QTest::newRow("no blank") << true << false << "Ann"
                                  << "Data/AB0041_Ann_Lee.Jpg";
        QTest::newRow("name with a separator") << true << true << "A/B"
                                               << "Data/AB0041_A_B_Lee.Jpg";
    }
    void sketchMadeOnceFromTheBlank()
    {
        QFETCH(bool, soft);
        QFETCH(bool, blank);
        QFETCH(QString, firstName);
        QFETCH(QString, sketch);
        if (blank)
            fx->home.write(QStringLiteral("GRAPHICIMAGE.JPG"), "blank");
        ScriptRecord &job = Job();
        job.JobImageFile = QStringLiteral("None");
        job.ClientFirstName = firstName;
        const DrawingHostKind kind = soft ? DrawingHostKind::Soft : DrawingHostKind::Rigid;

        job.GraphicsTabFlag = false; // not before the tab was visited
        Pane_Job_Sketch(job, kind);
        QCOMPARE(job.JobImageFile, QStringLiteral("None"));

        job.GraphicsTabFlag = true;
        Pane_Job_Sketch(job, kind);
        const QString expected = sketch == QLatin1String("None") ? sketch : fx->home.path(sketch);
        QCOMPARE(job.JobImageFile, expected);
        if (sketch == QLatin1String("None"))
            return;
        QCOMPARE(fx->home.read(sketch), blank ? QByteArray("blank") : QByteArray());
        QCOMPARE(QFileInfo::exists(expected), blank);
        if (!blank)
            return;
        fx->home.write(sketch, "drawn on");
        Pane_Job_Sketch(job, kind);
        QCOMPARE(fx->home.read(sketch), QByteArray("drawn on"));
    }

    void viewEventsShowInTheLines()
    {
        InsolePane &pane = paneOf(DrawingHostKind::Rigid);
        QCOMPARE(pane.view().parentWidget(), tab.drawingHost);
        emit pane.view().pointerMoved(QPointF(1.234, -5.678));
        QCOMPARE(tab.statusLabels[0]->objectName(), QStringLiteral("rLabel20"));
        QCOMPARE(label(0), QStringLiteral("1.23"));
        QCOMPARE(label(1), QStringLiteral("-5.68"));
        Drawing_State().PickFlag = false;
        emit pane.view().picked(QPointF(2, 3));
        emit pane.view().picked(QPointF(7, 8));
        QCOMPARE(Drawing_State().PickX, 2.0);
        QCOMPARE(label(0), QStringLiteral("7.00"));
        emit pane.view().measured(120, 45.27);
        QCOMPARE(label(2), QStringLiteral("Length: 45.3   Total: 120.0"));
    }

    void paneProceduresActOnItsDrawing()
    {
        InsolePane &pane = paneOf(DrawingHostKind::Soft);
        Job().CurrentFoot.clear();
        pane.Load_Vec_File();
        cad::Drawing &d = pane.drawing();
        const double arrow = d.dimStyle(d.dimStyleId(QStringLiteral("Standard")))->sizes[0];
        pane.Set_Dim_Scale(QStringLiteral("Standard"), 3.0);
        QCOMPARE(d.dimStyle(d.dimStyleId(QStringLiteral("Standard")))->sizes[0], arrow * 3);
        pane.Set_Text_Scale(QStringLiteral("Standard"), 2.0);
        QCOMPARE(d.textStyle(d.textStyleId(QStringLiteral("Standard")))->size, 0.1);
        pane.Set_Text_Style(QStringLiteral("Standard"));
        QCOMPARE(d.textStyle(d.textStyleId(QStringLiteral("Standard")))->size, 0.05);
        d.addLine({0, 0}, {1, 1});
        pane.Delete_Entities();
        QCOMPARE(d.count(), 0);
    }

    // "Graphic Selection": comes up on the selection, "Accept" takes the
    // option chosen, "Quit" takes nothing; both close it.
    void graphicSelectionWindow_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("chosen"); // Option1_<n>, -1 none
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("after");
        QTest::newRow("accept left") << "BOTH" << 1 << "Command1"
                                     << "LEFT";
        QTest::newRow("accept right") << "" << 2 << "Command1"
                                      << "RIGHT";
        QTest::newRow("accept as it came") << "RIGHT" << -1 << "Command1"
                                           << "RIGHT";
        QTest::newRow("nothing chosen") << "" << -1 << "Command1"
                                        << "";
        QTest::newRow("quit") << "LEFT" << 0 << "Command2"
                              << "LEFT";
    }
    void graphicSelectionWindow()
    {
        QFETCH(QString, before);
        QFETCH(int, chosen);
        QFETCH(QString, button);
        QFETCH(QString, after);
        Register_Insole_Pane_Windows();
        Job().GraphicSelection = before;
        QWidget *window = Windows().window(QStringLiteral("VecOption"));
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Graphic Selection"));
        const QStringList sides{"BOTH", "LEFT", "RIGHT"};
        for (int i = 0; i < 3; ++i) {
            auto *option = window->findChild<QRadioButton *>(QStringLiteral("Option1_%1").arg(i));
            QCOMPARE(option->text(), sides[i]);
            QCOMPARE(option->isChecked(), sides[i] == before);
        }
        if (chosen >= 0)
            window->findChild<QRadioButton *>(QStringLiteral("Option1_%1").arg(chosen))->setChecked(true);
        window->findChild<QPushButton *>(button)->click();
        QCOMPARE(Job().GraphicSelection, after);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Windows().isLoaded(QStringLiteral("VecOption")));
    }

    // A rebuilt photo comes from the cache until its file changes.
    void photoCacheRevalidates()
    {
        const QString path = fx->photo(QStringLiteral("cached.Png"), {20, 10}, Qt::red);
        PhotoCache cache;
        const QImage first = cache.load(path);
        QCOMPARE(cache.load(path).constBits(), first.constBits());
        QImage wider(30, 10, QImage::Format_RGB32);
        wider.fill(Qt::blue);
        Save_Image_File(wider, path);
        QFile(path).setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
        QCOMPARE(cache.load(path).size(), QSize(30, 10));
        QCOMPARE(cache.size(), 1);

        // The program's photos are kept while a pane lives.
        Job().GraphicSelection = QStringLiteral("LEFT");
        Job().LeftGraphicFile = path;
        paneOf(DrawingHostKind::Soft).Load_Vec_File();
        QCOMPARE(Pane_Photo_Cache().size(), 1);
        tabPage.reset();
        QCOMPARE(Pane_Photo_Cache().size(), 0);
    }
};

QTEST_MAIN(TestInsolePane)
#include "tst_insolepane.moc"
