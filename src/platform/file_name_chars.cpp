#include "platform/file_name_chars.hpp"

namespace {

// Length of the valid UTF-8 sequence at the start of bytes, with its character; 0 if none.
std::size_t DecodeUtf8(std::string_view bytes, char32_t& decoded)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    unsigned char lead = byte(0);
    std::size_t length;
    char32_t value;
    char32_t minimum;
    if (lead < 0x80) {
        decoded = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not valid UTF-8.
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    decoded = value;
    return length;
}

} // namespace

std::u32string DecodeFileNameChars(std::string_view bytes)
{
    std::u32string chars;
    chars.reserve(bytes.size());
    while (!bytes.empty()) {
        char32_t c;
        std::size_t length = DecodeUtf8(bytes, c);
        if (length == 0) {
            c = static_cast<unsigned char>(bytes[0]);
            length = 1;
        }
        chars.push_back(c);
        bytes.remove_prefix(length);
    }
    return chars;
}
