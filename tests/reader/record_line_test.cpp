#include "reader/record_line.hpp"

#include "platform/text_input.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20; // the file reader's block size

using Lines = std::vector<std::string>;

// A file with the given bytes that is removed again at the end of the test.
class TempFile {
public:
    explicit TempFile(const std::string& bytes)
    {
        static std::atomic<int> serial{0};
        path_ = std::filesystem::temp_directory_path() /
                ("record_line_test_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
        std::ofstream out(path_, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

// Every line up to the end of the input, each as far as its text goes.
Lines ReadAll(TextInput& input)
{
    Lines lines;
    char line[kLineBufferSize];
    while (ReadRecordLine(input, line))
        lines.emplace_back(line);
    return lines;
}

Lines ReadAllFromFile(const std::string& bytes)
{
    TempFile file(bytes);
    std::optional<TextInput> input = TextInput::Open(file.Path().c_str());
    if (!input) {
        ADD_FAILURE() << "cannot open " << file.Path();
        return {};
    }
    return ReadAll(*input);
}

Lines ReadAllFromBytes(const std::string& bytes)
{
    TextInput input = TextInput::FromBytes(bytes);
    return ReadAll(input);
}

std::string Repeat(std::size_t n, char c)
{
    return std::string(n, c);
}

struct LineCase {
    std::string bytes;
    Lines lines;
};

// Each case runs over bytes in memory and over a real file.
class ReadRecordLineReads : public testing::TestWithParam<LineCase> {};

TEST_P(ReadRecordLineReads, FromBytes)
{
    EXPECT_EQ(ReadAllFromBytes(GetParam().bytes), GetParam().lines);
}

TEST_P(ReadRecordLineReads, FromFile)
{
    EXPECT_EQ(ReadAllFromFile(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, ReadRecordLineReads,
    testing::Values(
        LineCase{"", {}},
        LineCase{"a\nb\n", {"a\n", "b\n"}},
        LineCase{"a\r\nb\r\n", {"a\n", "b\n"}},
        LineCase{"\n\r\n\n", {"\n", "\n", "\n"}},
        LineCase{"a\rb\n", {"a\rb\n"}},             // a lone CR is an ordinary byte
        LineCase{"a\r\r\nb", {"a\r\n", "b"}},
        LineCase{"a\n\r", {"a\n", "\r"}},           // a CR as the last byte stays
        LineCase{"\r", {"\r"}},
        LineCase{"last", {"last"}},
        LineCase{"a\nlast", {"a\n", "last"}},
        LineCase{std::string("ab\0cd\nef\n", 9), {"ab", "ef\n"}})); // a zero byte does not end the line

INSTANTIATE_TEST_SUITE_P(
    EndOfText, ReadRecordLineReads,
    testing::Values(
        LineCase{"\x1A", {}},
        LineCase{"\x1A" "a\nb\n", {}},                   // at the start of a line
        LineCase{"a\n\x1A" "b\n", {"a\n"}},
        LineCase{"a\nbc\x1A" "de\nf\n", {"a\n", "bc"}},  // in the middle of a line
        LineCase{"a\nb\x1A", {"a\n", "b"}},              // as the last byte
        LineCase{"a\r\x1A\n", {"a\r"}},                  // the CR before it has no LF to join
        LineCase{"a\n\x1A\x1A", {"a\n"}}));

INSTANTIATE_TEST_SUITE_P(
    LongLines, ReadRecordLineReads,
    testing::Values(
        LineCase{Repeat(4094, 'x') + "\n", {Repeat(4094, 'x') + "\n"}},
        LineCase{Repeat(4094, 'x') + "\r\n", {Repeat(4094, 'x') + "\n"}}, // 4095 bytes once read
        LineCase{Repeat(4095, 'x') + "\n", {Repeat(4095, 'x'), "\n"}},
        LineCase{Repeat(4095, 'x') + "\r\nb\n", {Repeat(4095, 'x'), "\n", "b\n"}},
        LineCase{Repeat(4095, 'x'), {Repeat(4095, 'x')}},
        LineCase{Repeat(8200, 'x') + "\n", {Repeat(4095, 'x'), Repeat(4095, 'x'), Repeat(10, 'x') + "\n"}},
        LineCase{Repeat(4094, 'x') + "\nPad:: P: 1\n", {Repeat(4094, 'x') + "\n", "Pad:: P: 1\n"}}));

TEST(ReadRecordLine, EndsEachLineWithAZeroByte)
{
    TextInput input = TextInput::FromBytes("abcdef\nxy\n");
    char line[kLineBufferSize];
    std::memset(line, '#', sizeof line);
    ASSERT_TRUE(ReadRecordLine(input, line));
    EXPECT_EQ(std::string(line, 8), std::string("abcdef\n\0", 8));
    ASSERT_TRUE(ReadRecordLine(input, line));
    // The shorter line leaves the longer one's rest behind its zero byte.
    EXPECT_EQ(std::string(line, 8), std::string("xy\n\0ef\n\0", 8));
}

TEST(ReadRecordLine, LeavesTheBufferAsItWasAtTheEnd)
{
    for (const char* bytes : {"", "\x1A" "abc\n", "last\n"}) {
        TextInput input = TextInput::FromBytes(bytes);
        char line[kLineBufferSize];
        std::memset(line, '#', sizeof line);
        while (ReadRecordLine(input, line)) {
        }
        std::string expected(kLineBufferSize, '#');
        if (std::string(bytes) == "last\n")
            expected.replace(0, 6, std::string("last\n\0", 6));
        EXPECT_EQ(std::string(line, sizeof line), expected) << "for: " << bytes;
        EXPECT_FALSE(ReadRecordLine(input, line)); // and stays at the end
    }
}

// Big files cross the reader's block boundary; the interesting bytes are placed
// just before, on and just behind it. Filler lines keep every line short.
std::string Filler(std::size_t bytes)
{
    std::string filler;
    while (bytes - filler.size() > 100)
        filler += Repeat(99, 'f') + "\n";
    filler += Repeat(bytes - filler.size() - 1, 'g') + "\n";
    return filler;
}

Lines FillerLines(std::size_t bytes)
{
    Lines lines;
    std::string filler = Filler(bytes);
    for (std::size_t begin = 0; begin < filler.size();) {
        std::size_t end = filler.find('\n', begin) + 1;
        lines.push_back(filler.substr(begin, end - begin));
        begin = end;
    }
    return lines;
}

struct BoundaryCase {
    const char* what;
    std::string tail;  // written after the filler; its first byte lands at the offset
    Lines tailLines;   // the lines read from "a" + tail
};

class ReadRecordLineAtBlockBoundary : public testing::TestWithParam<BoundaryCase> {};

TEST_P(ReadRecordLineAtBlockBoundary, ReadsLikeASmallFile)
{
    const BoundaryCase& c = GetParam();
    for (std::size_t offset : {kBlock - 2, kBlock - 1, kBlock, kBlock + 1}) {
        // "a" ends the filler's last line without a line feed of its own, so the
        // tail's first byte stands at `offset`.
        std::string bytes = Filler(offset - 1) + "a" + c.tail;
        ASSERT_EQ(bytes.size(), offset + c.tail.size());
        Lines expected = FillerLines(offset - 1);
        expected.insert(expected.end(), c.tailLines.begin(), c.tailLines.end());
        EXPECT_EQ(ReadAllFromFile(bytes), expected) << c.what << " at offset " << offset;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadRecordLineAtBlockBoundary,
    testing::Values(
        BoundaryCase{"CR LF", "\r\nb\n", {"a\n", "b\n"}},
        BoundaryCase{"CR CR LF", "\r\r\nb\n", {"a\r\n", "b\n"}},
        BoundaryCase{"lone CR", "\rb\n", {"a\rb\n"}},
        BoundaryCase{"lone CR ending the file", "\r", {"a\r"}},
        BoundaryCase{"CR LF ending the file", "\r\n", {"a\n"}},
        BoundaryCase{"CR then 0x1A", "\r\x1A\nb\n", {"a\r"}},
        BoundaryCase{"0x1A", "\x1A\nb\n", {"a"}}));

TEST(ReadRecordLine, ReadsAFileOfManyBlocks)
{
    std::string bytes;
    Lines expected;
    for (int i = 0; bytes.size() < 3 * kBlock; ++i) {
        std::string text = "Pad:: Pin: " + std::to_string(i) + Repeat(static_cast<std::size_t>(i % 97), ' ');
        bytes += text + "\r\n";
        expected.push_back(text + "\n");
    }
    EXPECT_EQ(ReadAllFromFile(bytes), expected);
}

TEST(TextInputOpen, GivesNothingForAFolder)
{
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("record_line_test_dir_" + std::to_string(::getpid()));
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(TextInput::Open(folder.string().c_str()).has_value());
    std::filesystem::remove(folder);
}

TEST(TextInputOpen, GivesNothingForAMissingFile)
{
    std::filesystem::path missing = std::filesystem::temp_directory_path() /
                                    ("record_line_test_missing_" + std::to_string(::getpid()));
    EXPECT_FALSE(TextInput::Open(missing.string().c_str()).has_value());
}

struct KeywordCase {
    const char* line;
    std::string_view keyword;
    bool matches;
};

class HasKeywordRecognises : public testing::TestWithParam<KeywordCase> {};

TEST_P(HasKeywordRecognises, OnlyAKeywordAtTheFirstByte)
{
    const KeywordCase& c = GetParam();
    EXPECT_EQ(HasKeyword(c.line, c.keyword), c.matches) << "for: " << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HasKeywordRecognises,
    testing::Values(
        KeywordCase{"Units:: Default: 1mm\n", kUnitsKeyword, true},
        KeywordCase{"Component:: P1: R5\n", kComponentKeyword, true},
        KeywordCase{"EndComp::\n", kEndCompKeyword, true},
        KeywordCase{"Pad:: Pin: 1\n", kPadKeyword, true},
        KeywordCase{"Pad::", kPadKeyword, true},
        KeywordCase{"Pad:", kPadKeyword, false},
        KeywordCase{"Pad: : Pin: 1\n", kPadKeyword, false},
        KeywordCase{"pad:: Pin: 1\n", kPadKeyword, false},       // case matters
        KeywordCase{"PAD:: Pin: 1\n", kPadKeyword, false},
        KeywordCase{" Pad:: Pin: 1\n", kPadKeyword, false},      // no white space before it
        KeywordCase{"\tUnits:: Default: 1mm\n", kUnitsKeyword, false},
        KeywordCase{"Pad:: Pin: 1\n", kComponentKeyword, false},
        KeywordCase{"Component:: P1: R5\n", kPadKeyword, false},
        KeywordCase{"EndComp:: \n", kEndCompKeyword, true},
        KeywordCase{"", kEndCompKeyword, false}));

TEST(RecordKeywords, HaveTheirLengths)
{
    EXPECT_EQ(kUnitsKeyword.size(), 7u);
    EXPECT_EQ(kComponentKeyword.size(), 11u);
    EXPECT_EQ(kEndCompKeyword.size(), 9u);
    EXPECT_EQ(kPadKeyword.size(), 5u);
}

} // namespace
