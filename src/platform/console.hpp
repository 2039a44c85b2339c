// Standard output for the run's messages; nothing goes to standard error.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Writes text as it stands (paths are printed as the bytes they were given as),
// or collects it in memory.
class Console {
public:
    explicit Console(std::FILE* stream) : stream_(stream) {}
    explicit Console(std::string& capture) : capture_(&capture) {}

    void Print(std::string_view text);

private:
    std::FILE* stream_ = nullptr;
    std::string* capture_ = nullptr;
};
