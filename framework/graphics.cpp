#include "framework/graphics.h"

#include "framework/font_state.h"
#include "framework/image_scaling.h"
#include "framework/picture.h"
#include "framework/text.h"
#include "framework/text_ink.h"
#include "framework/text_pieces.h"
#include "framework/text_scene.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace fw {

namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Whether a text at the size and pen can show any ink.
bool Inks(int size, std::string_view text, int x, int y)
{
    return size >= 1 && !text.empty() && std::abs(static_cast<double>(x)) <= kMaxCoordinate
        && std::abs(static_cast<double>(y)) <= kMaxCoordinate;
}

} // namespace

Color RGB(int red, int green, int blue)
{
    const auto component = [](int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); };
    return Color{component(red), component(green), component(blue)};
}

Graphics::Graphics(QImage &image, std::function<void(const QRegion &)> changed)
    : image_(&image)
    , changed_(std::move(changed))
    , scene_(std::make_unique<TextScene>())
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

FontState &Graphics::Font()
{
    if (!font_)
        font_ = FontState::Recent(textFont_, textSize_, bold_, italic_);
    return *font_;
}

QRgb Graphics::ForeColor() const
{
    return qRgb(foreColor_.red, foreColor_.green, foreColor_.blue);
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
    if (scene_ && scene_->Open()) {
        const QRegion changed = scene_->Show(*image_);
        if (changed_ && !changed.isEmpty())
            changed_(changed);
    }
}

void Graphics::DrawDirectly()
{
    if (!image_)
        return;
    if (scene_->Open())
        Flush();
    scene_->Forget();
}

void Graphics::DrawRect(int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    DrawDirectly();
    QPainter &painter = Painter();
    painter.setPen(QPen(QColor(ForeColor()), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(x + 0.5, y + 0.5, width - 1, height - 1));
    if (changed_)
        changed_(QRegion(x, y, width, height));
}

void Graphics::FillRect(int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    const QRect area(x, y, width, height);
    if (image_ && area.contains(image_->rect())) {
        ownPainter_.reset();
        scene_->Begin(ForeColor());
        return;
    }
    DrawDirectly();
    Painter().fillRect(area, QColor(ForeColor()));
    if (changed_)
        changed_(QRegion(area));
}

int Graphics::StringWidth(std::string_view text)
{
    return ToInt32(std::round(TextWidth(text)));
}

double Graphics::TextWidth(std::string_view text)
{
    if (textSize_ < 1 || text.empty())
        return 0;
    return Font().Advance(ToQString(text));
}

std::vector<double> Graphics::Kernings(const std::vector<std::string> &texts)
{
    std::vector<double> kernings(texts.size() * texts.size(), 0.0);
    if (textSize_ < 1)
        return kernings;
    // An engine draws the separate glyphs of a ligature: pairs are laid out
    // without them, which Qt does for text spaced apart, and the spacing
    // cancels out of the difference.
    QFont unligated = Font().font;
    if (unligated.letterSpacing() == 0)
        unligated.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    const QFontMetricsF metrics(unligated);
    std::vector<QString> strings;
    std::vector<double> advances;
    for (const std::string &text : texts) {
        strings.push_back(ToQString(text));
        advances.push_back(SafeAdvance(metrics, strings.back(), textSize_));
    }
    // The pairs are measured without being kept: there are many of them.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = 0; j < texts.size(); ++j) {
            if (strings[i].isEmpty() || strings[j].isEmpty())
                continue;
            const double together = SafeAdvance(metrics, strings[i] + strings[j], textSize_);
            kernings[i * texts.size() + j] = together - advances[i] - advances[j];
        }
    }
    return kernings;
}

double Graphics::Ascent()
{
    return textSize_ < 1 ? 0 : Font().metrics.ascent();
}

double Graphics::LineSpacing()
{
    return textSize_ < 1 ? 0 : Font().metrics.lineSpacing();
}

void Graphics::DrawString(std::string_view text, int x, int y)
{
    if (!Inks(textSize_, text, x, y))
        return;
    const QString string = ToQString(text);
    if (!image_) {
        // Drawn as on a picture, in the fore colour by the ink's coverage.
        const InkPointer ink = InkOf(Font(), string, QPoint(x, y), QSize(Width(), Height()));
        if (!ink || ink->coverage.isNull())
            return;
        QImage coloured(ink->coverage.size(), QImage::Format_ARGB32_Premultiplied);
        coloured.fill(QColor(ForeColor()));
        coloured.setAlphaChannel(ink->coverage);
        Painter().drawImage(ink->Placed(QPoint(x, y)).topLeft(), coloured);
        return;
    }
    Font();
    if (!scene_->Open()) {
        // Onto what was drawn directly: at once.
        DrawDirectly();
        ownPainter_.reset();
        if (const InkPointer ink = InkOf(*font_, string, QPoint(x, y), image_->size())) {
            CompositeInk(*image_, *ink, QPoint(x, y), ForeColor(), image_->rect());
            if (changed_)
                changed_(QRegion(ink->Placed(QPoint(x, y))));
        }
        return;
    }
    scene_->Add(string, QPoint(x, y), ForeColor(), font_);
}

Rect Graphics::InkRect(std::string_view text, int x, int y)
{
    if (!Inks(textSize_, text, x, y))
        return {};
    const QRect bounds = OutlineBounds(Font(), ToQString(text)).translated(x, y);
    // Bitmap and colour glyphs have no outline: their ink tells.
    if (bounds.isNull())
        return DrawnInk(text, x, y);
    return Rect{bounds.left(), bounds.top(), bounds.width(), bounds.height()};
}

Rect Graphics::DrawnInk(std::string_view text, int x, int y)
{
    if (!Inks(textSize_, text, x, y))
        return {};
    const InkPointer ink = InkOf(Font(), ToQString(text), QPoint(x, y), QSize(Width(), Height()));
    const QRect placed = ink ? ink->Placed(QPoint(x, y)) : QRect();
    return placed.isNull() ? Rect{} : Rect{placed.left(), placed.top(), placed.width(), placed.height()};
}

void Graphics::DrawPicture(const Picture &picture, int x, int y, int width, int height, int sourceX, int sourceY,
    int sourceWidth, int sourceHeight, Blend blend)
{
    const auto given = [](int value, int otherwise) { return value == kNotGiven ? otherwise : value; };
    QRect source(sourceX, sourceY, given(sourceWidth, picture.Width()), given(sourceHeight, picture.Height()));
    QRect target(x, y, given(width, picture.Width()), given(height, picture.Height()));
    if (source.isEmpty() || target.isEmpty())
        return;
    DrawDirectly();
    // Unscaled or enlarged by a whole factor: only the part that lands on the
    // device is worth copying and enlarging.
    const int factor = target.width() / source.width();
    if (factor >= 1 && target.size() == source.size() * factor) {
        const QRect device(0, 0, Width(), Height());
        const QRect shown
            = exposed_.Empty() ? device : QRect(exposed_.left, exposed_.top, exposed_.width, exposed_.height) & device;
        const QRect visible = target & shown;
        if (visible.isEmpty())
            return;
        // Whole source pixels: those the visible part begins and ends in.
        const QPoint first((visible.left() - target.left()) / factor, (visible.top() - target.top()) / factor);
        const QPoint last((visible.right() - target.left()) / factor, (visible.bottom() - target.top()) / factor);
        source = QRect(source.topLeft() + first, source.topLeft() + last);
        target = QRect(target.topLeft() + first * factor, source.size() * factor);
    }
    if (changed_)
        changed_(QRegion(target));
    const qreal ratio = image_ ? image_->devicePixelRatio() : externalPainter_->device()->devicePixelRatioF();
    if (blend == Blend::Lighten && image_ && ratio == 1 && source.size() == target.size()
        && picture.Image().rect().contains(source)) {
        // Qt lightens an RGB32 picture forty times slower than this.
        ownPainter_.reset();
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
    QImage scaled = picture.Scaled(source, devicePixels);
    scaled.setDevicePixelRatio(ratio);
    QPainter &drawing = Painter();
    drawing.setCompositionMode(
        blend == Blend::Lighten ? QPainter::CompositionMode_Lighten : QPainter::CompositionMode_SourceOver);
    drawing.drawImage(target.topLeft(), scaled);
    drawing.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

} // namespace fw
