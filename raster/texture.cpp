#include "raster/texture.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace raster {

// Mapped directly rather than taken from malloc, whose heap keeps a freed
// texture's memory resident (glibc raises its mmap threshold after the
// first one), a texture goes back to the system when released; populated
// at once, it costs no page fault per 4 KiB later. A fresh mapping is black.
namespace {

std::uint8_t *Mapped(std::size_t bytes)
{
    void *address = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (address == MAP_FAILED)
        throw std::bad_alloc();
    return static_cast<std::uint8_t *>(address);
}

} // namespace

Texture::Texture(int width, int height, bool coloured)
    : width_(width)
    , height_(height)
    , bytes_(Mapped(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)))
{
    if (!coloured)
        return;
    try {
        colour_ = Mapped(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    } catch (...) {
        munmap(bytes_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
        throw;
    }
}

Texture::~Texture()
{
    munmap(bytes_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    if (colour_)
        munmap(colour_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3);
}

void Texture::Fill(const Box &area, std::uint8_t grey)
{
    const Box clipped = area.Intersected(Bounds());
    if (clipped.Empty())
        return;
    if (clipped.width == width_) {
        std::memset(
            Line(static_cast<int>(clipped.top)), grey, static_cast<std::size_t>(clipped.width * clipped.height));
        if (colour_)
            std::memset(ColourAt(0, clipped.top), grey, static_cast<std::size_t>(clipped.width * clipped.height) * 3);
        return;
    }
    for (auto y = clipped.top; y < clipped.top + clipped.height; ++y)
        std::memset(Line(static_cast<int>(y)) + clipped.left, grey, static_cast<std::size_t>(clipped.width));
    if (colour_) {
        for (auto y = clipped.top; y < clipped.top + clipped.height; ++y)
            std::memset(ColourAt(clipped.left, y), grey, static_cast<std::size_t>(clipped.width) * 3);
    }
}

void Texture::Draw(const Blit &blit, const Box &area)
{
    const Coverage &coverage = *blit.coverage;
    const Box placed = coverage.pixels.Moved(blit.x, blit.y);
    const Box clipped = placed.Intersected(area).Intersected(Bounds());
    if (clipped.Empty())
        return;
    if (colour_) {
        DrawColour(coverage, placed, clipped);
        return;
    }
    if (coverage.InRuns()) {
        DrawRuns(coverage, placed, clipped);
        return;
    }
    const auto count = static_cast<std::size_t>(clipped.width);
    for (auto y = clipped.top; y < clipped.top + clipped.height; ++y) {
        const std::uint8_t *__restrict from
            = coverage.bytes.data() + (y - placed.top) * placed.width + (clipped.left - placed.left);
        std::uint8_t *__restrict to = Line(static_cast<int>(y)) + clipped.left;
        for (std::size_t x = 0; x < count; ++x)
            to[x] = std::max(to[x], from[x]);
    }
}

// Pixel by pixel: where the glyph's grey is the brighter, its colour, or its
// grey, comes too.
void Texture::DrawColour(const Coverage &coverage, const Box &placed, const Box &clipped)
{
    std::vector<std::uint8_t> greys(static_cast<std::size_t>(placed.width));
    for (auto y = clipped.top; y < clipped.top + clipped.height; ++y) {
        const auto row = y - placed.top;
        const std::uint8_t *from = nullptr;
        if (coverage.InRuns()) {
            std::fill(greys.begin(), greys.end(), 0);
            for (auto i = coverage.rows[static_cast<std::size_t>(row)];
                 i < coverage.rows[static_cast<std::size_t>(row) + 1]; ++i) {
                const Run &run = coverage.runs[i];
                for (std::int32_t x = 0; x < run.length; ++x)
                    greys[static_cast<std::size_t>(run.x + x)]
                        = run.greys >= 0 ? coverage.bytes[static_cast<std::size_t>(run.greys + x)] : run.grey;
            }
            from = greys.data();
        } else {
            from = coverage.bytes.data() + row * placed.width;
        }
        const std::uint8_t *colour
            = coverage.colour.empty() ? nullptr : coverage.colour.data() + row * placed.width * 3;
        std::uint8_t *to = Line(static_cast<int>(y));
        for (auto x = clipped.left; x < clipped.left + clipped.width; ++x) {
            const auto at = x - placed.left;
            if (from[at] <= to[x])
                continue;
            to[x] = from[at];
            std::uint8_t *rgb = ColourAt(x, y);
            if (colour)
                std::memcpy(rgb, colour + at * 3, 3);
            else
                std::memset(rgb, from[at], 3);
        }
    }
}

void Texture::DrawRuns(const Coverage &coverage, const Box &placed, const Box &clipped)
{
    for (auto y = clipped.top; y < clipped.top + clipped.height; ++y) {
        const auto row = static_cast<std::size_t>(y - placed.top);
        std::uint8_t *__restrict line = Line(static_cast<int>(y));
        for (auto i = coverage.rows[row]; i < coverage.rows[row + 1]; ++i) {
            const Run &run = coverage.runs[i];
            const std::int64_t start = std::max(placed.left + run.x, clipped.left);
            const std::int64_t end = std::min(placed.left + run.x + run.length, clipped.left + clipped.width);
            if (start >= end)
                continue;
            std::uint8_t *__restrict to = line + start;
            const auto count = static_cast<std::size_t>(end - start);
            if (run.greys >= 0) {
                const std::uint8_t *__restrict from = coverage.bytes.data() + run.greys + (start - placed.left - run.x);
                for (std::size_t x = 0; x < count; ++x)
                    to[x] = std::max(to[x], from[x]);
            } else if (run.grey == 255) {
                std::memset(to, 255, count);
            } else {
                for (std::size_t x = 0; x < count; ++x)
                    to[x] = std::max(to[x], run.grey);
            }
        }
    }
}

void Texture::Lighten(const Texture &from, const Box &source, std::int64_t x, std::int64_t y)
{
    const Box area = source.Intersected(from.Bounds()).Moved(x - source.left, y - source.top).Intersected(Bounds());
    for (auto row = area.top; row < area.top + area.height; ++row) {
        std::uint8_t *__restrict to = Line(static_cast<int>(row)) + area.left;
        const std::uint8_t *__restrict line
            = from.Line(static_cast<int>(row - y + source.top)) + (area.left - x + source.left);
        for (std::int64_t i = 0; i < area.width; ++i)
            to[i] = std::max(to[i], line[i]);
    }
}

void Texture::Map(const std::array<std::uint8_t, 256> &map)
{
    for (int row = 0; row < height_; ++row) {
        std::uint8_t *line = Line(row);
        for (int column = 0; column < width_; ++column)
            line[column] = map[line[column]];
    }
}

void Texture::Outline(const Box &box, std::uint8_t grey)
{
    if (box.Empty())
        return;
    const std::int64_t right = box.left + box.width - 1;
    const std::int64_t bottom = box.top + box.height - 1;
    for (const Box &edge : {Box{box.left, box.top, box.width, 1}, Box{box.left, bottom, box.width, 1},
             Box{box.left, box.top, 1, box.height}, Box{right, box.top, 1, box.height}})
        Fill(edge, grey);
}

std::vector<Box> Texture::Scroll(std::int64_t x, std::int64_t y)
{
    const Box all = Bounds();
    const Box kept = all.Moved(x, y).Intersected(all);
    if (kept.Empty())
        return {all};
    const auto move = [&](std::int64_t row) {
        std::memmove(Line(static_cast<int>(row)) + kept.left, Line(static_cast<int>(row - y)) + kept.left - x,
            static_cast<std::size_t>(kept.width));
        if (colour_)
            std::memmove(
                ColourAt(kept.left, row), ColourAt(kept.left - x, row - y), static_cast<std::size_t>(kept.width) * 3);
    };
    if (y > 0) {
        for (auto row = kept.top + kept.height; row-- > kept.top;)
            move(row);
    } else {
        for (auto row = kept.top; row < kept.top + kept.height; ++row)
            move(row);
    }
    // What the move left uncovered: the rows above or below the kept part,
    // and beside it the columns on its left or right.
    std::vector<Box> uncovered;
    if (kept.top > 0)
        uncovered.push_back({0, 0, width_, kept.top});
    if (kept.top + kept.height < height_)
        uncovered.push_back({0, kept.top + kept.height, width_, height_ - kept.top - kept.height});
    if (kept.left > 0)
        uncovered.push_back({0, kept.top, kept.left, kept.height});
    if (kept.left + kept.width < width_)
        uncovered.push_back({kept.left + kept.width, kept.top, width_ - kept.left - kept.width, kept.height});
    return uncovered;
}

} // namespace raster
