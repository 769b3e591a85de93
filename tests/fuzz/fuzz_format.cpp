// Format(value, "0.00") of any finite double: digits, a '.', two decimals,
// and the value back within half a hundredth.
#include "framework/text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    double value = 0;
    std::memcpy(&value, data, std::min(size, sizeof value));
    if (!std::isfinite(value))
        return 0;
    const std::string text = fw::Format(value, "0.00");
    const std::size_t sign = text.front() == '-' ? 1 : 0;
    if (text.size() < sign + 4 || text[text.size() - 3] != '.')
        std::abort();
    for (std::size_t i = sign; i < text.size(); ++i) {
        if (i != text.size() - 3 && (text[i] < '0' || text[i] > '9'))
            std::abort();
    }
    if (std::abs(value) < 1e12 && std::abs(fw::Val(text) - value) > 0.005 + 1e-9 * std::abs(value))
        std::abort();
    return 0;
}
