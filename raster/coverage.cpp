#include "raster/coverage.h"

#include <algorithm>

namespace raster {

Box Box::United(const Box &other) const
{
    if (Empty())
        return other;
    if (other.Empty())
        return *this;
    const std::int64_t l = std::min(left, other.left);
    const std::int64_t t = std::min(top, other.top);
    return {l, t, std::max(left + width, other.left + other.width) - l,
        std::max(top + height, other.top + other.height) - t};
}

Box Box::Intersected(const Box &other) const
{
    const std::int64_t l = std::max(left, other.left);
    const std::int64_t t = std::max(top, other.top);
    const std::int64_t r = std::min(left + width, other.left + other.width);
    const std::int64_t b = std::min(top + height, other.top + other.height);
    return r > l && b > t ? Box{l, t, r - l, b - t} : Box{};
}

RunsBuilder::RunsBuilder(const Box &pixels)
{
    coverage_.pixels = pixels;
    coverage_.rows.push_back(0);
}

void RunsBuilder::Add(std::int32_t x, std::int32_t length, std::uint8_t grey)
{
    if (grey == 0 || length <= 0)
        return;
    // Long runs of one grey are kept as that grey; short ones, the edges of
    // a glyph, join their neighbours' greys.
    constexpr std::int32_t kLongRun = 8;
    std::vector<Run> &runs = coverage_.runs;
    const bool rowHasRuns = runs.size() > coverage_.rows.back();
    if (length >= kLongRun) {
        runs.push_back(Run{x, length, -1, grey});
    } else if (rowHasRuns && runs.back().greys >= 0 && runs.back().x + runs.back().length == x) {
        coverage_.bytes.insert(coverage_.bytes.end(), static_cast<std::size_t>(length), grey);
        runs.back().length += length;
    } else {
        runs.push_back(Run{x, length, static_cast<std::int32_t>(coverage_.bytes.size()), 0});
        coverage_.bytes.insert(coverage_.bytes.end(), static_cast<std::size_t>(length), grey);
    }
    left_ = firstRow_ < 0 ? x : std::min<std::int64_t>(left_, x);
    right_ = firstRow_ < 0 ? x + length : std::max<std::int64_t>(right_, x + length);
    firstRow_ = firstRow_ < 0 ? row_ : firstRow_;
    lastRow_ = row_;
}

void RunsBuilder::AddRow(const std::uint8_t *greys)
{
    const auto width = static_cast<std::int32_t>(coverage_.pixels.width);
    for (std::int32_t x = 0; x < width;) {
        std::int32_t end = x + 1;
        while (end < width && greys[end] == greys[x])
            ++end;
        Add(x, end - x, greys[x]);
        x = end;
    }
}

void RunsBuilder::NextRow()
{
    coverage_.rows.push_back(static_cast<std::uint32_t>(coverage_.runs.size()));
    ++row_;
}

Coverage RunsBuilder::Finish()
{
    coverage_.rows.resize(
        static_cast<std::size_t>(coverage_.pixels.height) + 1, static_cast<std::uint32_t>(coverage_.runs.size()));
    if (firstRow_ >= 0) {
        coverage_.ink = Box{
            coverage_.pixels.left + left_, coverage_.pixels.top + firstRow_, right_ - left_, lastRow_ - firstRow_ + 1};
    }
    return std::move(coverage_);
}

// The rows found by OR-ing each, the columns by OR-ing the rows together,
// both without a branch per pixel.
Box Tight(const std::vector<std::uint8_t> &bytes, const Box &pixels)
{
    const auto width = static_cast<std::size_t>(pixels.width);
    std::vector<std::uint8_t> columns(width, 0);
    std::int64_t top = -1;
    std::int64_t bottom = -1;
    for (std::int64_t y = 0; y < pixels.height; ++y) {
        const std::uint8_t *__restrict line = bytes.data() + static_cast<std::size_t>(y) * width;
        std::uint8_t *__restrict any = columns.data();
        std::uint8_t row = 0;
        for (std::size_t x = 0; x < width; ++x) {
            any[x] |= line[x];
            row |= line[x];
        }
        if (row != 0) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    if (top < 0)
        return {};
    const auto first = std::find_if(columns.begin(), columns.end(), [](std::uint8_t c) { return c != 0; });
    const auto last = std::find_if(columns.rbegin(), columns.rend(), [](std::uint8_t c) { return c != 0; });
    const std::int64_t left = first - columns.begin();
    const std::int64_t right = static_cast<std::int64_t>(width) - 1 - (last - columns.rbegin());
    return Box{pixels.left + left, pixels.top + top, right - left + 1, bottom - top + 1};
}

} // namespace raster
