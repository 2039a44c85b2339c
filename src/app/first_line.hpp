// The check of the data file's first line, the "Contents:" line with the file version.
#pragma once

#include "platform/text_input.hpp"

#include <cstdint>

struct FileVersion {
    int numbersRead = 0; // the check passes when both were read
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

// Scans " Contents: CIRCAD Version %u.%u Data File. " with the rules of a formatted
// scan: a blank matches any run of white space, none included; %u skips white space
// and reads an unsigned decimal number; the scan stops at the first byte that does
// not match and leaves that byte unread.
FileVersion CheckFirstLine(TextInput& input);
