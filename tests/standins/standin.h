#pragma once

// Test side of the stand-in programs (see standin.cpp for what they do):
// copy one under the name of the real program, set how it behaves, and read
// back what it logged.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtTest>

namespace Standin {

// The built stand-in ($SOLVANE_STANDIN_DIR/standin).
inline QString program()
{
    return qEnvironmentVariable("SOLVANE_STANDIN_DIR") + QStringLiteral("/standin");
}

// Copies the stand-in into `folder` as `name` ("ZezuzIzov", "Veltrane.Exe"),
// ready to run; returns its path, or an empty text when the copy failed.
inline QString install(const QString &folder, const QString &name)
{
    QDir().mkpath(folder);
    const QString target = QDir(folder).filePath(name);
    QFile::remove(target);
    if (!QFile::copy(program(), target))
        return {};
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ExeOwner | QFileDevice::ReadOwner);
    return target;
}

// Sets the variables every stand-in of this process's children reads.
// `writes` is joined with ";" for STANDIN_WRITE.
inline void configure(const QString &logPath, const QString &mode = QStringLiteral("ok"),
                      const QStringList &writes = {})
{
    qputenv("STANDIN_LOG", QFile::encodeName(logPath));
    qputenv("STANDIN_MODE", mode.toUtf8());
    qputenv("STANDIN_WRITE", QFile::encodeName(writes.join(u';')));
}

// The same for one stand-in only, by its installed name.
inline void configureFor(const QString &name, const char *key, const QString &value)
{
    QByteArray suffix;
    for (const QChar c : name)
        suffix += c.isLetterOrNumber() && c.unicode() < 128 ? char(c.unicode()) : '_';
    qputenv(QByteArray(key) + '_' + suffix, value.toUtf8());
}

// One run of a stand-in as its log shows it.
struct Run
{
    QString name;
    QString program;
    QString cwd;
    QStringList args;
    QString mode;
    qint64 pid = 0;
    bool ended = false; // reached its normal end (not killed)
    int exitCode = 0;
    QStringList written;
};

inline QList<Run> readLog(const QString &logPath)
{
    QList<Run> runs;
    QFile file(logPath);
    if (!file.open(QIODevice::ReadOnly))
        return runs;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        const qint64 pid = o.value(QStringLiteral("pid")).toInteger();
        if (o.value(QStringLiteral("event")).toString() == QLatin1String("start")) {
            Run run;
            run.name = o.value(QStringLiteral("name")).toString();
            run.program = o.value(QStringLiteral("program")).toString();
            run.cwd = o.value(QStringLiteral("cwd")).toString();
            for (const QJsonValue &a : o.value(QStringLiteral("args")).toArray())
                run.args << a.toString();
            run.mode = o.value(QStringLiteral("mode")).toString();
            run.pid = pid;
            runs << run;
        } else {
            for (Run &run : runs) {
                if (run.pid == pid && !run.ended) {
                    run.ended = true;
                    run.exitCode = o.value(QStringLiteral("exit")).toInt();
                    for (const QJsonValue &w : o.value(QStringLiteral("written")).toArray())
                        run.written << w.toString();
                }
            }
        }
    }
    return runs;
}

} // namespace Standin
