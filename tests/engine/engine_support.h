#pragma once

// For tests of the atlas engine and what is made of its atlases, without a
// window.
#include "fontmap/atlas.h"
#include "fontmap/atlas_engine.h"
#include "fontmap/grid.h"

#include "raster/font.h"
#include "raster/fonts.h"
#include "raster/texture.h"

#include "greys.h"

#include <memory>
#include <string>
#include <vector>

// The characters at start: space to tilde, then five question marks.
inline std::vector<std::string> DefaultCells()
{
    std::vector<std::string> cells;
    for (char c = ' '; c <= '~'; ++c)
        cells.emplace_back(1, c);
    cells.resize(vantor::kCellCount, "?");
    return cells;
}

// Every cell empty but one.
inline std::vector<std::string> OnlyCell(int row, int column, const std::string &text)
{
    std::vector<std::string> cells(vantor::kCellCount);
    cells[static_cast<std::size_t>(row * vantor::kGridSide + column)] = text;
    return cells;
}

// The settings at start: Courier 72 on a 1024 texture, dx 4, dy 30, bold,
// the default characters.
inline vantor::AtlasSettings DefaultSettings()
{
    return {"Courier", 72, 1024, 4, 30, true, false, false, DefaultCells()};
}

// The text as the font alone draws it with its pen at (x, y) on a black
// picture of that size: the reference for where the engine puts glyphs.
inline Greys DrawnAt(
    const std::shared_ptr<raster::Font> &font, const std::string &text, int width, int height, int x, int y)
{
    raster::Texture texture(width, height);
    for (const raster::Blit &blit : font->Place(text, x, y, texture.Bounds()).blits)
        texture.Draw(blit, texture.Bounds());
    return Greys(texture);
}
