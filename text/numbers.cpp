#include "text/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace text {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t i)
{
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

// Decimal position of the first significant digit plus the exponent, with
// the exponent's digits saturated: tells an overflow from an underflow.
long long DecimalMagnitude(std::string_view mantissa, std::string_view exponent)
{
    long long magnitude = 0;
    const std::size_t point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const std::size_t firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string_view::npos) {
        magnitude = static_cast<long long>(whole.size() - firstWhole);
    } else if (point != std::string_view::npos) {
        const std::string_view fraction = mantissa.substr(point + 1);
        const std::size_t firstFraction = fraction.find_first_not_of('0');
        magnitude = -static_cast<long long>(firstFraction == std::string_view::npos ? fraction.size() : firstFraction);
    }
    long long exponentValue = 0;
    bool negative = false;
    for (char c : exponent) {
        if (c == '-')
            negative = true;
        else if (IsDigit(c) && exponentValue < 1'000'000'000)
            exponentValue = exponentValue * 10 + (c - '0');
    }
    return magnitude + (negative ? -exponentValue : exponentValue);
}

} // namespace

std::int32_t ToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

namespace {

// Where Val's number lies in a text: its sign, its mantissa and its end
// after any exponent; no digits, no number.
struct Number {
    bool negative = false;
    std::size_t mantissaStart = 0;
    std::size_t mantissaEnd = 0;
    std::size_t end = 0;
    bool found = false;
};

Number Scan(std::string_view text)
{
    Number number;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        ++i;
    }
    number.mantissaStart = i;
    i = SkipDigits(text, i);
    number.found = i > number.mantissaStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, i + 1);
        number.found = number.found || fractionEnd > i + 1;
        i = fractionEnd;
    }
    number.mantissaEnd = i;
    if (number.found && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t exponentEnd = SkipDigits(text, j);
        if (exponentEnd > j)
            i = exponentEnd;
    }
    number.end = number.found ? i : 0;
    return number;
}

} // namespace

std::size_t NumberLength(std::string_view text)
{
    return Scan(text).end;
}

double Val(std::string_view text)
{
    const Number scanned = Scan(text);
    if (!scanned.found)
        return 0.0;
    const std::size_t mantissaStart = scanned.mantissaStart;
    const std::size_t mantissaEnd = scanned.mantissaEnd;
    const std::size_t i = scanned.end;
    const bool negative = scanned.negative;

    // from_chars rejects a leading '+' and a bare trailing '.', so it gets
    // the unsigned number rebuilt in its own grammar.
    std::string number(text.substr(mantissaStart, mantissaEnd - mantissaStart));
    if (number.back() == '.')
        number.pop_back();
    if (number.front() == '.')
        number.insert(number.begin(), '0');
    const std::string_view exponent = text.substr(mantissaEnd, i - mantissaEnd);
    number.append(exponent);

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        const std::string_view mantissa = text.substr(mantissaStart, mantissaEnd - mantissaStart);
        value = DecimalMagnitude(mantissa, exponent.empty() ? exponent : exponent.substr(1)) > 0
            ? std::numeric_limits<double>::max()
            : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::string Str(std::int64_t value)
{
    return std::to_string(value);
}

std::string Format(double value, std::string_view pattern)
{
    const std::size_t point = pattern.find('.');
    const std::string_view whole = pattern.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    const auto zeros = [](std::string_view part) { return part.find_first_not_of('0') == std::string_view::npos; };
    if (whole != "0" || !zeros(fraction) || (point != std::string_view::npos && fraction.empty()))
        throw std::invalid_argument("Unsupported number format pattern: " + std::string(pattern));

    const int decimals = static_cast<int>(fraction.size());
    // On the stack for the usual few decimals: a table formats hundreds.
    constexpr std::size_t kUsual = 16 + 2 + std::numeric_limits<double>::max_exponent10 + 8;
    std::array<char, kUsual> usual;
    std::vector<char> more;
    char *buffer = usual.data();
    std::size_t size = usual.size();
    if (static_cast<std::size_t>(decimals) > 16) {
        more.resize(static_cast<std::size_t>(decimals) + kUsual);
        buffer = more.data();
        size = more.size();
    }
    const auto [end, error] = std::to_chars(buffer, buffer + size, value, std::chars_format::fixed, decimals);
    if (error != std::errc())
        throw std::invalid_argument("Number cannot be formatted");
    return std::string(buffer, end);
}

} // namespace text
