#pragma once

#include <algorithm>
#include <cstdint>

namespace raster {

// A signed distance (pixels, inside positive) as a field's grey: 127.5 on
// the edge, where a reader cutting at half draws it, linear over `spread`
// pixels either side, 255 and 0 beyond; rounded.
class FieldGreys {
public:
    explicit FieldGreys(int spread)
        : scale_(127.5F / static_cast<float>(spread))
    {
    }

    std::uint8_t operator()(float distance) const
    {
        return static_cast<std::uint8_t>(std::clamp(127.5F + distance * scale_, 0.0F, 255.0F) + 0.5F);
    }

private:
    float scale_;
};

} // namespace raster
