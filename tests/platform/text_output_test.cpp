#include "platform/text_output.hpp"

#include "e2e/harness.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(TextOutput, StoresEachLineFeedAsCrLf)
{
    std::string bytes;
    TextOutput output = TextOutput::ToBytes(bytes);
    output.Write("a\nb\r\n\n");
    output.Put('c');
    output.Put('\n');
    EXPECT_TRUE(output.Close());
    EXPECT_EQ(bytes, "a\r\nb\r\r\n\r\nc\r\n");
}

TEST(TextOutput, LargeOutputCrossesBlocksIntact)
{
    std::string line(999, 'x');
    line += '\n';
    std::string expected;
    std::string bytes;
    TextOutput output = TextOutput::ToBytes(bytes);
    for (int i = 0; i < 3000; ++i) {
        output.Write(line);
        expected += line.substr(0, 999) + "\r\n";
    }
    EXPECT_TRUE(output.Close());
    EXPECT_EQ(bytes, expected);
}

TEST(TextOutput, FullDiskIsReportedAtClose)
{
    std::optional<TextOutput> output = TextOutput::Create("/dev/full");
    ASSERT_TRUE(output);
    output->Write("P  JOB\n");
    EXPECT_FALSE(output->Close());
}

TEST(TextOutput, CreateEmptiesAnExistingFileAndFailsOnAFolder)
{
    e2e::ScratchFolder folder;
    folder.WriteFile("out.ipc", "old content");
    std::string path = (folder.Path() / "out.ipc").string();
    std::optional<TextOutput> output = TextOutput::Create(path.c_str());
    ASSERT_TRUE(output);
    output->Write("new\n");
    EXPECT_TRUE(output->Close());
    EXPECT_EQ(e2e::ReadBytes(path), "new\r\n");
    EXPECT_FALSE(TextOutput::Create(folder.Path().c_str()));
}

} // namespace
