#pragma once
// Number texts of the foot views' boxes and status lines, without a toolkit:
// the same rules as the shell's number helpers, so a value reads the same in
// a view as in a record.

#include <string>

namespace mesh {

// Rounds half away from zero to `decimals` places on the value's shortest
// decimal text of at most 15 significant digits (2.25 gives "2.3" for one
// place, 1.45 gives "1.5") and never prints "-0.0". "0.0" is fixedText(v, 1).
std::string fixedText(double value, int decimals);

// Counts and pixels: the nearest whole number, halves to the even neighbour.
long long roundHalfEven(double value);

} // namespace mesh
