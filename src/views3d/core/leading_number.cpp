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

} // namespace detail

ParsedNumber leadingNumber(std::string_view text)
{
    return leadingNumberAt(text.data(), text.data() + text.size());
}

} // namespace mesh
