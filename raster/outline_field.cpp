#include "raster/outline_field.h"

#include "raster/field_grey.h"
#include "raster/outline_distance.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace raster {
namespace {

// One row's greys, given to `out` from left to right: the pixels measured
// as their distance says, the rest white inside and black outside.
class RowGreys {
public:
    RowGreys(std::int32_t width, float far, int spread)
        : width_(width)
        , far_(far)
        , greys_(spread)
    {
    }

    template <class Out> void Row(const OutlineDistance::Row &row, Out &&out) const
    {
        const std::vector<Span> &inside = row.inside;
        const float *squares = row.squares[0];
        const std::int32_t first = row.first;
        const std::int32_t last = row.last;
        if (first > last) {
            Solid(inside, 0, width_, out);
            return;
        }
        Solid(inside, 0, first, out);
        // Pixels of one grey go out together: between the pieces measured
        // lie long runs of white or black.
        std::int32_t run = first;
        std::uint8_t runGrey = 0;
        std::size_t span = 0;
        for (std::int32_t c = first; c <= last; ++c) {
            while (span < inside.size() && inside[span].to <= c)
                ++span;
            const bool in = span < inside.size() && inside[span].from <= c;
            const float square = squares[c];
            std::uint8_t grey = in ? 255 : 0;
            if (square < far_) {
                const float distance = std::sqrt(square);
                grey = greys_(in ? distance : -distance);
            }
            if (grey != runGrey && c > run) {
                out(run, c - run, runGrey);
                run = c;
            }
            runGrey = grey;
        }
        out(run, last + 1 - run, runGrey);
        Solid(inside, last + 1, width_, out);
    }

private:
    // Pixels from..to, by the spans inside.
    template <class Out>
    static void Solid(const std::vector<Span> &inside, std::int32_t from, std::int32_t to, Out &&out)
    {
        std::int32_t x = from;
        for (const Span &in : inside) {
            const std::int32_t start = std::max(in.from, x);
            const std::int32_t end = std::min(in.to, to);
            if (start >= end)
                continue;
            if (start > x)
                out(x, start - x, 0);
            out(start, end - start, 255);
            x = end;
        }
        if (to > x)
            out(x, to - x, 0);
    }

    std::int32_t width_;
    float far_;
    FieldGreys greys_;
};

} // namespace

Coverage OutlineFieldCoverage(const std::vector<Piece> &pieces, const Box &box, int spread, bool inRuns)
{
    OutlineDistance distance(pieces, box, static_cast<float>(spread + 1));
    Coverage coverage;
    coverage.pixels = box;
    RunsBuilder runs(box);
    if (!inRuns)
        coverage.bytes.resize(static_cast<std::size_t>(box.Area()));
    const RowGreys greys(static_cast<std::int32_t>(box.width), distance.Far(), spread);
    for (std::int64_t r = 0; r < box.height; ++r) {
        const OutlineDistance::Row row = distance.Next();
        if (inRuns) {
            greys.Row(row, [&](std::int32_t x, std::int32_t length, std::uint8_t grey) { runs.Add(x, length, grey); });
            runs.NextRow();
        } else {
            std::uint8_t *line = coverage.bytes.data() + r * box.width;
            greys.Row(row, [line](std::int32_t x, std::int32_t length, std::uint8_t grey) {
                std::memset(line + x, grey, static_cast<std::size_t>(length));
            });
        }
    }
    if (inRuns)
        return runs.Finish();
    coverage.ink = Tight(coverage.bytes, coverage.pixels);
    return coverage;
}

} // namespace raster
