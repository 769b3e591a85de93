#include "raster/outline_field.h"

#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace raster {
namespace {

constexpr double kTolerance = 1.0 / 256;

struct Point {
    double x = 0;
    double y = 0;
};

Point ToPoint(const FT_Vector *v)
{
    return {static_cast<double>(v->x) / kOnePixel, -static_cast<double>(v->y) / kOnePixel};
}

struct Flattening {
    std::vector<Piece> pieces;
    Point at;

    void LineTo(Point to)
    {
        if (to.x != at.x || to.y != at.y)
            pieces.push_back(Piece{at.x, at.y, to.x, to.y});
        at = to;
    }
    // A curve of `n` pieces through its points at equal steps of t.
    template <class Curve> void CurveTo(int n, Curve &&curve)
    {
        for (int i = 1; i <= n; ++i)
            LineTo(curve(static_cast<double>(i) / n));
    }
};

// Pieces enough that a curve whose second derivative is at most `bend`
// lies within the tolerance of them: a chord of a t-step h strays by at
// most bend h^2 / 8. Bounded, for outlines of absurd size.
int PiecesFor(double bend)
{
    constexpr int kMostPieces = 1 << 12;
    return std::clamp(static_cast<int>(std::ceil(std::sqrt(bend / (8 * kTolerance)))), 1, kMostPieces);
}

double Length(double x, double y)
{
    return std::sqrt(x * x + y * y);
}

int MoveTo(const FT_Vector *to, void *user)
{
    static_cast<Flattening *>(user)->at = ToPoint(to);
    return 0;
}

int LineTo(const FT_Vector *to, void *user)
{
    static_cast<Flattening *>(user)->LineTo(ToPoint(to));
    return 0;
}

int ConicTo(const FT_Vector *control, const FT_Vector *to, void *user)
{
    auto &f = *static_cast<Flattening *>(user);
    const Point p0 = f.at;
    const Point p1 = ToPoint(control);
    const Point p2 = ToPoint(to);
    const int n = PiecesFor(2 * Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y));
    f.CurveTo(n, [&](double t) {
        const double u = 1 - t;
        return Point{u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y};
    });
    return 0;
}

int CubicTo(const FT_Vector *control1, const FT_Vector *control2, const FT_Vector *to, void *user)
{
    auto &f = *static_cast<Flattening *>(user);
    const Point p0 = f.at;
    const Point p1 = ToPoint(control1);
    const Point p2 = ToPoint(control2);
    const Point p3 = ToPoint(to);
    const double bend = 6
        * std::max(Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
            Length(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
    f.CurveTo(PiecesFor(bend), [&](double t) {
        const double u = 1 - t;
        const double a = u * u * u;
        const double b = 3 * u * u * t;
        const double c = 3 * u * t * t;
        const double d = t * t * t;
        return Point{a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y};
    });
    return 0;
}

// A piece in the field's own pixels, from the box's top left corner, as
// a row's distances need it.
struct Segment {
    float x0;
    float y0;
    float dx;
    float dy;
    float inverse; // 1 / its length squared, 0 for a point
    float top;
    float bottom;
};

// The pixels of a row within the reach of a segment: those whose centre
// lies within the reach of the part of it at most the reach above or below.
struct Interval {
    std::int32_t first;
    std::int32_t last;
    std::uint32_t segment;
};

// Where a row's centre line is inside, by the non-zero rule: between the
// pixels `from` (counted) and `to` (not).
struct Span {
    std::int32_t from;
    std::int32_t to;
};

// One row's greys, given to `out` from left to right: each pixel within
// the reach of a segment as its distance says, the rest white inside and
// black outside.
class RowField {
public:
    RowField(const std::vector<Segment> &segments, std::int32_t width, float reach, int spread)
        : segments_(segments)
        , width_(width)
        , reach_(reach)
        , scale_(128.0F / static_cast<float>(spread))
        , squares_(static_cast<std::size_t>(width))
    {
    }

    template <class Out>
    void Row(float y, const std::vector<std::uint32_t> &near, const std::vector<std::uint32_t> &crossing, Out &&out)
    {
        Inside(y, crossing);
        Near(y, near);
        std::size_t span = 0;
        const auto inside = [&](std::int32_t x) {
            while (span < inside_.size() && inside_[span].to <= x)
                ++span;
            return span < inside_.size() && inside_[span].from <= x;
        };
        std::int32_t x = 0;
        for (const Span &band : bands_) {
            Solid(x, band.from, out);
            for (std::int32_t c = band.from; c < band.to; ++c) {
                const float square = squares_[static_cast<std::size_t>(c)];
                const bool in = inside(c);
                if (square >= reach_ * reach_) {
                    out(c, 1, in ? 255 : 0);
                    continue;
                }
                const float distance = std::sqrt(square);
                const float value = std::clamp(128.0F + (in ? distance : -distance) * scale_, 0.0F, 255.0F);
                out(c, 1, static_cast<std::uint8_t>(value + 0.5F));
            }
            x = band.to;
        }
        Solid(x, width_, out);
    }

private:
    // Pixels from..to outside every band: by the spans inside.
    template <class Out> void Solid(std::int32_t from, std::int32_t to, Out &&out) const
    {
        std::int32_t x = from;
        for (const Span &in : inside_) {
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

    void Inside(float y, const std::vector<std::uint32_t> &crossing)
    {
        crossings_.clear();
        for (const std::uint32_t i : crossing) {
            const Segment &g = segments_[i];
            // A pixel counts the crossing when its centre lies to the right.
            const float x = g.x0 + (y - g.y0) * g.dx / g.dy;
            const auto first = static_cast<std::int32_t>(
                std::clamp(std::floor(x - 0.5F) + 1.0F, -1.0F, static_cast<float>(width_) + 1.0F));
            crossings_.emplace_back(first, g.dy > 0 ? 1 : -1);
        }
        std::sort(crossings_.begin(), crossings_.end());
        inside_.clear();
        int winding = 0;
        for (const auto &[first, turn] : crossings_) {
            const bool was = winding != 0;
            winding += turn;
            if (!was && winding != 0)
                inside_.push_back({std::max(first, 0), width_});
            else if (was && winding == 0)
                inside_.back().to = std::min(first, width_);
        }
        std::erase_if(inside_, [](const Span &span) { return span.from >= span.to; });
    }

    void Near(float y, const std::vector<std::uint32_t> &near)
    {
        intervals_.clear();
        for (const std::uint32_t i : near) {
            const Segment &g = segments_[i];
            float from = 0;
            float to = 1;
            if (g.dy != 0) {
                const float a = (y - reach_ - g.y0) / g.dy;
                const float b = (y + reach_ - g.y0) / g.dy;
                from = std::max(0.0F, std::min(a, b));
                to = std::min(1.0F, std::max(a, b));
            }
            const float xa = g.x0 + from * g.dx;
            const float xb = g.x0 + to * g.dx;
            const float first = std::max(std::ceil(std::min(xa, xb) - reach_ - 0.5F), 0.0F);
            const float last = std::min(std::floor(std::max(xa, xb) + reach_ - 0.5F), static_cast<float>(width_ - 1));
            if (from <= to && first <= last)
                intervals_.push_back({static_cast<std::int32_t>(first), static_cast<std::int32_t>(last), i});
        }
        std::sort(intervals_.begin(), intervals_.end(),
            [](const Interval &a, const Interval &b) { return a.first < b.first; });
        bands_.clear();
        for (const Interval &interval : intervals_) {
            if (!bands_.empty() && interval.first <= bands_.back().to)
                bands_.back().to = std::max(bands_.back().to, interval.last + 1);
            else
                bands_.push_back({interval.first, interval.last + 1});
        }
        for (const Span &band : bands_)
            std::fill(squares_.begin() + band.from, squares_.begin() + band.to, reach_ * reach_);
        for (const Interval &interval : intervals_)
            Measure(segments_[interval.segment], y, interval.first, interval.last);
    }

    // The least squared distance of each pixel's centre, first to last, to
    // the segment: a loop the compiler vectorises.
    void Measure(const Segment &g, float y, std::int32_t first, std::int32_t last)
    {
        float *__restrict squares = squares_.data();
        const float x0 = g.x0;
        const float dx = g.dx;
        const float dy = g.dy;
        const float inverse = g.inverse;
        const float wy = y - g.y0;
        const float along = wy * dy;
        for (std::int32_t c = first; c <= last; ++c) {
            const float wx = static_cast<float>(c) + 0.5F - x0;
            float t = (wx * dx + along) * inverse;
            t = t < 0.0F ? 0.0F : t;
            t = t > 1.0F ? 1.0F : t;
            const float ex = wx - t * dx;
            const float ey = wy - t * dy;
            const float square = ex * ex + ey * ey;
            squares[c] = square < squares[c] ? square : squares[c];
        }
    }

    const std::vector<Segment> &segments_;
    std::int32_t width_;
    float reach_;
    float scale_;
    std::vector<float> squares_;
    std::vector<std::pair<std::int32_t, int>> crossings_;
    std::vector<Span> inside_;
    std::vector<Interval> intervals_;
    std::vector<Span> bands_;
};

} // namespace

std::vector<Piece> Pieces(const FT_Outline &outline)
{
    static const FT_Outline_Funcs funcs{MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
    Flattening flattening;
    // Each contour ends where it began: FreeType closes it with a line.
    FT_Outline copy = outline;
    FT_Outline_Decompose(&copy, &funcs, &flattening);
    return std::move(flattening.pieces);
}

Box PiecesBox(const std::vector<Piece> &pieces, std::int64_t margin)
{
    if (pieces.empty())
        return {};
    double left = pieces.front().x0;
    double right = left;
    double top = pieces.front().y0;
    double bottom = top;
    for (const Piece &p : pieces) {
        left = std::min({left, p.x0, p.x1});
        right = std::max({right, p.x0, p.x1});
        top = std::min({top, p.y0, p.y1});
        bottom = std::max({bottom, p.y0, p.y1});
    }
    const auto l = static_cast<std::int64_t>(std::floor(left)) - margin;
    const auto t = static_cast<std::int64_t>(std::floor(top)) - margin;
    return Box{l, t, static_cast<std::int64_t>(std::ceil(right)) + margin - l,
        static_cast<std::int64_t>(std::ceil(bottom)) + margin - t};
}

Coverage OutlineFieldCoverage(const std::vector<Piece> &pieces, const Box &box, int spread, bool inRuns)
{
    const auto reach = static_cast<float>(spread + 1);
    // From the box's corner: small numbers, exact enough in floats.
    std::vector<Segment> segments;
    segments.reserve(pieces.size());
    for (const Piece &p : pieces) {
        const auto x0 = static_cast<float>(p.x0 - static_cast<double>(box.left));
        const auto y0 = static_cast<float>(p.y0 - static_cast<double>(box.top));
        const auto dx = static_cast<float>(p.x1 - p.x0);
        const auto dy = static_cast<float>(p.y1 - p.y0);
        const float lengthSquared = dx * dx + dy * dy;
        segments.push_back({x0, y0, dx, dy, lengthSquared > 0 ? 1.0F / lengthSquared : 0.0F, std::min(y0, y0 + dy),
            std::max(y0, y0 + dy)});
    }
    // Segments come near a row (within the reach) and cross it (the row's
    // centre line between their ends, half open), in order of their tops.
    std::vector<std::uint32_t> byTop(segments.size());
    for (std::uint32_t i = 0; i < byTop.size(); ++i)
        byTop[i] = i;
    std::sort(byTop.begin(), byTop.end(),
        [&](std::uint32_t a, std::uint32_t b) { return segments[a].top < segments[b].top; });
    std::vector<std::uint32_t> near;
    std::vector<std::uint32_t> crossing;
    std::size_t nextNear = 0;
    std::size_t nextCrossing = 0;

    Coverage coverage;
    coverage.pixels = box;
    RunsBuilder runs(box);
    if (!inRuns)
        coverage.bytes.resize(static_cast<std::size_t>(box.Area()));
    RowField field(segments, static_cast<std::int32_t>(box.width), reach, spread);
    for (std::int64_t r = 0; r < box.height; ++r) {
        const float y = static_cast<float>(r) + 0.5F;
        for (; nextNear < byTop.size() && segments[byTop[nextNear]].top - reach <= y; ++nextNear)
            near.push_back(byTop[nextNear]);
        std::erase_if(near, [&](std::uint32_t i) { return segments[i].bottom + reach < y; });
        for (; nextCrossing < byTop.size() && segments[byTop[nextCrossing]].top <= y; ++nextCrossing) {
            if (segments[byTop[nextCrossing]].dy != 0)
                crossing.push_back(byTop[nextCrossing]);
        }
        std::erase_if(crossing, [&](std::uint32_t i) { return segments[i].bottom <= y; });
        if (inRuns) {
            field.Row(y, near, crossing,
                [&](std::int32_t x, std::int32_t length, std::uint8_t grey) { runs.Add(x, length, grey); });
            runs.NextRow();
        } else {
            std::uint8_t *line = coverage.bytes.data() + r * box.width;
            field.Row(y, near, crossing, [line](std::int32_t x, std::int32_t length, std::uint8_t grey) {
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
