#include "framework/graphics.h"

#include "framework/image_scaling.h"
#include "framework/picture.h"
#include "framework/text.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSet>
#include <QStringList>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

namespace fw {

namespace {

// Qt lays text out and rasterises in 26.6 fixed point, which wraps beyond
// 2^25 pixels; no position or advance beyond this is handed to it.
constexpr double kMaxCoordinate = 1 << 24;

// No glyph advances further than this many ems.
constexpr double kMaxAdvanceEms = 2.0;

// Drawn ink and measured advances are kept, by text, while the font state
// lasts: most renders draw the texts of the last one again. A text's ink is
// kept from its second drawing on, so that a change of font, which draws
// every text once, costs no more than drawing. Longer texts, and ink beyond
// these sizes, are drawn and measured afresh every time.
constexpr qsizetype kMaxKeptInkText = 64;
constexpr qsizetype kMaxKeptAdvanceText = 1024;
constexpr qsizetype kMaxInkBytes = 4 << 20;
constexpr qsizetype kMaxKeptInkBytes = 24 << 20;
constexpr qsizetype kMaxKeptEntries = 4096;

// A text that could advance beyond kMaxCoordinate split into pieces that
// cannot, at grapheme boundaries; ordinary texts stay whole.
QStringList SafePieces(const QString &text, int pixelSize)
{
    const auto maxLength = static_cast<qsizetype>(kMaxCoordinate / (kMaxAdvanceEms * std::max(pixelSize, 1)));
    if (text.size() <= maxLength)
        return {text};
    QStringList pieces;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (start < text.size()) {
        graphemes.setPosition(std::min(start + std::max<qsizetype>(maxLength, 1), text.size()));
        if (!graphemes.isAtBoundary())
            graphemes.toPreviousBoundary();
        qsizetype end = graphemes.position();
        if (end <= start)
            end = graphemes.toNextBoundary();
        pieces << text.mid(start, end - start);
        start = end;
    }
    return pieces;
}

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool FamilyHasBoldFace(const QString &family)
{
    static QHash<QString, bool> known;
    const auto found = known.constFind(family);
    if (found != known.constEnd())
        return *found;
    const QStringList styles = QFontDatabase::styles(family);
    const bool hasBold = std::any_of(styles.begin(), styles.end(),
        [&](const QString &style) { return QFontDatabase::weight(family, style) >= QFont::DemiBold; });
    known.insert(family, hasBold);
    return hasBold;
}

bool HasRightToLeft(const QString &text)
{
    const QList<uint> codes = text.toUcs4();
    return std::any_of(codes.begin(), codes.end(), [](uint code) {
        switch (QChar::direction(code)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
            return true;
        default:
            return false;
        }
    });
}

} // namespace

// A text's ink drawn alone in the fore colour, premultiplied by coverage,
// and where its top left corner lies from the pen; null when it has none.
struct Graphics::Ink {
    QImage image;
    QPoint offset;
    bool kept = true; // false: too large, or reaching beyond its glyph boxes
};

struct Graphics::FontState {
    QFont font;
    QFontMetricsF metrics{QFont()};
    // Pen width of the outline that makes a synthetic bold; 0 when the face
    // itself is bold or bold is off.
    qreal boldStroke = 0;
    QHash<QString, double> advances;
    QHash<QString, Ink> inks;
    QSet<QString> drawnOnce;
    QHash<QString, QRect> outlines;
    QRgb inkColor = 0;
    qsizetype inkBytes = 0;
};

Color RGB(int red, int green, int blue)
{
    const auto component = [](int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); };
    return Color{component(red), component(green), component(blue)};
}

Graphics::Graphics(QImage &image)
    : image_(&image)
{
}

Graphics::Graphics(QPainter &painter, const QRect &exposed)
    : externalPainter_(&painter)
    , exposed_{exposed.left(), exposed.top(), exposed.width(), exposed.height()}
{
}

Graphics::Graphics(QPainter &painter)
    : externalPainter_(&painter)
{
}

Graphics::~Graphics() = default;

int Graphics::Width() const
{
    return image_ ? image_->width() : externalPainter_->device()->width();
}

int Graphics::Height() const
{
    return image_ ? image_->height() : externalPainter_->device()->height();
}

void Graphics::SetTextFont(std::string family)
{
    if (family != textFont_)
        font_.reset();
    textFont_ = std::move(family);
}

void Graphics::SetTextSize(int pixels)
{
    if (pixels != textSize_)
        font_.reset();
    textSize_ = pixels;
}

void Graphics::SetBold(bool bold)
{
    if (bold != bold_)
        font_.reset();
    bold_ = bold;
}

void Graphics::SetItalic(bool italic)
{
    if (italic != italic_)
        font_.reset();
    italic_ = italic;
}

Graphics::FontState &Graphics::Font()
{
    if (font_)
        return *font_;
    auto state = std::make_unique<FontState>();
    QFont &font = state->font;
    font.setFamily(ToQString(textFont_));
    // Unhinted outlines keep advances fractional, so ten copies of a
    // character measure to a tenth of a pixel on every system.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    font.setItalic(italic_);
    if (textSize_ >= 1)
        font.setPixelSize(textSize_);
    if (bold_) {
        if (FamilyHasBoldFace(QFontInfo(font).family())) {
            font.setBold(true);
        } else {
            // Qt emboldens a missing face only for small cached glyphs and
            // only where fontconfig asks, so it is done here: an outline of
            // a 24th of the em, whose width the advance grows by, as
            // FreeType's own emboldening does.
            state->boldStroke = std::max(textSize_, 1) / 24.0;
            font.setLetterSpacing(QFont::AbsoluteSpacing, state->boldStroke);
        }
    }
    state->metrics = QFontMetricsF(font);
    font_ = std::move(state);
    return *font_;
}

QPainter &Graphics::Painter()
{
    if (externalPainter_)
        return *externalPainter_;
    if (!ownPainter_) {
        ownPainter_ = std::make_unique<QPainter>(image_);
        ownPainter_->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    }
    return *ownPainter_;
}

void Graphics::Flush()
{
    ownPainter_.reset();
}

void Graphics::DrawRect(int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    QPainter &painter = Painter();
    painter.setPen(QPen(QColor(foreColor_.red, foreColor_.green, foreColor_.blue), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(x + 0.5, y + 0.5, width - 1, height - 1));
}

void Graphics::FillRect(int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    Painter().fillRect(QRect(x, y, width, height), QColor(foreColor_.red, foreColor_.green, foreColor_.blue));
}

double Graphics::Advance(const QString &text)
{
    FontState &state = Font();
    if (const auto kept = state.advances.constFind(text); kept != state.advances.constEnd())
        return *kept;
    double advance = 0;
    for (const QString &piece : SafePieces(text, textSize_))
        advance += state.metrics.horizontalAdvance(piece);
    if (text.size() <= kMaxKeptAdvanceText) {
        if (state.advances.size() >= kMaxKeptEntries)
            state.advances.clear();
        state.advances.insert(text, advance);
    }
    return advance;
}

int Graphics::StringWidth(std::string_view text)
{
    return ToInt32(std::round(TextWidth(text)));
}

double Graphics::TextWidth(std::string_view text)
{
    if (textSize_ < 1 || text.empty())
        return 0;
    return Advance(ToQString(text));
}

// Qt lays out and loads every glyph of a text it draws, even far outside
// the target. Of a long left-to-right text only the part up to where it
// leaves the target on the right is drawn: what changes at the cut lies
// beyond the edge. Right-to-left text is drawn whole, as its order decides
// what shows.
QString Graphics::VisiblePart(const QString &text, double left)
{
    constexpr qsizetype kLong = 256;
    constexpr qsizetype kStep = 64;
    if (text.size() <= kLong || HasRightToLeft(text))
        return text;
    const double edge = Width() + 4.0 * kMaxAdvanceEms * textSize_;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    double advance = 0;
    qsizetype start = 0;
    while (start < text.size() && left + advance <= edge) {
        graphemes.setPosition(std::min(start + kStep, text.size()));
        if (!graphemes.isAtBoundary())
            graphemes.toNextBoundary();
        const qsizetype end = graphemes.position() > start ? graphemes.position() : text.size();
        advance += Font().metrics.horizontalAdvance(text.mid(start, end - start));
        start = end;
    }
    return text.left(start);
}

void Graphics::DrawString(std::string_view text, int x, int y)
{
    if (textSize_ < 1 || text.empty())
        return;
    if (image_ && text.size() <= kMaxKeptInkText && std::abs(x) <= kMaxCoordinate && std::abs(y) <= kMaxCoordinate) {
        if (const Ink *ink = KeptInk(ToQString(text))) {
            if (!ink->image.isNull())
                Painter().drawImage(QPoint(x, y) + ink->offset, ink->image);
            return;
        }
    }
    const QString string = VisiblePart(ToQString(text), x);
    const QStringList pieces = SafePieces(string, textSize_);
    double left = x;
    for (const QString &piece : pieces) {
        const double advance = pieces.size() > 1 ? Font().metrics.horizontalAdvance(piece) : 0;
        DrawPiece(piece, left, y);
        left += advance;
    }
}

// A glyph reaches at most two ems beyond where the one before it ends, so
// most texts are decided by their pen and advance alone. One whose pen lies
// further out pays for its outline's exact bounds: marks stacked on their
// base (an e with sixty acute accents) reach far beyond two ems.
bool Graphics::InkMayShow(const QString &text, double left, double baseline)
{
    const FontState &state = Font();
    const auto reachesTarget = [&](double reach) {
        if (baseline - reach > Height() || baseline + reach < 0 || left - reach > Width())
            return false;
        return left + reach >= 0 || left + state.metrics.horizontalAdvance(text) + reach >= 0;
    };
    const double twoEms = kMaxAdvanceEms * textSize_;
    if (reachesTarget(twoEms + state.boldStroke))
        return true;
    if (!reachesTarget(twoEms * static_cast<double>(text.size()) + state.boldStroke))
        return false;
    QPainterPath outline;
    outline.addText(QPointF(left, baseline), state.font, text);
    const double margin = state.boldStroke + 1; // the stroke and antialiasing
    return outline.boundingRect()
        .adjusted(-margin, -margin, margin, margin)
        .intersects(QRectF(0, 0, Width(), Height()));
}

void Graphics::DrawPiece(const QString &text, double left, double baseline)
{
    if (std::abs(left) > kMaxCoordinate || std::abs(baseline) > kMaxCoordinate || !InkMayShow(text, left, baseline))
        return;
    Paint(Painter(), text, QPointF(left, baseline));
}

Rect Graphics::InkRect(std::string_view text, int x, int y)
{
    if (textSize_ < 1 || text.empty() || std::abs(x) > kMaxCoordinate || std::abs(y) > kMaxCoordinate)
        return {};
    FontState &state = Font();
    const QString string = ToQString(text);
    auto kept = state.outlines.constFind(string);
    if (kept == state.outlines.constEnd()) {
        // In the pieces DrawString draws, so that Qt's layout never wraps.
        QPainterPath outline;
        double left = 0;
        for (const QString &piece : SafePieces(string, textSize_)) {
            outline.addText(QPointF(left, 0), state.font, piece);
            left += state.metrics.horizontalAdvance(piece);
        }
        const double stroke = state.boldStroke / 2;
        QRect bounds;
        if (!outline.isEmpty()) {
            const QRectF reach(-kMaxCoordinate, -kMaxCoordinate, 2 * kMaxCoordinate, 2 * kMaxCoordinate);
            bounds = (outline.boundingRect().adjusted(-stroke, -stroke, stroke, stroke) & reach).toAlignedRect();
        }
        if (state.outlines.size() >= kMaxKeptEntries)
            state.outlines.clear();
        kept = state.outlines.insert(string, bounds);
    }
    return kept->isNull() ? Rect{} : Rect{x + kept->left(), y + kept->top(), kept->width(), kept->height()};
}

// The text drawn alone, as it would be drawn onto a black picture at an
// integer pen; nullptr when it is drawn for the first time, or its ink is
// too large to keep, or reaches beyond its glyphs' boxes (marks stacked far
// from their base).
const Graphics::Ink *Graphics::KeptInk(const QString &text)
{
    FontState &state = Font();
    const QColor color(foreColor_.red, foreColor_.green, foreColor_.blue);
    if (state.inkColor != color.rgb() || state.inkBytes > kMaxKeptInkBytes) {
        state.inks.clear();
        state.drawnOnce.clear();
        state.inkBytes = 0;
        state.inkColor = color.rgb();
    }
    if (const auto kept = state.inks.constFind(text); kept != state.inks.constEnd())
        return kept->kept ? &*kept : nullptr;
    if (!state.drawnOnce.contains(text)) {
        if (state.drawnOnce.size() >= kMaxKeptEntries)
            state.drawnOnce.clear();
        state.drawnOnce.insert(text);
        return nullptr;
    }
    const auto notKept = [&] {
        state.inks.insert(text, Ink{QImage(), QPoint(), false});
        return nullptr;
    };
    // Room for the glyph boxes with the bold stroke, antialiasing and a
    // slant they may not show; the image is cut to the ink afterwards.
    const int margin = static_cast<int>(std::ceil(state.boldStroke)) + 2 + (italic_ ? textSize_ / 2 : 0);
    const QRect room = state.metrics.boundingRect(text).toAlignedRect().adjusted(-margin, -margin, margin, margin);
    if (static_cast<qsizetype>(room.width()) * room.height() * 4 > kMaxInkBytes)
        return notKept();
    QImage drawn(room.size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    QPainter painter(&drawn);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    Paint(painter, text, -room.topLeft());
    painter.end();
    const QRect used = UsedArea(drawn);
    if (!used.isEmpty() && !drawn.rect().adjusted(1, 1, -1, -1).contains(used))
        return notKept();
    Ink ink;
    if (!used.isEmpty()) {
        ink.image = drawn.copy(used);
        ink.offset = room.topLeft() + used.topLeft();
    }
    state.inkBytes += ink.image.sizeInBytes();
    return &*state.inks.insert(text, ink);
}

void Graphics::Paint(QPainter &painter, const QString &text, QPointF pen)
{
    const FontState &state = Font();
    const double left = pen.x();
    const double baseline = pen.y();
    const QColor color(foreColor_.red, foreColor_.green, foreColor_.blue);
    if (state.boldStroke > 0) {
        QPainterPath path;
        path.addText(QPointF(left, baseline), state.font, text);
        painter.fillPath(path, color);
        painter.strokePath(path, QPen(color, state.boldStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        return;
    }
    painter.setFont(state.font);
    painter.setPen(color);
    painter.drawText(QPointF(left, baseline), text);
}

// The smallest rectangle holding every pixel that is not transparent.
QRect Graphics::UsedArea(const QImage &image)
{
    int top = image.height();
    int bottom = -1;
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] != 0) {
                top = std::min(top, y);
                bottom = y;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

void Graphics::DrawPicture(const Picture &picture, int x, int y, int width, int height, int sourceX, int sourceY,
    int sourceWidth, int sourceHeight, Blend blend)
{
    const auto given = [](int value, int otherwise) { return value == kNotGiven ? otherwise : value; };
    QRect source(sourceX, sourceY, given(sourceWidth, picture.Width()), given(sourceHeight, picture.Height()));
    QRect target(x, y, given(width, picture.Width()), given(height, picture.Height()));
    if (source.isEmpty() || target.isEmpty())
        return;
    QPainter &painter = Painter();
    // Unscaled or enlarged by a whole factor: only the part that lands on the
    // device is worth copying and enlarging.
    const int factor = target.width() / source.width();
    if (factor >= 1 && target.size() == source.size() * factor) {
        const QRect device(0, 0, painter.device()->width(), painter.device()->height());
        const QRect shown = exposed_.Empty()
            ? device
            : QRect(exposed_.left, exposed_.top, exposed_.width, exposed_.height) & device;
        const QRect visible = target & shown;
        if (visible.isEmpty())
            return;
        // Whole source pixels: those the visible part begins and ends in.
        const QPoint first((visible.left() - target.left()) / factor, (visible.top() - target.top()) / factor);
        const QPoint last((visible.right() - target.left()) / factor, (visible.bottom() - target.top()) / factor);
        source = QRect(source.topLeft() + first, source.topLeft() + last);
        target = QRect(target.topLeft() + first * factor, source.size() * factor);
    }
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (blend == Blend::Lighten && image_ && ratio == 1 && source.size() == target.size()
        && picture.Image().rect().contains(source)) {
        // Qt lightens an RGB32 picture forty times slower than this.
        if (!image_->isDetached())
            Flush();
        const QImage &from = picture.Image();
        const QRect area = target & image_->rect();
        const QPoint shift = source.topLeft() - target.topLeft();
        for (int row = area.top(); row <= area.bottom(); ++row) {
            LightenLine(image_->scanLine(row) + 4 * area.left(),
                from.constScanLine(row + shift.y()) + 4 * (area.left() + shift.x()), 4 * area.width());
        }
        return;
    }
    const QSize devicePixels(
        static_cast<int>(std::lround(target.width() * ratio)), static_cast<int>(std::lround(target.height() * ratio)));
    QImage scaled = ScaleImage(picture.Image(), source, devicePixels);
    scaled.setDevicePixelRatio(ratio);
    painter.setCompositionMode(
        blend == Blend::Lighten ? QPainter::CompositionMode_Lighten : QPainter::CompositionMode_SourceOver);
    painter.drawImage(target.topLeft(), scaled);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

} // namespace fw
