#include "framework/text_ink.h"

#include "framework/font_state.h"
#include "framework/text_pieces.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace fw {
namespace {

// The largest area drawn for a text in one piece; beyond it, only the part
// on the picture is drawn, and nothing is kept.
constexpr qint64 kMaxInkPixels = 1 << 21;
constexpr qsizetype kMaxKeptInkText = 1024;

const QRectF kReach(-kMaxCoordinate, -kMaxCoordinate, 2 * kMaxCoordinate, 2 * kMaxCoordinate);

qint64 Area(const QRect &rect)
{
    return rect.isEmpty() ? 0 : static_cast<qint64>(rect.width()) * rect.height();
}

// Where a text's ink can lie around its pen, from its metrics: its glyph
// boxes and its line, with room for the bold stroke, antialiasing and a
// slant that the boxes may not show.
QRect RoomFor(const FontState &state, const QStringList &pieces)
{
    QRectF box;
    double left = 0;
    for (const QString &piece : pieces) {
        const double advance = state.metrics.horizontalAdvance(piece);
        box |= state.metrics.boundingRect(piece).translated(left, 0);
        box |= QRectF(left, -state.metrics.ascent(), advance, state.metrics.ascent() + state.metrics.descent());
        left += advance;
    }
    const int margin = static_cast<int>(std::ceil(state.boldStroke)) + 2 + (state.italic ? state.pixelSize / 2 : 0)
        + (state.boldBitmap ? 1 : 0);
    return (box & kReach).toAlignedRect().adjusted(-margin, -margin, margin, margin);
}

// The pieces drawn into `area` (from the pen), each where the ones before
// it end, glyphs or bold stroke; pieces that cannot reach the area are
// skipped.
QImage Draw(const FontState &state, const QStringList &pieces, const QRect &area, bool stroke)
{
    QImage drawn(area.size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    QPainter painter(&drawn);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const double reach = kMaxAdvanceEms * state.pixelSize + state.boldStroke;
    double left = 0;
    for (const QString &piece : pieces) {
        const double advance = pieces.size() > 1 ? state.metrics.horizontalAdvance(piece) : 0;
        if (pieces.size() == 1 || (left + advance + reach >= area.left() && left - reach <= area.right())) {
            const QPointF pen(left - area.left(), -area.top());
            if (stroke)
                PaintBoldStroke(painter, state, piece, pen);
            else
                PaintGlyphs(painter, state, piece, pen);
        }
        left += advance;
    }
    return drawn;
}

// The glyphs and the bold stroke, each drawn alone, as one 8-bit coverage
// image within their ink: the stroke over the glyphs, by exact arithmetic.
// Qt blends glyphs over ink already there in a way that changes with what
// it drew before, so nothing is drawn over anything by Qt.
Ink Coverage(const FontState &state, const QStringList &pieces, const QRect &area)
{
    const QImage glyphs = Draw(state, pieces, area, false);
    const QImage stroke = state.boldStroke > 0 ? Draw(state, pieces, area, true) : QImage();
    QImage alpha(area.size(), QImage::Format_Alpha8);
    int top = area.height();
    int bottom = -1;
    int left = area.width();
    int right = -1;
    for (int y = 0; y < area.height(); ++y) {
        const auto *glyphLine = reinterpret_cast<const QRgb *>(glyphs.constScanLine(y));
        const auto *strokeLine = stroke.isNull() ? nullptr : reinterpret_cast<const QRgb *>(stroke.constScanLine(y));
        std::uint8_t *to = alpha.scanLine(y);
        for (int x = 0; x < area.width(); ++x) {
            const std::uint32_t under = qAlpha(glyphLine[x]);
            const std::uint32_t over = strokeLine ? qAlpha(strokeLine[x]) : 0;
            const std::uint32_t sum = over * 255 + under * (255 - over) + 128;
            to[x] = static_cast<std::uint8_t>((sum + (sum >> 8)) >> 8);
            if (to[x] != 0) {
                top = std::min(top, y);
                bottom = y;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    if (bottom < 0)
        return {};
    const QRect used(QPoint(left, top), QPoint(right, bottom));
    return Ink{alpha.copy(used), area.topLeft() + used.topLeft()};
}

// Whether the ink lies against a side of the area, so that more of it may
// lie beyond; only the sides across which the picture goes on count when
// `picture` is given.
bool CutShort(const Ink &ink, const QRect &area, const QRect &picture = QRect())
{
    const QRect placed = ink.Placed(QPoint());
    const bool any = picture.isNull();
    return !placed.isNull()
        && ((placed.left() == area.left() && (any || area.left() > picture.left()))
            || (placed.top() == area.top() && (any || area.top() > picture.top()))
            || (placed.right() == area.right() && (any || area.right() < picture.right()))
            || (placed.bottom() == area.bottom() && (any || area.bottom() < picture.bottom())));
}

// The text drawn alone around a pen at (0, 0), on a picture lying at
// `picture` from the pen. `whole`: the ink does not depend on the pen.
Ink DrawInk(FontState &state, const QString &text, const QRect &picture, bool &whole)
{
    const QString drawn = VisiblePart(text, state.metrics, state.pixelSize, 0, picture.right());
    const QStringList pieces = SafePieces(drawn, state.pixelSize);
    QRect room = RoomFor(state, pieces);
    // Marks stacked on their base reach far beyond its box: a room that
    // misses the picture is checked against the outline.
    if (!room.intersects(picture)) {
        const int reach = static_cast<int>(std::min(kMaxAdvanceEms * state.pixelSize * static_cast<double>(text.size()), kMaxCoordinate));
        if (!room.adjusted(-reach, -reach, reach, reach).intersects(picture))
            return {};
        room |= state.OutlineBounds(text).adjusted(-2, -2, 2, 2);
    }
    // A room too small for the ink grows until it holds all of it or, too
    // large to draw whole, all of it that lies on the picture.
    for (;;) {
        const bool clipped = Area(room) > kMaxInkPixels;
        const QRect area = clipped ? room & picture : room;
        if (area.isEmpty())
            return {};
        Ink ink = Coverage(state, pieces, area);
        if (!CutShort(ink, area)) {
            whole = !clipped && drawn.size() == text.size();
            return ink;
        }
        const int grow = std::max({room.width(), room.height(), state.pixelSize});
        const QRect grown = (QRectF(room.adjusted(-grow, -grow, grow, grow)) & kReach).toAlignedRect();
        if ((clipped && !CutShort(ink, area, picture)) || grown == room)
            return ink;
        room = grown;
    }
}

} // namespace

void PaintGlyphs(QPainter &painter, const FontState &state, const QString &text, QPointF pen)
{
    painter.setFont(state.font);
    painter.setPen(Qt::white);
    painter.drawText(pen, text);
}

void PaintBoldStroke(QPainter &painter, const FontState &state, const QString &text, QPointF pen)
{
    if (state.boldStroke <= 0)
        return;
    QPainterPath outline;
    outline.addText(pen, state.font, text);
    painter.strokePath(outline, QPen(Qt::white, state.boldStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

InkPointer InkOf(FontState &state, const QString &text, QPoint pen, QSize picture)
{
    if (text.isEmpty() || state.pixelSize < 1)
        return nullptr;
    if (InkPointer kept = state.inks.Find(text))
        return kept;
    bool whole = false;
    Ink ink = DrawInk(state, text, QRect(-pen, picture), whole);
    if (state.boldBitmap && !ink.coverage.isNull()) {
        // One pixel to the right, as FreeType emboldens a bitmap.
        QImage wider(ink.coverage.width() + 1, ink.coverage.height(), QImage::Format_Alpha8);
        for (int y = 0; y < wider.height(); ++y) {
            const std::uint8_t *from = ink.coverage.constScanLine(y);
            std::uint8_t *to = wider.scanLine(y);
            for (int x = 0; x < wider.width(); ++x)
                to[x] = std::max(x < ink.coverage.width() ? from[x] : std::uint8_t{0}, x > 0 ? from[x - 1] : std::uint8_t{0});
        }
        ink.coverage = wider;
    }
    auto shared = std::make_shared<const Ink>(std::move(ink));
    if (whole && text.size() <= kMaxKeptInkText)
        state.inks.Keep(text, shared);
    return shared;
}

} // namespace fw
