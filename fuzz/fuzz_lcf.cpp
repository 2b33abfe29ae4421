// The model file. A file that reads must also write back to the same bytes'
// model: whatever the reader accepts, the writer must be able to keep.
//
// Nearly every mutation breaks the checksum, and the reader refuses such a
// file before it decodes anything; so each input is read twice, as it is and
// with its checksum computed again, and the mutations reach the decoder.
#include "fuzz_check.h"
#include "lcf_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void readAndWriteBack(std::string_view bytes)
{
    mesh::Model model;
    try {
        model = mesh::decodeLcf(bytes, "fuzz.lcf");
    } catch (const mesh::MeshError &) {
        return;
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
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    readAndWriteBack(bytes);
    if (size >= 4) {
        std::string sealed(bytes);
        const std::uint32_t checksum = mesh::lcfChecksum(bytes.substr(0, size - 4));
        for (int i = 0; i < 4; ++i)
            sealed[size - 4 + i] = static_cast<char>((checksum >> (8 * i)) & 0xFF);
        readAndWriteBack(sealed);
    }
    return 0;
}
