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
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const Piece &p = pieces[k];
            const double length = Length(p);
            const double inverse = length > 0 ? 1 / length : 0;
            lines_.push_back(
                {p.x0, p.y0, p.x1 - p.x0, p.y1 - p.y0, inverse, inverse * inverse, inverse * orientations_[k]});
        }
    }

    // Every pixel's three channels and true distance, measured in one pass;
    // beyond the reach of a channel's edges, inside or outside.
    void Measure(ChannelDistances &field) const
    {
        OutlineDistance distance(pieces_, box_, reach_, &colours_);
        const float far = distance.Far();
        for (std::int64_t r = 0; r < box_.height; ++r) {
            const OutlineDistance::Row row = distance.Next();
            float *distances = field.distances.data() + r * box_.width;
            float *channels = field.channels.data() + r * box_.width * 3;
            std::fill(distances, distances + box_.width, -reach_);
            for (std::int64_t i = 0; i < box_.width * 3; ++i)
                channels[i] = -reach_;
            for (const Span &span : row.inside) {
                std::fill(distances + span.from, distances + span.to, reach_);
                std::fill(channels + span.from * 3, channels + span.to * 3, reach_);
            }
            const double y = static_cast<double>(box_.top + r) + 0.5;
            for (std::int32_t x = std::max(row.first, 0); x <= row.last; ++x) {
                const bool in = distances[x] > 0;
                const float square = std::min({row.squares[0][x], row.squares[1][x], row.squares[2][x]});
                if (square < far)
                    distances[x] = in ? std::sqrt(square) : -std::sqrt(square);
                const double px = static_cast<double>(box_.left + x) + 0.5;
                for (std::size_t c = 0; c < 3; ++c) {
                    if (row.squares[c][x] < far) {
                        channels[x * 3 + c] = std::clamp(static_cast<float>(Pseudo(row.nearest[c][x], px, y,
                                                              static_cast<std::uint8_t>(1 << c), row.squares[c][x])),
                            -reach_, reach_);
                    }
                }
            }
        }
    }

private:
    // Of two pieces meeting at (vx, vy) at a corner, the one the point lies
    // more squarely off: its edge is the nearer in direction.
    std::size_t Squarer(std::size_t a, std::size_t b, double vx, double vy, double px, double py) const
    {
        const auto off = [&](std::size_t k) {
            const Line &q = lines_[k];
            return std::abs(q.dx * (py - vy) - q.dy * (px - vx)) * q.inverse;
        };
        return off(b) > off(a) ? b : a;
    }

    bool EdgeStarts(std::size_t k) const { return colours_[contours_.previous[k]] != colours_[k]; }
    bool EdgeEnds(std::size_t k) const { return colours_[contours_.next[k]] != colours_[k]; }

    double Along(std::size_t k, double px, double py) const
    {
        const Line &q = lines_[k];
        return ((px - q.x0) * q.dx + (py - q.y0) * q.dy) * q.inverseSquare;
    }

    // The signed pseudo-distance from the point to the edge of piece k, in
    // channel `bit`; `square`, the squared distance to the piece itself.
    double Pseudo(std::size_t k, double px, double py, std::uint8_t bit, float square) const
    {
        double t = Along(k, px, py);
        const std::size_t nearest = k;
        if (t <= 0 && EdgeStarts(k) && (colours_[contours_.previous[k]] & bit) != 0)
            k = Squarer(k, contours_.previous[k], pieces_[k].x0, pieces_[k].y0, px, py);
        else if (t >= 1 && EdgeEnds(k) && (colours_[contours_.next[k]] & bit) != 0)
            k = Squarer(k, contours_.next[k], pieces_[k].x1, pieces_[k].y1, px, py);
        if (k != nearest)
            t = Along(k, px, py);
        const Line &q = lines_[k];
        const double dx = q.dx;
        const double dy = q.dy;
        const double across = (dx * (py - q.y0) - dy * (px - q.x0)) * q.across;
        if ((t < 0 && EdgeStarts(k)) || (t > 1 && EdgeEnds(k)))
            return across;
        double distance = std::sqrt(static_cast<double>(square));
        if (k != nearest) {
            const double s = std::clamp(t, 0.0, 1.0);
            const double ex = px - q.x0 - s * dx;
            const double ey = py - q.y0 - s * dy;
            distance = std::sqrt(ex * ex + ey * ey);
        }
        return across >= 0 ? distance : -distance;
    }

    const std::vector<Piece> &pieces_;
    Contours contours_;
    std::vector<std::uint8_t> colours_;
    Box box_;
    float reach_;
    std::vector<double> orientations_; // of each piece
    // Each piece as its pseudo-distance needs it, together.
    struct Line {
        double x0;
        double y0;
        double dx;
        double dy;
        double inverse; // 1 / its length, 0 for a point
        double inverseSquare;
        double across; // the inverse, signed inside positive
    };
    std::vector<Line> lines_;
};

} // namespace

ChannelDistances MultiChannelDistances(const std::vector<Piece> &pieces, const Box &box, float reach)
{
    const auto size = static_cast<std::size_t>(box.Area());
    ChannelDistances field;
    field.distances.resize(size);
    field.channels.resize(size * 3);
    Channels(pieces, box, reach).Measure(field);
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
