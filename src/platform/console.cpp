#include "platform/console.hpp"

void Console::Print(std::string_view text)
{
    if (capture_) {
        capture_->append(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stream_);
    std::fflush(stream_);
}
