// Numeric lists with unit marks, and their conversion to millimetres and degrees.
#include "reader/param_value.hpp"
#include "support/expect_parse_error.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>

namespace {

constexpr UnitMark kNone = UnitMark::None;
constexpr UnitMark kMm = UnitMark::Millimetre;
constexpr UnitMark kInch = UnitMark::Inch;
constexpr UnitMark kDeg = UnitMark::Degree;
constexpr double kInf = std::numeric_limits<double>::infinity();

struct ListCase {
    const char* text;
    std::size_t consumed;
    std::uint32_t count;
    std::array<double, kMaxValues> values;
    std::array<UnitMark, kMaxValues> marks;
};

void PrintTo(const ListCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.text);
}

class NumericListTest : public testing::TestWithParam<ListCase> {};

TEST_P(NumericListTest, FillsValuesMarksAndCount)
{
    const ListCase& c = GetParam();
    ParamValue value;
    std::strcpy(value.text, "left over");
    EXPECT_EQ(value.ParseNumbers(c.text), c.consumed);
    ASSERT_EQ(value.count, c.count);
    EXPECT_EQ(value.text[0], '\0');
    for (std::uint32_t i = 0; i < c.count; ++i) {
        EXPECT_EQ(value.values[i], c.values[i]) << "value " << i;
        EXPECT_EQ(std::signbit(value.values[i]), std::signbit(c.values[i])) << "value " << i;
        EXPECT_EQ(value.unitMarks[i], c.marks[i]) << "mark " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, NumericListTest, testing::Values(
    ListCase{"1.5mm,2mm\n", 10, 2, {1.5, 2}, {kMm, kMm}},
    ListCase{"1, 2 Size: 3", 5, 2, {1, 2}, {kNone, kNone}},
    ListCase{"1 ,2", 2, 1, {1}, {kNone}},
    ListCase{"5 mm", 2, 1, {5}, {kNone}},
    ListCase{"1;2;3;4\n", 8, 4, {1, 2, 3, 4}, {kNone, kNone, kNone, kNone}},
    ListCase{"  1mm;\t2\";3\xB0,4\n", 15, 4, {1, 2, 3, 4}, {kMm, kInch, kDeg, kNone}},
    ListCase{"400,800 Size: 60", 8, 2, {400, 800}, {kNone, kNone}},
    ListCase{"-.5\n", 4, 1, {-0.5}, {kNone}},
    ListCase{"0x1p-3mm,0x.8\n", 14, 2, {0.125, 0.5}, {kMm, kNone}},
    ListCase{"-1e999;1e-999;-1e-999\n", 22, 3, {-kInf, 0.0, -0.0}, {kNone, kNone, kNone}},
    ListCase{"INF\xB0,-Infinity\n", 15, 2, {kInf, -kInf}, {kDeg, kNone}}));

INSTANTIATE_TEST_SUITE_P(EndingBytes, NumericListTest, testing::Values(
    // A mark may stand at the very end of the text; the end is left for the parameter loop.
    ListCase{"7mm", 3, 1, {7}, {kMm}},
    ListCase{"7\"", 2, 1, {7}, {kInch}},
    ListCase{"7\xB0", 2, 1, {7}, {kDeg}},
    ListCase{"1;2mm", 5, 2, {1, 2}, {kNone, kMm}},
    // Every byte of 0x80 and above ends a list, except 0xB0 right behind a number.
    ListCase{"1\xA0x", 2, 1, {1}, {kNone}},
    ListCase{"1\xFF", 2, 1, {1}, {kNone}},
    ListCase{"1mm\xB0x", 4, 1, {1}, {kMm}},
    ListCase{"90\xB0\xB0", 4, 1, {90}, {kDeg}},
    ListCase{"2\"\xA0", 3, 1, {2}, {kInch}},
    ListCase{"1\x01", 2, 1, {1}, {kNone}},
    ListCase{"1\r\n", 2, 1, {1}, {kNone}},
    ListCase{"1\"\n", 3, 1, {1}, {kInch}}));

TEST(NumericListTest, ReadsNotANumber)
{
    ParamValue value;
    EXPECT_EQ(value.ParseNumbers("nan(abc_1)mm;NaN\n"), 17u);
    ASSERT_EQ(value.count, 2u);
    EXPECT_TRUE(std::isnan(value.values[0]));
    EXPECT_TRUE(std::isnan(value.values[1]));
    EXPECT_EQ(value.unitMarks[0], kMm);
    EXPECT_EQ(value.unitMarks[1], kNone);
}

TEST(NumericListTest, ClearsTheMarksOfAnEarlierList)
{
    ParamValue value;
    value.ParseNumbers("1mm;2\";3\xB0\n");
    EXPECT_EQ(value.ParseNumbers("4;5\n"), 4u);
    EXPECT_EQ(value.unitMarks[0], kNone);
    EXPECT_EQ(value.unitMarks[1], kNone);
}

struct ErrorCase {
    const char* text;
    const char* description;
};

void PrintTo(const ErrorCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.text);
}

class NumericListErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(NumericListErrorTest, StopsTheRunAndLeavesNoCount)
{
    const ErrorCase& c = GetParam();
    ParamValue value;
    value.count = 3;
    std::strcpy(value.text, "left over");
    EXPECT_PARSE_ERROR(value.ParseNumbers(c.text), c.description);
    EXPECT_EQ(value.count, 0u);
    EXPECT_EQ(value.text[0], '\0');
}

INSTANTIATE_TEST_SUITE_P(NoNumber, NumericListErrorTest, testing::Values(
    ErrorCase{"", "numeric param"},
    ErrorCase{"  \n", "numeric param"},
    ErrorCase{"1;\n", "numeric param"},
    ErrorCase{"1;;2\n", "numeric param"},
    ErrorCase{"7", "numeric param"},
    ErrorCase{"1;2;3;4", "numeric param"},
    ErrorCase{"1mm,2", "numeric param"},
    ErrorCase{"1e3", "numeric param"},
    ErrorCase{"1e\n", "numeric param"},
    ErrorCase{"1e+\n", "numeric param"},
    ErrorCase{"1ex\n", "numeric param"},
    ErrorCase{"1e-mm\n", "numeric param"},
    ErrorCase{".\n", "numeric param"},
    ErrorCase{"-\n", "numeric param"},
    ErrorCase{"-mm\n", "numeric param"},
    ErrorCase{"0x\n", "numeric param"},
    ErrorCase{"0xg\n", "numeric param"},
    ErrorCase{"0x1p\n", "numeric param"},
    ErrorCase{"Top\n", "numeric param"},
    ErrorCase{"\xA0" "1\n", "numeric param"}));

INSTANTIATE_TEST_SUITE_P(Units, NumericListErrorTest, testing::Values(
    ErrorCase{"1m\n", "mili-meters"},
    ErrorCase{"1m", "mili-meters"},
    ErrorCase{"1mM\n", "mili-meters"},
    ErrorCase{"1;2m;3\n", "mili-meters"},
    ErrorCase{"1mmm\n", "unknown unit"},
    ErrorCase{"1MM\n", "unknown unit"},
    ErrorCase{"1in\n", "unknown unit"},
    ErrorCase{"1mm\"\n", "unknown unit"},
    ErrorCase{"1\"\"\n", "unknown unit"},
    ErrorCase{"1\xB0\"\n", "unknown unit"},
    ErrorCase{"1\"mm\n", "unknown unit"},
    ErrorCase{"1:2\n", "unknown unit"},
    ErrorCase{"1\x7F\n", "unknown unit"},
    ErrorCase{"INFINITYX\n", "unknown unit"},
    ErrorCase{"nan(\n", "unknown unit"},
    ErrorCase{"1.2.3\n", "unknown unit"}));

INSTANTIATE_TEST_SUITE_P(Length, NumericListErrorTest, testing::Values(
    ErrorCase{"1;2;3;4;\n", "expected parameter"},
    ErrorCase{"1;2;3;4;", "expected parameter"},
    ErrorCase{"1;2;3;4;5\n", "expected parameter"},
    ErrorCase{"1mm,2mm,3mm,4mm,\n", "expected parameter"}));

struct ConversionCase {
    const char* text;
    double defaultUnitScale;
    std::array<double, kMaxValues> millimetres;
};

void PrintTo(const ConversionCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.text);
}

class UnitConversionLengthTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(UnitConversionLengthTest, GivesMillimetres)
{
    const ConversionCase& c = GetParam();
    ParamValue value;
    value.ParseNumbers(c.text);
    ConvertLengths(value, c.defaultUnitScale);
    for (std::uint32_t i = 0; i < value.count; ++i)
        EXPECT_DOUBLE_EQ(value.values[i], c.millimetres[i]) << "value " << i;
}

INSTANTIATE_TEST_SUITE_P(Marks, UnitConversionLengthTest, testing::Values(
    ConversionCase{"2;2\xB0;2mm;2\"\n", 25.4, {50.8, 50.8, 2, 50.8}},
    ConversionCase{"400,800\n", 0.0254, {10.16, 20.32}},
    ConversionCase{"0.001\"\n", 0.0, {0.0254}},
    ConversionCase{"3mm;4\n", 2.0, {3, 8}}));

TEST(UnitConversionTest, ConvertsOnlyTheListedLengths)
{
    ParamValue value;
    value.ParseNumbers("1;1;1;1\n");
    value.ParseNumbers("2\n");
    ConvertLengths(value, 10.0);
    EXPECT_EQ(value.values[0], 20.0);
    EXPECT_EQ(value.values[1], 1.0);
}

struct AngleCase {
    const char* text;
    double degrees;
};

void PrintTo(const AngleCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.text);
}

class UnitConversionAngleTest : public testing::TestWithParam<AngleCase> {};

TEST_P(UnitConversionAngleTest, GivesDegrees)
{
    ParamValue value;
    value.ParseNumbers(GetParam().text);
    ConvertAngle(value);
    EXPECT_DOUBLE_EQ(value.values[0], GetParam().degrees);
}

INSTANTIATE_TEST_SUITE_P(Marks, UnitConversionAngleTest, testing::Values(
    AngleCase{"0.25\n", 90},
    AngleCase{"0.25mm\n", 90},
    AngleCase{"0.25\"\n", 90},
    AngleCase{"90\xB0\n", 90},
    AngleCase{"-0.5\n", -180},
    AngleCase{"45.5\xB0", 45.5}));

} // namespace
