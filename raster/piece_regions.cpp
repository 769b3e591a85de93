#include "raster/piece_regions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace raster {
namespace {

struct Vector {
    double x = 0;
    double y = 0;
};

Vector Direction(const Piece &p)
{
    const double length = std::hypot(p.x1 - p.x0, p.y1 - p.y0);
    return {(p.x1 - p.x0) / length, (p.y1 - p.y0) / length};
}

Vector Rotated(Vector v, double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

class Regions {
public:
    Regions(const std::vector<Piece> &pieces, const Box &box, double reach)
        : box_(box)
        , left_(static_cast<double>(box.left))
        , top_(static_cast<double>(box.top))
        , reach_(reach)
    {
        // What a piece's regions can reach: none lies further from it than
        // a sector's corners, well within twice the reach.
        const Box near{box.left - 2 * static_cast<std::int64_t>(reach) - 1,
            box.top - 2 * static_cast<std::int64_t>(reach) - 1, box.width + 4 * static_cast<std::int64_t>(reach) + 2,
            box.height + 4 * static_cast<std::int64_t>(reach) + 2};
        const auto meetsBox = [&](const Piece &p) {
            return std::max(p.x0, p.x1) >= static_cast<double>(near.left)
                && std::min(p.x0, p.x1) <= static_cast<double>(near.left + near.width)
                && std::max(p.y0, p.y1) >= static_cast<double>(near.top)
                && std::min(p.y0, p.y1) <= static_cast<double>(near.top + near.height);
        };
        std::size_t first = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const bool last = pieces[i].closes || i + 1 == pieces.size();
            const std::size_t next = last ? first : i + 1;
            if (last)
                first = i + 1;
            const bool meets = pieces[next].x0 == pieces[i].x1 && pieces[next].y0 == pieces[i].y1;
            if (!meets && meetsBox(pieces[next]))
                Disc(pieces[next].x0, pieces[next].y0, static_cast<std::uint32_t>(next));
            if (meetsBox(pieces[i]))
                Join(pieces, i, meets ? next : pieces.size());
        }
    }

    std::vector<Region> &All() { return regions_; }

private:
    // The slab of piece i and what lies beyond its end: the corner it turns
    // with `next`, or a disc where there is none to meet.
    void Join(const std::vector<Piece> &pieces, std::size_t i, std::size_t next)
    {
        const Piece &p = pieces[i];
        const auto segment = static_cast<std::uint32_t>(i);
        const Vector u = Direction(p);
        Vector out{-u.y, u.x};
        Region slab;
        slab.segment = segment;
        slab.other = segment;
        if (next == pieces.size()) {
            AddSlab(slab, p, out, {});
            Disc(p.x1, p.y1, segment);
            return;
        }
        const Vector v = Direction(pieces[next]);
        const double cross = u.x * v.y - u.y * v.x;
        const double turn = std::atan2(std::abs(cross), u.x * v.x + u.y * v.y);
        // The side the corner opens to: away from where the next piece goes.
        if (out.x * v.x + out.y * v.y > 0)
            out = {-out.x, -out.y};
        Vector beyond{-v.y, v.x};
        if (beyond.x * u.x + beyond.y * u.y < 0)
            beyond = {-beyond.x, -beyond.y};
        const auto nextSegment = static_cast<std::uint32_t>(next);
        constexpr double kSlight = 0.5;
        if (turn <= kSlight) {
            slab.other = nextSegment;
            AddSlab(slab, p, out, beyond);
            return;
        }
        AddSlab(slab, p, out, {});
        Region corner;
        corner.segment = segment;
        corner.other = nextSegment;
        corner.Add(p.x1 - left_, p.y1 - top_);
        const int steps = static_cast<int>(std::ceil(turn / (std::numbers::pi / 4)));
        const double step = turn / steps;
        const double radius = reach_ / std::cos(step / 2);
        // Turning from `out` through the corner, which holds u - v (a
        // reversal's corner is the half plane ahead).
        const double sense = out.x * (u.y - v.y) - out.y * (u.x - v.x) >= 0 ? 1 : -1;
        for (int k = 0; k <= steps; ++k) {
            const Vector d = k == steps ? beyond : Rotated(out, sense * step * k);
            corner.Add(p.x1 - left_ + radius * d.x, p.y1 - top_ + radius * d.y);
        }
        corner.Close();
        regions_.push_back(corner);
    }

    // The slab, and where `beyond` is given, the sliver of corner after it.
    void AddSlab(Region &slab, const Piece &p, Vector out, Vector beyond)
    {
        const double ax = p.x0 - left_;
        const double ay = p.y0 - top_;
        const double bx = p.x1 - left_;
        const double by = p.y1 - top_;
        slab.Add(ax + reach_ * out.x, ay + reach_ * out.y);
        if (beyond.x != 0 || beyond.y != 0) {
            const double cosine = std::clamp(out.x * beyond.x + out.y * beyond.y, -1.0, 1.0);
            const double radius = reach_ / std::cos(std::acos(cosine) / 2);
            slab.Add(bx + radius * out.x, by + radius * out.y);
            slab.Add(bx + radius * beyond.x, by + radius * beyond.y);
        } else {
            slab.Add(bx + reach_ * out.x, by + reach_ * out.y);
        }
        slab.Add(bx - reach_ * out.x, by - reach_ * out.y);
        slab.Add(ax - reach_ * out.x, ay - reach_ * out.y);
        slab.Close();
        regions_.push_back(slab);
    }

    void Disc(double px, double py, std::uint32_t segment)
    {
        regions_.push_back(LooseEnd(px, py, segment, box_, reach_));
    }

    Box box_;
    double left_;
    double top_;
    double reach_;
    std::vector<Region> regions_;
};

} // namespace

// An octagon, the disc of the reach inside it.
Region LooseEnd(double px, double py, std::uint32_t segment, const Box &box, double reach)
{
    Region disc;
    disc.segment = segment;
    disc.other = segment;
    const double radius = reach / std::cos(std::numbers::pi / 8);
    for (int k = 0; k < 8; ++k) {
        const double angle = std::numbers::pi / 4 * k;
        disc.Add(px - static_cast<double>(box.left) + radius * std::cos(angle),
            py - static_cast<double>(box.top) + radius * std::sin(angle));
    }
    disc.Close();
    return disc;
}

std::vector<Region> PieceRegions(const std::vector<Piece> &pieces, const Box &box, double reach)
{
    return std::move(Regions(pieces, box, reach).All());
}

} // namespace raster
