#include "writer/number_field.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

double RoundHalfAwayFromZero(double value)
{
    return std::round(value);
}

std::size_t FormatWholeNumber(char* out, double value, int width, bool alwaysSigned)
{
    double rounded = RoundHalfAwayFromZero(value);
    if (!std::isfinite(rounded) || std::fabs(rounded) >= 1e18) {
        // printf writes these exactly: the value is whole, and inf or nan is
        // blank-filled the way the format's own conversion does it.
        const char* format = alwaysSigned ? "%+0*.0f" : "%0*.0f";
        int length = std::snprintf(out, kMaxNumberField, format, width, rounded);
        return static_cast<std::size_t>(length);
    }
    char digits[20];
    std::size_t digitCount = 0;
    auto magnitude = static_cast<std::uint64_t>(std::fabs(rounded));
    do {
        digits[digitCount++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);

    std::size_t length = 0;
    if (std::signbit(rounded))
        out[length++] = '-';
    else if (alwaysSigned)
        out[length++] = '+';
    while (length + digitCount < static_cast<std::size_t>(width))
        out[length++] = '0';
    while (digitCount > 0)
        out[length++] = digits[--digitCount];
    return length;
}
