#pragma once
// Small scans on disk for the foot view tests, made by the sample generator.

#include "samplefoot.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QtTest>

namespace fixtures {

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline mesh::Mesh smallFoot(samples::Foot foot = samples::Foot::Left)
{
    return samples::makeFoot(foot, 400).objects.front();
}

inline void writeStl(const QString& path, samples::Foot foot = samples::Foot::Left)
{
    writeBytes(path, samples::binaryStl(smallFoot(foot)));
}

// A VRML scan whose texture url is `pictureName` (the file itself is written
// only when asked, under `pictureOnDisk`).
inline void writeWrl(const QString& path, const QString& pictureName, const QString& pictureOnDisk = {})
{
    writeBytes(path, samples::vrml97Text(smallFoot(), pictureName));
    if (!pictureOnDisk.isEmpty())
        QVERIFY(samples::makeTexturePhoto(64, 32).save(QFileInfo(path).dir().filePath(pictureOnDisk), "JPG"));
}

} // namespace fixtures
