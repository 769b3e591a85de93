#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace raster {

// A rectangle of whole pixels, y down; empty when width or height is not
// positive.
struct Box {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    std::int64_t Area() const { return Empty() ? 0 : width * height; }
    Box Moved(std::int64_t x, std::int64_t y) const { return {left + x, top + y, width, height}; }
    Box United(const Box &other) const;
    Box Intersected(const Box &other) const;
    bool Contains(const Box &other) const { return Intersected(other) == other; }
    friend bool operator==(const Box &, const Box &) = default;
};

// Pixels of a row in a run: all of one grey, or each its own, kept in the
// coverage's bytes from `greys` on.
struct Run {
    std::int32_t x = 0; // from the coverage's left
    std::int32_t length = 0;
    std::int32_t greys = -1; // -1: every pixel is `grey`
    std::uint8_t grey = 0;
};

// A glyph drawn in greys, 8 bits a pixel, lying at `pixels` from the pixel
// of its origin; `ink`, its pixels that are not 0. Held whole in `bytes`,
// or, for a glyph too large for that, as the runs of each row that are not
// 0: row y's from runs[rows[y]] to runs[rows[y + 1]], `bytes` holding the
// greys of runs that have their own.
struct Coverage {
    std::vector<std::uint8_t> bytes;
    // Of a multi-channel field held whole: red, green and blue of each
    // pixel, `bytes` its true distance. Empty for any other.
    std::vector<std::uint8_t> colour;
    Box pixels;
    Box ink;
    std::vector<Run> runs;
    std::vector<std::uint32_t> rows;

    bool InRuns() const { return !rows.empty(); }
    std::size_t Bytes() const
    {
        return bytes.size() + colour.size() + runs.size() * sizeof(Run) + rows.size() * sizeof(std::uint32_t);
    }
};
using CoveragePointer = std::shared_ptr<const Coverage>;

// Builds a coverage in runs, row after row, from the top.
class RunsBuilder {
public:
    explicit RunsBuilder(const Box &pixels);
    // Pixels of the current row from x on, each of the grey given.
    void Add(std::int32_t x, std::int32_t length, std::uint8_t grey);
    // A whole row of greys, of the coverage's width.
    void AddRow(const std::uint8_t *greys);
    void NextRow();
    Coverage Finish();

private:
    Coverage coverage_;
    std::int64_t row_ = 0;
    std::int64_t firstRow_ = -1;
    std::int64_t lastRow_ = -1;
    std::int64_t left_ = 0;
    std::int64_t right_ = 0;
};

// The box of the pixels of a whole coverage that are not 0.
Box Tight(const std::vector<std::uint8_t> &bytes, const Box &pixels);

} // namespace raster
