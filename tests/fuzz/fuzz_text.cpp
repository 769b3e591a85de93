// libFuzzer on the conversions between text and numbers; the first byte
// chooses which, the rest is the text or the bits of a double.
#include "text/characters.h"
#include "text/numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string text(reinterpret_cast<const char *>(data) + 1, size - 1);
    double value = 0;
    std::memcpy(&value, text.data(), std::min(text.size(), sizeof value));
    const auto check = [](bool holds) {
        if (!holds)
            std::abort();
    };
    switch (data[0] % 3) {
    case 0: {
        // Never NaN or infinite; what follows the number changes nothing.
        const double read = text::Val(text);
        check(std::isfinite(read) && text::Val(text + "x") == read && text::Val(text + "\n5") == read);
        break;
    }
    case 1: {
        // Truncation toward zero inside the 32-bit range, saturation outside it, 0 for NaN.
        constexpr double kLow = std::numeric_limits<std::int32_t>::min();
        constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
        const double expected = std::isnan(value) ? 0
            : value <= kLow                       ? kLow
            : value >= kHigh                      ? kHigh
                                                  : std::trunc(value);
        check(text::ToInt32(value) == expected);
        break;
    }
    default: {
        // Digits, a '.', two decimals, and the value back within half a hundredth.
        if (!std::isfinite(value))
            break;
        const std::string formatted = text::Format(value, "0.00");
        const std::size_t point = formatted.size() - 3;
        check(formatted.size() >= 4 && formatted[point] == '.');
        for (std::size_t i = formatted[0] == '-' ? 1 : 0; i < formatted.size(); ++i)
            check(i == point || (formatted[i] >= '0' && formatted[i] <= '9'));
        check(std::abs(value) >= 1e12 || std::abs(text::Val(formatted) - value) <= 0.005 + 1e-9 * std::abs(value));
    }
    }
    return 0;
}
