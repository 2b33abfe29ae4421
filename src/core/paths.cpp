#include "paths.h"

#include "shellhelpers.h"

#include <QDir>
#include <QFileInfo>

namespace Paths {

QString root()
{
    QString r = qEnvironmentVariable("SOLVANE_HOME");
    if (r.isEmpty()) {
#ifdef Q_OS_WIN
        r = QStringLiteral("C:/3DEriruvu");
#else
        r = QDir::homePath() + QStringLiteral("/3DEriruvu");
#endif
    }
    r = QDir::fromNativeSeparators(r);
    while (r.size() > 1 && r.endsWith(u'/'))
        r.chop(1);
    return r;
}

QString file(const QString &name)
{
    return root() + u'/' + name;
}
QString dataRoot()
{
    return file(QStringLiteral("Data"));
}
QString dataFolderPrefix()
{
    return dataRoot() + u'/';
}
QString jobsFolder()
{
    return file(QStringLiteral("Jobs")) + u'/';
}
QString defaultArchiveFolder()
{
    return file(QStringLiteral("Archive")) + u'/';
}

} // namespace Paths

QString Record_Path(const QString &path)
{
    const QString rootSlash = Paths::root() + u'/';
    const QString normal = QDir::fromNativeSeparators(path);
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    if (normal.startsWith(rootSlash, cs)) {
        QString rest = normal.mid(rootSlash.size());
        rest.replace(u'/', u'\\');
        return QLatin1String(Paths::kRecordRoot) + rest;
    }
    if (normal.compare(Paths::root(), cs) == 0)
        return QString::fromLatin1(Paths::kRecordRoot).chopped(1);
    return path;
}

QString From_Record_Path(const QString &recordPath)
{
    const QString prefix = QString::fromLatin1(Paths::kRecordRoot);
    if (recordPath.startsWith(prefix, Qt::CaseInsensitive)) {
        QString rest = recordPath.mid(prefix.size());
        rest.replace(u'\\', u'/');
        return Paths::root() + u'/' + rest;
    }
    if (recordPath.compare(prefix.chopped(1), Qt::CaseInsensitive) == 0)
        return Paths::root();
    return recordPath;
}

QString From_Windows_Path(const QString &windowsPath)
{
    const QString prefix = QString::fromLatin1(Paths::kRecordRoot);
    if (windowsPath.startsWith(prefix, Qt::CaseInsensitive)
        || windowsPath.compare(prefix.chopped(1), Qt::CaseInsensitive) == 0)
        return From_Record_Path(windowsPath);
    const bool drivePath = windowsPath.size() >= 3 && windowsPath[0].isLetter() && windowsPath[0].unicode() < 128
                           && windowsPath[1] == u':' && (windowsPath[2] == u'\\' || windowsPath[2] == u'/');
    if (!drivePath)
        return windowsPath;
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(windowsPath);
#else
    QString rest = windowsPath.mid(3);
    rest.replace(u'\\', u'/');
    return Paths::file(QStringLiteral("External/")) + rest;
#endif
}

bool Is_Absent_Path(const QString &path)
{
    if (path.trimmed().isEmpty())
        return true;
    return Get_File_Name(path).compare(QLatin1String("None"), Qt::CaseInsensitive) == 0;
}

bool Is_Relative_Path(const QString &path)
{
    if (path.contains(u':') || path.contains(QLatin1String("\\3DEriruvu"), Qt::CaseInsensitive))
        return false;
    return QDir::isRelativePath(path);
}

QString Join_Path(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + name;
    return folder + u'/' + name;
}

QString Resolve_Path_Nocase(const QString &folder, const QString &name)
{
    const QString exact = Join_Path(folder, name);
    if (QFileInfo::exists(exact))
        return exact;
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return Join_Path(folder, entry);
    }
    return {};
}

QString Resolve_File_Nocase(const QString &path)
{
    const QString normal = QDir::fromNativeSeparators(path);
    const qsizetype cut = normal.lastIndexOf(u'/');
    if (cut < 0)
        return Resolve_Path_Nocase(QString(), normal);
    return Resolve_Path_Nocase(normal.left(cut + 1), normal.mid(cut + 1));
}

bool Has_Extension(const QString &path, const QString &ext)
{
    const QString name = Get_File_Name(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && name.mid(dot + 1).compare(ext, Qt::CaseInsensitive) == 0;
}
