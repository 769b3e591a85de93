#include "raster/scene.h"

#include <algorithm>

namespace raster {

void Scene::Begin(std::uint8_t fill)
{
    next_ = Shown{fill, {}};
}

void Scene::Add(std::string text, std::int64_t x, std::int64_t y, std::shared_ptr<Font> font)
{
    next_->texts.push_back(Text{std::move(text), x, y, std::move(font), {}});
}

bool Scene::Same(const Text &a, const Text &b)
{
    return a.x == b.x && a.y == b.y && a.font == b.font && a.text == b.text;
}

std::optional<std::pair<std::int64_t, std::int64_t>> Scene::Moved(const Shown &next) const
{
    if (!shown_ || shown_->fill != next.fill || shown_->texts.size() != next.texts.size() || next.texts.empty())
        return std::nullopt;
    const std::int64_t x = next.texts.front().x - shown_->texts.front().x;
    const std::int64_t y = next.texts.front().y - shown_->texts.front().y;
    for (std::size_t i = 0; i < next.texts.size(); ++i) {
        const Text &before = shown_->texts[i];
        const Text &text = next.texts[i];
        if (text.x - before.x != x || text.y - before.y != y || text.font != before.font || text.text != before.text)
            return std::nullopt;
    }
    return std::pair{x, y};
}

// Where the next scene differs from the one shown; all of it when they
// share too little.
std::vector<Box> Scene::Changed(const Shown &next, const Box &all) const
{
    // Beyond this many changed texts, or half the picture, filling it all
    // is no slower than in parts.
    constexpr std::size_t kMostChanged = 16;
    if (!shown_ || shown_->fill != next.fill || shown_->texts.size() != next.texts.size())
        return {all};
    std::vector<Box> changed;
    std::int64_t area = 0;
    for (std::size_t i = 0; i < next.texts.size(); ++i) {
        if (Same(shown_->texts[i], next.texts[i]))
            continue;
        for (const Box &box : {shown_->texts[i].placed.box, next.texts[i].placed.box}) {
            if (!box.Empty()) {
                changed.push_back(box);
                area += box.width * box.height;
            }
        }
        if (changed.size() > 2 * kMostChanged || area * 2 > all.width * all.height)
            return {all};
    }
    return changed;
}

std::vector<Box> Scene::Show(Texture &texture)
{
    if (!next_)
        return {};
    Shown next = std::move(*next_);
    next_.reset();
    const Box all = texture.Bounds();
    for (std::size_t i = 0; i < next.texts.size(); ++i) {
        Text &text = next.texts[i];
        const bool same = shown_ && shown_->texts.size() == next.texts.size() && Same(shown_->texts[i], text);
        text.placed = same ? shown_->texts[i].placed : text.font->Place(text.text, text.x, text.y, all);
    }
    std::vector<Box> drawn;
    std::vector<Box> changed;
    if (const auto offset = Moved(next); offset && (offset->first != 0 || offset->second != 0)) {
        drawn = texture.Scroll(offset->first, offset->second);
        changed = {all};
    } else {
        changed = Changed(next, all);
        drawn = changed;
    }
    for (const Box &area : drawn) {
        texture.Fill(area, next.fill);
        for (const Text &text : next.texts) {
            if (text.placed.box.Intersected(area).Empty())
                continue;
            for (const Blit &blit : text.placed.blits)
                texture.Draw(blit, area);
        }
    }
    shown_ = std::move(next);
    return changed;
}

std::vector<Box> Scene::ShownInks() const
{
    std::vector<Box> inks;
    if (shown_) {
        for (const Text &text : shown_->texts)
            inks.push_back(text.placed.box);
    }
    return inks;
}

} // namespace raster
