#pragma once

#include "raster/coverage.h"
#include "raster/freetype.h"

#include <cstdint>
#include <vector>

namespace raster {

// The bitmap FreeType rendered, as 8-bit coverage: greys as they are,
// colour by its alpha, every other depth converted and stretched to 0..255.
std::vector<std::uint8_t> Greys(const FT_Bitmap &rendered);

// The greys of the slot's rendered bitmap, lying from the origin's pixel.
Coverage SlotCoverage(FT_GlyphSlot slot);

// Coverage scaled by a factor, each pixel the mean of the source area it
// covers.
std::vector<std::uint8_t> Scaled(const std::vector<std::uint8_t> &from, std::int64_t width, std::int64_t height,
    double factor, std::int64_t toWidth, std::int64_t toHeight);

} // namespace raster
