// A file read in text mode: CR LF reads as LF, a lone CR stays, 0x1A ends the input.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>

// A read failed after the file had been opened and read from.
class InputReadError : public std::runtime_error {
public:
    InputReadError() : std::runtime_error("read error") {}
};

// Reads in large blocks; the translation is done once per block, so line
// reading is a search for the line feed and one copy.
class TextInput {
public:
    // Opens the file with exactly these path bytes and reads its first block.
    // Gives nothing when the file cannot be opened or that first read fails.
    static std::optional<TextInput> Open(const char* path);
    // The same over a descriptor open for reading, which the input then owns.
    static std::optional<TextInput> FromDescriptor(int fd);
    // The same translations over bytes held in memory.
    static TextInput FromBytes(std::string_view bytes);

    TextInput(TextInput&&) noexcept;
    TextInput& operator=(TextInput&&) = delete;
    ~TextInput();

    // The next byte without taking it, or -1 at the end of the input.
    int Peek()
    {
        if (next_ == end_ && !Refill())
            return -1;
        return static_cast<unsigned char>(*next_);
    }
    void Skip() { ++next_; } // only after a Peek that gave a byte

    // Takes bytes up to and including the next line feed, at most maxBytes of them,
    // into dest. Returns how many; 0 only at the end of the input.
    std::size_t ReadLine(char* dest, std::size_t maxBytes);

private:
    TextInput(int fd, std::size_t capacity);
    bool Refill(); // false at the end of the input; throws InputReadError
    std::size_t Translate(std::size_t rawBytes);

    int fd_ = -1;           // -1 for bytes in memory
    bool ended_ = false;    // no more raw bytes to come (end of file or 0x1A met)
    bool pendingCr_ = false; // a CR ended the last block; its follower decides
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    const char* next_ = nullptr;
    const char* end_ = nullptr;
};
