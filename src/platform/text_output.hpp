// A file written in text mode: each line feed is stored as CR LF.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Collects the text in a large block and writes it out when the block is full.
// The first failed write is remembered; later writes are dropped.
class TextOutput {
public:
    // Creates the file, or empties it if it exists. Gives nothing when that fails.
    static std::optional<TextOutput> Create(const char* path);
    // Collects the stored bytes in memory instead.
    static TextOutput ToBytes(std::string& sink);

    TextOutput(TextOutput&&) noexcept;
    TextOutput& operator=(TextOutput&&) = delete;
    ~TextOutput();

    void Write(std::string_view text);
    void Put(char c)
    {
        if (c == '\n' || used_ + 2 > kBlockSize)
            return Write(std::string_view(&c, 1));
        block_[used_++] = c;
    }

    // Writes what is left and closes the file. False if any write, the flush or
    // the close failed.
    bool Close();

private:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

    TextOutput(int fd, std::string* sink, std::unique_ptr<char[]> block);
    void Flush();

    int fd_ = -1;
    std::string* sink_ = nullptr;
    bool failed_ = false;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
};
