#include "writer/number_field.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

double RoundHalfAwayFromZero(double value)
{
    return std::round(value);
}

namespace {

// "00" to "99": two digits per division.
constexpr char kDigitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                               "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                               "8081828384858687888990919293949596979899";

} // namespace

std::size_t FormatWholeNumber(char* out, double value, int width, bool alwaysSigned)
{
    double magnitude = std::fabs(value);
    // Below 1e18 the rounded value is the same side of 1e18: from 2^53 on every
    // double is whole already.
    if (!(magnitude < 1e18)) {
        // printf writes these exactly: the value is whole, and inf or nan is
        // blank-filled the way the format's own conversion does it.
        double rounded = RoundHalfAwayFromZero(value);
        const char* format = alwaysSigned ? "%+0*.0f" : "%0*.0f";
        int length = std::snprintf(out, kMaxNumberField, format, width, rounded);
        return static_cast<std::size_t>(length);
    }
    // The same as std::round without the call: the whole part is exact, and so
    // is the fraction left after it.
    auto whole = static_cast<std::uint64_t>(magnitude);
    if (magnitude - static_cast<double>(whole) >= 0.5)
        ++whole;

    char digits[20];
    char* first = digits + sizeof digits;
    while (whole >= 100) {
        std::size_t pair = 2 * (whole % 100);
        whole /= 100;
        *--first = kDigitPairs[pair + 1];
        *--first = kDigitPairs[pair];
    }
    if (whole >= 10) {
        *--first = kDigitPairs[2 * whole + 1];
        *--first = kDigitPairs[2 * whole];
    } else {
        *--first = static_cast<char>('0' + whole);
    }
    auto digitCount = static_cast<std::size_t>(digits + sizeof digits - first);

    // A negative value keeps its sign even when it rounds to zero, as printf does.
    std::size_t length = 0;
    if (std::signbit(value))
        out[length++] = '-';
    else if (alwaysSigned)
        out[length++] = '+';
    while (length + digitCount < static_cast<std::size_t>(width))
        out[length++] = '0';
    std::memcpy(out + length, first, digitCount);
    return length + digitCount;
}
