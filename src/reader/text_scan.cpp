// Scans of parameter names and text values.
#include "reader/param_value.hpp"

#include "reader/parse_error.hpp"
#include "reader/white_space.hpp"

#include <cassert>
#include <cstring>

namespace {

std::size_t SkipWhiteSpace(const char* at)
{
    std::size_t n = 0;
    while (IsWhiteSpace(at[n]))
        ++n;
    return n;
}

// Length of the run at `at` that ends at `stop` or at the zero byte. Counting
// stops at `room`, which a caller treats as too long: a field is never cut short.
template <typename Stop>
std::size_t RunLength(const char* at, std::size_t room, Stop stop)
{
    std::size_t n = 0;
    while (n < room && at[n] != '\0' && !stop(at[n]))
        ++n;
    return n;
}

template <std::size_t N>
void Store(char (&field)[N], const char* from, std::size_t length)
{
    assert(length > 0 && length < N);
    std::memcpy(field, from, length);
    field[length] = '\0';
}

} // namespace

// name := white space* 1..127 bytes but ':' then ':' then white space*
std::size_t ParamValue::ParseParamName(const char* at)
{
    assert(at != nullptr);
    std::size_t begin = SkipWhiteSpace(at);
    std::size_t length = RunLength(at + begin, sizeof name, [](int c) { return c == ':'; });
    std::size_t colon = begin + length;
    if (length == 0 || length == sizeof name || at[colon] != ':')
        FatalParseError("parameter name");
    Store(name, at + begin, length);
    std::size_t end = colon + 1;
    return end + SkipWhiteSpace(at + end);
}

// text := '"' 1..255 bytes but '"' then '"' then white space*
//       | white space* 1..255 bytes but white space, then white space*
std::size_t ParamValue::ParseTextValue(const char* at)
{
    assert(at != nullptr);
    count = 0;
    // Any flaw of the quoted form (empty, unclosed, too long) leaves the bytes,
    // opening quote included, to the bare form.
    if (at[0] == '"') {
        std::size_t length = RunLength(at + 1, sizeof text, [](int c) { return c == '"'; });
        std::size_t close = 1 + length;
        if (length > 0 && length < sizeof text && at[close] == '"') {
            Store(text, at + 1, length);
            std::size_t end = close + 1;
            return end + SkipWhiteSpace(at + end);
        }
    }
    std::size_t begin = SkipWhiteSpace(at);
    std::size_t length = RunLength(at + begin, sizeof text, [](int c) { return IsWhiteSpace(c); });
    if (length == 0 || length == sizeof text)
        FatalParseError("text parameter");
    Store(text, at + begin, length);
    std::size_t end = begin + length;
    return end + SkipWhiteSpace(at + end);
}
