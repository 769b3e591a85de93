#include "fontmap/atlas_engine.h"

#include "raster/font.h"
#include "raster/texture.h"

namespace vantor {
AtlasEngine::AtlasEngine(std::size_t budget)
    : fonts_(budget)
{
}

AtlasEngine::~AtlasEngine() = default;

std::shared_ptr<raster::Font> AtlasEngine::FontAt(const AtlasSettings &settings, std::int32_t fontSize)
{
    if (fontSize < 1)
        return nullptr;
    return fonts_.Of(
        settings.family, fontSize, settings.bold, settings.italic, settings.FieldSpread(), settings.Coloured());
}

std::shared_ptr<const Atlas> AtlasEngine::Render(const AtlasSettings &settings)
{
    ++renders_;
    // A font installed, removed, replaced or cut short is read anew.
    if (!fonts_.Fresh(settings.family, settings.bold, settings.italic)) {
        fonts_.Forget();
        scene_ = raster::Scene();
    }
    if (!texture_ || texture_->Width() != settings.textureSize || texture_->Coloured() != settings.Coloured()) {
        texture_ = std::make_shared<raster::Texture>(settings.textureSize, settings.textureSize, settings.Coloured());
        scene_ = raster::Scene();
    }
    try {
        return Draw(settings);
    } catch (...) {
        // What the texture shows now is not known: the next render draws it
        // whole.
        scene_ = raster::Scene();
        throw;
    }
}

std::shared_ptr<const Atlas> AtlasEngine::Draw(const AtlasSettings &settings)
{
    const std::shared_ptr<raster::Font> font = FontAt(settings, settings.fontSize);
    // A fixed grid, not a packing: every cell is a tenth of the side square.
    std::vector<double> widths;
    std::vector<std::size_t> added; // the cells given to the scene, in order
    scene_.Begin(0);
    for (int cell = 0; cell < static_cast<int>(settings.cells.size()); ++cell) {
        const std::string &text = settings.cells[static_cast<std::size_t>(cell)];
        const Pen pen = CellPen(settings.textureSize, settings.dx, settings.dy, cell / kGridSide, cell % kGridSide);
        widths.push_back(font && !text.empty() ? font->Advance(text) : 0.0);
        if (font && !text.empty() && WithinReach(pen)) {
            scene_.Add(text, pen.x, pen.y, font);
            added.push_back(static_cast<std::size_t>(cell));
        }
    }
    std::vector<raster::Box> changed = scene_.Show(*texture_);
    const std::vector<raster::Box> shown = scene_.ShownInks();
    std::vector<raster::Box> drawn(settings.cells.size());
    for (std::size_t i = 0; i < added.size() && i < shown.size(); ++i)
        drawn[added[i]] = shown[i];
    return std::make_shared<const Atlas>(
        settings, texture_, font, std::move(widths), std::move(changed), std::move(drawn));
}

} // namespace vantor
