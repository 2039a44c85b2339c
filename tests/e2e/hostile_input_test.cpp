// Hostile inputs too large to keep as case folders, made at test time, and
// boards too large for the memory they are given. Each run must end quickly
// with one of the defined messages, in bounded memory, and a failing run must
// leave an existing netlist exactly as it was.
#include "e2e/harness.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <random>

namespace fs = std::filesystem;

namespace {

const std::string kHeader = "Contents: CIRCAD Version 6.0 Data File.\nFile Type: PCB\nUnits:: Default: 1mm\n";
const std::string kEarlierNetlist = "an earlier netlist\r\n";

// A limit on the run's address space, for the program built without the
// sanitizers. The program itself takes about 7 MB and its first block of pads
// a few more; 16 MB leaves no room for a 10 MB line held in memory.
constexpr int kBoundedKilobytes = 16 * 1024;

// Each of these runs takes a second or two under the sanitizers.
constexpr auto kQuickly = std::chrono::seconds(20);

std::string Netlist(const std::vector<std::string>& records)
{
    std::string netlist =
        "P  JOB\r\nP  UNITS CUST 1\r\nP  TITLE Testpoint Report for board.ipc\r\nP  VER IPC-D-356A\r\n";
    for (const std::string& record : records)
        netlist += record + "\r\n";
    return netlist + "999\r\n";
}

std::vector<std::string> UnderAddressSpaceLimit(int kilobytes)
{
    // The shell drops the program the harness names and runs the plain one.
    return {"/bin/sh", "-c", "ulimit -v " + std::to_string(kilobytes) + " && shift && exec \"$0\" \"$@\"",
            CIRCAD2IPC_PLAIN_BINARY};
}

struct Outcome {
    std::string message; // the line behind the banner
    int status = -1;
    std::optional<std::string> netlist; // board.ipc after the run
};

// Converts board.pcb beside an existing board.ipc and checks what every run
// shows: the banner and one line, nothing on standard error, an end in time,
// and, when the run fails, the earlier netlist untouched and no other file.
Outcome Convert(const std::string& input, const std::vector<std::string>& prefix = {})
{
    e2e::ScratchFolder folder;
    folder.WriteFile("board.pcb", input);
    folder.WriteFile("board.ipc", kEarlierNetlist);

    auto start = std::chrono::steady_clock::now();
    e2e::RunResult run = e2e::RunConverter(folder.Path(), {"board.pcb"}, prefix);
    EXPECT_LT(std::chrono::steady_clock::now() - start, kQuickly);

    auto [banner, rest] = e2e::SplitBanner(run.standardOutput);
    EXPECT_TRUE(e2e::IsBanner(banner)) << banner;
    EXPECT_EQ(std::count(rest.begin(), rest.end(), '\n'), 1) << rest;
    EXPECT_TRUE(rest.ends_with("\n")) << rest;
    EXPECT_EQ(run.standardError, "");

    Outcome outcome{rest.substr(0, rest.find('\n')), run.exitStatus,
                    e2e::ReadBytesIfPresent(folder.Path() / "board.ipc")};
    if (outcome.message != "board.ipc created successfully") {
        EXPECT_EQ(outcome.netlist, kEarlierNetlist) << outcome.message;
    }
    auto files = e2e::Snapshot(folder.Path());
    EXPECT_EQ(files.size(), 2u) << "only board.pcb and board.ipc";
    return outcome;
}

// The same input by the sanitized program, and by the plain one in a small address space.
void ExpectBoth(const std::string& input, const std::string& message, int status,
                const std::optional<std::string>& netlist)
{
    for (bool bounded : {false, true}) {
        SCOPED_TRACE(bounded ? "plain program in 16 MB" : "sanitized program");
        Outcome outcome = Convert(input, bounded ? UnderAddressSpaceLimit(kBoundedKilobytes) : std::vector<std::string>{});
        EXPECT_EQ(outcome.message, message);
        EXPECT_EQ(outcome.status, status);
        EXPECT_EQ(outcome.netlist, netlist.value_or(kEarlierNetlist));
    }
}

bool IsDefinedFailure(const std::string& message, int status)
{
    static const std::vector<std::string> runLevel = {
        "File format error", "Expecting CIRCAD PCB file type", "Expecting Default Units definition"};
    static const std::vector<std::string> parseErrors = {
        "parameter name", "text parameter", "numeric param", "mili-meters", "unknown unit",
        "expected parameter", "default unit", "nested components", "number of rotation values",
        "unknown pad type", "'center' must have 2 values", "'rotation' must have 1 value",
        "'size' must have 1 or 2 values", "'hole' must have 1 value"};
    if (status == 1)
        return std::find(runLevel.begin(), runLevel.end(), message) != runLevel.end() ||
               (message.starts_with("CIRCAD Version ") && message.ends_with(" - expecting version 6"));
    if (status == 2)
        return message.starts_with("Error: ") &&
               std::find(parseErrors.begin(), parseErrors.end(), message.substr(7)) != parseErrors.end();
    return status == 3 && message == "Not enough memory";
}

// mt19937's output is fixed by the standard, so a seed gives the same bytes everywhere.
std::string RandomBytes(std::uint32_t seed, std::size_t size)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

TEST(HostileInput, RandomBytesEndWithADefinedOutcome)
{
    constexpr std::size_t kMegabyte = 1 << 20;
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        // Bare, and behind a valid header inside an open component, where the
        // bytes reach the record scanners.
        for (const std::string& front : {std::string(), kHeader + "Component:: P1: U1\n"}) {
            SCOPED_TRACE("seed " + std::to_string(seed) + (front.empty() ? "" : " behind a header"));
            for (bool bounded : {false, true}) {
                Outcome outcome = Convert(front + RandomBytes(seed, kMegabyte),
                                          bounded ? UnderAddressSpaceLimit(kBoundedKilobytes)
                                                  : std::vector<std::string>{});
                if (outcome.message == "board.ipc created successfully") {
                    EXPECT_EQ(outcome.status, 1);
                    ASSERT_TRUE(outcome.netlist);
                    EXPECT_TRUE(outcome.netlist->starts_with(Netlist({}).substr(0, 90)));
                    EXPECT_TRUE(outcome.netlist->ends_with("\r\n999\r\n"));
                } else {
                    EXPECT_TRUE(IsDefinedFailure(outcome.message, outcome.status))
                        << outcome.message << " / status " << outcome.status;
                }
            }
        }
    }
}

// Lines are read in pieces of 4095 bytes; nothing holds the whole line.
TEST(HostileInput, TenMegabyteLineWithoutLineFeed)
{
    const std::size_t kTenMegabytes = 10 << 20;
    struct Case {
        const char* what;
        std::string input;
        std::string message;
        int status;
        std::optional<std::string> netlist;
    };
    const Case cases[] = {
        {"white space behind the first line, to the end of the input",
         "Contents: CIRCAD Version 6.0 Data File." + std::string(kTenMegabytes, ' '),
         "board.ipc created successfully", 1, Netlist({})},
        {"a line of no record behind the header", kHeader + std::string(kTenMegabytes, 'x'),
         "board.ipc created successfully", 1, Netlist({})},
        {"a pad's net name", kHeader + "Component:: P1: U1\nPad:: Type: S1 Center: 1mm,2mm Signal: " +
                                 std::string(kTenMegabytes, 'N'),
         "Error: text parameter", 2, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectBoth(c.input, c.message, c.status, c.netlist);
    }
}

TEST(HostileInput, MillionBlankLines)
{
    const std::string lf(1'000'000, '\n');
    std::string crlf;
    for (int i = 0; i < 1'000'000; ++i)
        crlf += "\r\n";
    // Blank lines are passed over everywhere and do not count as pad lines.
    std::string input = lf + "Contents: CIRCAD Version 6.0 Data File.\n" + lf + "File Type: PCB\n" + crlf +
                        "Units:: Default: 1mm\nComponent:: P1: U1\nPad:: Type: S1 Center: 1mm,2mm\n" + lf +
                        "Pad:: Type: T1 Center: 3mm,4mm\n" + crlf;
    ExpectBoth(input, "board.ipc created successfully", 1,
               Netlist({"327                 U1    -.#001      PA00X+001000Y+002000X0000Y0000R000 S0",
                        "317                 U1    -.#002 D0000PA00X+003000Y+004000X0000Y0000R000 S0"}));
}

// The input is read in blocks; a CR LF, a lone CR or a 0x1A may fall on the
// border between two. Each special line is placed with its special byte last
// in the first 2^k bytes, for every k from 16 to 22, whatever the block size.
std::string OnBlockBorders(const std::function<std::string(int k)>& line, std::size_t specialAt)
{
    std::string input = kHeader + "Component:: P1: U1\n";
    for (int k = 16; k <= 22; ++k) {
        std::size_t border = std::size_t{1} << k;
        input.append(border - 1 - specialAt - input.size(), '\n');
        input += line(k);
    }
    return input;
}

TEST(HostileInput, SpecialBytesOnReadBlockBorders)
{
    // A CR LF behind a numeric list: kept as CR, it would leave white space
    // behind the last value ("parameter name").
    auto crLf = [](int k) { return "Pad:: Type: S1 Pin: " + std::to_string(k) + " Center: 1mm,2mm\r\n"; };
    std::vector<std::string> records;
    for (int k = 16; k <= 22; ++k)
        records.push_back("327                 U1    -" + std::to_string(k) +
                          "        PA00X+001000Y+002000X0000Y0000R000 S0");
    ExpectBoth(OnBlockBorders(crLf, crLf(16).size() - 2), "board.ipc created successfully", 1, Netlist(records));

    // A lone CR ends the list like a blank; dropped, "mmX" would be an unknown unit.
    auto loneCr = [](int k) { return "Pad:: Type: S1 Pin: " + std::to_string(k) + " Center: 3mm,4mm\rX: y\n"; };
    records.clear();
    for (int k = 16; k <= 22; ++k)
        records.push_back("327                 U1    -" + std::to_string(k) +
                          "        PA00X+003000Y+004000X0000Y0000R000 S0");
    ExpectBoth(OnBlockBorders(loneCr, loneCr(16).size() - 6), "board.ipc created successfully", 1,
               Netlist(records));

    // 0x1A ends the input; the malformed line behind it is never read.
    std::string input = kHeader + "Component:: P1: U1\n";
    std::string pad = "Pad:: Type: S1 Pin: 1 Center: 5mm,6mm\n";
    input.append((std::size_t{1} << 20) - pad.size() - input.size(), '\n');
    input += pad + "\x1A" + "Pad:: Type: Q9 Center: 1mm,1mm\n";
    ExpectBoth(input, "board.ipc created successfully", 1,
               Netlist({"327                 U1    -1         PA00X+005000Y+006000X0000Y0000R000 S0"}));
}

// A board of 150,000 pads with 200-byte net names: about 40 MB of pads.
std::string LargeBoard()
{
    std::string board = kHeader + "Component:: P1: U1\n";
    const std::string pad = "Pad:: Type: S1 Center: 1mm,2mm Signal: " + std::string(200, 'N') + "\n";
    board.reserve(board.size() + 150'000 * pad.size());
    for (int i = 0; i < 150'000; ++i)
        board += pad;
    return board;
}

// The pads do not fit in 32 MB: the run stops reading, says so, and writes
// nothing, neither a new netlist nor over an existing one.
TEST(OutOfMemory, StopsWithItsMessageAndLeavesTheOutputAlone)
{
    const std::string board = LargeBoard();
    for (bool existing : {false, true}) {
        SCOPED_TRACE(existing ? "beside an existing board.ipc" : "in a clean folder");
        e2e::ScratchFolder folder;
        folder.WriteFile("board.pcb", board);
        if (existing)
            folder.WriteFile("board.ipc", kEarlierNetlist);
        auto before = e2e::Snapshot(folder.Path());

        e2e::RunResult run = e2e::RunConverter(folder.Path(), {"board.pcb"}, UnderAddressSpaceLimit(32 * 1024));

        EXPECT_EQ(e2e::SplitBanner(run.standardOutput).second, "Not enough memory\n");
        EXPECT_EQ(run.exitStatus, 3);
        EXPECT_EQ(run.standardError, "");
        EXPECT_EQ(e2e::Snapshot(folder.Path()), before);
    }
}

// The same board with room to spare converts: what ran out above was memory.
TEST(OutOfMemory, TheLargeBoardConvertsWithEnoughMemory)
{
    e2e::ScratchFolder folder;
    folder.WriteFile("board.pcb", LargeBoard());

    e2e::RunResult run = e2e::RunConverter(folder.Path(), {"board.pcb"}, UnderAddressSpaceLimit(1024 * 1024));

    EXPECT_EQ(e2e::SplitBanner(run.standardOutput).second, "board.ipc created successfully\n");
    EXPECT_EQ(run.exitStatus, 1);
    std::string netlist = e2e::ReadBytes(folder.Path() / "board.ipc");
    EXPECT_EQ(std::count(netlist.begin(), netlist.end(), '\n'), 5 + 150'000);
}

} // namespace
