#include "windowfinder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

namespace {

QString readProcFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.read(64 * 1024);
    bytes.replace('\0', ' ');
    return QString::fromLocal8Bit(bytes).trimmed();
}

} // namespace

bool Find_Window(FoundWindow &found, const QString &text)
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->windowTitle().contains(text, Qt::CaseSensitive)) {
            found = FoundWindow{window, 0};
            return true;
        }
    }
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid || pid == self)
            continue;
        const QString base = QStringLiteral("/proc/") + entry;
        const QString name = readProcFile(base + QStringLiteral("/comm"));
        const QString commandLine = readProcFile(base + QStringLiteral("/cmdline"));
        if ((!name.isEmpty() && name.contains(text)) || (!commandLine.isEmpty() && commandLine.contains(text))) {
            found = FoundWindow{nullptr, pid};
            return true;
        }
    }
    return false;
}
