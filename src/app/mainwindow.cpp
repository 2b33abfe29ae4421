#include "mainwindow.h"

#include "archiveimport.h"
#include "footviewinterface.h"
#include "helpwindows.h"
#include "jobevents.h"
#include "newjob.h"
#include "prompter.h"
#include "scanlistspanel.h"
#include "scriptform1.h"
#include "scriptform2.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "sizechart.h"
#include "windowregistry.h"

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>

namespace {

const QString kCaption = QStringLiteral("Solvane: Prepare and Submit Jobs");

QLabel *captionFor(QWidget *control, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(control);
    control->setAccessibleName(caption);
    return label;
}

// Fills a list quietly, then selects its first entry loudly, so the list's
// own behaviour runs once for the selection.
void refill(QComboBox *combo, const QStringList &texts)
{
    {
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItems(texts);
        combo->setCurrentIndex(-1);
    }
    if (!texts.isEmpty())
        combo->setCurrentIndex(0);
}

// Opens another part's window without blocking: made (and so loaded) on
// first use, otherwise only brought to the front.
void openWindow(const QString &name)
{
    Run_Command([&] { Windows().show(name); });
}

} // namespace

MainForm::MainForm(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kCaption);

    m_statusPanel = new QLabel(this);
    m_statusPanel->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(m_statusPanel, 1);

    buildMenus();
    buildWorkspace();
    resize(1100, 420);

    ::Set_Status_Sink([this](const QString &text) { Set_Status(text); });
    Set_Shell(this);
    connect(&JobEvents::instance(), &JobEvents::footSizesRead, this,
            [this] { Set_Size_List_Texts(Job().FootSizeL, Job().FootSizeR); });
}

MainForm::~MainForm()
{
    ::Set_Status_Sink({});
    if (Shell() == this)
        Set_Shell(nullptr);
}

void MainForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    // A menu's name is given to its bar item too, so the bar reads in order
    // by name as well as by caption. The "&" marks the access key (Alt and
    // the underlined letter); screen readers hear the caption without it.
    auto menu = [bar](const char *name, const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->setAccessibleName(QString(caption).remove(u'&'));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [this](QWidget *owner, const char *name, const QString &caption, auto &&handler) {
        auto *action = new QAction(caption, owner);
        action->setObjectName(QLatin1String(name));
        owner->addAction(action);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    auto separator = [](QWidget *owner, const char *name) {
        auto *line = new QAction(owner);
        line->setObjectName(QLatin1String(name));
        line->setSeparator(true);
        owner->addAction(line);
    };

    m_mnuFiles = menu("mnuFiles", QStringLiteral("&Files"));
    m_mnuNew = item(m_mnuFiles, "mnuNew", QStringLiteral("New"), [this] { Run_Command([this] { New_Script(); }); });
    separator(m_mnuFiles, "sep1");
    m_mnuExit = item(m_mnuFiles, "mnuExit", QStringLiteral("Exit"), [this] {
        Unload_All();
        close();
    });

    QMenu *scanner = menu("mnuScanner", QStringLiteral("&Scanner"));
    auto intake = [&](const char *name, const QString &caption, const QString &window, bool footScanner) {
        item(scanner, name, caption, [window, footScanner] {
            // The foot scanners refuse a side they think is scanned: a fresh
            // start from the menu lets both feet be scanned again.
            if (footScanner)
                Job().ScannedFlagL = Job().ScannedFlagR = false;
            openWindow(window);
        });
    };
    intake("mnuScanner1", QStringLiteral("General Scanner"), QStringLiteral("ScanForm"), false);
    intake("mnuScanner2", QStringLiteral("MiniScanner (EVA)"), QStringLiteral("ScanForm2"), false);
    intake("mnuScanner3", QStringLiteral("MiniScanner (Rigid)"), QStringLiteral("ScanForm3"), false);
    intake("mnuLSRscanner", QStringLiteral("LSR Scanner"), QStringLiteral("ScanForm4"), false);
    intake("mnuPellmar1", QStringLiteral("Pellmar Scanner (EVA)"), QStringLiteral("ScanForm5"), true);
    intake("mnuPellmar2", QStringLiteral("Pellmar Scanner (Rigid)"), QStringLiteral("ScanForm6"), true);

    m_mnuTools = item(bar, "mnuTools", QStringLiteral("&Tools"), [] { openWindow(QStringLiteral("VerifyForm")); });
    // The import asks for the archive itself and reports its own failures;
    // it needs no intake window.
    item(bar, "mnuUnzip", QStringLiteral("&UnZip"), [] { Run_Command([] { Import_Job_Archive(); }); });

    QMenu *script = menu("mnuScript", QStringLiteral("&Prepare Script"));
    item(script, "mnuScript1", QStringLiteral("EVA Script"), [this] { enterScript(ScriptKind::Eva); });
    item(script, "mnuScript2", QStringLiteral("Rigid Script"), [this] { enterScript(ScriptKind::Rigid); });

    QMenu *help = menu("mnuHelp", QStringLiteral("&Help"));
    item(help, "mnuHelp1", QStringLiteral("Help"), [] { Run_Command([] { Show_Help_Browser(); }); });
    separator(help, "sep2");
    item(help, "mnuAbout", QStringLiteral("About"), [] { Run_Command([] { Show_About(); }); });

    // Kept for its place on the bar; it is never offered.
    menu("mnuTest", QStringLiteral("Test"))->menuAction()->setVisible(false);
    for (const char *name : {"sep3", "sep4", "sep5", "sep6"})
        separator(bar, name);
    // Shows which version is running; there is nothing to choose.
    item(bar, "sep7", QStringLiteral("Version 2.08h"), [] {})->setEnabled(false);
}

void MainForm::enterScript(ScriptKind kind)
{
    Run_Command([kind] {
        if (!Enter_Script_Screen(Job(), kind))
            return;
        // Either window takes a record handed over while it was open.
        if (kind == ScriptKind::Rigid)
            Open_ScriptForm2();
        else
            Open_ScriptForm1();
    });
}

void MainForm::buildWorkspace()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);

    // The scan choice (location, folder tree, both scan lists and their
    // "Select" buttons) belongs to the foot views, which it loads.
    m_scanLists = new ScanListsPanel(central);
    column->addWidget(m_scanLists, 1);

    m_combo1 = new QComboBox(central);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo2 = new QComboBox(central);
    m_combo2->setObjectName(QStringLiteral("Combo2"));
    // A record may carry a size the chart does not list (9.5): the lists
    // then show it as their text.
    for (QComboBox *sizes : {m_combo1, m_combo2}) {
        sizes->setEditable(true);
        sizes->setInsertPolicy(QComboBox::NoInsert);
    }
    m_combo3 = new QComboBox(central);
    m_combo3->setObjectName(QStringLiteral("Combo3"));
    m_userLabel = captionFor(m_combo3, QStringLiteral("User"), central);

    auto *row = new QHBoxLayout;
    row->addWidget(captionFor(m_combo1, QStringLiteral("Left Foot Size"), central));
    row->addWidget(m_combo1);
    row->addSpacing(16);
    row->addWidget(captionFor(m_combo2, QStringLiteral("Right Foot Size"), central));
    row->addWidget(m_combo2);
    m_command10 = new QPushButton(QStringLiteral("Sizes"), central);
    m_command10->setObjectName(QStringLiteral("Command10"));
    m_command10->setAccessibleName(m_command10->text());
    row->addWidget(m_command10);
    row->addStretch(1);
    row->addWidget(m_userLabel);
    row->addWidget(m_combo3);
    column->addLayout(row);
    setCentralWidget(central);

    connect(m_combo1, &QComboBox::currentTextChanged, this, [](const QString &text) { Job().FootSizeL = text; });
    connect(m_combo2, &QComboBox::currentTextChanged, this, [](const QString &text) { Job().FootSizeR = text; });
    // Choosing a user changes nothing else: the data folder follows the
    // configuration file at the next new job.
    connect(m_combo3, &QComboBox::currentTextChanged, this, [](const QString &text) { Job().CurrentUser = text; });

    connect(m_command10, &QPushButton::clicked, this, [] { Run_Command([] { Show_Foot_Sizes(); }); });
}

StartupOutcome MainForm::Form_Load(const QString &commandLine)
{
    const StartupResult result = Run_Startup(Job(), commandLine, m_lock);
    if (result.outcome != StartupOutcome::Ready)
        return result.outcome;
    m_combo3->setEnabled(result.configFound);
    m_mnuTools->setEnabled(result.configFound);
    Load_Sizes1();
    Load_Combo3();
    Show_Folder(Job().CurrentFolder);
    ::Set_Status(StartupText::kReady);
    return result.outcome;
}

void MainForm::New_Script()
{
    New_Script_Record(Job());
    Load_Sizes1();
    // A loaded soft window resets its boxes and ticks for the new job. One
    // that is not loaded is left so: creating it would run its load (and its
    // option table warning) for a window nobody asked for, and its load
    // sets the same defaults when it is opened.
    if (auto *form = dynamic_cast<NewJobFormResets *>(Windows().loaded(QStringLiteral("ScriptForm1"))))
        form->Reset_For_New_Job();
    Show_Folder(Job().DataFolder);
    ::Set_Status(StartupText::kReady);
}

bool MainForm::Load_Left_Foot()
{
    return ::Load_Left_Foot();
}

bool MainForm::Load_Right_Foot()
{
    return ::Load_Right_Foot();
}

void MainForm::Load_Sizes1()
{
    const QStringList sizes = Size_List_Texts(Job());
    refill(m_combo1, sizes);
    refill(m_combo2, sizes);
}

void MainForm::Set_Size_List_Texts(const QString &left, const QString &right)
{
    m_combo1->setCurrentText(left);
    m_combo2->setCurrentText(right);
}

QString MainForm::Size_List_Text(int side) const
{
    return (side == 0 ? m_combo1 : m_combo2)->currentText();
}

bool MainForm::Select_Size_At_Least(int side, double size)
{
    // Searched among this list's own entries: another window's list may
    // come from a style's size table and hold other sizes.
    QComboBox *list = side == 0 ? m_combo1 : m_combo2;
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    const int index = First_Size_At_Least(entries, size);
    if (index < 0)
        return false;
    list->setCurrentIndex(index);
    return true;
}

void MainForm::Refresh_File_Lists()
{
    m_scanLists->refresh();
}

void MainForm::Minimize_Main_Window()
{
    showMinimized();
}

void MainForm::Load_Combo3()
{
    const QStringList names = User_List_Names(Job());
    m_combo3->setVisible(!names.isEmpty());
    m_userLabel->setVisible(!names.isEmpty());
    refill(m_combo3, names);
}

void MainForm::Unload_All()
{
    Windows().Unload_All();
}

void MainForm::Show_Folder(const QString &folder)
{
    const bool shownAlready = m_scanLists->folder() == QDir::cleanPath(folder);
    m_scanLists->setFolder(folder);
    if (shownAlready)
        m_scanLists->refresh();
    Job().CurrentFolder = m_scanLists->folder();
}

void MainForm::Show_User(const QString &user)
{
    const int index = m_combo3->findText(user);
    if (index >= 0)
        m_combo3->setCurrentIndex(index);
}

void MainForm::Show_Scan_File_Caption(const QString &scanFile)
{
    setWindowTitle(QStringLiteral("Scan File: ") + QDir::toNativeSeparators(scanFile));
}

void MainForm::Set_Status(const QString &text)
{
    m_statusPanel->setText(text);
    // Long operations block the event loop; paint now so the text is seen.
    m_statusPanel->repaint();
}

QString MainForm::statusText() const
{
    return m_statusPanel->text();
}

void MainForm::closeEvent(QCloseEvent *event)
{
    Unload_All();
    event->accept();
    // The program is ending: a new copy may start from here on.
    m_lock.release();
    emit programEnded();
}
