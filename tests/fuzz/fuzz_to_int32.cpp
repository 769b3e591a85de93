// ToInt32 of any double: truncation toward zero inside the 32-bit range,
// saturation outside it, 0 for NaN.
#include "framework/text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    double value = 0;
    std::memcpy(&value, data, std::min(size, sizeof value));
    const std::int32_t result = fw::ToInt32(value);
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) {
        if (result != 0)
            std::abort();
    } else if (value <= kLow || value >= kHigh) {
        if (result != (value < 0 ? std::numeric_limits<std::int32_t>::min() : std::numeric_limits<std::int32_t>::max()))
            std::abort();
    } else if (static_cast<double>(result) != std::trunc(value)) {
        std::abort();
    }
    return 0;
}
