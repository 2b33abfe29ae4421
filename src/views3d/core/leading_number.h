#pragma once
// Numbers in scan text files.
//
// leadingNumber() reads the way the program reads every number a user or a
// file gives it: skip blanks, an optional sign, digits with at most one ".",
// stop at the first other character, 0 when there is none. Scan exporters
// also write exponents ("1.5e-05"); reading those as 1.5 would move a vertex
// by orders of magnitude, so an exponent that follows the digits is taken too.
// Never locale-dependent, never "inf" or "nan" from the text itself.

#include <cstddef>
#include <string_view>

namespace mesh {

struct ParsedNumber
{
    double value = 0;
    std::size_t length = 0; // characters taken, blanks included; 0 when none
    bool finite = true; // false when the digits overflow a double
};

ParsedNumber leadingNumber(std::string_view text);

} // namespace mesh
