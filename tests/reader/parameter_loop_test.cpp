#include "reader/parameter_loop.hpp"

#include "reader/param_value.hpp"
#include "support/expect_parse_error.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using Parameter = std::pair<std::string, std::string>; // name, text value
using Parameters = std::vector<Parameter>;

// Handles every parameter as a handler does a name it does not know: the value
// is scanned as a text. Records what it saw, so a later failure leaves the
// parameters handled before it behind.
struct RecordingHandler {
    ParamValue& value;
    Parameters& seen;

    std::size_t operator()(const char* at)
    {
        std::size_t consumed = value.ParseTextValue(at);
        seen.emplace_back(value.name, value.text);
        return consumed;
    }
};

Parameters Scan(const std::string& line, std::size_t start)
{
    ParamValue value;
    Parameters seen;
    ScanParameters(line.c_str(), start, value, RecordingHandler{value, seen});
    return seen;
}

struct LoopCase {
    std::string line;
    std::size_t start;
    Parameters expected;
};

class ScanParametersHandles : public testing::TestWithParam<LoopCase> {};

TEST_P(ScanParametersHandles, EachParameterInTurn)
{
    const LoopCase& c = GetParam();
    EXPECT_EQ(Scan(c.line, c.start), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScanParametersHandles,
    testing::Values(
        LoopCase{"Pad:: Layer: Top Type: S1 Pin: 1\n", 5,
                 {{"Layer", "Top"}, {"Type", "S1"}, {"Pin", "1"}}},
        LoopCase{"Component:: P1: R5\n", 11, {{"P1", "R5"}}},
        LoopCase{"Units::Default:1mm\n", 7, {{"Default", "1mm"}}},
        LoopCase{"Pad:: Pin: 1 Pin: 2\n", 5, {{"Pin", "1"}, {"Pin", "2"}}},     // handled twice
        LoopCase{"Pad:: Layer : Top\n", 5, {{"Layer ", "Top"}}},
        LoopCase{"Pad:: Layer: Top Copper Type: T1\n", 5, {{"Layer", "Top"}, {"Copper Type", "T1"}}},
        LoopCase{"Pad:: Foo: 1, 2 Size: 3\n", 5, {{"Foo", "1,"}, {"2 Size", "3"}}},
        LoopCase{"Pad:: Layer: \"Top Copper\" Type: S1\n", 5, {{"Layer", "Top Copper"}, {"Type", "S1"}}},
        LoopCase{"Pad:: Layer:\"Top Copper\"Type:S1\n", 5, {{"Layer", "Top Copper"}, {"Type", "S1"}}},
        LoopCase{"Pad:: Signal: \"\" Pin: 1\n", 5, {{"Signal", "\"\""}, {"Pin", "1"}}},
        LoopCase{"Pad:: Pin: 1 \t \r\n", 5, {{"Pin", "1"}}},                    // trailing white space goes with the text
        LoopCase{"Pad:: Pin: 1", 5, {{"Pin", "1"}}},                            // last line without a line feed
        LoopCase{std::string("Pad:: Pin: 1\0 junk\n", 19), 5, {{"Pin", "1"}}}, // a zero byte ends the text
        LoopCase{std::string("Pad:: Pin: 1 Net: A\0B: C\n", 25), 5, {{"Pin", "1"}, {"Net", "A"}}}));

struct FailingLoopCase {
    std::string line;
    const char* description;
    Parameters handledBefore;
};

class ScanParametersStops : public testing::TestWithParam<FailingLoopCase> {};

TEST_P(ScanParametersStops, AfterHandlingWhatCameBefore)
{
    const FailingLoopCase& c = GetParam();
    ParamValue value;
    Parameters seen;
    EXPECT_PARSE_ERROR(ScanParameters(c.line.c_str(), 5, value, RecordingHandler{value, seen}),
                       c.description);
    EXPECT_EQ(seen, c.handledBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScanParametersStops,
    testing::Values(
        FailingLoopCase{"Pad::\n", "parameter name", {}},
        FailingLoopCase{"Pad:: \t \n", "parameter name", {}},
        FailingLoopCase{"Pad::", "parameter name", {}},
        FailingLoopCase{"Pad:: Pin: 1 junk\n", "parameter name", {{"Pin", "1"}}},
        FailingLoopCase{"Pad:: Signal: \"A B\n", "parameter name", {{"Signal", "\"A"}}},
        FailingLoopCase{"Pad:: Pin:\n", "text parameter", {}},
        FailingLoopCase{"Pad:: Type: S1 Pin: \n", "text parameter", {{"Type", "S1"}}},
        FailingLoopCase{"Pad:: : 1\n", "parameter name", {}}));

TEST(ScanParameters, HandsTheHandlerTheValuePosition)
{
    const char* line = "Pad:: Layer:Top  Pin: \"1\"\n";
    ParamValue value;
    std::vector<std::pair<std::string, std::size_t>> calls;
    ScanParameters(line, 5, value, [&](const char* at) {
        calls.emplace_back(value.name, static_cast<std::size_t>(at - line));
        return value.ParseTextValue(at);
    });
    EXPECT_EQ(calls, (std::vector<std::pair<std::string, std::size_t>>{{"Layer", 12}, {"Pin", 22}}));
}

// A handler that consumes a value the way a numeric list does: the value and
// exactly the one byte behind it.
std::size_t ConsumeWordAndOneByte(const char* at)
{
    std::size_t n = 0;
    while (at[n] != ' ' && at[n] != '\n' && at[n] != '\0')
        ++n;
    return at[n] == '\0' ? n : n + 1;
}

TEST(ScanParameters, EndsRightBehindAValueThatTakesOnlyOneByte)
{
    ParamValue value;
    std::vector<std::string> names;
    auto handler = [&](const char* at) {
        names.emplace_back(value.name);
        return ConsumeWordAndOneByte(at);
    };
    ScanParameters("Pad:: Size: 3 Hole: 2\n", 5, value, handler);
    EXPECT_EQ(names, (std::vector<std::string>{"Size", "Hole"}));

    // White space between that value and the line feed makes the loop look for a name.
    names.clear();
    EXPECT_PARSE_ERROR(ScanParameters("Pad:: Size: 3 \n", 5, value, handler), "parameter name");
    EXPECT_EQ(names, (std::vector<std::string>{"Size"}));
}

} // namespace
