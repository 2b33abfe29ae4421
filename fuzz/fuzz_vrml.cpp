// VRML97 scans. No texture folder: the fuzzer never touches the disk.
#include "fuzz_check.h"
#include "vrml_reader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    try {
        fuzzcheck::requireValid(mesh::parseVrml(bytes, "fuzz.wrl"));
    } catch (const mesh::MeshError &) {}
    return 0;
}
