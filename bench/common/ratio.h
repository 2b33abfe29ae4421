#pragma once
// Goal ratios as lines a script can read: "RATIO <name> <value>x".

#include <cstdio>

namespace bench {

inline void printRatio(const char *name, double value)
{
    std::printf("RATIO %s %.2fx\n", name, value);
}

} // namespace bench
