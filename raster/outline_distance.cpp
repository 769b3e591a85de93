#include "raster/outline_distance.h"

#include "raster/contours.h"
#include "raster/piece_regions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace raster {
namespace {

// A piece in the field's own pixels, from the box's top left corner, as
// its distances need it.
struct Segment {
    float x0;
    float y0;
    float dx;
    float dy;
    float inverse; // 1 / its length squared, 0 for a point
    float top;
    float bottom;
};

// Whole numbers of pixels about a box, however far an outline reaches.
constexpr double kFarthest = 1 << 30;

int FloorInt(double v)
{
    v = std::clamp(v, -kFarthest, kFarthest);
    const auto i = static_cast<int>(v);
    return i - (v < i);
}

int CeilInt(double v)
{
    v = std::clamp(v, -kFarthest, kFarthest);
    const auto i = static_cast<int>(v);
    return i + (v > i);
}

// The squared distance from the centre of pixel c of a row to the segment,
// `wy` the row's centre below the segment's start and `along` wy dy.
inline float SquareAt(const Segment &g, std::int32_t c, float wy, float along)
{
    const float wx = static_cast<float>(c) + 0.5F - g.x0;
    float t = (wx * g.dx + along) * g.inverse;
    t = t < 0.0F ? 0.0F : t;
    t = t > 1.0F ? 1.0F : t;
    const float ex = wx - t * g.dx;
    const float ey = wy - t * g.dy;
    return ex * ex + ey * ey;
}

// The least squared distance from each pixel's centre, first to last in
// the row at y, to the segment: a loop the compiler vectorises.
void Measure(const Segment &g, float y, float *__restrict squares, std::int32_t first, std::int32_t last)
{
    const float wy = y - g.y0;
    const float along = wy * g.dy;
    for (std::int32_t c = first; c <= last; ++c) {
        const float square = SquareAt(g, c, wy, along);
        squares[c] = square < squares[c] ? square : squares[c];
    }
}

// The squared distance from each pixel's centre, first to last in the row
// at y, to the segment, kept in each of the channels `kChannels` names
// where it is the least, with the segment: one loop for all three.
template <unsigned kChannels>
void MeasureNearest(const Segment &g, std::uint32_t index, float y, float *__restrict red, float *__restrict green,
    float *__restrict blue, std::uint32_t *__restrict nearestRed, std::uint32_t *__restrict nearestGreen,
    std::uint32_t *__restrict nearestBlue, std::int32_t first, std::int32_t last)
{
    const float wy = y - g.y0;
    const float along = wy * g.dy;
    const auto keep = [index](float square, float *squares, std::uint32_t *nearest, std::int32_t c) {
        const bool nearer = square < squares[c];
        squares[c] = nearer ? square : squares[c];
        nearest[c] = nearer ? index : nearest[c];
    };
    for (std::int32_t c = first; c <= last; ++c) {
        const float square = SquareAt(g, c, wy, along);
        if constexpr ((kChannels & 1) != 0)
            keep(square, red, nearestRed, c);
        if constexpr ((kChannels & 2) != 0)
            keep(square, green, nearestGreen, c);
        if constexpr ((kChannels & 4) != 0)
            keep(square, blue, nearestBlue, c);
    }
}

// A band of rows' squared distances, each pixel measured only to the
// pieces whose regions hold its centre; with channels, in each of the
// channels of the piece and of the region, and which piece is the nearest.
class Band {
public:
    static constexpr std::int32_t kRows = 32;

    Band(const std::vector<Segment> &segments, std::int32_t width, float reach,
        const std::vector<std::uint8_t> *colours)
        : segments_(segments)
        , colours_(colours)
        , channels_(colours != nullptr ? 3 : 1)
        , width_(width)
        , far_(reach * reach)
        , squares_(static_cast<std::size_t>(width) * kRows * static_cast<std::size_t>(channels_), far_)
        , nearest_(colours != nullptr ? squares_.size() : 0)
        , first_(kRows, width)
        , last_(kRows, -1)
    {
    }

    // Rows from `row` on; what the last band measured is far again.
    void Start(std::int32_t row, std::int32_t rows)
    {
        for (std::int32_t r = 0; r < kRows; ++r) {
            const std::int32_t first = first_[static_cast<std::size_t>(r)];
            const std::int32_t last = last_[static_cast<std::size_t>(r)];
            for (int channel = 0; channel < channels_ && first <= last; ++channel)
                std::fill(Plane(squares_, channel, r) + first, Plane(squares_, channel, r) + last + 1, far_);
        }
        row_ = row;
        rows_ = rows;
        std::fill(first_.begin(), first_.end(), width_);
        std::fill(last_.begin(), last_.end(), -1);
    }

    void Measure(const Region &region)
    {
        // Each row's span of the polygon, edge by edge, where its centre line
        // crosses them; a little wider, so that rounding drops no pixel.
        constexpr double kSlack = 1.0 / 64;
        const int from = std::max(CeilInt(region.top - 0.5 - kSlack), row_) - row_;
        const int to = std::min(FloorInt(region.bottom - 0.5 + kSlack), row_ + rows_ - 1) - row_;
        if (from > to)
            return;
        std::array<double, kRows> lo;
        std::array<double, kRows> hi;
        std::fill(lo.begin() + from, lo.begin() + to + 1, std::numeric_limits<double>::infinity());
        std::fill(hi.begin() + from, hi.begin() + to + 1, -std::numeric_limits<double>::infinity());
        for (int k = 0; k < region.count; ++k) {
            const int j = k + 1 == region.count ? 0 : k + 1;
            const double x0 = region.x[static_cast<std::size_t>(k)];
            const double y0 = region.y[static_cast<std::size_t>(k)];
            const double x1 = region.x[static_cast<std::size_t>(j)];
            const double y1 = region.y[static_cast<std::size_t>(j)];
            const double low = std::min(x0, x1);
            const double high = std::max(x0, x1);
            const int a = std::max(CeilInt(std::min(y0, y1) - 0.5 - kSlack) - row_, from);
            const int b = std::min(FloorInt(std::max(y0, y1) - 0.5 + kSlack) - row_, to);
            const double slope = y1 != y0 ? (x1 - x0) / (y1 - y0) : 0;
            for (int r = a; r <= b; ++r) {
                const double at = std::clamp(x0 + (row_ + r + 0.5 - y0) * slope, low, high);
                lo[static_cast<std::size_t>(r)] = std::min(lo[static_cast<std::size_t>(r)], y1 != y0 ? at : low);
                hi[static_cast<std::size_t>(r)] = std::max(hi[static_cast<std::size_t>(r)], y1 != y0 ? at : high);
            }
        }
        const double limit = width_ - 1;
        for (int r = from; r <= to; ++r) {
            const double low = lo[static_cast<std::size_t>(r)] - 0.5 - kSlack;
            const double high = hi[static_cast<std::size_t>(r)] - 0.5 + kSlack;
            if (low > high || high < 0 || low > limit)
                continue;
            const int first = CeilInt(std::max(low, 0.0));
            const int last = FloorInt(std::min(high, limit));
            if (first > last)
                continue;
            const auto y = static_cast<float>(row_ + r) + 0.5F;
            MeasureIn(region.segment, region.channels, r, y, first, last);
            if (region.other != region.segment)
                MeasureIn(region.other, region.channels, r, y, first, last);
            first_[static_cast<std::size_t>(r)] = std::min(first_[static_cast<std::size_t>(r)], first);
            last_[static_cast<std::size_t>(r)] = std::max(last_[static_cast<std::size_t>(r)], last);
        }
    }

    // Row r of the band: each channel's squared distances and nearest
    // pieces, and the pixels measured.
    std::array<const float *, 3> Squares(std::int32_t r) const
    {
        std::array<const float *, 3> rows{};
        for (int channel = 0; channel < channels_; ++channel)
            rows[static_cast<std::size_t>(channel)] = squares_.data() + Offset(channel, r);
        return rows;
    }
    std::array<const std::uint32_t *, 3> Nearest(std::int32_t r) const
    {
        std::array<const std::uint32_t *, 3> rows{};
        for (int channel = 0; colours_ != nullptr && channel < channels_; ++channel)
            rows[static_cast<std::size_t>(channel)] = nearest_.data() + Offset(channel, r);
        return rows;
    }
    std::int32_t First(std::int32_t r) const { return first_[static_cast<std::size_t>(r)]; }
    std::int32_t Last(std::int32_t r) const { return last_[static_cast<std::size_t>(r)]; }
    float Far() const { return far_; }

private:
    std::ptrdiff_t Offset(int channel, std::int32_t r) const
    {
        return (static_cast<std::ptrdiff_t>(channel) * kRows + r) * width_;
    }
    template <class T> T *Plane(std::vector<T> &values, int channel, std::int32_t r)
    {
        return values.data() + Offset(channel, r);
    }

    // The segment measured once, kept in each channel it and the region share.
    void MeasureIn(std::uint32_t segment, std::uint8_t channels, std::int32_t r, float y, int first, int last)
    {
        if (colours_ == nullptr) {
            raster::Measure(segments_[segment], y, Plane(squares_, 0, r), first, last);
            return;
        }
        const auto shared = static_cast<std::uint8_t>((*colours_)[segment] & channels);
        float *red = Plane(squares_, 0, r);
        float *green = Plane(squares_, 1, r);
        float *blue = Plane(squares_, 2, r);
        std::uint32_t *nearestRed = Plane(nearest_, 0, r);
        std::uint32_t *nearestGreen = Plane(nearest_, 1, r);
        std::uint32_t *nearestBlue = Plane(nearest_, 2, r);
        const Segment &g = segments_[segment];
        // One loop for each set of channels.
        using Kernel = void (*)(const Segment &, std::uint32_t, float, float *, float *, float *, std::uint32_t *,
            std::uint32_t *, std::uint32_t *, std::int32_t, std::int32_t);
        static constexpr std::array<Kernel, 8> kKernels{nullptr, MeasureNearest<1>, MeasureNearest<2>,
            MeasureNearest<3>, MeasureNearest<4>, MeasureNearest<5>, MeasureNearest<6>, MeasureNearest<7>};
        if (shared != 0)
            kKernels[shared](g, segment, y, red, green, blue, nearestRed, nearestGreen, nearestBlue, first, last);
    }

    const std::vector<Segment> &segments_;
    const std::vector<std::uint8_t> *colours_;
    int channels_;
    std::int32_t width_;
    float far_;
    std::int32_t row_ = 0;
    std::int32_t rows_ = 0;
    std::vector<float> squares_;
    std::vector<std::uint32_t> nearest_;
    std::vector<std::int32_t> first_;
    std::vector<std::int32_t> last_;
};

// The spans of a row inside, from the segments that cross it.
class Winding {
public:
    explicit Winding(const std::vector<Segment> &segments)
        : segments_(segments)
    {
    }

    const std::vector<Span> &Row(float y, const std::vector<std::uint32_t> &crossing, std::int32_t width)
    {
        crossings_.clear();
        for (const std::uint32_t i : crossing) {
            const Segment &g = segments_[i];
            // A pixel counts the crossing when its centre lies to the right.
            const float x = g.x0 + (y - g.y0) * g.dx / g.dy;
            const auto first = static_cast<std::int32_t>(
                std::clamp(std::floor(x - 0.5F) + 1.0F, -1.0F, static_cast<float>(width) + 1.0F));
            crossings_.emplace_back(first, g.dy > 0 ? 1 : -1);
        }
        std::sort(crossings_.begin(), crossings_.end());
        inside_.clear();
        int winding = 0;
        for (const auto &[first, turn] : crossings_) {
            const bool was = winding != 0;
            winding += turn;
            if (!was && winding != 0)
                inside_.push_back({std::max(first, 0), width});
            else if (was && winding == 0)
                inside_.back().to = std::min(first, width);
        }
        std::erase_if(inside_, [](const Span &span) { return span.from >= span.to; });
        return inside_;
    }

private:
    const std::vector<Segment> &segments_;
    std::vector<std::pair<std::int32_t, int>> crossings_;
    std::vector<Span> inside_;
};

} // namespace

struct OutlineDistance::Rows {
    Rows(const std::vector<Piece> &pieces, const Box &box, float reach, const std::vector<std::uint8_t> *colours);

    std::vector<Segment> segments;
    std::vector<Region> regions;
    // Segments that cross a row (its centre line between their ends, half
    // open), in order of their tops.
    std::vector<std::uint32_t> byTop;
    std::vector<std::uint32_t> crossing;
    std::size_t nextCrossing = 0;
    std::vector<std::uint32_t> near;
    std::size_t nextNear = 0;
    Band band;
    Winding winding;
    std::int64_t height;
    std::int64_t row = 0;
};

OutlineDistance::Rows::Rows(
    const std::vector<Piece> &pieces, const Box &box, float reach, const std::vector<std::uint8_t> *colours)
    : band(segments, static_cast<std::int32_t>(box.width), reach, colours)
    , winding(segments)
    , height(box.height)
{
    // From the box's corner: small numbers, exact enough in floats near it.
    // A piece's ends are each taken from where they lie, so that pieces
    // meeting meet in floats too: a row through their point counts it
    // once, however far the pieces reach.
    segments.reserve(pieces.size());
    for (const Piece &p : pieces) {
        const auto x0 = static_cast<float>(p.x0 - static_cast<double>(box.left));
        const auto y0 = static_cast<float>(p.y0 - static_cast<double>(box.top));
        const auto y1 = static_cast<float>(p.y1 - static_cast<double>(box.top));
        const auto dx = static_cast<float>(p.x1 - p.x0);
        const auto dy = static_cast<float>(p.y1 - p.y0);
        const float lengthSquared = dx * dx + dy * dy;
        segments.push_back(
            {x0, y0, dx, dy, lengthSquared > 0 ? 1.0F / lengthSquared : 0.0F, std::min(y0, y1), std::max(y0, y1)});
    }
    regions = PieceRegions(pieces, box, reach);
    if (colours != nullptr) {
        // Where a channel's edge ends at a corner, its end is loose in it.
        const Contours contours(pieces);
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const std::size_t next = contours.next[k];
            const std::uint8_t here = (*colours)[k];
            const std::uint8_t there = (*colours)[next];
            if (here == there)
                continue;
            Region end = LooseEnd(pieces[k].x1, pieces[k].y1, static_cast<std::uint32_t>(k), box, reach);
            end.channels = static_cast<std::uint8_t>(here & ~there);
            Region start = LooseEnd(pieces[next].x0, pieces[next].y0, static_cast<std::uint32_t>(next), box, reach);
            start.channels = static_cast<std::uint8_t>(there & ~here);
            for (const Region &loose : {end, start}) {
                if (loose.channels != 0)
                    regions.push_back(loose);
            }
        }
    }
    std::sort(regions.begin(), regions.end(), [](const Region &a, const Region &b) { return a.top < b.top; });
    const auto rows = static_cast<float>(box.height);
    for (std::uint32_t i = 0; i < segments.size(); ++i) {
        if (segments[i].bottom >= 0 && segments[i].top <= rows && segments[i].top < segments[i].bottom
            && segments[i].dy != 0)
            byTop.push_back(i);
    }
    std::sort(byTop.begin(), byTop.end(),
        [&](std::uint32_t a, std::uint32_t b) { return segments[a].top < segments[b].top; });
}

OutlineDistance::OutlineDistance(
    const std::vector<Piece> &pieces, const Box &box, float reach, const std::vector<std::uint8_t> *colours)
    : rows_(std::make_unique<Rows>(pieces, box, reach, colours))
    , width_(static_cast<std::int32_t>(box.width))
{
}

OutlineDistance::~OutlineDistance() = default;

float OutlineDistance::Far() const
{
    return rows_->band.Far();
}

OutlineDistance::Row OutlineDistance::Next()
{
    Rows &s = *rows_;
    const std::int32_t r = static_cast<std::int32_t>(s.row % Band::kRows);
    if (r == 0) {
        const auto rows = static_cast<std::int32_t>(std::min<std::int64_t>(Band::kRows, s.height - s.row));
        s.band.Start(static_cast<std::int32_t>(s.row), rows);
        const auto bottom = static_cast<double>(s.row + rows);
        for (; s.nextNear < s.regions.size() && s.regions[s.nextNear].top - 1 <= bottom; ++s.nextNear)
            s.near.push_back(static_cast<std::uint32_t>(s.nextNear));
        const auto top = static_cast<double>(s.row);
        std::erase_if(s.near, [&](std::uint32_t i) { return s.regions[i].bottom + 1 < top; });
        for (const std::uint32_t i : s.near)
            s.band.Measure(s.regions[i]);
    }
    const float y = static_cast<float>(s.row) + 0.5F;
    for (; s.nextCrossing < s.byTop.size() && s.segments[s.byTop[s.nextCrossing]].top <= y; ++s.nextCrossing)
        s.crossing.push_back(s.byTop[s.nextCrossing]);
    std::erase_if(s.crossing, [&](std::uint32_t i) { return s.segments[i].bottom <= y; });
    ++s.row;
    return Row{
        s.band.Squares(r), s.band.Nearest(r), s.band.First(r), s.band.Last(r), s.winding.Row(y, s.crossing, width_)};
}

} // namespace raster
