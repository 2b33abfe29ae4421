#include "scanlists.h"

#include <QDir>
#include <QSignalBlocker>

namespace {
const QString kUp = QStringLiteral("..");
}

FolderList::FolderList(QWidget *parent)
    : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this, &FolderList::enter);
}

void FolderList::setPath(const QString &folder)
{
    m_path = QDir::cleanPath(folder);
    setToolTip(QDir::toNativeSeparators(m_path));
    fill();
    emit pathChanged(m_path);
}

void FolderList::enter(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString name = item->text();
    setPath(name == kUp ? QFileInfo(m_path).path() : QDir(m_path).filePath(name));
}

void FolderList::fill()
{
    const QSignalBlocker quiet(this);
    clear();
    const QDir dir(m_path);
    if (!dir.isRoot())
        addItem(kUp);
    addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
}

ScanFileList::ScanFileList(QWidget *parent)
    : QListWidget(parent)
{
    setSortingEnabled(false);
    setUniformItemSizes(true); // lists of thousands of scans stay quick
}

void ScanFileList::setPath(const QString &folder)
{
    m_path = QDir::cleanPath(folder);
    refresh();
}

void ScanFileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    refresh();
}

void ScanFileList::showFolder(const QString &folder, const QString &pattern)
{
    m_path = QDir::cleanPath(folder);
    m_pattern = pattern;
    refresh();
}

void ScanFileList::refresh()
{
    const QString chosen = fileName();
    const QSignalBlocker quiet(this);
    clear();
    if (m_path.isEmpty())
        return;
    QDir dir(m_path);
    dir.setNameFilters(m_pattern.split(u';', Qt::SkipEmptyParts));
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    addItems(dir.entryList());
    if (!chosen.isEmpty()) {
        const auto found = findItems(chosen, Qt::MatchExactly);
        if (!found.isEmpty())
            setCurrentItem(found.constFirst());
    }
}

QString ScanFileList::fileName() const
{
    const QListWidgetItem *item = currentItem();
    return item ? item->text() : QString();
}
