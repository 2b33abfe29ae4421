#include "leading_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace mesh {

namespace {
using detail::isDigit;

// Roughly where the number's first significant digit stands (positive: above
// the units), enough to tell an overflow from an underflow.
long decimalExponent(std::string_view number)
{
    long position = 0;
    bool seenPoint = false, significant = false;
    std::size_t i = 0;
    for (; i < number.size() && (isDigit(number[i]) || number[i] == '.'); ++i) {
        const char c = number[i];
        if (c == '.') {
            seenPoint = true;
        } else if (!significant && c != '0') {
            significant = true;
            if (!seenPoint)
                position = 1;
        } else if (!significant && seenPoint) {
            --position;
        } else if (significant && !seenPoint) {
            ++position;
        }
    }
    long exponent = 0;
    bool negative = false;
    if (i < number.size()) {
        ++i;
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            negative = number[i++] == '-';
        for (; i < number.size() && exponent < 100000; ++i)
            exponent = exponent * 10 + (number[i] - '0');
    }
    return position + (negative ? -exponent : exponent);
}

} // namespace

namespace detail {

ParsedNumber generalLeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return {};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    // The sign was taken above: from_chars does not accept a leading "+".
    double magnitude = 0;
    const char *first = text.data() + start;
    const char *last = text.data() + i;
    const auto [end, ec] = std::from_chars(first, last, magnitude, std::chars_format::general);
    ParsedNumber result;
    result.length = i;
    if (ec == std::errc::result_out_of_range) {
        // Too small reads as zero; too large has no finite value.
        if (decimalExponent(std::string_view(first, static_cast<std::size_t>(last - first))) > 0) {
            result.finite = false;
            magnitude = HUGE_VAL;
        } else {
            magnitude = 0;
        }
    } else if (ec != std::errc() || end != last) {
        return {};
    }
    result.value = negative ? -magnitude : magnitude;
    return result;
}

namespace {
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Every power of ten up to 10^27 is exact in the x87 extended format (5^27 < 2^64).
constexpr long double kExactLongPowers[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                            1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
                                            1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
constexpr bool kExtendedLongDouble =
    std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::radix == 2;

} // namespace

bool exactProduct(std::uint64_t mantissa, int exponent, double &out)
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

ParsedNumber leadingNumber(std::string_view text)
{
    return leadingNumberAt(text.data(), text.data() + text.size());
}

} // namespace mesh
