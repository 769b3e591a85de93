// Val reads the number at the start of any text: never NaN or infinite,
// and what follows the number changes nothing.
#include "framework/text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const double value = fw::Val(text);
    if (!std::isfinite(value))
        std::abort();
    if (fw::Val(text + "x") != value || fw::Val(text + "\n5") != value)
        std::abort();
    return 0;
}
