#include "raster/multi_channel_field.h"

#include "raster/contours.h"
#include "raster/edge_colours.h"
#include "raster/field_correction.h"
#include "raster/field_grey.h"
#include "raster/outline_distance.h"

#include <algorithm>
#include <cmath>

namespace raster {
namespace {

// The outline's winding number at a point: its pieces crossing the line
// to the right of it, up or down.
int WindsAt(const std::vector<Piece> &pieces, double x, double y)
{
    int winding = 0;
    for (const Piece &p : pieces) {
        if ((p.y0 <= y) != (p.y1 <= y) && p.x0 + (y - p.y0) * (p.x1 - p.x0) / (p.y1 - p.y0) > x)
            winding += p.y1 > p.y0 ? 1 : -1;
    }
    return winding;
}

// The channels measured, each pixel's pseudo-distance to its channel's
// nearest edge.
class Channels {
public:
    Channels(const std::vector<Piece> &pieces, const Box &box, float reach)
        : pieces_(pieces)
        , contours_(pieces)
        , colours_(EdgeColours(pieces))
        , box_(box)
        , reach_(reach)
    {
        // Which side of each contour's edges is inside: where a point just
        // beside its longest piece winds; a contour with inside on neither
        // side (within another's fill) as the whole outline turns.
        double area = 0;
        for (const Piece &p : pieces)
            area += p.x0 * p.y1 - p.x1 * p.y0;
        for (const auto &[first, last] : contours_.spans) {
            std::size_t longest = first;
            for (std::size_t k = first; k <= last; ++k) {
                if (Length(pieces[k]) > Length(pieces[longest]))
                    longest = k;
            }
            const Piece &p = pieces[longest];
            const double step = std::min(1.0 / 64, Length(p) / 4) / Length(p);
            const double mx = (p.x0 + p.x1) / 2;
            const double my = (p.y0 + p.y1) / 2;
            // To the left of the piece, where its cross product is positive.
            const double nx = -(p.y1 - p.y0) * step;
            const double ny = (p.x1 - p.x0) * step;
            double orientation = area >= 0 ? 1 : -1;
            if (WindsAt(pieces, mx + nx, my + ny) != 0)
                orientation = 1;
            else if (WindsAt(pieces, mx - nx, my - ny) != 0)
                orientation = -1;
            orientations_.insert(orientations_.end(), last - first + 1, orientation);
        }
    }

    // Channel `bit` of every pixel, into every third value from `out` on;
    // beyond the reach of its edges, inside or outside as `inside` says.
    void Measure(std::uint8_t bit, const std::vector<std::uint8_t> &inside, float *out) const
    {
        // The channel's edges, in runs along their contours: a contour of
        // one colour whole, closed.
        std::vector<Piece> part;
        std::vector<std::size_t> original;
        for (const auto &[first, last] : contours_.spans) {
            const auto begin = colours_.begin() + static_cast<std::ptrdiff_t>(first);
            const auto end = colours_.begin() + static_cast<std::ptrdiff_t>(last) + 1;
            if (std::all_of(begin, end, [bit](std::uint8_t c) { return (c & bit) != 0; })) {
                for (std::size_t k = first; k <= last; ++k) {
                    part.push_back(pieces_[k]);
                    original.push_back(k);
                }
                part.back().closes = true;
                continue;
            }
            if (std::none_of(begin, end, [bit](std::uint8_t c) { return (c & bit) != 0; }))
                continue;
            // From the start of a run round: each run's pieces together.
            std::size_t k = first;
            while ((colours_[k] & bit) == 0 || (colours_[contours_.previous[k]] & bit) != 0)
                k = contours_.next[k];
            for (std::size_t j = first; j <= last; ++j, k = contours_.next[k]) {
                if ((colours_[k] & bit) == 0)
                    continue;
                part.push_back(pieces_[k]);
                part.back().closes = false;
                original.push_back(k);
            }
        }
        OutlineDistance distance(part, box_, reach_, true);
        for (std::int64_t r = 0; r < box_.height; ++r) {
            const OutlineDistance::Row row = distance.Next();
            const double y = static_cast<double>(box_.top + r) + 0.5;
            for (std::int32_t x = 0; x < box_.width; ++x) {
                const std::size_t at = static_cast<std::size_t>(r * box_.width + x);
                float value = inside[at] != 0 ? reach_ : -reach_;
                if (x >= row.first && x <= row.last && row.squares[x] < distance.Far()) {
                    const double px = static_cast<double>(box_.left + x) + 0.5;
                    value
                        = std::clamp(static_cast<float>(Pseudo(original[row.nearest[x]], px, y, bit)), -reach_, reach_);
                }
                out[at * 3] = value;
            }
        }
    }

private:
    // Of two pieces meeting at (vx, vy) at a corner, the one the point lies
    // more squarely off: its edge is the nearer in direction.
    std::size_t Squarer(std::size_t a, std::size_t b, double vx, double vy, double px, double py) const
    {
        const auto off = [&](std::size_t k) {
            const Piece &q = pieces_[k];
            const double dx = q.x1 - q.x0;
            const double dy = q.y1 - q.y0;
            return std::abs(dx * (py - vy) - dy * (px - vx)) / std::hypot(dx, dy);
        };
        return off(b) > off(a) ? b : a;
    }

    bool EdgeStarts(std::size_t k) const { return colours_[contours_.previous[k]] != colours_[k]; }
    bool EdgeEnds(std::size_t k) const { return colours_[contours_.next[k]] != colours_[k]; }

    double Along(std::size_t k, double px, double py) const
    {
        const Piece &q = pieces_[k];
        const double dx = q.x1 - q.x0;
        const double dy = q.y1 - q.y0;
        return ((px - q.x0) * dx + (py - q.y0) * dy) / (dx * dx + dy * dy);
    }

    // The signed pseudo-distance from the point to the edge of piece k, in
    // channel `bit`.
    double Pseudo(std::size_t k, double px, double py, std::uint8_t bit) const
    {
        double t = Along(k, px, py);
        if (t <= 0 && EdgeStarts(k) && (colours_[contours_.previous[k]] & bit) != 0)
            k = Squarer(k, contours_.previous[k], pieces_[k].x0, pieces_[k].y0, px, py);
        else if (t >= 1 && EdgeEnds(k) && (colours_[contours_.next[k]] & bit) != 0)
            k = Squarer(k, contours_.next[k], pieces_[k].x1, pieces_[k].y1, px, py);
        t = Along(k, px, py);
        const Piece &q = pieces_[k];
        const double dx = q.x1 - q.x0;
        const double dy = q.y1 - q.y0;
        const double across = (dx * (py - q.y0) - dy * (px - q.x0)) / std::hypot(dx, dy) * orientations_[k];
        if ((t < 0 && EdgeStarts(k)) || (t > 1 && EdgeEnds(k)))
            return across;
        const double s = std::clamp(t, 0.0, 1.0);
        const double distance = std::hypot(px - q.x0 - s * dx, py - q.y0 - s * dy);
        return across >= 0 ? distance : -distance;
    }

    const std::vector<Piece> &pieces_;
    Contours contours_;
    std::vector<std::uint8_t> colours_;
    Box box_;
    float reach_;
    std::vector<double> orientations_; // of each piece
};

} // namespace

ChannelDistances MultiChannelDistances(const std::vector<Piece> &pieces, const Box &box, float reach)
{
    const auto size = static_cast<std::size_t>(box.Area());
    ChannelDistances field;
    field.distances.resize(size);
    field.channels.resize(size * 3);
    std::vector<std::uint8_t> inside(size);
    OutlineDistance distance(pieces, box, reach);
    for (std::int64_t r = 0; r < box.height; ++r) {
        const OutlineDistance::Row row = distance.Next();
        for (const Span &span : row.inside)
            std::fill(inside.begin() + r * box.width + span.from, inside.begin() + r * box.width + span.to, 1);
        for (std::int32_t x = 0; x < box.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(r * box.width + x);
            const bool measured = x >= row.first && x <= row.last && row.squares[x] < distance.Far();
            const float d = measured ? std::sqrt(row.squares[x]) : reach;
            field.distances[at] = inside[at] != 0 ? d : -d;
        }
    }
    const Channels channels(pieces, box, reach);
    for (int channel = 0; channel < 3; ++channel)
        channels.Measure(static_cast<std::uint8_t>(1 << channel), inside, field.channels.data() + channel);
    CorrectClashes(field, box.width, box.height);
    return field;
}

Coverage MultiChannelFieldCoverage(const std::vector<Piece> &pieces, const Box &box, int spread)
{
    const ChannelDistances field = MultiChannelDistances(pieces, box, static_cast<float>(spread + 1));
    // As the single-channel field turns distances into greys, byte for byte.
    const FieldGreys grey(spread);
    Coverage coverage;
    coverage.pixels = box;
    coverage.bytes.resize(field.distances.size());
    std::transform(field.distances.begin(), field.distances.end(), coverage.bytes.begin(), grey);
    coverage.colour.resize(field.channels.size());
    std::transform(field.channels.begin(), field.channels.end(), coverage.colour.begin(), grey);
    coverage.ink = Tight(coverage.bytes, coverage.pixels);
    return coverage;
}

} // namespace raster
