#pragma once
// Numbers in scan text files.
//
// leadingNumber() reads the way the program reads every number a user or a
// file gives it: skip blanks, an optional sign, digits with at most one ".",
// stop at the first other character, 0 when there is none. Scan exporters
// also write exponents ("1.5e-05"); reading those as 1.5 would move a vertex
// by orders of magnitude, so an exponent that follows the digits is taken too.
// Never locale-dependent, never "inf" or "nan" from the text itself.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

namespace mesh {

struct ParsedNumber
{
    double value = 0;
    std::size_t length = 0; // characters taken, blanks included; 0 when none
    bool finite = true; // false when the digits overflow a double
};

ParsedNumber leadingNumber(std::string_view text);

namespace detail {

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline constexpr std::uint64_t kDigitPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// Eight digits, each already a value 0 to 9 in its byte, the first
// character's in the lowest byte: pairs first, then the four pairs at once.
inline std::uint64_t eightDigits(std::uint64_t v)
{
    v = v * 10 + (v >> 8); // bytes 0, 2, 4, 6: the pairs' values
    const std::uint64_t pairs0and2 = v & 0x000000FF000000FF;
    const std::uint64_t pairs1and3 = (v >> 16) & 0x000000FF000000FF;
    return (pairs0and2 * (100 + (1000000ULL << 32)) + pairs1and3 * (1 + (10000ULL << 32))) >> 32;
}

// Takes the run of digits at p into the mantissa (times ten for each);
// returns how many it took. Eight characters at a time where eight can be
// read; the mantissa wraps past 19 significant digits, which the caller
// sends the general way.
inline int takeDigits(const char *&p, const char *end, std::uint64_t &mantissa)
{
    int count = 0;
    if constexpr (std::endian::native == std::endian::little) {
        while (end - p >= 8) {
            std::uint64_t bytes;
            std::memcpy(&bytes, p, 8);
            const std::uint64_t values = bytes ^ 0x3030303030303030; // a digit's byte becomes its value
            // The top bit of every byte that holds no digit (a value above 9).
            const std::uint64_t others =
                (((values & 0x7F7F7F7F7F7F7F7F) + 0x7676767676767676) | values) & 0x8080808080808080;
            const int run = others == 0 ? 8 : __builtin_ctzll(others) / 8;
            if (run > 0) // the run's bytes shifted up to the top; zeros before them add nothing
                mantissa = mantissa * kDigitPowers[run] + eightDigits(values << (8 * (8 - run)));
            p += run;
            count += run;
            if (run < 8)
                return count;
        }
    }
    for (; p != end && isDigit(*p); ++p, ++count)
        mantissa = mantissa * 10 + std::uint64_t(*p - '0');
    return count;
}

// The general read: any length of digits and any exponent, through
// from_chars. Slower than the one pass, which hands over to it whenever it
// cannot be sure of the bits.
ParsedNumber generalLeadingNumber(std::string_view text);

inline constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                          1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Every power of ten up to 10^27 is exact in the x87 extended format (5^27 < 2^64).
inline constexpr long double kExactLongPowers[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                                   1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
                                                   1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
inline constexpr bool kExtendedLongDouble =
    std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::radix == 2;

// mantissa x 10^exponent rounded to the nearest double, ties to even, when
// that can be had for certain from one rounded operation; false otherwise.
inline bool exactProduct(std::uint64_t mantissa, int exponent, double &out)
{
    // Both factors exact in a double, so one division or product rounds once.
    if (mantissa <= (std::uint64_t(1) << 53) && exponent >= -22 && exponent <= 22) {
        const auto m = static_cast<double>(mantissa);
        out = exponent >= 0 ? m * kExactPowers[exponent] : m / kExactPowers[-exponent];
        return true;
    }
    if constexpr (kExtendedLongDouble) {
        // Scanners write 17 significant digits, beyond a double's exact
        // integers. With 64 bits both factors are exact and the result is
        // rounded once to 64 bits; rounding that to 53 bits gives the
        // correctly rounded double unless it landed exactly halfway between
        // two doubles, which the low 11 bits tell. The range keeps every
        // result a normal double.
        if (exponent < -27 || exponent > 27)
            return false;
        const auto m = static_cast<long double>(mantissa);
        const long double q = exponent >= 0 ? m * kExactLongPowers[exponent] : m / kExactLongPowers[-exponent];
        std::uint64_t bits;
        std::memcpy(&bits, &q, sizeof bits); // the explicit 64-bit significand comes first
        if ((bits & 0x7FF) == 0x400)
            return false;
        out = static_cast<double>(q);
        return true;
    }
    return false;
}

} // namespace detail

// leadingNumber() of [begin, end), inline for the readers' inner loops.
// One pass over the characters for the numbers scans are made of; anything
// unusual (more than 19 significant digits, a far exponent, a result that
// needs more care to round) is read again by the general read, so the value
// is the same either way, to the bit.
[[gnu::always_inline]] inline ParsedNumber leadingNumberAt(const char *const begin, const char *const end)
{
    using namespace detail;
    const char *p = begin;
    while (p != end && *p == ' ')
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    // Zeros before the first other digit count for nothing: only the 19
    // digits from the first other one fit the 64-bit mantissa for certain.
    int leadingZeros = 0;
    for (const char *q = p; q != end && (*q == '0' || (*q == '.' && leadingZeros == q - p)); ++q)
        leadingZeros += *q == '0';
    std::uint64_t mantissa = 0;
    int digits = takeDigits(p, end, mantissa), fraction = 0;
    if (p != end && *p == '.') {
        ++p;
        fraction = takeDigits(p, end, mantissa);
        digits += fraction;
    }
    const int significant = digits - leadingZeros;
    if (digits == 0)
        return {};
    int exponent = 0;
    bool farExponent = false;
    if (p != end && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        bool negativeExponent = false;
        if (q != end && (*q == '+' || *q == '-'))
            negativeExponent = *q++ == '-';
        if (q != end && isDigit(*q)) {
            for (; q != end && isDigit(*q); ++q) {
                if (exponent < 10000)
                    exponent = exponent * 10 + (*q - '0');
                else
                    farExponent = true;
            }
            if (negativeExponent)
                exponent = -exponent;
            p = q;
        }
    }
    const auto length = static_cast<std::size_t>(p - begin);
    if (significant <= 19 && !farExponent) {
        double magnitude = 0;
        if (mantissa == 0 || exactProduct(mantissa, exponent - fraction, magnitude))
            return {negative ? -magnitude : magnitude, length, true};
    }
    return generalLeadingNumber(std::string_view(begin, length));
}

} // namespace mesh
