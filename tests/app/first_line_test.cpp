#include "app/first_line.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Rest(TextInput& input)
{
    std::string rest;
    for (int c = input.Peek(); c >= 0; c = input.Peek()) {
        rest.push_back(static_cast<char>(c));
        input.Skip();
    }
    return rest;
}

// What the check reads and where it leaves the input for the header section.
TEST(FirstLine, ReadsVersionAndStopsWhereTheScanStopped)
{
    struct Case {
        std::string text;
        int numbersRead;
        std::uint32_t major;
        std::uint32_t minor;
        std::string rest;
    } const cases[] = {
        {"Contents: CIRCAD Version 6.0 Data File.\nFile Type: PCB\n", 2, 6, 0, "File Type: PCB\n"},
        {"Contents: CIRCAD Version 6.12 Data File.\r\n\r\n  \nUnits::", 2, 6, 12, "Units::"},
        {"\n\n  Contents: CIRCAD Version 6.3 Data File.\n", 2, 6, 3, ""},
        {"Contents:CIRCADVersion6.0DataFile.X", 2, 6, 0, "X"},
        {"Contents: CIRCAD Version 6.0\nFile Type: PCB\n", 2, 6, 0, "File Type: PCB\n"},
        {"Contents: CIRCAD Version 6.0 Data File. More words\n", 2, 6, 0, "More words\n"},
        {"Contents: CIRCAD Version 6.0 Data Fil\n", 2, 6, 0, "\n"},
        {"Contents: CIRCAD Version 6 . 0 Data File.", 1, 6, 0, " . 0 Data File."},
        {"Contents: CIRCAD Version 6. 7 Data File.", 2, 6, 7, ""},
        {"Contents: CIRCAD Version +6.-0 Data File.", 2, 6, 0, ""},
        {"Contents: CIRCAD Version -1.0", 2, 4294967295u, 0, ""},
        {"Contents: CIRCAD Version 4294967302.0", 2, 6, 0, ""},
        {"Contents: CIRCAD Version 99999999999999999999999.1", 2, 4294967295u, 1, ""},
        {"Contents: CIRCAD Version 5.1 Data File.\n", 2, 5, 1, ""},
        {"Contents: CIRCAD Version 6 Data File.\n", 1, 6, 0, " Data File.\n"},
        {"contents: CIRCAD Version 6.0 Data File.\n", 0, 0, 0, "contents: CIRCAD Version 6.0 Data File.\n"},
        {"Contents: CIRCAD Version x6.0", 0, 0, 0, "x6.0"},
        {"", 0, 0, 0, ""},
        {"\xEF\xBB\xBF" "Contents: CIRCAD Version 6.0 Data File.\n", 0, 0, 0,
         "\xEF\xBB\xBF" "Contents: CIRCAD Version 6.0 Data File.\n"},
        {"Contents: CIRCAD Version 6.0 Data File.\n\x1A" "File Type: PCB\n", 2, 6, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TextInput input = TextInput::FromBytes(c.text);
        FileVersion version = CheckFirstLine(input);
        EXPECT_EQ(version.numbersRead, c.numbersRead);
        if (version.numbersRead >= 1) {
            EXPECT_EQ(version.major, c.major);
        }
        if (version.numbersRead == 2) {
            EXPECT_EQ(version.minor, c.minor);
        }
        EXPECT_EQ(Rest(input), c.rest);
    }
}

} // namespace
