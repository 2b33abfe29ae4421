#pragma once

// Builds archives member by member, including the kinds of entry a hostile
// or damaged archive holds (links, folders, encrypted entries, odd names).

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QList>
#include <QSet>
#include <QString>
#include <QtTest>

#include <sys/stat.h>
#include <zip.h>

struct ZipMember
{
    enum Kind { File, Folder, FolderByAttribute, Link, Encrypted, Stored };
    QByteArray name;
    QByteArray data;
    Kind kind = File;
};

inline bool Build_Zip(const QString &path, const QList<ZipMember> &members, const QByteArray &comment = {})
{
    int code = 0;
    zip_t *za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za)
        return false;
    for (const ZipMember &m : members) {
        zip_int64_t index = -1;
        if (m.kind == ZipMember::Folder) {
            index = zip_dir_add(za, m.name.constData(), ZIP_FL_ENC_UTF_8);
        } else {
            // libzip keeps a pointer to the buffer until zip_close: hand it a
            // copy to free (an empty member has no buffer at all).
            void *copy = nullptr;
            if (!m.data.isEmpty()) {
                copy = malloc(m.data.size());
                memcpy(copy, m.data.constData(), m.data.size());
            }
            zip_source_t *src = zip_source_buffer(za, copy, m.data.size(), copy ? 1 : 0);
            index = zip_file_add(za, m.name.constData(), src, ZIP_FL_ENC_UTF_8);
            if (index < 0)
                zip_source_free(src);
        }
        if (index < 0) {
            qWarning() << "zip member" << m.name << zip_strerror(za);
            zip_discard(za);
            return false;
        }
        const auto i = static_cast<zip_uint64_t>(index);
        switch (m.kind) {
        case ZipMember::Link:
            zip_file_set_external_attributes(za, i, 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16);
            break;
        case ZipMember::FolderByAttribute:
            zip_file_set_external_attributes(za, i, 0, ZIP_OPSYS_UNIX, (S_IFDIR | 0755u) << 16);
            break;
        case ZipMember::Encrypted:
            if (zip_file_set_encryption(za, i, ZIP_EM_TRAD_PKWARE, "secret") != 0) {
                zip_discard(za);
                return false;
            }
            break;
        case ZipMember::Stored: zip_set_file_compression(za, i, ZIP_CM_STORE, 0); break;
        default: break;
        }
    }
    if (!comment.isEmpty())
        zip_set_archive_comment(za, comment.constData(), static_cast<zip_uint16_t>(comment.size()));
    return zip_close(za) == 0;
}

// Every file and folder under `root`, as paths relative to it.
inline QSet<QString> Tree_Of(const QString &root)
{
    QSet<QString> out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out.insert(QDir(root).relativeFilePath(it.next()));
    return out;
}

inline QByteArray Read_All(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void Write_All(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Flips one byte of the first copy of `needle` in the file: a stored
// member's data, so the damage shows as a bad CRC rather than bad inflate.
inline bool Damage_File(const QString &path, const QByteArray &needle)
{
    QByteArray bytes = Read_All(path);
    const qsizetype at = bytes.indexOf(needle);
    if (at < 0)
        return false;
    bytes[at + needle.size() / 2] = static_cast<char>(bytes[at + needle.size() / 2] ^ 0x20);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}
