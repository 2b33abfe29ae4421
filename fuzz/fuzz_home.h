#pragma once
// The readers of the program's own files find them in the working folder, so
// these targets hand each input over as a file there: one private working
// folder (SOLVANE_HOME) per fuzzer process, made on the first input and
// reused, so an input costs a file write and no more.
//
// What every such target promises: a reader either takes the input or
// refuses it with SolvaneError; a crash, a sanitizer report or any other
// exception stops the fuzzer with the input.

#include "errors.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzzhome {

// The readers tell the user through the prompter (silent here) and Qt's
// warnings go to no one: only a fatal message stops the run.
inline void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "qFatal: %s\n", qPrintable(text));
        std::abort();
    }
}

// The writers save through QSaveFile, which waits for the disk: in memory
// (/dev/shm where there is one) a run does many more inputs a second.
inline QString scratchFolder()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
}

struct Home
{
    // The process id in the name lets tools/fuzz.sh remove what a target
    // that stopped on a finding left.
    QTemporaryDir dir{scratchFolder()
                      + QStringLiteral("/solvane-fuzz-%1-XXXXXX").arg(QCoreApplication::applicationPid())};
    QString root;

    Home()
    {
        if (!dir.isValid()) {
            std::fprintf(stderr, "no temporary folder for the working folder\n");
            std::abort();
        }
        root = dir.path() + QStringLiteral("/3DEriruvu");
        QDir().mkpath(root + QStringLiteral("/Data"));
        qputenv("SOLVANE_HOME", QFile::encodeName(root));
    }
};

// The working folder of this process, made on first use.
inline const QString &root()
{
    static int argc = 1;
    static char name[] = "solvane-fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static const Home home = [] {
        qInstallMessageHandler(quietMessages);
        return Home();
    }();
    return home.root;
}

inline QString path(const QString &name)
{
    return root() + u'/' + name;
}

// Writes the input as the file `name` of the working folder; returns its path.
inline QString put(const QString &name, const std::uint8_t *data, std::size_t size)
{
    const QString file = path(name);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || out.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        std::abort();
    }
    return file;
}

inline void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace fuzzhome
