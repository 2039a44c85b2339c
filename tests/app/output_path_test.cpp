#include "app/output_path.hpp"

#include <gtest/gtest.h>

namespace {

TEST(OutputPath, DerivesPathAndFileName)
{
    struct Case {
        std::string input;
        std::string outputPath;
        std::string fileName;
    } const cases[] = {
        {"board.pcb", "board.ipc", "board.ipc"},
        {"D:\\jobs\\Board.PCB", "D:\\jobs\\Board.ipc", "Board.ipc"},
        {"board.Pcb", "board.ipc", "board.ipc"},
        {"board", "board.ipc", "board.ipc"},
        {"board.txt", "board.txt.ipc", "board.txt.ipc"},
        {"board.pcbx", "board.pcbx.ipc", "board.pcbx.ipc"},
        {"a.b", "a.b.ipc", "a.b.ipc"},
        {".pcb", ".ipc", ".ipc"},
        {"pcb", "pcb.ipc", "pcb.ipc"},
        {"", ".ipc", ".ipc"},
        {"jobs/board.pcb", "jobs/board.ipc", "jobs/board.ipc"},
        {"D:board.pcb", "D:board.ipc", "D:board.ipc"},
        {"x\\", "x\\.ipc", ".ipc"},
        {"board.pc\xC2\xA0", "board.pc\xC2\xA0.ipc", "board.pc\xC2\xA0.ipc"},
    };
    for (const Case& c : cases) {
        std::string path = c.input;
        DeriveOutputPath(path);
        EXPECT_EQ(path, c.outputPath) << c.input;
        EXPECT_EQ(OutputFileName(path), c.fileName) << c.input;
    }
}

} // namespace
