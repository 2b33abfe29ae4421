#include "messagetext.h"

#include <QDir>

QString Message_Lines(const QStringList &lines)
{
    return lines.join(kMessageLineBreak);
}

QString Message_Path(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
