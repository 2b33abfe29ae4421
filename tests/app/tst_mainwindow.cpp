#include "appwindows.h"
#include "footviewinterface.h"
#include "footviewport.h"
#include "instancelock.h"
#include "jobevents.h"
#include "mainwindow.h"
#include "samplefoot.h"
#include "scanlistspanel.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAction>
#include <QComboBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

namespace {

// A stand-in for the soft prescription window: counts the resets asked of it.
class FakeScriptForm : public QWidget, public NewJobFormResets
{
public:
    static inline int created = 0;
    static inline int resets = 0;
    FakeScriptForm() { ++created; }
    void Reset_For_New_Job() override { ++resets; }
};

QStringList texts(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

QStringList texts(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// The folder the tree (`Dir1`) has chosen, as a path.
QString treeFolder(const QTreeView *tree)
{
    const auto *folders = qobject_cast<const QFileSystemModel *>(tree->model());
    return folders ? folders->filePath(tree->currentIndex()) : QString();
}

// The folder names the tree lists below its chosen folder; the tree reads
// folders in the background, so this waits for them a little.
QStringList treeSubfolders(QTreeView *tree)
{
    auto *folders = qobject_cast<QFileSystemModel *>(tree->model());
    const QModelIndex chosen = tree->currentIndex();
    if (!folders || !chosen.isValid())
        return {};
    folders->fetchMore(chosen);
    QStringList names;
    const bool listed = QTest::qWaitFor(
        [&] {
            names.clear();
            for (int row = 0; row < folders->rowCount(chosen); ++row)
                names << folders->fileName(folders->index(row, 0, chosen));
            return !names.isEmpty();
        },
        5000);
    return listed ? names : QStringList{};
}

// Every text the status line painted, in order: the window paints each one
// at once, so a text replaced within one command is still seen.
class PaintedStatus : public QObject
{
public:
    explicit PaintedStatus(QLabel *panel)
        : m_panel(panel)
    {
        panel->installEventFilter(this);
    }
    QStringList texts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_panel && event->type() == QEvent::Paint
            && (texts.isEmpty() || texts.last() != m_panel->text()))
            texts << m_panel->text();
        return false;
    }

private:
    QLabel *m_panel;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedPrompter> ui;

    template <typename T>
    static T *child(QObject *parent, const char *name)
    {
        T *found = parent->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qWarning("no child %s", name);
        return found;
    }

private slots:
    void init()
    {
        Job() = ScriptRecord{};
        Windows().reset();
        Register_Shell_Windows();
        ui = ScriptedPrompter::install();
        FakeScriptForm::created = FakeScriptForm::resets = 0;
    }

    void cleanup() { Windows().reset(); }

    void startupShowsTheWorkspace()
    {
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0042\r\nClinicA\r\nClinicB\r\n");
        for (const char *name : {"Lee_Ann_L.Wrl", "b_R.STL", "c.obj", "notes.txt", "photo.Jpg"})
            home.write(QStringLiteral("Data/ClinicA/") + name, "x");
        QDir().mkpath(home.path("Data/ClinicA/Sub"));

        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        window.show();

        QCOMPARE(window.windowTitle(), QString("Solvane: Prepare and Submit Jobs"));
        QCOMPARE(window.statusText(), QString("Ready"));
        auto *combo1 = child<QComboBox>(&window, "Combo1");
        auto *combo2 = child<QComboBox>(&window, "Combo2");
        auto *combo3 = child<QComboBox>(&window, "Combo3");
        QVERIFY(combo1 && combo2 && combo3);
        const QStringList sizes{"0",  "2",  "3",  "4",  "5",  "6",  "7",  "8", "9",
                                "10", "11", "12", "13", "14", "15", "16", "17"};
        QCOMPARE(texts(combo1), sizes);
        QCOMPARE(texts(combo2), sizes);
        QCOMPARE(combo1->currentText(), QString("0"));
        QCOMPARE(combo2->currentText(), QString("0"));
        QCOMPARE(texts(combo3), (QStringList{"ClinicA", "ClinicB"}));
        QVERIFY(combo3->isVisible());
        QVERIFY(combo3->isEnabled());
        QCOMPARE(combo3->currentText(), QString("ClinicA"));
        QVERIFY(child<QAction>(&window, "mnuTools")->isEnabled());

        QCOMPARE(Job().CurrentFolder, home.path("Data/ClinicA"));
        QCOMPARE(child<ScanListsPanel>(&window, "ScanListsPanel")->folder(), home.path("Data/ClinicA"));
        QCOMPARE(texts(child<QListWidget>(&window, "File1")), (QStringList{"b_R.STL", "c.obj", "Lee_Ann_L.Wrl"}));
        QCOMPARE(texts(child<QListWidget>(&window, "File2")), (QStringList{"b_R.STL", "c.obj", "Lee_Ann_L.Wrl"}));
        auto *dir1 = child<QTreeView>(&window, "Dir1");
        QCOMPARE(treeFolder(dir1), home.path("Data/ClinicA"));
        QCOMPARE(treeSubfolders(dir1), QStringList{"Sub"});
        QVERIFY(child<QComboBox>(&window, "Drive1"));
        QCOMPARE(child<QPushButton>(&window, "Command2")->accessibleName(), QString("Select Left Foot"));
        QCOMPARE(child<QPushButton>(&window, "Command4")->accessibleName(), QString("Select Right Foot"));

        // The lists write the job state, whoever changes them.
        combo1->setCurrentIndex(8);
        combo2->setCurrentIndex(9);
        combo3->setCurrentIndex(1);
        QCOMPARE(Job().FootSizeL, QString("9"));
        QCOMPARE(Job().FootSizeR, QString("10"));
        QCOMPARE(Job().CurrentUser, QString("ClinicB"));
        QCOMPARE(Job().DataFolder, home.path("Data/ClinicA/")); // until the next new job

        // A record read elsewhere puts its sizes into the lists, off-chart ones too.
        Job().FootSizeL = "9.5";
        Job().FootSizeR = "4";
        emit JobEvents::instance().footSizesRead();
        QCOMPARE(combo1->currentText(), QString("9.5"));
        QCOMPARE(combo2->currentText(), QString("4"));
        QCOMPARE(Job().FootSizeL, QString("9.5"));
        // Other windows read the lists through the shell.
        QCOMPARE(window.Size_List_Text(0), QString("9.5"));
        QCOMPARE(window.Size_List_Text(1), QString("4"));
    }

    void userListAndToolsFollowTheConfiguration_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("userListShown");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("missing") << QByteArray() << false << false;
        QTest::newRow("one user") << QByteArray("AB\r\nS1\r\n0001\r\nBob\r\n") << false << true;
        QTest::newRow("short") << QByteArray("AB\r\n") << false << true;
        QTest::newRow("two users") << QByteArray("AB\r\nS1\r\n0001\r\nBob\r\nAnn\r\n") << true << true;
    }

    void userListAndToolsFollowTheConfiguration()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, userListShown);
        QFETCH(bool, enabled);
        TestHome home;
        QDir().mkpath(home.path("Data/Bob"));
        if (!file.isNull())
            home.write("Solvane.Cfg", file);
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        window.show();
        auto *combo3 = child<QComboBox>(&window, "Combo3");
        QCOMPARE(combo3->isVisible(), userListShown);
        QCOMPARE(combo3->isEnabled(), enabled);
        QCOMPARE(child<QAction>(&window, "mnuTools")->isEnabled(), enabled);
    }

    void secondCopyEndsAtOnce()
    {
        TestHome home;
        InstanceLock running;
        QCOMPARE(running.acquire(), InstanceLock::State::Acquired);
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::AlreadyRunning);
        QCOMPARE(ui->messages(), QStringList{"The SOLVANE Application is Already Running"});
        QVERIFY(!QFile::exists(home.path("Solvane.Cfg")));
    }

    void newJobResetsWorkspaceAndSoftWindow()
    {
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0042\r\nClinicA\r\nClinicB\r\n");
        QDir().mkpath(home.path("Data/ClinicA"));
        home.write("Data/ClinicB/x_L.wrl", "x");
        Windows().registerFactory("ScriptForm1", [] { return new FakeScriptForm; });

        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        QCOMPARE(FakeScriptForm::created, 0); // start-up does not need the soft window
        auto *combo1 = child<QComboBox>(&window, "Combo1");
        combo1->setCurrentIndex(5);
        child<QComboBox>(&window, "Combo3")->setCurrentIndex(1);
        window.Show_Folder(home.path("Data/ClinicB"));
        QCOMPARE(texts(child<QListWidget>(&window, "File1")), QStringList{"x_L.wrl"});
        ::Set_Status("Job Complete");

        child<QAction>(&window, "mnuNew")->trigger();

        // A soft window nobody opened is not created for the new job.
        QCOMPARE(FakeScriptForm::created, 0);
        QVERIFY(!Windows().isLoaded("ScriptForm1"));
        QCOMPARE(Job().JobNumber, QString("AB0042"));
        QCOMPARE(Job().CurrentUser, QString("ClinicA")); // line 4 again
        QCOMPARE(Job().CsvFile, home.path("Data/ClinicB/AB0042_Default.Csv"));
        QCOMPARE(Job().CurrentFolder, home.path("Data/ClinicA"));
        QCOMPARE(child<ScanListsPanel>(&window, "ScanListsPanel")->folder(), home.path("Data/ClinicA"));
        QCOMPARE(treeFolder(child<QTreeView>(&window, "Dir1")), home.path("Data/ClinicA"));
        QCOMPARE(texts(child<QListWidget>(&window, "File1")), QStringList{});
        QCOMPARE(combo1->currentText(), QString("0"));
        QCOMPARE(Job().FootSizeL, QString("0"));
        QCOMPARE(window.statusText(), QString("Ready"));

        // A loaded soft window is reset, not created again, on the next new job.
        QVERIFY(Windows().window("ScriptForm1"));
        window.New_Script();
        QCOMPARE(FakeScriptForm::created, 1);
        QCOMPARE(FakeScriptForm::resets, 1);
        QVERIFY(!Windows().loaded("ScriptForm1")->isVisible());
    }

    void newJobFailureIsShownAndTheProgramGoesOn()
    {
        TestHome home;
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        QVERIFY(QFile::remove(home.path("Solvane.Cfg")));
        QVERIFY(QDir().mkpath(home.path("Solvane.Cfg"))); // a folder where the file should be
        child<QAction>(&window, "mnuNew")->trigger();
        QCOMPARE(ui->calls.size(), 1);
        QVERIFY(ui->calls.first().text.startsWith("Error: "));
        QCOMPARE(ui->calls.first().title, QString("Error"));
    }

    void unloadAllCreatesNothingAndKeepsItsOrder()
    {
        TestHome home;
        QStringList created, unloaded;
        for (const QString &name : WindowRegistry::unloadOrder()) {
            Windows().registerFactory(name, [name, &created, &unloaded] {
                created << name;
                auto *w = new QWidget;
                QObject::connect(w, &QObject::destroyed, [name, &unloaded] { unloaded << name; });
                return w;
            });
        }
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);

        window.Unload_All();
        QCOMPARE(created, QStringList{});

        Windows().window("ScriptForm1");
        Windows().window("Form2");
        Windows().window("AboutForm");
        QSignalSpy ended(&window, &MainForm::programEnded);
        window.show();
        child<QAction>(&window, "mnuExit")->trigger();
        QCOMPARE(unloaded, (QStringList{"AboutForm", "Form2", "ScriptForm1"}));
        QCOMPARE(created.size(), 3);
        QCOMPARE(ended.count(), 1);
        QVERIFY(!window.isVisible());
    }

    void closingTheWindowShutsDown()
    {
        TestHome home;
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        window.show();
        QVERIFY(Windows().window("dlgNumInput"));
        QSignalSpy ended(&window, &MainForm::programEnded);
        window.close();
        QVERIFY(!Windows().isLoaded("dlgNumInput"));
        QCOMPARE(ended.count(), 1);
        // The lock goes with the window, so the next start is not refused.
        InstanceLock next;
        QCOMPARE(next.acquire(), InstanceLock::State::Acquired);
    }

    // The intake windows' sizes select the first entry at or above them, as
    // a pick does; a size above every entry leaves the list as it was.
    void selectSizeAtLeast_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QString>("shown"); // the list's text before
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QString>("after");
        QTest::newRow("left 9") << 0 << "5" << 9.0 << true << "9";
        QTest::newRow("right 10") << 1 << "5" << 10.0 << true << "10";
        QTest::newRow("between entries") << 0 << "5" << 9.5 << true << "10";
        QTest::newRow("below the first") << 1 << "5" << -2.0 << true << "0";
        QTest::newRow("above the list") << 0 << "5" << 18.0 << false << "5";
        QTest::newRow("off-list text on that entry") << 0 << "9.5" << 9.0 << true << "9";
    }
    void selectSizeAtLeast()
    {
        QFETCH(int, side);
        QFETCH(QString, shown);
        QFETCH(double, size);
        QFETCH(bool, selected);
        QFETCH(QString, after);
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0042\r\nClinicA\r\n");
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        auto *list = child<QComboBox>(&window, side == 0 ? "Combo1" : "Combo2");
        list->setCurrentIndex(8); // "9"
        window.Set_Size_List_Texts(shown, shown);
        QCOMPARE(window.Select_Size_At_Least(side, size), selected);
        QCOMPARE(window.Size_List_Text(side), after);
        QCOMPARE(side == 0 ? Job().FootSizeL : Job().FootSizeR, after);
    }

    void pickingScans()
    {
        TestHome home;
        home.write("Data/Lee_Ann_L.Wrl", "x");
        home.write("Data/Lee_Ann_R.Wrl", "x");
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        window.show();

        // Nothing picked: the buttons do nothing and say nothing.
        QVERIFY(!window.Load_Left_Foot());
        child<QPushButton>(&window, "Command4")->click();
        QCOMPARE(ui->calls.size(), 0);
        QVERIFY(!Windows().isLoaded("Form1"));
        QVERIFY(!Windows().isLoaded("Form2"));

        auto *file2 = child<QListWidget>(&window, "File2");
        file2->setCurrentRow(1);
        QCOMPARE(Job().RightScanFileName, QString("Lee_Ann_R.Wrl"));
        QCOMPARE(Job().RightSelectedScanFile, home.path("Data/Lee_Ann_R.Wrl"));
        QCOMPARE(Job().CurrentFolder, home.path("Data"));
        QCOMPARE(window.windowTitle(), "Scan File: " + QDir::toNativeSeparators(home.path("Data/Lee_Ann_R.Wrl")));
        QVERIFY(window.statusText().startsWith("File Creation Date: "));
        QCOMPARE(Job().LeftScanFileName, QString("None"));

        // A file that is no scan fails with the loaders' warning, and says so once.
        QVERIFY(!window.Load_Right_Foot());
        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls.first().title, QString("Warning"));
        QVERIFY(ui->calls.first().text.startsWith("Error: The Brennick Runtime was Not Found."));
        QCOMPARE(Shell(), static_cast<ShellServices *>(&window));
    }

    // Other windows name the scan they loaded in the caption, as a pick does.
    void scanFileCaptionFromOtherWindows()
    {
        TestHome home;
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        Shell()->Show_Scan_File_Caption(home.path("Data/Lee_Ann_R.wrl"));
        QCOMPARE(window.windowTitle(), "Scan File: " + QDir::toNativeSeparators(home.path("Data/Lee_Ann_R.wrl")));
    }

    // A scan picked in the left list and "Select Left Foot" show the foot in
    // the "Left Foot" window; the right view is left alone.
    void selectLeftFootLoadsThePickedScan()
    {
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0042\r\nClinicA\r\n");
        const QString folder = home.path("Data/ClinicA");
        const QString scan = samples::writeVrmlScan(folder, "Sample_Anna_L", samples::Foot::Left, 600);
        samples::writeStlScan(folder, "Sample_Ben_R", samples::Foot::Right, 600);
        Register_Foot_Views();
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintedStatus status(child<QLabel>(&window, "StatusBar1"));

        auto *file1 = child<QListWidget>(&window, "File1");
        QCOMPARE(texts(file1), (QStringList{"Sample_Anna_L.Wrl", "Sample_Ben_R.Stl"}));
        file1->setCurrentRow(0);
        QCOMPARE(Job().LeftScanFileName, QString("Sample_Anna_L.Wrl"));
        QVERIFY(!Windows().isLoaded("Form1")); // a pick alone loads nothing
        child<QPushButton>(&window, "Command2")->click();

        QCOMPARE(ui->calls.size(), 0);
        auto *view = qobject_cast<FootView *>(Windows().loaded("Form1"));
        QVERIFY(view);
        QVERIFY(view->isVisible());
        QVERIFY(!view->viewport()->usesOpenGL()); // no OpenGL offscreen: the plain display stands in
        auto *display = qobject_cast<QLabel *>(view->viewport()->display());
        QVERIFY(display);
        QCOMPARE(display->text(), QString("3D display unavailable"));
        QCOMPARE(view->model().objects.size(), std::size_t(1));
        QCOMPARE(view->model().objects.front().triangles.size(),
                 samples::makeFoot(samples::Foot::Left, 600).objects.front().triangles.size());
        QCOMPARE(view->windowTitle(), "Left Foot: " + QDir::toNativeSeparators(scan));

        QCOMPARE(Job().LeftScanFile, scan);
        QCOMPARE(Job().LeftLcfFile, home.path("Data/ClinicA/Sample_Anna_L.Lcf"));
        QCOMPARE(Job().LeftGraphicFile, home.path("Data/ClinicA/Sample_Anna_L[VRML].Jpg"));
        QCOMPARE(Job().CurrentFoot, QString("Left"));
        QVERIFY(Job().BrennickFlag);
        QVERIFY(QFile::exists(home.path("UndoL.Lcf")));
        QVERIFY2(status.texts.contains("Brennick: Left Foot  " + scan), qPrintable(status.texts.join(" | ")));
        QCOMPARE(window.statusText(), QString("Ready"));
        QVERIFY(!Windows().isLoaded("Form2"));
        QCOMPARE(Job().RightScanFileName, QString("None"));

        // The right list's STL scan goes to the "Right Foot" window.
        child<QListWidget>(&window, "File2")->setCurrentRow(1);
        QVERIFY(window.Load_Right_Foot());
        auto *right = qobject_cast<FootView *>(Windows().loaded("Form2"));
        QVERIFY(right && right->isVisible());
        QCOMPARE(right->windowTitle(),
                 "Right Foot: " + QDir::toNativeSeparators(home.path("Data/ClinicA/Sample_Ben_R.Stl")));
        QCOMPARE(Job().RightGraphicFile, home.path("Data/ClinicA/Sample_Ben_R.Bmp"));
        QVERIFY(status.texts.contains("Moravine: Right Foot  " + home.path("Data/ClinicA/Sample_Ben_R.Stl")));
        QCOMPARE(view->windowTitle(), "Left Foot: " + QDir::toNativeSeparators(scan));
        QCOMPARE(ui->calls.size(), 0);
    }

    // New scans written while the program runs show after a refresh.
    void refreshShowsNewScans()
    {
        TestHome home;
        home.write("Data/a_L.Wrl", "x");
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        auto *file1 = child<QListWidget>(&window, "File1");
        file1->setCurrentRow(0);
        home.write("Data/b_L.Stl", "x");
        QCOMPARE(texts(file1), QStringList{"a_L.Wrl"});
        window.Refresh_File_Lists();
        QCOMPARE(texts(file1), (QStringList{"a_L.Wrl", "b_L.Stl"}));
        QCOMPARE(texts(child<QListWidget>(&window, "File2")), (QStringList{"a_L.Wrl", "b_L.Stl"}));
        QCOMPARE(file1->currentItem()->text(), QString("a_L.Wrl")); // the pick stays
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
