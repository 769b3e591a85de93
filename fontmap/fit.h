#pragma once

#include "fontmap/atlas_settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantor {

class AtlasEngine;

// What View > Fit Glyphs to Cells found: the size to draw at, one of those
// offered, and the offsets that centre the ink, in texture pixels; and what
// the user must be told, empty when the fit went as asked.
struct Fitted {
    std::optional<std::size_t> size; // into the sizes offered
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    std::string message;
};

// The largest of the sizes (texture pixels, smallest first) at which every
// cell's ink lies inside its square, with the dx and dy that centre the
// union of the inks; cells too large even at the smallest size are left out
// and named, and so are cells that should show but draw no ink. Of a font
// of bitmaps only, only the sizes it draws as they are, its strikes.
Fitted FitGlyphs(AtlasEngine &engine, const AtlasSettings &settings, const std::vector<std::int32_t> &sizes);

} // namespace vantor
