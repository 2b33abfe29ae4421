// The photo windows: "Adjust Photo" (Brighten) and the job sketch window
// (GraphicForm2), opened through the registry by their names.

#include "brighten.h"
#include "fakeshell.h"
#include "graphicform2.h"
#include "imagedocument.h"
#include "imagefile.h"
#include "imageview.h"
#include "photowindows.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAction>
#include <QCryptographicHash>
#include <QMenu>
#include <QMenuBar>
#include <QPdfDocument>
#include <QtTest>

namespace {

QByteArray digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
}

// A photo with texture, written as the program writes photos.
void writePhoto(const QString &path, QSize size, int dotsPerMetre = 3780)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 3) % 200 + 20, (y * 5) % 200 + 20, ((x + y) * 2) % 200 + 20));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    Save_Image_File(image, path);
}

struct PhotoFixture
{
    TestHome home;
    std::shared_ptr<ScriptedPrompter> ui = ScriptedPrompter::install();
    FakeShell shell;

    PhotoFixture()
    {
        Windows().reset();
        Register_Photo_Windows();
        Set_Shell(&shell);
        Job() = ScriptRecord{};
        ScriptRecord &job = Job();
        job.JobNumber = QStringLiteral("AB0042");
        job.ClientFirstName = QStringLiteral("Ann");
        job.ClientSurname = QStringLiteral("Lee");
        job.Gender = QStringLiteral("Male");
        job.CurrentFolder = home.path(QStringLiteral("Data/Lee"));
        QDir().mkpath(job.CurrentFolder);
        job.LeftGraphicFile = job.RightGraphicFile = QStringLiteral("None");
        Set_Default_Sizes(job);
    }
    ~PhotoFixture()
    {
        Windows().reset();
        Set_Shell(nullptr);
        Set_Prompter(nullptr);
    }

    QString photo(const QString &name, QSize size = QSize(120, 90))
    {
        const QString path = Job().CurrentFolder + u'/' + name;
        writePhoto(path, size);
        return path;
    }

    Brighten *openBrighten(const QString &foot)
    {
        Job().CurrentFoot = foot;
        return Windows().get<Brighten>(QStringLiteral("Brighten"));
    }
    GraphicForm2 *openSketch() { return Windows().get<GraphicForm2>(QStringLiteral("GraphicForm2")); }
};

void trigger(QWidget *window, const QString &item)
{
    QAction *action = window->findChild<QAction *>(item);
    QVERIFY2(action, qPrintable(item));
    action->trigger();
}

QStringList menuCaptions(QMenuBar *bar, const QString &menuName)
{
    QStringList out;
    for (QAction *a : bar->findChild<QMenu *>(menuName)->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

void clickPixel(ImageView *view, QPoint pixel)
{
    const double scale = view->document()->zoom() / 100.0;
    QTest::mouseClick(view->canvas(), Qt::LeftButton, {}, QPoint(int(pixel.x() * scale), int(pixel.y() * scale)));
}

} // namespace

class TestPhotoWindows : public QObject
{
    Q_OBJECT

private slots:
    // --- Adjust Photo ------------------------------------------------------

    void adjustPhotoSetsUpTheFoot_data()
    {
        QTest::addColumn<QString>("foot");
        QTest::newRow("left") << "Left";
        QTest::newRow("right") << "Right";
    }
    void adjustPhotoSetsUpTheFoot()
    {
        QFETCH(QString, foot);
        PhotoFixture f;
        const bool left = foot == QLatin1String("Left");
        f.shell.sizeListTexts[left ? 0 : 1] = QStringLiteral("9");
        (left ? Job().LeftGraphicFile : Job().RightGraphicFile) = f.photo(QStringLiteral("foot.Jpg"), QSize(320, 240));

        Brighten *w = f.openBrighten(foot);
        QVERIFY(w);
        QCOMPARE(w->objectName(), QStringLiteral("Brighten"));
        QCOMPARE(left ? Job().FootSizeL : Job().FootSizeR, QStringLiteral("9"));
        QCOMPARE(left ? Job().FootLengthL : Job().FootLengthR, Get_Template_Length(Job(), 9) - 25);
        QVERIFY(Get_Template_Length(Job(), 9) > 100);
        QCOMPARE(Job().CurrentImageFile, left ? Job().LeftGraphicFile : Job().RightGraphicFile);
        QCOMPARE(w->document()->pixelWidth(), 320);
        QCOMPARE(w->panelText(2), QStringLiteral("100%"));
        QCOMPARE(w->panelText(3), QStringLiteral("Ready"));
        QCOMPARE(w->panelText(4), QStringLiteral("Size: 9"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Adjust Photo: %1 Foot").arg(foot));

        // Opening it again only brings it to the front.
        w->document()->setZoom(50);
        QCOMPARE(f.openBrighten(left ? QStringLiteral("Right") : QStringLiteral("Left")), w);
        QCOMPARE(w->document()->zoom(), 50.0);
    }

    void adjustPhotoWithoutAPhoto_data()
    {
        QTest::addColumn<QString>("graphic");
        QTest::newRow("empty") << "";
        QTest::newRow("None") << "None";
    }
    void adjustPhotoWithoutAPhoto()
    {
        QFETCH(QString, graphic);
        PhotoFixture f;
        f.shell.sizeListTexts[0] = QStringLiteral("S");
        Job().LeftGraphicFile = graphic;
        Brighten *w = f.openBrighten(QStringLiteral("Left"));
        QCOMPARE(Job().FootSizeL, QStringLiteral("S"));
        QCOMPARE(Job().FootLengthL, Get_Template_Length(Job(), 0) - 25); // no leading number
        QCOMPARE(w->panelText(1), QStringLiteral("0 x 0"));
        QCOMPARE(w->panelText(2), QStringLiteral("100%"));
        QCOMPARE(w->panelText(3), QStringLiteral("Ready"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Adjust Photo: Left Foot"));
        QCOMPARE(w->document()->image().size(), QSize(480, 640));
        QCOMPARE(w->document()->image().pixelColor(10, 10), QColor(128, 128, 128));
        QVERIFY(f.ui->messages().isEmpty());

        // "Save" has nothing to write and reloads nothing.
        f.ui->answers << Prompter::Answer::Ok;
        trigger(w, QStringLiteral("mnuSave"));
        QVERIFY(f.shell.calls.isEmpty());
        QVERIFY(!QFileInfo::exists(Job().CurrentFolder + QStringLiteral("/None")));
    }

    void aPhotoThatCannotBeReadIsReportedAndNeverOverwritten()
    {
        PhotoFixture f;
        const QString broken = Job().CurrentFolder + QStringLiteral("/broken.Jpg");
        f.home.write(QStringLiteral("Data/Lee/broken.Jpg"), "not a picture");
        Job().LeftGraphicFile = broken;
        Brighten *w = f.openBrighten(QStringLiteral("Left"));
        QCOMPARE(f.ui->calls.size(), 1);
        QCOMPARE(f.ui->calls.constFirst().title, QStringLiteral("Error"));
        QVERIFY(f.ui->calls.constFirst().text.contains(broken));
        QCOMPARE(w->document()->image().size(), QSize(480, 640));
        QVERIFY(w->loadedPhoto().isEmpty());

        // The grey picture never replaces the photo that could not be read.
        f.ui->answers << Prompter::Answer::Ok;
        trigger(w, QStringLiteral("mnuSave"));
        QCOMPARE(f.home.read(QStringLiteral("Data/Lee/broken.Jpg")), QByteArray("not a picture"));
        QVERIFY(f.shell.calls.isEmpty());
    }

    void adjustPhotoMenus()
    {
        PhotoFixture f;
        Brighten *w = f.openBrighten(QStringLiteral("Left"));
        QMenuBar *bar = w->menuBar();
        QCOMPARE(menuCaptions(bar, QStringLiteral("mnuFile")),
                 QStringList({"Save", "Save As", "-", "Information", "-", "Close"}));
        QCOMPARE(menuCaptions(bar, QStringLiteral("mnuEdit")), QStringList({"Undo", "Redo"}));
        QCOMPARE(
            menuCaptions(bar, QStringLiteral("mnuView")),
            QStringList({"Zoom 150%", "Zoom 100%", "Zoom 75%", "Zoom 50%", "Zoom 25%", "-", "Zoom Fit", "Redraw"}));
        QCOMPARE(menuCaptions(bar, QStringLiteral("mnuAdjust")),
                 QStringList({"Greyscale", "Negative", "Sharpen", "Mirror", "Repair"}));
        QStringList barItems;
        for (QAction *a : bar->actions())
            barItems << a->text();
        QCOMPARE(barItems, QStringList({"File", "Edit", "View", "Adjust", "Brighten", "Darken"}));
        QCOMPARE(bar->actions().at(4)->objectName(), QStringLiteral("mnuBright"));
        QCOMPARE(bar->actions().at(5)->objectName(), QStringLiteral("mnuDark"));
    }

    void layoutRuleKeepsTheMargins()
    {
        PhotoFixture f;
        Brighten *w = f.openBrighten(QStringLiteral("Left"));
        w->resize(640, 500);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QWidget *client = w->centralWidget();
        QCOMPARE(w->view()->geometry(), QRect(8, 8, client->width() - 16, client->height() - 40));
        w->resize(10, 10); // smaller than the margins: nothing negative
        QTRY_VERIFY(w->view()->width() >= 0 && w->view()->height() >= 0);
    }

    void zoomStepsShowTheirTextInPanelThree_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<double>("zoom");
        QTest::newRow("150") << "mnuZoom150" << 150.0;
        QTest::newRow("100") << "mnuZoom100" << 100.0;
        QTest::newRow("75") << "mnuZoom75" << 75.0;
        QTest::newRow("50") << "mnuZoom50" << 50.0;
        QTest::newRow("25") << "mnuZoom25" << 25.0;
    }
    void zoomStepsShowTheirTextInPanelThree()
    {
        QFETCH(QString, item);
        QFETCH(double, zoom);
        PhotoFixture f;
        Brighten *w = f.openBrighten(QStringLiteral("Left"));
        w->document()->setZoom(33);
        trigger(w, item);
        QCOMPARE(w->document()->zoom(), zoom);
        QCOMPARE(w->panelText(3), QString::number(int(zoom)) + u'%');
        QCOMPARE(w->panelText(2), QStringLiteral("100%")); // not panel 2
        trigger(w, QStringLiteral("mnuUndo"));
        QCOMPARE(w->document()->zoom(), 33.0);
    }

    void zoomFitOnTheSketchAndOnAnEmptyPicture()
    {
        PhotoFixture f;
        f.ui->answers << Prompter::Answer::No; // the close question at the end
        GraphicForm2 *w = f.openSketch();
        // No template in this working folder: the stored 660 x 520 picture
        // in the 9945 x 7830 twips control.
        QCOMPARE(w->document()->image().size(), QSize(660, 520));
        trigger(w, QStringLiteral("mnuZoomFit"));
        QCOMPARE(w->panelText(3), QStringLiteral("75.3%"));
        QCOMPARE(w->document()->zoom(), 100 * 0.05 * 7830 / 520);

        w->document()->setImage(QImage());
        trigger(w, QStringLiteral("mnuZoomFit"));
        QCOMPARE(w->panelText(3), QStringLiteral("Zoom Fit ...."));
        QCOMPARE(w->document()->zoom(), 100.0);
    }

    void informationOfAJpegWrittenHere()
    {
        PhotoFixture f;
        Job().LeftGraphicFile = f.photo(QStringLiteral("info.Jpg"), QSize(300, 200));
        Brighten *w = f.openBrighten(QStringLiteral("Left"));
        trigger(w, QStringLiteral("mnuInfo"));
        QCOMPARE(f.ui->calls.size(), 1);
        const ScriptedPrompter::Call &box = f.ui->calls.constFirst();
        QCOMPARE(box.text,
                 QStringLiteral("   Image Information\r\n\r\nSize: 300 x 200 pixels\r\n\r\nBit Depth: 24\r\n\r\n"
                                "Resolution: 96 x 96 dpi\r\n\r\nGrey Range: from 0 to 255"));
        QCOMPARE(box.title, QStringLiteral("Solvane"));
        QCOMPARE(box.buttons, Prompter::Buttons::Ok);
        QCOMPARE(w->panelText(3), QStringLiteral("Ready"));
    }

    void adjustmentsAreUndoneAndRedoneWithoutStatus()
    {
        PhotoFixture f;
        Job().LeftGraphicFile = f.photo(QStringLiteral("undo.Jpg"));
        Brighten *w = f.openBrighten(QStringLiteral("Left"));
        const QImage original = w->document()->image();
        trigger(w, QStringLiteral("mnuDark"));
        trigger(w, QStringLiteral("mnuBright"));
        QCOMPARE(w->document()->undoSteps(), 2);
        QCOMPARE(w->panelText(3), QStringLiteral("Ready"));
        const QImage adjusted = w->document()->image();
        QVERIFY(adjusted != original);

        w->ShowStatus(QStringLiteral("marker"));
        trigger(w, QStringLiteral("mnuUndo"));
        trigger(w, QStringLiteral("mnuUndo"));
        QCOMPARE(w->document()->image(), original);
        trigger(w, QStringLiteral("mnuRedo"));
        trigger(w, QStringLiteral("mnuRedo"));
        QCOMPARE(w->document()->image(), adjusted);
        QCOMPARE(w->panelText(3), QStringLiteral("marker"));

        for (const char *item : {"mnuGrey", "mnuInvert", "mnuSharpen", "mnuMirror", "mnuRepair", "mnuRedraw"}) {
            w->ShowStatus(QStringLiteral("marker"));
            trigger(w, QString::fromLatin1(item));
            QCOMPARE(w->panelText(3), QStringLiteral("Ready"));
        }
        QCOMPARE(w->document()->undoSteps(), 8);
    }

    void saveWritesTheLoadedPhotoAndReloadsItsFoot()
    {
        PhotoFixture f;
        const QString left = f.photo(QStringLiteral("left.Jpg"));
        const QString other = f.photo(QStringLiteral("other.Jpg"));
        Job().LeftGraphicFile = left;
        Brighten *w = f.openBrighten(QStringLiteral("Left"));
        trigger(w, QStringLiteral("mnuInvert"));

        // Another window loads its own picture and foot meanwhile.
        Job().CurrentImageFile = other;
        Job().CurrentFoot = QStringLiteral("Right");
        const QByteArray leftBefore = digest(left), otherBefore = digest(other);

        f.ui->answers << Prompter::Answer::Cancel;
        trigger(w, QStringLiteral("mnuSave"));
        QCOMPARE(f.ui->calls.constLast().text, QStringLiteral("This will overwrite the existing file. Are you Sure?"));
        QCOMPARE(f.ui->calls.constLast().title, QStringLiteral("Warning"));
        QCOMPARE(f.ui->calls.constLast().buttons, Prompter::Buttons::OkCancel);
        QCOMPARE(digest(left), leftBefore);
        QVERIFY(f.shell.calls.isEmpty());

        f.ui->answers << Prompter::Answer::Ok;
        trigger(w, QStringLiteral("mnuSave"));
        QVERIFY(digest(left) != leftBefore);
        QCOMPARE(digest(other), otherBefore);
        QCOMPARE(f.shell.calls, QStringList{QStringLiteral("Load_Left_Foot")});
        const QImage saved = Load_Image_File(left);
        QVERIFY(qAbs(saved.pixelColor(5, 5).red() - (255 - Load_Image_File(other).pixelColor(5, 5).red())) < 12);
    }

    void saveAsCancelWritesNothingAndFailuresAreReported()
    {
        PhotoFixture f;
        const QString left = f.photo(QStringLiteral("left.Jpg"));
        Job().LeftGraphicFile = left;
        Brighten *w = f.openBrighten(QStringLiteral("Left"));
        const QByteArray before = digest(left);

        f.ui->files << QString();
        trigger(w, QStringLiteral("mnuSaveAs"));
        const ScriptedPrompter::Call &dialog = f.ui->calls.constLast();
        QCOMPARE(dialog.kind, QStringLiteral("save"));
        QCOMPARE(dialog.title, QStringLiteral("Save the Image File"));
        QCOMPARE(dialog.file.fileName, left);
        QCOMPARE(dialog.file.defaultExtension, QStringLiteral("Tif"));
        QCOMPARE(dialog.file.filter, QStringLiteral("JPEG File (*.Jpg)|*.Jpg|All Files (*.*)|*.*"));
        QCOMPARE(dialog.file.folder, QDir::currentPath());
        QCOMPARE(digest(left), before);
        QCOMPARE(f.ui->calls.size(), 1);

        const QString copy = Job().CurrentFolder + QStringLiteral("/copy.Tif");
        f.ui->files << copy;
        trigger(w, QStringLiteral("mnuSaveAs"));
        QCOMPARE(Load_Image_File(copy).size(), QSize(120, 90));
        QCOMPARE(Job().CurrentImageFile, left); // unchanged
        QCOMPARE(w->panelText(3), QStringLiteral("Ready"));

        f.ui->files << Job().CurrentFolder + QStringLiteral("/no/such/folder/x.Jpg");
        trigger(w, QStringLiteral("mnuSaveAs"));
        QCOMPARE(f.ui->calls.constLast().title, QStringLiteral("Error"));
        QVERIFY(f.ui->calls.constLast().text.startsWith(QStringLiteral("Error: ")));
    }

    // --- The job sketch ----------------------------------------------------

    void sketchIsNamedForTheJobsKind_data()
    {
        QTest::addColumn<bool>("soft");
        QTest::addColumn<QString>("name");
        QTest::newRow("soft") << true << "AB0042_Ann_Lee.Jpg";
        QTest::newRow("rigid") << false << "R_AB0042_Ann_Lee.Jpg";
    }
    void sketchIsNamedForTheJobsKind()
    {
        QFETCH(bool, soft);
        QFETCH(QString, name);
        PhotoFixture f;
        Job().EvaScriptFlag = soft;
        writePhoto(f.home.path(QStringLiteral("GRAPHICIMAGE.JPG")), QSize(200, 150));
        const QByteArray templateBefore = digest(f.home.path(QStringLiteral("GRAPHICIMAGE.JPG")));
        const QString expected = Job().CurrentFolder + u'/' + name;

        // Without a sketch of its own the job starts from the template.
        GraphicForm2 *w = f.openSketch();
        QCOMPARE(w->sketchPath(), expected);
        QCOMPARE(Job().JobImageFile, expected);
        QCOMPARE(Job().CurrentImageFile, f.home.path(QStringLiteral("GRAPHICIMAGE.JPG")));
        QCOMPARE(w->document()->image().size(), QSize(200, 150));
        QCOMPARE(w->windowTitle(), QStringLiteral("Graphic Display"));
        QCOMPARE(w->panelText(2), QStringLiteral("100%"));
        QCOMPARE(w->panelText(3), QStringLiteral("Ready"));
        QCOMPARE(w->PenColour, 220u);
        QVERIFY(w->document()->mouseSelect());
        QVERIFY(w->findChild<QAction *>(QStringLiteral("mnuSelect"))->isChecked());

        // A drawing pane names the sketch otherwise later: the window keeps its own.
        Job().JobImageFile = Job().CurrentFolder + QStringLiteral("/GraphicImage.Jpg");
        f.ui->answers << Prompter::Answer::Ok;
        trigger(w, QStringLiteral("mnuSave"));
        QCOMPARE(Load_Image_File(expected).size(), QSize(200, 150));
        QVERIFY(!QFileInfo::exists(Job().JobImageFile));
        QCOMPARE(digest(f.home.path(QStringLiteral("GRAPHICIMAGE.JPG"))), templateBefore);

        // Next time the job's own sketch is shown.
        f.ui->answers << Prompter::Answer::No;
        Windows().unload(QStringLiteral("GraphicForm2"));
        writePhoto(expected, QSize(90, 60));
        w = f.openSketch();
        QCOMPARE(Job().CurrentImageFile, expected);
        QCOMPARE(w->document()->image().size(), QSize(90, 60));
        f.ui->answers << Prompter::Answer::No;
    }

    void sketchMenus()
    {
        PhotoFixture f;
        GraphicForm2 *w = f.openSketch();
        QMenuBar *bar = w->menuBar();
        QCOMPARE(menuCaptions(bar, QStringLiteral("mnuFile")),
                 QStringList({"Save", "Save As", "-", "Information", "-", "Print Test", "Print", "Print to PDF", "-",
                              "Close"}));
        QCOMPARE(menuCaptions(bar, QStringLiteral("mnuDraw")),
                 QStringList({"Line", "Circle", "Ellipse", "Rectangle", "Text", "-", "Mouse Select"}));
        QCOMPARE(menuCaptions(bar, QStringLiteral("mnuColours")),
                 QStringList({"Red", "Green", "Blue", "Black", "Grey"}));
        QCOMPARE(menuCaptions(bar, QStringLiteral("mnuWidth")),
                 QStringList({"1 Pixel", "2 Pixels", "3 Pixels", "4 Pixels"}));
        QCOMPARE(bar->actions().constLast()->text(), QStringLiteral("Help"));
        bar->actions().constLast()->trigger();

        trigger(w, QStringLiteral("mnuBlue"));
        QCOMPARE(w->PenColour, 14417920u);
        trigger(w, QStringLiteral("mnuGrey"));
        QCOMPARE(w->PenColour, 100u + 256u * 100 + 65536u * 100);
        trigger(w, QStringLiteral("mnuWidth3"));
        QCOMPARE(w->document()->penWidth(), 3);

        trigger(w, QStringLiteral("mnuSelect"));
        QVERIFY(!w->document()->mouseSelect());
        QVERIFY(!w->findChild<QAction *>(QStringLiteral("mnuSelect"))->isChecked());
        trigger(w, QStringLiteral("mnuSelect"));
        QVERIFY(w->document()->mouseSelect());
        QVERIFY(w->findChild<QAction *>(QStringLiteral("mnuSelect"))->isChecked());

        trigger(w, QStringLiteral("mnuPDF"));
        QCOMPARE(w->panelText(3), QStringLiteral("Ready"));
        QVERIFY(QDir(Job().CurrentFolder).entryList(QDir::Files).isEmpty());
        QVERIFY(f.ui->messages().size() == 1); // only the missing template was reported
        f.ui->answers << Prompter::Answer::No;
    }

    void toolsDrawWithTheirClicks()
    {
        PhotoFixture f;
        GraphicForm2 *w = f.openSketch();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QImage white(200, 150, QImage::Format_RGB32);
        white.fill(Qt::white);
        w->document()->setImage(white);

        // A click before any tool is recorded but draws nothing.
        clickPixel(w->view(), {5, 5});
        QCOMPARE(w->document()->image(), white);
        QCOMPARE(w->panelText(1), QStringLiteral("75"));

        trigger(w, QStringLiteral("mnuLine"));
        clickPixel(w->view(), {20, 30});
        QCOMPARE(w->document()->image(), white);
        clickPixel(w->view(), {120, 30});
        QCOMPARE(w->document()->image().pixelColor(70, 30), QColor(220, 0, 0));
        QVERIFY(!w->document()->mouseSelect());
        QVERIFY(!w->findChild<QAction *>(QStringLiteral("mnuSelect"))->isChecked());
        QCOMPARE(w->panelText(3), QStringLiteral("Ready"));

        // A rectangle from bottom right to top left, at 150 %.
        trigger(w, QStringLiteral("mnuZoom150"));
        trigger(w, QStringLiteral("mnuBlack"));
        trigger(w, QStringLiteral("mnuRectangle"));
        clickPixel(w->view(), {90, 100});
        clickPixel(w->view(), {60, 80});
        QCOMPARE(w->document()->image().pixelColor(60, 90), QColor(0, 0, 0));
        QCOMPARE(w->document()->image().pixelColor(75, 80), QColor(0, 0, 0));
        QCOMPARE(w->document()->image().pixelColor(75, 90), QColor(255, 255, 255));

        // A circle about its first click.
        trigger(w, QStringLiteral("mnuCircle"));
        clickPixel(w->view(), {150, 100});
        clickPixel(w->view(), {150, 110});
        QVERIFY(w->document()->image().pixelColor(140, 100) != QColor(255, 255, 255));
        QCOMPARE(w->document()->image().pixelColor(150, 100), QColor(255, 255, 255));

        QCOMPARE(w->document()->undoSteps(), 4); // three drawings and the zoom step
        trigger(w, QStringLiteral("mnuUndo"));
        QCOMPARE(w->document()->image().pixelColor(140, 100), QColor(255, 255, 255));
        f.ui->answers << Prompter::Answer::No;
    }

    void cancelledTextPromptDrawsAnEmptyText()
    {
        PhotoFixture f;
        GraphicForm2 *w = f.openSketch();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QImage before = w->document()->image();
        trigger(w, QStringLiteral("mnuText"));
        f.ui->inputs << std::nullopt;
        clickPixel(w->view(), {30, 40});
        const ScriptedPrompter::Call &prompt = f.ui->calls.constLast();
        QCOMPARE(prompt.kind, QStringLiteral("text"));
        QCOMPARE(prompt.text, QStringLiteral("Text:"));
        QCOMPARE(prompt.title, QStringLiteral("Solvane"));
        QCOMPARE(w->document()->undoSteps(), 1);
        QCOMPARE(w->document()->image(), before);

        trigger(w, QStringLiteral("mnuText"));
        f.ui->inputs << QStringLiteral("Heel");
        clickPixel(w->view(), {30, 40});
        QVERIFY(w->document()->image() != before);
        f.ui->answers << Prompter::Answer::No;
    }

    void closeAsksToSave_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("byShutDown");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Close, Yes") << int(Prompter::Answer::Yes) << false << true;
        QTest::newRow("Close, No") << int(Prompter::Answer::No) << false << false;
        QTest::newRow("shut-down, Yes") << int(Prompter::Answer::Yes) << true << true;
        QTest::newRow("shut-down, No") << int(Prompter::Answer::No) << true << false;
    }
    void closeAsksToSave()
    {
        QFETCH(int, answer);
        QFETCH(bool, byShutDown);
        QFETCH(bool, saved);
        PhotoFixture f;
        GraphicForm2 *w = f.openSketch();
        const QString path = w->sketchPath();
        trigger(w, QStringLiteral("mnuLine")); // a tool left waiting
        f.ui->answers << Prompter::Answer(answer);
        if (byShutDown) {
            Windows().Unload_All();
        } else {
            w->show();
            trigger(w, QStringLiteral("mnuQuit"));
            QTRY_VERIFY(!Windows().isLoaded(QStringLiteral("GraphicForm2")));
        }
        QVERIFY(!Windows().isLoaded(QStringLiteral("GraphicForm2")));
        const ScriptedPrompter::Call &question = f.ui->calls.constLast();
        QCOMPARE(question.text, QStringLiteral("Save the Image?"));
        QCOMPARE(question.title, QStringLiteral("Save"));
        QCOMPARE(question.buttons, Prompter::Buttons::YesNo);
        QCOMPARE(QFileInfo::exists(path), saved);
        if (saved)
            QCOMPARE(Load_Image_File(path).size(), QSize(660, 520));
    }

    void printTestGivesTwoPages()
    {
        PhotoFixture f;
        GraphicForm2 *w = f.openSketch();
        const QString pdf = f.home.path(QStringLiteral("test.pdf"));
        w->printer().setOutputFormat(QPrinter::PdfFormat);
        w->printer().setOutputFileName(pdf);
        trigger(w, QStringLiteral("mnuTest1"));
        QCOMPARE(
            f.ui->messages().constLast(),
            QStringLiteral("Two pages, each with a single, centered line of text, have been sent to your printer."));
        QPdfDocument document;
        QCOMPARE(document.load(pdf), QPdfDocument::Error::None);
        QCOMPARE(document.pageCount(), 2);
        QVERIFY(document.getAllText(1).text().contains(QStringLiteral("This is printed on page2.")));

        // A printer that cannot start.
        w->printer().setOutputFileName(f.home.path(QStringLiteral("no/such/folder/test.pdf")));
        trigger(w, QStringLiteral("mnuTest1"));
        QCOMPARE(f.ui->messages().constLast(), QStringLiteral("There was a problem printing to your printer."));
        f.ui->answers << Prompter::Answer::No;
    }

    void printPrintsThePictureUnlessCancelled()
    {
        PhotoFixture f;
        GraphicForm2 *w = f.openSketch();
        const QString pdf = f.home.path(QStringLiteral("sketch.pdf"));
        w->printer().setOutputFormat(QPrinter::PdfFormat);
        w->printer().setOutputFileName(pdf);
        const int messagesBefore = f.ui->messages().size();

        f.ui->prints << false;
        w->ShowStatus(QStringLiteral("marker"));
        trigger(w, QStringLiteral("mnuPrint"));
        QVERIFY(!QFileInfo::exists(pdf));
        QCOMPARE(w->panelText(3), QStringLiteral("marker"));
        QCOMPARE(f.ui->messages().size(), messagesBefore);

        f.ui->prints << true;
        trigger(w, QStringLiteral("mnuPrint"));
        QCOMPARE(w->panelText(3), QStringLiteral("Printing Complete"));
        QPdfDocument document;
        QCOMPARE(document.load(pdf), QPdfDocument::Error::None);
        QCOMPARE(document.pageCount(), 1);

        // A printer that will not start is reported.
        w->printer().setOutputFileName(f.home.path(QStringLiteral("no/such/folder/sketch.pdf")));
        f.ui->prints << true;
        trigger(w, QStringLiteral("mnuPrint"));
        const ScriptedPrompter::Call &error = f.ui->calls.constLast();
        QCOMPARE(error.text, QStringLiteral("Error Printing Chart"));
        QCOMPARE(error.title, QStringLiteral("Error"));
        QCOMPARE(error.icon, Prompter::Icon::Critical);
        // and a cancel after it is still only a cancel.
        const int calls = f.ui->calls.size();
        f.ui->prints << false;
        trigger(w, QStringLiteral("mnuPrint"));
        QCOMPARE(f.ui->calls.size(), calls + 1); // the dialog only
        f.ui->answers << Prompter::Answer::No;
    }
};

QTEST_MAIN(TestPhotoWindows)
#include "tst_photowindows.moc"
