// Runs the built converter in a fresh folder and reads back what it left there.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct RunResult {
    std::string standardOutput;
    std::string standardError;
    int exitStatus = -1;
};

// A fresh, empty folder under the system's temporary folder, removed with the object.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    void WriteFile(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// Runs the converter with these arguments, in workingFolder, with no standard input.
// prefix, when given, is put before the program (e.g. a shell with a ulimit).
RunResult RunConverter(const std::filesystem::path& workingFolder, const std::vector<std::string>& args,
                       const std::vector<std::string>& prefix = {});

std::string ReadBytes(const std::filesystem::path& file);
std::optional<std::string> ReadBytesIfPresent(const std::filesystem::path& file);

// Every file below folder by its relative path, with its bytes ("-> target" for a symlink).
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder);

// The banner's shape: a notice, " - ", a build date "Mmm dd yyyy", " - IPC356 export for CirCAD".
bool IsBanner(const std::string& line);

// Splits standard output into its banner line and the rest.
std::pair<std::string, std::string> SplitBanner(const std::string& standardOutput);

} // namespace e2e
