// The working record of the parameter being scanned, shared by every record reader.
#pragma once

#include <cstddef>
#include <cstdint>

// The unit written right behind a numeric value.
enum class UnitMark : std::uint8_t {
    None = 0,
    Millimetre = 0x6D, // "mm"
    Inch = 0x22,       // a double quote
    Degree = 0xB0,     // the degree sign of the single-byte character set
};

inline constexpr std::size_t kMaxValues = 4;

// One instance serves the whole run. The scans work on the zero-terminated
// line buffer from a given position on and return the bytes they consumed;
// a malformed value never returns (FatalParseError).
struct ParamValue {
    UnitMark unitMarks[kMaxValues] = {};
    char name[128] = {};  // 1..127 bytes
    char text[256] = {};  // 1..255 bytes; empty after a numeric value
    double values[kMaxValues] = {};
    std::uint32_t count = 0; // 0 after a text value

    // name := white space* then 1..127 bytes but ':' then ':' then white space*
    std::size_t ParseParamName(const char* at);
    // text := '"' 1..255 bytes but '"' '"' white space* | 1..255 bytes but white space, white space*
    std::size_t ParseTextValue(const char* at);
    // list := number [mark] { (';' | ',') number [mark] } terminating-byte, at most four numbers
    std::size_t ParseNumbers(const char* at);
};

// Lengths into millimetres: "mm" stays, an inch mark times 25.4, anything else
// times the file's default unit.
void ConvertLengths(ParamValue& value, double defaultUnitScale);
// The one value into degrees: the degree mark stays, anything else counts in turns.
void ConvertAngle(ParamValue& value);
