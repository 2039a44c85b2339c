// Numeric lists with unit marks, and their conversion to millimetres and degrees.
#include "reader/number_syntax.hpp"
#include "reader/param_value.hpp"
#include "reader/parse_error.hpp"

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kDegreesPerTurn = 360.0;

// mark := 0xB0 | '"' | "mm", directly behind a number. ch is the byte behind the
// number and pos stands behind ch. Stores the mark and returns the byte behind it,
// moving pos behind that byte; without a mark returns ch itself.
char TakeUnitMark(const char* at, std::size_t& pos, char ch, UnitMark& mark)
{
    if (static_cast<unsigned char>(ch) == 0xB0) {
        mark = UnitMark::Degree;
        return at[pos++];
    }
    if (ch == '"') {
        mark = UnitMark::Inch;
        return at[pos++];
    }
    if (ch == 'm') {
        if (at[pos] != 'm')
            FatalParseError("mili-meters");
        mark = UnitMark::Millimetre;
        pos += 2;
        return at[pos - 1];
    }
    return ch;
}

// White space, control bytes and every byte of 0x80 and above end a list.
bool EndsList(char ch)
{
    return static_cast<signed char>(ch) <= 0x20;
}

} // namespace

std::size_t ParamValue::ParseNumbers(const char* at)
{
    count = 0;
    text[0] = '\0';
    std::size_t pos = 0;
    for (std::size_t i = 0;;) {
        unitMarks[i] = UnitMark::None;
        std::size_t length = ScanNumber(at + pos, values[i]);
        if (length == 0 || at[pos + length] == '\0')
            FatalParseError("numeric param");
        pos += length + 1;
        char ch = TakeUnitMark(at, pos, at[pos - 1], unitMarks[i]);
        if (EndsList(ch)) {
            count = static_cast<std::uint32_t>(i + 1);
            // Only a unit mark can stand right before the end of the text: the
            // parameter loop must still find that end.
            return ch == '\0' ? pos - 1 : pos;
        }
        if (ch != ';' && ch != ',')
            FatalParseError("unknown unit");
        if (++i == kMaxValues)
            FatalParseError("expected parameter");
    }
}

void ConvertLengths(ParamValue& value, double defaultUnitScale)
{
    for (std::uint32_t i = 0; i < value.count; ++i) {
        if (value.unitMarks[i] == UnitMark::Inch)
            value.values[i] *= kMillimetresPerInch;
        else if (value.unitMarks[i] != UnitMark::Millimetre)
            value.values[i] *= defaultUnitScale;
    }
}

void ConvertAngle(ParamValue& value)
{
    if (value.unitMarks[0] != UnitMark::Degree)
        value.values[0] *= kDegreesPerTurn;
}
