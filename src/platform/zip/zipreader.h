#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class QIODevice;
struct zip;

// One entry of a ZIP archive as its central directory describes it.
struct ZipEntry
{
    quint64 index = 0;
    QString name; // as stored (UTF-8 when flagged, else decoded from CP437)
    quint64 size = 0; // uncompressed
    quint32 crc = 0;
    bool isFolder = false;
    bool isLink = false;
    bool isEncrypted = false;
    quint16 method = 0; // how the data is compressed (ZIP's method number)
};

// Read access to one ZIP archive. Opening checks the archive's structure;
// reading a member checks its CRC, so a damaged member never passes as good.
// Every failure raises SolvaneError.
class ZipReader
{
public:
    explicit ZipReader(const QString &path);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    const QString &path() const { return m_path; }
    QString comment() const;
    const QList<ZipEntry> &entries() const { return m_entries; }

    // The entry stored under exactly this name, or null.
    const ZipEntry *find(const QString &name) const;

    // Streams the member's bytes into `out`; returns the CRC-32 of what was
    // written. `progress`, when given, hears the bytes written so far after
    // each piece. Raises SolvaneError when the data cannot be read or its CRC
    // does not match. One reader serves one thread at a time; threads that
    // read one archive together each open their own.
    quint32 extract(const ZipEntry &entry, QIODevice &out, const std::function<void(quint64)> &progress = {}) const;

    // Reads the member through to its end without keeping it: libzip checks
    // the data against the CRC the directory gives when it reaches the end.
    // Returns the size read. Raises SolvaneError as extract() does, and when
    // the size read is not the directory's.
    quint64 readThrough(const ZipEntry &entry, const std::function<void(quint64)> &progress = {}) const;

    // The whole member in memory (small members and tests).
    QByteArray read(const ZipEntry &entry) const;

    // The member's data as it lies in the archive, compressed, read through
    // without inflating it: how many bytes and their CRC-32. Two members
    // with the same stored data and method read back the same, so a copy of
    // a member already read back whole needs only this. Raises SolvaneError
    // when the data cannot be read.
    struct StoredData
    {
        quint64 size = 0;
        quint32 crc = 0;
        bool operator==(const StoredData &) const = default;
    };
    StoredData storedData(const ZipEntry &entry) const;

private:
    // Reads the member through, handing each piece to `consume`; returns the
    // bytes read. Failures start with `failure`.
    quint64 readMember(const ZipEntry &entry, const QString &failure,
                       const std::function<void(const char *, qint64)> &consume,
                       const std::function<void(quint64)> &progress, bool stored = false) const;

    QString m_path;
    zip *m_archive = nullptr;
    QList<ZipEntry> m_entries;
};

// libzip's text for one of its error codes.
QString Zip_Error_Text(int code);

// CRC-32 as ZIP archives use it; `crc` continues an earlier value.
quint32 Zip_Crc32(const char *data, qsizetype size, quint32 crc = 0);
