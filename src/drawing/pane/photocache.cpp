#include "photocache.h"

#include "imagefile.h"

#include <QFileInfo>

QImage PhotoCache::load(const QString &path)
{
    const QFileInfo info(path);
    const qint64 bytes = info.size();
    const QDateTime modified = info.lastModified();
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].path != path)
            continue;
        Entry entry = m_entries.takeAt(i);
        if (entry.bytes == bytes && entry.modified == modified && info.exists()) {
            const QImage image = entry.image;
            m_entries.append(std::move(entry));
            return image;
        }
        break;
    }
    QImage image = Load_Image_File(path);
    if (m_capacity <= 0)
        return image;
    while (m_entries.size() >= m_capacity)
        m_entries.removeFirst();
    m_entries.append({path, bytes, modified, image});
    return image;
}

void PhotoCache::forget(const QString &path)
{
    m_entries.removeIf([&](const Entry &e) { return e.path == path; });
}

PhotoCache &Pane_Photo_Cache()
{
    static PhotoCache cache;
    return cache;
}
