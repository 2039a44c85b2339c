#include "platform/text_output.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

TextOutput::TextOutput(int fd, std::string* sink, std::unique_ptr<char[]> block)
    : fd_(fd), sink_(sink), block_(std::move(block))
{
}

TextOutput::TextOutput(TextOutput&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), sink_(other.sink_), failed_(other.failed_),
      block_(std::move(other.block_)), used_(other.used_)
{
}

TextOutput::~TextOutput()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<TextOutput> TextOutput::Create(const char* path)
{
    // The block is had before the file is touched, so running out of memory
    // here leaves an existing file as it was.
    auto block = std::make_unique_for_overwrite<char[]>(kBlockSize);
    int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return std::nullopt;
    return TextOutput(fd, nullptr, std::move(block));
}

TextOutput TextOutput::ToBytes(std::string& sink)
{
    return TextOutput(-1, &sink, std::make_unique_for_overwrite<char[]>(kBlockSize));
}

void TextOutput::Write(std::string_view text)
{
    while (!text.empty()) {
        // Each line feed needs two bytes of room.
        if (used_ + 2 > kBlockSize)
            Flush();
        std::size_t room = (kBlockSize - used_) / 2;
        std::size_t take = text.size() < room ? text.size() : room;
        const char* from = text.data();
        const char* stop = from + take;
        while (from != stop) {
            const auto* lineFeed =
                static_cast<const char*>(std::memchr(from, '\n', static_cast<std::size_t>(stop - from)));
            const char* runEnd = lineFeed ? lineFeed : stop;
            std::memcpy(block_.get() + used_, from, static_cast<std::size_t>(runEnd - from));
            used_ += static_cast<std::size_t>(runEnd - from);
            if (!lineFeed)
                break;
            block_[used_++] = '\r';
            block_[used_++] = '\n';
            from = lineFeed + 1;
        }
        text.remove_prefix(take);
    }
}

void TextOutput::Flush()
{
    if (sink_) {
        sink_->append(block_.get(), used_);
    } else if (!failed_) {
        const char* from = block_.get();
        std::size_t left = used_;
        while (left > 0) {
            ssize_t put = ::write(fd_, from, left);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0) {
                failed_ = true;
                break;
            }
            from += put;
            left -= static_cast<std::size_t>(put);
        }
    }
    used_ = 0;
}

bool TextOutput::Close()
{
    Flush();
    if (fd_ >= 0) {
        if (::close(fd_) != 0)
            failed_ = true;
        fd_ = -1;
    }
    return !failed_;
}
