#include "fixed_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace mesh {

std::string fixedText(double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0;
    if (decimals < 0)
        decimals = 0;
    // Significant digits (trailing zeros dropped) and the decimal exponent of
    // the first one: 2.25 -> "225", 0; 0.05 -> "5", -2.
    std::string digits;
    int exponent = 0;
    const bool negative = value < 0;
    if (value != 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
        const std::string text(buf);
        const std::size_t e = text.find('e');
        digits = text.substr(0, 1) + text.substr(2, e - 2);
        exponent = std::atoi(text.c_str() + e + 1);
        while (digits.size() > 1 && digits.back() == '0')
            digits.pop_back();
    }
    // The value times 10^decimals as a digit string, then one digit more to
    // decide the rounding.
    const int keep = exponent + 1 + decimals;
    std::string kept;
    bool roundUp = false;
    if (!digits.empty() && keep >= 0) {
        for (int k = 0; k < keep; ++k)
            kept += k < static_cast<int>(digits.size()) ? digits[k] : '0';
        roundUp = keep < static_cast<int>(digits.size()) && digits[keep] >= '5';
    }
    if (roundUp) {
        int k = static_cast<int>(kept.size()) - 1;
        while (k >= 0 && kept[k] == '9')
            kept[k--] = '0';
        if (k >= 0)
            ++kept[k];
        else
            kept.insert(kept.begin(), '1');
    }
    while (static_cast<int>(kept.size()) < decimals + 1)
        kept.insert(kept.begin(), '0');
    std::string out = kept.substr(0, kept.size() - decimals);
    while (out.size() > 1 && out.front() == '0')
        out.erase(out.begin());
    if (decimals > 0)
        out += '.' + kept.substr(kept.size() - decimals);
    if (negative && out.find_first_of("123456789") != std::string::npos)
        out.insert(out.begin(), '-');
    return out;
}

long long roundHalfEven(double value)
{
    const double r = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5 && std::fmod(r, 2) != 0)
        return static_cast<long long>(r - std::copysign(1.0, value));
    return static_cast<long long>(r);
}

} // namespace mesh
