// Every folder under cases/ is one end-to-end case:
//   input/   copied into a fresh folder, where the converter runs
//   args     its arguments, one per line (optional; default board.pcb; empty: none)
//   stdout   the expected standard output behind the banner line
//   status   the expected exit status
//   output/  the files the run must leave beside the input files, byte for byte;
//            without it the folder must be left exactly as it was.
#include "e2e/harness.hpp"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(CIRCAD2IPC_CASES))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ReadArgs(const fs::path& caseFolder)
{
    auto text = e2e::ReadBytesIfPresent(caseFolder / "args");
    if (!text)
        return {"board.pcb"};
    std::vector<std::string> args;
    std::size_t start = 0;
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos)
            end = text->size();
        args.push_back(text->substr(start, end - start));
        start = end + 1;
    }
    return args;
}

class EndToEnd : public testing::TestWithParam<std::string> {};

TEST_P(EndToEnd, Case)
{
    const fs::path caseFolder = fs::path(CIRCAD2IPC_CASES) / GetParam();
    const std::vector<std::string> args = ReadArgs(caseFolder);
    const bool succeeds = fs::exists(caseFolder / "output");

    // A failing run is tried a second time with a file already at the output
    // path, which must be left as it was.
    for (bool withExistingOutput : {false, true}) {
        if (withExistingOutput && succeeds)
            break;
        SCOPED_TRACE(withExistingOutput ? "with an existing board.ipc" : "in a clean folder");
        e2e::ScratchFolder folder;
        if (fs::exists(caseFolder / "input"))
            fs::copy(caseFolder / "input", folder.Path(),
                     fs::copy_options::recursive | fs::copy_options::copy_symlinks);
        if (withExistingOutput && !fs::exists(folder.Path() / "board.ipc"))
            folder.WriteFile("board.ipc", "an earlier netlist\r\n");

        auto expectedFolder = e2e::Snapshot(folder.Path());
        if (succeeds)
            for (const auto& [name, bytes] : e2e::Snapshot(caseFolder / "output"))
                expectedFolder[name] = bytes;

        e2e::RunResult run = e2e::RunConverter(folder.Path(), args);

        auto [banner, rest] = e2e::SplitBanner(run.standardOutput);
        EXPECT_TRUE(e2e::IsBanner(banner)) << banner;
        EXPECT_EQ(rest, e2e::ReadBytes(caseFolder / "stdout"));
        EXPECT_EQ(run.standardError, "");
        EXPECT_EQ(std::to_string(run.exitStatus) + "\n", e2e::ReadBytes(caseFolder / "status"));
        EXPECT_EQ(e2e::Snapshot(folder.Path()), expectedFolder);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

} // namespace
