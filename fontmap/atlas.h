#pragma once

#include "fontmap/atlas_settings.h"
#include "fontmap/grid.h"

#include "raster/coverage.h"

#include <memory>
#include <string>
#include <vector>

namespace raster {
class Font;
class Texture;
} // namespace raster

namespace vantor {

// A render's result: the texture and what it shows, each cell's width, and,
// asked for, where each cell's ink lies, the font's metrics and kerning. It
// shows the texture as its engine last drew it, and lives no longer than
// its engine.
class Atlas {
public:
    // `drawn`: where each cell inks the texture, in grid order.
    Atlas(AtlasSettings settings, std::shared_ptr<raster::Texture> texture, std::shared_ptr<raster::Font> font,
        std::vector<double> widths, std::vector<raster::Box> changed, std::vector<raster::Box> drawn = {});
    ~Atlas();

    const AtlasSettings &Settings() const { return settings_; }
    // 8-bit greys, white glyphs on black; coloured besides for a
    // multi-channel field, the greys its true distance.
    const raster::Texture &Texture() const { return *texture_; }
    const std::shared_ptr<raster::Texture> &SharedTexture() const { return texture_; }
    // Where the render drew anew; all of a new texture.
    const std::vector<raster::Box> &Changed() const { return changed_; }

    // Each cell's text laid out once, its advance in pixels, in grid order.
    const std::vector<double> &Widths() const { return widths_; }
    const std::string &Text(int cell) const { return settings_.cells[static_cast<std::size_t>(cell)]; }
    Pen PenOf(int cell) const;

    // The pixels a cell's glyphs that reach the texture ink, each glyph
    // whole (one too large to draw whole: its outline's box); empty for
    // none. What lies off the texture cannot overflow a square on it.
    raster::Box Ink(int cell) const;
    // The same, as far as the texture shows it: as the render drew it.
    raster::Box DrawnInk(int cell) const;
    // Where every cell inks, in grid order.
    std::vector<raster::Box> Inks() const;
    // Whether the cell's text inks anything within a texture's side of its
    // pen, wherever the pen is: a cell without ink on the texture that does
    // lies off it.
    bool InksNearItsPen(int cell) const;

    // The primary face's ascent and baseline-to-baseline distance, and the
    // size drawn (a face of bitmaps draws its strike).
    double Ascent() const;
    double LineSpacing() const;
    int DrawnSize() const;
    // For every ordered pair of the texts, row by row: how much further the
    // two advance laid out together than one after the other, without
    // ligatures.
    std::vector<double> Kernings(const std::vector<std::string> &texts) const;

    // The family drawn: the one asked, or, where its own files cannot be
    // read, the one drawn instead; empty where the family is not installed.
    std::string DrawnFamily() const;
    // What the user must know of the family drawn: that it is not installed,
    // or which of its files could not be read and what was drawn instead.
    // Empty when the family drew as asked.
    std::string FontNotice() const;

private:
    bool Inks(int cell, const Pen &pen) const;

    AtlasSettings settings_;
    std::shared_ptr<raster::Texture> texture_;
    std::shared_ptr<raster::Font> font_; // none for a size below 1
    std::vector<double> widths_;
    std::vector<raster::Box> changed_;
    std::vector<raster::Box> drawn_;
};

} // namespace vantor
