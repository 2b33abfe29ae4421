#pragma once

// A job of Ann Lee (AB0042) whose files lie in a work folder of a private
// working folder, and small helpers to watch what the pipeline did.

#include "scriptrecord.h"
#include "testhome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtTest>

namespace fixture {

inline QByteArray bytes(int size, char fill = 'x')
{
    return QByteArray(size, fill);
}

// Writes a file (making its folder) and returns its path.
inline QString put(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

inline QByteArray slurp(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The job state as the job commands leave it before packing: names set, the
// work folder "Data/Ann" with no files yet.
inline ScriptRecord newJob(const TestHome &home)
{
    ScriptRecord job;
    job.OperatorCode = QStringLiteral("AB");
    job.ScannerId = QStringLiteral("S1");
    job.JobCounter = 42;
    job.JobNumber = QStringLiteral("AB0042");
    job.ClientFirstName = QStringLiteral("Ann");
    job.ClientSurname = QStringLiteral("Lee");
    job.CurrentUser = QStringLiteral("Ann");
    job.UserList = QStringLiteral("Ann");
    job.DataFolder = home.path(QStringLiteral("Data/"));
    job.CurrentFolder = home.path(QStringLiteral("Data/Ann"));
    job.ArchiveFolder = home.path(QStringLiteral("Archive/"));
    job.NasFolder = job.DataFolder;
    job.DeleteWorkingFilesFlag = true;
    for (QString *p : {&job.LeftScanFile, &job.RightScanFile, &job.LeftLcfFile, &job.RightLcfFile, &job.LeftGraphicFile,
                       &job.RightGraphicFile, &job.CsvFile, &job.PdfFile, &job.FullPdfFile})
        *p = QStringLiteral("None");
    QDir().mkpath(job.CurrentFolder);
    return job;
}

// Every one of the ten job files present in the work folder, each with its
// own content (models large enough to be sent).
inline void writeAllFiles(ScriptRecord &job)
{
    const QString w = job.CurrentFolder + u'/';
    job.PdfFile = put(w + QStringLiteral("AB0042_Ann_Lee.Pdf"), "main pdf");
    job.FullPdfFile = put(w + QStringLiteral("AB0042_Ann_Lee_L.Pdf"), "full pdf");
    job.JobImageFile = put(w + QStringLiteral("AB0042_Ann_Lee.Jpg"), "sketch");
    job.CsvFile = put(w + QStringLiteral("AB0042_Ann_Lee.Csv"), "record");
    job.LeftScanFile = put(w + QStringLiteral("Lee_Ann_L.Wrl"), "left scan");
    job.LeftLcfFile = put(w + QStringLiteral("Lee_Ann_L.Lcf"), bytes(120, 'L'));
    job.LeftGraphicFile = put(w + QStringLiteral("Lee_Ann_L.Jpg"), "left photo");
    job.RightScanFile = put(w + QStringLiteral("Lee_Ann_R.Wrl"), "right scan");
    job.RightLcfFile = put(w + QStringLiteral("Lee_Ann_R.Lcf"), bytes(130, 'R'));
    job.RightGraphicFile = put(w + QStringLiteral("Lee_Ann_R.Jpg"), "right photo");
}

// The names in a folder other than the given ones (temporary leftovers).
inline QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace fixture
