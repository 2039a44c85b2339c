#include "writer/number_field.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Field(double value, int width, bool alwaysSigned)
{
    char out[kMaxNumberField];
    return std::string(out, FormatWholeNumber(out, value, width, alwaysSigned));
}

TEST(NumberField, RoundsHalfwayAwayFromZeroOnTheExactDouble)
{
    struct Case {
        double value;
        double rounded;
    } const cases[] = {
        {0.5, 1}, {1.5, 2}, {2.5, 3}, {952.5, 953}, {-0.5, -1}, {-2.5, -3},
        {952.4999999999999, 952}, {0.49999999999999994, 0}, {4503599627370497.0, 4503599627370497.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfAwayFromZero(c.value), c.rounded) << c.value;
}

TEST(NumberField, WidthsSignsAndZeros)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double value;
        int width;
        bool alwaysSigned;
        std::string field;
    } const cases[] = {
        {12700, 7, true, "+012700"},
        {-3175, 7, true, "-003175"},
        {0, 7, true, "+000000"},
        {0.4, 7, true, "+000000"},
        {-0.1, 7, true, "-000000"},
        {-0.0, 7, true, "-000000"},
        {-0.1, 4, false, "-000"},
        {-0.0, 3, false, "-00"},
        {1000500, 7, true, "+1000500"},
        {952.5, 4, false, "0953"},
        {12500, 4, false, "12500"},
        {-90, 3, false, "-90"},
        {-5, 3, false, "-05"},
        {359.5, 3, false, "360"},
        {1e18, 4, false, "1000000000000000000"},
        {-1e18, 7, true, "-1000000000000000000"},
        {999999999999999999.0, 4, false, "1000000000000000000"},
        {123456789012345.5, 4, false, "123456789012346"},
        {inf, 7, true, "   +inf"},
        {-inf, 4, false, "-inf"},
        {nan, 3, false, "nan"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Field(c.value, c.width, c.alwaysSigned), c.field) << c.value;
}

// Against printf of the value rounded by RoundHalfAwayFromZero, over many
// magnitudes, halfway values and their neighbours, both signs and zero.
TEST(NumberField, AgreesWithPrintfOfTheRoundedValue)
{
    std::mt19937_64 random(11);
    std::vector<double> values = {0.0, -0.0, 0.5, -0.5, 1e17, -1e17, 99999999999999999.0, 9007199254740993.0};
    for (int i = 0; i < 25000; ++i) {
        double scale = std::ldexp(1.0, static_cast<int>(random() % 64) - 4);
        double value = static_cast<double>(random() % (1u << 20)) / 1024.0 * scale;
        double halfway = std::floor(value) + 0.5;
        for (double v : {value, halfway, std::nextafter(halfway, 0.0), std::nextafter(halfway, 1e300)})
            values.push_back(random() % 2 ? -v : v);
    }
    for (double value : values) {
        for (int width : {3, 4, 7}) {
            for (bool alwaysSigned : {false, true}) {
                char expected[kMaxNumberField];
                std::snprintf(expected, sizeof expected, alwaysSigned ? "%+0*.0f" : "%0*.0f", width,
                              RoundHalfAwayFromZero(value));
                ASSERT_EQ(Field(value, width, alwaysSigned), expected) << value;
            }
        }
    }
}

} // namespace
