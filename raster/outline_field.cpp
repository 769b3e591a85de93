#include "raster/outline_field.h"

#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
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

// Where the pieces cross a row's centre line, and which way: the non-zero
// rule counts them.
struct Crossing {
    double x;
    int winding;
    bool operator<(const Crossing &other) const { return x < other.x; }
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
    const auto width = static_cast<std::size_t>(box.width);
    const auto height = static_cast<std::size_t>(box.height);
    // Beyond the spread every distance is as good as this one.
    const double reach = spread + 1.0;
    std::vector<float> squares(width * height, static_cast<float>(reach * reach));
    // Each piece measures the pixels within its reach, row by row: those
    // whose centre lies within the reach of the part of it at most the reach
    // above or below.
    for (const Piece &p : pieces) {
        const double dx = p.x1 - p.x0;
        const double dy = p.y1 - p.y0;
        const double lengthSquared = dx * dx + dy * dy;
        const auto firstRow
            = std::max<std::int64_t>(static_cast<std::int64_t>(std::ceil(std::min(p.y0, p.y1) - reach - 0.5)), box.top);
        const auto lastRow = std::min<std::int64_t>(
            static_cast<std::int64_t>(std::floor(std::max(p.y0, p.y1) + reach - 0.5)), box.top + box.height - 1);
        for (std::int64_t row = firstRow; row <= lastRow; ++row) {
            const double y = static_cast<double>(row) + 0.5;
            double from = 0;
            double to = 1;
            if (dy != 0) {
                const double a = (y - reach - p.y0) / dy;
                const double b = (y + reach - p.y0) / dy;
                from = std::max(0.0, std::min(a, b));
                to = std::min(1.0, std::max(a, b));
            }
            const double xa = p.x0 + from * dx;
            const double xb = p.x0 + to * dx;
            const auto firstColumn = std::max<std::int64_t>(
                static_cast<std::int64_t>(std::ceil(std::min(xa, xb) - reach - 0.5)), box.left);
            const auto lastColumn = std::min<std::int64_t>(
                static_cast<std::int64_t>(std::floor(std::max(xa, xb) + reach - 0.5)), box.left + box.width - 1);
            float *line = squares.data() + static_cast<std::size_t>(row - box.top) * width;
            for (std::int64_t column = firstColumn; column <= lastColumn; ++column) {
                const double wx = static_cast<double>(column) + 0.5 - p.x0;
                const double wy = y - p.y0;
                const double t = lengthSquared > 0 ? std::clamp((wx * dx + wy * dy) / lengthSquared, 0.0, 1.0) : 0.0;
                const double ex = wx - t * dx;
                const double ey = wy - t * dy;
                float &least = line[column - box.left];
                least = std::min(least, static_cast<float>(ex * ex + ey * ey));
            }
        }
    }

    // Row by row, inside where the pieces crossing the row's centre line
    // left of a pixel's centre do not cancel out.
    std::vector<const Piece *> byTop;
    for (const Piece &p : pieces) {
        if (p.y0 != p.y1)
            byTop.push_back(&p);
    }
    std::sort(byTop.begin(), byTop.end(),
        [](const Piece *a, const Piece *b) { return std::min(a->y0, a->y1) < std::min(b->y0, b->y1); });
    std::vector<const Piece *> active;
    std::vector<Crossing> crossings;
    std::size_t next = 0;
    std::vector<std::uint8_t> greys(width);
    Coverage coverage;
    coverage.pixels = box;
    RunsBuilder runs(box);
    if (!inRuns)
        coverage.bytes.resize(width * height);
    const double scale = 128.0 / spread;
    for (std::size_t r = 0; r < height; ++r) {
        const double y = static_cast<double>(box.top) + static_cast<double>(r) + 0.5;
        while (next < byTop.size() && std::min(byTop[next]->y0, byTop[next]->y1) <= y)
            active.push_back(byTop[next++]);
        crossings.clear();
        std::erase_if(active, [y](const Piece *p) { return std::max(p->y0, p->y1) <= y; });
        for (const Piece *p : active) {
            if (std::min(p->y0, p->y1) <= y)
                crossings.push_back({p->x0 + (y - p->y0) * (p->x1 - p->x0) / (p->y1 - p->y0), p->y1 > p->y0 ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end());
        const float *line = squares.data() + r * width;
        int winding = 0;
        std::size_t crossed = 0;
        for (std::size_t c = 0; c < width; ++c) {
            const double x = static_cast<double>(box.left) + static_cast<double>(c) + 0.5;
            while (crossed < crossings.size() && crossings[crossed].x < x)
                winding += crossings[crossed++].winding;
            const double distance = std::sqrt(static_cast<double>(line[c]));
            const double value = 128.0 + (winding != 0 ? distance : -distance) * scale;
            greys[c] = static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
        }
        if (inRuns) {
            runs.AddRow(greys.data());
            runs.NextRow();
        } else {
            std::copy(greys.begin(), greys.end(), coverage.bytes.begin() + static_cast<std::ptrdiff_t>(r * width));
        }
    }
    if (inRuns)
        return runs.Finish();
    coverage.ink = Tight(coverage.bytes, coverage.pixels);
    return coverage;
}

} // namespace raster
