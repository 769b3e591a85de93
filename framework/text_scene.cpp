#include "framework/text_scene.h"

#include "framework/font_state.h"
#include "framework/text_ink.h"

#include <algorithm>
#include <cstring>

namespace fw {
namespace {

qint64 Area(const QRegion &region)
{
    qint64 area = 0;
    for (const QRect &rect : region)
        area += static_cast<qint64>(rect.width()) * rect.height();
    return area;
}

} // namespace

void TextScene::Begin(QRgb fill)
{
    next_ = Scene{fill, {}};
}

void TextScene::Add(const QString &text, QPoint pen, QRgb colour, std::shared_ptr<FontState> state)
{
    next_->texts.push_back(Text{text, pen, colour, std::move(state), nullptr, QRect(), false});
}

bool TextScene::Same(const Text &a, const Text &b)
{
    return a.pen == b.pen && a.colour == b.colour && a.state->serial == b.state->serial && a.text == b.text;
}

void TextScene::Ink(Text &text, QSize picture)
{
    if (text.ink || (text.placedKnown && text.placed.isEmpty()))
        return;
    text.ink = InkOf(*text.state, text.text, text.pen, picture);
    text.placed = text.ink ? text.ink->Placed(text.pen) : QRect();
    text.placedKnown = true;
}

void TextScene::Fill(QImage &picture, const QRect &area, QRgb fill)
{
    const QRgb pixel = 0xFF000000 | fill;
    if (area == picture.rect()) {
        picture.fill(pixel);
        return;
    }
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::fill_n(reinterpret_cast<QRgb *>(picture.scanLine(y)) + area.left(), area.width(), pixel);
}

std::optional<QPoint> TextScene::Moved(const Scene &next) const
{
    if (!shown_ || shown_->fill != next.fill || shown_->texts.size() != next.texts.size() || next.texts.empty())
        return std::nullopt;
    const QPoint offset = next.texts.front().pen - shown_->texts.front().pen;
    for (std::size_t i = 0; i < next.texts.size(); ++i) {
        const Text &before = shown_->texts[i];
        const Text &text = next.texts[i];
        // Only ink drawn whole moves with its pen; ink cut to the picture
        // lacks what comes in.
        if (text.pen - before.pen != offset || text.colour != before.colour
            || text.state->serial != before.state->serial || text.text != before.text || !before.ink
            || !before.ink->whole)
            return std::nullopt;
    }
    return offset;
}

QRegion TextScene::Scroll(QImage &picture, QPoint offset)
{
    const QRect all = picture.rect();
    const QRect kept = all.translated(offset) & all;
    if (kept.isEmpty())
        return all;
    const int columns = kept.width();
    const int from = kept.left() - offset.x();
    const auto move = [&](int y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        const auto *source = reinterpret_cast<const QRgb *>(picture.constScanLine(y - offset.y()));
        std::memmove(line + kept.left(), source + from, static_cast<std::size_t>(columns) * sizeof(QRgb));
    };
    if (offset.y() > 0) {
        for (int y = kept.bottom(); y >= kept.top(); --y)
            move(y);
    } else {
        for (int y = kept.top(); y <= kept.bottom(); ++y)
            move(y);
    }
    return QRegion(all) - QRegion(kept);
}

// Where the next scene differs from the one shown; the whole picture when
// they share too little. Unchanged texts take what is known of them.
QRegion TextScene::Changed(Scene &next, QSize picture) const
{
    // Beyond this many changed texts, or half the picture, filling it all
    // is no slower than in parts.
    constexpr int kMostChanged = 16;
    const QRect all(QPoint(), picture);
    if (!shown_ || shown_->fill != next.fill || shown_->texts.size() != next.texts.size())
        return all;
    std::vector<std::size_t> changedTexts;
    for (std::size_t i = 0; i < next.texts.size(); ++i) {
        if (!Same(shown_->texts[i], next.texts[i]) && changedTexts.size() <= kMostChanged)
            changedTexts.push_back(i);
    }
    if (changedTexts.size() > kMostChanged)
        return all;
    QRegion changed;
    for (std::size_t i = 0; i < next.texts.size(); ++i) {
        const Text &before = shown_->texts[i];
        Text &text = next.texts[i];
        if (std::find(changedTexts.begin(), changedTexts.end(), i) == changedTexts.end()) {
            text.ink = before.ink;
            text.placed = before.placed;
            text.placedKnown = true;
            continue;
        }
        Ink(text, picture);
        changed += before.placed & all;
        changed += text.placed & all;
    }
    return Area(changed) * 2 > static_cast<qint64>(picture.width()) * picture.height() ? QRegion(all) : changed;
}

QRegion TextScene::Show(QImage &picture)
{
    if (!next_)
        return {};
    Scene next = std::move(*next_);
    next_.reset();
    const QRect all = picture.rect();
    QRegion changed;
    QRegion drawn;
    // Moved all alike (dx or dy changed): every pixel moves, and only what
    // comes in from outside is drawn.
    if (const std::optional<QPoint> offset = Moved(next); offset && !offset->isNull()) {
        for (std::size_t i = 0; i < next.texts.size(); ++i) {
            const Text &before = shown_->texts[i];
            next.texts[i].ink = before.ink;
            next.texts[i].placed = before.placed.translated(*offset);
            next.texts[i].placedKnown = true;
        }
        drawn = Scroll(picture, *offset);
        changed = all;
    } else {
        changed = Changed(next, picture.size());
        drawn = changed;
    }
    for (const QRect &area : drawn) {
        Fill(picture, area, next.fill);
        for (Text &text : next.texts) {
            if (text.placedKnown && !text.placed.intersects(area))
                continue;
            Ink(text, picture.size());
            if (text.ink)
                CompositeInk(picture, *text.ink, text.pen, text.colour, area);
        }
    }
    // Large ink of long texts is drawn again when needed rather than held.
    constexpr qsizetype kMaxHeldInkBytes = 256 << 10;
    for (Text &text : next.texts) {
        if (text.ink && text.ink->coverage.sizeInBytes() > kMaxHeldInkBytes)
            text.ink.reset();
    }
    shown_ = std::move(next);
    return changed;
}

} // namespace fw
