#include "fontmap/atlas_settings.h"

#include <algorithm>

namespace vantor {

std::int32_t FieldSpreadAt(std::int32_t textureSize)
{
    return std::max(textureSize / 128, 1);
}

std::int32_t AtlasSettings::FieldSpread() const
{
    return distanceField ? FieldSpreadAt(textureSize) : 0;
}

} // namespace vantor
