#include "app/first_line.hpp"

#include "reader/white_space.hpp"

#include <limits>
#include <string_view>

namespace {

constexpr std::string_view kFirstLinePattern = " Contents: CIRCAD Version %u.%u Data File. ";

void SkipWhiteSpace(TextInput& input)
{
    while (IsWhiteSpace(input.Peek()))
        input.Skip();
}

// %u := white space* [sign] digit+, as strtoul reads it (a minus negates modulo
// 2^64, too many digits give the largest value) and then cut to 32 bits.
bool ScanUnsigned(TextInput& input, std::uint32_t& number)
{
    SkipWhiteSpace(input);
    bool negative = false;
    if (int c = input.Peek(); c == '+' || c == '-') {
        negative = c == '-';
        input.Skip();
    }
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    bool overflow = false;
    bool anyDigit = false;
    for (int c = input.Peek(); c >= '0' && c <= '9'; c = input.Peek()) {
        input.Skip();
        anyDigit = true;
        auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (kMax - digit) / 10)
            overflow = true;
        else
            value = value * 10 + digit;
    }
    if (!anyDigit)
        return false;
    if (overflow)
        value = kMax;
    else if (negative)
        value = 0 - value;
    number = static_cast<std::uint32_t>(value);
    return true;
}

} // namespace

FileVersion CheckFirstLine(TextInput& input)
{
    FileVersion version;
    std::uint32_t* numbers[] = {&version.major, &version.minor};
    for (std::size_t i = 0; i < kFirstLinePattern.size(); ++i) {
        char expected = kFirstLinePattern[i];
        if (expected == ' ') {
            SkipWhiteSpace(input);
        } else if (expected == '%') {
            ++i; // the 'u'
            if (!ScanUnsigned(input, *numbers[version.numbersRead]))
                break;
            ++version.numbersRead;
        } else {
            if (input.Peek() != static_cast<unsigned char>(expected))
                break;
            input.Skip();
        }
    }
    return version;
}
