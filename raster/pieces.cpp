#include "raster/pieces.h"

#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <initializer_list>

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

// The angle between two directions, 0 to pi.
double Angle(Point a, Point b)
{
    return std::atan2(std::abs(a.x * b.y - a.y * b.x), a.x * b.x + a.y * b.y);
}

// The first of the differences that is not nothing: a curve's tangent at
// an end, where its control points may lie on the end itself.
Point FirstDirection(std::initializer_list<Point> differences)
{
    for (const Point d : differences) {
        if (d.x != 0 || d.y != 0)
            return d;
    }
    return {};
}

struct Flattening {
    std::vector<Piece> pieces;
    Point at;
    std::size_t contour = 0; // where the contour drawn began
    bool begins = true; // the next piece begins a line or curve
    Point leaving; // the tangent of the line or curve begun, at its start
    Point arriving; // the tangent of the last line or curve begun, at its end
    Point previous; // the tangent the outline arrives with at `at`
    Point first; // the tangent at the contour's start
    std::size_t begun = 0; // the pieces before the line or curve begun

    // The contour drawn ends: FreeType has brought it back to its start.
    void Close()
    {
        if (pieces.size() > contour) {
            pieces.back().closes = true;
            pieces[contour].turn = Angle(previous, first);
        }
        contour = pieces.size();
    }

    // A line or curve from `at`, its tangents at its ends given.
    void Begin(Point start, Point end)
    {
        begins = true;
        leaving = start;
        arriving = end;
        begun = pieces.size();
    }

    void LineTo(Point to)
    {
        if (to.x != at.x || to.y != at.y) {
            Piece piece{at.x, at.y, to.x, to.y, false, begins};
            if (begins && pieces.size() > contour)
                piece.turn = Angle(previous, leaving);
            if (begins && pieces.size() == contour)
                first = leaving;
            pieces.push_back(piece);
            begins = false;
        }
        at = to;
    }
    // A curve of `n` pieces through its points at equal steps of t.
    template <class Curve> void CurveTo(int n, Curve &&curve)
    {
        for (int i = 1; i <= n; ++i)
            LineTo(curve(static_cast<double>(i) / n));
        Ended();
    }

    // The line or curve begun is drawn; one that drew no piece leaves the
    // tangent as it was.
    void Ended()
    {
        if (pieces.size() > begun)
            previous = arriving;
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
    auto &f = *static_cast<Flattening *>(user);
    f.Close();
    f.at = ToPoint(to);
    f.begins = true;
    return 0;
}

int LineTo(const FT_Vector *to, void *user)
{
    auto &f = *static_cast<Flattening *>(user);
    const Point p = ToPoint(to);
    const Point direction{p.x - f.at.x, p.y - f.at.y};
    f.Begin(direction, direction);
    f.LineTo(p);
    f.Ended();
    return 0;
}

int ConicTo(const FT_Vector *control, const FT_Vector *to, void *user)
{
    auto &f = *static_cast<Flattening *>(user);
    const Point p0 = f.at;
    const Point p1 = ToPoint(control);
    const Point p2 = ToPoint(to);
    f.Begin(FirstDirection({{p1.x - p0.x, p1.y - p0.y}, {p2.x - p0.x, p2.y - p0.y}}),
        FirstDirection({{p2.x - p1.x, p2.y - p1.y}, {p2.x - p0.x, p2.y - p0.y}}));
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
    f.Begin(FirstDirection({{p1.x - p0.x, p1.y - p0.y}, {p2.x - p0.x, p2.y - p0.y}, {p3.x - p0.x, p3.y - p0.y}}),
        FirstDirection({{p3.x - p2.x, p3.y - p2.y}, {p3.x - p1.x, p3.y - p1.y}, {p3.x - p0.x, p3.y - p0.y}}));
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

} // namespace

std::vector<Piece> Pieces(const FT_Outline &outline)
{
    static const FT_Outline_Funcs funcs{MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
    Flattening flattening;
    // Each contour ends where it began: FreeType closes it with a line.
    FT_Outline copy = outline;
    FT_Outline_Decompose(&copy, &funcs, &flattening);
    flattening.Close();
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

} // namespace raster
