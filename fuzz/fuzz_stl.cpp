// STL scans, binary and ASCII, then the head-comment repair on the same bytes.
// The file reader, which reads ASCII text a window at a time, must give what
// the whole text gives, model or message, also with the smallest windows.
#include "fuzz_check.h"
#include "parallel.h"
#include "scan_repair.h"
#include "stl_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

struct Outcome
{
    mesh::Model model;
    std::string refusal;
    bool operator==(const Outcome &) const = default;
};

template <class Read>
Outcome outcomeOf(const Read &read)
{
    Outcome out;
    try {
        out.model = read();
        fuzzcheck::requireValid(out.model);
    } catch (const mesh::MeshError &e) {
        out.refusal = e.what();
    }
    return out;
}

const std::filesystem::path &scratchFile()
{
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("solvane-fuzz-stl-" + std::to_string(::getpid()) + ".stl");
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::string name = scratchFile().string();
    const Outcome whole = outcomeOf([&] { return mesh::parseStl(bytes, name); });
    {
        std::ofstream(scratchFile(), std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(size));
        const mesh::ScopedParallelism smallestWindows({8, std::size_t(1) << 40});
        if (!(outcomeOf([&] { return mesh::readStlFile(scratchFile()); }) == whole)) {
            std::fprintf(stderr, "the file reader and the whole text disagree\n");
            std::abort();
        }
    }
    if (const auto repaired = mesh::stlWithoutHeadComment(bytes)) {
        try {
            fuzzcheck::requireValid(mesh::parseStl(*repaired, "fuzz.stl"));
        } catch (const mesh::MeshError &) {}
    }
    return 0;
}
