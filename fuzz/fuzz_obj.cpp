// OBJ scans, after the line-end repair the file read applies.
#include "fuzz_check.h"
#include "obj_reader.h"
#include "scan_repair.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto repaired = mesh::withCrLfLineEnds(bytes);
    try {
        const mesh::ObjReadResult result = mesh::parseObj(repaired ? std::string_view(*repaired) : bytes, "fuzz.obj");
        fuzzcheck::requireValid(result.model);
    } catch (const mesh::MeshError &) {}
    return 0;
}
