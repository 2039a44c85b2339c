// The scan of one number: its exact extent in bytes and its value.
#include "reader/number_syntax.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct NumberCase {
    const char* text;
    std::size_t consumed;
    double value;
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.text);
}

class NumberSyntaxValueTest : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberSyntaxValueTest, TakesTheWholeNumberAndItsNearestDouble)
{
    const NumberCase& c = GetParam();
    double value = 12345.0;
    EXPECT_EQ(ScanNumber(c.text, value), c.consumed);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(std::signbit(value), std::signbit(c.value));
}

INSTANTIATE_TEST_SUITE_P(Decimal, NumberSyntaxValueTest, testing::Values(
    NumberCase{"1", 1, 1.0},
    NumberCase{"1.5mm,2mm", 3, 1.5},
    NumberCase{"1.", 2, 1.0},
    NumberCase{".5", 2, 0.5},
    NumberCase{"-.5", 3, -0.5},
    NumberCase{"+2;", 2, 2.0},
    NumberCase{" \t\n\v\f\r7 ", 7, 7.0},
    NumberCase{"1e3", 3, 1000.0},
    NumberCase{"1E+3x", 4, 1000.0},
    NumberCase{"2.5e-1\"", 6, 0.25},
    NumberCase{"1.e2", 4, 100.0},
    NumberCase{"0.1", 3, 0.1},
    NumberCase{"-0", 2, -0.0},
    NumberCase{"007", 3, 7.0},
    NumberCase{"9007199254740993", 16, 9007199254740992.0},
    NumberCase{"1 2", 1, 1.0},
    NumberCase{"1-2", 1, 1.0},
    NumberCase{"1.2.3", 3, 1.2},
    NumberCase{"4.9406564584124654e-324", 23, 4.9406564584124654e-324}));

INSTANTIATE_TEST_SUITE_P(Hexadecimal, NumberSyntaxValueTest, testing::Values(
    NumberCase{"0x1p-3", 6, 0.125},
    NumberCase{"0x.8", 4, 0.5},
    NumberCase{"0X1A", 4, 26.0},
    NumberCase{"-0x10", 5, -16.0},
    NumberCase{"0x1.8P+1mm", 8, 3.0},
    NumberCase{"0xffg", 4, 255.0},
    NumberCase{"0x1.", 4, 1.0},
    NumberCase{"0x10e", 5, 270.0}));

INSTANTIATE_TEST_SUITE_P(Words, NumberSyntaxValueTest, testing::Values(
    NumberCase{"INF", 3, kInf},
    NumberCase{"-inf", 4, -kInf},
    NumberCase{"+Infinity", 9, kInf},
    NumberCase{"INFINITYX", 8, kInf},
    NumberCase{"infinit", 3, kInf},
    NumberCase{"iNf\xB0", 3, kInf}));

INSTANTIATE_TEST_SUITE_P(OutOfRange, NumberSyntaxValueTest, testing::Values(
    NumberCase{"1e999", 5, kInf},
    NumberCase{"-1e999", 6, -kInf},
    NumberCase{"1e-999", 6, 0.0},
    NumberCase{"-1e-999", 7, -0.0},
    NumberCase{"2e-324", 6, 0.0},
    NumberCase{"1e99999999999999999999", 22, kInf},
    NumberCase{"-1e-99999999999999999999", 24, -0.0},
    NumberCase{"0e99999", 7, 0.0},
    NumberCase{"0x1p99999", 9, kInf},
    NumberCase{"-0x1p-99999", 11, -0.0},
    NumberCase{"0.0000000000000000000000000000001e-300", 38, 0.0},
    NumberCase{"1000000000000000000000000000000e300", 35, kInf}));

struct NotANumberCase {
    const char* text;
    std::size_t consumed;
    bool negative;
};

void PrintTo(const NotANumberCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.text);
}

class NumberSyntaxNotANumberTest : public testing::TestWithParam<NotANumberCase> {};

TEST_P(NumberSyntaxNotANumberTest, TakesTheWordAndAClosedRun)
{
    const NotANumberCase& c = GetParam();
    double value = 0.0;
    EXPECT_EQ(ScanNumber(c.text, value), c.consumed);
    EXPECT_TRUE(std::isnan(value));
    EXPECT_EQ(std::signbit(value), c.negative);
}

INSTANTIATE_TEST_SUITE_P(Words, NumberSyntaxNotANumberTest, testing::Values(
    NotANumberCase{"NaN", 3, false},
    NotANumberCase{"nan(abc_1)", 10, false},
    NotANumberCase{"NAN(Z9)mm", 7, false},
    NotANumberCase{"nan()", 5, false},
    NotANumberCase{"-nan", 4, true},
    // A run that is never closed, or holds another byte, is not part of the number.
    NotANumberCase{"nan(", 3, false},
    NotANumberCase{"nan(abc", 3, false},
    NotANumberCase{"nan(a-b)", 3, false},
    NotANumberCase{"nan (a)", 3, false}));

class NumberSyntaxInvalidTest : public testing::TestWithParam<const char*> {};

TEST_P(NumberSyntaxInvalidTest, FindsNoNumberAndLeavesTheValue)
{
    double value = 12345.0;
    EXPECT_EQ(ScanNumber(GetParam(), value), 0u);
    EXPECT_EQ(value, 12345.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberSyntaxInvalidTest, testing::Values(
    "", "   ", "\n", ".", "-", "+", "+-1", "--1", ".e1", "e1", "x", "mm", "\"",
    "1e", "1e+", "1e-", "1ex", "1E-x", "1.5e", "1e 2",
    "0x", "0xg", "0x.", "0x.p1", "0xp1", "0x1p", "0x1p+", "0x1pz", "-0x",
    "in", "inx", "na", "n", "- 1", "\xA0" "1", "\xB0", "_1"));

TEST(NumberSyntaxTest, ReadsAThreeHundredDigitInteger)
{
    std::string digits = "1" + std::string(299, '0');
    double value = 0.0;
    EXPECT_EQ(ScanNumber(digits.c_str(), value), 300u);
    EXPECT_EQ(value, 1e299);

    std::string odd = std::string(300, '9') + ";";
    EXPECT_EQ(ScanNumber(odd.c_str(), value), 300u);
    EXPECT_EQ(value, 1e300);

    std::string tooLarge = "-" + std::string(400, '7');
    EXPECT_EQ(ScanNumber(tooLarge.c_str(), value), 401u);
    EXPECT_EQ(value, -kInf);
}

// Short plain decimals take a quicker road than other numbers; both must give
// the nearest double. Around the limits of that road: 2^53, 19 digits, 22 decimals.
INSTANTIATE_TEST_SUITE_P(ShortDecimalLimits, NumberSyntaxValueTest, testing::Values(
    NumberCase{"9007199254740992", 16, 9007199254740992.0},
    NumberCase{"9007199254740991.5", 18, 9007199254740991.5},
    NumberCase{"900719925474099.35", 18, 900719925474099.35},
    NumberCase{"1234567890123456789", 19, 1234567890123456789.0},
    NumberCase{"12345678901234567890", 20, 12345678901234567890.0},
    NumberCase{"0.0000000000000000000001", 24, 1e-22},
    NumberCase{"0.00000000000000000000001", 25, 1e-23},
    NumberCase{"0.3000000000000000444089209850062616169452667236328125", 54, 0.30000000000000004},
    NumberCase{"77.4192mm", 7, 77.4192},
    NumberCase{"0.000", 5, 0.0},
    NumberCase{"-0.0", 4, -0.0},
    NumberCase{"0X1", 3, 1.0},
    NumberCase{"12.5E1", 6, 125.0}));

// Every decimal with up to 19 digits in a few shapes, against std::from_chars.
TEST(NumberSyntaxTest, ShortDecimalsAreTheNearestDouble)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        std::uint64_t digits = random() >> (random() % 64);
        std::string text = std::to_string(digits);
        std::size_t decimals = random() % (text.size() + 3);
        if (decimals >= text.size())
            text.insert(0, decimals - text.size() + 1, '0');
        text.insert(text.size() - decimals, ".");
        if (decimals == 0 && random() % 2)
            text.pop_back(); // no point at all
        double expected = 0.0;
        ASSERT_EQ(std::from_chars(text.data(), text.data() + text.size(), expected).ec, std::errc()) << text;
        double value = -1.0;
        ASSERT_EQ(ScanNumber(text.c_str(), value), text.size()) << text;
        ASSERT_EQ(value, expected) << text;
    }
}

// Switches the C locale to one that writes a decimal comma, and back to "C" at the end.
class DecimalCommaLocale {
public:
    DecimalCommaLocale()
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "de_DE@euro", "fr_FR.UTF-8",
                                 "fr_FR.utf8", "nl_NL.UTF-8", "ru_RU.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) != nullptr &&
                std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
                active_ = name;
                return;
            }
        }
        std::setlocale(LC_ALL, "C");
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, "C"); }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    const char* active() const { return active_; }

private:
    const char* active_ = nullptr;
};

TEST(NumberSyntaxLocaleTest, IgnoresADecimalCommaLocale)
{
    DecimalCommaLocale locale;
    if (locale.active() == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma is installed (e.g. generate de_DE.UTF-8 "
                        "with locale-gen); the scan was not tried under one";

    double value = 0.0;
    EXPECT_EQ(ScanNumber("1.5mm", value), 3u) << "under " << locale.active();
    EXPECT_EQ(value, 1.5);
    EXPECT_EQ(ScanNumber("2,5", value), 1u);
    EXPECT_EQ(value, 2.0);
    EXPECT_EQ(ScanNumber("-1.25e-1", value), 8u);
    EXPECT_EQ(value, -0.125);
    EXPECT_EQ(ScanNumber("0x1.8p1", value), 7u);
    EXPECT_EQ(value, 3.0);
}

} // namespace
