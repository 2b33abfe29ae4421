#include "zipreader.h"

#include "errors.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>

#include <zip.h>

#include <array>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr quint32 kDosFolderAttribute = 0x10;
constexpr zip_uint64_t kChunk = 1024 * 1024;

// Eight tables, so the CRC takes eight bytes a step: extraction and the
// check against a source run it over every byte.
using CrcTables = std::array<std::array<quint32, 256>, 8>;

const CrcTables &crcTables()
{
    static const CrcTables tables = [] {
        CrcTables t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][n] = c;
        }
        for (quint32 n = 0; n < 256; ++n)
            for (int k = 1; k < 8; ++k)
                t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFFu];
        return t;
    }();
    return tables;
}

// Folders and links are told apart by the attributes of the system that
// wrote the entry; a name ending in a separator is a folder whatever wrote it.
void classify(zip_t *archive, ZipEntry &entry)
{
    entry.isFolder = entry.name.endsWith(u'/') || entry.name.endsWith(u'\\');
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, entry.index, 0, &opsys, &attributes) != 0)
        return;
    const quint32 unixMode = attributes >> 16;
    switch (opsys) {
    case ZIP_OPSYS_UNIX:
    case ZIP_OPSYS_OS_X:
        if (S_ISLNK(unixMode))
            entry.isLink = true;
        else if (S_ISDIR(unixMode))
            entry.isFolder = true;
        break;
    case ZIP_OPSYS_DOS:
    case ZIP_OPSYS_WINDOWS_NTFS:
    case ZIP_OPSYS_VFAT:
        if (attributes & kDosFolderAttribute)
            entry.isFolder = true;
        break;
    default: break;
    }
}

} // namespace

QString Zip_Error_Text(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

quint32 Zip_Crc32(const char *data, qsizetype size, quint32 crc)
{
    const CrcTables &t = crcTables();
    const auto *p = reinterpret_cast<const quint8 *>(data);
    crc = ~crc;
    for (; size >= 8; size -= 8, p += 8) {
        const quint32 low = crc ^ (quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24);
        crc = t[7][low & 0xFFu] ^ t[6][(low >> 8) & 0xFFu] ^ t[5][(low >> 16) & 0xFFu] ^ t[4][low >> 24] ^ t[3][p[4]]
              ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; size > 0; --size, ++p)
        crc = t[0][(crc ^ *p) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

ZipReader::ZipReader(const QString &path)
    : m_path(path)
{
    QFile probe(path);
    if (!probe.exists())
        throw SolvaneError(ErrorNumber::FileNotFound, path + QStringLiteral(" does not exist"));
    int code = 0;
    m_archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!m_archive)
        throw SolvaneError(ErrorNumber::BadFileFormat,
                           path + QStringLiteral(" is not a readable ZIP archive (") + Zip_Error_Text(code) + u')');

    const zip_int64_t count = zip_get_num_entries(m_archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(m_archive, static_cast<zip_uint64_t>(i), 0, &st) != 0)
            continue; // deleted slots have no entry
        ZipEntry entry;
        entry.index = static_cast<quint64>(i);
        entry.name = (st.valid & ZIP_STAT_NAME) && st.name ? QString::fromUtf8(st.name) : QString();
        entry.size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
        entry.crc = (st.valid & ZIP_STAT_CRC) ? st.crc : 0;
        entry.isEncrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
        entry.method = (st.valid & ZIP_STAT_COMP_METHOD) ? st.comp_method : 0;
        classify(m_archive, entry);
        m_entries << entry;
    }
}

ZipReader::~ZipReader()
{
    if (m_archive)
        zip_discard(m_archive);
}

QString ZipReader::comment() const
{
    int length = 0;
    const char *text = zip_get_archive_comment(m_archive, &length, ZIP_FL_ENC_GUESS);
    return text ? QString::fromUtf8(text, length) : QString();
}

const ZipEntry *ZipReader::find(const QString &name) const
{
    for (const ZipEntry &entry : m_entries)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

quint64 ZipReader::readMember(const ZipEntry &entry, const QString &failure,
                              const std::function<void(const char *, qint64)> &consume,
                              const std::function<void(quint64)> &progress, bool stored) const
{
    auto fail = [&](const QString &why) {
        return SolvaneError(ErrorNumber::BadFileFormat, failure + QStringLiteral(": ") + why);
    };
    if (entry.isEncrypted)
        throw fail(QStringLiteral("the entry is encrypted"));
    zip_file_t *file = zip_fopen_index(m_archive, entry.index, stored ? ZIP_FL_COMPRESSED : 0);
    if (!file)
        throw fail(QString::fromUtf8(zip_strerror(m_archive)));
    auto chunk = std::make_unique_for_overwrite<char[]>(kChunk);
    quint64 total = 0;
    try {
        for (;;) {
            const zip_int64_t got = zip_fread(file, chunk.get(), kChunk);
            if (got < 0)
                throw fail(QString::fromUtf8(zip_file_strerror(file)));
            if (got == 0)
                break;
            consume(chunk.get(), got);
            total += static_cast<quint64>(got);
            if (progress)
                progress(total);
        }
    } catch (...) {
        zip_fclose(file);
        throw;
    }
    zip_fclose(file);
    return total;
}

quint32 ZipReader::extract(const ZipEntry &entry, QIODevice &out, const std::function<void(quint64)> &progress) const
{
    const QString failure = QStringLiteral("Cannot extract ") + entry.name + QStringLiteral(" from ") + m_path;
    quint32 crc = 0;
    const quint64 total = readMember(
        entry, failure,
        [&](const char *data, qint64 size) {
            if (out.write(data, size) != size)
                throw SolvaneError(ErrorNumber::FileWrite, QStringLiteral("Cannot write ") + entry.name
                                                               + QStringLiteral(": ") + out.errorString());
            crc = Zip_Crc32(data, size, crc);
        },
        progress);
    // libzip checks the CRC itself at the end of the data; checking again
    // here also covers a size that the directory misstates.
    if (total != entry.size || crc != entry.crc)
        throw SolvaneError(ErrorNumber::BadFileFormat,
                           failure + QStringLiteral(": its data does not match its checksum"));
    return crc;
}

quint64 ZipReader::readThrough(const ZipEntry &entry, const std::function<void(quint64)> &progress) const
{
    const QString failure = QStringLiteral("Cannot read ") + entry.name + QStringLiteral(" in ") + m_path;
    const quint64 total = readMember(
        entry, failure, [](const char *, qint64) {}, progress);
    if (total != entry.size)
        throw SolvaneError(ErrorNumber::BadFileFormat, failure + QStringLiteral(": its data does not match its size"));
    return total;
}

ZipReader::StoredData ZipReader::storedData(const ZipEntry &entry) const
{
    const QString failure = QStringLiteral("Cannot read ") + entry.name + QStringLiteral(" in ") + m_path;
    StoredData data;
    data.size = readMember(
        entry, failure, [&](const char *bytes, qint64 size) { data.crc = Zip_Crc32(bytes, size, data.crc); }, {}, true);
    return data;
}

QByteArray ZipReader::read(const ZipEntry &entry) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    extract(entry, buffer);
    return bytes;
}
