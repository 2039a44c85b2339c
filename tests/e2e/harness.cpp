#include "e2e/harness.hpp"

#include <fcntl.h>
#include <fstream>
#include <random>
#include <regex>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace e2e {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder()
{
    std::random_device seed;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = fs::temp_directory_path() / ("circad2ipc-e2e-" + std::to_string(seed()));
        if (fs::create_directory(path_))
            return;
    }
    throw std::runtime_error("cannot make a scratch folder");
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void ScratchFolder::WriteFile(const std::string& name, const std::string& bytes) const
{
    std::ofstream(path_ / name, std::ios::binary) << bytes;
}

std::string ReadBytes(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        throw std::runtime_error("cannot read " + file.string());
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

std::optional<std::string> ReadBytesIfPresent(const fs::path& file)
{
    if (!fs::exists(fs::symlink_status(file)))
        return std::nullopt;
    return ReadBytes(file);
}

RunResult RunConverter(const fs::path& workingFolder, const std::vector<std::string>& args,
                       const std::vector<std::string>& prefix)
{
    ScratchFolder capture;
    fs::path outPath = capture.Path() / "stdout";
    fs::path errPath = capture.Path() / "stderr";

    std::vector<std::string> command = prefix;
    command.push_back(CIRCAD2IPC_BINARY);
    command.insert(command.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : command)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    pid_t child;
    int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        throw std::runtime_error("cannot start " + command[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }

    RunResult result;
    result.standardOutput = ReadBytes(outPath);
    result.standardError = ReadBytes(errPath);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

std::map<std::string, std::string> Snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::string name = fs::relative(entry.path(), folder).generic_string();
        if (entry.is_symlink())
            files[name] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_directory())
            files[name + "/"] = "";
        else
            files[name] = ReadBytes(entry.path());
    }
    return files;
}

bool IsBanner(const std::string& line)
{
    static const std::regex shape(
        R"(.+ - (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 1-3][0-9] [0-9]{4} - IPC356 export for CirCAD\n)");
    return std::regex_match(line, shape);
}

std::pair<std::string, std::string> SplitBanner(const std::string& standardOutput)
{
    std::size_t end = standardOutput.find('\n');
    if (end == std::string::npos)
        return {standardOutput, ""};
    return {standardOutput.substr(0, end + 1), standardOutput.substr(end + 1)};
}

} // namespace e2e
