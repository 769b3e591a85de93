#include "text/characters.h"
#include "text/numbers.h"
#include "text/unicode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double kMax = std::numeric_limits<double>::max();

TEST(Val, ReadsTheLeadingNumberAndIgnoresTheRest)
{
    const std::pair<std::string, double> cases[]
        = {{"30", 30.0}, {"  \t-2.5xyz", -2.5}, {"+4", 4.0}, {".5", 0.5}, {"5.", 5.0}, {"-.25", -0.25}, {"1E+2", 100.0},
            {"2.5e-1", 0.25}, {"1e", 1.0}, {"1e+", 1.0}, {"12 34", 12.0}, {"1,5", 1.0}, {"007", 7.0}, {"-0", 0.0},
            {"0x1F", 0.0}, {"", 0.0}, {"-", 0.0}, {".", 0.0}, {"-.e5", 0.0}, {"inf", 0.0}, {"nan", 0.0}, {"\n5", 0.0},
            {"1e308", 1e308}, {"1e309", kMax}, {"-1e99999999999999999999", -kMax}, {"1e-400", 0.0},
            {"0.000001e-999999", 0.0}, {std::string(5000, '9'), kMax}, {"0." + std::string(5000, '0') + "1", 0.0}};
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(text::Val(text), expected) << '"' << text << '"';
}

TEST(ToInt32, TruncatesTowardZeroAndSaturates)
{
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const std::pair<double, std::int32_t> cases[] = {{6.5, 6}, {-6.5, -6}, {102.4 * 5 + 3, 515}, {204.8, 204},
        {2147483646.9, 2147483646}, {2147483648.0, 2147483647}, {1e300, 2147483647}, {kInfinity, 2147483647},
        {-2147483649.5, -2147483647 - 1}, {-kInfinity, -2147483647 - 1}, {std::nan(""), 0}};
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(text::ToInt32(value), expected) << value;
}

TEST(Format, GivesTheDecimalsOfThePatternWithADot)
{
    const std::tuple<double, const char *, std::string> cases[]
        = {{73 * 0.1, "0.00", "7.30"}, {433 * 0.1, "0.00", "43.30"}, {0.125, "0.00", "0.12"},
            {12345678.0, "0.00", "12345678.00"}, {2.5, "0", "2"}, {2.25, "0.0", "2.2"}};
    for (const auto &[value, pattern, expected] : cases)
        EXPECT_EQ(text::Format(value, pattern), expected);
    EXPECT_EQ(text::Format(kMax, "0.00").size(), 312u);
    for (const char *pattern : {"", "#.##", "0.", "00.00", "0.0#", "0,00"})
        EXPECT_THROW(text::Format(1.0, pattern), std::invalid_argument) << pattern;
}

TEST(Characters, ChrEncodesUtf8AndMidCountsCharactersFromOne)
{
    EXPECT_EQ(
        text::Chr(13) + text::Chr(0xE9) + text::Chr(0x20AC) + text::Chr(0x1F600), "\r\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(text::Chr(0xD800) + text::Chr(0x110000), "\xEF\xBF\xBD\xEF\xBF\xBD") << "no Unicode: U+FFFD";
    const std::tuple<std::string, int, int, std::string> cases[]
        = {{"abc", 1, 1, "a"}, {"abc", 4, 1, ""}, {"abc", 2, 5, "bc"}, {"abc", 2, -1, "bc"}, {"abc", 0, 2, "ab"},
            {"a\xC3\xA9z", 2, 1, "\xC3\xA9"}, {"\xF0\x9F\x98\x80x", 2, 1, "x"}};
    for (const auto &[text, start, length, expected] : cases)
        EXPECT_EQ(text::Mid(text, start, length), expected) << text << " " << start << " " << length;
    EXPECT_TRUE(text::SameText("courier", "COURIER"));
    EXPECT_FALSE(text::SameText("Courier New", "Courier"));
}

TEST(Unicode, GraphemesNormalFormsAndNamesFollowUnicode)
{
    const std::pair<std::string, std::vector<std::string>> segments[] = {
        {"e\xCC\x81x", {"e\xCC\x81", "x"}}, // a base and its mark
        {"\r\n\n", {"\r\n", "\n"}},
        {"\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7", {"\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7"}},
        {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\xF0\x9F\x87\xAB", {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA", "\xF0\x9F\x87\xAB"}},
        {"a\xFF" "b", {"a", "\xEF\xBF\xBD", "b"}}, {"", {}}};
    for (const auto &[text, expected] : segments)
        EXPECT_EQ(text::Graphemes(text), expected) << text;
    EXPECT_EQ(text::ComposedCodePoints("e\xCC\x81"), std::vector<std::uint32_t>{0xE9});
    EXPECT_EQ(text::ComposedCodePoints("\xE1\x84\x80\xE1\x85\xA1"), std::vector<std::uint32_t>{0xAC00}) << "Hangul";
    EXPECT_EQ(text::ComposedCodePoints("\xE2\x84\xAB"), std::vector<std::uint32_t>{0xC5}) << "the angstrom sign";
    EXPECT_EQ(text::ReadableName("D\xE2\x80\x8D\t"), "D U+200D U+0009");
    EXPECT_EQ(text::ReadableName("\xD7\xA9\xD7\x9C"), "\xE2\x81\xA8\xD7\xA9\xD7\x9C\xE2\x81\xA9") << "isolated";
    EXPECT_TRUE(text::IsWhiteSpace("\t\xC2\xA0\xE3\x80\x80"));
    EXPECT_FALSE(text::IsWhiteSpace("") || text::IsWhiteSpace(" x"));
    EXPECT_FALSE(text::ShowsItself("\xE2\x80\x8B \x7F"));
    EXPECT_TRUE(text::ShowsItself(" \xCC\x81"));
    EXPECT_TRUE(text::SameText("\xC3\x89" "COLE", "\xC3\xA9" "cole"));
}

} // namespace
