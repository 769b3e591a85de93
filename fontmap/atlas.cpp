#include "fontmap/atlas.h"

#include "raster/font.h"
#include "raster/texture.h"

namespace vantor {

Atlas::Atlas(AtlasSettings settings, std::shared_ptr<raster::Texture> texture, std::shared_ptr<raster::Font> font,
    std::vector<double> widths, std::vector<raster::Box> changed, std::vector<raster::Box> drawn)
    : settings_(std::move(settings))
    , texture_(std::move(texture))
    , font_(std::move(font))
    , widths_(std::move(widths))
    , changed_(std::move(changed))
    , drawn_(std::move(drawn))
{
}

Atlas::~Atlas() = default;

Pen Atlas::PenOf(int cell) const
{
    return CellPen(settings_.textureSize, settings_.dx, settings_.dy, cell / kGridSide, cell % kGridSide);
}

bool Atlas::Inks(int cell, const Pen &pen) const
{
    return font_ && !Text(cell).empty() && WithinReach(pen);
}

raster::Box Atlas::Ink(int cell) const
{
    const Pen pen = PenOf(cell);
    return Inks(cell, pen) ? font_->InkBox(Text(cell), pen.x, pen.y, texture_->Bounds()) : raster::Box{};
}

raster::Box Atlas::DrawnInk(int cell) const
{
    return cell >= 0 && static_cast<std::size_t>(cell) < drawn_.size() ? drawn_[static_cast<std::size_t>(cell)]
                                                                      : raster::Box{};
}

std::vector<raster::Box> Atlas::Inks() const
{
    std::vector<raster::Box> inks;
    for (int cell = 0; cell < static_cast<int>(settings_.cells.size()); ++cell)
        inks.push_back(Ink(cell));
    return inks;
}

bool Atlas::InksNearItsPen(int cell) const
{
    return font_ && !font_->InkNearPen(Text(cell), settings_.textureSize).Empty();
}

double Atlas::Ascent() const
{
    return font_ ? font_->Ascent() : 0;
}

double Atlas::LineSpacing() const
{
    return font_ ? font_->LineSpacing() : 0;
}

int Atlas::DrawnSize() const
{
    return font_ ? font_->DrawnSize() : 0;
}

std::vector<double> Atlas::Kernings(const std::vector<std::string> &texts) const
{
    return font_ ? font_->Kernings(texts) : std::vector<double>(texts.size() * texts.size(), 0.0);
}

std::string Atlas::DrawnFamily() const
{
    return font_ ? font_->Faces().DrawnFamily() : settings_.family;
}

std::string Atlas::FontNotice() const
{
    if (!font_)
        return {};
    const raster::FaceList &faces = font_->Faces();
    if (!faces.Installed())
        return settings_.family + " is not installed: nothing is drawn. Pick a font from the list.";
    std::string notice;
    for (const std::string &unreadable : faces.Unreadable())
        notice += unreadable + ".\n";
    if (faces.DrawnFamily() != settings_.family)
        notice += faces.DrawnFamily().empty() ? "Nothing of " + settings_.family + " can be drawn."
                                              : "Drawn with " + faces.DrawnFamily() + " instead.";
    if (!notice.empty() && notice.back() == '\n')
        notice.pop_back();
    return notice;
}

} // namespace vantor
