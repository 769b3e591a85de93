#include "framework/text_ink.h"

#include "framework/font_state.h"
#include "framework/text_pieces.h"

#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>
#include <vector>

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

// Qt's FreeType engine leaves the transform of the last glyph it drew (its
// subpixel offset) set on the font face, which all sizes share, and loads
// outlines with it: an outline would move with what was drawn before.
// Making an engine for the face sets the transform afresh. (Qt 6.4.)
void ForgetGlyphOffset(const QRawFont &font)
{
    QRawFont other(font);
    other.setPixelSize(font.pixelSize() + 1);
}

// Whether the font's glyphs have outlines. Asking a font of bitmaps only
// (Terminus, a colour emoji font) for one makes Qt switch its face to
// another size, which the next glyphs of every size are then drawn in.
bool HasOutlines(FontState &state, const QRawFont &font)
{
    // Kept by the face itself, not its name, which two files may share.
    if (const auto found = state.outlined.constFind(font); found != state.outlined.constEnd())
        return *found;
    constexpr qsizetype kEmptyLoca = 4;
    const bool outlines = font.fontTable("loca").size() > kEmptyLoca || !font.fontTable("CFF ").isEmpty()
        || !font.fontTable("CFF2").isEmpty();
    state.outlined.insert(font, outlines);
    return outlines;
}

// A piece of text around a pen at (0, 0), laid out for drawing: what its
// glyph boxes and its line cover, where the next piece starts, and either
// its glyph runs, with the outline a synthetic bold strokes, or the text
// itself where Qt draws it from its own kept glyphs and needs no outline.
struct LaidOut {
    QList<QGlyphRun> runs;
    QString text;
    QPointF pen;
    QRectF bounds;
    QPainterPath outline;
    double end = 0;
    bool lacksOutline = false; // a glyph of it has none (a colour emoji)
};

// The largest size Qt draws from glyphs it keeps as images; above it, it
// draws their outlines. (Qt 6.4.)
constexpr int kMaxKeptGlyphSize = 64;

// Line separators would start new lines; they are drawn on the one line,
// each line after the one before, as Qt draws a text at a point.
// `last`: no piece follows, so where one would start is not needed.
LaidOut LayOut(FontState &state, const QString &piece, double left, bool outline, bool last)
{
    if (!outline && (state.pixelSize <= kMaxKeptGlyphSize || state.bitmapsOnly)) {
        const double advance = last ? 0 : state.metrics.horizontalAdvance(piece);
        // One character's box needs no layout; with the line, as a text's has.
        const QRectF box = piece.size() == 1 ? state.metrics.boundingRect(piece.front())
                | QRectF(0, -state.metrics.ascent(), 0, state.metrics.ascent() + state.metrics.descent())
                                             : state.metrics.boundingRect(piece);
        return LaidOut{{}, piece, QPointF(left, 0), box.translated(left, 0), {}, left + advance};
    }
    QTextLayout layout(piece, state.font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    layout.setTextOption(option);
    layout.beginLayout();
    double x = left;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(kMaxCoordinate);
        line.setPosition(QPointF(x, -line.ascent()));
        x += line.naturalTextWidth();
    }
    layout.endLayout();
    LaidOut laidOut;
    laidOut.end = x;
    laidOut.runs = layout.glyphRuns();
    laidOut.bounds = QRectF(left, -state.metrics.ascent(), x - left, state.metrics.ascent() + state.metrics.descent());
    for (const QGlyphRun &run : laidOut.runs) {
        const QRawFont font = run.rawFont();
        const bool outlined = outline && HasOutlines(state, font);
        if (outlined)
            ForgetGlyphOffset(font);
        const QList<quint32> glyphs = run.glyphIndexes();
        laidOut.lacksOutline |= outline && !outlined && !glyphs.isEmpty();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            laidOut.bounds |= font.boundingRect(glyphs[i]).translated(positions[i]);
            if (outlined)
                laidOut.outline.addPath(font.pathForGlyph(glyphs[i]).translated(positions[i]));
        }
    }
    return laidOut;
}

// Where the laid out pieces' ink can lie: their boxes, with room for the
// bold stroke, antialiasing and a slant the boxes may not show.
QRect RoomFor(const FontState &state, const std::vector<LaidOut> &pieces)
{
    QRectF box;
    for (const LaidOut &piece : pieces)
        box |= piece.bounds;
    const int margin = static_cast<int>(std::ceil(state.boldStroke)) + 2 + (state.italic ? state.pixelSize / 4 : 0)
        + (state.boldBitmap ? 1 : 0);
    return (box & kReach).toAlignedRect().adjusted(-margin, -margin, margin, margin);
}

// The sheet's painter, ready to draw into the top left of the sheet the
// size of the area, cleared, as if that were the area.
QPainter &Ready(FontState::Sheet &sheet, const QFont &font, const QRect &area)
{
    if (sheet.image.width() < area.width() || sheet.image.height() < area.height()) {
        sheet.painter.reset();
        sheet.image = QImage(std::max(sheet.image.width(), area.width()), std::max(sheet.image.height(), area.height()),
            QImage::Format_ARGB32_Premultiplied);
        sheet.painter = std::make_unique<QPainter>(&sheet.image);
        sheet.painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        sheet.painter->setFont(font);
    }
    QPainter &painter = *sheet.painter;
    painter.resetTransform();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRect(QPoint(), area.size()), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(Qt::white);
    painter.translate(-area.topLeft());
    return painter;
}

// The glyphs, or the bold stroke, of the pieces that reach `area` (from
// the pen), drawn into the top left of an image the area's size or larger.
// A sheet of the font state holds areas up to a size; larger ones get their
// own image, which `own` keeps.
const QImage &Draw(FontState &state, const std::vector<LaidOut> &pieces, const QRect &area, bool stroke, QImage &own)
{
    constexpr qint64 kMaxSheetPixels = 512 * 512;
    std::optional<QPainter> ownPainter;
    QPainter *painter = nullptr;
    const QImage *drawn = nullptr;
    FontState::Sheet &sheet = stroke ? state.strokeSheet : state.glyphSheet;
    // The sheet only grows, to hold this area and every earlier one, so the
    // budget is on the grown sheet: a wide area and then a tall one must not
    // make it their product.
    const QRect grown(0, 0, std::max(sheet.image.width(), area.width()), std::max(sheet.image.height(), area.height()));
    if (Area(grown) <= kMaxSheetPixels) {
        painter = &Ready(sheet, state.font, area);
        drawn = &sheet.image;
    } else {
        own = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
        own.fill(Qt::transparent);
        painter = &ownPainter.emplace(&own);
        painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter->setFont(state.font);
        painter->setPen(Qt::white);
        painter->translate(-area.topLeft());
        drawn = &own;
    }
    const QPen strokePen(Qt::white, state.boldStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QRectF reach
        = QRectF(area).adjusted(-state.boldStroke, -state.boldStroke, state.boldStroke, state.boldStroke);
    for (const LaidOut &piece : pieces) {
        if (!piece.bounds.intersects(reach) && pieces.size() > 1)
            continue;
        if (stroke) {
            painter->strokePath(piece.outline, strokePen);
            continue;
        }
        if (!piece.text.isEmpty())
            painter->drawText(piece.pen, piece.text);
        for (const QGlyphRun &run : piece.runs) {
            // Qt draws large glyphs from their outlines.
            if (HasOutlines(state, run.rawFont()))
                ForgetGlyphOffset(run.rawFont());
            painter->drawGlyphRun(QPointF(), run);
        }
    }
    return *drawn;
}

// A line of the glyphs' alpha, with the stroke's over it when there is one;
// gives whether any of it is covered.
bool AlphaLine(const QRgb *__restrict glyphs, const QRgb *__restrict stroke, std::uint8_t *__restrict to, int count)
{
    std::uint8_t any = 0;
    if (!stroke) {
        for (int x = 0; x < count; ++x) {
            to[x] = static_cast<std::uint8_t>(glyphs[x] >> 24);
            any |= to[x];
        }
        return any != 0;
    }
    for (int x = 0; x < count; ++x) {
        const std::uint32_t over = stroke[x] >> 24;
        const std::uint32_t sum = over * 255 + (glyphs[x] >> 24) * (255 - over) + 128;
        to[x] = static_cast<std::uint8_t>((sum + (sum >> 8)) >> 8);
        any |= to[x];
    }
    return any != 0;
}

// The glyphs and the bold stroke, each drawn alone, as one 8-bit coverage
// image within their ink: the stroke over the glyphs, by exact arithmetic.
// Qt blends glyphs over what is there in a way that changes with what it
// drew before, so nothing is drawn over anything by Qt.
Ink Coverage(FontState &state, const std::vector<LaidOut> &pieces, const QRect &area)
{
    QImage ownGlyphs;
    QImage ownStroke;
    const QImage &glyphs = Draw(state, pieces, area, false, ownGlyphs);
    const QImage *stroke = state.boldStroke > 0 ? &Draw(state, pieces, area, true, ownStroke) : nullptr;
    QImage alpha(area.size(), QImage::Format_Alpha8);
    QRect used;
    for (int y = 0; y < area.height(); ++y) {
        std::uint8_t *to = alpha.scanLine(y);
        if (!AlphaLine(reinterpret_cast<const QRgb *>(glyphs.constScanLine(y)),
                stroke ? reinterpret_cast<const QRgb *>(stroke->constScanLine(y)) : nullptr, to, area.width()))
            continue;
        const auto first = std::find_if(to, to + area.width(), [](std::uint8_t a) { return a != 0; });
        const auto last = std::find_if(std::make_reverse_iterator(to + area.width()), std::make_reverse_iterator(first),
            [](std::uint8_t a) { return a != 0; });
        used |= QRect(static_cast<int>(first - to), y, static_cast<int>(last.base() - first), 1);
    }
    if (used.isEmpty())
        return {};
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

// A bitmap widened a pixel to the right, as FreeType emboldens one.
QImage Widened(const QImage &coverage)
{
    QImage wider(coverage.width() + 1, coverage.height(), QImage::Format_Alpha8);
    for (int y = 0; y < wider.height(); ++y) {
        const std::uint8_t *from = coverage.constScanLine(y);
        std::uint8_t *to = wider.scanLine(y);
        to[0] = from[0];
        for (int x = 1; x < coverage.width(); ++x)
            to[x] = std::max(from[x], from[x - 1]);
        to[coverage.width()] = from[coverage.width() - 1];
    }
    return wider;
}

// The text drawn alone around a pen at (0, 0), on a picture lying at
// `picture` from the pen. `whole`: the ink does not depend on the pen.
Ink DrawInk(FontState &state, const QString &text, const QRect &picture, bool &whole)
{
    const QString drawn = VisiblePart(text, state.metrics, state.pixelSize, 0, picture.right());
    std::vector<LaidOut> pieces;
    double left = 0;
    const QStringList texts = SafePieces(drawn, state.pixelSize);
    for (const QString &piece : texts) {
        pieces.push_back(
            LayOut(state, piece, left, state.boldStroke > 0 && !state.bitmapsOnly, &piece == &texts.last()));
        left = pieces.back().end;
    }
    QRect room = RoomFor(state, pieces);
    // Marks stacked on their base reach far beyond its box: a room that
    // misses the picture is checked against the outline.
    if (!room.intersects(picture)) {
        const int reach = static_cast<int>(
            std::min(kMaxAdvanceEms * state.pixelSize * static_cast<double>(text.size()), kMaxCoordinate));
        if (!room.adjusted(-reach, -reach, reach, reach).intersects(picture))
            return {};
        room |= OutlineBounds(state, text).adjusted(-2, -2, 2, 2);
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

QRect OutlineBounds(FontState &state, const QString &text)
{
    if (state.bitmapsOnly || text.isEmpty())
        return {};
    if (const auto kept = state.outlines.constFind(text); kept != state.outlines.constEnd())
        return *kept;
    QPainterPath outline;
    double left = 0;
    bool lacksOutline = false;
    for (const QString &piece : SafePieces(text, state.pixelSize)) {
        LaidOut laidOut = LayOut(state, piece, left, true, false);
        outline.addPath(laidOut.outline);
        lacksOutline |= laidOut.lacksOutline;
        left = laidOut.end;
    }
    QRect bounds;
    if (!outline.isEmpty() && !lacksOutline) {
        const double stroke = state.boldStroke / 2;
        bounds = (outline.boundingRect().adjusted(-stroke, -stroke, stroke, stroke) & kReach).toAlignedRect();
    }
    constexpr qsizetype kMaxKeptOutlines = 4096;
    if (state.outlines.size() >= kMaxKeptOutlines)
        state.outlines.clear();
    state.outlines.insert(text, bounds);
    return bounds;
}

InkPointer InkOf(FontState &state, const QString &text, QPoint pen, QSize picture)
{
    if (text.isEmpty() || state.pixelSize < 1)
        return nullptr;
    if (InkPointer kept = state.inks.Find(text))
        return kept;
    bool whole = false;
    Ink ink = DrawInk(state, text, QRect(-pen, picture), whole);
    if (state.boldBitmap && !ink.coverage.isNull())
        ink.coverage = Widened(ink.coverage);
    ink.whole = whole;
    auto shared = std::make_shared<const Ink>(std::move(ink));
    if (whole && text.size() <= kMaxKeptInkText)
        state.inks.Keep(text, shared);
    return shared;
}

} // namespace fw
