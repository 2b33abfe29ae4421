// The drawing file ".Vec". A file that reads must survive being written and
// read again: what the writer writes for it, the reader reads back to the
// very same bytes. Its extents are measured as a view would on opening it,
// so a block that inserts itself, or inserts that multiply out of bounds,
// are found here too.
#include "fuzz_home.h"
#include "vecfile.h"

#include <QtGlobal>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzzhome::put(QStringLiteral("Fuzz.Vec"), data, size);
    cad::Drawing drawing;
    try {
        cad::loadVecFile(drawing, path);
        drawing.extents();
    } catch (const SolvaneError &) {
        return 0;
    }
    const QByteArray once = cad::vecBytes(drawing);
    try {
        const cad::Drawing again = cad::parseVec(once, QStringLiteral("Again.Vec"), fuzzhome::root());
        if (cad::vecBytes(again) != once)
            fuzzhome::fail("a drawing written and read again writes other bytes");
    } catch (const SolvaneError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        fuzzhome::fail("the reader refuses what the writer wrote");
    }
    return 0;
}
