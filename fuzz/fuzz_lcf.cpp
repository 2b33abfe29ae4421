// The model file. A file that reads must also write back to the same bytes'
// model: whatever the reader accepts, the writer must be able to keep.
#include "fuzz_check.h"
#include "lcf_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    mesh::Model model;
    try {
        model = mesh::decodeLcf(bytes, "fuzz.lcf");
    } catch (const mesh::MeshError &) {
        return 0;
    }
    fuzzcheck::requireValid(model);
    try {
        if (!(mesh::decodeLcf(mesh::encodeLcf(model), "again.lcf") == model)) {
            std::fprintf(stderr, "a model read from a file does not survive writing and reading\n");
            std::abort();
        }
    } catch (const mesh::MeshError &e) {
        std::fprintf(stderr, "a model read from a file cannot be written again: %s\n", e.what());
        std::abort();
    }
    return 0;
}
