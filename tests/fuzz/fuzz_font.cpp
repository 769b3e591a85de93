// libFuzzer on the font path (font_input.h): a finding is anything that
// crashes, trips a sanitizer, runs out of time or memory, or breaks what
// must hold.
#include "font_input.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (const std::string broken = DrawFontInput(data, size); !broken.empty()) {
        std::fprintf(stderr, "does not hold: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
