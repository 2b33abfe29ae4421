#include "appwindows.h"
#include "helpwindows.h"
#include "jobarchive.h"
#include "mainwindow.h"
#include "menukeys.h"
#include "scanlistspanel.h"
#include "scriptedprompter.h"
#include "scriptform1.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAccessible>
#include <QAction>
#include <QDirIterator>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

namespace {

// One entry of the menu bar as the user meets it: where it sits, its name,
// its caption as shown, and whether it is offered at all.
struct Entry
{
    QString menu; // empty on the bar itself
    QString name;
    QString text;
    bool visible = true;
    bool separator = false;
    bool operator==(const Entry &) const = default;
};

char *toString(const Entry &e)
{
    return qstrdup(qPrintable(QStringLiteral("%1/%2 \"%3\" visible=%4 separator=%5")
                                  .arg(e.menu, e.name, e.text)
                                  .arg(e.visible)
                                  .arg(e.separator)));
}

QList<Entry> menuBarEntries(QMenuBar *bar)
{
    QList<Entry> out;
    for (QAction *top : bar->actions()) {
        out << Entry{QString(), top->objectName(), menukeys::shownCaption(top->text()), top->isVisible(),
                     top->isSeparator()};
        if (QMenu *menu = top->menu()) {
            for (QAction *a : menu->actions())
                out << Entry{menu->objectName(), a->objectName(), menukeys::shownCaption(a->text()), a->isVisible(),
                             a->isSeparator()};
        }
    }
    return out;
}

// Every file under a folder, as paths relative to it.
QStringList filesUnder(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

// A window that counts how often it is made.
class CountingWindow : public QWidget
{
public:
    static inline QStringList made;
    explicit CountingWindow(const QString &name)
    {
        setObjectName(name);
        made << name;
    }
};

} // namespace

class TestMainMenu : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedPrompter> ui;
    std::unique_ptr<TestHome> home;
    std::unique_ptr<MainForm> window;

    QAction *action(const char *name)
    {
        auto *found = window->findChild<QAction *>(QString::fromLatin1(name));
        if (!found)
            qWarning("no action %s", name);
        return found;
    }

    void registerCountingWindow(const QString &name)
    {
        Windows().registerFactory(name, [name] { return new CountingWindow(name); });
    }

    // A job whose scans are as given ("None", a file written now, or a path
    // to nothing).
    void setScans(const QString &left, const QString &right)
    {
        auto scan = [this](const QString &kind) {
            if (kind == QLatin1String("file")) {
                home->write("Data/ClinicA/Lee_L.Wrl", "#VRML V2.0 utf8\n");
                return home->path("Data/ClinicA/Lee_L.Wrl");
            }
            if (kind == QLatin1String("gone"))
                return home->path("Data/ClinicA/Deleted_R.Wrl");
            return kind;
        };
        Job().LeftScanFile = scan(left);
        Job().RightScanFile = scan(right);
    }

private slots:
    void init()
    {
        Job() = ScriptRecord{};
        Windows().reset();
        Register_Shell_Windows();
        Register_Help_Windows();
        CountingWindow::made.clear();
        ui = ScriptedPrompter::install();
        home = std::make_unique<TestHome>();
        home->write("Solvane.Cfg", "AB\r\nS1\r\n0042\r\nClinicA\r\nClinicB\r\n");
        QDir().mkpath(home->path("Data/ClinicA"));
        window = std::make_unique<MainForm>();
        QCOMPARE(window->Form_Load(QString()), StartupOutcome::Ready);
        window->show();
    }

    void cleanup()
    {
        window.reset();
        Windows().reset();
        home.reset();
    }

    void menuBarInItsOrder()
    {
        const QList<Entry> expected{
            {"", "mnuFiles", "Files"},
            {"mnuFiles", "mnuNew", "New"},
            {"mnuFiles", "sep1", "", true, true},
            {"mnuFiles", "mnuExit", "Exit"},
            {"", "mnuScanner", "Scanner"},
            {"mnuScanner", "mnuScanner1", "General Scanner"},
            {"mnuScanner", "mnuScanner2", "MiniScanner (EVA)"},
            {"mnuScanner", "mnuScanner3", "MiniScanner (Rigid)"},
            {"mnuScanner", "mnuLSRscanner", "LSR Scanner"},
            {"mnuScanner", "mnuPellmar1", "Pellmar Scanner (EVA)"},
            {"mnuScanner", "mnuPellmar2", "Pellmar Scanner (Rigid)"},
            {"", "mnuTools", "Tools"},
            {"", "mnuUnzip", "UnZip"},
            {"", "mnuScript", "Prepare Script"},
            {"mnuScript", "mnuScript1", "EVA Script"},
            {"mnuScript", "mnuScript2", "Rigid Script"},
            {"", "mnuHelp", "Help"},
            {"mnuHelp", "mnuHelp1", "Help"},
            {"mnuHelp", "sep2", "", true, true},
            {"mnuHelp", "mnuAbout", "About"},
            {"", "mnuTest", "Test", false},
            {"", "sep3", "", true, true},
            {"", "sep4", "", true, true},
            {"", "sep5", "", true, true},
            {"", "sep6", "", true, true},
            {"", "sep7", "Version 2.08h"},
        };
        QCOMPARE(menuBarEntries(window->menuBar()), expected);
        QVERIFY(!action("sep7")->isEnabled()); // it only shows the version

        // Screen readers name each item of the bar and of its menus by its caption.
        QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(window->menuBar());
        QVERIFY(bar);
        QStringList offered;
        for (int i = 0; i < bar->childCount(); ++i) {
            if (!bar->child(i)->state().invisible)
                offered << bar->child(i)->text(QAccessible::Name);
        }
        QVERIFY2(offered.mid(0, 6) == (QStringList{"Files", "Scanner", "Tools", "UnZip", "Prepare Script", "Help"}),
                 qPrintable(offered.join(" | ")));
        QCOMPARE(offered.last(), QString("Version 2.08h"));
        QVERIFY2(!offered.contains("Test"), qPrintable(offered.join(" | ")));
        auto *scanner = window->findChild<QMenu *>("mnuScanner");
        QAccessibleInterface *items = QAccessible::queryAccessibleInterface(scanner);
        QVERIFY(items && items->childCount() == 6);
        QCOMPARE(items->child(4)->text(QAccessible::Name), QString("Pellmar Scanner (EVA)"));
        QCOMPARE(scanner->accessibleName(), QString("Scanner"));
    }

    void everyMenuHasItsOwnAccessKey()
    {
        QCOMPARE(menukeys::accessKeyFaults(window->menuBar()), QStringList{});
        QCOMPARE(menukeys::reachableItems(window->menuBar()).size(), 6);
    }

    void altAndTheUnderlinedLetterOpensTheMenu_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("letter");
        QTest::newRow("Files") << "mnuFiles" << int(Qt::Key_F);
        QTest::newRow("Scanner") << "mnuScanner" << int(Qt::Key_S);
        QTest::newRow("Tools") << "mnuTools" << int(Qt::Key_T);
        QTest::newRow("UnZip") << "mnuUnzip" << int(Qt::Key_U);
        QTest::newRow("Prepare Script") << "mnuScript" << int(Qt::Key_P);
        QTest::newRow("Help") << "mnuHelp" << int(Qt::Key_H);
    }
    void altAndTheUnderlinedLetterOpensTheMenu()
    {
        QFETCH(QString, item);
        QFETCH(int, letter);
        QAction *top = action(qPrintable(item));
        QVERIFY(top);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QSignalSpy chosen(top, &QAction::triggered);
        QTest::keyClick(window->menuBar(), Qt::Key(letter), Qt::AltModifier);
        // A menu drops down; an item of the bar itself acts at once.
        if (QMenu *menu = top->menu())
            QTRY_VERIFY(menu->isVisible());
        else
            QCOMPARE(chosen.count(), 1);
    }

    void menuItemsOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("general") << "mnuScanner1"
                                 << "ScanForm"
                                 << "General Scanner";
        QTest::newRow("mini eva") << "mnuScanner2"
                                  << "ScanForm2"
                                  << "MiniScanner (EVA)";
        QTest::newRow("mini rigid") << "mnuScanner3"
                                    << "ScanForm3"
                                    << "MiniScanner (Rigid)";
        QTest::newRow("lsr") << "mnuLSRscanner"
                             << "ScanForm4"
                             << "LSR Scanner";
        QTest::newRow("pellmar eva") << "mnuPellmar1"
                                     << "ScanForm5"
                                     << "Pellmar Scanner (EVA)";
        QTest::newRow("pellmar rigid") << "mnuPellmar2"
                                       << "ScanForm6"
                                       << "Pellmar Scanner (Rigid)";
        QTest::newRow("tools") << "mnuTools"
                               << "VerifyForm"
                               << "Tools";
    }

    // Each item opens its window without blocking: made on first use, then
    // brought to the front.
    void menuItemsOpenTheirWindows()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QAction *menuItem = action(qPrintable(item));
        QVERIFY(menuItem && menuItem->isEnabled());
        QCOMPARE(QString(menuItem->text()).remove(u'&'), caption);

        registerCountingWindow(window);
        menuItem->trigger();
        menuItem->trigger();
        QVERIFY(ui->calls.isEmpty());
        QCOMPARE(CountingWindow::made, QStringList{window});
        QVERIFY(Windows().loaded(window)->isVisible());
        QVERIFY(!Windows().loaded(window)->isModal());
    }

    void footScannersMayScanBothFeetAgain_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("clears");
        QTest::newRow("pellmar eva") << "mnuPellmar1"
                                     << "ScanForm5" << true;
        QTest::newRow("pellmar rigid") << "mnuPellmar2"
                                       << "ScanForm6" << true;
        QTest::newRow("general") << "mnuScanner1"
                                 << "ScanForm" << false;
        QTest::newRow("lsr") << "mnuLSRscanner"
                             << "ScanForm4" << false;
    }

    void footScannersMayScanBothFeetAgain()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        QFETCH(bool, clears);
        // Without the window, and again while it is open.
        for (bool open : {false, true}) {
            if (open) {
                registerCountingWindow(window);
                action(qPrintable(item))->trigger();
                QVERIFY(Windows().isLoaded(window));
            }
            Job().ScannedFlagL = Job().ScannedFlagR = true;
            action(qPrintable(item))->trigger();
            QCOMPARE(Job().ScannedFlagL, !clears);
            QCOMPARE(Job().ScannedFlagR, !clears);
        }
    }

    void scriptScreenQuestion_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("leftAfter");
        QTest::addColumn<QString>("rightAfter");
        const int yes = int(Prompter::Answer::Yes);
        const int no = int(Prompter::Answer::No);
        const int closed = int(Prompter::Answer::Cancel);
        QTest::newRow("eva no scans, yes") << "mnuScript1"
                                           << "None"
                                           << "None" << true << yes << true << "None"
                                           << "None";
        QTest::newRow("eva no scans, no") << "mnuScript1"
                                          << "None"
                                          << "None" << true << no << false << "None"
                                          << "None";
        QTest::newRow("eva no scans, closed") << "mnuScript1"
                                              << "none"
                                              << "" << true << closed << false << "None"
                                              << "None";
        QTest::newRow("eva left gone") << "mnuScript1"
                                       << "gone"
                                       << "None" << false << 0 << true << "None"
                                       << "None";
        QTest::newRow("eva both gone") << "mnuScript1"
                                       << "gone"
                                       << "gone" << false << 0 << true << "None"
                                       << "None";
        QTest::newRow("eva left there") << "mnuScript1"
                                        << "file"
                                        << "None" << false << 0 << true << "file"
                                        << "None";
        QTest::newRow("rigid no scans, yes") << "mnuScript2"
                                             << "None"
                                             << "None" << true << yes << true << "None"
                                             << "None";
        QTest::newRow("rigid no scans, no") << "mnuScript2"
                                            << "None"
                                            << "None" << true << no << false << "None"
                                            << "None";
        QTest::newRow("rigid right gone") << "mnuScript2"
                                          << "None"
                                          << "gone" << false << 0 << true << "None"
                                          << "None";
    }

    void scriptScreenQuestion()
    {
        QFETCH(QString, item);
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(bool, asked);
        QFETCH(int, answer);
        QFETCH(bool, opens);
        QFETCH(QString, leftAfter);
        QFETCH(QString, rightAfter);
        const bool eva = item == QLatin1String("mnuScript1");
        const QString windowName = eva ? QStringLiteral("ScriptForm1") : QStringLiteral("ScriptForm2");
        if (eva)
            Register_Soft_Windows(); // the real soft window
        else
            registerCountingWindow(windowName);
        setScans(left, right);
        const QString leftFile = Job().LeftScanFile;
        Job().EvaScriptFlag = !eva;
        if (asked)
            ui->answers.enqueue(Prompter::Answer(answer));

        action(qPrintable(item))->trigger();

        QCOMPARE(Job().EvaScriptFlag, eva); // set before the question, whatever the answer
        QList<ScriptedPrompter::Call> questions;
        for (const auto &call : std::as_const(ui->calls))
            if (call.title == QLatin1String("Warning"))
                questions << call;
        QCOMPARE(questions.size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(questions[0].text, QString("                No Scan File Data Was Found.\r\n\r\n"
                                                "Are You Sure You Want to Enter the Script Screen?"));
            QCOMPARE(questions[0].buttons, Prompter::Buttons::YesNo);
            QCOMPARE(questions[0].icon, Prompter::Icon::None);
        }
        QCOMPARE(Job().LeftScanFile, leftAfter == QLatin1String("file") ? leftFile : leftAfter);
        QCOMPARE(Job().RightScanFile, rightAfter);
        QCOMPARE(Windows().isLoaded(windowName), opens);
        if (opens)
            QVERIFY(Windows().loaded(windowName)->isVisible());
    }

    // The rigid window is part of the program: without it the command is a
    // fault of the program, reported as one.
    void rigidScriptWithoutItsWindowIsAnError()
    {
        setScans("file", "None");
        const QString error = QStringLiteral("A part of the program is missing: the window \"ScriptForm2\".");
        QTest::ignoreMessage(QtCriticalMsg, qPrintable(error));
        action("mnuScript2")->trigger();
        QCOMPARE(ui->messages(), QStringList{"Error: " + error});
        QVERIFY(!Job().EvaScriptFlag);
    }

    void unzipImportsIntoTheDataFolder()
    {
        registerCountingWindow("ScanForm");
        // The archive is built outside the data folder before anything is watched.
        for (const char *name : {"Lee_L.Wrl", "Lee_R.Wrl", "Lee_Ann.Csv"})
            home->write(QStringLiteral("Outgoing/") + name, QByteArray("content of ") + name);
        const QString archive = home->path("Outgoing/AB0042_Lee.Zip");
        Write_Job_Archive(
            archive,
            {home->path("Outgoing/Lee_L.Wrl"), home->path("Outgoing/Lee_R.Wrl"), home->path("Outgoing/Lee_Ann.Csv")},
            "AB0042");
        const QStringList before = filesUnder(home->root());
        const ScriptRecord jobBefore = Job();
        QCOMPARE(Job().DataFolder, home->path("Data/ClinicA/"));

        auto *lists = window->findChild<ScanListsPanel *>();
        QCOMPARE(lists->folder(), home->path("Data/ClinicA"));
        QCOMPARE(lists->leftList()->count(), 0);

        ui->files.enqueue(archive);
        action("mnuUnzip")->trigger();

        // The scan lists show the new scans at once, and the user is told
        // what arrived where.
        for (const QListWidget *list : {lists->leftList(), lists->rightList()}) {
            QCOMPARE(list->count(), 2);
            QCOMPARE(list->item(0)->text(), QString("Lee_L.Wrl"));
            QCOMPARE(list->item(1)->text(), QString("Lee_R.Wrl"));
        }
        QCOMPARE(ui->calls.size(), 2);
        QCOMPARE(ui->calls[1].text, "3 Files were Imported into " + QDir::toNativeSeparators(home->path("Data/ClinicA"))
                                        + ":\r\n\r\nLee_L.Wrl\r\nLee_R.Wrl\r\nLee_Ann.Csv");
        QCOMPARE(ui->calls[1].title, QString("UnZip"));
        QCOMPARE(ui->calls[1].icon, Prompter::Icon::Information);
        const auto &request = ui->calls[0];
        QCOMPARE(request.kind, QString("open"));
        QCOMPARE(request.title, QString("Select a ZIP File"));
        QCOMPARE(request.file.folder, home->path("Data")); // the data root, whoever the user is
        QCOMPARE(request.file.filter, QString("ZIP File (*.Zip)|*.Zip|All Files (*.*)|*.*"));
        QCOMPARE(request.file.defaultExtension, QString("Zip"));

        QStringList added = filesUnder(home->root());
        for (const QString &old : before)
            added.removeOne(old);
        QCOMPARE(added, (QStringList{"Data/ClinicA/Lee_Ann.Csv", "Data/ClinicA/Lee_L.Wrl", "Data/ClinicA/Lee_R.Wrl"}));
        QCOMPARE(home->read("Data/ClinicA/Lee_R.Wrl"), QByteArray("content of Lee_R.Wrl"));
        QCOMPARE(window->statusText(), QString("Ready"));
        QVERIFY(!Windows().isLoaded("ScanForm")); // no intake window is needed
        QCOMPARE(Job().CurrentFolder, jobBefore.CurrentFolder);
        QCOMPARE(Job().LeftScanFile, jobBefore.LeftScanFile);
    }

    void unzipCancelledChangesNothing()
    {
        ::Set_Status("Job Complete");
        const QStringList before = filesUnder(home->root());
        action("mnuUnzip")->trigger(); // the file queue is empty: the dialog is cancelled
        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(window->statusText(), QString("Job Complete"));
        QCOMPARE(filesUnder(home->root()), before);
    }

    // An archive that cannot be read is reported, not passed over in silence.
    void unzipOfAFileThatIsNoArchiveIsReported()
    {
        home->write("Outgoing/notes.txt", "not a zip at all");
        const QString path = home->path("Outgoing/notes.txt");
        ui->files.enqueue(path);
        action("mnuUnzip")->trigger();
        const QStringList shown = ui->messages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].startsWith("Error: "), qPrintable(shown[0]));
        QCOMPARE(ui->calls.last().title, QString("Error"));
        QCOMPARE(window->statusText(), "UnPacking Job..." + path);
        QCOMPARE(filesUnder(home->path("Data/ClinicA")), QStringList{});
    }

    void helpItemsOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("help") << "mnuHelp1"
                              << "Browser"
                              << "";
        QTest::newRow("about") << "mnuAbout"
                               << "AboutForm"
                               << "About VELTRANE";
        QTest::newRow("sizes") << "Command10"
                               << "FootSize"
                               << "Foot Sizes";
    }

    void helpItemsOpenTheirWindows()
    {
        QFETCH(QString, control);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        auto press = [&] {
            if (auto *button = this->window->findChild<QPushButton *>(control)) {
                QCOMPARE(button->accessibleName(), QString("Sizes"));
                button->click();
            } else {
                action(qPrintable(control))->trigger();
            }
        };
        press();
        QWidget *opened = Windows().loaded(window);
        QVERIFY(opened);
        QVERIFY(opened->isVisible());
        QVERIFY(!opened->isModal());
        if (!caption.isEmpty())
            QCOMPARE(opened->windowTitle(), caption);
        if (window == QLatin1String("Browser"))
            QCOMPARE(Job().BrowserPage, home->path("Help1.Htm"));
        // Asked again, the same window comes to the front.
        press();
        QCOMPARE(Windows().loaded(window), opened);
        QCOMPARE(ui->calls.size(), 0);
    }
};

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
