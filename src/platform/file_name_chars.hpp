// The characters of a file name given as bytes, as a wide-character command line would hold them.
#pragma once

#include <string>
#include <string_view>

// Decodes UTF-8 where it is valid; a byte that is not part of a valid UTF-8
// sequence stands for the character of the same value (U+0080..U+00FF).
std::u32string DecodeFileNameChars(std::string_view bytes);
