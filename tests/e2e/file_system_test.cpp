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

// Past a file-size limit ("ulimit -f") the writes fail as on a full disk: the
// netlist, cut short in the middle of a record, must not stay behind.
TEST(FileSystem, FileSizeLimitRemovesTheOutputAndSaysSo)
{
    std::string board = kEmptyBoard + "Units:: Default: 1mm\nComponent:: P1: U1\n";
    for (int i = 0; i < 30'000; ++i)
        board += "Pad:: Type: S1 Center: 1mm,2mm Signal: GND\n"; // about 2 MB of netlist
    e2e::ScratchFolder folder;
    folder.WriteFile("board.pcb", board);

    e2e::RunResult run = e2e::RunConverter(folder.Path(), {"board.pcb"},
                                           {"/bin/sh", "-c", "ulimit -f 1024 && exec \"$0\" \"$@\""});

    EXPECT_EQ(e2e::SplitBanner(run.standardOutput).second, "Cannot write \"board.ipc\"\n");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.standardError, "");
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder.Path() / "board.ipc")));
}

// A read that fails after the first block: never a netlist of a half-read
// file, and an existing one stays as it was.
TEST(FileSystem, FailingReadLeavesTheOutputAlone)
{
    e2e::ScratchFolder folder;
    folder.WriteFile("board.pcb", kEmptyBoard);
    folder.WriteFile("board.ipc", "an earlier netlist\r\n");
    auto before = e2e::Snapshot(folder.Path());

    // The shell drops the program the harness names and runs the plain one.
    e2e::RunResult run = e2e::RunConverter(
        folder.Path(), {"board.pcb"},
        {"/bin/sh", "-c", "shift && LD_PRELOAD=\"" CIRCAD2IPC_FAIL_SECOND_READ "\" && export LD_PRELOAD && exec \"$0\" \"$@\"",
         CIRCAD2IPC_PLAIN_BINARY});

    EXPECT_EQ(e2e::SplitBanner(run.standardOutput).second, "Cannot read \"board.pcb\"\n");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.standardError, "");
    EXPECT_EQ(e2e::Snapshot(folder.Path()), before);
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
