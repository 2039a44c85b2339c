// The number syntax of numeric values, scanned without the C locale and without allocation.
#include "reader/number_syntax.hpp"

#include "reader/white_space.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <system_error>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigitOf(char c, bool hex)
{
    return hex ? IsHexDigit(c) : IsDigit(c);
}

// ASCII only: a locale's tolower could map bytes of 0x80 and above.
char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// word is lower case; the text matches it in any case.
bool StartsWithWord(const char* at, const char* word)
{
    for (std::size_t i = 0; word[i] != '\0'; ++i) {
        if (AsciiLower(at[i]) != word[i])
            return false;
    }
    return true;
}

// Where a number stands, without its sign.
struct Extent {
    std::size_t length = 0;      // 0: the syntax is not met
    std::int64_t magnitude = 0;  // > 0 when the value is at least 1/8, <= 0 when it is below 1
};

// The exponent only has to tell overflow from underflow; a cap keeps it from overflowing itself.
constexpr std::int64_t kExponentCap = 1'000'000'000;

// exponent := [sign] digit+, behind its letter. Returns the bytes, 0 without a digit.
std::size_t ScanExponent(const char* at, std::int64_t& exponent)
{
    std::size_t pos = (at[0] == '+' || at[0] == '-') ? 1 : 0;
    if (!IsDigit(at[pos]))
        return 0;
    std::int64_t magnitude = 0;
    for (; IsDigit(at[pos]); ++pos) {
        if (magnitude < kExponentCap)
            magnitude = magnitude * 10 + (at[pos] - '0');
    }
    exponent = (at[0] == '-') ? -magnitude : magnitude;
    return pos;
}

// mantissa := digit* ['.' digit*] with at least one digit, then [exponent-letter exponent].
// The magnitude counts in powers of ten for decimal, in powers of two for hexadecimal.
Extent ScanMantissa(const char* at, bool hex, char exponentLetter)
{
    std::size_t pos = 0;
    // Place of the first non-zero digit: the digits from it to the point, or minus the
    // zeros between the point and it.
    std::int64_t leadingPosition = 0;
    bool nonZeroSeen = false;
    bool anyDigit = false;
    for (; IsDigitOf(at[pos], hex); ++pos, anyDigit = true) {
        nonZeroSeen = nonZeroSeen || at[pos] != '0';
        leadingPosition += nonZeroSeen ? 1 : 0;
    }
    if (at[pos] == '.') {
        for (++pos; IsDigitOf(at[pos], hex); ++pos, anyDigit = true) {
            nonZeroSeen = nonZeroSeen || at[pos] != '0';
            leadingPosition -= nonZeroSeen ? 0 : 1;
        }
    }
    if (!anyDigit)
        return {};
    std::int64_t exponent = 0;
    if (AsciiLower(at[pos]) == exponentLetter) {
        // An exponent letter without digits makes the number invalid, not shorter.
        std::size_t exponentLength = ScanExponent(at + pos + 1, exponent);
        if (exponentLength == 0)
            return {};
        pos += 1 + exponentLength;
    }
    return {pos, leadingPosition * (hex ? 4 : 1) + exponent};
}

// The nearest double of the digits; beyond the range of a double, infinity or zero.
bool ConvertMantissa(const char* first, const Extent& extent, std::chars_format format, double& value)
{
    const char* last = first + extent.length;
    auto [end, error] = std::from_chars(first, last, value, format);
    if (error == std::errc::result_out_of_range) {
        value = extent.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return true;
    }
    return error == std::errc() && end == last;
}

// Every power of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Nearly every number of a board is a short plain decimal such as 400 or
// 10.1600. When its digits make a whole number of at most 2^53 and it has at
// most 22 decimals, both that number and the power of ten are exact doubles,
// so one division rounds to the same nearest double that the full conversion
// finds. Gives 0 for everything else (exponents, hexadecimal, long digit
// runs, no digit at all), which is left to the full scan.
std::size_t ScanShortDecimal(const char* at, double& value)
{
    if (at[0] == '0' && AsciiLower(at[1]) == 'x')
        return 0;
    std::uint64_t digits = 0; // may wrap on long runs, which are refused below
    std::size_t pos = 0;
    for (; IsDigit(at[pos]); ++pos)
        digits = digits * 10 + static_cast<unsigned>(at[pos] - '0');
    std::size_t digitCount = pos;
    std::size_t decimals = 0;
    if (at[pos] == '.') {
        for (++pos; IsDigit(at[pos]); ++pos, ++decimals)
            digits = digits * 10 + static_cast<unsigned>(at[pos] - '0');
    }
    digitCount += decimals;
    if (digitCount == 0 || digitCount > 19 || digits > (std::uint64_t{1} << 53) ||
        decimals >= std::size(kExactPowersOfTen) || AsciiLower(at[pos]) == 'e')
        return 0;
    value = static_cast<double>(digits) / kExactPowersOfTen[decimals];
    return pos;
}

// decimal := mantissa with 'e', hexadecimal := ("0x" | "0X") mantissa with 'p'
std::size_t ScanDigitNumber(const char* at, double& value)
{
    bool hex = at[0] == '0' && AsciiLower(at[1]) == 'x';
    std::size_t prefix = hex ? 2 : 0;
    Extent extent = ScanMantissa(at + prefix, hex, hex ? 'p' : 'e');
    // "0x" without a hexadecimal digit is no number; it is not read as the 0 before it.
    if (extent.length == 0)
        return 0;
    std::chars_format format = hex ? std::chars_format::hex : std::chars_format::general;
    if (!ConvertMantissa(at + prefix, extent, format, value))
        return 0;
    return prefix + extent.length;
}

// not-a-number := "nan" ['(' (letter | digit | '_')* ')'], in any case. Without its
// closing parenthesis the run is not part of the number: the number is "nan" alone.
std::size_t ScanNotANumber(const char* at)
{
    std::size_t pos = 3;
    if (at[pos] != '(')
        return pos;
    ++pos;
    while (IsDigit(at[pos]) || IsLetter(at[pos]) || at[pos] == '_')
        ++pos;
    return at[pos] == ')' ? pos + 1 : 3;
}

// infinity := "infinity" | "inf", not-a-number as above; any case.
std::size_t ScanWordNumber(const char* at, double& value)
{
    if (StartsWithWord(at, "inf")) {
        value = std::numeric_limits<double>::infinity();
        return StartsWithWord(at, "infinity") ? 8 : 3;
    }
    if (StartsWithWord(at, "nan")) {
        value = std::numeric_limits<double>::quiet_NaN();
        return ScanNotANumber(at);
    }
    return 0;
}

} // namespace

std::size_t ScanNumber(const char* at, double& value)
{
    std::size_t pos = 0;
    while (IsWhiteSpace(at[pos]))
        ++pos;
    bool negative = at[pos] == '-';
    if (at[pos] == '+' || at[pos] == '-')
        ++pos;
    double magnitude = 0.0;
    std::size_t length = ScanShortDecimal(at + pos, magnitude);
    if (length == 0)
        length = ScanDigitNumber(at + pos, magnitude);
    if (length == 0)
        length = ScanWordNumber(at + pos, magnitude);
    if (length == 0)
        return 0;
    value = negative ? -magnitude : magnitude;
    return pos + length;
}
