#include "platform/file_name_chars.hpp"

#include <gtest/gtest.h>

namespace {

TEST(FileNameChars, DecodesUtf8AndKeepsOtherBytesAsTheirOwnCharacters)
{
    struct Case {
        std::string bytes;
        std::u32string chars;
    } const cases[] = {
        {"board.ipc", U"board.ipc"},
        {"\xC3\xA9", U"\u00e9"},
        {"\xE2\x82\xAC", U"\u20ac"},
        {"\xF0\x9F\x98\x80", U"\U0001F600"},
        {"\xE9", U"\u00e9"},
        {"\xE2\x82", U"\u00e2\u0082"},        // cut short
        {"\xC0\xAF", U"\u00c0\u00af"},        // overlong
        {"\xED\xA0\x80", U"\u00ed\u00a0\u0080"}, // a surrogate
        {"\xF4\x90\x80\x80", U"\u00f4\u0090\u0080\u0080"}, // past U+10FFFF
        {"a\xFFz", U"a\u00ffz"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeFileNameChars(c.bytes), c.chars) << c.bytes;
}

} // namespace
