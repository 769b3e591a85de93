#include "raster/multi_channel_field.h"

#include "raster/outline_distance.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace raster {
namespace {

constexpr std::uint8_t kRed = 1;
constexpr std::uint8_t kGreen = 2;
constexpr std::uint8_t kBlue = 4;
constexpr std::uint8_t kWhite = kRed | kGreen | kBlue;
constexpr std::array<std::uint8_t, 3> kCorners{kGreen | kBlue, kRed | kBlue, kRed | kGreen};

// Where a line or curve begins turning more than this (radians), the
// outline has a corner.
constexpr double kCornerTurn = 0.1;

// Each piece's neighbours in its contour, which closes on itself.
struct Contours {
    std::vector<std::size_t> previous;
    std::vector<std::size_t> next;
    std::vector<std::pair<std::size_t, std::size_t>> spans; // first and last piece

    explicit Contours(const std::vector<Piece> &pieces)
        : previous(pieces.size())
        , next(pieces.size())
    {
        std::size_t first = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (!pieces[i].closes && i + 1 != pieces.size())
                continue;
            for (std::size_t k = first; k <= i; ++k) {
                previous[k] = k == first ? i : k - 1;
                next[k] = k == i ? first : k + 1;
            }
            spans.emplace_back(first, i);
            first = i + 1;
        }
    }
};

double Turn(const Piece &a, const Piece &b)
{
    const double ax = a.x1 - a.x0;
    const double ay = a.y1 - a.y0;
    const double bx = b.x1 - b.x0;
    const double by = b.y1 - b.y0;
    return std::atan2(std::abs(ax * by - ay * bx), ax * bx + ay * by);
}

double Length(const Piece &p)
{
    return std::hypot(p.x1 - p.x0, p.y1 - p.y0);
}

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

float Median(float a, float b, float c)
{
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
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

// Where the channels' median, filtered between pixels as a reader filters
// them, falls on the other side of the edge from the true distance by more
// than this (pixels), the pixels around it are wrong; a corner's sharpness
// is nearer than this.
constexpr float kClash = 0.5F;

// Nearly on the edge counts: between the points looked at, the median may
// cross.
constexpr float kMargin = 0.125F;

// Whether no point between the four pixels can clash: every channel and the
// true distance well on one side at each, or the true distance nowhere
// further from the edge than a corner's sharpness.
bool Settled(const ChannelDistances &field, const std::array<std::size_t, 4> &pixels)
{
    bool inside = true;
    bool outside = true;
    bool near = true;
    for (const std::size_t pixel : pixels) {
        const float *c = field.channels.data() + pixel * 3;
        const float d = field.distances[pixel];
        inside = inside && d >= 0 && std::min({c[0], c[1], c[2]}) >= kMargin;
        outside = outside && d < 0 && std::max({c[0], c[1], c[2]}) <= -kMargin;
        near = near && std::abs(d) <= kClash;
    }
    return inside || outside || near;
}

// Pixels whose channels draw an edge the true distance does not, at them
// or anywhere between them and their neighbours as a reader filters them,
// take the true distance in all three channels, until none does.
void Correct(ChannelDistances &field, std::int64_t width, std::int64_t height)
{
    const auto at = [width](std::int64_t x, std::int64_t y) { return static_cast<std::size_t>(y * width + x); };
    std::vector<std::uint8_t> wrong(field.distances.size());
    // Whether the filtered median and true distance at a point between the
    // pixels, weighted so, fall on two sides by more than the clash.
    const auto clashes = [&](const std::array<std::size_t, 4> &pixels, const std::array<float, 4> &weights) {
        float r = 0;
        float g = 0;
        float b = 0;
        float d = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            r += weights[i] * field.channels[pixels[i] * 3];
            g += weights[i] * field.channels[pixels[i] * 3 + 1];
            b += weights[i] * field.channels[pixels[i] * 3 + 2];
            d += weights[i] * field.distances[pixels[i]];
        }
        return std::abs(d) > kClash && (d >= 0 ? Median(r, g, b) : -Median(r, g, b)) < kMargin;
    };
    // Points across each square of four pixels' centres, as finely as a
    // reader magnifying four times meets them, its corners included.
    constexpr int kSteps = 4;
    constexpr int kMostRounds = 4;
    for (int round = 0; round < kMostRounds; ++round) {
        bool any = false;
        for (std::int64_t y = 0; y < height; ++y) {
            for (std::int64_t x = 0; x < width; ++x) {
                const std::int64_t right = std::min(x + 1, width - 1);
                const std::int64_t below = std::min(y + 1, height - 1);
                const std::array<std::size_t, 4> pixels{at(x, y), at(right, y), at(x, below), at(right, below)};
                if (Settled(field, pixels))
                    continue;
                for (int sy = 0; sy < kSteps; ++sy) {
                    for (int sx = 0; sx < kSteps; ++sx) {
                        const float fx = static_cast<float>(sx) / kSteps;
                        const float fy = static_cast<float>(sy) / kSteps;
                        const std::array<float, 4> weights{(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
                        if (!clashes(pixels, weights))
                            continue;
                        for (std::size_t i = 0; i < 4; ++i)
                            wrong[pixels[i]] |= weights[i] > 0 ? 1 : 0;
                        any = true;
                    }
                }
            }
        }
        if (!any)
            return;
        for (std::size_t i = 0; i < wrong.size(); ++i) {
            if (wrong[i] != 0)
                std::fill_n(field.channels.begin() + static_cast<std::ptrdiff_t>(i * 3), 3, field.distances[i]);
        }
    }
}

} // namespace

std::vector<std::uint8_t> EdgeColours(const std::vector<Piece> &pieces)
{
    const Contours contours(pieces);
    std::vector<std::uint8_t> colours(pieces.size(), kWhite);
    for (const auto &[first, last] : contours.spans) {
        std::vector<std::size_t> corners;
        for (std::size_t k = first; k <= last; ++k) {
            if (!pieces[k].begins)
                continue;
            // Where curves meet smoothly their flattened pieces turn as much
            // as within them: a corner turns more than twice that.
            const std::size_t before = contours.previous[k];
            const std::size_t after = contours.next[k];
            double within = 0;
            if (!pieces[before].begins)
                within = std::max(within, Turn(pieces[contours.previous[before]], pieces[before]));
            if (!pieces[after].begins)
                within = std::max(within, Turn(pieces[k], pieces[after]));
            const double turn = Turn(pieces[before], pieces[k]);
            if (turn > kCornerTurn && turn > 2 * within)
                corners.push_back(k);
        }
        const std::size_t count = last - first + 1;
        if (corners.size() == 1) {
            // A teardrop: magenta, white and yellow from the corner round,
            // so that its two sides share red only.
            if (count < 3)
                continue;
            for (std::size_t j = 0, k = corners.front(); j < count; ++j, k = contours.next[k])
                colours[k] = j < count / 3 ? kCorners[1] : j < 2 * count / 3 ? kWhite : kCorners[2];
            continue;
        }
        for (std::size_t e = 0; e < corners.size(); ++e) {
            std::uint8_t colour = kCorners[e % 3];
            // The last edge meets the first as well.
            if (e + 1 == corners.size() && e % 3 == 0 && e > 0)
                colour = kCorners[1];
            const std::size_t end = corners[(e + 1) % corners.size()];
            std::size_t k = corners[e];
            do {
                colours[k] = colour;
                k = contours.next[k];
            } while (k != end);
        }
    }
    return colours;
}

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
    Correct(field, box.width, box.height);
    return field;
}

Coverage MultiChannelFieldCoverage(const std::vector<Piece> &pieces, const Box &box, int spread)
{
    const ChannelDistances field = MultiChannelDistances(pieces, box, static_cast<float>(spread + 1));
    // As the single-channel field turns distances into greys, byte for byte.
    const float scale = 128.0F / static_cast<float>(spread);
    const auto grey = [scale](float distance) {
        return static_cast<std::uint8_t>(std::clamp(128.0F + distance * scale, 0.0F, 255.0F) + 0.5F);
    };
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
