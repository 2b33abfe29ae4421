#include "scanlistspanel.h"

#include "clock.h"
#include "footviewinterface.h"
#include "paths.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>

namespace {

QLabel *captionFor(QWidget *buddy, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return label;
}

bool isScanFile(const QFileInfo &info)
{
    const QString suffix = info.suffix().toLower();
    return suffix == QLatin1String("wrl") || suffix == QLatin1String("stl") || suffix == QLatin1String("obj");
}

} // namespace

ScanListsPanel::ScanListsPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ScanListsPanel"));
    m_drive1 = new QComboBox(this);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_drive1->setAccessibleName(QStringLiteral("Location"));
    m_dir1 = new QTreeView(this);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_dir1->setAccessibleName(QStringLiteral("Folder"));
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QDir::rootPath());
    m_dir1->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_dir1->hideColumn(column);
    m_dir1->header()->hide();

    m_file1 = new QListWidget(this);
    m_file1->setObjectName(QStringLiteral("File1"));
    m_file2 = new QListWidget(this);
    m_file2->setObjectName(QStringLiteral("File2"));
    m_command2 = new QPushButton(QStringLiteral("Select Left Foot"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_command2->setAccessibleName(m_command2->text());
    m_command4 = new QPushButton(QStringLiteral("Select Right Foot"), this);
    m_command4->setObjectName(QStringLiteral("Command4"));
    m_command4->setAccessibleName(m_command4->text());

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_drive1, 0, 0);
    grid->addWidget(m_dir1, 1, 0, 2, 1);
    grid->addWidget(captionFor(m_file1, QStringLiteral("LEFT   FOOT"), this), 0, 1, Qt::AlignHCenter);
    grid->addWidget(m_file1, 1, 1);
    grid->addWidget(m_command2, 2, 1, Qt::AlignHCenter);
    grid->addWidget(captionFor(m_file2, QStringLiteral("RIGHT   FOOT"), this), 0, 2, Qt::AlignHCenter);
    grid->addWidget(m_file2, 1, 2);
    grid->addWidget(m_command4, 2, 2, Qt::AlignHCenter);
    grid->setColumnStretch(0, 4);
    grid->setColumnStretch(1, 5);
    grid->setColumnStretch(2, 5);

    // Locations: where clinic data usually is, then every mounted volume.
    const QString data = Is_Absent_Path(Job().DataFolder) ? Paths::dataRoot() : Job().DataFolder;
    m_drive1->addItem(QStringLiteral("Data"), QDir::cleanPath(data));
    m_drive1->addItem(QStringLiteral("Home"), QDir::homePath());
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !volume.isReadOnly()
            && !volume.rootPath().startsWith(QLatin1String("/proc"))
            && !volume.rootPath().startsWith(QLatin1String("/sys")))
            m_drive1->addItem(volume.rootPath(), volume.rootPath());
    }

    // A copy or an import changes the folder many times in a row: the lists
    // are read once it has settled a little.
    m_watcher = new QFileSystemWatcher(this);
    m_refreshSoon = new QTimer(this);
    m_refreshSoon->setSingleShot(true);
    m_refreshSoon->setInterval(150);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_refreshSoon, qOverload<>(&QTimer::start));
    connect(m_refreshSoon, &QTimer::timeout, this, &ScanListsPanel::refresh);

    // The tree reads folders in the background, so the rows of the chosen
    // folder may not exist yet when it is chosen: scroll once they do.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this] {
        const QModelIndex index = m_folders->index(m_folder);
        if (index.isValid() && m_dir1->currentIndex() == index)
            m_dir1->scrollTo(index);
    });
    connect(m_drive1, &QComboBox::currentIndexChanged, this, &ScanListsPanel::locationChosen);
    connect(m_dir1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid())
            folderChanged(m_folders->filePath(current));
    });
    connect(m_file1, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) { scanPicked(true, item); });
    connect(m_file2, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item) { scanPicked(false, item); });
    // A click on the scan that is already current changes nothing in the
    // list, yet the job may have forgotten it since (a new job): it is
    // picked again.
    auto clickedAgain = [this](bool left, QListWidgetItem *item) {
        const ScriptRecord &job = Job();
        if (job.CurrentFolder != m_folder || (left ? job.LeftScanFileName : job.RightScanFileName) != item->text())
            scanPicked(left, item);
    };
    connect(m_file1, &QListWidget::itemClicked, this,
            [clickedAgain](QListWidgetItem *item) { clickedAgain(true, item); });
    connect(m_file2, &QListWidget::itemClicked, this,
            [clickedAgain](QListWidgetItem *item) { clickedAgain(false, item); });
    connect(m_file1, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { scanActivated(true, item); });
    connect(m_file2, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { scanActivated(false, item); });
    connect(m_command2, &QPushButton::clicked, this, [] { Run_Command([] { Load_Left_Foot(); }); });
    connect(m_command4, &QPushButton::clicked, this, [] { Run_Command([] { Load_Right_Foot(); }); });
}

void ScanListsPanel::setFolder(const QString &folder)
{
    const QModelIndex index = m_folders->index(QDir::cleanPath(folder));
    if (index.isValid()) {
        m_dir1->setCurrentIndex(index);
        m_dir1->scrollTo(index);
    }
    // The lists follow even when the tree cannot show the folder.
    folderChanged(QDir::cleanPath(folder));
}

void ScanListsPanel::locationChosen(int index)
{
    if (index >= 0)
        setFolder(m_drive1->itemData(index).toString());
}

void ScanListsPanel::folderChanged(const QString &folder)
{
    if (folder == m_folder)
        return;
    m_folder = folder;
    refresh();
}

void ScanListsPanel::refresh()
{
    m_refreshSoon->stop();
    watchFolder();
    fillList(m_file1);
    fillList(m_file2);
}

void ScanListsPanel::watchFolder()
{
    const QStringList watched = m_watcher->directories();
    if (watched == QStringList{m_folder})
        return;
    if (!watched.isEmpty())
        m_watcher->removePaths(watched);
    // A folder that is not there (yet) is watched from the next refresh on.
    if (!m_folder.isEmpty() && QFileInfo(m_folder).isDir())
        m_watcher->addPath(m_folder);
}

void ScanListsPanel::fillList(QListWidget *list)
{
    const QString current = list->currentItem() ? list->currentItem()->text() : QString();
    const int scrolled = list->verticalScrollBar()->value();
    const QSignalBlocker blocker(list);
    list->clear();
    const QFileInfoList entries =
        QDir(m_folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &info : entries) {
        if (isScanFile(info))
            list->addItem(info.fileName());
    }
    // A refresh keeps the pick where the file is still there.
    const auto same = list->findItems(current, Qt::MatchExactly);
    if (!current.isEmpty() && !same.isEmpty())
        list->setCurrentItem(same.first());
    list->verticalScrollBar()->setValue(scrolled);
}

void ScanListsPanel::scanPicked(bool left, QListWidgetItem *item)
{
    if (!item)
        return;
    ScriptRecord &job = Job();
    const QString path = Join_Path(m_folder, item->text());
    job.CurrentFolder = m_folder;
    (left ? job.LeftSelectedScanFile : job.RightSelectedScanFile) = path;
    (left ? job.LeftScanFileName : job.RightScanFileName) = item->text();
    const QFileInfo info(path);
    if (info.exists()) {
        const QDateTime written = info.lastModified();
        Set_Status(QStringLiteral("File Creation Date: ") + Clock::shortDate(written.date()) + u' '
                   + Clock::longTime(written.time()));
    } else {
        Set_Status(QStringLiteral("File Not Found: ") + QDir::toNativeSeparators(path));
    }
    window()->setWindowTitle(QStringLiteral("Scan File: ") + QDir::toNativeSeparators(path));
}

void ScanListsPanel::scanActivated(bool left, QListWidgetItem *item)
{
    if (!item)
        return;
    QListWidget *list = left ? m_file1 : m_file2;
    if (list->currentItem() != item)
        list->setCurrentItem(item);
    else
        scanPicked(left, item);
    Set_Status(QStringLiteral("Loading Scan Data"));
    Run_Command([left] { left ? Load_Left_Foot() : Load_Right_Foot(); });
}
