#include "framework/text.h"

#include <QString>
#include <QStringList>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace fw {

namespace {

bool HasRightToLeft(const QString &text)
{
    const QList<uint> codes = text.toUcs4();
    return std::any_of(codes.begin(), codes.end(), [](uint code) {
        switch (QChar::direction(code)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
            return true;
        default:
            return false;
        }
    });
}

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

double Val(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    i = SkipDigits(text, i);
    bool hasDigits = i > mantissaStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, i + 1);
        hasDigits = hasDigits || fractionEnd > i + 1;
        i = fractionEnd;
    }
    if (!hasDigits)
        return 0.0;
    const std::size_t mantissaEnd = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t exponentEnd = SkipDigits(text, j);
        if (exponentEnd > j)
            i = exponentEnd;
    }

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

std::string Chr(std::uint32_t code)
{
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

std::string Mid(std::string_view text, std::int64_t start, std::int64_t length)
{
    // A character is a lead byte with the continuation bytes that follow it.
    const auto isContinuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    const auto nextCharacter = [&](std::size_t i) {
        ++i;
        while (i < text.size() && isContinuation(text[i]))
            ++i;
        return i;
    };
    std::size_t begin = 0;
    for (std::int64_t skipped = 1; skipped < start && begin < text.size(); ++skipped)
        begin = nextCharacter(begin);
    if (length < 0)
        return std::string(text.substr(begin));
    std::size_t end = begin;
    for (std::int64_t taken = 0; taken < length && end < text.size(); ++taken)
        end = nextCharacter(end);
    return std::string(text.substr(begin, end - begin));
}

std::vector<std::string> Graphemes(std::string_view text)
{
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, string);
    std::vector<std::string> graphemes;
    for (qsizetype start = 0, end = 0; (end = boundaries.toNextBoundary()) > 0; start = end)
        graphemes.push_back(string.mid(start, end - start).toStdString());
    return graphemes;
}

std::vector<std::uint32_t> ComposedCodePoints(std::string_view text)
{
    const QList<uint> codes = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                                  .normalized(QString::NormalizationForm_C)
                                  .toUcs4();
    return std::vector<std::uint32_t>(codes.begin(), codes.end());
}

namespace {

// A character that shows nothing of itself: a control or format character,
// a space, or none at all.
bool Unseen(uint code)
{
    switch (QChar::category(code)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QList<uint> CodePoints(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4();
}

} // namespace

bool ShowsItself(std::string_view text)
{
    const QList<uint> codes = CodePoints(text);
    return std::any_of(codes.begin(), codes.end(), [](uint code) { return !Unseen(code); });
}

bool IsWhiteSpace(std::string_view text)
{
    const QList<uint> codes = CodePoints(text);
    return !codes.isEmpty() && std::all_of(codes.begin(), codes.end(), [](uint code) { return QChar::isSpace(code); });
}

std::string ReadableName(std::string_view character)
{
    const QList<uint> codes = CodePoints(character);
    QStringList names;
    QString seen;
    // Right-to-left text is isolated in its own direction, so that the
    // sentence around it keeps its order.
    const auto endSeen = [&] {
        if (!seen.isEmpty())
            names << (HasRightToLeft(seen) ? QChar(0x2068) + seen + QChar(0x2069) : seen);
        seen.clear();
    };
    for (const uint code : codes) {
        if (Unseen(code)) {
            endSeen();
            names << QStringLiteral("U+%1").arg(code, 4, 16, QLatin1Char('0')).toUpper();
        } else {
            seen += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        }
    }
    endSeen();
    return names.join(QLatin1Char(' ')).toStdString();
}

bool SameText(std::string_view a, std::string_view b)
{
    return QString::compare(QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size())),
               QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())), Qt::CaseInsensitive)
        == 0;
}

} // namespace fw
