#include "canceldialogs.h"
#include "drawingstate.h"
#include "drawingview.h"
#include "fakeshell.h"
#include "graphicform.h"
#include "imagefile.h"
#include "installdata.h"
#include "pdfprompter.h"
#include "pick.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "testhome.h"
#include "vecfile.h"
#include "vecsamples.h"
#include "windowregistry.h"

#include <QComboBox>
#include <QMenuBar>
#include <QPrinter>
#include <QtTest>

#include <memory>

namespace {

QAction *item(QWidget *window, const QString &name)
{
    return window->findChild<QAction *>(name);
}

} // namespace

class TestGraphicForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::shared_ptr<PdfPrompter> prompter;
    FakeShell shell;
    QString leftPhoto, rightPhoto;

    GraphicForm *openFor(const QString &foot)
    {
        Job().CurrentFoot = foot;
        return qobject_cast<GraphicForm *>(Windows().show(QStringLiteral("GraphicForm")));
    }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        installdata::writeMissing(home->root());
        leftPhoto = home->path(QStringLiteral("Data/Lee_L.Jpg"));
        rightPhoto = home->path(QStringLiteral("Data/Lee_R.Jpg"));
        QImage photo(480, 960, QImage::Format_RGB32);
        photo.fill(QColor(200, 160, 140));
        Save_Image_File(photo, leftPhoto);
        Save_Image_File(photo.mirrored(true, false), rightPhoto);

        ScriptRecord &job = Job();
        job = ScriptRecord();
        Set_Default_Sizes(job);
        job.Gender = QStringLiteral("Male");
        job.CurrentFolder = home->path(QStringLiteral("Data"));
        job.LeftGraphicFile = leftPhoto;
        job.RightGraphicFile = rightPhoto;
        Drawing_State() = DrawingState();

        prompter = std::make_shared<PdfPrompter>();
        prompter->pdfPath = home->path(QStringLiteral("print.pdf"));
        Set_Prompter(prompter);
        shell.sizeListTexts[0] = QStringLiteral("9");
        shell.sizeListTexts[1] = QStringLiteral("7");
        Set_Shell(&shell);
        Windows().reset();
        Register_Graphic_Screen();
        Set_Graphic_Screen_Save({});
    }
    void cleanup()
    {
        Windows().reset();
        Set_Shell(nullptr);
        home.reset();
    }

    void loadsThePhotoOfTheFootAndItsSize()
    {
        GraphicForm *form = openFor(QStringLiteral("Right"));
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Graphic Screen: Right Foot"));
        QCOMPARE(form->statusText(4), QStringLiteral("Size: 7"));
        QCOMPARE(Job().FootSizeR, QStringLiteral("7"));
        QCOMPARE(form->imageFile, rightPhoto);
        QVERIFY(form->drawing().entity(form->rasterEntity));
        QCOMPARE(form->view()->commandLog(), (QVector<int>{102, 104}));
        const cad::Drawing &d = form->drawing();
        // Fitted to the view's real size at load: half the view after the
        // zoom out, not a dot fitted to a view of no size.
        const QRectF photo = d.entityExtents(*d.entity(form->rasterEntity));
        const QRectF shown =
            QRectF(form->view()->toScreen(photo.topLeft()), form->view()->toScreen(photo.bottomRight())).normalized();
        QVERIFY2(shown.height() > form->view()->height() / 4, qPrintable(QString::number(shown.height())));
        QCOMPARE(d.layer(d.currentLayer())->name, QStringLiteral("Client"));
        auto *strip = form->findChild<QComboBox *>(QStringLiteral("Strip102"));
        QCOMPARE(strip->currentText(), QStringLiteral("Client"));
    }

    void secondEditImageKeepsTheFirstFoot()
    {
        GraphicForm *form = openFor(QStringLiteral("Left"));
        QCOMPARE(openFor(QStringLiteral("Right")), form);
        QCOMPARE(Job().CurrentFoot, QStringLiteral("Right"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Graphic Screen: Left Foot"));
        QCOMPARE(form->loadedFoot(), QStringLiteral("Left"));
        QCOMPARE(form->imageFile, leftPhoto);
        QCOMPARE(form->view()->commandLog().size(), 2); // no second set-up
    }

    void layoutAt800By600()
    {
        GraphicForm *form = openFor(QStringLiteral("Left"));
        QVERIFY(QTest::qWaitForWindowExposed(form));
        form->surface()->resize(800, 600);
        QCOMPARE(form->view()->geometry(), QRect(10, 30, 780, 535));
        QCOMPARE(form->findChild<QWidget *>(QStringLiteral("Strip101"))->geometry(), QRect(10, 1, 300, 22));
        QCOMPARE(form->findChild<QWidget *>(QStringLiteral("Strip102"))->geometry(), QRect(320, 1, 120, 22));
        QCOMPARE(GraphicForm::drawingArea(QSize(20, 65)), QRect(10, 30, 0, 0));
    }

    void panelsAndViewEvents()
    {
        GraphicForm *form = openFor(QStringLiteral("Left"));
        form->ShowStatusF(QStringLiteral("Size: 9"));
        form->ShowStatus(QStringLiteral("Ready"));
        QCOMPARE(form->statusText(4), QStringLiteral("Size: 9"));
        QCOMPARE(form->statusText(3), QStringLiteral("Ready"));
        QCOMPARE(form->statusText(1), QString());

        emit form->view()->pointerMoved(QPointF(12.345, -3));
        QCOMPARE(form->statusText(1), QStringLiteral("12.35"));
        QCOMPARE(form->statusText(2), QStringLiteral("-3.00"));
        emit form->view()->measured(120, 45.27);
        QCOMPARE(form->statusText(3), QStringLiteral("Length: 45.3   Total: 120.0"));
        emit form->view()->picked(QPointF(1, 2));
        QVERIFY(Drawing_State().PickFlag);
        QCOMPARE(Drawing_State().PickX, 1.0);
    }

    void menuBarHoldsTheDrawingMenus()
    {
        GraphicForm *form = openFor(QStringLiteral("Left"));
        QStringList titles;
        for (QAction *a : form->menuBar()->actions())
            titles << (a->menu() ? a->menu()->objectName() : a->objectName()) + u' ' + a->text();
        QCOMPARE(titles,
                 (QStringList{"mnuFiles Files", "mnuSizing Sizing", "mnuEdit Edit", "mnuDraw Draw", "mnuView View",
                              "mnuInfo Information", "mnuFeatures Add Features", "mnuUtil Utility"}));
        auto *files = form->findChild<QMenu *>(QStringLiteral("mnuFiles"));
        QStringList shown;
        for (QAction *a : files->actions())
            shown << (a->isSeparator() ? QStringLiteral("-") : a->text()) + (a->isVisible() ? "" : " (hidden)");
        QCOMPARE(shown, (QStringList{"Save", "- (hidden)", "Open VEC (hidden)", "Save VEC (hidden)", "-", "Print", "-",
                                     "Close"}));
        QVERIFY(!item(form, QStringLiteral("mnuOpen"))->isEnabled());
        QVERIFY(!item(form, QStringLiteral("mnuSave"))->isEnabled());
        QCOMPARE(item(form, QStringLiteral("mnuCircle"))->text(), QStringLiteral("Circle"));
        for (QAction *a : form->findChildren<QAction *>())
            QVERIFY2(a->shortcut().isEmpty() && !a->text().contains(u'&') && !a->isCheckable(), qPrintable(a->text()));
    }

    void menuItemsRunTheirCommands()
    {
        GraphicForm *form = openFor(QStringLiteral("Left"));
        auto dialogs = std::make_shared<CancelDialogs>();
        form->view()->setDialogs(dialogs);
        item(form, QStringLiteral("mnuCircle"))->trigger();
        item(form, QStringLiteral("mnuLayers2"))->trigger();
        QCOMPARE(form->view()->commandLog().mid(2), (QVector<int>{221, 801, 912}));
        QCOMPARE(dialogs->asked, QStringList{"layers"});
    }

    void menuItemsOpenTheirWindowsAndSave()
    {
        GraphicForm *form = openFor(QStringLiteral("Left"));
        QStringList made;
        for (const QString name : {"ScaleForm", "BlockForm1"})
            Windows().registerFactory(name, [&made, name] {
                made << name;
                return new QWidget;
            });
        GraphicForm *saved = nullptr;
        Set_Graphic_Screen_Save([&](GraphicForm &f) { saved = &f; });
        item(form, QStringLiteral("mnuSetscale"))->trigger();
        item(form, QStringLiteral("mnuFeatures"))->trigger();
        item(form, QStringLiteral("mnuSaveJPG"))->trigger();
        QCOMPARE(made, (QStringList{"ScaleForm", "BlockForm1"}));
        QVERIFY(Windows().loaded(QStringLiteral("ScaleForm"))->isVisible());
        QVERIFY(Windows().loaded(QStringLiteral("BlockForm1"))->isVisible());
        QCOMPARE(saved, form);
        QCOMPARE(prompter->messages(), QStringList{});
    }

    void templateAndFootInfo()
    {
        GraphicForm *form = openFor(QStringLiteral("Right"));
        const int before = form->drawing().count();
        item(form, QStringLiteral("mnuSize"))->trigger();
        QCOMPARE(form->drawing().count(), before + 1);
        QCOMPARE(form->findChild<QComboBox *>(QStringLiteral("Strip102"))->currentText(), QStringLiteral("Insole"));
        item(form, QStringLiteral("mnuFoot"))->trigger();
        QCOMPARE(prompter->messages().size(), 1);
        QVERIFY(prompter->messages().first().contains(QStringLiteral("Foot Size:   7")));
    }

    void drawInsole_data()
    {
        QTest::addColumn<QString>("foot");
        QTest::addColumn<double>("toeX");
        QTest::newRow("Right") << QStringLiteral("Right") << 8.5;
        QTest::newRow("Left") << QStringLiteral("Left") << -8.5;
    }
    void drawInsole()
    {
        QFETCH(QString, foot);
        QFETCH(double, toeX);
        GraphicForm *form = openFor(foot);
        Job().FootLengthL = Job().FootLengthR = 250;
        form->Draw_Insole();
        const QVector<cad::Handle> all = form->drawing().handles();
        const cad::Entity *outline = form->drawing().entity(all.last());
        QCOMPARE(outline->kind, cad::Kind::Polyline);
        QCOMPARE(outline->points.size(), 110);
        QCOMPARE(outline->points.first(), QPointF(0, 0));
        QCOMPARE(outline->points.last(), QPointF(0, 0));
        QVERIFY(std::abs(outline->points[54].x() - toeX) < 1e-9);
        QCOMPARE(outline->points[54].y(), 250.0);
    }

    void colourParts()
    {
        const qint32 value = 216 + 256 * 223 + 65536 * 243;
        QCOMPARE(GraphicForm::RedVal(value), short(216));
        QCOMPARE(GraphicForm::GreenVal(value), short(223));
        QCOMPARE(GraphicForm::BlueVal(value), short(243));
    }

    void printAndCancelledPrint()
    {
        GraphicForm *form = openFor(QStringLiteral("Left"));
        prompter->prints.enqueue(false);
        item(form, QStringLiteral("mnuPrint"))->trigger();
        QVERIFY(!QFile::exists(prompter->pdfPath));
        prompter->prints.enqueue(true);
        item(form, QStringLiteral("mnuPrint"))->trigger();
        QVERIFY(QFileInfo(prompter->pdfPath).size() > 0);
        QVERIFY(prompter->messages().isEmpty());
    }

    void thePhotoIsNeverPicked()
    {
        GraphicForm *form = openFor(QStringLiteral("Left"));
        QVERIFY(QTest::qWaitForWindowExposed(form));
        cad::DrawingView *view = form->view();
        const QRectF photo = form->drawing().entityExtents(*form->drawing().entity(form->rasterEntity));
        QCOMPARE(view->entityAt(photo.center()), 0);
        item(form, QStringLiteral("mnuSelect1"))->trigger();
        QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, view->toScreen(photo.center()).toPoint());
        QVERIFY(view->selection().isEmpty());
    }

    void openAndSaveVec()
    {
        GraphicForm *form = openFor(QStringLiteral("Left"));
        const int before = form->drawing().count();
        const QString notADrawing = home->path(QStringLiteral("Data/notes.Vec"));
        home->write(QStringLiteral("Data/notes.Vec"), "just some notes\r\n");
        prompter->files.enqueue(notADrawing);
        form->mnuOpen_Click();
        QCOMPARE(form->drawing().count(), before);
        QCOMPARE(prompter->messages().size(), 1);
        QVERIFY(prompter->messages().first().contains(QStringLiteral("notes.Vec")));
        QVERIFY(Drawing_State().DrawingFile != notADrawing);

        form->drawing().addLine({0, 0}, {10, 10});
        const QString saved = home->path(QStringLiteral("Data/saved.Vec"));
        prompter->files.enqueue(saved);
        form->mnuSave_Click();
        QCOMPARE(form->statusText(3), QStringLiteral("File Saved"));
        QCOMPARE(cad::readVecFile(saved).count(), before + 1);
        vecsamples::checkRoundTrip(saved);

        form->drawing().eraseAll();
        prompter->files.enqueue(saved);
        form->mnuOpen_Click();
        QCOMPARE(form->drawing().count(), before + 1);
        QCOMPARE(form->statusText(3), QStringLiteral("File Opened"));
        QCOMPARE(Drawing_State().DrawingFile, saved);
        QCOMPARE(prompter->calls.last().file.title, QStringLiteral("Open a Drawing File"));
    }

    void closeUnloads()
    {
        GraphicForm *form = openFor(QStringLiteral("Left"));
        QVERIFY(form);
        item(form, QStringLiteral("mnuQuit"))->trigger();
        QTRY_VERIFY(!Windows().isLoaded(QStringLiteral("GraphicForm")));
    }
};

QTEST_MAIN(TestGraphicForm)
#include "tst_graphicform.moc"
