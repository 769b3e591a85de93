#include "raster/distance_field.h"

#include "raster/field_grey.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace raster {
namespace {

constexpr float kFar = std::numeric_limits<float>::infinity();

// The lower envelope of the parabolas (x - p)^2 + f[p] (Felzenszwalb and
// Huttenlocher), at the positions asked: the least squared distance from
// each, and the p it is to.
void Envelope(const std::vector<float> &f, const std::vector<int> &at, std::vector<float> &least,
    std::vector<int> &from, std::vector<int> &v, std::vector<float> &z)
{
    const int n = static_cast<int>(f.size());
    int k = -1;
    for (int q = 0; q < n; ++q) {
        const float fq = f[static_cast<std::size_t>(q)];
        if (fq == kFar)
            continue;
        float s = -kFar;
        while (k >= 0) {
            const int p = v[static_cast<std::size_t>(k)];
            const float fp = f[static_cast<std::size_t>(p)];
            s = ((fq + static_cast<float>(q) * static_cast<float>(q))
                    - (fp + static_cast<float>(p) * static_cast<float>(p)))
                / (2.0F * static_cast<float>(q - p));
            if (s > z[static_cast<std::size_t>(k)])
                break;
            --k;
        }
        ++k;
        v[static_cast<std::size_t>(k)] = q;
        z[static_cast<std::size_t>(k)] = k == 0 ? -kFar : s;
    }
    least.assign(at.size(), kFar);
    from.assign(at.size(), -1);
    if (k < 0)
        return;
    int j = 0;
    for (std::size_t i = 0; i < at.size(); ++i) {
        const auto x = static_cast<float>(at[i]);
        while (j < k && z[static_cast<std::size_t>(j) + 1] < x)
            ++j;
        const int p = v[static_cast<std::size_t>(j)];
        least[i] = (x - static_cast<float>(p)) * (x - static_cast<float>(p)) + f[static_cast<std::size_t>(p)];
        from[i] = p;
    }
}

} // namespace

// Distances are taken to the nearest edge pixel, one partly covered or
// beside one wholly on the other side, and from there to the edge within it, as far from its centre as its coverage is
// from half: exact for an edge along the pixels, and within a small part of a fine pixel for one across them.
Coverage DistanceField(const FineCoverage &fine, int spread)
{
    const int factor = fine.factor;
    const std::int64_t reach = static_cast<std::int64_t>(spread) + 1;
    // The field's pixels: the fine box's, and as far again as the spread.
    const auto floorDiv
        = [factor](std::int64_t value) { return value >= 0 ? value / factor : -((-value + factor - 1) / factor); };
    const std::int64_t left = floorDiv(fine.pixels.left) - reach;
    const std::int64_t top = floorDiv(fine.pixels.top) - reach;
    const std::int64_t right = floorDiv(fine.pixels.left + fine.pixels.width - 1) + reach + 1;
    const std::int64_t bottom = floorDiv(fine.pixels.top + fine.pixels.height - 1) + reach + 1;
    Coverage field;
    field.pixels = Box{left, top, right - left, bottom - top};
    const int width = static_cast<int>(field.pixels.width * factor);
    const int height = static_cast<int>(field.pixels.height * factor);
    const auto index = [width](int x, int y) {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    };
    std::vector<std::uint8_t> greys(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (std::int64_t y = 0; y < fine.pixels.height; ++y) {
        std::copy_n(fine.bytes.data() + y * fine.pixels.width, fine.pixels.width,
            greys.data()
                + index(static_cast<int>(fine.pixels.left - left * factor),
                    static_cast<int>(fine.pixels.top - top * factor + y)));
    }
    const auto inside = [&](int x, int y) { return greys[index(x, y)] >= 128; };
    // Partly covered, or wholly on one side beside one wholly on the other.
    const auto edge = [&](int x, int y) {
        const std::uint8_t grey = greys[index(x, y)];
        if (grey != 0 && grey != 255)
            return true;
        const std::uint8_t other = 255 - grey;
        return (x > 0 && greys[index(x - 1, y)] == other) || (x + 1 < width && greys[index(x + 1, y)] == other)
            || (y > 0 && greys[index(x, y - 1)] == other) || (y + 1 < height && greys[index(x, y + 1)] == other);
    };
    // Down each column, the nearest edge pixel in it and how far.
    const float farthest = static_cast<float>((reach + 1) * factor);
    std::vector<float> column(greys.size(), kFar);
    std::vector<int> nearestRow(greys.size(), -1);
    for (int x = 0; x < width; ++x) {
        float distance = kFar;
        int row = -1;
        for (int y = 0; y < height; ++y) {
            if (edge(x, y)) {
                distance = 0.0F;
                row = y;
            } else {
                distance += 1.0F;
            }
            column[index(x, y)] = distance;
            nearestRow[index(x, y)] = row;
        }
        distance = kFar;
        row = -1;
        for (int y = height - 1; y >= 0; --y) {
            if (column[index(x, y)] == 0.0F) {
                distance = 0.0F;
                row = y;
            } else {
                distance += 1.0F;
            }
            if (distance < column[index(x, y)]) {
                column[index(x, y)] = distance;
                nearestRow[index(x, y)] = row;
            }
            if (column[index(x, y)] > farthest)
                column[index(x, y)] = kFar;
        }
    }
    // Across the rows through each pixel's middle fine pixels, the nearest
    // edge pixel anywhere; each pixel takes the mean of its middle four.
    const int middle = factor / 2 - 1;
    std::vector<int> columns;
    for (std::int64_t x = 0; x < field.pixels.width; ++x) {
        columns.push_back(static_cast<int>(x * factor + middle));
        columns.push_back(static_cast<int>(x * factor + middle + 1));
    }
    field.bytes.assign(static_cast<std::size_t>(field.pixels.width * field.pixels.height), 0);
    std::vector<float> squares(static_cast<std::size_t>(width));
    std::vector<float> least;
    std::vector<int> from;
    std::vector<int> v(static_cast<std::size_t>(width));
    std::vector<float> z(static_cast<std::size_t>(width) + 1);
    std::vector<float> sums(static_cast<std::size_t>(field.pixels.width));
    const FieldGreys grey(spread);
    for (std::int64_t y = 0; y < field.pixels.height; ++y) {
        std::fill(sums.begin(), sums.end(), 0.0F);
        for (int row = static_cast<int>(y * factor + middle); row <= y * factor + middle + 1; ++row) {
            for (int x = 0; x < width; ++x) {
                const float d = column[index(x, row)];
                squares[static_cast<std::size_t>(x)] = d == kFar ? kFar : d * d;
            }
            Envelope(squares, columns, least, from, v, z);
            for (std::size_t i = 0; i < columns.size(); ++i) {
                const bool in = inside(columns[i], row);
                float distance = farthest;
                if (from[i] >= 0) {
                    const float edgeGrey
                        = static_cast<float>(greys[index(from[i], nearestRow[index(from[i], row)])]) / 255.0F;
                    distance = std::sqrt(least[i]) + (in ? edgeGrey - 0.5F : 0.5F - edgeGrey);
                }
                sums[i / 2] += in ? distance : -distance;
            }
        }
        std::uint8_t *line = field.bytes.data() + y * field.pixels.width;
        for (std::int64_t x = 0; x < field.pixels.width; ++x) {
            const float pixels = sums[static_cast<std::size_t>(x)] / (4.0F * static_cast<float>(factor));
            line[x] = grey(pixels);
        }
    }
    return field;
}

FineCoverage Finer(const Coverage &coverage, int factor)
{
    FineCoverage fine;
    fine.factor = factor;
    const Box &box = coverage.pixels;
    if (box.Empty())
        return fine;
    fine.pixels = Box{box.left * factor, box.top * factor, box.width * factor, box.height * factor};
    fine.bytes.resize(static_cast<std::size_t>(fine.pixels.width * fine.pixels.height));
    // Nothing is drawn beyond the glyph's box.
    const auto sample = [&](std::int64_t x, std::int64_t y) {
        if (x < 0 || y < 0 || x >= box.width || y >= box.height)
            return 0.0F;
        return static_cast<float>(coverage.bytes[static_cast<std::size_t>(y * box.width + x)]);
    };
    for (std::int64_t y = 0; y < fine.pixels.height; ++y) {
        // The fine pixel's centre in the coarse pixels' centres.
        const float fy = (static_cast<float>(y) + 0.5F) / static_cast<float>(factor) - 0.5F;
        const auto y0 = static_cast<std::int64_t>(std::floor(fy));
        const float wy = fy - static_cast<float>(y0);
        for (std::int64_t x = 0; x < fine.pixels.width; ++x) {
            const float fx = (static_cast<float>(x) + 0.5F) / static_cast<float>(factor) - 0.5F;
            const auto x0 = static_cast<std::int64_t>(std::floor(fx));
            const float wx = fx - static_cast<float>(x0);
            const float value = (sample(x0, y0) * (1 - wx) + sample(x0 + 1, y0) * wx) * (1 - wy)
                + (sample(x0, y0 + 1) * (1 - wx) + sample(x0 + 1, y0 + 1) * wx) * wy;
            fine.bytes[static_cast<std::size_t>(y * fine.pixels.width + x)]
                = static_cast<std::uint8_t>(std::lround(value));
        }
    }
    return fine;
}

} // namespace raster
