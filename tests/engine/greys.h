#pragma once

// A picture of 8-bit greys, as the engine's textures hold them, to compare
// and cut without a toolkit.
#include "raster/coverage.h"
#include "raster/texture.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <vector>

struct Greys {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;

    Greys() = default;
    Greys(int w, int h)
        : width(w)
        , height(h)
        , bytes(static_cast<std::size_t>(w) * static_cast<std::size_t>(h))
    {
    }
    explicit Greys(const raster::Texture &texture)
        : Greys(texture.Width(), texture.Height())
    {
        for (int y = 0; y < height; ++y)
            std::copy_n(texture.Line(y), width, Line(y));
    }

    std::uint8_t *Line(int y) { return bytes.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
    const std::uint8_t *Line(int y) const
    {
        return bytes.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    }
    int At(int x, int y) const { return Line(y)[x]; }

    // The part within (x, y, w, h); what lies beyond the picture is black.
    Greys Copy(int x, int y, int w, int h) const
    {
        Greys part(w, h);
        for (int row = 0; row < h; ++row) {
            for (int column = 0; column < w; ++column) {
                const int fromX = x + column;
                const int fromY = y + row;
                if (fromX >= 0 && fromY >= 0 && fromX < width && fromY < height)
                    part.Line(row)[column] = At(fromX, fromY);
            }
        }
        return part;
    }

    friend bool operator==(const Greys &, const Greys &) = default;
};

// Where the picture is not black.
inline raster::Box InkBounds(const Greys &image)
{
    int left = image.width, top = image.height, right = -1, bottom = -1;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t *line = image.Line(y);
        for (int x = 0; x < image.width; ++x) {
            if (line[x] != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
            }
        }
    }
    return right < 0 ? raster::Box{} : raster::Box{left, top, right - left + 1, bottom - top + 1};
}

// What a failed comparison prints: the size and the ink, not every byte.
inline void PrintTo(const Greys &image, std::ostream *out)
{
    const raster::Box ink = InkBounds(image);
    *out << image.width << "x" << image.height << " greys, ink " << ink.left << "," << ink.top << " " << ink.width
         << "x" << ink.height;
}
