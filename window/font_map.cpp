#include "window/window1.h"

#include "fontmap/cell_names.h"
#include "fontmap/width_table.h"

#include "raster/texture.h"

#include "framework/listbox.h"
#include "framework/picture.h"

namespace vantor {

std::shared_ptr<fw::Picture> Window1::FontMap(std::shared_ptr<fw::Picture> oldMap, const std::string &fontName,
    std::int32_t fontSize, std::int32_t mapWidth, std::int32_t, std::int32_t dx, std::int32_t dy)
{
    // A fixed grid, not a packing: every cell is a tenth of the width square.
    // Styles, field and cells as the refresh that calls it read them, or
    // from the controls when called apart from one.
    AtlasSettings settings = refreshing_ ? settings_ : ReadSettings();
    settings.family = fontName;
    settings.fontSize = fontSize;
    settings.textureSize = mapWidth;
    settings.dx = dx;
    settings.dy = dy;
    atlas_ = engine_.Render(settings);
    inkNotice_ = NoInkNotice(CellsWithoutInk(*atlas_));
    // The rows are kept and only what differs is changed: a key into dx
    // changes no width, and the list is not laid out and painted again.
    auto &widths = Find<fw::Listbox>("lstWidths");
    const int count = static_cast<int>(atlas_->Widths().size());
    if (widths.ListCount() != count) {
        widths.DeleteAllRows();
        for (int cell = 0; cell < count; ++cell)
            widths.AddRow({});
    }
    for (int cell = 0; cell < count; ++cell) {
        widths.SetCell(cell, 0, atlas_->Text(cell));
        widths.SetCell(cell, 1, WidthText(atlas_->Widths()[static_cast<std::size_t>(cell)]));
    }
    // The engine drew its texture again in place where it kept its side: so
    // does the picture that shows it.
    // A multi-channel field shows in colour, as it is.
    const std::shared_ptr<raster::Texture> &texture = atlas_->SharedTexture();
    const std::uint8_t *pixels = texture->Coloured() ? texture->ColourLine(0) : texture->Line(0);
    if (oldMap && oldMap->Pixels() == pixels) {
        std::vector<fw::Rect> changed;
        for (const raster::Box &box : atlas_->Changed())
            changed.push_back({static_cast<int>(box.left), static_cast<int>(box.top), static_cast<int>(box.width),
                static_cast<int>(box.height)});
        oldMap->Changed(changed);
        return oldMap;
    }
    return std::make_shared<fw::Picture>(
        texture->Width(), texture->Height(), std::shared_ptr<const std::uint8_t>(texture, pixels), texture->Coloured());
}

std::string Window1::CharWidthTable() const
{
    return atlas_ ? WidthTable(*atlas_) : std::string();
}

void Window1::lstWidths_Open()
{
    auto &widths = Find<fw::Listbox>("lstWidths");
    widths.SetHeading(0, "Char");
    widths.SetHeading(1, "Width");
}

} // namespace vantor
