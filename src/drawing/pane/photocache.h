#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QVector>

// Decoded photos of the insole panes, which place the same photo again on
// every tab change. An entry is used only while its file keeps the size and
// modification time it had when it was read, so a photo that a burn or the
// photo windows rewrote is read afresh at once. A few entries are kept (the
// left, the right photo and the sketch), the oldest dropped first.
class PhotoCache
{
public:
    explicit PhotoCache(int capacity = 3)
        : m_capacity(capacity)
    {}

    // The photo's pixels, read through Load_Image_File when the file is new
    // or changed; raises as that does.
    QImage load(const QString &path);
    void forget(const QString &path);
    void clear() { m_entries.clear(); }
    int size() const { return int(m_entries.size()); }

private:
    struct Entry
    {
        QString path;
        qint64 bytes = -1;
        QDateTime modified;
        QImage image;
    };
    int m_capacity;
    QVector<Entry> m_entries; // most recently used last
};

// The program's one cache, shared by both panes.
PhotoCache &Pane_Photo_Cache();
