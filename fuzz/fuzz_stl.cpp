// STL scans, binary and ASCII, then the head-comment repair on the same bytes.
#include "fuzz_check.h"
#include "scan_repair.h"
#include "stl_reader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    try {
        fuzzcheck::requireValid(mesh::parseStl(bytes, "fuzz.stl"));
    } catch (const mesh::MeshError &) {}
    if (const auto repaired = mesh::stlWithoutHeadComment(bytes)) {
        try {
            fuzzcheck::requireValid(mesh::parseStl(*repaired, "fuzz.stl"));
        } catch (const mesh::MeshError &) {}
    }
    return 0;
}
