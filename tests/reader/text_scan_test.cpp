#include "reader/param_value.hpp"

#include "support/expect_parse_error.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

std::string Repeat(std::size_t n, char c)
{
    return std::string(n, c);
}

// Texts with a zero byte inside need their length spelled out.
std::string Bytes(const char* bytes, std::size_t n)
{
    return std::string(bytes, n);
}

struct NameCase {
    std::string line;
    std::string name;
    std::size_t consumed;
};

class ParseParamNameAccepts : public testing::TestWithParam<NameCase> {};

TEST_P(ParseParamNameAccepts, FillsNameAndCountsConsumedBytes)
{
    const NameCase& c = GetParam();
    ParamValue value;
    EXPECT_EQ(value.ParseParamName(c.line.c_str()), c.consumed);
    EXPECT_EQ(std::string(value.name), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ParseParamNameAccepts,
    testing::Values(
        NameCase{"Layer:Top", "Layer", 6},
        NameCase{"Layer: Top", "Layer", 7},
        NameCase{"Layer : Top", "Layer ", 8},
        NameCase{"Layer:", "Layer", 6},
        NameCase{"Layer: \t\n", "Layer", 9},
        NameCase{" \t\n\v\f\rPin: 1", "Pin", 11},
        NameCase{"Copper Type: T1", "Copper Type", 13},
        NameCase{"2 Size: 3", "2 Size", 8},
        NameCase{"\"Odd\" name:x", "\"Odd\" name", 11},
        NameCase{"a:b:c", "a", 2},
        // 0xA0 is no white space, so it belongs to the name.
        NameCase{"\xA0Pin:\xA0", "\xA0Pin", 5},
        NameCase{Repeat(127, 'n') + ": 1", Repeat(127, 'n'), 129},
        NameCase{"  " + Repeat(127, 'n') + ":", Repeat(127, 'n'), 130}));

class ParseParamNameRejects : public testing::TestWithParam<std::string> {};

TEST_P(ParseParamNameRejects, StopsWithParameterName)
{
    ParamValue value;
    EXPECT_PARSE_ERROR(value.ParseParamName(GetParam().c_str()), "parameter name");
}

INSTANTIATE_TEST_SUITE_P(
    Names, ParseParamNameRejects,
    testing::Values(
        "",                                  // nothing left
        " \t\n",                             // only white space
        ":Top",                              // empty name
        "  : Top",                           // empty name behind white space
        "Pin 1\n",                           // no colon
        "junk",                              // no colon, no line feed
        Bytes("Pi\0n: 1", 7),                // the zero byte ends the text before the colon
        Repeat(128, 'n') + ": 1",            // 128 bytes do not fit
        " " + Repeat(128, 'n') + ":",        // nor behind white space
        Repeat(300, 'n')));                  // over-long and no colon

TEST(ParseParamName, WritesOnlyTheName)
{
    ParamValue value;
    value.count = 3;
    value.text[0] = 'T';
    value.values[0] = 1.5;
    value.unitMarks[0] = UnitMark::Inch;
    EXPECT_EQ(value.ParseParamName("Pin: 1"), 5u);
    EXPECT_EQ(value.count, 3u);
    EXPECT_EQ(value.text[0], 'T');
    EXPECT_EQ(value.values[0], 1.5);
    EXPECT_EQ(value.unitMarks[0], UnitMark::Inch);
}

TEST(ParseParamName, ShorterNameReplacesLongerOne)
{
    ParamValue value;
    value.ParseParamName("Component: x");
    value.ParseParamName("P1: x");
    EXPECT_EQ(std::string(value.name), "P1");
}

struct TextCase {
    std::string line;
    std::string text;
    std::size_t consumed;
};

class ParseTextValueAccepts : public testing::TestWithParam<TextCase> {};

TEST_P(ParseTextValueAccepts, FillsTextAndCountsConsumedBytes)
{
    const TextCase& c = GetParam();
    ParamValue value;
    value.count = 2;
    EXPECT_EQ(value.ParseTextValue(c.line.c_str()), c.consumed);
    EXPECT_EQ(std::string(value.text), c.text);
    EXPECT_EQ(value.count, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    BareWords, ParseTextValueAccepts,
    testing::Values(
        TextCase{"Top\n", "Top", 4},
        TextCase{"Top", "Top", 3},
        TextCase{"Top \t\v\f\r\n", "Top", 9},
        TextCase{"Top Copper Type: T1\n", "Top", 4},
        TextCase{"1, 2 Size: 3\n", "1,", 3},
        TextCase{"0.001\"\n", "0.001\"", 7},
        TextCase{"  Top  ", "Top", 7},            // white space before the word is skipped too
        TextCase{"Top\rCopper\n", "Top", 4},      // a kept CR is white space
        TextCase{"\xA0Top\xA0 x", "\xA0Top\xA0", 6},
        TextCase{Bytes("Top\0Copper\n", 11), "Top", 3},
        TextCase{Repeat(255, 'w') + "\n", Repeat(255, 'w'), 256}));

INSTANTIATE_TEST_SUITE_P(
    Quoted, ParseTextValueAccepts,
    testing::Values(
        TextCase{"\"Top Copper\" Type: S1\n", "Top Copper", 13},
        TextCase{"\"Top Copper\"\n", "Top Copper", 13},
        TextCase{"\"a: b, c; d\"\n", "a: b, c; d", 13},
        TextCase{"\" padded \" x", " padded ", 11},   // white space inside the quotes stays
        TextCase{"\"Top\"Type: S1\n", "Top", 5},      // the next name may follow the quote directly
        TextCase{"\"'\"", "'", 3},
        TextCase{"\"" + Repeat(255, 'q') + "\" N: 1", Repeat(255, 'q'), 258}));

// Whatever the quoted form cannot take is read again as a bare word from the quote on.
INSTANTIATE_TEST_SUITE_P(
    QuoteFallsBackToBareWord, ParseTextValueAccepts,
    testing::Values(
        TextCase{"\"\" Next: 1\n", "\"\"", 3},      // empty quotes make a two-byte word
        TextCase{"\"\"\n", "\"\"", 3},
        TextCase{"\"\"x y", "\"\"x", 4},
        TextCase{"\"A B\n", "\"A", 3},              // never closed
        TextCase{"\"A\n", "\"A", 3},
        TextCase{"\"", "\"", 1},
        TextCase{Bytes("\"A\0B\" x", 7), "\"A", 2},  // the closing quote lies behind the text's end
        TextCase{"  \"A B\" x", "\"A", 5},          // a quote behind white space opens no quoted form
        TextCase{"\"" + Repeat(100, 'q') + " " + Repeat(155, 'q') + "\" N: 1",
                 "\"" + Repeat(100, 'q'), 102},
        TextCase{"\"" + Repeat(254, 'q') + " " + Repeat(2, 'q') + "\"\n",
                 "\"" + Repeat(254, 'q'), 256}));

class ParseTextValueRejects : public testing::TestWithParam<std::string> {};

TEST_P(ParseTextValueRejects, StopsWithTextParameter)
{
    ParamValue value;
    EXPECT_PARSE_ERROR(value.ParseTextValue(GetParam().c_str()), "text parameter");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseTextValueRejects,
    testing::Values(
        "",                                                 // value missing at the end of the text
        "\n",                                               // value missing before the line feed
        " \t\r\n",
        Bytes("\0Top\n", 5),
        Repeat(256, 'w') + "\n",                            // a bare word of 256 bytes
        Repeat(400, 'w'),
        "\"" + Repeat(256, 'q') + "\"\n",                   // too long quoted, too long as a word
        "\"" + Repeat(255, 'q') + " " + Repeat(2, 'q') + "\"\n", // the word with its quote is 256 bytes
        "\"" + Repeat(300, 'q')));                          // never closed and too long

TEST(ParseTextValue, QuotedValueOf256BytesNeverComesBackCutShort)
{
    // The quoted form fails as a whole, so the bare word from the quote is the value.
    std::string content = Repeat(10, 'a') + " " + Repeat(245, 'b');
    ASSERT_EQ(content.size(), 256u);
    ParamValue value;
    EXPECT_EQ(value.ParseTextValue(("\"" + content + "\"\n").c_str()), 12u);
    EXPECT_EQ(std::string(value.text), "\"" + Repeat(10, 'a'));
}

TEST(ParseTextValue, LeavesNameAndNumbersAlone)
{
    ParamValue value;
    value.ParseParamName("Signal: x");
    value.values[1] = 2.5;
    value.unitMarks[1] = UnitMark::Millimetre;
    value.ParseTextValue("GND\n");
    EXPECT_EQ(std::string(value.name), "Signal");
    EXPECT_EQ(value.values[1], 2.5);
    EXPECT_EQ(value.unitMarks[1], UnitMark::Millimetre);
}

TEST(ParseTextValue, ShorterTextReplacesLongerOne)
{
    ParamValue value;
    value.ParseTextValue("\"Top Copper\"\n");
    value.ParseTextValue("B\n");
    EXPECT_EQ(std::string(value.text), "B");
}

TEST(ParseTextValue, SetsCountToZeroEvenWhenItFails)
{
    ParamValue value;
    value.count = 4;
    EXPECT_PARSE_ERROR(value.ParseTextValue("\n"), "text parameter");
    EXPECT_EQ(value.count, 0u);
}

} // namespace
