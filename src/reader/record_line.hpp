// The one line buffer of the run and the record keywords that open its lines.
#pragma once

#include "platform/text_input.hpp"

#include <cstddef>
#include <cstring>
#include <string_view>

inline constexpr std::size_t kLineBufferSize = 4096; // a line of up to 4095 bytes and its zero

// The next line with its line feed, or a 4095-byte piece of a longer one, ended
// by a zero byte. False at the end of the input, with the buffer left as it was.
bool ReadRecordLine(TextInput& input, char (&line)[kLineBufferSize]);

// A record line of a kind begins with its keyword at the first byte, case included.
inline bool HasKeyword(const char* line, std::string_view keyword)
{
    // Inline, byte by byte: it runs on every line. No keyword holds a zero
    // byte, so the loop stops at the end of a shorter line.
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        if (line[i] != keyword[i])
            return false;
    }
    return true;
}

inline constexpr std::string_view kUnitsKeyword = "Units::";
inline constexpr std::string_view kComponentKeyword = "Component::";
inline constexpr std::string_view kEndCompKeyword = "EndComp::";
inline constexpr std::string_view kPadKeyword = "Pad::";
