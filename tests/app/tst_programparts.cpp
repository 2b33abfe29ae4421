#include "drawingpanetab.h"
#include "footviewinterface.h"
#include "graphicform.h"
#include "gridcontrol.h"
#include "insolepanes.h"
#include "mainwindow.h"
#include "optionform.h"
#include "pdfform.h"
#include "pellmarmeasurements.h"
#include "preparescript.h"
#include "programparts.h"
#include "rigidhooks.h"
#include "samplefoot.h"
#include "scaleform.h"
#include "scriptedprompter.h"
#include "scriptform1.h"
#include "scriptform2.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "softhooks.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// A real PDF of `pages` A4 pages, each with a line of text.
bool Write_Pdf(const QString &path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(254);
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.drawText(200, 300, QStringLiteral("Insole script page %1").arg(page));
    }
    return painter.end();
}

// Runs `check` once the condition holds, looking again every few
// milliseconds while modal dialogs run their own loops; gives up after two
// seconds so a missing window fails the test instead of hanging it.
void When(std::function<bool()> condition, std::function<void()> check, int triesLeft = 400)
{
    QTimer::singleShot(5, [condition, check, triesLeft] {
        if (condition())
            check();
        else if (triesLeft > 0)
            When(condition, check, triesLeft - 1);
        else if (QWidget *modal = QApplication::activeModalWidget())
            modal->close(); // let the test end and report what it missed
    });
}

// An intake window's boxes as a client's first visit fills them.
IntakeFields typedIntakeFields(const QString &surname)
{
    IntakeFields fields;
    fields.boxes.Text1 = "Ann";
    fields.boxes.Text2 = surname;
    fields.boxes.Text3 = Job().JobNumber;
    fields.boxes.measurements = PellmarMeasurements::cleared();
    fields.footSizes = {"9", "10"};
    return fields;
}

} // namespace

Q_DECLARE_METATYPE(std::function<void()>)

// The program's parts meet as the program joins them at start-up.
class TestProgramParts : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Windows().reset(); }

    void joiningLeavesNoPartMissing()
    {
        Windows().reset();
        Join_Program_Parts();
        QCOMPARE(Missing_Program_Parts(), QStringList());
    }

    void aPartLeftOutIsNamed_data()
    {
        QTest::addColumn<std::function<void()>>("leaveOut");
        QTest::addColumn<QString>("missing");
        auto row = [](const char *name, std::function<void()> leaveOut) {
            QTest::newRow(name) << leaveOut << QString::fromLatin1(name);
        };
        row("soft job commands", [] { Set_Soft_Job_Commands(nullptr); });
        row("rigid job commands", [] { Set_Rigid_Job_Commands(nullptr); });
        row("soft PDF viewer", [] { Set_Soft_Pdf_Viewer({}); });
        row("soft STL importer", [] { Set_Soft_Stl_Importer({}); });
        row("drawing pane", [] { Set_Drawing_Pane_Hook(nullptr); });
        row("insole pane finder", [] { Set_Insole_Pane_Finder({}); });
        row("Graphic Screen save", [] { Set_Graphic_Screen_Save({}); });
        row("soft size list", [] { Set_Soft_Size_List_Hook({}); });
        row("Pellmar measurements", [] { Set_Pellmar_Measurements_Source({}); });
        row("prepare: open rigid window", [] {
            PrepareHooks hooks = Prepare_Hooks();
            hooks.openRigidWindow = nullptr;
            Set_Prepare_Hooks(hooks);
        });
        row("window ScaleForm2", [] { Windows().registerFactory(QStringLiteral("ScaleForm2"), {}); });
    }

    void aPartLeftOutIsNamed()
    {
        QFETCH(std::function<void()>, leaveOut);
        QFETCH(QString, missing);
        Windows().reset();
        Join_Program_Parts();
        leaveOut();
        QCOMPARE(Missing_Program_Parts(), QStringList{missing});
    }

    // A window nobody registered is a fault of the program: the command
    // stops with "Error: ..." instead of a notice to the user.
    void openingAnUnregisteredWindowIsAnError()
    {
        auto ui = ScriptedPrompter::install();
        Windows().reset();
        const QString error = "A part of the program is missing: the window \"VerifyForm\".";
        QTest::ignoreMessage(QtCriticalMsg, qPrintable(error));
        Run_Command([] { Windows().show(QStringLiteral("VerifyForm")); });
        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls[0].text, "Error: " + error);
        QVERIFY(!Windows().isLoaded(QStringLiteral("VerifyForm")));
    }

    // "Rigid Script" reaches the rigid window, and its grid's row help the
    // program's help browser.
    void rigidWindowAndItsRowHelpAreJoined()
    {
        TestHome home;
        auto ui = ScriptedPrompter::install();
        home.write("Solvane_Rigids.Tbl", "Rigid\r\n0\r\n0\r\n0\r\n0\r\n");
        home.write("Help_Links.Cfg", "82\r\n1,Scan.Htm\r\n");
        Windows().reset();
        Join_Program_Parts();
        Job().CurrentFolder = home.path("Data");
        ScriptForm2 *form = Open_ScriptForm2();
        QVERIFY(form && form->isVisible());
        GridControl *grid = form->grid();
        const QRect label = grid->visualItemRect(grid->item(0, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, label.center());
        QCOMPARE(Job().BrowserPage, QStringLiteral("Scan.Htm"));
        QVERIFY(Windows().isLoaded("Browser"));
        QCOMPARE(ui->messages(), QStringList{});
    }

    // A foot view's "Brighten" opens Adjust Photo on that foot's photo, with
    // the size the main window's list shows.
    void footViewBrightenOpensAdjustPhoto()
    {
        TestHome home;
        auto ui = ScriptedPrompter::install();
        Set_Wait_Skipped(true);
        Windows().reset();
        Join_Program_Parts();
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        QImage photo(64, 48, QImage::Format_RGB32);
        photo.fill(Qt::darkYellow);
        Job().RightGraphicFile = home.path("Data/Lee_Ann_R.Jpg");
        QVERIFY(photo.save(Job().RightGraphicFile));

        QAction *brighten = Foot_View(FootSide::Right).findChild<QAction *>("mnuBrighten");
        QVERIFY(brighten);
        brighten->trigger();
        QWidget *adjust = Windows().loaded("Brighten");
        QVERIFY(adjust);
        QVERIFY(adjust->isVisible());
        QCOMPARE(adjust->windowTitle(), QStringLiteral("Adjust Photo: Right Foot"));
        QCOMPARE(Job().CurrentImageFile, Job().RightGraphicFile);
        QCOMPARE(Job().FootSizeR, window.Size_List_Text(1));
        QVERIFY(Windows().hasFactory("GraphicForm2"));
    }

    // "View PDF" on the order confirmation shows the laboratory ("_L")
    // document in the program's PDF viewer, modally over the dialog.
    void viewPdfOnTheConfirmationShowsTheLabDocument()
    {
        TestHome home;
        auto ui = ScriptedPrompter::install();
        Set_Wait_Skipped(true);
        Windows().reset();
        Join_Program_Parts();

        Job().PdfFile = home.path("Data/AB0042_Lee.Pdf");
        Job().FullPdfFile = home.path("Data/AB0042_Lee_L.Pdf");
        QVERIFY(Write_Pdf(Job().PdfFile, 1));
        QVERIFY(Write_Pdf(Job().FullPdfFile, 2));

        QString shownFile;
        int shownPages = -1;
        bool viewerWasModal = false;
        bool overTheDialog = false;
        QPointer<QWidget> confirmation;

        // Once the confirmation is up, press its "View PDF"; once the viewer
        // is up over it, look at it and close it; then quit the confirmation.
        When([] { return Windows().isLoaded("OptionForm") && Windows().loaded("OptionForm")->isVisible(); },
             [&] {
                 confirmation = Windows().loaded("OptionForm");
                 auto *view = confirmation->findChild<QPushButton *>("Command3");
                 QVERIFY(view);
                 QCOMPARE(view->accessibleName(), QString("View PDF"));
                 When([] { return qobject_cast<PdfForm *>(QApplication::activeModalWidget()) != nullptr; },
                      [&] {
                          auto *viewer = qobject_cast<PdfForm *>(QApplication::activeModalWidget());
                          QCOMPARE(viewer->objectName(), QString("PdfForm"));
                          viewerWasModal = viewer->isModal() && viewer->isVisible();
                          overTheDialog = viewer->parentWidget() == confirmation;
                          shownFile = PdfViewerFile();
                          shownPages = viewer->pageCount();
                          viewer->close();
                          When([&] { return QApplication::activeModalWidget() == confirmation; },
                               [&] { confirmation->close(); });
                      });
                 view->click();
             });

        const bool quit = OptionForm::Run_OptionForm();

        QVERIFY(quit); // the dialog was closed, not accepted
        QVERIFY(viewerWasModal);
        QVERIFY(overTheDialog);
        QCOMPARE(shownFile, Job().FullPdfFile);
        QCOMPARE(shownPages, 2);
        QCOMPARE(ui->calls.size(), 0); // no notice that the viewer is missing, no error
        QVERIFY(!Windows().isLoaded("PdfForm"));
        QCOMPARE(Last_Status(), "Opening..." + Job().PdfFile);
    }

    // The soft form's "..." for a scan file imports an STL scan into that
    // foot's view (made, not shown) before the record names it; a file the
    // view refuses leaves the record, the boxes and the view as they were.
    void softScanChoiceImportsStlIntoTheView_data()
    {
        QTest::addColumn<bool>("right");
        QTest::newRow("left") << false;
        QTest::newRow("right") << true;
    }
    void softScanChoiceImportsStlIntoTheView()
    {
        QFETCH(bool, right);
        TestHome home;
        auto ui = ScriptedPrompter::install();
        Set_Wait_Skipped(true);
        Windows().reset();
        Join_Program_Parts();
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        QWidget *form = Windows().window("ScriptForm1");
        QVERIFY(form);
        ui->calls.clear(); // the form's own load reports the missing table

        const samples::Foot foot = right ? samples::Foot::Right : samples::Foot::Left;
        const QString base = right ? "Lee_Ann_R" : "Lee_Ann_L";
        const QString stl = samples::writeStlScan(home.path("Data"), base, foot, 600);
        const QString broken = home.path("Data/Cut_" + base + ".Stl");
        home.write("Data/Cut_" + base + ".Stl", "solid x\r\nfacet normal 0 0 1\r\nouter loop\r\n");
        const FootSide side = right ? FootSide::Right : FootSide::Left;
        const char *viewName = right ? "Form2" : "Form1";
        auto *choose = form->findChild<QPushButton *>(right ? "Command29" : "Command28");
        auto *scanBox = form->findChild<QLineEdit *>(right ? "Text3_1" : "Text3_0");
        auto *graphicBox = form->findChild<QLineEdit *>(right ? "Text37_1" : "Text37_0");
        QVERIFY(choose && scanBox && graphicBox);
        QString &scanFile = right ? Job().RightScanFile : Job().LeftScanFile;
        QString &lcfFile = right ? Job().RightLcfFile : Job().LeftLcfFile;
        QString &graphicFile = right ? Job().RightGraphicFile : Job().LeftGraphicFile;
        bool &stlFlag = right ? Job().StlScanFlagR : Job().StlScanFlagL;

        ui->files << stl;
        choose->click();
        QCOMPARE(ui->calls.size(), 1); // the file dialog only
        FootView *view = Loaded_Foot_View(side);
        QVERIFY(view);
        QCOMPARE(view->objectName(), QString(viewName));
        QVERIFY(!view->isVisible());
        const std::size_t triangles = samples::makeFoot(foot, 600).objects.front().triangles.size();
        QCOMPARE(view->model().objects.size(), std::size_t(1));
        QCOMPARE(view->model().objects.front().triangles.size(), triangles);
        QVERIFY(!Windows().isLoaded(right ? "Form1" : "Form2"));
        QCOMPARE(scanFile, stl);
        QCOMPARE(lcfFile, home.path("Data/" + base + ".Lcf"));
        QCOMPARE(graphicFile, QString("None"));
        QVERIFY(stlFlag);
        QCOMPARE(scanBox->text(), stl);
        QCOMPARE(graphicBox->text(), QString("None"));

        ui->files << broken;
        choose->click();
        QCOMPARE(ui->calls.size(), 3);
        QVERIFY2(ui->calls.last().text.startsWith("Error: "), qPrintable(ui->calls.last().text));
        QCOMPARE(scanFile, stl);
        QCOMPARE(lcfFile, home.path("Data/" + base + ".Lcf"));
        QCOMPARE(scanBox->text(), stl);
        QCOMPARE(view->model().objects.front().triangles.size(), triangles);
        Windows().reset();
    }

    // A scanner window's "Prepare Script" opens the soft window on its
    // record; an open soft window takes the next record handed over.
    void preparedRecordOpensTheSoftWindow()
    {
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0042\r\nClinic1\r\n");
        auto ui = ScriptedPrompter::install();
        Windows().reset();
        Join_Program_Parts();
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        Windows().unload("ScriptForm1");
        Job().ScannerDataFolder = Job().CurrentFolder + u'/';

        IntakeFields fields = typedIntakeFields("Lee");
        fields.podiatrist = "Dr Lee";
        const PrepareRoute &route = *Prepare_Route("ScanForm2");
        QCOMPARE(Run_Prepare_Script(route, fields), PrepareOutcome::Done);

        auto *form = qobject_cast<QWidget *>(Windows().loaded("ScriptForm1"));
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->findChild<QLineEdit *>("Text49")->text(), QString("Lee"));
        QCOMPARE(form->findChild<QComboBox *>("Combo1_0")->currentText(), QString("9"));
        QCOMPARE(form->findChild<QComboBox *>("Combo1_1")->currentText(), QString("10"));
        QCOMPARE(window.Size_List_Text(0), QString("9"));
        QCOMPARE(window.Size_List_Text(1), QString("10"));
        QVERIFY(!Job().PreparedCsvFlag);
        QVERIFY(Job().EvaScriptFlag);

        fields.boxes.Text2 = "Okafor";
        fields.footSizes = {"8.5", "18"};
        QCOMPARE(Run_Prepare_Script(route, fields), PrepareOutcome::Done);
        QCOMPARE(qobject_cast<QWidget *>(Windows().loaded("ScriptForm1")), form);
        QCOMPARE(form->findChild<QLineEdit *>("Text49")->text(), QString("Okafor"));
        // 8.5 picks the main list's 9; 18 is above it and stays as typed.
        QCOMPARE(window.Size_List_Text(0), QString("9"));
        QCOMPARE(form->findChild<QComboBox *>("Combo1_0")->currentText(), QString("9"));
        QCOMPARE(form->findChild<QComboBox *>("Combo1_1")->currentText(), QString("18"));
        QVERIFY(!Job().PreparedCsvFlag);
        Windows().reset();
    }

    // Both rigid windows open the rigid form on the client they prepared:
    // the Ruru-Zirorur one hands its rigid record over, the Pellmar one
    // writes it and hands nothing over.
    void preparedRigidJobOpensTheRigidWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("surname");
        QTest::newRow("ScanForm3") << "ScanForm3"
                                   << "Lee";
        QTest::newRow("ScanForm6") << "ScanForm6"
                                   << "Okafor";
    }
    void preparedRigidJobOpensTheRigidWindow()
    {
        QFETCH(QString, window);
        QFETCH(QString, surname);
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0042\r\nClinic1\r\n");
        auto ui = ScriptedPrompter::install();
        Windows().reset();
        Join_Program_Parts();
        MainForm main;
        QCOMPARE(main.Form_Load(QString()), StartupOutcome::Ready);
        Job().ScannerDataFolder = Job().CurrentFolder + u'/';
        Job().ScanDestFolder = Job().CurrentFolder;

        const IntakeFields fields = typedIntakeFields(surname);
        QCOMPARE(Run_Prepare_Script(*Prepare_Route(window), fields), PrepareOutcome::Done);

        auto *form = qobject_cast<QWidget *>(Windows().loaded("ScriptForm2"));
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->windowTitle(), QString("Rigid Orthotic Script File"));
        QCOMPARE(form->findChild<QLineEdit *>("rText49")->text(), surname);
        QVERIFY(QFileInfo(Job().CsvFile).fileName().startsWith("R_"));
        QVERIFY(!Job().EvaScriptFlag);
        Windows().reset();
    }

    // The Graphic Screen's Calculate Scale puts the size it edits into the
    // soft window's size list only while that window is loaded.
    void graphicScreenScaleReachesTheSoftSizeListWhenLoaded()
    {
        TestHome home;
        auto ui = ScriptedPrompter::install();
        Windows().reset();
        Join_Program_Parts();
        for (const char *name : {"VCfilesForm", "VCutilForm", "BlockForm1", "BlockForm2", "ScaleForm2"})
            QVERIFY2(Windows().hasFactory(name), name);
        Job().CurrentFolder = home.path("Data");
        Job().CurrentFoot = QStringLiteral("Left");
        Job().FootSizeL = QStringLiteral("9");
        QVERIFY(Windows().window("GraphicForm"));
        QWidget *scale = Windows().show("ScaleForm");
        QVERIFY(scale);
        auto *size = scale->findChild<QLineEdit *>("Text2");
        size->setText("10");
        QCOMPARE(Job().FootSizeL, QStringLiteral("10"));
        QVERIFY(!Windows().isLoaded("ScriptForm1"));

        auto *soft = Windows().get<ScriptForm1>("ScriptForm1");
        QVERIFY(soft);
        size->setText("11");
        QCOMPARE(soft->footSize(0), QStringLiteral("11"));
    }
};

QTEST_MAIN(TestProgramParts)
#include "tst_programparts.moc"
