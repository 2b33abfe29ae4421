// A scan's texture lines pointed at the client's photo. The file rewritten
// in place holds what the rewrite of its bytes gives, and a scan prepared
// once is left as it is by a second preparation.
#include "fuzz_home.h"
#include "texprepare.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QByteArray texture = "Smith_John_L[VRML].jpg";
    const QString path = fuzzhome::put(QStringLiteral("Data/Smith_John_L.wrl"), data, size);
    const QByteArray prepared = Tex_Prepared(QByteArrayView(data, qsizetype(size)), texture);
    try {
        TexPrepare(path, QString::fromLatin1(texture));
    } catch (const SolvaneError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        fuzzhome::fail("a scan that could be read and written was not prepared");
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != prepared)
        fuzzhome::fail("the file prepared in place differs from the prepared bytes");
    if (Tex_Prepared(prepared, texture) != prepared)
        fuzzhome::fail("a prepared scan changes when it is prepared again");
    return 0;
}
