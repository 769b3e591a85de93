#pragma once

#include "raster/font.h"
#include "raster/glyphs.h"

#include <array>
#include <cstdint>
#include <vector>

namespace raster {

// A picture of greys, 8 bits a pixel, black at first; lines follow each
// other without gaps. Coloured, it holds beside them red, green and blue,
// 8 bits each, for a multi-channel field: where a glyph's grey wins, its
// colour comes with it (a glyph without colour brings its grey in all
// three). Mapping, outlining and lightening are of the greys alone.
class Texture {
public:
    Texture(int width, int height, bool coloured = false);
    ~Texture();
    Texture(const Texture &) = delete;
    Texture &operator=(const Texture &) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    Box Bounds() const { return {0, 0, width_, height_}; }
    std::uint8_t *Line(int y) { return bytes_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
    const std::uint8_t *Line(int y) const
    {
        return bytes_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    bool Coloured() const { return colour_ != nullptr; }
    // Of a coloured texture: red, green and blue of each pixel of line y.
    const std::uint8_t *ColourLine(int y) const
    {
        return colour_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) * 3;
    }

    void Fill(const Box &area, std::uint8_t grey);
    // Keeps the brighter of the glyph's coverage and what is there, within
    // the area.
    void Draw(const Blit &blit, const Box &area);
    // Copies the source area of a texture with its top left corner at
    // (x, y), keeping the brighter of it and what is there.
    void Lighten(const Texture &from, const Box &source, std::int64_t x, std::int64_t y);
    // Each grey g becomes map[g].
    void Map(const std::array<std::uint8_t, 256> &map);
    // A one-pixel outline just inside the box.
    void Outline(const Box &box, std::uint8_t grey);
    // Moves every pixel by the offset; gives the areas left to draw, those
    // the move brings in from outside.
    std::vector<Box> Scroll(std::int64_t x, std::int64_t y);

private:
    void DrawRuns(const Coverage &coverage, const Box &placed, const Box &clipped);
    void DrawColour(const Coverage &coverage, const Box &placed, const Box &clipped);
    std::uint8_t *ColourAt(std::int64_t x, std::int64_t y)
    {
        return colour_
            + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
    }

    int width_;
    int height_;
    std::uint8_t *bytes_;
    std::uint8_t *colour_ = nullptr;
};

} // namespace raster
