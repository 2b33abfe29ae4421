#pragma once
// Goal ratios in a form a script can pick out of a benchmark's output:
// one line "RATIO <name> <value>x" each, the value with two decimals.

#include <cstdio>
#include <string>

namespace bench {

inline void printRatio(const std::string &name, double value)
{
    std::printf("RATIO %s %.2fx\n", name.c_str(), value);
}

} // namespace bench
