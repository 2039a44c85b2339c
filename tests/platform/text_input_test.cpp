#include "platform/text_input.hpp"

#include "e2e/harness.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A read that fails after the first block was read is an error of its own,
// never a silent end of the input.
TEST(TextInput, ReadErrorAfterTheFirstBlockIsReported)
{
    e2e::ScratchFolder folder;
    folder.WriteFile("big.pcb", std::string(3 << 20, 'x'));
    int fd = ::open((folder.Path() / "big.pcb").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    std::optional<TextInput> input = TextInput::FromDescriptor(fd);
    ASSERT_TRUE(input);

    // The descriptor now stands for a file open for writing only: reading it fails.
    int writeOnly = ::open((folder.Path() / "other").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(writeOnly, 0);
    ASSERT_EQ(::dup2(writeOnly, fd), fd);
    ::close(writeOnly);

    char line[4096];
    EXPECT_THROW(
        {
            while (input->ReadLine(line, sizeof line - 1) > 0) {
            }
        },
        InputReadError);
}

TEST(TextInput, UnreadableDescriptorCannotBeOpened)
{
    e2e::ScratchFolder folder;
    int fd = ::open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(TextInput::FromDescriptor(fd));
}

} // namespace
