#include "reader/header_section.hpp"

#include "support/expect_parse_error.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

struct HeaderRun {
    HeaderSection header;
    std::string nextLine; // the first line left for the component section
};

HeaderRun ReadHeader(const std::string& text)
{
    TextInput input = TextInput::FromBytes(text);
    InputReader reader(input);
    HeaderRun run{ReadHeaderSection(reader), ""};
    if (reader.ReadRecordLine())
        run.nextLine = reader.line;
    return run;
}

// Which lines count as a file type line, and where the section ends.
TEST(HeaderSection, FileTypeLines)
{
    const std::string units = "Units:: Default: 1mm\n";
    const std::string word255(255, 'W');
    struct Case {
        std::string line;
        HeaderFailure failure;
    } const cases[] = {
        {"File Type: PCB\n", HeaderFailure::None},
        {"File Type:PCB\n", HeaderFailure::None},
        {"FileType: PCB\n", HeaderFailure::None},
        {"File \t Type: \t PCB and more words\n", HeaderFailure::None},
        {"File Type: PCB\v\r\n", HeaderFailure::None},
        {"File Type: pcb\n", HeaderFailure::WrongFileType},
        {"File Type: PCBX\n", HeaderFailure::WrongFileType},
        {"File Type: Schematic\n", HeaderFailure::WrongFileType},
        {"File Type: " + word255 + "\n", HeaderFailure::WrongFileType},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        HeaderRun run = ReadHeader(c.line + units + "Next\n");
        EXPECT_EQ(run.header.failure, c.failure);
        if (c.failure == HeaderFailure::None) {
            EXPECT_EQ(run.header.defaultUnitScale, 1.0);
            EXPECT_EQ(run.nextLine, "Next\n");
        }
    }
}

TEST(HeaderSection, LinesThatAreNoFileTypeLineArePassedOver)
{
    const std::string lines[] = {
        "file Type: SCH\n", " File Type: SCH\n", "File Type:\n", "File Type: " + std::string(256, 'W') + "\n",
        "File Typ: SCH\n",
    };
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        HeaderRun run = ReadHeader(line + "File Type: PCB\nUnits:: Default: 2mm\nNext\n");
        EXPECT_EQ(run.header.failure, HeaderFailure::None);
        EXPECT_EQ(run.nextLine, "Next\n");
    }
}

TEST(HeaderSection, DefaultUnit)
{
    struct Case {
        std::string lines;
        double scale;
    } const cases[] = {
        {"Units:: Default: 1mm\n", 1.0},
        {"Units:: Default: 1\"\n", 25.4},
        {"Units:: Default: 0.001\"\n", 0.001 * 25.4},
        {"Units:: Default: 1\n", 0.0},
        {"Units:: Default: 1\xB0\n", 0.0},
        {"Units:: Default: 1mm Default: 3\n", 3.0},
        {"Units:: Default: 1mm\nUnits:: Table: 2\nUnits:: Default: 2\n", 2.0},
        {"Units:: Default:1.000\" Table:25400\xB5m,25.4mm\n", 25.4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        HeaderRun run = ReadHeader(c.lines + "File Type: PCB\nNext\n");
        EXPECT_EQ(run.header.failure, HeaderFailure::None);
        EXPECT_DOUBLE_EQ(run.header.defaultUnitScale, c.scale);
        EXPECT_EQ(run.nextLine, "Next\n");
    }
}

TEST(HeaderSection, EndsAfterTheSecondFactOrAtTheEndOfTheInput)
{
    HeaderRun run = ReadHeader("Units:: Default: 1mm\nComponent:: P1: U1\nFile Type: PCB\nUnits:: Default: 5mm\n");
    EXPECT_EQ(run.header.defaultUnitScale, 1.0);
    EXPECT_EQ(run.nextLine, "Units:: Default: 5mm\n");

    run = ReadHeader("File Type: PCB\nComponent:: P1: U1\n");
    EXPECT_EQ(run.header.failure, HeaderFailure::None);
    EXPECT_EQ(run.header.defaultUnitScale, 0.0);
    EXPECT_EQ(run.nextLine, "");
}

TEST(HeaderSection, Failures)
{
    EXPECT_EQ(ReadHeader("Units:: Table: 1\nFile Type: PCB\n").header.failure, HeaderFailure::NoDefaultUnit);
    EXPECT_EQ(ReadHeader("File Type: PCB\nUnits:: Table: 1\n").header.failure, HeaderFailure::NoDefaultUnit);
    // Once the default unit is known, a Units line without it is fine.
    EXPECT_EQ(ReadHeader("Units:: Default: 1mm\nUnits:: Table: 1\nFile Type: PCB\n").header.failure,
              HeaderFailure::None);
    EXPECT_EQ(ReadHeader("File Type: PCB\nFile Type: SCH\n").header.failure, HeaderFailure::WrongFileType);

    EXPECT_PARSE_ERROR(ReadHeader("Units:: Default: 1mm,2mm\n"), "default unit");
    EXPECT_PARSE_ERROR(ReadHeader("Units::\n"), "parameter name");
    EXPECT_PARSE_ERROR(ReadHeader("Units:: Default: 1mm \n"), "parameter name");
    EXPECT_PARSE_ERROR(ReadHeader("Units:: Default: 1m\n"), "mili-meters");
    // Other lines are never parsed here.
    EXPECT_EQ(ReadHeader("Component:: :::\nPad::\nFile Type: PCB\nUnits:: Default: 1mm\n").header.failure,
              HeaderFailure::None);
}

} // namespace
