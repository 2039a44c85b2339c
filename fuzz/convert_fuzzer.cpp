// libFuzzer target: the whole conversion in memory, with what every run must
// show checked on every input. A violated check aborts with a note on stderr.
//
//   success: the banner and "<name> created successfully"; a netlist of CR LF
//            lines: the four header lines, one well-formed 317/327 record per
//            line, "999"; records in (net, reference, pin) byte order, their
//            texts taken from the input;
//   failure: the banner and exactly one of the defined messages; no netlist;
//   always:  the same bytes, messages and status when converted again.
#include "app/run_driver.hpp"
#include "platform/console.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kOutputName = "board.ipc";
constexpr std::string_view kBannerEnd = " - IPC356 export for CirCAD";

[[noreturn]] void Fail(const char* what, std::string_view near = {})
{
    std::fprintf(stderr, "\n*** check failed: %s\n", what);
    if (!near.empty()) {
        std::fprintf(stderr, "*** near: ");
        for (char c : near.substr(0, 400)) {
            auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7F)
                std::fputc(byte, stderr);
            else
                std::fprintf(stderr, "\\x%02X", byte);
        }
        std::fputc('\n', stderr);
    }
    std::abort();
}

void Check(bool ok, const char* what, std::string_view near = {})
{
    if (!ok)
        Fail(what, near);
}

bool StartsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsWhiteSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::size_t CountOccurrences(std::string_view text, std::string_view what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// Byte order with every byte taken as unsigned, independent of char's signedness.
int CompareBytes(std::string_view a, std::string_view b)
{
    std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

struct Conversion {
    int status = 0;
    std::string console;
    std::optional<std::string> output;
};

Conversion Convert(std::string_view input)
{
    Conversion run;
    Console console(run.console);
    run.status = ConvertBytes(input, kOutputName, console, run.output);
    return run;
}

// ---- Messages ------------------------------------------------------------

constexpr std::array kParseErrors = {
    "parameter name",   "text parameter",
    "numeric param",    "mili-meters",
    "unknown unit",     "expected parameter",
    "default unit",     "nested components",
    "number of rotation values", "unknown pad type",
    "'center' must have 2 values", "'rotation' must have 1 value",
    "'size' must have 1 or 2 values", "'hole' must have 1 value",
};

bool IsVersionMessage(std::string_view message)
{
    constexpr std::string_view kFront = "CIRCAD Version ";
    constexpr std::string_view kBack = " - expecting version 6";
    if (!StartsWith(message, kFront) || message.size() < kFront.size() + kBack.size() + 1 ||
        message.substr(message.size() - kBack.size()) != kBack)
        return false;
    std::string_view number = message.substr(kFront.size(), message.size() - kFront.size() - kBack.size());
    if (number.size() > 10 || (number.size() > 1 && number[0] == '0') || number == "6")
        return false;
    return std::all_of(number.begin(), number.end(), IsDigit);
}

bool IsMessageOfStatus(int status, std::string_view message)
{
    switch (status) {
    case 1:
        return message == "File format error" || message == "Expecting CIRCAD PCB file type" ||
               message == "Expecting Default Units definition" || IsVersionMessage(message);
    case 2:
        return StartsWith(message, "Error: ") &&
               std::any_of(kParseErrors.begin(), kParseErrors.end(),
                           [&](const char* d) { return message.substr(7) == d; });
    case 3:
        return message == "Not enough memory";
    default:
        return false;
    }
}

// The banner, then exactly one line; gives that line without its line feed.
std::string_view MessageLine(std::string_view console)
{
    std::size_t bannerEnd = console.find('\n');
    Check(bannerEnd != std::string_view::npos, "no banner line", console);
    Check(bannerEnd >= kBannerEnd.size() &&
              console.substr(bannerEnd - kBannerEnd.size(), kBannerEnd.size()) == kBannerEnd,
          "banner", console);
    std::string_view rest = console.substr(bannerEnd + 1);
    Check(!rest.empty() && rest.back() == '\n' && rest.find('\n') == rest.size() - 1,
          "not exactly one line behind the banner", console);
    return rest.substr(0, rest.size() - 1);
}

// ---- Records ---------------------------------------------------------------

// Reads a record from its end towards its start. Every field behind the pin is
// a fixed literal or a number bounded by letters, so this way round the split
// is unique; what is left in front is the opcode, net, reference and pin.
class Backward {
public:
    explicit Backward(std::string_view line) : line_(line), end_(line.size()) {}

    void Literal(std::string_view literal)
    {
        Check(end_ >= literal.size() && line_.substr(end_ - literal.size(), literal.size()) == literal,
              "record layout", line_);
        end_ -= literal.size();
    }
    // [sign] digit+, at least width bytes, sign included; zeros only to fill the width.
    void Number(std::size_t width, bool alwaysSigned)
    {
        std::size_t digitsEnd = end_;
        while (end_ > 0 && IsDigit(line_[end_ - 1]))
            --end_;
        std::size_t digits = digitsEnd - end_;
        Check(digits > 0, "number field without digits", line_);
        bool sign = end_ > 0 && (line_[end_ - 1] == '-' || (alwaysSigned && line_[end_ - 1] == '+'));
        Check(sign || !alwaysSigned, "coordinate without its sign", line_);
        if (sign)
            --end_;
        std::size_t total = digitsEnd - end_;
        Check(total >= width, "number field narrower than its width", line_);
        Check(total == width || digits == 1 || line_[digitsEnd - digits] != '0',
              "number field padded beyond its width", line_);
    }
    std::string_view Front() const { return line_.substr(0, end_); }

private:
    std::string_view line_;
    std::size_t end_;
};

// One text field as far as the record shows it: the written bytes, or, when it
// was blank-filled, the text with any number of those trailing blanks.
struct FieldText {
    std::string_view least; // the text without the blanks that may be filling
    std::string_view most;  // the whole field as written
};

FieldText ReadField(std::string_view written, std::size_t width, bool nonEmpty)
{
    if (written.size() > width)
        return {written, written};
    std::size_t kept = written.size();
    while (kept > 0 && written[kept - 1] == ' ')
        --kept;
    if (kept == 0 && nonEmpty)
        kept = 1; // a reference or pin of blanks still has one
    return {written.substr(0, kept), written};
}

struct RecordKey {
    FieldText net, reference, pin;
};

constexpr std::size_t kNetWidth = 14;
constexpr std::size_t kReferenceWidth = 6;
constexpr std::size_t kPinWidth = 4;

// front = opcode (3) + net (>= 14) + 3 blanks + reference (>= 6) + "-" + pin (>= 4).
// Names may hold blanks and dashes, so a front can have more than one such split;
// the key is read back only when the split is unique. Every record whose texts
// fit their fields has a front of exactly 31 bytes, and its split is unique.
std::optional<RecordKey> ReadKey(std::string_view front)
{
    constexpr std::size_t kFixed = 3 + 3 + 1;
    Check(front.size() >= kFixed + kNetWidth + kReferenceWidth + kPinWidth, "record front too short", front);
    std::size_t texts = front.size() - kFixed;
    int splits = 0;
    RecordKey key;
    for (std::size_t net = kNetWidth; net + kReferenceWidth + kPinWidth <= texts && splits < 2; ++net) {
        if (front.substr(3 + net, 3) != "   ")
            continue;
        for (std::size_t ref = kReferenceWidth; net + ref + kPinWidth <= texts && splits < 2; ++ref) {
            std::size_t dash = 3 + net + 3 + ref;
            if (front[dash] != '-')
                continue;
            ++splits;
            key.net = ReadField(front.substr(3, net), kNetWidth, false);
            key.reference = ReadField(front.substr(6 + net, ref), kReferenceWidth, true);
            key.pin = ReadField(front.substr(dash + 1), kPinWidth, true);
        }
    }
    Check(splits > 0, "record front has no net, reference and pin", front);
    if (splits > 1)
        return std::nullopt;
    return key;
}

// Could a come after b whatever blanks filled their fields? Lexicographic order
// grows with each part, so comparing a's least key with b's most key settles it.
bool SurelyAfter(const RecordKey& a, const RecordKey& b)
{
    if (int c = CompareBytes(a.net.least, b.net.most))
        return c > 0;
    if (int c = CompareBytes(a.reference.least, b.reference.most))
        return c > 0;
    return CompareBytes(a.pin.least, b.pin.most) > 0;
}

// ".#" and at least three digits: a name the reader made for a pad without Pin.
std::optional<unsigned long long> GeneratedPinNumber(std::string_view pin)
{
    if (!StartsWith(pin, ".#") || pin.size() < 5 || pin.size() > 12)
        return std::nullopt;
    unsigned long long number = 0;
    for (char c : pin.substr(2)) {
        if (!IsDigit(c))
            return std::nullopt;
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    return number;
}

// Parses one record; gives its key when the front splits uniquely.
std::optional<RecordKey> CheckRecord(std::string_view line)
{
    Check(StartsWith(line, "317") || StartsWith(line, "327"), "not a 317 or 327 record", line);
    bool through = line[1] == '1';
    Backward record(line);
    record.Literal(" S0");
    record.Number(3, false); // rotation
    record.Literal("R");
    record.Number(4, false); // size y
    record.Literal("Y");
    record.Number(4, false); // size x
    record.Literal("X");
    record.Number(7, true); // y
    record.Literal("Y");
    record.Number(7, true); // x
    record.Literal("X");
    if (through) {
        record.Literal("PA00");
        record.Number(4, false); // hole
        record.Literal(" D");
    } else {
        std::string_view front = record.Front();
        Check(front.size() >= 4, "record layout", line);
        std::string_view access = front.substr(front.size() - 4);
        Check(access == "PA00" || access == "PA01" || access == "PA02", "access code", line);
        record.Literal(access);
        record.Literal("      ");
    }
    return ReadKey(record.Front());
}

void CheckNetlist(std::string_view input, std::string_view netlist)
{
    Check(netlist.size() >= 2 && netlist.substr(netlist.size() - 2) == "\r\n", "last line without CR LF", netlist);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < netlist.size();) {
        std::size_t end = netlist.find("\r\n", start);
        std::string_view line = netlist.substr(start, end - start);
        Check(line.find('\n') == std::string_view::npos, "line feed without CR", line);
        lines.push_back(line);
        start = end + 2;
    }
    const std::string title = "P  TITLE Testpoint Report for " + std::string(kOutputName);
    Check(lines.size() >= 5, "netlist too short", netlist);
    Check(lines[0] == "P  JOB" && lines[1] == "P  UNITS CUST 1" && lines[2] == title &&
              lines[3] == "P  VER IPC-D-356A",
          "header block", netlist);
    Check(lines.back() == "999", "end record", netlist);

    // Each record comes from a line that began with "Pad::"; the raw input holds
    // that keyword at least once per record.
    std::size_t records = lines.size() - 5;
    std::size_t padLines = CountOccurrences(input, "Pad::");
    Check(records <= padLines, "more records than pad lines", netlist);

    std::optional<RecordKey> previous;
    for (std::size_t i = 4; i + 1 < lines.size(); ++i) {
        std::optional<RecordKey> key = CheckRecord(lines[i]);
        if (!key)
            continue;
        // Texts come from the input as they were read; only pins are made up.
        for (std::string_view text : {key->net.least, key->reference.least})
            Check(input.find(text) != std::string_view::npos, "text not in the input", lines[i]);
        if (auto number = GeneratedPinNumber(key->pin.least))
            Check(*number >= 1 && *number <= padLines, "generated pin beyond the pad lines", lines[i]);
        else
            Check(input.find(key->pin.least) != std::string_view::npos, "pin not in the input", lines[i]);
        // Records whose keys could not be read back are skipped; the order is transitive.
        if (previous)
            Check(!SurelyAfter(*previous, *key), "records out of order", lines[i]);
        previous = key;
    }
}

// Only a file beginning with "Contents:", behind white space, passes the first-line check.
bool BeginsLikeADataFile(std::string_view input)
{
    std::size_t at = 0;
    while (at < input.size() && IsWhiteSpace(input[at]))
        ++at;
    return StartsWith(input.substr(at), "Contents:");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    Conversion first = Convert(input);

    std::string_view message = MessageLine(first.console);
    if (first.output) {
        Check(first.status == kExitRunEnded, "success with a status other than 1");
        Check(message == std::string(kOutputName) + " created successfully", "success message", message);
        CheckNetlist(input, *first.output);
    } else {
        Check(IsMessageOfStatus(first.status, message), "failure message or status", message);
    }
    if (message != "File format error")
        Check(BeginsLikeADataFile(input), "first line passed without Contents:", input);

    Conversion second = Convert(input);
    Check(second.status == first.status && second.console == first.console && second.output == first.output,
          "the same input converted twice differs");
    return 0;
}
