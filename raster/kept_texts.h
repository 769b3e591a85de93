#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace raster {

// Values kept by short text while they fit a budget of glyphs: any text may
// come, and beyond the budget the keeping starts afresh.
template <class Value> class KeptTexts {
public:
    // The value kept for the text, or the one `make` gives, kept; `glyphs`
    // tells how many glyphs a value holds.
    template <class Make, class Glyphs> Value &Find(std::string_view text, Make &&make, Glyphs &&glyphs)
    {
        if (const auto kept = values_.find(text); kept != values_.end())
            return kept->second;
        constexpr std::size_t kMostGlyphs = 1 << 20;
        if (glyphs_ > kMostGlyphs) {
            values_.clear();
            glyphs_ = 0;
        }
        Value &value = values_.emplace(std::string(text), make()).first->second;
        glyphs_ += glyphs(value) + 1;
        return value;
    }

private:
    std::map<std::string, Value, std::less<>> values_;
    std::size_t glyphs_ = 0;
};

} // namespace raster
