#pragma once

#include "fontmap/atlas.h"
#include "fontmap/atlas_settings.h"

#include "raster/fonts.h"
#include "raster/scene.h"

#include <cstdint>
#include <memory>

namespace vantor {

// Turns settings into an atlas, headless: it reads no control and knows no
// window. What it drew and measured it keeps for the next render, within
// its fonts' budget: a texture of the same side is drawn again in place,
// only where the settings changed it, with the same bytes as a fresh
// engine draws.
class AtlasEngine {
public:
    explicit AtlasEngine(std::size_t budget = raster::Fonts::kDefaultBudget);
    ~AtlasEngine();
    AtlasEngine(const AtlasEngine &) = delete;
    AtlasEngine &operator=(const AtlasEngine &) = delete;

    std::shared_ptr<const Atlas> Render(const AtlasSettings &settings);
    // How many renders were asked of it, those that failed included.
    std::uint64_t Renders() const { return renders_; }

    // The settings' font at another size, as a render would draw it; none
    // for a size below 1.
    std::shared_ptr<raster::Font> FontAt(const AtlasSettings &settings, std::int32_t fontSize);

private:
    std::shared_ptr<const Atlas> Draw(const AtlasSettings &settings);

    raster::Fonts fonts_;
    raster::Scene scene_;
    std::shared_ptr<raster::Texture> texture_;
    std::uint64_t renders_ = 0;
};

} // namespace vantor
