#include "platform/text_input.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;
constexpr char kEndOfText = 0x1A;

} // namespace

TextInput::TextInput(int fd, std::size_t capacity)
    : fd_(fd), buffer_(std::make_unique_for_overwrite<char[]>(capacity)), capacity_(capacity)
{
    next_ = end_ = buffer_.get();
}

TextInput::TextInput(TextInput&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), ended_(other.ended_), pendingCr_(other.pendingCr_),
      buffer_(std::move(other.buffer_)), capacity_(other.capacity_), next_(other.next_),
      end_(other.end_)
{
}

TextInput::~TextInput()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<TextInput> TextInput::Open(const char* path)
{
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    return FromDescriptor(fd);
}

std::optional<TextInput> TextInput::FromDescriptor(int fd)
{
    std::optional<TextInput> input;
    try {
        input.emplace(TextInput(fd, kBlockSize + 1)); // one byte more for a held-back CR
    } catch (...) {
        ::close(fd);
        throw;
    }
    // A path that opens but cannot be read (a folder) counts as one that cannot be opened.
    try {
        input->Refill();
    } catch (const InputReadError&) {
        return std::nullopt;
    }
    return input;
}

TextInput TextInput::FromBytes(std::string_view bytes)
{
    TextInput input(-1, bytes.size() + 1);
    std::memcpy(input.buffer_.get(), bytes.data(), bytes.size());
    input.ended_ = true;
    input.end_ = input.buffer_.get() + input.Translate(bytes.size());
    return input;
}

bool TextInput::Refill()
{
    while (!ended_) {
        char* block = buffer_.get();
        std::size_t held = 0;
        if (pendingCr_) {
            block[0] = '\r';
            held = 1;
            pendingCr_ = false;
        }
        ssize_t got;
        do
            got = ::read(fd_, block + held, capacity_ - 1);
        while (got < 0 && errno == EINTR);
        if (got < 0)
            throw InputReadError();
        if (got == 0)
            ended_ = true;
        next_ = block;
        end_ = block + Translate(held + static_cast<std::size_t>(got));
        if (next_ != end_)
            return true;
    }
    return next_ != end_;
}

// Turns the raw bytes at the start of the buffer into text in place and gives
// the text's length. A CR that ends the bytes while more may follow is held
// back for the next block.
std::size_t TextInput::Translate(std::size_t rawBytes)
{
    char* in = buffer_.get();
    char* stop = in + rawBytes;
    if (auto* eot = static_cast<char*>(std::memchr(in, kEndOfText, rawBytes))) {
        stop = eot;
        ended_ = true;
    }
    char* out = in;
    while (in != stop) {
        auto* cr = static_cast<char*>(std::memchr(in, '\r', static_cast<std::size_t>(stop - in)));
        char* runEnd = cr ? cr : stop;
        std::memmove(out, in, static_cast<std::size_t>(runEnd - in));
        out += runEnd - in;
        if (!cr)
            break;
        in = cr + 1;
        if (in == stop && !ended_) {
            pendingCr_ = true;
            break;
        }
        if (in == stop || *in != '\n')
            *out++ = '\r';
    }
    return static_cast<std::size_t>(out - buffer_.get());
}

std::size_t TextInput::ReadLine(char* dest, std::size_t maxBytes)
{
    std::size_t taken = 0;
    while (taken < maxBytes) {
        if (next_ == end_ && !Refill())
            break;
        std::size_t room = std::min(static_cast<std::size_t>(end_ - next_), maxBytes - taken);
        const auto* lineFeed = static_cast<const char*>(std::memchr(next_, '\n', room));
        std::size_t piece = lineFeed ? static_cast<std::size_t>(lineFeed - next_) + 1 : room;
        std::memcpy(dest + taken, next_, piece);
        next_ += piece;
        taken += piece;
        if (lineFeed)
            break;
    }
    return taken;
}
