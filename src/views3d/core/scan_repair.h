#pragma once
// Repairs some scanners' files need before they can be read. Both change the
// scan file itself (there is no other copy of its first form), so both write
// the repaired bytes to a temporary file and rename it over the scan: a
// failure part-way leaves the scan as it was.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mesh {

// Both repairs work on lines, so both touch only a text file: one without a
// NUL byte. A photo or a UTF-16 file given a scan's name keeps its bytes, and
// its read then says why it cannot be read.
bool isTextFile(std::string_view bytes);

// STL head comment. A file whose size marks it as binary STL, or that is not
// text, is never touched. Otherwise a first line beginning "solid" (any case), "iQube" or
// "Binary" (exactly) leaves the file as it is; else, when line 2 begins with
// "#", line 2 is dropped and every line is written again with a CR LF end.
// nullopt: leave the file unchanged.
std::optional<std::string> stlWithoutHeadComment(std::string_view bytes);

enum class StlRepairOutcome { Unchanged, CommentRemoved, Failed };
// Never throws: a file that cannot be read or rewritten is imported as it is,
// and the reader then says what is wrong with it.
StlRepairOutcome checkStlFile(const std::filesystem::path &path) noexcept;

// Line ends: every LF not preceded by CR becomes CR LF, anywhere in the file;
// other bytes (lone CRs included) stay. nullopt: no bare LF, or not a text
// file; nothing to do.
std::optional<std::string> withCrLfLineEnds(std::string_view bytes);

// Rewrites the file when it has bare LFs; true when it did. A file already in
// CR LF form keeps its bytes and is not written. Throws MeshError on failure.
bool fixLineEnds(const std::filesystem::path &path);

} // namespace mesh
