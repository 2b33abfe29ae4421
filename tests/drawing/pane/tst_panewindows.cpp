#include "drawingpanehooks.h"
#include "drawingpanetab.h"
#include "drawingview.h"
#include "imagefile.h"
#include "insolepane.h"
#include "insolepanes.h"
#include "installdata.h"
#include "jobnames.h"
#include "panetestsupport.h"
#include "photocache.h"
#include "rigidtestsupport.h"
#include "softhooks.h"
#include "softtestsupport.h"
#include "toolwindows.h"
#include "vecsamples.h"

#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

template <typename T>
T *control(QWidget *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

} // namespace

// The panes in the real prescription windows, joined as the program joins
// them.
class TestPaneWindows : public QObject
{
    Q_OBJECT

    // One window of either kind with its fixture, the program's pane hooks
    // installed.
    struct Window
    {
        std::unique_ptr<SoftFixture> soft;
        std::unique_ptr<RigidFixture> rigid;
        QWidget *form = nullptr;
        DrawingHostKind kind = DrawingHostKind::Soft;
        int graphicsTab = 3;
        const char *prefix = "Label";

        explicit Window(bool isSoft)
        {
            if (isSoft)
                soft = std::make_unique<SoftFixture>();
            else {
                rigid = std::make_unique<RigidFixture>();
                kind = DrawingHostKind::Rigid;
                graphicsTab = 2;
                prefix = "rLabel";
            }
            Install_Insole_Panes();
            Pane_Photo_Cache().clear();
        }
        ~Window()
        {
            Set_Drawing_Pane_Hook(nullptr);
            Set_Insole_Pane_Finder({});
        }
        TestHome &home() { return soft ? soft->home : rigid->home; }
        FakeShell &shell() { return soft ? soft->shell : rigid->shell; }
        QWidget *open()
        {
            form = soft ? static_cast<QWidget *>(soft->open()) : static_cast<QWidget *>(rigid->open());
            return form;
        }
        QTabWidget *tabs() { return control<QTabWidget>(form, "SSTab1"); }
        QString line(int number)
        {
            return control<QLabel>(form, (prefix + QByteArray::number(number)).constData())->text();
        }
        InsolePane *pane() { return InsolePane::Existing(kind); }
    };

private slots:
    void kinds_data()
    {
        QTest::addColumn<bool>("soft");
        QTest::newRow("soft") << true;
        QTest::newRow("rigid") << false;
    }

    void paneLivesInTheGraphicsTab_data() { kinds_data(); }
    void paneLivesInTheGraphicsTab()
    {
        QFETCH(bool, soft);
        Window w(soft);
        w.open();
        InsolePane *pane = w.pane();
        QVERIFY(pane);
        QCOMPARE(pane->view().parentWidget()->objectName(), QLatin1String(soft ? "Vecad1" : "Vecad2"));
        QCOMPARE(w.line(43), QStringLiteral("Ready"));
        QVERIFY(Windows().hasFactory(QStringLiteral("VecOption")));

        // The window's block insertion reaches its pane's drawing.
        installdata::writeMissing(w.home().root());
        const QString block = w.home().path(QStringLiteral("Blocks/Left_Unit.Vec"));
        if (soft)
            qobject_cast<ScriptForm1 *>(w.form)->Insert_Foot_Block(block, 3, 4, 0, 250);
        else
            qobject_cast<ScriptForm2 *>(w.form)->Insert_Foot_Block(block, 3, 4, 0, 250);
        const cad::Entity *insert = pane->drawing().entity(pane->drawing().handles().last());
        QCOMPARE(insert->kind, cad::Kind::Insert);
        QCOMPARE(insert->anchor(), QPointF(3, 4));
        QCOMPARE(insert->scale, 250.0);
    }

    // A template whose inserts would expand past the limit is refused at
    // once with its name; the tab's rebuild, with that file where the job's
    // drawing would be, is as quick, and the pane goes on working.
    void aTemplatePastTheLimitIsRefusedAtOnce_data() { kinds_data(); }
    void aTemplatePastTheLimitIsRefusedAtOnce()
    {
        QFETCH(bool, soft);
        Window w(soft);
        installdata::writeMissing(w.home().root());
        w.home().write(QStringLiteral("Blocks/Left_Unit.Vec"), vecsamples::nestedInserts());
        Job().CurrentFoot = QStringLiteral("Left");
        Job().LeftScanFile = w.home().path(QStringLiteral("Data/Lee_L.Wrl"));
        w.home().write(QStringLiteral("Data/Lee_L.Vec"), vecsamples::nestedInserts(16));
        w.open();
        w.tabs()->setCurrentIndex(w.graphicsTab);
        InsolePane *pane = w.pane();
        const int before = pane->drawing().count();

        const QString nested = w.home().path(QStringLiteral("Blocks/Left_Unit.Vec"));
        try {
            pane->Insert_Foot_Block(nested, 0, 0, 0, 250);
            QFAIL("the template was inserted");
        } catch (const SolvaneError &e) {
            QVERIFY2(e.description().contains(nested), qPrintable(e.description()));
        }
        QCOMPARE(pane->drawing().count(), before);

        pane->Load_Vec_File();
        QCOMPARE(w.line(43), QStringLiteral("Ready"));
        QCOMPARE(Drawing_State().DrawingFile, w.home().path(QStringLiteral("Data/Lee_L.Vec")));
        const cad::Handle drawn = pane->drawing().addLine({0, 0}, {10, 10});
        QVERIFY(pane->drawing().extents().contains(QPointF(10, 10)));
        pane->redraw();
        QCoreApplication::processEvents();
        QVERIFY(pane->drawing().entity(drawn));
    }

    // The palettes' target: the pane of the window EvaScriptFlag names, only
    // while that window is loaded; asking never creates a window.
    void activePaneFollowsTheFlag_data() { kinds_data(); }
    void activePaneFollowsTheFlag()
    {
        QFETCH(bool, soft);
        Window w(soft);
        const QString name = soft ? QStringLiteral("ScriptForm1") : QStringLiteral("ScriptForm2");
        Job().EvaScriptFlag = soft;
        QCOMPARE(Active_Insole_Pane(), nullptr);
        QVERIFY(!Windows().isLoaded(name));
        w.open();
        QCOMPARE(Active_Insole_Pane(), static_cast<InsolePaneTarget *>(w.pane()));
        Job().EvaScriptFlag = !soft;
        QCOMPARE(Active_Insole_Pane(), nullptr);
        Job().EvaScriptFlag = soft;
        Windows().unload(name);
        QCOMPARE(Active_Insole_Pane(), nullptr);
        QVERIFY(!Windows().isLoaded(name));
    }

    // Every tab change rebuilds the pane: what was drawn and not burnt goes.
    void tabChangeErasesTheDrawing_data() { kinds_data(); }
    void tabChangeErasesTheDrawing()
    {
        QFETCH(bool, soft);
        Window w(soft);
        Job().LeftGraphicFile = writePhoto(w.home().path(QStringLiteral("Data/Lee_L.Jpg")), {64, 48});
        Job().GraphicSelection = QStringLiteral("LEFT");
        Job().FootSizeL = QStringLiteral("9");
        w.open();
        w.tabs()->setCurrentIndex(w.graphicsTab);
        InsolePane *pane = w.pane();
        QVERIFY(pane->rasterEntity);
        QCOMPARE(w.line(49), QStringLiteral("Size: 9"));
        const cad::Handle drawn = pane->drawing().addLine({0, 0}, {10, 10});
        w.tabs()->setCurrentIndex(0);
        QVERIFY(!pane->drawing().entity(drawn));
        QVERIFY(pane->drawing().entity(pane->rasterEntity));
        QCOMPARE(pane->drawing().count(), 1);
        QCOMPARE(layerNames(pane->drawing()), (QStringList{"0", "Image", "Insole", "Client", "Scale"}));
    }

    // "B" shows the job sketch, made once from "GraphicImage.Jpg"; a second
    // "B" shows what is in it now.
    void bothShowsTheSketchMadeOnce_data() { kinds_data(); }
    void bothShowsTheSketchMadeOnce()
    {
        QFETCH(bool, soft);
        Window w(soft);
        writePhoto(w.home().path(QStringLiteral("GraphicImage.Jpg")), {96, 72});
        w.open();
        w.tabs()->setCurrentIndex(w.graphicsTab);
        control<QPushButton>(w.form, "Command24")->click();
        const QString sketch = Job().JobImageFile;
        QCOMPARE(QFileInfo(sketch).fileName(),
                 JobSketchPath(Job(), soft ? JobKind::Soft : JobKind::Rigid).section(u'/', -1));
        QCOMPARE(QImageReader(sketch).size(), QSize(96, 72));
        InsolePane *pane = w.pane();
        QCOMPARE(pane->drawing().rasterScale(pane->rasterEntity), 480.0);
        QCOMPARE(w.line(43), QStringLiteral("Ready"));
        QCOMPARE(w.line(49), QString());

        writePhoto(sketch, {120, 90}); // drawn on since
        control<QPushButton>(w.form, "Command24")->click();
        QCOMPARE(QImageReader(sketch).size(), QSize(120, 90));
        QCOMPARE(pane->drawing().rasterPixelSize(pane->rasterEntity), QSize(120, 90));
    }

    // "S": the drawing burnt into the photo of the side shown, that foot's
    // view reloaded, the pane rebuilt over the new photo.
    void saveBurnsAndRebuilds_data() { kinds_data(); }
    void saveBurnsAndRebuilds()
    {
        QFETCH(bool, soft);
        Window w(soft);
        const QString photo = writePhoto(w.home().path(QStringLiteral("Data/Lee_R.Jpg")), {64, 48});
        Job().RightGraphicFile = photo;
        Job().GraphicSelection = QStringLiteral("RIGHT");
        w.open();
        w.tabs()->setCurrentIndex(w.graphicsTab);
        InsolePane *pane = w.pane();
        const cad::Handle drawn = pane->drawing().addCircle({5, 5}, 3);
        const QByteArray before = w.home().read(QStringLiteral("Data/Lee_R.Jpg"));
        w.shell().calls.clear();
        control<QPushButton>(w.form, "Command25")->click();
        QVERIFY(w.home().read(QStringLiteral("Data/Lee_R.Jpg")) != before);
        QCOMPARE(QImageReader(photo).size(), QSize(64, 48));
        QCOMPARE(w.shell().calls, QStringList{"Load_Right_Foot"});
        QVERIFY(!pane->drawing().entity(drawn));
        QCOMPARE(w.line(43), QStringLiteral("Ready"));
    }

    // "Save" of the "Files" palette burns the pane EvaScriptFlag names and
    // reloads the foot whose photo it wrote, whatever CurrentFoot says; the
    // palette closes.
    void paletteSaveBurnsTheActivePane_data() { kinds_data(); }
    void paletteSaveBurnsTheActivePane()
    {
        QFETCH(bool, soft);
        Window w(soft);
        Register_Drawing_Tool_Windows();
        const QString photo = writePhoto(w.home().path(QStringLiteral("Data/Lee_R.Jpg")), {64, 48});
        Job().RightGraphicFile = photo;
        Job().GraphicSelection = QStringLiteral("RIGHT");
        w.open();
        w.tabs()->setCurrentIndex(w.graphicsTab);
        Job().CurrentFoot = QStringLiteral("Left");
        Job().EvaScriptFlag = soft;
        const QByteArray before = w.home().read(QStringLiteral("Data/Lee_R.Jpg"));
        w.pane()->drawing().addCircle({5, 5}, 3);
        w.shell().calls.clear();
        QWidget *palette = Windows().show(QStringLiteral("VCfilesForm"));
        QVERIFY(palette);
        palette->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        QVERIFY(w.home().read(QStringLiteral("Data/Lee_R.Jpg")) != before);
        QCOMPARE(w.shell().calls, QStringList{"Load_Right_Foot"});
        QCOMPARE(w.line(43), QStringLiteral("Image Saved"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Windows().isLoaded(QStringLiteral("VCfilesForm")));
    }

    // "Load Template" ends with "Zoom Extents": the whole outline, heel
    // included, shows above the pane's prompt line.
    void loadTemplateShowsTheOutlineAboveThePromptLine_data() { kinds_data(); }
    void loadTemplateShowsTheOutlineAboveThePromptLine()
    {
        QFETCH(bool, soft);
        Window w(soft);
        Register_Drawing_Tool_Windows();
        installdata::writeMissing(w.home().root());
        Job().CurrentFoot = QStringLiteral("Left");
        Job().FootSizeL = QStringLiteral("9");
        Job().EvaScriptFlag = soft;
        w.open();
        w.tabs()->setCurrentIndex(w.graphicsTab);
        QWidget *palette = Windows().show(QStringLiteral("VCsizeForm"));
        palette->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
        cad::DrawingView &view = w.pane()->view();
        QCOMPARE(view.commandLog().last(), 102);
        const QRectF outline = view.drawing().extents();
        QVERIFY(!outline.isEmpty());
        const double promptTop = view.height() - view.promptLineHeight();
        QVERIFY2(view.toScreen(outline.topLeft()).y() < promptTop, qPrintable(QString::number(promptTop)));
        QVERIFY(view.toScreen(outline.bottomRight()).y() >= 0);
    }

    // The rigid window's "Graphic Image" is shown and opens the job sketch
    // window; the soft window's two stay hidden.
    void graphicImageButtons()
    {
        {
            Window w(true);
            w.open();
            QVERIFY(!control<QPushButton>(w.form, "Command21")->isVisibleTo(w.form));
            QVERIFY(!control<QPushButton>(w.form, "Command22")->isVisibleTo(w.form));
        }
        Window w(false);
        w.open();
        int created = 0;
        Windows().registerFactory(QStringLiteral("GraphicForm2"), [&created] {
            ++created;
            return new QWidget;
        });
        auto *button = control<QPushButton>(w.form, "Command21");
        QVERIFY(button->isVisibleTo(w.form));
        button->click();
        QCOMPARE(created, 1);
        QVERIFY(Windows().isLoaded(QStringLiteral("GraphicForm2")));
    }
};

QTEST_MAIN(TestPaneWindows)
#include "tst_panewindows.moc"
