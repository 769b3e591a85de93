#include "framework/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

constexpr double kMax = std::numeric_limits<double>::max();

struct ValCase {
    std::string text;
    double expected;
};

TEST(Val, ReadsTheLeadingNumberAndIgnoresTheRest)
{
    const ValCase cases[] = {
        {"30", 30.0},
        {"  \t-2.5xyz", -2.5},
        {"+4", 4.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"-.25", -0.25},
        {"1e3", 1000.0},
        {"1E+2", 100.0},
        {"2.5e-1", 0.25},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"12 34", 12.0},
        {"1,5", 1.0},
        {"007", 7.0},
        {"0x1F", 0.0},
        {"", 0.0},
        {" ", 0.0},
        {"-", 0.0},
        {".", 0.0},
        {"-.e5", 0.0},
        {"abc", 0.0},
        {"inf", 0.0},
        {"nan", 0.0},
        {"\n5", 0.0},
        {"1e308", 1e308},
        {"1e309", kMax},
        {"-1e99999999999999999999", -kMax},
        {"1e-400", 0.0},
        {"0.000001e-999999", 0.0},
        {std::string(5000, '9'), kMax},
        {"0." + std::string(5000, '0') + "1", 0.0},
        {"72", 72.0},
    };
    for (const ValCase &c : cases)
        EXPECT_EQ(fw::Val(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Val, NegativeZeroIsZero)
{
    EXPECT_EQ(fw::Val("-0"), 0.0);
}

TEST(ToInt32, TruncatesTowardZeroAndSaturates)
{
    const struct {
        double value;
        std::int32_t expected;
    } cases[] = {
        {0.0, 0},
        {6.5, 6},
        {-6.5, -6},
        {102.4 * 5 + 3, 515},
        {204.8, 204},
        {2147483646.9, 2147483646},
        {2147483647.0, 2147483647},
        {2147483648.0, 2147483647},
        {1e300, 2147483647},
        {-2147483648.0, -2147483647 - 1},
        {-2147483649.5, -2147483647 - 1},
        {-1e300, -2147483647 - 1},
        {std::numeric_limits<double>::infinity(), 2147483647},
        {-std::numeric_limits<double>::infinity(), -2147483647 - 1},
        {std::nan(""), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fw::ToInt32(c.value), c.expected) << c.value;
}

TEST(Format, GivesTwoDecimalsWithADotWhateverTheValue)
{
    EXPECT_EQ(fw::Format(73 * 0.1, "0.00"), "7.30");
    EXPECT_EQ(fw::Format(5 * 0.1, "0.00"), "0.50");
    EXPECT_EQ(fw::Format(0 * 0.1, "0.00"), "0.00");
    EXPECT_EQ(fw::Format(433 * 0.1, "0.00"), "43.30");
    EXPECT_EQ(fw::Format(0.125, "0.00"), "0.12");
    EXPECT_EQ(fw::Format(12345678.0, "0.00"), "12345678.00");
    EXPECT_EQ(fw::Format(2.5, "0"), "2");
    EXPECT_EQ(fw::Format(2.25, "0.0"), "2.2");
    EXPECT_EQ(fw::Format(kMax, "0.00").size(), 312u);
}

TEST(Format, RejectsPatternsItDoesNotKnow)
{
    for (const char *pattern : {"", "#.##", "0.", "00.00", "0.0#", "0,00"})
        EXPECT_THROW(fw::Format(1.0, pattern), std::invalid_argument) << pattern;
}

TEST(Str, WritesPlainDecimals)
{
    EXPECT_EQ(fw::Str(9), "9");
    EXPECT_EQ(fw::Str(256), "256");
    EXPECT_EQ(fw::Str(-3), "-3");
}

TEST(Chr, EncodesUtf8)
{
    EXPECT_EQ(fw::Chr(9), "\t");
    EXPECT_EQ(fw::Chr(13), "\r");
    EXPECT_EQ(fw::Chr(0xE9), "\xC3\xA9");
    EXPECT_EQ(fw::Chr(0x20AC), "\xE2\x82\xAC");
    EXPECT_EQ(fw::Chr(0x1F600), "\xF0\x9F\x98\x80");
    EXPECT_EQ(fw::Chr(0xD800), "\xEF\xBF\xBD");
    EXPECT_EQ(fw::Chr(0x110000), "\xEF\xBF\xBD");
}

TEST(Mid, CountsCharactersFromOne)
{
    EXPECT_EQ(fw::Mid("abc", 1, 1), "a");
    EXPECT_EQ(fw::Mid("abc", 3, 1), "c");
    EXPECT_EQ(fw::Mid("abc", 4, 1), "");
    EXPECT_EQ(fw::Mid("abc", 2, 5), "bc");
    EXPECT_EQ(fw::Mid("abc", 2, -1), "bc");
    EXPECT_EQ(fw::Mid("abc", 0, 2), "ab");
    EXPECT_EQ(fw::Mid("a\xC3\xA9"
                      "b",
                  2, 1),
        "\xC3\xA9");
    EXPECT_EQ(fw::Mid("\xF0\x9F\x98\x80x", 2, 1), "x");
}

TEST(SameText, IgnoresCase)
{
    EXPECT_TRUE(fw::SameText("Courier", "Courier"));
    EXPECT_TRUE(fw::SameText("courier", "COURIER"));
    EXPECT_FALSE(fw::SameText("Courier New", "Courier"));
    EXPECT_FALSE(fw::SameText("", "Courier"));
}

} // namespace
