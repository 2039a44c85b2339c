// End-to-end runs that need the file system set up around the converter: a full
// disk, file names that are not plain ASCII.
#include "e2e/harness.hpp"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const std::string kEmptyBoard = "Contents: CIRCAD Version 6.0 Data File.\nFile Type: PCB\n";

std::string EmptyNetlist(const std::string& titleName)
{
    return "P  JOB\r\nP  UNITS CUST 1\r\nP  TITLE Testpoint Report for " + titleName +
           "\r\nP  VER IPC-D-356A\r\n999\r\n";
}

TEST(FileSystem, FullDiskRemovesTheOutputAndSaysSo)
{
    e2e::ScratchFolder folder;
    folder.WriteFile("board.pcb", kEmptyBoard);
    fs::create_symlink("/dev/full", folder.Path() / "board.ipc");

    e2e::RunResult run = e2e::RunConverter(folder.Path(), {"board.pcb"});

    EXPECT_EQ(e2e::SplitBanner(run.standardOutput).second, "Cannot write \"board.ipc\"\n");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.standardError, "");
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder.Path() / "board.ipc")));
}

TEST(FileSystem, FullDiskMessageCarriesTheWholeOutputPath)
{
    e2e::ScratchFolder folder;
    fs::create_directory(folder.Path() / "jobs");
    folder.WriteFile("jobs/board.pcb", kEmptyBoard);
    fs::create_symlink("/dev/full", folder.Path() / "jobs" / "board.ipc");

    e2e::RunResult run = e2e::RunConverter(folder.Path(), {"jobs/board.pcb"});

    EXPECT_EQ(e2e::SplitBanner(run.standardOutput).second, "Cannot write \"jobs/board.ipc\"\n");
    EXPECT_EQ(run.exitStatus, 1);
}

// The console shows the argument's bytes unchanged; the title line holds each
// character up to U+00FF as one byte and any other as "?".
TEST(FileSystem, FileNamesBeyondAscii)
{
    struct Case {
        std::string input;
        std::string output;
        std::string title;
    };
    const Case cases[] = {
        {"\xC3\xA9.pcb", "\xC3\xA9.ipc", "\xE9.ipc"},      // é in UTF-8
        {"\xE9.pcb", "\xE9.ipc", "\xE9.ipc"},              // not UTF-8: the byte stands for itself
        {"\xE2\x82\xAC.pcb", "\xE2\x82\xAC.ipc", "?.ipc"}, // the euro sign has no single byte
        {"\xE2\x82.pcb", "\xE2\x82.ipc", "\xE2\x82.ipc"},  // a cut-off sequence
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        e2e::ScratchFolder folder;
        folder.WriteFile(c.input, kEmptyBoard);

        e2e::RunResult run = e2e::RunConverter(folder.Path(), {c.input});

        EXPECT_EQ(e2e::SplitBanner(run.standardOutput).second, c.output + " created successfully\n");
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(e2e::ReadBytesIfPresent(folder.Path() / c.output), EmptyNetlist(c.title));
    }
}

} // namespace

namespace {

// The bundled example, converted and checked by hand against the column table.
TEST(ExampleBoard, ConvertsToItsCheckedNetlist)
{
    e2e::ScratchFolder folder;
    fs::copy_file(fs::path(CIRCAD2IPC_EXAMPLES) / "board.pcb", folder.Path() / "board.pcb");

    e2e::RunResult run = e2e::RunConverter(folder.Path(), {"board.pcb"});

    EXPECT_EQ(e2e::SplitBanner(run.standardOutput).second, "board.ipc created successfully\n");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(e2e::ReadBytesIfPresent(folder.Path() / "board.ipc"),
              e2e::ReadBytes(fs::path(CIRCAD2IPC_EXPECTED) / "board.ipc"));
}

} // namespace
